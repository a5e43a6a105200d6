#include "app/about_form.h"

#include <QPushButton>

#include "platform/help_topics.h"
#include "platform/platform.h"
#include "ui_about_form.h"

namespace quill {

TAboutForm::TAboutForm(Platform& platform, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::TAboutForm>()) {
    ui_->setupUi(this);
    SetHelpTopic(this, HelpTopic::AboutProgram);
    InstallF1Help(this, platform.help, platform.helpFile);
    QPushButton* ok = ui_->ButtonBox->addButton("OK", QDialogButtonBox::AcceptRole);
    ok->setObjectName("OKButton");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

TAboutForm::~TAboutForm() = default;

}  // namespace quill
