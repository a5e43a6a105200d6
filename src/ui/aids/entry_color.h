#pragma once
// What the entry editors share about an entry's text. (A stored colour is painted through
// ColourFromRecord, screen/text_screen.h.)
#include <string>
#include <vector>

namespace quill {

// The text lines of a parsed text entry without the entry's closing "]", which the parser
// leaves as the last line (rich text ignores it after its closing brace; plain text would
// show it).
std::vector<std::string> WithoutClosingLine(std::vector<std::string> lines);

}  // namespace quill
