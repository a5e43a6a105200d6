#pragma once
// A font record (name, size, colour, style, as the configuration record and the data file keep
// it) as the font to draw with. The one conversion: the player's screens, the headless
// renderer, the designers and the teaching aids all draw a record's font through it, so the
// same record looks the same everywhere.
#include <QColor>
#include <QFont>
#include <string>

#include "project/font_spec.h"

namespace quill {

// The family of the record (or, without a name, Times New Roman), its point size when it lies
// in 1..200 (else 10), bold, italic, underline and strike-out.
QFont FontOfRecord(const FontSpec& spec);
// The same from the record's text; a text that does not parse gives Times New Roman 10 in
// black. `colour`, when given, receives the record's colour.
QFont FontOfRecordText(const std::string& spec, QColor* colour = nullptr);

}  // namespace quill
