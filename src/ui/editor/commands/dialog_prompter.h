#pragma once
// DialogPrompter: the Prompter of the chapter editor. Every question is a small modal dialog,
// created for the question and freed after it; file choices go through the get-file family
// and entry choices through the entry list picker.
#include <functional>

#include "editor/commands/prompter.h"

class QWidget;

namespace quill {

class Project;
class SystemServices;
struct Platform;

class DialogPrompter : public Prompter {
  public:
    // The prompts open over `parent`.
    DialogPrompter(Project& project, Platform& platform, SystemServices& system, QWidget* parent);

    // What the heading picker's "Modify" does: the heading editor, which the chapter editor
    // gives; until then it says that the window is not available.
    void SetModifyHeadings(std::function<void()> action) { modifyHeadings_ = std::move(action); }

    std::optional<QString> Text(const TextPrompt& prompt) override;
    std::optional<int> Number(const NumberPrompt& prompt) override;
    std::optional<ColRow> ColumnRow(const ColRowPrompt& prompt) override;
    int Color(const QString& title, int topic) override;
    std::optional<int> Heading(int topic) override;
    std::optional<QStringList> PopUpText(int topic) override;
    std::optional<ControlButtons> Controls(int topic) override;
    std::optional<int> PickEntry(const QString& caption, const QStringList& items,
                                 int topic) override;
    std::optional<QString> ChooseFile(ChooserKind chooser, const QString& current,
                                      int topic) override;
    std::optional<MatchListAnswer> MatchList(int topic) override;
    std::optional<MatchTableAnswer> MatchTable(int topic) override;
    std::optional<std::vector<JumpRow>> MenuEntries(int topic) override;
    std::optional<std::vector<ButtonRow>> MenuButtons(int topic) override;
    std::optional<QuizParameters> QuizWizard(int topic) override;
    std::optional<QChar> ControlButton(int topic) override;
    void ShowError(const QString& text) override;

  private:
    Project& project_;
    Platform& platform_;
    SystemServices& system_;
    QWidget* parent_;
    std::function<void()> modifyHeadings_;
};

}  // namespace quill
