#pragma once
// Drawing the whole player window as the learner sees it: the title panel, the text screen,
// and every screen object, answer control and the control bar over it. The headless host
// saves this as its snapshots.
#include <QImage>
#include <QString>
#include <string>
#include <vector>

namespace quill {

class TextScreen;

// A 640 x 480 picture of the window.
QImage RenderScreen(const TextScreen& screen);

// The text of rich-text lines without their control words and groups, for a plain preview.
QString PlainTextOfRtf(const std::vector<std::string>& lines);

}  // namespace quill
