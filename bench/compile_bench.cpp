// Compile Full Tutorial on a project of 240 MB of chapter text (48 chapters of 5 MB) against a
// plain copy of the same chapter files with a read/write loop (goal: within 1.2x).
// Each figure starts once the disk has taken the files the one before wrote (sync): otherwise
// the second pays for writing out the first one's gigabyte beside its own work.
// The honest limit is CompileAllVsBlockCopy: a compile must write each chapter to a new file and
// put it in the old one's place only once it is whole (a failed compile leaves the old file
// whole), which the plain copy of CompileAll_Baseline, truncating its old copy, does not do. The figures are times on the clock (the disk's work
// included), so they vary from run to run with what else the machine writes; the CPU column is
// the whole process's (the compile works on two chapters at a time and counts the keys of the
// chapters ahead on a third thread).
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <memory>
#include <string>

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
    ::sync();
    for (auto _ : state) {
        const auto messages = CompileAllCommand(project, keys);
        if (HasError(messages)) state.SkipWithError("compile failed");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kChapters * static_cast<std::int64_t>(kChapterBytes));
}

void CompileAll_Baseline(benchmark::State& state) {
    ::sync();
    for (auto _ : state) {
        for (int c = 1; c <= kChapters; ++c) {
            const std::string name = "BIG" + std::to_string(c);
            bench::PlainCopy(folder->path() / (name + ".QKS"), folder->path() / "copy" / (name + ".QKC"));
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kChapters * static_cast<std::int64_t>(kChapterBytes));
}

// The copy the compile's own file work amounts to: blocks of the compiler's size read and
// written with read(2) and write(2) into a replacement that takes the copy's place as the
// compiler replaces a compiled chapter (names swapped, the old file then removed). Against it, CompileAllVsBlockCopy shows what the scrambling of
// every line costs on top of the file work.
void CompileAllVsBlockCopy_Baseline(benchmark::State& state) {
    ::sync();
    std::string buf(kCompileBlockBytes, '\0');
    for (auto _ : state) {
        for (int c = 1; c <= kChapters; ++c) {
            const std::string name = "BIG" + std::to_string(c);
            const auto from = folder->path() / (name + ".QKS");
            const auto to = folder->path() / "copy" / (name + ".QKC");
            const auto tmp = folder->path() / "copy" / (name + ".tmp");
            const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
            const int out = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
            ssize_t got;
            while ((got = ::read(in, buf.data(), buf.size())) > 0)
                if (::write(out, buf.data(), static_cast<std::size_t>(got)) != got) state.SkipWithError("write failed");
            ::close(in);
            ::close(out);
            if (!fs::exists(to)) {
                if (::rename(tmp.c_str(), to.c_str()) != 0) state.SkipWithError("rename failed");
            } else if (::renameat2(AT_FDCWD, tmp.c_str(), AT_FDCWD, to.c_str(), RENAME_EXCHANGE) != 0 ||
                       ::unlink(tmp.c_str()) != 0) {
                state.SkipWithError("exchange failed");
            }
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kChapters * static_cast<std::int64_t>(kChapterBytes));
}

}  // namespace

BENCHMARK(CompileAll)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime()->Iterations(8);
BENCHMARK(CompileAll_Baseline)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime()->Iterations(8);
BENCHMARK(CompileAllVsBlockCopy_Baseline)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime()->Iterations(8);

int main(int argc, char** argv) {
    MakeProject();
    benchmark::RegisterBenchmark("CompileAllVsBlockCopy", CompileAll)
        ->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime()->Iterations(8);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    folder.reset();
    return 0;
}
