#pragma once
// The one pair of conversions between the Windows-1252 bytes of project files and QString.
#include <QString>
#include <string>
#include <string_view>

namespace quill {

QString FromCp1252(std::string_view bytes);
// Characters Windows-1252 cannot hold become '?'.
std::string ToCp1252(const QString& text);

}  // namespace quill
