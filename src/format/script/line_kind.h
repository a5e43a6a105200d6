#pragma once
// The kinds of chapter lines. The first characters of a line decide what it is: a command
// line ("*KEYWORD args"), a translated line (":CODE,fields"), a comment, a label or marker
// ("@J", "@P", "@Q", "@C", "@1".."@9", "@F"), a branch section marker ("&1", "&2", "&3"), or
// display text.
#include <string>
#include <string_view>

namespace quill {

enum class LineKind {
    Command,       // '*' : a keyword and its arguments, translated before it runs
    Translated,    // ':' : command code form, run as it is
    Comment,       // ';'
    JumpLabel,     // "@J" + label
    PageLabel,     // "@P" + label
    QuizStart,     // "@Q" + quiz name
    QuizEnd,       // "@C" + quiz name
    QuizAnswer,    // "@" + digit + quiz name
    ReturnToFile,  // "@F" + chapter file
    OtherAt,       // any other line starting with '@' (drawn like display text)
    BranchFirst,   // "&1..." : section run when the condition holds
    BranchSecond,  // "&2..." : section run when it does not
    BranchEnd,     // "&3..." : end of the branch
    OtherBranch,   // '&' followed by anything else (opens a branch section, like "&1")
    DisplayText,   // everything else, the empty line included
};

// The kind of a line as fetched. The second character of an '@' line counts upper-cased, so
// "@p" is a page label as "@P" is.
LineKind ClassifyLine(std::string_view line);

// The line as the dispatcher tests it: an '@' line gets its second character upper-cased
// (ASCII letters only); every other line is returned unchanged.
std::string NormalizeMarkerLine(std::string_view line);
void NormalizeMarkerLine(std::string& line);

// The line without its trailing blanks (and control characters, such as a stray CR or a tab),
// as it is fetched for execution. Leading blanks stay.
inline std::string_view RightTrim(std::string_view line) {
    std::size_t n = line.size();
    while (n > 0 && static_cast<unsigned char>(line[n - 1]) <= ' ') --n;
    return line.substr(0, n);
}

}  // namespace quill
