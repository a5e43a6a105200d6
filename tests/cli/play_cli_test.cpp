#include <gtest/gtest.h>

#include <QImage>
#include <sstream>

#include "../format/test_folder.h"
#include "cli.h"
#include "run_quillc.h"
#include "datafile/data_file.h"
#include "project/project.h"

using quill::test::TempFolder;

namespace {

quill::test::QuillcResult Play(const quillc::Args& args) {
    quillc::Args all{"play"};
    all.insert(all.end(), args.begin(), args.end());
    return quill::test::RunQuillc(all);
}

class QuillcPlay : public ::testing::Test {
protected:
    QuillcPlay() {
        quill::Project p;
        quill::NewTutorial(p, folder.path() / "Tut", "TUT");
        projectFile = (p.ProjectDir / "TUT.QKJ").string();
    }
    std::string chapter(const std::string& name, const std::string& text) {
        folder.write("Tut/" + name, text);
        return name;
    }
    TempFolder folder;
    std::string projectFile;
};

TEST_F(QuillcPlay, TracesAnswersAndSnapshots) {
    chapter("TUT1.QKS",
            "*ClearScreen Blue\r\n"
            "Hello ^Bworld\r\n"
            "*Wait\r\n"
            "*BranchOnInput 10\r\n"
            "yes\r\n"
            "&1\r\n"
            "Good\r\n"
            "&2\r\n"
            "Bad\r\n"
            "&3\r\n"
            "*Execute Calc\r\n");
    folder.write("answers.txt", "# the control bar\nbutton C\n\ntext yes I am\n");
    const auto snaps = folder.path() / "snaps";
    const auto r = Play({projectFile, "tut1", "--answers", (folder.path() / "answers.txt").string(), "--snapshots",
                         snaps.string(), "--trace"});
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_EQ(r.out,
              "TRACE TUT1.QKS:1: *ClearScreen Blue\n"
              "TRACE TUT1.QKS:2: Hello ^Bworld\n"
              "TRACE TUT1.QKS:3: *Wait\n"
              "TRACE TUT1.QKS:4: *BranchOnInput 10\n"
              "TRACE TUT1.QKS:7: Good\n"
              "TRACE TUT1.QKS:11: *Execute Calc\n"
              "INFO: The \"Calc\" Executable has not been defined \n");
    // Two waits and the end of the run.
    for (const char* name : {"001.png", "002.png", "003.png"}) {
        const QImage shot(QString::fromStdString((snaps / name).string()));
        ASSERT_FALSE(shot.isNull()) << name;
        EXPECT_EQ(shot.size(), QSize(640, 480));
    }
    EXPECT_FALSE(std::filesystem::exists(snaps / "004.png"));
    // The first snapshot (at the wait) shows the blue screen with its control bar below.
    const QImage first(QString::fromStdString((snaps / "001.png").string()));
    EXPECT_EQ(first.pixelColor(600, 200), QColor(Qt::blue));
}

TEST_F(QuillcPlay, ScriptErrorExitsWithOne) {
    chapter("TUT1.QKS", "one\r\n*JumpToLabel Nowhere\r\ntwo\r\n");
    const auto r = Play({projectFile, "TUT1"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "ERROR: The Marker @JNowhere is missing.\n");

    chapter("TUT2.QKS", "&1\r\n*JumpToLabel A\r\n");
    const auto nested = Play({projectFile, "TUT2"});
    EXPECT_EQ(nested.status, 1);
    EXPECT_EQ(nested.out, "ERROR: Jump Commands are not allowed within branches.\\r\\n*JumpToLabel A is invalid.\n");
}

TEST_F(QuillcPlay, AnswersRunningOutEndTheRunAsQuit) {
    chapter("TUT1.QKS", "*Wait\r\nafter\r\n*Wait\r\nnot reached\r\n");
    folder.write("answers.txt", "button C\n");
    const auto r = Play({projectFile, "TUT1", "--answers", (folder.path() / "answers.txt").string(), "--trace"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out,
              "TRACE TUT1.QKS:1: *Wait\n"
              "TRACE TUT1.QKS:2: after\n"
              "TRACE TUT1.QKS:3: *Wait\n"
              "INFO: answers ran out\n");
}

// A path a learner cannot take does not pass: after *Controls C only Continue is shown.
TEST_F(QuillcPlay, AnAnswerForAHiddenButtonFailsTheRun) {
    chapter("TUT1.QKS", "*Controls C\r\n*Wait\r\nafter\r\n*Wait\r\nnot reached\r\n");
    folder.write("answers.txt", "button C\n# then\nbutton Q\n");
    const auto r = Play({projectFile, "TUT1", "--answers", (folder.path() / "answers.txt").string(), "--trace"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out,
              "TRACE TUT1.QKS:1: *Controls C\n"
              "TRACE TUT1.QKS:2: *Wait\n"
              "TRACE TUT1.QKS:3: after\n"
              "TRACE TUT1.QKS:4: *Wait\n"
              "ERROR: answers line 3 \"button Q\" cannot be given here: the control bar shows only C (Continue)\n");
}

TEST_F(QuillcPlay, StepsStopAChapterThatNeverWaits) {
    chapter("TUT1.QKS", "@JTop\r\nagain\r\n*JumpToLabel Top\r\n");
    const auto r = Play({projectFile, "TUT1", "--steps", "50"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "ERROR: The run was stopped after 50 lines (the limit of --steps) in TUT1.QKS at line 3.\n");
}

TEST_F(QuillcPlay, UsageErrors) {
    chapter("TUT1.QKS", "x\r\n");
    EXPECT_EQ(Play({projectFile, "TUT1", "--steps", "0"}).status, 2);
    EXPECT_EQ(Play({projectFile, "TUT1", "--bogus"}).status, 2);
    EXPECT_EQ(Play({(folder.path() / "none.QKJ").string(), "TUT1"}).status, 2);
    folder.write("bad.txt", "button X\n");
    const auto bad = Play({projectFile, "TUT1", "--answers", (folder.path() / "bad.txt").string()});
    EXPECT_EQ(bad.status, 2);
    EXPECT_NE(bad.out.find("ERROR: line 1"), std::string::npos) << bad.out;
    const auto missing = Play({projectFile, "NOPE"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, "ERROR: NOPE.QKS was not found\n");
    const auto help = Play({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--steps N"), std::string::npos);
}

// A menu tutorial played whole: the about box and the introduction wait for ok, the menu for
// its picks; Quit in a chapter brings the menu back and the menu's quit entry ends the run.
TEST_F(QuillcPlay, WholeMenuTutorialVisitsTwoChaptersAndQuits) {
    quill::Project p;
    quill::SelectTutorial(p, projectFile);
    quill::TTutorialConfig& c = p.Config;
    c.set(quill::cfg::TutorialType, 1);
    c.set(quill::cfg::MainMenu::ScreenColor, 0x0000FF);  // red
    c.set(quill::cfg::MainMenu::ChapterCount, 2);
    c.set(quill::cfg::MainMenu::Chapter(1).Topic, "First");
    c.set(quill::cfg::MainMenu::Chapter(1).FileName, "TUT1");
    c.set(quill::cfg::MainMenu::Chapter(2).Topic, "Second");
    c.set(quill::cfg::MainMenu::Chapter(2).FileName, "TUT2");
    c.set(quill::cfg::AboutOn, 1);
    c.set(quill::cfg::About::ShowWhen, 0);
    c.set(quill::cfg::About::ProgramName, "Safety");
    c.set(quill::cfg::IntroOn, 1);
    c.set(quill::cfg::Intro::Screen.ScreenColor, 0x00FF00);  // lime
    c.set(quill::cfg::Intro::Screen.TextWindowOff, 0);
    c.set(quill::cfg::OpeningOn, 1);
    c.set(quill::cfg::Opening.CommandType, 2);
    c.set(quill::cfg::Opening.Description, "PIC.BMP,20");
    c.set(quill::cfg::ClosingOn, 1);
    c.set(quill::cfg::Closing.CommandType, 4);
    c.set(quill::cfg::Closing.Description, "CALC.EXE");
    p.SaveProject();
    quill::AddIntroduction(p.DataFilePath(), {"Welcome to the tutorial"});
    chapter("TUT1.QKS", "One\r\n*Wait\r\nnever shown\r\n");
    chapter("TUT2.QKS", "Two\r\n*Wait\r\n");
    folder.write("answers.txt", "ok\nok\nmainmenu 2\nbutton C\nmainmenu 1\nbutton Q\nmainmenu quit\n");
    const auto snaps = folder.path() / "snaps";
    const auto r = Play({projectFile, "--answers", (folder.path() / "answers.txt").string(), "--snapshots",
                         snaps.string(), "--trace"});
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_EQ(r.out,
              "INFO: The opening command would show the media PIC.BMP,20\n"
              "TRACE TUT2.QKS:1: Two\n"
              "TRACE TUT2.QKS:2: *Wait\n"
              "TRACE TUT1.QKS:1: One\n"
              "TRACE TUT1.QKS:2: *Wait\n"
              "INFO: The closing command would run the program CALC.EXE\n");
    // about box, introduction, menu, TUT2's wait, menu, TUT1's wait, menu, and the end.
    auto pixel = [&](const char* name, int x, int y) {
        const QImage shot(QString::fromStdString((snaps / name).string()));
        EXPECT_EQ(shot.size(), QSize(640, 480)) << name;
        return shot.pixel(x, y) & 0xFFFFFF;
    };
    EXPECT_EQ(pixel("001.png", 5, 5), 0x808080u);   // the about box's surround
    EXPECT_EQ(pixel("002.png", 5, 5), 0x00FF00u);   // the introduction's screen colour
    EXPECT_EQ(pixel("003.png", 5, 240), 0xFF0000u); // the menu's screen colour (RGB)
    EXPECT_EQ(pixel("005.png", 5, 240), 0xFF0000u);
    EXPECT_EQ(pixel("007.png", 5, 240), 0xFF0000u);
    EXPECT_TRUE(std::filesystem::exists(snaps / "008.png"));
    EXPECT_FALSE(std::filesystem::exists(snaps / "009.png"));
}

TEST_F(QuillcPlay, WholeTutorialAnswersThatDoNotFitAreSkippedAndRunningOutQuitsTheMenu) {
    quill::Project p;
    quill::SelectTutorial(p, projectFile);
    p.Config.set(quill::cfg::TutorialType, 1);
    p.Config.set(quill::cfg::MainMenu::ChapterCount, 1);
    p.Config.set(quill::cfg::MainMenu::Chapter(1).Topic, "First");
    p.Config.set(quill::cfg::MainMenu::Chapter(1).FileName, "TUT1");
    p.SaveProject();
    chapter("TUT1.QKS", "One\r\n");
    folder.write("answers.txt", "button C\nmainmenu 1\n");
    auto r = Play({projectFile, "--answers", (folder.path() / "answers.txt").string()});
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out,
              "INFO: answer line 1 \"button C\" does not answer the main menu; skipped\n"
              "INFO: answers ran out\n");
    // A pick the menu does not show cannot be given, like a list item that does not exist.
    folder.write("answers.txt", "mainmenu 3\nmainmenu 1\n");
    r = Play({projectFile, "--answers", (folder.path() / "answers.txt").string()});
    EXPECT_EQ(r.status, 1) << r.out;
    EXPECT_EQ(r.out, "ERROR: answers line 1 \"mainmenu 3\" cannot be given here: the main menu shows 1 chapter picks\n");
    // A starting-chapter tutorial without a starting chapter is refused as the main window's
    // Pre-View refuses it.
    p.Config.set(quill::cfg::TutorialType, 0);
    p.SaveProject();
    const auto none = Play({projectFile});
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.out, "ERROR: The tutorial has no starting chapter. Choose it with Define Tutorial Type.\n");
}

}  // namespace
