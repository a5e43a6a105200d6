#pragma once
// TutorialAboutBox: the tutorial's own about box, as the learner sees it: captioned with
// BoxTitle, it shows the icon, the program name, the version, the author line and a comment
// block, with an "OK" button. ShowAboutBox shows it modally; the designer's "&View", the whole-tutorial preview
// and the About items of the introduction and the main menu all call it.
#include <QDialog>
#include <memory>
#include <string>

#include "common/learner_screen.h"
#include "common/screen_scale.h"

namespace Ui {
class TutorialAboutBox;
}

namespace quill {

// The comment block of the box: for each of the four comments in order, a filled one adds the
// comment and one blank, an empty one adds CR LF CR LF.
std::string AboutCommentBlock(const std::string& c1, const std::string& c2, const std::string& c3,
                              const std::string& c4);

// Window name (its objectName): TAboutBox.
class TutorialAboutBox : public QDialog {
    Q_OBJECT
public:
    // Reads the About group of the record. A missing icon file is reported (ShowError "The Icon
    // file ... is missing") and the box is made without it.
    TutorialAboutBox(const LearnerScreenContext& context, QWidget* parent = nullptr);
    ~TutorialAboutBox() override;
    bool HasIcon() const { return hasIcon_; }
    // Shows the box at the scale of the learner's screen: its text, icon and spacing.
    void SetScale(const ScreenScale& scale);

private:
    std::unique_ptr<Ui::TutorialAboutBox> ui_;
    bool hasIcon_ = false;
};

// Shows the about box of the record modally until its "OK" is pressed, at the scale of the
// learner's screen it stands over.
void ShowAboutBox(const LearnerScreenContext& context, QWidget* parent = nullptr, const ScreenScale& scale = {});

}  // namespace quill
