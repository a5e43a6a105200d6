#include "screen/raw_picture.h"

namespace quill {

namespace {

constexpr std::string_view kMagic = "QPIC";
constexpr int kMaxSide = 16384;

void Put32(std::string& out, std::uint32_t v) {
    for (int k = 0; k < 4; ++k) out += static_cast<char>((v >> (8 * k)) & 0xFF);
}

std::uint32_t Get32(std::string_view bytes, std::size_t at) {
    std::uint32_t v = 0;
    for (int k = 0; k < 4; ++k) v |= std::uint32_t(static_cast<unsigned char>(bytes[at + std::size_t(k)])) << (8 * k);
    return v;
}

}  // namespace

std::string RawPictureBytes(const RawPicture& picture) {
    std::string out(kMagic);
    Put32(out, static_cast<std::uint32_t>(picture.width));
    Put32(out, static_cast<std::uint32_t>(picture.height));
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
    const std::uint32_t w = Get32(bytes, 4), h = Get32(bytes, 8);
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
