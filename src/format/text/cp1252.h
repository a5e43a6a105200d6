#pragma once
// Windows-1252 <-> Unicode. Every string stored in a project file is Windows-1252 bytes;
// these are the only conversions between those bytes and Unicode text.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quill {

// The Unicode code point of a Windows-1252 byte. The five bytes the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same value, as
// Windows itself does, so that every byte survives a round trip.
char32_t Cp1252ToUnicode(unsigned char byte);

// The Windows-1252 byte of a code point, or -1 when the code page cannot hold it.
int UnicodeToCp1252(char32_t cp);

// Whole strings. Invalid UTF-8 input bytes are taken one by one as Windows-1252 (so a
// name that is already in the code page passes through); code points the code page cannot
// hold become '?'.
std::string Cp1252ToUtf8(std::string_view cp1252);
std::string Utf8ToCp1252(std::string_view utf8);

// Decodes one UTF-8 sequence at text[pos]; advances pos. Returns -1 for an invalid
// sequence (pos then advances by one byte).
int32_t DecodeUtf8(std::string_view text, std::size_t& pos);
void AppendUtf8(std::string& out, char32_t cp);

// Upper case of a Windows-1252 byte: ASCII letters and the accented letters of the code page
// (à..þ except ÷, š, œ, ž, ÿ). Used for case-insensitive names.
constexpr unsigned char UpperCp1252(unsigned char b) {
    if (b >= 'a' && b <= 'z') return static_cast<unsigned char>(b - 32);
    if (b >= 0xE0 && b <= 0xFE && b != 0xF7) return static_cast<unsigned char>(b - 32);
    switch (b) {
        case 0x9A: return 0x8A;  // š
        case 0x9C: return 0x8C;  // œ
        case 0x9E: return 0x8E;  // ž
        case 0xFF: return 0x9F;  // ÿ
        default: return b;
    }
}
// The same as a table, for loops over many bytes (hashing and comparing names).
inline constexpr std::array<unsigned char, 256> kUpperCp1252 = [] {
    std::array<unsigned char, 256> table{};
    for (int b = 0; b < 256; ++b) table[static_cast<std::size_t>(b)] = UpperCp1252(static_cast<unsigned char>(b));
    return table;
}();
std::string UpperCaseCp1252(std::string_view text);
// ASCII-only upper case: accented letters stay as they are (names compared this way in stored
// files, such as the project name at the start of a chapter name, keep their letters).
std::string UpperAscii(std::string_view text);
bool EqualsIgnoringCase(std::string_view a, std::string_view b);  // Windows-1252 letters

}  // namespace quill
