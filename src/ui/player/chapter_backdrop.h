#pragma once
// The full-screen background windows shown behind the preview: ChapterBackdrop behind one
// chapter, TutorialBackdrop behind the whole tutorial. Filled by the panel ScreenPnl, which shows the
// tutorial's background: a colour, a picture (Image1) or a tiled wallpaper (wiaTile1). They
// cover the screen in the window system's full-screen state, or stand as an ordinary framed
// window (the learner's player with --window); F11 or Alt+Enter in any of the program's
// windows switches between the two.
#include <QRect>
#include <QWidget>
#include <functional>

class QFrame;
class QLabel;

namespace quill {

class Project;
class Messages;

// F11 and Alt+Enter (Return or the keypad's Enter) switch between full screen and a window.
bool IsFullScreenToggleKey(int key, Qt::KeyboardModifiers modifiers);
// The window of the windowed background in the screen's free area: room for the largest whole
// multiple of the 640 x 480 screen, with 40 pixels for its window's frame, that fits in 95 %
// of the area (at least 1 x, at most the area), centred.
QRect WindowedGeometry(const QRect& available);

// Window name (its objectName): TChpBackForm.
class ChapterBackdrop : public QWidget {
    Q_OBJECT
public:
    ChapterBackdrop(const Project& project, Messages& messages, QWidget* parent = nullptr);

    // Paints the background by BackgroundType of the configuration record (1 colour,
    // 2 picture, 3 wallpaper); a missing or unusable picture is reported in an error box and
    // the panel keeps the background colour.
    void FormActivate();
    // Covers the screen the window is on, in the window system's full-screen state.
    void ShowFullScreen();
    // An ordinary framed, movable and resizable window (WindowedGeometry).
    void ShowWindowed();
    // Switches between the two without showing the background's messages again; `toggled`
    // hears of every switch (the owner keeps the choice for the windows that follow).
    void SetFullScreen(bool on);
    void ToggleFullScreen() { SetFullScreen(!isFullScreen()); }
    void SetOnToggled(std::function<void(bool fullScreen)> toggled) { toggled_ = std::move(toggled); }

    QFrame* ScreenPnl() const { return ScreenPnl_; }
    QWidget* Tile() const { return wiaTile1_; }
    QLabel* Image() const { return Image1_; }

signals:
    // The window was resized or moved: what stands over it is placed again.
    void Placed();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetPanelColour();
    void PlaceWindowed();

    const Project& project_;
    Messages& messages_;
    QFrame* ScreenPnl_;
    QWidget* wiaTile1_;
    QLabel* Image1_;
    std::function<void(bool)> toggled_;
};

// Window name (its objectName): TTutBackForm.
class TutorialBackdrop : public ChapterBackdrop {
    Q_OBJECT
public:
    TutorialBackdrop(const Project& project, Messages& messages, QWidget* parent = nullptr);
};

}  // namespace quill
