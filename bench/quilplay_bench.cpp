// quilplay's start against the preview's: from nothing to the first screen of the same chapter,
// and of the whole tutorial (its about box, or its main menu when there is no about box).
//
// BM_QuilplayStart opens the distribution folder (reads and checks the compiled data file,
// builds the compiled source, picks the learner's folder) and runs the starting chapter, read
// from its compiled file and unscrambled, up to its first wait. BM_QuilplayStart_Baseline does
// what the preview does: it loads the project file and runs the chapter source up to the same
// wait. Both draw the same screen. The counter peak_rss_kB is the process's peak memory.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <memory>
#include <string>
#include <sys/resource.h>

#include "gui_bench_main.h"
#include "../tests/format/test_folder.h"
#include "build/compiler.h"
#include "build/distribute.h"
#include "datafile/data_file.h"
#include "engine/chapter_player.h"
#include "headless_host.h"
#include "project/project.h"
#include "quilplay.h"
#include "screen/presentation_render.h"
#include "screen/text_screen.h"
#include "tutorial/tutorial_sequence.h"

namespace {

namespace fs = std::filesystem;

struct NoFolderUi : quill::DistributionUi {
    fs::path target;
    bool asked = false;
    std::optional<fs::path> ChooseFolder() override {
        if (asked) return std::nullopt;
        asked = true;
        return target;
    }
    void ShowError(const std::string&) override {}
    void ShowMessage(const std::string&) override {}
};

// A tutorial of 400 chapter lines before the first wait, with 200 data file entries, compiled
// and distributed once.
struct Tutorial {
    quill::test::TempFolder tmp;
    fs::path qkj, dist;
    Tutorial() {
        quill::Project p;
        quill::NewTutorial(p, tmp / "proj", "TUT");
        p.Config.set(quill::cfg::StartChapter, "TUT1");
        // The whole tutorial opens with its about box.
        p.Config.set(quill::cfg::AboutOn, 1);
        p.Config.set(quill::cfg::About::ShowWhen, 0);
        p.SaveProject();
        std::string chapter = "*ClearScreen Blue\r\n";
        for (int i = 0; i < 400; ++i)
            chapter += i % 4 == 0 ? "*ColRow 2 " + std::to_string(i % 25 + 1) + "\r\n"
                                  : "Line " + std::to_string(i) + " about the |pump| and the ^Bvalve^R.\r\n";
        chapter += "*Wait\r\n";
        tmp.write("proj/TUT1.QKS", chapter);
        for (int i = 0; i < 200; ++i)
            quill::AddWindowText(p.ProjectDir / "TUT.QKR", "Text" + std::to_string(i), "clYellow",
                                 {"{\\rtf1 Some text of a window.\\par}"});
        quill::KeyGenerator keys;
        quill::CompileAllCommand(p, keys);
        dist = tmp / "dist";
        NoFolderUi ui;
        ui.target = dist;
        quill::Distribute(p, ui);
        qkj = p.ProjectDir / "TUT.QKJ";
    }
};

Tutorial& TheTutorial() {
    static Tutorial t;
    return t;
}

void FirstScreen(quill::Project& project) {
    quill::HeadlessHost host;
    quill::TextScreen screen(project.Config, project.ProjectDir, &host);
    host.setScreen(&screen);
    quill::ChapterPlayer player(project, screen, host);
    benchmark::DoNotOptimize(player.run(project.Config.get(quill::cfg::StartChapter)));
}

void PeakMemory(benchmark::State& state) {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_rss_kB"] = static_cast<double>(usage.ru_maxrss);
}

void BM_QuilplayStart(benchmark::State& state) {
    Tutorial& t = TheTutorial();
    quilplay::Options options;
    options.tutorial = t.dist.string();
    options.folderWritable = true;
    for (auto _ : state) {
        quill::Project project = quilplay::OpenCompiledTutorial(options);
        FirstScreen(project);
    }
    PeakMemory(state);
}
BENCHMARK(BM_QuilplayStart)->Unit(benchmark::kMillisecond);

void BM_QuilplayStart_Baseline(benchmark::State& state) {
    Tutorial& t = TheTutorial();
    for (auto _ : state) {
        quill::Project project;
        quill::SelectTutorial(project, t.qkj);
        FirstScreen(project);
    }
    PeakMemory(state);
}
BENCHMARK(BM_QuilplayStart_Baseline)->Unit(benchmark::kMillisecond);

// The whole tutorial up to its first screen: the sequence runs as the player runs it, and the
// first presentation screen it reaches is drawn and ends the run.
struct FirstScreenDrawn {};
class FirstScreenStage : public quill::TutorialStage {
public:
    explicit FirstScreenStage(quill::Project& project) : project_(project) {}
    void ShowBackground() override {}
    void UseTutorialHelp(const std::string&) override {}
    void PerformCommand(const quill::TutorialCommand&) override {}
    void ShowAboutBox() override { Drawn(quill::RenderAboutBox(project_.Config, project_.ProjectDir)); }
    std::vector<std::string> LoadIntroduction() override { return {}; }
    void ShowIntroduction(const std::vector<std::string>& text) override {
        Drawn(quill::RenderIntroduction(project_.Config, project_.ProjectDir, text));
    }
    quill::TutorialMenuPick ShowMainMenu() override { Drawn(quill::RenderMainMenu(project_.Config, project_.ProjectDir)); }
    void RunChapter(const std::string&) override {
        FirstScreen(project_);
        throw FirstScreenDrawn{};
    }
    void Finish() override {}

private:
    [[noreturn]] static void Drawn(const QImage& image) {
        benchmark::DoNotOptimize(image.constBits());
        throw FirstScreenDrawn{};
    }
    quill::Project& project_;
};

void TutorialFirstScreen(quill::Project& project) {
    FirstScreenStage stage(project);
    try {
        quill::PlayTutorial(project.Config, stage);
    } catch (const FirstScreenDrawn&) {
    }
}

void BM_QuilplayTutorialStart(benchmark::State& state) {
    Tutorial& t = TheTutorial();
    quilplay::Options options;
    options.tutorial = t.dist.string();
    options.folderWritable = true;
    for (auto _ : state) {
        quill::Project project = quilplay::OpenCompiledTutorial(options);
        TutorialFirstScreen(project);
    }
}
BENCHMARK(BM_QuilplayTutorialStart)->Unit(benchmark::kMillisecond);

void BM_QuilplayTutorialStart_Baseline(benchmark::State& state) {
    Tutorial& t = TheTutorial();
    for (auto _ : state) {
        quill::Project project;
        quill::SelectTutorial(project, t.qkj);
        TutorialFirstScreen(project);
    }
}
BENCHMARK(BM_QuilplayTutorialStart_Baseline)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return quill::bench::RunGuiBenchmarks<QGuiApplication>(argc, argv); }
