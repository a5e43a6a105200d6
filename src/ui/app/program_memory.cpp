#include "app/program_memory.h"

#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <system_error>

namespace quill {

namespace fs = std::filesystem;

namespace {
constexpr const char* kRecent = "tutorials/recent";
constexpr const char* kSampleOffered = "start/sampleOffered";
constexpr const char* kEditorGeometry = "editor/geometry";
}  // namespace

ProgramMemory::ProgramMemory(fs::path file) : file_(QString::fromStdString(file.string())) {}

fs::path ProgramMemory::DefaultFile() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    return folder.isEmpty() ? fs::path() : fs::path(folder.toStdString()) / "quillmark.conf";
}

std::vector<fs::path> ProgramMemory::RecentTutorials() const {
    std::vector<fs::path> files;
    if (file_.isEmpty()) return files;
    const QSettings settings(file_, QSettings::IniFormat);
    for (const QString& name : settings.value(kRecent).toStringList()) {
        const fs::path file(name.toStdString());
        std::error_code ec;
        if (fs::is_regular_file(file, ec)) files.push_back(file);
    }
    return files;
}

void ProgramMemory::TutorialOpened(const fs::path& projectFile) {
    if (file_.isEmpty()) return;
    std::error_code ec;
    const QString name = QString::fromStdString(fs::absolute(projectFile, ec).lexically_normal().string());
    QSettings settings(file_, QSettings::IniFormat);
    QStringList recent = settings.value(kRecent).toStringList();
    if (!recent.isEmpty() && recent.front() == name) return;
    recent.removeAll(name);
    recent.prepend(name);
    while (recent.size() > kRecentCount) recent.removeLast();
    settings.setValue(kRecent, recent);
}

bool ProgramMemory::SampleOffered() const {
    if (file_.isEmpty()) return false;
    return QSettings(file_, QSettings::IniFormat).value(kSampleOffered, false).toBool();
}

void ProgramMemory::SetSampleOffered() {
    if (file_.isEmpty()) return;
    QSettings(file_, QSettings::IniFormat).setValue(kSampleOffered, true);
}

QByteArray ProgramMemory::EditorGeometry() const {
    if (file_.isEmpty()) return {};
    return QSettings(file_, QSettings::IniFormat).value(kEditorGeometry).toByteArray();
}

void ProgramMemory::SetEditorGeometry(const QByteArray& geometry) {
    if (file_.isEmpty()) return;
    QSettings(file_, QSettings::IniFormat).setValue(kEditorGeometry, geometry);
}

}  // namespace quill
