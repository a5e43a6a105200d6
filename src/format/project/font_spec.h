#pragma once
// The font specification text: point size, colour (decimal 0x00BBGGRR), style and face name,
// separated by single blanks; the face name is the rest and may hold blanks
// ("18 0 1 Times New Roman"). Style: 1 bold, 2 italic, 4 underline, 8 strike-out.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quill {

enum FontStyle : int { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

struct FontSpec {
    int size = 10;
    std::uint32_t color = 0;
    int style = 0;
    std::string name;  // Windows-1252
    bool operator==(const FontSpec&) const = default;
};

// Parses the text; nullopt when size, colour or style is not a decimal number.
std::optional<FontSpec> FontFromSpec(std::string_view spec);
std::string FontToSpec(const FontSpec& font);

}  // namespace quill
