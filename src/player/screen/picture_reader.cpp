#include "screen/picture_reader.h"

#include <QFile>
#include <QImageReader>

#include "screen/wmf_reader.h"

namespace quill {

QImage ReadPicture(const std::filesystem::path& file, QString* why) {
    const QString name = QString::fromStdString(file.string());
    QFile f(name);
    if (!f.open(QIODevice::ReadOnly)) {
        if (why) *why = f.errorString();
        return {};
    }
    const QByteArray head = f.peek(4);
    if (LooksLikeWmf(head)) {
        const QByteArray data = f.readAll();
        return ReadWmf(data, why);
    }
    QImageReader reader(&f);
    reader.setDecideFormatFromContent(true);
    QImage image = reader.read();
    if (image.isNull() && why) *why = reader.errorString();
    return image;
}

}  // namespace quill
