#pragma once
// The program's message box: an icon, the text and a row of buttons, sized to fit the screen.
// The text wraps at a share of the screen's width (words longer than that are broken, so a long
// path shows whole); a text too tall for the screen scrolls, so the buttons always stay on it.
#include <QDialog>
#include <QDialogButtonBox>
#include <QMessageBox>

class QTextEdit;

namespace quill {

class MessageBoxDialog : public QDialog {
    Q_OBJECT
public:
    // `escapeButton` is the answer when the box is closed with Escape or its close button.
    MessageBoxDialog(QMessageBox::Icon icon, const QString& title, const QString& text,
                     QDialogButtonBox::StandardButtons buttons, QDialogButtonBox::StandardButton defaultButton,
                     QDialogButtonBox::StandardButton escapeButton, QWidget* parent = nullptr);

    // The button the box was closed with.
    QDialogButtonBox::StandardButton answer() const { return answer_; }
    QTextEdit* textArea() const { return text_; }
    QDialogButtonBox* buttons() const { return buttons_; }

private:
    void fitTo(const QRect& available);

    QTextEdit* text_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
    QDialogButtonBox::StandardButton answer_;
};

}  // namespace quill
