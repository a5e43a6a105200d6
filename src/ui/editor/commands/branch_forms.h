#pragma once
// The table editors and small pickers of the branching commands: the match list (TMatchForm),
// the match table (TMatchesForm), the box menu's entries (TMenActForm), the button menu's
// buttons (TiButtForm), the quiz wizard (TQuizWizForm) and the control-button picker
// (TButtTagForm). Each is modal, captioned "Press F1 for Help", starts empty and answers
// through the plain rules of branch_tables.h.
#include <QDialog>
#include <memory>
#include <optional>
#include <vector>

#include "editor/commands/branch_tables.h"

class QLineEdit;
class QTableWidget;

namespace Ui {
class TMatchForm;
class TMatchesForm;
class TMenActForm;
class TiButtForm;
class TQuizWizForm;
class TButtTagForm;
}  // namespace Ui

namespace quill {

struct Platform;

// Ten match fields of at most 20 characters and "Match Exactly".
class TMatchForm : public QDialog {
    Q_OBJECT
  public:
    TMatchForm(Platform& platform, int topic, QWidget* parent = nullptr);
    ~TMatchForm() override;
    MatchListAnswer Answer() const;

  private:
    std::unique_ptr<Ui::TMatchForm> ui_;
};

// A 30-row grid of match, label and chapter file; "Match Exactly"; the no-match target.
class TMatchesForm : public QDialog {
    Q_OBJECT
  public:
    TMatchesForm(Platform& platform, int topic, QWidget* parent = nullptr);
    ~TMatchesForm() override;
    MatchTableAnswer Answer() const;

  private:
    std::unique_ptr<Ui::TMatchesForm> ui_;
};

// A 30-row grid of menu entry, label and chapter file.
class TMenActForm : public QDialog {
    Q_OBJECT
  public:
    TMenActForm(Platform& platform, int topic, QWidget* parent = nullptr);
    ~TMenActForm() override;
    std::vector<JumpRow> Rows() const;

  private:
    std::unique_ptr<Ui::TMenActForm> ui_;
};

// A 30-row grid of X1, Y1, X2, caption, label and chapter file.
class TiButtForm : public QDialog {
    Q_OBJECT
  public:
    TiButtForm(Platform& platform, int topic, QWidget* parent = nullptr);
    ~TiButtForm() override;
    std::vector<ButtonRow> Rows() const;

  private:
    std::unique_ptr<Ui::TiButtForm> ui_;
};

// Quiz name, number of answers, correct answer and top row, each number checked when its field
// is left and all of them on OK.
class TQuizWizForm : public QDialog {
    Q_OBJECT
  public:
    TQuizWizForm(Platform& platform, int topic, QWidget* parent = nullptr);
    ~TQuizWizForm() override;
    const QuizParameters& Parameters() const { return quiz_; }
    void OkBtnClick();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QLineEdit* Field(QuizField field) const;
    void Refuse(const QuizCheck& check);
    Platform& platform_;
    std::unique_ptr<Ui::TQuizWizForm> ui_;
    QuizParameters quiz_;
    bool busy_ = false;
};

// " Select Control Button ": one of Continue, Quit, PageBack, Help and Utilities.
class TButtTagForm : public QDialog {
    Q_OBJECT
  public:
    TButtTagForm(Platform& platform, int topic, QWidget* parent = nullptr);
    ~TButtTagForm() override;
    // The chosen button's letter, or nothing.
    std::optional<QChar> Letter() const;

  private:
    std::unique_ptr<Ui::TButtTagForm> ui_;
};

}  // namespace quill
