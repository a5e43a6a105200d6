// Checking a course against translating it.
//
// BM_CheckCourse: the chapter checker over a course of 100 chapters of 10,000 lines (1,000,000
// lines) that uses every command in correct layouts, with a project folder and data file.
// Baseline: translating every command line of the same course. Goal: at most 1.5x. (The checker
// takes each command line apart as translation does, without writing the translated line, and
// its parse reads those fields: a faster translation makes both faster and this ratio larger.
// What the goal bounds is everything the checker does besides taking the lines apart.)
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench_folder.h"
#include "check_piece.h"
#include "datafile/data_file.h"
#include "project/config_record.h"
#include "script/chapter_check.h"
#include "script/line_kind.h"
#include "script/translate.h"

namespace {

using quill::bench::BenchFolder;
using quill::bench::Piece;

struct Course {
    BenchFolder folder;
    std::vector<std::vector<std::string>> chapters;
    std::vector<quill::LineBuffer> buffers;  // the same chapters, one buffer each
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
            buffers.emplace_back(lines);
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
        // The chapters as read from their files: one buffer each.
        for (const auto& chapter : course.buffers) problems += quill::CheckChapter(chapter, course.context).size();
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

}  // namespace

BENCHMARK_MAIN();
