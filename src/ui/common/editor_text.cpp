#include "common/editor_text.h"

#include <QPlainTextEdit>
#include <QTextDocument>

#include "text/text_file.h"
#include "text_codec.h"

namespace quill {

QString EditorText(const QPlainTextEdit* edit) {
    // toPlainText() would turn no-break spaces into plain ones; the raw text keeps every
    // character and marks line ends with paragraph (or, after Shift+Enter, line) separators.
    QString text = edit->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, '\n');
    text.replace(QChar::LineSeparator, '\n');
    return text;
}

std::vector<std::string> ChapterLines(const QString& text) { return SplitLines(ToCp1252(text)); }

QString ChapterTextFromBytes(const std::string& bytes) {
    QString text;
    bool first = true;
    for (const std::string& line : SplitLines(bytes)) {
        if (!first) text += '\n';
        text += FromCp1252(line);
        first = false;
    }
    return text;
}

}  // namespace quill
