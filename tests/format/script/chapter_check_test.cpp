#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "../test_folder.h"
#include "check_cases.h"
#include "project/config_record.h"
#include "script/chapter_check.h"
#include "script/command_table.h"
#include "text/cp1252.h"

using namespace quill;
using namespace quill::test;

namespace {

using Lines = std::vector<std::string>;

std::vector<std::string> Shown(const std::vector<ScriptProblem>& problems) {
    std::vector<std::string> out;
    for (const auto& p : problems) out.push_back(std::to_string(p.line) + (p.warning ? ": warning: " : ": ") + p.message);
    return out;
}

// A tutorial folder with the files the cases use, and a check context over it.
class CheckChapterTest : public ::testing::Test {
protected:
    CheckChapterTest() {
        WriteCheckFolder(folder.path());
        TTutorialConfig config;
        SetConfigDefaults(config);
        context = CheckContext(config, folder.path(), folder / "T.QKR");
    }
    Lines Check(const Lines& lines) const { return Shown(CheckChapter(lines, context)); }

    TempFolder folder;
    CheckContext context;
};

TEST_F(CheckChapterTest, EachFaultIsReportedAtItsLineWithThePlayersMessage) {
    for (const auto& c : FaultCases()) {
        SCOPED_TRACE(c.name);
        Lines errors = Check(c.lines);  // some cases also hold a label reached without a jump
        std::erase_if(errors, [](const std::string& p) { return p.find(": warning: ") != std::string::npos; });
        EXPECT_EQ(errors, Lines{std::to_string(c.line) + ": " + c.message});
    }
}

// Correct chapters that use every command and layout: no report at all.
TEST_F(CheckChapterTest, CorrectChaptersGiveNoReport) {
    const std::vector<Lines> chapters = {
        {"; screen, frame and file commands", "*ClearScreen Blue", "*ClearScreen", "*clearscreen default",
         "*Title Welcome", "*Title", "*Controls C P Q H U", "*Wait", "*Execute Calc", "*Execute", "*Column 10",
         "*Row 27", "*ColRow 1 1", "*Heading heading1 5 2 40 Chapter One, part 2", "*WindowText 1 1 40 10 Intro",
         "*VLine 5 1 10 2 Red", "*HLine 5 1 40 2", "*Blink 5 5 3 Red Blue Hi", "*Delay 20", "*Pause",
         "*CenterText 1 5 80 Yellow Blue Centred ^Btext", "*PlainBox 1 1 10 5", "*RoundBox 1 1 10 5 Default",
         "*BorderBox 2 Red 1 1 10 5 Blue", "*RoundBorderBox 2 Red 1 1 10 5", "*PopupBox 10 5 12 6 2 Default",
         "Line one", "*not a command in a pop-up", "*RoundPopup 10 5 12 6 1 Default 20", "text",
         "*BorderPopup 1 Red 10 5 12 6 1 Blue", "text", "*RoundBorderPopup 1 Red 10 5 12 6 1 Blue 5", "text",
         "*ClearRow 1 3 80", "*ClearSection 1 1 81 26", "*CopySection 1 1 11 6 30 10",
         "*MoveSection 1 1 11 6 30 10 Blue", "*ShowImage 5 2 25 pic.bmp", "*ShowImage 5 2 0 PIC.BMP",
         "*ScreenImage Pic.Bmp extra words", "*ImageHyperText 5 5 Blue White |word|",
         "*ImageLabel 5 5 20 Blue White Label", "*DeleteFile out.txt", "*DeleteFile", "*CopyFile here.txt out.txt",
         "*CopyFile here.txt out2.txt", "*PrintFile here.txt", "*AddToFile notes.txt", "*AddToFile notes.txt A line",
         "*DisplayFile here.txt", "*InputToFile 20 notes.txt", "*MemoToFile 30 5 memo.txt",
         "*DisplayMemo 30 5 memo.txt", "*GetUserInput B 20", "*GetUserInput z", "Hello ~@B, see |word| and |WORD|",
         "*HyperTextColor Blue White", "*TitleTextColor White", "*TitleBarColor Blue", "*ControlBarColor Silver",
         "*ControlButtonTag C Next page", "*ControlButtonTag u", "*Notepad notes.txt", ":SC,10,5", ":FE,27",
         "@PIntro", "*JumpToFile t2", "*ReturnToFile T2", "@Ft2.qks", "*Exit"},
        {"; flow, branches, menus and a quiz", "@PIntro", "*JumpToLabel Start", "@JStart", "*PageBackTo @PIntro",
         "*ChangePageLabel Intro", "*ClearPageLabel", "*RejoinChapter place.txt Start", "*RejoinPage", "*JumpAndReturn Sub Back", "@JBack",
         "*JumpToLabel End   ", "@JSub", "*Return", "@JEnd", "*BranchOnFileExists here.txt", "&1", "yes", "&2",
         "no", "&3", "*BranchOnFileInput here.txt Exact", "yes;y", "&1", "&2", "&3", "*BranchOnInput 10",
         "&1;&2", "&1  ", "Good", "&2", "Bad", "&3", "*BranchOnButton Yes No 20", "&1", "&2", "&3",
         "*JumpOnFileExists here.txt", "*JumpToLabel End", "*JumpToLabel Start", "*JumpOnFileInput here.txt",
         "yes", "*JumpToLabel End", "*JumpToLabel Start", "*JumpOnInput 10 Exact", "1;2;3;4;5;6;7;8;9;10",
         "*JumpToLabel End", "Display text as action", "*JumpOnButton Left Right", "*JumpToLabel End",
         "*JumpToFile T2", "*JumpOnMatch 2 10", "red;*JumpToLabel Start", "blue;Display", "*JumpToLabel End",
         "*JumpOnFileMatch here.txt 1 Exact", "a;*JumpToLabel Start", "*JumpToLabel End",
         "*BoxMenu 10 5 40 12 2", "First;*JumpToFile T2", "Second", "*BoxMenu 10 5 40 12 0",
         "*ButtonMenu 2", "1 20 10 Go;*JumpToLabel Start", "12 20 22 Stay", "@QQ1", "What?",
         "*QuizAnswers 3 18 Q1", "*A", "*B", "*C", "@1Q1", "Right", "*ExitQuiz", "@2q1", "*ReturnToQuiz", "@3Q1",
         "*QuickQuestion 10", "yes;y", "Right!", "Wrong!", "*QuickQuestion 5", "yes", "", "*FillInAnswer 5 5 3 Default Cat",
         "*BranchOnButton Again Leave", "&1", "&2", "&3", "*JumpToLabel Start", "*ReturnToQuiz", "@cq1",
         "*JumpToLabel Start"},
    };
    for (const auto& chapter : chapters) EXPECT_EQ(Check(chapter), Lines{}) << chapter[0];
    // Every command of the language is used.
    std::set<std::string> used;
    for (const auto& chapter : chapters)
        for (const auto& line : chapter)
            if (line.starts_with('*')) used.insert(UpperCaseCp1252(line.substr(0, line.find(' '))));
    for (const CommandSpec& command : CommandTable()) EXPECT_TRUE(used.count(std::string(command.keyword))) << command.keyword;
}

// Two things a chapter does that the author rarely means: "Change Defaults" commands right
// before a *ClearScreen, which resets them unseen, and a label the chapter reaches without a
// jump, which the learner sees as a line of text.
TEST_F(CheckChapterTest, DefaultsResetByClearScreenAndLabelsShownAsTextAreWarnings) {
    EXPECT_EQ(Check({"*ControlBarColor Red", "; the bar", "*ControlButtonTag C Next", "*TitleBarColor Blue",
                     "*HyperTextColor Blue White", "", "*clearscreen Blue", "*ControlBarColor Red", "Text", "*ClearScreen"}),
              (Lines{"1: warning: *ControlBarColor has no effect: the *clearscreen on line 7 resets it.",
                     "3: warning: *ControlButtonTag has no effect: the *clearscreen on line 7 resets it.",
                     "5: warning: *HyperTextColor has no effect: the *clearscreen on line 7 resets it."}));
    EXPECT_EQ(Check({"@JTop", "Hello", "@JMiddle", "*JumpToLabel End", "@JEnd", "*Exit", "@jAfter", "*Wait",
                     "@JLast", "*JumpToLabel Top"}),
              (Lines{"1: warning: The label @JTop is shown on the learner's screen as text when the chapter reaches "
                     "it without a jump.",
                     "3: warning: The label @JMiddle is shown on the learner's screen as text when the chapter "
                     "reaches it without a jump.",
                     "9: warning: The label @JLast is shown on the learner's screen as text when the chapter "
                     "reaches it without a jump."}));
}

TEST_F(CheckChapterTest, WhatDependsOnTheRunIsAWarning) {
    EXPECT_EQ(Check({"*Execute Nothing", "See |nothing| here", "*PrintFile later.txt", "*ImageHyperText 1 1 Red Blue |none|",
                     "*RejoinChapter place.txt Nowhere", "*CopyFile later.txt a?.txt"}),
              (Lines{"1: warning: The \"Nothing\" Executable has not been defined ",
                     "2: warning: The \"nothing\" HyperText Link has not been defined ",
                     "3: warning: The filename later.txt in *PrintFile later.txt was not found.",
                     "4: warning: The \"none\" HyperText Link has not been defined ",
                     "5: warning: The Marker @JNowhere is missing.",
                     "6: warning: The filename a?.txt in *CopyFile later.txt a?.txt is invalid."}));
    // An entry whose sound is not in the folder.
    AddCommandEntry(folder / "T.QKR", "Movie", etVideoPlayer, kSourceExecute, "gone.avi");
    AddCommandEntry(folder / "T.QKR", "Hum", etVoiceOnly, kSourceHyper, "hum.wav");
    TTutorialConfig config;
    SetConfigDefaults(config);
    context = CheckContext(config, folder.path(), folder / "T.QKR");
    EXPECT_EQ(Check({"*Execute movie", "A |Hum| here", "*Execute Calc"}),
              (Lines{"1: warning: The file GONE.AVI of the \"movie\" entry was not found",
                     "2: warning: The file HUM.WAV of the \"Hum\" entry was not found"}));
    // A branch on a file that is not there yet is skipped whole when it runs without the file.
    EXPECT_EQ(Check({"*BranchOnFileInput later.txt", "yes", "&1", "&3"}),
              Lines{"1: warning: The &2 Marker is missing."});
}

// A hypertext phrase longer than the player reads can never reach its entry: an error at its line.
TEST_F(CheckChapterTest, HypertextPhrasesLongerThanThePlayerReadsAreErrors) {
    const std::string longWord(41, 'w');
    const std::string shortWord(40, 'w');
    AddCommandEntry(folder / "T.QKR", shortWord, etVoiceOnly, kSourceHyper, "say.wav");
    context = CheckContext(context.Config(), folder.path(), folder / "T.QKR");
    EXPECT_EQ(Check({"See |" + shortWord + "| here", "See |" + longWord + "| here",
                     "*ImageHyperText 1 1 Red Blue |" + longWord + "|"}),
              (Lines{"2: " + HyperWordTooLong(longWord), "3: " + HyperWordTooLong(longWord)}));
    EXPECT_NE(HyperWordTooLong(longWord).find("at most 40 characters"), std::string::npos);
}

// Media entries name their files as the media preview reads them: a graphic with its option,
// a graphic with a sound and an option.
TEST_F(CheckChapterTest, MediaEntriesAreReadAsThePreviewReadsThem) {
    AddCommandEntry(folder / "T.QKR", "card", etGraphicOnly, kSourceHyper, "PIC.BMP,0");
    AddCommandEntry(folder / "T.QKR", "both", etGraphicAndSound, kSourceHyper, "pic.bmp,say.wav,20");
    AddCommandEntry(folder / "T.QKR", "mute", etGraphicAndSound, kSourceHyper, "pic.bmp,gone.wav,20");
    AddCommandEntry(folder / "T.QKR", "blank", etGraphicAndSound, kSourceHyper, "none.jpg,say.wav,0");
    context = CheckContext(context.Config(), folder.path(), folder / "T.QKR");
    EXPECT_EQ(Check({"|card| |both|", "|mute|", "|blank|"}),
              (Lines{"2: warning: The file GONE.WAV of the \"mute\" entry was not found",
                     "3: warning: The file NONE.JPG of the \"blank\" entry was not found"}));
}

TEST_F(CheckChapterTest, DataLinesAreNotCommandsAndActionsAre) {
    EXPECT_EQ(Check({"*JumpOnFileMatch here.txt 2 Exact", "a;*JumpToLabel Nowhere", "b;*Bogus", "*JumpToLabel Final",
                     "@JFinal", "*PopupBox 1 1 5 5 1 Red", "*Bogus pop-up text"}),
              (Lines{"2: The Marker @JNowhere is missing.", "3: *Bogus is not a valid command"}));
    // Without a count nothing is stepped over; a quick question whose reply on a
    // match is empty has no third line.
    EXPECT_EQ(Check({"*QuizAnswers x 10 Q", "*Bogus", "*QuickQuestion 5", "yes", "", "*Bogus"}),
              (Lines{"1: *QuizAnswers x 10 Q has an invalid number", "2: *Bogus is not a valid command",
                     "6: *Bogus is not a valid command"}));
    // Lines between a branch command and its first section are never run (the label after the
    // branch is reached without a jump, though).
    EXPECT_EQ(Check({"*BranchOnButton A B", "*JumpToLabel Dead", "&1", "&2", "&3", "@JDead"}),
              Lines{"6: warning: The label @JDead is shown on the learner's screen as text when the chapter reaches "
                    "it without a jump."});
}

TEST_F(CheckChapterTest, TablesBeyondTheirRoom) {
    Lines lines{"*JumpOnMatch 30 10"};
    for (int i = 0; i < 30; ++i) lines.push_back("m;*Wait");
    lines.push_back("*Wait");
    lines.push_back("*BoxMenu 1 1 10 10 31");
    EXPECT_EQ(Check(lines), (Lines{"1: *JumpOnMatch 30 10 has more than 29 matches",
                                   "33: *BoxMenu 1 1 10 10 31 has more than 30 items"}));
}

TEST(CheckChapter, WithoutAFolderOnlyTheScriptIsChecked) {
    const std::set<std::string> chapters = {"SAFETY2.QKS"};
    auto exists = [&](const std::string& name) { return chapters.count(name) > 0; };
    EXPECT_EQ(Shown(CheckChapter({"*ShowImage 1 1 1 x.bmp", "*WindowText 1 1 2 2 X", "*JumpToFile SAFETY9",
                                  "*JumpToFile c:\\tut\\SAFETY2.QKS", "*Sound |x|"},
                                 ColorTable(), exists)),
              (Lines{"3: SAFETY9.QKS was not found", "5: *Sound |x| is not a valid command"}));
    // Only the name itself tells whether a file command leaves the folder.
    EXPECT_EQ(Shown(CheckChapter({"*DisplayFile a.txt", "*CopyFile notes\\a.txt b.txt", "*DeleteFile ../a.txt",
                                  "*DisplayFile /etc/passwd"},
                                 ColorTable(), exists)),
              (Lines{"3: The filename ../a.txt in *DeleteFile ../a.txt is outside the tutorial folder.",
                     "4: The filename /etc/passwd in *DisplayFile /etc/passwd is outside the tutorial folder."}));
}

TEST(CheckChapter, GarbageIsSafe) {
    Lines lines;
    std::string g;
    for (int i = 0; i < 20000; ++i) g += static_cast<char>((i * 131 + 7) & 0xFF);
    for (std::size_t i = 0; i < g.size(); i += 50) lines.push_back("*" + g.substr(i, 80));
    for (std::size_t i = 0; i < g.size(); i += 50) lines.push_back(":" + g.substr(i, 80));
    lines.push_back("*JumpOnMatch 2147483647");
    lines.push_back("*BoxMenu 1 1 1 1 -5");
    lines.push_back("*PopupBox 1 1 1 1 999999");
    lines.push_back("*QuizAnswers 2147483647 1 Q");
    lines.push_back("*ButtonMenu 99");
    const auto problems = CheckChapter(lines, CheckContext());
    // Most garbage lines are not commands; every report names a line of the chapter.
    EXPECT_GT(problems.size(), 100u);
    for (const auto& p : problems) {
        EXPECT_GE(p.line, 1u);
        EXPECT_LE(p.line, lines.size());
        EXPECT_FALSE(p.message.empty());
    }
    // A count beyond any room is reported on its line, without reading that many lines.
    const std::size_t jump = lines.size() - 4;
    std::vector<std::string> atJump;
    for (const auto& p : problems)
        if (p.line == jump) atJump.push_back(p.message);
    EXPECT_EQ(atJump, std::vector<std::string>{"*JumpOnMatch 2147483647 has more than 29 matches"});
}

}  // namespace
