#include "player/screen_scale.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

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
