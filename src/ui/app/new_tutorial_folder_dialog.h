#pragma once
// NewTutorialFolderDialog: the new-tutorial dialog. A drive box, a folder list, the folder edit that
// follows the folder list (a folder typed there need not exist yet), the name edit and a list
// of the folder's files that match the mask; clicking a file puts its name into the name edit.
// OK is refused with a message while the name is empty or not a valid file name.
#include <QDialog>
#include <filesystem>
#include <memory>
#include <string>

class QFileSystemModel;

namespace Ui {
class NewTutorialFolderDialog;
}  // namespace Ui

namespace quill {

struct Platform;

// Window name (its objectName): TMakeDirForm.
class NewTutorialFolderDialog : public QDialog {
    Q_OBJECT
public:
    // `mask` filters the file list ("*.QKJ"), `caption` is shown above the name edit,
    // `helpTopic` is the dialog's F1 topic, `startFolder` the folder shown first.
    NewTutorialFolderDialog(Platform& platform, const QString& mask, const QString& caption, int helpTopic,
                 const std::filesystem::path& startFolder, QWidget* parent = nullptr);
    ~NewTutorialFolderDialog() override;

    // The results after OK: the folder (from the folder edit; a relative one is taken from the
    // start folder) and the name as typed, in Windows-1252.
    std::filesystem::path Folder() const;
    std::string Name() const;

    void accept() override;

private:
    void SetFolder(const QString& folder, bool fromList);
    void RefreshFiles();
    // Opens the folder list down to the folder of the edit, selects it and scrolls it into view.
    void ShowFolderInTree();

    Platform& platform_;
    QString mask_;
    std::filesystem::path startFolder_;
    std::unique_ptr<Ui::NewTutorialFolderDialog> ui_;
    QFileSystemModel* dirModel_ = nullptr;
    bool syncingTree_ = false;  // the list is being moved to the edit's folder
    bool userMoved_ = false;    // the author chose a folder: stop following the start folder
};

}  // namespace quill
