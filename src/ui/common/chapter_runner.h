#pragma once
// The seam between the windows that start a chapter ("View a Chapter" in the main window,
// "View" in the chapter editor) and the preview player that runs it.
#include <string>

#include "project/project.h"

namespace quill {

class Messages;

class ChapterRunner {
public:
    virtual ~ChapterRunner() = default;
    // Runs the chapter source `chapterFile` (a bare ".QKS" name in the project folder, Windows-1252)
    // until it ends; returns when the preview closes.
    virtual void RunChapter(Project& project, const std::string& chapterFile) = 0;
};

// Stands in while the preview window is not part of the program: says so in an information box.
class UnavailableChapterRunner : public ChapterRunner {
public:
    explicit UnavailableChapterRunner(Messages& messages) : messages_(messages) {}
    void RunChapter(Project& project, const std::string& chapterFile) override;

private:
    Messages& messages_;
};

}  // namespace quill
