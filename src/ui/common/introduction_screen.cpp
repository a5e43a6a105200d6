#include "common/introduction_screen.h"
#include "project/tutorial_folder.h"

#include <QMenuBar>
#include <QTextBrowser>
#include <QTextDocument>

#include "common/tutorial_about_box.h"
#include "platform/platform.h"
#include "project/font_spec.h"
#include "richtext/rtf_reader.h"
#include "screen/text_screen.h"
#include "text_codec.h"

namespace quill {

namespace {

int PointSize(const std::string& spec) {
    const auto font = FontFromSpec(spec);
    return font ? font->size : 10;
}

}  // namespace

IntroductionScreen::IntroductionScreen(const LearnerScreenContext& context, const std::vector<std::string>& text, QWidget* parent)
    : QWidget(parent) {
    namespace I = cfg::Intro;
    const TTutorialConfig& c = context.config;
    setObjectName("ScreenPnl");
    setFixedSize(kDesignWidth, kDesignHeight);
    const TScreenBackgroundLayout& s = I::Screen;
    layout_ = ComputeIntroScreenLayout(c.get(I::TitleBarOn), PointSize(c.get(I::TitleBarFont)), c.get(I::StatusBarOn),
                                       PointSize(c.get(I::StatusBarFont)), c.get(s.TextWindowOff) != 0,
                                       QRect(c.get(s.WindowLeft), c.get(s.WindowTop), c.get(s.WindowWidth),
                                             c.get(s.WindowHeight)));
    const BackgroundPicture picture = LoadBackgroundPicture(TutorialFolder(context.projectDir), c.get(s.ScreenType),
                                                            c.get(s.ScreenColor), c.get(s.GraphicFile),
                                                            c.get(s.WallpaperFile));
    if (!picture.message.isEmpty()) context.platform.messages.ShowError(picture.message);
    background_ = NewBackgroundWidget(picture, this);
    background_->setGeometry(rect());
    if (!layout_.titleBar.isEmpty())
        NewScreenBar(this, "TitlePnl", c.get(I::TitleBarText), c.get(I::TitleBarFont), c.get(I::TitleBarColor),
                     layout_.titleBar);
    if (!layout_.statusBar.isEmpty())
        NewScreenBar(this, "StatusPnl", c.get(I::StatusBarText), c.get(I::StatusBarFont), c.get(I::StatusBarColor),
                     layout_.statusBar);

    RichEdit1_ = new QTextBrowser(this);
    RichEdit1_->setObjectName("RichEdit1");
    RichEdit1_->setOpenLinks(false);
    RichEdit1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette pal = RichEdit1_->palette();
    pal.setColor(QPalette::Base, ColourFromRecord(c.get(s.WindowColor)));
    RichEdit1_->setPalette(pal);
    auto doc = RichTextDocument(text);
    doc->setParent(RichEdit1_);
    RichEdit1_->setDocument(doc.release());
    RichEdit1_->setGeometry(layout_.text);
}

QMenuBar* NewIntroMenuBar(const LearnerScreenContext& context, QWidget* parent, std::function<void()> close,
                          std::function<ScreenScale()> scale) {
    const TTutorialConfig& c = context.config;
    if (!c.get(cfg::Intro::UseMenuBar)) return nullptr;
    auto* menu = new QMenuBar(parent);
    menu->setObjectName("MainMenu1");
    QAction* closeItem = menu->addAction(FromCp1252(c.get(cfg::Captions::CloseCaption)));
    closeItem->setObjectName("CloseItem");
    QObject::connect(closeItem, &QAction::triggered, parent, std::move(close));
    if (c.get(cfg::AboutOn)) {
        QAction* about = menu->addAction(FromCp1252(c.get(cfg::Captions::AboutCaption)));
        about->setObjectName("AboutItem");
        QObject::connect(about, &QAction::triggered, parent, [&context, parent, scale = std::move(scale)] {
            ShowAboutBox(context, parent, scale ? scale() : ScreenScale{});
        });
    }
    if (c.get(cfg::Program::HelpOn)) {
        QAction* help = menu->addAction(FromCp1252(c.get(cfg::Captions::HelpCaption)));
        help->setObjectName("HelpItem");
        QObject::connect(help, &QAction::triggered, parent, [&context] { ShowTutorialHelp(context); });
    }
    return menu;
}

}  // namespace quill
