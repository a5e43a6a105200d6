// The display operations the chapter commands call: sections, pop-ups, headings, lines, boxes,
// images and labels.
#include <gtest/gtest.h>

#include "../../format/test_folder.h"
#include "screen/text_screen.h"
#include "screen_test_support.h"

namespace quill {
namespace {

using test::AllColour;
using test::CountColour;

class DisplayOpsTest : public ::testing::Test {
protected:
    DisplayOpsTest() : config(test::DefaultConfig()) {
        screen = std::make_unique<TextScreen>(config, dir.path(), &host);
        screen->clearScreen(0);
    }
    QColor back() const { return screen->colours().back; }
    // Fills every text cell with a letter so moved and cleared areas show.
    void FillScreen() {
        for (int r = 1; r <= 25; ++r) screen->drawText(1, r, std::string(80, static_cast<char>('A' + r % 26)));
    }
    QImage Area(int x, int y, int w, int h) const { return screen->image().copy(x, y, w, h); }

    test::TempFolder dir;
    TTutorialConfig config;
    test::RecordingHost host;
    std::unique_ptr<TextScreen> screen;
};

TEST_F(DisplayOpsTest, ClearRowTakesTheWholeRowWithItsEndColumn) {
    FillScreen();
    const QImage before = screen->image().copy();
    screen->clearRow(1, 3, 80, Qt::red);
    EXPECT_TRUE(AllColour(Area(0, 34, 640, 17), Qt::red));
    EXPECT_EQ(Area(0, 0, 640, 34), before.copy(0, 0, 640, 34));
    EXPECT_EQ(Area(0, 51, 640, 429), before.copy(0, 51, 640, 429));
    // Columns 5..6 only: x 32..47.
    screen->clearRow(5, 5, 6, Qt::blue);
    EXPECT_TRUE(AllColour(Area(32, 68, 16, 17), Qt::blue));
    EXPECT_EQ(CountColour(Area(0, 68, 32, 17), Qt::blue), 0);
    EXPECT_EQ(CountColour(Area(48, 68, 592, 17), Qt::blue), 0);
}

TEST_F(DisplayOpsTest, ClearSectionOfTheWholeGrid) {
    FillScreen();
    screen->clearSection(1, 1, 81, 26, Qt::green);
    EXPECT_TRUE(AllColour(Area(0, 0, 640, 425), Qt::green));
    EXPECT_TRUE(AllColour(Area(0, 425, 640, 55), back()));
    // The end column and row are not included.
    screen->clearSection(2, 2, 4, 3, Qt::red);
    EXPECT_TRUE(AllColour(Area(8, 17, 16, 17), Qt::red));
    EXPECT_EQ(CountColour(screen->image(), Qt::red), 16 * 17);
    // An empty or inverted rectangle fills nothing.
    screen->clearSection(5, 5, 5, 9, Qt::red);
    screen->clearSection(9, 9, 5, 5, Qt::red);
    EXPECT_EQ(CountColour(screen->image(), Qt::red), 16 * 17);
}

TEST_F(DisplayOpsTest, MoveAndCopySection) {
    FillScreen();
    const QImage before = screen->image().copy();
    const QRect source(0, 0, 80, 85);  // columns 1..10, rows 1..5
    screen->moveSection(1, 1, 11, 6, 30, 10, back());
    EXPECT_EQ(Area(232, 153, 80, 85), before.copy(source));
    EXPECT_TRUE(AllColour(Area(0, 0, 80, 85), back()));
    EXPECT_EQ(Area(80, 0, 560, 85), before.copy(80, 0, 560, 85));

    // A copy keeps the source, and reads from the screen as it was (overlapping target).
    FillScreen();
    const QImage again = screen->image().copy();
    screen->copySection(1, 1, 11, 6, 3, 2);
    EXPECT_EQ(Area(0, 0, 16, 85), again.copy(0, 0, 16, 85));
    EXPECT_EQ(Area(16, 17, 80, 85), again.copy(source));
}

TEST_F(DisplayOpsTest, PopupGrowsDrawsWaitsAndPutsTheScreenBack) {
    FillScreen();
    const QImage before = screen->image().copy();
    QImage during;
    host.onDelay = [&] { during = screen->image().copy(); };
    // *PopupBox 10 5 12 6 2 Default: the box grows to column 10 + 13 + 2 = 25, row 5 + 2 + 2 = 9.
    screen->popup(BoxKind::Plain, 10, 5, 12, 6, {"a longer ~Aline", "short"}, back(), 600);
    ASSERT_EQ(host.delays, std::vector<int>{60000});
    EXPECT_EQ(screen->image(), before);
    // Inside the wait: the box from x(10)=72,y(5)=68 to x(25)=192,y(9)=136 with a black edge.
    EXPECT_EQ(during.pixelColor(72, 68), QColor(Qt::black));
    EXPECT_EQ(during.pixelColor(191, 135), QColor(Qt::black));
    EXPECT_EQ(during.copy(192, 60, 8, 80), before.copy(192, 60, 8, 80));
    EXPECT_EQ(during.pixelColor(100, 136), before.pixelColor(100, 136));
    // The lines at column 11, rows 6 and 7.
    screen->drawText(11, 6, "a longer ~Aline");
    screen->drawText(11, 7, "short");
    EXPECT_EQ(during.copy(80, 85, 104, 15), screen->image().copy(80, 85, 104, 15));
    EXPECT_EQ(during.copy(80, 102, 40, 15), screen->image().copy(80, 102, 40, 15));
    EXPECT_TRUE(AllColour(during.copy(120, 102, 64, 15), back()));
    // A box already big enough keeps its size.
    screen->restoreRaster(before);
    screen->popup(BoxKind::Border, 1, 1, 30, 10, {"x"}, Qt::yellow, 5, 1, Qt::red);
    EXPECT_EQ(host.delays.back(), 500);
    EXPECT_EQ(during.pixelColor(231, 100), QColor(Qt::red));
    EXPECT_EQ(during.pixelColor(100, 152), QColor(Qt::red));
    EXPECT_EQ(during.pixelColor(100, 100), QColor(Qt::yellow));
}

// What a screen reader is given: the characters on the screen, kept in step with the raster.
TEST_F(DisplayOpsTest, VisibleTextFollowsWhatTheScreenShows) {
    screen->drawText(3, 2, "Press the |Valve| ^Bnow^R.");
    screen->drawText(1, 5, "Second ~~line   ");
    EXPECT_EQ(screen->visibleText(), QStringLiteral("  Press the Valve now.\nSecond ~line"));

    // A pop-up is read while it shows and leaves the text as it was.
    QString during;
    host.onDelay = [&] { during = screen->visibleText(); };
    screen->popup(BoxKind::Plain, 1, 1, 30, 4, {"Note"}, back(), 5);
    EXPECT_EQ(during, QStringLiteral(" Note\nSecond ~line"));
    EXPECT_EQ(screen->visibleText(), QStringLiteral("  Press the Valve now.\nSecond ~line"));

    // Cleared rows go; moved and copied sections take their text along.
    screen->clearRow(1, 2, 80, back());
    EXPECT_EQ(screen->visibleText(), QStringLiteral("Second ~line"));
    screen->copySection(1, 5, 7, 6, 1, 1);
    EXPECT_EQ(screen->visibleText(), QStringLiteral("Second\nSecond ~line"));
    screen->moveSection(1, 5, 81, 6, 5, 8, back());
    EXPECT_EQ(screen->visibleText(), QStringLiteral("Second\n    Second ~line"));
    screen->drawBox(BoxKind::Plain, 1, 1, 20, 3, Qt::yellow);
    EXPECT_EQ(screen->visibleText(), QStringLiteral("    Second ~line"));
    // Characters beyond the right edge are not on the screen; Windows-1252 reads as itself.
    screen->drawText(75, 10, "caf\xE9 au lait");
    EXPECT_EQ(screen->visibleText(), QStringLiteral("    Second ~line\n") + QString(74, u' ') + QString::fromUtf8("caf\u00e9 a"));
    screen->clearScreen(0);
    EXPECT_EQ(screen->visibleText(), QString());
}

TEST_F(DisplayOpsTest, PopupHypertextGoesWithIt) {
    screen->drawText(1, 1, "|keep|");
    screen->popup(BoxKind::Rounded, 5, 5, 6, 6, {"|gone|"}, back(), 1);
    EXPECT_EQ(screen->hyperLabels().size(), 1u);
    EXPECT_EQ(screen->hypertextCount(), 1);
}

TEST_F(DisplayOpsTest, HeadingPlacesAndMessages) {
    const std::string line = "*Heading MAIN 0 3 40 Title";
    struct Case {
        int column, row, end;
        const char* message;
    } cases[] = {
        {0, 3, 40, "The Column number in *Heading MAIN 0 3 40 Title is less than 1"},
        {80, 3, 40, "The Column number in *Heading MAIN 0 3 40 Title is greater than 79"},
        {5, 0, 40, "The Row number in *Heading MAIN 0 3 40 Title is less than 1"},
        {5, 26, 40, "The Row number in *Heading MAIN 0 3 40 Title is greater than 25"},
        {5, 3, 80, "The Column number in *Heading MAIN 0 3 40 Title is greater than 79"},
        {5, 3, 0, "The Column number in *Heading MAIN 0 3 40 Title is less than 1"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(screen->heading("Heading1", c.column, c.row, c.end, "Title", line), c.message);
    }
    EXPECT_TRUE(screen->panelBoxes().empty());
    EXPECT_EQ(screen->heading("MAIN", 5, 3, 40, "Title", line), "The Heading \"MAIN\" was not found.");

    // The last entry of that name (any letter case) is used.
    config.set(cfg::Headings::Entry(2).Name, "MAIN");
    config.set(cfg::Headings::Entry(7).Name, "Main");
    config.set(cfg::Headings::Entry(7).Mode, 3);
    config.set(cfg::Headings::Entry(7).Font, "12 255 3 Arial");
    config.set(cfg::Headings::Entry(7).BackColor, 0x00FFFF);
    EXPECT_EQ(screen->heading("main", 5, 3, 40, std::string(90, 'T'), line), std::nullopt);
    EXPECT_EQ(screen->row(), 6);
    ASSERT_EQ(screen->panelBoxes().size(), 1u);
    const PanelBox& b = screen->panelBoxes()[0];
    EXPECT_EQ(b.rect, QRect(32, 34, 36 * 8, 34));  // columns 5..40 on row 3
    EXPECT_EQ(b.caption.size(), 78);
    EXPECT_EQ(b.alignment, kAlignRight);
    EXPECT_EQ(b.backColour, QColor(Qt::yellow));
    EXPECT_EQ(b.textColour, QColor(Qt::red));
    EXPECT_TRUE(b.font.bold());
    EXPECT_TRUE(b.font.italic());
    EXPECT_EQ(b.font.pixelSize(), 16);
    // Mode 1 centres, 2 left-justifies; a title shown lowers placed objects by 34.
    config.set(cfg::Headings::Entry(7).Mode, 1);
    screen->showTitle("T", Qt::black, Qt::white);
    screen->heading("main", 1, 1, 79, "x", line);
    EXPECT_EQ(screen->panelBoxes()[1].alignment, kAlignCentre);
    EXPECT_EQ(screen->panelBoxes()[1].rect, QRect(0, 34, 79 * 8, 34));
    config.set(cfg::Headings::Entry(7).Mode, 2);
    screen->heading("main", 1, 1, 79, "x", line);
    EXPECT_EQ(screen->panelBoxes()[2].alignment, kAlignLeft);
}

TEST_F(DisplayOpsTest, LinesAndBoxesOnTheGrid) {
    // A one-pixel vertical line from row 2 to row 4 at column 3: x 16, y 17..50.
    screen->drawLine(true, 3, 2, 4, 1, Qt::red);
    EXPECT_EQ(CountColour(screen->image(), Qt::red), 34);
    EXPECT_TRUE(AllColour(Area(16, 17, 1, 34), Qt::red));
    screen->drawLine(false, 1, 10, 11, 1, Qt::blue);
    EXPECT_TRUE(AllColour(Area(0, 153, 80, 1), Qt::blue));
    EXPECT_EQ(CountColour(screen->image(), Qt::blue), 80);
    // A wide line has the pen's width.
    screen->drawLine(false, 1, 20, 11, 4, Qt::green);
    EXPECT_EQ(CountColour(Area(40, 300, 1, 40), Qt::green), 4);

    // A plain box covers x(c1)..x(c2)-1 with a black one-pixel outline.
    screen->clearScreen(0);
    screen->drawBox(BoxKind::Plain, 2, 2, 5, 4, Qt::yellow);
    EXPECT_TRUE(AllColour(Area(9, 18, 22, 32), Qt::yellow));
    EXPECT_TRUE(AllColour(Area(8, 17, 24, 1), Qt::black));
    EXPECT_TRUE(AllColour(Area(31, 17, 1, 34), Qt::black));
    EXPECT_TRUE(AllColour(Area(32, 17, 1, 34), back()));
    EXPECT_TRUE(AllColour(Area(8, 51, 24, 1), back()));
    // Rounded corners leave the corner pixel alone.
    screen->drawBox(BoxKind::Rounded, 10, 10, 20, 15, Qt::yellow);
    EXPECT_EQ(screen->image().pixelColor(72, 153), back());
    EXPECT_EQ(screen->image().pixelColor(100, 160), QColor(Qt::yellow));
    screen->drawBox(BoxKind::Border, 30, 10, 40, 15, Qt::yellow, 3, Qt::red);
    EXPECT_EQ(screen->image().pixelColor(233, 190), QColor(Qt::red));
    EXPECT_EQ(screen->image().pixelColor(260, 190), QColor(Qt::yellow));
}

TEST_F(DisplayOpsTest, CentreTextAndBlink) {
    // Columns 1..20, "abcd" (4 visible of ~Ab~Bcd... codes) centred at offset 8.
    screen->centreText(1, 2, 20, Qt::red, Qt::yellow, "^Babcd");
    EXPECT_TRUE(AllColour(Area(0, 17, 64, 15), Qt::yellow));
    EXPECT_GT(CountColour(Area(64, 17, 32, 15), Qt::red), 0);
    EXPECT_TRUE(AllColour(Area(96, 17, 64, 15), Qt::yellow));
    EXPECT_TRUE(AllColour(Area(160, 17, 8, 15), back()));
    EXPECT_EQ(screen->penState(), (PenState{0, screen->colours().text, back()}));

    QImage hidden;
    host.onDelay = [&] {
        if (hidden.isNull()) hidden = Area(0, 68, 24, 15);
    };
    screen->blink(1, 5, 2, Qt::red, Qt::blue, "~^B");
    EXPECT_EQ(host.delays, (std::vector<int>{250, 250, 250, 250}));
    EXPECT_TRUE(AllColour(hidden, Qt::blue));
    // Drawn literally: three characters, no codes.
    for (int c = 0; c < 3; ++c) EXPECT_GT(CountColour(Area(8 * c, 68, 8, 15), Qt::red), 0) << c;
}

TEST_F(DisplayOpsTest, ImagesLabelsAndMissingFiles) {
    QImage pic(40, 30, QImage::Format_RGB32);
    pic.fill(Qt::red);
    ASSERT_TRUE(pic.save(QString::fromStdString((dir / "pic.bmp").string()), "BMP"));
    ASSERT_TRUE(pic.save(QString::fromStdString((dir / "photo.jpg").string()), "JPG"));
    dir.write("broken.bmp", "BM not really a bitmap");

    // *ShowImage 5 2 25 pic.bmp: 20 cells wide, proportions kept.
    EXPECT_TRUE(screen->showImage(5, 2, 25, "PIC.BMP"));
    ASSERT_EQ(screen->pictures().size(), 1u);
    EXPECT_EQ(screen->pictures()[0].rect, QRect(32, 17, 160, 120));
    EXPECT_TRUE(screen->showImage(5, 2, 0, "photo.jpg"));
    EXPECT_EQ(screen->pictures()[1].rect, QRect(32, 17, 40, 30));
    EXPECT_TRUE(host.errors.empty());

    // Missing and unreadable pictures are reported and drawing goes on.
    EXPECT_FALSE(screen->showImage(5, 2, 25, "none.bmp"));
    EXPECT_FALSE(screen->showScreenImage("none.jpg"));
    EXPECT_FALSE(screen->showImage(1, 1, 0, "broken.bmp"));
    ASSERT_EQ(host.errors.size(), 3u);
    EXPECT_EQ(host.errors[0], "The Image file none.bmp was not found");
    EXPECT_EQ(host.errors[1], "The Image file none.jpg was not found");
    EXPECT_TRUE(host.errors[2].startsWith("The picture file broken.bmp cannot be drawn: "));
    EXPECT_EQ(screen->pictures().size(), 2u);
    screen->drawText(1, 1, "still drawing");
    EXPECT_GT(CountColour(Area(0, 0, 8, 15), screen->colours().text), 0);

    EXPECT_TRUE(screen->showScreenImage("pic.bmp"));
    EXPECT_TRUE(screen->screenImage().visible);

    screen->showTitle("T", Qt::black, Qt::white);
    screen->imageLabel(3, 4, 13, Qt::red, Qt::yellow, "Caption");
    ASSERT_EQ(screen->textLabels().size(), 1u);
    EXPECT_EQ(screen->textLabels()[0].rect, QRect(16, 51 + 34, 80, 15));
    EXPECT_EQ(screen->textLabels()[0].text, "Caption");
    screen->imageHypertext(3, 4, Qt::red, Qt::yellow, "|Link word|");
    ASSERT_EQ(screen->hyperLabels().size(), 1u);
    EXPECT_EQ(screen->hyperLabels()[0].text, "Link word");
    EXPECT_EQ(screen->hyperLabels()[0].rect, QRect(16, 85, 72, 15));
    EXPECT_EQ(screen->hypertextCount(), 0);
}

TEST_F(DisplayOpsTest, AnswerControlPlaces) {
    screen->setColumn(3);
    screen->setRow(4);
    screen->showInputBox(-1);
    EXPECT_EQ(screen->answers().input.rect, QRect(16, 51, 240, 21));
    screen->showChoice("Yes", "No", 10);
    EXPECT_EQ(screen->answers().choice.rect.width(), 176);
    screen->showChoice("Yes", "No", 30);
    EXPECT_EQ(screen->answers().choice.rect.width(), 240);
    EXPECT_EQ(screen->answers().choice.leftButton.size(), QSize(74, 24));
    screen->disableChoice();
    EXPECT_TRUE(screen->answers().choice.visible);
    EXPECT_FALSE(screen->answers().choice.enabled);

    screen->showTitle("T", Qt::black, Qt::white);
    screen->showInputBox(10);
    EXPECT_EQ(screen->answers().input.rect, QRect(16, 83, 80, 21));  // 32 lower with a title
    screen->showListMenu(2, 3, 11, 8, {"one", "two"});
    EXPECT_EQ(screen->answers().list.rect, QRect(8, 34 + 34, 80, 6 * 17));
    screen->showQuizAnswers(10, {"Paris", "Rome", "Oslo"});
    ASSERT_EQ(screen->answers().quiz.size(), 3u);
    EXPECT_EQ(screen->answers().quiz[2].rect, QRect(16, 153 + 34 + 48, 72, 20));
    EXPECT_EQ(screen->answers().quiz[2].letter, "C");
    screen->showQuizAnswers(10, {"only one"});
    EXPECT_TRUE(screen->answers().quiz.empty());
    screen->addMenuButtons({{8, 17, 80, "First"}, {8, 60, 80, "Second"}});
    EXPECT_EQ(screen->menuButtons()[1].number, 2);
    EXPECT_EQ(screen->menuButtons()[1].rect, QRect(8, 94, 80, 34));
}

}  // namespace
}  // namespace quill
