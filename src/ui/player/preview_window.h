#pragma once
// PreviewWindow: the preview window, the learner's view of a running chapter. It shows the
// text screen (TextScreen) with its screen objects as widgets, the title panel, the control bar
// and the answer controls, and implements PlayerHost: every wait runs a local event loop until
// one of the window's handlers has set the flag that wait is for. The handlers only record what
// the learner did; the player reads the result when the wait returns.
//
// Closing the window asks the run to stop: every wait returns at once and stopRequested() stays
// true until the next run begins. Nothing else in the window stops a run; Escape is a key like
// any other.
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
class PreviewWindow : public QWidget, public PlayerHost {
    Q_OBJECT
public:
    // The client area: the 640 x 480 design surface, shown at the window's scale.
    static constexpr int kClientWidth = kDesignWidth, kClientHeight = kDesignHeight;

    using EntryPerformer = std::function<bool(EntrySource, const QString&)>;
    using NotesOpener = std::function<void(const std::filesystem::path&, const QString&)>;

    PreviewWindow(const Project& project, Platform& platform, QWidget* parent = nullptr);
    ~PreviewWindow() override;

    // The screen shown and read; null shows an empty window.
    void setScreen(TextScreen* screen);
    TextScreen* screen() const { return screen_; }
    // Performs data file entries (hypertext words, utilities, executables). Without one every
    // entry counts as not defined.
    void setEntryPerformer(EntryPerformer performer) { performer_ = std::move(performer); }
    // Opens the notes editor; without one the notes file is opened in a plain editor window.
    void setNotesOpener(NotesOpener opener) { notesOpener_ = std::move(opener); }

    // Activation: colours, caption and button captions from the configuration record; clears
    // the stop request of a previous run.
    void FormActivate();
    // Ends the run at the next wait (closing the window).
    void requestStop();
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

    // ---- PlayerHost ------------------------------------------------------------------------
    ControlButton waitForButton() override;
    KeyPress waitForKey() override;
    bool waitDelay(int milliseconds) override;
    void waitSlowTick() override;
    void processEvents() override;
    bool stopRequested() const override { return stop_; }
    QString askInput() override;
    bool askChoice() override;
    int askList() override;
    int askMenuButton() override;
    QuizReply askQuizAnswer() override;
    QStringList askMemo() override;
    std::optional<int> chooseUtility(const QStringList& names) override;
    void showError(const QString& text) override;
    void showInfo(const QString& text) override;
    bool performEntry(EntrySource source, const QString& name) override;
    void openNotes(const std::filesystem::path& file, const QString& caption) override;
    void printLines(const QStringList& lines, const QString& question) override;
    void showHelp(const QString& helpFile, int topic) override;

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
    // What the handlers record (the player's flags and values).
    struct Flags {
        bool anyButton = false;
        ControlButton button = ControlButton::Continue;
        bool key = false;
        KeyPress lastKey;
        bool timerDone = false;
        bool keyEndedDelay = false;
        bool slowTick = false;
        bool inputDone = false;
        bool choiceDone = false;
        bool choice = false;
        bool listDone = false;
        int listIndex = 0;
        bool menuDone = false;
        int menuChoice = 0;
        bool answerDone = false;
        int answer = 0;
        bool memoDone = false;
    };

    void buildControls();
    // Processes events until `done` is true or the run is to stop.
    void waitUntil(const std::function<bool()>& done);
    // Waits until a handler sets `flag` (or the run stops); it is cleared before and after.
    void waitForFlag(bool& flag);
    void ButtonClick(ControlButton button);
    void ScreenClick();
    void ImageClick();
    // The control bar's keyboard use during a button wait: its shown buttons take the focus
    // with Tab, Enter and Space press the focused one.
    void SetButtonKeys(bool on);
    std::vector<QPushButton*> ShownButtons() const;
    // Gives the keyboard back to `focus` (or the window) after a message or an entry.
    void RestoreFocus(QWidget* focus);
    void KeyDown(QKeyEvent* event);
    void SyncFrame();
    void SyncAnswers();

    const Project& project_;
    Platform& platform_;
    std::unique_ptr<Ui::PreviewWindow> frame_;  // the static frame, from preview_window.ui
    TextScreen* screen_ = nullptr;
    EntryPerformer performer_;
    NotesOpener notesOpener_;
    Flags flags_;
    bool stop_ = false;
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
    QTimer* SlowTimer = nullptr;
    QTimer* Delaytimer = nullptr;
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
