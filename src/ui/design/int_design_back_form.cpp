#include "design/int_design_back_form.h"

#include <QPushButton>

#include "design/background_choice.h"
#include "design/design_common.h"
#include "design/int_adjust_form.h"
#include "platform/platform.h"
#include "project/project.h"
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
    WireDesignerButtons(this, ui_->ButtonBox, platform_, 475, [this] {
        StoreFields();
        return true;
    });
    background_ = std::make_unique<BackgroundChoice>(
        project_, platform_, copy_,
        BackgroundFields{kScreen.ScreenType, kScreen.ScreenColor, kScreen.GraphicFile, kScreen.WallpaperFile},
        BackgroundControlsOf(*ui_), "Wallpaper Files|*.BMP");
    connect(ui_->AdjustBtn, &QPushButton::clicked, this, &TIntDesignBackForm::AdjustBtnClick);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

TIntDesignBackForm::~TIntDesignBackForm() = default;

void TIntDesignBackForm::StoreFields() {
    background_->Store(copy_, BackgroundChoice::Names::ChosenOnly);
}

void TIntDesignBackForm::AdjustBtnClick() {
    // The adjust window shows the choices made so far; the names are kept until OK.
    TTutorialConfig shown = copy_;
    background_->Store(shown, BackgroundChoice::Names::Both);
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
