#include "script/translate.h"

#include "script/command_table.h"
#include "script/line_kind.h"
#include "text/cp1252.h"

namespace quill {

namespace {

constexpr std::size_t kMaxColorName = 10;  // capacity of a colour entry's name

char UpperAsciiChar(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

std::string_view SkipBlanks(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    return text.substr(i);
}

// The upper-cased first letter of a word when it names a control button, else 0.
char ButtonLetter(std::string_view word) {
    if (word.empty()) return 0;
    const char c = UpperAsciiChar(word[0]);
    return (c == 'C' || c == 'H' || c == 'Q' || c == 'P' || c == 'U') ? c : 0;
}

void AppendInt(std::string& out, int value) {
    if (value >= 10) out += static_cast<char>('0' + value / 10);
    out += static_cast<char>('0' + value % 10);
}

}  // namespace

ColorTable::ColorTable() {
    TTutorialConfig defaults;
    SetConfigDefaults(defaults);
    *this = ColorTable(defaults);
}

ColorTable::ColorTable(const TTutorialConfig& config) {
    for (int n = 1; n <= 26; ++n) {
        const auto i = static_cast<std::size_t>(n - 1);
        names_[i] = config.get(cfg::Colors::Entry(n).Name);
        upperNames_[i] = UpperAscii(names_[i]);
    }
}

int ColorTable::CodeOf(std::string_view word) const {
    if (word.empty() || word.size() > kMaxColorName) return 0;
    char buf[kMaxColorName];
    for (std::size_t i = 0; i < word.size(); ++i) buf[i] = UpperAsciiChar(word[i]);
    const std::string_view upper(buf, word.size());
    if (upper == "DEFAULT") return kDefaultColorCode;
    for (std::size_t i = upperNames_.size(); i-- > 0;) {
        const std::string& name = upperNames_[i];
        // Most names differ in length or first letter: those are passed over without a compare.
        if (name.size() == upper.size() && name[0] == upper[0] && name == upper) return static_cast<int>(i) + 1;
    }
    return 0;
}

std::string_view TakeScriptWord(std::string_view& text) {
    text = SkipBlanks(text);
    const std::size_t end = text.find(' ');
    if (end == std::string_view::npos) {
        const std::string_view word = text;
        text = {};
        return word;
    }
    const std::string_view word = text.substr(0, end);
    text = SkipBlanks(text.substr(end));
    return word;
}

bool TranslateCommandLine(std::string_view line, const ColorTable& colors, std::string& out,
                          std::string& error) {
    out.clear();
    error.clear();
    line = RightTrim(line);
    std::string_view rest = line;
    const std::string_view keyword = TakeScriptWord(rest);

    const CommandSpec* spec = nullptr;
    if (keyword.size() <= kMaxKeywordLength) {
        char buf[kMaxKeywordLength];
        for (std::size_t i = 0; i < keyword.size(); ++i) buf[i] = UpperAsciiChar(keyword[i]);
        spec = FindCommand(std::string_view(buf, keyword.size()));
    }
    if (!spec) {
        error.reserve(line.size() + kNotValidCommand.size());
        error.append(line).append(kNotValidCommand);
        return false;
    }

    out.reserve(line.size() + 8);
    out.append(spec->code);
    auto colour = [&] {
        const std::string_view word = TakeScriptWord(rest);
        const int code = colors.CodeOf(word);
        if (code == 0) {
            if (error.empty()) error.append(line).append(kInvalidColorKeyWord);
            return;
        }
        out += ',';
        AppendInt(out, code);
    };
    for (const char field : spec->layout) {
        switch (field) {
            case 'w':
                out += ',';
                out.append(TakeScriptWord(rest));
                break;
            case 'c':
                if (rest.empty()) {
                    out += ',';
                    AppendInt(out, kDefaultColorCode);
                } else {
                    colour();
                }
                break;
            case 'o':
                if (!rest.empty()) colour();
                break;
            case 'r':
                out += ',';
                out.append(rest);
                rest = {};
                break;
            case 'R':
                if (!rest.empty()) {
                    out += ',';
                    out.append(rest);
                    rest = {};
                }
                break;
            case 'F':
                out.append(rest);
                rest = {};
                break;
            case 'L':
                if (!rest.empty()) {
                    out += ',';
                    while (!rest.empty())
                        if (const char c = ButtonLetter(TakeScriptWord(rest))) out += c;
                }
                break;
            case 'B':
                if (!rest.empty()) {
                    out += ',';
                    if (const char c = ButtonLetter(TakeScriptWord(rest))) out += c;
                }
                break;
        }
    }
    return error.empty();
}

Translation TranslateCommandLine(std::string_view line, const ColorTable& colors) {
    Translation t;
    TranslateCommandLine(line, colors, t.line, t.error);
    return t;
}

}  // namespace quill
