// Branches, two-way and multi-way jumps, quizzes, menus, learner input and the file commands.
#include <gtest/gtest.h>

#include "../screen/screen_test_support.h"
#include "engine_test_support.h"
#include "project/user_record.h"
#include "../../qstring_printer.h"

using namespace quill;
using namespace quill::test;

namespace {

struct ChoiceCase {
    const char* name;
    const char* command;
    const char* matchList;  // the line after the command, or nullptr
    const char* answers;
    bool fileYes;           // yes.txt exists and holds "yes please"
    bool expected;          // which way it goes
};

// Each command as a branch (&1 / &2 / &3) and as a two-way jump.
const ChoiceCase kChoiceCases[] = {
    {"FileExistsTrue", "FileExists yes.txt", nullptr, "", true, true},
    {"FileExistsFalse", "FileExists yes.txt", nullptr, "", false, false},
    {"InputContains", "Input 10", "yes;y", "text Yes please", false, true},
    {"InputExact", "Input 10 Exact", "yes;y", "text Yes please", false, false},
    {"InputExactEqual", "Input 10 Exact", "No;yes", "text yes", false, true},
    {"InputNoMatch", "Input 10", "yes;y", "text nope", false, false},
    {"ButtonLeft", "Button Yes No", nullptr, "choice left", false, true},
    {"ButtonRight", "Button Yes No", nullptr, "choice right", false, false},
    {"FileInputMatch", "FileInput yes.txt", "yes", "", true, true},
    {"FileInputNoMatch", "FileInput yes.txt", "no", "", true, false},
};

class ChoiceTest : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(ChoiceTest, BranchRunsOnlyTheChosenSection) {
    const ChoiceCase& c = GetParam();
    Tutorial t;
    if (c.fileYes) t.write("yes.txt", "yes please\r\n");
    const std::string command = std::string("*BranchOn") + c.command;
    std::vector<std::string> lines{command};
    if (c.matchList) lines.push_back(c.matchList);
    for (const char* l : {"&1", "T", "&2", "F", "&3", "after"}) lines.push_back(l);
    std::string bytes;
    for (const auto& l : lines) bytes += l + "\r\n";
    t.write("T1.QKS", bytes);
    Session run(t, QString::fromUtf8(c.answers));
    run.play("T1");
    EXPECT_EQ(run.host.errors(), QStringList());
    EXPECT_EQ(run.ran("T"), c.expected);
    EXPECT_EQ(run.ran("F"), !c.expected);
    EXPECT_TRUE(run.ran("after"));
    EXPECT_FALSE(run.player.inBranch());
}

TEST_P(ChoiceTest, TwoWayJumpTakesTheChosenAction) {
    const ChoiceCase& c = GetParam();
    Tutorial t;
    if (c.fileYes) t.write("yes.txt", "yes please\r\n");
    std::vector<std::string> lines{std::string("*JumpOn") + c.command};
    if (c.matchList) lines.push_back(c.matchList);
    for (const char* l : {"*JumpToLabel Yes", "*JumpToLabel No", "@JYes", "yes", "*Exit", "@JNo", "no"})
        lines.push_back(l);
    std::string bytes;
    for (const auto& l : lines) bytes += l + "\r\n";
    t.write("T1.QKS", bytes);
    Session run(t, QString::fromUtf8(c.answers));
    run.play("T1");
    EXPECT_EQ(run.host.errors(), QStringList());
    EXPECT_EQ(run.ran("yes"), c.expected);
    EXPECT_EQ(run.ran("no"), !c.expected);
}

INSTANTIATE_TEST_SUITE_P(Engine, ChoiceTest, ::testing::ValuesIn(kChoiceCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct MarkerCase {
    const char* name;
    std::initializer_list<std::string_view> lines;
    const char* error;
    const char* ran;  // a line that ran before the error, or ""
};

const MarkerCase kMarkerCases[] = {
    {"FirstMissing", {"*BranchOnFileExists T1.QKS", "&2", "F", "&3"}, "The &1 Marker is missing.", ""},
    {"SecondMissingAfterTrue", {"*BranchOnFileExists T1.QKS", "&1", "T"}, "The &2 Marker is missing.", "T"},
    {"SecondMissingOnFalse", {"*BranchOnFileExists none.txt", "&1", "T", "&3"}, "The &2 Marker is missing.", ""},
    {"ThirdMissingAfterTrue", {"*BranchOnFileExists T1.QKS", "&1", "T", "&2", "F"}, "The &3 Marker is missing.", "T"},
    {"ThirdMissingOnFalse", {"*BranchOnFileExists none.txt", "&1", "T", "&2", "F"}, "The &3 Marker is missing.", "F"},
    {"JumpInsideASection", {"*BranchOnFileExists T1.QKS", "&1", "*JumpToLabel A", "&2", "&3", "@JA"},
     "Jump Commands are not allowed within branches.\r\n*JumpToLabel A is invalid.", ""},
    {"NotEnoughMatches", {"*JumpOnMatch 2 10", "a;*JumpToLabel A"}, "There are not enough matches", ""},
    {"FinalActionMissing", {"*JumpOnMatch 1 10", "a;*JumpToLabel A", "not a command"}, "The final Action is missing", ""},
    {"QuizMarkerMissing", {"@QQ1", "*QuizAnswers 2 10 Q1", "one", "two", "@1Q1"}, "The Marker @2Q1 is missing.", ""},
    {"UserInputLetter", {"*GetUserInput 1 20"}, "*GetUserInput 1 20 has an invalid number", ""},
    {"CopyFileOneName", {":RC,a.txt"}, ":RC,a.txt must specify two file names.", ""},
    {"FileOutsideTheFolder", {"*AddToFile ..\\x.txt hi"},
     "The filename ..\\x.txt in *AddToFile ..\\x.txt hi is outside the tutorial folder.", ""},
    {"AbsoluteFileName", {"*DeleteFile /etc/passwd"},
     "The filename /etc/passwd in *DeleteFile /etc/passwd is outside the tutorial folder.", ""},
};

class MarkerTest : public ::testing::TestWithParam<MarkerCase> {};

TEST_P(MarkerTest, ReportsTheMessageAndStops) {
    const MarkerCase& c = GetParam();
    Tutorial t;
    t.chapter("T1", c.lines);
    Session run(t, "text a\nanswer 2\nkey b");
    run.play("T1");
    EXPECT_EQ(run.host.errors(), QStringList{QString::fromUtf8(c.error)});
    EXPECT_EQ(run.result.end, PlayEnd::ScriptError);
    if (*c.ran) {
        EXPECT_TRUE(run.ran(c.ran));
    }
}

INSTANTIATE_TEST_SUITE_P(Engine, MarkerTest, ::testing::ValuesIn(kMarkerCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Engine, BranchOnFileInputWithoutTheFileSkipsTheWholeBranchSilently) {
    Tutorial t;
    t.chapter("T1", {"*BranchOnFileInput missing.txt Exact", "yes", "&1", "T", "&2", "F", "&3", "after"});
    Session run(t);
    run.play("T1");
    EXPECT_FALSE(run.ran("T"));
    EXPECT_FALSE(run.ran("F"));
    EXPECT_TRUE(run.ran("after"));
    EXPECT_TRUE(run.host.messages().empty());
}

TEST(Engine, JumpOnMatchLastMatchWinsAndTheFinalActionOtherwise) {
    Tutorial t;
    t.chapter("T1", {"*JumpOnMatch 2 10", "red;*JumpToLabel Red", "blue;*JumpToLabel Blue", "*JumpToLabel None",
                     "@JRed", "red", "*Exit", "@JBlue", "blue", "*Exit", "@JNone", "none"});
    Session both(t, "text red and blue");
    both.play("T1");
    EXPECT_TRUE(both.ran("blue"));
    EXPECT_FALSE(both.ran("red"));
    Session neither(t, "text green");
    neither.play("T1");
    EXPECT_TRUE(neither.ran("none"));

    t.write("ans.txt", "RED\r\n");
    t.chapter("T2", {"*JumpOnFileMatch ans.txt 2", "red;*JumpToLabel Red", "blue;*JumpToLabel Blue",
                     "*JumpToLabel None", "@JRed", "red", "*Exit", "@JBlue", "blue", "*Exit", "@JNone", "none"});
    Session file(t);
    file.play("T2");
    EXPECT_TRUE(file.ran("red"));
    EXPECT_TRUE(file.host.errors().isEmpty());
}

const std::initializer_list<std::string_view> kQuiz = {
    "@QQ1",        "Question?", "*QuizAnswers 3 10 Q1", "Red",  "Green",      "Blue",     "@1Q1",   "one",
    "*ReturnToQuiz", "@2Q1",    "two",                  "*ExitQuiz", "@3Q1",  "three",    "*ExitQuiz", "@CQ1",
    "after"};

TEST(Engine, QuizKeysAndClicks) {
    struct Case {
        const char* answers;
        std::vector<int> lines;
    };
    const Case cases[] = {
        // d is not an answer of a three-answer quiz; c is.
        {"key d\nkey c", {1, 2, 3, 14, 15, 17}},
        {"key B", {1, 2, 3, 11, 12, 17}},
        // answer 1 returns to the quiz, answer 2 leaves it.
        {"answer 1\nanswer 2", {1, 2, 3, 8, 9, 2, 3, 11, 12, 17}},
    };
    for (const Case& c : cases) {
        Tutorial t;
        t.chapter("T1", kQuiz);
        Session run(t, c.answers);
        run.play("T1");
        EXPECT_EQ(run.lines, c.lines) << c.answers;
        EXPECT_TRUE(run.host.errors().isEmpty()) << c.answers;
        EXPECT_FALSE(run.player.inQuiz());
        EXPECT_FALSE(run.player.inBranch());
        EXPECT_TRUE(run.screen.answers().quiz.empty());
    }
}

TEST(Engine, QuizShowsItsAnswerPanelsWhileItWaits) {
    Tutorial t;
    t.chapter("T1", kQuiz);
    Session run(t, "answer 3");
    run.host.setSnapshotFolder(t.path("snaps"));
    std::vector<QuizAnswer> waiting;
    run.host.onQuiz = [&] { waiting = run.screen.answers().quiz; };
    run.play("T1");
    EXPECT_TRUE(run.ran("three"));
    EXPECT_TRUE(run.screen.answers().quiz.empty());  // gone once answered
    // While it waits: three panels A, B, C with the answers, drawn in the snapshot of the wait.
    ASSERT_EQ(waiting.size(), 3u);
    const QImage shot(QString::fromStdString((t.path("snaps") / "001.png").string()));
    ASSERT_FALSE(shot.isNull());
    const char* const letters[] = {"A", "B", "C"};
    const char* const texts[] = {"Red", "Green", "Blue"};
    for (std::size_t i = 0; i < 3; ++i) {
        const QuizAnswer& a = waiting[i];
        EXPECT_EQ(a.number, static_cast<int>(i) + 1);
        EXPECT_EQ(a.letter, letters[i]);
        EXPECT_EQ(a.text, texts[i]);
        EXPECT_EQ(shot.pixelColor(a.rect.right() - 3, a.rect.center().y()), a.backColour) << i;
        EXPECT_GT(test::CountColour(shot.copy(a.rect.adjusted(32, 2, -2, -2)), Qt::black), 10) << i;  // its text
    }
}

TEST(Engine, BoxMenuAndButtonMenuRunTheChosenAction) {
    Tutorial t;
    t.chapter("T1", {"*BoxMenu 10 5 30 8 2", "First;*JumpToLabel A", "Second;*JumpToLabel B", "@JA", "a", "*Exit",
                     "@JB", "b"});
    Session box(t, "list 2");
    box.play("T1");
    EXPECT_TRUE(box.ran("b"));
    EXPECT_FALSE(box.ran("a"));
    EXPECT_EQ(box.screen.answers().list.items, (QStringList{"First", "Second"}));
    EXPECT_FALSE(box.screen.answers().list.visible);

    t.chapter("T2", {"*ButtonMenu 2", "5 10 15 Go;*JumpToLabel A", "20 10 30 Stay here;*JumpToLabel B", "@JA", "a",
                     "*Exit", "@JB", "b"});
    Session buttons(t, "menu 1");
    buttons.play("T2");
    EXPECT_TRUE(buttons.ran("a"));
    EXPECT_FALSE(buttons.ran("b"));
    const auto& made = buttons.screen.menuButtons();
    ASSERT_EQ(made.size(), 2u);
    EXPECT_EQ(made[0].rect.left(), 32);
    EXPECT_EQ(made[0].rect.top(), 9 * 17);
    EXPECT_EQ(made[0].rect.width(), 11 * 8);
    EXPECT_EQ(made[1].caption, "Stay here");

    t.chapter("T3", {"*ButtonMenu 1", "5 x 15 Go;*JumpToLabel A"});
    Session bad(t, "menu 1");
    bad.play("T3");
    EXPECT_EQ(bad.host.errors(), QStringList{"*ButtonMenu 1 has an invalid number"});
}

TEST(Engine, UserInputRoundTripsThroughUserDat) {
    Tutorial t;
    t.chapter("T1", {"*GetUserInput B 20", "*Row 5", "Hello ~@B"});
    Session run(t, "text Ann");
    run.play("T1");
    ASSERT_EQ(run.host.errors(), QStringList());
    const std::string bytes = t.read("USER.DAT");
    ASSERT_EQ(bytes.size(), UserRecord::Size);
    EXPECT_EQ(bytes.substr(61, 4), std::string("\x03" "Ann", 4));

    // Row 5 shows the same pixels as the text written out.
    TextScreen reference(t.project.Config, t.project.ProjectDir);
    reference.clearScreen(0);
    reference.drawText(1, 5, "Hello Ann");
    const QRect row5(0, TextScreen::RowToY(5), 640, TextScreen::kCellHeight);
    EXPECT_EQ(run.screen.image().copy(row5), reference.image().copy(row5));

    // A second answer replaces only its own slot.
    t.chapter("T2", {"*GetUserInput a 5"});
    Session again(t, "text Zoe");
    again.play("T2");
    const auto record = ReadUserRecord(t.path("USER.DAT"));
    ASSERT_TRUE(record);
    EXPECT_EQ(record->slot(2), "Ann");
    EXPECT_EQ(record->slot(27), "Zoe");
}

TEST(Engine, QuickQuestionShowsTheReplyBelowTheAnswer) {
    Tutorial t;
    t.chapter("T1", {"*Row 3", "*QuickQuestion 10", "paris", "Right!", "Wrong.", "after"});
    Session right(t, "text Paris");
    right.play("T1");
    TextScreen reference(t.project.Config, t.project.ProjectDir);
    reference.clearScreen(0);
    reference.drawText(1, 3, "Paris");
    reference.drawText(1, 4, "Right!");
    reference.drawText(1, 3, "after");  // the current row stayed at the answer's row
    EXPECT_EQ(right.screen.image(), reference.image());
}

TEST(Engine, FillInAnswerRevealsEachLetterAtTheLastTryAtTheLatest) {
    Tutorial t;
    t.chapter("T1", {"*FillInAnswer 5 5 3 Default Cat", "after"});
    // C at once; a after three wrong keys (the third reveals it); t at once.
    Session run(t, "key c\nkey x\nkey y\nkey z\nkey T");
    run.play("T1");
    EXPECT_TRUE(run.ran("after"));
    EXPECT_EQ(run.host.answersUsed(), 5);
    TextScreen reference(t.project.Config, t.project.ProjectDir);
    reference.clearScreen(0);
    reference.restoreFontAndBrush({kStyleBold, reference.colours().text, reference.colours().back});
    reference.drawText(5, 5, "Cat");
    const QRect cells(TextScreen::ColumnToX(5), TextScreen::RowToY(5), 3 * 8, TextScreen::kCellHeight);
    EXPECT_EQ(run.screen.image().copy(cells), reference.image().copy(cells));
}

TEST(Engine, FileCommands) {
    Tutorial t;
    t.write("src.txt", "one\r\ntwo\r\n");
    t.chapter("T1", {"*AddToFile notes.txt", "*AddToFile notes.txt hello there", "*CopyFile src.txt copy.txt",
                     "*CopyFile nothing.txt other.txt", "*InputToFile 20 typed.txt", "*MemoToFile 20 3 memo.txt",
                     "*DeleteFile src.txt", "*DisplayFile copy.txt", "*PrintFile copy.txt"});
    Session run(t, "text typed words\nmemo first\nmemo second\nok");
    run.play("T1");
    EXPECT_EQ(run.host.errors(), QStringList());
    EXPECT_EQ(t.read("notes.txt"), "\r\nhello there\r\n");
    EXPECT_EQ(t.read("copy.txt"), "one\r\ntwo\r\n");
    EXPECT_FALSE(std::filesystem::exists(t.path("other.txt")));
    EXPECT_EQ(t.read("typed.txt"), "typed words\r\n");
    EXPECT_EQ(t.read("memo.txt"), "first\r\nsecond\r\n");
    EXPECT_FALSE(std::filesystem::exists(t.path("src.txt")));
    EXPECT_EQ(run.host.actions(), (QStringList{"PRINT 2 lines", "PRINT LINE one", "PRINT LINE two"}));
}

}  // namespace
