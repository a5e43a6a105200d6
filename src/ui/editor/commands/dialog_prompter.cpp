#include "editor/commands/dialog_prompter.h"

#include <memory>

#include "common/aids_context.h"
#include "common/entry_list_picker.h"
#include "editor/commands/branch_forms.h"
#include "editor/commands/picker_forms.h"
#include "editor/commands/prompt_forms.h"
#include "common/file_chooser.h"
#include "platform/help.h"
#include "platform/modal.h"
#include "platform/platform.h"
#include "project/project.h"
#include "text_codec.h"

namespace quill {

DialogPrompter::DialogPrompter(Project& project, Platform& platform, SystemServices& system,
                               QWidget* parent)
    : project_(project), platform_(platform), system_(system), parent_(parent) {
    modifyHeadings_ = [this] { ShowNotAvailable(platform_.messages, "Modify"); };
}

std::optional<QString> DialogPrompter::Text(const TextPrompt& prompt) {
    TextPromptDialog form(platform_, prompt, parent_);
    if (ShowModal(form) != QDialog::Accepted) return std::nullopt;
    return form.Text();
}

std::optional<int> DialogPrompter::Number(const NumberPrompt& prompt) {
    NumberPromptDialog form(platform_, prompt, parent_);
    if (ShowModal(form) != QDialog::Accepted) return std::nullopt;
    return form.Value();
}

std::optional<ColRow> DialogPrompter::ColumnRow(const ColRowPrompt& prompt) {
    ColumnRowPromptDialog form(platform_, prompt, parent_);
    if (ShowModal(form) != QDialog::Accepted) return std::nullopt;
    return form.Value();
}

int DialogPrompter::Color(const QString& title, int topic) {
    ColourPicker form(platform_, project_.Config, title, topic, parent_);
    ShowModal(form);
    return form.Result();
}

std::optional<int> DialogPrompter::Heading(int topic) {
    HeadingPicker form(platform_, project_.Config, topic, modifyHeadings_, parent_);
    if (ShowModal(form) != QDialog::Accepted) return std::nullopt;
    return form.Chosen();
}

std::optional<QStringList> DialogPrompter::PopUpText(int topic) {
    PopUpTextDialog form(platform_, topic, parent_);
    if (ShowModal(form) != QDialog::Accepted) return std::nullopt;
    return form.Lines();
}

std::optional<ControlButtons> DialogPrompter::Controls(int topic) {
    ControlButtonsPicker form(platform_, topic, parent_);
    if (ShowModal(form) != QDialog::Accepted) return std::nullopt;
    return form.Buttons();
}

std::optional<int> DialogPrompter::PickEntry(const QString& caption, const QStringList& items,
                                             int topic) {
    EntryListPicker form(platform_, caption, items, -1, topic, parent_);
    const int index = form.Run();
    if (index < 0) return std::nullopt;
    return index;
}

std::optional<QString> DialogPrompter::ChooseFile(ChooserKind chooser, const QString& current,
                                                  int topic) {
    AidsContext context{project_, platform_, system_};
    const auto chosen = ChooseMedia(context, chooser, MediaChoiceOfSpec(chooser, ToCp1252(current)), parent_, topic);
    if (!chosen) return std::nullopt;
    return FromCp1252(chosen->spec);
}

std::optional<MatchListAnswer> DialogPrompter::MatchList(int topic) {
    MatchListDialog form(platform_, topic, parent_);
    if (ShowModal(form) != QDialog::Accepted) return std::nullopt;
    return form.Answer();
}

std::optional<MatchTableAnswer> DialogPrompter::MatchTable(int topic) {
    MatchTableDialog form(platform_, topic, parent_);
    if (ShowModal(form) != QDialog::Accepted) return std::nullopt;
    return form.Answer();
}

std::optional<std::vector<JumpRow>> DialogPrompter::MenuEntries(int topic) {
    BoxMenuDialog form(platform_, topic, parent_);
    if (ShowModal(form) != QDialog::Accepted) return std::nullopt;
    return form.Rows();
}

std::optional<std::vector<ButtonRow>> DialogPrompter::MenuButtons(int topic) {
    ButtonMenuDialog form(platform_, topic, parent_);
    if (ShowModal(form) != QDialog::Accepted) return std::nullopt;
    return form.Rows();
}

std::optional<QuizParameters> DialogPrompter::QuizWizard(int topic) {
    QuizWizardDialog form(platform_, topic, parent_);
    if (ShowModal(form) != QDialog::Accepted) return std::nullopt;
    return form.Parameters();
}

std::optional<QChar> DialogPrompter::ControlButton(int topic) {
    ControlButtonTagPicker form(platform_, topic, parent_);
    if (ShowModal(form) != QDialog::Accepted) return std::nullopt;
    return form.Letter();
}

void DialogPrompter::ShowError(const QString& text) {
    platform_.messages.ShowError(text);
}

}  // namespace quill
