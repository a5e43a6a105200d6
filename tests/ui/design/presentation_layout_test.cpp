// The layout arithmetic of the main menu, the introduction screen and the sizing handles.
#include <gtest/gtest.h>

#include <vector>

#include "common/stretch_handle.h"
#include "screen/presentation_layout.h"

using namespace quill;

struct MenuCase {
    int count;
    bool singleColumn;
    std::vector<QPoint> picks;  // picks 1..count
    QPoint quit;
    QSize panel;
};

TEST(MainMenuLayout, PicksQuitPickAndPanelForOneAndTwoColumns) {
    const std::vector<MenuCase> cases = {
        {4, true, {{26, 41}, {26, 71}, {26, 101}, {26, 131}}, {26, 161}, {247, 196}},
        {5, false, {{16, 41}, {224, 41}, {16, 71}, {224, 71}, {16, 101}}, {224, 101}, {433, 136}},
        {6, false, {{16, 41}, {224, 41}, {16, 71}, {224, 71}, {16, 101}, {224, 101}}, {119, 131}, {433, 166}},
        // Five chapters with single column asked for stand in one column.
        {5, true, {{26, 41}, {26, 71}, {26, 101}, {26, 131}, {26, 161}}, {26, 191}, {247, 226}},
        {1, false, {{16, 41}}, {224, 41}, {433, 76}},
        {10, true, {}, {26, 341}, {247, 376}},
        // More than ten never stand in one column.
        {11, true, {}, {224, 191}, {433, 226}},
        // Twenty picks fill the panel as designed.
        {20, false, {}, {119, 341}, {433, 376}},
        // Without chapters only the quit pick, centred on the first row.
        {0, false, {}, {119, 41}, {433, 76}},
        {0, true, {}, {119, 41}, {433, 76}},
    };
    for (const MenuCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.count << " chapters, single column " << c.singleColumn);
        const MainMenuLayout layout = ComputeMainMenuLayout(c.count, c.singleColumn);
        EXPECT_EQ(layout.count, c.count);
        for (std::size_t n = 0; n < c.picks.size(); ++n) EXPECT_EQ(layout.picks[n], c.picks[n]) << "pick " << n + 1;
        EXPECT_EQ(layout.quit, c.quit);
        EXPECT_EQ(layout.panel, c.panel);
        EXPECT_LE(layout.titleBar.right(), layout.panel.width() - 1);
    }
    // Counts out of range (a damaged record) are cut to 0..20.
    EXPECT_EQ(ComputeMainMenuLayout(-3, false).count, 0);
    EXPECT_EQ(ComputeMainMenuLayout(500, false).count, 20);
    EXPECT_EQ(ComputeMainMenuLayout(500, false).quit, QPoint(119, 341));
}

TEST(MainMenuLayout, PanelIsCentredInTheAreaByWholeHalves) {
    EXPECT_EQ(CentredPanelOrigin({640, 426}, {433, 136}), QPoint(320 - 216, 213 - 68));
    EXPECT_EQ(CentredPanelOrigin({640, 480}, {247, 196}), QPoint(320 - 123, 240 - 98));
}

TEST(IntroScreenLayout, BarsAreTwiceTheirPointSizeAndTheTextFillsOrStandsInItsWindow) {
    const QRect window(120, 80, 400, 200);
    IntroScreenLayout l = ComputeIntroScreenLayout(false, 16, false, 8, true, window);
    EXPECT_TRUE(l.titleBar.isEmpty());
    EXPECT_TRUE(l.statusBar.isEmpty());
    EXPECT_EQ(l.text, QRect(0, 0, 640, 480));

    l = ComputeIntroScreenLayout(true, 16, true, 8, true, window);
    EXPECT_EQ(l.titleBar, QRect(0, 0, 640, 32));
    EXPECT_EQ(l.statusBar, QRect(0, 464, 640, 16));
    EXPECT_EQ(l.text, QRect(0, 32, 640, 432));

    l = ComputeIntroScreenLayout(true, 16, true, 8, false, window);
    EXPECT_EQ(l.text, window);

    // A damaged rectangle is made to fit; a rectangle that fits is kept as it is.
    EXPECT_EQ(FitTextWindow(QRect(600, -40, 100, 5)), QRect(540, 0, 100, 20));
    EXPECT_EQ(FitTextWindow(QRect(0, 0, 5000, 5000)), QRect(0, 0, 640, 480));
    EXPECT_EQ(FitTextWindow(QRect(0, 0, 640, 480)), QRect(0, 0, 640, 480));
}

TEST(StretchHandle, DragRectMovesAndResizesFromTheStartRectangle) {
    const QRect start(120, 80, 400, 200);
    struct Case {
        HandleZone zone;
        QPoint delta;
        int grid;
        QRect bounds;
        QRect expected;
    };
    const std::vector<Case> cases = {
        {HandleZone::Move, {10, -5}, 0, {}, {130, 75, 400, 200}},
        {HandleZone::Move, {0, 0}, 0, {}, start},
        {HandleZone::Move, {-500, 0}, 0, {0, 0, 640, 480}, {0, 80, 400, 200}},
        {HandleZone::Move, {500, 500}, 0, {0, 0, 640, 480}, {240, 280, 400, 200}},
        {HandleZone::Right, {30, 99}, 0, {}, {120, 80, 430, 200}},
        {HandleZone::Bottom, {99, -50}, 0, {}, {120, 80, 400, 150}},
        {HandleZone::TopLeft, {-20, -10}, 0, {}, {100, 70, 420, 210}},
        {HandleZone::BottomRight, {5, 6}, 0, {}, {120, 80, 405, 206}},
        // Past the opposite edge the size stops at the minimum.
        {HandleZone::Left, {1000, 0}, 0, {}, {500, 80, 20, 200}},
        {HandleZone::Top, {0, 1000}, 0, {}, {120, 260, 400, 20}},
        {HandleZone::Right, {500, 0}, 0, {0, 0, 640, 480}, {120, 80, 520, 200}},
        // With the grid the moved edges snap to it.
        {HandleZone::Move, {3, 4}, 8, {}, {120, 88, 400, 200}},
        {HandleZone::Right, {3, 0}, 8, {}, {120, 80, 400, 200}},
        {HandleZone::Right, {5, 0}, 8, {}, {120, 80, 408, 200}},
        {HandleZone::None, {50, 50}, 0, {}, start},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "zone " << static_cast<int>(c.zone) << " delta " << c.delta.x() << ","
                                        << c.delta.y());
        EXPECT_EQ(DragRect(start, c.zone, c.delta, c.grid, kHandleMinimum, c.bounds), c.expected);
    }
}

TEST(StretchHandle, ZonesOfTheHandle) {
    const QSize size(404, 204);
    EXPECT_EQ(ZoneAt(size, {1, 1}), HandleZone::TopLeft);
    EXPECT_EQ(ZoneAt(size, {402, 1}), HandleZone::TopRight);
    EXPECT_EQ(ZoneAt(size, {1, 202}), HandleZone::BottomLeft);
    EXPECT_EQ(ZoneAt(size, {403, 203}), HandleZone::BottomRight);
    EXPECT_EQ(ZoneAt(size, {202, 2}), HandleZone::Top);
    EXPECT_EQ(ZoneAt(size, {202, 201}), HandleZone::Bottom);
    EXPECT_EQ(ZoneAt(size, {2, 102}), HandleZone::Left);
    EXPECT_EQ(ZoneAt(size, {401, 102}), HandleZone::Right);
    EXPECT_EQ(ZoneAt(size, {100, 2}), HandleZone::Move);  // on the border between two squares
    EXPECT_EQ(ZoneAt(size, {200, 100}), HandleZone::Move);
    EXPECT_EQ(ZoneAt(size, {-1, 100}), HandleZone::None);
    EXPECT_EQ(ZoneAt(size, {404, 100}), HandleZone::None);
}

TEST(StretchHandle, KeyStepsAndFittingKeepTheRectangleInside) {
    const QRect start(120, 80, 400, 200), bounds(0, 0, 640, 480);
    EXPECT_EQ(StepRect(start, {-8, 0}, false, kHandleMinimum, bounds), QRect(112, 80, 400, 200));
    EXPECT_EQ(StepRect(start, {0, 1}, true, kHandleMinimum, bounds), QRect(120, 80, 400, 201));
    EXPECT_EQ(StepRect(QRect(0, 0, 50, 50), {-1, -1}, false, kHandleMinimum, bounds), QRect(0, 0, 50, 50));
    EXPECT_EQ(StepRect(QRect(600, 0, 40, 50), {8, 0}, true, kHandleMinimum, bounds), QRect(600, 0, 40, 50));
    EXPECT_EQ(StepRect(QRect(0, 0, 20, 20), {-1, 0}, true, kHandleMinimum, bounds), QRect(0, 0, 20, 20));
    // A stored rectangle is made to fit: at least the minimum, at most the area, moved inside.
    EXPECT_EQ(FitRect(QRect(600, -40, 100, 5), {20, 20}, {640, 480}), QRect(540, 0, 100, 20));
    EXPECT_EQ(FitRect(QRect(10, 10, 5000, 300), {20, 20}, {640, 480}), QRect(0, 10, 640, 300));
    EXPECT_EQ(FitRect(start, {20, 20}, {640, 480}), start);
}

TEST(StretchHandle, ZonesOfTheEdgesStyle) {
    const QSize size(300, 200);
    EXPECT_EQ(EdgeZoneAt(size, {299, 199}), HandleZone::BottomRight);
    EXPECT_EQ(EdgeZoneAt(size, {294, 100}), HandleZone::Right);
    EXPECT_EQ(EdgeZoneAt(size, {100, 194}), HandleZone::Bottom);
    EXPECT_EQ(EdgeZoneAt(size, {0, 0}), HandleZone::Move);  // the left and top edges do not size
    EXPECT_EQ(EdgeZoneAt(size, {100, 100}), HandleZone::Move);
    EXPECT_EQ(EdgeZoneAt(size, {100, 19}, 20), HandleZone::Move);  // on the strip
    EXPECT_EQ(EdgeZoneAt(size, {100, 20}, 20), HandleZone::None);  // below it
    EXPECT_EQ(EdgeZoneAt(size, {294, 100}, 20), HandleZone::Right);
    EXPECT_EQ(EdgeZoneAt(size, {300, 100}), HandleZone::None);
}
