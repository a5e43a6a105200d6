#include "app/make_dir_form.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStorageInfo>
#include <QTreeView>
#include <QVBoxLayout>

#include "platform/platform.h"
#include "project/project.h"
#include "text/file_lookup.h"
#include "text_codec.h"

namespace quill {

namespace fs = std::filesystem;

TMakeDirForm::TMakeDirForm(Platform& platform, const QString& mask, const QString& caption, int helpTopic,
                           const fs::path& startFolder, QWidget* parent)
    : QDialog(parent), platform_(platform), mask_(mask), startFolder_(startFolder) {
    setObjectName("TMakeDirForm");
    setWindowTitle("Press F1 for Help");
    SetHelpTopic(this, helpTopic);
    InstallF1Help(this, platform_.help, platform_.helpFile);

    DriveComboBox1_ = new QComboBox(this);
    DriveComboBox1_->setObjectName("DriveComboBox1");
    QStringList roots;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes())
        if (volume.isValid() && volume.isReady() && !roots.contains(volume.rootPath())) roots << volume.rootPath();
    roots.sort();
    DriveComboBox1_->addItems(roots);

    dirModel_ = new QFileSystemModel(this);
    dirModel_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    dirModel_->setRootPath("/");
    DirectoryListBox1_ = new QTreeView(this);
    DirectoryListBox1_->setObjectName("DirectoryListBox1");
    DirectoryListBox1_->setModel(dirModel_);
    for (int column = 1; column < dirModel_->columnCount(); ++column) DirectoryListBox1_->hideColumn(column);
    DirectoryListBox1_->header()->hide();

    auto* dirLbl = new QLabel("Create or Select a Folder ", this);
    DirEdit_ = new QLineEdit(this);
    DirEdit_->setObjectName("DirEdit");
    dirLbl->setBuddy(DirEdit_);
    NameLbl_ = new QLabel(caption, this);
    NameLbl_->setObjectName("NameLbl");
    NameEdit_ = new QLineEdit(this);
    NameEdit_->setObjectName("NameEdit");
    NameLbl_->setBuddy(NameEdit_);
    FileListBox1_ = new QListWidget(this);
    FileListBox1_->setObjectName("FileListBox1");

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("OKBtn");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("CancelBtn");
    connect(buttons, &QDialogButtonBox::accepted, this, &TMakeDirForm::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* grid = new QGridLayout(this);
    grid->addWidget(dirLbl, 0, 0);
    grid->addWidget(DirEdit_, 1, 0);
    grid->addWidget(DriveComboBox1_, 2, 0);
    grid->addWidget(DirectoryListBox1_, 3, 0, 3, 1);
    grid->addWidget(NameLbl_, 0, 1);
    grid->addWidget(NameEdit_, 1, 1);
    grid->addWidget(new QLabel("Files " + mask, this), 2, 1);
    grid->addWidget(FileListBox1_, 3, 1, 3, 1);
    grid->addWidget(buttons, 6, 0, 1, 2);
    grid->setRowStretch(3, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    resize(560, 400);

    connect(DriveComboBox1_, &QComboBox::textActivated, this, [this](const QString& root) {
        userMoved_ = true;
        SetFolder(root, false);
    });
    // The edit follows every change of the selected folder, by mouse or by keyboard. Focus
    // alone does not change it: entering the list makes a current item without selecting it.
    connect(DirectoryListBox1_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (syncingTree_) return;
        const QModelIndexList selected = DirectoryListBox1_->selectionModel()->selectedIndexes();
        if (selected.isEmpty()) return;
        userMoved_ = true;
        SetFolder(dirModel_->filePath(selected.first()), true);
    });
    // The folder model reads folders in the background: as the folders leading to the shown
    // folder are read, open them and keep it in view, until the author moves elsewhere.
    connect(dirModel_, &QFileSystemModel::directoryLoaded, this, [this] {
        if (!userMoved_) ShowFolderInTree();
    });
    connect(DirEdit_, &QLineEdit::textEdited, this, [this] {
        userMoved_ = true;
        RefreshFiles();
    });
    connect(FileListBox1_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { NameEdit_->setText(item->text()); });

    const QString start = QString::fromStdString(startFolder_.string());
    for (int i = DriveComboBox1_->count() - 1; i >= 0; --i) {
        if (start.startsWith(DriveComboBox1_->itemText(i))) {
            DriveComboBox1_->setCurrentIndex(i);
            break;
        }
    }
    SetFolder(start, false);
    NameEdit_->clear();
    NameEdit_->setFocus();
}

void TMakeDirForm::SetFolder(const QString& folder, bool fromList) {
    DirEdit_->setText(folder);
    if (!fromList) ShowFolderInTree();
    RefreshFiles();
}

void TMakeDirForm::ShowFolderInTree() {
    const QModelIndex index = dirModel_->index(DirEdit_->text());
    if (!index.isValid()) return;
    syncingTree_ = true;
    DirectoryListBox1_->setCurrentIndex(index);
    DirectoryListBox1_->selectionModel()->select(index, QItemSelectionModel::ClearAndSelect);
    syncingTree_ = false;
    DirectoryListBox1_->scrollTo(index, QAbstractItemView::PositionAtCenter);
}

void TMakeDirForm::RefreshFiles() {
    FileListBox1_->clear();
    for (const std::string& name : ListByMask(Folder(), ToCp1252(mask_))) FileListBox1_->addItem(FromCp1252(name));
}

fs::path TMakeDirForm::Folder() const {
    fs::path folder(DirEdit_->text().trimmed().toStdString());
    if (folder.is_relative()) folder = startFolder_ / folder;
    return folder;
}

std::string TMakeDirForm::Name() const { return ToCp1252(NameEdit_->text()); }

void TMakeDirForm::accept() {
    if (const auto error = NewTutorialNameError(Name())) {
        platform_.messages.ShowError(FromCp1252(*error));
        NameEdit_->setFocus();
        return;
    }
    QDialog::accept();
}

}  // namespace quill
