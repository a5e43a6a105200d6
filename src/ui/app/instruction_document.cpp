#include "app/instruction_document.h"

#include <QTextDocument>
#include <cctype>

#include "text/text_file.h"
#include "text_codec.h"

namespace quill {

namespace {

bool IsLetter(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }
bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }
int HexValue(char c) {
    if (IsDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::string RtfToPlainText(std::string_view rtf) {
    if (rtf.substr(0, 5) != "{\\rtf") return std::string(rtf);
    std::string out;
    // Groups whose text is not part of the document (tables, pictures, "\*" destinations) are
    // skipped whole: skipDepth is the depth at which skipping started, 0 when not skipping.
    int depth = 0;
    int skipDepth = 0;
    bool groupStart = false;
    const size_t n = rtf.size();
    for (size_t i = 0; i < n;) {
        const char c = rtf[i];
        if (c == '{') {
            ++depth;
            groupStart = true;
            ++i;
            continue;
        }
        if (c == '}') {
            if (skipDepth && depth == skipDepth) skipDepth = 0;
            if (depth > 0) --depth;
            groupStart = false;
            ++i;
            continue;
        }
        const bool atGroupStart = groupStart;
        groupStart = false;
        if (c == '\r' || c == '\n') {
            ++i;
            continue;
        }
        if (c != '\\') {
            if (!skipDepth) out += c;
            ++i;
            continue;
        }
        // A control symbol or word.
        if (i + 1 >= n) break;
        const char s = rtf[i + 1];
        if (!IsLetter(s)) {
            i += 2;
            if (s == '*' && atGroupStart && !skipDepth) {
                skipDepth = depth;
            } else if (s == '\'') {
                // Two hex digits name a byte; a cut or malformed escape is dropped.
                if (i + 1 < n && HexValue(rtf[i]) >= 0 && HexValue(rtf[i + 1]) >= 0) {
                    if (!skipDepth) out += static_cast<char>(HexValue(rtf[i]) * 16 + HexValue(rtf[i + 1]));
                    i += 2;
                } else {
                    while (i < n && HexValue(rtf[i]) >= 0) ++i;
                }
            } else if (!skipDepth && (s == '\\' || s == '{' || s == '}')) {
                out += s;
            } else if (!skipDepth && s == '~') {
                out += ' ';
            } else if (!skipDepth && (s == '\r' || s == '\n')) {
                out += '\n';
            }
            continue;
        }
        size_t j = i + 1;
        while (j < n && IsLetter(rtf[j])) ++j;
        const std::string_view word = rtf.substr(i + 1, j - i - 1);
        if (j < n && (rtf[j] == '-' || IsDigit(rtf[j]))) {
            ++j;
            while (j < n && IsDigit(rtf[j])) ++j;
        }
        if (j < n && rtf[j] == ' ') ++j;
        i = j;
        if (skipDepth) continue;
        if (atGroupStart && (word == "fonttbl" || word == "colortbl" || word == "stylesheet" ||
                             word == "info" || word == "pict" || word == "header" || word == "footer")) {
            skipDepth = depth;
        } else if (word == "par" || word == "line") {
            out += '\n';
        } else if (word == "tab") {
            out += '\t';
        } else if (word == "bullet") {
            out += '\x95';
        } else if (word == "emdash") {
            out += '\x97';
        } else if (word == "endash") {
            out += '\x96';
        }
    }
    return out;
}

void LoadInstructionDocument(const std::filesystem::path& path, QTextDocument* document) {
    document->setPlainText(FromCp1252(RtfToPlainText(ReadFileBytes(path))));
}

}  // namespace quill
