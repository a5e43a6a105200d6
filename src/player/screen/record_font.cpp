#include "screen/record_font.h"

#include "screen/text_screen.h"
#include "text_codec.h"

namespace quill {

namespace {

QFont DefaultRecordFont() { return QFont(QStringLiteral("Times New Roman"), 10); }

}  // namespace

QFont FontOfRecord(const FontSpec& spec) {
    QFont font = DefaultRecordFont();
    if (!spec.name.empty()) font.setFamily(FromCp1252(spec.name));
    if (spec.size > 0 && spec.size <= 200) font.setPointSize(spec.size);
    font.setBold(spec.style & fsBold);
    font.setItalic(spec.style & fsItalic);
    font.setUnderline(spec.style & fsUnderline);
    font.setStrikeOut(spec.style & fsStrikeOut);
    return font;
}

QFont FontOfRecordText(const std::string& spec, QColor* colour) {
    const auto parsed = FontFromSpec(spec);
    if (colour) *colour = parsed ? ColourFromRecord(parsed->color) : QColor(Qt::black);
    return parsed ? FontOfRecord(*parsed) : DefaultRecordFont();
}

}  // namespace quill
