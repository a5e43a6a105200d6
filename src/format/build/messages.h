#pragma once
// The messages a build action ends with, in the order the desktop program shows them: error
// boxes, information boxes and plain message boxes. The windows show them; quillc prints them.
#include <string>
#include <vector>

namespace quill {

struct BuildMessage {
    enum class Kind { Error, Info, Plain };
    Kind kind;
    std::string text;  // Windows-1252, exactly as the box shows it

    bool operator==(const BuildMessage&) const = default;
};
using BuildMessages = std::vector<BuildMessage>;

inline bool HasError(const BuildMessages& messages) {
    for (const auto& m : messages)
        if (m.kind == BuildMessage::Kind::Error) return true;
    return false;
}

}  // namespace quill
