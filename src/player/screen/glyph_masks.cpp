#include "screen/glyph_masks.h"

#include "text/byte_io.h"

namespace quill {

namespace {

constexpr std::string_view kMagic = "QGLYPHS1";

constexpr std::size_t kSize = kMagic.size() + 4 * 4 + 256 + 4 * 256 * GlyphMasks::kMaskRows * 4;

}  // namespace

std::string GlyphMasksToBytes(const GlyphMasks& masks) {
    std::string out(kMagic);
    for (int v : {masks.ascent, masks.height, masks.underlinePos, masks.lineWidth}) AppendU32(out, static_cast<std::uint32_t>(v));
    for (bool b : masks.blank) out += b ? '\1' : '\0';
    for (const auto& style : masks.masks)
        for (const auto& mask : style)
            for (std::uint32_t row : mask.rows) AppendU32(out, row);
    return out;
}

std::optional<GlyphMasks> GlyphMasksFromBytes(std::string_view bytes) {
    if (bytes.size() != kSize || bytes.substr(0, kMagic.size()) != kMagic) return std::nullopt;
    const ByteReader in(BytesOf(bytes));
    GlyphMasks m;
    std::size_t at = kMagic.size();
    int* fields[] = {&m.ascent, &m.height, &m.underlinePos, &m.lineWidth};
    for (int* f : fields) {
        *f = in.i32(at);
        at += 4;
    }
    for (bool& b : m.blank) b = bytes[at++] != 0;
    for (auto& style : m.masks)
        for (auto& mask : style) {
            mask.first = GlyphMasks::kMaskRows;
            mask.last = -1;
            for (int r = 0; r < GlyphMasks::kMaskRows; ++r) {
                const std::uint32_t row = in.u32(at);
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
