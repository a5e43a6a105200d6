#include "platform/help.h"
#include "platform/help_topics.h"

#include "project/tutorial_folder.h"
#include <QApplication>
#include <QEvent>
#include <functional>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QTextCursor>
#include <QUrl>
#include <QVBoxLayout>

#include "platform/messages.h"
#include "project/file_names.h"
#include "text/file_lookup.h"
#include "text/text_file.h"
#include "text_codec.h"

namespace quill {

namespace fs = std::filesystem;

namespace {

// Calls back when the window it watches is hidden (closed by its button or Escape).
class HelpCloseWatcher : public QObject {
public:
    HelpCloseWatcher(QObject* parent, std::function<void()> onHide) : QObject(parent), onHide_(std::move(onHide)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Hide && watched == parent()) onHide_();
        return false;
    }

private:
    std::function<void()> onHide_;
};

}  // namespace

std::optional<fs::path> HelpBookPath(const fs::path& helpFile) {
    const fs::path folder = helpFile.has_parent_path() ? helpFile.parent_path() : fs::path(".");
    const std::string bare = DiskNameToCp1252(helpFile.filename());
    // Through the folder layer: a help book that is a link out of its folder, or a pipe, is
    // not a help book.
    return TutorialFolder(folder).FindFile(ChangeExtension(bare, ".html"));
}

QString HelpTopicAnchor(int topic) { return QStringLiteral("topic-%1").arg(topic); }

HelpBrowser::~HelpBrowser() { delete window_.data(); }

QTextBrowser* HelpBrowser::Browser() const {
    return window_ ? window_->findChild<QTextBrowser*>("HelpBrowser") : nullptr;
}

void HelpBrowser::ShowTopic(const fs::path& helpFile, int topic) {
    const auto book = HelpBookPath(helpFile);
    if (!book) {
        const QString wanted =
            QString::fromStdString(DisplayName(ChangeExtension(helpFile.string(), ".html")));
        const QString text = "The help book " + wanted + " was not found, so help for " +
                             QString::fromStdString(DisplayName(helpFile.filename())) +
                             " cannot be shown.";
        if (messages_) messages_->ShowError(text);
        return;
    }
    if (!window_) {
        window_ = new QWidget(nullptr, Qt::Window);
        window_->setObjectName("HelpWindow");
        window_->setAttribute(Qt::WA_DeleteOnClose, false);
        // An open help window does not keep the program running once the main window closes.
        window_->setAttribute(Qt::WA_QuitOnClose, false);
        auto* browser = new QTextBrowser(window_);
        browser->setObjectName("HelpBrowser");
        browser->setOpenExternalLinks(true);
        auto* layout = new QVBoxLayout(window_);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        // The search row: a word or phrase, Enter or "Find Next" goes to its next place;
        // "Contents" goes back to the start of the book.
        auto* row = new QHBoxLayout;
        row->setContentsMargins(6, 4, 6, 4);
        auto* label = new QLabel("&Search:", window_);
        auto* edit = new QLineEdit(window_);
        edit->setObjectName("HelpSearchEdit");
        edit->setClearButtonEnabled(true);
        label->setBuddy(edit);
        auto* find = new QPushButton("Find &Next", window_);
        find->setObjectName("HelpFindBtn");
        auto* contents = new QPushButton("&Contents", window_);
        contents->setObjectName("HelpContentsBtn");
        auto* result = new QLabel(window_);
        result->setObjectName("HelpSearchLbl");
        row->addWidget(label);
        row->addWidget(edit, 1);
        row->addWidget(find);
        row->addWidget(result);
        row->addWidget(contents);
        layout->addLayout(row);
        layout->addWidget(browser);
        auto search = [browser, edit, result] {
            if (edit->text().trimmed().isEmpty()) return result->clear();
            result->setText(FindInHelp(browser, edit->text().trimmed()) ? QString() : QStringLiteral("Not found"));
        };
        QObject::connect(edit, &QLineEdit::returnPressed, window_, search);
        QObject::connect(find, &QPushButton::clicked, window_, search);
        QObject::connect(edit, &QLineEdit::textChanged, result, &QLabel::clear);
        QObject::connect(contents, &QPushButton::clicked, browser, [browser] {
            browser->scrollToAnchor(HelpTopicAnchor(TopicNumber(HelpTopic::Contents)));
            browser->moveCursor(QTextCursor::Start);
        });
        auto* findKey = new QShortcut(QKeySequence::Find, window_);
        QObject::connect(findKey, &QShortcut::activated, edit, [edit] {
            edit->setFocus();
            edit->selectAll();
        });
        window_->resize(640, 560);
        auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), window_);
        escape->setObjectName("HelpClose");
        escape->setContext(Qt::WindowShortcut);
        QObject::connect(escape, &QShortcut::activated, window_, &QWidget::close);
        window_->installEventFilter(new HelpCloseWatcher(window_, [this] {
            // The window that asked for help takes the keyboard again (its focused control
            // comes back with it).
            if (!reshowing_ && caller_ && caller_->isVisible()) {
                caller_->raise();
                caller_->activateWindow();
                QApplication::setActiveWindow(caller_);
            }
        }));
    }
    if (QWidget* active = QApplication::activeWindow(); active && active != window_) caller_ = active;
    QUrl url = QUrl::fromLocalFile(QString::fromStdString(book->string()));
    if (topic != 0) url.setFragment(HelpTopicAnchor(topic));
    auto* browser = Browser();
    browser->setSource(url);
    if (topic != 0) browser->scrollToAnchor(HelpTopicAnchor(topic));
    window_->setWindowTitle("Quillmark Help - " + QString::fromStdString(DisplayName(book->filename())));
    // While a modal window is up, only a modal window can take input: the help then comes up
    // modal itself, over the window that asked for it.
    const bool needModal = QApplication::activeModalWidget() != nullptr &&
                           QApplication::activeModalWidget() != window_;
    if (needModal != (window_->windowModality() == Qt::ApplicationModal)) {
        reshowing_ = true;
        window_->hide();
        reshowing_ = false;
        window_->setWindowModality(needModal ? Qt::ApplicationModal : Qt::NonModal);
    }
    window_->show();
    window_->raise();
    window_->activateWindow();
}

bool FindInHelp(QTextBrowser* browser, const QString& text) {
    if (browser->find(text)) return true;
    // Round to the start once; put the cursor back when the book does not hold the text.
    const QTextCursor before = browser->textCursor();
    browser->moveCursor(QTextCursor::Start);
    if (browser->find(text)) return true;
    browser->setTextCursor(before);
    return false;
}

void SetHelpTopic(QWidget* widget, int topic) { widget->setProperty("helpTopic", topic); }
void SetHelpTopic(QWidget* widget, HelpTopic topic) { SetHelpTopic(widget, TopicNumber(topic)); }

int HelpTopicOf(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        const QVariant v = w->property("helpTopic");
        if (v.isValid() && v.toInt() != 0) return v.toInt();
    }
    return 0;
}

void InstallF1Help(QWidget* window, Help& help, const fs::path& helpFile) {
    auto* shortcut = new QShortcut(QKeySequence(Qt::Key_F1), window);
    shortcut->setObjectName("F1Help");
    shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(shortcut, &QShortcut::activated, window, [window, &help, helpFile] {
        QWidget* focus = QApplication::focusWidget();
        const QWidget* from = focus && window->isAncestorOf(focus) ? focus : window;
        help.ShowTopic(helpFile, HelpTopicOf(from));
    });
}

}  // namespace quill
