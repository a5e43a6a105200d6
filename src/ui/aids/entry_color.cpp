#include "aids/entry_color.h"


namespace quill {

std::vector<std::string> WithoutClosingLine(std::vector<std::string> lines) {
    if (!lines.empty() && lines.back() == "]") lines.pop_back();
    return lines;
}

}  // namespace quill
