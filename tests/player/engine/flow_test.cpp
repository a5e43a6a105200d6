// The interpreter's flow: labels and jumps, page back, the return stack, chapter switching,
// rejoining, the error messages of the flow commands, and stopping a run.
#include <gtest/gtest.h>

#include "datafile/data_file.h"
#include "engine_test_support.h"
#include "../../qstring_printer.h"

using namespace quill;
using namespace quill::test;

namespace {

struct FlowCase {
    const char* name;
    std::initializer_list<std::string_view> lines;
    const char* answers;
    std::vector<int> expected;  // chapter lines executed, in order
    const char* error;          // the error box, or "" for none
};

class FlowTest : public ::testing::TestWithParam<FlowCase> {};

TEST_P(FlowTest, RunsTheExpectedLines) {
    const FlowCase& c = GetParam();
    Tutorial t;
    t.chapter("T1", c.lines);
    Session run(t, QString::fromUtf8(c.answers));
    run.play("T1");
    EXPECT_EQ(run.lines, c.expected);
    const QStringList errors = run.host.errors();
    if (*c.error) {
        ASSERT_EQ(errors.size(), 1) << errors.join("|");
        EXPECT_EQ(errors[0], QString::fromUtf8(c.error));
        EXPECT_EQ(run.result.end, PlayEnd::ScriptError);
    } else {
        EXPECT_EQ(errors, QStringList());
        EXPECT_NE(run.result.end, PlayEnd::ScriptError);
    }
}

const FlowCase kFlowCases[] = {
    {"CommentsOnly", {"; one", "; two"}, "", {1, 2}, ""},
    {"JumpIsCaseSensitive", {"*JumpToLabel Start", "@JSTART", "no", "@JStart", "yes"}, "", {1, 5}, ""},
    {"JumpTakesTheFirstOfTwo", {"*JumpToLabel A", "@JA", "first", "*Exit", "@JA", "second"}, "", {1, 3, 4}, ""},
    {"JumpToMissingLabel", {"*JumpToLabel Nowhere", "x"}, "", {1}, "The Marker @JNowhere is missing."},
    {"JumpInsideABranch", {"&1", "*JumpToLabel A", "@JA"}, "", {1, 2},
     "Jump Commands are not allowed within branches.\r\n*JumpToLabel A is invalid."},
    {"JumpLabelInsideABranch", {"&2", "@JA"}, "", {1, 2},
     "Jump Commands are not allowed within branches.\r\n@JA is invalid."},
    {"PageLabelInsideABranch", {"&1", "@pIntro"}, "", {1, 2},
     "Paging Back is not allowed within branches.\r\n@pIntro is invalid."},
    {"BranchEndAllowsJumpsAgain", {"&1", "&3", "*JumpToLabel A", "x", "@JA", "y"}, "", {1, 2, 3, 6}, ""},
    {"NestedQuiz", {"@QOne", "@QTwo"}, "", {1, 2},
     "Branching Quizzes cannot be nested within each other.\r\n@QTwo is invalid."},
    {"UnknownLetterInAGroup", {":FQ,1", "x"}, "", {1}, ":FQ,1 is not a valid command"},
    {"UnknownLetterInTheJumpGroupIsIgnored", {":JQ,1", "x"}, "", {1, 2}, ""},
    {"UnknownGroup", {":Z", "x"}, "", {1}, ":Z is not a valid command"},
    {"UnknownKeyword", {"*ClaerScreen", "x"}, "", {1}, "*ClaerScreen is not a valid command"},
    {"ExitEndsTheRun", {"a", "*Exit", "b"}, "", {1, 2}, ""},
    {"Row27IsAccepted", {"*Row 27", "x"}, "", {1, 2}, ""},
    {"Row28IsRefused", {"*Row 28", "x"}, "", {1}, "*Row 28 - the Row must be between 1 and 27"},
    {"Column80IsRefused", {"*Column 80", "x"}, "", {1}, "*Column 80 - the Column must be between 1 and 79"},
    {"ColRowChecksTheRow", {"*ColRow 5 0"}, "", {1}, "*ColRow 5 0 - the Row must be between 1 and 27"},
    {"ReturnWithNothingToReturnTo", {"*Return"}, "", {1}, "One of the Return labels is missing."},
    {"JumpAndReturnWithoutALabel", {":JK,Sub"}, "", {1}, "A label is missing from :JK,Sub"},
    {"JumpAndReturnComesBack",
     {"*JumpAndReturn Sub Back", "@JBack", "back", "*Exit", "@JSub", "sub", "*Return"}, "", {1, 6, 7, 3, 4}, ""},
    // Page back (the first line shows the Page back button)
    {"PageBackWithoutAPreviousPageRestarts", {"*Controls C Q P", "@PA", "a", "*Wait", "end"}, "button P\nbutton Q",
     {1, 2, 3, 4, 1, 2, 3, 4}, ""},
    {"PageBackGoesToThePreviousPage",
     {"*Controls C Q P", "@PA", "a", "*Wait", "@PB", "b", "*Wait", "end"}, "button C\nbutton P\nbutton P\nbutton Q",
     {1, 2, 3, 4, 5, 6, 7, 3, 4, 1, 2, 3, 4}, ""},
    {"PageBackToNamesTheWholeLabelLine",
     {"*Controls C Q P", "@PA", "a", "*Wait", "@PB", "*PageBackTo @pa", "@PC", "*Wait", "end"},
     "button C\nbutton P\nbutton Q", {1, 2, 3, 4, 5, 6, 7, 8, 3, 4}, ""},
    {"PageBackToWithoutTheMarkerNeverMatches",
     {"*Controls C Q P", "@PA", "a", "*Wait", "@PB", "*PageBackTo A", "*Wait", "end"}, "button C\nbutton P\nbutton Q",
     {1, 2, 3, 4, 5, 6, 7, 1, 2, 3, 4}, ""},
    {"PageLabelOnTheLastLineIsNeverFound",
     {"*Controls C Q P", "*JumpToLabel X", "@JY", "y", "*Wait", "*Exit", "@JX", "*PageBackTo @PLast", "*JumpToLabel Y",
      "@PLast"},
     "button P\nbutton Q", {1, 2, 8, 9, 4, 5, 1, 2, 8, 9, 4, 5}, ""},
    {"QuitEndsTheRun", {"*Wait", "after"}, "button Q", {1}, ""},
    {"ContinueGoesOn", {"*Wait", "after"}, "button C", {1, 2}, ""},
    {"AnswersRunningOutEndTheRun", {"*Wait", "after"}, "", {1}, ""},
};

INSTANTIATE_TEST_SUITE_P(Engine, FlowTest, ::testing::ValuesIn(kFlowCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Engine, TenNestedReturnsComeBackInReverseOrderAndAnEleventhIsRefused) {
    Tutorial t;
    // L(k) calls L(k+1) and returns to R(k); the deepest prints "bottom" and returns.
    std::string bytes = "*JumpAndReturn L1 R0\r\n@JR0\r\nback 0\r\n*Return\r\n";
    for (int k = 1; k <= 9; ++k) {
        const std::string n = std::to_string(k);
        bytes += "@JL" + n + "\r\n*JumpAndReturn L" + std::to_string(k + 1) + " R" + n + "\r\n@JR" + n +
                 "\r\nback " + n + "\r\n*Return\r\n";
    }
    bytes += "@JL10\r\nbottom\r\n*Return\r\n";
    t.write("T1.QKS", bytes);
    Session run(t);
    run.play("T1");
    std::vector<std::string> backs;
    for (const auto& text : run.texts)
        if (text.rfind("back ", 0) == 0) backs.push_back(text);
    std::vector<std::string> expected;
    for (int k = 9; k >= 0; --k) expected.push_back("back " + std::to_string(k));
    EXPECT_EQ(backs, expected);
    // The eleventh *Return has nothing left.
    EXPECT_EQ(run.host.errors(), QStringList{"One of the Return labels is missing."});

    Tutorial t2;
    std::string deep;
    for (int k = 1; k <= 11; ++k) deep += "*JumpAndReturn L" + std::to_string(k) + " R\r\n@JL" + std::to_string(k) + "\r\n";
    t2.write("T1.QKS", deep);
    Session run2(t2);
    run2.play("T1");
    EXPECT_EQ(run2.player.returnDepth(), 10);
    ASSERT_EQ(run2.host.errors().size(), 1);
    EXPECT_EQ(run2.host.errors()[0],
              "Jump and Return commands cannot be nested more than 10 deep.\r\n*JumpAndReturn L11 R is invalid.");
}

TEST(Engine, ReturnStackUnwindsInReverseOrder) {
    Tutorial t;
    // Sub1 calls Sub2 calls Sub3; each returns to the label after its call.
    t.chapter("T1", {"*JumpAndReturn S1 B1", "@JB1", "main end", "*Exit",                //
                     "@JS1", "*JumpAndReturn S2 B2", "@JB2", "s1 end", "*Return",        //
                     "@JS2", "*JumpAndReturn S3 B3", "@JB3", "s2 end", "*Return",        //
                     "@JS3", "s3 end", "*Return"});
    Session run(t);
    run.play("T1");
    std::vector<std::string> ends;
    for (const auto& text : run.texts)
        if (text.find(" end") != std::string::npos) ends.push_back(text);
    EXPECT_EQ(ends, (std::vector<std::string>{"s3 end", "s2 end", "s1 end", "main end"}));
    EXPECT_EQ(run.player.returnDepth(), 0);
    EXPECT_TRUE(run.host.errors().isEmpty());
}

TEST(Engine, ChapterSwitching) {
    Tutorial t;
    t.chapter("T1", {"*ReturnToFile t2", "one", "*Wait", "not reached"});
    t.chapter("T2", {"two", "*JumpToFile T3.QKS", "not reached"});
    t.chapter("T3", {"three", "*Wait", "three end"});
    Session run(t, "button Q\nbutton Q");
    run.play("T1");
    EXPECT_EQ(run.where, (std::vector<std::string>{"T1.QKS:1", "T1.QKS:2", "T1.QKS:3", "T2.QKS:1", "T2.QKS:2",
                                                   "T3.QKS:1", "T3.QKS:2"}));
    EXPECT_EQ(run.result.end, PlayEnd::Quit);
    EXPECT_EQ(run.result.chapter, "T3.QKS");

    Session missing(t);
    t.chapter("T4", {"*JumpToFile Nope", "x"});
    missing.play("T4");
    EXPECT_EQ(missing.host.errors(), QStringList{"Nope.QKS was not found"});
    EXPECT_EQ(missing.result.end, PlayEnd::ScriptError);

    Session none(t);
    none.play("Absent");
    EXPECT_EQ(none.host.errors(), QStringList{"Absent.QKS was not found"});
    EXPECT_TRUE(none.lines.empty());
}

TEST(Engine, RejoinWritesThePageOnQuitAndComesBackToIt) {
    Tutorial t;
    t.chapter("T1", {"*RejoinChapter rejoin.txt Back", "first visit", "@PStart", "page start", "*Wait", "@JBack",
                     "*RejoinPage", "end"});
    Session first(t, "button Q");
    first.play("T1");
    EXPECT_EQ(first.lines, (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(t.read("rejoin.txt"), "@PStart\r\n");

    Session second(t, "button Q");
    second.play("T1");
    EXPECT_EQ(second.lines, (std::vector<int>{1, 7, 4, 5}));
    EXPECT_EQ(second.player.currentPageLabel(), "@PStart");
    EXPECT_TRUE(second.host.errors().isEmpty());
}

TEST(Engine, ChangeAndClearPageLabelDecideWhatTheRejoinFileGets) {
    Tutorial t;
    t.chapter("T1", {"*RejoinChapter r.txt Back", "@PStart", "*ChangePageLabel Other", "*Wait"});
    Session run(t, "button Q");
    run.play("T1");
    EXPECT_EQ(t.read("r.txt"), "@POther\r\n");
    t.chapter("T2", {"*RejoinChapter r2.txt Back", "@PStart", "*ClearPageLabel", "*Wait"});
    Session cleared(t, "button Q");
    cleared.play("T2");
    EXPECT_EQ(t.read("r2.txt"), "\r\n");
}

TEST(Engine, ALoopWithoutWaitsStopsAtTheStepLimitOrWhenTheHostStops) {
    Tutorial t;
    t.chapter("T1", {"@JLoop", "*Row 1", "*JumpToLabel Loop"});
    Session limited(t);
    limited.player.setStepLimit(1000);
    limited.play("T1");
    EXPECT_EQ(limited.result.end, PlayEnd::StepLimit);
    EXPECT_EQ(limited.result.steps, 1000);

    Session stopped(t);
    stopped.player.setStepLimit(0);
    stopped.host.stopAfterEvents = 3;
    stopped.play("T1");
    EXPECT_EQ(stopped.result.end, PlayEnd::Stopped);
    EXPECT_EQ(stopped.host.eventCalls, 3);
    EXPECT_EQ(stopped.result.steps, 3 * ChapterPlayer::kEventInterval);
}

TEST(Engine, HelpAndUtilitiesButtonsDoNotEndTheWait) {
    Tutorial t;
    t.project.Config.set(cfg::UtilitiesOn, 1);
    t.project.Config.set(cfg::Program::HelpOn, 1);
    t.chapter("T1", {"*Controls Continue Help Utilities", "*Wait", "after"});
    Session run(t, "button H\nbutton U\nbutton C");
    run.play("T1");
    EXPECT_TRUE(run.ran("after"));
    EXPECT_TRUE(run.host.actions().contains(QStringLiteral("HELP  0")));  // no help file set
    EXPECT_EQ(run.screen.controlBar().shown[static_cast<int>(ControlButton::Utilities)], true);
    EXPECT_EQ(run.screen.controlBar().shown[static_cast<int>(ControlButton::Quit)], false);
}

TEST(Engine, ExecuteOfAnUndefinedEntryIsOnlyInformation) {
    Tutorial t;
    t.chapter("T1", {"*Execute Calc", "after"});
    Session run(t);
    run.play("T1");
    EXPECT_TRUE(run.ran("after"));
    EXPECT_EQ(run.host.infos(), QStringList{"The \"Calc\" Executable has not been defined "});
    EXPECT_EQ(run.host.actions(), QStringList{"PERFORM EXECUTE Calc"});
}

TEST(Engine, ControlButtonTagAndTitle) {
    Tutorial t;
    t.chapter("T1", {"*ControlButtonTag C Go on please", "*ControlButtonTag X Nope"});
    Session run(t);
    run.play("T1");
    EXPECT_EQ(run.screen.controlBar().legends[static_cast<int>(ControlButton::Continue)], "Go on pleas");
    EXPECT_EQ(run.host.errors(), QStringList{"*ControlButtonTag X Nope is not a valid command"});

    t.chapter("T2", {"*TitleTextColor Red", "*Title Hello there", "text"});
    Session titled(t);
    titled.play("T2");
    EXPECT_TRUE(titled.screen.title().visible);
    EXPECT_EQ(titled.screen.title().text, "Hello there");
    EXPECT_EQ(titled.screen.title().textColour, QColor(Qt::red));
    EXPECT_EQ(titled.screen.titleOffset(), TextScreen::kTitleHeight);
}

}  // namespace

namespace {

TEST(Engine, UtilitiesAndHypertextPerformTheirEntries) {
    Tutorial t;
    t.project.Config.set(cfg::UtilitiesOn, 1);
    AddCommandEntry(t.project.DataFilePath(), "Calculator", etWindowsProgram, kSourceUtility, "calc.exe");
    AddCommandEntry(t.project.DataFilePath(), "Notes", etNotePad, kSourceUtility, "notes.txt");
    t.chapter("T1", {"*Controls Continue Utilities", "*Wait", "*Wait", "after"});
    Session run(t, "button U\nlist 2\nbutton C\nbutton U\ncancel\nbutton C");
    run.host.setEntryPerformer([](EntrySource, const QString& name) { return name == "Calculator"; });
    run.play("T1");
    EXPECT_TRUE(run.ran("after"));
    EXPECT_EQ(run.host.actions(), QStringList{"PERFORM UTILITY Notes"});
    EXPECT_EQ(run.host.infos(), QStringList{"The \"Notes\" Utility has not been defined "});

    run.player.hypertextClicked("Pumps");
    EXPECT_EQ(run.host.infos().back(), "The \"Pumps\" HyperText Link has not been defined ");
}

}  // namespace

namespace {

TEST(Engine, GarbageChaptersEndWithoutCrashing) {
    // Random bytes, with lines that start like commands, translated lines, labels and branch
    // markers, so every dispatcher path sees nonsense operands.
    const char starts[] = "*:@&;|~^ aZ";
    std::uint32_t seed = 7;
    auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
    for (int round = 0; round < 4; ++round) {
        Tutorial t;
        std::string bytes;
        for (int i = 0; i < 400; ++i) {
            bytes += starts[next() % (sizeof starts - 1)];
            if (next() % 2) bytes += "BDEFIJLQRSX"[next() % 11];
            if (next() % 2) bytes += "NRSFPCUTBEWXHJKOZGMLAI"[next() % 22];
            const int length = static_cast<int>(next() % 40);
            for (int k = 0; k < length; ++k) {
                const char c = static_cast<char>(next() % 5 == 0 ? ',' : next() % 256);
                if (c != '\r' && c != '\n') bytes += c;
            }
            bytes += "\r\n";
        }
        t.write("T1.QKS", bytes);
        Session run(t, "button C\ntext x\nkey a\nchoice left\nlist 1\nmenu 1\nanswer 1\nmemo m\nok");
        run.player.setStepLimit(5000);
        ASSERT_NO_THROW(run.play("T1"));
        // The run ended in one of its ways, within the limit, on lines of the chapter, and a
        // script error (one at most: the run stops on it) is what ended it.
        EXPECT_LE(run.result.steps, 5000);
        EXPECT_EQ(run.result.steps, static_cast<long long>(run.lines.size()));
        for (const int line : run.lines) {
            EXPECT_GE(line, 1);
            EXPECT_LE(line, 400);
        }
        EXPECT_LE(run.host.errors().size(), 1);
        EXPECT_EQ(run.host.errors().size() == 1, run.result.end == PlayEnd::ScriptError) << round;
        EXPECT_EQ(run.screen.image().size(), QSize(640, 480));
    }
}

TEST(Engine, MegabyteLinesRunToTheEnd) {
    Tutorial t;
    const std::string text(2'000'000, 'x');
    t.write("T1.QKS", "*Title " + text + "\r\n" + text + "\r\n*JumpToLabel " + text + "\r\n@J" + text + "\r\nend\r\n");
    Session run(t);
    run.play("T1");
    EXPECT_TRUE(run.host.errors().isEmpty());
    EXPECT_EQ(run.lines, (std::vector<int>{1, 2, 3, 5}));
}

}  // namespace
