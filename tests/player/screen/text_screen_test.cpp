#include "screen/record_font.h"
#include "screen/text_screen.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QGlyphRun>
#include <QPainter>
#include <QRawFont>
#include <QFontMetrics>

#include "../../format/test_folder.h"
#include "project/user_record.h"
#include "text/cp1252.h"
#include "screen_test_support.h"

namespace quill {
namespace {

using test::AllColour;
using test::Cell;
using test::CountColour;

class TextScreenTest : public ::testing::Test {
protected:
    TextScreenTest() : config(test::DefaultConfig()) {
        // Distinct colours for the entries the tests use.
        config.set(cfg::Colors::Entry(17).Value, 0x00336699);
        config.set(cfg::Colors::Entry(5).Value, 0x00112233);
        screen = std::make_unique<TextScreen>(config, dir.path(), &host);
        screen->clearScreen(0);
    }
    QColor back() const { return screen->colours().back; }
    QColor text() const { return screen->colours().text; }
    // The cell of `glyph` drawn alone, plain, at the given row (for comparisons).
    QImage Reference(std::string_view glyph, int row, std::string_view prefix = "") {
        screen->drawText(1, row, std::string(prefix) + std::string(glyph));
        return Cell(screen->image(), 1, row);
    }

    test::TempFolder dir;
    TTutorialConfig config;
    test::RecordingHost host;
    std::unique_ptr<TextScreen> screen;
};

TEST_F(TextScreenTest, GridGeometry) {
    EXPECT_EQ(TextScreen::ColumnToX(1), 0);
    EXPECT_EQ(TextScreen::ColumnToX(80), 632);
    EXPECT_EQ(TextScreen::RowToY(1), 0);
    EXPECT_EQ(TextScreen::RowToY(25), 408);
    EXPECT_EQ(screen->image().size(), QSize(640, 480));
    const QFontInfo info(screen->screenFont());
    EXPECT_EQ(info.family(), "Liberation Mono");
    EXPECT_EQ(QFontMetrics(screen->screenFont()).height(), 15);
}

TEST_F(TextScreenTest, StyleCodesChangeTheFollowingCells) {
    screen->drawText(1, 1, "A^Bb^Rc");
    const QImage plainB = Reference("b", 3);
    const QImage plainC = Reference("c", 4);
    const QImage a = Reference("A", 5);
    const QImage& img = screen->image();
    EXPECT_EQ(Cell(img, 1, 1), a);
    EXPECT_GT(CountColour(Cell(img, 2, 1), text()), CountColour(plainB, text()));  // bold b
    EXPECT_EQ(Cell(img, 3, 1), plainC);
    EXPECT_TRUE(AllColour(Cell(img, 4, 1), back()));  // three cells, no more
    // The style stays for the next text until ^R.
    screen->drawText(1, 6, "^Ub");
    EXPECT_GT(CountColour(Cell(img, 1, 6), text()), CountColour(plainB, text()));
    screen->drawText(1, 7, "b");
    EXPECT_NE(Cell(img, 1, 7), plainB);
    screen->drawText(1, 8, "^rb^Xb^");
    EXPECT_EQ(Cell(img, 1, 8), plainB);
    EXPECT_EQ(Cell(img, 2, 8), plainB);  // an unknown style letter is dropped with the ^
    EXPECT_TRUE(AllColour(Cell(img, 3, 8), back()));
}

TEST_F(TextScreenTest, TildeCodes) {
    const QImage& img = screen->image();
    screen->drawText(1, 1, "~~x");
    EXPECT_GT(CountColour(Cell(img, 1, 1), text()), 0);
    EXPECT_EQ(Cell(img, 2, 1), Reference("x", 2));

    // ~q: background colour table entry 17 for the following cells.
    screen->drawText(1, 3, "a~qbc");
    const QColor q = screen->colours().table[16];
    EXPECT_EQ(q, QColor(0x99, 0x66, 0x33));
    EXPECT_EQ(Cell(img, 1, 3).pixelColor(0, 0), back());
    EXPECT_EQ(Cell(img, 2, 3).pixelColor(0, 0), q);
    EXPECT_EQ(Cell(img, 3, 3).pixelColor(7, 14), q);
    // Fonts and brush persist after the text; ~- and ~+ go back to the screen colours.
    screen->drawText(1, 4, "d~-e");
    EXPECT_EQ(Cell(img, 1, 4).pixelColor(0, 0), q);
    EXPECT_EQ(Cell(img, 2, 4).pixelColor(0, 0), back());
    screen->drawText(1, 5, "~Ef~+g");
    const QColor e = screen->colours().table[4];
    EXPECT_GT(CountColour(Cell(img, 1, 5), e), 0);
    EXPECT_EQ(CountColour(Cell(img, 2, 5), e), 0);
    EXPECT_GT(CountColour(Cell(img, 2, 5), text()), 0);
    // Unknown code and a ~ at the end are dropped.
    screen->drawText(1, 6, "~1h~");
    EXPECT_EQ(Cell(img, 1, 6), Reference("h", 7));
    EXPECT_TRUE(AllColour(Cell(img, 2, 6), back()));
}

TEST_F(TextScreenTest, SlowTypingTogglesWithinALine) {
    screen->drawText(1, 1, "ab~$cd~$ef");
    EXPECT_EQ(host.slowTicks, 2);  // c and d, one tick each
    EXPECT_FALSE(screen->slowTyping());
    screen->drawText(1, 2, "~$xyz");
    EXPECT_EQ(host.slowTicks, 5);
    EXPECT_TRUE(screen->slowTyping());  // stays on for the next line
    screen->drawText(1, 3, "p");
    EXPECT_EQ(host.slowTicks, 6);
    screen->clearScreen(0);
    EXPECT_FALSE(screen->slowTyping());
    // Slow or not, the same pixels come out.
    screen->drawText(1, 1, "~$slow");
    screen->drawText(1, 2, "~$slow");
    EXPECT_EQ(screen->image().copy(0, 0, 48, 15), screen->image().copy(0, 17, 48, 15));
}

TEST_F(TextScreenTest, HypertextWord) {
    screen->drawText(1, 1, "see |index| now");
    const QImage& img = screen->image();
    const QColor hyper = screen->colours().hyper;
    EXPECT_EQ(screen->hypertextCount(), 1);
    ASSERT_EQ(screen->hyperLabels().size(), 1u);
    const HyperLabel& l = screen->hyperLabels()[0];
    EXPECT_EQ(l.text, "index");
    EXPECT_EQ(l.rect, QRect(32, 0, 40, 15));
    EXPECT_EQ(l.textColour, hyper);
    EXPECT_EQ(l.backColour, back());
    for (int c = 5; c <= 9; ++c) {
        EXPECT_GT(CountColour(Cell(img, c, 1), hyper), 0) << c;
        EXPECT_EQ(CountColour(Cell(img, c, 1), text()), 0) << c;
    }
    // Bold: more ink than the plain letter; underlined: a full line under every cell.
    EXPECT_GT(CountColour(Cell(img, 5, 1), hyper), CountColour(Reference("i", 3), text()));
    int underlineRow = -1;
    for (int y = 11; y < 15 && underlineRow < 0; ++y) {
        bool full = true;
        for (int x = 32; x < 72; ++x) full = full && img.pixelColor(x, y) == hyper;
        if (full) underlineRow = y;
    }
    EXPECT_GE(underlineRow, 0);
    // Around it, the normal font in the normal colour; the closing | is not drawn.
    EXPECT_EQ(Cell(img, 10, 1), Cell(img, 4, 1));  // two blanks
    EXPECT_EQ(Cell(img, 11, 1), Reference("n", 4));
    EXPECT_EQ(CountColour(Cell(img, 1, 1), hyper), 0);

    // A second word counts on; a clear resets the count and removes the labels.
    screen->drawText(1, 5, "|a| and |b c|");
    EXPECT_EQ(screen->hypertextCount(), 3);
    EXPECT_EQ(screen->hyperLabels()[2].text, "b c");
    EXPECT_EQ(screen->hyperLabels()[2].rect.topLeft(), QPoint(48, 68));
    screen->clearScreen(0);
    EXPECT_EQ(screen->hypertextCount(), 0);
    EXPECT_TRUE(screen->hyperLabels().empty());
}

TEST_F(TextScreenTest, HypertextWordEdges) {
    // Without a closing mark the word runs to the end of the text, its last letter included.
    screen->drawText(1, 1, "go |index");
    ASSERT_EQ(screen->hyperLabels().size(), 1u);
    EXPECT_EQ(screen->hyperLabels()[0].text, "index");
    // A | at the end is dropped; the word keeps at most 40 characters but all are drawn.
    screen->drawText(1, 2, "x|");
    EXPECT_EQ(screen->hyperLabels().size(), 1u);
    screen->drawText(1, 3, "|" + std::string(45, 'w') + "|z");
    EXPECT_EQ(screen->hyperLabels()[1].text.size(), 40);
    EXPECT_GT(CountColour(Cell(screen->image(), 45, 3), screen->colours().hyper), 0);
    EXPECT_EQ(Cell(screen->image(), 46, 3), Reference("z", 4));
    // Links use the link colours when they are set.
    screen->setLinkColours(Qt::red, Qt::yellow);
    screen->drawText(1, 5, "|r|");
    EXPECT_EQ(screen->hyperLabels()[2].textColour, QColor(Qt::red));
    EXPECT_EQ(screen->hyperLabels()[2].backColour, QColor(Qt::yellow));
}

TEST_F(TextScreenTest, LearnerVariables) {
    const QImage& img = screen->image();
    // No USER.DAT: nothing is drawn and drawing goes on.
    screen->drawText(1, 1, "a~@Ab");
    EXPECT_EQ(Cell(img, 2, 1), Reference("b", 2));
    // An invalid slot letter ends the whole text.
    screen->drawText(1, 3, "x~@1yz");
    EXPECT_TRUE(AllColour(Cell(img, 2, 3), back()));
    screen->drawText(1, 4, "x~@");
    EXPECT_TRUE(AllColour(Cell(img, 2, 4), back()));

    UserRecord r;
    r.setSlot(2, "Ann");
    r.setSlot(27, "^B");  // drawn as it stands, no codes
    WriteUserRecord(dir / "user.dat", r);  // found whatever the letter case
    screen->drawText(1, 5, "Hello ~@B!");
    screen->drawText(1, 6, "Hello Ann!");
    EXPECT_EQ(img.copy(0, 5 * 17 - 17, 80, 15), img.copy(0, 6 * 17 - 17, 80, 15));
    screen->drawText(1, 7, "~@a~@A.");
    screen->drawText(1, 8, "~^B.");  // a tilde-escaped ^ is not a code: compare with "^" drawn
    EXPECT_GT(CountColour(Cell(img, 1, 7), text()), 0);
    EXPECT_GT(CountColour(Cell(img, 2, 7), text()), 0);
    EXPECT_EQ(Cell(img, 3, 7), Reference(".", 9));  // empty slot A adds nothing
}

TEST_F(TextScreenTest, ClearScreenColoursAndReset) {
    const QColor five(0x33, 0x22, 0x11);
    for (int code : {0, 27}) {
        screen->clearScreen(code);
        EXPECT_TRUE(AllColour(screen->image(), back())) << code;
    }
    screen->clearScreen(5);
    EXPECT_TRUE(AllColour(screen->image(), five));
    // Text drawn afterwards keeps the clear's background.
    screen->drawText(1, 1, "x");
    EXPECT_EQ(Cell(screen->image(), 1, 1).pixelColor(0, 0), five);

    screen->setColumn(10);
    screen->setRow(12);
    screen->drawText(1, 2, "|link|");
    screen->addTextLabel(0, 0, 80, "t", Qt::black, Qt::white);
    screen->addPanelBox(0, 0, 10, "p", QFont(), Qt::black, Qt::white, kAlignLeft);
    screen->addMenuButtons({{0, 0, 80, "m"}});
    screen->showRichText(1, 1, 10, 10, Qt::white, {"x"});
    screen->showChoice("Yes", "No", 20);
    screen->showMemo(10, 3, {}, false);
    screen->showMemo(10, 3, {}, true);
    screen->controlBar().visible = true;
    screen->controlBar().shown = {true, true, true, true, true};
    screen->setSlowTyping(true);
    screen->showTitle("T", Qt::black, Qt::white);
    EXPECT_EQ(screen->titleOffset(), 34);

    screen->clearScreen(0);
    EXPECT_EQ(screen->column(), 1);
    EXPECT_EQ(screen->row(), 1);
    EXPECT_EQ(screen->titleOffset(), 0);
    EXPECT_FALSE(screen->title().visible);
    EXPECT_TRUE(screen->hyperLabels().empty());
    EXPECT_TRUE(screen->textLabels().empty());
    EXPECT_TRUE(screen->panelBoxes().empty());
    EXPECT_TRUE(screen->menuButtons().empty());
    EXPECT_TRUE(screen->pictures().empty());
    EXPECT_FALSE(screen->richText().visible);
    EXPECT_FALSE(screen->answers().choice.visible);
    EXPECT_FALSE(screen->answers().memo.visible);
    EXPECT_FALSE(screen->answers().display.visible);
    EXPECT_FALSE(screen->slowTyping());
    const ControlBar& bar = screen->controlBar();
    EXPECT_FALSE(bar.visible);
    EXPECT_EQ(bar.shown, (std::array<bool, 5>{true, false, true, false, false}));
    EXPECT_EQ(bar.legends[0], "&Continue");
    EXPECT_EQ(bar.legends[3], "&Pageback");
    EXPECT_EQ(screen->penState(), (PenState{0, text(), back()}));
}

TEST_F(TextScreenTest, ColourCodes) {
    EXPECT_EQ(screen->backColour(5), QColor(0x33, 0x22, 0x11));
    EXPECT_EQ(screen->textColour(5), QColor(0x33, 0x22, 0x11));
    EXPECT_EQ(screen->backColour(0), back());
    EXPECT_EQ(screen->backColour(27), back());
    EXPECT_EQ(screen->textColour(27), text());
    EXPECT_EQ(screen->textColour(0), back());
    EXPECT_EQ(screen->colours().table[15], QColor(Qt::white));  // White, entry 16
    EXPECT_EQ(ColourFromRecord(0x00FF8040), QColor(0x40, 0x80, 0xFF));
    // System colours take their classic values (clBtnFace, clInfoBk); past the table, the low bytes.
    EXPECT_EQ(ColourFromRecord(0x8000000F), QColor(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(ColourFromRecord(0x80000018), QColor(0xFF, 0xFF, 0xE1));
    EXPECT_EQ(ColourFromRecord(0x80000040), QColor(0x40, 0x00, 0x00));
}

// A font record draws the same everywhere: strike-out kept, sizes outside 1..200 and records that
// do not read give the default size and family.
TEST(RecordFont, TheOneConversionOfAFontRecord) {
    QColor colour;
    const QFont font = FontOfRecordText("16 255 9 Arial", &colour);
    EXPECT_EQ(font.family(), "Arial");
    EXPECT_EQ(font.pointSize(), 16);
    EXPECT_TRUE(font.bold());
    EXPECT_TRUE(font.strikeOut());
    EXPECT_FALSE(font.italic());
    EXPECT_EQ(colour, QColor(0xFF, 0, 0));
    EXPECT_EQ(FontOfRecordText("0 0 0 Arial").pointSize(), 10);
    EXPECT_EQ(FontOfRecordText("201 0 0 Arial").pointSize(), 10);
    const QFont unread = FontOfRecordText("big red", &colour);
    EXPECT_EQ(unread.family(), "Times New Roman");
    EXPECT_EQ(unread.pointSize(), 10);
    EXPECT_EQ(colour, QColor(Qt::black));
}

TEST_F(TextScreenTest, PendingLineAdvancesTheRow) {
    screen->setColumn(3);
    screen->setRow(2);
    screen->drawPendingLine("ab");
    screen->drawPendingLine("cd");
    EXPECT_EQ(screen->row(), 4);
    EXPECT_EQ(screen->column(), 3);
    EXPECT_EQ(Cell(screen->image(), 4, 3), Reference("d", 6));
}

TEST_F(TextScreenTest, PlainTextAndPenState) {
    screen->restoreFontAndBrush({kStyleBold, Qt::red, Qt::yellow});
    screen->drawPlain(1, 1, "~^|a");
    const QImage& img = screen->image();
    for (int c = 1; c <= 4; ++c) {
        EXPECT_GT(CountColour(Cell(img, c, 1), Qt::red), 0) << c;
        EXPECT_EQ(Cell(img, c, 1).pixelColor(0, 0), QColor(Qt::yellow)) << c;
    }
    EXPECT_TRUE(screen->hyperLabels().empty());
    screen->resetScreenFont();
    EXPECT_EQ(screen->penState(), (PenState{0, Qt::red, Qt::yellow}));
    const PenState saved = screen->penState();
    screen->drawText(1, 2, "^B~C~dz");
    EXPECT_NE(screen->penState(), saved);  // codes persist after the text
    screen->restoreFontAndBrush(saved);
    EXPECT_EQ(screen->penState(), saved);
}

TEST_F(TextScreenTest, TextBeyondTheEdgesAndControlCharacters) {
    // A line far longer than the screen: the visible part is drawn, codes after it still count.
    std::string line(200000, 'x');
    line += "|far|";
    screen->drawText(75, 1, line);
    EXPECT_EQ(Cell(screen->image(), 80, 1), Reference("x", 2));
    EXPECT_EQ(screen->hypertextCount(), 1);
    screen->drawText(-3, 3, "abcdef");
    EXPECT_EQ(Cell(screen->image(), 1, 3), Reference("e", 4));
    // Control characters take their cell with the brush and draw no glyph.
    screen->drawText(1, 5, std::string("a\tb\x01", 4) + "c");
    EXPECT_TRUE(AllColour(Cell(screen->image(), 2, 5), back()));
    EXPECT_EQ(Cell(screen->image(), 5, 5), Reference("c", 6));
}

// Every character in every style is drawn exactly as Qt draws the screen font's glyphs at their
// cells: each run of cells in one pen gets its brush, then its glyphs (which may reach into the
// next cell), then its underline. Rows at the screen's edges are clipped the same way.
TEST_F(TextScreenTest, GlyphsArePixelForPixelWhatQtDraws) {
    QImage expected(screen->image().size(), QImage::Format_RGB32);
    expected.fill(back());
    QPainter p(&expected);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    const QFontMetrics m(screen->screenFont());
    const QColor ink(0x99, 0x66, 0x33), paper(0x33, 0x22, 0x11);  // colour entries 17 and 5
    auto expect = [&](int column, int row, int style, const QColor& textColour, const QColor& brush,
                      const std::string& bytes) {
        const int x = TextScreen::ColumnToX(column), y = TextScreen::RowToY(row);
        p.fillRect(QRect(x, y, 8 * static_cast<int>(bytes.size()), m.height()), brush);
        const QRawFont raw = QRawFont::fromFont(screen->screenFont(style & (kStyleBold | kStyleItalic)));
        QList<quint32> glyphs;
        QList<QPointF> positions;
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            const auto b = static_cast<unsigned char>(bytes[i]);
            if (b < 32 || b == 127) continue;
            const QString ch(QChar(static_cast<char16_t>(Cp1252ToUnicode(b))));
            const quint32 g = raw.glyphIndexesForString(ch).value(0);
            if (g == 0) continue;
            glyphs << g;
            positions << QPointF(x + 8 * static_cast<int>(i), y + m.ascent());
        }
        QGlyphRun run;
        run.setRawFont(raw);
        run.setGlyphIndexes(glyphs);
        run.setPositions(positions);
        p.setPen(textColour);
        p.drawGlyphRun(QPointF(0, 0), run);
        if (style & kStyleUnderline)
            p.fillRect(QRect(x, y + m.ascent() + std::max(1, m.underlinePos()), 8 * static_cast<int>(bytes.size()),
                             std::max(1, m.lineWidth())),
                       textColour);
    };
    const char* const codes[8] = {"", "^B", "^I", "^B^I", "^U", "^B^U", "^I^U", "^B^I^U"};
    const int styles[8] = {0,
                           kStyleBold,
                           kStyleItalic,
                           kStyleBold | kStyleItalic,
                           kStyleUnderline,
                           kStyleBold | kStyleUnderline,
                           kStyleItalic | kStyleUnderline,
                           kStyleBold | kStyleItalic | kStyleUnderline};
    std::string all;
    for (int b = 1; b < 256; ++b)
        if (b != '^' && b != '~' && b != '|') all += static_cast<char>(b);
    int row = 1;
    for (int s = 0; s < 8; ++s) {
        for (std::size_t from = 0; from < all.size(); from += 79, ++row) {
            const std::string part = all.substr(from, 79);
            const bool coloured = row % 2 == 0;
            screen->drawText(1, row, std::string("^R~+~-") + codes[s] + (coloured ? "~Q~e" : "") + part);
            expect(1, row, styles[s], coloured ? ink : text(), coloured ? paper : back(), part);
        }
        row = row > 20 ? 1 : row;
    }
    // Cut by the right and bottom edges.
    screen->drawText(76, 5, "^R~+~-^B^IWide text");
    expect(76, 5, kStyleBold | kStyleItalic, text(), back(), "Wide t");
    screen->drawText(3, 29, "^R~+~-^UAbc");
    expect(3, 29, kStyleUnderline, text(), back(), "Abc");
    p.end();
    EXPECT_EQ(screen->image(), expected);
}

TEST(VisibleLength, RemovesTwoCharacterCodes) {
    EXPECT_EQ(VisibleLength("^BHello^N"), 5);
    EXPECT_EQ(VisibleLength("~1Hi"), 2);
    EXPECT_EQ(VisibleLength("plain"), 5);
    EXPECT_EQ(VisibleLength("a~"), 1);
    EXPECT_EQ(VisibleLength("x@Ay"), 2);
    EXPECT_EQ(VisibleLength("~@A"), 1);  // ~@ goes in the first pass, then A stays
}

}  // namespace
}  // namespace quill
