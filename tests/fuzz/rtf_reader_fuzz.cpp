// libFuzzer target for the rich text: the reader must take any bytes without crashing, leaking
// or touching memory it does not own; what it reads must survive the writer (same text, lines
// that fit the data file) and the renderer.
#include <QGuiApplication>
#include <QImage>
#include <QTextDocument>

#include <cstdint>
#include <cstdio>
#include <string_view>

#include "richtext/rich_text_render.h"
#include "richtext/rtf_reader.h"
#include "richtext/rtf_writer.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // One application object for the whole run; Qt needs it for fonts. It lives until exit.
    static QGuiApplication app(*argc, *argv);
    return 0;
}

namespace {
[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "rtf fuzz: %s\n", what);
    __builtin_trap();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    QTextDocument doc;
    quill::ReadRichText(bytes, doc);

    const std::vector<std::string> lines = quill::WriteRichText(doc);
    for (const std::string& line : lines)
        if (line.starts_with('[') || line == "]") Fail("a written line looks like a data-file marker");
    QTextDocument back;
    quill::ReadRichText(lines, back);
    if (back.toRawText() != doc.toRawText()) Fail("the text changed on a write and read");

    if (size % 8 == 0) {  // now and then, lay it out and draw it
        QImage image(64, 48, QImage::Format_RGB32);
        quill::RenderRichText(doc, image, QRect(4, 4, 56, 40), Qt::white);
    }
    return 0;
}
