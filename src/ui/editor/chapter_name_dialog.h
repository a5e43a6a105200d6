#pragma once
// ChapterNameDialog: the chapter editor's name prompt, "Save Chapter file as :". "Save" is
// refused with a message while the name does not start with the project name.
#include <QDialog>
#include <memory>
#include <string>

namespace Ui {
class ChapterNameDialog;
}  // namespace Ui

namespace quill {

struct Platform;

// Window name (its objectName): TChapNameForm.
class ChapterNameDialog : public QDialog {
    Q_OBJECT
public:
    // `projectName` and `name` are Windows-1252.
    ChapterNameDialog(Platform& platform, const std::string& projectName, const std::string& name,
                  QWidget* parent = nullptr);
    ~ChapterNameDialog() override;
    // The name as entered (Windows-1252).
    std::string Name() const;

    void SaveBtnClick();

private:
    Platform& platform_;
    std::string projectName_;
    std::unique_ptr<Ui::ChapterNameDialog> ui_;
};

// Why a chapter name is refused, or an empty text when it is good: it must start with the
// project name (ignoring case), and so must the name that remains once folder and extension
// are taken off, which must also be a valid file name.
QString ChapterNameRefusal(const std::string& name, const std::string& projectName);

}  // namespace quill
