#pragma once
// The widgets the preview window builds its screen from: a label or panel that reports a left
// click, a label that the keyboard presses (menu buttons, quiz answers, hypertext words), the
// drawing area that shows the screen's raster, and the window text's view. The frame's .ui file
// names ClickLabel and KeyLabel as its custom widgets.
#include <QColor>
#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QTextDocument>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/screen_scale.h"
#include "player/screen_accessibility.h"
#include "richtext/rich_text_render.h"
#include "richtext/rtf_reader.h"
#include "screen/text_screen.h"

namespace quill {

// The face colour of the window's panels and buttons.
inline const QColor kPanelFace(0xC0, 0xC0, 0xC0);

// The screen's font at `pixels` (Courier New, fixed pitch) with the styles asked for.
QFont Courier(int pixels, bool bold = false, bool underline = false);
// Sets the window and text colours a widget fills itself with (an invalid colour keeps its own).
void SetColours(QWidget* w, const QColor& back, const QColor& text = QColor());

// A widget that reports a left click (a press and a release inside it); the other buttons do
// nothing.
template <class Base>
class Clickable : public Base {
public:
    using Base::Base;
    std::function<void()> onClick;

protected:
    void mousePressEvent(QMouseEvent* e) override {
        pressed_ = e->button() == Qt::LeftButton;
        e->accept();
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        const bool inside =
            pressed_ && e->button() == Qt::LeftButton && this->rect().contains(e->position().toPoint());
        pressed_ = false;
        e->accept();
        if (inside && onClick) onClick();
    }

private:
    bool pressed_ = false;
};

// A label or panel that reports a left click.
using ClickLabel = Clickable<QLabel>;

// A label that Enter or Space presses while it has the focus, as a click does: *ButtonMenu
// buttons (raised panels, outlined while focused), quiz answers (their text in inverse colours
// while focused) and hypertext words (drawn in inverse colours while focused, like a cursor on
// a text screen). Tab reaches them only at the waits that let it (focusNextPrevChild); a click
// does not take the focus. Other keys go on to the window.
class KeyLabel : public ClickLabel, public AccessibleScreenPart {
public:
    enum class Look { Button, Answer, Word };
    explicit KeyLabel(QWidget* parent, Look look = Look::Answer) : ClickLabel(parent), look_(look) {
        setFocusPolicy(Qt::TabFocus);
        if (look_ == Look::Button) {
            setFrameStyle(QFrame::Panel | QFrame::Raised);
            setLineWidth(2);
        }
    }
    QAccessible::Role accessibleRole() const override {
        return look_ == Look::Word ? QAccessible::Link : QAccessible::Button;
    }
    QString accessibleText() const override { return accessibleName().isEmpty() ? text() : accessibleName(); }
    void accessiblePress() override {
        if (onClick) onClick();
    }
    // A hypertext word's design size: its characters are drawn one to each 8 x 17 cell, as the
    // screen's raster draws them, and the whole is scaled to the label's size, so at every scale
    // the word stands where the raster's scaled word stands.
    void SetWordCells(QSize design, const QFont& font) {
        wordDesign_ = design;
        wordFont_ = font;
        update();
    }
    // The label whose colours show the focus of a quiz answer (its text).
    void SetFocusShownOn(QWidget* w) { focusShown_ = w; }

protected:
    void keyPressEvent(QKeyEvent* e) override {
        if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter || e->key() == Qt::Key_Space) && onClick) {
            e->accept();
            onClick();
            return;
        }
        ClickLabel::keyPressEvent(e);
    }
    void focusInEvent(QFocusEvent* e) override {
        ShowFocus(true);
        ClickLabel::focusInEvent(e);
    }
    void focusOutEvent(QFocusEvent* e) override {
        ShowFocus(false);
        ClickLabel::focusOutEvent(e);
    }
    void paintEvent(QPaintEvent* e) override {
        if (look_ != Look::Word || wordDesign_.isEmpty()) {
            ClickLabel::paintEvent(e);
            return;
        }
        QPainter p(this);
        p.fillRect(rect(), palette().color(QPalette::Window));
        p.scale(static_cast<double>(width()) / wordDesign_.width(),
                static_cast<double>(height()) / wordDesign_.height());
        p.setFont(wordFont_);
        p.setPen(palette().color(QPalette::WindowText));
        const QString shown = text();
        for (qsizetype i = 0; i < shown.size(); ++i)
            p.drawText(QRect(TextScreen::kCellWidth * static_cast<int>(i), 0, TextScreen::kCellWidth,
                             wordDesign_.height()),
                       Qt::AlignLeft | Qt::AlignTop, QString(shown[i]));
    }

public:
    // Shows the focus again after the colours were set anew.
    void RefreshFocus() {
        inverse_ = false;
        ShowFocus(hasFocus());
    }

private:
    void ShowFocus(bool on) {
        if (look_ == Look::Button) {
            setFrameStyle(on ? QFrame::Box | QFrame::Plain : QFrame::Panel | QFrame::Raised);
            setLineWidth(2);
            return;
        }
        QWidget* shown = look_ == Look::Answer ? focusShown_.data() : this;
        if (!shown || on == inverse_) return;
        QPalette p = shown->palette();
        const QColor text = p.color(QPalette::WindowText), back = p.color(QPalette::Window);
        p.setColor(QPalette::WindowText, back);
        p.setColor(QPalette::Window, text);
        shown->setPalette(p);
        inverse_ = on;
    }
    Look look_;
    bool inverse_ = false;
    QSize wordDesign_;
    QFont wordFont_;
    QPointer<QWidget> focusShown_;
};

// The drawing area: shows the screen's raster from its top left corner, and is the screen's
// text to assistive technology.
class ScreenArea : public Clickable<QWidget>, public AccessibleScreenPart {
public:
    explicit ScreenArea(QWidget* parent) : Clickable<QWidget>(parent) { setAttribute(Qt::WA_OpaquePaintEvent); }
    QAccessible::Role accessibleRole() const override { return QAccessible::StaticText; }
    QString accessibleText() const override { return screen ? screen->visibleText() : QString(); }
    const TextScreen* screen = nullptr;
    QColor back = Qt::white;
    ScreenScale scale;
    ScaledRaster raster;  // what is shown of the screen's raster, at the scale

protected:
    void paintEvent(QPaintEvent* e) override {
        QPainter p(this);
        if (!screen) {
            p.fillRect(rect(), back);
            return;
        }
        const QImage& image = screen->image();
        if (!QRect(QPoint(0, 0), scale.map(image.size())).contains(rect())) p.fillRect(rect(), back);
        if (!raster.Kept(image, scale)) raster.Take(image, scale);
        raster.Paint(p, image, e->rect());
    }
};

// The text of a window text (RichEdit1): drawn by the same renderer as the headless snapshots,
// wrapped to its width and cut at its bottom, so the window and a snapshot show the same lines.
class RichTextView : public QWidget {
public:
    explicit RichTextView(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_OpaquePaintEvent); }
    void SetLines(const std::vector<std::string>& lines) {
        doc_ = RichTextDocument(lines);
        setAccessibleName(doc_->toPlainText());  // what a screen reader reads of it
        update();
    }
    void SetBackground(const QColor& back) {
        back_ = back;
        update();
    }
    // The text is laid out at the design size and drawn scaled, so it wraps as in a snapshot.
    void SetScale(double factor) {
        factor_ = factor;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), back_);
        if (!doc_) return;
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.scale(factor_, factor_);
        const QRect design(0, 0, static_cast<int>(width() / factor_), static_cast<int>(height() / factor_));
        DrawRichText(p, *doc_, design, back_);
    }

private:
    double factor_ = 1.0;
    std::unique_ptr<QTextDocument> doc_;
    QColor back_ = Qt::white;
};

}  // namespace quill
