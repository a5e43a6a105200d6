#pragma once
// A piece of a correct chapter using every command, repeated to make the long chapters and
// courses of the checking and editing benchmarks.
#include <string>
#include <vector>

namespace quill::bench {

// A piece of a correct chapter: every command, with the lines its layout needs.
const std::vector<std::string>& Piece() {
    static const std::vector<std::string> lines = {
        "@PIntro", "@JStart", "*ClearScreen Blue", "*Title Safety in the Workshop", "*Controls Continue Quit Pageback",
        "*Execute Calc", "*ColRow 10 5", "*Heading Heading1 5 2 40 Chapter One, part 2",
        "The pump must be switched off before the ^Bcover^N is removed.",
        "Read the |word| again, ~@B, before you go on.", "; comment: the next page shows the valves",
        "*WindowText 1 2 30 10 Intro", "*VLine 5 1 20 2 Red", "*HLine 1 3 79 1 Navy",
        "*Blink 10 5 3 Yellow Black Look here!", "*Delay 20", "*CenterText 1 4 80 White Navy Welcome",
        "*PlainBox 1 1 10 5", "*BorderBox 2 Red 1 1 10 5 White", "*PopupBox 10 5 40 9 2 Yellow 50",
        "First pop-up line", "Second pop-up line", "*ClearRow 1 5 79 Lime", "*MoveSection 1 1 10 5 20 20 Olive",
        "*ShowImage 10 5 40 pump.bmp", "*ImageHyperText 10 5 Blue White |word|",
        "*ImageLabel 10 5 30 Black Silver Valve A", "*AddToFile notes.txt Chapter one done",
        "*InputToFile 30 answers.txt", "*MemoToFile 40 5 memo.txt", "*GetUserInput B 20",
        "*BranchOnInput 10", "yes;y", "&1", "Good", "&2", "Try again", "&3", "*JumpOnInput 10", "yes;y",
        "*JumpToLabel Start", "*JumpToLabel Next", "@JNext", "*JumpOnMatch 2 10", "red;*JumpToLabel Start",
        "blue;*JumpToLabel Next", "*JumpToLabel Start", "*BoxMenu 10 5 40 12 2", "First;*JumpToFile CRS2",
        "Second;*JumpToLabel Next", "@QQ1", "Which one?", "*QuizAnswers 2 18 Q1", "This one", "That one", "@1Q1",
        "Right", "*ExitQuiz", "@2Q1", "*QuickQuestion 10", "yes;y", "Right!", "Wrong!", "*ReturnToQuiz", "@CQ1",
        "*HypertextColor Blue White", "*ControlButtonTag C Next page", "*Wait", "",
    };
    return lines;
}

}  // namespace quill::bench
