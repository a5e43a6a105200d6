// A tutorial's tests: what keeping a transcript and recording coverage add to a headless run,
// on the sample tutorial's own tests (sample/tests).
//
// BM_TranscriptRun plays each test with its transcript kept; BM_TranscriptRun_Baseline plays the
// same runs without a transcript and without snapshots. BM_Coverage plays every test with the
// coverage recorder and reports the gaps of the sample's chapters (what quillc coverage does
// after reading the files); BM_Coverage_Baseline plays the same runs without the recorder.
// BM_Coverage's own time is the figure that must stay well under a second.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <filesystem>
#include <vector>

#include "gui_bench_main.h"
#include "../tests/format/test_folder.h"
#include "project/project.h"
#include "tutorial/play_coverage.h"
#include "tutorial/tutorial_tests.h"

namespace {

namespace fs = std::filesystem;

// A copy of the sample with its tests, opened once.
struct Sample {
    quill::test::TempFolder tmp;
    quill::Project project;
    std::vector<quill::TestRun> runs;
    std::vector<quill::CoverageChapter> chapters;
    Sample() {
        const fs::path source = fs::path(__FILE__).parent_path().parent_path() / "sample";
        fs::copy(source, tmp / "MAPS", fs::copy_options::recursive);
        quill::SelectTutorial(project, tmp / "MAPS" / "MAPS.QKJ");
        for (const fs::path& file : quill::TestAnswersFiles(project.ProjectDir)) runs.push_back(quill::ReadTestRun(file));
        chapters = quill::ReadProjectChapters(project);
    }
};

Sample& TheSample() {
    static Sample sample;
    return sample;
}

void PlayAll(benchmark::State& state, bool transcript) {
    Sample& s = TheSample();
    for (auto _ : state) {
        std::size_t size = 0;
        for (const quill::TestRun& run : s.runs) {
            quill::HeadlessRunOptions options;
            options.transcript = transcript;
            const auto result = quill::PlayTestRun(s.project, run, options);
            if (result.failed) state.SkipWithError(("the test " + run.name + " failed").c_str());
            size += static_cast<std::size_t>(result.transcript.size());
        }
        benchmark::DoNotOptimize(size);
    }
}

void BM_TranscriptRun(benchmark::State& state) { PlayAll(state, true); }
void BM_TranscriptRun_Baseline(benchmark::State& state) { PlayAll(state, false); }

void Cover(benchmark::State& state, bool record) {
    Sample& s = TheSample();
    for (auto _ : state) {
        quill::PlayCoverage coverage;
        for (const quill::TestRun& run : s.runs) {
            quill::HeadlessRunOptions options;
            if (record) options.observers.push_back(&coverage);
            quill::PlayTestRun(s.project, run, options);
        }
        if (record) {
            const auto gaps = coverage.gaps(s.chapters);
            if (!gaps.empty()) state.SkipWithError("the sample's tests leave places unreached");
            benchmark::DoNotOptimize(gaps.size());
        }
    }
}

void BM_Coverage(benchmark::State& state) { Cover(state, true); }
void BM_Coverage_Baseline(benchmark::State& state) { Cover(state, false); }

}  // namespace

BENCHMARK(BM_TranscriptRun)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TranscriptRun_Baseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Coverage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Coverage_Baseline)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) { return quill::bench::RunGuiBenchmarks<QGuiApplication>(argc, argv); }
