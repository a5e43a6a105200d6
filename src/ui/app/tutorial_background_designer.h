#pragma once
// TutorialBackgroundDesigner: the tutorial's background, behind the preview and the finished program:
// a colour, a graphic (.BMP or .JPG) or a tiled wallpaper (.BMP). OK keeps only the file name
// of the type chosen. "&View" shows the background full-screen (BackgroundPreview) as the preview
// will; a click or a key closes it.
#include <QDialog>
#include <memory>

#include "player/chapter_backdrop.h"
#include "project/config_record.h"

namespace Ui {
class TutorialBackgroundDesigner;
}

namespace quill {

class BackgroundChoice;
class Project;
struct Platform;

// The full-screen view of a background; a click or a key closes it.
// Window name (its objectName): TTBackForm.
class BackgroundPreview : public ChapterBackdrop {
    Q_OBJECT
public:
    BackgroundPreview(const Project& shown, Messages& messages, QWidget* parent = nullptr);

signals:
    void Closed();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
};

// Window name (its objectName): TCFGDesignBackForm.
class TutorialBackgroundDesigner : public QDialog {
    Q_OBJECT
public:
    TutorialBackgroundDesigner(const Project& project, Platform& platform, const TTutorialConfig& record,
                       QWidget* parent = nullptr);
    ~TutorialBackgroundDesigner() override;
    const TTutorialConfig& Record() const { return copy_; }

    void StoreFields();
    void ViewBtnClick();

private:
    const Project& project_;
    Platform& platform_;
    TTutorialConfig copy_;
    std::unique_ptr<Ui::TutorialBackgroundDesigner> ui_;
    std::unique_ptr<BackgroundChoice> background_;
};

// Shows the designer; on OK the background fields of the program settings are written back.
bool DesignBackground(const Project& project, Platform& platform, TTutorialConfig& record, QWidget* parent = nullptr);

}  // namespace quill
