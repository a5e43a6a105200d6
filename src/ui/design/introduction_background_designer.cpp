#include "design/introduction_background_designer.h"

#include <QPushButton>

#include "design/background_choice.h"
#include "design/design_common.h"
#include "design/introduction_window_adjuster.h"
#include "platform/help_topics.h"
#include "platform/platform.h"
#include "project/project.h"
#include "ui_introduction_background_designer.h"

namespace quill {

namespace {
const TScreenBackgroundLayout& kScreen = cfg::Intro::Screen;
}

IntroductionBackgroundDesigner::IntroductionBackgroundDesigner(const Project& project, Platform& platform, const TTutorialConfig& record,
                                       const std::vector<std::string>& text, QWidget* parent)
    : QDialog(parent), project_(project), platform_(platform), copy_(record), text_(text),
      ui_(std::make_unique<Ui::IntroductionBackgroundDesigner>()) {
    ui_->setupUi(this);
    WireDesignerButtons(this, ui_->ButtonBox, platform_,
                        TopicNumber(HelpTopic::IntroductionBackground), [this] {
                            StoreFields();
                            return true;
                        });
    background_ = std::make_unique<BackgroundChoice>(
        project_, platform_, copy_,
        BackgroundFields{kScreen.ScreenType, kScreen.ScreenColor, kScreen.GraphicFile, kScreen.WallpaperFile},
        BackgroundControlsOf(*ui_), "Wallpaper Files|*.BMP");
    connect(ui_->AdjustBtn, &QPushButton::clicked, this, &IntroductionBackgroundDesigner::AdjustBtnClick);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

IntroductionBackgroundDesigner::~IntroductionBackgroundDesigner() = default;

void IntroductionBackgroundDesigner::StoreFields() {
    background_->Store(copy_, BackgroundChoice::Names::ChosenOnly);
}

void IntroductionBackgroundDesigner::AdjustBtnClick() {
    // The adjust window shows the choices made so far; the names are kept until OK.
    TTutorialConfig shown = copy_;
    background_->Store(shown, BackgroundChoice::Names::Both);
    if (AdjustTextWindow(project_, platform_, shown, text_, this))
        for (const IntField& f : {kScreen.WindowLeft, kScreen.WindowTop, kScreen.WindowWidth, kScreen.WindowHeight})
            copy_.set(f, shown.get(f));
}

bool DesignIntroductionBackground(const Project& project, Platform& platform, TTutorialConfig& record,
                                  const std::vector<std::string>& text, QWidget* parent) {
    IntroductionBackgroundDesigner form(project, platform, record, text, parent);
    if (form.exec() != QDialog::Accepted) return false;
    CopyGroup(record, form.Record(), kScreen.base, TScreenBackgroundLayout::Size);
    return true;
}

}  // namespace quill
