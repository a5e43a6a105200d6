// The screen font's glyph masks made on the desktop from the installed "Courier New" (with
// fontconfig: Liberation Mono), by drawing each glyph once with Qt exactly as a glyph run at its
// cell would draw it.
#include <QFontMetrics>
#include <QGlyphRun>
#include <QImage>
#include <QPainter>
#include <QRawFont>
#include <algorithm>

#include "screen/glyph_masks.h"
#include "text/cp1252.h"

namespace quill {

namespace {

struct Fonts {
    std::array<QFont, 8> fonts;
    GlyphMasks masks;

    static const Fonts& Shared() {
        static const Fonts fonts;
        return fonts;
    }

private:
    Fonts() {
        for (int s = 0; s < 8; ++s) {
            QFont f(QStringLiteral("Courier New"));
            // 10 points at 96 dots per inch, whatever the display says.
            f.setPixelSize(13);
            f.setStyleHint(QFont::TypeWriter);
            // Plain pixels on the cell grid: no font smoothing.
            f.setStyleStrategy(QFont::NoAntialias);
            f.setBold(s & 1);
            f.setItalic(s & 2);
            f.setUnderline(s & 4);
            fonts[static_cast<std::size_t>(s)] = f;
        }
        QString all;
        std::array<bool, 256> control{};
        for (int b = 0; b < 256; ++b) {
            all += QChar(static_cast<char16_t>(Cp1252ToUnicode(static_cast<unsigned char>(b))));
            control[static_cast<std::size_t>(b)] = b < 32 || b == 127;
        }
        std::array<QRawFont, 4> raw;
        std::array<std::array<quint32, 256>, 4> glyphs{};
        for (std::size_t r = 0; r < 4; ++r) {
            raw[r] = QRawFont::fromFont(fonts[r]);
            const QList<quint32> idx = raw[r].glyphIndexesForString(all);
            for (int b = 0; b < 256 && b < idx.size(); ++b) glyphs[r][static_cast<std::size_t>(b)] = idx[b];
        }
        const QFontMetrics m(fonts[0]);
        masks.ascent = m.ascent();
        masks.height = m.height();
        masks.underlinePos = std::max(1, m.underlinePos());
        masks.lineWidth = std::max(1, m.lineWidth());
        masks.blank = control;

        // Each font's glyphs drawn once on a grid of 16 x 16 cells, then read back cell by cell.
        constexpr int kGrid = 16;
        constexpr int kRows = GlyphMasks::kMaskRows;
        QImage canvas(32 * kGrid, kRows * kGrid, QImage::Format_RGB32);
        for (std::size_t r = 0; r < 4; ++r) {
            canvas.fill(Qt::black);
            QList<quint32> runGlyphs;
            QList<QPointF> runPositions;
            for (std::size_t b = 0; b < 256; ++b) {
                const quint32 glyph = control[b] ? 0 : glyphs[r][b];
                if (glyph == 0) continue;
                const int gx = static_cast<int>(b % kGrid) * 32, gy = static_cast<int>(b / kGrid) * kRows;
                runGlyphs.push_back(glyph);
                runPositions.push_back(QPointF(gx + GlyphMasks::kMaskLeft, gy + GlyphMasks::kMaskTop + masks.ascent));
            }
            {
                QPainter p(&canvas);
                p.setRenderHint(QPainter::Antialiasing, false);
                p.setRenderHint(QPainter::TextAntialiasing, false);
                p.setPen(Qt::white);
                QGlyphRun run;
                run.setRawFont(raw[r]);
                run.setGlyphIndexes(runGlyphs);
                run.setPositions(runPositions);
                p.drawGlyphRun(QPointF(0, 0), run);
            }
            for (std::size_t b = 0; b < 256; ++b) {
                if (control[b] || glyphs[r][b] == 0) continue;
                const int gx = static_cast<int>(b % kGrid) * 32, gy = static_cast<int>(b / kGrid) * kRows;
                GlyphMasks::Mask& mask = masks.masks[r][b];
                for (int y = 0; y < kRows; ++y) {
                    const auto* line = reinterpret_cast<const QRgb*>(canvas.constScanLine(gy + y)) + gx;
                    quint32 bits = 0;
                    for (int x = 0; x < 32; ++x)
                        if (line[x] != qRgb(0, 0, 0)) bits |= quint32(1) << x;
                    mask.rows[static_cast<std::size_t>(y)] = bits;
                    if (bits) {
                        mask.first = std::min(mask.first, y);
                        mask.last = y;
                    }
                }
            }
        }
    }
};

}  // namespace

const GlyphMasks& ScreenGlyphMasks() { return Fonts::Shared().masks; }

const QFont& ScreenFont(int style) { return Fonts::Shared().fonts[static_cast<std::size_t>(style & 7)]; }

}  // namespace quill
