#pragma once
// Chapters with one fault each, for the checker's table and for the test that runs each of
// them in the player: the checker reports `line` with `message`, and the player, given the
// `answers`, shows the same message while it runs line `stopLine`.
//
// The tutorial folder holds here.txt, T2.QKS and the data file T.QKR (made by WriteCheckFolder).
#include <fstream>
#include <string>
#include <vector>

namespace quill::test {

struct FaultCase {
    const char* name;
    std::vector<std::string> lines;
    const char* answers;
    std::size_t line;
    std::string message;
    std::size_t stopLine = 0;  // 0: the same as line
};

inline const std::vector<FaultCase>& FaultCases() {
    static const std::vector<FaultCase> cases = {
        {"UnknownKeyword", {"Hello", "*CLAERSCREEN"}, "", 2, "*CLAERSCREEN is not a valid command"},
        {"ColourWord", {"*PlainBox 1 1 5 5 Mauve"}, "", 1, "*PlainBox 1 1 5 5 Mauve has an invalid Color KeyWord"},
        {"JumpInBranch", {"*BranchOnFileExists here.txt", "&1", "*JumpToLabel Start", "&2", "&3", "@JStart"}, "", 3,
         "Jump Commands are not allowed within branches.\r\n*JumpToLabel Start is invalid."},
        {"LabelInBranch", {"*BranchOnButton Yes No", "&1", "@JInside", "&2", "&3"}, "choice left", 3,
         "Jump Commands are not allowed within branches.\r\n@JInside is invalid."},
        {"JumpInQuiz", {"@JX", "@QQ1", "*JumpToLabel X"}, "", 3,
         "Jump Commands are not allowed within branches.\r\n*JumpToLabel X is invalid."},
        {"PageInQuiz", {"@QQ1", "@PPage"}, "", 2, "Paging Back is not allowed within branches.\r\n@PPage is invalid."},
        {"NestedQuiz", {"@QA", "*QuizAnswers 2 10 A", "x", "y", "@1A", "@QB", "@2A", "@CA"}, "answer 1", 6,
         "Branching Quizzes cannot be nested within each other.\r\n@QB is invalid."},
        {"QuizAnswerMarker", {"@QQ1", "Question", "*QuizAnswers 2 10 Q1", "Yes", "No", "@1Q1", "*ExitQuiz", "@CQ1"},
         "answer 2", 3, "The Marker @2Q1 is missing."},
        {"QuizEndMarker", {"@QQ1", "*QuizAnswers 2 10 Q1", "a", "b", "@1Q1", "*ExitQuiz", "@2Q1", "*ReturnToQuiz"},
         "answer 1", 6, "The Marker @CQ1 is missing."},
        {"BranchFirstMarker", {"*BranchOnFileExists here.txt", "&2", "&3"}, "", 1, "The &1 Marker is missing."},
        {"BranchEndMarker", {"*BranchOnFileExists none.txt", "&1", "&2"}, "", 1, "The &3 Marker is missing."},
        {"BranchSecondMarker", {"*BranchOnInput 10", "yes", "&1", "&3"}, "text no", 1, "The &2 Marker is missing."},
        {"MissingPicture", {"*ShowImage 1 1 10 nopic.bmp"}, "", 1, "The Image file nopic.bmp was not found"},
        {"MissingScreenImage", {"*ScreenImage nopic.bmp"}, "", 1, "The Image file nopic.bmp was not found"},
        {"ScreenImageOutside", {"*ScreenImage /etc/hostname"}, "", 1,
         "The filename /etc/hostname in *ScreenImage /etc/hostname is outside the tutorial folder."},
        {"ShowImageOutside", {"*ShowImage 2 2 20 ../x.bmp"}, "", 1,
         "The filename ../x.bmp in *ShowImage 2 2 20 ../x.bmp is outside the tutorial folder."},
        {"NotANumber", {"*ColRow x 5"}, "", 1, "*ColRow x 5 has an invalid number"},
        {"ColumnOutOfRange", {"*ColRow 90 5"}, "", 1, "*ColRow 90 5 - the Column must be between 1 and 79"},
        {"RowOutOfRange", {"*Row 28"}, "", 1, "*Row 28 - the Row must be between 1 and 27"},
        {"BoxNumber", {"*PlainBox 1 1 x 5"}, "", 1, "*PlainBox 1 1 x 5 has an invalid number"},
        {"SectionNumber", {"*MoveSection 1 1 10 5 30 y"}, "", 1, "*MoveSection 1 1 10 5 30 y has an invalid number"},
        {"BlinkNumber", {"*Blink 5 5 three Red Blue Hi"}, "", 1, "*Blink 5 5 three Red Blue Hi has an invalid number"},
        {"FillInNumber", {"*FillInAnswer 5 5 x Default Cat"}, "", 1, "*FillInAnswer 5 5 x Default Cat has an invalid number"},
        {"DelayNumber", {"*Delay soon"}, "", 1, "*Delay soon has an invalid number"},
        {"InvalidFileName", {"*AddToFile a?.txt hello"}, "", 1, "The filename a?.txt in *AddToFile a?.txt hello is invalid."},
        {"EmptyFileName", {"*AddToFile"}, "", 1, "*AddToFile must specify a file name."},
        {"MemoFileName", {"*MemoToFile 20 5 a|b.txt"}, "", 1, "The filename a|b.txt in *MemoToFile 20 5 a|b.txt is invalid."},
        {"CopyTargetMissing", {"*CopyFile here.txt"}, "", 1, "*CopyFile here.txt must specify a file name."},
        {"FileOutside", {"*DeleteFile ../x.txt"}, "", 1,
         "The filename ../x.txt in *DeleteFile ../x.txt is outside the tutorial folder."},
        {"MatchTableShort", {"*JumpOnMatch 2 10", "a;*JumpToLabel X"}, "text a", 1, "There are not enough matches"},
        {"FinalActionMissing", {"*JumpOnMatch 1 10", "a;*Exit", "Not a command"}, "text a", 1,
         "The final Action is missing"},
        {"BoxMenuShort", {"*BoxMenu 1 1 20 5 3", "One;*Exit", "Two;*Exit"}, "", 1, "There are not enough matches"},
        {"ButtonMenuNumber", {"*ButtonMenu 1", "x 20 10 Go;*Exit"}, "", 1, "*ButtonMenu 1 has an invalid number"},
        {"MatchListTooLong", {"*JumpOnInput 10", "1;2;3;4;5;6;7;8;9;10;11", "*Exit", "*Exit"}, "text 1", 1,
         "The match list 1;2;3;4;5;6;7;8;9;10;11 has more than 10 answers."},
        {"LegendLetter", {"*ControlButtonTag Z Next"}, "", 1, "*ControlButtonTag Z Next is not a valid command"},
        {"UserInputLetter", {"*GetUserInput 1 20"}, "", 1, "*GetUserInput 1 20 has an invalid number"},
        {"JumpLabelMissing", {"*JumpToLabel Nowhere"}, "", 1, "The Marker @JNowhere is missing."},
        {"JumpAndReturnLabel", {"*JumpAndReturn Sub Back", "@JBack"}, "", 1, "The Marker @JSub is missing."},
        {"ChapterMissing", {"*JumpToFile NOWHERE"}, "", 1, "NOWHERE.QKS was not found"},
        {"ReturnChapterMissing", {"*ReturnToFile NOWHERE", "*Wait"}, "button Q", 1, "NOWHERE.QKS was not found", 2},
        {"HeadingColumn", {"*Heading Heading1 0 3 40 Title"}, "", 1,
         "The Column number in *Heading Heading1 0 3 40 Title is less than 1"},
        {"HeadingName", {"*Heading Nope 5 3 40 Title"}, "", 1, "The Heading \"Nope\" was not found."},
        {"WindowTextMissing", {"*WindowText 1 1 10 5 Nothing"}, "", 1, "The WindowText \"Nothing\" was not found"},
        {"TranslatedLine", {":QZ,1"}, "", 1, ":QZ,1 is not a valid command"},
        {"ActionInTable", {"*BoxMenu 1 1 20 5 1", "One;*Row 99"}, "list 1", 2,
         "*Row 99 - the Row must be between 1 and 27"},
        {"ActionInLongTable",  // more rows than a value keeps in place
         {"*BoxMenu 1 1 20 9 6", "One;*Exit", "Two;*Exit", "Three;*Exit", "Four;*Exit", "Five;*Exit", "Six;*Row 99"},
         "list 6", 7,
         "*Row 99 - the Row must be between 1 and 27"},
        {"ActionInMatchTable",  // the chosen row is not the last: the fault is on its line
         {"*JumpOnMatch 2 10", "a;*Row 99", "b;*Exit", "*Exit"}, "text a", 2,
         "*Row 99 - the Row must be between 1 and 27"},
    };
    return cases;
}

}  // namespace quill::test

#include <filesystem>

#include "datafile/data_file.h"

namespace quill::test {

// The tutorial folder of the cases: here.txt, pic.bmp, say.wav, chapter T2.QKS, and in the data file
// T.QKR a window text "Intro", an executable "Calc" and a hypertext entry "word".
inline void WriteCheckFolder(const std::filesystem::path& dir) {
    auto write = [&](const char* name, const char* bytes) {
        std::ofstream(dir / name, std::ios::binary) << bytes;
    };
    write("here.txt", "yes\r\n");
    write("pic.bmp", "BM");
    write("say.wav", "RIFF");
    write("T2.QKS", "Second chapter\r\n");
    const auto data = dir / "T.QKR";
    AddWindowText(data, "Intro", "clWhite", {"{\\rtf1 Intro}"});
    AddCommandEntry(data, "Calc", etWindowsProgram, kSourceExecute, "calc.exe");
    AddCommandEntry(data, "word", etVoiceOnly, kSourceHyper, "say.wav");
}

}  // namespace quill::test
