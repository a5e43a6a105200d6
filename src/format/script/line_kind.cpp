#include "script/line_kind.h"

namespace quill {

namespace {
char UpperAsciiChar(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
}  // namespace

LineKind ClassifyLine(std::string_view line) {
    if (line.empty()) return LineKind::DisplayText;
    switch (line[0]) {
        case '*': return LineKind::Command;
        case ':': return LineKind::Translated;
        case ';': return LineKind::Comment;
        case '&':
            if (line.size() >= 2) {
                if (line[1] == '1') return LineKind::BranchFirst;
                if (line[1] == '2') return LineKind::BranchSecond;
                if (line[1] == '3') return LineKind::BranchEnd;
            }
            return LineKind::OtherBranch;
        case '@': {
            if (line.size() < 2) return LineKind::OtherAt;
            const char second = UpperAsciiChar(line[1]);
            switch (second) {
                case 'J': return LineKind::JumpLabel;
                case 'P': return LineKind::PageLabel;
                case 'Q': return LineKind::QuizStart;
                case 'C': return LineKind::QuizEnd;
                case 'F': return LineKind::ReturnToFile;
                default:
                    if (second >= '0' && second <= '9') return LineKind::QuizAnswer;
                    return LineKind::OtherAt;
            }
        }
        default: return LineKind::DisplayText;
    }
}

void NormalizeMarkerLine(std::string& line) {
    if (line.size() >= 2 && line[0] == '@') line[1] = UpperAsciiChar(line[1]);
}

std::string NormalizeMarkerLine(std::string_view line) {
    std::string s(line);
    NormalizeMarkerLine(s);
    return s;
}

}  // namespace quill
