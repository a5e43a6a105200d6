#pragma once
// The script errors of the chapter language that the player shows and the chapter checker
// reports, written once: both take their texts from here (the operand routines' own endings are
// in operands.h, translation's in translate.h).
#include <initializer_list>
#include <string>
#include <string_view>

namespace quill::msg {

inline std::string Join(std::initializer_list<std::string_view> parts) {
    std::string out;
    for (const auto p : parts) out.append(p);
    return out;
}

inline std::string JumpInBranch(std::string_view line) {
    return Join({"Jump Commands are not allowed within branches.\r\n", line, " is invalid."});
}
inline std::string PagingInBranch(std::string_view line) {
    return Join({"Paging Back is not allowed within branches.\r\n", line, " is invalid."});
}
inline std::string NestedQuiz(std::string_view line) {
    return Join({"Branching Quizzes cannot be nested within each other.\r\n", line, " is invalid."});
}
inline std::string ReturnTooDeep(std::string_view line) {
    return Join({"Jump and Return commands cannot be nested more than 10 deep.\r\n", line, " is invalid."});
}
// A marker line ("@JStart", "@CQ1", "&2") the command looks for.
inline std::string MarkerMissing(std::string_view marker) { return Join({"The Marker ", marker, " is missing."}); }
inline std::string SectionMarkerMissing(std::string_view marker) { return Join({"The ", marker, " Marker is missing."}); }
inline std::string LabelMissingFrom(std::string_view line) { return Join({"A label is missing from ", line}); }
inline std::string ReturnLabelMissing() { return "One of the Return labels is missing."; }
// A chapter file (NAME.QKS).
inline std::string ChapterNotFound(std::string_view file) { return Join({file, " was not found"}); }
inline std::string WindowTextNotFound(std::string_view name) {
    return Join({"The WindowText \"", name, "\" was not found"});
}
inline std::string ImageNotFound(std::string_view file) { return Join({"The Image file ", file, " was not found"}); }
inline std::string ExecutableNotDefined(std::string_view name) {
    return Join({"The \"", name, "\" Executable has not been defined "});
}
inline std::string HyperLinkNotDefined(std::string_view name) {
    return Join({"The \"", name, "\" HyperText Link has not been defined "});
}
inline std::string TwoFileNamesNeeded(std::string_view line) { return Join({line, " must specify two file names."}); }
inline std::string FileNotFound(std::string_view name, std::string_view line) {
    return Join({"The filename ", name, " in ", line, " was not found."});
}

}  // namespace quill::msg
