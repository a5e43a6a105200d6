#include "app/chapter_view_chooser.h"

#include <QPushButton>

#include "platform/help_topics.h"
#include "platform/platform.h"
#include "project/file_names.h"
#include "project/project.h"
#include "text/file_lookup.h"
#include "text_codec.h"
#include "ui_chapter_view_chooser.h"

namespace quill {

ChapterViewChooser::ChapterViewChooser(const Project& project, Platform& platform, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::ChapterViewChooser>()) {
    ui_->setupUi(this);
    SetHelpTopic(this, HelpTopic::ViewChapter);
    InstallF1Help(this, platform.help, platform.helpFile);

    QListWidget* list = ui_->FileListBox1;
    for (const std::string& name : ListByMask(project.ProjectDir, project.ProjectName + "*.QKS"))
        list->addItem(FromCp1252(name));
    if (list->count() > 1) list->setCurrentRow(1);
    if (list->count() > 0) list->setCurrentRow(0);

    QPushButton* select = ui_->ButtonBox->addButton("Select", QDialogButtonBox::AcceptRole);
    select->setObjectName("SelectBtn");
    select->setDefault(true);
    QPushButton* cancel = ui_->ButtonBox->addButton("Cancel", QDialogButtonBox::RejectRole);
    cancel->setObjectName("CancelBtn");
    connect(select, &QPushButton::clicked, this, &ChapterViewChooser::SelectBtnClick);
    connect(list, &QListWidget::itemDoubleClicked, this, &ChapterViewChooser::SelectBtnClick);
    connect(cancel, &QPushButton::clicked, this, [this] {
        chapterFile_.clear();
        reject();
    });
}

ChapterViewChooser::~ChapterViewChooser() = default;

void ChapterViewChooser::SelectBtnClick() {
    chapterFile_.clear();
    const QListWidgetItem* item = ui_->FileListBox1->currentItem();
    if (!item) return;
    const std::string name = NameOnly(ToCp1252(item->text()));
    if (name.empty() || !IsValidFileName(name)) return;
    chapterFile_ = name + ".QKS";
    accept();
}

}  // namespace quill
