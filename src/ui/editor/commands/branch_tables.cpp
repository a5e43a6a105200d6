#include "editor/commands/branch_tables.h"

#include <climits>
#include <optional>

#include "common/number_field.h"

namespace quill {

namespace {

QString Num(int n) {
    return QString::number(n);
}

}  // namespace

bool Filled(const QString& cell) {
    return !cell.trimmed().isEmpty();
}

QString MatchListLine(const QStringList& fields) {
    QStringList texts;
    for (const QString& field : fields)
        if (Filled(field)) texts << field;
    return texts.join(';');
}

std::vector<JumpRow> CountedRows(const std::vector<JumpRow>& rows) {
    std::vector<JumpRow> counted;
    for (const JumpRow& row : rows)
        if (Filled(row.text) && (Filled(row.label) || Filled(row.file))) counted.push_back(row);
    return counted;
}

std::vector<ButtonRow> CountedRows(const std::vector<ButtonRow>& rows) {
    std::vector<ButtonRow> counted;
    for (const ButtonRow& row : rows)
        if (Filled(row.x1) && Filled(row.y1) && Filled(row.x2) && Filled(row.caption) &&
            (Filled(row.label) || Filled(row.file)))
            counted.push_back(row);
    return counted;
}

QString JumpTargetLine(const QString& label, const QString& file) {
    if (Filled(label)) return "*JumpToLabel " + label.trimmed();
    return "*JumpToFile " + file.trimmed();
}

namespace {

QString SemicolonProblem(const QString& text, const QString& what) {
    if (!text.contains(';')) return {};
    return "The " + what + " \"" + text.trimmed() +
           "\" holds a ; which would cut it short. Leave the ; out.";
}

}  // namespace

QString MatchListProblem(const QStringList& texts) {
    for (const QString& text : texts)
        if (QString problem = SemicolonProblem(text, "match text"); !problem.isEmpty())
            return problem;
    return {};
}

QString JumpRowsProblem(const std::vector<JumpRow>& rows, const QString& what) {
    for (const JumpRow& row : rows)
        if (QString problem = SemicolonProblem(row.text, what); !problem.isEmpty()) return problem;
    return {};
}

QString MatchTableProblem(const MatchTableAnswer& table) {
    if (table.rows.size() > std::size_t(kMatchTableRows))
        return "A match table holds at most " + QString::number(kMatchTableRows) +
               " matches: the line after the last one is the action when nothing matches.";
    return JumpRowsProblem(table.rows, "match text");
}

QString ButtonRowsProblem(const std::vector<ButtonRow>& rows) {
    for (const ButtonRow& row : rows)
        if (QString problem = SemicolonProblem(row.caption, "button caption"); !problem.isEmpty())
            return problem;
    return {};
}

QStringList QuizSkeleton(const QuizParameters& quiz) {
    const QString& q = quiz.name;
    QStringList lines{"@Q" + q, "*Clearscreen", "; Question goes here", ""};
    lines << "*QuizAnswers " + Num(quiz.answers) + " " + Num(quiz.topRow) + " " + q;
    for (int i = 1; i <= quiz.answers; ++i)
        lines << (i == quiz.correct ? "Correct Answer " : "Answer ") + Num(i) + " goes here";
    lines << "";
    for (int i = 1; i <= quiz.answers; ++i) {
        const bool correct = i == quiz.correct;
        lines << (correct ? ";Correct Answer " : ";Answer ") + Num(i) + " information goes here";
        lines << "@" + Num(i) + q << "*Clearscreen Default"
              << "*Controls C"
              << ""
              << "*Wait";
        lines << (correct ? "*ExitQuiz " : "*ReturnToQuiz ") + q << "";
    }
    lines << ";Rejoin tutorial here"
          << "@C" + q;
    return lines;
}

QStringList AnswerSkeleton() {
    return {"&1", ";Correct answer starts below this line", "",
            "&2", ";Wrong answer starts below this line",   "",
            "&3", ";Tutorial re-starts below this line"};
}

QStringList ButtonSkeleton() {
    return {"&1", ";Left Button answer starts below this line",  "",
            "&2", ";Right Button answer starts below this line", "",
            "&3", ";Tutorial re-starts below this line"};
}

namespace {

// The limits, messages and resets of one quiz field: what it is set to after a text that is not a
// number, after one above the maximum and after one below the minimum.
struct QuizFieldRule {
    int minimum, maximum;
    NumberFieldTexts texts;
    QString notNumberReset, aboveReset, belowReset;
};

std::optional<QuizFieldRule> RuleOf(QuizField field) {
    switch (field) {
        case QuizField::Answers:
            return QuizFieldRule{2, 4, {"The maximum number of answers is ", "The minimum number of answers is ", {}},
                                 "2", "4", "2"};
        case QuizField::Correct:
            return QuizFieldRule{1, 4, {"The maximum number of answers is ", "The minimum correct answer is ", {}},
                                 "1", "1", "1"};
        case QuizField::Row:
            return QuizFieldRule{1, 22, {"The row can not be greater than ", "The minimum row is ", {}}, "18", "1", "1"};
        default:
            return std::nullopt;
    }
}

// The value of a field that passed its check.
int QuizValue(const QString& text) { return CheckNumberField(text, INT_MIN, INT_MAX, false, {}).value; }

}  // namespace

QuizCheck CheckQuizField(QuizField field, const QString& text) {
    const auto rule = RuleOf(field);
    if (!rule) return {};
    const FieldCheck check = CheckNumberField(text, rule->minimum, rule->maximum, false, rule->texts);
    if (check.ok) return {};
    const QString& reset =
        check.reset ? rule->notNumberReset : check.value > rule->maximum ? rule->aboveReset : rule->belowReset;
    return {field, check.message, reset};
}

QuizCheck CheckQuizWizard(const QString& name, const QString& answers, const QString& correct,
                          const QString& row, QuizParameters* out) {
    for (const auto& [field, text] : {std::pair{QuizField::Answers, answers},
                                      {QuizField::Correct, correct},
                                      {QuizField::Row, row}}) {
        QuizCheck check = CheckQuizField(field, text);
        if (check.field != QuizField::None) return check;
    }
    if (!Filled(name)) return {QuizField::Name, "The quiz name must be given", {}};
    if (!Filled(correct)) return {QuizField::Correct, "The correct answer must be specified", {}};
    if (!Filled(answers))
        return {QuizField::Answers, "The number of answers must be specified", {}};
    if (!Filled(row)) return {QuizField::Row, "The answer starting row must be specified", {}};
    const int n = QuizValue(answers), k = QuizValue(correct);
    if (k > n)
        return {QuizField::Correct, "The correct answer cannot exceed the number of answers", {}};
    if (out) *out = {name.trimmed(), n, k, QuizValue(row)};
    return {};
}

}  // namespace quill
