// libFuzzer target: the RTF reader must take any bytes without crashing, leaking or touching
// memory it does not own.
#include <QGuiApplication>
#include <QTextDocument>

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "richtext/rtf_reader.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // One application object for the whole run; Qt needs it for fonts. It lives until exit.
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    QTextDocument doc;
    quill::ReadRichText(bytes, doc);
    (void)doc.toPlainText();
    return 0;
}
