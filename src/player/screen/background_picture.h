#pragma once
// Screen backgrounds and the other pictures a tutorial's record names (the about box's icon):
// the one loader that the learner's windows, the designers, the teaching aids, the preview and
// the headless renderer all use, so a background looks and fails alike everywhere. Files are
// found and read through the tutorial folder layer (nothing outside the folder, regular files
// only), and a background of type 2 is a graphic drawn stretched, of type 3 a wallpaper drawn
// tiled; any other type is the colour alone.
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QString>
#include <cstdint>
#include <string>
#include <string_view>

namespace quill {

class TutorialFolder;

// Why a picture is not there: none, no regular file of that name in the folder, a file that
// does not decode, or a wallpaper named .JPG (a wallpaper must be a .BMP).
enum class PictureProblem { None, Missing, Unreadable, JpgWallpaper };

// Whether the extension of a file name (after the last dot of its last part, '\' or '/'
// between folders) is ".JPG" in any case.
bool HasJpgExtension(std::string_view name);

// The picture file `name` (Windows-1252) of the folder; a null image when it is missing or
// does not decode, with the problem and the decoder's reason.
struct FolderPicture {
    QImage image;
    PictureProblem problem = PictureProblem::None;
    QString why;  // the reason a file does not decode
};
FolderPicture ReadFolderPicture(const TutorialFolder& folder, std::string_view name);

// A screen background: the colour, and the picture drawn stretched over it (graphic) or tiled
// (wallpaper). When the picture asked for is missing or cannot be shown, the background is the
// colour alone and `message` is the error to show ("The graphic file NAME was not found", "The
// Wallpaper file NAME cannot be shown: ...", "Wallpaper must be a .BMP file. ..."); `problem`
// says which, for windows that word one of them their own way.
struct BackgroundPicture {
    QColor color;
    QImage graphic;
    QImage wallpaper;
    PictureProblem problem = PictureProblem::None;
    QString message;
};
BackgroundPicture LoadBackgroundPicture(const TutorialFolder& folder, int screenType, std::uint32_t screenColor,
                                        const std::string& graphicFile, const std::string& wallpaperFile);

// Paints the background over `area`: the colour, then the graphic stretched or the wallpaper
// tiled from the area's top left corner.
void PaintBackgroundPicture(QPainter& painter, QRect area, const BackgroundPicture& background);

}  // namespace quill
