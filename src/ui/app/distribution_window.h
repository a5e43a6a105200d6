#pragma once
// DistributionWindow: the folder of a distribution: a drive box, the folder list and the edit that
// follows it (a folder typed there need not exist yet). OK is refused for the project folder
// itself. PrepareDistribution runs the whole distribution with this dialog, its messages in
// boxes and a progress bar while the files are copied. Its "Export for the Web..." button
// (WebExportBtn) takes the same folder for a web export instead (export/web_export.h): a folder
// that plays the tutorial in a browser.
#include <QDialog>
#include <filesystem>
#include <memory>

class QFileSystemModel;

namespace Ui {
class DistributionWindow;
}

namespace quill {

class Project;
struct Platform;

class DistributionWindow : public QDialog {
    Q_OBJECT
public:
    DistributionWindow(const Project& project, Platform& platform, QWidget* parent = nullptr);
    ~DistributionWindow() override;
    // The folder of the edit (a relative one is taken from the project folder's parent).
    std::filesystem::path Folder() const;
    void SetFolder(const QString& folder);
    void accept() override;
    // True when the dialog was closed by "Export for the Web...".
    bool WebExportChosen() const { return webExport_; }

private:
    bool folderAccepted();
    bool webExport_ = false;
    const Project& project_;
    Platform& platform_;
    std::unique_ptr<Ui::DistributionWindow> ui_;
    QFileSystemModel* dirModel_ = nullptr;
};

// "Prepare Distribution": true when the files were copied.
bool PrepareDistribution(const Project& project, Platform& platform, QWidget* parent = nullptr);
// The web export into the folder, with a progress window; its error (naming the file) or the
// folder written is shown in a box. True when the folder was written.
bool ExportForTheWeb(const Project& project, Platform& platform, const std::filesystem::path& folder,
                     QWidget* parent = nullptr);

}  // namespace quill
