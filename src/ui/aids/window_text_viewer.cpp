#include "aids/window_text_viewer.h"

#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QPixmap>
#include <QScreen>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "common/aids_context.h"
#include "aids/entry_rules.h"
#include "aids/sizing_panel.h"
#include "datafile/color_notation.h"
#include "platform/help.h"
#include "platform/help_topics.h"
#include "platform/modal.h"
#include "platform/platform.h"
#include "project/project.h"
#include "richtext/rtf_reader.h"
#include "screen/sample_chapter.h"
#include "screen/text_screen.h"
#include "text_codec.h"

namespace quill {

namespace {
constexpr int kBarHeight = TextScreen::kControlBarHeight;
}

WindowTextViewer::WindowTextViewer(AidsContext& context, const std::vector<std::string>& text, const std::string& color,
                               QWidget* parent)
    : QDialog(parent), context_(context) {
    setObjectName("TWTextTestForm");
    const TTutorialConfig& config = context_.project.Config;
    setWindowTitle(FromCp1252(config.get(cfg::Program::ProgramTitle)));
    SetHelpTopic(this, HelpTopic::WindowTextViewer);
    InstallF1Help(this, context_.platform.help, context_.platform.helpFile);

    // The screen and its control bar are drawn by the learner's screen, as a chapter shows them.
    SampleChapter sample;
    const QImage picture = RenderSampleChapter(config, context_.project.ProjectDir, sample);
    auto* screen = new QLabel(this);
    screen->setObjectName("ScreenArea");
    screen->setFixedSize(kDesignWidth, kDesignHeight - kBarHeight);
    screen->setPixmap(QPixmap::fromImage(picture.copy(0, 0, kDesignWidth, kDesignHeight - kBarHeight)));
    auto* bar = new QLabel(this);
    bar->setObjectName("ControlBar");
    bar->setFixedSize(kDesignWidth, kBarHeight);
    bar->setPixmap(QPixmap::fromImage(picture.copy(0, kDesignHeight - kBarHeight, kDesignWidth, kBarHeight)));

    // The text carries the sizing handles every adjuster shows.
    panel_ = new SizingPanel(screen, 0, HandleStyle::Squares);
    panel_->setObjectName("TextPnl");
    auto* view = new QTextBrowser(panel_);
    view->setObjectName("RichEdit1");
    auto doc = RichTextDocument(text);
    doc->setParent(view);
    view->setDocument(doc.release());
    QPalette viewPal = view->palette();
    viewPal.setColor(QPalette::Base, ColourFromRecord(StringToColor(color).value_or(0x00FFFFFF)));
    view->setPalette(viewPal);
    view->setFrameShape(QFrame::NoFrame);
    view->setAttribute(Qt::WA_TransparentForMouseEvents);
    view->setFocusPolicy(Qt::NoFocus);
    connect(panel_, &SizingPanel::Changed, this, [this, view] { view->setGeometry(1, 1, panel_->width() - 2, panel_->height() - 2); });
    panel_->Place(QRect(200, 112, 184, 160));
    view->setGeometry(1, 1, panel_->width() - 2, panel_->height() - 2);

    menu_ = new QMenu(this);
    menu_->setObjectName("PopupMenu1");
    QAction* show = menu_->addAction("Show Coordinates");
    show->setObjectName("ShowCoordinatesItem");
    connect(show, &QAction::triggered, this, &WindowTextViewer::ShowCoordinatesClick);
    QAction* help = menu_->addAction("Help");
    help->setObjectName("HelpItem");
    connect(help, &QAction::triggered, this, [this] { context_.platform.ShowHelp(TopicNumber(HelpTopic::WindowTextViewer)); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(screen);
    layout->addWidget(bar);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    if (QScreen* s = QGuiApplication::primaryScreen()) {
        adjustSize();
        move(s->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    }
    panel_->setFocus();
}

void WindowTextViewer::ShowCoordinatesClick() { context_.platform.messages.ShowInfo(CellCoordinatesText(panel_->geometry())); }

void WindowTextViewer::contextMenuEvent(QContextMenuEvent* event) { menu_->exec(event->globalPos()); }

void WindowTextViewer::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Menu || (event->key() == Qt::Key_F10 && event->modifiers() & Qt::ShiftModifier)) {
        menu_->exec(mapToGlobal(panel_->geometry().center()));
        return;
    }
    QDialog::keyPressEvent(event);
}

void ViewWindowText(AidsContext& context, const std::vector<std::string>& text, const std::string& color,
                    QWidget* parent) {
    WindowTextViewer form(context, text, color, parent);
    ShowModal(form);
}

}  // namespace quill
