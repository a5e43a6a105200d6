#include "aids/notes_form.h"

#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <QVBoxLayout>

#include "common/editor_text.h"
#include "platform/error_handler.h"
#include "platform/platform.h"
#include "text/file_lookup.h"
#include "text/text_file.h"
#include "text_codec.h"

namespace quill {

namespace fs = std::filesystem;

namespace {

const QString kTextFilter = "Text Files|*.TXT|All Files|*.*";

}  // namespace

THNotesForm::THNotesForm(Platform& platform, const fs::path& file, const QString& name, QWidget* parent)
    : QDialog(parent), platform_(platform), printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    setObjectName("THNotesForm");
    InstallF1Help(this, platform_.help, platform_.helpFile);

    auto* menuBar = new QMenuBar(this);
    menuBar->setObjectName("MainMenu1");
    QMenu* fileMenu = menuBar->addMenu("&File");
    fileMenu->setObjectName("FileMenu");
    AddItem(fileMenu, "&New", "NewItem", QKeySequence("Ctrl+N"), &THNotesForm::NewItemClick);
    AddItem(fileMenu, "&Open", "OpenItem", QKeySequence("Ctrl+O"), &THNotesForm::OpenItemClick);
    QAction* save = AddItem(fileMenu, "&Save", "SaveItem", QKeySequence("Ctrl+S"), nullptr);
    connect(save, &QAction::triggered, this, [this] { SaveItemClick(); });
    auto* saveAs = fileMenu->addAction("Save &As...");
    saveAs->setObjectName("SaveAsItem");
    connect(saveAs, &QAction::triggered, this, [this] { SaveAsItemClick(); });
    fileMenu->addSeparator();
    AddItem(fileMenu, "&Print", "PrintItem", QKeySequence("Ctrl+P"), &THNotesForm::PrintItemClick);
    AddItem(fileMenu, "Prin&t Setup...", "PrintSetupItem", {}, &THNotesForm::PrintSetupItemClick);
    fileMenu->addSeparator();
    auto* exit = fileMenu->addAction("E&xit");
    exit->setObjectName("ExitItem");
    connect(exit, &QAction::triggered, this, &QDialog::reject);

    QMenu* editMenu = menuBar->addMenu("&Edit");
    editMenu->setObjectName("EditMenu");
    CutItem_ = editMenu->addAction("Cu&t");
    CutItem_->setObjectName("CutItem");
    CutItem_->setShortcut(QKeySequence("Ctrl+X"));
    CopyItem_ = editMenu->addAction("&Copy");
    CopyItem_->setObjectName("CopyItem");
    CopyItem_->setShortcut(QKeySequence("Ctrl+C"));
    PasteItem_ = editMenu->addAction("&Paste");
    PasteItem_->setObjectName("PasteItem");
    PasteItem_->setShortcut(QKeySequence("Ctrl+V"));
    editMenu->addSeparator();
    AddItem(editMenu, "&Find...", "FindItem", {}, &THNotesForm::FindItemClick);
    AddItem(editMenu, "R&eplace...", "ReplaceItem", {}, &THNotesForm::ReplaceItemClick);
    connect(editMenu, &QMenu::aboutToShow, this, &THNotesForm::UpdateEditItems);

    Memo1_ = new QPlainTextEdit(this);
    Memo1_->setObjectName("Memo1");
    QFont font("Courier New", 10);
    font.setStyleHint(QFont::Monospace);
    Memo1_->setFont(font);
    // Long lines wrap at the window's edge: the text has a vertical scroll bar only.
    Memo1_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Memo1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(CutItem_, &QAction::triggered, Memo1_, &QPlainTextEdit::cut);
    connect(CopyItem_, &QAction::triggered, Memo1_, &QPlainTextEdit::copy);
    connect(PasteItem_, &QAction::triggered, Memo1_, &QPlainTextEdit::paste);
    connect(Memo1_, &QPlainTextEdit::copyAvailable, this, [this] { UpdateEditItems(); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setMenuBar(menuBar);
    layout->addWidget(Memo1_);
    resize(600, 420);

    currentFile_ = file;
    std::error_code ec;
    if (fs::exists(file, ec)) LoadFile(file);
    SetCaption(name.isEmpty() ? BareName() : name);
    UpdateEditItems();
}

QAction* THNotesForm::AddItem(QMenu* menu, const QString& text, const char* name, const QKeySequence& keys,
                              void (THNotesForm::*slot)()) {
    QAction* action = menu->addAction(text);
    action->setObjectName(name);
    if (!keys.isEmpty()) action->setShortcut(keys);
    if (slot) connect(action, &QAction::triggered, this, slot);
    return action;
}

bool THNotesForm::Modified() const { return Memo1_->document()->isModified(); }

QString THNotesForm::BareName() const { return FromCp1252(DiskNameToCp1252(currentFile_.filename())); }

void THNotesForm::SetCaption(const QString& name) {
    setWindowTitle("Current File : " + (name.isEmpty() ? QStringLiteral("Untitled") : name));
}

void THNotesForm::LoadFile(const fs::path& file) {
    RunGuarded(platform_.messages, [&] {
        const std::vector<std::string> lines = SplitLines(ReadFileBytes(file));
        QStringList text;
        text.reserve(static_cast<qsizetype>(lines.size()));
        for (const std::string& line : lines) text << FromCp1252(line);
        Memo1_->setPlainText(text.join('\n'));
    });
    Memo1_->document()->setModified(false);
}

bool THNotesForm::WriteFile(const fs::path& file) {
    return RunGuarded(platform_.messages, [&] {
        std::vector<std::string> lines;
        const QString text = EditorText(Memo1_);  // keeps no-break spaces
        if (!text.isEmpty())
            for (const QString& line : text.split('\n')) lines.push_back(ToCp1252(line));
        WriteTextLines(file, lines);
    });
}

bool THNotesForm::AskToSave() {
    if (!Modified()) return true;
    const QString name = currentFile_.empty() ? QStringLiteral("Untitled") : BareName();
    switch (platform_.messages.AskSave("File " + name + " has changed. Save Now?")) {
        case SaveAnswer::Cancel: return false;
        case SaveAnswer::No: return true;
        case SaveAnswer::Yes: return SaveItemClick();  // a save that did not happen keeps the text
    }
    return false;
}

void THNotesForm::NewItemClick() {
    if (!AskToSave()) return;
    Memo1_->clear();
    Memo1_->document()->setModified(false);
    currentFile_.clear();
    SetCaption({});
}

void THNotesForm::OpenItemClick() {
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

bool THNotesForm::SaveItemClick() {
    if (currentFile_.empty()) return SaveAsItemClick();
    if (!WriteFile(currentFile_)) return false;
    Memo1_->document()->setModified(false);
    return true;
}

bool THNotesForm::SaveAsItemClick() {
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
    Memo1_->document()->setModified(false);
    return true;
}

void THNotesForm::PrintText(QPrinter& printer) const {
    QPainter painter;
    if (!painter.begin(&printer)) {
        platform_.messages.ShowError("The printer could not be started.");
        return;
    }
    const QFont font(Memo1_->font(), painter.device());
    painter.setFont(font);
    const QFontMetrics metrics(font, painter.device());
    const QRect page = painter.viewport();
    int y = 0;
    for (QTextBlock block = Memo1_->document()->begin(); block.isValid(); block = block.next()) {
        if (y > 0 && y + metrics.height() > page.height()) {
            printer.newPage();
            y = 0;
        }
        painter.drawText(0, y + metrics.ascent(), block.text());
        y += metrics.lineSpacing();
    }
    painter.end();
}

void THNotesForm::PrintItemClick() {
    if (platform_.dialogs.Print(*printer_, "Print")) PrintText(*printer_);
}

void THNotesForm::PrintSetupItemClick() { platform_.dialogs.PrinterSetup(*printer_); }

bool THNotesForm::FindNext(const QString& text) {
    if (text.isEmpty()) return false;
    const QTextCursor cursor = Memo1_->textCursor();
    const QTextCursor hit =
        Memo1_->document()->find(text, cursor.selectionEnd(), QTextDocument::FindCaseSensitively);
    if (hit.isNull()) {
        QApplication::beep();
        return false;
    }
    Memo1_->setTextCursor(hit);
    return true;
}

bool THNotesForm::ReplaceOnce(const QString& text, const QString& replacement) {
    if (text.isEmpty()) return false;
    if (Memo1_->textCursor().selectedText() != text && !FindNext(text)) return false;
    QTextCursor cursor = Memo1_->textCursor();
    if (!cursor.hasSelection()) return false;
    cursor.insertText(replacement);
    Memo1_->setTextCursor(cursor);
    return true;
}

int THNotesForm::ReplaceAll(const QString& text, const QString& replacement) {
    int count = 0;
    QTextCursor block = Memo1_->textCursor();
    block.beginEditBlock();
    while (ReplaceOnce(text, replacement)) ++count;
    block.endEditBlock();
    return count;
}

void THNotesForm::FindItemClick() {
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

void THNotesForm::ReplaceItemClick() {
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

void THNotesForm::UpdateEditItems() {
    const bool selected = Memo1_->textCursor().hasSelection();
    CutItem_->setEnabled(selected);
    CopyItem_->setEnabled(selected);
    const QMimeData* data = QApplication::clipboard()->mimeData();
    PasteItem_->setEnabled(data && data->hasText());
}

void THNotesForm::done(int result) {
    if (!AskToSave()) return;
    QDialog::done(result);
}

}  // namespace quill
