#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "script/chapter_check.h"

using namespace quill;

namespace {

std::vector<std::string> Check(const std::vector<std::string>& lines, std::set<std::string> chapters = {}) {
    std::vector<std::string> out;
    for (const auto& p : CheckChapter(lines, ColorTable(),
                                      [&](const std::string& name) { return chapters.count(name) > 0; }))
        out.push_back(std::to_string(p.line) + ": " + p.message);
    return out;
}

using Lines = std::vector<std::string>;

TEST(CheckChapter, ACleanChapterHasNoProblems) {
    const Lines chapter = {
        "; a chapter that uses most layouts",
        "@PIntro",
        "*ClearScreen Blue",
        "@JStart",
        "*Heading MAIN 5 2 40 Welcome",
        "*PopupBox 10 5 40 9 2 Yellow 50",
        "*Not a command, only pop-up text",
        "*neither",
        "*QuizAnswers 2 18 Q1",
        "*Answer one",
        "*Answer two",
        "*QuickQuestion 10",
        "*yes;*y",
        "*Right!",
        "*Wrong!",
        "*BranchOnInput 10",
        "*match list",
        "&1",
        "Good",
        "&2",
        "Bad",
        "&3",
        "*JumpOnMatch 2 10",
        "red;*JumpToLabel Start",
        "blue;Display text as action",
        "*JumpToLabel Start",
        "*BoxMenu 10 5 40 12 2",
        "First;*JumpToFile SAFETY2",
        "Second",
        "*ButtonMenu 1",
        "1 20 10 Go;*JumpToLabel Start",
        "*JumpAndReturn Start Back   ",
        "*JumpToFile safety2",
        "*JumpToLabel Start   ",
    };
    EXPECT_EQ(Check(chapter, {"SAFETY2.QKS", "safety2.QKS"}), Lines{});
}

TEST(CheckChapter, TranslationErrorsWithTheirLineNumbers) {
    EXPECT_EQ(Check({"Text", "*CLAERSCREEN", "*PlainBox 1 1 5 5 Mauve", "*Wait"}),
              (Lines{"2: *CLAERSCREEN is not a valid command",
                     "3: *PlainBox 1 1 5 5 Mauve has an invalid Color KeyWord"}));
}

TEST(CheckChapter, MissingJumpLabels) {
    EXPECT_EQ(Check({"*JumpToLabel Start", "@JSTART", "@jStart", "*JumpAndReturn Sub Back", "*JumpToLabel"}),
              (Lines{"1: *JumpToLabel Start jumps to the label @JStart, which is not in this chapter.",
                     "4: *JumpAndReturn Sub Back jumps to the label @JSub, which is not in this chapter.",
                     "5: *JumpToLabel jumps to the label @J, which is not in this chapter."}));
    // A label anywhere in the chapter, above or below, will do.
    EXPECT_EQ(Check({"@JEnd", "*JumpToLabel End", "*JumpToLabel Top", "@JTop"}), Lines{});
}

TEST(CheckChapter, ActionsOfMatchTablesAreCheckedAndDataLinesAreNot) {
    EXPECT_EQ(Check({"*JumpOnFileMatch f.txt 2 Exact", "a;*JumpToLabel Nowhere", "b;*Bogus", "*JumpToLabel Final",
                     "@JFinal", "*QuizAnswers 1 10 Q", "*Bogus answer text"}),
              (Lines{"2: *JumpToLabel Nowhere jumps to the label @JNowhere, which is not in this chapter.",
                     "3: *Bogus is not a valid command"}));
    // With no valid count, nothing is skipped.
    EXPECT_EQ(Check({"*QuizAnswers x 10 Q", "*Bogus"}), Lines{"2: *Bogus is not a valid command"});
    // A quick question whose reply on a match is empty has no third line.
    EXPECT_EQ(Check({"*QuickQuestion 5", "yes", "", "*Bogus"}), Lines{"4: *Bogus is not a valid command"});
}

TEST(CheckChapter, BranchMarkers) {
    EXPECT_EQ(Check({"*BranchOnFileExists x.txt", "&1", "yes", "&2", "no"}),
              Lines{"1: The branch *BranchOnFileExists x.txt has no &3 marker after its &2 marker."});
    EXPECT_EQ(Check({"*BranchOnButton Yes No", "&1", "yes", "&3"}),
              Lines{"1: The branch *BranchOnButton Yes No has no &2 marker after it."});
    EXPECT_EQ(Check({"*BranchOnInput 10", "yes", "&2", "no", "&3"}),
              Lines{"1: The branch *BranchOnInput 10 has no &1 marker after it."});
    // The match list line is not a marker, even when it reads like one.
    EXPECT_EQ(Check({"*BranchOnFileInput f.txt", "&1", "&2", "&3"}),
              Lines{"1: The branch *BranchOnFileInput f.txt has no &1 marker after it."});
    EXPECT_EQ(Check({"*BranchOnInput 10", "yes", "&1  ", "y", "&2", "n", "&3"}), Lines{});
}

TEST(CheckChapter, JumpsToMissingChapters) {
    EXPECT_EQ(Check({"*JumpToFile SAFETY9", "*JumpToFile c:\\tut\\SAFETY2.QKS"}, {"SAFETY2.QKS"}),
              Lines{"1: *JumpToFile SAFETY9 names the chapter SAFETY9.QKS, which does not exist."});
}

TEST(CheckChapter, TablesBeyondTheirRoom) {
    Lines lines{"*JumpOnMatch 30 10"};
    for (int i = 0; i < 30; ++i) lines.push_back("m;*Wait");
    lines.push_back("*Wait");
    lines.push_back("*JumpOnInput 10");
    lines.push_back("1;2;3;4;5;6;7;8;9;10;11");
    lines.push_back("*Wait");
    lines.push_back("*Wait");
    lines.push_back("*JumpOnInput 10");
    lines.push_back("1;2;3;4;5;6;7;8;9;10");
    lines.push_back("*BoxMenu 1 1 10 10 31");
    EXPECT_EQ(Check(lines), (Lines{"1: *JumpOnMatch 30 10 has more than 29 matches",
                                   "34: The match list 1;2;3;4;5;6;7;8;9;10;11 has more than 10 answers.",
                                   "39: *BoxMenu 1 1 10 10 31 has more than 30 items"}));
}

TEST(CheckChapter, GarbageIsSafe) {
    Lines lines;
    std::string g;
    for (int i = 0; i < 20000; ++i) g += static_cast<char>((i * 131 + 7) & 0xFF);
    for (std::size_t i = 0; i < g.size(); i += 50) lines.push_back("*" + g.substr(i, 80));
    lines.push_back("*JumpOnMatch 2147483647");
    lines.push_back("*BoxMenu 1 1 1 1 -5");
    lines.push_back("*PopupBox 1 1 1 1 999999");
    const auto problems = CheckChapter(lines, ColorTable(), [](const std::string&) { return false; });
    // Most garbage lines are not commands; every report names a line of the chapter.
    EXPECT_GT(problems.size(), 100u);
    for (const auto& p : problems) {
        EXPECT_GE(p.line, 1u);
        EXPECT_LE(p.line, lines.size());
        EXPECT_FALSE(p.message.empty());
    }
    // A count beyond any room is reported on its line, without reading that many lines.
    const std::size_t jump = lines.size() - 2;
    std::vector<std::string> atJump;
    for (const auto& p : problems)
        if (p.line == jump) atJump.push_back(p.message);
    EXPECT_EQ(atJump, std::vector<std::string>{"*JumpOnMatch 2147483647 has more than 29 matches"});
}

}  // namespace
