#include "app/distribution_window.h"

#include <QFileSystemModel>
#include <QPushButton>

#include "app/build_progress.h"
#include "app/folder_tree.h"
#include "build/distribute.h"
#include "export/scorm_package.h"
#include "export/web_export.h"
#include "platform/help_topics.h"
#include "platform/platform.h"
#include "project/project.h"
#include "text_codec.h"
#include "ui_distribution_window.h"

namespace quill {

namespace fs = std::filesystem;

namespace {

constexpr int kTopic = TopicNumber(HelpTopic::Distribution);

// Distribution with the dialog, the boxes and the progress bar.
class WindowDistributionUi : public DistributionUi {
public:
    WindowDistributionUi(const Project& project, Platform& platform, QWidget* parent)
        : project_(project), platform_(platform), parent_(parent) {}

    std::optional<fs::path> ChooseFolder() override {
        DistributionWindow form(project_, platform_, parent_);
        if (form.exec() != QDialog::Accepted) return std::nullopt;
        // An export instead of the distribution: it ends here.
        if (form.Chosen() == DistributionWindow::Choice::WebExport) {
            ExportForTheWeb(project_, platform_, form.Folder(), parent_);
            return std::nullopt;
        }
        if (form.Chosen() == DistributionWindow::Choice::ScormPackage) {
            ExportAsScormPackage(project_, platform_, form.Folder(), parent_);
            return std::nullopt;
        }
        return form.Folder();
    }
    void ShowError(const std::string& text) override { platform_.messages.ShowError(FromCp1252(text)); }
    void ShowInfo(const std::string& text) override { platform_.messages.ShowInfo(FromCp1252(text)); }
    void ShowMessage(const std::string& text) override {
        progress_.reset();
        platform_.messages.Message(FromCp1252(text));
    }
    void Copying(std::size_t i, std::size_t n, const fs::path& file) override {
        if (!progress_) progress_ = std::make_unique<BuildProgress>("Prepare Distribution", parent_);
        progress_->Step(i, n, "Copying " + QString::fromStdString(file.filename().string()));
    }

private:
    const Project& project_;
    Platform& platform_;
    QWidget* parent_;
    std::unique_ptr<BuildProgress> progress_;
};

}  // namespace

DistributionWindow::DistributionWindow(const Project& project, Platform& platform, QWidget* parent)
    : QDialog(parent), project_(project), platform_(platform), ui_(std::make_unique<Ui::DistributionWindow>()) {
    ui_->setupUi(this);
    SetHelpTopic(this, kTopic);
    InstallF1Help(this, platform_.help, platform_.helpFile);
    QPushButton* ok = ui_->ButtonBox->button(QDialogButtonBox::Ok);
    ok->setText("&OK");
    ok->setObjectName("OKBtn");
    QPushButton* cancel = ui_->ButtonBox->button(QDialogButtonBox::Cancel);
    cancel->setText("&Cancel");
    cancel->setObjectName("CancelBtn");
    QPushButton* help = ui_->ButtonBox->button(QDialogButtonBox::Help);
    help->setText("&Help");
    help->setObjectName("HelpBtn");
    addExportButton("Export for the &Web...", "WebExportBtn",
                    "Write a folder that plays the tutorial in a web browser, instead of the distribution",
                    Choice::WebExport);
    addExportButton("Export as &SCORM Package...", "ScormExportBtn",
                    "Write the tutorial's SCORM 1.2 package (a zip file) for a learning management system into "
                    "the folder, instead of the distribution",
                    Choice::ScormPackage);
    connect(ui_->ButtonBox, &QDialogButtonBox::accepted, this, &DistributionWindow::accept);
    connect(ui_->ButtonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(ui_->ButtonBox, &QDialogButtonBox::helpRequested, this, [this] { platform_.ShowHelp(kTopic); });

    dirModel_ = ShowFolderTree(ui_->DriveComboBox1, ui_->DirectoryListBox1, this);
    connect(ui_->DriveComboBox1, &QComboBox::textActivated, this, &DistributionWindow::SetFolder);
    connect(ui_->DirectoryListBox1, &QTreeView::clicked, this,
            [this](const QModelIndex& index) { ui_->DirEdit->setText(dirModel_->filePath(index)); });
    connect(dirModel_, &QFileSystemModel::directoryLoaded, this, [this] {
        const QModelIndex index = dirModel_->index(ui_->DirEdit->text());
        if (index.isValid() && ui_->DirectoryListBox1->currentIndex() != index) {
            ui_->DirectoryListBox1->setCurrentIndex(index);
            ui_->DirectoryListBox1->scrollTo(index, QAbstractItemView::PositionAtCenter);
        }
    });
    // The folder list starts where the project lies; the edit proposes a new folder there, so
    // that OK alone never spills the files among the author's own.
    const fs::path projectParent = project_.ProjectDir.parent_path();
    SetFolder(QString::fromStdString(projectParent.string()));
    const QString folderName = QString::fromStdString(project_.ProjectFilePath().stem().string()) + " distribution";
    ui_->DirEdit->setText(QString::fromStdString((projectParent / folderName.toStdString()).string()));
    ui_->DirEdit->setToolTip("A new folder for the distribution, made when it does not exist yet");
    ui_->DirEdit->setSelection(ui_->DirEdit->text().size() - folderName.size(), folderName.size());
    ui_->DirEdit->setFocus();
}

DistributionWindow::~DistributionWindow() = default;

void DistributionWindow::SetFolder(const QString& folder) {
    ui_->DirEdit->setText(folder);
    const QModelIndex index = dirModel_->index(folder);
    if (index.isValid()) {
        ui_->DirectoryListBox1->setCurrentIndex(index);
        ui_->DirectoryListBox1->scrollTo(index);
    }
}

fs::path DistributionWindow::Folder() const {
    fs::path folder(ui_->DirEdit->text().trimmed().toStdString());
    if (folder.is_relative()) folder = project_.ProjectDir.parent_path() / folder;
    return folder;
}

bool DistributionWindow::folderAccepted() {
    if (ui_->DirEdit->text().trimmed().isEmpty()) {
        platform_.messages.ShowError("Enter the folder for the distribution.");
        ui_->DirEdit->setFocus();
        return false;
    }
    if (const auto refusal = DistributionFolderError(Folder(), project_.ProjectDir)) {
        platform_.messages.ShowError(FromCp1252(*refusal));
        ui_->DirEdit->setFocus();
        return false;
    }
    return true;
}

void DistributionWindow::addExportButton(const QString& text, const char* objectName, const QString& toolTip,
                                         Choice choice) {
    QPushButton* button = ui_->ButtonBox->addButton(text, QDialogButtonBox::ActionRole);
    button->setObjectName(objectName);
    button->setToolTip(toolTip);
    connect(button, &QPushButton::clicked, this, [this, choice] {
        if (!folderAccepted()) return;
        chosen_ = choice;
        QDialog::accept();
    });
}

void DistributionWindow::accept() {
    chosen_ = Choice::Distribution;
    if (folderAccepted()) QDialog::accept();
}

bool ExportForTheWeb(const Project& project, Platform& platform, const fs::path& folder, QWidget* parent) {
    BuildProgress progress("Export for the Web", parent);
    std::string error;
    const bool written = ExportWebFolder(project.ProjectFilePath(), folder, &error,
                                         [&](int step, int steps, const std::string& what) {
                                             progress.Step(static_cast<std::size_t>(step), static_cast<std::size_t>(steps),
                                                           QString::fromStdString(what));
                                         });
    if (!written) {
        platform.messages.ShowError(QString::fromStdString(error));
        return false;
    }
    platform.messages.ShowInfo("The tutorial plays in a web browser from the folder " +
                               QString::fromStdString(folder.string()) + ": open its index.html, or put the folder on a web server.");
    return true;
}

fs::path ScormPackageFile(const Project& project, const fs::path& folder) {
    return folder / (FromCp1252(project.ProjectName).toStdString() + ".zip");
}

bool ExportAsScormPackage(const Project& project, Platform& platform, const fs::path& folder, QWidget* parent) {
    const fs::path zip = ScormPackageFile(project, folder);
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) {
        platform.messages.ShowError("Cannot make the folder " + QString::fromStdString(folder.string()) + ": " +
                                    QString::fromStdString(ec.message()));
        return false;
    }
    BuildProgress progress("Export as SCORM Package", parent);
    const WebFolderExport exportFolder = [&](const fs::path& file, const fs::path& webFolder, std::string* error) {
        return ExportWebFolder(file, webFolder, error, [&](int step, int steps, const std::string& what) {
            progress.Step(static_cast<std::size_t>(step), static_cast<std::size_t>(steps), QString::fromStdString(what));
        });
    };
    const std::string title = project.ProgramTitle.empty() ? project.ProjectName : project.ProgramTitle;
    std::string error;
    if (!ExportScormPackage(project.ProjectFilePath(), zip, "QUILL-" + FromCp1252(project.ProjectName).toStdString(),
                            FromCp1252(title).toStdString(), exportFolder, &error)) {
        platform.messages.ShowError(QString::fromStdString(error));
        return false;
    }
    platform.messages.ShowInfo("The SCORM package " + QString::fromStdString(zip.string()) +
                               " is written: add it to the learning management system as a SCORM 1.2 package.");
    return true;
}

bool PrepareDistribution(const Project& project, Platform& platform, QWidget* parent) {
    WindowDistributionUi ui(project, platform, parent);
    return Distribute(project, ui);
}

}  // namespace quill
