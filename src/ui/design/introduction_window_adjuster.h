#pragma once
// IntroductionWindowAdjuster: the composed introduction screen on which the author places the text window
// with the mouse: a press on the text window attaches the sizing handles, which move and
// resize it. The right mouse button opens a menu with "Help", "&Save and Quit" and "&Quit";
// the menu bar's close item and Escape close it too. Closing without "&Save and Quit" asks
// "Save changes?"; the arrow keys move the text window and, with Shift, size it; saving writes the text window's left, top, width and height into the
// record's introduction design.
#include <QDialog>
#include <string>
#include <vector>

#include "common/learner_screen.h"
#include "project/config_record.h"

class QMenu;

namespace quill {

class Project;
class IntroductionScreen;
class StretchHandle;

// Window name (its objectName): TIntAdjustForm.
class IntroductionWindowAdjuster : public QDialog {
    Q_OBJECT
public:
    IntroductionWindowAdjuster(const Project& project, Platform& platform, const TTutorialConfig& record,
                   const std::vector<std::string>& text, QWidget* parent = nullptr);
    ~IntroductionWindowAdjuster() override;

    const TTutorialConfig& Record() const { return copy_; }
    bool Saved() const { return saved_; }
    IntroductionScreen* Screen() const { return screen_; }
    StretchHandle* Handle() const { return handle_; }
    QMenu* PopupMenu() const { return PopupMenu1_; }

    void SaveAndQuit();
    void Quit();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    // The arrow keys move the text window by a pixel, with Shift they size it.
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void StoreWindow();

    Platform& platform_;
    TTutorialConfig copy_;
    LearnerScreenContext context_;
    IntroductionScreen* screen_ = nullptr;
    StretchHandle* handle_ = nullptr;
    QMenu* PopupMenu1_ = nullptr;
    bool saved_ = false;
    bool closing_ = false;
};

// Shows the adjust window on `record` with the text; true, and the text window's rectangle
// written into the record, when the author saved.
bool AdjustTextWindow(const Project& project, Platform& platform, TTutorialConfig& record,
                      const std::vector<std::string>& text, QWidget* parent = nullptr);

}  // namespace quill
