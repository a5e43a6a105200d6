#pragma once
// The text of a plain-text editor as the chapter and notes editors keep it, and the chapter
// file's lines it is written as.
#include <QString>
#include <string>
#include <vector>

class QPlainTextEdit;

namespace quill {

// The whole text of an editor, every character as typed, lines separated by '\n'.
QString EditorText(const QPlainTextEdit* edit);
// The chapter text as the Windows-1252 lines written to its file, and back.
std::vector<std::string> ChapterLines(const QString& text);
QString ChapterTextFromBytes(const std::string& bytes);

}  // namespace quill
