#include "design/introduction_designer.h"

#include <QPushButton>

#include "design/caption_dialogs.h"
#include "design/design_common.h"
#include "design/introduction_background_designer.h"
#include "design/title_designer.h"
#include "platform/help_topics.h"
#include "platform/platform.h"
#include "project/project.h"
#include "ui_introduction_designer.h"

namespace quill {

namespace I = cfg::Intro;

IntroductionDesigner::IntroductionDesigner(const Project& project, Platform& platform, const TTutorialConfig& record,
                                   const std::vector<std::string>& text, QWidget* parent)
    : QDialog(parent), project_(project), platform_(platform), copy_(record), text_(text),
      ui_(std::make_unique<Ui::IntroductionDesigner>()) {
    ui_->setupUi(this);
    WireDesignerButtons(this, ui_->ButtonBox, platform_, TopicNumber(HelpTopic::IntroductionScreen),
                        [this] {
                            StoreSwitches();
                            return true;
                        });
    ui_->TitleBarChk->setChecked(copy_.get(I::TitleBarOn) != 0);
    ui_->StatusBarChk->setChecked(copy_.get(I::StatusBarOn) != 0);
    ui_->TextWindowChk->setChecked(copy_.get(I::Screen.TextWindowOff) == 0);
    ui_->MenuBarChk->setChecked(copy_.get(I::UseMenuBar) != 0);
    for (QCheckBox* box : {ui_->TitleBarChk, ui_->StatusBarChk, ui_->TextWindowChk, ui_->MenuBarChk})
        connect(box, &QCheckBox::toggled, this, &IntroductionDesigner::UpdateButtons);
    connect(ui_->TitleBtn, &QPushButton::clicked, this, [this] { DesignBar(true); });
    connect(ui_->StatusBtn, &QPushButton::clicked, this, [this] { DesignBar(false); });
    connect(ui_->TextWindowBtn, &QPushButton::clicked, this, [this] {
        // The background designer shows the screen with the switches as they stand now.
        StoreSwitches();
        DesignIntroductionBackground(project_, platform_, copy_, text_, this);
    });
    connect(ui_->MenuTextBtn, &QPushButton::clicked, this, [this] {
        CaptionTextDialog form(platform_, copy_, this);
        form.exec();
    });
    UpdateButtons();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

IntroductionDesigner::~IntroductionDesigner() = default;

void IntroductionDesigner::UpdateButtons() {
    ui_->TitleBtn->setEnabled(ui_->TitleBarChk->isChecked());
    ui_->StatusBtn->setEnabled(ui_->StatusBarChk->isChecked());
    ui_->TextWindowBtn->setEnabled(ui_->TextWindowChk->isChecked());
}

void IntroductionDesigner::DesignBar(bool title) {
    const StrField text = title ? I::TitleBarText : I::StatusBarText;
    const StrField font = title ? I::TitleBarFont : I::StatusBarFont;
    const ColorField color = title ? I::TitleBarColor : I::StatusBarColor;
    ViewportTitleDesigner form(platform_, title ? "TitleBar Text :" : "StatusBar Text :",
                               {copy_.get(text), copy_.get(font), copy_.get(color)}, 80,
                               title ? TopicNumber(HelpTopic::IntroductionScreen)
                                     : TopicNumber(HelpTopic::IntroductionStatusBar),
                               this);
    if (form.exec() != QDialog::Accepted) return;
    const BarDesign design = form.Design();
    copy_.set(text, design.text);
    copy_.set(font, design.font);
    copy_.set(color, design.color);
}

void IntroductionDesigner::StoreSwitches() {
    copy_.set(I::TitleBarOn, ui_->TitleBarChk->isChecked() ? 1 : 0);
    copy_.set(I::StatusBarOn, ui_->StatusBarChk->isChecked() ? 1 : 0);
    copy_.set(I::Screen.TextWindowOff, ui_->TextWindowChk->isChecked() ? 0 : 1);
    copy_.set(I::UseMenuBar, ui_->MenuBarChk->isChecked() ? 1 : 0);
}

bool DesignIntroductionScreen(const Project& project, Platform& platform, TTutorialConfig& record,
                              const std::vector<std::string>& text, QWidget* parent) {
    IntroductionDesigner form(project, platform, record, text, parent);
    if (form.exec() != QDialog::Accepted) return false;
    CopyGroup(record, form.Record(), I::Base, I::Size);
    CopyGroup(record, form.Record(), cfg::Captions::Base, cfg::Captions::Size);
    return true;
}

}  // namespace quill
