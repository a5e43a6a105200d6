// Checking a course against translating it, and typing in a long chapter in the chapter pane
// against typing in a plain text area.
//
// BM_CheckCourse: the chapter checker over a course of 100 chapters of 10,000 lines (1,000,000
// lines) that uses every command in correct layouts, with a project folder and data file.
// Baseline: translating every command line of the same course. Goal: at most 2x.
//
// BM_TypeKey: one key typed in the middle of a 100,000-line chapter in the chapter pane
// (highlighting, line numbers, problem marks, the deferred check and recovery timers), with the
// events it causes processed. Baseline: the same key in a plain text area. Goal: under 16 ms.
// BM_RefreshOnWindow: what a refresh of the problems takes on the window's own thread.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <string>
#include <vector>

#include "bench_folder.h"
#include "datafile/data_file.h"
#include "editor/chapter_edit.h"
#include "editor/chapter_pane.h"
#include "editor/edit_form.h"
#include "platform/messages.h"
#include "project/project.h"
#include "script/chapter_check.h"
#include "script/line_kind.h"
#include "script/translate.h"

namespace {

using quill::bench::BenchFolder;

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

struct Course {
    BenchFolder folder;
    std::vector<std::vector<std::string>> chapters;
    quill::CheckContext context;
    Course() {
        folder.write("pump.bmp", "BM");
        folder.write("say.wav", "RIFF");
        folder.write("CRS2.QKS", "x\r\n");
        quill::AddWindowText(folder / "CRS.QKR", "Intro", "clWhite", {"{\\rtf1 Intro}"});
        quill::AddCommandEntry(folder / "CRS.QKR", "Calc", quill::etWindowsProgram, quill::kSourceExecute, "calc.exe");
        quill::AddCommandEntry(folder / "CRS.QKR", "word", quill::etVoiceOnly, quill::kSourceHyper, "say.wav");
        quill::TTutorialConfig config;
        quill::SetConfigDefaults(config);
        context = quill::CheckContext(config, folder.path(), folder / "CRS.QKR");
        for (int c = 0; c < 100; ++c) {
            std::vector<std::string> lines;
            while (lines.size() + Piece().size() <= 10'000)
                for (const auto& l : Piece()) lines.push_back(l);
            while (lines.size() < 10'000) lines.push_back("More display text.");
            chapters.push_back(std::move(lines));
        }
    }
};

Course& TheCourse() {
    static Course course;
    return course;
}

void BM_CheckCourse(benchmark::State& state) {
    Course& course = TheCourse();
    std::size_t problems = 0;
    for (auto _ : state) {
        for (const auto& chapter : course.chapters) problems += quill::CheckChapter(chapter, course.context).size();
        benchmark::DoNotOptimize(problems);
    }
    state.counters["problems"] = static_cast<double>(problems) / static_cast<double>(state.iterations());
    state.counters["lines/s"] = benchmark::Counter(1e6 * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CheckCourse)->Unit(benchmark::kMillisecond);

void BM_CheckCourse_Baseline(benchmark::State& state) {
    Course& course = TheCourse();
    const quill::ColorTable& colors = course.context.Colors();
    std::string translated, error;
    for (auto _ : state) {
        std::size_t bytes = 0;
        for (const auto& chapter : course.chapters)
            for (const auto& line : chapter)
                if (quill::ClassifyLine(line) == quill::LineKind::Command) {
                    quill::TranslateCommandLine(quill::RightTrim(line), colors, translated, error);
                    bytes += translated.size() + error.size();
                }
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["lines/s"] = benchmark::Counter(1e6 * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CheckCourse_Baseline)->Unit(benchmark::kMillisecond);

QString LongChapter() {
    QStringList lines;
    while (lines.size() < 100'000)
        for (const auto& l : Piece()) lines.push_back(QString::fromLatin1(l.c_str()));
    return lines.mid(0, 100'000).join('\n');
}

// Types keys in the middle of the chapter, processing the events each causes (layout, paint).
void TypeKeys(benchmark::State& state, QPlainTextEdit* edit) {
    edit->setPlainText(LongChapter());
    edit->resize(620, 330);
    edit->show();
    QTextCursor at(edit->document()->findBlockByNumber(50'000));
    edit->setTextCursor(at);
    edit->centerCursor();
    QApplication::processEvents();
    int typed = 0;
    for (auto _ : state) {
        const bool erase = ++typed % 2 == 0;  // the chapter keeps its size
        QKeyEvent press(QEvent::KeyPress, erase ? Qt::Key_Backspace : Qt::Key_X, Qt::NoModifier, erase ? QString() : "x");
        QKeyEvent release(QEvent::KeyRelease, erase ? Qt::Key_Backspace : Qt::Key_X, Qt::NoModifier, erase ? QString() : "x");
        QApplication::sendEvent(edit, &press);
        QApplication::sendEvent(edit, &release);
        QApplication::processEvents();
    }
}

void BM_TypeKey(benchmark::State& state) {
    BenchFolder folder;
    quill::Project project(folder.path());
    quill::SetConfigDefaults(project.Config);
    quill::RecordingMessages messages;
    quill::ChapterPane pane(project, messages);
    pane.resize(620, 440);
    pane.show();
    TypeKeys(state, pane.editor());
}
BENCHMARK(BM_TypeKey)->Unit(benchmark::kMillisecond);

// What a refresh of the problems costs the window itself on a 100,000-line chapter: taking
// the text to check (the check runs on its own thread), and showing a full list of problems.
void BM_RefreshOnWindow(benchmark::State& state) {
    BenchFolder folder;
    quill::Project project(folder.path());
    quill::SetConfigDefaults(project.Config);
    quill::RecordingMessages messages;
    quill::ChapterPane pane(project, messages);
    pane.editor()->setPlainText(LongChapter());
    std::vector<quill::ScriptProblem> problems;
    for (std::size_t line = 1; line <= 100'000; line += 50) problems.push_back({line, "*Bogus is not a valid command"});
    for (auto _ : state) {
        if (state.range(0) == 0)
            benchmark::DoNotOptimize(quill::EditorText(pane.editor()).size());
        else
            pane.editor()->setProblems(problems);
    }
}
// 0: taking the text; 1: showing 2,000 problems.
BENCHMARK(BM_RefreshOnWindow)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_TypeKey_Baseline(benchmark::State& state) {
    QPlainTextEdit edit;
    edit.setLineWrapMode(QPlainTextEdit::NoWrap);
    TypeKeys(state, &edit);
}
BENCHMARK(BM_TypeKey_Baseline)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
