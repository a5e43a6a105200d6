#include "design/caption_forms.h"

#include <QPushButton>

#include "design/design_common.h"
#include "platform/platform.h"
#include "text_codec.h"
#include "ui_change_text_form.h"
#include "ui_menu_text_form.h"

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

TMenuTextForm::TMenuTextForm(Platform& platform, TTutorialConfig& record, QWidget* parent)
    : QDialog(parent), record_(record), ui_(std::make_unique<Ui::TMenuTextForm>()) {
    namespace M = cfg::MainMenu;
    ui_->setupUi(this);
    ui_->AboutEdit->setMaxLength(15);
    ui_->HelpEdit->setMaxLength(15);
    ui_->AboutEdit->setText(FromCp1252(record_.get(M::TopMenuAbout)));
    ui_->HelpEdit->setText(FromCp1252(record_.get(M::TopMenuHelp)));
    connect(ui_->DefaultsBtn, &QPushButton::clicked, this, &TMenuTextForm::DefaultsBtnClick);
    WireDesignerButtons(this, ui_->ButtonBox, platform, 154, [this] {
        record_.set(M::TopMenuAbout, EditText(ui_->AboutEdit, 15));
        record_.set(M::TopMenuHelp, EditText(ui_->HelpEdit, 15));
        return true;
    });
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

TMenuTextForm::~TMenuTextForm() = default;

void TMenuTextForm::DefaultsBtnClick() {
    ui_->AboutEdit->setText(FromCp1252(Defaults().get(cfg::MainMenu::TopMenuAbout)));
    ui_->HelpEdit->setText(FromCp1252(Defaults().get(cfg::MainMenu::TopMenuHelp)));
}

TChangeTextForm::TChangeTextForm(Platform& platform, TTutorialConfig& record, QWidget* parent)
    : QDialog(parent), record_(record), ui_(std::make_unique<Ui::TChangeTextForm>()) {
    namespace C = cfg::Captions;
    ui_->setupUi(this);
    ui_->ButtonsGrp->setToolTip("Use && to indicate the Hot Key");
    for (QLineEdit* edit : {ui_->CloseEdit, ui_->AboutEdit, ui_->HelpEdit}) edit->setMaxLength(16);
    ui_->CloseEdit->setText(FromCp1252(record_.get(C::CloseCaption)));
    ui_->AboutEdit->setText(FromCp1252(record_.get(C::AboutCaption)));
    ui_->HelpEdit->setText(FromCp1252(record_.get(C::HelpCaption)));
    connect(ui_->DefaultsBtn, &QPushButton::clicked, this, &TChangeTextForm::DefaultsBtnClick);
    WireDesignerButtons(this, ui_->ButtonBox, platform, 476, [this] {
        if (defaults_) CopyGroup(record_, Defaults(), C::Base, C::Size);
        record_.set(C::CloseCaption, EditText(ui_->CloseEdit, 16));
        record_.set(C::AboutCaption, EditText(ui_->AboutEdit, 16));
        record_.set(C::HelpCaption, EditText(ui_->HelpEdit, 16));
        return true;
    });
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

TChangeTextForm::~TChangeTextForm() = default;

void TChangeTextForm::DefaultsBtnClick() {
    defaults_ = true;
    ui_->CloseEdit->setText(FromCp1252(Defaults().get(cfg::Captions::CloseCaption)));
    ui_->AboutEdit->setText(FromCp1252(Defaults().get(cfg::Captions::AboutCaption)));
    ui_->HelpEdit->setText(FromCp1252(Defaults().get(cfg::Captions::HelpCaption)));
}

}  // namespace quill
