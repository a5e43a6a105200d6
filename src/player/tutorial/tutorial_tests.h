#pragma once
// A tutorial's own tests: the answers files NAME.answers in the folder "tests" of the project,
// each kept with the transcript NAME.transcript of its run. A first line "# chapter NAME" plays
// that chapter; any other file plays the whole tutorial. Each run keeps the learner's files in
// a new empty folder of its own, so runs do not depend on each other or on what a learner left
// in the tutorial's folder, and the tutorial's folder is not written.
// quillc test and quillc coverage run them; the chapter editor shows what they leave unreached.
#include <QString>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "headless_host.h"
#include "tutorial/headless_run.h"
#include "tutorial/play_coverage.h"

namespace quill {

class Project;

struct TestRun {
    std::string name;      // the file's name without ".answers"
    std::string chapter;   // UTF-8, from a first line "# chapter NAME"; empty: the whole tutorial
    std::vector<HeadlessAnswer> answers;
    std::string problem;   // why the file cannot be used (UTF-8, naming it); empty when it can
};

// The answers files of the project's tests folder ("tests" in any letter case), by name.
std::vector<std::filesystem::path> TestAnswersFiles(const std::filesystem::path& projectDir);
// Reads an answers file (a problem is kept in the run).
TestRun ReadTestRun(const std::filesystem::path& file);
// Plays the run on a copy of the project whose learner's files go to a new empty folder. A
// whole tutorial without its first chapter fails with the main window's message. Throws
// IoError as RunHeadless does.
HeadlessRunResult PlayTestRun(const Project& project, const TestRun& run, HeadlessRunOptions options);

// The project's chapters (NAME*.QKS) as they are on disk. Throws IoError.
std::vector<CoverageChapter> ReadProjectChapters(const Project& project);

// What the project's tests leave unreached in one chapter: the gaps' texts by line. `error`
// says why nothing could be run (no tests, a wrong answers file).
std::map<int, QStringList> UnreachedByTests(const Project& project, const std::string& chapterFile, QString* error);

}  // namespace quill
