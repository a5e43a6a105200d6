#include "app/program_about_box.h"

#include <QPushButton>

#include "platform/help_topics.h"
#include "platform/platform.h"
#include "ui_program_about_box.h"

namespace quill {

ProgramAboutBox::ProgramAboutBox(Platform& platform, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::ProgramAboutBox>()) {
    ui_->setupUi(this);
    SetHelpTopic(this, HelpTopic::AboutProgram);
    InstallF1Help(this, platform.help, platform.helpFile);
    QPushButton* ok = ui_->ButtonBox->addButton("OK", QDialogButtonBox::AcceptRole);
    ok->setObjectName("OKButton");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

ProgramAboutBox::~ProgramAboutBox() = default;

}  // namespace quill
