// The main menu as the learner sees it, its chapter list designer and its screen designer.
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>

#include "design/menu_chapters_designer.h"
#include "design/menu_chapters.h"
#include "design/menu_screen_designer.h"
#include "design_fixture.h"
#include "common/main_menu_dialog.h"
#include "text/byte_io.h"

using namespace quill;
using namespace quill::test;

namespace M = cfg::MainMenu;

namespace {

void SetChapters(TTutorialConfig& c, int count) {
    for (int i = 1; i <= count; ++i) {
        c.set(M::Chapter(i).Topic, "Topic " + std::to_string(i));
        c.set(M::Chapter(i).FileName, "SAFETY" + std::to_string(i));
    }
    c.set(M::ChapterCount, count);
}

}  // namespace

TEST(MenuChapters, CompleteRowsArePackedInOrderAndIncompleteOnesDropped) {
    MenuRows rows;
    rows[1] = {"Second", "SAFETY2"};
    rows[2] = {"Topic only", ""};
    rows[4] = {"Fifth", "SAFETY5"};
    rows[7] = {"", "SAFETY8"};
    EXPECT_TRUE(HasIncompleteRows(rows));
    TTutorialConfig c;
    SetConfigDefaults(c);
    WriteMenuRows(c, rows);
    EXPECT_EQ(c.get(M::ChapterCount), 2);
    const ByteReader r(c.span());
    EXPECT_EQ(r.shortString(737, 25), "Second");
    EXPECT_EQ(r.shortString(737 + 26, 25), "SAFETY2");
    EXPECT_EQ(r.shortString(737 + 52, 25), "Fifth");
    EXPECT_EQ(r.shortString(737 + 52 + 26, 25), "SAFETY5");
    EXPECT_EQ(r.u8(737 + 104), 0);
    EXPECT_EQ(r.u8(737 + 104 + 26), 0);
    EXPECT_EQ(r.i32(733), 2);
    EXPECT_EQ(ReadMenuRows(c)[1], (MenuRow{"Fifth", "SAFETY5"}));
    EXPECT_FALSE(HasIncompleteRows(ReadMenuRows(c)));
}

using MainMenuTest = DesignFixture;

TEST_F(MainMenuTest, PicksStandWhereTheLayoutPutsThemAndThePanelIsCentred) {
    TTutorialConfig c = project.Config;
    SetChapters(c, 5);
    c.set(M::TitleBarOn, 1);
    c.set(M::StatusBarOn, 1);
    c.set(M::QuitPick, "Leave");
    const LearnerScreenContext context = Context(c);
    MainMenuDialog menu(context, false);
    menu.show();
    EXPECT_EQ(menu.Area()->geometry(), QRect(0, 33, 640, 480 - 33 - 21));
    EXPECT_EQ(menu.MenuPanel()->size(), QSize(433, 136));
    EXPECT_EQ(menu.MenuPanel()->pos(), CentredPanelOrigin(menu.Area()->size(), QSize(433, 136)));
    for (int n = 1; n <= 20; ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(menu.Pick(n)->isVisible(), n <= 5);
        if (n <= 5) {
            EXPECT_EQ(menu.Pick(n)->geometry(), QRect(menu.Layout().picks[n - 1], QSize(195, 25)));
            EXPECT_EQ(menu.Pick(n)->text(), QString("Topic %1").arg(n));
        }
    }
    EXPECT_EQ(menu.QuitPick()->geometry(), QRect(224, 101, 195, 25));
    EXPECT_EQ(menu.QuitPick()->text(), "Leave");
    // The default design has the top menu bar with About and Help.
    auto* bar = Find<QMenuBar>(&menu, "MainMenu1");
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->actions().size(), 2);
    EXPECT_EQ(bar->actions()[0]->text(), "&About");
    EXPECT_EQ(bar->actions()[1]->text(), "&Help");
    // Without a help file of its own the tutorial's Help says so: the program's own manual is
    // not the learner's help.
    bar->actions()[1]->trigger();
    EXPECT_TRUE(rec.help.requests.empty());
    EXPECT_EQ(rec.messages.Texts(RecordingMessages::Kind::Info), std::vector<QString>{"This tutorial has no help."});
    bool aboutShown = false;
    WhenShown("TAboutBox", [&](QWidget* w) {
        aboutShown = true;
        static_cast<QDialog*>(w)->accept();
    });
    bar->actions()[0]->trigger();
    EXPECT_TRUE(aboutShown);
    EXPECT_TRUE(menu.isVisible());

    menu.Pick(2)->click();
    EXPECT_FALSE(menu.isVisible());
    EXPECT_FALSE(menu.Choice().quit);
    EXPECT_EQ(menu.Choice().chapter, "SAFETY2");
}

TEST_F(MainMenuTest, QuitPickEscapeAndDesignView) {
    TTutorialConfig c = project.Config;
    SetChapters(c, 4);
    c.set(M::SingleColumn, 1);
    c.set(M::TopMenuBar, 0);
    const LearnerScreenContext context = Context(c);
    {
        MainMenuDialog menu(context, false);
        menu.show();
        EXPECT_EQ(menu.MenuPanel()->size(), QSize(247, 196));
        EXPECT_EQ(menu.findChild<QMenuBar*>("MainMenu1"), nullptr);
        menu.QuitPick()->click();
        EXPECT_TRUE(menu.Choice().quit);
        EXPECT_FALSE(menu.isVisible());
    }
    {
        MainMenuDialog menu(context, false);
        menu.show();
        QTest::keyClick(&menu, Qt::Key_Escape);
        EXPECT_TRUE(menu.Choice().quit);
        EXPECT_FALSE(menu.isVisible());
    }
    {
        // Enter picks the entry that has the focus, as Space does.
        MainMenuDialog menu(context, false);
        menu.show();
        QApplication::setActiveWindow(&menu);
        QTest::keyClick(menu.Pick(1), Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), menu.Pick(2));
        QTest::keyClick(menu.Pick(2), Qt::Key_Return);
        EXPECT_FALSE(menu.isVisible());
        EXPECT_FALSE(menu.Choice().quit);
        EXPECT_EQ(menu.Choice().chapter, "SAFETY2");
    }
    {
        MainMenuDialog menu(context, true);
        menu.show();
        menu.Pick(3)->click();
        EXPECT_TRUE(menu.isVisible());
        EXPECT_EQ(rec.messages.Texts(RecordingMessages::Kind::Message),
                  std::vector<QString>{"You selected Chapter 3"});
    }
}

TEST_F(MainMenuTest, MissingBackgroundIsReportedAndTheColourUsed) {
    TTutorialConfig c = project.Config;
    c.set(M::ScreenType, 3);
    c.set(M::WallpaperFile, "paper.jpg");
    const LearnerScreenContext context = Context(c);
    MainMenuDialog jpg(context, false);
    c.set(M::ScreenType, 2);
    c.set(M::GraphicFile, "gone.bmp");
    MainMenuDialog missing(context, false);
    EXPECT_EQ(rec.messages.Texts(RecordingMessages::Kind::Error),
              (std::vector<QString>{"Wallpaper must be a .BMP file.\n\r\n\rReplace paper.jpg with a .BMP Graphic.",
                                    "The graphic file gone.bmp was not found"}));
}

TEST_F(MainMenuTest, ChapterListNameRuleIncompleteRowsAndCancel) {
    TTutorialConfig record = project.Config;
    const TTutorialConfig before = record;
    {
        MenuChaptersDesigner form(project, rec.platform(), record);
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        // A file name must start with the project name.
        form.FileEdit(1)->setText("intro");
        EXPECT_FALSE(form.CheckFileEdit(1));
        EXPECT_EQ(form.FileEdit(1)->text(), "");
        ASSERT_EQ(rec.messages.shown.size(), 1u);
        EXPECT_EQ(rec.messages.shown[0].kind, RecordingMessages::Kind::ErrorHelp);
        EXPECT_EQ(rec.messages.shown[0].topic, 1010);
        EXPECT_EQ(rec.messages.shown[0].text,
                  "The Chapter filename must start with the Project Name SAFETY followed by an identifier\r\n\r\n"
                  "Press Help for more information.");
        form.FileEdit(1)->setText("SAFETYINTRO");
        EXPECT_TRUE(form.CheckFileEdit(1));
        // Clicking a row's number selects it; the list's file goes into the current row.
        InProject("SAFETY7.QKS");
        form.RowButton(3)->click();
        EXPECT_EQ(form.CurrentRow(), 3);
        form.TopicEdit(4)->setFocus();
        EXPECT_EQ(form.CurrentRow(), 4);
    }
    // Rows 2 and 5 complete, row 3 with a topic only; answering No drops row 3.
    WhenShown("TMenuChapterForm", [](QWidget* w) {
        auto* form = static_cast<MenuChaptersDesigner*>(w);
        form->TopicEdit(2)->setText("Second");
        form->FileEdit(2)->setText("safety2");
        form->TopicEdit(3)->setText("Third");
        form->TopicEdit(5)->setText("Fifth");
        form->FileEdit(5)->setText("SAFETY5");
        Click(w, "OKBtn");
    });
    rec.messages.Clear();
    rec.messages.confirmAnswers = {false};
    EXPECT_TRUE(DefineMenuChapters(project, rec.platform(), record));
    EXPECT_EQ(rec.messages.Texts(RecordingMessages::Kind::Confirm),
              std::vector<QString>{"Menu Topics with no Filename and Filenameswith no Menu Topic will be deleted."
                                   "\r\n\r\nDo you want to complete these entries?"});
    EXPECT_EQ(record.get(M::ChapterCount), 2);
    EXPECT_EQ(record.get(M::Chapter(1).Topic), "Second");
    EXPECT_EQ(record.get(M::Chapter(1).FileName), "safety2");
    EXPECT_EQ(record.get(M::Chapter(2).FileName), "SAFETY5");
    EXPECT_EQ(record.get(M::Chapter(3).Topic), "");

    // Yes keeps the dialog open; Cancel then leaves the record as it was.
    const TTutorialConfig stored = record;
    bool stillOpen = false;
    WhenShown("TMenuChapterForm", [&](QWidget* w) {
        auto* form = static_cast<MenuChaptersDesigner*>(w);
        form->TopicEdit(9)->setText("Orphan");
        Click(w, "OKBtn");
        stillOpen = w->isVisible();
        Click(w, "CancelBtn");
    });
    rec.messages.confirmAnswers = {true};
    EXPECT_FALSE(DefineMenuChapters(project, rec.platform(), record));
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(record, stored);
    EXPECT_NE(record, before);
}

TEST_F(MainMenuTest, ScreenDesignerStoresItsFieldsAndOffersSingleColumnUpToTenChapters) {
    TTutorialConfig record = project.Config;
    SetChapters(record, 11);
    record.set(M::SingleColumn, 1);
    {
        MenuScreenDesigner form(project, rec.platform(), record);
        auto* single = Find<QCheckBox>(&form, "SingleColumnChk");
        EXPECT_FALSE(single->isChecked());
        EXPECT_FALSE(single->isEnabled());
    }
    SetChapters(record, 3);
    record.set(M::SingleColumn, 0);
    const TTutorialConfig before = record;
    WhenShown("TMenuDScreenForm", [](QWidget* w) {
        Type(w, "QuitPickEdit", "Cancel me");
        Click(w, "CancelBtn");
    });
    EXPECT_FALSE(DesignMenuScreen(project, rec.platform(), record));
    EXPECT_EQ(record, before);

    rec.dialogs.colors = {QColor(0x10, 0x20, 0x30), QColor(Qt::yellow)};
    rec.dialogs.fonts = {QFont("Liberation Sans", 20)};
    WhenShown("TMenuDScreenForm", [](QWidget* w) {
        Click(w, "TopMenuChk");  // off
        Click(w, "TitleChk");
        WhenShown("TMnuDesignTitleForm", [](QWidget* t) {
            Type(t, "TitleEdit", "Welcome");
            Click(t, "FontBtn");
            Click(t, "OKBtn");
        });
        Click(w, "TitleBtn");
        Click(w, "MenuColorBtn");
        Click(w, "MenuPickBtn");
        Click(w, "WallpaperRb");
        Type(w, "WallpaperEdit", "paper.bmp");
        Type(w, "QuitPickEdit", "Leave");
        Click(w, "SingleColumnChk");
        Click(w, "OKBtn");
    });
    EXPECT_TRUE(DesignMenuScreen(project, rec.platform(), record));
    const ByteReader r(record.span());
    EXPECT_EQ(r.u8(34), 0);                       // TopMenuBar
    EXPECT_EQ(r.u8(67), 1);                       // TitleBarOn
    EXPECT_EQ(r.shortString(68, 70), "Welcome");  // TitleBarText
    EXPECT_EQ(r.shortString(143, 50), "20 0 0 Liberation Sans");
    EXPECT_EQ(r.i32(321), 3);                     // ScreenType
    EXPECT_EQ(r.shortString(430, 100), "paper.bmp");
    EXPECT_EQ(r.u32(531), 0x302010u);             // MenuColor
    EXPECT_EQ(r.u32(651), 0x00FFFFu);             // MenuPickColor
    EXPECT_EQ(r.shortString(706, 25), "Leave");
    EXPECT_EQ(r.u8(732), 1);                      // SingleColumn
    EXPECT_EQ(r.i32(733), 3);                     // the chapter list is not this designer's
}
