#pragma once
// TCompileForm: the compile dialog: "Compile One Chapter" (through the chapter chooser
// TChapListForm), "Compile Data File" and "Compile Full Tutorial", each with its messages,
// and "&Close". The dialog hides while an action runs; compiling every chapter shows progress.
#include <QDialog>
#include <memory>
#include <string>

namespace Ui {
class TCompileForm;
class TChapListForm;
}  // namespace Ui

namespace quill {

class KeyGenerator;
class Project;
struct Platform;
struct BuildMessage;

// TChapListForm: the project's chapter files (ProjectName + "*.QKS"), the first selected;
// "Select" or a double click accepts, "&Close" cancels.
class TChapListForm : public QDialog {
    Q_OBJECT
public:
    TChapListForm(const Project& project, Platform& platform, QWidget* parent = nullptr);
    ~TChapListForm() override;
    // The chosen file's bare name ("" when none is chosen).
    std::string Chosen() const;

private:
    std::unique_ptr<Ui::TChapListForm> ui_;
};

class TCompileForm : public QDialog {
    Q_OBJECT
public:
    TCompileForm(const Project& project, Platform& platform, KeyGenerator& keys, QWidget* parent = nullptr);
    ~TCompileForm() override;

    void CompileChapterBtnClick();
    void CompileDataBtnClick();
    void CompileAllBtnClick();

private:
    void Show(const std::vector<BuildMessage>& messages);

    const Project& project_;
    Platform& platform_;
    KeyGenerator& keys_;
    std::unique_ptr<Ui::TCompileForm> ui_;
};

// Shows the build messages in their boxes, in order.
void ShowBuildMessages(Platform& platform, const std::vector<BuildMessage>& messages);

}  // namespace quill
