// The desktop program: the main window over the open project, with the real message boxes,
// dialogs and help. With QUILLMARK_SNAPSHOT_DIR set, every window is also saved as a PNG in
// that folder when it is first shown.
#include <QStandardPaths>
#include <cstdio>
#include <memory>
#include <string_view>

#include "app/main_window.h"
#include "app/program_memory.h"
#include "app/tutorial_actions.h"
#include "platform/application.h"
#include "platform/platform.h"
#include "platform/snapshots.h"
#include "platform/system_services.h"
#include "player/preview_runner.h"
#include "app/teaching_aids_link.h"
#include "project/project.h"
#include "text/errors.h"
#include "text/text_file.h"

namespace {

const char* const kHelp =
    "usage: quillmark [FILE.QKJ]\n\n"
    "Quillmark, the authoring tool for computer-based tutorials: write chapters, keep teaching\n"
    "aids, design how the tutorial looks, preview a chapter or the whole tutorial, compile it and\n"
    "gather a distribution folder for learners. FILE.QKJ opens that tutorial project; without\n"
    "it the last tutorial is opened again.\n\n"
    "The jobs that need no window (check, compile, distribute, play without a display) are done\n"
    "by quillc; learners play distributions with quilplay.\n\n"
    "Environment:\n"
    "  QUILLMARK_SNAPSHOT_DIR  saves a picture of every window as it is first shown\n";

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && (std::string_view(argv[1]) == "--help" || std::string_view(argv[1]) == "-h")) {
        std::fputs(kHelp, stdout);
        return 0;
    }
    // Qt Multimedia plays the tutorial's WAV, MIDI and AVI files through GStreamer.
    if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND")) qputenv("QT_MEDIA_BACKEND", "gstreamer");
    quill::QuillApplication app(argc, argv);
    quill::Project project(quill::ProgramFolder());
    quill::DesktopPlatform desktop(project.HomeDir);
    app.SetMessages(&desktop.platform().messages);

    std::unique_ptr<quill::SnapshotWriter> snapshots;
    const QByteArray snapshotDir = qgetenv("QUILLMARK_SNAPSHOT_DIR");
    if (!snapshotDir.isEmpty())
        snapshots = std::make_unique<quill::SnapshotWriter>(std::filesystem::path(snapshotDir.toStdString()));

    // "View a Chapter" and the chapter editor's "View" run chapters in the preview window; its
    // hypertext words, utilities, executables and notes reach the teaching aids.
    quill::PreviewChapterRunner runner(desktop.platform());
    quill::DesktopSystem system;
    // The author is asked the first time a tutorial folder's programs would start in the
    // preview; "Always allow" is kept in the program's own data folder.
    const QString dataDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    system.consent.Configure(dataDir.isEmpty() ? std::filesystem::path()
                                                : std::filesystem::path(dataDir.toStdString()) / "allowed-tutorials",
                             quill::StartConsent::Memory::OncePerFolder);
    quill::TeachingAidsLink aids(desktop.platform(), system);
    runner.SetConnectAids([&aids](quill::PreviewWindow& window, quill::Project& open) { aids.Connect(window, open); });

    // "quillmark FILE.QKJ" (an opened project file, from the file manager) opens that project.
    if (argc > 1) {
        const std::filesystem::path file = std::filesystem::absolute(argv[1]);
        std::error_code ec;
        try {
            if (!std::filesystem::is_regular_file(file, ec))
                throw quill::IoError("The tutorial file " + quill::DisplayName(file) + " was not found.");
            quill::SelectTutorial(project, file);
            std::filesystem::current_path(project.ProjectDir, ec);
        } catch (const quill::IoError& e) {
            desktop.platform().messages.ShowError(QString::fromUtf8(e.what()));
        }
    }

    quill::MainWindow window(project, desktop.platform(), runner);
    window.SetSystemServices(&system);
    quill::ProgramMemory memory(quill::ProgramMemory::DefaultFile());
    window.SetMemory(&memory);
    // The tutorial type, program presentation, whole-tutorial preview, compile and distribution.
    quill::TutorialActions tutorial(project, desktop.platform(), runner, system);
    tutorial.Connect(window);
    window.UpdateButtons();
    window.SetLowColor(quill::MainWindow::DisplayIsLowColor());
    window.showMaximized();
    return quill::QuillApplication::exec();
}
