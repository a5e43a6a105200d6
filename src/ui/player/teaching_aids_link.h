#pragma once
// TeachingAidsLink: connects a preview window to the teaching aids: hypertext words, utilities
// and executables are performed by the entry performer (text windows, media, programs, web
// pages, notes), and the notes command opens the notes editor.
#include <QString>
#include <memory>

namespace quill {

class Project;
class SystemServices;
class TTutDisplayForm;
struct Platform;

class TeachingAidsLink {
public:
    TeachingAidsLink(Platform& platform, SystemServices& system);
    ~TeachingAidsLink();
    TeachingAidsLink(const TeachingAidsLink&) = delete;
    TeachingAidsLink& operator=(const TeachingAidsLink&) = delete;

    // The window and the project must outlive the run the window is connected for.
    void Connect(TTutDisplayForm& window, Project& project);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// The notes file's name in the caption the player gives the notes window.
QString NotesFileName(const QString& caption);

}  // namespace quill
