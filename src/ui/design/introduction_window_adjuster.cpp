#include "design/introduction_window_adjuster.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "common/stretch_handle.h"
#include "platform/help_topics.h"
#include "platform/platform.h"
#include "common/introduction_screen.h"
#include "project/project.h"

namespace quill {

namespace S = cfg::Intro;

IntroductionWindowAdjuster::IntroductionWindowAdjuster(const Project& project, Platform& platform, const TTutorialConfig& record,
                               const std::vector<std::string>& text, QWidget* parent)
    : QDialog(parent), platform_(platform), copy_(record), context_{copy_, project.ProjectDir, platform} {
    setObjectName("TIntAdjustForm");
    setWindowTitle("Press Mouse Right Button for Menu");
    SetHelpTopic(this, HelpTopic::AdjustTextWindow);
    InstallF1Help(this, platform_.help, platform_.helpFile);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    if (QMenuBar* menu = NewIntroMenuBar(context_, this, [this] { close(); })) layout->setMenuBar(menu);
    screen_ = new IntroductionScreen(context_, text, this);
    layout->addWidget(screen_);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    handle_ = new StretchHandle(screen_);
    handle_->SetBounds(screen_->rect());
    QTextBrowser* window = screen_->TextWindow();
    window->viewport()->installEventFilter(this);
    // The keys belong to the window, which moves the text window with them.
    window->setFocusPolicy(Qt::NoFocus);
    setFocusPolicy(Qt::StrongFocus);
    window->installEventFilter(this);

    PopupMenu1_ = new QMenu(this);
    PopupMenu1_->setObjectName("PopupMenu1");
    QAction* help = PopupMenu1_->addAction("Help");
    help->setObjectName("HelpItem");
    connect(help, &QAction::triggered, this, [this] { platform_.ShowHelp(TopicNumber(HelpTopic::AdjustTextWindow)); });
    QAction* save = PopupMenu1_->addAction("&Save and Quit");
    save->setObjectName("SaveItem");
    connect(save, &QAction::triggered, this, &IntroductionWindowAdjuster::SaveAndQuit);
    QAction* quit = PopupMenu1_->addAction("&Quit");
    quit->setObjectName("QuitItem");
    connect(quit, &QAction::triggered, this, &IntroductionWindowAdjuster::Quit);

    if (QScreen* s = QGuiApplication::primaryScreen()) {
        adjustSize();
        move(s->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    }
}

IntroductionWindowAdjuster::~IntroductionWindowAdjuster() = default;

bool IntroductionWindowAdjuster::eventFilter(QObject* watched, QEvent* event) {
    QTextBrowser* window = screen_->TextWindow();
    if (watched != window && watched != window->viewport()) return QDialog::eventFilter(watched, event);
    const auto type = event->type();
    if (type == QEvent::ContextMenu) {
        // The adjust window's own menu, not the text area's.
        PopupMenu1_->popup(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    }
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease &&
        type != QEvent::MouseButtonDblClick)
        return QDialog::eventFilter(watched, event);
    auto* mouse = static_cast<QMouseEvent*>(event);
    // Where the mouse is on the screen, from the widget that got the event.
    const QPoint at = static_cast<QWidget*>(watched)->mapTo(screen_, mouse->position().toPoint());
    if (type == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton) {
        handle_->Attach(window);
        handle_->BeginDrag(at, HandleZone::Move);
    } else if (type == QEvent::MouseMove) {
        handle_->DragTo(at);
    } else if (type == QEvent::MouseButtonRelease && mouse->button() == Qt::LeftButton) {
        handle_->EndDrag(at);
    }
    // The text window takes no mouse input of its own here: it is being placed.
    return mouse->button() != Qt::RightButton;
}

void IntroductionWindowAdjuster::contextMenuEvent(QContextMenuEvent* event) { PopupMenu1_->popup(event->globalPos()); }

void IntroductionWindowAdjuster::keyPressEvent(QKeyEvent* event) {
    const auto key = AdjusterKeyStep(*event);
    if (!key) {
        QDialog::keyPressEvent(event);
        return;
    }
    // The handles, when shown, follow the text window.
    QTextBrowser* window = screen_->TextWindow();
    window->setGeometry(StepRect(window->geometry(), key->step, key->resize, kHandleMinimum, screen_->rect()));
}

void IntroductionWindowAdjuster::StoreWindow() {
    const QRect r = screen_->TextWindow()->geometry();
    const TScreenBackgroundLayout& s = S::Screen;
    copy_.set(s.WindowLeft, r.x());
    copy_.set(s.WindowTop, r.y());
    copy_.set(s.WindowWidth, r.width());
    copy_.set(s.WindowHeight, r.height());
}

void IntroductionWindowAdjuster::SaveAndQuit() {
    StoreWindow();
    saved_ = true;
    closing_ = true;
    accept();
}

void IntroductionWindowAdjuster::Quit() { close(); }

void IntroductionWindowAdjuster::reject() { close(); }

void IntroductionWindowAdjuster::closeEvent(QCloseEvent* event) {
    if (!closing_) {
        closing_ = true;
        if (platform_.messages.Confirm("Save changes?")) {
            StoreWindow();
            saved_ = true;
        }
        handle_->Detach();
        event->accept();
        QDialog::done(saved_ ? QDialog::Accepted : QDialog::Rejected);
        return;
    }
    event->accept();
}

bool AdjustTextWindow(const Project& project, Platform& platform, TTutorialConfig& record,
                      const std::vector<std::string>& text, QWidget* parent) {
    IntroductionWindowAdjuster form(project, platform, record, text, parent);
    form.exec();
    if (!form.Saved()) return false;
    const TScreenBackgroundLayout& s = S::Screen;
    for (const IntField& f : {s.WindowLeft, s.WindowTop, s.WindowWidth, s.WindowHeight})
        record.set(f, form.Record().get(f));
    return true;
}

}  // namespace quill
