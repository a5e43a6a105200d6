#pragma once
// The tutorial data file (project name + ".QKR"): the introduction, hypertext links, executable
// programs, utilities and window texts of a tutorial, as entries of CR LF text lines:
//
//   [name]            header: any line that begins with "["
//   source=HYPER      the kind of material, upper case
//   key=value ...     the kind's keys in their fixed order ("type=", "command=", ...)
//   text=             (kinds with free text) then the text lines
//   ]                 closing line
//                     one empty line
//
// An entry is identified by (name, source), both compared ignoring case. Every function takes
// the data file's path (Project::DataFilePath() finds it ignoring case) and opens, reads or
// rewrites the file on each call; none keeps it open. An absent file is a file without entries.
// Strings are Windows-1252. Read failures throw IoError; every rewrite replaces the file
// atomically, so a failure leaves the previous file as it was and leaves no scratch file.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "datafile/screen_background.h"

namespace quill {

using TextLines = std::vector<std::string>;

// Source values.
inline constexpr std::string_view kSourceIntro = "INTRO";
inline constexpr std::string_view kSourceHyper = "HYPER";
inline constexpr std::string_view kSourceExecute = "EXECUTE";
inline constexpr std::string_view kSourceUtility = "UTILITY";
inline constexpr std::string_view kSourceWinText = "WINTEXT";
// The player keeps this many characters of a hypertext word, so a longer phrase can never
// reach its entry.
inline constexpr std::size_t kMaxHyperWordLength = 40;
// The refusal of a longer phrase, by the editors and by the course checker.
std::string HyperWordTooLong(std::string_view word);
// The text without its leading and trailing blanks: a name typed for an entry is stored so
// (a name of blanks only is no name).
std::string TrimBlanks(std::string_view text);
// The introduction's name (for DeleteEntry) and its header.
inline constexpr std::string_view kIntroductionName = "^INTRODUCTION^";
inline constexpr std::string_view kIntroductionHeader = "[^INTRODUCTION^]";

// Entry type codes of HYPER, EXECUTE and UTILITY entries (shared with the command types of the
// opening and closing commands). 1 and 5 are text entries, the others command entries.
enum EntryTypeCode : int {
    etTextOnly = 1,
    etGraphicOnly = 2,
    etVoiceOnly = 3,
    etExecutable = 4,
    etGraphicAndText = 5,
    etGraphicAndSound = 6,
    etVideoPlayer = 7,
    etMidiPlayer = 8,
    etWindowsProgram = 9,
    etHtmlFile = 10,
    etNotePad = 13,
};
inline bool IsTextEntryType(int code) { return code == etTextOnly || code == etGraphicAndText; }

// --- Reading -------------------------------------------------------------------------------

// True when some entry's second line is exactly "source=" + the upper-cased source (a source
// written in lower case by hand is therefore not found here).
bool HasEntryOfSource(const std::filesystem::path& file, std::string_view source);

// Appends the name of every entry whose source value (after the first "=" of its second line)
// equals source ignoring case, in file order.
void ListEntryNames(TextLines& list, const std::filesystem::path& file, std::string_view source);

// Fills list with the entry (name, source): its name without brackets, its source line and the
// following lines through the closing "]" (or to the end of a file cut short). Of two equal
// entries the later is returned. The list is left as it was when nothing is found.
bool LoadEntry(const std::filesystem::path& file, std::string_view name, std::string_view source,
               TextLines& list);

// For every name ListEntryNames gives for the source (in file order), the entry lines LoadEntry
// gives for that name, from one read of the file. Scans over all entries of a large file use
// this rather than one LoadEntry (one read of the file) per name.
std::vector<TextLines> LoadEntriesOfSource(const std::filesystem::path& file,
                                           std::string_view source);

// True when the file exists, newName differs from oldName ignoring case, and an entry
// (newName, source) exists. Renaming an entry to its own name is never "in use".
bool NameInUse(const std::filesystem::path& file, std::string_view newName,
               std::string_view oldName, std::string_view source);

// Fills settings and text from the lines LoadEntry gave for a text entry: lines 3..12 and 15
// into the settings (a value that cannot be read keeps what settings held; lines 13 and 14 are
// not read back), every line from 17 on (the final "]" included) appended to text.
void ParseTextEntry(const TextLines& entry, TScreenBackground& settings, TextLines& text);

// Appends the introduction's text lines to text; true when the file has an introduction.
bool LoadIntroduction(const std::filesystem::path& file, TextLines& text);

// Gives the colour text ("color=" value) and appends the text lines of the window text name;
// true when found.
bool LoadWindowText(const std::filesystem::path& file, std::string_view name, std::string& color,
                    TextLines& text);

// --- Writing -------------------------------------------------------------------------------

// Appending: the entry goes at the end of the file, which is created when absent. No test for
// an existing entry of that name is made here (callers ask NameInUse first).
void AddCommandEntry(const std::filesystem::path& file, std::string_view name, int typeCode,
                     std::string_view source, std::string_view command);
void AddTextEntry(const std::filesystem::path& file, std::string_view name, int typeCode,
                  std::string_view source, const TextLines& text,
                  const TScreenBackground& settings);
void AddIntroduction(const std::filesystem::path& file, const TextLines& text);
void AddWindowText(const std::filesystem::path& file, std::string_view name,
                   std::string_view color, const TextLines& text);

// Rewriting: every entry (oldName, source) is replaced in place by the new entry under newName.
// When no such entry exists the new entry is appended, so a modification is never lost.
void ModifyCommandEntry(const std::filesystem::path& file, std::string_view newName,
                        std::string_view oldName, std::string_view source,
                        std::string_view command, int typeCode);
void ModifyTextEntry(const std::filesystem::path& file, std::string_view newName,
                     std::string_view oldName, std::string_view source, const TextLines& text,
                     const TScreenBackground& settings, int typeCode);
// Removes every window text oldName and appends the window text newName at the end of the
// file, in one rewrite (so a failure keeps the old window text).
void ReplaceWindowText(const std::filesystem::path& file, std::string_view oldName,
                       std::string_view newName, std::string_view color, const TextLines& text);
// Removes every entry (name, source). A file left with empty lines only is deleted. An entry
// without its closing "]" line ends at the next entry's header, which is kept; the result is
// true when such a damaged entry was removed.
bool DeleteEntry(const std::filesystem::path& file, std::string_view name,
                 std::string_view source);
// Replaces the text of the introduction (of every introduction header); appends an introduction
// when the file has none.
void ReplaceIntroduction(const std::filesystem::path& file, const TextLines& text);

// --- Entry lines as written ----------------------------------------------------------------

TextLines CommandEntryLines(std::string_view name, int typeCode, std::string_view source,
                            std::string_view command);
TextLines TextEntryLines(std::string_view name, int typeCode, std::string_view source,
                         const TextLines& text, const TScreenBackground& settings);

// --- Compiled data image -------------------------------------------------------------------

// The compiled data image of the data file's bytes: a 13-byte header (magic "QR1" as a
// string[4], entry count, index offset), the entry bodies (header line, source value, the
// remaining lines up to the closing "]", each + CR LF) and one 80-byte index record per entry.
// Throws FormatError when the image would pass the 2 GB its 32-bit offsets can address.
std::string BuildCompiledImage(std::string_view dataFileBytes);
inline constexpr std::size_t kImageHeaderSize = 13;
inline constexpr std::size_t kImageIndexRecordSize = 80;

// The compiled image of the data file, or nullopt when the file does not exist.
std::optional<std::string> CompiledDataImage(const std::filesystem::path& file);

// Writes the compiled image beside the data file as its name + "." + extension; false when the
// data file does not exist.
bool PackDataFile(const std::filesystem::path& file, std::string_view extension);

}  // namespace quill
