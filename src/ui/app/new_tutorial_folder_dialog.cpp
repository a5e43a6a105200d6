#include "app/new_tutorial_folder_dialog.h"

#include <QFileSystemModel>
#include <QPushButton>

#include "app/folder_tree.h"
#include "platform/platform.h"
#include "project/project.h"
#include "text/file_lookup.h"
#include "text_codec.h"
#include "ui_new_tutorial_folder_dialog.h"

namespace quill {

namespace fs = std::filesystem;

NewTutorialFolderDialog::NewTutorialFolderDialog(Platform& platform, const QString& mask, const QString& caption, int helpTopic,
                           const fs::path& startFolder, QWidget* parent)
    : QDialog(parent),
      platform_(platform),
      mask_(mask),
      startFolder_(startFolder),
      ui_(std::make_unique<Ui::NewTutorialFolderDialog>()) {
    ui_->setupUi(this);
    SetHelpTopic(this, helpTopic);
    InstallF1Help(this, platform_.help, platform_.helpFile);

    dirModel_ = ShowFolderTree(ui_->DriveComboBox1, ui_->DirectoryListBox1, this);

    ui_->NameLbl->setText(caption);
    ui_->FilesLbl->setText("Files " + mask);
    ui_->ButtonBox->button(QDialogButtonBox::Ok)->setObjectName("OKBtn");
    ui_->ButtonBox->button(QDialogButtonBox::Cancel)->setObjectName("CancelBtn");
    connect(ui_->ButtonBox, &QDialogButtonBox::accepted, this, &NewTutorialFolderDialog::accept);
    connect(ui_->ButtonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);

    connect(ui_->DriveComboBox1, &QComboBox::textActivated, this, [this](const QString& root) {
        userMoved_ = true;
        SetFolder(root, false);
    });
    // The edit follows every change of the selected folder, by mouse or by keyboard. Focus
    // alone does not change it: entering the list makes a current item without selecting it.
    connect(ui_->DirectoryListBox1->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (syncingTree_) return;
        const QModelIndexList selected = ui_->DirectoryListBox1->selectionModel()->selectedIndexes();
        if (selected.isEmpty()) return;
        userMoved_ = true;
        SetFolder(dirModel_->filePath(selected.first()), true);
    });
    // The folder model reads folders in the background: as the folders leading to the shown
    // folder are read, open them and keep it in view, until the author moves elsewhere.
    connect(dirModel_, &QFileSystemModel::directoryLoaded, this, [this] {
        if (!userMoved_) ShowFolderInTree();
    });
    connect(ui_->DirEdit, &QLineEdit::textEdited, this, [this] {
        userMoved_ = true;
        RefreshFiles();
    });
    connect(ui_->FileListBox1, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { ui_->NameEdit->setText(item->text()); });

    const QString start = QString::fromStdString(startFolder_.string());
    for (int i = ui_->DriveComboBox1->count() - 1; i >= 0; --i) {
        if (start.startsWith(ui_->DriveComboBox1->itemText(i))) {
            ui_->DriveComboBox1->setCurrentIndex(i);
            break;
        }
    }
    SetFolder(start, false);
    ui_->NameEdit->clear();
    ui_->NameEdit->setFocus();
}

void NewTutorialFolderDialog::SetFolder(const QString& folder, bool fromList) {
    ui_->DirEdit->setText(folder);
    if (!fromList) ShowFolderInTree();
    RefreshFiles();
}

void NewTutorialFolderDialog::ShowFolderInTree() {
    const QModelIndex index = dirModel_->index(ui_->DirEdit->text());
    if (!index.isValid()) return;
    syncingTree_ = true;
    ui_->DirectoryListBox1->setCurrentIndex(index);
    ui_->DirectoryListBox1->selectionModel()->select(index, QItemSelectionModel::ClearAndSelect);
    syncingTree_ = false;
    ui_->DirectoryListBox1->scrollTo(index, QAbstractItemView::PositionAtCenter);
}

void NewTutorialFolderDialog::RefreshFiles() {
    ui_->FileListBox1->clear();
    for (const std::string& name : ListByMask(Folder(), ToCp1252(mask_))) ui_->FileListBox1->addItem(FromCp1252(name));
}

fs::path NewTutorialFolderDialog::Folder() const {
    fs::path folder(ui_->DirEdit->text().trimmed().toStdString());
    if (folder.is_relative()) folder = startFolder_ / folder;
    return folder;
}

NewTutorialFolderDialog::~NewTutorialFolderDialog() = default;

std::string NewTutorialFolderDialog::Name() const { return ToCp1252(ui_->NameEdit->text()); }

void NewTutorialFolderDialog::accept() {
    if (const auto error = NewTutorialNameError(Name())) {
        platform_.messages.ShowError(FromCp1252(*error));
        ui_->NameEdit->setFocus();
        return;
    }
    QDialog::accept();
}

}  // namespace quill
