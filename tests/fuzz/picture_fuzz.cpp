// libFuzzer target for pictures: the bytes as a WMF (our own reader) and as a file of any
// format (the picture path: WMF, BMP, JPG through Qt's readers and libjpeg). Nothing may crash,
// and a picture that reads must be drawable.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdint>

#include "fuzz_support.h"
#include "screen/picture_reader.h"
#include "screen/wmf_reader.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QString why;
    const QImage wmf = quill::ReadWmf(bytes, &why);
    const auto file = quill::fuzz::WriteScratch("P.BMP", {reinterpret_cast<const char*>(data), size});
    // Through the tutorial folder, as the record's pictures (about icon, backgrounds, menu and
    // introduction graphics) are read, and straight from the bytes.
    const QImage any = quill::ReadPicture(file, &why);
    const QImage decoded = quill::DecodePicture(bytes, &why);
    for (const QImage* image : {&wmf, &any, &decoded}) {
        if (image->isNull()) continue;
        QImage target(32, 24, QImage::Format_RGB32);
        QPainter painter(&target);
        painter.drawImage(QRect(0, 0, 32, 24), *image);
    }
    return 0;
}
