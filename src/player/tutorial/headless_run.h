#pragma once
// One headless run of a project: a chapter, or the whole tutorial in the order of the
// whole-tutorial preview, answered from a script of answers with virtual time. quillc play,
// quillc test, quillc coverage, the runtime player's headless mode and the chapter editor's
// coverage all run through it; what they do with the run (print messages, trace lines, keep a
// transcript, record coverage) they attach here.
//
// Needs a QGuiApplication (the screen draws with fonts).
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "engine/chapter_player.h"
#include "headless_host.h"

namespace quill {

class PlayObserver;
class Project;

struct HeadlessRunOptions {
    std::string chapter;                  // Windows-1252; empty: the whole tutorial
    std::vector<HeadlessAnswer> answers;
    std::filesystem::path snapshots;      // a PNG at every wait, when not empty
    long long steps = 0;                  // the step limit of each chapter (0: none)
    ChapterPlayer::Tracer tracer;         // may be empty
    std::function<void(const HostMessage&)> messages;  // every message as it is shown
    std::vector<PlayObserver*> observers;  // told what each chapter's player performs
    // Keeps a transcript of the run (PlayTranscript) with this first line.
    bool transcript = false;
    QString transcriptHeading;
};

struct HeadlessRunResult {
    bool failed = false;  // a script error, a refused answer or the step limit, in any chapter
    std::vector<HostMessage> messages;
    QString transcript;  // when asked for
};

// Plays the run. Throws IoError when a snapshot cannot be written.
HeadlessRunResult RunHeadless(Project& project, const HeadlessRunOptions& options);

// Reads an answers file (UTF-8, at most 16 MiB). Throws IoError when it cannot be read; lines
// that are not answers are listed in *errors.
std::vector<HeadlessAnswer> ReadAnswersFile(const std::filesystem::path& file, QStringList* errors);

}  // namespace quill
