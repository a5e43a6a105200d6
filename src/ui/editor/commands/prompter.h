#pragma once
// Prompter: every question a command builder asks the author, behind one interface. The chapter
// editor answers through small modal dialogs (DialogPrompter); tests answer from a script
// (ScriptedPrompter). A builder is then a plain function from answers to lines.
//
// Each question carries the help topic that F1 opens while it is asked. A cancelled question
// gives nullopt (the colour picker: kColorCancelled); the builder then ends without lines.
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "common/file_chooser.h"
#include "common/number_field.h"
#include "editor/commands/branch_tables.h"

namespace quill {

// The colour picker's answers besides a palette index 0..25.
inline constexpr int kDefaultColor =
    27;  // "Use Screen Default Color" (or "Select" with nothing chosen)
inline constexpr int kColorCancelled = -1;

// A further rule on an answer: the message that refuses it, or an empty text when it is good.
// A refused answer keeps the question open, as a value outside the limits does.
using TextRule = std::function<QString(const QString&)>;
using NumberRule = std::function<QString(int)>;

struct TextPrompt {
    QString question;
    int topic = 0;
    TextRule rule;  // checked when "Save" is pressed on a text that is not empty
};

struct NumberPrompt {
    QString question;
    int minimum = 0;
    int maximum = 0;
    int initial = 0;
    int topic = 0;
    NumberRule rule;  // checked on OK, after the limits
};

struct ColRowPrompt {
    QString question;
    int columnMin = 1, columnMax = 79;
    int rowMin = 1, rowMax = 25;
    int column = 1, row = 1;  // the initial values
    int topic = 0;
};

struct ColRow {
    int column = 0;
    int row = 0;
};

// The ticked boxes of the control-buttons prompt.
struct ControlButtons {
    bool continueOn = false;
    bool quit = false;
    bool pageBack = false;
    bool help = false;
    bool utilities = false;
};

class Prompter {
  public:
    virtual ~Prompter() = default;

    // A label with the question, one field, Cancel and "Save". The text may be empty.
    virtual std::optional<QString> Text(const TextPrompt& prompt) = 0;
    // A number within the prompt's limits.
    virtual std::optional<int> Number(const NumberPrompt& prompt) = 0;
    // Two numbers, "Column" and "Row", each within its limits.
    virtual std::optional<ColRow> ColumnRow(const ColRowPrompt& prompt) = 0;
    // The colour picker titled `title`: a palette index 0..25, kDefaultColor or kColorCancelled.
    virtual int Color(const QString& title, int topic) = 0;
    // The heading-format picker: the heading number 1..10.
    virtual std::optional<int> Heading(int topic) = 0;
    // The pop-up text: the lines from the first to the last one that is not empty (empty
    // lines between them stay); an empty list when all ten are empty.
    virtual std::optional<QStringList> PopUpText(int topic) = 0;
    // The control-buttons prompt.
    virtual std::optional<ControlButtons> Controls(int topic) = 0;
    // The entry list picker over `items`, captioned `caption`: the chosen index.
    virtual std::optional<int> PickEntry(const QString& caption, const QStringList& items,
                                         int topic) = 0;
    // A chooser of the get-file family, opened on `current` (a name or spec, may be empty).
    virtual std::optional<QString> ChooseFile(ChooserKind chooser, const QString& current,
                                              int topic) = 0;
    // The match list editor (MatchListDialog): the texts that are not empty and "Match Exactly".
    virtual std::optional<MatchListAnswer> MatchList(int topic) = 0;
    // The match table editor (MatchTableDialog): the counted rows, the flag, the no-match target.
    virtual std::optional<MatchTableAnswer> MatchTable(int topic) = 0;
    // The box menu's table editor (BoxMenuDialog): the counted rows.
    virtual std::optional<std::vector<JumpRow>> MenuEntries(int topic) = 0;
    // The button menu's table editor (ButtonMenuDialog): the counted rows.
    virtual std::optional<std::vector<ButtonRow>> MenuButtons(int topic) = 0;
    // The quiz wizard (QuizWizardDialog): parameters that passed its checks.
    virtual std::optional<QuizParameters> QuizWizard(int topic) = 0;
    // The control-button picker (ControlButtonTagPicker): 'C', 'Q', 'P', 'H' or 'U'.
    virtual std::optional<QChar> ControlButton(int topic) = 0;
    // An error box; the builder that shows one ends without lines.
    virtual void ShowError(const QString& text) = 0;
};

// --- The checks the prompts make on typed numbers (shared by the dialogs and the script) ----

// The messages of the prompts' number fields (CheckNumberField, common/number_field.h).
NumberFieldTexts NumberTexts();
NumberFieldTexts ColumnTexts();
NumberFieldTexts RowTexts();

}  // namespace quill
