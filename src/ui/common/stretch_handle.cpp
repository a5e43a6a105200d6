#include "common/stretch_handle.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "text/errors.h"

namespace quill {

namespace {

int Snap(int v, int grid) {
    if (grid <= 1) return v;
    // Round to the nearest multiple, also for negative values.
    const int down = (v >= 0 ? v / grid : (v - grid + 1) / grid) * grid;
    return v - down >= (grid + 1) / 2 ? down + grid : down;
}

}  // namespace

QRect DragRect(QRect start, HandleZone zone, QPoint delta, int grid, QSize minimum, QRect bounds) {
    int left = start.left(), top = start.top();
    int right = start.left() + start.width(), bottom = start.top() + start.height();  // exclusive
    const int minW = std::max(1, minimum.width()), minH = std::max(1, minimum.height());
    const bool moveLeft = zone == HandleZone::Left || zone == HandleZone::TopLeft || zone == HandleZone::BottomLeft;
    const bool moveRight = zone == HandleZone::Right || zone == HandleZone::TopRight || zone == HandleZone::BottomRight;
    const bool moveTop = zone == HandleZone::Top || zone == HandleZone::TopLeft || zone == HandleZone::TopRight;
    const bool moveBottom = zone == HandleZone::Bottom || zone == HandleZone::BottomLeft || zone == HandleZone::BottomRight;
    if (zone == HandleZone::None) return start;
    if (zone == HandleZone::Move) {
        const int w = start.width(), h = start.height();
        left = Snap(left + delta.x(), grid);
        top = Snap(top + delta.y(), grid);
        if (!bounds.isEmpty()) {
            left = std::clamp(left, bounds.left(), std::max(bounds.left(), bounds.left() + bounds.width() - w));
            top = std::clamp(top, bounds.top(), std::max(bounds.top(), bounds.top() + bounds.height() - h));
        }
        return QRect(left, top, w, h);
    }
    if (moveLeft) left = std::min(Snap(left + delta.x(), grid), right - minW);
    if (moveRight) right = std::max(Snap(right + delta.x(), grid), left + minW);
    if (moveTop) top = std::min(Snap(top + delta.y(), grid), bottom - minH);
    if (moveBottom) bottom = std::max(Snap(bottom + delta.y(), grid), top + minH);
    if (!bounds.isEmpty()) {
        const int bRight = bounds.left() + bounds.width(), bBottom = bounds.top() + bounds.height();
        if (moveLeft) left = std::max(left, bounds.left());
        if (moveTop) top = std::max(top, bounds.top());
        if (moveRight) right = std::min(right, bRight);
        if (moveBottom) bottom = std::min(bottom, bBottom);
    }
    return QRect(left, top, right - left, bottom - top);
}

std::optional<AdjusterKey> AdjusterKeyStep(const QKeyEvent& event) {
    const int n = event.modifiers() & Qt::ControlModifier ? 8 : 1;
    AdjusterKey key;
    switch (event.key()) {
        case Qt::Key_Left: key.step = {-n, 0}; break;
        case Qt::Key_Right: key.step = {n, 0}; break;
        case Qt::Key_Up: key.step = {0, -n}; break;
        case Qt::Key_Down: key.step = {0, n}; break;
        default: return std::nullopt;
    }
    key.resize = event.modifiers() & Qt::ShiftModifier;
    return key;
}

QRect StepRect(QRect start, QPoint step, bool resize, QSize minimum, QRect bounds) {
    return DragRect(start, resize ? HandleZone::BottomRight : HandleZone::Move, step, 0, minimum, bounds);
}

QRect FitRect(QRect wanted, QSize minimum, QSize area) {
    QRect r = wanted;
    r.setWidth(std::min(std::max(r.width(), minimum.width()), area.width()));
    r.setHeight(std::min(std::max(r.height(), minimum.height()), area.height()));
    r.moveLeft(std::clamp(r.left(), 0, area.width() - r.width()));
    r.moveTop(std::clamp(r.top(), 0, area.height() - r.height()));
    return r;
}

HandleZone ZoneAt(QSize size, QPoint at) {
    if (at.x() < 0 || at.y() < 0 || at.x() >= size.width() || at.y() >= size.height()) return HandleZone::None;
    const int s = kHandleSquare;
    const bool left = at.x() < s, right = at.x() >= size.width() - s;
    const bool top = at.y() < s, bottom = at.y() >= size.height() - s;
    const int midX = size.width() / 2, midY = size.height() / 2;
    const bool centreX = std::abs(at.x() - midX) <= s / 2, centreY = std::abs(at.y() - midY) <= s / 2;
    if (top && left) return HandleZone::TopLeft;
    if (top && right) return HandleZone::TopRight;
    if (bottom && left) return HandleZone::BottomLeft;
    if (bottom && right) return HandleZone::BottomRight;
    if (left && centreY) return HandleZone::Left;
    if (right && centreY) return HandleZone::Right;
    if (top && centreX) return HandleZone::Top;
    if (bottom && centreX) return HandleZone::Bottom;
    return HandleZone::Move;
}

HandleZone EdgeZoneAt(QSize size, QPoint at, int moveStrip) {
    if (at.x() < 0 || at.y() < 0 || at.x() >= size.width() || at.y() >= size.height()) return HandleZone::None;
    const bool right = at.x() >= size.width() - kHandleEdge;
    const bool bottom = at.y() >= size.height() - kHandleEdge;
    if (right && bottom) return HandleZone::BottomRight;
    if (right) return HandleZone::Right;
    if (bottom) return HandleZone::Bottom;
    if (moveStrip <= 0 || at.y() < moveStrip) return HandleZone::Move;
    return HandleZone::None;
}

StretchHandle::StretchHandle(QWidget* parent) : QWidget(parent) {
    setObjectName("StretchHandle");
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
    resize(24, 24);
    hide();
}

void StretchHandle::SetStyle(HandleStyle style, int moveStrip) {
    style_ = style;
    moveStrip_ = moveStrip;
    Cover();
    update();
}

void StretchHandle::Attach(QWidget* control) {
    if (!control) return;
    if (control->isWindow()) throw UserError("Handles can not be attached to a Form!");
    if (Control() && Control()->parentWidget() != control->parentWidget()) Detach();
    if (parentWidget() != control->parentWidget()) setParent(control->parentWidget());
    if (std::find(attached_.begin(), attached_.end(), control) == attached_.end()) {
        attached_.emplace_back(control);
        control->installEventFilter(this);
    }
    Cover();
    show();
    raise();
}

void StretchHandle::Detach() {
    zone_ = HandleZone::None;
    for (const auto& c : attached_)
        if (c) c->removeEventFilter(this);
    attached_.clear();
    hide();
    resize(24, 24);
}

void StretchHandle::Cover() {
    const int m = style_ == HandleStyle::Squares ? kHandleMargin : 0;
    if (QWidget* c = Control()) setGeometry(c->geometry().adjusted(-m, -m, m, m));
}

bool StretchHandle::eventFilter(QObject* watched, QEvent* event) {
    // The handle follows its control wherever it is placed from.
    if (watched == Control() && (event->type() == QEvent::Move || event->type() == QEvent::Resize)) Cover();
    return QWidget::eventFilter(watched, event);
}

HandleZone StretchHandle::Zone(QPoint at) const {
    return style_ == HandleStyle::Squares ? ZoneAt(size(), at) : EdgeZoneAt(size(), at, moveStrip_);
}

QSize StretchHandle::Minimum() const {
    return Control() ? kHandleMinimum.expandedTo(Control()->minimumSize()) : kHandleMinimum;
}

void StretchHandle::Place(QRect r) {
    // Other attached controls of the same parent move along with the first.
    const QPoint shift = r.topLeft() - Control()->pos();
    for (const auto& c : attached_)
        if (c) c->setGeometry(c == Control() ? r : c->geometry().translated(shift));
    Cover();
    emit Moved(r);
}

void StretchHandle::BeginDrag(QPoint parentPos, HandleZone zone) {
    if (!Control() || zone == HandleZone::None) return;
    zone_ = zone;
    pressAt_ = parentPos;
    startRect_ = Control()->geometry();
}

void StretchHandle::DragTo(QPoint parentPos) {
    if (!Dragging() || !Control()) return;
    Place(DragRect(startRect_, zone_, parentPos - pressAt_, snap_ ? grid_ : 0, Minimum(), bounds_));
}

void StretchHandle::EndDrag(QPoint parentPos) {
    if (!Dragging()) return;
    DragTo(parentPos);
    zone_ = HandleZone::None;
}

void StretchHandle::Step(QPoint step, bool resize) {
    if (Control()) Place(StepRect(Control()->geometry(), step, resize, Minimum(), bounds_));
}

QPoint StretchHandle::ParentPos(const QMouseEvent* event) const {
    return mapToParent(event->position().toPoint());
}

void StretchHandle::mousePressEvent(QMouseEvent* event) {
    if (Control() && Control()->focusPolicy() & Qt::ClickFocus) Control()->setFocus(Qt::MouseFocusReason);
    if (event->button() != Qt::LeftButton || !Control()) {
        QWidget::mousePressEvent(event);
        return;
    }
    BeginDrag(ParentPos(event), Zone(event->position().toPoint()));
}

void StretchHandle::mouseMoveEvent(QMouseEvent* event) {
    if (Dragging()) {
        DragTo(ParentPos(event));
        return;
    }
    switch (Zone(event->position().toPoint())) {
        case HandleZone::Move: setCursor(Qt::SizeAllCursor); break;
        case HandleZone::Left:
        case HandleZone::Right: setCursor(Qt::SizeHorCursor); break;
        case HandleZone::Top:
        case HandleZone::Bottom: setCursor(Qt::SizeVerCursor); break;
        case HandleZone::TopLeft:
        case HandleZone::BottomRight: setCursor(Qt::SizeFDiagCursor); break;
        case HandleZone::TopRight:
        case HandleZone::BottomLeft: setCursor(Qt::SizeBDiagCursor); break;
        case HandleZone::None: unsetCursor(); break;
    }
}

void StretchHandle::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) EndDrag(ParentPos(event));
}

void StretchHandle::paintEvent(QPaintEvent*) {
    if (style_ == HandleStyle::Edges) return;  // the control shows itself
    QPainter p(this);
    const int s = kHandleSquare, w = width(), h = height();
    p.setPen(QPen(secondary_, 1, Qt::DashLine));
    p.drawRect(QRect(0, 0, w - 1, h - 1).adjusted(s / 2, s / 2, -s / 2, -s / 2));
    const QPoint corners[] = {{0, 0}, {w / 2 - s / 2, 0}, {w - s, 0}, {0, h / 2 - s / 2}, {w - s, h / 2 - s / 2},
                              {0, h - s}, {w / 2 - s / 2, h - s}, {w - s, h - s}};
    for (const QPoint& at : corners) {
        p.fillRect(QRect(at, QSize(s, s)), color_);
        p.setPen(secondary_);
        p.drawRect(QRect(at, QSize(s - 1, s - 1)));
    }
}

}  // namespace quill
