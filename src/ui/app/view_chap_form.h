#pragma once
// TViewChapForm: chooses the chapter to view from the project's chapter files.
#include <QDialog>
#include <memory>
#include <string>

namespace Ui {
class TViewChapForm;
}  // namespace Ui

namespace quill {

class Project;
struct Platform;

class TViewChapForm : public QDialog {
    Q_OBJECT
public:
    TViewChapForm(const Project& project, Platform& platform, QWidget* parent = nullptr);
    ~TViewChapForm() override;
    // The chosen chapter's bare name with ".QKS" (Windows-1252); empty when none was chosen.
    const std::string& ChapterFile() const { return chapterFile_; }

    void SelectBtnClick();

private:
    std::unique_ptr<Ui::TViewChapForm> ui_;
    std::string chapterFile_;
};

}  // namespace quill
