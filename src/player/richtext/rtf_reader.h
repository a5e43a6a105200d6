#pragma once
// Reading the tutorial's rich text into a QTextDocument.
//
// Rich text is stored as the RTF a Windows rich-edit control saves: a group "{\rtf1 ...}" split
// over the lines of a data-file entry. Anything after the closing brace of that group (the data
// file leaves its closing "]" there) is ignored. Text that does not start with "{\rtf" is read
// as plain Windows-1252 text, one paragraph per line.
//
// The reader never fails: broken, truncated or random input gives whatever text could be read.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class QTextDocument;

namespace quill {

// True when the bytes start (after blanks and line ends) with "{\rtf".
bool LooksLikeRtf(std::string_view bytes);

// Replaces the content of `doc` with the rich text in `bytes` (Windows-1252 / RTF bytes).
// Every text run gets an explicit font family and point size, so the document does not depend
// on the default font of whoever shows it. The document's default font becomes the RTF's
// default font at 12 points.
void ReadRichText(std::string_view bytes, QTextDocument& doc);

// The lines of a data-file entry, joined with CR LF (RTF ignores line ends; for plain text
// each line is a paragraph).
void ReadRichText(const std::vector<std::string>& lines, QTextDocument& doc);

// Convenience: a new document holding the text.
std::unique_ptr<QTextDocument> RichTextDocument(const std::vector<std::string>& lines);

}  // namespace quill
