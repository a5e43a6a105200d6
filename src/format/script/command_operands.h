#pragma once
// The operands of the drawing and positioning commands, read and checked before the command
// acts. The parses of the command table (command_table.cpp) read them, for the player and the
// chapter checker alike.
//
// Each Read function reads all of its fields, also after one in error (the operand routines
// report only the first error to the player and the checker), and returns false when a field
// was in error (the stop flag of `op` is then set).
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "project/config_record.h"
#include "script/operands.h"

namespace quill {

// Numbers in order.
inline bool ReadNumbers(Operands& op, std::initializer_list<int*> into) {
    for (int* number : into) *number = op.NextNumber();
    return !op.Stopped();
}
// Four numbers: start column, start row, end column, end row; with an empty operand text none,
// and the values stay as they are (as Operands::Rectangle, which stops at the first error).
bool ReadRectangle(Operands& op, int& c1, int& r1, int& c2, int& r2);
// A text colour, then a background colour (each its default when missing).
bool ReadTextColours(Operands& op, std::uint32_t& text, std::uint32_t& back);

// Boxes and timed pop-up boxes (:BN :BR :BS :BF, :BP :BC :BU :BT).
struct BoxOperands {
    bool bordered = false, popup = false;
    int borderWidth = 1;
    std::optional<std::uint32_t> borderColour;  // bordered kinds only
    int c1 = 0, r1 = 0, c2 = 0, r2 = 0;
    int lineCount = 0;  // pop-ups: the text lines that follow
    std::uint32_t fill = 0;
    int tenths = 600;   // pop-ups: display time
};
// `letter` is one of N R S F P C U T.
bool ReadBoxOperands(Operands& op, char letter, BoxOperands& out);

// Clearing, copying and moving (:ER :ES :EC :EM).
struct SectionOperands {
    int c1 = 0, r1 = 0, c2 = 0, r2 = 0;  // :ER uses c1 (column), r1 (row) and c2 (end column)
    int column = 0, row = 0;             // :EC :EM target
    std::uint32_t colour = 0;            // :ER :ES :EM
};
// `letter` is one of R S C M.
bool ReadSectionOperands(Operands& op, char letter, SectionOperands& out);

// Vertical and horizontal lines (:SV :SZ).
struct LineOperands {
    int column = 0, row = 0, end = 0, width = 0;
    std::uint32_t colour = 0;
};
bool ReadLineOperands(Operands& op, LineOperands& out);

// Column and row (:SC column[,row], :SR row), each checked against its range: a column outside
// 1..79 gives the line + " - the Column must be between 1 and 79", a row outside 1..27 the line
// + " - the Row must be between 1 and 27".
struct PositionOperands {
    std::optional<int> column, row;
};
// `letter` is C or R.
bool ReadPositionOperands(Operands& op, char letter, PositionOperands& out);

// The range and name rules of a heading (:SH): the message of the first rule broken, or
// nothing. `line` is the line as written, for the messages.
std::optional<std::string> HeadingError(const TTutorialConfig& config, std::string_view name, int column,
                                        int row, int endColumn, std::string_view line);

}  // namespace quill
