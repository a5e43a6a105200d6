#include "aids/notes_editor.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>

#include "common/editor_text.h"
#include "platform/error_handler.h"
#include "platform/platform.h"
#include "text/file_lookup.h"
#include "text/text_file.h"
#include "text_codec.h"
#include "ui_notes_editor.h"

namespace quill {

namespace fs = std::filesystem;

namespace {

const QString kTextFilter = "Text Files|*.TXT|All Files|*.*";

}  // namespace

NotesEditor::NotesEditor(Platform& platform, const fs::path& file, const QString& name, QWidget* parent)
    : QDialog(parent),
      platform_(platform),
      ui_(std::make_unique<Ui::NotesEditor>()),
      printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    ui_->setupUi(this);
    ui_->MainLayout->setMenuBar(ui_->MainMenu1);
    InstallF1Help(this, platform_.help, platform_.helpFile);

    connect(ui_->NewItem, &QAction::triggered, this, &NotesEditor::NewItemClick);
    connect(ui_->OpenItem, &QAction::triggered, this, &NotesEditor::OpenItemClick);
    connect(ui_->SaveItem, &QAction::triggered, this, [this] { SaveItemClick(); });
    connect(ui_->SaveAsItem, &QAction::triggered, this, [this] { SaveAsItemClick(); });
    connect(ui_->PrintItem, &QAction::triggered, this, &NotesEditor::PrintItemClick);
    connect(ui_->PrintSetupItem, &QAction::triggered, this, &NotesEditor::PrintSetupItemClick);
    connect(ui_->ExitItem, &QAction::triggered, this, &QDialog::reject);
    connect(ui_->FindItem, &QAction::triggered, this, &NotesEditor::FindItemClick);
    connect(ui_->ReplaceItem, &QAction::triggered, this, &NotesEditor::ReplaceItemClick);
    connect(ui_->EditMenu, &QMenu::aboutToShow, this, &NotesEditor::UpdateEditItems);

    // The family's fallback is a fixed-pitch font, which a .ui font cannot say.
    QFont font("Courier New", 10);
    font.setStyleHint(QFont::Monospace);
    ui_->Memo1->setFont(font);
    connect(ui_->CutItem, &QAction::triggered, ui_->Memo1, &QPlainTextEdit::cut);
    connect(ui_->CopyItem, &QAction::triggered, ui_->Memo1, &QPlainTextEdit::copy);
    connect(ui_->PasteItem, &QAction::triggered, ui_->Memo1, &QPlainTextEdit::paste);
    connect(ui_->Memo1, &QPlainTextEdit::copyAvailable, this, [this] { UpdateEditItems(); });

    currentFile_ = file;
    std::error_code ec;
    if (fs::exists(file, ec)) LoadFile(file);
    SetCaption(name.isEmpty() ? BareName() : name);
    UpdateEditItems();
}

NotesEditor::~NotesEditor() = default;

QPlainTextEdit* NotesEditor::Memo() const { return ui_->Memo1; }

bool NotesEditor::Modified() const { return ui_->Memo1->document()->isModified(); }

QString NotesEditor::BareName() const { return FromCp1252(DiskNameToCp1252(currentFile_.filename())); }

void NotesEditor::SetCaption(const QString& name) {
    setWindowTitle("Current File : " + (name.isEmpty() ? QStringLiteral("Untitled") : name));
}

void NotesEditor::LoadFile(const fs::path& file) {
    RunGuarded(platform_.messages, [&] {
        const std::vector<std::string> lines = SplitLines(ReadFileBytes(file));
        QStringList text;
        text.reserve(static_cast<qsizetype>(lines.size()));
        for (const std::string& line : lines) text << FromCp1252(line);
        ui_->Memo1->setPlainText(text.join('\n'));
    });
    ui_->Memo1->document()->setModified(false);
}

bool NotesEditor::WriteFile(const fs::path& file) {
    return RunGuarded(platform_.messages, [&] {
        std::vector<std::string> lines;
        const QString text = EditorText(ui_->Memo1);  // keeps no-break spaces
        if (!text.isEmpty())
            for (const QString& line : text.split('\n')) lines.push_back(ToCp1252(line));
        WriteTextLines(file, lines);
    });
}

bool NotesEditor::AskToSave() {
    if (!Modified()) return true;
    const QString name = currentFile_.empty() ? QStringLiteral("Untitled") : BareName();
    switch (platform_.messages.AskSave("File " + name + " has changed. Save Now?")) {
        case SaveAnswer::Cancel: return false;
        case SaveAnswer::No: return true;
        case SaveAnswer::Yes: return SaveItemClick();  // a save that did not happen keeps the text
    }
    return false;
}

void NotesEditor::NewItemClick() {
    if (!AskToSave()) return;
    ui_->Memo1->clear();
    ui_->Memo1->document()->setModified(false);
    currentFile_.clear();
    SetCaption({});
}

void NotesEditor::OpenItemClick() {
    if (!AskToSave()) return;
    FileDialogOptions options;
    options.title = "Open";
    options.filter = kTextFilter;
    options.defaultSuffix = "TXT";
    options.directory = currentFile_.has_parent_path() ? currentFile_.parent_path() : fs::current_path();
    const auto chosen = platform_.dialogs.OpenFile(options);
    if (!chosen) return;
    std::error_code ec;
    if (!fs::is_regular_file(*chosen, ec)) {
        platform_.messages.ShowError("The file " + QString::fromStdString(DisplayName(*chosen)) + " does not exist.");
        return;
    }
    LoadFile(*chosen);
    currentFile_ = *chosen;
    SetCaption(BareName());
}

bool NotesEditor::SaveItemClick() {
    if (currentFile_.empty()) return SaveAsItemClick();
    if (!WriteFile(currentFile_)) return false;
    ui_->Memo1->document()->setModified(false);
    return true;
}

bool NotesEditor::SaveAsItemClick() {
    FileDialogOptions options;
    options.title = "Save As";
    options.filter = kTextFilter;
    options.defaultSuffix = "TXT";
    options.directory = currentFile_.has_parent_path() ? currentFile_.parent_path() : fs::current_path();
    options.fileName = BareName();
    const auto chosen = platform_.dialogs.SaveFile(options);
    if (!chosen) return false;
    if (!WriteFile(*chosen)) return false;
    currentFile_ = *chosen;
    SetCaption(BareName());
    ui_->Memo1->document()->setModified(false);
    return true;
}

void NotesEditor::PrintText(QPrinter& printer) const {
    QPainter painter;
    if (!painter.begin(&printer)) {
        platform_.messages.ShowError("The printer could not be started.");
        return;
    }
    const QFont font(ui_->Memo1->font(), painter.device());
    painter.setFont(font);
    const QFontMetrics metrics(font, painter.device());
    const QRect page = painter.viewport();
    int y = 0;
    for (QTextBlock block = ui_->Memo1->document()->begin(); block.isValid(); block = block.next()) {
        if (y > 0 && y + metrics.height() > page.height()) {
            printer.newPage();
            y = 0;
        }
        painter.drawText(0, y + metrics.ascent(), block.text());
        y += metrics.lineSpacing();
    }
    painter.end();
}

void NotesEditor::PrintItemClick() {
    if (platform_.dialogs.Print(*printer_, "Print")) PrintText(*printer_);
}

void NotesEditor::PrintSetupItemClick() { platform_.dialogs.PrinterSetup(*printer_); }

bool NotesEditor::FindNext(const QString& text) {
    if (text.isEmpty()) return false;
    const QTextCursor cursor = ui_->Memo1->textCursor();
    const QTextCursor hit =
        ui_->Memo1->document()->find(text, cursor.selectionEnd(), QTextDocument::FindCaseSensitively);
    if (hit.isNull()) {
        QApplication::beep();
        return false;
    }
    ui_->Memo1->setTextCursor(hit);
    return true;
}

bool NotesEditor::ReplaceOnce(const QString& text, const QString& replacement) {
    if (text.isEmpty()) return false;
    if (ui_->Memo1->textCursor().selectedText() != text && !FindNext(text)) return false;
    QTextCursor cursor = ui_->Memo1->textCursor();
    if (!cursor.hasSelection()) return false;
    cursor.insertText(replacement);
    ui_->Memo1->setTextCursor(cursor);
    return true;
}

int NotesEditor::ReplaceAll(const QString& text, const QString& replacement) {
    int count = 0;
    QTextCursor block = ui_->Memo1->textCursor();
    block.beginEditBlock();
    while (ReplaceOnce(text, replacement)) ++count;
    block.endEditBlock();
    return count;
}

void NotesEditor::FindItemClick() {
    // The search always matches letter case and goes down, so the dialog offers no options.
    FindSetup setup;
    setup.initial.text = findText_;
    findText_ = platform_.dialogs
                    .FindReplace(setup,
                                 [this](const FindRequest& request) {
                                     findText_ = request.text;
                                     FindNext(findText_);
                                 })
                    .text;
}

void NotesEditor::ReplaceItemClick() {
    FindSetup setup;
    setup.replace = true;
    setup.initial.text = findText_;
    setup.initial.replacement = replaceText_;
    const FindRequest last = platform_.dialogs.FindReplace(setup, [this](const FindRequest& request) {
        findText_ = request.text;
        replaceText_ = request.replacement;
        switch (request.action) {
            case FindRequest::Action::FindNext: FindNext(findText_); break;
            case FindRequest::Action::Replace: ReplaceOnce(findText_, replaceText_); break;
            case FindRequest::Action::ReplaceAll: ReplaceAll(findText_, replaceText_); break;
        }
    });
    findText_ = last.text;
    replaceText_ = last.replacement;
}

void NotesEditor::UpdateEditItems() {
    const bool selected = ui_->Memo1->textCursor().hasSelection();
    ui_->CutItem->setEnabled(selected);
    ui_->CopyItem->setEnabled(selected);
    const QMimeData* data = QApplication::clipboard()->mimeData();
    ui_->PasteItem->setEnabled(data && data->hasText());
}

void NotesEditor::done(int result) {
    if (!AskToSave()) return;
    QDialog::done(result);
}

}  // namespace quill
