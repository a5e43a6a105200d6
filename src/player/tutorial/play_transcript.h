#pragma once
// PlayTranscript: a headless run written down as plain text that reads well in a diff, so an
// author can keep it and compare later runs with it (quillc play --bless / --expect, quillc
// test). At every wait it writes what the learner sees: the visible text of the screen (the
// characters on each text row, trailing blanks dropped, blank rows left out), the title, the
// headings and picture labels, and what the learner can act on (hypertext words, the control
// bar's buttons, the input box, the two-button choice, the list, the quiz answers, the menu
// buttons, the memo box). Then the answer taken, and every message and outside action in
// order:
//
//   --- wait 2: the control bar ---
//   title: Reading a Map
//   heading: 1. What a map shows
//   |    A map is a picture of the ground drawn as a bird would see it, looking
//   hypertext: "scale", "map key"
//   buttons: [Continue] [Quit] [Utilities]
//   > button C
//   INFO: answers ran out
//
// Waits outside a chapter (the about box, the introduction, the main menu) are written with
// their name only.
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

#include "engine/play_observer.h"
#include "headless_host.h"

namespace quill {

class TextScreen;

class PlayTranscript : public HeadlessListener, public PlayObserver {
public:
    // The screen must outlive the transcript; `heading` is the first line ("# ..."), may be empty.
    PlayTranscript(const TextScreen& screen, const QString& heading);


    // The transcript so far, lines ended by LF.
    QString text() const;

    // PlayObserver: a chapter begins (the whole tutorial runs several); the rest is not written.
    void chapterStarted(const std::string& chapterFile) override;
    void lineReached(int) override {}
    void sectionEntered(int) override {}
    void answerChosen(int, int, int) override {}
    void entryPicked(PickList, int, int, int) override {}
    void wordFollowed(const QString&) override {}

    // HeadlessListener
    void waitReached(const char* waitName, const QImage* picture) override;
    void answerTaken(const HeadlessAnswer& answer) override;
    void messageShown(const HostMessage& message) override;
    void actionDone(const QString& action) override;

private:
    void screenLines();

    const TextScreen& screen_;
    QStringList lines_;
    int waits_ = 0;
    // The plain text of the window text shown last (converted once per window text).
    std::vector<std::string> richLines_;
    QString richText_;
};

}  // namespace quill
