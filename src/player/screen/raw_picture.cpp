#include "screen/raw_picture.h"

#include "text/byte_io.h"

namespace quill {

namespace {

constexpr std::string_view kMagic = "QPIC";
constexpr int kMaxSide = 16384;

}  // namespace

std::string RawPictureBytes(const RawPicture& picture) {
    std::string out(kMagic);
    AppendU32(out, static_cast<std::uint32_t>(picture.width));
    AppendU32(out, static_cast<std::uint32_t>(picture.height));
    out.reserve(out.size() + picture.pixels.size() * 4);
    for (std::uint32_t p : picture.pixels) {
        out += static_cast<char>((p >> 16) & 0xFF);
        out += static_cast<char>((p >> 8) & 0xFF);
        out += static_cast<char>(p & 0xFF);
        out += static_cast<char>(p >> 24);
    }
    return out;
}

std::optional<RawPicture> ParseRawPicture(std::string_view bytes) {
    if (bytes.size() < 12 || bytes.substr(0, 4) != kMagic) return std::nullopt;
    const ByteReader in(BytesOf(bytes));
    const std::uint32_t w = in.u32(4), h = in.u32(8);
    if (w == 0 || h == 0 || w > kMaxSide || h > kMaxSide) return std::nullopt;
    if (bytes.size() != 12 + std::size_t(w) * h * 4) return std::nullopt;
    RawPicture picture;
    picture.width = static_cast<int>(w);
    picture.height = static_cast<int>(h);
    picture.pixels.resize(std::size_t(w) * h);
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data()) + 12;
    for (std::uint32_t& px : picture.pixels) {
        px = (std::uint32_t(p[3]) << 24) | (std::uint32_t(p[0]) << 16) | (std::uint32_t(p[1]) << 8) | p[2];
        p += 4;
    }
    return picture;
}

}  // namespace quill
