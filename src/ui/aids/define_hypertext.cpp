#include "aids/define_hypertext.h"

#include <QWidget>

#include "aids/entry_rules.h"
#include "aids/hypertext_entry_editor.h"
#include "common/aids_context.h"
#include "common/entry_list_picker.h"
#include "platform/error_handler.h"
#include "platform/help_topics.h"
#include "platform/platform.h"
#include "text_codec.h"

namespace quill {

void DefineHyperText(AidsContext& context, const QStringList& lines, QWidget* editor) {
    const HyperLinkScan scan = FindHyperLinks(lines);
    for (const QString& error : scan.errors) context.platform.messages.ShowError(error);
    if (scan.links.isEmpty()) return;
    const bool shown = editor && editor->isVisible();
    if (shown) editor->hide();
    for (;;) {
        EntryListPicker picker(context.platform, "Select a HyperText Link to define", scan.links, 0,
                               TopicNumber(HelpTopic::DefineHypertext), editor);
        const int chosen = picker.Run();
        if (chosen < 0) break;
        const std::string name = ToCp1252(scan.links.at(chosen));
        if (name.empty()) {
            context.platform.messages.ShowError("A HyperText link between two markers \"||\" has no name.");
            continue;
        }
        if (auto error = EntryNameLengthError(name, kSourceHyper)) {
            context.platform.messages.ShowError(*error);
            continue;
        }
        RunGuarded(context.platform.messages, [&] { EditHypertextEntry(context, name, editor); });
    }
    if (shown) editor->show();
}

}  // namespace quill
