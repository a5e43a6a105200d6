#include "common/main_menu_dialog.h"
#include "project/tutorial_folder.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "platform/platform.h"
#include "common/tutorial_about_box.h"
#include "screen/text_screen.h"
#include "text_codec.h"

namespace quill {


MainMenuDialog::MainMenuDialog(const LearnerScreenContext& context, bool designView, QWidget* parent)
    : QDialog(parent), context_(context), designView_(designView) {
    const TTutorialConfig& c = context_.config;
    namespace M = cfg::MainMenu;
    setObjectName("TMenuForm");
    setWindowTitle(FromCp1252(c.get(cfg::Program::ProgramTitle)));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    if (c.get(M::TopMenuBar)) {
        auto* menu = new QMenuBar(this);
        menu->setObjectName("MainMenu1");
        QAction* about = menu->addAction(FromCp1252(c.get(M::TopMenuAbout)));
        about->setObjectName("AboutItem");
        connect(about, &QAction::triggered, this, [this] { ShowAboutBox(context_, this, scale_); });
        QAction* help = menu->addAction(FromCp1252(c.get(M::TopMenuHelp)));
        help->setObjectName("HelpItem");
        connect(help, &QAction::triggered, this, [this] { ShowTutorialHelp(context_); });
        layout->setMenuBar(menu);
    }

    auto* screen = new QWidget(this);
    screen_ = screen;
    screen->setObjectName("ScreenPnl");
    screen->setFixedSize(kDesignWidth, kDesignHeight);
    layout->addWidget(screen);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    int top = 0, bottom = kDesignHeight;
    if (c.get(M::TitleBarOn)) {
        NewScreenBar(screen, "TitlePnl", c.get(M::TitleBarText), c.get(M::TitleBarFont), c.get(M::TitleBarColor),
            QRect(0, 0, kDesignWidth, kMenuTitleBarHeight));
        top = kMenuTitleBarHeight;
    }
    if (c.get(M::StatusBarOn)) {
        bottom = kDesignHeight - kMenuStatusBarHeight;
        NewScreenBar(screen, "StatusPnl", c.get(M::StatusBarText), c.get(M::StatusBarFont), c.get(M::StatusBarColor),
            QRect(0, bottom, kDesignWidth, kMenuStatusBarHeight));
    }
    const BackgroundPicture background =
        LoadBackgroundPicture(TutorialFolder(context_.projectDir), c.get(M::ScreenType), c.get(M::ScreenColor),
                              c.get(M::GraphicFile), c.get(M::WallpaperFile));
    if (!background.message.isEmpty()) context_.platform.messages.ShowError(background.message);
    area_ = NewBackgroundWidget(background, screen);
    area_->setGeometry(0, top, kDesignWidth, bottom - top);

    layout_ = ComputeMainMenuLayout(c.get(M::ChapterCount), c.get(M::SingleColumn) == 1);
    MenuPnl_ = new QFrame(area_);
    MenuPnl_->setObjectName("MenuPnl");
    MenuPnl_->setFrameShape(QFrame::Panel);
    MenuPnl_->setFrameShadow(QFrame::Raised);
    MenuPnl_->setLineWidth(2);
    FillColour(MenuPnl_, ColourFromRecord(c.get(M::MenuColor)));
    MenuPnl_->resize(layout_.panel);

    NewScreenBar(MenuPnl_, "MenuTitlePnl", c.get(M::MenuTitle), c.get(M::MenuTitleFont), c.get(M::MenuTitleColor),
        layout_.titleBar);

    const QColor pickColour = ColourFromRecord(c.get(M::MenuPickColor));
    auto makePick = [&](const QString& name, const QString& caption, QPoint at) {
        auto* pick = new QPushButton(caption, MenuPnl_);
        pick->setObjectName(name);
        pick->setGeometry(QRect(at, QSize(kMenuPickWidth, kMenuPickHeight)));
        FillColour(pick, pickColour, QPalette::Button);
        // Enter picks the entry that has the focus (a focused auto-default button takes it).
        pick->setAutoDefault(true);
        return pick;
    };
    for (int n = 1; n <= kMenuMaxPicks; ++n) {
        auto* pick = makePick(QString("PickBtn%1").arg(n), FromCp1252(c.get(M::Chapter(n).Topic)),
                              layout_.picks[n - 1]);
        pick->setVisible(n <= layout_.count);
        connect(pick, &QPushButton::clicked, this, [this, n] { PickClick(n); });
        picks_[n - 1] = pick;
    }
    QuitBtn_ = makePick("QuitPickBtn", FromCp1252(c.get(M::QuitPick)), layout_.quit);
    connect(QuitBtn_, &QPushButton::clicked, this, &MainMenuDialog::QuitClick);
    // Tab goes through the picks in their numbers, the quit pick last.
    for (int n = 1; n < layout_.count; ++n) setTabOrder(picks_[n - 1], picks_[n]);
    if (layout_.count > 0) setTabOrder(picks_[layout_.count - 1], QuitBtn_);
    CentrePanel();
    if (layout_.count > 0) picks_[0]->setFocus();
    else QuitBtn_->setFocus();
    if (QScreen* s = QGuiApplication::primaryScreen()) {
        adjustSize();
        move(s->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    }
}

void MainMenuDialog::SetScale(const ScreenScale& scale) {
    scale_ = scale;
    ScaleScreenWidgets(screen_, scale);
    CentrePanel();
    if (QScreen* s = QGuiApplication::primaryScreen()) {
        adjustSize();
        move(s->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    }
}

void MainMenuDialog::CentrePanel() { MenuPnl_->move(CentredPanelOrigin(area_->size(), MenuPnl_->size())); }

void MainMenuDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    CentrePanel();
}

void MainMenuDialog::PickClick(int n) {
    if (n < 1 || n > layout_.count) return;
    if (designView_) {
        context_.platform.messages.Message(QString("You selected Chapter %1").arg(n));
        return;
    }
    choice_.quit = false;
    choice_.chapter = context_.config.get(cfg::MainMenu::Chapter(n).FileName);
    accept();
}

void MainMenuDialog::QuitClick() {
    choice_ = MainMenuChoice{};
    QDialog::accept();
}

void MainMenuDialog::reject() {
    choice_ = MainMenuChoice{};
    QDialog::reject();
}

MainMenuChoice ShowMainMenu(const LearnerScreenContext& context, bool designView, QWidget* parent,
                            ScaleMode scale) {
    MainMenuDialog menu(context, designView, parent);
    // What the dialog adds to the screen: a menu bar.
    if (scale != ScaleMode::One)
        menu.SetScale(LearnerWindowScale(scale, parent, menu.size() - menu.Area()->parentWidget()->size()));
    menu.exec();
    return menu.Choice();
}

}  // namespace quill
