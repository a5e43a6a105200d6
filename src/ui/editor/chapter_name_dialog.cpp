#include "editor/chapter_name_dialog.h"

#include <QPushButton>

#include "platform/help_topics.h"
#include "platform/platform.h"
#include "project/file_names.h"
#include "project/project.h"
#include "text_codec.h"
#include "ui_chapter_name_dialog.h"

namespace quill {

QString ChapterNameRefusal(const std::string& name, const std::string& projectName) {
    const QString rule = "The Chapter filename must start with the Project Name " + FromCp1252(projectName);
    if (!ChapterNameStartsWithProject(name, projectName)) return rule;
    const std::string bare = NameOnly(name);
    if (!ChapterNameStartsWithProject(bare, projectName)) return rule;
    if (bare.empty() || !IsValidFileName(bare)) return "A correct filename must be entered.";
    return {};
}

ChapterNameDialog::ChapterNameDialog(Platform& platform, const std::string& projectName, const std::string& name,
                             QWidget* parent)
    : QDialog(parent), platform_(platform), projectName_(projectName), ui_(std::make_unique<Ui::ChapterNameDialog>()) {
    ui_->setupUi(this);
    SetHelpTopic(this, HelpTopic::ChapterName);
    InstallF1Help(this, platform_.help, platform_.helpFile);
    ui_->NameEdit->setText(FromCp1252(name));
    QPushButton* cancel = ui_->ButtonBox->addButton("Cancel", QDialogButtonBox::RejectRole);
    cancel->setObjectName("CancelBtn");
    QPushButton* save = ui_->ButtonBox->addButton("Save", QDialogButtonBox::AcceptRole);
    save->setObjectName("SaveBtn");
    save->setDefault(true);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(save, &QPushButton::clicked, this, &ChapterNameDialog::SaveBtnClick);
    ui_->NameEdit->setFocus();
}

ChapterNameDialog::~ChapterNameDialog() = default;

std::string ChapterNameDialog::Name() const { return ToCp1252(ui_->NameEdit->text().trimmed()); }

void ChapterNameDialog::SaveBtnClick() {
    const QString refusal = ChapterNameRefusal(Name(), projectName_);
    if (!refusal.isEmpty()) {
        platform_.messages.ShowError(refusal);
        ui_->NameEdit->setFocus();
        return;
    }
    accept();
}

}  // namespace quill
