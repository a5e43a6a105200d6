// Typing in a long chapter in the chapter pane against typing in a plain text area.
//
// BM_TypeKey: one key typed in the middle of a 100,000-line chapter in the chapter pane
// (highlighting, line numbers, problem marks, the deferred check and recovery timers), with the
// events it causes processed. Baseline: the same key in a plain text area. Goal: under 16 ms.
// BM_RefreshOnWindow: what a refresh of the problems takes on the window's own thread.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <string>
#include <vector>

#include "gui_bench_main.h"
#include "bench_folder.h"
#include "check_piece.h"
#include "editor/chapter_edit.h"
#include "editor/chapter_pane.h"
#include "editor/chapter_editor.h"
#include "platform/messages.h"
#include "project/project.h"
#include "script/chapter_check.h"

namespace {

using quill::bench::BenchFolder;
using quill::bench::Piece;

QString LongChapter() {
    QStringList lines;
    while (lines.size() < 100'000)
        for (const auto& l : Piece()) lines.push_back(QString::fromLatin1(l.c_str()));
    return lines.mid(0, 100'000).join('\n');
}

// Types keys in the middle of the chapter, processing the events each causes (layout, paint).
void TypeKeys(benchmark::State& state, QPlainTextEdit* edit) {
    edit->setPlainText(LongChapter());
    edit->resize(620, 330);
    edit->show();
    QTextCursor at(edit->document()->findBlockByNumber(50'000));
    edit->setTextCursor(at);
    edit->centerCursor();
    QApplication::processEvents();
    int typed = 0;
    for (auto _ : state) {
        const bool erase = ++typed % 2 == 0;  // the chapter keeps its size
        QKeyEvent press(QEvent::KeyPress, erase ? Qt::Key_Backspace : Qt::Key_X, Qt::NoModifier, erase ? QString() : "x");
        QKeyEvent release(QEvent::KeyRelease, erase ? Qt::Key_Backspace : Qt::Key_X, Qt::NoModifier, erase ? QString() : "x");
        QApplication::sendEvent(edit, &press);
        QApplication::sendEvent(edit, &release);
        QApplication::processEvents();
    }
}

void BM_TypeKey(benchmark::State& state) {
    BenchFolder folder;
    quill::Project project(folder.path());
    quill::SetConfigDefaults(project.Config);
    quill::RecordingMessages messages;
    quill::ChapterPane pane(project, messages);
    pane.resize(620, 440);
    pane.show();
    TypeKeys(state, pane.editor());
}
BENCHMARK(BM_TypeKey)->Unit(benchmark::kMillisecond);

// What a refresh of the problems costs the window itself on a 100,000-line chapter: taking
// the text to check (the check runs on its own thread), and showing a full list of problems.
void BM_RefreshOnWindow(benchmark::State& state) {
    BenchFolder folder;
    quill::Project project(folder.path());
    quill::SetConfigDefaults(project.Config);
    quill::RecordingMessages messages;
    quill::ChapterPane pane(project, messages);
    pane.editor()->setPlainText(LongChapter());
    std::vector<quill::ScriptProblem> problems;
    for (std::size_t line = 1; line <= 100'000; line += 50) problems.push_back({line, "*Bogus is not a valid command"});
    for (auto _ : state) {
        if (state.range(0) == 0)
            benchmark::DoNotOptimize(quill::EditorText(pane.editor()).size());
        else
            pane.editor()->setProblems(problems);
    }
}
// 0: taking the text; 1: showing 2,000 problems.
BENCHMARK(BM_RefreshOnWindow)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_TypeKey_Baseline(benchmark::State& state) {
    QPlainTextEdit edit;
    edit.setLineWrapMode(QPlainTextEdit::NoWrap);
    TypeKeys(state, &edit);
}
BENCHMARK(BM_TypeKey_Baseline)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return quill::bench::RunGuiBenchmarks<QApplication>(argc, argv); }
