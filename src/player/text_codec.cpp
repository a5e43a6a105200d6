#include "text_codec.h"

#include "text/cp1252.h"

namespace quill {

QString FromCp1252(std::string_view bytes) {
    QString out;
    out.reserve(static_cast<qsizetype>(bytes.size()));
    for (char c : bytes) out += QChar(static_cast<char16_t>(Cp1252ToUnicode(static_cast<unsigned char>(c))));
    return out;
}

std::string ToCp1252(const QString& text) {
    std::string out;
    out.reserve(static_cast<std::size_t>(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        if (ch.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            out += '?';  // outside the Basic Multilingual Plane: never in the code page
            ++i;
            continue;
        }
        const int b = UnicodeToCp1252(ch.unicode());
        out += b < 0 ? '?' : static_cast<char>(b);
    }
    return out;
}

}  // namespace quill
