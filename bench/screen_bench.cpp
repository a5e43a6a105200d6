// Drawing display text on the text screen against drawing the same characters straight onto a
// QImage with one QPainter and the same font; and a line of text drawn and shown in the window
// at 2 x (a whole multiple, pixel for pixel) against the same shown at 1 x.
#include <benchmark/benchmark.h>

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <string>
#include <vector>

#include "gui_bench_main.h"
#include "common/screen_scale.h"
#include "project/config_record.h"
#include "screen/text_screen.h"
#include "text_codec.h"

namespace {

constexpr int kLines = 100000;

std::vector<std::string> Lines() {
    std::vector<std::string> lines;
    for (int i = 0; i < 25; ++i)
        lines.push_back("Line " + std::to_string(i) + " of the chapter text, plain words drawn on the screen.");
    return lines;
}

void BM_DrawText(benchmark::State& state) {
    quill::TTutorialConfig config;
    quill::SetConfigDefaults(config);
    quill::TextScreen screen(config, ".");
    const auto lines = Lines();
    for (auto _ : state) {
        for (int i = 0; i < kLines; ++i) screen.drawText(1, 1 + i % 25, lines[static_cast<std::size_t>(i % 25)]);
        benchmark::DoNotOptimize(screen.image().constBits());
    }
}
BENCHMARK(BM_DrawText)->Unit(benchmark::kMillisecond);

void BM_DrawText_Baseline(benchmark::State& state) {
    QImage image(640, 480, QImage::Format_RGB32);
    image.fill(Qt::white);
    QFont font(QStringLiteral("Courier New"));
    font.setPixelSize(13);
    std::vector<QString> lines;
    for (const auto& l : Lines()) lines.push_back(quill::FromCp1252(l));
    for (auto _ : state) {
        QPainter p(&image);
        p.setFont(font);
        p.setPen(Qt::black);
        p.setBackgroundMode(Qt::OpaqueMode);
        p.setBackground(Qt::white);
        for (int i = 0; i < kLines; ++i) p.drawText(0, 11 + 17 * (i % 25), lines[static_cast<std::size_t>(i % 25)]);
        p.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_DrawText_Baseline)->Unit(benchmark::kMillisecond);

// A chapter's screen as the window shows it at each wait: a line of text drawn on the raster
// (the next row, with text other than the row held), then what changed taken and painted into
// a window of the scale's size (the window's backing store: 32-bit pixels), as the preview
// window and the learner's player do.
void ShowScreen(benchmark::State& state, double factor) {
    quill::TTutorialConfig config;
    quill::SetConfigDefaults(config);
    quill::TextScreen screen(config, ".");
    const quill::ScreenScale scale{factor, false};
    QImage window(scale.map(QSize(quill::TextScreen::kWidth, quill::TextScreen::kHeight)), QImage::Format_RGB32);
    std::vector<std::string> lines;
    for (const auto& l : Lines()) lines.push_back(l + std::string(80 - l.size() % 80, '.'));
    for (const auto& l : Lines()) lines.push_back(l + std::string(80 - l.size() % 80, ':'));
    quill::ScaledRaster shown;
    for (int r = 0; r < 25; ++r) screen.drawText(1, 1 + r, lines[static_cast<std::size_t>(r)]);
    shown.Take(screen.image(), scale);
    std::size_t next = 0;
    for (auto _ : state) {
        const int row = static_cast<int>(next % 25);
        screen.drawText(1, 1 + row, lines[static_cast<std::size_t>(row) + 25 * ((next / 25) % 2)]);
        ++next;
        const QRect changed = shown.Take(screen.image(), scale);
        QPainter p(&window);
        shown.Paint(p, screen.image(), changed);
        p.end();
        benchmark::DoNotOptimize(window.constBits());
    }
}

void BM_ShowScreenAt2x(benchmark::State& state) { ShowScreen(state, 2.0); }
BENCHMARK(BM_ShowScreenAt2x)->Unit(benchmark::kMicrosecond);

void BM_ShowScreenAt2x_Baseline(benchmark::State& state) { ShowScreen(state, 1.0); }
BENCHMARK(BM_ShowScreenAt2x_Baseline)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) { return quill::bench::RunGuiBenchmarks<QGuiApplication>(argc, argv); }
