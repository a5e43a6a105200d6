#pragma once
// Checking a whole chapter without running it: every command line is translated, and the
// problems that are certain whatever the learner does are reported: a jump to a label that
// is nowhere in the chapter, a branch without its section markers, a jump to a chapter that
// does not exist, match lists and match tables beyond their room. Lines a command takes as data (match lists, answer texts, pop-up text) are
// not read as commands; the actions of match tables and menus are.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "script/translate.h"

namespace quill {

struct ScriptProblem {
    std::size_t line;     // 1-based line number in the chapter
    std::string message;  // Windows-1252
};

// `chapterExists` answers whether a chapter file (a bare name such as "SAFETY2.QKS") exists in
// the project folder.
std::vector<ScriptProblem> CheckChapter(const std::vector<std::string>& lines, const ColorTable& colors,
                                        const std::function<bool(const std::string&)>& chapterExists);

}  // namespace quill
