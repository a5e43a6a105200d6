#include "script/command_operands.h"

#include "text/cp1252.h"

namespace quill {

bool ReadTextColours(Operands& op, std::uint32_t& text, std::uint32_t& back) {
    text = op.NextColour(true);
    back = op.NextColour(false);
    return !op.Stopped();
}

bool ReadRectangle(Operands& op, int& c1, int& r1, int& c2, int& r2) {
    if (op.OperandTextEmpty()) return !op.Stopped();
    return ReadNumbers(op, {&c1, &r1, &c2, &r2});
}

bool ReadBoxOperands(Operands& op, char letter, BoxOperands& out) {
    out.bordered = letter == 'S' || letter == 'F' || letter == 'U' || letter == 'T';
    out.popup = letter == 'P' || letter == 'C' || letter == 'U' || letter == 'T';
    if (out.bordered) {
        out.borderWidth = op.NextNumber();
        out.borderColour = op.NextColour(false);
    }
    ReadRectangle(op, out.c1, out.r1, out.c2, out.r2);
    if (!out.popup) {
        out.fill = op.NextColour(false);
        return !op.Stopped();
    }
    out.lineCount = op.NextNumber();
    out.fill = op.NextColour(false);
    if (!op.OperandTextEmpty()) out.tenths = op.NextNumber();
    return !op.Stopped();
}

bool ReadSectionOperands(Operands& op, char letter, SectionOperands& out) {
    if (letter == 'R') {
        ReadNumbers(op, {&out.c1, &out.r1, &out.c2});
        out.colour = op.NextColour(false);
        return !op.Stopped();
    }
    ReadRectangle(op, out.c1, out.r1, out.c2, out.r2);
    if (letter == 'S') {
        out.colour = op.NextColour(false);
        return !op.Stopped();
    }
    ReadNumbers(op, {&out.column, &out.row});
    if (letter == 'M') out.colour = op.NextColour(false);
    return !op.Stopped();
}

bool ReadLineOperands(Operands& op, LineOperands& out) {
    ReadNumbers(op, {&out.column, &out.row, &out.end, &out.width});
    out.colour = op.NextColour(false);
    return !op.Stopped();
}

bool ReadPositionOperands(Operands& op, char letter, PositionOperands& out) {
    const bool both = letter == 'C' && op.OperandTextHasComma();
    if (letter == 'C') out.column = op.NumberFromText(both ? op.NextFieldView() : op.OperandText());
    if (letter == 'R' || both) out.row = op.NumberFromText(op.OperandText());
    if (out.column && (*out.column < 1 || *out.column > 79)) op.Fail(op.LineText() + " - the Column must be between 1 and 79");
    if (out.row && (*out.row < 1 || *out.row > 27)) op.Fail(op.LineText() + " - the Row must be between 1 and 27");
    return !op.Stopped();
}

namespace {

// Equal in CP1252, ignoring letter case.
bool SameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (UpperCp1252(static_cast<unsigned char>(a[i])) != UpperCp1252(static_cast<unsigned char>(b[i]))) return false;
    return true;
}

}  // namespace

std::optional<std::string> HeadingError(const TTutorialConfig& config, std::string_view name, int column,
                                        int row, int endColumn, std::string_view line) {
    auto columnCheck = [&](int v) -> std::optional<std::string> {
        if (v > 79) return "The Column number in " + std::string(line) + " is greater than 79";
        if (v < 1) return "The Column number in " + std::string(line) + " is less than 1";
        return std::nullopt;
    };
    if (auto e = columnCheck(column)) return e;
    if (row > 25) return "The Row number in " + std::string(line) + " is greater than 25";
    if (row < 1) return "The Row number in " + std::string(line) + " is less than 1";
    if (auto e = columnCheck(endColumn)) return e;
    for (int n = 1; n <= static_cast<int>(cfg::Headings::Count); ++n)
        if (SameIgnoringCase(config.get(cfg::Headings::Entry(n).Name), name)) return std::nullopt;
    return "The Heading \"" + std::string(name) + "\" was not found.";
}

}  // namespace quill
