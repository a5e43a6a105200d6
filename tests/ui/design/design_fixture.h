#pragma once
// A new tutorial project (SAFETY, defaults written) with the recording services, for the
// presentation designers and the learner's windows.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <fstream>
#include <memory>

#include "../../format/test_folder.h"
#include "../window_driver.h"
#include "platform/platform.h"
#include "platform/snapshots.h"
#include "common/learner_screen.h"
#include "project/project.h"

namespace quill::test {

struct DesignFixture : ::testing::Test {
    TempFolder home;
    TempFolder elsewhere;
    Project project{home.path()};
    RecordingPlatform rec{home.path()};

    DesignFixture() {
        NewTutorial(project, home / "safety", "SAFETY");
    }

    LearnerScreenContext Context(const TTutorialConfig& config) {
        return LearnerScreenContext{config, project.ProjectDir, rec.platform()};
    }

    std::filesystem::path InProject(const std::string& name, std::string_view bytes = "x") {
        const auto file = project.ProjectDir / name;
        std::ofstream(file, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return file;
    }
    static std::filesystem::path Picture(const std::filesystem::path& file, Qt::GlobalColor colour = Qt::red) {
        QImage image(16, 12, QImage::Format_RGB32);
        image.fill(colour);
        image.save(QString::fromStdString(file.string()), "BMP");
        return file;
    }

    template <typename T>
    static T* Find(QWidget* parent, const char* name) {
        T* child = parent->findChild<T*>(name);
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    static void Click(QWidget* parent, const char* name) {
        if (auto* b = Find<QAbstractButton>(parent, name)) b->click();
    }
    static void Type(QWidget* parent, const char* name, const QString& text) {
        if (auto* e = Find<QLineEdit>(parent, name)) e->setText(text);
    }

    // With QUILLMARK_SNAPSHOT_DIR set, shown windows are saved there.
    static std::unique_ptr<SnapshotWriter> Snapshots() {
        if (qEnvironmentVariableIsEmpty("QUILLMARK_SNAPSHOT_DIR")) return nullptr;
        return std::make_unique<SnapshotWriter>(qEnvironmentVariable("QUILLMARK_SNAPSHOT_DIR").toStdString());
    }
};

}  // namespace quill::test
