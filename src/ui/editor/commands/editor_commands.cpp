#include "editor/commands/editor_commands.h"

#include "datafile/data_file.h"
#include "editor/commands/command_list_dialog.h"
#include "editor/chapter_editor.h"
#include "platform/modal.h"
#include "platform/platform.h"
#include "platform/system_services.h"
#include "project/project.h"

namespace quill {

EditorCommands* EditorCommands::Install(ChapterEditor& editor, Project& project, Platform& platform) {
    auto* commands = new EditorCommands(editor, project, platform);
    editor.SetAction(control::TextColorBtn, [commands] { commands->TextColorBtnClick(); });
    editor.SetAction(control::TextBackBtn, [commands] { commands->TextBackBtnClick(); });
    commands->Prompts().SetModifyHeadings([&editor] { editor.EditHeadings(); });
    editor.SetAction(control::CommandsCombo,
                     [commands, &editor] { commands->CommandsChosen(editor.CommandItem()); });
    return commands;
}

EditorCommands::EditorCommands(ChapterEditor& editor, Project& project, Platform& platform)
    : QObject(&editor),
      editor_(editor),
      project_(project),
      platform_(platform),
      system_(std::make_unique<DesktopSystem>()),
      prompter_(project, platform, *system_, &editor),
      data_{project.Config, [&project](std::string_view source) {
                TextLines names;
                ListEntryNames(names, project.DataFilePath(), source);
                return names;
            }} {
    setObjectName("EditorCommands");
}

EditorCommands::~EditorCommands() = default;

void EditorCommands::Insert(const QStringList& lines) {
    if (lines.isEmpty()) return;
    editor_.InsertAtCaret(lines.join('\n') + '\n');
}

void EditorCommands::TextColorBtnClick() {
    const QString marker = TextColorMarker(prompter_.Color("Select Text Color", 0));
    if (!marker.isEmpty()) editor_.InsertAtCaret(marker);
}

void EditorCommands::TextBackBtnClick() {
    const QString marker = TextBackgroundMarker(prompter_.Color("Select Text Background", 0));
    if (!marker.isEmpty()) editor_.InsertAtCaret(marker);
}

void EditorCommands::CommandsChosen(const QString& item) {
    const auto form = MakeCommsForm(item, platform_, prompter_, data_, &editor_);
    if (!form) {
        ShowNotAvailable(platform_.messages, item.trimmed() + " Commands");
        return;
    }
    if (ShowModal(*form) == QDialog::Accepted) Insert(form->Lines());
}

}  // namespace quill
