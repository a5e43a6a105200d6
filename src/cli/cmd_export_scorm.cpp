#include <filesystem>
#include <iostream>

#include <QGuiApplication>

#include "cli.h"
#include "export/scorm_package.h"
#include "export/web_export.h"
#include "project/project.h"
#include "text/cp1252.h"
#include "text/text_file.h"

namespace quillc {

namespace fs = std::filesystem;

const char* const kExportScormHelp =
    "usage: quillc export-scorm FILE.QKJ FILE.zip\n\n"
    "Writes a SCORM 1.2 package of the tutorial for a learning management system (Moodle and the\n"
    "like): the folder that \"quillc export-web\" writes (the tutorial is compiled first) and an\n"
    "imsmanifest.xml (one organisation, one item, one SCO that starts at index.html), in one zip\n"
    "file. In the LMS the web player reports cmi.core.lesson_status (\"incomplete\" from the start,\n"
    "\"completed\" when the learner has played the tutorial to its end), cmi.core.score.raw (right\n"
    "first answers over questions asked, 0 to 100) and keeps what the tutorial stores for the\n"
    "learner (USER.DAT, files written by file commands) in cmi.suspend_data, so the learner\n"
    "resumes in the next session. SCORM 1.2 allows 4096 characters there: when the learner's\n"
    "files do not fit, the LMS keeps the last state that fitted, the browser the newest, and the\n"
    "learner is told. The zip file is replaced only once the package is complete. Exit status:\n"
    "0 written, 1 the tutorial cannot be exported or the package cannot be written (the message\n"
    "says why), 2 wrong usage or a project file that cannot be read.\n";

int CmdExportScorm(const Args& args, Io io) {
    const auto operands = TwoOperands(args);
    if (!operands) {
        io.err << kExportScormHelp;
        return ExitUsage;
    }
    const fs::path zip(operands->second);
    std::error_code ec;
    if (fs::is_directory(zip, ec)) {
        PrintSystemError(io, "Cannot write the package " + quill::DisplayName(zip) + ": it is a folder");
        return ExitUsage;
    }
    try {
        quill::Project project(quill::ProgramFolder());
        if (!OpenProjectFile(io, project, operands->first)) return ExitUsage;
        // The export draws the screen font's glyphs and converts pictures: it needs Qt's GUI side.
        const auto app = EnsureGuiApplication();
        const std::string title = quill::Cp1252ToUtf8(project.ProgramTitle.empty() ? project.ProjectName : project.ProgramTitle);
        Progress progress(io);
        const quill::WebFolderExport exportFolder = [&](const fs::path& file, const fs::path& folder, std::string* error) {
            return quill::ExportWebFolder(file, folder, error,
                                          [&](int, int, const std::string& what) { progress.Show(what); });
        };
        std::string error;
        const bool written = quill::ExportScormPackage(project.ProjectFilePath(), zip, "QUILL-" + quill::Cp1252ToUtf8(project.ProjectName),
                                                title, exportFolder, &error);
        progress.Done();
        if (!written) {
            PrintSystemErrorLines(io, error);
            return ExitFailed;
        }
        io.out << "INFO: " << EscapeLineBreaks("The SCORM package " + quill::DisplayName(zip) + " is written.") << '\n';
        return ExitOk;
    } catch (const std::exception& e) {
        PrintSystemError(io, e.what());
        return ExitUsage;
    }
}

}  // namespace quillc
