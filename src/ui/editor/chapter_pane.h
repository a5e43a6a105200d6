#pragma once
// ChapterPane: the chapter tab's working area: the chapter text (ChapterEdit, with its
// highlighter), a find and replace bar (Ctrl+F, Ctrl+H; Escape closes it), and the problems
// list, which the checker refreshes in the background a moment after the author stops typing
// and which moves the caret to a problem's line when a row is activated. It also keeps the
// unsaved text in a recovery file (ChapterRecovery) and offers it back.
#include <QTimer>
#include <QWidget>
#include <string>

#include "editor/chapter_recovery.h"

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListView;

namespace quill {

class BackgroundChecker;
class ChapterEdit;
class ChapterHighlighter;
class Messages;
class ProblemsModel;
class Project;

class ChapterPane : public QWidget {
    Q_OBJECT
public:
    ChapterPane(const Project& project, Messages& messages, QWidget* parent = nullptr);
    ~ChapterPane() override;

    ChapterEdit* editor() const { return edit_; }
    ProblemsModel* problems() const { return model_; }
    ChapterRecovery& recovery() { return recovery_; }

    // The chapter now in the editor (after it was opened, or saved under a name).
    // `offer`: when a recovery file of that chapter is there, ask whether to restore it.
    void setChapter(const std::string& chapterFile, bool offer);
    // Asks whether to restore the recovery file of the current chapter, when there is one.
    void offerRecovery();
    // The text was saved or deliberately left: the recovery file goes.
    void discardRecovery();
    // Writes the recovery file at once (normally a short while after the last change).
    void writeRecoveryNow();

    // Checks the text now (normally a moment after the last change).
    void checkNow();
    // For tests: processes events until the background check has answered.
    bool waitForCheck(int milliseconds = 5000);

    void showFindBar(bool replace);

    // "Show Lines Not Reached": runs the tutorial's tests (tutorial_tests.h) and marks the
    // lines of the chapter (as saved) that they leave unreached, until the text is changed.
    QAction* notReachedAction() const { return notReached_; }
    void showNotReached();

    static constexpr int kCheckDelayMs = 300;
    static constexpr int kRecoveryDelayMs = 2000;

private:
    void textChanged();

    QAction* notReached_;
    std::string chapter_;  // the chapter file in the editor; empty: a new chapter

    const Project& project_;
    Messages& messages_;
    ChapterEdit* edit_;
    ChapterHighlighter* highlighter_;
    ProblemsModel* model_;
    BackgroundChecker* checker_;
    QListView* list_;
    QLabel* summary_;
    QWidget* findBar_;
    QLineEdit* findEdit_;
    QLineEdit* replaceEdit_;
    QWidget* replaceRow_;
    QCheckBox* matchCase_;
    QTimer checkTimer_, recoveryTimer_;
    ChapterRecovery recovery_;
    bool restoring_ = false;
    bool toldRecoveryRefused_ = false;
};

}  // namespace quill
