#pragma once
// Checking a chapter without running it. Every line the player would run is looked at as the
// player would run it: a command is read by the parse of its row in the command table
// (script/command_table.h, script/commands.h), the same code that reads it in the player, and
// its value is then checked against the project and the chapter. What is certain to stop the
// player, or to show the learner an error box, when it reaches the line is reported with the
// player's own message (script_messages.h):
//   - lines that do not translate (unknown keywords, colour words not in the colour table);
//   - operands in error: numbers, ranges, file names, letter identifiers, legends, headings;
//   - jumps, page labels and nested quizzes inside a branch section or a quiz;
//   - branch sections without their markers, quiz answers without their answer markers, a
//     return to a quiz or an exit from it whose marker is not there;
//   - match tables, box menus and button menus that run out of lines or have bad lines;
//   - jumps to labels not in the chapter, chapters that do not exist (also to return to),
//     pictures that are not in the tutorial folder, window texts that are not in the data file.
// Warnings are what depends on the run or only shows an information box: a file to print that
// the chapter may write first, a rejoin label missing, an executable or a hypertext word
// without its data file entry, an entry whose picture or sound is not in the folder, a match
// list that is read only when a file exists.
// Lines that commands read as data (match lists, answer texts, pop-up text) are not read as
// commands; the actions of match tables and menus are.
#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "project/config_record.h"
#include "script/translate.h"

#include "text/line_buffer.h"

namespace quill {

struct ScriptProblem {
    std::size_t line;     // 1-based line number in the chapter
    std::string message;  // Windows-1252
    bool warning = false;
};

// What a check knows of the project: the configuration record (colours, headings), the project
// folder (pictures, chapters, file names) and the data file (window texts, executables,
// hypertext entries). It reads the folder listing and the data file once, when it is made, so
// one context serves many checks; make a new one when the project's files change. A context is
// not changed by checking and may be used from one thread at a time.
class CheckContext {
public:
    // A tutorial's default record, no folder: file and data file checks are left out.
    CheckContext();
    // `dataFile` may name a file that does not exist (a tutorial without entries).
    CheckContext(const TTutorialConfig& config, std::filesystem::path projectDir, std::filesystem::path dataFile);
    ~CheckContext();
    CheckContext(CheckContext&&) noexcept;
    CheckContext& operator=(CheckContext&&) noexcept;

    const TTutorialConfig& Config() const;
    const ColorTable& Colors() const;
    const std::filesystem::path& ProjectDir() const;
    bool HasFolder() const;
    bool HasDataFile() const;
    // A regular file of that name (a bare name, or with '\' or '/' folders) in the project
    // folder, ignoring case.
    bool FileExists(std::string_view name) const;
    bool HasEntry(std::string_view source, std::string_view name) const;
    bool HasWindowText(std::string_view name) const;
    // Names already found to lie inside the project folder, so that a name used on many lines
    // is resolved on disk once per context (an outside name is resolved again each time, for
    // its message).
    bool KnownInside(std::string_view name) const;
    void RememberInside(std::string_view name) const;
    // The file of a picture, sound, video or MIDI entry that is not in the folder.
    std::optional<std::string> MissingMediaOf(std::string_view source, std::string_view name) const;

    // Overrides, for callers that know better (tests, the old interface).
    void SetColors(const ColorTable& colors);
    void SetChapterExists(std::function<bool(const std::string&)> chapterExists);
    bool ChapterExists(const std::string& name) const;

private:
    struct Data;
    std::unique_ptr<Data> d_;
};

// The chapter as one buffer (as read from its file), or as separate lines.
std::vector<ScriptProblem> CheckChapter(const LineBuffer& lines, const CheckContext& context);
std::vector<ScriptProblem> CheckChapter(const std::vector<std::string>& lines, const CheckContext& context);

// Only the checks that need no project folder: `chapterExists` answers whether a chapter file
// (a bare name such as "SAFETY2.QKS") exists.
std::vector<ScriptProblem> CheckChapter(const std::vector<std::string>& lines, const ColorTable& colors,
                                        const std::function<bool(const std::string&)>& chapterExists);

}  // namespace quill
