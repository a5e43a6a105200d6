#include <gtest/gtest.h>

#include <QImage>
#include <sstream>

#include "../format/test_folder.h"
#include "cli.h"
#include "run_quillc.h"
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
    EXPECT_EQ(Play({projectFile}).status, 2);
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

}  // namespace
