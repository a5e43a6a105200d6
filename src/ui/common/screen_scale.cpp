#include "common/screen_scale.h"

#include <QLayout>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <cmath>
#include <vector>

namespace quill {

int ScreenScale::map(int design) const { return static_cast<int>(std::lround(design * factor)); }

QRect ScreenScale::map(const QRect& design) const {
    const int left = map(design.left()), top = map(design.top());
    return QRect(left, top, map(design.left() + design.width()) - left, map(design.top() + design.height()) - top);
}

QSize ScreenScale::map(const QSize& design) const { return QSize(map(design.width()), map(design.height())); }

QFont ScreenScale::map(const QFont& design) const {
    QFont font = design;
    if (design.pixelSize() > 0)
        font.setPixelSize(std::max(1, map(design.pixelSize())));
    else if (design.pointSizeF() > 0)
        font.setPointSizeF(design.pointSizeF() * factor);
    return font;
}

ScreenScale ChooseScale(ScaleMode mode, QSize available, QSize design) {
    switch (mode) {
        case ScaleMode::One: return {1.0, false};
        case ScaleMode::Two: return {2.0, false};
        case ScaleMode::Fit: break;
    }
    if (design.isEmpty() || available.isEmpty()) return {1.0, false};
    const double fit = std::min(static_cast<double>(available.width()) / design.width(),
                                static_cast<double>(available.height()) / design.height());
    const int whole = static_cast<int>(std::floor(fit));
    // Two times and more: whole multiples, crisp; the border they leave is at most a third.
    if (whole >= 2) return {static_cast<double>(whole), false};
    // Up to a quarter more than 1 x is not worth blurring the text cells for.
    if (fit >= 1.0 && fit < 1.25) return {1.0, false};
    return {fit, true};
}

void DrawScreenRaster(QPainter& painter, const QImage& raster, const ScreenScale& scale, const QRect& dirty) {
    if (scale.factor == 1.0) {
        painter.drawImage(dirty.topLeft(), raster, dirty);
        return;
    }
    const QRect target = dirty & QRect(QPoint(0, 0), scale.map(raster.size()));
    if (target.isEmpty()) return;
    painter.setRenderHint(QPainter::SmoothPixmapTransform, scale.smooth);
    const QRectF source(target.x() / scale.factor, target.y() / scale.factor, target.width() / scale.factor,
                        target.height() / scale.factor);
    painter.drawImage(QRectF(target), raster, source);
}

void ScaleScreenWidgets(QWidget* screen, const ScreenScale& scale) {
    if (scale.factor == 1.0) return;
    QList<QWidget*> widgets = screen->findChildren<QWidget*>();
    widgets.prepend(screen);
    for (QWidget* w : widgets) {
        if (w != screen && w->isWindow()) continue;
        if (w == screen || w->testAttribute(Qt::WA_SetFont)) w->setFont(scale.map(w->font()));
        const bool fixed = w->minimumSize() == w->maximumSize();
        const QRect r = scale.map(w->geometry());
        if (fixed) w->setFixedSize(r.size());
        w->setGeometry(r);
    }
}

void ScaleLaidOutWidgets(QWidget* window, const ScreenScale& scale) {
    if (scale.factor == 1.0) return;
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets.prepend(window);
    auto scaled = [&scale](int design) { return design >= QWIDGETSIZE_MAX ? design : scale.map(design); };
    for (QWidget* w : widgets) {
        if (w != window && w->isWindow()) continue;
        if (w == window || w->testAttribute(Qt::WA_SetFont)) w->setFont(scale.map(w->font()));
        const QSize min = w->minimumSize(), max = w->maximumSize();
        w->setMinimumSize(scaled(min.width()), scaled(min.height()));
        w->setMaximumSize(scaled(max.width()), scaled(max.height()));
        if (QLayout* layout = w->layout()) {
            const QMargins m = layout->contentsMargins();
            layout->setContentsMargins(scale.map(m.left()), scale.map(m.top()), scale.map(m.right()),
                                       scale.map(m.bottom()));
            QList<QLayout*> layouts = layout->findChildren<QLayout*>();
            for (QLayout* l : layouts) {
                const QMargins inner = l->contentsMargins();
                l->setContentsMargins(scale.map(inner.left()), scale.map(inner.top()), scale.map(inner.right()),
                                      scale.map(inner.bottom()));
            }
            layouts.append(layout);
            for (QLayout* l : layouts)
                if (l->spacing() > 0) l->setSpacing(scale.map(l->spacing()));
        }
    }
}

void ScaleDocumentFonts(QTextDocument& document, const ScreenScale& scale) {
    if (scale.factor == 1.0) return;
    document.setDefaultFont(scale.map(document.defaultFont()));
    // The sizes are gathered first: merging a format may split or join the fragments walked.
    struct Sized {
        int from, to;
        QTextCharFormat format;
    };
    std::vector<Sized> sizes;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid()) continue;
            const QTextCharFormat format = fragment.charFormat();
            QTextCharFormat sized;
            if (format.hasProperty(QTextFormat::FontPointSize))
                sized.setFontPointSize(format.fontPointSize() * scale.factor);
            else if (format.hasProperty(QTextFormat::FontPixelSize))
                sized.setProperty(QTextFormat::FontPixelSize,
                                  std::max(1, scale.map(format.intProperty(QTextFormat::FontPixelSize))));
            else
                continue;
            sizes.push_back({fragment.position(), fragment.position() + fragment.length(), sized});
        }
    }
    QTextCursor cursor(&document);
    for (const Sized& s : sizes) {
        cursor.setPosition(s.from);
        cursor.setPosition(s.to, QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(s.format);
    }
}

ScreenScale LearnerWindowScale(ScaleMode mode, const QWidget* parent, QSize around) {
    if (mode == ScaleMode::One) return {};
    // Room for the window's frame: its borders and its caption.
    const QSize frame(2, 24);
    return ChooseScaleOn(mode, parent ? parent->size() : kDesignSize, around + frame);
}

ScreenScale ChooseScaleOn(ScaleMode mode, QSize background, QSize around) {
    const ScreenScale inside = ChooseScale(mode, background - around);
    const ScreenScale wide = ChooseScale(mode, QSize(background.width(), background.height() - around.height()));
    return !wide.smooth && wide.factor > inside.factor ? wide : inside;
}

QString ScaleModeName(ScaleMode mode) {
    switch (mode) {
        case ScaleMode::One: return QStringLiteral("1 \u00d7");
        case ScaleMode::Two: return QStringLiteral("2 \u00d7");
        case ScaleMode::Fit: break;
    }
    return QStringLiteral("Fit");
}

void DesignPlacement::apply(const Design& d) const {
    if (!d.widget) return;
    if (d.placed) d.widget->setGeometry(scale_.map(d.rect));
    if (d.hasFont) d.widget->setFont(scale_.map(d.font));
}

void DesignPlacement::setScale(const ScreenScale& scale) {
    scale_ = scale;
    for (auto it = design_.begin(); it != design_.end();) {
        if (!it->widget) {
            it = design_.erase(it);
            continue;
        }
        apply(*it);
        ++it;
    }
}

DesignPlacement::Design& DesignPlacement::entry(QWidget* widget) {
    Design& d = design_[widget];
    // A widget made where a deleted one was starts afresh.
    if (d.widget != widget) d = Design{widget, {}, false, {}, false};
    return d;
}

void DesignPlacement::place(QWidget* widget, const QRect& design) {
    Design& d = entry(widget);
    d.rect = design;
    d.placed = true;
    widget->setGeometry(scale_.map(design));
}

void DesignPlacement::setFont(QWidget* widget, const QFont& design) {
    Design& d = entry(widget);
    d.font = design;
    d.hasFont = true;
    widget->setFont(scale_.map(design));
}

QRect DesignPlacement::designRect(const QWidget* widget) const {
    const auto it = design_.find(widget);
    if (it != design_.end() && it->placed) return it->rect;
    return widget->geometry();
}

}  // namespace quill
