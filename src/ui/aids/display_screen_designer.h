#pragma once
// DisplayScreenDesigner: the display screen designer of a "Graphic and Text" entry: the kind of
// screen (a colour, a graphic, a tiled wallpaper), the background colour, the graphic and the
// wallpaper files, and "&Adjust Window" for the text window's place. Choosing a graphic or a
// wallpaper unticks "Text fills the whole screen", so the picture shows. OK keeps the changes.
#include <QDialog>
#include <memory>
#include <string>
#include <vector>

#include "datafile/screen_background.h"

namespace Ui {
class DisplayScreenDesigner;
}

namespace quill {

struct AidsContext;
class FileGroup;

// Window name (its objectName): TVPDesignBackForm.
class DisplayScreenDesigner : public QDialog {
    Q_OBJECT
public:
    DisplayScreenDesigner(AidsContext& context, const TScreenBackground& settings, const std::vector<std::string>& text,
                      QWidget* parent = nullptr);
    ~DisplayScreenDesigner() override;

    // The settings as the controls show them.
    TScreenBackground Settings() const;
    FileGroup* GraphicGroup() const { return graphic_; }
    FileGroup* WallpaperGroup() const { return wallpaper_; }

    void ColorBtnClick();
    void AdjustBtnClick();

private:
    void ShowColor();
    // The line under "Text fills the whole screen" says what the choice shows.
    void ShowFullScreenNote();

    AidsContext& context_;
    std::unique_ptr<Ui::DisplayScreenDesigner> ui_;
    TScreenBackground settings_;
    std::vector<std::string> text_;
    FileGroup* graphic_ = nullptr;
    FileGroup* wallpaper_ = nullptr;
};

}  // namespace quill
