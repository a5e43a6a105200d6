#pragma once
// TViewChapForm: chooses the chapter to view from the project's chapter files.
#include <QDialog>
#include <string>

class QListWidget;

namespace quill {

class Project;
struct Platform;

class TViewChapForm : public QDialog {
    Q_OBJECT
public:
    TViewChapForm(const Project& project, Platform& platform, QWidget* parent = nullptr);
    // The chosen chapter's bare name with ".QKS" (Windows-1252); empty when none was chosen.
    const std::string& ChapterFile() const { return chapterFile_; }

    void SelectBtnClick();

private:
    QListWidget* FileListBox1_ = nullptr;
    std::string chapterFile_;
};

}  // namespace quill
