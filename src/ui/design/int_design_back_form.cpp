#include "design/int_design_back_form.h"

#include <QListWidget>
#include <QPushButton>

#include "design/design_common.h"
#include "design/int_adjust_form.h"
#include "platform/platform.h"
#include "project/project.h"
#include "text_codec.h"
#include "ui_int_design_back_form.h"

namespace quill {

namespace {
const TScreenBackgroundLayout& kScreen = cfg::Intro::Screen;
}

TIntDesignBackForm::TIntDesignBackForm(const Project& project, Platform& platform, const TTutorialConfig& record,
                                       const std::vector<std::string>& text, QWidget* parent)
    : QDialog(parent), project_(project), platform_(platform), copy_(record), text_(text),
      ui_(std::make_unique<Ui::TIntDesignBackForm>()) {
    ui_->setupUi(this);
    WireDesignerButtons(this, ui_->ButtonBox, platform_, 450, [this] {
        StoreFields();
        return true;
    });
    switch (copy_.get(kScreen.ScreenType)) {
        case 2: ui_->GraphicRb->setChecked(true); break;
        case 3: ui_->WallpaperRb->setChecked(true); break;
        default: ui_->ColorRb->setChecked(true); break;
    }
    ShowColourSample(ui_->ColorPnl, copy_.get(kScreen.ScreenColor));
    ui_->GraphicEdit->setText(FromCp1252(copy_.get(kScreen.GraphicFile)));
    ui_->WallpaperEdit->setText(FromCp1252(copy_.get(kScreen.WallpaperFile)));
    FillFileList(ui_->GraphicListBox, project_, "*.BMP;*.JPG");
    FillFileList(ui_->WallpaperListBox, project_, "*.BMP");
    for (QRadioButton* radio : {ui_->ColorRb, ui_->GraphicRb, ui_->WallpaperRb})
        connect(radio, &QRadioButton::toggled, this, &TIntDesignBackForm::UpdateGroups);
    connect(ui_->GraphicListBox, &QListWidget::currentTextChanged, ui_->GraphicEdit, &QLineEdit::setText);
    connect(ui_->WallpaperListBox, &QListWidget::currentTextChanged, ui_->WallpaperEdit, &QLineEdit::setText);
    connect(ui_->ColorBtn, &QPushButton::clicked, this, [this] {
        if (auto c = ChooseRecordColour(platform_, copy_.get(kScreen.ScreenColor), "Background Color")) {
            copy_.set(kScreen.ScreenColor, *c);
            ShowColourSample(ui_->ColorPnl, *c);
        }
    });
    connect(ui_->GraphicFindBtn, &QPushButton::clicked, this, [this] {
        const std::string chosen = FindFileIntoProject(project_, platform_, "Graphic Files|*.BMP;*.JPG",
                                                       ToCp1252(ui_->GraphicEdit->text().trimmed()), "*.BMP");
        FillFileList(ui_->GraphicListBox, project_, "*.BMP;*.JPG");
        ui_->GraphicEdit->setText(FromCp1252(chosen));
    });
    connect(ui_->WallpaperFindBtn, &QPushButton::clicked, this, [this] {
        const std::string chosen = FindFileIntoProject(project_, platform_, "Wallpaper Files|*.BMP",
                                                       ToCp1252(ui_->WallpaperEdit->text().trimmed()), "*.BMP");
        FillFileList(ui_->WallpaperListBox, project_, "*.BMP");
        ui_->WallpaperEdit->setText(FromCp1252(chosen));
    });
    connect(ui_->AdjustBtn, &QPushButton::clicked, this, &TIntDesignBackForm::AdjustBtnClick);
    UpdateGroups();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

TIntDesignBackForm::~TIntDesignBackForm() = default;

void TIntDesignBackForm::UpdateGroups() {
    ui_->ColorGrp->setVisible(ui_->ColorRb->isChecked());
    ui_->GraphicGrp->setVisible(ui_->GraphicRb->isChecked());
    ui_->WallpaperGrp->setVisible(ui_->WallpaperRb->isChecked());
}

void TIntDesignBackForm::StoreFields() {
    const int type = ui_->GraphicRb->isChecked() ? 2 : ui_->WallpaperRb->isChecked() ? 3 : 1;
    copy_.set(kScreen.ScreenType, type);
    copy_.set(kScreen.GraphicFile, type == 2 ? EditText(ui_->GraphicEdit, 150) : std::string());
    copy_.set(kScreen.WallpaperFile, type == 3 ? EditText(ui_->WallpaperEdit, 150) : std::string());
}

void TIntDesignBackForm::AdjustBtnClick() {
    // The adjust window shows the choices made so far; the names are kept until OK.
    TTutorialConfig shown = copy_;
    const int type = ui_->GraphicRb->isChecked() ? 2 : ui_->WallpaperRb->isChecked() ? 3 : 1;
    shown.set(kScreen.ScreenType, type);
    shown.set(kScreen.GraphicFile, EditText(ui_->GraphicEdit, 150));
    shown.set(kScreen.WallpaperFile, EditText(ui_->WallpaperEdit, 150));
    if (AdjustTextWindow(project_, platform_, shown, text_, this))
        for (const IntField& f : {kScreen.WindowLeft, kScreen.WindowTop, kScreen.WindowWidth, kScreen.WindowHeight})
            copy_.set(f, shown.get(f));
}

bool DesignIntroductionBackground(const Project& project, Platform& platform, TTutorialConfig& record,
                                  const std::vector<std::string>& text, QWidget* parent) {
    TIntDesignBackForm form(project, platform, record, text, parent);
    if (form.exec() != QDialog::Accepted) return false;
    CopyGroup(record, form.Record(), kScreen.base, TScreenBackgroundLayout::Size);
    return true;
}

}  // namespace quill
