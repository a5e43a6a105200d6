#include "aids/sizing_panel.h"

#include <QKeyEvent>
#include <QPainter>

#include "common/stretch_handle.h"

namespace quill {

SizingPanel::SizingPanel(QWidget* parent, int dragHeight, HandleStyle style)
    : QFrame(parent), handle_(new StretchHandle(parent)) {
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setFocusPolicy(Qt::StrongFocus);
    handle_->SetStyle(style, dragHeight);
    handle_->SetBounds(parent->rect());
    handle_->Attach(this);
    connect(handle_, &StretchHandle::Moved, this, &SizingPanel::Changed);
}

void SizingPanel::Place(const QRect& wanted) {
    // Drags keep to the parent as it is now.
    handle_->SetBounds(parentWidget()->rect());
    const QRect r = FitRect(wanted, minimumSize().expandedTo(kHandleMinimum), parentWidget()->size());
    if (r == geometry()) return;
    setGeometry(r);
    emit Changed();
}

void SizingPanel::keyPressEvent(QKeyEvent* event) {
    const auto key = AdjusterKeyStep(*event);
    if (!key) {
        QFrame::keyPressEvent(event);
        return;
    }
    handle_->Step(key->step, key->resize);
}

void SizingPanel::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter p(this);
    // The grip in the bottom right corner.
    p.setPen(hasFocus() ? palette().color(QPalette::Highlight) : palette().color(QPalette::Dark));
    for (int i = 3; i <= 9; i += 3) p.drawLine(width() - i, height() - 2, width() - 2, height() - i);
}

}  // namespace quill
