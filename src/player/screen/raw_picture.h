#pragma once
// A picture as raw pixels in a file: what the web export writes in place of each picture of a
// tutorial (BMP, JPG, WMF, ...), so that the web build of the engine, which has no image
// readers, and the browser page read it without decoding. Layout: "QPIC", the width and the
// height (32-bit little-endian), then the rows from the top, 4 bytes a pixel in the order
// red, green, blue, alpha (as a browser's image data).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quill {

struct RawPicture {
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;  // 0xAARRGGBB, rows from the top
};

std::string RawPictureBytes(const RawPicture& picture);
// Nullopt when the bytes are not a raw picture (or its size does not match).
std::optional<RawPicture> ParseRawPicture(std::string_view bytes);

}  // namespace quill
