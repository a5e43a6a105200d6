#pragma once
// Loading an instruction file (rich text) into the reader's document.
#include <filesystem>
#include <string>
#include <string_view>

class QTextDocument;

namespace quill {

// Reads the file and puts its text into the document. Throws IoError naming the file when it
// cannot be read.
void LoadInstructionDocument(const std::filesystem::path& path, QTextDocument* document);

// The plain text of RTF bytes (Windows-1252): paragraphs become line feeds, escaped characters
// their bytes; control words, font and colour tables and other destinations are dropped.
// Text that is not RTF comes back as it is.
std::string RtfToPlainText(std::string_view rtf);

}  // namespace quill
