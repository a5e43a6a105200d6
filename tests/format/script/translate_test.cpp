#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>
#include <vector>

#include "script/command_table.h"
#include "script/line_kind.h"
#include "script/translate.h"
#include "text/cp1252.h"

using namespace quill;

namespace {

struct Case {
    const char* line;
    const char* translated;  // expected translated line; nullptr when the line gives an error
    const char* error;       // expected message ending; nullptr when none
};

// Default colour table: Black 1 .. Red 10, Lime 11, Yellow 12, Blue 13, .. White 16,
// ColorQ 17 .. ColorZ 26.
const Case kCases[] = {
    {"*ClearScreen Blue", ":FE,13", nullptr},
    {"*clearscreen", ":FE,27", nullptr},
    {"*CLEARSCREEN", ":FE,27", nullptr},
    {"*ClearScreen Default", ":FE,27", nullptr},
    {"*ClearScreen default", ":FE,27", nullptr},
    {"*ClearScreen bLUE", ":FE,13", nullptr},
    {"*ClearScreen Blue Red", ":FE,13", nullptr},
    {"*ClearScreen Azure", ":FE", " has an invalid Color KeyWord"},
    {"*Wait", ":FW", nullptr},
    {"*Wait now please", ":FW", nullptr},
    {"*Exit", ":X", nullptr},
    {"*Title", ":FT", nullptr},
    {"*Title   My  Course, part 1", ":FT,My  Course, part 1", nullptr},
    {"*Controls", ":FB", nullptr},
    {"*Controls C P Q", ":FB,CPQ", nullptr},
    {"*Controls Continue quit Xyz", ":FB,CQ", nullptr},
    {"*Controls help utilities pageback", ":FB,HUP", nullptr},
    {"*Controls Xyz", ":FB,", nullptr},
    {"*Execute", ":FX,", nullptr},
    {"*Execute Calc Program", ":FX,Calc Program", nullptr},
    {"*Column 10", ":SC,10", nullptr},
    {"*Row 5", ":SR,5", nullptr},
    {"*ColRow 10 5", ":SC,10,5", nullptr},
    {"*ColRow   10    5", ":SC,10,5", nullptr},
    {"*ColRow 10", ":SC,10,", nullptr},
    {"*Heading MAIN 5 2 40 Chapter  One, part 2", ":SH,MAIN,5,2,40,Chapter  One, part 2", nullptr},
    {"*Heading MAIN", ":SH,MAIN,,,,", nullptr},
    {"*WindowText 1 2 30 10 Safety rules", ":SW,1,2,30,10,Safety rules", nullptr},
    {"*VLine 5 1 20 2", ":SV,5,1,20,2", nullptr},
    {"*VLine 5 1 20 2 Red", ":SV,5,1,20,2,10", nullptr},
    {"*HLine 1 3 79 1 Navy", ":SZ,1,3,79,1,5", nullptr},
    {"*Blink 10 5 3 Yellow Black Look here!", ":SB,10,5,3,12,1,Look here!", nullptr},
    {"*Blink 10 5 3", ":SB,10,5,3,27,27,", nullptr},
    {"*Delay 20", ":SD,20", nullptr},
    {"*Pause", ":SP", nullptr},
    {"*CenterText 1 4 80 White Navy Welcome, learner", ":ST,1,4,80,16,5,Welcome, learner", nullptr},
    {"*PlainBox 1 1 10 5", ":BN,1,1,10,5", nullptr},
    {"*PlainBox 1 1 10 5 Default", ":BN,1,1,10,5,27", nullptr},
    {"*PlainBox 1 1 10 5 Mauve", ":BN,1,1,10,5", " has an invalid Color KeyWord"},
    {"*RoundBox 2 2 20 8 Teal", ":BR,2,2,20,8,7", nullptr},
    {"*BorderBox 2 Red 1 1 10 5", ":BS,2,10,1,1,10,5", nullptr},
    {"*BorderBox 2 Red 1 1 10 5 White", ":BS,2,10,1,1,10,5,16", nullptr},
    {"*RoundBorderBox 1 Blue 3 3 30 9 Silver", ":BF,1,13,3,3,30,9,9", nullptr},
    {"*PopupBox 10 5 40 9 3 Yellow", ":BP,10,5,40,9,3,12", nullptr},
    {"*PopupBox 10 5 40 9 3 Yellow 50", ":BP,10,5,40,9,3,12,50", nullptr},
    {"*RoundPopup 10 5 40 9 2 Aqua 30", ":BC,10,5,40,9,2,15,30", nullptr},
    {"*BorderPopup 2 Red 10 5 40 9 3 White 25", ":BU,2,10,10,5,40,9,3,16,25", nullptr},
    {"*RoundBorderPopup 2 Red 10 5 40 9 3 White", ":BT,2,10,10,5,40,9,3,16", nullptr},
    {"*ClearRow 1 5 79", ":ER,1,5,79", nullptr},
    {"*ClearRow 1 5 79 Lime", ":ER,1,5,79,11", nullptr},
    {"*ClearSection 1 1 40 10 Gray", ":ES,1,1,40,10,8", nullptr},
    {"*CopySection 1 1 10 5 20 20", ":EC,1,1,10,5,20,20", nullptr},
    {"*MoveSection 1 1 10 5 20 20 Olive", ":EM,1,1,10,5,20,20,4", nullptr},
    {"*ShowImage 10 5 40 My Picture.bmp", ":IP,10,5,40,My Picture.bmp", nullptr},
    {"*ScreenImage pic.bmp extra words", ":IF,pic.bmp", nullptr},
    {"*ScreenImage", ":IF,", nullptr},
    {"*ImageHyperText 10 5 Blue White |Pumps|", ":IH,10,5,13,16,|Pumps|", nullptr},
    {"*ImageLabel 10 5 30 Black Silver Valve A", ":IL,10,5,30,1,9,Valve A", nullptr},
    {"*DeleteFile old.txt", ":RD,old.txt", nullptr},
    {"*CopyFile a.txt b.txt", ":RC,a.txt,b.txt", nullptr},
    {"*CopyFile a.txt", ":RC,a.txt,", nullptr},
    {"*PrintFile notes.txt landscape, two copies", ":RP,notes.txt,landscape, two copies", nullptr},
    {"*AddToFile notes.txt", ":RA,notes.txt", nullptr},
    {"*AddToFile notes.txt Done, at last", ":RA,notes.txt,Done, at last", nullptr},
    {"*DisplayFile notes.txt", ":RS,notes.txt", nullptr},
    {"*InputToFile 30 answers.txt", ":RI,30,answers.txt", nullptr},
    {"*MemoToFile 40 5 memo.txt", ":RL,40,5,memo.txt", nullptr},
    {"*DisplayMemo 40 5 memo.txt", ":RM,40,5,memo.txt", nullptr},
    {"*GetUserInput B 20", ":QU,B,20", nullptr},
    {"*QuickQuestion 10", ":QQ,10", nullptr},
    {"*QuickQuestion 10 Exact", ":QQ,10,Exact", nullptr},
    {"*FillInAnswer 5 5 3 Default Cat", ":QF,5,5,3,27,Cat", nullptr},
    {"*FillInAnswer 5 5 3", ":QF,5,5,3,27,", nullptr},
    {"*BranchOnFileExists x.txt", ":LE,x.txt", nullptr},
    {"*BranchOnFileInput name.txt", ":LF,name.txt", nullptr},
    {"*BranchOnFileInput name.txt Exact", ":LF,name.txt,Exact", nullptr},
    {"*BranchOnInput 10 Exact", ":LI,10,Exact", nullptr},
    {"*BranchOnButton Yes No 30", ":LB,Yes,No,30", nullptr},
    {"*BranchOnButton Yes No", ":LB,Yes,No", nullptr},
    {"*ReturnToQuiz", ":QL", nullptr},
    {"*ExitQuiz", ":QC", nullptr},
    {"*QuizAnswers 3 18 Q1", ":QA,3,18,Q1", nullptr},
    {"*JumpToLabel Start", ":JJ,Start", nullptr},
    {"*JumpToFile SAFETY2", ":JN,SAFETY2", nullptr},
    {"*PageBackTo @PIntro", ":JP,@PIntro", nullptr},
    {"*JumpOnFileExists x.txt", ":JE,x.txt", nullptr},
    {"*JumpOnFileInput name.txt Exact", ":JF,name.txt,Exact", nullptr},
    {"*JumpOnInput 10", ":JI,10", nullptr},
    {"*JumpOnButton Left Right 40", ":JB,Left,Right,40", nullptr},
    {"*JumpOnMatch 2 10 Exact", ":JM,2,10,Exact", nullptr},
    {"*JumpOnFileMatch file.txt 3", ":JL,file.txt,3,", nullptr},
    {"*JumpOnFileMatch file.txt 3 Exact", ":JL,file.txt,3,Exact", nullptr},
    {"*JumpOnFileMatch file.txt 3 Exact really", ":JL,file.txt,3,Exact,really", nullptr},
    {"*RejoinChapter rejoin.txt Start Here", ":JR,rejoin.txt,Start Here", nullptr},
    {"*RejoinPage", ":JG", nullptr},
    {"*ClearPageLabel", ":JZ", nullptr},
    {"*ChangePageLabel Two", ":JO,Two", nullptr},
    {"*ReturnToFile INTRO", "@FINTRO", nullptr},
    {"*ReturnToFile", "@F", nullptr},
    {"*JumpAndReturn Sub Back", ":JK,Sub,Back", nullptr},
    {"*Return", ":JS", nullptr},
    {"*BoxMenu 10 5 40 12 4", ":JX,10,5,40,12,4", nullptr},
    {"*ButtonMenu 3", ":JU,3", nullptr},
    {"*ControlButtonTag C Next page", ":DC,C,Next page", nullptr},
    {"*ControlButtonTag quit Stop", ":DC,Q,Stop", nullptr},
    {"*ControlButtonTag Z Next", ":DC,,Next", nullptr},
    {"*ControlButtonTag", ":DC,", nullptr},
    {"*HypertextColor Blue White", ":DH,13,16", nullptr},
    {"*HypertextColor", ":DH,27,27", nullptr},
    {"*HypertextColor Blue Cyan", ":DH,13", " has an invalid Color KeyWord"},
    {"*TitleTextColor Maroon", ":DT,2", nullptr},
    {"*TitleBarColor Purple", ":DB,6", nullptr},
    {"*ControlBarColor colorz", ":DP,26", nullptr},
    {"*Notepad my notes.txt", ":DN,my notes.txt", nullptr},
    // Keywords are whole words; trailing blanks do not count.
    {"*CLAERSCREEN", nullptr, " is not a valid command"},
    {"*ClearScreenBlue", nullptr, " is not a valid command"},
    {"*", nullptr, " is not a valid command"},
    {"*Wait   ", ":FW", nullptr},
    {"*Title Hello   ", ":FT,Hello", nullptr},
};

TEST(Translate, EveryCaseOfTheTable) {
    const ColorTable colors;
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.line);
        const auto t = TranslateCommandLine(c.line, colors);
        if (c.translated)
            EXPECT_EQ(t.line, c.translated);
        else
            EXPECT_EQ(t.line, "");
        if (c.error)
            EXPECT_EQ(t.error, std::string(RightTrim(c.line)) + c.error);
        else
            EXPECT_EQ(t.error, "");
    }
}

// What the checker parses (the fields of a command line) is what the player parses (the
// operand text of its translated line): the fields joined with ',' after the code are the
// translated line, with the same row and the same error, for every case and for words that hold
// commas, missing and invalid colours, button letters and the return to a chapter.
TEST(Translate, TheFieldsOfALineJoinedAreItsTranslatedLine) {
    const ColorTable colors;
    std::vector<std::string> lines;
    for (const auto& c : kCases) lines.emplace_back(c.line);
    for (const char* extra : {"*ColRow 10,5", "*ColRow 10, 5", "*WindowText 1,2 3 4 5 name", "*PlainBox 1 1 10 5 Red,",
                              "*Blink 1 2 3 Pink Mauve hi", "*HypertextColor Blue", "*Controls x y ,", "*ControlButtonTag",
                              "*ControlButtonTag zz Legend, two", "*ReturnToFile", "*ReturnToFile INTRO, X", "*CopyFile a,b c",
                              "*Heading H 5 2 40 One, two", "*BorderPopup 2 Nope 10 5 40 9 3 White 25"})
        lines.emplace_back(extra);
    CommandFields fields;
    for (const auto& line : lines) {
        SCOPED_TRACE(line);
        std::string out, error, fieldError;
        const bool ok = TranslateCommandLine(line, colors, out, error);
        const CommandSpec* row = TranslateCommandFields(line, colors, fields, fieldError);
        EXPECT_EQ(fieldError, error);
        EXPECT_EQ(ok, fieldError.empty());
        if (!row) {
            EXPECT_EQ(out, "");
            continue;
        }
        std::string_view rest = line;
        EXPECT_EQ(row, FindCommand(UpperAscii(TakeScriptWord(rest))));
        std::string joined(row->code);
        for (const std::string_view f : fields) {
            if (row->code != "@F") joined += ',';
            joined.append(f);
        }
        EXPECT_EQ(joined, out);
    }
}

TEST(Translate, TheCasesCoverEveryKeyword) {
    std::set<std::string> covered;
    for (const auto& c : kCases) {
        std::string_view rest = c.line;
        covered.insert(UpperAscii(TakeScriptWord(rest)));
    }
    for (const auto& spec : CommandTable()) EXPECT_TRUE(covered.count(std::string(spec.keyword))) << spec.keyword;
    EXPECT_EQ(CommandTable().size(), 75u);
}

TEST(Translate, EveryKeywordIsFoundAndItsCodeIsWellFormed) {
    for (const auto& spec : CommandTable()) {
        EXPECT_EQ(FindCommand(spec.keyword), &spec);
        EXPECT_TRUE(spec.code == ":X" || spec.code == "@F" || (spec.code.size() == 3 && spec.code[0] == ':'))
            << spec.keyword;
        // A translated line runs the same parse whether its row is known from the keyword or
        // looked up by its code (keywords that share a code share their parse).
        if (spec.code[0] == ':') {
            ASSERT_NE(FindCode(spec.code), nullptr) << spec.keyword;
            EXPECT_EQ(FindCode(spec.code)->parse, spec.parse) << spec.keyword;
        }
    }
    EXPECT_EQ(FindCommand("*clearscreen"), nullptr);  // callers upper-case first
    EXPECT_EQ(FindCommand(""), nullptr);
}

TEST(Translate, OperandTextOfATranslatedLine) {
    EXPECT_EQ(OperandTextOf(":FE,13"), "13");
    EXPECT_EQ(OperandTextOf(":SH,MAIN,5,2,40,One, two"), "MAIN,5,2,40,One, two");
    EXPECT_EQ(OperandTextOf(":FW"), "");
    EXPECT_EQ(OperandTextOf(":FX,"), "");
}

TEST(Translate, OnlyTheFirstInvalidColourIsReported) {
    const auto t = TranslateCommandLine("*Blink 1 2 3 Pink Mauve hi", ColorTable());
    EXPECT_EQ(t.line, ":SB,1,2,3,hi");
    EXPECT_EQ(t.error, "*Blink 1 2 3 Pink Mauve hi has an invalid Color KeyWord");
}

TEST(Translate, ColourWordsComeFromTheProjectsTable) {
    TTutorialConfig config;
    SetConfigDefaults(config);
    config.set(cfg::Colors::Entry(17).Name, "Sky");      // renamed custom colour
    config.set(cfg::Colors::Entry(20).Name, "sky");      // duplicate, later: wins
    config.set(cfg::Colors::Entry(3).Name, "Leaf");      // Green renamed away
    config.set(cfg::Colors::Entry(25).Name, "Default");  // never chosen: "Default" is 27
    config.set(cfg::Colors::Entry(26).Name, "");          // an empty name never matches
    const ColorTable colors(config);
    EXPECT_EQ(TranslateCommandLine("*ClearScreen SKY", colors).line, ":FE,20");
    EXPECT_EQ(TranslateCommandLine("*ClearScreen leaf", colors).line, ":FE,3");
    EXPECT_EQ(TranslateCommandLine("*ClearScreen DEFAULT", colors).line, ":FE,27");
    EXPECT_FALSE(TranslateCommandLine("*ClearScreen Green", colors).ok());
    EXPECT_FALSE(TranslateCommandLine("*ClearScreen ColorZ", colors).ok());
    EXPECT_EQ(colors.CodeOf("averyverylongword"), 0);
    EXPECT_EQ(colors.Name(17), "Sky");
}

// Keywords are read eight bytes at a time: every keyword is found in any letter case, at the
// line's end or before its arguments, and a byte more or less, a NUL or a letter beyond ASCII
// makes it another word.
TEST(Translate, KeywordsOfEveryLengthInAnyCase) {
    const ColorTable colors;
    for (const CommandSpec& spec : CommandTable()) {
        SCOPED_TRACE(std::string(spec.keyword));
        const std::string upper(spec.keyword);
        std::string lower = upper;
        for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        const std::string expected = TranslateCommandLine(upper, colors).line;
        EXPECT_EQ(TranslateCommandLine(lower, colors).line, expected);
        EXPECT_EQ(TranslateCommandLine("  " + lower + "  ", colors).line, expected);
        EXPECT_TRUE(TranslateCommandLine(lower + " x", colors).line.starts_with(spec.code));
        for (const std::string& other : {upper + "S", upper.substr(0, upper.size() - 1) + "\xC9",
                                          upper + std::string(1, '\0'), upper.substr(0, upper.size() - 1)})
            if (!FindCommand(other)) {
                EXPECT_FALSE(TranslateCommandLine(other + " 1", colors).ok()) << other;
            }
    }
    EXPECT_FALSE(TranslateCommandLine("*WAITWAITWAITWAITWAITWAIT", colors).ok());   // 25 bytes
    EXPECT_FALSE(TranslateCommandLine("*WAITWAITWAITWAITWAITWAI x", colors).ok());  // 24 bytes
}

// Colour names of up to ten bytes, in any case; a name given twice is the later entry's.
TEST(Translate, ColourNamesOfEveryLength) {
    TTutorialConfig config;
    SetConfigDefaults(config);
    config.set(cfg::Colors::Entry(4).Name, "Aquamarine");  // ten bytes
    config.set(cfg::Colors::Entry(5).Name, "Sea Green");   // a blank: never one word
    config.set(cfg::Colors::Entry(6).Name, "Midnight");    // eight
    config.set(cfg::Colors::Entry(7).Name, "MIDNIGHT");    // the same, later
    config.set(cfg::Colors::Entry(8).Name, "\xC9t\xE9");  // bytes beyond ASCII keep their case
    const ColorTable colors(config);
    EXPECT_EQ(colors.CodeOf("aquaMARINE"), 4);
    EXPECT_EQ(colors.CodeOf("Aquamarin"), 0);
    EXPECT_EQ(colors.CodeOf("Aquamarines"), 0);
    EXPECT_EQ(colors.CodeOf("midnight"), 7);
    EXPECT_EQ(colors.CodeOf("\xC9T\xE9"), 8);
    EXPECT_EQ(colors.CodeOf("\xE9T\xE9"), 0);
    EXPECT_EQ(colors.CodeOf("dEfAuLt"), kDefaultColorCode);
    EXPECT_FALSE(TranslateCommandLine("*ClearScreen Sea Green", colors).ok());
    EXPECT_EQ(TranslateCommandLine("*HypertextColor aquamarine Midnight", colors).line, ":DH,4,7");
}

TEST(Translate, AnyBytesAndLengthsAreSafe) {
    const ColorTable colors;
    // Word arguments far beyond column 255 are taken like any others.
    const std::string pad(300, ' ');
    EXPECT_EQ(TranslateCommandLine("*ColRow" + pad + "10" + pad + "5", colors).line, ":SC,10,5");
    EXPECT_EQ(TranslateCommandLine("*PlainBox 1 1 10 5" + pad + "Red", colors).line, ":BN,1,1,10,5,10");
    const std::string huge(2'000'000, 'x');
    EXPECT_EQ(TranslateCommandLine("*Title " + huge, colors).line, ":FT," + huge);
    EXPECT_FALSE(TranslateCommandLine("*" + huge, colors).ok());
    std::string garbage;
    for (int i = 0; i < 4096; ++i) garbage += static_cast<char>((i * 37) & 0xFF);
    for (std::size_t start = 0; start < garbage.size(); start += 97) {
        const std::string line = "*Controls " + garbage.substr(start, 200);
        (void)TranslateCommandLine(line, colors);
        (void)TranslateCommandLine("*BorderPopup " + garbage.substr(start, 200), colors);
        (void)TranslateCommandLine("*" + garbage.substr(start, 50), colors);
    }
    EXPECT_EQ(TranslateCommandLine(std::string("*Title a\0b", 10), colors).line, std::string(":FT,a\0b", 7));
}

TEST(LineKinds, FirstCharactersDecide) {
    const struct {
        const char* line;
        LineKind kind;
    } cases[] = {
        {"*Wait", LineKind::Command},       {":FE,13", LineKind::Translated},
        {"; note", LineKind::Comment},      {"@JStart", LineKind::JumpLabel},
        {"@jstart", LineKind::JumpLabel},   {"@PIntro", LineKind::PageLabel},
        {"@p", LineKind::PageLabel},        {"@QQ1", LineKind::QuizStart},
        {"@cQ1", LineKind::QuizEnd},        {"@1Q1", LineKind::QuizAnswer},
        {"@4Q1", LineKind::QuizAnswer},     {"@FINTRO", LineKind::ReturnToFile},
        {"@fintro", LineKind::ReturnToFile}, {"@", LineKind::OtherAt},
        {"@Xyz", LineKind::OtherAt},        {"&1", LineKind::BranchFirst},
        {"&2", LineKind::BranchSecond},     {"&3", LineKind::BranchEnd},
        {"&", LineKind::OtherBranch},       {"&x", LineKind::OtherBranch},
        {"", LineKind::DisplayText},        {"Hello ~@B", LineKind::DisplayText},
        {" *Wait", LineKind::DisplayText},
    };
    for (const auto& c : cases) EXPECT_EQ(ClassifyLine(c.line), c.kind) << c.line;
    EXPECT_EQ(NormalizeMarkerLine("@pIntro"), "@PIntro");
    EXPECT_EQ(NormalizeMarkerLine("@1q1"), "@1q1");
    EXPECT_EQ(NormalizeMarkerLine("plain @p"), "plain @p");
    EXPECT_EQ(NormalizeMarkerLine("@"), "@");
    EXPECT_EQ(RightTrim("  a b \t \r"), "  a b");
    EXPECT_EQ(RightTrim("   "), "");
}

}  // namespace
