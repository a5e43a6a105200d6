#pragma once
// ScriptedPrompter: answers a builder's questions from a list, as an author would, and writes
// down what was asked. Typed answers go through the same checks as the dialogs: a refused
// answer is noted (its message in `refused`) and the next answer is taken, as the author would
// type again into the prompt that stayed open. For tests and for checking builders without a
// window.
#include <QString>
#include <QStringList>
#include <deque>
#include <vector>

#include "editor/commands/prompter.h"

namespace quill {

struct ScriptedAnswer {
    enum Kind {
        Text,
        Number,
        ColumnRow,
        Color,
        Heading,
        PopUpText,
        Controls,
        Entry,
        File,
        MatchList,
        MatchTable,
        MenuEntries,
        MenuButtons,
        Quiz,
        ButtonTag
    };
    Kind kind = Text;
    bool cancel = false;
    QString text;      // Text, Number (as typed), File
    int first = 0;     // ColumnRow column, Color, Heading, Entry index
    int second = 0;    // ColumnRow row
    QString typedRow;  // ColumnRow: both fields as typed (when `typed`)
    bool typed = false;
    QStringList lines;  // PopUpText; MatchList: the fields as typed; Quiz: the four fields
    ControlButtons buttons;
    bool exact = false;                 // MatchList, MatchTable
    std::vector<JumpRow> rows;          // MatchTable, MenuEntries: every row as typed
    std::vector<ButtonRow> buttonRows;  // MenuButtons: every row as typed
    QString noMatchLabel, noMatchFile;  // MatchTable

    static ScriptedAnswer Cancel(Kind kind);
    static ScriptedAnswer Txt(const QString& text);
    static ScriptedAnswer Num(int n);
    static ScriptedAnswer NumTyped(const QString& typed);
    static ScriptedAnswer At(int column, int row);
    static ScriptedAnswer AtTyped(const QString& column, const QString& row);
    static ScriptedAnswer Colour(int index);  // 0..25 or kDefaultColor
    static ScriptedAnswer Head(int heading);
    static ScriptedAnswer PopUp(const QStringList& lines);
    static ScriptedAnswer Buttons(const QString& letters);  // "CH": Continue and Help ticked
    static ScriptedAnswer Pick(int index);
    static ScriptedAnswer FileName(const QString& name);
    static ScriptedAnswer Matches(const QStringList& fields, bool exact = false);
    static ScriptedAnswer Table(const std::vector<JumpRow>& rows, bool exact,
                                const QString& noMatchLabel, const QString& noMatchFile);
    static ScriptedAnswer Entries(const std::vector<JumpRow>& rows);
    static ScriptedAnswer MenuButtonRows(const std::vector<ButtonRow>& rows);
    // The quiz wizard's four fields as typed: name, answers, correct answer, top row.
    static ScriptedAnswer QuizFields(const QString& name, const QString& answers,
                                     const QString& correct, const QString& row);
    static ScriptedAnswer Tag(QChar letter);  // a blank: OK with no button chosen
};

class ScriptedPrompter : public Prompter {
  public:
    explicit ScriptedPrompter(std::vector<ScriptedAnswer> answers = {});

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

    // One line per question, in order, with its limits and initial values:
    //   text "Q" | number "Q" 1..79 =1 | colrow "Q" 1..79 1..27 =1,1 | color "Q" | heading |
    //   popup | controls | entry "CAPTION" [A|B] | file image | matchlist | matchtable |
    //   menuentries | menubuttons | quiz | buttontag | error "TEXT"
    QStringList asked;
    std::vector<int> topics;  // the help topic of each question (0 for an error)
    QStringList refused;      // messages of refused answers
    QStringList problems;     // answers of the wrong kind, or missing
    std::size_t Unused() const { return answers_.size(); }

  private:
    // The next answer, which must be of `kind`; nullptr (and a problem) otherwise.
    const ScriptedAnswer* Next(ScriptedAnswer::Kind kind, const QString& question);
    // Takes answers of `kind` until `read` accepts one: `read` makes the answer from it and sets
    // the message when the dialog would refuse it (noted in `refused`, and the next answer is
    // taken). A cancel or a missing answer gives nothing.
    template <class T, class Read>
    std::optional<T> Accepted(ScriptedAnswer::Kind kind, const QString& question, Read read);
    void Ask(const QString& line, int topic);
    std::deque<ScriptedAnswer> answers_;
    ScriptedAnswer current_;
};

}  // namespace quill
