// The builders of the interactive, non-linear, advanced and default-changing commands: the
// lines every option writes from its answers, the skeletons of quizzes and branches, how the
// table editors count their rows, the quiz wizard's checks, and what a cancelled or empty
// answer leaves (nothing at all).
#include <gtest/gtest.h>

#include <set>

#include "builder_cases.h"
#include "editor/commands/branch_tables.h"
#include "script/translate.h"
#include "text_codec.h"

using namespace quill;
using namespace quill::test::builders;

namespace {

using A = ScriptedAnswer;

std::unique_ptr<Run> Build(const QString& item, const QString& caption, std::vector<ScriptedAnswer> answers,
                           std::vector<std::string> programs = {"Calc", "Paint"}) {
    static const TTutorialConfig config = DefaultConfig();
    return RunOption(item, caption, std::move(answers), config, {{"EXECUTE", std::move(programs)}});
}

const QStringList kAnswerSkeleton = {"&1", ";Correct answer starts below this line", "", "&2",
                                     ";Wrong answer starts below this line", "", "&3",
                                     ";Tutorial re-starts below this line"};
const QStringList kButtonSkeleton = {"&1", ";Left Button answer starts below this line", "", "&2",
                                     ";Right Button answer starts below this line", "", "&3",
                                     ";Tutorial re-starts below this line"};

const std::vector<JumpRow> kRows = {{"red", "Stop", ""},      {"", "", ""},          {"amber", "", ""},
                                    {"green", "", "GO.QKS"}, {"blue", "Sky", "X.QKS"}};
const QString kMatchAsk = "text \"Enter the Label to jump to if match\"";
const QString kNoMatchAsk = "text \"Enter the Label to jump to if no match\"";

const std::vector<Case>& Cases() {
    static const std::vector<Case> cases = {
        // InterActive
        {"InterActive", "*GetUserInput", {A::Txt("B"), A::Num(20)}, {"*GetUserInput B 20"},
         {"text \"Enter the Letter identifier(A..Z,a..z)\"", "number \"Width of input box to display\" 2..60 =30"}},
        {"InterActive", "*GetUserInput", {A::Txt("b"), A::Cancel(A::Number)}, {}, {}},
        {"InterActive", "*QuickQuestion", {A::Num(10), A::Matches({"yes", "", "y", "ok"}, true), A::Txt("Right!"), A::Txt("No.")},
         {"*QuickQuestion 10 Exact", "yes;y;ok", "Right!", "No."},
         {"number \"Length of Input Window\" 2..60 =30", "matchlist", "text \"Enter answer to display if match\"",
          "text \"Enter answer to display if no match\""}},
        {"InterActive", "*QuickQuestion", {A::Num(10), A::Matches({"yes"}), A::Txt("Right!"), A::Txt("No.")},
         {"*QuickQuestion 10 ", "yes", "Right!", "No."}, {}},
        {"InterActive", "*QuickQuestion", {A::Num(10), A::Matches({"", ""})}, {}, {}},
        {"InterActive", "*QuickQuestion", {A::Num(10), A::Matches({"yes"}), A::Txt("Right!"), A::Cancel(A::Text)}, {}, {}},
        {"InterActive", "*FillinAnswer", {A::At(5, 5), A::Num(3), A::Colour(9), A::Txt("Cat")}, {"*FillInAnswer 5 5 3 Red Cat"},
         {"colrow \"Enter starting Column and Row\" 1..78 1..28 =1,1", "number \"Number of tries\" 1..15 =1",
          "color \"Select Text color\"", "text \"Enter the Answer\""}},
        {"InterActive", "*FillinAnswer", {A::At(5, 5), A::Num(3), A::Cancel(A::Color)}, {}, {}},
        {"InterActive", "Branching Quiz", {A::QuizFields("Q1", "2", "1", "18")},
         {"@QQ1", "*Clearscreen", "; Question goes here", "", "*QuizAnswers 2 18 Q1", "Correct Answer 1 goes here",
          "Answer 2 goes here", "", ";Correct Answer 1 information goes here", "@1Q1", "*Clearscreen Default", "*Controls C",
          "", "*Wait", "*ExitQuiz Q1", "", ";Answer 2 information goes here", "@2Q1", "*Clearscreen Default", "*Controls C",
          "", "*Wait", "*ReturnToQuiz Q1", "", ";Rejoin tutorial here", "@CQ1"},
         {"quiz"}},
        {"InterActive", "Branching Quiz", {A::Cancel(A::Quiz)}, {}, {}},
        {"InterActive", "*BranchOnInput", {A::Num(12), A::Matches({"yes", "y"})},
         QStringList{"*BranchOnInput 12 ", "yes;y"} + kAnswerSkeleton,
         {"number \"Length of Input Window\" 2..60 =30", "matchlist"}},
        {"InterActive", "*BranchOnInput", {A::Num(12), A::Cancel(A::MatchList)}, {}, {}},
        {"InterActive", "*BranchOnButton", {A::Txt("Yes"), A::Txt("No"), A::Num(22)},
         QStringList{"*BranchOnButton Yes No 22"} + kButtonSkeleton,
         {"text \"Enter the Left Button legend\"", "text \"Enter the Right Button legend\"",
          "number \"Length of Button bar\" 22..79 =22"}},
        {"InterActive", "*BranchOnButton", {A::Txt("Yes"), A::Txt("")}, {}, {}},
        {"InterActive", " *Execute", {A::Pick(1)}, {"*Execute Paint"}, {"entry \"Select Executable program\" [Calc|Paint]"}},
        {"InterActive", " *Execute", {A::Cancel(A::Entry)}, {}, {}},
        {"InterActive", " *Exit", {}, {"*Exit"}, {}},

        // Non-Linear
        {"Non-Linear ", "@J Jump Label", {A::Txt("Here")}, {"@JHere"}, {"text \"Enter the Label\""}},
        {"Non-Linear ", "@J Jump Label", {A::Txt("")}, {}, {}},
        {"Non-Linear ", "*JumpToLabel", {A::Txt("Here")}, {"*JumpToLabel Here"}, {"text \"Enter the Label to jump to\""}},
        {"Non-Linear ", "*JumpAndReturn", {A::Txt("Sub"), A::Txt("Back")}, {"*JumpAndReturn Sub Back"},
         {"text \"Enter the label to jump to\"", "text \"Enter the label to return to\""}},
        {"Non-Linear ", "*JumpAndReturn", {A::Txt("Sub"), A::Cancel(A::Text)}, {}, {}},
        {"Non-Linear ", "*PageBackTo", {A::Txt("Start")}, {"*PageBackTo @PStart"}, {"text \"Enter the Label to page back to\""}},
        {"Non-Linear ", "*PageBackTo", {A::Txt("@pStart")}, {"*PageBackTo @pStart"}, {}},
        {"Non-Linear ", "*JumpOnFileExists", {A::Txt("x.txt"), A::Txt("Yes"), A::Txt("No")},
         {"*JumpOnFileExists x.txt", "*JumpToLabel Yes", "*JumpToLabel No"},
         {"text \"Enter the file name to check\"", kMatchAsk, kNoMatchAsk}},
        // The second label question cancelled: nothing at all.
        {"Non-Linear ", "*JumpOnFileExists", {A::Txt("x.txt"), A::Txt("Yes"), A::Cancel(A::Text)}, {}, {}},
        {"Non-Linear ", "*JumpOnInput", {A::Num(10), A::Matches({"yes", "y"}, true), A::Txt("Good"), A::Txt("Bad")},
         {"*JumpOnInput 10 Exact", "yes;y", "*JumpToLabel Good", "*JumpToLabel Bad"},
         {"number \"Length of Input Window\" 1..60 =30", "matchlist", kMatchAsk, kNoMatchAsk}},
        {"Non-Linear ", "*JumpOnInput", {A::Num(10), A::Matches({"yes"}), A::Txt("Good"), A::Txt("")}, {}, {}},
        {"Non-Linear ", "*JumpOnButton", {A::Txt("Yes"), A::Txt("No"), A::Num(30), A::Txt("L"), A::Txt("R")},
         {"*JumpOnButton Yes No 30", "*JumpToLabel L", "*JumpToLabel R"},
         {"text \"Enter the Left Button legend\"", "text \"Enter the Right Button legend\"",
          "number \"Length of Button bar\" 24..79 =24", "text \"Label to jump to if Left button pressed\"",
          "text \"Label to jump to if Right button pressed\""}},
        {"Non-Linear ", "*JumpOnButton", {A::Txt("Yes"), A::Txt("No"), A::Num(30), A::Txt("L"), A::Cancel(A::Text)}, {}, {}},
        {"Non-Linear ", "*JumpOnFileInput", {A::Txt("ans.txt"), A::Matches({"ok"}), A::Txt("Good"), A::Txt("Bad")},
         {"*JumpOnFileInput ans.txt ", "ok", "*JumpToLabel Good", "*JumpToLabel Bad"},
         {"text \"Enter the filename to read\"", "matchlist", kMatchAsk, kNoMatchAsk}},
        {"Non-Linear ", "*JumpOnMatch", {A::Num(20), A::Table(kRows, true, "", "OTHER.QKS")},
         {"*JumpOnMatch 3 20 Exact", "red;*JumpToLabel Stop", "green;*JumpToFile GO.QKS", "blue;*JumpToLabel Sky",
          "*JumpToFile OTHER.QKS"},
         {"number \"Length of Input Window\" 1..60 =30", "matchtable"}},
        {"Non-Linear ", "*JumpOnMatch", {A::Num(20), A::Table(kRows, false, "Else", "OTHER.QKS")},
         {"*JumpOnMatch 3 20", "red;*JumpToLabel Stop", "green;*JumpToFile GO.QKS", "blue;*JumpToLabel Sky",
          "*JumpToLabel Else"}, {}},
        // Rows but no target when nothing matches; a target but no counted row.
        {"Non-Linear ", "*JumpOnMatch", {A::Num(20), A::Table(kRows, false, " ", "")}, {}, {}},
        {"Non-Linear ", "*JumpOnMatch", {A::Num(20), A::Table({{"amber", "", ""}}, false, "Else", "")}, {}, {}},
        {"Non-Linear ", "*JumpOnFileMatch", {A::Txt("ans.txt"), A::Table({{"yes", "Y", ""}}, false, "N", "")},
         {"*JumpOnFileMatch ans.txt 1", "yes;*JumpToLabel Y", "*JumpToLabel N"},
         {"text \"Enter the filename to read\"", "matchtable"}},
        {"Non-Linear ", "*JumpOnFileMatch", {A::Txt("ans.txt"), A::Cancel(A::MatchTable)}, {}, {}},
        {"Non-Linear ", "*Return", {}, {"*Return"}, {}},

        // Advanced
        {"Advanced", "*RejoinChapter", {A::Txt("PAGE.DAT"), A::Txt("Here")}, {"*RejoinChapter PAGE.DAT Here"},
         {"text \"Enter the filename to store pagelabel\"", "text \"Enter label where Rejoin is processed\""}},
        {"Advanced", "*RejoinChapter", {A::Txt("PAGE.DAT"), A::Txt("")}, {}, {}},
        {"Advanced", "*RejoinPage", {}, {"*RejoinPage"}, {}},
        {"Advanced", "*ClearPageLabel", {}, {"*ClearPageLabel"}, {}},
        {"Advanced", "*ChangePageLabel", {A::Txt("P2")}, {"*ChangePageLabel P2"}, {"text \"Enter the new page label\""}},
        {"Advanced", "*BoxMenu", {A::At(10, 5), A::At(40, 12), A::Entries(kRows)},
         {"*BoxMenu 10 5 40 12 3", "red;*JumpToLabel Stop", "green;*JumpToFile GO.QKS", "blue;*JumpToLabel Sky"},
         {"colrow \"Enter the top left Column and Row\" 1..78 1..24 =1,1",
          "colrow \"Enter the bottom right Column and Row\" 11..79 6..25 =11,6", "menuentries"}},
        {"Advanced", "*BoxMenu", {A::At(10, 5), A::At(40, 12), A::Entries({{"amber", "", ""}})}, {}, {}},
        {"Advanced", "*BoxMenu", {A::At(10, 5), A::Cancel(A::ColumnRow)}, {}, {}},
        {"Advanced", "*ButtonMenu",
         {A::MenuButtonRows({{"10", "5", "30", "First part", "One", ""},
                             {"10", "7", "", "No end column", "Two", ""},
                             {"10", "9", "30", "Next chapter", "", "PART2.QKS"}})},
         {"*ButtonMenu 2", "10 5 30 First part;*JumpToLabel One", "10 9 30 Next chapter;*JumpToFile PART2.QKS"},
         {"menubuttons"}},
        {"Advanced", "*ButtonMenu", {A::Cancel(A::MenuButtons)}, {}, {}},
        {"Advanced", "*JumpToFile", {A::Txt("PART2.QKS")}, {"*JumpToFile PART2.QKS"}, {"text \"Enter Chapter file to jump to\""}},
        {"Advanced", "*ReturnToFile", {A::Txt("PART1.QKS")}, {"*ReturnToFile PART1.QKS"}, {"text \"Return to Chapter file :\""}},

        // Change Defaults: a cancelled colour is the default.
        {"Change Defaults", "*ControlButtonTag", {A::Tag('P'), A::Txt("Back")}, {"*ControlButtonTag P Back"},
         {"buttontag", "text \"Enter the new Button legend\""}},
        {"Change Defaults", "*ControlButtonTag", {A::Tag(' ')}, {}, {}},
        {"Change Defaults", "*ControlButtonTag", {A::Tag('U'), A::Cancel(A::Text)}, {}, {}},
        {"Change Defaults", "HyperTextColor", {A::Colour(12), A::Cancel(A::Color)}, {"*HyperTextColor Blue Default"},
         {"color \"HyperText link color\"", "color \"HyperText background color\""}},
        {"Change Defaults", "*TitleBarColor", {A::Colour(4)}, {"*TitleBarColor Navy"}, {"color \"Select Title Bar color\""}},
        {"Change Defaults", "*TitleTextColor", {A::Colour(kDefaultColor)}, {"*TitleTextColor Default"},
         {"color \"Select Title text color\""}},
        {"Change Defaults", "*ControlBarColor", {A::Cancel(A::Color)}, {"*ControlBarColor Default"},
         {"color \"Select Control Bar color\""}},
    };
    return cases;
}

}  // namespace

TEST(BranchBuilders, EveryOptionWritesItsLinesFromItsAnswers) {
    const TTutorialConfig config = DefaultConfig();
    for (const Case& c : Cases()) {
        SCOPED_TRACE(std::string(c.item) + " /" + c.option);
        auto run = Build(c.item, c.option, c.answers);
        EXPECT_EQ(run->lines, c.lines);
        if (!c.asked.isEmpty()) {
            EXPECT_EQ(run->prompter.asked, c.asked);
        }
        EXPECT_TRUE(run->prompter.problems.isEmpty()) << run->prompter.problems.join("; ").toStdString();
        EXPECT_TRUE(run->prompter.refused.isEmpty()) << run->prompter.refused.join("; ").toStdString();
        EXPECT_EQ(run->prompter.Unused(), 0u);
        const int topic = FindOption(*FindCategory(c.item), c.option)->topic;
        for (int t : run->prompter.topics) EXPECT_EQ(t, topic);
        ExpectChecks(run->lines, config);
    }
}

TEST(BranchBuilders, TheTableCoversEveryOptionOfTheFourCategories) {
    std::set<std::pair<QString, QString>> tested;
    for (const Case& c : Cases()) tested.insert({c.item, c.option});
    for (const char* item : {"InterActive", "Non-Linear ", "Advanced", "Change Defaults"}) {
        const CommandCategory* category = FindCategory(item);
        ASSERT_TRUE(category) << item;
        for (const CommandGroup& group : category->groups)
            for (const CommandOption& option : group.options)
                EXPECT_TRUE(tested.count({category->item, option.caption})) << option.caption.toStdString();
    }
    const CommandCategory* advanced = FindCategory("Advanced");
    ASSERT_EQ(advanced->groups.size(), 2u);
    EXPECT_EQ(advanced->groups[0].title, " Rejoin Commands ");
    EXPECT_EQ(advanced->groups[1].title, " Sub-Chapter Commands ");
    EXPECT_EQ(advanced->groups[1].options.size(), 4u);
}

TEST(BranchBuilders, QuizSkeletonForTwoThreeAndFourAnswers) {
    // Three answers, the second correct.
    const QStringList three = QuizSkeleton({"Q1", 3, 2, 18});
    ASSERT_EQ(three.size(), 5 + 3 + 1 + 3 * 8 + 2);
    EXPECT_EQ(three.mid(0, 9), (QStringList{"@QQ1", "*Clearscreen", "; Question goes here", "", "*QuizAnswers 3 18 Q1",
                                            "Answer 1 goes here", "Correct Answer 2 goes here", "Answer 3 goes here", ""}));
    EXPECT_EQ(three.mid(9 + 8, 8), (QStringList{";Correct Answer 2 information goes here", "@2Q1", "*Clearscreen Default",
                                                "*Controls C", "", "*Wait", "*ExitQuiz Q1", ""}));
    EXPECT_EQ(three[9 + 1], "@1Q1");
    EXPECT_EQ(three[9 + 6], "*ReturnToQuiz Q1");
    EXPECT_EQ(three[9 + 16 + 6], "*ReturnToQuiz Q1");
    EXPECT_EQ(three.mid(three.size() - 2), (QStringList{";Rejoin tutorial here", "@CQ1"}));

    // Four answers, the last correct, top row 3.
    const QStringList four = QuizSkeleton({"Final", 4, 4, 3});
    EXPECT_EQ(four.size(), 5 + 4 + 1 + 4 * 8 + 2);
    EXPECT_EQ(four[4], "*QuizAnswers 4 3 Final");
    EXPECT_EQ(four[8], "Correct Answer 4 goes here");
    EXPECT_EQ(four.filter("*ExitQuiz").size(), 1);
    EXPECT_EQ(four.filter("*ReturnToQuiz Final").size(), 3);
    EXPECT_EQ(four[10 + 24], ";Correct Answer 4 information goes here");
    EXPECT_EQ(four[10 + 24 + 1], "@4Final");
}

TEST(BranchBuilders, TableRowsCountOnlyWithTextAndATarget) {
    // Empty rows in the middle are skipped, the rest keep their order.
    std::vector<JumpRow> rows(kTableRows);
    rows[0] = {"one", "L1", ""};
    rows[7] = {"two", "", "TWO.QKS"};
    rows[8] = {"   ", "L3", ""};   // blanks are no text
    rows[9] = {"four", "  ", ""};  // nor are they a target
    rows[29] = {"last", "L30", "LAST.QKS"};
    const auto counted = CountedRows(rows);
    ASSERT_EQ(counted.size(), 3u);
    EXPECT_EQ(counted[0].text, "one");
    EXPECT_EQ(counted[1].text, "two");
    EXPECT_EQ(counted[2].text, "last");
    // A row with both a label and a chapter file jumps to the label.
    EXPECT_EQ(JumpTargetLine(counted[2].label, counted[2].file), "*JumpToLabel L30");
    EXPECT_EQ(JumpTargetLine(" ", "TWO.QKS"), "*JumpToFile TWO.QKS");

    // All 30 rows full: the box menu takes them all (a match table takes 29, see below).
    std::vector<JumpRow> full;
    for (int i = 1; i <= kTableRows; ++i) full.push_back({QString("m%1").arg(i), QString("L%1").arg(i), ""});
    EXPECT_EQ(CountedRows(full).size(), 30u);
    auto run = Build("Advanced", "*BoxMenu", {A::At(1, 1), A::At(20, 10), A::Entries(full)});
    ASSERT_EQ(run->lines.size(), 31);
    EXPECT_EQ(run->lines.front(), "*BoxMenu 1 1 20 10 30");
    EXPECT_EQ(run->lines[30], "m30;*JumpToLabel L30");
    ExpectChecks(run->lines, DefaultConfig());

    // Button rows need X1, Y1, X2, the caption and a target.
    const std::vector<ButtonRow> buttons = {{"1", "2", "3", "A", "L", ""},  {"1", "2", "", "B", "L", ""},
                                            {"1", "", "3", "C", "", "F"},   {"1", "2", "3", "", "L", ""},
                                            {"1", "2", "3", "E", "", ""},   {"4", "5", "6", "F", "", "F.QKS"}};
    const auto countedButtons = CountedRows(buttons);
    ASSERT_EQ(countedButtons.size(), 2u);
    EXPECT_EQ(countedButtons[0].caption, "A");
    EXPECT_EQ(countedButtons[1].caption, "F");

    // The match list: texts that are not empty, in field order.
    EXPECT_EQ(MatchListLine({"yes", "", "y", " ", "ok"}), "yes;y;ok");
    EXPECT_EQ(MatchListLine({" no ", "nope"}), " no ;nope");  // a blank at an end is matched too
}

TEST(BranchBuilders, TheQuizWizardRefusesWithItsMessages) {
    struct Check {
        QStringList fields;  // name, answers, correct, row
        QuizField field;
        QString message;
        QString reset;
    };
    const std::vector<Check> checks = {
        {{"Q", "5", "1", "18"}, QuizField::Answers, "The maximum number of answers is 4", "4"},
        {{"Q", "1", "1", "18"}, QuizField::Answers, "The minimum number of answers is 2", "2"},
        {{"Q", "x", "1", "18"}, QuizField::Answers, "That is not a valid number", "2"},
        {{"Q", "4", "5", "18"}, QuizField::Correct, "The maximum number of answers is 4", "1"},
        {{"Q", "4", "0", "18"}, QuizField::Correct, "The minimum correct answer is 1", "1"},
        {{"Q", "4", "?", "18"}, QuizField::Correct, "That is not a valid number", "1"},
        {{"Q", "4", "1", "23"}, QuizField::Row, "The row can not be greater than 22", "1"},
        {{"Q", "4", "1", "0"}, QuizField::Row, "The minimum row is 1", "1"},
        {{"Q", "4", "1", "r"}, QuizField::Row, "That is not a valid number", "18"},
        // On OK, in order.
        {{" ", "", "", ""}, QuizField::Name, "The quiz name must be given", ""},
        {{"Q", "", "", ""}, QuizField::Correct, "The correct answer must be specified", ""},
        {{"Q", "", "1", ""}, QuizField::Answers, "The number of answers must be specified", ""},
        {{"Q", "2", "1", ""}, QuizField::Row, "The answer starting row must be specified", ""},
        {{"Q", "2", "3", "18"}, QuizField::Correct, "The correct answer cannot exceed the number of answers", ""},
    };
    for (const Check& c : checks) {
        SCOPED_TRACE(c.fields.join('|').toStdString());
        const QuizCheck check = CheckQuizWizard(c.fields[0], c.fields[1], c.fields[2], c.fields[3]);
        EXPECT_EQ(check.field, c.field);
        EXPECT_EQ(check.message, c.message);
        EXPECT_EQ(check.reset, c.reset);
    }
    // Leaving an empty field says nothing; good values pass.
    EXPECT_EQ(CheckQuizField(QuizField::Answers, "").field, QuizField::None);
    QuizParameters quiz;
    EXPECT_EQ(CheckQuizWizard(" Q1 ", "4", "3", "22", &quiz).field, QuizField::None);
    EXPECT_EQ(quiz.name, "Q1");
    EXPECT_EQ(quiz.answers, 4);
    EXPECT_EQ(quiz.correct, 3);
    EXPECT_EQ(quiz.topRow, 22);

    // The builder keeps asking until the wizard is satisfied: a correct answer of 3 with 2
    // answers is refused.
    auto run = Build("InterActive", "Branching Quiz", {A::QuizFields("Q1", "2", "3", "18"), A::QuizFields("Q1", "3", "3", "18")});
    EXPECT_EQ(run->prompter.refused, QStringList{"The correct answer cannot exceed the number of answers"});
    EXPECT_EQ(run->lines[4], "*QuizAnswers 3 18 Q1");
}

TEST(BranchBuilders, ExecuteWithoutProgramsSaysHowToMakeThemAndAnIdentifierIsOneLetter) {
    auto run = Build("InterActive", " *Execute", {}, {});
    EXPECT_TRUE(run->lines.isEmpty());
    EXPECT_EQ(run->prompter.asked, QStringList{"error \"No Executable Programs have been created.\r\nUse Teaching Aids at "
                                               "the Main Menu to create them.\""});

    auto letter = Build("InterActive", "*GetUserInput", {A::Txt("AB"), A::Txt("1"), A::Txt("z"), A::Num(2)});
    EXPECT_EQ(letter->prompter.refused.size(), 2);
    EXPECT_EQ(letter->lines, QStringList{"*GetUserInput z 2"});
}

TEST(BranchBuilders, ASemicolonInAMatchOrMenuTextIsRefusedAndTheTableAskedAgain) {
    auto list = Build("InterActive", "*BranchOnInput", {A::Num(10), A::Matches({"yes;no"}), A::Matches({"yes", "no"})});
    EXPECT_EQ(list->prompter.refused,
              QStringList{"The match text \"yes;no\" holds a ; which would cut it short. Leave the ; out."});
    EXPECT_EQ(list->lines.mid(0, 2), (QStringList{"*BranchOnInput 10 ", "yes;no"}));

    auto table = Build("Non-Linear ", "*JumpOnMatch",
                       {A::Num(10), A::Table({{"a;b", "L", ""}}, false, "N", ""), A::Cancel(A::MatchTable)});
    EXPECT_EQ(table->prompter.refused.size(), 1);
    EXPECT_TRUE(table->lines.isEmpty());

    auto entries = Build("Advanced", "*BoxMenu",
                         {A::At(1, 1), A::At(20, 10), A::Entries({{"One; two", "L", ""}}), A::Entries({{"One", "L", ""}})});
    EXPECT_EQ(entries->prompter.refused,
              QStringList{"The menu entry \"One; two\" holds a ; which would cut it short. Leave the ; out."});
    EXPECT_EQ(entries->lines, (QStringList{"*BoxMenu 1 1 20 10 1", "One;*JumpToLabel L"}));

    // A row that does not count is not checked.
    auto buttons = Build("Advanced", "*ButtonMenu",
                         {A::MenuButtonRows({{"1", "2", "9", "Go;on", "L", ""}}),
                          A::MenuButtonRows({{"1", "2", "9", "Go", "L", ""}, {"1", "2", "", "x;y", "L", ""}})});
    EXPECT_EQ(buttons->prompter.refused,
              QStringList{"The button caption \"Go;on\" holds a ; which would cut it short. Leave the ; out."});
    EXPECT_EQ(buttons->lines, (QStringList{"*ButtonMenu 1", "1 2 9 Go;*JumpToLabel L"}));
}

TEST(BranchBuilders, FieldsThePlayerWouldCutOrMisreadAreRefusedAtTheirPrompt) {
    // Button legends and the label jumped to by *JumpAndReturn are single fields of their line.
    const QString blank = "The legend \"Go on\" is read as one word: it cannot hold a blank or a comma.";
    const QString comma = "The legend \"Yes,sure\" is read as one word: it cannot hold a blank or a comma.";
    auto branch = Build("InterActive", "*BranchOnButton",
                        {A::Txt("Go on"), A::Txt("Go"), A::Txt("Yes,sure"), A::Txt("No"), A::Num(22)});
    EXPECT_EQ(branch->prompter.refused, (QStringList{blank, comma}));
    EXPECT_EQ(branch->lines.first(), "*BranchOnButton Go No 22");
    auto jump = Build("Non-Linear ", "*JumpOnButton",
                      {A::Txt("Yes"), A::Txt("Go on"), A::Txt("No"), A::Num(30), A::Txt("L"), A::Txt("R")});
    EXPECT_EQ(jump->prompter.refused, QStringList{blank});
    EXPECT_EQ(jump->lines.first(), "*JumpOnButton Yes No 30");
    auto sub = Build("Non-Linear ", "*JumpAndReturn", {A::Txt("Sub One"), A::Txt("Sub"), A::Txt("Back here")});
    EXPECT_EQ(sub->prompter.refused,
              QStringList{"The label \"Sub One\" is read as one word: it cannot hold a blank or a comma."});
    EXPECT_EQ(sub->lines, QStringList{"*JumpAndReturn Sub Back here"});

    // A match table ends with the line for no match: 29 matches fit before it, a 30th does not.
    std::vector<JumpRow> rows;
    for (int i = 1; i <= 30; ++i) rows.push_back({"m" + QString::number(i), "L", ""});
    auto table = Build("Non-Linear ", "*JumpOnMatch",
                       {A::Num(10), A::Table(rows, false, "N", ""),
                        A::Table(std::vector<JumpRow>(rows.begin(), rows.end() - 1), false, "N", "")});
    EXPECT_EQ(table->prompter.refused,
              QStringList{"A match table holds at most 29 matches: the line after the last one is the action when "
                          "nothing matches."});
    EXPECT_EQ(table->lines.size(), 31);
    ExpectChecks(table->lines, DefaultConfig());
}

TEST(BranchBuilders, CancelAtAnyStepWritesNothing) {
    for (const Case& c : Cases()) {
        if (c.lines.isEmpty()) continue;
        for (std::size_t k = 0; k < c.answers.size(); ++k) {
            SCOPED_TRACE(std::string(c.item) + " /" + c.option + " cancel at " + std::to_string(k));
            std::vector<ScriptedAnswer> answers(c.answers.begin(), c.answers.begin() + k);
            answers.push_back(A::Cancel(c.answers[k].kind));
            auto run = Build(c.item, c.option, answers);
            // The default-changing colours are the one place where a cancelled colour counts
            // as the default.
            if (QString(c.item) == "Change Defaults" && c.answers[k].kind == A::Color) continue;
            EXPECT_TRUE(run->lines.isEmpty()) << run->lines.join("|").toStdString();
            EXPECT_TRUE(run->prompter.problems.isEmpty()) << run->prompter.problems.join("; ").toStdString();
        }
    }
}
