// The display commands as the interpreter dispatches them: pop-ups, headings, images, boxes
// and sections.
#include <gtest/gtest.h>

#include "../screen/screen_test_support.h"
#include "engine_test_support.h"
#include "../../qstring_printer.h"

using namespace quill;
using namespace quill::test;

namespace {

TEST(Engine, PopupGrowsToItsTextAndPutsTheScreenBack) {
    Tutorial t;
    t.chapter("T1", {"Under the box", "*PopupBox 10 5 12 6 2 Red", "short", "a longer line of text", "after"});
    Session run(t);
    QImage during;
    QImage before;
    run.host.onDelay = [&](int) { during = run.screen.image().copy(); };
    run.play("T1");
    ASSERT_EQ(run.host.delays, std::vector<int>{60000});
    ASSERT_FALSE(during.isNull());
    // The box grew to column 10 + 21 + 2 = 33 and row 5 + 2 + 2 = 9: its fill shows at
    // column 31, row 8, inside the grown part.
    const QColor red(Qt::red);
    EXPECT_EQ(QColor(during.pixel(TextScreen::ColumnToX(31) + 4, TextScreen::RowToY(8) + 8)), red);
    EXPECT_NE(QColor(during.pixel(TextScreen::ColumnToX(35) + 4, TextScreen::RowToY(8) + 8)), red);
    // Afterwards the pop-up is gone: the screen is what the lines around it drew.
    TextScreen reference(t.project.Config, t.project.ProjectDir);
    reference.clearScreen(0);
    reference.drawText(1, 1, "Under the box");
    reference.drawText(1, 2, "after");
    EXPECT_EQ(run.screen.image(), reference.image());
    EXPECT_TRUE(run.ran("after"));
}

TEST(Engine, PopupDisplayTimeAndBorders) {
    Tutorial t;
    t.chapter("T1", {"*BorderPopup 3 Blue 2 2 20 6 1 Yellow 25", "text"});
    Session run(t);
    QImage shown;
    run.host.onDelay = [&](int) { shown = run.screen.image(); };
    run.play("T1");
    EXPECT_EQ(run.host.delays, std::vector<int>{2500});
    EXPECT_TRUE(run.host.errors().isEmpty());
    // While it is up: a yellow box from column 2, row 2 to column 20, row 6 inside a blue border
    // three pixels wide; the line "text" inside it. Then the screen is as it was.
    ASSERT_FALSE(shown.isNull());
    const QColor blue(Qt::blue), yellow(Qt::yellow);
    const int left = TextScreen::ColumnToX(2), top = TextScreen::RowToY(2);
    const int right = TextScreen::ColumnToX(20) - 1, bottom = TextScreen::RowToY(6) - 1;
    const int midY = TextScreen::RowToY(5) + 8, midX = (left + right) / 2;
    for (const QPoint border : {QPoint(left + 1, midY), QPoint(right - 1, midY), QPoint(midX, top + 1),
                                QPoint(midX, bottom - 1)})
        EXPECT_EQ(shown.pixelColor(border), blue) << border.x() << "," << border.y();
    EXPECT_EQ(shown.pixelColor(left + 4, midY), yellow);
    EXPECT_EQ(shown.pixelColor(midX, bottom - 4), yellow);
    EXPECT_GT(test::CountColour(test::Cell(shown, 3, 3), run.screen.colours().text), 0);  // "text"
    EXPECT_TRUE(test::AllColour(run.screen.image().copy(left, top, right - left, bottom - top), run.screen.colours().back));
}

struct HeadingCase {
    const char* line;
    const char* error;  // "" when it is drawn
};

TEST(Engine, HeadingPlacesItsPanelAndMovesTheRowOrReportsTheRange) {
    const HeadingCase cases[] = {
        {"*Heading Heading1 5 3 40 Title", ""},
        {"*Heading heading1 0 3 40 Title", "The Column number in *Heading heading1 0 3 40 Title is less than 1"},
        {"*Heading Heading1 5 26 40 Title", "The Row number in *Heading Heading1 5 26 40 Title is greater than 25"},
        {"*Heading Heading1 5 0 40 Title", "The Row number in *Heading Heading1 5 0 40 Title is less than 1"},
        {"*Heading Heading1 5 3 80 Title", "The Column number in *Heading Heading1 5 3 80 Title is greater than 79"},
        {"*Heading Nope 5 3 40 Title", "The Heading \"Nope\" was not found."},
    };
    for (const auto& c : cases) {
        Tutorial t;
        t.chapter("T1", {c.line, "next"});
        Session run(t);
        run.play("T1");
        if (*c.error) {
            EXPECT_EQ(run.host.errors(), QStringList{QString::fromUtf8(c.error)}) << c.line;
            EXPECT_FALSE(run.ran("next"));
            continue;
        }
        EXPECT_TRUE(run.host.errors().isEmpty()) << c.line;
        ASSERT_EQ(run.screen.panelBoxes().size(), 1u);
        EXPECT_EQ(run.screen.panelBoxes()[0].caption, "Title");
        EXPECT_EQ(run.screen.panelBoxes()[0].rect.left(), 4 * 8);
        // The heading moves the row to its own row + 3 (6): "next" is drawn there, and the row
        // after it is 7.
        EXPECT_EQ(run.screen.row(), 7);
        EXPECT_FALSE(test::AllColour(test::Cell(run.screen.image(), 1, 6), run.screen.colours().back));
    }
}

TEST(Engine, AMissingImageIsReportedAndTheChapterGoesOn) {
    Tutorial t;
    t.chapter("T1", {"*ShowImage 5 2 25 nope.bmp", "*ScreenImage gone.jpg", "after"});
    Session run(t);
    run.play("T1");
    EXPECT_EQ(run.host.errors(), (QStringList{"The Image file nope.bmp was not found",
                                              "The Image file gone.jpg was not found"}));
    EXPECT_TRUE(run.ran("after"));
    EXPECT_EQ(run.result.end, PlayEnd::Finished);
}

TEST(Engine, ShowImageScalesToTheColumnsAndLabelsGoOverIt) {
    Tutorial t;
    QImage pic(40, 20, QImage::Format_RGB32);
    pic.fill(Qt::green);
    ASSERT_TRUE(pic.save(QString::fromStdString(t.path("pic.bmp").string()), "BMP"));
    t.chapter("T1", {"*ShowImage 5 2 25 PIC.BMP", "*ImageLabel 5 10 15 Red Default Caption",
                     "*ImageHypertext 5 12 Red Default |Link|"});
    Session run(t);
    run.play("T1");
    ASSERT_EQ(run.host.errors(), QStringList());
    ASSERT_EQ(run.screen.pictures().size(), 1u);
    EXPECT_EQ(run.screen.pictures()[0].rect, QRect(32, 17, 160, 80));
    ASSERT_EQ(run.screen.textLabels().size(), 1u);
    EXPECT_EQ(run.screen.textLabels()[0].text, "Caption");
    ASSERT_EQ(run.screen.hyperLabels().size(), 1u);
    EXPECT_EQ(run.screen.hyperLabels()[0].text, "Link");
}

TEST(Engine, BoxesLinesAndSectionsDraw) {
    Tutorial t;
    t.chapter("T1", {"*PlainBox 1 1 11 6 Red", "*MoveSection 1 1 11 6 30 10", "*HLine 1 20 10 3 Blue"});
    Session run(t);
    run.play("T1");
    ASSERT_EQ(run.host.errors(), QStringList());
    const QImage& img = run.screen.image();
    const QColor back = run.screen.colours().back;
    EXPECT_EQ(QColor(img.pixel(20, 20)), back);                        // moved away
    EXPECT_EQ(QColor(img.pixel(TextScreen::ColumnToX(31), TextScreen::RowToY(11))), QColor(Qt::red));
    EXPECT_EQ(QColor(img.pixel(20, TextScreen::RowToY(20))), QColor(Qt::blue));
}

TEST(Engine, ClearScreenAndOperandErrorsDrawNothing) {
    Tutorial t;
    t.chapter("T1", {"Some text", "*ClearScreen Red", "*PlainBox 1 x 10 5 Blue"});
    Session run(t);
    run.play("T1");
    EXPECT_EQ(run.host.errors(), QStringList{"*PlainBox 1 x 10 5 Blue has an invalid number"});
    EXPECT_TRUE(run.screen.image().pixelColor(100, 100) == QColor(Qt::red));
    EXPECT_EQ(run.screen.image().pixelColor(0, 0), QColor(Qt::red));
}

TEST(Engine, DelayAndPauseWaitThroughTheHost) {
    Tutorial t;
    t.chapter("T1", {"*Delay 20", "*Pause", "after"});
    Session run(t, "click");
    run.play("T1");
    EXPECT_EQ(run.host.delays, std::vector<int>{2000});
    EXPECT_EQ(run.host.elapsedMs(), 2000);
    EXPECT_TRUE(run.ran("after"));
}

}  // namespace
