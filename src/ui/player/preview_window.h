#pragma once
// PreviewWindow: the preview window, the learner's view of a running chapter. Three parts:
//   - the static frame (the title panel, the control bar, the answer controls), laid out in
//     preview_window.ui and filled from the screen at every wait;
//   - ScreenObjectView, the screen itself: its raster, picture, window text and objects;
//   - PreviewHost (host()), the player's host: its waits and what the handlers record.
// The window itself handles the keyboard: which widgets Tab walks at each wait, the keys that
// work the answers, the View menu's scale; closing it asks the run to stop.
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <filesystem>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "host.h"
#include "player/preview_host.h"
#include "screen/design_surface.h"
#include "common/screen_scale.h"
#include "screen/screen_objects.h"

class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTextEdit;
class QTimer;
namespace Ui {
class PreviewWindow;
}

namespace quill {

class Project;
class ScreenObjectView;
class TextScreen;
struct Platform;

// Window name (its objectName): TTutDisplayForm.
class PreviewWindow : public QWidget {
    Q_OBJECT
public:
    // The client area: the 640 x 480 design surface, shown at the window's scale.
    static constexpr int kClientWidth = kDesignWidth, kClientHeight = kDesignHeight;

    PreviewWindow(const Project& project, Platform& platform, QWidget* parent = nullptr);
    ~PreviewWindow() override;

    // The screen shown and read; null shows an empty window.
    void setScreen(TextScreen* screen);
    TextScreen* screen() const { return screen_; }
    // The player's host: give it to the screen and the player.
    PreviewHost& host() { return *host_; }

    // Activation: colours, caption and button captions from the configuration record; the
    // host begins a new run.
    void FormActivate();
    // Brings the widgets in line with the screen: the raster, the objects, the answer controls,
    // the title panel and the control bar. Every wait does this before it waits.
    void syncFromScreen();
    // The scale the design surface is shown at (1 by default); the window takes its size.
    void setScale(const ScreenScale& scale);
    const ScreenScale& scale() const { return placement_.scale(); }
    // The learner's choice in the View menu (the context menu; Ctrl+1, Ctrl+2, Ctrl+0). The
    // chooser decides the scale (the runner fits the window to its background); without one
    // the window fits itself to its screen's free area.
    using ScaleChooser = std::function<void(ScaleMode)>;
    void setScaleChooser(ScaleChooser chooser) { scaleChooser_ = std::move(chooser); }
    void setScaleMode(ScaleMode mode) { scaleMode_ = mode; }
    ScaleMode scaleMode() const { return scaleMode_; }
    void chooseScaleMode(ScaleMode mode);

    // Centres the two-button pair in TwoButtonPnl and the lines panel's OK button.
    void CentreChoiceButtons();
    void CentreLinesOK();

    // ---- what the host's waits do with the widgets ---------------------------------------
    // The window takes the keyboard (keys, not its controls).
    void FocusWindow();
    // The control bar can be worked from the keyboard during the wait: the button pressed
    // last (Help and Utilities return to this wait) or else Continue takes the focus.
    void BeginButtonWait();
    void EndButtonWait();
    void RememberPressed(ControlButton pressed);
    // The input box: empty, shown and focused; at the end its text (when `take`), then empty
    // and hidden.
    void BeginInput();
    QString EndInput(bool take);
    // The two-button choice from the keyboard: the left button has the focus, Tab moves
    // between the two, Enter or Space presses the focused one, the first letter of a legend
    // presses its button. At the end both are disabled.
    void BeginChoice();
    void EndChoice();
    void BeginList();
    void EndList();  // the list is hidden
    // The first menu button has the focus, Tab moves between them, Enter or Space presses.
    void BeginMenu();
    // The first answer has the focus, Tab and the arrow keys move between the answers, Enter
    // or Space picks the focused one; the letters A to D still answer as keys.
    void BeginQuiz();
    void EndQuiz();
    void BeginMemo();
    QString MemoText() const;

    // The handler of every hypertext label: performs the HYPER entry named by the caption, or
    // says that the link has not been defined.
    void HyperLabelClick(const QString& name);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void buildControls();
    // The control bar's keyboard use during a button wait: its shown buttons take the focus
    // with Tab, Enter and Space press the focused one.
    void SetButtonKeys(bool on);
    std::vector<QPushButton*> ShownButtons() const;
    // Gives the keyboard back to `focus` (or the window) after a message or an entry.
    void RestoreFocus(QWidget* focus);
    void SyncFrame();
    void SyncAnswers();

    const Project& project_;
    Platform& platform_;
    std::unique_ptr<Ui::PreviewWindow> frame_;  // the static frame, from preview_window.ui
    TextScreen* screen_ = nullptr;
    std::unique_ptr<PreviewHost> host_;
    DesignPlacement placement_;
    ScaleMode scaleMode_ = ScaleMode::One;
    ScaleChooser scaleChooser_;
    QString announcedText_;  // the screen text assistive technology was last told of
    bool buttonKeys_ = false;
    bool choiceKeys_ = false;  // the two-button choice waits: Tab, Enter, Space and letters work it
    bool quizKeys_ = false;    // the quiz answers wait: Tab, the arrows, Enter and Space work them
    // The widgets Tab walks at the current wait (none: Tab is a key).
    std::vector<QWidget*> FocusRing() const;
    std::vector<QWidget*> QuizAnswers() const;
    QPushButton* lastPressed_ = nullptr;

    // Controls, named as the window's fields.
    QLabel* TitlePnl = nullptr;
    QFrame* ControlPnl = nullptr;
    QPushButton* ContinueBtn = nullptr;
    QPushButton* PageBackBtn = nullptr;
    QPushButton* HelpBtn = nullptr;
    QPushButton* UtilityBtn = nullptr;
    QPushButton* QuitBtn = nullptr;
    QLineEdit* UserInputEdit = nullptr;
    QFrame* LinesPanel = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QFrame* Panel1 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QFrame* TwoButtonPnl = nullptr;
    QFrame* CtrlBtnPnl = nullptr;
    QPushButton* LeftBitBtn = nullptr;
    QPushButton* RightBitBtn = nullptr;
    QFrame* ListMenuPanel = nullptr;
    QListWidget* ListBox1 = nullptr;
    QFrame* DisplayPanel = nullptr;
    QPlainTextEdit* Memo2 = nullptr;
    std::array<QFrame*, 4> QuizAns{};

    // The screen itself: its raster, picture, window text and objects.
    std::unique_ptr<ScreenObjectView> view_;
    QStringList shownListItems_;
    QStringList shownMemoLines_, shownDisplayLines_;
    bool memoWasVisible_ = false, listWasVisible_ = false, inputWasVisible_ = false;
};

}  // namespace quill
