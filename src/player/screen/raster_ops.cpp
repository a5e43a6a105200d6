#include "screen/raster_ops.h"

#include <algorithm>
#include <cmath>

namespace quill {

namespace {

// A point in or on a rectangle with rounded corners, by the edge rule of raster_ops.h: left and
// top edges open, right and bottom edges closed.
struct RoundRect {
    double left, top, right, bottom, radius;
    bool contains(double x, double y) const {
        if (!(x > left && x <= right && y > top && y <= bottom)) return false;
        if (radius <= 0) return true;
        const double cx = std::clamp(x, left + radius, right - radius);
        const double cy = std::clamp(y, top + radius, bottom - radius);
        // Beside a straight edge the edge rule above decides; in a corner, the circle.
        if (cx == x || cy == y) return true;
        const double dx = x - cx, dy = y - cy;
        return dx * dx + dy * dy < radius * radius;
    }
};

// Generated from the desktop painter's drawing of rounded boxes (radius 7.5, no smoothing):
// for each pen width 1..8, the four corner blocks (top left, top right, bottom left, bottom
// right), each kCornerBlock(pen) rows of as many pixels: '.' untouched, 'P' pen, 'F' fill.
constexpr const char* kCornerRows[8][4][20] = {
  {
    {"...............", "...............", "...............", ".......PPPPPPPP", "......PFFFFFFFF", ".....PFFFFFFFFF", "....PFFFFFFFFFF", "...PFFFFFFFFFFF", "...PFFFFFFFFFFF", "...PFFFFFFFFFFF", "...PFFFFFFFFFFF", "...PFFFFFFFFFFF", "...PFFFFFFFFFFF", "...PFFFFFFFFFFF", "...PFFFFFFFFFFF", },
    {"...............", "...............", "...............", "PPPPPPP........", "FFFFFFFPP......", "FFFFFFFFFP.....", "FFFFFFFFFP.....", "FFFFFFFFFFP....", "FFFFFFFFFFP....", "FFFFFFFFFFP....", "FFFFFFFFFFP....", "FFFFFFFFFFFP...", "FFFFFFFFFFFP...", "FFFFFFFFFFFP...", "FFFFFFFFFFFP...", },
    {"...PFFFFFFFFFFF", "...PFFFFFFFFFFF", "...PFFFFFFFFFFF", "...PFFFFFFFFFFF", "...PFFFFFFFFFFF", "...PFFFFFFFFFFF", "...PFFFFFFFFFFF", "....PFFFFFFFFFF", "....PFFFFFFFFFF", ".....PPFFFFFFFF", ".......PPPPFFFF", "...........PPPP", "...............", "...............", "...............", },
    {"FFFFFFFFFFFP...", "FFFFFFFFFFFP...", "FFFFFFFFFFFP...", "FFFFFFFFFFFP...", "FFFFFFFFFFP....", "FFFFFFFFFFP....", "FFFFFFFFFFP....", "FFFFFFFFFFP....", "FFFFFFFFFP.....", "FFFFFFFFP......", "FFFFPPPP.......", "PPPP...........", "...............", "...............", "...............", },
  },
  {
    {"................", "................", "................", "................", "........PPPPPPPP", ".......PPPPPPPPP", "......PPPFFFFFFF", ".....PPFFFFFFFFF", "....PPPFFFFFFFFF", "....PPFFFFFFFFFF", "....PPFFFFFFFFFF", "....PPFFFFFFFFFF", "....PPFFFFFFFFFF", "....PPFFFFFFFFFF", "....PPFFFFFFFFFF", "....PPFFFFFFFFFF", },
    {"................", "................", "................", "................", "PPPPPPPP........", "PPPPPPPPP.......", "FFFFFFFPPP......", "FFFFFFFFFPP.....", "FFFFFFFFFPPP....", "FFFFFFFFFFPP....", "FFFFFFFFFFPP....", "FFFFFFFFFFPP....", "FFFFFFFFFFFPP...", "FFFFFFFFFFFPP...", "FFFFFFFFFFFPP...", "FFFFFFFFFFFPP...", },
    {"....PPFFFFFFFFFF", "....PPFFFFFFFFFF", "....PPFFFFFFFFFF", "....PPFFFFFFFFFF", "....PPFFFFFFFFFF", "....PPFFFFFFFFFF", "....PPFFFFFFFFFF", "....PPPFFFFFFFFF", ".....PPFFFFFFFFF", "......PPPFFFFFFF", ".......PPPPPFFFF", "........PPPPPPPP", "............PPPP", "................", "................", "................", },
    {"FFFFFFFFFFFPP...", "FFFFFFFFFFFPP...", "FFFFFFFFFFFPP...", "FFFFFFFFFFFPP...", "FFFFFFFFFFPP....", "FFFFFFFFFFPP....", "FFFFFFFFFFPP....", "FFFFFFFFFPPP....", "FFFFFFFFFPP.....", "FFFFFFFPPP......", "FFFFPPPPP.......", "PPPPPPPP........", "PPPP............", "................", "................", "................", },
  },
  {
    {"................", "................", "................", ".........PPPPPPP", ".......PPPPPPPPP", "......PPPPPPPPPP", ".....PPPPFFFFFFF", "....PPPPFFFFFFFF", "....PPPFFFFFFFFF", "...PPPFFFFFFFFFF", "...PPPFFFFFFFFFF", "...PPPFFFFFFFFFF", "...PPPFFFFFFFFFF", "...PPPFFFFFFFFFF", "...PPPFFFFFFFFFF", "...PPPFFFFFFFFFF", },
    {"................", "................", "................", "PPPPPPP.........", "PPPPPPPPP.......", "PPPPPPPPPP......", "FFFFFFFPPPP.....", "FFFFFFFFPPPP....", "FFFFFFFFFPPP....", "FFFFFFFFFFPPP...", "FFFFFFFFFFPPP...", "FFFFFFFFFFPPP...", "FFFFFFFFFFPPP...", "FFFFFFFFFFPPP...", "FFFFFFFFFFPPP...", "FFFFFFFFFFPPP...", },
    {"...PPPFFFFFFFFFF", "...PPPFFFFFFFFFF", "...PPPFFFFFFFFFF", "...PPPFFFFFFFFFF", "...PPPFFFFFFFFFF", "...PPPFFFFFFFFFF", "...PPPFFFFFFFFFF", "....PPPFFFFFFFFF", "....PPPPFFFFFFFF", ".....PPPPFFFFFFF", "......PPPPPPPPPP", ".......PPPPPPPPP", ".........PPPPPPP", "................", "................", "................", },
    {"FFFFFFFFFFPPP...", "FFFFFFFFFFPPP...", "FFFFFFFFFFPPP...", "FFFFFFFFFFPPP...", "FFFFFFFFFFPPP...", "FFFFFFFFFFPPP...", "FFFFFFFFFFPPP...", "FFFFFFFFFPPP....", "FFFFFFFFPPPP....", "FFFFFFFPPPP.....", "PPPPPPPPPP......", "PPPPPPPPP.......", "PPPPPPP.........", "................", "................", "................", },
  },
  {
    {".................", ".................", ".................", ".................", ".........PPPPPPPP", ".......PPPPPPPPPP", "......PPPPPPPPPPP", ".....PPPPPPPPPPPP", ".....PPPPPFFFFFFF", "....PPPPPFFFFFFFF", "....PPPPFFFFFFFFF", "....PPPPFFFFFFFFF", "....PPPPFFFFFFFFF", "....PPPPFFFFFFFFF", "....PPPPFFFFFFFFF", "....PPPPFFFFFFFFF", "....PPPPFFFFFFFFF", },
    {".................", ".................", ".................", ".................", "PPPPPPPP.........", "PPPPPPPPPP.......", "PPPPPPPPPPP......", "PPPPPPPPPPPP.....", "FFFFFFFPPPPP.....", "FFFFFFFFPPPPP....", "FFFFFFFFFPPPP....", "FFFFFFFFFPPPP....", "FFFFFFFFFPPPP....", "FFFFFFFFFFPPPP...", "FFFFFFFFFFPPPP...", "FFFFFFFFFFPPPP...", "FFFFFFFFFFPPPP...", },
    {"....PPPPFFFFFFFFF", "....PPPPFFFFFFFFF", "....PPPPFFFFFFFFF", "....PPPPFFFFFFFFF", "....PPPPFFFFFFFFF", "....PPPPFFFFFFFFF", "....PPPPFFFFFFFFF", "....PPPPPFFFFFFFF", ".....PPPPPFFFFFFF", ".....PPPPPPPPFFFF", "......PPPPPPPPPPP", ".......PPPPPPPPPP", ".........PPPPPPPP", ".............PPPP", ".................", ".................", ".................", },
    {"FFFFFFFFFFPPPP...", "FFFFFFFFFFPPPP...", "FFFFFFFFFFPPPP...", "FFFFFFFFFFPPPP...", "FFFFFFFFFPPPP....", "FFFFFFFFFPPPP....", "FFFFFFFFFPPPP....", "FFFFFFFFPPPPP....", "FFFFFFFPPPPP.....", "FFFFPPPPPPPP.....", "PPPPPPPPPPP......", "PPPPPPPPPP.......", "PPPPPPPP.........", "PPPP.............", ".................", ".................", ".................", },
  },
  {
    {".................", ".................", ".................", "..........PPPPPPP", "........PPPPPPPPP", ".......PPPPPPPPPP", "......PPPPPPPPPPP", ".....PPPPPPPPPPPP", "....PPPPPPPFFFFFF", "....PPPPPFFFFFFFF", "...PPPPPPFFFFFFFF", "...PPPPPFFFFFFFFF", "...PPPPPFFFFFFFFF", "...PPPPPFFFFFFFFF", "...PPPPPFFFFFFFFF", "...PPPPPFFFFFFFFF", "...PPPPPFFFFFFFFF", },
    {".................", ".................", ".................", "PPPPPPP..........", "PPPPPPPPP........", "PPPPPPPPPP.......", "PPPPPPPPPPP......", "PPPPPPPPPPPP.....", "FFFFFFPPPPPPP....", "FFFFFFFFPPPPP....", "FFFFFFFFPPPPPP...", "FFFFFFFFFPPPPP...", "FFFFFFFFFPPPPP...", "FFFFFFFFFPPPPP...", "FFFFFFFFFPPPPP...", "FFFFFFFFFPPPPP...", "FFFFFFFFFPPPPP...", },
    {"...PPPPPFFFFFFFFF", "...PPPPPFFFFFFFFF", "...PPPPPFFFFFFFFF", "...PPPPPFFFFFFFFF", "...PPPPPFFFFFFFFF", "...PPPPPFFFFFFFFF", "...PPPPPPFFFFFFFF", "....PPPPPFFFFFFFF", "....PPPPPPPFFFFFF", ".....PPPPPPPPPPPP", "......PPPPPPPPPPP", ".......PPPPPPPPPP", "........PPPPPPPPP", "..........PPPPPPP", ".................", ".................", ".................", },
    {"FFFFFFFFFPPPPP...", "FFFFFFFFFPPPPP...", "FFFFFFFFFPPPPP...", "FFFFFFFFFPPPPP...", "FFFFFFFFFPPPPP...", "FFFFFFFFFPPPPP...", "FFFFFFFFPPPPPP...", "FFFFFFFFPPPPP....", "FFFFFFPPPPPPP....", "PPPPPPPPPPPP.....", "PPPPPPPPPPP......", "PPPPPPPPPP.......", "PPPPPPPPP........", "PPPPPPP..........", ".................", ".................", ".................", },
  },
  {
    {"..................", "..................", "..................", "..................", "..........PPPPPPPP", "........PPPPPPPPPP", ".......PPPPPPPPPPP", "......PPPPPPPPPPPP", ".....PPPPPPPPPPPPP", ".....PPPPPPPPPPPPP", "....PPPPPPPFFFFFFF", "....PPPPPPFFFFFFFF", "....PPPPPPFFFFFFFF", "....PPPPPPFFFFFFFF", "....PPPPPPFFFFFFFF", "....PPPPPPFFFFFFFF", "....PPPPPPFFFFFFFF", "....PPPPPPFFFFFFFF", },
    {"..................", "..................", "..................", "..................", "PPPPPPPP..........", "PPPPPPPPPP........", "PPPPPPPPPPP.......", "PPPPPPPPPPPP......", "PPPPPPPPPPPPP.....", "PPPPPPPPPPPPP.....", "FFFFFFFPPPPPPP....", "FFFFFFFFPPPPPP....", "FFFFFFFFPPPPPP....", "FFFFFFFFPPPPPP....", "FFFFFFFFFPPPPPP...", "FFFFFFFFFPPPPPP...", "FFFFFFFFFPPPPPP...", "FFFFFFFFFPPPPPP...", },
    {"....PPPPPPFFFFFFFF", "....PPPPPPFFFFFFFF", "....PPPPPPFFFFFFFF", "....PPPPPPFFFFFFFF", "....PPPPPPFFFFFFFF", "....PPPPPPFFFFFFFF", "....PPPPPPFFFFFFFF", "....PPPPPPPFFFFFFF", ".....PPPPPPPPPFFFF", ".....PPPPPPPPPPPPP", "......PPPPPPPPPPPP", ".......PPPPPPPPPPP", "........PPPPPPPPPP", "..........PPPPPPPP", "..............PPPP", "..................", "..................", "..................", },
    {"FFFFFFFFFPPPPPP...", "FFFFFFFFFPPPPPP...", "FFFFFFFFFPPPPPP...", "FFFFFFFFFPPPPPP...", "FFFFFFFFPPPPPP....", "FFFFFFFFPPPPPP....", "FFFFFFFFPPPPPP....", "FFFFFFFPPPPPPP....", "FFFFPPPPPPPPP.....", "PPPPPPPPPPPPP.....", "PPPPPPPPPPPP......", "PPPPPPPPPPP.......", "PPPPPPPPPP........", "PPPPPPPP..........", "PPPP..............", "..................", "..................", "..................", },
  },
  {
    {"..................", "..................", "..................", "...........PPPPPPP", ".........PPPPPPPPP", ".......PPPPPPPPPPP", "......PPPPPPPPPPPP", ".....PPPPPPPPPPPPP", ".....PPPPPPPPPPPPP", "....PPPPPPPPPPPPPP", "....PPPPPPPPFFFFFF", "...PPPPPPPPFFFFFFF", "...PPPPPPPFFFFFFFF", "...PPPPPPPFFFFFFFF", "...PPPPPPPFFFFFFFF", "...PPPPPPPFFFFFFFF", "...PPPPPPPFFFFFFFF", "...PPPPPPPFFFFFFFF", },
    {"..................", "..................", "..................", "PPPPPPP...........", "PPPPPPPPP.........", "PPPPPPPPPPP.......", "PPPPPPPPPPPP......", "PPPPPPPPPPPPP.....", "PPPPPPPPPPPPP.....", "PPPPPPPPPPPPPP....", "FFFFFFPPPPPPPP....", "FFFFFFFPPPPPPPP...", "FFFFFFFFPPPPPPP...", "FFFFFFFFPPPPPPP...", "FFFFFFFFPPPPPPP...", "FFFFFFFFPPPPPPP...", "FFFFFFFFPPPPPPP...", "FFFFFFFFPPPPPPP...", },
    {"...PPPPPPPFFFFFFFF", "...PPPPPPPFFFFFFFF", "...PPPPPPPFFFFFFFF", "...PPPPPPPFFFFFFFF", "...PPPPPPPFFFFFFFF", "...PPPPPPPFFFFFFFF", "...PPPPPPPPFFFFFFF", "....PPPPPPPPFFFFFF", "....PPPPPPPPPPPPPP", ".....PPPPPPPPPPPPP", ".....PPPPPPPPPPPPP", "......PPPPPPPPPPPP", ".......PPPPPPPPPPP", ".........PPPPPPPPP", "...........PPPPPPP", "..................", "..................", "..................", },
    {"FFFFFFFFPPPPPPP...", "FFFFFFFFPPPPPPP...", "FFFFFFFFPPPPPPP...", "FFFFFFFFPPPPPPP...", "FFFFFFFFPPPPPPP...", "FFFFFFFFPPPPPPP...", "FFFFFFFPPPPPPPP...", "FFFFFFPPPPPPPP....", "PPPPPPPPPPPPPP....", "PPPPPPPPPPPPP.....", "PPPPPPPPPPPPP.....", "PPPPPPPPPPPP......", "PPPPPPPPPPP.......", "PPPPPPPPP.........", "PPPPPPP...........", "..................", "..................", "..................", },
  },
  {
    {"...................", "...................", "...................", "...................", "...........PPPPPPPP", ".........PPPPPPPPPP", ".......PPPPPPPPPPPP", "......PPPPPPPPPPPPP", "......PPPPPPPPPPPPP", ".....PPPPPPPPPPPPPP", ".....PPPPPPPPPPPPPP", "....PPPPPPPPPPPPPPP", "....PPPPPPPPPFFFFFF", "....PPPPPPPPFFFFFFF", "....PPPPPPPPFFFFFFF", "....PPPPPPPPFFFFFFF", "....PPPPPPPPFFFFFFF", "....PPPPPPPPFFFFFFF", "....PPPPPPPPFFFFFFF", },
    {"...................", "...................", "...................", "...................", "PPPPPPPP...........", "PPPPPPPPPP.........", "PPPPPPPPPPPP.......", "PPPPPPPPPPPPP......", "PPPPPPPPPPPPP......", "PPPPPPPPPPPPPP.....", "PPPPPPPPPPPPPP.....", "PPPPPPPPPPPPPPP....", "FFFFFFPPPPPPPPP....", "FFFFFFFPPPPPPPP....", "FFFFFFFPPPPPPPP....", "FFFFFFFFPPPPPPPP...", "FFFFFFFFPPPPPPPP...", "FFFFFFFFPPPPPPPP...", "FFFFFFFFPPPPPPPP...", },
    {"....PPPPPPPPFFFFFFF", "....PPPPPPPPFFFFFFF", "....PPPPPPPPFFFFFFF", "....PPPPPPPPFFFFFFF", "....PPPPPPPPFFFFFFF", "....PPPPPPPPFFFFFFF", "....PPPPPPPPPFFFFFF", "....PPPPPPPPPPPFFFF", ".....PPPPPPPPPPPPPP", ".....PPPPPPPPPPPPPP", "......PPPPPPPPPPPPP", "......PPPPPPPPPPPPP", ".......PPPPPPPPPPPP", ".........PPPPPPPPPP", "...........PPPPPPPP", "...............PPPP", "...................", "...................", "...................", },
    {"FFFFFFFFPPPPPPPP...", "FFFFFFFFPPPPPPPP...", "FFFFFFFFPPPPPPPP...", "FFFFFFFFPPPPPPPP...", "FFFFFFFPPPPPPPP....", "FFFFFFFPPPPPPPP....", "FFFFFFPPPPPPPPP....", "FFFFPPPPPPPPPPP....", "PPPPPPPPPPPPPP.....", "PPPPPPPPPPPPPP.....", "PPPPPPPPPPPPP......", "PPPPPPPPPPPPP......", "PPPPPPPPPPPP.......", "PPPPPPPPPP.........", "PPPPPPPP...........", "PPPP...............", "...................", "...................", "...................", },
  },
};

constexpr int kCornerPens = 8;
// The corner blocks of a rounded box with pen `pen`: they start this many pixels outside the
// box and are kCornerSize(pen) pixels square.
constexpr int CornerMargin(int pen) { return pen / 2 + 3; }
constexpr int CornerSize(int pen) { return CornerMargin(pen) + 12; }

void Put(const RasterView& raster, int x, int y, std::uint32_t colour) {
    std::uint32_t& p = raster.line(y)[x];
    p = Over(p, colour);
}

}  // namespace

std::uint32_t Over(std::uint32_t below, std::uint32_t colour) {
    const std::uint32_t a = colour >> 24;
    if (a == 0xFF) return colour;
    if (a == 0) return below;
    auto mix = [&](int shift) {
        const std::uint32_t s = (colour >> shift) & 0xFF, d = (below >> shift) & 0xFF;
        return ((s * a + d * (255 - a) + 127) / 255) << shift;
    };
    const std::uint32_t da = below >> 24;
    const std::uint32_t outA = a + (da * (255 - a) + 127) / 255;
    return (outA << 24) | mix(16) | mix(8) | mix(0);
}

void FillRect(const RasterView& raster, int x, int y, int width, int height, std::uint32_t colour) {
    const int l = std::max(0, x), t = std::max(0, y);
    const int r = std::min(raster.width, x + std::max(0, width)), b = std::min(raster.height, y + std::max(0, height));
    if (l >= r || t >= b) return;
    const bool opaque = (colour >> 24) == 0xFF;
    for (int row = t; row < b; ++row) {
        std::uint32_t* line = raster.line(row);
        if (opaque)
            std::fill(line + l, line + r, colour);
        else
            for (int col = l; col < r; ++col) line[col] = Over(line[col], colour);
    }
}

void DrawAxisLine(const RasterView& raster, int x1, int y1, int x2, int y2, int width, std::uint32_t colour) {
    const bool vertical = x1 == x2 && y1 != y2;
    if (width <= 1) {
        if (vertical)
            FillRect(raster, x1, std::min(y1, y2), 1, std::abs(y2 - y1), colour);
        else
            FillRect(raster, std::min(x1, x2), y1, std::abs(x2 - x1), 1, colour);
        return;
    }
    // Along: the line's own axis; across: the other. Work in (along, across) coordinates.
    const double r = width / 2.0;
    const int a1 = vertical ? std::min(y1, y2) : std::min(x1, x2);
    const int a2 = vertical ? std::max(y1, y2) : std::max(x1, x2);
    const int c0 = vertical ? x1 : y1;
    const int reach = width / 2 + 2;
    for (int along = a1 - reach; along <= a2 + reach; ++along) {
        for (int across = c0 - reach; across <= c0 + reach; ++across) {
            const double pa = along + 0.5, pc = across + 0.5;
            if (!(pc > c0 - r && pc <= c0 + r)) continue;
            bool in = pa >= a1 && pa <= a2;
            if (!in) {
                const double da = pa < a1 ? pa - a1 : pa - a2, dc = pc - c0;
                in = da * da + dc * dc < r * r;
            }
            if (!in) continue;
            const int x = vertical ? across : along, y = vertical ? along : across;
            if (x >= 0 && x < raster.width && y >= 0 && y < raster.height) Put(raster, x, y, colour);
        }
    }
}

void DrawBox(const RasterView& raster, int x1, int y1, int x2, int y2, bool rounded, int penWidth,
             std::uint32_t pen, const std::uint32_t* fill) {
    if (x2 <= x1 || y2 <= y1) return;
    const double h = std::max(1, penWidth) / 2.0;
    // The outline runs through the centres of the edge pixels.
    const double l = x1 + 0.5, t = y1 + 0.5, r = x2 - 0.5, b = y2 - 0.5;
    const double radius = rounded ? std::min({7.5, (r - l) / 2, (b - t) / 2}) : 0.0;
    const RoundRect outer{l - h, t - h, r + h, b + h, radius > 0 ? radius + h : 0.0};
    const RoundRect inner{l + h, t + h, r - h, b - h, radius > 0 ? std::max(0.0, radius - h) : 0.0};
    const int reach = penWidth / 2 + 3;
    const int left = std::max(0, x1 - reach), right = std::min(raster.width - 1, x2 + reach);
    const int top = std::max(0, y1 - reach), bottom = std::min(raster.height - 1, y2 + reach);
    // Rounded corners as the painter drew them, where the box is large enough for its four
    // corners to stand apart; the edges between them follow the rule above.
    const int width = std::max(1, penWidth);
    const bool table = rounded && width <= kCornerPens && x2 - x1 >= 2 * 12 && y2 - y1 >= 2 * 12;
    const int m = CornerMargin(width), c = CornerSize(width);
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) {
            if (table) {
                const int bx = x - (x1 - m), by = y - (y1 - m);            // from the top left block
                const int rx = x - (x2 + m - c), ry = y - (y2 + m - c);    // from the right and bottom blocks
                const bool inLeft = bx >= 0 && bx < c, inRight = rx >= 0 && rx < c;
                const bool inTop = by >= 0 && by < c, inBottom = ry >= 0 && ry < c;
                if ((inLeft || inRight) && (inTop || inBottom)) {
                    const int corner = (inBottom ? 2 : 0) + (inRight ? 1 : 0);
                    const char k = kCornerRows[width - 1][corner][inBottom ? ry : by][inRight ? rx : bx];
                    if (k == 'P')
                        Put(raster, x, y, pen);
                    else if (k == 'F' && fill)
                        Put(raster, x, y, *fill);
                    continue;
                }
            }
            const double cx = x + 0.5, cy = y + 0.5;
            if (!outer.contains(cx, cy)) continue;
            if (!inner.contains(cx, cy))
                Put(raster, x, y, pen);
            else if (fill)
                Put(raster, x, y, *fill);
        }
    }
}

void CopyPixels(const RasterView& target, const RasterView& source, int sx, int sy, int width, int height,
                int dx, int dy) {
    // Clip the source to its raster, then the target to its own.
    if (sx < 0) { dx -= sx; width += sx; sx = 0; }
    if (sy < 0) { dy -= sy; height += sy; sy = 0; }
    width = std::min(width, source.width - sx);
    height = std::min(height, source.height - sy);
    if (dx < 0) { sx -= dx; width += dx; dx = 0; }
    if (dy < 0) { sy -= dy; height += dy; dy = 0; }
    width = std::min(width, target.width - dx);
    height = std::min(height, target.height - dy);
    if (width <= 0 || height <= 0) return;
    for (int row = 0; row < height; ++row) {
        const std::uint32_t* from = source.line(sy + row) + sx;
        std::copy(from, from + width, target.line(dy + row) + dx);
    }
}

}  // namespace quill
