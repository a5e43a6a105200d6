#pragma once
// The choosing prompts of the command builders: the colour picker, the heading-format picker,
// the pop-up text and the control buttons. Each is modal, captioned "Press F1 for Help" and
// carries the help topic it is given.
#include <QDialog>
#include <QStringList>
#include <functional>
#include <memory>

#include "editor/commands/prompter.h"

namespace Ui {
class ColourPicker;
class HeadingPicker;
class PopUpTextDialog;
class ControlButtonsPicker;
}  // namespace Ui

namespace quill {

class TTutorialConfig;
struct Platform;

// The colour picker: the 26 palette entries of the tutorial, each as its letter, two blanks and
// its name beside a swatch of its colour; "Use Screen Default Color", "Select" (a double click
// or Enter selects too) and Cancel.
// Window name (its objectName): TColorSelectForm.
class ColourPicker : public QDialog {
    Q_OBJECT
  public:
    ColourPicker(Platform& platform, const TTutorialConfig& config, const QString& title,
                     int topic, QWidget* parent = nullptr);
    ~ColourPicker() override;
    // The palette index 0..25, kDefaultColor (also for "Select" with nothing chosen), or
    // kColorCancelled.
    int Result() const { return result_; }
    void SelectBtnClick();
    void DefaultBtnClick();

  private:
    std::unique_ptr<Ui::ColourPicker> ui_;
    int result_ = kColorCancelled;
};

// The heading-format picker: the ten heading names; the heading last chosen is shown as a
// sample line in its font and colours, with its style and alignment marked. "Modify" runs the
// heading editor and reloads the names; Cancel and "Select".
// Window name (its objectName): THeadSelectForm.
class HeadingPicker : public QDialog {
    Q_OBJECT
  public:
    HeadingPicker(Platform& platform, const TTutorialConfig& config, int topic,
                    std::function<void()> modify, QWidget* parent = nullptr);
    ~HeadingPicker() override;
    // The heading 1..10 last chosen, 1 when none was.
    int Chosen() const { return chosen_; }
    void ModifyBtnClick();

  private:
    void LoadNames();
    void ShowSample(int heading);
    const TTutorialConfig& config_;
    std::function<void()> modify_;
    std::unique_ptr<Ui::HeadingPicker> ui_;
    int chosen_ = 1;
};

// "Pop-Up Box Text": ten lines of at most 70 characters; Enter moves to the next line.
// Window name (its objectName): TPopUpTextForm.
class PopUpTextDialog : public QDialog {
    Q_OBJECT
  public:
    PopUpTextDialog(Platform& platform, int topic, QWidget* parent = nullptr);
    ~PopUpTextDialog() override;
    // The lines from the first up to the last one that is not empty.
    QStringList Lines() const;

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    std::unique_ptr<Ui::PopUpTextDialog> ui_;
};

// " Select Control Buttons ": Continue, Quit, PageBack, Help and Utilities; Cancel and OK.
// Window name (its objectName): TControlsSelectForm.
class ControlButtonsPicker : public QDialog {
    Q_OBJECT
  public:
    ControlButtonsPicker(Platform& platform, int topic, QWidget* parent = nullptr);
    ~ControlButtonsPicker() override;
    ControlButtons Buttons() const;

  private:
    std::unique_ptr<Ui::ControlButtonsPicker> ui_;
};

}  // namespace quill
