#include "app/instructions_form.h"

#include <QApplication>
#include <QMenuBar>
#include <QPushButton>
#include <QTextDocument>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

#include "app/instruction_document.h"
#include "platform/error_handler.h"
#include "platform/modal.h"
#include "platform/platform.h"
#include "text/file_lookup.h"
#include "text/text_file.h"

namespace quill {

namespace fs = std::filesystem;

TInstructForm::TInstructForm(const fs::path& homeDir, Platform& platform, QWidget* parent)
    : QDialog(parent), homeDir_(homeDir), platform_(platform) {
    setObjectName("TInstructForm");
    setWindowTitle("Instructions");
    SetHelpTopic(this, 1);
    InstallF1Help(this, platform_.help, platform_.helpFile);
    auto* how = new QPushButton("How to Design a Tutorial", this);
    how->setObjectName("HowBtn");
    auto* steps = new QPushButton("Quillmark Step-by-Step Instructions", this);
    steps->setObjectName("StepBtn");
    auto* close = new QPushButton("&Close", this);
    close->setObjectName("CloseBtn");
    connect(how, &QPushButton::clicked, this, [this] { OpenInstructions("tuthow.RTF"); });
    connect(steps, &QPushButton::clicked, this, [this] { OpenInstructions("instruct.RTF"); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(how);
    layout->addWidget(steps);
    layout->addWidget(close);
    setFixedWidth(300);
}

void TInstructForm::OpenInstructions(const char* fileName) {
    const auto found = FindIgnoringCase(homeDir_, fileName);
    std::error_code ec;
    if (!found || !fs::is_regular_file(*found, ec)) {
        platform_.messages.ShowError("The Tutorial file " + QString::fromStdString(DisplayName(homeDir_ / fileName)) +
                                     " was not found");
        return;
    }
    RunGuarded(platform_.messages, [&] {
        TReadForm reader(*found, platform_, parentWidget());
        hide();
        ShowModal(reader);
    });
    show();
}

TReadForm::TReadForm(const fs::path& file, Platform& platform, QWidget* parent)
    : QDialog(parent), platform_(platform) {
    setObjectName("TReadForm");
    setWindowTitle(QString::fromStdString(DisplayName(file)));
    SetHelpTopic(this, 1);
    InstallF1Help(this, platform_.help, platform_.helpFile);

    RichEdit1_ = new QTextEdit(this);
    RichEdit1_->setObjectName("RichEdit1");
    RichEdit1_->setReadOnly(true);
    RichEdit1_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    LoadInstructionDocument(file, RichEdit1_->document());
    // Reading and searching start at the top.
    RichEdit1_->moveCursor(QTextCursor::Start);

    auto* menu = new QMenuBar(this);
    menu->setObjectName("MainMenu1");
    QAction* quit = menu->addAction("&Quit");
    quit->setObjectName("QuitItem");
    QAction* find = menu->addAction("&Find");
    find->setObjectName("FindItem");
    QMenu* print = menu->addMenu("&Print");
    QAction* printItem = print->addAction("&Print");
    printItem->setObjectName("PrintItem");
    QAction* setup = print->addAction("Printer &Setup");
    setup->setObjectName("PrinterSetupItem");
    connect(quit, &QAction::triggered, this, &QDialog::accept);
    connect(find, &QAction::triggered, this, &TReadForm::FindClick);
    // F3 searches again for the last text, from the last hit on.
    auto* again = new QAction(this);
    again->setObjectName("FindAgainItem");
    again->setShortcut(QKeySequence(Qt::Key_F3));
    addAction(again);
    connect(again, &QAction::triggered, this, &TReadForm::FindAgainClick);
    connect(printItem, &QAction::triggered, this, &TReadForm::PrintClick);
    connect(setup, &QAction::triggered, this, &TReadForm::PrinterSetupClick);

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menu);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(RichEdit1_);
    resize(720, 560);
}

void TReadForm::FindClick() {
    // A short selection is what to look for; otherwise the dialog offers the last search.
    const QString selected = RichEdit1_->textCursor().selectedText();
    FindSetup setup;
    setup.options = true;
    setup.initial = lastSearch_;
    if (selected.size() >= 1 && selected.size() <= 29) setup.initial.text = selected;
    lastSearch_ = platform_.dialogs.FindReplace(setup, [this](const FindRequest& request) {
        lastSearch_ = request;
        FindNext();
    });
}

void TReadForm::FindAgainClick() {
    if (lastSearch_.text.isEmpty()) return FindClick();
    FindNext();
}

bool TReadForm::FindNext() {
    if (lastSearch_.text.isEmpty()) return false;
    QTextDocument::FindFlags flags;
    if (lastSearch_.matchCase) flags |= QTextDocument::FindCaseSensitively;
    if (lastSearch_.wholeWord) flags |= QTextDocument::FindWholeWords;
    QTextCursor from(RichEdit1_->document());
    from.setPosition(RichEdit1_->textCursor().selectionEnd());
    const QTextCursor hit = RichEdit1_->document()->find(lastSearch_.text, from, flags);
    if (hit.isNull()) {
        QApplication::beep();
        return false;
    }
    RichEdit1_->setTextCursor(hit);
    return true;
}

void TReadForm::PrintClick() {
    if (!platform_.dialogs.Print(printer_, windowTitle())) return;
    printer_.setDocName(windowTitle());
    RichEdit1_->document()->print(&printer_);
}

void TReadForm::PrinterSetupClick() { platform_.dialogs.PrinterSetup(printer_); }

}  // namespace quill
