#pragma once
// How big the learner's 640 x 480 screen is drawn: a whole multiple (nearest-neighbour, so the
// 8 x 17 text cells stay crisp) or a fraction (smooth), always keeping its proportions. The
// screen's own coordinates (the design surface) stay 640 x 480; ScreenScale maps them to the
// window's pixels. DesignPlacement keeps each widget's design geometry and font so that a new
// scale places them all again.
#include <QFont>
#include <QImage>
#include <QHash>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QString>
#include <QWidget>

#include "screen/design_surface.h"

class QPainter;
class QTextDocument;

namespace quill {

enum class ScaleMode { One, Two, Fit };

struct ScreenScale {
    double factor = 1.0;
    bool smooth = false;  // a fractional factor: pictures and the raster drawn smoothly

    // A design rectangle in window pixels: its edges are mapped, so neighbours stay joined.
    QRect map(const QRect& design) const;
    QSize map(const QSize& design) const;
    int map(int design) const;
    // A font of the design surface at this scale (pixel and point sizes alike).
    QFont map(const QFont& design) const;
    bool operator==(const ScreenScale&) const = default;
};

// The scale for a mode in `available` pixels (the window or the screen the learner's screen
// fills). One and Two are what they say. Fit: the largest whole multiple of 2 or more that
// fits; from 1.25 to 2 times (and below 1, on a screen smaller than 640 x 480) the exact
// fraction that fits, drawn smoothly; 1 x below 1.25 times.
ScreenScale ChooseScale(ScaleMode mode, QSize available, QSize design = kDesignSize);

// Paints the part `dirty` (window pixels) of the screen's raster, drawn from the window's top
// left corner at the scale: 1 x as it is, whole multiples pixel for pixel, fractions smoothly.
void DrawScreenRaster(QPainter& painter, const QImage& raster, const ScreenScale& scale, const QRect& dirty);

// Scales a finished screen of widgets placed at design sizes (the main menu): every widget below
// `screen`, and the screen itself, takes the scaled geometry, fixed size and font (a font set on
// it, else the screen's, which the others inherit). Menu bars keep their size.
void ScaleScreenWidgets(QWidget* screen, const ScreenScale& scale);

// Scales a window laid out by its layouts (the about box): its font and the fonts set on the
// widgets below it, their minimum and maximum sizes, and the layouts' margins and spacing; the
// layouts then size everything else.
void ScaleLaidOutWidgets(QWidget* window, const ScreenScale& scale);

// Scales the fonts of a rich-text document: its default font and every character format that
// sets a size of its own.
void ScaleDocumentFonts(QTextDocument& document, const ScreenScale& scale);

// The scale of a screen whose window (with `around` for its frame and menu bar) stands on a
// background of the given size: ChooseScale of what is left, except that the frame's thin side
// borders may fall off the background's edges rather than cost a whole multiple (2 x on a 1280
// pixel wide screen).
ScreenScale ChooseScaleOn(ScaleMode mode, QSize background, QSize around);

// The scale of a learner's window (the about box, the introduction, the main menu) shown over
// `parent` (the background of the learner's player or the preview): ChooseScaleOn the parent's
// size with room for the window's frame and for `around`, what the window adds to its screen
// (a menu bar). Without a parent, the window is shown as designed.
ScreenScale LearnerWindowScale(ScaleMode mode, const QWidget* parent, QSize around = {});

// The name of a mode in the View menu ("1 ×", "2 ×", "Fit") and back.
QString ScaleModeName(ScaleMode mode);

// Places widgets of a design surface at a scale: place() and setFont() take design values and
// remember them; setScale() applies a new scale to every widget placed so far.
class DesignPlacement {
public:
    const ScreenScale& scale() const { return scale_; }
    void setScale(const ScreenScale& scale);
    void place(QWidget* widget, const QRect& design);
    void resize(QWidget* widget, const QSize& design) { place(widget, QRect(designRect(widget).topLeft(), design)); }
    void move(QWidget* widget, const QPoint& design) { place(widget, QRect(design, designRect(widget).size())); }
    void setFont(QWidget* widget, const QFont& design);
    // The design geometry a widget was placed at (its window geometry when it never was).
    QRect designRect(const QWidget* widget) const;

private:
    struct Design {
        QPointer<QWidget> widget;
        QRect rect;
        bool placed = false;
        QFont font;
        bool hasFont = false;
    };
    Design& entry(QWidget* widget);
    void apply(const Design& d) const;
    ScreenScale scale_;
    QHash<const QWidget*, Design> design_;
};

}  // namespace quill
