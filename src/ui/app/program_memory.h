#pragma once
// What the program remembers from one run to the next: the tutorials opened last, whether the
// sample tutorial was already offered, and where the chapter editor stood. It is kept in one
// small settings file; a file that cannot be read or written costs nothing but the memory (the
// program then starts as on its first run).
#include <QByteArray>
#include <QString>
#include <filesystem>
#include <vector>

namespace quill {

class ProgramMemory {
public:
    static constexpr int kRecentCount = 6;

    // Remembers in `file` (empty: remembers nothing, for runs that must not keep anything).
    explicit ProgramMemory(std::filesystem::path file);
    // The settings file in the user's configuration folder.
    static std::filesystem::path DefaultFile();

    // The project files opened last, the latest first, those that still exist.
    std::vector<std::filesystem::path> RecentTutorials() const;
    void TutorialOpened(const std::filesystem::path& projectFile);

    bool SampleOffered() const;
    void SetSampleOffered();

    // The chapter editor's size and place (QWidget::saveGeometry), empty when not known.
    QByteArray EditorGeometry() const;
    void SetEditorGeometry(const QByteArray& geometry);

private:
    QString file_;
};

}  // namespace quill
