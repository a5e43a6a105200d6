#include "aids/entry_color.h"

#include <array>

namespace quill {

QColor EntryColor(std::uint32_t value) {
    // clScrollBar .. clInfoBk, in the Windows system-colour order, as RGB.
    static constexpr std::array<std::uint32_t, 25> kSystem{
        0xC0C0C0, 0x008080, 0x000080, 0x808080, 0xC0C0C0, 0xFFFFFF, 0x000000, 0x000000, 0x000000,
        0xFFFFFF, 0xC0C0C0, 0xC0C0C0, 0x808080, 0x000080, 0xFFFFFF, 0xC0C0C0, 0x808080, 0x808080,
        0x000000, 0xC0C0C0, 0xFFFFFF, 0x000000, 0xC0C0C0, 0x000000, 0xFFFFE1};
    if (value & 0xFF000000u) {
        const std::uint32_t index = value & 0x00FFFFFFu;
        if ((value & 0xFF000000u) == 0x80000000u && index < kSystem.size()) return QColor::fromRgb(kSystem[index]);
        return Qt::white;  // clNone and anything else without a colour of its own
    }
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

std::vector<std::string> WithoutClosingLine(std::vector<std::string> lines) {
    if (!lines.empty() && lines.back() == "]") lines.pop_back();
    return lines;
}

}  // namespace quill
