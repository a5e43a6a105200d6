#include "platform/modal.h"

#include <QDialog>
#include <QEventLoop>

namespace quill {

int ShowModal(QDialog& dialog) {
    dialog.setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    int result = QDialog::Rejected;
    const auto connection = QObject::connect(&dialog, &QDialog::finished, &loop, [&](int r) {
        result = r;
        loop.quit();
    });
    dialog.show();
    loop.exec(QEventLoop::DialogExec);
    QObject::disconnect(connection);
    return result;
}

}  // namespace quill
