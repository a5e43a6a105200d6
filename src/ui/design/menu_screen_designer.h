#pragma once
// MenuScreenDesigner: the designer of the main menu screen: the top menu bar and its captions,
// the title and status bars, the background (colour, graphic or wallpaper), the menu title,
// the colours of the menu panel and its picks, the quit pick's caption and the single-column
// layout. "View" shows the menu as designed. It edits a copy of the record; DesignMenuScreen
// writes the main menu group back only on OK.
#include <QDialog>
#include <memory>

#include "project/config_record.h"

namespace Ui {
class MenuScreenDesigner;
}

namespace quill {

class BackgroundChoice;
class Project;
struct Platform;

// Window name (its objectName): TMenuDScreenForm.
class MenuScreenDesigner : public QDialog {
    Q_OBJECT
public:
    MenuScreenDesigner(const Project& project, Platform& platform, const TTutorialConfig& record,
                     QWidget* parent = nullptr);
    ~MenuScreenDesigner() override;
    const TTutorialConfig& Record() const { return copy_; }

    void StoreFields();
    void ViewBtnClick();

private:
    void UpdateControls();
    void DesignBar(int which);

    const Project& project_;
    Platform& platform_;
    TTutorialConfig copy_;
    std::unique_ptr<Ui::MenuScreenDesigner> ui_;
    std::unique_ptr<BackgroundChoice> background_;
};

bool DesignMenuScreen(const Project& project, Platform& platform, TTutorialConfig& record,
                      QWidget* parent = nullptr);

}  // namespace quill
