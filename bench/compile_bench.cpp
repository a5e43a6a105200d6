// Compile Full Tutorial on a project of 240 MB of chapter text (48 chapters of 5 MB) against a
// plain copy of the same chapter files with a read/write loop (goal: within 2x).
#include <benchmark/benchmark.h>

#include <memory>

#include "bench_folder.h"
#include "build/compiler.h"
#include "text/file_lookup.h"

namespace fs = std::filesystem;

using namespace quill;

namespace {

std::unique_ptr<bench::BenchFolder> folder;
Project project;
constexpr int kChapters = 48;
constexpr std::size_t kChapterBytes = 5u << 20;

void MakeProject() {
    folder = std::make_unique<bench::BenchFolder>();
    project.HomeDir = folder->path();
    project.ProjectDir = folder->path();
    project.ProjectFile = "BIG.QKJ";
    project.LoadProject();
    const char* lines[] = {
        "*ClearScreen Blue",
        "This is a line of display text of a tutorial chapter, with some words in it.",
        "",
        "@Label",
        "*Wait",
        "The pump draws water from the sump and the valve \\hopens\\h when pressure rises.",
        "; a comment line",
        "*QuizAnswers 3 18 Q1",
    };
    std::string chapter;
    for (std::size_t i = 0; chapter.size() < kChapterBytes; ++i) {
        chapter += lines[i % 8];
        chapter += "\r\n";
    }
    fs::create_directories(folder->path() / "copy");
    for (int c = 1; c <= kChapters; ++c) folder->write("BIG" + std::to_string(c) + ".QKS", chapter);
}

void CompileAll(benchmark::State& state) {
    KeyGenerator keys;
    for (auto _ : state) {
        const auto messages = CompileAllCommand(project, keys);
        if (HasError(messages)) state.SkipWithError("compile failed");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kChapters * static_cast<std::int64_t>(kChapterBytes));
}

void CompileAll_Baseline(benchmark::State& state) {
    for (auto _ : state) {
        for (int c = 1; c <= kChapters; ++c) {
            const std::string name = "BIG" + std::to_string(c);
            bench::PlainCopy(folder->path() / (name + ".QKS"), folder->path() / "copy" / (name + ".QKC"));
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kChapters * static_cast<std::int64_t>(kChapterBytes));
}

}  // namespace

BENCHMARK(CompileAll)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(4);
BENCHMARK(CompileAll_Baseline)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(4);

int main(int argc, char** argv) {
    MakeProject();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    folder.reset();
    return 0;
}
