// The one raster drawing of lines and boxes puts the pixels the desktop's painter put before it
// (so stored screens keep their look), and the files the web export writes for it read back.
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include "screen/glyph_masks.h"
#include "screen/raster_ops.h"
#include "screen/raw_picture.h"

namespace quill {
namespace {

RasterView ViewOf(QImage& image) {
    return {reinterpret_cast<std::uint32_t*>(image.bits()), image.bytesPerLine() / 4, image.width(), image.height()};
}

QImage Blank() {
    QImage image(120, 90, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

int Differing(const QImage& a, const QImage& b) {
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) n += a.pixel(x, y) != b.pixel(x, y);
    return n;
}

TEST(RasterOpsTest, LinesAsThePainterDrewThem) {
    struct Line {
        int x1, y1, x2, y2;
    };
    // Horizontal and vertical, either way round, near the edges too.
    for (const Line l : {Line{10, 10, 60, 10}, Line{60, 20, 10, 20}, Line{30, 5, 30, 70}, Line{40, 70, 40, 5},
                         Line{0, 0, 119, 0}, Line{119, 10, 119, 89}}) {
        for (int width = 1; width <= 6; ++width) {
            SCOPED_TRACE(testing::Message() << l.x1 << "," << l.y1 << " to " << l.x2 << "," << l.y2 << " width " << width);
            QImage expected = Blank(), drawn = Blank();
            {
                QPainter p(&expected);
                p.setRenderHint(QPainter::Antialiasing, false);
                p.setPen(width <= 1 ? QPen(Qt::red, 1, Qt::SolidLine, Qt::FlatCap)
                                    : QPen(Qt::red, width, Qt::SolidLine, Qt::RoundCap));
                p.drawLine(QPoint(l.x1, l.y1), QPoint(l.x2, l.y2));
            }
            DrawAxisLine(ViewOf(drawn), l.x1, l.y1, l.x2, l.y2, width, 0xFFFF0000u);
            EXPECT_EQ(Differing(expected, drawn), 0);
        }
    }
}

TEST(RasterOpsTest, SquareBoxesAsThePainterDrewThem) {
    for (int pen = 1; pen <= 6; ++pen) {
        for (const QRect box : {QRect(QPoint(8, 17), QPoint(80, 68)), QRect(QPoint(0, 0), QPoint(16, 17))}) {
            SCOPED_TRACE(testing::Message() << "pen " << pen << " box " << box.left() << "," << box.top());
            const int x1 = box.left(), y1 = box.top(), x2 = box.right(), y2 = box.bottom();
            QImage expected = Blank(), drawn = Blank();
            {
                QPainter p(&expected);
                p.setRenderHint(QPainter::Antialiasing, false);
                p.setPen(QPen(Qt::red, pen, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
                p.setBrush(QColor(Qt::blue));
                if (pen == 1)
                    p.drawRect(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
                else
                    p.drawRect(QRectF(x1 + 0.5, y1 + 0.5, x2 - x1 - 1, y2 - y1 - 1));
            }
            const std::uint32_t fill = 0xFF0000FFu;
            DrawBox(ViewOf(drawn), x1, y1, x2, y2, false, pen, 0xFFFF0000u, &fill);
            EXPECT_EQ(Differing(expected, drawn), 0);
        }
    }
}

TEST(RasterOpsTest, RoundedBoxesAsThePainterDrewThem) {
    // Boxes on the cell grid (8 x 17 pixel cells), pens as the border commands give them.
    for (int pen = 1; pen <= 8; ++pen) {
        for (const QRect box : {QRect(QPoint(8, 17), QPoint(80, 68)), QRect(QPoint(16, 0), QPoint(48, 34)),
                                QRect(QPoint(0, 17), QPoint(104, 85))}) {
            SCOPED_TRACE(testing::Message() << "pen " << pen << " box " << box.left() << "," << box.top() << " to "
                                            << box.right() << "," << box.bottom());
            const int x1 = box.left(), y1 = box.top(), x2 = box.right(), y2 = box.bottom();
            QImage expected = Blank(), drawn = Blank();
            {
                QPainter p(&expected);
                p.setRenderHint(QPainter::Antialiasing, false);
                p.setPen(QPen(Qt::red, pen, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
                p.setBrush(QColor(Qt::blue));
                if (pen == 1)
                    p.drawRoundedRect(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1), 7.5, 7.5);
                else
                    p.drawRoundedRect(QRectF(x1 + 0.5, y1 + 0.5, x2 - x1 - 1, y2 - y1 - 1), 7.5, 7.5);
            }
            const std::uint32_t fill = 0xFF0000FFu;
            DrawBox(ViewOf(drawn), x1, y1, x2, y2, true, pen, 0xFFFF0000u, &fill);
            EXPECT_EQ(Differing(expected, drawn), 0);
        }
    }
}

TEST(RasterOpsTest, CopiesAreClippedToBothRasters) {
    QImage from = Blank(), to = Blank();
    from.setPixel(0, 0, qRgb(1, 2, 3));
    from.setPixel(119, 89, qRgb(4, 5, 6));
    // A source rectangle reaching beyond the source keeps its place: its part outside is dropped.
    CopyPixels(ViewOf(to), ViewOf(from), -10, -10, 200, 200, 5, 5);
    EXPECT_EQ(to.pixel(15, 15), qRgb(1, 2, 3));
    EXPECT_EQ(to.pixel(5, 5), qRgb(255, 255, 255));
    EXPECT_EQ(to.pixel(119, 89), qRgb(255, 255, 255));  // the source's corner falls beyond the target
    CopyPixels(ViewOf(to), ViewOf(from), 110, 80, 50, 50, 0, 0);
    EXPECT_EQ(to.pixel(9, 9), qRgb(4, 5, 6));
}

TEST(WebFilesTest, GlyphMasksAndRawPicturesReadBack) {
    const GlyphMasks& masks = ScreenGlyphMasks();
    const std::string bytes = GlyphMasksToBytes(masks);
    const auto back = GlyphMasksFromBytes(bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->ascent, masks.ascent);
    EXPECT_EQ(back->height, masks.height);
    EXPECT_EQ(back->blank, masks.blank);
    for (std::size_t s = 0; s < 4; ++s)
        for (std::size_t b = 0; b < 256; ++b) {
            EXPECT_EQ(back->masks[s][b].rows, masks.masks[s][b].rows);
            EXPECT_EQ(back->masks[s][b].first, masks.masks[s][b].first);
        }
    EXPECT_FALSE(GlyphMasksFromBytes(bytes.substr(0, bytes.size() - 1)));
    EXPECT_FALSE(GlyphMasksFromBytes("QGLYPHS1"));

    RawPicture picture{2, 1, {0xFF102030u, 0x80405060u}};
    const std::string raw = RawPictureBytes(picture);
    EXPECT_EQ(raw.substr(12, 4), std::string("\x10\x20\x30\xFF", 4));  // red, green, blue, alpha
    const auto read = ParseRawPicture(raw);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->pixels, picture.pixels);
    // A damaged file is no picture: wrong size, no magic, absurd dimensions.
    EXPECT_FALSE(ParseRawPicture(raw.substr(0, raw.size() - 1)));
    EXPECT_FALSE(ParseRawPicture("BMxx" + raw.substr(4)));
    EXPECT_FALSE(ParseRawPicture(std::string("QPIC\xff\xff\xff\x7f\x01\0\0\0", 12)));
}

}  // namespace
}  // namespace quill
