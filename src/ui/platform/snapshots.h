#pragma once
// Window snapshots: with a folder given, every window is saved as a PNG there the first time
// it is shown (after it has been painted), named by order and class: "001-TQMKmainform.png".
// The desktop program turns this on when QUILLMARK_SNAPSHOT_DIR is set, so that what a person
// would see can be checked without a display.
#include <QObject>
#include <QSet>
#include <QString>
#include <filesystem>

namespace quill {

class SnapshotWriter : public QObject {
    Q_OBJECT
public:
    // Installs itself as an application-wide event filter; creates the folder.
    explicit SnapshotWriter(std::filesystem::path folder, QObject* parent = nullptr);
    ~SnapshotWriter() override;
    int Written() const { return written_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Grab(QWidget* window);
    std::filesystem::path folder_;
    QSet<QObject*> seen_;
    int written_ = 0;
    int counter_ = 0;
};

}  // namespace quill
