// Translation of chapter lines against a plain split of the same text into lines and words.
// The chapter mixes every command of the language with display text, comments and labels, in
// the proportions of a real chapter (about half the lines are commands). Goal: at most 1.3x.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "script/command_table.h"
#include "script/line_kind.h"
#include "script/translate.h"

namespace {

// One command line of each keyword, as the dialogs write them.
const char* const kCommands[] = {
    "*ClearScreen Blue", "*Wait", "*Exit", "*Title Safety in the Workshop", "*Controls Continue Quit Pageback",
    "*Execute Calculator", "*Column 10", "*Row 5", "*ColRow 10 5", "*Heading Heading1 5 2 40 Chapter One, part 2",
    "*WindowText 1 2 30 10 Safety rules", "*VLine 5 1 20 2 Red", "*HLine 1 3 79 1 Navy",
    "*Blink 10 5 3 Yellow Black Look here!", "*Delay 20", "*Pause",
    "*CenterText 1 4 80 White Navy Welcome to the course", "*PlainBox 1 1 10 5", "*RoundBox 2 2 20 8 Teal",
    "*BorderBox 2 Red 1 1 10 5 White", "*RoundBorderBox 1 Blue 3 3 30 9 Silver",
    "*PopupBox 10 5 40 9 3 Yellow 50", "*RoundPopup 10 5 40 9 2 Aqua 30",
    "*BorderPopup 2 Red 10 5 40 9 3 White 25", "*RoundBorderPopup 2 Red 10 5 40 9 3 White",
    "*ClearRow 1 5 79 Lime", "*ClearSection 1 1 40 10 Gray", "*CopySection 1 1 10 5 20 20",
    "*MoveSection 1 1 10 5 20 20 Olive", "*ShowImage 10 5 40 pump.bmp", "*ScreenImage background.jpg",
    "*ImageHyperText 10 5 Blue White |Pumps|", "*ImageLabel 10 5 30 Black Silver Valve A",
    "*DeleteFile old.txt", "*CopyFile a.txt b.txt", "*PrintFile notes.txt landscape",
    "*AddToFile notes.txt Chapter one done", "*DisplayFile notes.txt", "*InputToFile 30 answers.txt",
    "*MemoToFile 40 5 memo.txt", "*DisplayMemo 40 5 memo.txt", "*GetUserInput B 20",
    "*QuickQuestion 10 Exact", "*FillInAnswer 5 5 3 Default Cat", "*BranchOnFileExists x.txt",
    "*BranchOnFileInput name.txt Exact", "*BranchOnInput 10", "*BranchOnButton Yes No 30", "*ReturnToQuiz",
    "*ExitQuiz", "*QuizAnswers 3 18 Q1", "*JumpToLabel Start", "*JumpToFile SAFETY2", "*PageBackTo @PIntro",
    "*JumpOnFileExists x.txt", "*JumpOnFileInput name.txt Exact", "*JumpOnInput 10", "*JumpOnButton Left Right 40",
    "*JumpOnMatch 2 10 Exact", "*JumpOnFileMatch file.txt 3 Exact", "*RejoinChapter rejoin.txt Start",
    "*RejoinPage", "*ClearPageLabel", "*ChangePageLabel Two", "*ReturnToFile INTRO", "*JumpAndReturn Sub Back",
    "*Return", "*BoxMenu 10 5 40 12 4", "*ButtonMenu 3", "*ControlButtonTag C Next page",
    "*HypertextColor Blue White", "*TitleTextColor Maroon", "*TitleBarColor Purple", "*ControlBarColor Silver",
    "*Notepad my notes.txt",
};

const char* const kOthers[] = {
    "The pump must be switched off before the ^Bcover^N is removed.",
    "Read the |safety rules| again, ~@B, before you go on.",
    "; comment: the next page shows the valves",
    "@JStart",
    "@PIntro",
    "&1",
    "",
    "   Indented text with   several   blanks between words.",
};

const std::string& Chapter() {
    static const std::string text = [] {
        static_assert(std::size(kCommands) == 75);
        std::string s;
        std::uint32_t seed = 12345;
        for (int i = 0; i < 1'000'000; ++i) {
            seed = seed * 1664525u + 1013904223u;
            const std::uint32_t r = seed >> 8;
            if (r % 2 == 0)
                s += kCommands[(r / 2) % std::size(kCommands)];
            else
                s += kOthers[(r / 2) % std::size(kOthers)];
            s += "\r\n";
        }
        return s;
    }();
    return text;
}

// Calls f(line) for each line of the text (CR LF line ends).
template <class F>
void ForEachLine(std::string_view text, F&& f) {
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::size_t stop = end;
        if (stop > start && text[stop - 1] == '\r') --stop;
        f(text.substr(start, stop - start));
        start = end + 1;
    }
}

void BM_TranslateChapter(benchmark::State& state) {
    const std::string& text = Chapter();
    const quill::ColorTable colors;
    std::string translated, error;
    std::size_t lines = 0;
    for (auto _ : state) {
        std::size_t bytes = 0;
        ForEachLine(text, [&](std::string_view line) {
            ++lines;
            if (quill::ClassifyLine(line) == quill::LineKind::Command) {
                quill::TranslateCommandLine(quill::RightTrim(line), colors, translated, error);
                bytes += translated.size() + error.size();
            }
        });
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["lines/s"] = benchmark::Counter(static_cast<double>(lines), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_TranslateChapter)->Unit(benchmark::kMillisecond);

// Only splits the same text into lines and blank-separated words.
void BM_TranslateChapter_Baseline(benchmark::State& state) {
    const std::string& text = Chapter();
    std::size_t lines = 0;
    for (auto _ : state) {
        std::size_t words = 0;
        ForEachLine(text, [&](std::string_view line) {
            ++lines;
            std::size_t i = 0;
            while (i < line.size()) {
                while (i < line.size() && line[i] == ' ') ++i;
                if (i == line.size()) break;
                const std::size_t end = line.find(' ', i);
                benchmark::DoNotOptimize(line.data() + i);
                ++words;
                i = end == std::string_view::npos ? line.size() : end;
            }
        });
        benchmark::DoNotOptimize(words);
    }
    state.counters["lines/s"] = benchmark::Counter(static_cast<double>(lines), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_TranslateChapter_Baseline)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
