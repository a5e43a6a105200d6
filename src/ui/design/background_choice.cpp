#include "design/background_choice.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "design/design_common.h"
#include "text_codec.h"

namespace quill {

namespace {
const char* const kGraphicMasks = "*.BMP;*.JPG";
const char* const kWallpaperMasks = "*.BMP";
}  // namespace

BackgroundChoice::BackgroundChoice(const Project& project, Platform& platform, TTutorialConfig& record,
                                   const BackgroundFields& fields, const BackgroundControls& controls,
                                   const QString& wallpaperFilter)
    : project_(project), platform_(platform), record_(record), fields_(fields), ui_(controls) {
    switch (record_.get(fields_.type)) {
        case 2: ui_.GraphicRb->setChecked(true); break;
        case 3: ui_.WallpaperRb->setChecked(true); break;
        default: ui_.ColorRb->setChecked(true); break;
    }
    ShowColourSample(ui_.ColorPnl, record_.get(fields_.colour));
    ui_.GraphicEdit->setMaxLength(static_cast<int>(fields_.graphic.capacity));
    ui_.WallpaperEdit->setMaxLength(static_cast<int>(fields_.wallpaper.capacity));
    ui_.GraphicEdit->setText(FromCp1252(record_.get(fields_.graphic)));
    ui_.WallpaperEdit->setText(FromCp1252(record_.get(fields_.wallpaper)));
    FillFileList(ui_.GraphicListBox, project_, kGraphicMasks);
    FillFileList(ui_.WallpaperListBox, project_, kWallpaperMasks);
    for (QRadioButton* radio : {ui_.ColorRb, ui_.GraphicRb, ui_.WallpaperRb})
        connect(radio, &QRadioButton::toggled, this, &BackgroundChoice::UpdateGroups);
    connect(ui_.GraphicListBox, &QListWidget::currentTextChanged, ui_.GraphicEdit, &QLineEdit::setText);
    connect(ui_.WallpaperListBox, &QListWidget::currentTextChanged, ui_.WallpaperEdit, &QLineEdit::setText);
    connect(ui_.ColorBtn, &QPushButton::clicked, this, [this] {
        if (auto c = ChooseRecordColour(platform_, record_.get(fields_.colour), "Background Color")) {
            record_.set(fields_.colour, *c);
            ShowColourSample(ui_.ColorPnl, *c);
        }
    });
    connect(ui_.GraphicFindBtn, &QPushButton::clicked, this, [this] {
        const std::string chosen = FindFileIntoProject(project_, platform_, "Graphic Files|*.BMP;*.JPG",
                                                       ToCp1252(ui_.GraphicEdit->text().trimmed()), "*.BMP");
        FillFileList(ui_.GraphicListBox, project_, kGraphicMasks);
        ui_.GraphicEdit->setText(FromCp1252(chosen));
    });
    connect(ui_.WallpaperFindBtn, &QPushButton::clicked, this, [this, wallpaperFilter] {
        const std::string chosen = FindFileIntoProject(project_, platform_, wallpaperFilter,
                                                       ToCp1252(ui_.WallpaperEdit->text().trimmed()), "*.BMP");
        FillFileList(ui_.WallpaperListBox, project_, kWallpaperMasks);
        ui_.WallpaperEdit->setText(FromCp1252(chosen));
    });
    UpdateGroups();
}

int BackgroundChoice::ChosenType() const {
    return ui_.GraphicRb->isChecked() ? 2 : ui_.WallpaperRb->isChecked() ? 3 : 1;
}

void BackgroundChoice::UpdateGroups() {
    ui_.ColorGrp->setVisible(ui_.ColorRb->isChecked());
    ui_.GraphicGrp->setVisible(ui_.GraphicRb->isChecked());
    ui_.WallpaperGrp->setVisible(ui_.WallpaperRb->isChecked());
}

void BackgroundChoice::Store(TTutorialConfig& into, Names names) const {
    const int type = ChosenType();
    const bool both = names == Names::Both;
    into.set(fields_.type, type);
    into.set(fields_.graphic,
             both || type == 2 ? EditText(ui_.GraphicEdit, fields_.graphic.capacity) : std::string());
    into.set(fields_.wallpaper,
             both || type == 3 ? EditText(ui_.WallpaperEdit, fields_.wallpaper.capacity) : std::string());
}

}  // namespace quill
