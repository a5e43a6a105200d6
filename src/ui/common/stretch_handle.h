#pragma once
// StretchHandle: sizing handles laid over a control so that the user can move and resize it
// with the mouse. Detached it is hidden and 24 x 24. Attach(control) shows it over the control
// and keeps it there while the control moves or changes size. Two styles:
// - Squares (the default): it covers the control's bounds enlarged by 2 pixels on each side; a
//   press inside moves the control, a press on one of the eight squares on its border resizes
//   it from that side or corner.
// - Edges: it covers the control exactly and paints nothing; the control's right and bottom
//   edges and its bottom-right corner resize it, the rest (or only a strip at its top) moves it.
// A press gives the control the focus when it takes focus. Attaching to a control of another
// parent first detaches the others; attaching to a window is refused ("Handles can not be
// attached to a Form!"). The attached control's own geometry is what callers store.
//
// A drag is computed from the control's rectangle when the button went down and the mouse's
// whole way since then, never from sums of small steps, so a drag that comes back to where
// it started leaves the control exactly where it was.
#include <QColor>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QWidget>
#include <optional>
#include <vector>

class QKeyEvent;

namespace quill {

enum class HandleZone { None, Move, Left, Top, Right, Bottom, TopLeft, TopRight, BottomLeft, BottomRight };

inline constexpr int kHandleMargin = 2;   // the handle covers the control and 2 pixels around it
inline constexpr int kHandleSquare = 7;   // side of a handle square
inline constexpr QSize kHandleMinimum{20, 20};  // no drag makes the control smaller
inline constexpr int kHandleEdge = 6;     // width of a resizing edge of the Edges style

// The rectangle after a drag in `zone` that started on `start`, the mouse having moved by
// `delta` since the press. With a grid above 1 the moved edges (or, for a move, the top-left
// corner) snap to multiples of it. The size never goes below `minimum`; a resize past the
// opposite edge stops there. With `bounds` not empty the result is kept inside it.
QRect DragRect(QRect start, HandleZone zone, QPoint delta, int grid = 0, QSize minimum = kHandleMinimum,
               QRect bounds = QRect());

// The rectangle after an arrow key step of `step`: moved, or with `resize` sized from its
// bottom-right corner; kept inside `bounds` when that is not empty.
QRect StepRect(QRect start, QPoint step, bool resize, QSize minimum = kHandleMinimum, QRect bounds = QRect());

// The keyboard rule of every window adjuster: the arrow keys move the window by a pixel, with
// Shift they size it, and with Ctrl the step is eight pixels. Nothing for other keys.
struct AdjusterKey {
    QPoint step;
    bool resize = false;
};
std::optional<AdjusterKey> AdjusterKeyStep(const QKeyEvent& event);

// `wanted` made at least `minimum` and at most `area` in size and moved inside `area` (from 0,0).
QRect FitRect(QRect wanted, QSize minimum, QSize area);

// Which part of a handle of `size` the point (in the handle's own coordinates) is on: a
// corner or side square, else Move inside, None outside.
HandleZone ZoneAt(QSize size, QPoint at);

// The same for the Edges style: the right edge, the bottom edge or the corner where they meet
// (kHandleEdge wide), else Move (with `moveStrip` > 0 only in that many pixels at the top),
// else None.
HandleZone EdgeZoneAt(QSize size, QPoint at, int moveStrip = 0);

enum class HandleStyle { Squares, Edges };

class StretchHandle : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QColor Color READ Color WRITE SetColor)
    Q_PROPERTY(QColor SecondaryColor READ SecondaryColor WRITE SetSecondaryColor)
    Q_PROPERTY(bool SnapToGrid READ SnapToGrid WRITE SetSnapToGrid)
public:
    explicit StretchHandle(QWidget* parent = nullptr);

    // The style of the handles; with Edges, `moveStrip` > 0 moves the control only by a strip
    // of that height at its top.
    void SetStyle(HandleStyle style, int moveStrip = 0);

    // Throws UserError("Handles can not be attached to a Form!") for a window.
    void Attach(QWidget* control);
    void Detach();
    const std::vector<QPointer<QWidget>>& Attached() const { return attached_; }
    QWidget* Control() const { return attached_.empty() ? nullptr : attached_.front().data(); }

    // Starts a drag at a point of the handle's parent (the press that attached it), as if
    // that press had been on the handle.
    void BeginDrag(QPoint parentPos, HandleZone zone);
    // The mouse at a point of the parent during the drag, and where the button went up. The
    // widget that got the press passes its moves on here (the window system sends a drag's
    // moves to the widget that was pressed).
    void DragTo(QPoint parentPos);
    void EndDrag(QPoint parentPos);
    bool Dragging() const { return zone_ != HandleZone::None; }
    // An arrow key step of the control (see StepRect), within the bounds.
    void Step(QPoint step, bool resize);

    QColor Color() const { return color_; }
    void SetColor(const QColor& c) { color_ = c; update(); }
    QColor SecondaryColor() const { return secondary_; }
    void SetSecondaryColor(const QColor& c) { secondary_ = c; update(); }
    bool SnapToGrid() const { return snap_; }
    void SetSnapToGrid(bool on) { snap_ = on; }
    int GridSize() const { return grid_; }
    void SetGridSize(int size) { grid_ = size; }
    // Drags keep the control inside this rectangle of the parent (empty: no limit).
    void SetBounds(QRect bounds) { bounds_ = bounds; }

signals:
    void Moved(QRect geometry);  // the control's new geometry during and after a drag, after a step

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void Cover();
    void Place(QRect r);
    HandleZone Zone(QPoint at) const;
    QSize Minimum() const;
    QPoint ParentPos(const QMouseEvent* event) const;

    std::vector<QPointer<QWidget>> attached_;
    HandleStyle style_ = HandleStyle::Squares;
    int moveStrip_ = 0;
    QColor color_ = Qt::black;
    QColor secondary_ = QColor(0x80, 0x80, 0x80);
    bool snap_ = false;
    int grid_ = 8;
    QRect bounds_;
    HandleZone zone_ = HandleZone::None;
    QPoint pressAt_;
    QRect startRect_;
};

}  // namespace quill
