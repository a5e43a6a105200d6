#include "screen/background_picture.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>

#include "../../format/test_folder.h"
#include "project/tutorial_folder.h"
#include "screen/presentation_render.h"
#include "screen_test_support.h"

using namespace quill;

namespace {

// A 4 x 4 picture of one colour in the format given ("BMP", "JPG").
std::string PictureBytes(const char* format, QColor colour) {
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes.toStdString();
}

}  // namespace

TEST(BackgroundPicture, JpgExtensionIsTheLastPartsLastExtensionInAnyCase) {
    const struct {
        const char* name;
        bool jpg;
    } cases[] = {
        {"WALL.JPG", true},        {"wall.jpg", true},      {"Pics\\wall.Jpg", true}, {"pics/wall.jpg", true},
        {"WALL.JPG.BMP", false},   {"WALL.JPGX", false},    {"WALL.BMP", false},      {"JPG", false},
        {"PICS.JPG\\WALL", false}, {"pics.jpg/wall.bmp", false}, {"", false},          {".jpg", true},
    };
    for (const auto& c : cases) EXPECT_EQ(HasJpgExtension(c.name), c.jpg) << c.name;
}

// Each background type and each way its picture can be missing, with the message the windows show
// and what is left to paint.
TEST(BackgroundPicture, LoadsGraphicsAndWallpapersAndSaysWhyOneIsNotShown) {
    test::TempFolder dir;
    dir.write("BACK.BMP", PictureBytes("BMP", Qt::red));
    dir.write("photo.jpg", PictureBytes("JPG", Qt::blue));
    dir.write("broken.bmp", "not a picture");
    dir.write("wall.jpg.bmp", PictureBytes("BMP", Qt::green));
    std::filesystem::create_directory(dir / "folder.bmp");
    test::TempFolder outside;
    outside.write("out.bmp", PictureBytes("BMP", Qt::red));
    const std::string escape = "../" + outside.path().filename().string() + "/out.bmp";

    enum Shown { Colour, Graphic, Wallpaper };
    const struct {
        int type;
        std::string graphic, wallpaper;
        Shown shown;
        PictureProblem problem;
        QString message;
    } cases[] = {
        {1, "BACK.BMP", "BACK.BMP", Colour, PictureProblem::None, ""},
        {7, "BACK.BMP", "", Colour, PictureProblem::None, ""},
        {2, "back.bmp", "", Graphic, PictureProblem::None, ""},  // found ignoring case
        {2, "PHOTO.JPG", "", Graphic, PictureProblem::None, ""},
        {2, "gone.bmp", "", Colour, PictureProblem::Missing, "The graphic file gone.bmp was not found"},
        {2, "", "", Colour, PictureProblem::Missing, "The graphic file  was not found"},
        {2, "folder.bmp", "", Colour, PictureProblem::Missing, "The graphic file folder.bmp was not found"},
        {2, escape, "", Colour, PictureProblem::Missing,
         QString::fromStdString("The graphic file " + escape + " was not found")},
        {3, "", "BACK.BMP", Wallpaper, PictureProblem::None, ""},
        {3, "", "wall.jpg.bmp", Wallpaper, PictureProblem::None, ""},
        {3, "", "gone.bmp", Colour, PictureProblem::Missing, "The Wallpaper file gone.bmp was not found"},
        {3, "", "photo.jpg", Colour, PictureProblem::JpgWallpaper,
         "Wallpaper must be a .BMP file.\n\r\n\rReplace photo.jpg with a .BMP Graphic."},
    };
    const TutorialFolder folder(dir.path());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        SCOPED_TRACE(c.graphic + "|" + c.wallpaper);
        const BackgroundPicture b = LoadBackgroundPicture(folder, c.type, 0x00FF8000, c.graphic, c.wallpaper);
        EXPECT_EQ(b.color, QColor(0x00, 0x80, 0xFF));
        EXPECT_EQ(b.problem, c.problem);
        EXPECT_EQ(b.message, c.message);
        EXPECT_EQ(!b.graphic.isNull(), c.shown == Graphic);
        EXPECT_EQ(!b.wallpaper.isNull(), c.shown == Wallpaper);
    }

    const BackgroundPicture broken = LoadBackgroundPicture(folder, 2, 0, "broken.bmp", "");
    EXPECT_EQ(broken.problem, PictureProblem::Unreadable);
    EXPECT_TRUE(broken.message.startsWith("The graphic file broken.bmp cannot be shown: ")) << broken.message;
    EXPECT_TRUE(broken.graphic.isNull());
}

// The headless renderer draws backgrounds through the windows' loader: a .JPG wallpaper, which
// the windows refuse, is not tiled in a snapshot either, and a graphic is stretched.
TEST(BackgroundPicture, RenderedScreensShowWhatTheWindowsShow) {
    test::TempFolder dir;
    dir.write("PAPER.JPG", PictureBytes("JPG", Qt::blue));
    dir.write("BACK.BMP", PictureBytes("BMP", Qt::red));
    TTutorialConfig c = test::DefaultConfig();
    const TScreenBackgroundLayout& s = cfg::Intro::Screen;
    c.set(s.TextWindowOff, 0);
    c.set(s.ScreenColor, 0x0000FF00);
    c.set(s.ScreenType, 3);
    c.set(s.WallpaperFile, "paper.jpg");
    c.set(cfg::Intro::TitleBarOn, 0);
    c.set(cfg::Intro::StatusBarOn, 0);
    EXPECT_EQ(RenderIntroduction(c, dir.path(), {}).pixelColor(2, 2), QColor(Qt::green));

    c.set(s.ScreenType, 2);
    c.set(s.GraphicFile, "back.bmp");
    EXPECT_EQ(RenderIntroduction(c, dir.path(), {}).pixelColor(2, 2), QColor(Qt::red));
}
