#include "platform/snapshots.h"

#include <QApplication>
#include <QEvent>
#include <QPixmap>
#include <QPointer>
#include <QRegularExpression>
#include <QTimer>
#include <QWidget>

namespace quill {

SnapshotWriter::SnapshotWriter(std::filesystem::path folder, QObject* parent)
    : QObject(parent), folder_(std::move(folder)) {
    std::error_code ec;
    std::filesystem::create_directories(folder_, ec);
    qApp->installEventFilter(this);
}

SnapshotWriter::~SnapshotWriter() { qApp->removeEventFilter(this); }

bool SnapshotWriter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        const Qt::WindowType type = widget->windowType();
        if (widget->isWindow() && type != Qt::ToolTip && type != Qt::Popup && !seen_.contains(widget)) {
            seen_.insert(widget);
            connect(widget, &QObject::destroyed, this, [this, widget] { seen_.remove(widget); });
            QPointer<QWidget> guard(widget);
            // Grab once the window has been laid out and painted.
            QTimer::singleShot(50, this, [this, guard] {
                if (guard && guard->isVisible()) Grab(guard);
            });
        }
    }
    return QObject::eventFilter(watched, event);
}

void SnapshotWriter::Grab(QWidget* window) {
    const QPixmap pixmap = window->grab();
    QString name = window->objectName();
    if (name.isEmpty()) name = window->metaObject()->className();
    name.replace(QRegularExpression("[^A-Za-z0-9_]"), "_");
    const QString file = QString("%1-%2.png").arg(++counter_, 3, 10, QChar('0')).arg(name);
    if (pixmap.save(QString::fromStdString((folder_ / file.toStdString()).string()), "PNG")) ++written_;
}

}  // namespace quill
