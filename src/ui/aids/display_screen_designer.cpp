#include "aids/display_screen_designer.h"

#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "common/aids_context.h"
#include "screen/text_screen.h"
#include "aids/text_window_adjust.h"
#include "common/file_chooser.h"
#include "platform/help.h"
#include "platform/help_topics.h"
#include "platform/modal.h"
#include "platform/platform.h"
#include "common/learner_screen.h"
#include "ui_display_screen_designer.h"

namespace quill {

namespace {

FileGroup* PlaceGroup(QWidget* place, FileGroup* group) {
    auto* layout = new QVBoxLayout(place);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(group);
    return group;
}

}  // namespace

DisplayScreenDesigner::DisplayScreenDesigner(AidsContext& context, const TScreenBackground& settings,
                                     const std::vector<std::string>& text, QWidget* parent)
    : QDialog(parent), context_(context), ui_(std::make_unique<Ui::DisplayScreenDesigner>()), settings_(settings),
      text_(text) {
    ui_->setupUi(this);
    SetHelpTopic(this, HelpTopic::LinkTextWindow);
    InstallF1Help(this, context_.platform.help, context_.platform.helpFile);
    FileGroupSpec graphic{"Graphic File (.BMP or .JPG)", "*.BMP;*.JPG", "Graphic Files|*.JPG;*.BMP", "&Find File",
                          {}, {}, 150, "Graphic"};
    FileGroupSpec wallpaper{"WallPaper (.BMP only)", "*.BMP", "Bitmap Files|*.BMP", "Find File", {}, {}, 150,
                            "Wallpaper"};
    graphic_ = PlaceGroup(ui_->GraphicPlace, new FileGroup(context_, graphic, settings.GraphicFile, ui_->GraphicPlace));
    wallpaper_ = PlaceGroup(ui_->WallpaperPlace,
                            new FileGroup(context_, wallpaper, settings.WallpaperFile, ui_->WallpaperPlace));
    graphic_->List()->setMaximumHeight(140);
    wallpaper_->List()->setMaximumHeight(140);
    ui_->ColorRadio->setChecked(settings.ScreenType != 2 && settings.ScreenType != 3);
    ui_->GraphicRadio->setChecked(settings.ScreenType == 2);
    ui_->WallpaperRadio->setChecked(settings.ScreenType == 3);
    ui_->FullScreenCheck->setChecked(settings.TextWindowOff);
    ShowColor();
    ShowFullScreenNote();
    connect(ui_->FullScreenCheck, &QCheckBox::toggled, this, &DisplayScreenDesigner::ShowFullScreenNote);
    // A picture or wallpaper chosen is one to be seen: the text goes into its window.
    for (QRadioButton* radio : {ui_->GraphicRadio, ui_->WallpaperRadio})
        connect(radio, &QRadioButton::clicked, this, [this] { ui_->FullScreenCheck->setChecked(false); });
    connect(ui_->ColorBtn, &QPushButton::clicked, this, &DisplayScreenDesigner::ColorBtnClick);
    connect(ui_->AdjustBtn, &QPushButton::clicked, this, &DisplayScreenDesigner::AdjustBtnClick);
    connect(ui_->ButtonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(ui_->ButtonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    ui_->ButtonBox->button(QDialogButtonBox::Ok)->setObjectName("OKBtn");
    ui_->ButtonBox->button(QDialogButtonBox::Cancel)->setObjectName("CancelBtn");
}

DisplayScreenDesigner::~DisplayScreenDesigner() = default;

TScreenBackground DisplayScreenDesigner::Settings() const {
    TScreenBackground s = settings_;
    s.TextWindowOff = ui_->FullScreenCheck->isChecked();
    s.ScreenType = ui_->GraphicRadio->isChecked() ? 2 : ui_->WallpaperRadio->isChecked() ? 3 : 1;
    s.GraphicFile = graphic_->Choice().substr(0, kScreenFileCapacity);
    s.WallpaperFile = wallpaper_->Choice().substr(0, kScreenFileCapacity);
    return s;
}

void DisplayScreenDesigner::ShowFullScreenNote() {
    ui_->FullScreenNoteLbl->setText(ui_->FullScreenCheck->isChecked()
                                        ? "The text covers the whole screen: no graphic or wallpaper shows."
                                        : "The text is shown in its window (Adjust Window), the screen around it.");
}

void DisplayScreenDesigner::ShowColor() {
    QPalette pal = ui_->ColorPnl->palette();
    pal.setColor(QPalette::Window, ColourFromRecord(settings_.ScreenColor));
    ui_->ColorPnl->setPalette(pal);
}

void DisplayScreenDesigner::ColorBtnClick() {
    const auto color = context_.platform.dialogs.Color(ColourFromRecord(settings_.ScreenColor), "Background Color");
    if (!color) return;
    settings_.ScreenColor = RecordColour(*color);
    ShowColor();
}

void DisplayScreenDesigner::AdjustBtnClick() {
    ViewportWindowAdjuster adjust(context_, Settings(), text_, this);
    ShowModal(adjust);
    if (adjust.Saved()) {
        const TScreenBackground& s = adjust.Settings();
        settings_.WindowLeft = s.WindowLeft;
        settings_.WindowTop = s.WindowTop;
        settings_.WindowWidth = s.WindowWidth;
        settings_.WindowHeight = s.WindowHeight;
        // A text window placed by the author is the one the text is shown in.
        ui_->FullScreenCheck->setChecked(false);
    }
}

}  // namespace quill
