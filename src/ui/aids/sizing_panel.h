#pragma once
// SizingPanel: a panel the author moves and resizes on a design surface, standing for a text
// window. The mouse works through a StretchHandle in the Edges style laid over it: dragging
// inside the panel moves it (only on its caption strip when it has one); dragging its right or
// bottom edge, or the grip in its corner, resizes it. With the focus, the keys follow the rule
// of every adjuster (AdjusterKeyStep): arrows move it, Shift with the arrows sizes it, Ctrl
// makes the step eight pixels. The panel stays inside its parent and never gets smaller than
// its minimum size.
#include <QFrame>

#include "common/stretch_handle.h"

namespace quill {

class SizingPanel : public QFrame {
    Q_OBJECT
public:
    // `dragHeight` > 0: only the top strip of that height moves the panel. The parent must be
    // given; the panel stays inside it. With HandleStyle::Squares the handle shows its eight
    // squares around the panel (the handles of the introduction adjuster), and the whole panel
    // moves it.
    explicit SizingPanel(QWidget* parent, int dragHeight = 0, HandleStyle style = HandleStyle::Edges);
    StretchHandle* Handle() const { return handle_; }
    // Places the panel, kept inside the parent and at least the minimum size (see FitRect).
    void Place(const QRect& rect);

signals:
    void Changed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    StretchHandle* handle_;
};

}  // namespace quill
