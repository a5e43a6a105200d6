#include "screen/wmf_reader.h"

namespace quill {

namespace {
unsigned U16(const QByteArray& d, int off) {
    return static_cast<unsigned char>(d[off]) | (static_cast<unsigned char>(d[off + 1]) << 8);
}
}  // namespace

bool LooksLikeWmf(const QByteArray& head) {
    if (head.size() < 4) return false;
    if (head.startsWith(QByteArray::fromHex("d7cdc69a"))) return true;
    const unsigned type = U16(head, 0), headerWords = U16(head, 2);
    return (type == 1 || type == 2) && headerWords == 9;
}

QImage ReadWmf(const QByteArray&, QString* why) {
    if (why) *why = QStringLiteral("Windows metafile pictures are not supported");
    return {};
}

}  // namespace quill
