#pragma once
// Drawing on the text screen's raster: fills, the lines and boxes of the display commands, and
// copies between rasters. One implementation for every build, so the desktop and the web player
// put the same pixels on the screen.
//
// Pixels are 32-bit 0xAARRGGBB (the screen raster keeps alpha at 0xFF). Shapes are drawn without
// smoothing: a pixel belongs to a shape when its centre does, and a centre that lies exactly on
// an edge belongs to the shape at its right and bottom edges, not at its left and top ones (so
// shapes that meet neither overlap nor leave gaps).
#include <cstddef>
#include <cstdint>

namespace quill {

struct RasterView {
    std::uint32_t* pixels = nullptr;
    std::ptrdiff_t stride = 0;  // pixels from one row to the next
    int width = 0, height = 0;
    std::uint32_t* line(int y) const { return pixels + y * stride; }
};

// A colour drawn on a pixel: opaque colours replace it, others are laid over it; a colour of
// alpha 0 leaves it.
std::uint32_t Over(std::uint32_t below, std::uint32_t colour);

// The rectangle x..x+width-1, y..y+height-1, clipped to the raster.
void FillRect(const RasterView& raster, int x, int y, int width, int height, std::uint32_t colour);

// A horizontal or vertical line from (x1, y1) to (x2, y2) (one of the two pairs is equal).
// Width 1: the pixels from the lower end up to, not including, the higher end. Wider: a stroke
// of that width centred on the line, with round ends.
void DrawAxisLine(const RasterView& raster, int x1, int y1, int x2, int y2, int width, std::uint32_t colour);

// A box over the pixels x1..x2-1, y1..y2-1: its outline a pen of `penWidth` centred on those
// edge pixels (square corners, or corners rounded with a radius of 7.5 pixels), the inside filled
// with `fill` when one is given.
void DrawBox(const RasterView& raster, int x1, int y1, int x2, int y2, bool rounded, int penWidth,
             std::uint32_t pen, const std::uint32_t* fill);

// Copies the rectangle (sx, sy, width, height) of `source` to (dx, dy) of `target`, both
// clipped. The two may be the same raster only when the rectangles do not overlap.
void CopyPixels(const RasterView& target, const RasterView& source, int sx, int sy, int width, int height,
                int dx, int dy);

}  // namespace quill
