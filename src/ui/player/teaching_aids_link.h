#pragma once
// TeachingAidsLink: connects a preview window to the teaching aids: hypertext words, utilities
// and executables are performed by the entry performer (text windows, media, programs, web
// pages, notes), and the notes command opens the notes editor. In a build without the teaching
// aids a window is left as it is (every entry counts as not defined).
#include <memory>

namespace quill {

class Project;
class TTutDisplayForm;
struct Platform;

class TeachingAidsLink {
public:
    explicit TeachingAidsLink(Platform& platform);
    ~TeachingAidsLink();
    TeachingAidsLink(const TeachingAidsLink&) = delete;
    TeachingAidsLink& operator=(const TeachingAidsLink&) = delete;

    // The window and the project must outlive the run the window is connected for.
    void Connect(TTutDisplayForm& window, Project& project);

    static bool Available();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace quill
