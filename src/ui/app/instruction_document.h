#pragma once
// Loading an instruction file (rich text) into the reader's document.
#include <filesystem>

class QTextDocument;

namespace quill {

// Reads the file (RTF, or plain text) into the document with its formatting. Throws IoError
// naming the file when it cannot be read.
void LoadInstructionDocument(const std::filesystem::path& path, QTextDocument* document);

}  // namespace quill
