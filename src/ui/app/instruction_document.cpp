#include "app/instruction_document.h"

#include <QTextDocument>

#include "richtext/rtf_reader.h"
#include "text/text_file.h"

namespace quill {

void LoadInstructionDocument(const std::filesystem::path& path, QTextDocument* document) {
    ReadRichText(ReadFileBytes(path), *document);
}

}  // namespace quill
