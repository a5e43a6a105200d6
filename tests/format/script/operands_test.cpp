#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "../test_folder.h"
#include "script/operands.h"

using namespace quill;
using quill::test::TempFolder;

namespace {

struct Recorder : ErrorReport {
    std::vector<std::string> messages;
    void ShowScriptError(const std::string& m) override { messages.push_back(m); }
};

struct Lines : LineSource {
    std::deque<std::string> lines;
    explicit Lines(std::initializer_list<std::string> l) : lines(l) {}
    std::optional<std::string> FetchNextLine() override {
        if (lines.empty()) return std::nullopt;
        std::string s = lines.front();
        lines.pop_front();
        return s;
    }
};

class OperandsTest : public ::testing::Test {
protected:
    OperandsTest() : ops(report, config, tmp.path()) {
        SetConfigDefaults(config);
        ops.SetLineText("*Line as fetched");
    }
    // The operands read the text in place: the fixture keeps it alive while they do.
    void Set(std::string_view operands) {
        text = operands;
        ops.SetOperandText(text);
        ops.SetStop(false);
        report.messages.clear();
    }
    std::string text;
    TempFolder tmp;
    TTutorialConfig config;
    Recorder report;
    Operands ops;
};

TEST_F(OperandsTest, FieldsAreTakenUpToEachComma) {
    Set("a,,b c,rest, with commas");
    EXPECT_EQ(ops.NextField(), "a");
    EXPECT_EQ(ops.NextField(), "");
    bool more = false;
    EXPECT_EQ(ops.NextField(more), "b c");
    EXPECT_TRUE(more);
    EXPECT_EQ(ops.OperandText(), "rest, with commas");
    ops.NextField();
    EXPECT_EQ(ops.NextField(more), " with commas");
    EXPECT_FALSE(more);
    EXPECT_TRUE(ops.OperandTextEmpty());
    EXPECT_EQ(ops.NextField(more), "");
    EXPECT_FALSE(more);
}

// Fields given one by one read as the operand text they make joined with ',': field by field
// (commas inside a field split it), what is left, and whether it is empty or holds a comma.
TEST_F(OperandsTest, FieldsReadAsTheirJoinedText) {
    const std::vector<std::vector<std::string_view>> cases = {
        {}, {""}, {"", ""}, {"a"}, {"10", "5"}, {"10", ""}, {"a,b", "c"}, {"a,", "b"}, {",", ""}, {"x", "y, z", ""},
    };
    for (const auto& fields : cases) {
        std::string text;
        for (std::size_t i = 0; i < fields.size(); ++i) text.append(i ? "," : "").append(fields[i]);
        SCOPED_TRACE("\"" + text + "\"");
        for (std::size_t taken = 0; taken <= fields.size() + 2; ++taken) {
            Operands byText(report, config, tmp.path());
            byText.SetOperandText(text);
            ops.SetOperandFields(fields.data(), fields.data() + fields.size());
            for (std::size_t k = 0; k < taken; ++k) {
                EXPECT_EQ(ops.OperandTextEmpty(), byText.OperandTextEmpty());
                EXPECT_EQ(ops.OperandTextHasComma(), byText.OperandTextHasComma());
                EXPECT_EQ(ops.NextFieldView(), byText.NextFieldView()) << k;
            }
            EXPECT_EQ(ops.OperandTextEmpty(), byText.OperandTextEmpty());
            EXPECT_EQ(ops.OperandTextHasComma(), byText.OperandTextHasComma());
            EXPECT_EQ(ops.OperandText(), byText.OperandText()) << taken;
            EXPECT_EQ(ops.NextFieldView(), byText.NextFieldView());
            EXPECT_EQ(ops.OperandTextEmpty(), byText.OperandTextEmpty());
        }
    }
}

TEST_F(OperandsTest, NumbersAndTheMinusOneConvention) {
    Set("");
    EXPECT_EQ(ops.NextNumber(), -1);
    EXPECT_TRUE(report.messages.empty());
    EXPECT_FALSE(ops.Stopped());

    Set("12,-3,+4,2147483647");
    EXPECT_EQ(ops.NextNumber(), 12);
    EXPECT_EQ(ops.NextNumber(), -3);
    EXPECT_EQ(ops.NextNumber(), 4);
    EXPECT_EQ(ops.NextNumber(), 2147483647);
    EXPECT_EQ(ops.NextNumber(), -1);
    EXPECT_FALSE(ops.Stopped());

    for (const char* bad : {"abc", "", "5 ", "1.5", "-", "+", "2147483648", "9999999999999", "$", "$G"}) {
        Set(std::string(bad) + ",7");
        EXPECT_EQ(ops.NextNumber(), -1) << bad;
        EXPECT_TRUE(ops.Stopped()) << bad;
        ASSERT_EQ(report.messages.size(), 1u) << bad;
        EXPECT_EQ(report.messages[0], "*Line as fetched has an invalid number");
        EXPECT_EQ(ops.OperandText(), "7");  // the rest stays unread
    }
    Set(" 5,$10,-2147483648");  // leading blank, hexadecimal, the lowest 32-bit number
    EXPECT_EQ(ops.NextNumber(), 5);
    EXPECT_EQ(ops.NextNumber(), 16);
    EXPECT_EQ(ops.NextNumber(), -2147483647 - 1);
    EXPECT_FALSE(ops.Stopped());
    Set("0042,12345,7");  // leading zeros; more digits than the short form takes
    EXPECT_EQ(ops.NextNumber(), 42);
    EXPECT_EQ(ops.NextNumber(), 12345);
    EXPECT_EQ(ops.NextNumber(), 7);
    EXPECT_TRUE(ops.OperandTextEmpty());
    for (const char* bad : {"12x", "3;", "1234x"}) {
        Set(std::string(bad) + ",7");
        EXPECT_EQ(ops.NextNumber(), -1) << bad;
        EXPECT_TRUE(ops.Stopped()) << bad;
        EXPECT_EQ(ops.OperandText(), "7") << bad;
    }
    EXPECT_TRUE(Operands::IsInteger("-12"));
    EXPECT_TRUE(Operands::IsInteger("+0"));
    EXPECT_FALSE(Operands::IsInteger("1e3"));
    EXPECT_FALSE(Operands::IsInteger(""));
}

TEST_F(OperandsTest, ColoursAndTheirDefaults) {
    config.set(cfg::Screen::ScreenTextColor, 0x111111);
    config.set(cfg::Screen::ScreenBackColor, 0x222222);
    config.set(cfg::Colors::Entry(5).Value, 0x555555);
    config.set(cfg::Colors::Entry(26).Value, 0x262626);
    // Read from the record each time (the player's way), and from its values taken once (the
    // checker's): the same colours and the same refusal.
    const Operands::ColourValues values(config);
    for (const Operands::ColourValues* cached : {static_cast<const Operands::ColourValues*>(nullptr), &values}) {
        ops.SetColourValues(cached);
        for (const char* field : {"27", "0", "99", "-1", ""}) {
            Set(field);
            EXPECT_EQ(ops.NextColour(true), 0x111111u) << field;
            Set(field);
            EXPECT_EQ(ops.NextColour(false), 0x222222u) << field;
        }
        Set("5,26");
        EXPECT_EQ(ops.NextColour(true), 0x555555u);
        EXPECT_EQ(ops.NextColour(false), 0x262626u);
        EXPECT_TRUE(report.messages.empty());
        Set("red");
        EXPECT_EQ(ops.NextColour(false), 0x222222u);
        EXPECT_TRUE(ops.Stopped());
        EXPECT_EQ(report.messages.size(), 1u);
        Set("red");
        EXPECT_EQ(ops.NextColour(true), 0x111111u);
        EXPECT_TRUE(ops.Stopped());
    }
}

TEST_F(OperandsTest, RectangleStopsAtTheFirstError) {
    int a = 7, b = 7, c = 7, d = 7;
    Set("");
    ops.Rectangle(a, b, c, d);
    EXPECT_EQ(a + b + c + d, 28);
    Set("1,2,30,10,more");
    ops.Rectangle(a, b, c, d);
    EXPECT_EQ((std::vector<int>{a, b, c, d}), (std::vector<int>{1, 2, 30, 10}));
    EXPECT_EQ(ops.OperandText(), "more");
    Set("1,x,30,10");
    a = b = c = d = 7;
    ops.Rectangle(a, b, c, d);
    EXPECT_EQ((std::vector<int>{a, b, c, d}), (std::vector<int>{1, -1, 7, 7}));
    EXPECT_EQ(report.messages.size(), 1u);
    Set("1,2");
    ops.Rectangle(a, b, c, d);
    EXPECT_EQ((std::vector<int>{a, b, c, d}), (std::vector<int>{1, 2, -1, -1}));
    EXPECT_FALSE(ops.Stopped());
}

TEST_F(OperandsTest, FileNameChecks) {
    tmp.write("Notes.TXT", "first line\r\nsecond\r\n");
    Set("");
    EXPECT_FALSE(ops.FileMustExist("notes.txt"));  // found ignoring case
    EXPECT_TRUE(ops.FileMustExist("missing.txt"));
    EXPECT_EQ(report.messages.back(), "The filename missing.txt in *Line as fetched was not found.");
    std::filesystem::create_directory(tmp / "folder");
    EXPECT_TRUE(ops.FileMustExist("folder"));

    EXPECT_FALSE(ops.FileNameGiven("x"));
    EXPECT_TRUE(ops.FileNameGiven(""));
    EXPECT_EQ(report.messages.back(), "*Line as fetched must specify a file name.");

    Set("");
    for (const char* good : {"x.txt", "c:\\dir\\a.txt", "dir\\", "", "a b.txt"}) EXPECT_FALSE(ops.FileNameValid(good)) << good;
    EXPECT_TRUE(report.messages.empty());
    for (const char* bad : {"a,b.txt", "what?.txt", "c:\\dir\\a|b.txt", "a/b.txt", "q\"t", "a*", "a+b", "a;b",
                            "<x>", "a=b", "[x]"}) {
        EXPECT_TRUE(ops.FileNameValid(bad)) << bad;
        EXPECT_EQ(report.messages.back(), "The filename " + std::string(bad) + " in *Line as fetched is invalid.");
    }
    EXPECT_TRUE(ops.Stopped());
}

TEST_F(OperandsTest, NamesThatLeaveTheProjectFolder) {
    for (const char* inside : {"a.txt", "sub\\a.txt", "sub/a.txt", "..a.txt", "a..", "", "./a.txt"})
        EXPECT_FALSE(ops.FileOutsideProject(inside)) << inside;
    EXPECT_TRUE(report.messages.empty());
    for (const char* outside : {"..\\a.txt", "sub/../../a.txt", "/etc/passwd", "\\a.txt", "c:\\dir\\a.txt", "..", "a\\.."}) {
        EXPECT_TRUE(ops.FileOutsideProject(outside)) << outside;
        EXPECT_EQ(report.messages.back(),
                  "The filename " + std::string(outside) + " in *Line as fetched is outside the tutorial folder.");
    }
}

TEST_F(OperandsTest, FileFirstLine) {
    tmp.write("Name.txt", "Ann Smith\r\nsecond\r\n");
    tmp.write("empty.txt", "");
    std::string line;
    bool more = true;
    Set("name.TXT");
    EXPECT_TRUE(ops.FileFirstLine(line, more));
    EXPECT_EQ(line, "Ann Smith");
    EXPECT_FALSE(more);
    Set("name.txt,Exact,junk");
    EXPECT_TRUE(ops.FileFirstLine(line, more));
    EXPECT_TRUE(more);
    EXPECT_TRUE(ops.OperandTextEmpty());
    Set("empty.txt");
    EXPECT_TRUE(ops.FileFirstLine(line, more));
    EXPECT_EQ(line, "");
    Set("missing.txt,Exact");
    EXPECT_FALSE(ops.FileFirstLine(line, more));
    EXPECT_TRUE(more);
    EXPECT_TRUE(report.messages.empty());  // a missing file is not reported
    EXPECT_FALSE(ops.Stopped());
    Set(",Exact");
    EXPECT_FALSE(ops.FileFirstLine(line, more));
    EXPECT_EQ(report.messages, std::vector<std::string>{"*Line as fetched must specify a file name."});
}

TEST_F(OperandsTest, LettersAndVisibleLength) {
    EXPECT_EQ(Operands::LetterSlot('A'), 1);
    EXPECT_EQ(Operands::LetterSlot('Z'), 26);
    EXPECT_EQ(Operands::LetterSlot('a'), 27);
    EXPECT_EQ(Operands::LetterSlot('z'), 52);
    EXPECT_EQ(Operands::LetterSlot('['), -1);
    EXPECT_EQ(Operands::LetterSlot('1'), -1);
    EXPECT_EQ(Operands::LetterSlot('\xC4'), -1);
    EXPECT_EQ(Operands::VisibleLength("^BHello^N"), 5);
    EXPECT_EQ(Operands::VisibleLength("~1Hi"), 2);
    EXPECT_EQ(Operands::VisibleLength("Hi ~@B"), 4);  // "~@" goes in the first pass; "B" stays
    EXPECT_EQ(Operands::VisibleLength("a@@b"), 2);
    EXPECT_EQ(Operands::VisibleLength("end~"), 3);
    EXPECT_EQ(Operands::VisibleLength(""), 0);
}

TEST_F(OperandsTest, InputLengthAndExactFlag) {
    int length = 0;
    bool exact = true;
    Set("10");
    EXPECT_TRUE(ops.InputLengthAndExact(length, exact));
    EXPECT_EQ(length, 10);
    EXPECT_FALSE(exact);
    Set("1,Exact,more");
    EXPECT_TRUE(ops.InputLengthAndExact(length, exact));
    EXPECT_EQ(length, 2);
    EXPECT_TRUE(exact);
    EXPECT_TRUE(ops.OperandTextEmpty());
    Set(",x");
    EXPECT_TRUE(ops.InputLengthAndExact(length, exact));
    EXPECT_EQ(length, 2);
    EXPECT_TRUE(report.messages.empty());
    Set("10,");
    EXPECT_TRUE(ops.InputLengthAndExact(length, exact));
    EXPECT_FALSE(exact);
    Set("abc");
    EXPECT_FALSE(ops.InputLengthAndExact(length, exact));
    EXPECT_EQ(report.messages, std::vector<std::string>{"*Line as fetched has an invalid number"});
}

TEST_F(OperandsTest, TwoLegendsAndLength) {
    std::string left, right;
    int length = 0;
    Set("Yes,No,30");
    ops.TwoLegendsAndLength(left, right, length);
    EXPECT_EQ(left, "Yes");
    EXPECT_EQ(right, "No");
    EXPECT_EQ(length, 30);
    Set("Yes,No");
    ops.TwoLegendsAndLength(left, right, length);
    EXPECT_EQ(length, -1);
    EXPECT_FALSE(ops.Stopped());
    Set("Yes,No,wide");
    ops.TwoLegendsAndLength(left, right, length);
    EXPECT_TRUE(ops.Stopped());
}

TEST_F(OperandsTest, MatchListTest) {
    const struct {
        const char* list;
        const char* answer;
        bool exact, matches;
    } cases[] = {
        {"yes;Y;ok", "Okay then", false, true},
        {"yes;Y;ok", "Okay then", true, false},
        {"yes;Y;ok", "Y", true, true},
        {"yes;Y;ok", "y", true, false},
        {"yes;y", "Yes please", false, true},
        {"no", "nothing", false, true},
        {"no;", "maybe", false, false},       // the empty answer never matches by containment
        {"no;", "", true, true},              // but matches an empty answer exactly
        {"", "", true, true},
        {"", "anything", false, false},
        {"abcdefghijklmnopqrstuvwxyz", "abcdefghijklmnopqrst", true, true},  // 20 characters kept
        {"abcdefghijklmnopqrstuvwxyz", "abcdefghijklmnopqrstuvwxyz", true, false},
        {"1;2;3;4;5;6;7;8;9;10", "10", true, true},   // ten answers are held
    };
    for (const auto& c : cases) {
        Lines lines{c.list, "next"};
        EXPECT_EQ(ops.MatchListTest(c.answer, c.exact, lines), c.matches) << c.list << " / " << c.answer;
        EXPECT_EQ(lines.lines.size(), 1u);  // exactly one line read
    }
    EXPECT_TRUE(report.messages.empty());
    Lines none{};
    EXPECT_FALSE(ops.MatchListTest("", true, none));
    EXPECT_FALSE(ops.Stopped());
}

TEST_F(OperandsTest, AMatchListOfMoreThanTenAnswersIsReported) {
    Lines lines{"1;2;3;4;5;6;7;8;9;10;11"};
    EXPECT_FALSE(ops.MatchListTest("11", true, lines));
    EXPECT_TRUE(ops.Stopped());
    EXPECT_EQ(report.messages, std::vector<std::string>{"The match list 1;2;3;4;5;6;7;8;9;10;11 has more than 10 answers."});
    Lines trailing{"1;2;3;4;5;6;7;8;9;10;"};  // an empty eleventh answer counts too
    Set("");
    EXPECT_FALSE(ops.MatchListTest("1", true, trailing));
    EXPECT_TRUE(ops.Stopped());
}

TEST_F(OperandsTest, MatchTableAndChooseAction) {
    Lines lines{"red;*JumpToLabel Red", "blue;go *JumpToLabel Blue", "reddish;plain action",
                "*JumpToLabel Other", "after"};
    ASSERT_TRUE(ops.ReadMatchTable(3, true, lines));
    EXPECT_EQ(lines.lines.size(), 1u);
    const auto& t = ops.Table();
    EXPECT_EQ(t.match[0], "red");
    EXPECT_EQ(t.action[0], "*JumpToLabel Red");
    EXPECT_EQ(t.action[1], "*JumpToLabel Blue");  // from its first '*'
    EXPECT_EQ(t.action[2], "plain action");
    EXPECT_EQ(t.action[3], "*JumpToLabel Other");
    EXPECT_EQ(ops.ChooseAction(3, "Blue sky", false), "*JumpToLabel Blue");
    EXPECT_EQ(ops.ChooseAction(3, "REDDISH", false), "plain action");  // the last match wins
    EXPECT_EQ(ops.ChooseAction(3, "red", true), "*JumpToLabel Red");
    EXPECT_EQ(ops.ChooseAction(3, "Red", true), "*JumpToLabel Other");
    EXPECT_EQ(ops.ChooseAction(3, "green", false), "*JumpToLabel Other");
    EXPECT_TRUE(report.messages.empty());
}

TEST_F(OperandsTest, MatchTableErrorsAndLimits) {
    {
        Lines lines{"a;*X"};
        EXPECT_FALSE(ops.ReadMatchTable(2, false, lines));
        EXPECT_EQ(report.messages, std::vector<std::string>{"There are not enough matches"});
    }
    {
        Set("");
        Lines lines{"a;*X", "b;*Y"};
        EXPECT_FALSE(ops.ReadMatchTable(2, true, lines));
        EXPECT_EQ(report.messages, std::vector<std::string>{"There are not enough matches"});
    }
    {
        Set("");
        Lines lines{"a;*X", "JumpToLabel End"};
        EXPECT_FALSE(ops.ReadMatchTable(1, true, lines));
        EXPECT_EQ(report.messages, std::vector<std::string>{"The final Action is missing"});
    }
    {
        Set("");
        Lines lines{"Item without action", std::string(100, 'm') + ";*" + std::string(100, 'a')};
        ASSERT_TRUE(ops.ReadMatchTable(2, false, lines));
        EXPECT_EQ(ops.Table().match[0], "Item without action");
        EXPECT_EQ(ops.Table().action[0], "");
        EXPECT_EQ(ops.Table().match[1].size(), 60u);
        EXPECT_EQ(ops.Table().action[1].size(), 60u);
    }
    // 29 matches and a final action fill the table; 30 do not fit.
    std::initializer_list<std::string> none{};
    Lines many(none);
    for (int i = 0; i < 29; ++i) many.lines.push_back("m" + std::to_string(i) + ";*A" + std::to_string(i));
    many.lines.push_back("*Final");
    Set("");
    ASSERT_TRUE(ops.ReadMatchTable(29, true, many));
    EXPECT_EQ(ops.ChooseAction(29, "m28", true), "*A28");
    EXPECT_EQ(ops.ChooseAction(29, "zz", true), "*Final");
    Lines unread{"a;*X"};
    EXPECT_FALSE(ops.ReadMatchTable(30, true, unread));
    EXPECT_EQ(report.messages.back(), "*Line as fetched has more than 29 matches");
    EXPECT_EQ(unread.lines.size(), 1u);
    Set("");
    EXPECT_FALSE(ops.ReadMatchTable(31, false, unread));
    EXPECT_EQ(report.messages.back(), "*Line as fetched has more than 30 items");
    // No matches at all: only the final action.
    Set("");
    Lines onlyFinal{"*JumpToLabel End"};
    ASSERT_TRUE(ops.ReadMatchTable(-1, true, onlyFinal));
    EXPECT_EQ(ops.ChooseAction(-1, "x", false), "*JumpToLabel End");
}

}  // namespace

TEST(Operands, LearnerFolderIsReadFirstAndWrittenWithACopyOfTheShippedFile) {
    TempFolder tmp;
    Recorder report;
    TTutorialConfig config;
    tmp.write("tut/shipped.txt", "from the tutorial\r\n");
    tmp.write("tut/both.txt", "tutorial's\r\n");
    tmp.write("mine/BOTH.TXT", "learner's\r\n");
    Operands o(report, config, tmp / "tut");
    o.SetLearnerDir(tmp / "mine");
    EXPECT_EQ(o.FilePath("both.txt"), tmp / "mine" / "BOTH.TXT");
    EXPECT_EQ(o.FilePath("Shipped.txt"), tmp / "tut" / "shipped.txt");
    EXPECT_TRUE(o.FileExists("shipped.txt"));
    EXPECT_FALSE(o.FileExists("new.txt"));
    EXPECT_EQ(o.FilePath("new.txt"), tmp / "mine" / "new.txt");
    // Writing a shipped file starts from its copy in the learner's folder; the tutorial's own
    // file is never written.
    const auto written = o.WritePath("SHIPPED.txt");
    EXPECT_EQ(written.parent_path(), tmp / "mine");
    EXPECT_EQ(TempFolder::read(written), "from the tutorial\r\n");
    EXPECT_EQ(o.FilePath("shipped.txt"), written);
    EXPECT_EQ(o.WritePath("sub\\new.txt"), tmp / "mine" / "sub" / "new.txt");
    EXPECT_TRUE(std::filesystem::is_directory(tmp / "mine" / "sub"));
    EXPECT_TRUE(report.messages.empty());
}
