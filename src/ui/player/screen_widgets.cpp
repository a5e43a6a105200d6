#include "player/screen_widgets.h"

namespace quill {

QFont Courier(int pixels, bool bold, bool underline) {
    QFont f(QStringLiteral("Courier New"));
    f.setPixelSize(pixels);
    f.setStyleHint(QFont::TypeWriter);
    f.setBold(bold);
    f.setUnderline(underline);
    return f;
}

void SetColours(QWidget* w, const QColor& back, const QColor& text) {
    QPalette pal = w->palette();
    if (back.isValid()) pal.setColor(QPalette::Window, back);
    if (text.isValid()) pal.setColor(QPalette::WindowText, text);
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}

}  // namespace quill
