#pragma once
// PreviewChapterRunner: runs a chapter in the preview window ("View a Chapter" in the main
// window, "View" in the chapter editor). It shows the chapter background window and, centred
// over it, the preview window, runs the chapter through the interpreter with the window as its
// host, and closes both when the run ends.
#include <functional>
#include <string>

#include "app/chapter_runner.h"

namespace quill {

struct Platform;
class TTutDisplayForm;

class PreviewChapterRunner : public ChapterRunner {
public:
    // Gives a window what it needs to perform data file entries and open notes (the teaching
    // aids), before the chapter runs.
    using Connect = std::function<void(TTutDisplayForm& window, Project& project)>;

    explicit PreviewChapterRunner(Platform& platform) : platform_(platform) {}

    void SetConnectAids(Connect connect) { connectAids_ = std::move(connect); }
    // Called with the window once it is shown, before the first line runs.
    void SetOnShown(Connect onShown) { onShown_ = std::move(onShown); }

    void RunChapter(Project& project, const std::string& chapterFile) override;
    // The chapter background as a window of its own (maximised) instead of covering the screen.
    void SetWindowed(bool windowed) { windowed_ = windowed; }

private:
    Platform& platform_;
    Connect connectAids_;
    Connect onShown_;
    bool windowed_ = false;
};

}  // namespace quill
