#include "screen/glyph_masks.h"

namespace quill {

namespace {

constexpr std::string_view kMagic = "QGLYPHS1";

void Put32(std::string& out, std::uint32_t v) {
    for (int k = 0; k < 4; ++k) out += static_cast<char>((v >> (8 * k)) & 0xFF);
}

std::uint32_t Get32(std::string_view bytes, std::size_t at) {
    std::uint32_t v = 0;
    for (int k = 0; k < 4; ++k) v |= std::uint32_t(static_cast<unsigned char>(bytes[at + std::size_t(k)])) << (8 * k);
    return v;
}

constexpr std::size_t kSize = kMagic.size() + 4 * 4 + 256 + 4 * 256 * GlyphMasks::kMaskRows * 4;

}  // namespace

std::string GlyphMasksToBytes(const GlyphMasks& masks) {
    std::string out(kMagic);
    for (int v : {masks.ascent, masks.height, masks.underlinePos, masks.lineWidth}) Put32(out, static_cast<std::uint32_t>(v));
    for (bool b : masks.blank) out += b ? '\1' : '\0';
    for (const auto& style : masks.masks)
        for (const auto& mask : style)
            for (std::uint32_t row : mask.rows) Put32(out, row);
    return out;
}

std::optional<GlyphMasks> GlyphMasksFromBytes(std::string_view bytes) {
    if (bytes.size() != kSize || bytes.substr(0, kMagic.size()) != kMagic) return std::nullopt;
    GlyphMasks m;
    std::size_t at = kMagic.size();
    int* fields[] = {&m.ascent, &m.height, &m.underlinePos, &m.lineWidth};
    for (int* f : fields) {
        *f = static_cast<int>(Get32(bytes, at));
        at += 4;
    }
    for (bool& b : m.blank) b = bytes[at++] != 0;
    for (auto& style : m.masks)
        for (auto& mask : style) {
            mask.first = GlyphMasks::kMaskRows;
            mask.last = -1;
            for (int r = 0; r < GlyphMasks::kMaskRows; ++r) {
                const std::uint32_t row = Get32(bytes, at);
                at += 4;
                mask.rows[static_cast<std::size_t>(r)] = row;
                if (row) {
                    if (mask.first == GlyphMasks::kMaskRows) mask.first = r;
                    mask.last = r;
                }
            }
        }
    return m;
}

}  // namespace quill
