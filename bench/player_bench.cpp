// Running a chapter headless against drawing the same characters straight onto an image.
// The chapter has display text with inline markup and hypertext words, boxes, lines, centred
// text, position commands, comments and jumps, and never waits.
//
// BM_Player/N runs a chapter of N lines (file read, translation, dispatch, drawing) through
// ChapterPlayer with a HeadlessHost; BM_Player_Baseline/N draws the characters of its display
// lines with one QPainter on a 640 x 480 QImage, one fillRect and one drawText a line.
#include <benchmark/benchmark.h>

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "gui_bench_main.h"
#include "../tests/format/test_folder.h"
#include "engine/chapter_player.h"
#include "headless_host.h"
#include "project/project.h"
#include "screen/text_screen.h"
#include "text_codec.h"

namespace {

const char* const kText[] = {
    "The pump must be switched off before the ^Bcover^R is removed.",
    "Read the |safety rules| again before you go on to the next part.",
    "~BWarning:~+ never open the ^Ivalve^R while the pump is running.",
    "Plain display text about valves, pumps and pipes in the plant.",
    "   Indented text with   several   blanks between its words.",
    "~eHighlighted~- background and ^Uunderlined^R words in one line.",
};

// One block of 25 lines; blocks repeat until the chapter has the lines asked for.
std::vector<std::string> Block(int k) {
    const std::string n = std::to_string(k);
    std::vector<std::string> b{"*ClearScreen Default"};
    for (int i = 0; i < 4; ++i) b.push_back(kText[(k + i) % 6]);
    b.push_back("*PlainBox 1 10 20 14 Red");
    b.push_back("*RoundBorderBox 2 Blue 30 10 60 14 Yellow");
    b.push_back("*HLine 1 16 40 1 Navy");
    b.push_back("*VLine 70 1 20 2 Red");
    b.push_back("*JumpToLabel B" + n);
    b.push_back("This line is skipped by the jump.");
    b.push_back("@JB" + n);
    b.push_back("*ColRow 5 17");
    for (int i = 0; i < 9; ++i) b.push_back(kText[(k + i + 2) % 6]);
    b.push_back("*CenterText 1 27 80 White Navy Centred ^Btitle^R text");
    b.push_back("; the end of block " + n);
    return b;
}

struct Fixture {
    quill::test::TempFolder folder;
    quill::Project project;
    std::vector<std::string> drawn;  // the visible characters of the display lines that run
    long long lines = 0;
};

std::string Visible(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '^' || c == '~') {
            ++i;
            continue;
        }
        if (c == '|') continue;
        out += c;
    }
    return out;
}

Fixture& FixtureOf(int lines) {
    static std::map<int, std::unique_ptr<Fixture>> fixtures;
    auto& f = fixtures[lines];
    if (f) return *f;
    f = std::make_unique<Fixture>();
    quill::NewTutorial(f->project, f->folder.path() / "B", "BENCH");
    std::string bytes;
    for (int k = 0; f->lines < lines; ++k) {
        for (const auto& l : Block(k)) {
            bytes += l + "\r\n";
            ++f->lines;
            const bool display = !l.empty() && l[0] != '*' && l[0] != ';' && l[0] != '@';
            if (display && l.find("skipped") == std::string::npos) f->drawn.push_back(Visible(l));
        }
    }
    f->folder.write("B/BENCH1.QKS", bytes);
    return *f;
}

void BM_Player(benchmark::State& state) {
    Fixture& f = FixtureOf(static_cast<int>(state.range(0)));
    long long steps = 0;
    for (auto _ : state) {
        quill::HeadlessHost host;
        quill::TextScreen screen(f.project.Config, f.project.ProjectDir, &host);
        host.setScreen(&screen);
        quill::ChapterPlayer player(f.project, screen, host);
        const quill::PlayResult r = player.run("BENCH1");
        if (r.end != quill::PlayEnd::Finished || !host.messages().empty()) {
            state.SkipWithError("the chapter did not run to its end");
            return;
        }
        steps = r.steps;
        benchmark::DoNotOptimize(screen.image().constBits());
    }
    state.SetItemsProcessed(state.iterations() * steps);
    state.counters["lines"] = static_cast<double>(steps);
}

void BM_Player_Baseline(benchmark::State& state) {
    Fixture& f = FixtureOf(static_cast<int>(state.range(0)));
    std::vector<QString> texts;
    for (const auto& t : f.drawn) texts.push_back(quill::FromCp1252(t));
    for (auto _ : state) {
        QImage image(640, 480, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        QFont font(QStringLiteral("Courier New"));
        font.setPointSize(10);
        painter.setFont(font);
        painter.setPen(Qt::black);
        int row = 0;
        for (const QString& t : texts) {
            const int y = row * 17;
            painter.fillRect(QRect(0, y, 8 * static_cast<int>(t.size()), 15), Qt::white);
            painter.drawText(0, y + 12, t);
            row = (row + 1) % 27;
        }
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetItemsProcessed(state.iterations() * f.lines);
}

BENCHMARK(BM_Player)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Player_Baseline)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return quill::bench::RunGuiBenchmarks<QGuiApplication>(argc, argv); }
