// Prepare Distribution of a tutorial of 520 MB (52 media files of 10 MB named by data-file
// entries, the compiled files and the player) against `cp` of the same files, run through
// std::system (goal: within 1.0x). Each figure starts once the disk has taken what the one
// before wrote (sync).
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <memory>

#include "bench_folder.h"
#include "build/compiler.h"
#include "build/distribute.h"
#include "datafile/data_file.h"

using namespace quill;
namespace fs = std::filesystem;

namespace {

std::unique_ptr<bench::BenchFolder> folder;
Project project;
std::string cpCommand;  // the baseline: cp of every file distribution copies
constexpr int kMedia = 52;
constexpr std::size_t kMediaBytes = 10u << 20;

struct QuietUi : DistributionUi {
    fs::path target;
    bool failed = false;
    std::optional<fs::path> ChooseFolder() override { return target; }
    void ShowError(const std::string&) override { failed = true; }
    void ShowMessage(const std::string&) override {}
};

std::string Quoted(const fs::path& p) { return "'" + p.string() + "'"; }

void MakeProject() {
    folder = std::make_unique<bench::BenchFolder>();
    const fs::path proj = *folder / "proj";
    fs::create_directories(proj);
    fs::create_directories(*folder / "home");
    fs::create_directories(*folder / "cp-target");
    project.HomeDir = *folder / "home";
    project.ProjectDir = proj;
    project.ProjectFile = "DIST.QKJ";
    project.LoadProject();
    folder->write("home/QUILPLAY.EXE", std::string(2u << 20, 'p'));
    for (int c = 1; c <= 4; ++c)
        folder->write("proj/DIST" + std::to_string(c) + ".QKS", "*ClearScreen Blue\r\nText\r\n");
    std::string media(kMediaBytes, '\0');
    for (std::size_t i = 0; i < media.size(); ++i) media[i] = static_cast<char>(i * 7 + i / 4096);
    for (int m = 1; m <= kMedia; ++m) {
        const std::string name = "sound" + std::to_string(m) + ".wav";
        folder->write("proj/" + name, media);
        AddCommandEntry(proj / "DIST.QKR", "Sound " + std::to_string(m), etVoiceOnly, "HYPER", name);
    }
    KeyGenerator keys;
    CompileAllCommand(project, keys);
    const auto list = DistributionList(project, (project.HomeDir / "QUILPLAY.EXE").string());
    cpCommand = "cp -f";
    for (const auto& name : list) cpCommand += " " + Quoted(name[0] == '/' ? fs::path(name) : proj / name);
    cpCommand += " " + Quoted(*folder / "cp-target");
}

void Distribute(benchmark::State& state) {
    QuietUi ui;
    ui.target = *folder / "target";
    ::sync();
    for (auto _ : state) {
        if (!quill::Distribute(project, ui) || ui.failed) state.SkipWithError("distribution failed");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kMedia * static_cast<std::int64_t>(kMediaBytes));
}

void Distribute_Baseline(benchmark::State& state) {
    ::sync();
    for (auto _ : state) {
        if (std::system(cpCommand.c_str()) != 0) state.SkipWithError("cp failed");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kMedia * static_cast<std::int64_t>(kMediaBytes));
}

}  // namespace

BENCHMARK(Distribute)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(8);
BENCHMARK(Distribute_Baseline)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(8);

int main(int argc, char** argv) {
    MakeProject();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    folder.reset();
    return 0;
}
