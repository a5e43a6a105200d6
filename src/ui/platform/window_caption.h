#pragma once
// Window captions that may be empty.
#include <QString>

class QWidget;

namespace quill {

// Sets the window's caption. The window system shows the program's name in place of an empty
// caption, so an empty one is set as a single blank: the title bar then shows nothing.
void SetWindowCaption(QWidget& window, const QString& caption);

}  // namespace quill
