#include "design/about_box_designer.h"

#include <QListWidget>
#include <QPushButton>

#include "common/tutorial_about_box.h"
#include "design/design_common.h"
#include "platform/help_topics.h"
#include "platform/platform.h"
#include "project/project.h"
#include "text_codec.h"
#include "ui_about_box_designer.h"

namespace quill {

namespace A = cfg::About;

AboutBoxDesigner::AboutBoxDesigner(const Project& project, Platform& platform, const TTutorialConfig& record,
                                   QWidget* parent)
    : QDialog(parent), project_(project), platform_(platform), copy_(record),
      ui_(std::make_unique<Ui::AboutBoxDesigner>()) {
    ui_->setupUi(this);
    WireDesignerButtons(this, ui_->ButtonBox, platform_, TopicNumber(HelpTopic::AboutBox), [this] {
        StoreFields();
        return true;
    });
    ui_->CaptionEdit->setText(FromCp1252(copy_.get(A::BoxTitle)));
    ui_->UseIconChk->setChecked(copy_.get(A::UseIcon) != 0);
    ui_->IconEdit->setText(FromCp1252(copy_.get(A::IconFile)));
    ui_->ProgramEdit->setText(FromCp1252(copy_.get(A::ProgramName)));
    ui_->VersionEdit->setText(FromCp1252(copy_.get(A::VersionText)));
    ui_->AuthorEdit->setText(FromCp1252(copy_.get(A::AuthorLine)));
    ui_->Comment1Edit->setText(FromCp1252(copy_.get(A::Comment1)));
    ui_->Comment2Edit->setText(FromCp1252(copy_.get(A::Comment2)));
    ui_->Comment3Edit->setText(FromCp1252(copy_.get(A::Comment3)));
    ui_->Comment4Edit->setText(FromCp1252(copy_.get(A::Comment4)));
    switch (copy_.get(A::ShowWhen)) {
        case 1: ui_->EndsRb->setChecked(true); break;
        case 2: ui_->BothRb->setChecked(true); break;
        case 3: ui_->NeitherRb->setChecked(true); break;
        default: ui_->StartsRb->setChecked(true); break;
    }
    FillFileList(ui_->IconListBox, project_, "*.ICO");
    connect(ui_->IconListBox, &QListWidget::currentTextChanged, ui_->IconEdit, &QLineEdit::setText);
    connect(ui_->UseIconChk, &QCheckBox::toggled, this, &AboutBoxDesigner::UpdateIconControls);
    connect(ui_->FindBtn, &QPushButton::clicked, this, &AboutBoxDesigner::FindBtnClick);
    connect(ui_->ViewBtn, &QPushButton::clicked, this, &AboutBoxDesigner::ViewBtnClick);
    UpdateIconControls();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

AboutBoxDesigner::~AboutBoxDesigner() = default;

void AboutBoxDesigner::UpdateIconControls() {
    const bool on = ui_->UseIconChk->isChecked();
    ui_->IconEdit->setVisible(on);
    ui_->IconListBox->setVisible(on);
    ui_->FindBtn->setVisible(on);
}

void AboutBoxDesigner::FindBtnClick() {
    const std::string chosen = FindFileIntoProject(project_, platform_, "Icon Files|*.ICO",
                                                   ToCp1252(ui_->IconEdit->text().trimmed()), "*.ICO");
    FillFileList(ui_->IconListBox, project_, "*.ICO");
    ui_->IconEdit->setText(FromCp1252(chosen));
}

void AboutBoxDesigner::StoreFields() {
    copy_.set(A::BoxTitle, EditText(ui_->CaptionEdit, 40));
    copy_.set(A::UseIcon, ui_->UseIconChk->isChecked() ? 1 : 0);
    copy_.set(A::IconFile, EditText(ui_->IconEdit, 150));
    copy_.set(A::ProgramName, EditText(ui_->ProgramEdit, 32));
    copy_.set(A::VersionText, EditText(ui_->VersionEdit, 42));
    copy_.set(A::AuthorLine, EditText(ui_->AuthorEdit, 42));
    copy_.set(A::Comment1, EditText(ui_->Comment1Edit, 65));
    copy_.set(A::Comment2, EditText(ui_->Comment2Edit, 65));
    copy_.set(A::Comment3, EditText(ui_->Comment3Edit, 65));
    copy_.set(A::Comment4, EditText(ui_->Comment4Edit, 65));
    std::uint16_t when = 0;
    if (ui_->EndsRb->isChecked()) when = 1;
    else if (ui_->BothRb->isChecked()) when = 2;
    else if (ui_->NeitherRb->isChecked()) when = 3;
    copy_.set(A::ShowWhen, when);
}

void AboutBoxDesigner::ViewBtnClick() {
    StoreFields();
    const LearnerScreenContext context{copy_, project_.ProjectDir, platform_};
    ShowAboutBox(context, this);
}

bool DesignAboutBox(const Project& project, Platform& platform, TTutorialConfig& record, QWidget* parent) {
    AboutBoxDesigner form(project, platform, record, parent);
    if (form.exec() != QDialog::Accepted) return false;
    CopyGroup(record, form.Record(), A::Base, A::Size);
    return true;
}

}  // namespace quill
