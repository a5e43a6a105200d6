#pragma once
// The caption dialogs of the designers' menu bars. "&Defaults" puts the default captions back
// into the edits; OK writes the edits (each cut to its field) into the record it was given.
//   TMenuTextForm: the main menu's top menu bar, "About" (TopMenuAbout) and "Help"
//   (TopMenuHelp), 15 characters each.
//   TChangeTextForm: the introduction's menu bar, "Close", "About" and "Help" (CloseCaption,
//   AboutCaption, HelpCaption), 16 characters each; its "&Defaults" puts back every default
//   player caption, the ones it does not show included.
#include <QDialog>
#include <memory>

#include "project/config_record.h"

namespace Ui {
class TMenuTextForm;
class TChangeTextForm;
}

namespace quill {

struct Platform;

class TMenuTextForm : public QDialog {
    Q_OBJECT
public:
    TMenuTextForm(Platform& platform, TTutorialConfig& record, QWidget* parent = nullptr);
    ~TMenuTextForm() override;
    void DefaultsBtnClick();

private:
    TTutorialConfig& record_;
    std::unique_ptr<Ui::TMenuTextForm> ui_;
};

class TChangeTextForm : public QDialog {
    Q_OBJECT
public:
    TChangeTextForm(Platform& platform, TTutorialConfig& record, QWidget* parent = nullptr);
    ~TChangeTextForm() override;
    void DefaultsBtnClick();

private:
    TTutorialConfig& record_;
    bool defaults_ = false;
    std::unique_ptr<Ui::TChangeTextForm> ui_;
};

}  // namespace quill
