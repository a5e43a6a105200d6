#include "richtext/rtf_reader.h"

#include <QFont>
#include <QStringDecoder>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <map>
#include <optional>

#include "text/cp1252.h"

namespace quill {
namespace {

// Limits that keep hostile input from costing unbounded memory or time.
constexpr std::size_t kMaxDepth = 256;          // deeper groups are counted, not stacked
constexpr int kDefaultHalfPoints = 24;   // RTF's default size: 12 points
constexpr int kMaxHalfPoints = 3276;     // 1638 points, the largest size the control takes
constexpr int kMaxTwips = 31680;         // 22 inches, the control's widest indent
constexpr int kMaxSkipCount = 64;        // \ucN
constexpr std::size_t kMaxTableEntries = 4096;
constexpr qsizetype kMaxFontName = 256;
constexpr double kTwipsPerPixel = 15.0;  // 1440 twips an inch, 96 pixels an inch

enum class Dest : std::uint8_t { Text, FontTable, ColorTable, Skip };

struct CharState {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool hidden = false;
    std::int8_t vertical = 0;  // 0 normal, 1 superscript, 2 subscript
    int font = -1;             // -1: the default font (\deff)
    int halfPoints = kDefaultHalfPoints;
    int foreground = 0;        // colour table index, 0 = automatic
    int background = 0;
    bool operator==(const CharState&) const = default;
};

struct ParaState {
    Qt::Alignment align = Qt::AlignLeft;
    int leftIndent = 0;  // twips
    int rightIndent = 0;
    int firstIndent = 0;
    int spaceBefore = 0;
    int spaceAfter = 0;
};

struct GroupState {
    CharState ch;
    ParaState para;
    int skipCount = 1;  // \uc: fallback characters after each \u
    Dest dest = Dest::Text;
};

struct FontEntry {
    int number = 0;
    QString name;
    int charset = 0;
    int pitch = 0;
};

// Control words the reader acts on. Kept sorted by name for the binary search.
enum class Word {
    Ansi, Ansicpg, B, Bin, Blue, Bullet, Cb, Cell, Cf, Colortbl, Deff, Emdash, Emspace, Endash,
    Enspace, F, Fcharset, Fi, Fonttbl, Fprq, Fs, Green, Highlight, I, Ldblquote, Li, Line,
    Lquote, Mac, Nosupersub, Page, Par, Pard, Pc, Pca, Plain, Qc, Qj, Ql, Qmspace, Qr,
    Rdblquote, Red, Ri, Row, Rquote, Sa, Sb, Sect, Skip, Strike, Striked, Sub, Super, Tab, U,
    Uc, Ul, Ulnone, Urtf, V, Zwj, Zwnj,
};

struct WordEntry {
    std::string_view name;
    Word word;
};

constexpr auto kWords = std::to_array<WordEntry>({
    {"aftnsep", Word::Skip}, {"aftnsepc", Word::Skip}, {"annotation", Word::Skip},
    {"ansi", Word::Ansi}, {"ansicpg", Word::Ansicpg}, {"atnauthor", Word::Skip},
    {"atnid", Word::Skip}, {"author", Word::Skip}, {"b", Word::B}, {"bin", Word::Bin},
    {"bkmkend", Word::Skip}, {"bkmkstart", Word::Skip}, {"blue", Word::Blue},
    {"bullet", Word::Bullet}, {"cb", Word::Cb}, {"cell", Word::Cell}, {"cf", Word::Cf},
    {"colorschememapping", Word::Skip}, {"colortbl", Word::Colortbl}, {"comment", Word::Skip},
    {"datastore", Word::Skip}, {"deff", Word::Deff}, {"do", Word::Skip}, {"docvar", Word::Skip},
    {"emdash", Word::Emdash}, {"emspace", Word::Emspace}, {"endash", Word::Endash},
    {"enspace", Word::Enspace}, {"f", Word::F}, {"fcharset", Word::Fcharset}, {"fi", Word::Fi},
    {"filetbl", Word::Skip}, {"fldinst", Word::Skip}, {"fonttbl", Word::Fonttbl},
    {"footer", Word::Skip}, {"footerf", Word::Skip}, {"footerl", Word::Skip},
    {"footerr", Word::Skip}, {"footnote", Word::Skip}, {"fprq", Word::Fprq}, {"fs", Word::Fs},
    {"ftncn", Word::Skip}, {"ftnsep", Word::Skip}, {"ftnsepc", Word::Skip},
    {"generator", Word::Skip}, {"green", Word::Green}, {"header", Word::Skip},
    {"headerf", Word::Skip}, {"headerl", Word::Skip}, {"headerr", Word::Skip},
    {"highlight", Word::Highlight}, {"i", Word::I}, {"info", Word::Skip},
    {"latentstyles", Word::Skip}, {"ldblquote", Word::Ldblquote}, {"li", Word::Li},
    {"line", Word::Line}, {"listoverridetable", Word::Skip}, {"listtable", Word::Skip},
    {"lquote", Word::Lquote}, {"mac", Word::Mac}, {"mmathPr", Word::Skip},
    {"nonshppict", Word::Skip}, {"nosupersub", Word::Nosupersub}, {"object", Word::Skip},
    {"operator", Word::Skip}, {"page", Word::Page}, {"par", Word::Par}, {"pard", Word::Pard},
    {"pc", Word::Pc}, {"pca", Word::Pca}, {"pgdsctbl", Word::Skip}, {"pict", Word::Skip},
    {"plain", Word::Plain}, {"private", Word::Skip}, {"qc", Word::Qc}, {"qj", Word::Qj},
    {"ql", Word::Ql}, {"qmspace", Word::Qmspace}, {"qr", Word::Qr},
    {"rdblquote", Word::Rdblquote}, {"red", Word::Red}, {"revtbl", Word::Skip},
    {"ri", Word::Ri}, {"row", Word::Row}, {"rquote", Word::Rquote}, {"rsidtbl", Word::Skip},
    {"sa", Word::Sa}, {"sb", Word::Sb}, {"sect", Word::Sect}, {"shp", Word::Skip},
    {"shppict", Word::Skip}, {"strike", Word::Strike}, {"striked", Word::Striked},
    {"stylesheet", Word::Skip}, {"sub", Word::Sub}, {"super", Word::Super}, {"tab", Word::Tab},
    {"tc", Word::Skip}, {"template", Word::Skip}, {"themedata", Word::Skip},
    {"title", Word::Skip}, {"txe", Word::Skip}, {"u", Word::U}, {"uc", Word::Uc},
    {"ul", Word::Ul}, {"uld", Word::Ul}, {"uldash", Word::Ul}, {"uldashd", Word::Ul},
    {"uldashdd", Word::Ul}, {"uldb", Word::Ul}, {"ulhwave", Word::Ul}, {"ulldash", Word::Ul},
    {"ulnone", Word::Ulnone}, {"ulth", Word::Ul}, {"ulthd", Word::Ul}, {"ulthdash", Word::Ul},
    {"ulw", Word::Ul}, {"ulwave", Word::Ul}, {"urtf", Word::Urtf}, {"userprops", Word::Skip},
    {"v", Word::V}, {"xe", Word::Skip}, {"xmlnstbl", Word::Skip}, {"zwj", Word::Zwj},
    {"zwnj", Word::Zwnj},
});

constexpr bool IsSorted() {
    for (std::size_t i = 1; i < kWords.size(); ++i)
        if (!(kWords[i - 1].name < kWords[i].name)) return false;
    return true;
}
static_assert(IsSorted(), "kWords must be sorted by name");

std::optional<Word> FindWord(std::string_view name) {
    const auto it = std::lower_bound(kWords.begin(), kWords.end(), name,
                                     [](const WordEntry& e, std::string_view n) { return e.name < n; });
    if (it == kWords.end() || it->name != name) return std::nullopt;
    return it->word;
}

// The code page of a font's \fcharset, or 0 for "the document's code page".
int CodePageOfCharset(int charset) {
    switch (charset) {
    case 77: return 10000;
    case 128: return 932;
    case 129: return 949;
    case 134: return 936;
    case 136: return 950;
    case 161: return 1253;
    case 162: return 1254;
    case 163: return 1258;
    case 177: return 1255;
    case 178: return 1256;
    case 186: return 1257;
    case 204: return 1251;
    case 222: return 874;
    case 238: return 1250;
    case 255: return 437;
    default: return 0;  // 0 ANSI, 1 default, 2 symbol and anything unknown
    }
}

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}
int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return c - 'A' + 10;
}
bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

int ClampTwips(int v) { return std::clamp(v, -kMaxTwips, kMaxTwips); }

class RtfReader {
public:
    RtfReader(std::string_view in, QTextDocument& doc) : in_(in), doc_(doc), cursor_(&doc) {}

    void Run() {
        groups_.reserve(64);
        cursor_.beginEditBlock();
        while (pos_ < in_.size() && !done_) {
            const char c = in_[pos_];
            switch (c) {
            case '{':
                ++pos_;
                PushGroup();
                break;
            case '}':
                ++pos_;
                PopGroup();
                break;
            case '\\':
                ParseControl();
                break;
            case '\r':
            case '\n':
                ++pos_;
                break;
            default:
                ++pos_;
                AddByte(static_cast<unsigned char>(c));
                break;
            }
        }
        Finish();
        cursor_.endEditBlock();
    }

private:
    GroupState& Top() { return groups_.empty() ? outside_ : groups_.back(); }

    // --- groups --------------------------------------------------------------------------

    void PushGroup() {
        skip_ = 0;
        if (groups_.size() >= kMaxDepth) {
            ++overflow_;
            return;
        }
        StateChanging();
        groups_.push_back(Top());
    }

    void PopGroup() {
        skip_ = 0;
        if (overflow_ > 0) {
            --overflow_;
            return;
        }
        if (groups_.empty()) {  // a stray brace before the document's own group
            done_ = true;
            return;
        }
        StateChanging();
        const Dest leaving = groups_.back().dest;
        groups_.pop_back();
        if (leaving == Dest::FontTable) CommitFont();
        if (groups_.empty()) done_ = true;  // the document's group has closed
    }

    // --- tokens --------------------------------------------------------------------------

    void ParseControl() {
        ++pos_;  // the backslash
        if (pos_ >= in_.size()) return;
        const char c = in_[pos_];
        if (IsAsciiLetter(c)) {
            const std::size_t start = pos_;
            while (pos_ < in_.size() && IsAsciiLetter(in_[pos_])) ++pos_;
            const std::string_view name = in_.substr(start, pos_ - start);
            bool hasParam = false;
            bool negative = false;
            std::int64_t value = 0;
            if (pos_ + 1 < in_.size() && in_[pos_] == '-' && IsAsciiDigit(in_[pos_ + 1])) {
                negative = true;
                ++pos_;
            }
            while (pos_ < in_.size() && IsAsciiDigit(in_[pos_])) {
                hasParam = true;
                if (value < 100'000'000'000) value = value * 10 + (in_[pos_] - '0');
                ++pos_;
            }
            if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;
            value = std::clamp<std::int64_t>(negative ? -value : value, INT32_MIN, INT32_MAX);
            HandleWord(name, hasParam, static_cast<int>(value));
            return;
        }
        ++pos_;
        switch (c) {
        case '\'': {
            if (pos_ + 1 < in_.size() && IsHexDigit(in_[pos_]) && IsHexDigit(in_[pos_ + 1])) {
                const int b = HexValue(in_[pos_]) * 16 + HexValue(in_[pos_ + 1]);
                pos_ += 2;
                AddByte(static_cast<unsigned char>(b), true);
            } else if (skip_ > 0) {
                --skip_;
            }
            break;
        }
        case '\\':
        case '{':
        case '}':
            AddByte(static_cast<unsigned char>(c), true);
            break;
        case '~':
            AddSymbol(0x00A0);
            break;
        case '-':
            AddSymbol(0x00AD);
            break;
        case '_':
            AddSymbol(0x2011);
            break;
        case '*':
            if (skip_ > 0) {
                --skip_;
                break;
            }
            if (!groups_.empty()) Top().dest = Dest::Skip;
            break;
        case '\r':
        case '\n':
            if (skip_ > 0) {
                --skip_;
                break;
            }
            if (Top().dest == Dest::Text) Paragraph();
            break;
        case '\t':
            AddSymbol(u'\t');
            break;
        default:  // \| \: and other symbols: ignored, but still a fallback character
            if (skip_ > 0) --skip_;
            break;
        }
    }

    void HandleWord(std::string_view name, bool hasParam, int param) {
        const std::optional<Word> found = FindWord(name);
        if (found == Word::Bin) {  // binary data: skipped in every destination
            const std::size_t n = hasParam && param > 0 ? static_cast<std::size_t>(param) : 0;
            pos_ += std::min(n, in_.size() - pos_);
            if (skip_ > 0) --skip_;
            return;
        }
        if (skip_ > 0) {  // a control word stands for one fallback character after \u
            --skip_;
            return;
        }
        if (!found) return;  // unknown words are ignored
        GroupState& g = Top();
        switch (g.dest) {
        case Dest::Skip:
            return;
        case Dest::FontTable:
            FontTableWord(*found, param);
            return;
        case Dest::ColorTable:
            ColorTableWord(*found, param);
            return;
        case Dest::Text:
            break;
        }
        const bool on = !hasParam || param != 0;
        CharState& ch = g.ch;
        ParaState& para = g.para;
        switch (*found) {
        case Word::Skip:
            if (!groups_.empty()) g.dest = Dest::Skip;
            break;
        case Word::Fonttbl:
            if (!groups_.empty()) g.dest = Dest::FontTable;
            break;
        case Word::Colortbl:
            if (!groups_.empty()) g.dest = Dest::ColorTable;
            break;
        case Word::Ansi: docCodePage_ = 1252; break;
        case Word::Mac: docCodePage_ = 10000; break;
        case Word::Pc: docCodePage_ = 437; break;
        case Word::Pca: docCodePage_ = 850; break;
        case Word::Urtf: docCodePage_ = 65001; break;
        case Word::Ansicpg:
            if (hasParam && param > 0) docCodePage_ = param;
            break;
        case Word::Deff:
            StateChanging();
            TablesChanged();
            defaultFont_ = param;
            break;
        case Word::Plain:
            StateChanging();
            ch = CharState{};
            break;
        case Word::Pard:
            para = ParaState{};
            break;
        case Word::Par:
        case Word::Sect:
        case Word::Page:
        case Word::Row:
            Paragraph();
            break;
        case Word::Line: AddSymbol(QChar::LineSeparator); break;
        case Word::Tab:
        case Word::Cell: AddSymbol(u'\t'); break;
        case Word::B: StateChanging(); ch.bold = on; break;
        case Word::I: StateChanging(); ch.italic = on; break;
        case Word::Ul: StateChanging(); ch.underline = on; break;
        case Word::Ulnone: StateChanging(); ch.underline = false; break;
        case Word::Strike:
        case Word::Striked: StateChanging(); ch.strike = on; break;
        case Word::V: StateChanging(); ch.hidden = on; break;
        case Word::Super: StateChanging(); ch.vertical = on ? 1 : 0; break;
        case Word::Sub: StateChanging(); ch.vertical = on ? 2 : 0; break;
        case Word::Nosupersub: StateChanging(); ch.vertical = 0; break;
        case Word::Fs:
            StateChanging();
            ch.halfPoints = hasParam && param > 0 ? std::min(param, kMaxHalfPoints) : kDefaultHalfPoints;
            break;
        case Word::F: StateChanging(); ch.font = param; break;
        case Word::Cf: StateChanging(); ch.foreground = param; break;
        case Word::Highlight:
        case Word::Cb: StateChanging(); ch.background = param; break;
        case Word::Ql: para.align = Qt::AlignLeft; break;
        case Word::Qc: para.align = Qt::AlignHCenter; break;
        case Word::Qr: para.align = Qt::AlignRight; break;
        case Word::Qj: para.align = Qt::AlignJustify; break;
        case Word::Li: para.leftIndent = ClampTwips(param); break;
        case Word::Ri: para.rightIndent = ClampTwips(param); break;
        case Word::Fi: para.firstIndent = ClampTwips(param); break;
        case Word::Sa: para.spaceAfter = std::clamp(param, 0, kMaxTwips); break;
        case Word::Sb: para.spaceBefore = std::clamp(param, 0, kMaxTwips); break;
        case Word::Uc: g.skipCount = std::clamp(param, 0, kMaxSkipCount); break;
        case Word::U: {
            int v = param;
            if (v < 0) v += 65536;
            if (v >= 0 && v <= 0xFFFF) AddChar(static_cast<char16_t>(v));
            skip_ = g.skipCount;
            break;
        }
        case Word::Emdash: AddSymbol(0x2014); break;
        case Word::Endash: AddSymbol(0x2013); break;
        case Word::Bullet: AddSymbol(0x2022); break;
        case Word::Lquote: AddSymbol(0x2018); break;
        case Word::Rquote: AddSymbol(0x2019); break;
        case Word::Ldblquote: AddSymbol(0x201C); break;
        case Word::Rdblquote: AddSymbol(0x201D); break;
        case Word::Emspace: AddSymbol(0x2003); break;
        case Word::Enspace: AddSymbol(0x2002); break;
        case Word::Qmspace: AddSymbol(0x2005); break;
        case Word::Zwj: AddSymbol(0x200D); break;
        case Word::Zwnj: AddSymbol(0x200C); break;
        default:
            break;  // words of the font and colour tables outside their tables
        }
    }

    void FontTableWord(Word w, int param) {
        switch (w) {
        case Word::F:
            CommitFont();
            font_ = FontEntry{};
            font_->number = param;
            break;
        case Word::Fcharset:
            if (font_) font_->charset = param;
            break;
        case Word::Fprq:
            if (font_) font_->pitch = param;
            break;
        case Word::U: {
            int v = param;
            if (v < 0) v += 65536;
            if (font_ && v > 0 && v <= 0xFFFF && font_->name.size() < kMaxFontName)
                font_->name += QChar(static_cast<char16_t>(v));
            skip_ = Top().skipCount;
            break;
        }
        case Word::Skip:
            Top().dest = Dest::Skip;
            break;
        default:
            break;
        }
    }

    void ColorTableWord(Word w, int param) {
        const int v = std::clamp(param, 0, 255);
        switch (w) {
        case Word::Red: red_ = v, colorSet_ = true; break;
        case Word::Green: green_ = v, colorSet_ = true; break;
        case Word::Blue: blue_ = v, colorSet_ = true; break;
        default: break;
        }
    }

    // --- text ----------------------------------------------------------------------------

    // A byte of text: a plain character of the input or a \'hh. In the text it is decoded in
    // the code page of the current font (or of the document).
    void AddByte(unsigned char b, bool escaped = false) {
        if (skip_ > 0) {
            --skip_;
            return;
        }
        GroupState& g = Top();
        switch (g.dest) {
        case Dest::Skip:
            return;
        case Dest::FontTable:
            if (b == ';' && !escaped) {
                CommitFont();
            } else if (font_ && font_->name.size() < kMaxFontName && b >= 0x20) {
                font_->name += QChar(static_cast<char16_t>(Cp1252ToUnicode(b)));
            }
            return;
        case Dest::ColorTable:
            if (b == ';') {
                if (colors_.size() < kMaxTableEntries)
                    colors_.push_back(colorSet_ ? std::optional<QColor>(QColor(red_, green_, blue_)) : std::nullopt);
                TablesChanged();
                red_ = green_ = blue_ = 0;
                colorSet_ = false;
            }
            return;
        case Dest::Text:
            break;
        }
        if (groups_.empty() || g.ch.hidden) return;
        if (!escaped && b < 0x20) {
            if (b == '\t') AddChar(u'\t');
            return;  // other control bytes are not text
        }
        const int cp = CurrentCodePage();
        if (cp != bytesCodePage_) FlushBytes();
        bytesCodePage_ = cp;
        bytes_ += static_cast<char>(b);
    }

    // A character given by a control word or symbol: counts as one fallback character.
    void AddSymbol(char16_t c) {
        if (skip_ > 0) {
            --skip_;
            return;
        }
        AddChar(c);
    }

    void AddChar(char16_t c) {
        const GroupState& g = Top();
        if (groups_.empty() || g.dest != Dest::Text || g.ch.hidden) return;
        FlushBytes();
        AppendText(QString(QChar(c)));
    }

    int CurrentCodePage() {
        int font = Top().ch.font;
        if (font < 0) font = defaultFont_;
        if (const FontEntry* f = FindFont(font)) {
            if (const int cp = CodePageOfCharset(f->charset)) return cp;
        }
        return docCodePage_;
    }

    void FlushBytes() {
        if (bytes_.empty()) return;
        QString text;
        if (bytesCodePage_ != 1252) {
            auto it = decoders_.find(bytesCodePage_);
            if (it == decoders_.end()) {
                const QByteArray name = bytesCodePage_ == 65001   ? QByteArray("UTF-8")
                                        : bytesCodePage_ == 10000 ? QByteArray("macintosh")
                                                                  : "cp" + QByteArray::number(bytesCodePage_);
                it = decoders_.emplace(bytesCodePage_, QStringDecoder(name.constData())).first;
            }
            if (it->second.isValid()) {
                // A line feed after the bytes makes a lead byte left without its trail byte
                // come out as U+FFFD instead of waiting in the decoder.
                bytes_ += '\n';
                text = it->second.decode(QByteArrayView(bytes_.data(), static_cast<qsizetype>(bytes_.size())));
                it->second.resetState();
                if (text.endsWith(u'\n')) text.chop(1);
                text.replace(QChar(0x1A), QChar::ReplacementCharacter);  // ICU's mark for a bad byte
            }
        }
        if (text.isNull()) {
            text.reserve(static_cast<qsizetype>(bytes_.size()));
            for (char c : bytes_)
                text += QChar(static_cast<char16_t>(Cp1252ToUnicode(static_cast<unsigned char>(c))));
        }
        bytes_.clear();
        AppendText(text);
    }

    // Adds decoded text in the current character format. Characters that would make
    // QTextDocument start blocks or frames behind our back are turned into paragraphs or
    // dropped; unpaired surrogates become U+FFFD.
    void AppendText(const QString& text) {
        for (qsizetype i = 0; i < text.size(); ++i) {
            QChar c = text.at(i);
            const char16_t u = c.unicode();
            if (u == u'\r' || u == u'\n' || u == QChar::ParagraphSeparator) {
                Paragraph();
                continue;
            }
            if ((u < 0x20 && u != u'\t') || u == 0xFDD0 || u == 0xFDD1 || u == QChar::ObjectReplacementCharacter)
                continue;  // control characters are not text
            if (c.isHighSurrogate()) {
                if (i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
                    Append(c);
                    Append(text.at(++i));
                    continue;
                }
                if (i + 1 == text.size() && !pendingHigh_) {  // its partner may come in the next piece
                    pendingHigh_ = c;
                    continue;
                }
                c = QChar::ReplacementCharacter;
            } else if (c.isLowSurrogate()) {
                if (pendingHigh_) {
                    const QChar high = *pendingHigh_;
                    pendingHigh_.reset();
                    Append(high);
                    Append(c);
                    continue;
                }
                c = QChar::ReplacementCharacter;
            }
            Append(c);
        }
    }

    // A high surrogate whose low half never came.
    void DropPendingHigh() {
        if (!pendingHigh_) return;
        pendingHigh_.reset();
        Append(QChar::ReplacementCharacter);
    }

    void Append(QChar c) {
        DropPendingHigh();
        if (dirty_) {
            dirty_ = false;
            const CharState& now = Top().ch;
            if (!textState_ || !(*textState_ == now)) {
                FlushText();
                textState_ = now;
                textFormat_ = CharFormat(now);
            }
        }
        text_ += c;
    }

    // The text read so far in its format becomes a run of the paragraph being read.
    void FlushText() {
        if (text_.isEmpty()) return;
        runs_.push_back({text_, textFormat_});
        text_.clear();
    }

    // Writes the paragraph read so far (its runs) as a block with the given formats. A block
    // is made with its formats and filled once, which costs the document far less than
    // changing the formats of a block already in it.
    void WriteParagraph(const QTextBlockFormat& block, const QTextCharFormat& blockChar) {
        if (blocksWritten_ == 0) {  // the document's first block is there already
            cursor_.setBlockFormat(block);
            cursor_.setBlockCharFormat(blockChar);
        } else {
            cursor_.insertBlock(block, blockChar);
        }
        ++blocksWritten_;
        for (const auto& [text, format] : runs_) cursor_.insertText(text, format);
        runs_.clear();
    }

    // Everything that changes the character format first writes out the text read so far.
    void StateChanging() {
        FlushBytes();
        dirty_ = true;
    }

    void Paragraph() {
        if (groups_.empty()) return;
        FlushBytes();
        DropPendingHigh();
        FlushText();
        EndParagraph();
        paragraphEnded_ = true;
    }

    // Paragraph properties belong to the paragraph their \par ends.
    void EndParagraph() { WriteParagraph(CurrentBlockFormat(), CharFormat(Top().ch)); }

    void Finish() {
        FlushBytes();
        DropPendingHigh();
        FlushText();
        CommitFont();
        // The last \par ends the last paragraph; text after it is a paragraph of its own.
        if (!paragraphEnded_ || !runs_.empty()) EndParagraph();
        QFont base = doc_.defaultFont();
        if (const FontEntry* f = FindFont(defaultFont_); f && !f->name.isEmpty())
            base.setFamilies({f->name});
        base.setPointSizeF(kDefaultHalfPoints / 2.0);
        doc_.setDefaultFont(base);
    }

    // --- formats -------------------------------------------------------------------------

    // The format of a character state, made once for each state the text uses (the fonts and
    // colours it names are known by then: a change to their tables empties the cache).
    const QTextCharFormat& CharFormat(const CharState& ch) {
        for (const auto& [state, format] : formats_)
            if (state == ch) return format;
        if (formats_.size() >= kMaxCachedFormats) formats_.clear();
        formats_.emplace_back(ch, MakeCharFormat(ch));
        return formats_.back().second;
    }

    QTextCharFormat MakeCharFormat(const CharState& ch) const {
        QTextCharFormat f;
        const FontEntry* font = FindFont(ch.font < 0 ? defaultFont_ : ch.font);
        if (font && !font->name.isEmpty()) f.setFontFamilies(QStringList{font->name});
        f.setFontPointSize(ch.halfPoints / 2.0);
        f.setFontWeight(ch.bold ? QFont::Bold : QFont::Normal);
        f.setFontItalic(ch.italic);
        f.setFontUnderline(ch.underline);
        f.setFontStrikeOut(ch.strike);
        if (ch.vertical == 1) f.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
        if (ch.vertical == 2) f.setVerticalAlignment(QTextCharFormat::AlignSubScript);
        if (const QColor* c = ColorAt(ch.foreground)) f.setForeground(*c);
        if (const QColor* c = ColorAt(ch.background)) f.setBackground(*c);
        return f;
    }

    QTextBlockFormat CurrentBlockFormat() {
        const ParaState& p = Top().para;
        QTextBlockFormat f;
        f.setAlignment(p.align);
        f.setLeftMargin(p.leftIndent / kTwipsPerPixel);
        f.setRightMargin(p.rightIndent / kTwipsPerPixel);
        f.setTextIndent(p.firstIndent / kTwipsPerPixel);
        f.setTopMargin(p.spaceBefore / kTwipsPerPixel);
        f.setBottomMargin(p.spaceAfter / kTwipsPerPixel);
        return f;
    }

    static constexpr std::size_t kMaxCachedFormats = 64;

    // The font or colour table, or the default font, changed: formats are made anew.
    void TablesChanged() {
        formats_.clear();
        textState_.reset();
    }

    const QColor* ColorAt(int index) const {
        if (index <= 0 || static_cast<std::size_t>(index) >= colors_.size()) return nullptr;
        const auto& c = colors_[static_cast<std::size_t>(index)];
        return c ? &*c : nullptr;
    }

    const FontEntry* FindFont(int number) const {
        const auto it = fonts_.find(number);
        return it == fonts_.end() ? nullptr : &it->second;
    }

    void CommitFont() {
        if (!font_) return;
        FontEntry f = std::move(*font_);
        font_.reset();
        f.name = f.name.trimmed();
        if (fonts_.size() >= kMaxTableEntries || fonts_.contains(f.number)) return;  // the first wins
        StateChanging();
        TablesChanged();
        const int number = f.number;
        fonts_.emplace(number, std::move(f));
    }

    std::string_view in_;
    QTextDocument& doc_;
    QTextCursor cursor_;
    std::size_t pos_ = 0;
    bool done_ = false;

    std::vector<GroupState> groups_;
    GroupState outside_;  // the state outside every group; text there is ignored
    int overflow_ = 0;    // groups opened beyond kMaxDepth
    int skip_ = 0;        // fallback characters still to skip after \u

    int docCodePage_ = 1252;
    int defaultFont_ = 0;
    std::map<int, FontEntry> fonts_;
    std::optional<FontEntry> font_;  // the font table entry being read
    std::vector<std::optional<QColor>> colors_;
    int red_ = 0, green_ = 0, blue_ = 0;
    bool colorSet_ = false;

    std::string bytes_;  // text bytes not yet decoded
    int bytesCodePage_ = 1252;
    std::map<int, QStringDecoder> decoders_;
    std::optional<QChar> pendingHigh_;

    QString text_;  // decoded text not yet made a run, all in textFormat_ (of textState_)
    std::optional<CharState> textState_;
    QTextCharFormat textFormat_;
    std::vector<std::pair<QString, QTextCharFormat>> runs_;  // of the paragraph being read
    std::vector<std::pair<CharState, QTextCharFormat>> formats_;
    int blocksWritten_ = 0;
    bool dirty_ = true;
    bool paragraphEnded_ = false;  // a \par has ended a paragraph
};

void ReadPlainText(std::string_view bytes, QTextDocument& doc, bool lastLineEnded) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b == '\r') {
            if (i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
            text += u'\n';
        } else if (b == '\n') {
            text += u'\n';
        } else if (b < 0x20 && b != '\t') {
            continue;  // control characters are not text
        } else {
            text += QChar(static_cast<char16_t>(Cp1252ToUnicode(b)));
        }
    }
    if (lastLineEnded && text.endsWith(u'\n')) text.chop(1);  // not an empty paragraph
    QTextCursor cursor(&doc);
    cursor.insertText(text);  // each line end starts a paragraph
}

}  // namespace

bool LooksLikeRtf(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size() && (bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\r' || bytes[i] == '\n')) ++i;
    const std::string_view rest = bytes.substr(i);
    return rest.starts_with("{\\rtf") || rest.starts_with("{\\urtf");
}

namespace {

void Read(std::string_view bytes, QTextDocument& doc, bool lastLineEnded) {
    const bool undo = doc.isUndoRedoEnabled();
    doc.setUndoRedoEnabled(false);
    doc.clear();
    if (LooksLikeRtf(bytes)) {
        const std::size_t start = bytes.find('{');
        RtfReader(bytes.substr(start), doc).Run();
    } else {
        ReadPlainText(bytes, doc, lastLineEnded);
    }
    doc.setUndoRedoEnabled(undo);
}

}  // namespace

void ReadRichText(std::string_view bytes, QTextDocument& doc) { Read(bytes, doc, true); }

void ReadRichText(const std::vector<std::string>& lines, QTextDocument& doc) {
    std::string joined;
    std::size_t size = 0;
    for (const std::string& l : lines) size += l.size() + 2;
    joined.reserve(size);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) joined += "\r\n";
        joined += lines[i];
    }
    Read(joined, doc, false);
}

std::unique_ptr<QTextDocument> RichTextDocument(const std::vector<std::string>& lines) {
    auto doc = std::make_unique<QTextDocument>();
    ReadRichText(lines, *doc);
    return doc;
}

}  // namespace quill
