#pragma once
// Writing a QTextDocument as the RTF a Windows rich-edit control saves, for the data file.
//
// The output is "{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl...}}", a colour table when
// colours are used, "\viewkind4\uc1\pard" and the text with one "\par" a paragraph (so a
// document read back has the same paragraphs). Characters outside Windows-1252 are written
// as "\uN?". The lines are Windows-1252 bytes without line ends; no line begins with "[" or
// is exactly "]", so they can stand between an entry's header and its closing line.
#include <string>
#include <vector>

class QTextDocument;

namespace quill {

std::vector<std::string> WriteRichText(const QTextDocument& doc);

}  // namespace quill
