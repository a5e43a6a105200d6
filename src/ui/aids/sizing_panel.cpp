#include "aids/sizing_panel.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace quill {

namespace {
constexpr int kEdge = 6;
}

SizingPanel::SizingPanel(QWidget* parent, int dragHeight) : QFrame(parent), dragHeight_(dragHeight) {
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
}

void SizingPanel::Place(const QRect& wanted) {
    QRect r = wanted;
    const QSize min = minimumSize().expandedTo(QSize(20, 20));
    r.setWidth(std::max(r.width(), min.width()));
    r.setHeight(std::max(r.height(), min.height()));
    if (const QWidget* p = parentWidget()) {
        r.setWidth(std::min(r.width(), p->width()));
        r.setHeight(std::min(r.height(), p->height()));
        r.moveLeft(std::clamp(r.left(), 0, p->width() - r.width()));
        r.moveTop(std::clamp(r.top(), 0, p->height() - r.height()));
    }
    if (r == geometry()) return;
    setGeometry(r);
    emit Changed();
}

SizingPanel::Drag SizingPanel::HitTest(QPoint at) const {
    const bool right = at.x() >= width() - kEdge;
    const bool bottom = at.y() >= height() - kEdge;
    if (right && bottom) return Drag::Corner;
    if (right) return Drag::Right;
    if (bottom) return Drag::Bottom;
    if (dragHeight_ <= 0 || at.y() < dragHeight_) return Drag::Move;
    return Drag::None;
}

void SizingPanel::UpdateCursor(QPoint at) {
    switch (HitTest(at)) {
        case Drag::Corner: setCursor(Qt::SizeFDiagCursor); break;
        case Drag::Right: setCursor(Qt::SizeHorCursor); break;
        case Drag::Bottom: setCursor(Qt::SizeVerCursor); break;
        case Drag::Move: setCursor(Qt::SizeAllCursor); break;
        case Drag::None: unsetCursor(); break;
    }
}

void SizingPanel::mousePressEvent(QMouseEvent* event) {
    setFocus();
    if (event->button() != Qt::LeftButton) {
        QFrame::mousePressEvent(event);
        return;
    }
    drag_ = HitTest(event->position().toPoint());
    pressGlobal_ = event->globalPosition().toPoint();
    pressRect_ = geometry();
}

void SizingPanel::mouseMoveEvent(QMouseEvent* event) {
    if (drag_ == Drag::None) {
        UpdateCursor(event->position().toPoint());
        return;
    }
    const QPoint d = event->globalPosition().toPoint() - pressGlobal_;
    QRect r = pressRect_;
    if (drag_ == Drag::Move) r.translate(d);
    if (drag_ == Drag::Right || drag_ == Drag::Corner) r.setWidth(pressRect_.width() + d.x());
    if (drag_ == Drag::Bottom || drag_ == Drag::Corner) r.setHeight(pressRect_.height() + d.y());
    Place(r);
}

void SizingPanel::mouseReleaseEvent(QMouseEvent*) { drag_ = Drag::None; }

void SizingPanel::keyPressEvent(QKeyEvent* event) {
    const int step = event->modifiers() & Qt::ShiftModifier ? 8 : 1;
    QPoint d;
    switch (event->key()) {
        case Qt::Key_Left: d = {-step, 0}; break;
        case Qt::Key_Right: d = {step, 0}; break;
        case Qt::Key_Up: d = {0, -step}; break;
        case Qt::Key_Down: d = {0, step}; break;
        default: QFrame::keyPressEvent(event); return;
    }
    QRect r = geometry();
    if (event->modifiers() & Qt::ControlModifier) r.setSize(r.size() + QSize(d.x(), d.y()));
    else r.translate(d);
    Place(r);
}

void SizingPanel::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter p(this);
    // The grip in the bottom right corner.
    p.setPen(hasFocus() ? palette().color(QPalette::Highlight) : palette().color(QPalette::Dark));
    for (int i = 3; i <= 9; i += 3) p.drawLine(width() - i, height() - 2, width() - 2, height() - i);
}

}  // namespace quill
