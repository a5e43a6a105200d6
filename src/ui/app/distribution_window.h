#pragma once
// DistributionWindow: the folder of a distribution: a drive box, the folder list and the edit that
// follows it (a folder typed there need not exist yet). OK is refused for the project folder
// itself. PrepareDistribution runs the whole distribution with this dialog, its messages in
// boxes and a progress bar while the files are copied. Its "Export for the Web..." button
// (WebExportBtn) takes the same folder for a web export instead (export/web_export.h): a folder
// that plays the tutorial in a browser; "Export as SCORM Package..." (ScormExportBtn) writes into
// it the tutorial's SCORM 1.2 package for a learning management system (export/scorm_package.h).
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

// Window name (its objectName): TDistribForm.
class DistributionWindow : public QDialog {
    Q_OBJECT
public:
    DistributionWindow(const Project& project, Platform& platform, QWidget* parent = nullptr);
    ~DistributionWindow() override;
    // The folder of the edit (a relative one is taken from the project folder's parent).
    std::filesystem::path Folder() const;
    void SetFolder(const QString& folder);
    void accept() override;
    // What the dialog was closed by: OK (the distribution), "Export for the Web..." or "Export as
    // SCORM Package...".
    enum class Choice { Distribution, WebExport, ScormPackage };
    Choice Chosen() const { return chosen_; }
    bool WebExportChosen() const { return chosen_ == Choice::WebExport; }

private:
    bool folderAccepted();
    // An export button: the folder is checked as for OK, then the dialog closes with the choice.
    void addExportButton(const QString& text, const char* objectName, const QString& toolTip, Choice choice);
    Choice chosen_ = Choice::Distribution;
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
// The SCORM package of the tutorial written into the folder (made when needed) as NAME.zip (NAME:
// the project's name), with a progress window; its error or the file written is shown in a box.
// True when the package was written.
bool ExportAsScormPackage(const Project& project, Platform& platform, const std::filesystem::path& folder,
                          QWidget* parent = nullptr);
// The file of that package.
std::filesystem::path ScormPackageFile(const Project& project, const std::filesystem::path& folder);

}  // namespace quill
