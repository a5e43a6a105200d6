#include "editor/chapter_name_form.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/platform.h"
#include "project/file_names.h"
#include "project/project.h"
#include "text_codec.h"

namespace quill {

QString ChapterNameRefusal(const std::string& name, const std::string& projectName) {
    const QString rule = "The Chapter filename must start with the Project Name " + FromCp1252(projectName);
    if (!ChapterNameStartsWithProject(name, projectName)) return rule;
    const std::string bare = NameOnly(name);
    if (!ChapterNameStartsWithProject(bare, projectName)) return rule;
    if (bare.empty() || !IsValidFileName(bare)) return "A correct filename must be entered.";
    return {};
}

TChapNameForm::TChapNameForm(Platform& platform, const std::string& projectName, const std::string& name,
                             QWidget* parent)
    : QDialog(parent), platform_(platform), projectName_(projectName) {
    setObjectName("TChapNameForm");
    setWindowTitle("Press F1 for Help");
    SetHelpTopic(this, 161);
    InstallF1Help(this, platform_.help, platform_.helpFile);
    auto* label = new QLabel("Save Chapter file as :", this);
    NameEdit_ = new QLineEdit(FromCp1252(name), this);
    NameEdit_->setObjectName("NameEdit");
    label->setBuddy(NameEdit_);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("CancelBtn");
    auto* save = new QPushButton("Save", this);
    save->setObjectName("SaveBtn");
    save->setDefault(true);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(save, &QPushButton::clicked, this, &TChapNameForm::SaveBtnClick);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancel);
    buttons->addWidget(save);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(NameEdit_);
    layout->addLayout(buttons);
    setFixedWidth(340);
    NameEdit_->setFocus();
}

std::string TChapNameForm::Name() const { return ToCp1252(NameEdit_->text().trimmed()); }

void TChapNameForm::SaveBtnClick() {
    const QString refusal = ChapterNameRefusal(Name(), projectName_);
    if (!refusal.isEmpty()) {
        platform_.messages.ShowError(refusal);
        NameEdit_->setFocus();
        return;
    }
    accept();
}

}  // namespace quill
