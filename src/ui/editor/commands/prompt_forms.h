#pragma once
// The typed prompts of the command builders: a text, a number within limits, and a column and
// row within limits. Each is modal, captioned "Press F1 for Help", carries the help topic it is
// given, and stays open until its input is good or the author cancels.
//
// Number fields are checked when they lose the focus (a text that is not a number, or one
// outside the limits, is named in an error box and the focus goes back) and again on OK, so
// that a value typed and confirmed with Enter is checked as well.
#include <QDialog>
#include <memory>

#include "editor/commands/prompter.h"

class QLineEdit;
class QPushButton;

namespace Ui {
class TextPromptDialog;
class NumberPromptDialog;
class ColumnRowPromptDialog;
}  // namespace Ui

namespace quill {

class Messages;
struct Platform;

// The text prompt: the question, one field, Cancel and "Save".
// Window name (its objectName): TGetTextForm.
class TextPromptDialog : public QDialog {
    Q_OBJECT
  public:
    TextPromptDialog(Platform& platform, const TextPrompt& prompt, QWidget* parent = nullptr);
    ~TextPromptDialog() override;
    QString Text() const;
    void SaveBtnClick();

  private:
    Platform& platform_;
    TextPrompt prompt_;
    std::unique_ptr<Ui::TextPromptDialog> ui_;
};

// One number field with its limits and messages; checks on leaving the field.
class NumberField : public QObject {
    Q_OBJECT
  public:
    NumberField(Messages& messages, QLineEdit* edit, int minimum, int maximum,
                NumberFieldTexts texts, QPushButton* cancel);
    // The check on OK: false (after the message) when the field is not good.
    bool CheckOnOk();
    int Value() const { return value_; }
    // No more checks: the prompt is closing.
    void Stop() { busy_ = true; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Shows the message of a failed check and puts the focus back into the field.
    void Refuse(const FieldCheck& check);
    Messages& messages_;
    QLineEdit* edit_;
    int minimum_, maximum_;
    NumberFieldTexts texts_;
    QPushButton* cancel_;
    int value_ = 0;
    bool busy_ = false;
};

// The number prompt: the question, one field pre-filled with the initial value, OK and Cancel.
// Window name (its objectName): TGetNumberForm.
class NumberPromptDialog : public QDialog {
    Q_OBJECT
  public:
    NumberPromptDialog(Platform& platform, const NumberPrompt& prompt, QWidget* parent = nullptr);
    ~NumberPromptDialog() override;
    int Value() const;
    void OKBtnClick();
    void done(int result) override;

  private:
    Platform& platform_;
    NumberPrompt prompt_;
    std::unique_ptr<Ui::NumberPromptDialog> ui_;
    NumberField* field_ = nullptr;
};

// The column-and-row prompt: the question, "Column" and "Row" pre-filled, Cancel and OK.
// Window name (its objectName): TGetColRowForm.
class ColumnRowPromptDialog : public QDialog {
    Q_OBJECT
  public:
    ColumnRowPromptDialog(Platform& platform, const ColRowPrompt& prompt, QWidget* parent = nullptr);
    ~ColumnRowPromptDialog() override;
    ColRow Value() const;
    void OKBtnClick();
    void done(int result) override;

  private:
    std::unique_ptr<Ui::ColumnRowPromptDialog> ui_;
    NumberField* column_ = nullptr;
    NumberField* row_ = nullptr;
};

}  // namespace quill
