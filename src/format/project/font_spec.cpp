#include "project/font_spec.h"

#include "project/file_names.h"

namespace quill {

std::optional<FontSpec> FontFromSpec(std::string_view spec) {
    std::string text(spec);
    const auto size = ParseInt32(TakeWord(text));
    const auto color = ParseInt32(TakeWord(text));
    const auto style = ParseInt32(TakeWord(text));
    if (!size || !color || !style) return std::nullopt;
    FontSpec font;
    font.size = *size;
    font.color = static_cast<std::uint32_t>(*color);
    font.style = *style;
    font.name = text;
    return font;
}

std::string FontToSpec(const FontSpec& font) {
    // The colour is written as a signed 32-bit number, as stored font texts hold it, so system
    // colours (0x80000000 and up) come out negative and read back unchanged.
    return std::to_string(font.size) + ' ' +
           std::to_string(static_cast<std::int32_t>(font.color)) + ' ' +
           std::to_string(font.style) + ' ' + font.name;
}

}  // namespace quill
