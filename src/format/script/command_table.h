#pragma once
// The command table of the chapter language: every keyword, its command code, the layout of
// its arguments and the parse that reads a translated line of it into its value (commands.h),
// in one place. Translation (translate.h), the player, the chapter checker and the tools that
// look at chapter lines read it from here. commands.h says how a command is added.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "script/commands.h"

namespace quill {

// Layout letters, one per field of the translated line, in order:
//   w  a word argument, always appended as "," + word (empty when missing)
//   c  a colour argument, always appended as "," + colour code (27 when missing)
//   o  an optional trailing colour, appended only when words remain
//   r  the rest of the line, always appended as "," + rest
//   R  the rest of the line, appended only when it is not empty
//   L  the control letters of *CONTROLS: "," + the letters, only when words remain
//   B  the button letter of *CONTROLBUTTONTAG: "," + letter (or nothing), only when words remain
//   F  the rest of the line appended with no comma (*RETURNTOFILE gives "@F" + rest)
// Reads the operands and following lines of a translated line into the command's value.
using CommandParse = CommandValue (*)(CommandReader&);

struct CommandSpec {
    std::string_view keyword;  // upper case, '*' included
    std::string_view code;     // ":FE", ":X", "@F"
    std::string_view layout;
    // nullptr for *RETURNTOFILE, whose translation ("@F" + chapter) is a marker line of its own
    CommandParse parse = nullptr;
};

// Every command, in the order of the chapter language's reference.
std::span<const CommandSpec> CommandTable();

// The value of a translated command, read by its row's parse; `reader.op` holds the operand
// text and the line text. Look at reader.op.Stopped() once afterwards. (Inline: the player and
// the checker call it for every command.)
inline CommandValue ParseCommand(const CommandSpec& row, CommandReader& reader) {
    reader.letter = row.code.size() > 2 ? row.code[2] : '\0';
    return row.parse(reader);
}

// The command of an upper-cased keyword ("*CLEARSCREEN"), or nullptr when there is none.
const CommandSpec* FindCommand(std::string_view upperKeyword);
// The same for a keyword already laid out as translation reads it: its `size` bytes (at most
// kMaxKeywordLength), upper-cased, then zeros, in three words (byte i in bits 8 (i % 8) of
// word i / 8).
struct PackedKeyword {
    std::uint64_t words[3];
};
const CommandSpec* FindCommand(const PackedKeyword& upperKeyword, std::size_t size);

// The row that runs a translated line (":FE,13"): its code is the first three characters, and
// every line of group X (":X...") is *EXIT. nullptr when there is none: such a line is not a
// valid command, except in the jump group, where unknown letters are passed over
// (IgnoredCode).
const CommandSpec* FindCode(std::string_view translated);
inline bool IgnoredCode(std::string_view translated) { return translated.size() > 1 && translated[1] == 'J'; }

// The longest keyword, '*' included: longer words are never keywords.
inline constexpr std::size_t kMaxKeywordLength = 19;
// The most layout letters of a command.
inline constexpr std::size_t kMaxLayoutLength = 10;

// Colour code for the default colour of a command.
inline constexpr int kDefaultColorCode = 27;

}  // namespace quill
