#pragma once
// The table editors and small pickers of the branching commands: the match list (MatchListDialog),
// the match table (MatchTableDialog), the box menu's entries (BoxMenuDialog), the button menu's
// buttons (ButtonMenuDialog), the quiz wizard (QuizWizardDialog) and the control-button picker
// (ControlButtonTagPicker). Each is modal, captioned "Press F1 for Help", starts empty and answers
// through the plain rules of branch_tables.h.
#include <QDialog>
#include <memory>
#include <optional>
#include <vector>

#include "editor/commands/branch_tables.h"

class QLineEdit;
class QTableWidget;

namespace Ui {
class MatchListDialog;
class MatchTableDialog;
class BoxMenuDialog;
class ButtonMenuDialog;
class QuizWizardDialog;
class ControlButtonTagPicker;
}  // namespace Ui

namespace quill {

struct Platform;

// Ten match fields of at most 20 characters and "Match Exactly".
// Window name (its objectName): TMatchForm.
class MatchListDialog : public QDialog {
    Q_OBJECT
  public:
    MatchListDialog(Platform& platform, int topic, QWidget* parent = nullptr);
    ~MatchListDialog() override;
    MatchListAnswer Answer() const;

  private:
    std::unique_ptr<Ui::MatchListDialog> ui_;
};

// A 30-row grid of match, label and chapter file; "Match Exactly"; the no-match target.
// Window name (its objectName): TMatchesForm.
class MatchTableDialog : public QDialog {
    Q_OBJECT
  public:
    MatchTableDialog(Platform& platform, int topic, QWidget* parent = nullptr);
    ~MatchTableDialog() override;
    MatchTableAnswer Answer() const;

  private:
    std::unique_ptr<Ui::MatchTableDialog> ui_;
};

// A 30-row grid of menu entry, label and chapter file.
// Window name (its objectName): TMenActForm.
class BoxMenuDialog : public QDialog {
    Q_OBJECT
  public:
    BoxMenuDialog(Platform& platform, int topic, QWidget* parent = nullptr);
    ~BoxMenuDialog() override;
    std::vector<JumpRow> Rows() const;

  private:
    std::unique_ptr<Ui::BoxMenuDialog> ui_;
};

// A 30-row grid of X1, Y1, X2, caption, label and chapter file.
// Window name (its objectName): TiButtForm.
class ButtonMenuDialog : public QDialog {
    Q_OBJECT
  public:
    ButtonMenuDialog(Platform& platform, int topic, QWidget* parent = nullptr);
    ~ButtonMenuDialog() override;
    std::vector<ButtonRow> Rows() const;

  private:
    std::unique_ptr<Ui::ButtonMenuDialog> ui_;
};

// Quiz name, number of answers, correct answer and top row, each number checked when its field
// is left and all of them on OK.
// Window name (its objectName): TQuizWizForm.
class QuizWizardDialog : public QDialog {
    Q_OBJECT
  public:
    QuizWizardDialog(Platform& platform, int topic, QWidget* parent = nullptr);
    ~QuizWizardDialog() override;
    const QuizParameters& Parameters() const { return quiz_; }
    void OkBtnClick();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QLineEdit* Field(QuizField field) const;
    void Refuse(const QuizCheck& check);
    Platform& platform_;
    std::unique_ptr<Ui::QuizWizardDialog> ui_;
    QuizParameters quiz_;
    bool busy_ = false;
};

// " Select Control Button ": one of Continue, Quit, PageBack, Help and Utilities.
// Window name (its objectName): TButtTagForm.
class ControlButtonTagPicker : public QDialog {
    Q_OBJECT
  public:
    ControlButtonTagPicker(Platform& platform, int topic, QWidget* parent = nullptr);
    ~ControlButtonTagPicker() override;
    // The chosen button's letter, or nothing.
    std::optional<QChar> Letter() const;

  private:
    std::unique_ptr<Ui::ControlButtonTagPicker> ui_;
};

}  // namespace quill
