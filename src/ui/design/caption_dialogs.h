#pragma once
// The caption dialogs of the designers' menu bars. "&Defaults" puts the default captions back
// into the edits; OK writes the edits (each cut to its field) into the record it was given.
//   MenuCaptionsDialog: the main menu's top menu bar, "About" (TopMenuAbout) and "Help"
//   (TopMenuHelp), 15 characters each.
//   CaptionTextDialog: the introduction's menu bar, "Close", "About" and "Help" (CloseCaption,
//   AboutCaption, HelpCaption), 16 characters each; its "&Defaults" puts back every default
//   player caption, the ones it does not show included.
#include <QDialog>
#include <memory>

#include "project/config_record.h"

namespace Ui {
class MenuCaptionsDialog;
class CaptionTextDialog;
}

namespace quill {

struct Platform;

// Window name (its objectName): TMenuTextForm.
class MenuCaptionsDialog : public QDialog {
    Q_OBJECT
public:
    MenuCaptionsDialog(Platform& platform, TTutorialConfig& record, QWidget* parent = nullptr);
    ~MenuCaptionsDialog() override;
    void DefaultsBtnClick();

private:
    TTutorialConfig& record_;
    std::unique_ptr<Ui::MenuCaptionsDialog> ui_;
};

// Window name (its objectName): TChangeTextForm.
class CaptionTextDialog : public QDialog {
    Q_OBJECT
public:
    CaptionTextDialog(Platform& platform, TTutorialConfig& record, QWidget* parent = nullptr);
    ~CaptionTextDialog() override;
    void DefaultsBtnClick();

private:
    TTutorialConfig& record_;
    bool defaults_ = false;
    std::unique_ptr<Ui::CaptionTextDialog> ui_;
};

}  // namespace quill
