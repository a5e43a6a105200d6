#pragma once
// The colour notation of the data file ("Sbackcolor=", "VPBack=", "color="): a colour that has a
// name in the standard table is written by that name ("clRed", "clBtnFace", "clNone"), any other
// as "$" and eight upper-case hexadecimal digits of the 32-bit value (00BBGGRR).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quill {

struct NamedColor {
    const char* name;
    std::uint32_t value;
};

// The 42 names: 16 standard colours, the 25 system colours (0x80000000 + the Windows
// system-colour index, in that order) and clNone.
inline constexpr int kNamedColorCount = 42;
const NamedColor* NamedColors();  // kNamedColorCount entries

std::string ColorToString(std::uint32_t color);
// A name of the table (ignoring case), "$" hexadecimal or a decimal number; nullopt otherwise.
std::optional<std::uint32_t> StringToColor(std::string_view text);

}  // namespace quill
