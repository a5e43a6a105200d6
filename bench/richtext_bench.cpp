// Reading and writing the tutorial's rich text, against Qt's own import and export of the same
// formatted text as HTML.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QTextDocument>

#include "gui_bench_main.h"
#include "richtext/rtf_reader.h"
#include "richtext/rtf_writer.h"

namespace {

constexpr int kParagraphs = 500;

// A window text of many formatted paragraphs, as a rich-edit control writes it.
const std::vector<std::string>& RtfLines() {
    static const std::vector<std::string> lines = [] {
        std::vector<std::string> l = {
            R"({\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fswiss\fcharset0 Arial;}{\f1\froman\fcharset0 Times New Roman;}})",
            R"({\colortbl ;\red255\green0\blue0;\red0\green0\blue128;})",
            R"(\viewkind4\uc1\pard\f0\fs20)"};
        for (int i = 0; i < kParagraphs; ++i)
            l.push_back(R"(\pard\qc\cf1\b Heading\cf0\b0  plain text of the paragraph with \i some italic\i0 , )"
                        R"(\ul underlined\ulnone  and \cf2\f1\fs28 coloured caf\'e9\cf0\f0\fs20  words.\par)");
        l.push_back("}");
        return l;
    }();
    return lines;
}

const QString& Html() {
    static const QString html = [] {
        QString h = "<html><body style=\"font-family:Arial; font-size:10pt\">";
        for (int i = 0; i < kParagraphs; ++i)
            h += "<p align=center><b style=\"color:#ff0000\">Heading</b> plain text of the paragraph with "
                 "<i>some italic</i>, <u>underlined</u> and <span style=\"color:#000080; "
                 "font-family:'Times New Roman'; font-size:14pt\">coloured caf&eacute;</span> words.</p>";
        h += "</body></html>";
        return h;
    }();
    return html;
}

void RichTextRead(benchmark::State& state) {
    for (auto _ : state) {
        QTextDocument doc;
        quill::ReadRichText(RtfLines(), doc);
        benchmark::DoNotOptimize(doc.characterCount());
    }
}
BENCHMARK(RichTextRead)->Unit(benchmark::kMillisecond);

void RichTextRead_Baseline(benchmark::State& state) {
    for (auto _ : state) {
        QTextDocument doc;
        doc.setHtml(Html());
        benchmark::DoNotOptimize(doc.characterCount());
    }
}
BENCHMARK(RichTextRead_Baseline)->Unit(benchmark::kMillisecond);

void RichTextWrite(benchmark::State& state) {
    QTextDocument doc;
    quill::ReadRichText(RtfLines(), doc);
    for (auto _ : state) benchmark::DoNotOptimize(quill::WriteRichText(doc).size());
}
BENCHMARK(RichTextWrite)->Unit(benchmark::kMillisecond);

void RichTextWrite_Baseline(benchmark::State& state) {
    QTextDocument doc;
    quill::ReadRichText(RtfLines(), doc);
    for (auto _ : state) benchmark::DoNotOptimize(doc.toHtml().size());
}
BENCHMARK(RichTextWrite_Baseline)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return quill::bench::RunGuiBenchmarks<QGuiApplication>(argc, argv); }
