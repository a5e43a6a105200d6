#pragma once
// PresentationDesigner: the tutorial presentation: the colours of the screen title, the
// control bar and the chapter screens, and the captions of the control bar's five buttons,
// shown live on a sample screen. "Defaults" puts the default colours and captions back, "View"
// shows a sample chapter screen, "Save" stores them in the project and saves the project file.
#include <QDialog>
#include <memory>

#include "project/config_record.h"

namespace Ui {
class PresentationDesigner;
}

namespace quill {

class Project;
struct Platform;

// Window name (its objectName): TDefineControlBarForm.
class PresentationDesigner : public QDialog {
    Q_OBJECT
public:
    PresentationDesigner(Project& project, Platform& platform, QWidget* parent = nullptr);
    ~PresentationDesigner() override;
    const TTutorialConfig& Record() const { return copy_; }

    void DefaultsBtnClick();
    void ViewBtnClick();
    // Save: stores the copy's screen colours and captions in the project and saves the project
    // file. A failed save is reported and leaves the project's record as it was.
    bool SaveBtnClick();

private:
    void LoadEdits();
    void StoreCaptions();
    void RefreshSample();
    void PickColour(ColorField field, const QString& title);

    Project& project_;
    Platform& platform_;
    TTutorialConfig copy_;
    std::unique_ptr<Ui::PresentationDesigner> ui_;
};

// "Tutorial Presentation" of the main window. True when saved.
bool DefineTutorialPresentation(Project& project, Platform& platform, QWidget* parent = nullptr);

}  // namespace quill
