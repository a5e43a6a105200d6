#pragma once
// The program launcher: runs the program of an executable spec (kind 4: "PROGRAM" or
// "PROGRAM,PARAMETERS") or of a Windows program text (kind 9: "PROGRAM FILE", where FILE names a
// file of the project folder), waiting until it ends while the windows stay responsive.
//
// The command line is first built as a Windows command line (LaunchCommandLine), the form that
// stored entries are written for, then planned for Linux (PlanLaunch): the program is looked for in the project folder
// (ignoring case, ".exe" added to a name without extension), then on the PATH; Windows
// programs (.exe, .com, .bat) run through Wine when it is installed. A name that leads out of
// the folder is refused, and nothing starts before the learner has allowed it.
#include <QString>
#include <QStringList>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "platform/system_services.h"

namespace quill {

struct AidsContext;

enum LaunchKind : int { LaunchExecutable = 4, LaunchWindowsProgram = 9 };

// The parts of a command line: the program as named and the argument text.
struct LaunchCommand {
    std::string program;    // Windows-1252, as named by the command text
    std::string arguments;  // kind 4: the parameters; kind 9: the project folder + the file
    std::string file;       // kind 9: the file named after the program (empty: none)
    // The program name in double quotes, a blank, and the arguments.
    std::string Text() const { return "\"" + program + "\" " + arguments; }
};

// Kind 4: program = the command text up to its first ",", arguments = the rest (empty without one).
// Kind 9: the text is split at its first blank; arguments = the project folder (with a trailing
// separator) + the rest; a text without a blank names the program alone (no argument).
LaunchCommand LaunchCommandLine(int kind, const std::string& command,
                                const std::filesystem::path& projectDir);

// What to start on this system, or the message why it cannot be started.
struct LaunchPlan {
    ProgramRun run;
    QString error;  // not empty: nothing to start
};

// The parameters of kind 4 split as a Windows program splits its command line: at blanks,
// with double quotes grouping.
QStringList SplitParameters(const std::string& parameters);

// `findOnPath` finds an executable on the PATH (SystemServices::FindProgram).
LaunchPlan PlanLaunch(int kind, const LaunchCommand& command, const std::filesystem::path& projectDir,
                      const std::function<std::optional<QString>(const QString&)>& findOnPath);

// True for the names of Windows programs: ".exe", ".com", ".bat" in any letter case.
bool IsWindowsProgramName(const std::string& name);

// The command line as the learner is shown it before it starts: the program and each
// argument, those with blanks in double quotes.
QString ShownCommandLine(const ProgramRun& run);

// Plans the command, asks whether it may start (StartConsent) and runs it, waiting until the
// program ends; a program that cannot be run is reported in an error box.
void LaunchProgram(AidsContext& context, int kind, const std::string& command);

}  // namespace quill
