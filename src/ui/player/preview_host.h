#pragma once
// PreviewHost: the player's host in the preview window. Every wait brings the window in line
// with the screen, lets the window ready its widgets for the wait (the focus, the keys that
// work), and runs a local event loop until one of the window's handlers has recorded what that
// wait is for. The handlers only record what the learner did; the wait reads it when it returns.
//
// Closing the window asks the run to stop: every wait returns at once and stopRequested() stays
// true until the next run begins (Begin). Nothing else stops a run; Escape is a key like any
// other.
#include <QChar>
#include <QString>
#include <QStringList>
#include <filesystem>
#include <functional>
#include <optional>

#include "host.h"

class QTimer;

namespace quill {

class PreviewWindow;
class Project;
struct Platform;

class PreviewHost : public PlayerHost {
public:
    using EntryPerformer = std::function<bool(EntrySource, const QString&)>;
    using NotesOpener = std::function<void(const std::filesystem::path&, const QString&)>;

    // The timers (SlowTimer, Delaytimer) belong to the window.
    PreviewHost(PreviewWindow& window, const Project& project, Platform& platform);

    // Performs data file entries (hypertext words, utilities, executables). Without one every
    // entry counts as not defined.
    void setEntryPerformer(EntryPerformer performer) { performer_ = std::move(performer); }
    // Opens the notes editor; without one the learner is told it is not available.
    void setNotesOpener(NotesOpener opener) { notesOpener_ = std::move(opener); }

    // A new run: no stop request, nothing recorded.
    void Begin();
    // Ends the run at the next wait.
    void requestStop();

    // ---- what the window's handlers record ------------------------------------------------
    void ButtonPressed(ControlButton button);
    // A key went down (its character, or none): it ends a key wait and a delay.
    void KeyWentDown(QChar key);
    // A left click on the drawing area: a key for a key wait, and it ends a delay.
    void ScreenClicked();
    // A left click on the full-screen picture: a key for a key wait; a delay goes on.
    void ImageClicked();
    void InputEntered();
    void ChoiceMade(bool left);
    void ListPicked(int index);
    void MenuPicked(int number);
    void AnswerPicked(int number);
    void MemoDone();

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

    // Processes events until `done` is true or the run is to stop.
    void waitUntil(const std::function<bool()>& done);
    // Waits until a handler sets `flag` (or the run stops); it is cleared before and after.
    void waitForFlag(bool& flag);

    PreviewWindow& window_;
    const Project& project_;
    Platform& platform_;
    EntryPerformer performer_;
    NotesOpener notesOpener_;
    Flags flags_;
    bool stop_ = false;
    QTimer* slowTimer_;   // SlowTimer
    QTimer* delayTimer_;  // Delaytimer
};

}  // namespace quill
