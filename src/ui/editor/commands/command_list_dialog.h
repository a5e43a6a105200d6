#pragma once
// The command dialogs of the chapter editor's "Commands" drop-down. Each shows its category's
// options as radio buttons in titled groups, with "&Close", "Insert" and "Explanation".
// Choosing an option records it and its help topic ("Explanation" opens that topic, or the
// category's own while nothing is chosen). From the keyboard, the arrow keys choose and Enter
// inserts the option that has the focus. "Insert" hides the dialog, runs the option's
// builder, shows the dialog again and closes it with OK, whatever the builder wrote; the lines
// it wrote are then the dialog's Lines(). "&Close" closes it without lines.
//
// The radio buttons are made from the category's table, so the groups are built at run time;
// the frame and the button row come from comms_form.ui.
#include <QDialog>
#include <QStringList>
#include <memory>

#include "editor/commands/command_builders.h"

namespace Ui {
class CommandListDialog;
}

namespace quill {

class Prompter;
struct Platform;

// Window name (its objectName): TCommsForm.
class CommandListDialog : public QDialog {
    Q_OBJECT
  public:
    CommandListDialog(Platform& platform, Prompter& prompter, const CommandData& data,
               const CommandCategory& category, QWidget* parent = nullptr);
    ~CommandListDialog() override;

    // The lines built by the last "Insert" (the line buffer).
    const QStringList& Lines() const { return lines_; }
    // The chosen option, or nullptr while none is.
    const CommandOption* Chosen() const { return chosen_; }
    int HelpTopic() const { return topic_; }

    void InsertBtnClick();
    void ExplainBtnClick();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    Platform& platform_;
    Prompter& prompter_;
    const CommandData& data_;
    const CommandCategory& category_;
    std::unique_ptr<Ui::CommandListDialog> ui_;
    const CommandOption* chosen_ = nullptr;
    int topic_ = 0;
    QStringList lines_;
};

// One class per category, named after the dialog (its objectName as well).
#define QUILL_COMMS_FORM(Name, Item)                                               \
    class Name : public CommandListDialog {                                               \
      public:                                                                      \
        Name(Platform& platform, Prompter& prompter, const CommandData& data,      \
             QWidget* parent = nullptr)                                            \
            : CommandListDialog(platform, prompter, data, *FindCategory(Item), parent) {} \
    };

QUILL_COMMS_FORM(TBasicCommsForm, "Basic Commands")
QUILL_COMMS_FORM(TScreenCommsForm, "Screen Display")
QUILL_COMMS_FORM(TBoxCommsForm, "Drawing Boxes")
QUILL_COMMS_FORM(TEffectsCommsForm, "Screen Effects")
QUILL_COMMS_FORM(TImageCommsForm, "Using Images")
QUILL_COMMS_FORM(TRecordCommsForm, "Recording to Disk")
QUILL_COMMS_FORM(TQuestCommsForm, "InterActive")
QUILL_COMMS_FORM(TLinearCommsForm, "Non-Linear ")
QUILL_COMMS_FORM(TRejoinForm, "Advanced")
QUILL_COMMS_FORM(TDefaultChangeForm, "Change Defaults")

#undef QUILL_COMMS_FORM

// The dialog of a drop-down item, or nullptr when the item has none here.
std::unique_ptr<CommandListDialog> MakeCommsForm(const QString& item, Platform& platform,
                                          Prompter& prompter, const CommandData& data,
                                          QWidget* parent);

}  // namespace quill
