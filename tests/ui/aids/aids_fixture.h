#pragma once
// A project folder with the recording services, for the choosers, viewers and launchers.
#include <gtest/gtest.h>

#include <QImage>

#include "../../format/test_folder.h"
#include "common/aids_context.h"
#include "platform/platform.h"
#include "platform/system_services.h"
#include "project/project.h"

namespace quill::test {

struct AidsFixture : ::testing::Test {
    TempFolder home;
    TempFolder elsewhere;  // files fetched with "Find File" come from here
    Project project{home.path()};
    RecordingPlatform rec{home.path()};
    RecordingSystem system;
    AidsContext context{project, rec.platform(), system};

    AidsFixture() {
        project.ProjectFile = "SAFETY.QKJ";
        project.ProjectName = "SAFETY";
        project.DataFileName = "SAFETY.QKR";
        project.StartPrompt = "Press a button";
    }

    // A small picture file (the format follows the extension).
    static std::filesystem::path Picture(const std::filesystem::path& file) {
        QImage image(8, 6, QImage::Format_RGB32);
        image.fill(Qt::red);
        const char* format = file.extension() == ".jpg" || file.extension() == ".JPG" ? "JPG" : "BMP";
        image.save(QString::fromStdString(file.string()), format);
        return file;
    }
    std::filesystem::path InProject(const char* name, std::string_view bytes = "x") { return home.write(name, bytes); }
};

}  // namespace quill::test
