#include "editor/chapter_pane.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "editor/chapter_edit.h"
#include "editor/chapter_highlighter.h"
#include "editor/chapter_editor.h"
#include "editor/problems_model.h"
#include "platform/messages.h"
#include "project/project.h"
#include "text_codec.h"
#include "tutorial/tutorial_tests.h"

namespace quill {

namespace {

QPushButton* BarButton(QWidget* bar, const char* name, const QString& caption) {
    auto* button = new QPushButton(caption, bar);
    button->setObjectName(name);
    button->setAutoDefault(false);
    bar->layout()->addWidget(button);
    return button;
}

}  // namespace

ChapterPane::ChapterPane(const Project& project, Messages& messages, QWidget* parent)
    : QWidget(parent), project_(project), messages_(messages), recovery_(project.ProjectDir) {
    setObjectName("ChapterPane");
    edit_ = new ChapterEdit(this);
    highlighter_ = new ChapterHighlighter(edit_->document(), ColorTable(project.Config));
    model_ = new ProblemsModel(this);
    checker_ = new BackgroundChecker(this);

    // The find and replace bar.
    findBar_ = new QWidget(this);
    findBar_->setObjectName("FindBar");
    auto* findLayout = new QVBoxLayout(findBar_);
    findLayout->setContentsMargins(0, 2, 0, 2);
    findLayout->setSpacing(2);
    auto* findRow = new QWidget(findBar_);
    findRow->setLayout(new QHBoxLayout);
    findRow->layout()->setContentsMargins(0, 0, 0, 0);
    auto* findLabel = new QLabel("F&ind:", findRow);
    findRow->layout()->addWidget(findLabel);
    findEdit_ = new QLineEdit(findRow);
    findEdit_->setObjectName("FindEdit");
    findLabel->setBuddy(findEdit_);
    findRow->layout()->addWidget(findEdit_);
    QPushButton* next = BarButton(findRow, "FindNextBtn", "&Next");
    QPushButton* previous = BarButton(findRow, "FindPreviousBtn", "Pre&vious");
    matchCase_ = new QCheckBox("Match &case", findRow);
    matchCase_->setObjectName("MatchCaseBox");
    findRow->layout()->addWidget(matchCase_);
    QPushButton* closeFind = BarButton(findRow, "FindCloseBtn", "Close");
    replaceRow_ = new QWidget(findBar_);
    replaceRow_->setLayout(new QHBoxLayout);
    replaceRow_->layout()->setContentsMargins(0, 0, 0, 0);
    auto* replaceLabel = new QLabel("Replace &with:", replaceRow_);
    replaceRow_->layout()->addWidget(replaceLabel);
    replaceEdit_ = new QLineEdit(replaceRow_);
    replaceEdit_->setObjectName("ReplaceEdit");
    replaceLabel->setBuddy(replaceEdit_);
    replaceRow_->layout()->addWidget(replaceEdit_);
    QPushButton* replace = BarButton(replaceRow_, "ReplaceBtn", "&Replace");
    QPushButton* replaceAll = BarButton(replaceRow_, "ReplaceAllBtn", "Replace &All");
    findLayout->addWidget(findRow);
    findLayout->addWidget(replaceRow_);
    findBar_->hide();

    auto notFound = [this](bool found) {
        findEdit_->setStyleSheet(found || findEdit_->text().isEmpty() ? QString() : "QLineEdit { background: #ffd0d0; }");
    };
    connect(next, &QPushButton::clicked, this, [=, this] { notFound(edit_->findText(findEdit_->text(), false, matchCase_->isChecked())); });
    connect(findEdit_, &QLineEdit::returnPressed, next, &QPushButton::click);
    connect(previous, &QPushButton::clicked, this, [=, this] { notFound(edit_->findText(findEdit_->text(), true, matchCase_->isChecked())); });
    connect(replace, &QPushButton::clicked, this, [=, this] {
        notFound(edit_->replaceNext(findEdit_->text(), replaceEdit_->text(), matchCase_->isChecked()));
    });
    connect(replaceAll, &QPushButton::clicked, this, [=, this] {
        notFound(edit_->replaceAll(findEdit_->text(), replaceEdit_->text(), matchCase_->isChecked()) > 0);
    });
    connect(closeFind, &QPushButton::clicked, this, [this] {
        findBar_->hide();
        edit_->setFocus();
    });
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), findBar_, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, closeFind, &QPushButton::click);
    auto* find = new QShortcut(QKeySequence::Find, this, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
    connect(find, &QShortcut::activated, this, [this] { showFindBar(false); });
    auto* findReplace = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_H), this, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
    connect(findReplace, &QShortcut::activated, this, [this] { showFindBar(true); });

    // The problems list.
    summary_ = new QLabel(this);
    summary_->setObjectName("ProblemsSummary");
    list_ = new QListView(this);
    list_->setObjectName("ProblemsList");
    list_->setModel(model_);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setUniformItemSizes(true);
    list_->setFixedHeight(4 * list_->fontMetrics().height() + 8);
    summary_->setBuddy(list_);
    auto jump = [this](const QModelIndex& index) {
        edit_->goToLine(index.data(ProblemsModel::LineRole).toInt());
        edit_->setFocus();
    };
    connect(list_, &QListView::activated, this, jump);
    connect(list_, &QListView::clicked, this, jump);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(edit_, 1);
    layout->addWidget(findBar_);
    layout->addWidget(summary_);
    layout->addWidget(list_);

    checkTimer_.setSingleShot(true);
    checkTimer_.setInterval(kCheckDelayMs);
    connect(&checkTimer_, &QTimer::timeout, this, &ChapterPane::checkNow);
    recoveryTimer_.setSingleShot(true);
    recoveryTimer_.setInterval(kRecoveryDelayMs);
    connect(&recoveryTimer_, &QTimer::timeout, this, &ChapterPane::writeRecoveryNow);
    connect(edit_, &QPlainTextEdit::textChanged, this, &ChapterPane::textChanged);
    connect(checker_, &BackgroundChecker::checked, this, [this](std::vector<ScriptProblem> problems) {
        edit_->setProblems(problems);
        model_->setProblems(std::move(problems));
        const int errors = model_->errorCount();
        const int warnings = static_cast<int>(model_->problems().size()) - errors;
        summary_->setText(errors + warnings == 0
                              ? QStringLiteral("&Problems: none")
                              : QStringLiteral("&Problems: %1 error(s), %2 warning(s)").arg(errors).arg(warnings));
    });
    summary_->setText("&Problems: none");

    // Show Lines Not Reached: from the keyboard anywhere in the pane, and from the problems
    // list's menu.
    notReached_ = new QAction(QStringLiteral("Show Lines &Not Reached"), this);
    notReached_->setObjectName("ShowNotReachedAction");
    notReached_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N));
    notReached_->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(notReached_);
    list_->setContextMenuPolicy(Qt::ActionsContextMenu);
    list_->addAction(notReached_);
    connect(notReached_, &QAction::triggered, this, &ChapterPane::showNotReached);
    checkNow();
}

void ChapterPane::showNotReached() {
    if (chapter_.empty()) {
        messages_.ShowInfo(QStringLiteral("Save the chapter first: the tests play the chapters as saved."));
        return;
    }
    QString error;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    auto lines = UnreachedByTests(project_, chapter_, &error);
    QApplication::restoreOverrideCursor();
    if (!error.isEmpty()) {
        messages_.ShowError(error);
        return;
    }
    const bool none = lines.empty();
    edit_->setUnreached(std::move(lines));
    if (none)
        messages_.ShowInfo(QStringLiteral("The tutorial's tests reach every line of %1.").arg(FromCp1252(chapter_)));
}

ChapterPane::~ChapterPane() = default;

void ChapterPane::textChanged() {
    // The marks belong to the lines as they were run.
    if (!edit_->unreached().empty()) edit_->setUnreached({});
    checkTimer_.start();
    if (edit_->document()->isModified()) recoveryTimer_.start();
}

void ChapterPane::checkNow() {
    checkTimer_.stop();
    checker_->request(EditorText(edit_), CheckSource{project_.Config, project_.ProjectDir, project_.DataFilePath()});
}

bool ChapterPane::waitForCheck(int milliseconds) {
    if (checkTimer_.isActive()) checkNow();
    QElapsedTimer clock;
    clock.start();
    while (checker_->busy() && clock.elapsed() < milliseconds)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return !checker_->busy();
}

void ChapterPane::showFindBar(bool replace) {
    findBar_->show();
    replaceRow_->setVisible(replace);
    const QString selected = edit_->textCursor().selectedText();
    if (!selected.isEmpty() && !selected.contains(QChar::ParagraphSeparator)) findEdit_->setText(selected);
    findEdit_->setFocus();
    findEdit_->selectAll();
}

void ChapterPane::setChapter(const std::string& chapterFile, bool offer) {
    recoveryTimer_.stop();
    recovery_.setChapter(chapterFile);
    chapter_ = chapterFile;
    if (offer) offerRecovery();
    checkNow();
}

void ChapterPane::offerRecovery() {
    const auto kept = recovery_.read();
    if (!kept) return;
    const QString question =
        recovery_.chapter().empty()
            ? QStringLiteral("A new chapter has unsaved text from an earlier session that did not end properly.\r\n"
                             "Do you want to restore it?")
            : QStringLiteral("The chapter %1 has unsaved changes from an earlier session that did not end properly.\r\n"
                             "Do you want to restore them?")
                  .arg(FromCp1252(recovery_.chapter()));
    if (!messages_.Confirm(question)) {
        recovery_.remove();
        return;
    }
    edit_->setPlainText(*kept);
    edit_->document()->setModified(true);
}

void ChapterPane::discardRecovery() {
    recoveryTimer_.stop();
    recovery_.remove();
}

void ChapterPane::writeRecoveryNow() {
    recoveryTimer_.stop();
    if (!edit_->document()->isModified() || project_.ProjectDir.empty()) return;
    if (!recovery_.write(EditorText(edit_)) && recovery_.refused() && !toldRecoveryRefused_) {
        toldRecoveryRefused_ = true;
        messages_.ShowError(QStringLiteral("Unsaved text cannot be kept for recovery: %1 in the tutorial folder is a "
                                           "symbolic link, which is not followed. Save the chapter to keep your work.")
                                .arg(QString::fromUtf8(ChapterRecovery::kFolder)));
    }
}

}  // namespace quill
