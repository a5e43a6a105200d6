// The engine's text in the web build: UTF-8 std::string, converted from and to the
// Windows-1252 bytes of project files.
#include <cstdint>

#include "engine_types.h"
#include "text/cp1252.h"
#include "text_codec.h"

namespace quill {

namespace {

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

// The code point at i (moved past it); a broken sequence gives U+FFFD for its first byte.
char32_t NextCode(const std::string& s, std::size_t& i) {
    const auto b = static_cast<unsigned char>(s[i++]);
    if (b < 0x80) return b;
    int more = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : -1;
    if (more < 0 || i + std::size_t(more) > s.size()) return 0xFFFD;
    char32_t c = b & (0x3F >> more);
    for (int k = 0; k < more; ++k) {
        const auto n = static_cast<unsigned char>(s[i]);
        if ((n & 0xC0) != 0x80) return 0xFFFD;
        c = (c << 6) | (n & 0x3F);
        ++i;
    }
    return c;
}

}  // namespace

Text FromCp1252(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes) AppendUtf8(out, Cp1252ToUnicode(static_cast<unsigned char>(c)));
    return out;
}

std::string ToCp1252(const Text& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const char32_t c = NextCode(text, i);
        const int b = UnicodeToCp1252(c);
        out += b < 0 ? '?' : static_cast<char>(b);
    }
    return out;
}

int TextLength(const Text& text) {
    int n = 0;
    for (std::size_t i = 0; i < text.size();) {
        NextCode(text, i);
        ++n;
    }
    return n;
}

char32_t UpperCode(TextChar c) {
    // The letters of Windows-1252 and Latin-1 are all the player compares.
    if (c < 0x100) {
        if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) return c - 0x20;
        if (c == 0xFF) return 0x178;
        return c;
    }
    if (c == 0x161 || c == 0x153 || c == 0x17E) return c - 1;
    return c;
}

TextChar FirstChar(const Text& text) {
    if (text.empty()) return 0;
    std::size_t i = 0;
    return NextCode(text, i);
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
