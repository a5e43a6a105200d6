#pragma once
// Reading the pictures a chapter shows: BMP and JPG through Qt's image readers (the format is
// taken from the contents, so a JPEG named .BMP still reads), and Windows metafiles (WMF)
// through a small reader of our own.
#include <QImage>
#include <QString>
#include <filesystem>

namespace quill {

// The picture, or a null image with the reason in *why.
QImage ReadPicture(const std::filesystem::path& file, QString* why);

}  // namespace quill
