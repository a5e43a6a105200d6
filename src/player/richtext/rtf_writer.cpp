#include "richtext/rtf_writer.h"

#include <QFont>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextDocument>
#include <QTextList>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

#include "text/cp1252.h"

namespace quill {
namespace {

constexpr std::size_t kWrapAt = 200;     // text lines are broken after this many bytes
constexpr double kTwipsPerPixel = 15.0;  // 1440 twips an inch, 96 pixels an inch
constexpr int kMaxHalfPoints = 3276;

struct CharProps {
    int font = -1;  // -1 and 0 half points: not yet written
    int halfPoints = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    int vertical = 0;  // 0 normal, 1 superscript, 2 subscript
    int foreground = 0;
    int background = 0;
};

struct ParaProps {
    char align = 'l';
    int left = 0, right = 0, first = 0, before = 0, after = 0;  // twips
    bool operator==(const ParaProps&) const = default;
};

// Collects the RTF as lines. A line break is put only where RTF ignores it: after "\par" and
// between characters of long text; never before a "[" or "]", so no line starts with either.
class RtfLines {
public:
    void Word(std::string_view word, std::optional<int> param = std::nullopt) {
        std::string w(word);
        if (param) w += std::to_string(*param);
        Put(w, false);
        delimiter_ = true;
    }

    // One character of text, already escaped.
    void Text(const std::string& chunk, bool mayBreak) {
        if (mayBreak && cur_.size() >= kWrapAt) breakPending_ = true;
        Put(chunk, true);
    }

    void Raw(std::string_view raw) {
        Put(std::string(raw), false);
        delimiter_ = false;
    }

    void BreakLine() { breakPending_ = true; }

    std::vector<std::string> Finish() {
        if (!cur_.empty()) lines_.push_back(std::move(cur_));
        return std::move(lines_);
    }

private:
    void Put(const std::string& s, bool text) {
        if (s.empty()) return;
        if (breakPending_) {
            breakPending_ = false;
            if (s[0] != '[' && s[0] != ']') {  // else the line goes on
                if (delimiter_ && text) cur_ += ' ';  // end the control word before the break
                lines_.push_back(std::move(cur_));
                cur_.clear();
                delimiter_ = false;
            }
        }
        if (delimiter_ && text && s[0] != '\\') cur_ += ' ';
        delimiter_ = false;
        cur_ += s;
    }

    std::vector<std::string> lines_;
    std::string cur_;
    bool delimiter_ = false;  // the last thing written was a control word without its space
    bool breakPending_ = false;
};

std::string Hex2(int b) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "\\'%02x", b & 0xFF);
    return buf;
}

// The escaped form of one UTF-16 unit of text; empty for characters that are not text.
std::string Escape(char16_t c) {
    switch (c) {
    case u'\\': return "\\\\";
    case u'{': return "\\{";
    case u'}': return "\\}";
    case u'\t': return "\\tab ";
    case 0x2028: return "\\line ";
    case 0x00A0: return "\\~";
    case 0x00AD: return "\\-";
    case 0x2011: return "\\_";
    case 0xFFFC: return {};  // an embedded object: not kept
    default: break;
    }
    if (c < 0x20) return {};
    if (c < 0x7F) return std::string(1, static_cast<char>(c));
    const int b = UnicodeToCp1252(c);
    if (b >= 0) return Hex2(b);
    return "\\u" + std::to_string(static_cast<int>(static_cast<std::int16_t>(c))) + "?";
}

std::string EscapeName(const QString& name) {
    std::string out;
    for (QChar c : name)
        if (c != u';') out += Escape(c.unicode());
    return out;
}

class RtfWriter {
public:
    explicit RtfWriter(const QTextDocument& doc) : doc_(doc), base_(doc.defaultFont()) {}

    std::vector<std::string> Run() {
        fonts_.push_back(base_.family());
        for (QTextBlock b = doc_.begin(); b.isValid(); b = b.next()) {
            Collect(b.charFormat());
            for (auto it = b.begin(); !it.atEnd(); ++it) Collect(it.fragment().charFormat());
        }

        std::string head = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl";
        for (std::size_t i = 0; i < fonts_.size(); ++i)
            head += "{\\f" + std::to_string(i) + "\\fnil\\fcharset0 " + EscapeName(fonts_[i]) + ";}";
        head += "}";
        out_.Raw(head);
        out_.BreakLine();
        if (!colors_.empty()) {
            std::string table = "{\\colortbl ;";
            for (QRgb c : colors_)
                table += "\\red" + std::to_string(qRed(c)) + "\\green" + std::to_string(qGreen(c)) + "\\blue" +
                         std::to_string(qBlue(c)) + ";";
            table += "}";
            out_.Raw(table);
            out_.BreakLine();
        }
        out_.Word("\\viewkind4");
        out_.Word("\\uc1");
        out_.Word("\\pard");

        for (QTextBlock b = doc_.begin(); b.isValid(); b = b.next()) {
            WritePara(ParaOf(b.blockFormat()));
            bool empty = true;
            if (QTextList* list = b.textList()) {
                Chars(PropsOf(b.charFormat()));
                WriteText(list->itemText(b) + u'\t');
            }
            for (auto it = b.begin(); !it.atEnd(); ++it) {
                const QTextFragment f = it.fragment();
                Chars(PropsOf(f.charFormat()));
                WriteText(f.text());
                empty = false;
            }
            if (empty) Chars(PropsOf(b.charFormat()));  // the size of an empty line
            out_.Word("\\par");
            out_.BreakLine();
        }
        out_.Raw("}");
        return out_.Finish();
    }

private:
    void Collect(const QTextCharFormat& f) {
        const QString family = FamilyOf(f);
        if (std::find(fonts_.begin(), fonts_.end(), family) == fonts_.end()) fonts_.push_back(family);
        for (const auto& c : {ColorOf(f, QTextFormat::ForegroundBrush), ColorOf(f, QTextFormat::BackgroundBrush)})
            if (c && std::find(colors_.begin(), colors_.end(), *c) == colors_.end()) colors_.push_back(*c);
    }

    QString FamilyOf(const QTextCharFormat& f) const {
        const QStringList families = f.fontFamilies().toStringList();
        if (!families.isEmpty() && !families.first().isEmpty()) return families.first();
        const QString single = f.stringProperty(QTextFormat::FontFamily);
        if (!single.isEmpty()) return single;
        return base_.family();
    }

    static std::optional<QRgb> ColorOf(const QTextCharFormat& f, QTextFormat::Property p) {
        if (!f.hasProperty(p)) return std::nullopt;
        const QBrush brush = f.brushProperty(p);
        if (brush.style() == Qt::NoBrush) return std::nullopt;
        return brush.color().rgb() & 0xFFFFFF;
    }

    int ColorIndex(std::optional<QRgb> c) const {
        if (!c) return 0;
        return static_cast<int>(std::find(colors_.begin(), colors_.end(), *c) - colors_.begin()) + 1;
    }

    CharProps PropsOf(const QTextCharFormat& f) const {
        CharProps p;
        const QString family = FamilyOf(f);
        p.font = static_cast<int>(std::find(fonts_.begin(), fonts_.end(), family) - fonts_.begin());
        double points = 0;
        if (f.hasProperty(QTextFormat::FontPointSize)) points = f.fontPointSize();
        else if (f.hasProperty(QTextFormat::FontPixelSize)) points = f.intProperty(QTextFormat::FontPixelSize) * 0.75;
        else if (base_.pointSizeF() > 0) points = base_.pointSizeF();
        else if (base_.pixelSize() > 0) points = base_.pixelSize() * 0.75;
        if (!(points > 0)) points = 12;
        p.halfPoints = std::clamp(static_cast<int>(std::lround(points * 2)), 1, kMaxHalfPoints);
        p.bold = f.hasProperty(QTextFormat::FontWeight) ? f.fontWeight() >= QFont::DemiBold : base_.bold();
        p.italic = f.hasProperty(QTextFormat::FontItalic) ? f.fontItalic() : base_.italic();
        p.underline = f.hasProperty(QTextFormat::TextUnderlineStyle) || f.hasProperty(QTextFormat::FontUnderline)
                          ? f.fontUnderline()
                          : base_.underline();
        p.strike = f.hasProperty(QTextFormat::FontStrikeOut) ? f.fontStrikeOut() : base_.strikeOut();
        p.vertical = f.verticalAlignment() == QTextCharFormat::AlignSuperScript ? 1
                     : f.verticalAlignment() == QTextCharFormat::AlignSubScript ? 2
                                                                                 : 0;
        p.foreground = ColorIndex(ColorOf(f, QTextFormat::ForegroundBrush));
        p.background = ColorIndex(ColorOf(f, QTextFormat::BackgroundBrush));
        return p;
    }

    static int Twips(qreal pixels) {
        return static_cast<int>(std::clamp(std::lround(pixels * kTwipsPerPixel), -31680L, 31680L));
    }

    static ParaProps ParaOf(const QTextBlockFormat& f) {
        ParaProps p;
        const Qt::Alignment a = f.alignment() & Qt::AlignHorizontal_Mask;
        if (a & Qt::AlignHCenter) p.align = 'c';
        else if (a & Qt::AlignJustify) p.align = 'j';
        else if (a & (Qt::AlignRight | Qt::AlignTrailing)) p.align = 'r';
        p.left = Twips(f.leftMargin());
        p.right = Twips(f.rightMargin());
        p.first = Twips(f.textIndent());
        p.before = std::max(0, Twips(f.topMargin()));
        p.after = std::max(0, Twips(f.bottomMargin()));
        return p;
    }

    void WritePara(const ParaProps& p) {
        if (p == para_) return;
        if (!(para_ == ParaProps{})) out_.Word("\\pard");
        para_ = p;
        if (p.align != 'l') out_.Word(std::string("\\q") + p.align);
        if (p.left) out_.Word("\\li", p.left);
        if (p.right) out_.Word("\\ri", p.right);
        if (p.first) out_.Word("\\fi", p.first);
        if (p.before) out_.Word("\\sb", p.before);
        if (p.after) out_.Word("\\sa", p.after);
    }

    void Toggle(bool now, bool& was, std::string_view on, std::string_view off) {
        if (now == was) return;
        out_.Word(now ? on : off);
        was = now;
    }

    void Chars(const CharProps& p) {
        if (p.foreground != cur_.foreground) out_.Word("\\cf", cur_.foreground = p.foreground);
        if (p.background != cur_.background) out_.Word("\\highlight", cur_.background = p.background);
        Toggle(p.bold, cur_.bold, "\\b", "\\b0");
        Toggle(p.italic, cur_.italic, "\\i", "\\i0");
        Toggle(p.underline, cur_.underline, "\\ul", "\\ulnone");
        Toggle(p.strike, cur_.strike, "\\strike", "\\strike0");
        if (p.vertical != cur_.vertical) {
            out_.Word(p.vertical == 1 ? "\\super" : p.vertical == 2 ? "\\sub" : "\\nosupersub");
            cur_.vertical = p.vertical;
        }
        if (p.font != cur_.font) out_.Word("\\f", cur_.font = p.font);
        if (p.halfPoints != cur_.halfPoints) out_.Word("\\fs", cur_.halfPoints = p.halfPoints);
    }

    void WriteText(const QString& text) {
        for (qsizetype i = 0; i < text.size(); ++i) {
            const char16_t c = text.at(i).unicode();
            if (c == QChar::ParagraphSeparator || c == u'\n' || c == u'\r') {
                out_.Word("\\line");  // a break inside a fragment stays inside the paragraph
                continue;
            }
            // A break between the halves of a surrogate pair would be harmless, but keep
            // them together for readers that care.
            const bool mayBreak = !QChar::isLowSurrogate(c);
            out_.Text(Escape(c), mayBreak);
        }
    }

    const QTextDocument& doc_;
    const QFont base_;
    std::vector<QString> fonts_;
    std::vector<QRgb> colors_;
    RtfLines out_;
    CharProps cur_;
    ParaProps para_;
};

}  // namespace

std::vector<std::string> WriteRichText(const QTextDocument& doc) { return RtfWriter(doc).Run(); }

}  // namespace quill
