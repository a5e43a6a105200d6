#include "screen/background_picture.h"

#include <QPixmap>

#include "project/tutorial_folder.h"
#include "screen/picture_reader.h"
#include "screen/text_screen.h"
#include "text/cp1252.h"
#include "text_codec.h"

namespace quill {

bool HasJpgExtension(std::string_view name) {
    const std::size_t slash = name.find_last_of("\\/");
    const std::string_view last = slash == std::string_view::npos ? name : name.substr(slash + 1);
    const std::size_t dot = last.find_last_of('.');
    return dot != std::string_view::npos && UpperCaseCp1252(last.substr(dot)) == ".JPG";
}

FolderPicture ReadFolderPicture(const TutorialFolder& folder, std::string_view name) {
    FolderPicture out;
    const auto found = name.empty() ? std::nullopt : folder.FindFile(name);
    if (!found) {
        out.problem = PictureProblem::Missing;
        return out;
    }
    out.image = ReadPicture(folder, *found, &out.why);
    if (out.image.isNull()) out.problem = PictureProblem::Unreadable;
    return out;
}

namespace {

// Reads the picture of a background; on a problem, sets it and its message in `out`.
QImage ReadBackgroundFile(const TutorialFolder& folder, const char* what, const std::string& name,
                          BackgroundPicture& out) {
    FolderPicture picture = ReadFolderPicture(folder, name);
    out.problem = picture.problem;
    const QString file = QStringLiteral("The ") + QLatin1String(what) + ' ' + FromCp1252(name);
    if (picture.problem == PictureProblem::Missing) out.message = file + " was not found";
    if (picture.problem == PictureProblem::Unreadable) out.message = file + " cannot be shown: " + picture.why;
    return std::move(picture.image);
}

}  // namespace

BackgroundPicture LoadBackgroundPicture(const TutorialFolder& folder, int screenType, std::uint32_t screenColor,
                                        const std::string& graphicFile, const std::string& wallpaperFile) {
    BackgroundPicture out;
    out.color = ColourFromRecord(screenColor);
    if (screenType == 2) {
        out.graphic = ReadBackgroundFile(folder, "graphic file", graphicFile, out);
    } else if (screenType == 3) {
        if (HasJpgExtension(wallpaperFile)) {
            out.problem = PictureProblem::JpgWallpaper;
            out.message = "Wallpaper must be a .BMP file.\n\r\n\rReplace " + FromCp1252(wallpaperFile) +
                          " with a .BMP Graphic.";
        } else {
            out.wallpaper = ReadBackgroundFile(folder, "Wallpaper file", wallpaperFile, out);
        }
    }
    return out;
}

void PaintBackgroundPicture(QPainter& painter, QRect area, const BackgroundPicture& background) {
    painter.fillRect(area, background.color);
    if (!background.graphic.isNull())
        painter.drawImage(area, background.graphic);
    else if (!background.wallpaper.isNull())
        painter.drawTiledPixmap(area, QPixmap::fromImage(background.wallpaper));
}

}  // namespace quill
