#pragma once
// The learner's screen is 640 x 480 pixels: the text screen's 80 x 25 cells (with the control
// bar below), the introduction, the menu and the about box, and every designer that shows them
// lay out on this surface. Windows that show it larger scale it (ui/player/screen_scale.h).
#ifndef QUILL_NO_QT
#include <QSize>
#endif

namespace quill {

inline constexpr int kDesignWidth = 640;
inline constexpr int kDesignHeight = 480;
#ifndef QUILL_NO_QT
inline constexpr QSize kDesignSize{kDesignWidth, kDesignHeight};
#endif

}  // namespace quill
