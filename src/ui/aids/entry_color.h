#pragma once
// A colour of the data file or the configuration record (0x00BBGGRR, or a system colour
// 0x80000000 + index, or clNone) as the colour to paint with. System colours take the classic
// Windows defaults, so an entry looks the same on every desktop.
#include <QColor>
#include <cstdint>
#include <string>
#include <vector>

namespace quill {

QColor EntryColor(std::uint32_t value);

// The text lines of a parsed text entry without the entry's closing "]", which the parser
// leaves as the last line (rich text ignores it after its closing brace; plain text would
// show it).
std::vector<std::string> WithoutClosingLine(std::vector<std::string> lines);

}  // namespace quill
