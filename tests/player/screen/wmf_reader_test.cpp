#include "screen/wmf_reader.h"

#include <gtest/gtest.h>

#include <QImage>
#include <initializer_list>

#include "screen/picture_reader.h"
#include "../../format/test_folder.h"
#include "../../qstring_printer.h"

namespace quill {
namespace {

// Builds a metafile from records of 16-bit words.
class Wmf {
public:
    explicit Wmf(bool placeable, int width = 0, int height = 0) {
        if (placeable) {
            u32(0x9AC6CDD7);
            u16(0);
            for (int v : {0, 0, width, height}) u16(static_cast<quint16>(v));
            u16(96);  // units per inch: one unit a pixel
            u32(0);
            u16(0);
        }
        header_ = data_.size();
        for (int v : {1, 9, 0x300, 0, 0, 4, 0, 0, 0}) u16(static_cast<quint16>(v));
    }
    Wmf& record(int function, std::initializer_list<int> words) {
        u32(static_cast<quint32>(3 + words.size()));
        u16(static_cast<quint16>(function));
        for (int w : words) u16(static_cast<quint16>(w));
        return *this;
    }
    QByteArray bytes() {
        record(0, {});
        return data_;
    }

private:
    void u16(quint16 v) {
        data_ += static_cast<char>(v & 0xFF);
        data_ += static_cast<char>(v >> 8);
    }
    void u32(quint32 v) {
        u16(static_cast<quint16>(v & 0xFFFF));
        u16(static_cast<quint16>(v >> 16));
    }
    QByteArray data_;
    qsizetype header_ = 0;
};

TEST(WmfReader, DrawsTheCommonRecords) {
    Wmf w(true, 100, 50);
    w.record(0x02FC, {0, 0x00FF, 0x0000, 0})           // red solid brush -> object 0
        .record(0x012D, {0})
        .record(0x02FA, {5, 0, 0, 0, 0})               // null pen -> object 1
        .record(0x012D, {1})
        .record(0x041B, {40, 50, 10, 10})              // rectangle left 10 top 10 right 50 bottom 40
        .record(0x02FA, {0, 1, 0, 0x0000, 0x00FF})     // blue pen -> object 2
        .record(0x012D, {2})
        .record(0x0214, {45, 60})                      // move to (60, 45)
        .record(0x0213, {45, 90})                      // line to (90, 45)
        .record(0x0324, {3, 60, 5, 90, 5, 75, 30});   // triangle, red fill
    QString why;
    const QImage img = ReadWmf(w.bytes(), &why);
    ASSERT_FALSE(img.isNull()) << why;
    EXPECT_EQ(img.size(), QSize(100, 50));
    EXPECT_EQ(img.pixelColor(30, 25), QColor(Qt::red));
    EXPECT_EQ(img.pixelColor(5, 5), QColor(Qt::white));
    EXPECT_EQ(img.pixelColor(75, 45), QColor(Qt::blue));
    EXPECT_EQ(img.pixelColor(75, 12), QColor(Qt::red));
}

TEST(WmfReader, PlainMetafileTakesItsWindow) {
    Wmf w(false);
    w.record(0x020B, {0, 0})
        .record(0x020C, {200, 400})                    // window 400 x 200
        .record(0x02FC, {0, 0xFF00, 0x0000, 0})        // green
        .record(0x012D, {0})
        .record(0x041B, {200, 400, 0, 0});
    QString why;
    const QImage img = ReadWmf(w.bytes(), &why);
    ASSERT_FALSE(img.isNull()) << why;
    EXPECT_EQ(img.size(), QSize(400, 200));
    EXPECT_EQ(img.pixelColor(200, 100), QColor(Qt::green));
}

TEST(WmfReader, GarbageIsRefusedWithAReason) {
    QString why;
    EXPECT_TRUE(ReadWmf(QByteArray::fromHex("d7cdc69a0000"), &why).isNull());
    EXPECT_FALSE(why.isEmpty());
    Wmf noSize(false);
    EXPECT_TRUE(ReadWmf(noSize.bytes(), &why).isNull());
    EXPECT_EQ(why, "the metafile does not say its size");
    // Records that claim more than the file holds, objects out of range, huge sizes: no crash.
    Wmf w(true, 30000, 30000);
    w.record(0x012D, {999}).record(0x01F0, {999}).record(0x0324, {60000, 1, 2});
    QByteArray bytes = w.bytes();
    bytes.append(QByteArray::fromHex("ffffff7f0100"));
    const QImage img = ReadWmf(bytes, &why);
    ASSERT_FALSE(img.isNull());
    EXPECT_EQ(img.size(), QSize(2048, 2048));
    // Cut anywhere: no crash (a small frame keeps this quick).
    Wmf small(true, 20, 20);
    small.record(0x02FC, {0, 0x00FF, 0, 0}).record(0x012D, {0}).record(0x0324, {3, 1, 1, 9, 1, 5, 9});
    const QByteArray whole = small.bytes();
    for (int cut = 0; cut < whole.size(); ++cut) ReadWmf(whole.left(cut), &why);
}

TEST(WmfReader, PicturesAreReadByContent) {
    test::TempFolder dir;
    Wmf w(true, 10, 10);
    const QByteArray wmf = w.bytes();
    const auto file = dir.write("clip.wmf", std::string_view(wmf.constData(), static_cast<std::size_t>(wmf.size())));
    QString why;
    EXPECT_EQ(ReadPicture(file, &why).size(), QSize(10, 10));
    // A JPEG named .BMP reads by its contents.
    QImage jpg(12, 8, QImage::Format_RGB32);
    jpg.fill(Qt::blue);
    const auto named = dir / "photo.BMP";
    ASSERT_TRUE(jpg.save(QString::fromStdString(named.string()), "JPG"));
    EXPECT_EQ(ReadPicture(named, &why).size(), QSize(12, 8));
    EXPECT_TRUE(ReadPicture(dir / "none.bmp", &why).isNull());
    EXPECT_FALSE(why.isEmpty());
}

}  // namespace
}  // namespace quill
