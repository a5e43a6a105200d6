#pragma once
// The chapter editor's insertion controls: "Text Color" and "Text Background" insert colour
// markers chosen with the colour picker, and the "Commands" drop-down opens the command dialog
// of the chosen category and inserts the lines it built at the caret (each followed by a line
// break, replacing the selection). Categories without a dialog here keep saying so.
#include <QObject>
#include <memory>

#include "editor/commands/command_builders.h"
#include "editor/commands/dialog_prompter.h"

namespace quill {

class Project;
class SystemServices;
class ChapterEditor;
struct Platform;

class EditorCommands : public QObject {
    Q_OBJECT
  public:
    // Gives the editor's controls their actions; lives as a child of the editor.
    static EditorCommands* Install(ChapterEditor& editor, Project& project, Platform& platform);

    DialogPrompter& Prompts() { return prompter_; }

    void TextColorBtnClick();
    void TextBackBtnClick();
    // The chosen item of the drop-down.
    void CommandsChosen(const QString& item);

    ~EditorCommands() override;

  private:
    EditorCommands(ChapterEditor& editor, Project& project, Platform& platform);
    void Insert(const QStringList& lines);

    ChapterEditor& editor_;
    Project& project_;
    Platform& platform_;
    std::unique_ptr<SystemServices> system_;
    DialogPrompter prompter_;
    CommandData data_;
};

}  // namespace quill
