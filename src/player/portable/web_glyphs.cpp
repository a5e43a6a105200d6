// The screen font's glyph masks in the web build: the ones the export wrote into the folder,
// given to the engine before it plays.
#include "screen/glyph_masks.h"

namespace quill {

namespace {
GlyphMasks& Installed() {
    static GlyphMasks masks = [] {
        GlyphMasks m;
        m.blank.fill(true);
        return m;
    }();
    return masks;
}
}  // namespace

const GlyphMasks& ScreenGlyphMasks() { return Installed(); }
void UseScreenGlyphMasks(const GlyphMasks& masks) { Installed() = masks; }

}  // namespace quill
