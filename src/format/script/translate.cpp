#include "script/translate.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "script/command_table.h"
#include "script/line_kind.h"
#include "text/cp1252.h"

namespace quill {

namespace {

constexpr std::size_t kMaxColorName = 10;  // capacity of a colour entry's name

char UpperAsciiChar(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// The upper-cased first letter of a word when it names a control button, else 0.
char ButtonLetter(std::string_view word) {
    if (word.empty()) return 0;
    const char c = UpperAsciiChar(word[0]);
    return (c == 'C' || c == 'H' || c == 'Q' || c == 'P' || c == 'U') ? c : 0;
}

// ---- eight bytes at a time ----------------------------------------------------------------------
// Byte i of a text is bits 8 i .. 8 i + 7 of its word, whatever the processor's byte order
// (the command table packs its keywords the same way).

constexpr std::uint64_t kOnes = 0x0101010101010101ull, kHighs = 0x8080808080808080ull;

// The `n` bytes at p (at most eight are read), then zeros.
inline std::uint64_t Load8(const char* p, std::size_t n) {
    std::uint64_t x = 0;
    if (n >= 8) {
        std::memcpy(&x, p, 8);
        if constexpr (std::endian::native == std::endian::big) x = __builtin_bswap64(x);
        return x;
    }
    for (std::size_t i = 0; i < n; ++i) x |= static_cast<std::uint64_t>(static_cast<unsigned char>(p[i])) << (8 * i);
    return x;
}

// ASCII lower-case letters upper-cased, other bytes kept. A byte is a lower-case letter when its
// low seven bits lie in 'a'..'z' and its high bit is clear: the high bits of the two sums tell
// the first (no sum carries into the next byte); the letter loses 0x20.
inline std::uint64_t UpperAscii8(std::uint64_t x) {
    const std::uint64_t low7 = x & ~kHighs;
    const std::uint64_t lower = ((low7 + kOnes * (0x80 - 'a')) ^ (low7 + kOnes * (0x80 - 'z' - 1))) & ~x & kHighs;
    return x ^ (lower >> 2);
}

// The high bit of the first blank byte of x (and perhaps of later bytes), 0 when none is blank.
inline std::uint64_t FirstBlank8(std::uint64_t x) {
    const std::uint64_t v = x ^ (kOnes * ' ');
    return (v - kOnes) & ~v & kHighs;
}

// Takes the keyword from the front of `text` (leading blanks passed over) as FindCommand looks
// it up: upper-cased into `packed`; its length is returned. A word longer than 24 bytes comes
// back as kMaxKeywordLength + 1, which no command has. `text` keeps what follows the keyword.
std::size_t TakeKeyword(std::string_view& text, PackedKeyword& packed) {
    std::size_t start = 0;
    while (start < text.size() && text[start] == ' ') ++start;
    const char* const p = text.data() + start;
    const std::size_t avail = text.size() - start;
    packed = PackedKeyword{};
    if (avail == 0) {
        text = {};
        return 0;
    }
    for (std::size_t w = 0, at = 0; w < 3; ++w, at += 8) {
        std::uint64_t x = Load8(p + at, avail - at);
        if (const std::uint64_t blank = FirstBlank8(x)) {
            const std::size_t inWord = static_cast<std::size_t>(std::countr_zero(blank)) / 8;
            x &= inWord ? ~0ull >> (64 - 8 * inWord) : 0;
            packed.words[w] = UpperAscii8(x);
            text.remove_prefix(start + at + inWord);
            return at + inWord;
        }
        packed.words[w] = UpperAscii8(x);
        if (avail - at <= 8) {  // the line ends in these bytes
            text.remove_prefix(start + avail);
            return avail;
        }
    }
    // 24 bytes without a blank: too long to be a keyword.
    const std::size_t end = text.find(' ', start);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end);
    return kMaxKeywordLength + 1;
}

// Removes the blanks at the front of `text`.
inline void SkipBlanks(std::string_view& text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    text.remove_prefix(i);
}

// TakeScriptWord, inlined where translation takes its words.
inline std::string_view TakeWord(std::string_view& text) {
    SkipBlanks(text);
    std::size_t end = 0;
    while (end < text.size() && text[end] != ' ') ++end;
    const std::string_view word = text.substr(0, end);
    text.remove_prefix(end);
    SkipBlanks(text);
    return word;
}

// The colour names of a table, upper-cased, in two words each.
struct PackedName {
    std::uint64_t low = 0, high = 0;
    bool operator==(const PackedName&) const = default;
};
inline PackedName PackColorName(std::string_view name) {  // at most kMaxColorName bytes
    return {UpperAscii8(Load8(name.data(), std::min<std::size_t>(name.size(), 8))),
            name.size() > 8 ? UpperAscii8(Load8(name.data() + 8, name.size() - 8)) : 0};
}
inline std::size_t ColorSlot(const PackedName& name, std::size_t slots) {
    return static_cast<std::size_t>((name.low * 0x9E3779B97F4A7C15ull ^ name.high * 0xC2B2AE3D27D4EB4Full) >> 58) & (slots - 1);
}

// Writes the translated line into a buffer sized for the longest it can be, so that each field
// is a copy, not a call that checks the string's room.
class Writer {
public:
    explicit Writer(char* at) : at_(at) {}
    void Put(char c) { *at_++ = c; }
    void Put(std::string_view text) {
        std::memcpy(at_, text.data(), text.size());
        at_ += text.size();
    }
    void PutCode(int code) {  // 1..27
        if (code >= 10) Put(static_cast<char>('0' + code / 10));
        Put(static_cast<char>('0' + code % 10));
    }
    char* at() const { return at_; }

private:
    char* at_;
};

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
        const std::string& name = names_[i];
        if (name.empty() || name.size() > kMaxColorName) continue;  // no word finds it
        const PackedName packed = PackColorName(name);
        // A later entry of the same name takes the slot: the last one wins.
        std::size_t slot = ColorSlot(packed, kColorSlots);
        while (slots_[slot] != 0 && !(PackColorName(names_[slots_[slot] - 1u]) == packed))
            slot = (slot + 1) & (kColorSlots - 1);
        slots_[slot] = static_cast<std::uint8_t>(n);
    }
}

int ColorTable::CodeOf(std::string_view word) const {
    if (word.empty() || word.size() > kMaxColorName) return 0;
    const PackedName upper = PackColorName(word);
    constexpr PackedName kDefault = [] {
        PackedName packed;
        const std::string_view name = "DEFAULT";
        for (std::size_t i = 0; i < name.size(); ++i) packed.low |= static_cast<std::uint64_t>(name[i]) << (8 * i);
        return packed;
    }();
    if (upper == kDefault) return kDefaultColorCode;
    for (std::size_t slot = ColorSlot(upper, kColorSlots);; slot = (slot + 1) & (kColorSlots - 1)) {
        const int code = slots_[slot];
        if (code == 0) return 0;
        const std::string& name = names_[static_cast<std::size_t>(code - 1)];
        if (name.size() == word.size() && PackColorName(name) == upper) return code;
    }
}

std::string_view TakeScriptWord(std::string_view& text) { return TakeWord(text); }

namespace {

// The text of each colour code, and of each button letter, for the fields that point at them.
constexpr std::string_view kCodeText[] = {"0",  "1",  "2",  "3",  "4",  "5",  "6",  "7",  "8",  "9",
                                          "10", "11", "12", "13", "14", "15", "16", "17", "18", "19",
                                          "20", "21", "22", "23", "24", "25", "26", "27"};
constexpr std::string_view kButtonLetters = "CHQPU";

// Where translation puts what it takes from the line: the translated line as text...
class TextSink {
public:
    explicit TextSink(std::string& out) : out_(out) {}
    void Start(const CommandSpec& spec, std::string_view line) {
        // Each field adds at most three bytes to the words it takes: a comma and a colour code
        // where the line has no word.
        out_.resize(spec.code.size() + line.size() + 3 * kMaxLayoutLength);
        o_ = Writer(out_.data());
        o_.Put(spec.code);
    }
    void Field(std::string_view text) {
        o_.Put(',');
        o_.Put(text);
    }
    void Code(int code) {
        o_.Put(',');
        o_.PutCode(code);
    }
    void Plain(std::string_view text) { o_.Put(text); }
    void BeginLetters() { o_.Put(','); }
    void Letter(char c) { o_.Put(c); }
    void EndLetters() {}
    void OneLetter(char c) {
        o_.Put(',');
        if (c) o_.Put(c);
    }
    void Finish() { out_.resize(static_cast<std::size_t>(o_.at() - out_.data())); }

private:
    std::string& out_;
    Writer o_{nullptr};
};

// ... or its fields, as views.
class FieldSink {
public:
    explicit FieldSink(CommandFields& out) : out_(out) {}
    void Start(const CommandSpec&, std::string_view) {}
    void Field(std::string_view text) { out_.field[out_.count++] = text; }
    void Code(int code) { Field(kCodeText[code]); }
    void Plain(std::string_view text) { Field(text); }
    void BeginLetters() { out_.letters.clear(); }
    void Letter(char c) { out_.letters.push_back(c); }
    void EndLetters() { Field(out_.letters); }
    void OneLetter(char c) { Field(c ? kButtonLetters.substr(kButtonLetters.find(c), 1) : std::string_view()); }
    void Finish() {}

private:
    CommandFields& out_;
};
static_assert(kMaxLayoutLength <= kMaxCommandFields);

// Translation, once for both sinks: the row of the keyword (nullptr for an unknown one), with
// the first error in `error`.
template <class Sink>
const CommandSpec* Translate(std::string_view line, const ColorTable& colors, Sink& sink, std::string& error) {
    error.clear();
    line = RightTrim(line);
    std::string_view rest = line;
    PackedKeyword keyword;
    const std::size_t keywordSize = TakeKeyword(rest, keyword);
    const CommandSpec* spec = keywordSize <= kMaxKeywordLength ? FindCommand(keyword, keywordSize) : nullptr;
    if (!spec) {
        error.reserve(line.size() + kNotValidCommand.size());
        error.append(line).append(kNotValidCommand);
        return nullptr;
    }
    SkipBlanks(rest);
    sink.Start(*spec, line);
    auto colour = [&] {
        const int code = colors.CodeOf(TakeWord(rest));
        if (code == 0) {
            if (error.empty()) error.append(line).append(kInvalidColorKeyWord);
            return;
        }
        sink.Code(code);
    };
    for (const char field : spec->layout) {
        switch (field) {
            case 'w': sink.Field(TakeWord(rest)); break;
            case 'c':
                if (rest.empty())
                    sink.Code(kDefaultColorCode);
                else
                    colour();
                break;
            case 'o':
                if (!rest.empty()) colour();
                break;
            case 'r':
                sink.Field(rest);
                rest = {};
                break;
            case 'R':
                if (!rest.empty()) {
                    sink.Field(rest);
                    rest = {};
                }
                break;
            case 'F':
                sink.Plain(rest);
                rest = {};
                break;
            case 'L':
                if (!rest.empty()) {
                    sink.BeginLetters();
                    while (!rest.empty())
                        if (const char c = ButtonLetter(TakeWord(rest))) sink.Letter(c);
                    sink.EndLetters();
                }
                break;
            case 'B':
                if (!rest.empty()) sink.OneLetter(ButtonLetter(TakeWord(rest)));
                break;
        }
    }
    sink.Finish();
    return spec;
}

}  // namespace

bool TranslateCommandLine(std::string_view line, const ColorTable& colors, std::string& out,
                          std::string& error) {
    out.clear();
    TextSink sink(out);
    Translate(line, colors, sink, error);
    return error.empty();
}

const CommandSpec* TranslateCommandFields(std::string_view line, const ColorTable& colors, CommandFields& out,
                                          std::string& error) {
    out.count = 0;
    FieldSink sink(out);
    return Translate(line, colors, sink, error);
}

Translation TranslateCommandLine(std::string_view line, const ColorTable& colors) {
    Translation t;
    TranslateCommandLine(line, colors, t.line, t.error);
    return t;
}

}  // namespace quill
