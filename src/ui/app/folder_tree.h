#pragma once
// The folder picker of the windows that ask for a folder (a new tutorial's folder, the
// distribution folder): the mounted volumes in a combo box and a tree of folders only.
class QComboBox;
class QFileSystemModel;
class QObject;
class QTreeView;

namespace quill {

// Fills `volumes` with the mounted volumes' roots (sorted, each once) and shows the folders of
// the file system in `folders` (names only). The model returned belongs to `owner`.
QFileSystemModel* ShowFolderTree(QComboBox* volumes, QTreeView* folders, QObject* owner);

}  // namespace quill
