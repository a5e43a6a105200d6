#include "screen/picture_reader.h"

#include <QBuffer>
#include <QImageReader>

#include "project/tutorial_folder.h"
#include "screen/wmf_reader.h"

namespace quill {

QImage DecodePicture(const QByteArray& bytes, QString* why) {
    if (LooksLikeWmf(bytes.left(4))) return ReadWmf(bytes, why);
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    QImage image = reader.read();
    if (image.isNull() && why) *why = reader.errorString();
    return image;
}

QImage ReadPicture(const TutorialFolder& folder, const std::filesystem::path& file, QString* why) {
    std::string bytes;
    try {
        bytes = folder.Read(file);
    } catch (const std::exception& e) {
        if (why) *why = QString::fromUtf8(e.what());
        return {};
    }
    return DecodePicture(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())), why);
}

QImage ReadPicture(const std::filesystem::path& file, QString* why) {
    return ReadPicture(TutorialFolder(file.has_parent_path() ? file.parent_path() : std::filesystem::path(".")),
                       file, why);
}

}  // namespace quill
