#pragma once
// MainMenuDialog: the main menu of a main-menu tutorial, as the learner sees it. A 640 x 480
// screen with an optional title bar (33 pixels) and status bar (21 pixels), the menu screen's
// background between them, an optional top menu bar (About, Help), and the menu panel centred
// in the area between the bars: the menu title, one pick per chapter of the menu list and the
// quit pick. ShowMainMenu shows it modally and gives the chapter picked or the quit pick.
#include <QDialog>
#include <array>
#include <string>

#include "common/learner_screen.h"
#include "common/screen_scale.h"
#include "screen/presentation_layout.h"

class QFrame;
class QLabel;
class QMenuBar;
class QPushButton;

namespace quill {

struct MainMenuChoice {
    bool quit = true;     // the quit pick (or the window closed without a pick)
    std::string chapter;  // the picked row's file name (a chapter base name)
};

// Window name (its objectName): TMenuForm.
class MainMenuDialog : public QDialog {
    Q_OBJECT
public:
    // The context's record must outlive the window. In design view a pick only says which chapter it is ("You selected Chapter " + n) and the
    // window stays; otherwise a pick chooses that chapter and closes the menu.
    MainMenuDialog(const LearnerScreenContext& context, bool designView, QWidget* parent = nullptr);
    // Shows the screen at a scale (the learner's player fits it to the screen).
    void SetScale(const ScreenScale& scale);

    const MainMenuChoice& Choice() const { return choice_; }
    const MainMenuLayout& Layout() const { return layout_; }
    QFrame* MenuPanel() const { return MenuPnl_; }
    QWidget* Area() const { return area_; }
    QPushButton* Pick(int n) const { return picks_[n - 1]; }  // 1..20
    QPushButton* QuitPick() const { return QuitBtn_; }

    void PickClick(int n);
    void QuitClick();

protected:
    void showEvent(QShowEvent* event) override;
    void reject() override;  // Escape or closing the window: as the quit pick

private:
    void CentrePanel();

    LearnerScreenContext context_;
    bool designView_;
    MainMenuLayout layout_;
    MainMenuChoice choice_;
    QWidget* screen_ = nullptr;
    QWidget* area_ = nullptr;
    QFrame* MenuPnl_ = nullptr;
    std::array<QPushButton*, kMenuMaxPicks> picks_{};
    QPushButton* QuitBtn_ = nullptr;
    ScreenScale scale_;
};

// `scale`: the screen at that scale (ScaleMode::One: as designed); Fit fits it to the parent.
MainMenuChoice ShowMainMenu(const LearnerScreenContext& context, bool designView, QWidget* parent = nullptr,
                            ScaleMode scale = ScaleMode::One);

}  // namespace quill
