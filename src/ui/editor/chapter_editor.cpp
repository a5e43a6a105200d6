#include "editor/chapter_editor.h"

#include <QApplication>
#include <QClipboard>
#include <QAbstractItemView>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTextDocumentFragment>
#include <QVBoxLayout>

#include "common/aids_context.h"
#include "common/chapter_runner.h"
#include "editor/chapter_edit.h"
#include "editor/chapter_pane.h"
#include "editor/chapter_name_dialog.h"
#include "editor/commands/editor_commands.h"
#include "platform/error_handler.h"
#include "platform/help_topics.h"
#include "platform/platform.h"
#include "project/file_names.h"
#include "project/project.h"
#include "project/tutorial_folder.h"
#include "text/file_lookup.h"
#include "text/text_file.h"
#include "text_codec.h"

namespace quill {

namespace fs = std::filesystem;

namespace {

const QString kModifiedQuestion = "The Chapter has been modified. Do you want to save it?";

QFont EditorFont() {
    QFont font("Courier New");
    font.setPixelSize(13);
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

QPlainTextEdit* TextArea(QWidget* parent, const QString& name, QPlainTextEdit* edit = nullptr) {
    if (!edit) edit = new QPlainTextEdit(parent);
    edit->setObjectName(name);
    edit->setFont(EditorFont());
    edit->setLineWrapMode(QPlainTextEdit::NoWrap);
    edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    return edit;
}

// A drop-down that shows a caption instead of a current item: its list opens on the first item,
// so Enter picks it and the arrows move from there.
class CaptionCombo : public QComboBox {
public:
    using QComboBox::QComboBox;
    void showPopup() override {
        QComboBox::showPopup();
        if (currentIndex() < 0 && count() > 0) view()->setCurrentIndex(model()->index(0, modelColumn()));
    }
};

}  // namespace

ChapterEditor::ChapterEditor(Project& project, Platform& platform, ChapterRunner& runner, QWidget* parent)
    : QDialog(parent), project_(project), platform_(platform), runner_(runner) {
    setObjectName("TEditForm");
    setWindowTitle("Press F1 for Help");
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    SetHelpTopic(this, HelpTopic::ChapterEditor);
    InstallF1Help(this, platform_.help, platform_.helpFile);

    PageControl1_ = new QTabWidget(this);
    PageControl1_->setObjectName("PageControl1");

    // The chapter tab.
    auto* chapterTab = new QWidget;
    chapterTab->setObjectName("TabSheet1");
    auto* top = new QWidget(chapterTab);
    top->setObjectName("TopPnl");
    top->setLayout(new QHBoxLayout);
    top->layout()->setContentsMargins(0, 0, 0, 0);
    top->layout()->setSpacing(3);
    for (const auto& [name, caption, marker] :
         {std::tuple{"RBtn", "R", "^R"}, {"BBtn", "B", "^B"}, {"IBtn", "I", "^I"}, {"UBtn", "U", "^U"},
          {"SlowBtn", "Slow", "~$"}}) {
        QPushButton* button = AddButton(top, name, caption);
        const QString text = marker;
        connect(button, &QPushButton::clicked, this, [this, text] {
            InsertAtCaret(text);
            AfterAction();
        });
        button->setMaximumWidth(QString(caption).size() > 1 ? 48 : 28);
    }
    for (const auto& [name, caption] :
         {std::pair{control::TextColorBtn, "Text Color"}, {control::TextBackBtn, "Text Background"}}) {
        QPushButton* button = AddButton(top, name, caption);
        const QString control = name;
        actions_[control] = [this, caption] { ShowNotAvailable(platform_.messages, caption); };
        connect(button, &QPushButton::clicked, this, [this, control] {
            Guarded(actions_.value(control));
            AfterAction();
        });
    }
    QPushButton* hyper = AddButton(top, "HyperTextBtn", "HyperText");
    connect(hyper, &QPushButton::clicked, this, [this] {
        InsertAtCaret("|");
        AfterAction();
    });
    CommandsCombo_ = new CaptionCombo(top);
    CommandsCombo_->setObjectName("CommandsCombo");
    CommandsCombo_->setPlaceholderText(" Commands");
    CommandsCombo_->addItems({"Basic Commands", "Screen Display", "Drawing Boxes", "Screen Effects", "Using Images",
                              "InterActive", "Recording to Disk", "Non-Linear ", "Advanced", "Change Defaults"});
    CommandsCombo_->setCurrentIndex(-1);
    // The shown text " Commands" is the drop-down's caption, drawn like any enabled caption
    // (a placeholder would be drawn grey, as if the drop-down were disabled).
    QPalette comboPalette = CommandsCombo_->palette();
    comboPalette.setColor(QPalette::PlaceholderText, comboPalette.color(QPalette::ButtonText));
    CommandsCombo_->setPalette(comboPalette);
    actions_[control::CommandsCombo] = [this] { ShowNotAvailable(platform_.messages, commandItem_.trimmed() + " Commands"); };
    connect(CommandsCombo_, &QComboBox::activated, this, [this](int index) {
        commandItem_ = CommandsCombo_->itemText(index);
        CommandsCombo_->setCurrentIndex(-1);
        Guarded(actions_.value(control::CommandsCombo));
        AfterAction();
    });
    top->layout()->addWidget(CommandsCombo_);
    static_cast<QHBoxLayout*>(top->layout())->addStretch();

    pane_ = new ChapterPane(project_, platform_.messages, chapterTab);
    Memo1_ = TextArea(chapterTab, "Memo1", pane_->editor());
    Memo1_->setContextMenuPolicy(Qt::CustomContextMenu);
    PopupMenu1_ = new QMenu(this);
    PopupMenu1_->setObjectName("PopupMenu1");
    auto addItem = [this](const QString& caption, const char* name, auto slot) {
        QAction* action = PopupMenu1_->addAction(caption);
        action->setObjectName(name);
        connect(action, &QAction::triggered, Memo1_, slot);
    };
    addItem("Undo", "UndoItem", &QPlainTextEdit::undo);
    PopupMenu1_->addSeparator();
    addItem("Copy", "CopyItem", &QPlainTextEdit::copy);
    addItem("Paste", "PasteItem", &QPlainTextEdit::paste);
    addItem("Cut", "CutItem", &QPlainTextEdit::cut);
    QAction* remove = PopupMenu1_->addAction("Delete");
    remove->setObjectName("DeleteItem");
    connect(remove, &QAction::triggered, this, [this] { Memo1_->textCursor().removeSelectedText(); });
    PopupMenu1_->addSeparator();
    addItem("Select All", "SelectAllItem", &QPlainTextEdit::selectAll);
    connect(Memo1_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu1_->exec(Memo1_->viewport()->mapToGlobal(at)); });

    auto* bottom = new QWidget(chapterTab);
    bottom->setObjectName("BottomPnl");
    bottom->setLayout(new QHBoxLayout);
    bottom->layout()->setContentsMargins(0, 0, 0, 0);
    QPushButton* define = AddButton(bottom, control::DefineHyperBtn, "Define HyperText");
    actions_[control::DefineHyperBtn] = [this] { DefineHyperBtnClick(); };
    connect(define, &QPushButton::clicked, this, [this] {
        Guarded(actions_.value(control::DefineHyperBtn));
        AfterAction();
    });
    connect(AddButton(bottom, "PasteTextBtn", "Paste Text"), &QPushButton::clicked, this, &ChapterEditor::PasteTextBtnClick);
    connect(AddButton(bottom, "ViewBtn", "View"), &QPushButton::clicked, this, &ChapterEditor::ViewBtnClick);
    connect(AddButton(bottom, "SaveBtn", "Save Chapter"), &QPushButton::clicked, this, &ChapterEditor::SaveBtnClick);
    connect(AddButton(bottom, "OpenBtn", "Open File"), &QPushButton::clicked, this, &ChapterEditor::OpenBtnClick);
    connect(AddButton(bottom, "CloseBtn", "&Close"), &QPushButton::clicked, this, &QDialog::accept);

    auto* chapterLayout = new QVBoxLayout(chapterTab);
    chapterLayout->setContentsMargins(4, 4, 4, 4);
    chapterLayout->addWidget(top);
    chapterLayout->addWidget(pane_);
    chapterLayout->addWidget(bottom);
    PageControl1_->addTab(chapterTab, "Tutorial Chapter Editor");

    // The text-file tab.
    auto* sideTab = new QWidget;
    sideTab->setObjectName("TabSheet2");
    Memo2_ = TextArea(sideTab, "Memo2");
    Memo2_->setStyleSheet("QPlainTextEdit { color: navy; background: aqua; }");
    auto* sideBar = new QWidget(sideTab);
    sideBar->setLayout(new QHBoxLayout);
    sideBar->layout()->setContentsMargins(0, 0, 0, 0);
    connect(AddButton(sideBar, "CopyMarkedBtn", "Copy Marked Text"), &QPushButton::clicked, this,
            &ChapterEditor::CopyMarkedBtnClick);
    connect(AddButton(sideBar, "SaveTextBtn", "Save Text File"), &QPushButton::clicked, this,
            &ChapterEditor::SaveTextBtnClick);
    connect(AddButton(sideBar, "OpenTextBtn", "Open Text File"), &QPushButton::clicked, this,
            &ChapterEditor::OpenTextBtnClick);
    auto* sideLayout = new QVBoxLayout(sideTab);
    sideLayout->setContentsMargins(4, 4, 4, 4);
    sideLayout->addWidget(Memo2_);
    sideLayout->addWidget(sideBar);
    PageControl1_->addTab(sideTab, " Text File Editor ");
    PageControl1_->setTabText(1, "Text File Editor");
    connect(PageControl1_, &QTabWidget::currentChanged, this, [this] { AfterAction(); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(PageControl1_);
    resize(640, 480);
    Memo1_->setFocus();
    // "Text Color", "Text Background" and the command dialogs of the drop-down.
    EditorCommands::Install(*this, project_, platform_);
    pane_->offerRecovery();
}

QPushButton* ChapterEditor::AddButton(QWidget* bar, const QString& name, const QString& caption) {
    auto* button = new QPushButton(caption, bar);
    button->setObjectName(name);
    button->setAutoDefault(false);
    button->setFocusPolicy(Qt::TabFocus);
    bar->layout()->addWidget(button);
    return button;
}

void ChapterEditor::SetAction(ControlName control, std::function<void()> action) {
    actions_[control] = std::move(action);
}

bool ChapterEditor::Modified() const { return Memo1_->document()->isModified(); }

void ChapterEditor::InsertAtCaret(const QString& text) { Memo1_->insertPlainText(text); }

void ChapterEditor::AfterAction() {
    (PageControl1_->currentIndex() == 0 ? Memo1_ : Memo2_)->setFocus();
}

void ChapterEditor::Guarded(const std::function<void()>& action) {
    if (action) RunGuarded(platform_.messages, action);
}

void ChapterEditor::SetChapterFile(const std::string& name) {
    chapterFile_ = name;
    PageControl1_->setTabText(0, FromCp1252(name));
}

void ChapterEditor::WriteChapter() {
    TutorialFolder(project_.ProjectDir).ReplaceLines(project_.FilePath(chapterFile_), ChapterLines(EditorText(Memo1_)));
    Memo1_->document()->setModified(false);
    // Saved: the recovery file of the text (as untitled, or under this name) is no longer needed.
    pane_->discardRecovery();
    pane_->setChapter(chapterFile_, false);
    pane_->discardRecovery();
}

void ChapterEditor::LoadChapter(const std::string& name) {
    pane_->discardRecovery();  // the text being left was saved or deliberately not
    // Through the tutorial folder: a chapter that is a link out of it is not shown.
    const TutorialFolder folder(project_.ProjectDir);
    if (const auto found = folder.FindFile(name))
        Memo1_->setPlainText(ChapterTextFromBytes(folder.Read(*found)));
    else
        Memo1_->clear();
    Memo1_->document()->setModified(false);
    SetChapterFile(name);
    pane_->setChapter(name, true);
}

bool ChapterEditor::SaveWithPrompt() {
    ChapterNameDialog prompt(platform_, project_.ProjectName, chapterFile_, this);
    if (prompt.exec() != QDialog::Accepted) return false;
    const std::string entered = prompt.Name();
    if (entered.empty()) return false;
    const std::string name = NameOnly(entered) + ".QKS";
    // The name is taken only once the file is written: a failed write keeps the old name.
    const std::string previous = chapterFile_;
    chapterFile_ = name;
    try {
        WriteChapter();
    } catch (...) {
        chapterFile_ = previous;
        throw;
    }
    SetChapterFile(name);
    return true;
}

void ChapterEditor::DefineHyperBtnClick() {
    if (!system_ || !aidsWindows_.defineHypertext) return ShowNotAvailable(platform_.messages, "Define HyperText");
    AidsContext context{project_, platform_, *system_};
    aidsWindows_.defineHypertext(context, EditorText(Memo1_).split('\n'), this);
    // The data file may have new links: the problem list is checked against it again.
    pane_->checkNow();
}

void ChapterEditor::EditHeadings() {
    if (!system_ || !aidsWindows_.editHeadings) return ShowNotAvailable(platform_.messages, "Modify");
    AidsContext context{project_, platform_, *system_};
    aidsWindows_.editHeadings(context, this);
}

void ChapterEditor::SaveBtnClick() {
    Guarded([this] { SaveWithPrompt(); });
    AfterAction();
}

void ChapterEditor::OpenBtnClick() {
    Guarded([this] {
        if (!Memo1_->toPlainText().isEmpty() && Modified() && platform_.messages.Confirm(kModifiedQuestion))
            SaveWithPrompt();
        FileDialogOptions options;
        options.title = "Open";
        options.filter = "Chapter Files|" + FromCp1252(project_.ProjectName) + "*.QKS";
        options.defaultSuffix = "QKS";
        options.directory = project_.ProjectDir;
        options.mustExist = false;  // a chapter that does not exist yet is a new, empty one
        const auto chosen = platform_.dialogs.OpenFile(options);
        if (!chosen) return;
        const std::string bare = DiskNameToCp1252(chosen->filename());
        // The rule of the Save prompt: a chapter opened is a chapter that can be saved again.
        if (const QString refusal = ChapterNameRefusal(bare, project_.ProjectName); !refusal.isEmpty()) {
            platform_.messages.ShowError(refusal);
            return;
        }
        LoadChapter(NameOnly(bare) + ".QKS");
    });
    AfterAction();
}

void ChapterEditor::ViewBtnClick() {
    if (chapterFile_.empty()) {
        platform_.messages.ShowError("The Chapter filename has not been specified.\r\n\r\nUse Save Chapter to name the file");
        AfterAction();
        return;
    }
    // Hidden while the chapter runs, then shown again where it was: the saved geometry
    // includes the window frame, so the editor does not creep by the frame's size each time.
    const QByteArray geometry = saveGeometry();
    hide();
    Guarded([this] {
        WriteChapter();
        runner_.RunChapter(project_, chapterFile_);
    });
    restoreGeometry(geometry);
    show();
    activateWindow();
    Memo1_->setFocus();
}

void ChapterEditor::PasteTextBtnClick() {
    Memo1_->paste();
    AfterAction();
}

void ChapterEditor::CopyMarkedBtnClick() {
    const QString selected = Memo2_->textCursor().selection().toPlainText();
    if (!selected.isEmpty()) QApplication::clipboard()->setText(selected);
    AfterAction();
}

void ChapterEditor::OpenTextBtnClick() {
    Guarded([this] {
        FileDialogOptions options;
        options.title = "Open Text File";
        options.filter = "Text Files|*.*";
        options.directory = sideFile_.empty() ? project_.ProjectDir : fs::path(sideFile_).parent_path();
        const auto chosen = platform_.dialogs.OpenFile(options);
        std::error_code ec;
        if (!chosen || !fs::is_regular_file(*chosen, ec)) return;
        Memo2_->setPlainText(ChapterTextFromBytes(ReadFileBytes(*chosen)));
        sideFile_ = chosen->string();
        PageControl1_->setTabText(1, QString::fromStdString(DisplayName(*chosen)));
    });
    AfterAction();
}

void ChapterEditor::SaveTextBtnClick() {
    Guarded([this] {
        if (Memo2_->toPlainText().isEmpty()) return;
        FileDialogOptions options;
        options.title = "Save Text File";
        options.filter = "Text Files|*.*";
        options.directory = sideFile_.empty() ? project_.ProjectDir : fs::path(sideFile_).parent_path();
        options.fileName = QString::fromStdString(sideFile_);
        const auto chosen = platform_.dialogs.SaveFile(options);
        if (!chosen) return;
        WriteTextLines(*chosen, ChapterLines(EditorText(Memo2_)));
    });
    AfterAction();
}

void ChapterEditor::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void ChapterEditor::done(int result) {
    if (closing_) return;
    closing_ = true;
    bool saved = true;
    if (Modified() && platform_.messages.Confirm(kModifiedQuestion))
        saved = RunGuarded(platform_.messages, [this] { SaveWithPrompt(); });
    closing_ = false;
    // A save that failed (the error has been shown) keeps the editor open, so that the chapter
    // is not lost; a cancelled name prompt discards the changes.
    if (!saved) return;
    pane_->discardRecovery();
    QDialog::done(result);
}

}  // namespace quill
