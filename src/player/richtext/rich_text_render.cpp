#include "richtext/rich_text_render.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QPalette>
#include <QTextDocument>

#include "richtext/rtf_reader.h"

namespace quill {

void RenderRichText(QTextDocument& doc, QImage& image, const QRect& rect, const QColor& background, int scrollY) {
    const QRect area = rect.intersected(image.rect());
    if (area.isEmpty()) return;
    QPainter painter(&image);
    painter.fillRect(area, background);
    painter.setClipRect(area);
    painter.translate(rect.left(), rect.top() - scrollY);
    doc.setTextWidth(rect.width());
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette.setColor(QPalette::Text, Qt::black);
    context.clip = QRectF(0, scrollY, rect.width(), rect.height());
    doc.documentLayout()->draw(&painter, context);
}

QImage RenderRichTextImage(const std::vector<std::string>& lines, const QSize& size, const QColor& background) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(background);
    auto doc = RichTextDocument(lines);
    RenderRichText(*doc, image, image.rect(), background);
    return image;
}

}  // namespace quill
