#include "app/instructions_menu.h"

#include <QApplication>
#include <QPushButton>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include "app/instruction_document.h"
#include "platform/error_handler.h"
#include "platform/help_topics.h"
#include "platform/modal.h"
#include "platform/platform.h"
#include "text/file_lookup.h"
#include "text/text_file.h"
#include "ui_instructions_menu.h"
#include "ui_instruction_reader.h"

namespace quill {

namespace fs = std::filesystem;

InstructionsMenu::InstructionsMenu(const fs::path& homeDir, Platform& platform, QWidget* parent)
    : QDialog(parent), homeDir_(homeDir), platform_(platform), ui_(std::make_unique<Ui::InstructionsMenu>()) {
    ui_->setupUi(this);
    SetHelpTopic(this, HelpTopic::Contents);
    InstallF1Help(this, platform_.help, platform_.helpFile);
    connect(ui_->HowBtn, &QPushButton::clicked, this, [this] { OpenInstructions("tuthow.RTF"); });
    connect(ui_->StepBtn, &QPushButton::clicked, this, [this] { OpenInstructions("instruct.RTF"); });
    connect(ui_->CloseBtn, &QPushButton::clicked, this, &QDialog::accept);
}

InstructionsMenu::~InstructionsMenu() = default;

void InstructionsMenu::OpenInstructions(const char* fileName) {
    const auto found = FindIgnoringCase(homeDir_, fileName);
    std::error_code ec;
    if (!found || !fs::is_regular_file(*found, ec)) {
        platform_.messages.ShowError("The Tutorial file " + QString::fromStdString(DisplayName(homeDir_ / fileName)) +
                                     " was not found");
        return;
    }
    RunGuarded(platform_.messages, [&] {
        InstructionReader reader(*found, platform_, parentWidget());
        hide();
        ShowModal(reader);
    });
    show();
}

InstructionReader::InstructionReader(const fs::path& file, Platform& platform, QWidget* parent)
    : QDialog(parent), platform_(platform), ui_(std::make_unique<Ui::InstructionReader>()) {
    ui_->setupUi(this);
    ui_->MainLayout->setMenuBar(ui_->MainMenu1);
    setWindowTitle(QString::fromStdString(DisplayName(file)));
    SetHelpTopic(this, HelpTopic::Contents);
    InstallF1Help(this, platform_.help, platform_.helpFile);

    LoadInstructionDocument(file, ui_->RichEdit1->document());
    // Reading and searching start at the top.
    ui_->RichEdit1->moveCursor(QTextCursor::Start);

    connect(ui_->QuitItem, &QAction::triggered, this, &QDialog::accept);
    connect(ui_->FindItem, &QAction::triggered, this, &InstructionReader::FindClick);
    // F3 searches again for the last text, from the last hit on.
    connect(ui_->FindAgainItem, &QAction::triggered, this, &InstructionReader::FindAgainClick);
    connect(ui_->PrintItem, &QAction::triggered, this, &InstructionReader::PrintClick);
    connect(ui_->PrinterSetupItem, &QAction::triggered, this, &InstructionReader::PrinterSetupClick);
}

InstructionReader::~InstructionReader() = default;

QTextEdit* InstructionReader::Text() const { return ui_->RichEdit1; }

void InstructionReader::FindClick() {
    // A short selection is what to look for; otherwise the dialog offers the last search.
    const QString selected = ui_->RichEdit1->textCursor().selectedText();
    FindSetup setup;
    setup.options = true;
    setup.initial = lastSearch_;
    if (selected.size() >= 1 && selected.size() <= 29) setup.initial.text = selected;
    lastSearch_ = platform_.dialogs.FindReplace(setup, [this](const FindRequest& request) {
        lastSearch_ = request;
        FindNext();
    });
}

void InstructionReader::FindAgainClick() {
    if (lastSearch_.text.isEmpty()) return FindClick();
    FindNext();
}

bool InstructionReader::FindNext() {
    if (lastSearch_.text.isEmpty()) return false;
    QTextDocument::FindFlags flags;
    if (lastSearch_.matchCase) flags |= QTextDocument::FindCaseSensitively;
    if (lastSearch_.wholeWord) flags |= QTextDocument::FindWholeWords;
    QTextCursor from(ui_->RichEdit1->document());
    from.setPosition(ui_->RichEdit1->textCursor().selectionEnd());
    const QTextCursor hit = ui_->RichEdit1->document()->find(lastSearch_.text, from, flags);
    if (hit.isNull()) {
        QApplication::beep();
        return false;
    }
    ui_->RichEdit1->setTextCursor(hit);
    return true;
}

void InstructionReader::PrintClick() {
    if (!platform_.dialogs.Print(printer_, windowTitle())) return;
    printer_.setDocName(windowTitle());
    ui_->RichEdit1->document()->print(&printer_);
}

void InstructionReader::PrinterSetupClick() { platform_.dialogs.PrinterSetup(printer_); }

}  // namespace quill
