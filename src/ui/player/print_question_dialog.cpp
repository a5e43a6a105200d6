#include "player/print_question_dialog.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/dialogs.h"

namespace quill {

PrintQuestionDialog::PrintQuestionDialog(const QString& question, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Tprintform"));
    setWindowTitle(QStringLiteral("Print"));
    Panel1 = new QLabel(question.isEmpty() ? QStringLiteral("Would you like to print the file ?") : question, this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setAlignment(Qt::AlignCenter);
    Panel1->setWordWrap(true);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setMinimumHeight(48);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKBtn"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Panel1);
    layout->addLayout(buttons);
    resize(320, 120);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QString PrintQuestionDialog::Question() const { return Panel1->text(); }

bool PrintTextLines(Dialogs& dialogs, const QStringList& lines, const QString& title) {
    QPrinter printer;
    if (!dialogs.Print(printer, title) || lines.isEmpty()) return false;
    printer.setDocName(title);
    QPainter p;
    if (!p.begin(&printer)) return false;
    QFont font(QStringLiteral("Courier New"), 10);
    font.setStyleHint(QFont::TypeWriter);
    p.setFont(font);
    const QFontMetrics metrics(font, p.device());
    const int lineHeight = metrics.lineSpacing();
    const int pageHeight = p.viewport().height();
    int y = metrics.ascent();
    for (const QString& line : lines) {
        if (y > pageHeight) {
            printer.newPage();
            y = metrics.ascent();
        }
        p.drawText(0, y, line);
        y += lineHeight;
    }
    return p.end();
}

}  // namespace quill
