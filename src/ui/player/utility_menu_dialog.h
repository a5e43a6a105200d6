#pragma once
// UtilityMenuDialog: the utility chooser of the preview window. A list of the tutorial's
// utilities with OK and Cancel; a double-click on the list or Enter closes it as OK.
#include <QDialog>
#include <QStringList>
#include <optional>

class QListWidget;
class QPushButton;

namespace quill {

// Window name (its objectName): TUtMenuForm.
class UtilityMenuDialog : public QDialog {
    Q_OBJECT
public:
    explicit UtilityMenuDialog(const QStringList& names, QWidget* parent = nullptr);

    // The index of the chosen name: the selection when the window closed as OK, else nothing.
    std::optional<int> ChosenIndex() const;
    QString ChosenName() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QListWidget* ListBox1;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
};

}  // namespace quill
