#pragma once
// IntroductionDialog: the tutorial's introduction as the learner sees it: the composed
// introduction screen (not editable) under its menu bar. Close or Escape ends it; About shows the tutorial's
// about box; Help opens the tutorial's help. ShowIntroduction shows it modally.
#include <QDialog>
#include <string>
#include <vector>

#include "common/learner_screen.h"
#include "common/screen_scale.h"

namespace quill {

class IntroductionScreen;

// Window name (its objectName): TIntDispForm.
class IntroductionDialog : public QDialog {
    Q_OBJECT
public:
    // The context's record must outlive the window. `text`: the introduction's lines as LoadIntroduction gives them (rich text or plain).
    IntroductionDialog(const LearnerScreenContext& context, const std::vector<std::string>& text,
                 QWidget* parent = nullptr);
    IntroductionScreen* Screen() const { return screen_; }
    // Shows the screen at a scale (the learner's player fits it to its background): its parts,
    // their fonts and the introduction's text; the about box of its About item takes it too.
    void SetScale(const ScreenScale& scale);

private:
    void Centre();

    LearnerScreenContext context_;  // the About and Help items use it
    IntroductionScreen* screen_ = nullptr;
    ScreenScale scale_;
};

// `scale`: the screen at that scale (ScaleMode::One: as designed); Fit fits it to the parent.
void ShowIntroduction(const LearnerScreenContext& context, const std::vector<std::string>& text,
                      QWidget* parent = nullptr, ScaleMode scale = ScaleMode::One);

}  // namespace quill
