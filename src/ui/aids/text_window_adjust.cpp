#include "aids/text_window_adjust.h"

#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "aids/entry_color.h"
#include "aids/entry_rules.h"
#include "aids/sizing_panel.h"
#include "aids/viewport_display.h"
#include "common/aids_context.h"
#include "platform/help.h"
#include "platform/help_topics.h"
#include "platform/messages.h"
#include "platform/platform.h"
#include "richtext/rtf_reader.h"
#include "screen/text_screen.h"

namespace quill {

namespace {

constexpr int kStrip = 20;

QTextBrowser* TextView(QWidget* parent, const std::vector<std::string>& text, std::uint32_t color) {
    auto* view = new QTextBrowser(parent);
    view->setObjectName("RichEdit1");
    auto doc = RichTextDocument(WithoutClosingLine(text));
    doc->setParent(view);
    view->setDocument(doc.release());
    QPalette pal = view->palette();
    pal.setColor(QPalette::Base, ColourFromRecord(color));
    view->setPalette(pal);
    view->setFrameShape(QFrame::NoFrame);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setAttribute(Qt::WA_TransparentForMouseEvents);
    view->setFocusPolicy(Qt::NoFocus);
    return view;
}

QLabel* Strip(QWidget* parent, const char* name, const QString& text) {
    auto* strip = new QLabel(text, parent);
    strip->setObjectName(name);
    strip->setAlignment(Qt::AlignCenter);
    strip->setAutoFillBackground(true);
    strip->setFrameShape(QFrame::Panel);
    strip->setFrameShadow(QFrame::Raised);
    strip->setAttribute(Qt::WA_TransparentForMouseEvents);
    return strip;
}

}  // namespace

TextWindowAdjuster::TextWindowAdjuster(AidsContext& context, const TScreenBackground& settings, int helpTopic,
                                         QWidget* parent)
    : QDialog(parent), context_(context), settings_(settings) {
    setWindowTitle("Press Mouse right button for Menu");
    SetHelpTopic(this, helpTopic);
    InstallF1Help(this, context_.platform.help, context_.platform.helpFile);
    menu_ = new QMenu(this);
    menu_->setObjectName("PopupMenu1");
    QAction* save = menu_->addAction("Save");
    save->setObjectName("SaveItem");
    connect(save, &QAction::triggered, this, &TextWindowAdjuster::SaveItemClick);
    QAction* quit = menu_->addAction("Quit");
    quit->setObjectName("QuitItem");
    connect(quit, &QAction::triggered, this, &TextWindowAdjuster::QuitItemClick);
    QAction* help = menu_->addAction("Help");
    help->setObjectName("HelpItem");
    connect(help, &QAction::triggered, this, [this, helpTopic] { context_.platform.ShowHelp(helpTopic); });
}

void TextWindowAdjuster::SetUp(QWidget* surface, SizingPanel* panel, const QRect& place) {
    panel_ = panel;
    panel_->setObjectName("TextPnl");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(surface);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    panel_->Place(place);
    start_ = panel_->geometry();
    panel_->setFocus();
}

void TextWindowAdjuster::SaveItemClick() {
    StoreRect(settings_, panel_->geometry());
    saved_ = true;
    accept();
}

void TextWindowAdjuster::QuitItemClick() { reject(); }

void TextWindowAdjuster::done(int result) {
    if (!saved_ && !asked_ && panel_ && panel_->geometry() != start_) {
        asked_ = true;
        if (context_.platform.messages.Confirm("Save changes?")) {
            StoreRect(settings_, panel_->geometry());
            saved_ = true;
        }
    }
    QDialog::done(saved_ ? Accepted : result);
}

void TextWindowAdjuster::contextMenuEvent(QContextMenuEvent* event) { menu_->exec(event->globalPos()); }

void TextWindowAdjuster::keyPressEvent(QKeyEvent* event) {
    // The menu key and Shift+F10 open the menu from the keyboard.
    if (event->key() == Qt::Key_Menu || (event->key() == Qt::Key_F10 && event->modifiers() & Qt::ShiftModifier)) {
        menu_->exec(mapToGlobal(panel_ ? panel_->geometry().center() : rect().center()));
        return;
    }
    QDialog::keyPressEvent(event);
}

HypertextWindowAdjuster::HypertextWindowAdjuster(AidsContext& context,
                                                 const TScreenBackground& settings,
                                                 const std::vector<std::string>& text,
                                                 QWidget* parent)
    : TextWindowAdjuster(context, settings, TopicNumber(HelpTopic::AdjustTextWindow), parent) {
    setObjectName("THypTextAdjForm");
    auto* surface = new QWidget(this);
    surface->setObjectName("ScreenArea");
    surface->setFixedSize(kDesignSize);
    surface->setAutoFillBackground(true);
    QPalette pal = surface->palette();
    pal.setColor(QPalette::Window, QColor(0x80, 0x80, 0x80));
    surface->setPalette(pal);

    auto* panel = new SizingPanel(surface, kStrip);
    auto* strip = Strip(panel, "CaptionPnl", "Drag here");
    QPalette stripPal = strip->palette();
    stripPal.setColor(QPalette::Window, ColourFromRecord(settings.WindowColor));
    strip->setPalette(stripPal);
    auto* view = TextView(panel, text, settings.WindowColor);
    auto* ok = new QPushButton("&OK", panel);
    ok->setObjectName("OKBtn");
    ok->setFocusPolicy(Qt::NoFocus);
    ok->setAttribute(Qt::WA_TransparentForMouseEvents);
    ok->adjustSize();
    panel->setMinimumSize(ok->width() + 4, kStrip + ok->height() + 8);
    auto arrange = [panel, strip, view, ok] {
        strip->setGeometry(0, 0, panel->width(), kStrip);
        ok->move((panel->width() - ok->width()) / 2, panel->height() - ok->height() - 4);
        view->setGeometry(1, kStrip, panel->width() - 2, std::max(0, ok->y() - kStrip - 2));
    };
    connect(panel, &SizingPanel::Changed, this, arrange);
    panel->setAutoFillBackground(true);
    QPalette panelPal = panel->palette();
    panelPal.setColor(QPalette::Window, ColourFromRecord(settings.WindowColor));
    panel->setPalette(panelPal);
    SetUp(surface, panel, AdjustPanelRect(settings));
    arrange();
}

void HypertextWindowAdjuster::StoreRect(TScreenBackground& settings, const QRect& panel) const {
    StoreAdjustPanelRect(settings, panel);
}

ViewportWindowAdjuster::ViewportWindowAdjuster(AidsContext& context,
                                               const TScreenBackground& settings,
                                               const std::vector<std::string>& text,
                                               QWidget* parent)
    : TextWindowAdjuster(context, settings, TopicNumber(HelpTopic::LinkTextWindow), parent) {
    setObjectName("TVPAdjustForm");
    ViewportBackground background = MakeViewportBackground(context, settings);
    if (!background.message.isEmpty()) context.platform.messages.ShowError(background.message);
    QWidget* surface = NewBackgroundWidget(background, this);
    surface->setFixedSize(kDesignSize);
    Strip(surface, "TitlePnl", "Title")->setGeometry(0, 0, kDesignWidth, kStrip);
    Strip(surface, "StatusPnl", "Status")->setGeometry(0, kDesignHeight - kStrip, kDesignWidth, kStrip);
    auto* panel = new SizingPanel(surface);
    auto* view = TextView(panel, text, settings.WindowColor);
    connect(panel, &SizingPanel::Changed, this, [panel, view] { view->setGeometry(1, 1, panel->width() - 2, panel->height() - 2); });
    SetUp(surface, panel, ViewportPanelRect(settings));
    view->setGeometry(1, 1, panel->width() - 2, panel->height() - 2);
}

void ViewportWindowAdjuster::StoreRect(TScreenBackground& settings, const QRect& panel) const {
    StoreViewportPanelRect(settings, panel);
}

}  // namespace quill
