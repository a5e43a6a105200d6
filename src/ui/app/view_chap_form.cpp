#include "app/view_chap_form.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/platform.h"
#include "project/file_names.h"
#include "project/project.h"
#include "text/file_lookup.h"
#include "text_codec.h"

namespace quill {

TViewChapForm::TViewChapForm(const Project& project, Platform& platform, QWidget* parent) : QDialog(parent) {
    setObjectName("TViewChapForm");
    setWindowTitle("Press F1 for Help");
    SetHelpTopic(this, 180);
    InstallF1Help(this, platform.help, platform.helpFile);

    auto* group = new QGroupBox(" Select a Chapter to View ", this);
    group->setObjectName("GroupBox1");
    FileListBox1_ = new QListWidget(group);
    FileListBox1_->setObjectName("FileListBox1");
    (new QVBoxLayout(group))->addWidget(FileListBox1_);
    for (const std::string& name : ListByMask(project.ProjectDir, project.ProjectName + "*.QKS"))
        FileListBox1_->addItem(FromCp1252(name));
    if (FileListBox1_->count() > 1) FileListBox1_->setCurrentRow(1);
    if (FileListBox1_->count() > 0) FileListBox1_->setCurrentRow(0);

    auto* select = new QPushButton("Select", this);
    select->setObjectName("SelectBtn");
    select->setDefault(true);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("CancelBtn");
    connect(select, &QPushButton::clicked, this, &TViewChapForm::SelectBtnClick);
    connect(FileListBox1_, &QListWidget::itemDoubleClicked, this, &TViewChapForm::SelectBtnClick);
    connect(cancel, &QPushButton::clicked, this, [this] {
        chapterFile_.clear();
        reject();
    });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(select);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);
    resize(320, 300);
}

void TViewChapForm::SelectBtnClick() {
    chapterFile_.clear();
    const QListWidgetItem* item = FileListBox1_->currentItem();
    if (!item) return;
    const std::string name = NameOnly(ToCp1252(item->text()));
    if (name.empty() || !IsValidFileName(name)) return;
    chapterFile_ = name + ".QKS";
    accept();
}

}  // namespace quill
