#pragma once
// IntroductionScreen: the composed introduction screen, shared by the introduction display and
// the designer's adjust window: a 640 x 480 area with the title bar and status bar of the
// introduction design (each twice its font's point size high), the background (colour, picture
// or tiled wallpaper) and the introduction's rich text in a read-only area with a vertical
// scroll bar, filling the space between the bars or standing in its text window.
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "common/learner_screen.h"
#include "common/screen_scale.h"
#include "screen/presentation_layout.h"

class QMenuBar;
class QTextBrowser;

namespace quill {

// Its objectName (a panel inside the introduction's windows): ScreenPnl.
class IntroductionScreen : public QWidget {
    Q_OBJECT
public:
    // A background that cannot be shown as designed is reported through the context's
    // messages and the colour is used; the record is not changed.
    IntroductionScreen(const LearnerScreenContext& context, const std::vector<std::string>& text,
                 QWidget* parent = nullptr);
    QTextBrowser* TextWindow() const { return RichEdit1_; }
    const IntroScreenLayout& Layout() const { return layout_; }
    QWidget* Background() const { return background_; }

private:
    IntroScreenLayout layout_;
    QWidget* background_ = nullptr;
    QTextBrowser* RichEdit1_ = nullptr;
};

// The introduction's menu bar, when the design uses one: Close (calls `close`), About (only
// with AboutOn: the tutorial's about box, at the scale `scale` gives, 1 x without one) and Help
// (only with HelpOn: the tutorial's help at its topic), captioned from the record's player
// captions. Null without a menu bar.
// The items keep a reference to `context`, which must live as long as `parent`.
QMenuBar* NewIntroMenuBar(const LearnerScreenContext& context, QWidget* parent, std::function<void()> close,
                          std::function<ScreenScale()> scale = {});

}  // namespace quill
