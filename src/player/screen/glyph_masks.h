#pragma once
// The pixels of the screen font's glyphs. The text screen draws "Courier New" 10 pt without
// smoothing, so each glyph is a fixed set of pixels relative to its cell, and text is drawn by
// setting those pixels. The desktop makes the masks once from the installed font
// (ScreenGlyphMasks, with Qt); the web export writes the same masks into the exported folder
// (GlyphMasksToBytes) and the web build of the engine reads them from there, so the browser
// draws the same pixels.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#ifndef QUILL_NO_QT
#include <QFont>
#endif

namespace quill {

struct GlyphMasks {
    // A glyph's pixels: row r of the mask is the cell row r - kMaskTop; bit b of a row is the
    // cell column b - kMaskLeft.
    static constexpr int kMaskTop = 8, kMaskLeft = 8, kMaskRows = 40;
    struct Mask {
        std::array<std::uint32_t, kMaskRows> rows{};
        int first = kMaskRows, last = -1;  // the rows that have pixels
    };
    // Index of the style: bold | italic (the screen style bits 1 and 2).
    std::array<std::array<Mask, 256>, 4> masks;
    std::array<bool, 256> blank{};  // bytes that draw no glyph (control characters, no glyph)
    int ascent = 11;
    int height = 15;
    int underlinePos = 2;
    int lineWidth = 1;
};

// The masks the text screen draws with: on the desktop made from the screen font on first use;
// in the web build the ones given to UseScreenGlyphMasks (none: every byte blank).
const GlyphMasks& ScreenGlyphMasks();
#ifdef QUILL_NO_QT
void UseScreenGlyphMasks(const GlyphMasks& masks);
#endif

#ifndef QUILL_NO_QT
// The screen font in its eight styles (style bits: 1 bold, 2 italic, 4 underline), as the
// masks were made from it.
const QFont& ScreenFont(int style);
#endif

// The masks as bytes (a file of the web export), and back; nullopt for bytes that are not masks.
std::string GlyphMasksToBytes(const GlyphMasks& masks);
std::optional<GlyphMasks> GlyphMasksFromBytes(std::string_view bytes);

}  // namespace quill
