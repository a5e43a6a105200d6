#pragma once
// PlayerHost: everything the chapter player waits for or reaches outside through. The preview
// window implements it with local event loops, the headless host from a script of answers with
// virtual time.
//
// How the player uses it:
// - Every wait is one call that returns when the learner has answered. Screen state that the
//   learner sees while answering (the input box, the two-button panel, the list, the memo, the
//   quiz answers, the menu buttons, the control bar) is set on the TextScreen first, so the host
//   reads the controls' places and texts from the screen it shows.
// - After every call the player asks stopRequested(). Once it is true (the preview window was
//   closed, the headless answers ran out) the run must end: the player takes the answer given
//   (Quit for a button wait, an empty text, ...) and stops. Every later wait returns at once.
// - Texts are Unicode (Text: QString on the desktop, UTF-8 in the web build); the player
//   converts its Windows-1252 text with FromCp1252.
// - A click on a hypertext label (TextScreen::hyperLabels()) may come during any wait; the host
//   handles it itself: performEntry(EntrySource::Hyper, caption), and when that returns false
//   the information box "The \"" + name + "\" HyperText Link has not been defined ".
// - The Utilities button is returned by waitForButton; the player lists the UTILITY entries,
//   asks chooseUtility when there are several, and performs the chosen one.
#include "engine_types.h"
#include <filesystem>
#include <optional>

namespace quill {

// The five control bar buttons, in the order of the legends and shown flags of ControlBar.
enum class ControlButton { Continue = 0, Help = 1, Quit = 2, PageBack = 3, Utilities = 4 };
inline constexpr int kControlButtonCount = 5;

// Kinds of tutorial data file entries a chapter can perform (the entry's source).
enum class EntrySource { Hyper, Execute, Utility };

// What ended a wait for a key (a pause, a fill-in letter): a character key or a click.
struct KeyPress {
    bool click = false;  // a click on the screen or the picture
    TextChar key{};         // the character typed; null for a click
};

// What ended a wait for a quiz answer: a click on answer panel `answer` (1..4), or a key.
// The player decides which keys count (A..D by the number of answers).
struct QuizReply {
    int answer = 0;  // 1..4 for a click on an answer, 0 for a key
    TextChar key{};
};

class PlayerHost {
public:
    virtual ~PlayerHost() = default;

    // ---- waits -----------------------------------------------------------------------------
    // The control bar (TextScreen::controlBar(), already made visible) is shown; returns the
    // button pressed. Help and Utilities are returned too: the player shows the help or runs
    // the utility and waits again.
    virtual ControlButton waitForButton() = 0;
    // Waits for a key press or a click on the screen (pause, fill-in answers).
    virtual KeyPress waitForKey() = 0;
    // Waits the given time (delay, blink, pop-up). Returns true when a key or a click ended it
    // early.
    virtual bool waitDelay(int milliseconds) = 0;
    // One slow-typing step: returns after 100 milliseconds, processing events meanwhile.
    virtual void waitSlowTick() = 0;
    // Lets the host process pending events; the player calls it every few hundred lines so a
    // chapter that loops without waiting can still be stopped.
    virtual void processEvents() = 0;
    // True once the run must end (window closed, answers ran out).
    virtual bool stopRequested() const = 0;

    // ---- answers (the control is on the screen: TextScreen::answers()) ----------------------
    // The input box: returns the text typed, ended by Enter (at most the box's length).
    virtual Text askInput() = 0;
    // The two-button panel: true for the left button, false for the right one.
    virtual bool askChoice() = 0;
    // The list menu: the chosen item, 0-based.
    virtual int askList() = 0;
    // The menu buttons of the screen: the button pressed, 1-based.
    virtual int askMenuButton() = 0;
    // The quiz answer panels: a click on one of them, or a key.
    virtual QuizReply askQuizAnswer() = 0;
    // The memo box: the lines typed when its OK is pressed.
    virtual TextList askMemo() = 0;
    // The utility chooser: the index of the chosen name, nullopt when cancelled.
    virtual std::optional<int> chooseUtility(const TextList& names) = 0;

    // ---- messages ----------------------------------------------------------------------------
    virtual void showError(const Text& text) = 0;
    virtual void showInfo(const Text& text) = 0;

    // ---- outside actions ---------------------------------------------------------------------
    // Loads the entry of that name and source from the tutorial data file and performs it
    // (a text window, a program, a web page, a media file, ...). Returns false when no such
    // entry is defined; the player then shows its "has not been defined" information box.
    virtual bool performEntry(EntrySource source, const Text& name) = 0;
    // Opens the notes editor on the file (loaded when it exists) with the caption, and returns
    // when the learner closes it.
    virtual void openNotes(const std::filesystem::path& file, const Text& caption) = 0;
    // Asks "Would you like to print the file ?" (or the question when it is not empty) and on
    // OK prints the lines, one printer line each.
    virtual void printLines(const TextList& lines, const Text& question) = 0;
    // Shows the tutorial's help file at the topic.
    virtual void showHelp(const Text& helpFile, int topic) = 0;
};

}  // namespace quill
