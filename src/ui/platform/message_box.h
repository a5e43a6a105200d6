#pragma once
// The program's message box: an icon, the text and a row of buttons, sized to fit the screen.
// A short text is shown whole; a text too tall or too wide for the screen is shown in a
// scrolling area, so the buttons always stay on screen.
#include <QDialog>
#include <QDialogButtonBox>
#include <QMessageBox>

class QLabel;
class QScrollArea;

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
    QScrollArea* textArea() const { return area_; }
    QDialogButtonBox* buttons() const { return buttons_; }

private:
    void fitTo(const QRect& available);

    QLabel* text_ = nullptr;
    QScrollArea* area_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
    QDialogButtonBox::StandardButton answer_;
};

}  // namespace quill
