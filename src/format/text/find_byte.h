#pragma once
// Finding a byte in a short text. Operand fields, match lines and file names are a few bytes
// long, where a plain loop is quicker than a call into the C library's memchr.
#include <cstddef>
#include <string_view>

namespace quill {

inline std::size_t FindByte(std::string_view text, char byte, std::size_t from = 0) {
    for (std::size_t i = from; i < text.size(); ++i)
        if (text[i] == byte) return i;
    return std::string_view::npos;
}

}  // namespace quill
