#pragma once
// The name of a rich text (a window text, a text entry, the introduction) among the ones the web
// export converts for the browser: the page shows the converted text of the key the engine
// gives it. A hash of the text's lines (Windows-1252, as stored), so the engine needs no list.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace quill {

inline std::string RichTextKey(const std::vector<std::string>& lines) {
    std::uint64_t h = 1469598103934665603ull;  // FNV-1a, 64 bits
    auto mix = [&h](unsigned char c) {
        h ^= c;
        h *= 1099511628211ull;
    };
    for (const std::string& line : lines) {
        for (char c : line) mix(static_cast<unsigned char>(c));
        mix('\n');
    }
    char out[17];
    std::snprintf(out, sizeof out, "%016llx", static_cast<unsigned long long>(h));
    return out;
}

}  // namespace quill
