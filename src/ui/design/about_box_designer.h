#pragma once
// AboutBoxDesigner: the designer of the tutorial's own about box: its caption, icon, program
// name, version, author line, four comments and when the box is shown. It edits a copy of the
// record; DesignAboutBox writes the About group back only on OK.
#include <QDialog>
#include <memory>

#include "project/config_record.h"

namespace Ui {
class AboutBoxDesigner;
}

namespace quill {

class Project;
struct Platform;

// Window name (its objectName): TDesignAboutForm.
class AboutBoxDesigner : public QDialog {
    Q_OBJECT
public:
    AboutBoxDesigner(const Project& project, Platform& platform, const TTutorialConfig& record,
                     QWidget* parent = nullptr);
    ~AboutBoxDesigner() override;
    // The copy with the dialog's values (what OK stores).
    const TTutorialConfig& Record() const { return copy_; }

    void StoreFields();
    void ViewBtnClick();
    void FindBtnClick();

private:
    void UpdateIconControls();

    const Project& project_;
    Platform& platform_;
    TTutorialConfig copy_;
    std::unique_ptr<Ui::AboutBoxDesigner> ui_;
};

// Shows the designer on `record`; true, and the About group written back, on OK.
bool DesignAboutBox(const Project& project, Platform& platform, TTutorialConfig& record, QWidget* parent = nullptr);

}  // namespace quill
