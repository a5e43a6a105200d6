#pragma once
// TeachingAidsLink: connects a preview window to the teaching aids: hypertext words, utilities
// and executables are performed by the entry performer (text windows, media, programs, web
// pages, notes), and the notes command opens the notes editor. TeachingAidsWindows gives the
// chapter editor the teaching-aid windows it opens. The window families do not include each
// other; this is where they meet.
#include <QString>
#include <memory>

#include "common/aids_windows.h"

namespace quill {

class Project;
class SystemServices;
class PreviewWindow;
struct Platform;

class TeachingAidsLink {
public:
    TeachingAidsLink(Platform& platform, SystemServices& system);
    ~TeachingAidsLink();
    TeachingAidsLink(const TeachingAidsLink&) = delete;
    TeachingAidsLink& operator=(const TeachingAidsLink&) = delete;

    // The window and the project must outlive the run the window is connected for.
    void Connect(PreviewWindow& window, Project& project);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// Hypertext definition and the heading editor, for the chapter editor.
AidsWindows TeachingAidsWindows();

// The notes file's name in the caption the player gives the notes window.
QString NotesFileName(const QString& caption);

}  // namespace quill
