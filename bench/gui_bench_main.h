#pragma once
// The main function of a benchmark that needs Qt: the offscreen platform unless another one is
// set, an application object of type App (QGuiApplication, or QApplication for windows), then
// the benchmarks.
#include <benchmark/benchmark.h>

#include <QtGlobal>

namespace quill::bench {

template <class App>
int RunGuiBenchmarks(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    App app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}  // namespace quill::bench
