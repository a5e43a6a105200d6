// quilplay: the learner's player for compiled tutorials. With a display it plays the tutorial
// full screen (or in a window); headless it plays from a file of answers, as quillc play does.
#include <QGuiApplication>
#include <QScreen>
#include <iostream>
#include <memory>

#include "engine/chapter_player.h"
#include "platform/application.h"
#include "platform/platform.h"
#include "platform/system_services.h"
#include "player/chp_back_form.h"
#include "player/teaching_aids_link.h"
#include "player/tut_display_form.h"
#include "project/file_names.h"
#include "project/project.h"
#include "quilplay.h"
#include "screen/text_screen.h"
#include "text/errors.h"
#include "text_codec.h"

namespace {

// Plays the starting chapter in the preview window over the tutorial background, which fills
// the screen unless the learner asked for a window.
int PlayInWindow(int argc, char** argv, const quilplay::Options& options) {
    if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND")) qputenv("QT_MEDIA_BACKEND", "gstreamer");
    quill::QuillApplication app(argc, argv);
    quill::QuillApplication::setApplicationName(QStringLiteral("quilplay"));
    quill::QuillApplication::setDesktopFileName(QStringLiteral("org.quillmark.Quilplay"));
    quill::DesktopPlatform desktop(quill::ProgramFolder());
    app.SetMessages(&desktop.platform().messages);

    quill::Project project;
    try {
        project = quilplay::OpenCompiledTutorial(options);
    } catch (const std::exception& e) {
        desktop.platform().messages.ShowError(QString::fromUtf8(e.what()));
        return quillc::ExitUsage;
    }

    quill::DesktopSystem system;
    quill::TeachingAidsLink aids(desktop.platform(), system);
    quill::TChpBackForm back(project, desktop.platform().messages);
    quill::TTutDisplayForm window(project, desktop.platform(), &back);
    window.setWindowModality(Qt::ApplicationModal);
    quill::TextScreen screen(project.Config, project.ProjectDir, &window);
    window.setScreen(&screen);
    if (!options.window) back.ShowFullScreen();
    QScreen* desktopScreen = back.screen() ? back.screen() : QGuiApplication::primaryScreen();
    if (desktopScreen) {
        QRect frame = window.frameGeometry();
        frame.moveCenter(desktopScreen->geometry().center());
        window.move(frame.topLeft());
    }
    window.show();
    window.raise();
    window.activateWindow();
    window.setFocus();
    window.FormActivate();
    aids.Connect(window, project);

    quill::PlayResult result;
    if (!window.stopRequested()) {
        quill::ChapterPlayer player(project, screen, window);
        result = player.run(quilplay::StartingChapter(project));
    }
    window.setScreen(nullptr);
    window.close();
    back.close();
    return result.end == quill::PlayEnd::ScriptError ? quillc::ExitFailed : quillc::ExitOk;
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
