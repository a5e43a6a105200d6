#pragma once
// ChapterRecovery: keeps the unsaved text of a chapter in a recovery file, so that a chapter
// being edited survives a crash of the program. The files live in the hidden folder
// ".quillmark-recovery" of the project folder, one per chapter ("untitled.QKS" for a chapter
// not yet named), and hold the text as the chapter file would (Windows-1252, CR LF).
// The file is removed when the chapter is saved or closed on purpose; one that is still there
// when the chapter is opened again is offered back.
#include <QString>
#include <filesystem>
#include <optional>
#include <string>

namespace quill {

class ChapterRecovery {
public:
    explicit ChapterRecovery(std::filesystem::path projectDir);

    // The chapter the text belongs to: its bare name ("DEMO1.QKS"), empty for a new chapter.
    void setChapter(const std::string& chapterFile);
    const std::string& chapter() const { return chapter_; }
    std::filesystem::path file() const;

    // Writes the text (lines separated by '\n') in place of the last one; false when it could
    // not be written (a read-only folder: the editor goes on without recovery). Files are
    // written, read and removed through the tutorial folder layer: a recovery folder that is a
    // link is refused (refused() tells), a recovery file that is one is never read, written
    // through or followed when removed.
    bool write(const QString& text) const;
    bool refused() const { return refused_; }
    // The kept text, when there is one.
    std::optional<QString> read() const;
    void remove() const;

    static constexpr const char* kFolder = ".quillmark-recovery";

private:
    std::filesystem::path projectDir_;
    std::string chapter_;
    mutable bool refused_ = false;
};

}  // namespace quill
