#pragma once
// TDesignAboutForm: the designer of the tutorial's own about box: its caption, icon, program
// name, version, author line, four comments and when the box is shown. It edits a copy of the
// record; DesignAboutBox writes the About group back only on OK.
#include <QDialog>
#include <memory>

#include "project/config_record.h"

namespace Ui {
class TDesignAboutForm;
}

namespace quill {

class Project;
struct Platform;

class TDesignAboutForm : public QDialog {
    Q_OBJECT
public:
    TDesignAboutForm(const Project& project, Platform& platform, const TTutorialConfig& record,
                     QWidget* parent = nullptr);
    ~TDesignAboutForm() override;
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
    std::unique_ptr<Ui::TDesignAboutForm> ui_;
};

// Shows the designer on `record`; true, and the About group written back, on OK.
bool DesignAboutBox(const Project& project, Platform& platform, TTutorialConfig& record, QWidget* parent = nullptr);

}  // namespace quill
