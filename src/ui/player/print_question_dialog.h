#pragma once
// PrintQuestionDialog: the question the print command asks before it prints ("Would you like to
// print the file ?", or the chapter's own question) with OK and Cancel; and the printing of
// text lines, one printer line each, after the print dialog.
#include <QDialog>
#include <QStringList>

class QLabel;

namespace quill {

class Dialogs;

// Window name (its objectName): Tprintform.
class PrintQuestionDialog : public QDialog {
    Q_OBJECT
public:
    // An empty question asks the standard one.
    explicit PrintQuestionDialog(const QString& question, QWidget* parent = nullptr);
    QString Question() const;

private:
    QLabel* Panel1;
};

// Shows the print dialog and, when it is confirmed and there are lines, prints each line as a
// line of text ("Courier New" 10 points), starting a new page when one is full. Returns true
// when a job was printed.
bool PrintTextLines(Dialogs& dialogs, const QStringList& lines, const QString& title);

}  // namespace quill
