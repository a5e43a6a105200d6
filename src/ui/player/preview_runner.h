#pragma once
// PreviewChapterRunner: runs a chapter in the preview window ("View a Chapter" in the main
// window, "View" in the chapter editor). It shows the chapter background window and, centred
// over it, the preview window, runs the chapter through the interpreter with the window as its
// host, and closes both when the run ends.
#include <functional>
#include <string>

class QWidget;

#include "common/chapter_runner.h"
#include "common/screen_scale.h"

namespace quill {

struct Platform;
class PreviewWindow;
// The window class's former name, still used by quilplay's start (src/quilplay/main.cpp); goes
// when that says PreviewWindow.
using TTutDisplayForm = PreviewWindow;

class PreviewChapterRunner : public ChapterRunner {
public:
    // Gives a window what it needs to perform data file entries and open notes (the teaching
    // aids), before the chapter runs.
    using Connect = std::function<void(PreviewWindow& window, Project& project)>;

    explicit PreviewChapterRunner(Platform& platform) : platform_(platform) {}

    void SetConnectAids(Connect connect) { connectAids_ = std::move(connect); }
    // Called with the window once it is shown, before the first line runs.
    void SetOnShown(Connect onShown) { onShown_ = std::move(onShown); }

    void RunChapter(Project& project, const std::string& chapterFile) override;
    // The chapter background as an ordinary window instead of covering the screen. F11 (or
    // Alt+Enter) switches while a chapter runs; `toggled` hears of it, and the next chapter
    // starts as the last one was left.
    void SetWindowed(bool windowed) { windowed_ = windowed; }
    void SetOnToggled(std::function<void(bool fullScreen)> toggled) { toggled_ = std::move(toggled); }
    // The scale of the learner's screen: 1 x, 2 x, or fitted to the background (ChooseScale).
    // The learner's choice in the preview window's View menu is kept for the next chapter.
    void SetScaleMode(ScaleMode mode) { scaleMode_ = mode; }
    ScaleMode GetScaleMode() const { return scaleMode_; }

private:
    Platform& platform_;
    Connect connectAids_;
    Connect onShown_;
    bool windowed_ = false;
    std::function<void(bool)> toggled_;
    ScaleMode scaleMode_ = ScaleMode::One;
};

// Scales the preview window for `mode` to the inside of `back` and centres it there.
void FitOver(PreviewWindow& window, const QWidget& back, ScaleMode mode);

}  // namespace quill
