#pragma once
// quilplay, the learner's player: it plays a compiled tutorial (the ".QKD" configuration record
// and data image, the ".QKC" chapters) as "Pre-View Tutorial" plays the project: the same
// whole-tutorial sequence, reading the compiled files. This
// library holds everything but the windows: the command line, opening the compiled tutorial,
// the learner's folder and the headless run; main.cpp adds the window.
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "cli.h"
#include "project/project.h"

namespace quilplay {

using quillc::Args;
using quillc::Io;

extern const char* const kHelp;

struct Options {
    std::string tutorial;          // FOLDER or FILE.QKD (empty: the current folder)
    bool window = false;           // a window instead of the full screen
    bool headless = false;         // no display: answers, snapshots and trace
    bool dataFolder = false;       // only print where the learner's files are kept
    std::string answers, snapshots;
    std::string bless, expect;     // the transcript to write, the one to compare with
    bool trace = false;
    long long steps = 0;
    // Where the learner's data folders live ($XDG_DATA_HOME, else ~/.local/share); and, for
    // tests, whether the tutorial folder counts as writable (nullopt: try it).
    std::filesystem::path dataHome;
    std::optional<bool> folderWritable;
};

// Parses the arguments after the program name. Prints the problem and returns nullopt on wrong
// usage; `help` is set for --help.
std::optional<Options> ParseArgs(const Args& args, Io io, bool& help);

// $XDG_DATA_HOME when set and absolute, otherwise $HOME/.local/share; empty without either.
std::filesystem::path DefaultDataHome();

// The name of a tutorial's learner folder: the tutorial's name with every byte that could make
// it a path of its own written as %XX (separators, control characters, '%', a name of dots
// only); never empty.
std::string LearnerFolderName(const std::string& tutorialName);

// True when a file can be created in the folder (tried, not guessed from permission bits).
bool FolderIsWritable(const std::filesystem::path& folder);

// The learner's folder for a tutorial: its own folder when writable, otherwise
// dataHome/quilplay/<LearnerFolderName>. Throws quill::UserError when it would need the data
// home and there is none.
std::filesystem::path LearnerFolder(const std::filesystem::path& tutorialDir, const std::string& tutorialName,
                                    bool tutorialWritable, const std::filesystem::path& dataHome);

// The options with a tutorial to play when none was named and the current folder holds no
// compiled tutorial (as when the program is started from the desktop's menu): `choose` asks the
// learner for one (a file chooser). nullopt when the learner chose none.
std::optional<Options> WithChosenTutorial(Options options,
                                          const std::function<std::optional<std::filesystem::path>()>& choose);

// Opens the compiled tutorial named on the command line (a folder holding one ".QKD", or the
// ".QKD" itself): the record, the compiled source and the learner's folder. Throws
// quill::IoError (damaged or unreadable files) or quill::UserError (nothing to play), each
// with a message naming the file.
quill::Project OpenCompiledTutorial(const Options& options);

// The headless run of the whole tutorial, printing as quillc play does. Returns the exit status.
int PlayHeadless(quill::Project& project, const Options& options, Io io);

}  // namespace quilplay
