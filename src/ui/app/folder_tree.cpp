#include "app/folder_tree.h"

#include <QComboBox>
#include <QFileSystemModel>
#include <QStorageInfo>
#include <QTreeView>

namespace quill {

QFileSystemModel* ShowFolderTree(QComboBox* volumes, QTreeView* folders, QObject* owner) {
    QStringList roots;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes())
        if (volume.isValid() && volume.isReady() && !roots.contains(volume.rootPath())) roots << volume.rootPath();
    roots.sort();
    volumes->addItems(roots);

    auto* model = new QFileSystemModel(owner);
    model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    model->setRootPath("/");
    folders->setModel(model);
    for (int column = 1; column < model->columnCount(); ++column) folders->hideColumn(column);
    return model;
}

}  // namespace quill
