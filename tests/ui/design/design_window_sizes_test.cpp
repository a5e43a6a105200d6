// Every window of the presentation designers, and the learner's about box, introduction and
// two-column main menu, fits a 1024 x 768 screen. With QUILLMARK_SNAPSHOT_DIR set each is
// saved there as a PNG, to look at.
#include "design/caption_dialogs.h"
#include "design/presentation_designer.h"
#include "design/about_box_designer.h"
#include "design/introduction_window_adjuster.h"
#include "design/introduction_background_designer.h"
#include "design/introduction_designer.h"
#include "design/introduction_text_editor.h"
#include "design/menu_chapters_designer.h"
#include "design/menu_screen_designer.h"
#include "design/sample_screen_window.h"
#include "design/title_designer.h"
#include "design_fixture.h"
#include "common/tutorial_about_box.h"
#include "common/introduction_dialog.h"
#include "common/main_menu_dialog.h"
#include "richtext/rtf_writer.h"

#include <QTextDocument>

using namespace quill;
using namespace quill::test;

using DesignWindowSizes = DesignFixture;

TEST_F(DesignWindowSizes, EveryWindowFitsA1024By768Screen) {
    auto snapshots = Snapshots();
    TTutorialConfig& c = project.Config;
    namespace M = cfg::MainMenu;
    namespace A = cfg::About;
    c.set(cfg::AboutOn, 1);
    c.set(A::BoxTitle, "About Safety First");
    c.set(A::ProgramName, "Safety First");
    c.set(A::VersionText, "Version 1.2");
    c.set(A::AuthorLine, "Author : The Safety Office");
    c.set(A::Comment1, "A course on working safely in the workshop and the laboratory.");
    c.set(A::Comment3, "Ask your supervisor when in doubt.");
    c.set(M::TitleBarOn, 1);
    c.set(M::TitleBarText, "Safety First");
    c.set(M::StatusBarOn, 1);
    c.set(M::StatusBarText, "Choose a chapter");
    c.set(M::MenuTitle, "Main Menu");
    c.set(M::ScreenColor, 0x00804000);
    c.set(M::MenuPickColor, 0x00E0FFFF);
    const char* topics[] = {"Introduction", "Protective Clothing", "Fire Exits", "First Aid", "Chemicals",
                            "Electricity", "Ladders"};
    for (int i = 1; i <= 7; ++i) {
        c.set(M::Chapter(i).Topic, topics[i - 1]);
        c.set(M::Chapter(i).FileName, "SAFETY" + std::to_string(i));
    }
    c.set(M::ChapterCount, 7);
    namespace I = cfg::Intro;
    c.set(I::TitleBarOn, 1);
    c.set(I::TitleBarText, "Welcome to Safety First");
    c.set(I::StatusBarOn, 1);
    c.set(I::StatusBarText, "Press Close to begin");
    c.set(I::Screen.TextWindowOff, 0);
    c.set(I::Screen.ScreenType, 3);
    c.set(I::Screen.WallpaperFile, "tile.bmp");
    Picture(project.ProjectDir / "tile.bmp", Qt::darkCyan);
    QTextDocument doc;
    doc.setHtml("<p><b>Welcome!</b></p><p>This course shows you how to <i>work safely</i>.</p>");
    const std::vector<std::string> text = WriteRichText(doc);
    const LearnerScreenContext context = Context(c);

    std::vector<std::unique_ptr<QWidget>> windows;
    windows.push_back(std::make_unique<TutorialAboutBox>(context));
    windows.push_back(std::make_unique<IntroductionDialog>(context, text));
    windows.push_back(std::make_unique<MainMenuDialog>(context, false));
    windows.push_back(std::make_unique<AboutBoxDesigner>(project, rec.platform(), c));
    windows.push_back(std::make_unique<MenuChaptersDesigner>(project, rec.platform(), c));
    windows.push_back(std::make_unique<MenuScreenDesigner>(project, rec.platform(), c));
    windows.push_back(std::make_unique<MenuTitleDesigner>(rec.platform(), "Menu Title :",
                                                            BarDesign{"Main Menu", "14 0 1 Times New Roman", 0xC0C0C0},
                                                            60, 153));
    windows.push_back(std::make_unique<ViewportTitleDesigner>(rec.platform(), "TitleBar Text :",
                                                           BarDesign{"Welcome", "16 0 1 Times New Roman", 0xC0C0C0},
                                                           80, 465));
    windows.push_back(std::make_unique<MenuCaptionsDialog>(rec.platform(), c));
    windows.push_back(std::make_unique<CaptionTextDialog>(rec.platform(), c));
    windows.push_back(std::make_unique<PresentationDesigner>(project, rec.platform()));
    windows.push_back(std::make_unique<SampleScreenWindow>(c));
    windows.push_back(std::make_unique<IntroductionTextEditor>(project, rec.platform(), c));
    windows.push_back(std::make_unique<IntroductionDesigner>(project, rec.platform(), c, text));
    windows.push_back(std::make_unique<IntroductionBackgroundDesigner>(project, rec.platform(), c, text));
    windows.push_back(std::make_unique<IntroductionWindowAdjuster>(project, rec.platform(), c, text));
    for (auto& window : windows) {
        window->show();
        QTest::qWait(120);
        EXPECT_LE(window->frameGeometry().width(), 1024) << window->objectName().toStdString();
        EXPECT_LE(window->frameGeometry().height(), 768) << window->objectName().toStdString();
        window->hide();
    }
    EXPECT_TRUE(rec.messages.shown.empty());
}
