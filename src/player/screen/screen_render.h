#pragma once
// Drawing the whole player window as the learner sees it: the title panel, the text screen,
// and every screen object, answer control and the control bar over it. The headless host
// saves this as its snapshots.
#include <QImage>

namespace quill {

class TextScreen;

// A 640 x 480 picture of the window.
QImage RenderScreen(const TextScreen& screen);

}  // namespace quill
