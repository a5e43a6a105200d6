// The engine's text in the web build: UTF-8 std::string, converted from and to the
// Windows-1252 bytes of project files by the format library's own conversions.
#include "engine_types.h"
#include "text/cp1252.h"
#include "text_codec.h"

namespace quill {

Text FromCp1252(std::string_view bytes) { return Cp1252ToUtf8(bytes); }

std::string ToCp1252(const Text& text) { return Utf8ToCp1252(text); }

int TextLength(const Text& text) {
    int n = 0;
    for (std::size_t i = 0; i < text.size(); ++n) DecodeUtf8(text, i);
    return n;
}

char32_t UpperCode(TextChar c) {
    // The letters the player compares are those of the code page.
    const int b = UnicodeToCp1252(c);
    return b < 0 ? c : Cp1252ToUnicode(UpperCp1252(static_cast<unsigned char>(b)));
}

TextChar FirstChar(const Text& text) {
    if (text.empty()) return 0;
    std::size_t i = 0;
    const int32_t c = DecodeUtf8(text, i);
    return c < 0 ? static_cast<unsigned char>(text[0]) : static_cast<char32_t>(c);
}

Text JoinLines(const TextList& lines) {
    std::string out;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i) out += '\n';
        out += lines[i];
    }
    return out;
}

}  // namespace quill
