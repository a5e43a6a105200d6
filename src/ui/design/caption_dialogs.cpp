#include "design/caption_dialogs.h"

#include <QPushButton>

#include "design/design_common.h"
#include "platform/help_topics.h"
#include "platform/platform.h"
#include "text_codec.h"
#include "ui_caption_text_dialog.h"
#include "ui_menu_captions_dialog.h"

namespace quill {

namespace {

const TTutorialConfig& Defaults() {
    static const TTutorialConfig defaults = [] {
        TTutorialConfig c;
        SetConfigDefaults(c);
        return c;
    }();
    return defaults;
}

}  // namespace

MenuCaptionsDialog::MenuCaptionsDialog(Platform& platform, TTutorialConfig& record, QWidget* parent)
    : QDialog(parent), record_(record), ui_(std::make_unique<Ui::MenuCaptionsDialog>()) {
    namespace M = cfg::MainMenu;
    ui_->setupUi(this);
    ui_->AboutEdit->setMaxLength(15);
    ui_->HelpEdit->setMaxLength(15);
    ui_->AboutEdit->setText(FromCp1252(record_.get(M::TopMenuAbout)));
    ui_->HelpEdit->setText(FromCp1252(record_.get(M::TopMenuHelp)));
    connect(ui_->DefaultsBtn, &QPushButton::clicked, this, &MenuCaptionsDialog::DefaultsBtnClick);
    WireDesignerButtons(this, ui_->ButtonBox, platform, TopicNumber(HelpTopic::MenuCaptions),
                        [this] {
                            record_.set(M::TopMenuAbout, EditText(ui_->AboutEdit, 15));
                            record_.set(M::TopMenuHelp, EditText(ui_->HelpEdit, 15));
                            return true;
                        });
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

MenuCaptionsDialog::~MenuCaptionsDialog() = default;

void MenuCaptionsDialog::DefaultsBtnClick() {
    ui_->AboutEdit->setText(FromCp1252(Defaults().get(cfg::MainMenu::TopMenuAbout)));
    ui_->HelpEdit->setText(FromCp1252(Defaults().get(cfg::MainMenu::TopMenuHelp)));
}

CaptionTextDialog::CaptionTextDialog(Platform& platform, TTutorialConfig& record, QWidget* parent)
    : QDialog(parent), record_(record), ui_(std::make_unique<Ui::CaptionTextDialog>()) {
    namespace C = cfg::Captions;
    ui_->setupUi(this);
    ui_->ButtonsGrp->setToolTip("Use && to indicate the Hot Key");
    for (QLineEdit* edit : {ui_->CloseEdit, ui_->AboutEdit, ui_->HelpEdit}) edit->setMaxLength(16);
    ui_->CloseEdit->setText(FromCp1252(record_.get(C::CloseCaption)));
    ui_->AboutEdit->setText(FromCp1252(record_.get(C::AboutCaption)));
    ui_->HelpEdit->setText(FromCp1252(record_.get(C::HelpCaption)));
    connect(ui_->DefaultsBtn, &QPushButton::clicked, this, &CaptionTextDialog::DefaultsBtnClick);
    WireDesignerButtons(this, ui_->ButtonBox, platform,
                        TopicNumber(HelpTopic::IntroductionCaptions), [this] {
                            if (defaults_) CopyGroup(record_, Defaults(), C::Base, C::Size);
                            record_.set(C::CloseCaption, EditText(ui_->CloseEdit, 16));
                            record_.set(C::AboutCaption, EditText(ui_->AboutEdit, 16));
                            record_.set(C::HelpCaption, EditText(ui_->HelpEdit, 16));
                            return true;
                        });
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

CaptionTextDialog::~CaptionTextDialog() = default;

void CaptionTextDialog::DefaultsBtnClick() {
    defaults_ = true;
    ui_->CloseEdit->setText(FromCp1252(Defaults().get(cfg::Captions::CloseCaption)));
    ui_->AboutEdit->setText(FromCp1252(Defaults().get(cfg::Captions::AboutCaption)));
    ui_->HelpEdit->setText(FromCp1252(Defaults().get(cfg::Captions::HelpCaption)));
}

}  // namespace quill
