// The desktop program: the main window over the open project, with the real message boxes,
// dialogs and help. With QUILLMARK_SNAPSHOT_DIR set, every window is also saved as a PNG in
// that folder when it is first shown.
#include <QApplication>
#include <memory>

#include "app/chapter_runner.h"
#include "app/main_form.h"
#include "platform/platform.h"
#include "platform/snapshots.h"
#include "project/project.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Quillmark");
    quill::Project project(quill::ExecutableFolder());
    quill::DesktopPlatform desktop(project.HomeDir);

    std::unique_ptr<quill::SnapshotWriter> snapshots;
    const QByteArray snapshotDir = qgetenv("QUILLMARK_SNAPSHOT_DIR");
    if (!snapshotDir.isEmpty())
        snapshots = std::make_unique<quill::SnapshotWriter>(std::filesystem::path(snapshotDir.toStdString()));

    quill::UnavailableChapterRunner runner(desktop.platform().messages);
    quill::TQMKmainform window(project, desktop.platform(), runner);
    window.SetLowColor(quill::TQMKmainform::DisplayIsLowColor());
    window.showMaximized();
    return QApplication::exec();
}
