#pragma once
// IntroductionBackgroundDesigner: the background of the introduction screen: a colour, a graphic (.BMP or
// .JPG) or a tiled wallpaper (.BMP), and "&Adjust Window", which places the text window on the
// composed screen. OK keeps at most one file name: the graphic's for a graphic image, the
// wallpaper's for a wallpaper, neither for a coloured screen.
#include <QDialog>
#include <memory>
#include <string>
#include <vector>

#include "project/config_record.h"

namespace Ui {
class IntroductionBackgroundDesigner;
}

namespace quill {

class BackgroundChoice;
class Project;
struct Platform;

// Window name (its objectName): TIntDesignBackForm.
class IntroductionBackgroundDesigner : public QDialog {
    Q_OBJECT
public:
    IntroductionBackgroundDesigner(const Project& project, Platform& platform, const TTutorialConfig& record,
                       const std::vector<std::string>& text, QWidget* parent = nullptr);
    ~IntroductionBackgroundDesigner() override;
    const TTutorialConfig& Record() const { return copy_; }

    void StoreFields();
    void AdjustBtnClick();

private:
    const Project& project_;
    Platform& platform_;
    TTutorialConfig copy_;
    std::vector<std::string> text_;
    std::unique_ptr<Ui::IntroductionBackgroundDesigner> ui_;
    std::unique_ptr<BackgroundChoice> background_;
};

// Shows the background designer on `record`; on OK the introduction's background and text
// window are written back. True on OK.
bool DesignIntroductionBackground(const Project& project, Platform& platform, TTutorialConfig& record,
                                  const std::vector<std::string>& text, QWidget* parent = nullptr);

}  // namespace quill
