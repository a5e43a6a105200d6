#include "common/shell_open.h"

#include "common/aids_context.h"
#include "common/media_preview.h"
#include "platform/platform.h"
#include "platform/system_services.h"
#include "project/project.h"
#include "text/cp1252.h"
#include "project/tutorial_folder.h"
#include "text/file_lookup.h"
#include "text_codec.h"

namespace quill {

namespace fs = std::filesystem;

std::optional<QUrl> ShellUrl(const AidsContext& context, const std::string& command) {
    const QString text = FromCp1252(command).trimmed();
    const std::string upper = UpperCaseCp1252(ToCp1252(text));
    if (text.contains("://") || upper.rfind("WWW.", 0) == 0 || upper.rfind("MAILTO:", 0) == 0)
        return QUrl::fromUserInput(text);
    const auto found = TutorialFolder(context.project.ProjectDir).FindFile(ToCp1252(text));
    if (text.isEmpty() || !found) return std::nullopt;
    return QUrl::fromLocalFile(QString::fromStdString(found->string()));
}

void OpenWithShell(AidsContext& context, const std::string& command) {
    const auto url = ShellUrl(context, command);
    if (!url) return context.platform.messages.ShowError(MissingFileText(command));
    const QString shown = url->isLocalFile() ? url->toLocalFile() : url->toString();
    if (!context.system.consent.MayStart(context.platform.messages, context.project.ProjectDir, shown)) return;
    if (!context.system.OpenUrl(*url))
        context.platform.messages.ShowError("The file " + FromCp1252(command) +
                                            " could not be opened: no program to open it was found.");
}

}  // namespace quill
