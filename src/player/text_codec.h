#pragma once
// The one pair of conversions between the Windows-1252 bytes of project files and the engine's
// text (QString on the desktop, UTF-8 in the web build).
#include <string>
#include <string_view>

#include "engine_types.h"

namespace quill {

Text FromCp1252(std::string_view bytes);
// Characters Windows-1252 cannot hold become '?'.
std::string ToCp1252(const Text& text);

}  // namespace quill
