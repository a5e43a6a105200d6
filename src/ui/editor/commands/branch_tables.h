#pragma once
// The tables and skeletons of the branching commands, as plain rules the table editors and the
// builders share: which rows of a match or menu table count, how each row and each jump target
// is written, the skeleton lines of a quiz and of the two-way branches, and the checks of the
// quiz wizard's fields.
#include <QString>
#include <QStringList>
#include <vector>

namespace quill {

// The match list editor's answer: the match texts that are not empty, in field order.
struct MatchListAnswer {
    QStringList texts;
    bool exact = false;
};

// A row of the match table or of the box menu's table: the match (or menu entry) text and the
// jump target, a label or a chapter file.
struct JumpRow {
    QString text;
    QString label;
    QString file;
};

// The match table editor's answer.
struct MatchTableAnswer {
    std::vector<JumpRow> rows;  // the counted rows
    bool exact = false;
    QString noMatchLabel;
    QString noMatchFile;
};

// A row of the button menu's table; the X1, Y1 and X2 cells as typed.
struct ButtonRow {
    QString x1, y1, x2;
    QString caption;
    QString label;
    QString file;
};

// The quiz wizard's answer.
struct QuizParameters {
    QString name;
    int answers = 2;
    int correct = 1;
    int topRow = 18;
};

inline constexpr int kTableRows = 30;
inline constexpr int kMatchFields = 10;
inline constexpr int kMatchFieldLength = 20;

// A cell counts as filled when it holds more than blanks.
bool Filled(const QString& cell);

// The match list line: the texts that hold more than blanks, as typed (a blank at either end
// is part of what is matched), joined by ";".
QString MatchListLine(const QStringList& fields);
// The counted rows of a match or menu-entry table: a text and a label or a file.
std::vector<JumpRow> CountedRows(const std::vector<JumpRow>& rows);
// The counted rows of a button menu table: X1, Y1, X2, the caption, and a label or a file.
std::vector<ButtonRow> CountedRows(const std::vector<ButtonRow>& rows);
// "*JumpToLabel LABEL" when the label is given, else "*JumpToFile FILE".
QString JumpTargetLine(const QString& label, const QString& file);

// The skeleton written for a quiz: question, answers, one block per answer, rejoin marker.
QStringList QuizSkeleton(const QuizParameters& quiz);
// The branch sections written after "*BranchOnInput" and "*BranchOnButton".
QStringList AnswerSkeleton();
QStringList ButtonSkeleton();

// A ";" in a match text, menu entry or button caption would cut the written line short (the
// player reads the text up to the first ";"). Each gives the message that refuses the table,
// or an empty text.
QString MatchListProblem(const QStringList& texts);
QString JumpRowsProblem(const std::vector<JumpRow>& rows, const QString& what);
// The match table's: as above, and at most kMatchTableRows matches, since the player reads the
// line after the last match as the action when nothing matches (the grid has one row more, as
// the box menu's has).
inline constexpr int kMatchTableRows = kTableRows - 1;
QString MatchTableProblem(const MatchTableAnswer& table);
QString ButtonRowsProblem(const std::vector<ButtonRow>& rows);

// --- The quiz wizard's checks ------------------------------------------------------------------

enum class QuizField { None, Name, Answers, Correct, Row };

struct QuizCheck {
    QuizField field = QuizField::None;  // None: accepted
    QString message;
    QString reset;  // what the field is set to (field checks only); empty to leave it
};

// The check of one number field when it loses the focus (an empty field passes).
QuizCheck CheckQuizField(QuizField field, const QString& text);

// The checks on OK: first each number field as on leaving it, then, in order, an empty name,
// correct answer, number of answers or row, and a correct answer beyond the number of answers.
// On success `out` holds the parameters.
QuizCheck CheckQuizWizard(const QString& name, const QString& answers, const QString& correct,
                          const QString& row, QuizParameters* out = nullptr);

}  // namespace quill
