#pragma once
// A small reader of Windows metafiles (WMF): the records pictures commonly use, played onto a
// QImage. Records it does not know are skipped.
#include <QByteArray>
#include <QImage>
#include <QString>

namespace quill {

// True for the first bytes of a placeable or a plain metafile.
bool LooksLikeWmf(const QByteArray& head);

// The metafile drawn onto an image, or a null image with the reason in *why.
QImage ReadWmf(const QByteArray& data, QString* why);

}  // namespace quill
