#pragma once
// GoogleTest output for Qt strings: a failed assertion on QStrings (or lists of them) prints
// their text as UTF-8, and a QString can be streamed into an assertion's message.
#include <QString>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

inline std::ostream& operator<<(std::ostream& out, const QString& text) { return out << text.toStdString(); }
