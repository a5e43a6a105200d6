#include "platform/window_caption.h"

#include <QWidget>

namespace quill {

void SetWindowCaption(QWidget& window, const QString& caption) {
    window.setWindowTitle(caption.isEmpty() ? QStringLiteral(" ") : caption);
}

}  // namespace quill
