#pragma once
// The learner's screen for assistive technology (AT-SPI on Linux through Qt's accessibility
// interfaces). The screen is text drawn on a raster, and its words and buttons are labels, so
// the widgets that make it up say what they are: the drawing area is static text holding the
// screen's visible text in reading order, a hypertext word is a link, a button-menu button or
// a quiz answer is a button with its caption; each can be pressed through the press action.
#include <QAccessible>
#include <QString>

class QWidget;

namespace quill {

class AccessibleScreenPart {
public:
    virtual ~AccessibleScreenPart() = default;
    virtual QAccessible::Role accessibleRole() const = 0;
    // The text read: the caption of a link or button, all of the text of the drawing area.
    virtual QString accessibleText() const = 0;
    // The click of a link or button; nothing for text.
    virtual void accessiblePress() {}
};

// Makes Qt ask the screen's widgets (those that are AccessibleScreenPart) for their interface.
// Installed once; later calls do nothing.
void InstallScreenAccessibility();

// Tells assistive technology that `area` now shows a new screen (its text changed).
void AnnounceNewScreen(QWidget* area);

}  // namespace quill
