// The data-file store on a file of 10 000 entries: LoadEntry against one read of the file
// (goal: within 1.5x; the baseline reads as ReadFileBytes does, in 64 KB blocks appended to a
// string; LoadEntryVsOneRead sets it against the least any read costs: one read(2) into a
// buffer of the file's size), and ModifyCommandEntry against the least any safe rewrite of the file
// costs: read it, write a temporary file beside it, flush it to the disk, rename it into place
// (goal: within 1.5x).
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>

#include "bench_folder.h"
#include "datafile/data_file.h"
#include "text/text_file.h"

using namespace quill;

namespace {

std::unique_ptr<bench::BenchFolder> folder;
std::filesystem::path dataFile;

void MakeDataFile() {
    folder = std::make_unique<bench::BenchFolder>();
    dataFile = *folder / "BENCH.QKR";
    TextLines all;
    TScreenBackground settings;
    for (int i = 0; i < 10000; ++i) {
        const std::string name = "Entry number " + std::to_string(i);
        TextLines lines;
        switch (i % 4) {
            case 0: lines = CommandEntryLines(name, 2, "HYPER", "picture" + std::to_string(i) + ".bmp,30"); break;
            case 1: lines = CommandEntryLines(name, 4, "EXECUTE", "program.exe,/s"); break;
            case 2: lines = CommandEntryLines(name, 3, "UTILITY", "voice.wav"); break;
            default:
                lines = TextEntryLines(name, 1, "HYPER",
                                       {"{\\rtf1\\ansi\\deff0 {\\fonttbl{\\f0 Arial;}}",
                                        "\\f0\\fs20 Some text of the link, a line or two of it.",
                                        "\\par }"},
                                       settings);
        }
        all.insert(all.end(), lines.begin(), lines.end());
    }
    WriteTextLines(dataFile, all);
}

void LoadEntry(benchmark::State& state) {
    TextLines entry;
    for (auto _ : state) {
        const bool found = quill::LoadEntry(dataFile, "ENTRY NUMBER 5003", "hyper", entry);
        benchmark::DoNotOptimize(found);
    }
}

void LoadEntry_Baseline(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(ReadFileBytes(dataFile));
}

void LoadEntryVsOneRead_Baseline(benchmark::State& state) {
    for (auto _ : state) {
        const int fd = ::open(dataFile.c_str(), O_RDONLY | O_CLOEXEC);
        struct stat st{};
        ::fstat(fd, &st);
        const auto size = static_cast<std::size_t>(st.st_size) + 1;
        auto buffer = std::make_unique_for_overwrite<char[]>(size);
        benchmark::DoNotOptimize(::read(fd, buffer.get(), size));
        ::close(fd);
        benchmark::DoNotOptimize(buffer.get());
    }
}

void ModifyCommandEntry(benchmark::State& state) {
    int n = 0;
    for (auto _ : state)
        quill::ModifyCommandEntry(dataFile, "Entry number 5001", "entry number 5001", "EXECUTE",
                                  "program" + std::to_string(++n % 10) + ".exe,/s", 4);
}

void ModifyCommandEntry_Baseline(benchmark::State& state) {
    const std::string copy = (*folder / "COPY.QKR").string();
    const std::string temporary = (*folder / ".COPY.QKR.tmp").string();
    for (auto _ : state) {
        const std::string bytes = ReadFileBytes(dataFile);
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (fd < 0) {
            state.SkipWithError("cannot create the temporary file");
            return;
        }
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
            if (put <= 0) break;
            done += static_cast<std::size_t>(put);
        }
        const bool ok = done == bytes.size() && ::fsync(fd) == 0;
        ::close(fd);
        if (!ok || ::rename(temporary.c_str(), copy.c_str()) != 0) {
            state.SkipWithError("cannot write the copy");
            return;
        }
    }
}

}  // namespace

BENCHMARK(LoadEntry)->Unit(benchmark::kMicrosecond);
BENCHMARK(LoadEntry_Baseline)->Unit(benchmark::kMicrosecond);
BENCHMARK(LoadEntryVsOneRead_Baseline)->Unit(benchmark::kMicrosecond);
BENCHMARK(ModifyCommandEntry)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(ModifyCommandEntry_Baseline)->Unit(benchmark::kMicrosecond)->UseRealTime();

int main(int argc, char** argv) {
    MakeDataFile();
    benchmark::RegisterBenchmark("LoadEntryVsOneRead", LoadEntry)->Unit(benchmark::kMicrosecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    folder.reset();
    return 0;
}
