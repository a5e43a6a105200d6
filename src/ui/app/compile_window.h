#pragma once
// CompileWindow: the compile dialog: "Compile One Chapter" (through the chapter chooser
// CompiledChapterList), "Compile Data File" and "Compile Full Tutorial", each with its messages,
// and "&Close". The dialog hides while an action runs; compiling every chapter shows progress.
#include <QDialog>
#include <memory>
#include <string>

namespace Ui {
class CompileWindow;
class CompiledChapterList;
}  // namespace Ui

namespace quill {

class KeyGenerator;
class Project;
struct Platform;
struct BuildMessage;

// CompiledChapterList: the project's chapter files (ProjectName + "*.QKS"), the first selected;
// "Select" or a double click accepts, "&Close" cancels.
// Window name (its objectName): TChapListForm.
class CompiledChapterList : public QDialog {
    Q_OBJECT
public:
    CompiledChapterList(const Project& project, Platform& platform, QWidget* parent = nullptr);
    ~CompiledChapterList() override;
    // The chosen file's bare name ("" when none is chosen).
    std::string Chosen() const;

private:
    std::unique_ptr<Ui::CompiledChapterList> ui_;
};

// Window name (its objectName): TCompileForm.
class CompileWindow : public QDialog {
    Q_OBJECT
public:
    CompileWindow(const Project& project, Platform& platform, KeyGenerator& keys, QWidget* parent = nullptr);
    ~CompileWindow() override;

    void CompileChapterBtnClick();
    void CompileDataBtnClick();
    void CompileAllBtnClick();

private:
    void Show(const std::vector<BuildMessage>& messages);

    const Project& project_;
    Platform& platform_;
    KeyGenerator& keys_;
    std::unique_ptr<Ui::CompileWindow> ui_;
};

// Shows the build messages in their boxes, in order.
void ShowBuildMessages(Platform& platform, const std::vector<BuildMessage>& messages);

}  // namespace quill
