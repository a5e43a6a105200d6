#include "player/preview_runner.h"

#include <QGuiApplication>
#include <QScreen>

#include "engine/chapter_player.h"
#include "platform/platform.h"
#include "player/chapter_backdrop.h"
#include "player/preview_window.h"
#include "project/file_names.h"
#include "project/project.h"
#include "project/tutorial_source.h"
#include "screen/text_screen.h"
#include "text/file_lookup.h"
#include "text_codec.h"

namespace quill {

void PreviewChapterRunner::RunChapter(Project& project, const std::string& chapterFile) {
    const std::string file = NameOnly(chapterFile) + ".QKS";
    // A missing chapter is reported before any window shows.
    const std::string onDisk = SourceOf(project)->ChapterFileName(file);
    if (!FindIgnoringCase(project.ProjectDir, onDisk)) {
        platform_.messages.ShowError(FromCp1252(onDisk + " was not found"));
        return;
    }

    ChapterBackdrop back(project, platform_.messages);
    back.SetOnToggled([this](bool fullScreen) {
        windowed_ = !fullScreen;
        if (toggled_) toggled_(fullScreen);
    });
    PreviewWindow window(project, platform_, &back);
    window.setWindowModality(Qt::ApplicationModal);
    TextScreen screen(project.Config, project.ProjectDir, &window.host());
    window.setScreen(&screen);

    if (windowed_)
        back.ShowWindowed();
    else
        back.ShowFullScreen();
    // The screen is scaled and centred over the background, again whenever the background
    // changes (F11, a resized or moved window) or the learner picks another scale.
    window.setScaleMode(scaleMode_);
    const auto place = [this, &window, &back] { FitOver(window, back, scaleMode_); };
    window.setScaleChooser([this, place](ScaleMode mode) {
        scaleMode_ = mode;
        place();
    });
    place();
    QObject::connect(&back, &ChapterBackdrop::Placed, &window, place);
    window.show();
    place();
    window.raise();
    window.activateWindow();
    window.setFocus();
    window.FormActivate();
    if (connectAids_) connectAids_(window, project);
    if (onShown_) onShown_(window, project);

    if (!window.host().stopRequested()) {
        ChapterPlayer player(project, screen, window.host());
        player.run(file);
    }
    window.setScreen(nullptr);
    window.close();
    back.close();
}

void FitOver(PreviewWindow& window, const QWidget& back, ScaleMode mode) {
    const QSize frame = window.frameGeometry().size() - window.size();
    window.setScale(ChooseScaleOn(mode, back.size(), frame));
    QRect outer = window.frameGeometry();
    outer.moveCenter(back.geometry().center());
    window.move(outer.topLeft());
}

}  // namespace quill
