#include "richtext/rich_text_render.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QPalette>
#include <QTextDocument>

#include "richtext/rtf_reader.h"

namespace quill {

void RenderRichText(QTextDocument& doc, QImage& image, const QRect& rect, const QColor& background, int scrollY) {
    if (rect.intersected(image.rect()).isEmpty()) return;
    QPainter painter(&image);
    DrawRichText(painter, doc, rect, background, scrollY);
}

void DrawRichText(QPainter& painter, QTextDocument& doc, const QRect& rect, const QColor& background, int scrollY) {
    const QPaintDevice* device = painter.device();
    const QRect area = device ? rect.intersected(QRect(0, 0, device->width(), device->height())) : rect;
    if (area.isEmpty()) return;
    painter.save();
    painter.fillRect(area, background);
    painter.setClipRect(area, Qt::IntersectClip);
    painter.translate(rect.left(), rect.top() - scrollY);
    doc.setTextWidth(rect.width());
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette.setColor(QPalette::Text, Qt::black);
    context.clip = QRectF(0, scrollY, rect.width(), rect.height());
    doc.documentLayout()->draw(&painter, context);
    painter.restore();
}

QImage RenderRichTextImage(const std::vector<std::string>& lines, const QSize& size, const QColor& background) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(background);
    auto doc = RichTextDocument(lines);
    RenderRichText(*doc, image, image.rect(), background);
    return image;
}

}  // namespace quill
