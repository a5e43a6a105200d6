#include "headless_host.h"

#include <gtest/gtest.h>

#include <QImage>
#include <functional>

#include "../format/test_folder.h"
#include "richtext/rich_text_render.h"
#include "screen/screen_render.h"
#include "screen/text_screen.h"
#include "screen/screen_test_support.h"
#include "../qstring_printer.h"

namespace quill {
namespace {

using Kind = HeadlessAnswer::Kind;

TEST(ParseAnswers, EveryAnswerOfTheGrammar) {
    QStringList errors;
    const auto answers = ParseAnswers(
        "# a comment\n"
        "button C\r\n"
        "  \n"
        "BUTTON q\n"
        "button P\rbutton H\nbutton U\n"
        "key x\n"
        "key  \n"
        "click\n"
        "text  two words \n"
        "text\n"
        "memo first line\n"
        "memo\n"
        "choice left\n"
        "choice RIGHT\n"
        "list 3\n"
        "menu 12\n"
        "answer 4\n"
        "ok\n"
        "cancel\n",
        &errors);
    EXPECT_EQ(errors, QStringList());
    ASSERT_EQ(answers.size(), 19u);
    EXPECT_EQ(answers[0].kind, Kind::Button);
    EXPECT_EQ(answers[0].button, ControlButton::Continue);
    EXPECT_EQ(answers[0].line, 2);
    EXPECT_EQ(answers[1].button, ControlButton::Quit);
    EXPECT_EQ(answers[2].button, ControlButton::PageBack);
    EXPECT_EQ(answers[3].button, ControlButton::Help);
    EXPECT_EQ(answers[4].button, ControlButton::Utilities);
    EXPECT_EQ(answers[5].kind, Kind::Key);
    EXPECT_EQ(answers[5].key, u'x');
    EXPECT_EQ(answers[6].key, u' ');
    EXPECT_EQ(answers[7].kind, Kind::Click);
    EXPECT_EQ(answers[8].text, " two words ");
    EXPECT_EQ(answers[9].kind, Kind::Text);
    EXPECT_EQ(answers[9].text, "");
    EXPECT_EQ(answers[10].text, "first line");
    EXPECT_EQ(answers[11].text, "");
    EXPECT_TRUE(answers[12].left);
    EXPECT_FALSE(answers[13].left);
    EXPECT_EQ(answers[14].number, 3);
    EXPECT_EQ(answers[15].kind, Kind::Menu);
    EXPECT_EQ(answers[15].number, 12);
    EXPECT_EQ(answers[16].kind, Kind::Answer);
    EXPECT_EQ(answers[17].kind, Kind::Ok);
    EXPECT_EQ(answers[18].kind, Kind::Cancel);
}

TEST(ParseAnswers, WrongLinesAreNamed) {
    QStringList errors;
    const auto answers = ParseAnswers(
        "button X\nkey\nkey ab\nanswer 5\nlist 0\nmenu two\nchoice up\nok now\njump\n\xEF\xBF\xBD\nclick", &errors);
    EXPECT_EQ(answers.size(), 1u);
    ASSERT_EQ(errors.size(), 10);
    EXPECT_EQ(errors[0], "line 1: \"button X\" is not an answer");
    EXPECT_EQ(errors[8], "line 9: \"jump\" is not an answer");
}

TEST(ParseAnswers, MainMenuPickOrQuit) {
    QStringList errors;
    const auto answers = ParseAnswers("mainmenu 3\nMAINMENU Quit\nmainmenu 0\nmainmenu\nmainmenu two\n", &errors);
    ASSERT_EQ(answers.size(), 2u);
    EXPECT_EQ(answers[0].kind, Kind::MainMenu);
    EXPECT_EQ(answers[0].number, 3);
    EXPECT_EQ(answers[1].kind, Kind::MainMenu);
    EXPECT_EQ(answers[1].number, 0);  // the quit entry
    EXPECT_EQ(errors.size(), 3);
}

class HeadlessHostTest : public ::testing::Test {
protected:
    HeadlessHostTest() : config(test::DefaultConfig()), screen(config, dir.path()) {}
    HeadlessHost Host(const char* script) {
        QStringList errors;
        HeadlessHost host(ParseAnswers(script, &errors), &screen);
        EXPECT_TRUE(errors.isEmpty());
        screen.setHost(&host);
        return host;
    }
    test::TempFolder dir;
    TTutorialConfig config;
    TextScreen screen;
};

TEST_F(HeadlessHostTest, AnswersEachWaitInOrder) {
    HeadlessHost host = Host(
        "button P\nkey a\nclick\ntext Ann\nchoice left\nlist 2\nmenu 1\nanswer 3\nkey d\n"
        "memo one\nmemo two\nok\nlist 2\ncancel\nok\n");
    screen.setHost(&host);
    screen.controlBar().shown[static_cast<std::size_t>(ControlButton::PageBack)] = true;
    EXPECT_EQ(host.waitForButton(), ControlButton::PageBack);
    KeyPress k = host.waitForKey();
    EXPECT_FALSE(k.click);
    EXPECT_EQ(k.key, u'a');
    EXPECT_TRUE(host.waitForKey().click);
    EXPECT_EQ(host.askInput(), "Ann");
    EXPECT_TRUE(host.askChoice());
    screen.showListMenu(1, 1, 10, 5, {"a", "b"});
    EXPECT_EQ(host.askList(), 1);
    screen.addMenuButtons({{0, 0, 80, "M"}});
    EXPECT_EQ(host.askMenuButton(), 1);
    EXPECT_EQ(host.askQuizAnswer().answer, 3);
    EXPECT_EQ(host.askQuizAnswer().key, u'd');
    EXPECT_EQ(host.askMemo(), (QStringList{"one", "two"}));
    EXPECT_EQ(host.askMemo(), QStringList{});  // OK alone: an empty memo
    EXPECT_EQ(host.chooseUtility({"U1", "U2"}), 1);
    EXPECT_EQ(host.chooseUtility({"U1", "U2"}), std::nullopt);
    host.printLines({"l1", "l2"}, {});
    EXPECT_EQ(host.actions(), (QStringList{"PRINT 2 lines", "PRINT LINE l1", "PRINT LINE l2"}));
    EXPECT_FALSE(host.stopRequested());
    EXPECT_TRUE(host.messages().empty());
}

TEST_F(HeadlessHostTest, AnswersThatDoNotFitAreSkippedWithAMessage) {
    HeadlessHost host = Host("key x\nlist 5\nbutton C\nlist 2\n");
    EXPECT_EQ(host.waitForButton(), ControlButton::Continue);
    ASSERT_EQ(host.messages().size(), 2u);
    EXPECT_EQ(host.messages()[0].text, "answer line 1 \"key x\" does not answer the control bar; skipped");
    screen.showListMenu(1, 1, 10, 5, {"a", "b"});
    EXPECT_EQ(host.askList(), 1);  // "list 5" was skipped above: only two items
}

// An answer the learner could not give ends the run with an error naming the answers line and
// what the screen offered; later waits take nothing more.
TEST_F(HeadlessHostTest, AnswersTheLearnerCouldNotGiveEndTheRun) {
    const struct {
        const char* answers;
        std::function<void(HeadlessHost&)> wait;
        const char* error;
    } cases[] = {
        {"button C\n\nbutton Q\n",
         [this](HeadlessHost& h) {
             screen.controlBar().shown = {true, false, false, false, false};  // *Controls C
             EXPECT_EQ(h.waitForButton(), ControlButton::Continue);
             EXPECT_EQ(h.waitForButton(), ControlButton::Quit);
         },
         "answers line 3 \"button Q\" cannot be given here: the control bar shows only C (Continue)"},
        {"button P\n",
         [](HeadlessHost& h) { EXPECT_EQ(h.waitForButton(), ControlButton::Quit); },
         "answers line 1 \"button P\" cannot be given here: the control bar shows only C (Continue), Q (Quit)"},
        {"button H\n", [](HeadlessHost& h) { h.waitForButton(); }, nullptr},
        {"button U\n", [](HeadlessHost& h) { h.waitForButton(); }, nullptr},
        {"list 3\n",
         [this](HeadlessHost& h) {
             screen.showListMenu(1, 1, 10, 5, {"a", "b"});
             h.askList();
         },
         "answers line 1 \"list 3\" cannot be given here: the list menu has 2 items"},
        {"menu 2\n",
         [this](HeadlessHost& h) {
             screen.addMenuButtons({{0, 0, 80, "M"}});
             EXPECT_EQ(h.askMenuButton(), 0);
         },
         "answers line 1 \"menu 2\" cannot be given here: the screen shows 1 menu buttons"},
        {"list 3\n", [](HeadlessHost& h) { EXPECT_EQ(h.chooseUtility({"U1", "U2"}), std::nullopt); },
         "answers line 1 \"list 3\" cannot be given here: the utility chooser lists 2 names"},
        {"mainmenu 3\n", [](HeadlessHost& h) { EXPECT_EQ(h.waitForMainMenu(2, QImage()), 0); },
         "answers line 1 \"mainmenu 3\" cannot be given here: the main menu shows 2 chapter picks"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answers);
        screen.clearScreen(0);
        HeadlessHost host = Host(c.answers);
        c.wait(host);
        EXPECT_TRUE(host.answerRefused());
        EXPECT_TRUE(host.stopRequested());
        EXPECT_FALSE(host.answersRanOut());
        ASSERT_EQ(host.messages().size(), 1u);
        EXPECT_EQ(host.messages()[0].kind, HostMessage::Kind::Error);
        if (c.error) {
            EXPECT_EQ(host.messages()[0].text, c.error);
        }
        EXPECT_EQ(host.waitForButton(), ControlButton::Quit);
        EXPECT_EQ(host.messages().size(), 1u);
    }
}

TEST_F(HeadlessHostTest, RunningOutEndsAsQuit) {
    HeadlessHost host = Host("text hello\n");
    std::vector<QString> printed;
    host.setMessageSink([&](const HostMessage& m) { printed.push_back(m.text); });
    EXPECT_EQ(host.askInput(), "hello");
    EXPECT_EQ(host.waitForButton(), ControlButton::Quit);
    EXPECT_TRUE(host.stopRequested());
    EXPECT_TRUE(host.answersRanOut());
    EXPECT_EQ(host.waitForButton(), ControlButton::Quit);
    EXPECT_EQ(host.askInput(), "");
    EXPECT_TRUE(host.waitForKey().click);
    // Said once.
    ASSERT_EQ(host.messages().size(), 1u);
    EXPECT_EQ(host.messages()[0].kind, HostMessage::Kind::Info);
    EXPECT_EQ(host.messages()[0].text, "answers ran out");
    EXPECT_EQ(printed, std::vector<QString>{"answers ran out"});
}

TEST_F(HeadlessHostTest, VirtualTimeAndMessages) {
    HeadlessHost host = Host("");
    screen.setHost(&host);
    screen.drawText(1, 1, "~$slowly");
    EXPECT_EQ(host.elapsedMs(), 600);
    host.waitDelay(2000);
    EXPECT_EQ(host.elapsedMs(), 2600);
    EXPECT_FALSE(host.stopRequested());  // a delay takes no answer
    host.showError("bad");
    host.showInfo("fine");
    EXPECT_EQ(host.messages()[0].kind, HostMessage::Kind::Error);
    EXPECT_EQ(host.messages()[1].text, "fine");
    EXPECT_FALSE(host.performEntry(EntrySource::Hyper, "index"));
    host.setEntryPerformer([](EntrySource s, const QString& n) { return s == EntrySource::Utility && n == "Calc"; });
    EXPECT_TRUE(host.performEntry(EntrySource::Utility, "Calc"));
    host.showHelp("TUT.HLP", 4);
    EXPECT_EQ(host.actions(), (QStringList{"PERFORM HYPER index", "PERFORM UTILITY Calc", "HELP TUT.HLP 4"}));
}

TEST_F(HeadlessHostTest, SnapshotsAtEveryWait) {
    HeadlessHost host = Host("button C\nkey k\n");
    const auto folder = dir / "shots";
    host.setSnapshotFolder(folder);
    screen.clearScreen(0);
    screen.drawText(1, 1, "see |index|");
    screen.controlBar().visible = true;
    host.waitForButton();
    screen.controlBar().visible = false;
    host.waitDelay(100);
    host.waitForKey();
    host.waitForKey();  // runs out: one more snapshot of the wait, then none
    host.waitForKey();
    EXPECT_EQ(host.snapshotCount(), 4);
    EXPECT_EQ(host.saveSnapshot(), folder / "005.png");
    for (const char* name : {"001.png", "002.png", "003.png", "004.png", "005.png"})
        EXPECT_TRUE(std::filesystem::exists(folder / name)) << name;
    QImage first(QString::fromStdString((folder / "001.png").string()));
    ASSERT_EQ(first.size(), QSize(640, 480));
    // The control bar with Continue (at 524) and Quit (at 20) and the hypertext label.
    EXPECT_EQ(first.pixelColor(560, 470), screen.colours().controlBar);
    EXPECT_NE(first.copy(524, 454, 89, 20), first.copy(398, 454, 89, 20));
    EXPECT_GT(test::CountColour(first.copy(32, 0, 40, 15), screen.colours().hyper), 0);
    QImage second(QString::fromStdString((folder / "002.png").string()));
    EXPECT_EQ(second.pixelColor(560, 470), screen.colours().back);
}

TEST_F(HeadlessHostTest, RenderShowsObjectsAndControls) {
    screen.clearScreen(0);
    screen.showTitle("Title", Qt::white, Qt::blue);
    screen.addPanelBox(0, 0, 20, "Head", QFont("Arial"), Qt::black, Qt::yellow, kAlignCentre);
    screen.addTextLabel(200, 100, 80, "Label", Qt::black, Qt::green);
    screen.setColumn(1);
    screen.setRow(15);
    screen.showChoice("Yes", "No", 30);
    screen.showQuizAnswers(20, {"one", "two"});
    screen.setRow(5);
    screen.showMemo(20, 3, {"memo line"}, false);
    const QImage img = RenderScreen(screen);
    EXPECT_EQ(img.pixelColor(600, 10), QColor(Qt::blue));  // title panel
    EXPECT_EQ(img.pixelColor(150, 40), QColor(Qt::yellow));  // panel box below the title
    EXPECT_EQ(img.pixelColor(201, 135), QColor(Qt::green));  // label, lowered by the title
    EXPECT_EQ(img.pixelColor(20, 34 + 5), QColor(Qt::yellow));
    EXPECT_GT(test::CountColour(img.copy(screen.answers().choice.leftButton), QColor(0xC0, 0xC0, 0xC0)), 100);
}

// The rich-text window of a snapshot is drawn by the RTF reader and renderer, exactly as the
// preview's text box shows it: nested groups, a colour table and escaped characters included.
TEST_F(HeadlessHostTest, RichTextWindowIsDrawnByTheRtfRenderer) {
    const QColor red(255, 0, 0);
    const struct {
        const char* rtf;
        bool redText;
    } cases[] = {
        {"{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 a{\\b b{\\i\\fs40 c}d}e\\par}", false},
        {"{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255\\green0\\blue0;}\\f0\\fs24\\cf1 red words\\par}", true},
        {"{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 w\\'f6rds\\par}", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rtf);
        screen.clearScreen(0);
        screen.showRichText(5, 3, 40, 12, Qt::white, {c.rtf});
        const QRect inner = screen.richText().rect.adjusted(5, 5, -5, -5);
        const QImage shot = RenderScreen(screen).copy(inner);
        const QImage expected = RenderRichTextImage({c.rtf}, inner.size(), Qt::white);
        EXPECT_EQ(shot, expected);
        EXPECT_LT(test::CountColour(expected, Qt::white), expected.width() * expected.height() - 20);  // text drawn
        EXPECT_EQ(test::CountColour(shot, red) > 0, c.redText);
    }
    // What plain text extraction would show ("ae", ";" for the colour table) draws differently.
    screen.clearScreen(0);
    screen.showRichText(5, 3, 40, 12, Qt::white, {cases[0].rtf});
    const QRect inner = screen.richText().rect.adjusted(5, 5, -5, -5);
    EXPECT_NE(RenderScreen(screen).copy(inner),
              RenderRichTextImage({"{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 ae\\par}"}, inner.size(), Qt::white));
}

}  // namespace
}  // namespace quill
