#include "editor/commands/scripted_prompter.h"

namespace quill {

namespace {

QString Quoted(const QString& text) {
    return "\"" + text + "\"";
}
QString Range(int minimum, int maximum) {
    return QString::number(minimum) + ".." + QString::number(maximum);
}

const char* KindName(ScriptedAnswer::Kind kind) {
    static const char* names[] = {"text",       "number",      "colrow",      "color", "heading",
                                  "popup",      "controls",    "entry",       "file",  "matchlist",
                                  "matchtable", "menuentries", "menubuttons", "quiz",  "buttontag"};
    return names[kind];
}

}  // namespace

ScriptedAnswer ScriptedAnswer::Cancel(Kind kind) {
    ScriptedAnswer a;
    a.kind = kind;
    a.cancel = true;
    return a;
}
ScriptedAnswer ScriptedAnswer::Txt(const QString& text) {
    ScriptedAnswer a;
    a.text = text;
    return a;
}
ScriptedAnswer ScriptedAnswer::Num(int n) {
    return NumTyped(QString::number(n));
}
ScriptedAnswer ScriptedAnswer::NumTyped(const QString& typed) {
    ScriptedAnswer a;
    a.kind = Number;
    a.text = typed;
    return a;
}
ScriptedAnswer ScriptedAnswer::At(int column, int row) {
    return AtTyped(QString::number(column), QString::number(row));
}
ScriptedAnswer ScriptedAnswer::AtTyped(const QString& column, const QString& row) {
    ScriptedAnswer a;
    a.kind = ColumnRow;
    a.text = column;
    a.typedRow = row;
    return a;
}
ScriptedAnswer ScriptedAnswer::Colour(int index) {
    ScriptedAnswer a;
    a.kind = Color;
    a.first = index;
    return a;
}
ScriptedAnswer ScriptedAnswer::Head(int heading) {
    ScriptedAnswer a;
    a.kind = Heading;
    a.first = heading;
    return a;
}
ScriptedAnswer ScriptedAnswer::PopUp(const QStringList& lines) {
    ScriptedAnswer a;
    a.kind = PopUpText;
    a.lines = lines;
    return a;
}
ScriptedAnswer ScriptedAnswer::Buttons(const QString& letters) {
    ScriptedAnswer a;
    a.kind = Controls;
    a.buttons = {letters.contains('C'), letters.contains('Q'), letters.contains('P'),
                 letters.contains('H'), letters.contains('U')};
    return a;
}
ScriptedAnswer ScriptedAnswer::Pick(int index) {
    ScriptedAnswer a;
    a.kind = Entry;
    a.first = index;
    return a;
}
ScriptedAnswer ScriptedAnswer::FileName(const QString& name) {
    ScriptedAnswer a;
    a.kind = File;
    a.text = name;
    return a;
}

ScriptedAnswer ScriptedAnswer::Matches(const QStringList& fields, bool exact) {
    ScriptedAnswer a;
    a.kind = MatchList;
    a.lines = fields;
    a.exact = exact;
    return a;
}
ScriptedAnswer ScriptedAnswer::Table(const std::vector<JumpRow>& rows, bool exact,
                                     const QString& noMatchLabel, const QString& noMatchFile) {
    ScriptedAnswer a;
    a.kind = MatchTable;
    a.rows = rows;
    a.exact = exact;
    a.noMatchLabel = noMatchLabel;
    a.noMatchFile = noMatchFile;
    return a;
}
ScriptedAnswer ScriptedAnswer::Entries(const std::vector<JumpRow>& rows) {
    ScriptedAnswer a;
    a.kind = MenuEntries;
    a.rows = rows;
    return a;
}
ScriptedAnswer ScriptedAnswer::MenuButtonRows(const std::vector<ButtonRow>& rows) {
    ScriptedAnswer a;
    a.kind = MenuButtons;
    a.buttonRows = rows;
    return a;
}
ScriptedAnswer ScriptedAnswer::QuizFields(const QString& name, const QString& answers,
                                          const QString& correct, const QString& row) {
    ScriptedAnswer a;
    a.kind = Quiz;
    a.lines = {name, answers, correct, row};
    return a;
}
ScriptedAnswer ScriptedAnswer::Tag(QChar letter) {
    ScriptedAnswer a;
    a.kind = ButtonTag;
    a.text = letter == ' ' ? QString() : QString(letter);
    return a;
}

ScriptedPrompter::ScriptedPrompter(std::vector<ScriptedAnswer> answers)
    : answers_(answers.begin(), answers.end()) {}

void ScriptedPrompter::Ask(const QString& line, int topic) {
    asked << line;
    topics.push_back(topic);
}

const ScriptedAnswer* ScriptedPrompter::Next(ScriptedAnswer::Kind kind, const QString& question) {
    if (answers_.empty()) {
        problems << "no answer for " + question;
        return nullptr;
    }
    current_ = answers_.front();
    answers_.pop_front();
    if (current_.kind != kind) {
        problems << QString("a %1 answer for %2").arg(KindName(current_.kind), question);
        return nullptr;
    }
    return &current_;
}

template <class T, class Read>
std::optional<T> ScriptedPrompter::Accepted(ScriptedAnswer::Kind kind, const QString& question,
                                            Read read) {
    while (const ScriptedAnswer* a = Next(kind, question)) {
        if (a->cancel) return std::nullopt;
        QString problem;
        T answer = read(*a, problem);
        if (problem.isEmpty()) return answer;
        refused << problem;
    }
    return std::nullopt;
}

std::optional<QString> ScriptedPrompter::Text(const TextPrompt& prompt) {
    Ask("text " + Quoted(prompt.question), prompt.topic);
    return Accepted<QString>(ScriptedAnswer::Text, prompt.question,
                             [&](const ScriptedAnswer& a, QString& problem) {
                                 if (prompt.rule && !a.text.isEmpty())
                                     problem = prompt.rule(a.text);
                                 return a.text;
                             });
}

std::optional<int> ScriptedPrompter::Number(const NumberPrompt& prompt) {
    Ask("number " + Quoted(prompt.question) + " " + Range(prompt.minimum, prompt.maximum) + " =" +
            QString::number(prompt.initial),
        prompt.topic);
    return Accepted<int>(
        ScriptedAnswer::Number, prompt.question, [&](const ScriptedAnswer& a, QString& problem) {
            const FieldCheck check =
                CheckNumberField(a.text, prompt.minimum, prompt.maximum, true, NumberTexts());
            problem = !check.ok     ? check.message
                      : prompt.rule ? prompt.rule(check.value)
                                    : QString();
            return check.value;
        });
}

std::optional<ColRow> ScriptedPrompter::ColumnRow(const ColRowPrompt& prompt) {
    Ask("colrow " + Quoted(prompt.question) + " " + Range(prompt.columnMin, prompt.columnMax) +
            " " + Range(prompt.rowMin, prompt.rowMax) + " =" + QString::number(prompt.column) +
            "," + QString::number(prompt.row),
        prompt.topic);
    return Accepted<ColRow>(
        ScriptedAnswer::ColumnRow, prompt.question, [&](const ScriptedAnswer& a, QString& problem) {
            const FieldCheck column =
                CheckNumberField(a.text, prompt.columnMin, prompt.columnMax, true, ColumnTexts());
            const FieldCheck row =
                CheckNumberField(a.typedRow, prompt.rowMin, prompt.rowMax, true, RowTexts());
            if (!column.ok || !row.ok) problem = column.ok ? row.message : column.message;
            return ColRow{column.value, row.value};
        });
}

int ScriptedPrompter::Color(const QString& title, int topic) {
    Ask("color " + Quoted(title), topic);
    const ScriptedAnswer* a = Next(ScriptedAnswer::Color, title);
    return !a || a->cancel ? kColorCancelled : a->first;
}

std::optional<int> ScriptedPrompter::Heading(int topic) {
    Ask("heading", topic);
    const ScriptedAnswer* a = Next(ScriptedAnswer::Heading, "the heading");
    if (!a || a->cancel) return std::nullopt;
    return a->first;
}

std::optional<QStringList> ScriptedPrompter::PopUpText(int topic) {
    Ask("popup", topic);
    const ScriptedAnswer* a = Next(ScriptedAnswer::PopUpText, "the pop-up text");
    if (!a || a->cancel) return std::nullopt;
    return a->lines;
}

std::optional<ControlButtons> ScriptedPrompter::Controls(int topic) {
    Ask("controls", topic);
    const ScriptedAnswer* a = Next(ScriptedAnswer::Controls, "the control buttons");
    if (!a || a->cancel) return std::nullopt;
    return a->buttons;
}

std::optional<int> ScriptedPrompter::PickEntry(const QString& caption, const QStringList& items,
                                               int topic) {
    Ask("entry " + Quoted(caption) + " [" + items.join('|') + "]", topic);
    const ScriptedAnswer* a = Next(ScriptedAnswer::Entry, caption);
    if (!a || a->cancel) return std::nullopt;
    return a->first;
}

std::optional<QString> ScriptedPrompter::ChooseFile(ChooserKind chooser, const QString& current,
                                                    int topic) {
    static const char* names[] = {"image",      "graphic",         "audio", "graphic-and-sound",
                                  "executable", "windows-program", "html",  "video",
                                  "midi"};
    QString line = QString("file ") + names[static_cast<int>(chooser)];
    if (!current.isEmpty()) line += " " + Quoted(current);
    Ask(line, topic);
    const ScriptedAnswer* a = Next(ScriptedAnswer::File, line);
    if (!a || a->cancel) return std::nullopt;
    return a->text;
}

std::optional<MatchListAnswer> ScriptedPrompter::MatchList(int topic) {
    Ask("matchlist", topic);
    return Accepted<MatchListAnswer>(ScriptedAnswer::MatchList, "the match list",
                                     [](const ScriptedAnswer& a, QString& problem) {
                                         MatchListAnswer answer;
                                         for (const QString& field : a.lines.mid(0, kMatchFields))
                                             if (Filled(field))
                                                 answer.texts << field.left(kMatchFieldLength);
                                         answer.exact = a.exact;
                                         problem = MatchListProblem(answer.texts);
                                         return answer;
                                     });
}

std::optional<MatchTableAnswer> ScriptedPrompter::MatchTable(int topic) {
    Ask("matchtable", topic);
    return Accepted<MatchTableAnswer>(
        ScriptedAnswer::MatchTable, "the match table",
        [](const ScriptedAnswer& a, QString& problem) {
            MatchTableAnswer answer{CountedRows(a.rows), a.exact, a.noMatchLabel, a.noMatchFile};
            problem = MatchTableProblem(answer);
            return answer;
        });
}

std::optional<std::vector<JumpRow>> ScriptedPrompter::MenuEntries(int topic) {
    Ask("menuentries", topic);
    return Accepted<std::vector<JumpRow>>(ScriptedAnswer::MenuEntries, "the menu entries",
                                          [](const ScriptedAnswer& a, QString& problem) {
                                              std::vector<JumpRow> rows = CountedRows(a.rows);
                                              problem = JumpRowsProblem(rows, "menu entry");
                                              return rows;
                                          });
}

std::optional<std::vector<ButtonRow>> ScriptedPrompter::MenuButtons(int topic) {
    Ask("menubuttons", topic);
    return Accepted<std::vector<ButtonRow>>(ScriptedAnswer::MenuButtons, "the menu buttons",
                                            [](const ScriptedAnswer& a, QString& problem) {
                                                std::vector<ButtonRow> rows =
                                                    CountedRows(a.buttonRows);
                                                problem = ButtonRowsProblem(rows);
                                                return rows;
                                            });
}

std::optional<QuizParameters> ScriptedPrompter::QuizWizard(int topic) {
    Ask("quiz", topic);
    return Accepted<QuizParameters>(
        ScriptedAnswer::Quiz, "the quiz wizard", [](const ScriptedAnswer& a, QString& problem) {
            const QStringList f = a.lines + QStringList{"", "", "", ""};
            QuizParameters quiz;
            const QuizCheck check = CheckQuizWizard(f[0], f[1], f[2], f[3], &quiz);
            if (check.field != QuizField::None) problem = check.message;
            return quiz;
        });
}

std::optional<QChar> ScriptedPrompter::ControlButton(int topic) {
    Ask("buttontag", topic);
    const ScriptedAnswer* a = Next(ScriptedAnswer::ButtonTag, "the control button");
    if (!a || a->cancel || a->text.isEmpty()) return std::nullopt;
    return a->text[0];
}

void ScriptedPrompter::ShowError(const QString& text) {
    Ask("error " + Quoted(text), 0);
}

}  // namespace quill
