#include "editor/chapter_highlighter.h"

#include "script/command_table.h"
#include "text_codec.h"

namespace quill {

namespace {

bool IsBlank(QChar c) { return c == ' ' || c == '\t'; }

// Display text: inline codes and hypertext words.
void TextSpans(const QString& line, int from, std::vector<ChapterSpan>& out) {
    const int n = static_cast<int>(line.size());
    for (int i = from; i < n;) {
        const QChar c = line[i];
        if (c == '^' || c == '~') {
            const int length = (c == '~' && i + 1 < n && line[i + 1] == '@') ? 3 : 2;
            out.push_back({i, std::min(length, n - i), ChapterToken::InlineCode});
            i += length;
        } else if (c == '|' && i + 1 < n) {
            int j = i + 1;
            while (j < n && line[j] != '|') ++j;
            const int end = std::min(j + 1, n);
            out.push_back({i, end - i, ChapterToken::Hypertext});
            i = end;
        } else {
            ++i;
        }
    }
}

}  // namespace

std::vector<ChapterSpan> ChapterSpans(const QString& line, const ColorTable& colors) {
    std::vector<ChapterSpan> out;
    const int n = static_cast<int>(line.size());
    if (n == 0) return out;
    const QChar first = line[0];
    if (first == ';') {
        out.push_back({0, n, ChapterToken::Comment});
    } else if (first == '&' || (first == '@' && n > 1)) {
        const QChar second = n > 1 ? line[1].toUpper() : QChar();
        const bool marker = first == '&' || QStringView(u"JPQCF").contains(second) || second.isDigit();
        if (marker)
            out.push_back({0, n, ChapterToken::Marker});
        else
            TextSpans(line, 0, out);
    } else if (first == ':') {
        int end = 1;
        while (end < n && line[end] != ',') ++end;
        out.push_back({0, end, ChapterToken::Code});
    } else if (first == '*') {
        // Words as translation takes them: the keyword, then the arguments of its layout.
        int i = 0;
        auto nextWord = [&](int& start) {
            while (i < n && IsBlank(line[i])) ++i;
            start = i;
            while (i < n && !IsBlank(line[i])) ++i;
            return i - start;
        };
        int start = 0;
        const int length = nextWord(start);
        const std::string keyword = ToCp1252(line.mid(start, length).toUpper());
        const CommandSpec* spec = FindCommand(keyword);
        out.push_back({start, length, spec ? ChapterToken::Keyword : ChapterToken::UnknownKeyword});
        if (!spec) return out;
        for (const char field : spec->layout) {
            if (field != 'w' && field != 'c' && field != 'o') break;  // the rest is free text
            const int wordLength = nextWord(start);
            if (wordLength == 0) break;
            const QString word = line.mid(start, wordLength);
            if (field == 'w') {
                bool isNumber = false;
                word.toInt(&isNumber);
                if (isNumber) out.push_back({start, wordLength, ChapterToken::Number});
            } else if (colors.CodeOf(ToCp1252(word)) != 0) {
                out.push_back({start, wordLength, ChapterToken::Colour});
            }
        }
    } else {
        TextSpans(line, 0, out);
    }
    return out;
}

ChapterHighlighter::ChapterHighlighter(QTextDocument* document, ColorTable colors)
    : QSyntaxHighlighter(document), colors_(std::move(colors)) {
    auto& f = formats_;
    f[int(ChapterToken::Keyword)].setForeground(QColor(0, 0, 160));
    f[int(ChapterToken::Keyword)].setFontWeight(QFont::Bold);
    f[int(ChapterToken::UnknownKeyword)].setForeground(QColor(190, 0, 0));
    f[int(ChapterToken::UnknownKeyword)].setFontWeight(QFont::Bold);
    f[int(ChapterToken::Code)].setForeground(QColor(0, 0, 160));
    f[int(ChapterToken::Number)].setForeground(QColor(0, 120, 120));
    f[int(ChapterToken::Colour)].setForeground(QColor(150, 0, 150));
    f[int(ChapterToken::Marker)].setForeground(QColor(120, 60, 0));
    f[int(ChapterToken::Marker)].setFontWeight(QFont::Bold);
    f[int(ChapterToken::Comment)].setForeground(QColor(110, 110, 110));
    f[int(ChapterToken::Comment)].setFontItalic(true);
    f[int(ChapterToken::InlineCode)].setForeground(QColor(200, 100, 0));
    f[int(ChapterToken::Hypertext)].setForeground(QColor(0, 90, 200));
    f[int(ChapterToken::Hypertext)].setFontUnderline(true);
}

void ChapterHighlighter::setColors(const ColorTable& colors) {
    colors_ = colors;
    rehighlight();
}

void ChapterHighlighter::highlightBlock(const QString& text) {
    for (const ChapterSpan& s : ChapterSpans(text, colors_)) setFormat(s.start, s.length, formats_[int(s.token)]);
}

}  // namespace quill
