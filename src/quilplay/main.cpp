// quilplay: the learner's player for compiled tutorials. With a display it plays the tutorial
// full screen (or in a window); headless it plays from a file of answers, as quillc play does.
#include <QDir>
#include <iostream>
#include <memory>

#include "platform/application.h"
#include "platform/platform.h"
#include "platform/system_services.h"
#include "player/preview_runner.h"
#include "player/preview_tutorial.h"
#include "app/teaching_aids_link.h"
#include "project/file_names.h"
#include "project/project.h"
#include "quilplay.h"
#include "text/errors.h"
#include "tutorial/tutorial_sequence.h"

namespace {

// Plays the whole tutorial as "Pre-View Tutorial" does, over the tutorial background, which
// covers the screen unless the learner asked for a window.
int PlayInWindow(int argc, char** argv, const quilplay::Options& options) {
    // Qt aborts when it finds no display to open: say so instead.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        std::cerr << "quilplay needs a graphical display; use --answers to play without one\n";
        return quillc::ExitUsage;
    }
    if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND")) qputenv("QT_MEDIA_BACKEND", "gstreamer");
    quill::QuillApplication app(argc, argv);
    quill::QuillApplication::setApplicationName(QStringLiteral("quilplay"));
    quill::QuillApplication::setDesktopFileName(QStringLiteral("org.quillmark.Quilplay"));
    quill::DesktopPlatform desktop(quill::ProgramFolder());
    app.SetMessages(&desktop.platform().messages);

    // Started without a tutorial (from the desktop's menu, say), the learner chooses one.
    const auto chosen = quilplay::WithChosenTutorial(options, [&desktop] {
        quill::FileDialogOptions choice;
        choice.title = QStringLiteral("Choose a tutorial to play");
        choice.filter = QStringLiteral("Compiled Tutorials|*.QKD");
        choice.directory = QDir::homePath().toStdString();
        return desktop.platform().dialogs.OpenFile(choice);
    });
    if (!chosen) return quillc::ExitOk;

    quill::Project project;
    try {
        project = quilplay::OpenCompiledTutorial(*chosen);
    } catch (const std::exception& e) {
        desktop.platform().messages.ShowError(QString::fromUtf8(e.what()));
        return quillc::ExitUsage;
    }

    quill::PreviewChapterRunner runner(desktop.platform());
    runner.SetWindowed(chosen->window);
    // The learner's screen fills the screen or the window (whole multiples where they fit).
    runner.SetScaleMode(quill::ScaleMode::Fit);
    quill::DesktopSystem system;
    // The learner is asked before every program the tutorial starts, unless they chose
    // "Always allow" for it, which is kept in their own data folder (beside the learner folders,
    // where no tutorial's name can reach it).
    const std::filesystem::path dataHome = chosen->dataHome.empty() ? quilplay::DefaultDataHome() : chosen->dataHome;
    system.consent.Configure(dataHome.empty() ? dataHome : dataHome / "quilplay-allowed-tutorials",
                             quill::StartConsent::Memory::EveryTime);
    quill::TeachingAidsLink aids(desktop.platform(), system);
    runner.SetConnectAids([&aids](quill::PreviewWindow& window, quill::Project& open) { aids.Connect(window, open); });
    quill::WindowTutorialStage stage(project, desktop.platform(), runner, system);
    stage.SetWindowed(chosen->window);
    stage.SetScaleMode(quill::ScaleMode::Fit);
    // F11 and Alt+Enter switch the background that shows; the other follows.
    runner.SetOnToggled([&stage](bool fullScreen) { stage.SetWindowed(!fullScreen); });
    stage.SetOnToggled([&runner](bool fullScreen) { runner.SetWindowed(!fullScreen); });
    quill::PlayTutorial(project.Config, stage);
    return quillc::ExitOk;
}

}  // namespace

int main(int argc, char** argv) {
    quillc::Io io{std::cin, std::cout, std::cerr};
    const quillc::Args args(argv + 1, argv + argc);
    bool help = false;
    const auto options = quilplay::ParseArgs(args, io, help);
    if (help) {
        std::cout << quilplay::kHelp;
        return quillc::ExitOk;
    }
    if (!options) return quillc::ExitUsage;
    if (options->dataFolder) {
        // Where this tutorial keeps the learner's files (made when it is not there yet).
        try {
            std::cout << quilplay::OpenCompiledTutorial(*options).LearnerDir.string() << "\n";
        } catch (const std::exception& e) {
            quillc::PrintSystemError(io, e.what());
            return quillc::ExitUsage;
        }
        return quillc::ExitOk;
    }
    if (!options->headless) return PlayInWindow(argc, argv, *options);

    quill::Project project;
    try {
        project = quilplay::OpenCompiledTutorial(*options);
    } catch (const std::exception& e) {
        quillc::PrintSystemError(io, e.what());
        return quillc::ExitUsage;
    }
    return quilplay::PlayHeadless(project, *options, io);
}
