#pragma once
// HeadlessHost: a PlayerHost that answers every wait from a script of answers and keeps
// virtual time, so a chapter runs without a window and without waiting (quillc play, tests).
//
// The answers, one a line (blank lines and lines starting with '#' are skipped):
//   button C|Q|P|H|U   a control bar button: Continue, Quit, Page back, Help, Utilities
//   key X              a key press of the character X
//   click              a click on the screen
//   text WORDS         typed into the input box, then Enter (WORDS may be empty)
//   memo LINE          one memo line; consecutive memo answers form one memo, then its OK
//   choice left|right  the two-button choice
//   list N             item N (1-based) of the list menu (or of the utility chooser)
//   menu N             menu button N (1-based)
//   answer N           quiz answer N (1..4) by click
//   ok | cancel        closes a box that asks (print confirmation, utility chooser); ok also
//                      closes the about box and the introduction of a whole-tutorial run
//   mainmenu N|quit    the main menu of a whole-tutorial run: chapter pick N (1-based), or
//                      its quit entry
//   hyper WORD         a click on the hypertext word WORD shown on the screen (at any wait of
//                      a chapter); the wait goes on and takes the next answer
//
// Each wait takes the next answer. An answer that does not fit the wait (a key while the
// control bar waits for a button) is skipped with an information message naming it, as the
// window would ignore it. An answer of the right kind that the learner could not give (a
// control bar button that is not shown, a list item, menu button or main menu pick that does
// not exist) ends the run: an error names the answers line and what the screen offers,
// answerRefused() and stopRequested() become true. When the answers run out the run ends as if
// Quit were pressed: the message "answers ran out" is recorded once and stopRequested() becomes
// true.
#include <QImage>
#include <QString>
#include <QStringList>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

#include "host.h"

namespace quill {

class TextScreen;

struct HeadlessAnswer {
    enum class Kind { Button, Key, Click, Text, Memo, Choice, List, Menu, Answer, Ok, Cancel, MainMenu, Hyper };
    Kind kind = Kind::Click;
    ControlButton button = ControlButton::Continue;  // Button
    QChar key;                                       // Key
    QString text;                                    // Text, Memo, Hyper
    bool left = false;                               // Choice
    int number = 0;                                  // List, Menu, Answer, MainMenu (1-based; 0: quit)
    int line = 0;                                    // line of the answers file
    QString source;                                  // the line as written
};

// Parses an answers file. Lines that are not answers are listed in *errors as
// "line N: \"TEXT\" is not an answer" (the caller decides whether that is fatal).
std::vector<HeadlessAnswer> ParseAnswers(const QString& script, QStringList* errors);

struct HostMessage {
    enum class Kind { Error, Info };
    Kind kind;
    QString text;
};

// Told what a headless run shows and is given, in order (transcripts).
class HeadlessListener {
public:
    virtual ~HeadlessListener() = default;
    // A wait begins; the screen shows what the learner sees. `picture` is set for the waits
    // outside a chapter (the about box, the introduction, the main menu), else null.
    virtual void waitReached(const char* waitName, const QImage* picture) = 0;
    // The answer that the wait took (also a hypertext click during a wait).
    virtual void answerTaken(const HeadlessAnswer& answer) = 0;
    virtual void messageShown(const HostMessage& message) = 0;
    // An outside action, as HeadlessHost::actions() lists it.
    virtual void actionDone(const QString& action) = 0;
};

class HeadlessHost : public PlayerHost {
public:
    explicit HeadlessHost(std::vector<HeadlessAnswer> answers = {}, TextScreen* screen = nullptr);

    // The screen the snapshots show and the answer controls are read from.
    void setScreen(TextScreen* screen) { screen_ = screen; }
    // With a folder, every wait (and saveSnapshot()) writes the next NNN.png there.
    void setSnapshotFolder(const std::filesystem::path& folder) { snapshotFolder_ = folder; }
    // Called with every message as it is recorded (quillc prints them at once).
    void setMessageSink(std::function<void(const HostMessage&)> sink) { sink_ = std::move(sink); }
    // Told of every wait, answer, message and action as it happens; may be null.
    void setListener(HeadlessListener* listener) { listener_ = listener; }
    // Follows a hypertext word (the chapter player's hypertextClicked); without one, a "hyper"
    // answer is refused.
    void setHyperFollower(std::function<void(const QString&)> follower) { follower_ = std::move(follower); }
    // Performs data file entries; without one, performEntry reports every entry as undefined.
    void setEntryPerformer(std::function<bool(EntrySource, const QString&)> performer) {
        performer_ = std::move(performer);
    }

    const std::vector<HostMessage>& messages() const { return messages_; }
    // Outside actions as text: "PERFORM HYPER name", "PRINT n lines", "HELP file topic",
    // "NOTES file caption", "PRINT LINE text".
    const QStringList& actions() const { return actions_; }
    // Virtual time in milliseconds: delays and slow typing add to it.
    qint64 elapsedMs() const { return elapsedMs_; }
    bool answersRanOut() const { return ranOut_; }
    // True once an answer was refused because the learner could not have given it.
    bool answerRefused() const { return refused_; }
    int answersUsed() const { return static_cast<int>(next_); }
    int snapshotCount() const { return snapshots_; }
    // Writes the screen as the next NNN.png of the snapshot folder. Returns the file written,
    // or an empty path without a folder or screen. Throws IoError when it cannot be written.
    std::filesystem::path saveSnapshot();

    // The waits of a whole-tutorial run, outside any chapter. `picture` is what the learner
    // sees meanwhile (the snapshot of the wait). waitForOk: the about box or the introduction,
    // answered by ok; false once the answers ran out. waitForMainMenu: the pick (1..picks) or
    // 0 for the quit entry (also when the answers ran out or a pick beyond them was refused).
    bool waitForOk(const char* waitName, const QImage& picture);
    int waitForMainMenu(int picks, const QImage& picture);

    // PlayerHost
    ControlButton waitForButton() override;
    KeyPress waitForKey() override;
    bool waitDelay(int milliseconds) override;
    void waitSlowTick() override;
    void processEvents() override {}
    bool stopRequested() const override { return ranOut_ || refused_; }
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
    using Kind = HeadlessAnswer::Kind;
    // Snapshot, then the next answer that fits (skipping the others with a message);
    // nothing once the answers ran out. `fits` may check more than the kind.
    std::optional<HeadlessAnswer> take(const char* waitName,
                                       const std::function<bool(const HeadlessAnswer&)>& fits);
    void record(HostMessage::Kind kind, const QString& text);
    // Ends the run with an error: the answer `a` cannot be given, because `why`.
    void refuse(const HeadlessAnswer& a, const QString& why);
    // A "hyper" answer: follows the word when the screen shows it, else refuses it.
    void followWord(const HeadlessAnswer& a);
    void act(const QString& action);

    std::vector<HeadlessAnswer> answers_;
    std::size_t next_ = 0;
    TextScreen* screen_;
    std::filesystem::path snapshotFolder_;
    const QImage* shown_ = nullptr;  // the picture a wait outside the chapter shows
    std::function<void(const HostMessage&)> sink_;
    HeadlessListener* listener_ = nullptr;
    std::function<void(const QString&)> follower_;
    std::function<bool(EntrySource, const QString&)> performer_;
    std::vector<HostMessage> messages_;
    QStringList actions_;
    qint64 elapsedMs_ = 0;
    bool ranOut_ = false;
    bool refused_ = false;
    int snapshots_ = 0;
};

}  // namespace quill
