#pragma once
// NotesFileChooser: the name of the notes file a "B.F.L. NotePad" entry opens. "&View" opens the
// notes editor on it; "&OK" makes the name the entry's command.
#include <QDialog>
#include <memory>
#include <string>

namespace Ui {
class NotesFileChooser;
}

namespace quill {

struct AidsContext;

// Window name (its objectName): TNoteFileForm.
class NotesFileChooser : public QDialog {
    Q_OBJECT
public:
    NotesFileChooser(AidsContext& context, const std::string& name, QWidget* parent = nullptr);
    ~NotesFileChooser() override;
    std::string FileName() const;  // Windows-1252, trimmed
    void ViewBtnClick();

private:
    AidsContext& context_;
    std::unique_ptr<Ui::NotesFileChooser> ui_;
};

}  // namespace quill
