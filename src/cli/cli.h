#pragma once
// quillc, the command-line tool: one program, several commands. Each command prints the texts
// the desktop program shows in its message boxes, one a line, "ERROR: " before an error and
// "INFO: " before information. Exit status: 0 success, 1 the job failed, 2 wrong usage or a
// file that cannot be read.
#include <filesystem>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class QGuiApplication;
class QString;

namespace quill {
class Project;
struct HeadlessAnswer;
struct BuildMessage;
using BuildMessages = std::vector<BuildMessage>;
}  // namespace quill

namespace quillc {

enum Exit : int { ExitOk = 0, ExitFailed = 1, ExitUsage = 2 };

struct Io {
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
};

using Args = std::vector<std::string>;

// Runs quillc with the arguments after the program name.
int Run(const Args& args, Io io);

// A message (Windows-1252) as one line: CR, LF and tab inside it are printed as "\r", "\n" and
// "\t", other control characters as "\xNN"; a message of more than 2000 bytes is cut in the
// middle, saying how many bytes were cut.
void PrintError(Io io, std::string_view message);
void PrintInfo(Io io, std::string_view message);
// An input/output failure, whose text (from quill::IoError) is already UTF-8.
void PrintSystemError(Io io, std::string_view utf8Message);
std::string EscapeLineBreaks(std::string_view message);
// An error of several lines (a reason, then the files or messages it lists), one "ERROR: " line
// for each.
void PrintSystemErrorLines(Io io, std::string_view utf8Text);

// Every message of a build action, in order (errors and information; a plain box as INFO).
void PrintMessages(Io io, const quill::BuildMessages& messages);

// Progress of a long run on standard error, shown only when io.err is the process's standard
// error and that is a terminal. Each Show replaces the previous line; Done ends it.
class Progress {
public:
    explicit Progress(Io io);
    ~Progress() { Done(); }
    void Show(const std::string& utf8Text);
    void Done();

private:
    std::ostream* err_ = nullptr;  // null when progress is not shown
    bool open_ = false;
};

// Opens the project of a .QKJ named on the command line (the file must exist). Prints an error
// and returns false when it cannot be read.
bool OpenProjectFile(Io io, quill::Project& project, const std::string& utf8Path);
// Why the file is not a project file (UTF-8, naming it), or nullopt: it must be a regular file
// that holds a configuration record, and its name must end in ".QKJ" (any letter case), so
// that opening it never makes a project file beside it.
std::optional<std::string> ProjectFileError(const std::filesystem::path& file);

// The two words of a command that takes exactly two and no options (a project file and what
// to write), or nullopt for wrong usage: another count, an option or an empty word.
std::optional<std::pair<std::string, std::string>> TwoOperands(const Args& args);

// True when args hold "--help" or "-h".
bool WantsHelp(const Args& args);

// The commands, each in a file of its own. args are the words after the command's name.
int CmdNew(const Args& args, Io io);
extern const char* const kNewHelp;
int CmdTranslate(const Args& args, Io io);
extern const char* const kTranslateHelp;
int CmdCheck(const Args& args, Io io);
extern const char* const kCheckHelp;
int CmdCompile(const Args& args, Io io);
extern const char* const kCompileHelp;
int CmdDistribute(const Args& args, Io io);
extern const char* const kDistributeHelp;
int CmdExportWeb(const Args& args, Io io);
extern const char* const kExportWebHelp;
int CmdPlay(const Args& args, Io io);
extern const char* const kPlayHelp;

// The headless run of quillc play on an open project: one chapter, or the whole tutorial when
// the chapter is empty. The learner's player runs compiled tutorials through it too.
struct PlayRun {
    std::string chapter;             // as typed (UTF-8); empty: the whole tutorial
    std::string answers, snapshots;  // the files named on the command line (may be empty)
    bool trace = false;
    long long steps = 0;
    std::string bless, expect;       // the transcript to write, the one to compare with
};
int PlayProject(quill::Project& project, const PlayRun& run, Io io);

// The helpers of the headless commands (play, test, coverage).
// Makes the offscreen GUI application the screen needs, unless there is one (then null); keep
// it for as long as the runs last.
std::unique_ptr<QGuiApplication> EnsureGuiApplication();
// Reads an answers file; prints what is wrong with it and returns nullopt.
std::optional<std::vector<quill::HeadlessAnswer>> ReadAnswers(Io io, const std::string& utf8Path);
// The first line of a transcript: "transcript of the chapter NAME" or "... the whole tutorial".
std::string TranscriptHeading(const std::string& chapter);
// Writes the transcript to `bless` (when not empty; says so unless quiet) and compares it with
// `expect` (when not empty), printing a unified diff. ExitOk, ExitFailed on a difference,
// ExitUsage when a file cannot be written or read.
int KeepOrCompareTranscript(Io io, const QString& transcript, const std::string& bless, const std::string& expect,
                            bool quiet);

int CmdTest(const Args& args, Io io);
extern const char* const kTestHelp;
int CmdCoverage(const Args& args, Io io);
extern const char* const kCoverageHelp;
int CmdExportScorm(const Args& args, Io io);
extern const char* const kExportScormHelp;

}  // namespace quillc
