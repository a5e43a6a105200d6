#pragma once
// ScreenObjectView: the part of the preview window that shows the text screen itself: the
// drawing area with the screen's raster (PaintBox1), the full-screen picture (Image1), the
// window text panel (TextPnl with RichEdit1), and one widget for each screen object (pictures,
// caption labels, hypertext words, panel boxes, menu buttons). Sync() brings them in line with
// the screen and touches only what changed: the raster's changed bands, and the widgets of
// objects that were added, changed or removed.
//
// A screen object's identity is its kind and its place in the screen's list of that kind: the
// screen only appends objects, and removes them from the end (a pop-up's words) or all at
// once (a cleared screen). ObjectChanges says, place by place, what a new list means for the
// widgets shown.
#include <QColor>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "common/screen_scale.h"
#include "screen/screen_objects.h"

class QFrame;
class QLabel;

namespace quill {

class TextScreen;

// What becomes of the widget at one place of a kind's list.
enum class ObjectChange {
    Keep,     // the same object: its widget stays as it is
    Replace,  // another object at this place: a new widget
    Make,     // a place the shown list did not have: a new widget
    Remove,   // a place the new list no longer has: its widget goes
};

// Place by place, the changes from the objects shown to the objects now on the screen.
template <class Object>
std::vector<ObjectChange> ObjectChanges(const std::vector<Object>& shown, const std::vector<Object>& now) {
    std::vector<ObjectChange> changes;
    for (std::size_t i = 0; i < std::max(shown.size(), now.size()); ++i)
        changes.push_back(i >= now.size()     ? ObjectChange::Remove
                          : i >= shown.size() ? ObjectChange::Make
                          : shown[i] == now[i] ? ObjectChange::Keep
                                               : ObjectChange::Replace);
    return changes;
}

// A placed picture as far as its widget goes: where it stands and the file it shows.
struct PictureKey {
    QRect rect;
    QString file;
    bool operator==(const PictureKey&) const = default;
};

class ScreenObjectView {
public:
    struct Handlers {
        std::function<void()> screenClick;                   // a left click on the drawing area
        std::function<void()> imageClick;                    // a left click on the full-screen picture
        std::function<void(const QString& word)> hyperClick;  // a hypertext word clicked or pressed
        std::function<void(int number)> menuClick;            // a menu button clicked or pressed
    };

    // Makes the drawing area, the full-screen picture and the window text panel in `window`,
    // below the window's other widgets; `placement` places them at the window's scale.
    ScreenObjectView(QWidget* window, DesignPlacement& placement, Handlers handlers);

    void SetScreen(const TextScreen* screen);
    void SetBackground(const QColor& back);
    void SetScale(const ScreenScale& scale);
    // Brings the widgets in line with the screen (none: an empty screen).
    void Sync();

    QWidget* Area() const { return area_; }
    // The shown hypertext words and menu buttons, in the screen's order.
    std::vector<QWidget*> HyperWords() const;
    std::vector<QWidget*> MenuButtons() const;
    bool IsMenuButton(const QWidget* widget) const;

private:
    template <class Object>
    struct Shown {
        std::vector<Object> objects;
        std::vector<QPointer<QWidget>> widgets;
    };
    // Applies ObjectChanges to one kind; `make` builds the widget of an object. Returns whether
    // anything changed.
    template <class Object, class Source>
    bool SyncKind(Shown<Object>& shown, const std::vector<Object>& now, const std::vector<Source>& sources,
                  const std::function<QWidget*(const Source&)>& make);
    void SyncPictureAndText();
    void Restack();
    QWidget* MakePicture(const Picture& p);
    QWidget* MakeTextLabel(const TextLabel& t);
    QWidget* MakeHyperLabel(const HyperLabel& h);
    QWidget* MakePanelBox(const PanelBox& b);
    QWidget* MakeMenuButton(const MenuButton& m);

    QWidget* window_;
    DesignPlacement& placement_;
    Handlers handlers_;
    const TextScreen* screen_ = nullptr;
    QWidget* area_;      // PaintBox1
    QLabel* image_;      // Image1
    QFrame* textPanel_;  // TextPnl
    QWidget* richText_;  // RichEdit1
    QString shownImageFile_;
    std::vector<std::string> shownRichLines_;
    QRect shownRichRect_;
    Shown<PictureKey> pictures_;
    Shown<TextLabel> texts_;
    Shown<HyperLabel> hyper_;
    Shown<PanelBox> panels_;
    Shown<MenuButton> menu_;
};

}  // namespace quill
