#include "platform/platform.h"

namespace quill {

std::filesystem::path ProgramHelpFile(const std::filesystem::path& homeDir) {
    return homeDir / "QUILLDESK.HLP";
}

DesktopPlatform::DesktopPlatform(const std::filesystem::path& homeDir)
    : messages_(help_, ProgramHelpFile(homeDir)),
      platform_{messages_, dialogs_, help_, ProgramHelpFile(homeDir)} {
    help_.SetMessages(&messages_);
}

QString NotAvailableText(const QString& windowName) {
    QString name = windowName;
    name.remove('&');
    return "The window \"" + name.trimmed() + "\" is not available yet in this version of Quillmark.";
}

void ShowNotAvailable(Messages& messages, const QString& windowName) {
    messages.ShowInfo(NotAvailableText(windowName));
}

}  // namespace quill
