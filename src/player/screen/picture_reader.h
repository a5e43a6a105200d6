#pragma once
// Reading the pictures a tutorial shows: BMP and JPG through Qt's image readers (the format is
// taken from the contents, so a JPEG named .BMP still reads), and Windows metafiles (WMF)
// through a small reader of our own. The bytes are read through the tutorial folder layer, so a
// picture never comes from outside the folder, and a pipe or device named as one is refused at
// once instead of hanging the player.
#include <filesystem>
#include <string_view>

#include "engine_types.h"
#ifndef QUILL_NO_QT
#include <QByteArray>
#endif

namespace quill {

class TutorialFolder;

#ifndef QUILL_NO_QT
// The picture in the bytes, or a null image with the reason in *why.
QImage DecodePicture(const QByteArray& bytes, QString* why);
#endif

// The picture file `file` of the folder (a path that FindFile, Locate or a listing gave), or a
// null image with the reason in *why.
// In the web build the pictures of an exported tutorial are already raw rasters (web_picture.h).
Image ReadPicture(const TutorialFolder& folder, const std::filesystem::path& file, Text* why);
#ifndef QUILL_NO_QT
// The same, confined to the folder the file lies in.
QImage ReadPicture(const std::filesystem::path& file, QString* why);
#endif

}  // namespace quill
