// The panel that stands for a text window: the mouse moves it by its strip and sizes it by its
// right and bottom edges, a drag out and back leaves it where it was, and it stays inside.
#include <gtest/gtest.h>

#include <QTest>

#include "aids/sizing_panel.h"
#include "common/stretch_handle.h"

using namespace quill;

TEST(SizingPanel, TheMouseMovesItByTheStripAndSizesItByItsEdges) {
    QWidget surface;
    surface.setFixedSize(640, 480);
    auto* panel = new SizingPanel(&surface, 20);
    panel->Place(QRect(100, 60, 300, 166));
    surface.show();
    auto* handle = surface.findChild<StretchHandle*>();
    ASSERT_TRUE(handle);
    EXPECT_EQ(handle->geometry(), panel->geometry());
    EXPECT_EQ(surface.childAt(panel->geometry().center()), handle);  // the mouse reaches the handle
    const QRect start = panel->geometry();

    // On the strip: many small moves out and back leave the panel where it was.
    const QPoint strip = handle->mapTo(&surface, QPoint(50, 10));
    auto onHandle = [&](QPoint at) { return handle->mapFrom(&surface, at); };
    QTest::mousePress(handle, Qt::LeftButton, {}, onHandle(strip));
    EXPECT_EQ(surface.focusWidget(), panel);  // the press gives it the keys
    for (int i = 1; i <= 30; ++i) QTest::mouseMove(handle, onHandle(strip + QPoint(i * 3, i)));
    EXPECT_EQ(panel->geometry(), start.translated(90, 30));
    EXPECT_EQ(handle->geometry(), panel->geometry());
    for (int i = 29; i >= 0; --i) QTest::mouseMove(handle, onHandle(strip + QPoint(i * 3, i)));
    QTest::mouseRelease(handle, Qt::LeftButton, {}, onHandle(strip));
    EXPECT_EQ(panel->geometry(), start);

    // Below the strip the mouse does nothing; the corner sizes it, and no further than the surface.
    QTest::mousePress(handle, Qt::LeftButton, {}, QPoint(50, 80));
    QTest::mouseMove(handle, QPoint(90, 120));
    QTest::mouseRelease(handle, Qt::LeftButton, {}, QPoint(90, 120));
    EXPECT_EQ(panel->geometry(), start);
    const QPoint corner(handle->width() - 2, handle->height() - 2);
    QTest::mousePress(handle, Qt::LeftButton, {}, corner);
    QTest::mouseMove(handle, corner + QPoint(500, -100));
    QTest::mouseRelease(handle, Qt::LeftButton, {}, corner + QPoint(500, -100));
    EXPECT_EQ(panel->geometry(), QRect(100, 60, 540, 66));

    // The keys follow the rule of every adjuster, with the handle: arrows move (Ctrl: by 8),
    // Shift with the arrows sizes.
    QTest::keyClick(panel, Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(panel->geometry(), QRect(92, 60, 540, 66));
    QTest::keyClick(panel, Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClick(panel, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(panel->geometry(), QRect(92, 60, 539, 67));
    QTest::keyClick(panel, Qt::Key_Up);
    EXPECT_EQ(panel->geometry(), QRect(92, 59, 539, 67));
    EXPECT_EQ(handle->geometry(), panel->geometry());
}
