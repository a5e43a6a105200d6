#pragma once
// The layout arithmetic of the learner's presentation windows, as plain functions: the main
// menu's picks in one or two columns with its quit pick and panel size, the centring of the
// menu panel, and the parts of the introduction screen. No widgets here, so the numbers can be
// checked by tables.
#include <QPoint>
#include <QRect>
#include <QSize>
#include <array>

#include "screen/design_surface.h"

namespace quill {

// The main menu panel as designed: 433 x 376 pixels, a title bar at 4, 4 of 425 x 32 and
// twenty chapter picks plus a quit pick, each 195 x 25.
inline constexpr int kMenuPanelWidth = 433;
inline constexpr int kMenuPanelHeight = 376;
inline constexpr int kMenuPickWidth = 195;
inline constexpr int kMenuPickHeight = 25;
inline constexpr int kMenuMaxPicks = 20;
inline constexpr int kMenuTitleBarHeight = 33;   // the menu screen's title bar
inline constexpr int kMenuStatusBarHeight = 21;  // the menu screen's status bar

struct MainMenuLayout {
    int count = 0;       // picks shown: 1..count
    bool singleColumn = false;
    std::array<QPoint, kMenuMaxPicks> picks{};  // top-left of pick n at index n - 1
    QPoint quit;
    QSize panel;
    QRect titleBar;  // the menu title inside the panel
};

// The picks of a menu with `count` chapters (cut to 0..20). One column when singleColumn is
// set and count is 1..10: pick n at 26, 41 + 30 (n - 1), the quit pick below the last, the
// panel 247 x 46 + 30 (count + 1). Otherwise two columns: odd picks at left 16, even at 224,
// top 41 + 30 ((n - 1) div 2); the quit pick in the free right-hand place of the last row
// for an odd count, on a new centred row (left 119) for an even count; the panel keeps its
// width and is as high as the quit pick's top + 35. A menu without chapters shows only the
// quit pick, on the first row.
MainMenuLayout ComputeMainMenuLayout(int count, bool singleColumn);

// The top-left of a panel centred in an area: area width div 2 - panel width div 2, likewise
// for the top.
QPoint CentredPanelOrigin(QSize area, QSize panel);

// The parts of the 640 x 480 introduction screen (design_surface.h).

struct IntroScreenLayout {
    QRect titleBar;   // empty when there is none
    QRect statusBar;  // empty when there is none
    QRect text;       // the text window
};

// Title and status bars are twice their font's point size high (at least 1 pixel when on).
// With textWindowOff the text fills the space between them; otherwise it stands at `window`
// (the stored left, top, width, height), kept at least 20 x 20 and moved inside the screen
// when it lies partly outside, so that a damaged record still shows its text.
IntroScreenLayout ComputeIntroScreenLayout(bool titleBarOn, int titleFontSize, bool statusBarOn,
                                           int statusFontSize, bool textWindowOff, QRect window);

// A stored text window rectangle kept usable on the 640 x 480 surface: at least 20 x 20, at
// most the surface, and moved so that it lies inside it. A rectangle that already fits is
// returned unchanged.
QRect FitTextWindow(QRect window);

}  // namespace quill
