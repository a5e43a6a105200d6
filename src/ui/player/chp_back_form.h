#pragma once
// The full-screen background windows shown behind the preview: TChpBackForm behind one chapter,
// TTutBackForm behind the whole tutorial. Borderless, filled by the panel ScreenPnl, which shows
// the tutorial's background: a colour, a picture (Image1) or a tiled wallpaper (wiaTile1).
#include <QWidget>

class QFrame;
class QLabel;

namespace quill {

class Project;
class Messages;

class TChpBackForm : public QWidget {
    Q_OBJECT
public:
    TChpBackForm(const Project& project, Messages& messages, QWidget* parent = nullptr);

    // Paints the background by BackgroundType of the configuration record (1 colour,
    // 2 picture, 3 wallpaper); a missing or unusable picture is reported in an error box and
    // the panel keeps the background colour.
    void FormActivate();
    // Covers the screen the window is on, in the window system's full-screen state.
    void ShowFullScreen();

    QFrame* ScreenPnl() const { return ScreenPnl_; }
    QWidget* Tile() const { return wiaTile1_; }
    QLabel* Image() const { return Image1_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void SetPanelColour();

    const Project& project_;
    Messages& messages_;
    QFrame* ScreenPnl_;
    QWidget* wiaTile1_;
    QLabel* Image1_;
};

class TTutBackForm : public TChpBackForm {
    Q_OBJECT
public:
    TTutBackForm(const Project& project, Messages& messages, QWidget* parent = nullptr);
};

}  // namespace quill
