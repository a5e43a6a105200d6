#pragma once
// SizingPanel: a panel the author moves and resizes on a design surface, standing for a text
// window. The mouse works through a TStretchHandle in the Edges style laid over it: dragging
// inside the panel moves it (only on its caption strip when it has one); dragging its right or
// bottom edge, or the grip in its corner, resizes it. With the focus, the arrow keys move it by
// a pixel (eight with Shift) and Ctrl with the arrow keys resizes it. The panel stays inside
// its parent and never gets smaller than its minimum size.
#include <QFrame>

namespace quill {

class TStretchHandle;

class SizingPanel : public QFrame {
    Q_OBJECT
public:
    // `dragHeight` > 0: only the top strip of that height moves the panel. The parent must be
    // given; the panel stays inside it.
    explicit SizingPanel(QWidget* parent, int dragHeight = 0);
    // Places the panel, kept inside the parent and at least the minimum size (see FitRect).
    void Place(const QRect& rect);

signals:
    void Changed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    TStretchHandle* handle_;
};

}  // namespace quill
