#pragma once
// Drawing rich text into an image: the player's text windows and the snapshots of a headless
// run use this, so both show the text the same way.
#include <QColor>
#include <QImage>
#include <QRect>

class QPainter;

#include <string>
#include <vector>

class QTextDocument;

namespace quill {

// Fills `rect` of `image` with `background` and draws `doc` into it, wrapped to the
// rectangle's width and clipped to it; `scrollY` pixels of the document are scrolled away
// above the rectangle. Text without a colour of its own is drawn black (the rich-edit
// control's window text). Sets the document's text width to the rectangle's width.
void RenderRichText(QTextDocument& doc, QImage& image, const QRect& rect, const QColor& background,
                    int scrollY = 0);
// The same with a painter the caller has open (its state is saved and restored).
void DrawRichText(QPainter& painter, QTextDocument& doc, const QRect& rect, const QColor& background,
                  int scrollY = 0);

// The rich-text lines of a data-file entry drawn on an image of `size`.
QImage RenderRichTextImage(const std::vector<std::string>& lines, const QSize& size, const QColor& background);

}  // namespace quill
