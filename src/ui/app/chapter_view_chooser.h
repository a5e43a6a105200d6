#pragma once
// ChapterViewChooser: chooses the chapter to view from the project's chapter files.
#include <QDialog>
#include <memory>
#include <string>

namespace Ui {
class ChapterViewChooser;
}  // namespace Ui

namespace quill {

class Project;
struct Platform;

// Window name (its objectName): TViewChapForm.
class ChapterViewChooser : public QDialog {
    Q_OBJECT
public:
    ChapterViewChooser(const Project& project, Platform& platform, QWidget* parent = nullptr);
    ~ChapterViewChooser() override;
    // The chosen chapter's bare name with ".QKS" (Windows-1252); empty when none was chosen.
    const std::string& ChapterFile() const { return chapterFile_; }

    void SelectBtnClick();

private:
    std::unique_ptr<Ui::ChapterViewChooser> ui_;
    std::string chapterFile_;
};

}  // namespace quill
