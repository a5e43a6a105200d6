#pragma once
// The value types the engine speaks to its hosts: text, lists of text, a character typed, a
// colour, a rectangle, a font description and a picture. On the desktop they are Qt's own types,
// so the windows take the engine's screen objects as they are; the engine built for the web
// browser has no Qt and uses the small types of portable/web_types.h, which offer the same
// members the engine uses. Code that runs in both builds uses only those members and the helpers
// below.
#include <cstdint>
#include <string>
#include <string_view>

#ifdef QUILL_NO_QT
#include "portable/web_types.h"
#else
#include <QChar>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>
#include <QStringList>

namespace quill {

using Text = QString;
using TextList = QStringList;
using TextChar = QChar;
using Colour = QColor;
using Rect = QRect;
using Font = QFont;
using Image = QImage;

// A literal of the engine's own (ASCII or UTF-8) as text.
inline Text Lit(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}
inline std::string Utf8Of(const Text& text) { return text.toStdString(); }
// Characters in the text (the cells it takes on the screen).
inline int TextLength(const Text& text) { return static_cast<int>(text.size()); }
// The character upper-cased, as a code point (0 for none).
inline char32_t UpperCode(TextChar c) { return c.toUpper().unicode(); }
inline TextChar FirstChar(const Text& text) { return text.isEmpty() ? QChar() : text.at(0); }
inline Text JoinLines(const TextList& lines) { return lines.join(u'\n'); }
// A picture of the screen's size in the screen's pixel format (0xFFRRGGBB a pixel).
inline Image NewRaster(int width, int height) { return QImage(width, height, QImage::Format_RGB32); }

}  // namespace quill
#endif
