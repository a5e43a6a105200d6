#pragma once
// ChapterEdit: the text area of a chapter: plain text with line numbers in a margin, the
// checker's problems underlined at their lines (a tooltip over the line gives the messages),
// and "go to the label" for the jump under the caret (F12). Undo and redo are the text area's
// own (Ctrl+Z, Ctrl+Y or Ctrl+Shift+Z).
#include <QPlainTextEdit>
#include <map>
#include <optional>
#include <vector>

#include "script/chapter_check.h"

namespace quill {

class ChapterEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit ChapterEdit(QWidget* parent = nullptr);

    // Problems at their lines (1-based); the previous ones go.
    void setProblems(const std::vector<ScriptProblem>& problems);
    // The messages of a line (1-based), errors first; empty when it has none.
    QStringList problemsAt(int line) const;
    // Lines (1-based) that the tutorial's tests did not reach, with what was not reached there:
    // a red bar in the margin, the texts in the line's tooltip. The previous ones go.
    void setUnreached(std::map<int, QStringList> lines);
    const std::map<int, QStringList>& unreached() const { return unreached_; }

    // Puts the caret at the start of line (1-based) and shows it.
    void goToLine(int line);
    // When the caret's line jumps to a label ("*JumpToLabel X", "*JumpAndReturn X Y", ":JJ,X",
    // an action "...;*JumpToLabel X", "*RejoinChapter file X"), moves to the line after which the
    // jump continues, the first "@JX" line. False, and the caret stays, when there is none.
    bool goToLabelUnderCaret();

    // Finds the next (or previous) occurrence from the caret, wrapping round; selects it.
    bool findText(const QString& text, bool backward = false, bool matchCase = false);
    // Replaces the selection when it is the text looked for, then finds the next one.
    bool replaceNext(const QString& text, const QString& with, bool matchCase = false);
    // Replaces every occurrence as one step of undo; gives how many.
    int replaceAll(const QString& text, const QString& with, bool matchCase = false);

    int lineNumberAreaWidth() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    friend class LineNumberArea;
    void paintLineNumbers(QPaintEvent* event);
    void updateMarks();

    QWidget* numbers_;
    std::map<int, std::vector<ScriptProblem>> problems_;  // by line
    std::map<int, QStringList> unreached_;                // by line
};

// The label a line jumps to ("X" for "*JumpToLabel X"), or nothing.
std::optional<QString> JumpLabelOf(const QString& line);

}  // namespace quill
