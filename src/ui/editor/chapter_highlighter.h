#pragma once
// ChapterHighlighter: colours the lines of a chapter as the player reads them: command
// keywords (unknown ones in red), their numbers and colour words, translated lines, labels and
// markers (@J @P @Q @C @1..@9 @F, &1 &2 &3), comments, and in display text the inline codes
// (^B ~$ ~@A ...) and hypertext words (|word|). Each line is coloured on its own, so typing
// recolours only the line typed in, however long the chapter is.
#include <QSyntaxHighlighter>
#include <QTextCharFormat>
#include <vector>

#include "script/translate.h"

namespace quill {

// What a stretch of a line is, for colouring. Kept apart from the widget so that tests can
// read it without a document.
enum class ChapterToken { Keyword, UnknownKeyword, Code, Number, Colour, Marker, Comment, InlineCode, Hypertext };

struct ChapterSpan {
    int start, length;
    ChapterToken token;
    bool operator==(const ChapterSpan&) const = default;
};

// The coloured stretches of one line (text as typed, Unicode).
std::vector<ChapterSpan> ChapterSpans(const QString& line, const ColorTable& colors);

class ChapterHighlighter : public QSyntaxHighlighter {
    Q_OBJECT
public:
    ChapterHighlighter(QTextDocument* document, ColorTable colors);
    void setColors(const ColorTable& colors);

protected:
    void highlightBlock(const QString& text) override;

private:
    ColorTable colors_;
    QTextCharFormat formats_[9];
};

}  // namespace quill
