#pragma once
// Opening a document or web page with the desktop's handler for it (an HTML entry, the "&View"
// of the HTML chooser). A web address ("http://...", "www...") opens as it is; any other text
// names a file of the project folder, which must exist.
#include <QUrl>
#include <optional>
#include <string>

namespace quill {

struct AidsContext;

// The URL to open for the command, or nullopt when it names a project file that is missing.
std::optional<QUrl> ShellUrl(const AidsContext& context, const std::string& command);

// Opens it; a missing file or a refusal of the desktop is reported in an error box.
void OpenWithShell(AidsContext& context, const std::string& command);

}  // namespace quill
