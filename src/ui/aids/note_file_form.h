#pragma once
// TNoteFileForm: the name of the notes file a "B.F.L. NotePad" entry opens. "&View" opens the
// notes editor on it; "&OK" makes the name the entry's command.
#include <QDialog>
#include <memory>
#include <string>

namespace Ui {
class TNoteFileForm;
}

namespace quill {

struct AidsContext;

class TNoteFileForm : public QDialog {
    Q_OBJECT
public:
    TNoteFileForm(AidsContext& context, const std::string& name, QWidget* parent = nullptr);
    ~TNoteFileForm() override;
    std::string FileName() const;  // Windows-1252, trimmed
    void ViewBtnClick();

private:
    AidsContext& context_;
    std::unique_ptr<Ui::TNoteFileForm> ui_;
};

}  // namespace quill
