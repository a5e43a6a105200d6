#pragma once
// PlayObserver: what the chapter player performed, told as it happens, for tools that look at
// a run from outside (coverage of a tutorial's tests). The player calls it only when one is set;
// every call is cheap and changes nothing in the run.
//
// Lines are 1-based numbers of the chapter that started last (chapterStarted).
#include "engine_types.h"
#include <string>

namespace quill {

// The lists of entries the learner picks one of.
enum class PickList {
    MatchList,   // a match table (*MatchJump, *MatchFileJump): the entries, then the final action
    ListMenu,    // the box menu's list
    ButtonMenu,  // the menu buttons
};

class PlayObserver {
public:
    virtual ~PlayObserver() = default;
    // A chapter file (NAME.QKS) was loaded and runs from its first line.
    virtual void chapterStarted(const std::string& chapterFile) = 0;
    // The player took the line: it runs it, or reads it as part of the command it runs (a pop-up
    // text, a quiz answer, a menu entry, a match list). Lines passed over (a branch section not
    // taken, the other line of a two-way jump) are not reported.
    virtual void lineReached(int line) = 0;
    // A branch section starts running: `markerLine` is its "&1" or "&2" line.
    virtual void sectionEntered(int markerLine) = 0;
    // A quiz answer was chosen: the answers stand on the `count` lines from `firstLine`;
    // `answer` is 1..count, 0 when the run stopped before an answer.
    virtual void answerChosen(int firstLine, int count, int answer) = 0;
    // An entry of a list was picked: the entries stand on the `count` lines from `firstLine`;
    // `picked` is 0-based, -1 for none. For a match list the last entry is the final action.
    virtual void entryPicked(PickList list, int firstLine, int count, int picked) = 0;
    // A hypertext word was followed.
    virtual void wordFollowed(const Text& word) = 0;
};

}  // namespace quill
