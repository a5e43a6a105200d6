#pragma once
// ProgramAboutBox: the program's about box.
#include <QDialog>
#include <memory>

namespace Ui {
class ProgramAboutBox;
}  // namespace Ui

namespace quill {

struct Platform;

// Window name (its objectName): TAboutForm.
class ProgramAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit ProgramAboutBox(Platform& platform, QWidget* parent = nullptr);
    ~ProgramAboutBox() override;

private:
    std::unique_ptr<Ui::ProgramAboutBox> ui_;
};

}  // namespace quill
