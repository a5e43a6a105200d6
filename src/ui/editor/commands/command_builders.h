#pragma once
// The command builders of the chapter editor's "Commands" drop-down: for every option of a
// command dialog, the questions it asks (through a Prompter) and the chapter lines it writes.
// Builders know nothing of windows; the command dialogs (CommandListDialog) only run them.
#include <QString>
#include <QStringList>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/commands/prompter.h"
#include "platform/help_topics.h"

namespace quill {

class TTutorialConfig;

// What builders read from the tutorial: the colour and heading names of the configuration
// record (read when a line is written, so a heading renamed from the heading picker counts)
// and the names of the data file's entries of one source ("WINTEXT", "EXECUTE").
struct CommandData {
    const TTutorialConfig& config;
    std::function<std::vector<std::string>(std::string_view source)> entryNames;
};

using CommandBuilder = std::function<QStringList(Prompter&, const CommandData&)>;

struct CommandOption {
    QString objectName;  // of its radio button
    QString caption;     // " *ClearScreen"
    int topic = 0;       // the help topic "Explanation" opens once it is chosen
    CommandBuilder build;
};

struct CommandGroup {
    QString title;  // " Basic Commands "
    std::vector<CommandOption> options;
};

struct CommandCategory {
    QString item;      // the drop-down item, "Basic Commands"
    QString formName;  // the dialog's class, "TBasicCommsForm"
    HelpTopic baseTopic = HelpTopic::Contents;
    std::vector<CommandGroup> groups;
};

// The categories whose builders are here, in drop-down order.
const std::vector<CommandCategory>& CommandCategories();
// The category of a drop-down item, or nullptr.
const CommandCategory* FindCategory(const QString& item);
// An option by its caption, or nullptr.
const CommandOption* FindOption(const CommandCategory& category, const QString& caption);

// The text the colour marker buttons insert for a picker answer: "~A".."~Z" and "~+" for the
// text colour, "~a".."~z" and "~-" for the background; empty when the picker was cancelled.
QString TextColorMarker(int answer);
QString TextBackgroundMarker(int answer);

// Checks that keep builders from writing lines the player then refuses or misreads. Each gives
// the message to show, or an empty text.
//
// A file name as a chapter's file commands use it: no character that file names may not hold,
// nothing that leaves the tutorial folder, and, where the command reads the name as one word
// (`oneWord`), no blank.
QString FileNameProblem(const QString& name, bool oneWord);
// A colour entry (0..25) whose name a command line cannot carry: empty, with a blank, the word
// "Default", or the name of a later entry (which the translation would find instead).
QString ColorWordProblem(const TTutorialConfig& config, int index);
// A heading (1..10) whose name a command line cannot carry: empty or with a blank.
QString HeadingNameProblem(const TTutorialConfig& config, int heading);

}  // namespace quill
