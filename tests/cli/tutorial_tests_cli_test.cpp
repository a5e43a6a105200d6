// Tests an author keeps with a tutorial: transcripts kept and compared (quillc play --bless /
// --expect), the runs of the project's tests folder (quillc test) and what the runs reach of
// the chapters (quillc coverage).
#include <gtest/gtest.h>

#include "../format/test_folder.h"
#include "cli.h"
#include "project/project.h"
#include "run_quillc.h"
#include "text_diff.h"

namespace fs = std::filesystem;
using quill::test::RunQuillc;
using quill::test::TempFolder;

namespace {

// One chapter with a branch, a quiz, a match table and two hypertext words.
const char* const kChapter =
    "; coverage fixture\r\n"             // 1
    "*ClearScreen\r\n"                   // 2
    "See the |map| and the |key|.\r\n"   // 3
    "*BranchOnInput 10\r\n"              // 4
    "yes\r\n"                            // 5
    "&1\r\n"                             // 6
    "Good\r\n"                           // 7
    "&2\r\n"                             // 8
    "Bad\r\n"                            // 9
    "&3\r\n"                             // 10
    "@QQ\r\n"                            // 11
    "*QuizAnswers 2 20 Q\r\n"            // 12
    "first\r\n"                          // 13
    "second\r\n"                         // 14
    "@1Q\r\n"                            // 15
    "*ExitQuiz\r\n"                      // 16
    "@2Q\r\n"                            // 17
    "*ExitQuiz\r\n"                      // 18
    "@CQ\r\n"                            // 19
    "*JumpOnMatch 2 10\r\n"              // 20
    "red;*JumpToLabel Red\r\n"           // 21
    "blue;*JumpToLabel Blue\r\n"         // 22
    "*JumpToLabel Other\r\n"             // 23
    "@JRed\r\n"                          // 24
    "Red\r\n"                            // 25
    "@JBlue\r\n"                         // 26
    "Blue\r\n"                           // 27
    "@JOther\r\n"                        // 28
    "*Exit\r\n"                          // 29
    "Never\r\n";                         // 30

class TutorialTests : public ::testing::Test {
protected:
    TutorialTests() {
        quill::Project p;
        quill::NewTutorial(p, folder.path() / "Tut", "TUT");
        dir = p.ProjectDir;
        project = (dir / "TUT.QKJ").string();
        folder.write("Tut/TUT1.QKS", kChapter);
    }
    std::string file(const std::string& name, const std::string& text) {
        folder.write("Tut/" + name, text);
        return (dir / name).string();
    }
    TempFolder folder;
    fs::path dir;
    std::string project;
};

const char* const kRedPath = "# chapter TUT1\nhyper map\ntext yes\nanswer 1\ntext red\n";

TEST_F(TutorialTests, TranscriptIsKeptAndComparedWithADiff) {
    const std::string answers = file("red.answers", kRedPath);
    const std::string kept = (dir / "red.transcript").string();
    auto r = RunQuillc({"play", project, "TUT1", "--answers", answers, "--bless", kept});
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    const std::string transcript = TempFolder::read(kept);
    // The waits with what they show and the answers given, in order.
    for (const char* part : {"# transcript of the chapter TUT1\n=== chapter TUT1.QKS\n--- wait 1: the input box ---\n",
                             "|See the map and the key.\n", "hypertext: \"map\", \"key\"\n", "input box: ",
                             "> hyper map\naction: PERFORM HYPER map\nINFO: The \"map\" HyperText Link has not been defined \n"
                             "> text yes\n",
                             "--- wait 2: the quiz answers ---\n", "answer A: first\nanswer B: second\n> answer 1\n",
                             "--- wait 3: the input box ---\n"})
        EXPECT_NE(transcript.find(part), std::string::npos) << part << "\nin\n" << transcript;

    r = RunQuillc({"play", project, "TUT1", "--answers", answers, "--expect", kept});
    EXPECT_EQ(r.status, 0) << r.out;

    // A changed line shows as a unified diff, and the run fails.
    std::string changed = kChapter;
    changed.replace(changed.find("See the"), 7, "Look at");
    file("TUT1.QKS", changed);
    r = RunQuillc({"play", project, "TUT1", "--answers", answers, "--expect", kept});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("--- " + kept + "\n+++ this run\n@@ -"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\n-|See the map and the key.\n+|Look at map and the key.\n"), std::string::npos) << r.out;

    // A kept transcript that is not there is a file that cannot be read.
    r = RunQuillc({"play", project, "TUT1", "--answers", answers, "--expect", (dir / "none").string()});
    EXPECT_EQ(r.status, 2) << r.out;
}

TEST_F(TutorialTests, HypertextWordNotOnTheScreenIsRefused) {
    const std::string answers = file("a.answers", "hyper compass\ntext yes\n");
    const auto r = RunQuillc({"play", project, "TUT1", "--answers", answers});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("ERROR: answers line 1 \"hyper compass\" cannot be given here: the screen shows no "
                         "hypertext word \"compass\""),
              std::string::npos)
        << r.out;
}

TEST(UnifiedDiff, ShowsEachChangeWithItsContext) {
    using V = std::vector<std::string>;
    struct Case {
        V before, after;
        std::string diff;
    };
    const V ten{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};
    const V eleven{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11"};
    V changedTwice = eleven;
    changedTwice[1] = "two";
    changedTwice[9] = "ten";
    const Case cases[] = {
        {ten, ten, ""},
        {{"a", "b", "c"}, {"a", "x", "c"}, "--- A\n+++ B\n@@ -1,3 +1,3 @@\n a\n-b\n+x\n c\n"},
        {{"b"}, {"a", "b"}, "--- A\n+++ B\n@@ -1 +1,2 @@\n+a\n b\n"},
        {{"a", "b"}, {"a"}, "--- A\n+++ B\n@@ -1,2 +1 @@\n a\n-b\n"},
        {{}, {"a"}, "--- A\n+++ B\n@@ -0,0 +1 @@\n+a\n"},
        // Changes more than twice the context apart make two hunks; closer ones one.
        {eleven, changedTwice,
         "--- A\n+++ B\n@@ -1,5 +1,5 @@\n 1\n-2\n+two\n 3\n 4\n 5\n@@ -7,5 +7,5 @@\n 7\n 8\n 9\n-10\n+ten\n 11\n"},
        {{"1", "2", "3", "4", "5", "6", "7", "8"}, {"1", "x", "3", "4", "5", "6", "7", "y"},
         "--- A\n+++ B\n@@ -1,8 +1,8 @@\n 1\n-2\n+x\n 3\n 4\n 5\n 6\n 7\n-8\n+y\n"},
    };
    for (const Case& c : cases) EXPECT_EQ(quillc::UnifiedDiff(c.before, c.after, "A", "B"), c.diff);
}

TEST_F(TutorialTests, TestCommandComparesEveryRunOfTheTestsFolder) {
    file("tests/red.answers", kRedPath);
    file("tests/whole.answers", "# the whole tutorial: nothing waits before the chapter's input\ntext no\n");
    // Without transcripts every run fails and says how to keep them.
    auto r = RunQuillc({"test", project});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("FAIL red (there is no transcript red.transcript; quillc test --bless keeps one)\n"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("0 passed, 2 failed\n"), std::string::npos) << r.out;

    quill::test::SetStartChapter(dir / "TUT.QKJ", "TUT1");
    r = RunQuillc({"test", project, "--bless"});
    EXPECT_EQ(r.out, "blessed red\nblessed whole\n2 passed, 0 failed\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(TempFolder::read(dir / "tests" / "whole.transcript").find("# transcript of the whole tutorial\n"),
              std::string::npos);
    // The learner's files of the runs are not left in the tutorial's folder.
    EXPECT_FALSE(fs::exists(dir / "USER.DAT"));

    r = RunQuillc({"test", project});
    EXPECT_EQ(r.out, "ok red\nok whole\n2 passed, 0 failed\n");
    EXPECT_EQ(r.status, 0);

    // A changed chapter fails the runs with their differences; a script error fails its run.
    std::string changed = kChapter;
    changed.replace(changed.find("*JumpOnMatch 2 10"), 17, "*JumpOnMatch 2 x");
    file("TUT1.QKS", changed);
    r = RunQuillc({"test", project});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("FAIL red (stopped: "), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("1 passed, 1 failed\n"), std::string::npos) << r.out;

    // An answers file with a line that is not an answer fails its run.
    file("tests/bad.answers", "press the big red button\n");
    r = RunQuillc({"test", project});
    EXPECT_NE(r.out.find("FAIL bad (bad.answers line 1: \"press the big red button\" is not an answer)\n"),
              std::string::npos)
        << r.out;
    EXPECT_EQ(r.status, 1);
}

TEST_F(TutorialTests, TestCommandWithoutTestsFails) {
    const auto r = RunQuillc({"test", project});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("ERROR: There are no answers files (NAME.answers) in the folder "), std::string::npos) << r.out;
}

TEST_F(TutorialTests, CoverageNamesWhatNoRunReached) {
    file("TUT2.QKS", "Never played\r\n");
    const std::string red = file("red.answers", kRedPath);
    auto r = RunQuillc({"coverage", project, red, "--html", (dir / "coverage.html").string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out,
              "TUT1.QKS:3: not reached (hypertext word \"key\" never followed)\n"
              "TUT1.QKS:8: not reached (branch section &2 never entered)\n"
              "TUT1.QKS:9: not reached (text)\n"
              "TUT1.QKS:14: not reached (quiz answer 2 never chosen)\n"
              "TUT1.QKS:18: not reached (command)\n"
              "TUT1.QKS:22: not reached (match entry 2 never picked)\n"
              "TUT1.QKS:23: not reached (final action never taken)\n"
              "TUT1.QKS:30: not reached (text)\n"
              "TUT2.QKS:1: not reached (chapter never started)\n"
              "9 places not reached in 2 chapters by 1 run\n");
    const std::string html = TempFolder::read(dir / "coverage.html");
    EXPECT_NE(html.find("<tr class=\"miss\"><td class=\"n\">9</td><td>Bad</td><td class=\"why\">text</td></tr>"),
              std::string::npos)
        << html;
    EXPECT_NE(html.find("<tr class=\"hit\"><td class=\"n\">7</td><td>Good</td>"), std::string::npos);
    EXPECT_NE(html.find("<h2 class=\"miss\">TUT2.QKS: never reached</h2>"), std::string::npos);

    // The runs together: what one leaves, the other may reach.
    const std::string blue = file("blue.answers", "# chapter TUT1\nhyper KEY\ntext no\nanswer 2\ntext blue\n");
    const std::string two = file("two.answers", "# chapter TUT2\n");
    r = RunQuillc({"coverage", project, red, blue, two});
    EXPECT_EQ(r.out,
              "TUT1.QKS:23: not reached (final action never taken)\n"
              "TUT1.QKS:30: not reached (text)\n"
              "2 places not reached in 2 chapters by 3 runs\n");
}

TEST_F(TutorialTests, CoverageRefusesAWrongAnswersFileBeforeRunning) {
    const std::string bad = file("bad.answers", "jump\n");
    const auto r = RunQuillc({"coverage", project, bad});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "ERROR: bad.answers line 1: \"jump\" is not an answer\n");
}

// The sample tutorial's own tests pass, and together they reach every line of its chapters.
TEST(SampleTutorial, ShipsTestsThatPassAndReachEverything) {
    TempFolder folder;
    const fs::path dir = folder.path() / "MAPS";
    fs::copy(QUILL_SAMPLE_DIR, dir, fs::copy_options::recursive);
    auto r = RunQuillc({"test", (dir / "MAPS.QKJ").string()});
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find(" passed, 0 failed\n"), std::string::npos) << r.out;

    quillc::Args coverage{"coverage", (dir / "MAPS.QKJ").string()};
    for (const auto& entry : fs::directory_iterator(dir / "tests"))
        if (entry.path().extension() == ".answers") coverage.push_back(entry.path().string());
    r = RunQuillc(coverage);
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_TRUE(r.out.starts_with("0 places not reached in 3 chapters")) << r.out;
}

}  // namespace

namespace {

// The help book's page "Testing a tutorial" uses the sample: every file of the sample it names
// is there, and its commands run as it says.
TEST(SampleTutorial, TheHelpPageOnTestingNamesTheSamplesFiles) {
    const std::string book = TempFolder::read(fs::path(QUILL_SOURCE_DIR) / "src/ui/shipped/QUILLDESK.html");
    const auto at = book.find("<a name=\"testing\"></a>Testing a tutorial</h2>");
    ASSERT_NE(at, std::string::npos);
    const std::string page = book.substr(at, book.find("<h2>", at) - at);
    int named = 0;
    for (std::size_t from = 0; (from = page.find("tests/", from)) != std::string::npos; ++named) {
        const std::string name = page.substr(from, page.find_first_of(" <", from) - from);
        from += name.size();
        if (name.find('*') != std::string::npos || name.find("NAME") != std::string::npos) continue;
        EXPECT_TRUE(fs::exists(fs::path(QUILL_SAMPLE_DIR) / name)) << name;
    }
    EXPECT_GE(named, 5);
    EXPECT_NE(page.find("5 passed, 0 failed"), std::string::npos);
}

}  // namespace
