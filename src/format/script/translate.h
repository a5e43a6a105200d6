#pragma once
// Translation of a command line ("*ClearScreen Blue") into its translated line (":FE,13"),
// the only form the player's dispatcher runs. Translation is done each time a command line is
// about to run; the translated line is never stored.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "project/config_record.h"
#include "text/find_byte.h"

namespace quill {

// The colour words of a tutorial: the names of the 26 entries of the configuration record's
// colour table. A colour word in a command line becomes its colour code: 1..26 for a table
// entry, 27 for "Default".
class ColorTable {
public:
    ColorTable();  // the table of a new tutorial (SetConfigDefaults)
    explicit ColorTable(const TTutorialConfig& config);

    // The colour code of a word, ignoring case: 27 for "Default"; otherwise the position of the
    // LAST entry with that name (an author who renamed an entry to a name already in use gets
    // the later one); 0 when no entry has that name.
    int CodeOf(std::string_view word) const;

    // The entry's name as stored (Windows-1252), code 1..26.
    const std::string& Name(int code) const { return names_.at(static_cast<std::size_t>(code - 1)); }

private:
    std::array<std::string, 26> names_;  // as stored
    // The codes of the names by a hash of their upper-cased bytes (0: an empty slot; the next
    // slot is taken on a collision), so that a word is compared with one name or two.
    static constexpr std::size_t kColorSlots = 64;
    std::array<std::uint8_t, kColorSlots> slots_{};
};

// Message endings of translation errors; the message is the whole line followed by one of them.
inline constexpr std::string_view kNotValidCommand = " is not a valid command";
inline constexpr std::string_view kInvalidColorKeyWord = " has an invalid Color KeyWord";

struct Translation {
    std::string line;   // the translated line (empty when the keyword is unknown)
    std::string error;  // the message of the first error, empty when there was none
    bool ok() const { return error.empty(); }
};

// Translates a command line (it starts with '*'; trailing blanks are ignored). An unknown
// keyword gives the line + " is not a valid command" and no translated line. A colour word
// that is not in the table gives the line + " has an invalid Color KeyWord"; translation goes
// on without a field for that colour, and the line must not be run. Only the first error of a
// line is kept: the player stops on it, so one box per line is all the author sees.
//
// Arguments are taken as words separated by one or more blanks; a missing argument is an empty
// field, never an error. Words are taken the same way at any position of the line, however
// long it is.
Translation TranslateCommandLine(std::string_view line, const ColorTable& colors);

// The same into buffers the caller reuses (cleared first): true when there was no error.
bool TranslateCommandLine(std::string_view line, const ColorTable& colors, std::string& out,
                          std::string& error);
struct CommandSpec;

// A command line taken apart as translation takes it, without writing the translated line: the
// row of the command table that its keyword names, and the fields that translation would write
// after the command code, in order. The operand text of the translated line is these fields
// joined with ','; Operands::SetOperandFields reads them as it reads that text, so that a caller
// which only parses the command (the chapter checker) does not split the line a second time.
// A field is a view into the line, or into static text for a colour code and a button letter,
// or into `letters` for the letters of *CONTROLS.
inline constexpr std::size_t kMaxCommandFields = 10;  // one a layout letter at most
struct CommandFields {
    std::array<std::string_view, kMaxCommandFields> field;
    std::size_t count = 0;
    std::string letters;
    const std::string_view* begin() const { return field.data(); }
    const std::string_view* end() const { return field.data() + count; }
};
// The row of the keyword (nullptr for an unknown one) and its fields; `error` as translation
// gives it (a colour word not in the table leaves out its field, as in the translated line).
const CommandSpec* TranslateCommandFields(std::string_view line, const ColorTable& colors, CommandFields& out,
                                          std::string& error);

// The operand text of a translated line: what follows its first comma, empty when there is none
// (":FE,13" gives "13", ":FW" and ":FT" give "").
inline std::string_view OperandTextOf(std::string_view translated) {
    const std::size_t comma = FindByte(translated, ',');
    return comma == std::string_view::npos ? std::string_view() : translated.substr(comma + 1);
}

// Takes the next blank-separated word from the front of `text` and removes it together with the
// blanks that follow it. Empty when `text` holds only blanks.
std::string_view TakeScriptWord(std::string_view& text);

}  // namespace quill
