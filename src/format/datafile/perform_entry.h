#pragma once
// Performing a data-file entry: what happens when the learner clicks a hypertext word, a chapter
// runs an executable, the author views an entry, or the Utilities button runs a utility. The
// entry's type code picks one action of EntryActions, which the player and the windows
// implement (the entry viewers, the media preview, the program launcher, the shell, the notes
// editor).
#include <string>

#include "datafile/data_file.h"

namespace quill {

enum class TextDisplay {
    Plain,     // type 1: the plain display, placed at the entry's text window
    Viewport,  // type 5: the 640 x 480 viewport display with its background
};

class EntryActions {
public:
    virtual ~EntryActions() = default;
    // Types 1 and 5: the settings and text lines of the parsed text entry.
    virtual void ShowTextEntry(TextDisplay display, const std::string& name,
                               const TScreenBackground& settings, const TextLines& text) = 0;
    // Types 2, 3, 6, 7, 8: the media preview with the entry name and its command.
    virtual void PreviewMedia(const std::string& name, const std::string& command) = 0;
    // Types 4 and 9: the program launcher of that kind.
    virtual void LaunchProgram(int kind, const std::string& command) = 0;
    // Type 10: open with the shell's "open" verb, shown normally.
    virtual void OpenWithShell(const std::string& command) = 0;
    // Type 13: the notes editor on the file the command names.
    virtual void OpenNotes(const std::string& notesFile) = 0;
};

// The type code of loaded entry lines: line 2 after its "=", at most two characters; nullopt
// when that is not a number (or the entry has no line 2).
std::optional<int> EntryType(const TextLines& entry);

// Does what the type code of the entry (lines as LoadEntry gives them) says; codes without an
// action (0, 11, 12, above 13, or not a number) do nothing. Returns the entry's name (line 0,
// brackets removed when it begins with "["), which the player keeps as its current entry name.
std::string PerformEntry(const TextLines& entry, EntryActions& actions);

}  // namespace quill
