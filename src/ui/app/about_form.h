#pragma once
// TAboutForm: the program's about box.
#include <QDialog>
#include <memory>

namespace Ui {
class TAboutForm;
}  // namespace Ui

namespace quill {

struct Platform;

class TAboutForm : public QDialog {
    Q_OBJECT
public:
    explicit TAboutForm(Platform& platform, QWidget* parent = nullptr);
    ~TAboutForm() override;

private:
    std::unique_ptr<Ui::TAboutForm> ui_;
};

}  // namespace quill
