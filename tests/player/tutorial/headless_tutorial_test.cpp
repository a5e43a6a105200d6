#include "tutorial/headless_tutorial.h"

#include <gtest/gtest.h>

#include <QImage>

#include "../../format/test_folder.h"
#include "headless_host.h"
#include "screen/presentation_render.h"
#include "../screen/screen_test_support.h"
#include "../../qstring_printer.h"

using namespace quill;

namespace {

QStringList Errors(const HeadlessHost& host) {
    QStringList errors;
    for (const HostMessage& m : host.messages())
        if (m.kind == HostMessage::Kind::Error) errors << m.text;
    return errors;
}

// The rows of the comment area of a rendered about box that hold dark pixels, as bands
// [first row, last row].
std::vector<std::pair<int, int>> CommentLines(const QImage& box) {
    std::vector<std::pair<int, int>> bands;
    for (int y = 200; y < 340; ++y) {
        bool ink = false;
        for (int x = 136; x < 500 && !ink; ++x) ink = qGray(box.pixel(x, y)) < 100;
        if (!ink) continue;
        if (!bands.empty() && bands.back().second == y - 1)
            bands.back().second = y;
        else
            bands.emplace_back(y, y);
    }
    return bands;
}

}  // namespace

// A run without windows reports each picture the learner's windows could not show, with the
// windows' texts, where the window shows it.
TEST(HeadlessTutorial, MissingPicturesAreReportedAsTheWindowsReportThem) {
    test::TempFolder dir;
    TTutorialConfig c = test::DefaultConfig();
    c.set(cfg::Program::BackgroundType, 2);
    c.set(cfg::Program::BackgroundGraphic, "back.bmp");
    c.set(cfg::AboutOn, 1);
    c.set(cfg::About::ShowWhen, 0);
    c.set(cfg::About::UseIcon, 1);
    c.set(cfg::About::IconFile, "gone.ico");
    c.set(cfg::IntroOn, 1);
    c.set(cfg::Intro::Screen.ScreenType, 2);
    c.set(cfg::Intro::Screen.GraphicFile, "gone.bmp");
    c.set(cfg::TutorialType, 1);
    c.set(cfg::MainMenu::ScreenType, 3);
    c.set(cfg::MainMenu::WallpaperFile, "paper.jpg");
    QStringList parseErrors;
    HeadlessHost host(ParseAnswers("ok\nok\nmainmenu quit\n", &parseErrors));
    HeadlessTutorialStage stage(c, dir.path(), host, {}, {});
    PlayTutorial(c, stage);
    EXPECT_EQ(Errors(host), (QStringList{"The graphic file back.bmp was not found", "The Icon file gone.ico is missing",
                                         "The graphic file gone.bmp was not found",
                                         "Wallpaper must be a .BMP file.\n\r\n\rReplace paper.jpg with a .BMP Graphic."}));

    // With the pictures in place (any letter case), nothing is reported.
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::red);
    for (const char* name : {"BACK.BMP", "gone.ico", "Gone.bmp", "paper.bmp"})
        picture.save(QString::fromStdString((dir / name).string()), "BMP");
    c.set(cfg::MainMenu::WallpaperFile, "paper.bmp");
    HeadlessHost quiet(ParseAnswers("ok\nok\nmainmenu quit\n", &parseErrors));
    HeadlessTutorialStage again(c, dir.path(), quiet, {}, {});
    PlayTutorial(c, again);
    EXPECT_EQ(Errors(quiet), QStringList{});
}

// An empty comment is a blank line in the about box, as in the window.
TEST(HeadlessTutorial, AnEmptyCommentOfTheAboutBoxIsABlankLine) {
    TTutorialConfig c = test::DefaultConfig();
    c.set(cfg::About::Comment1, "First");
    c.set(cfg::About::Comment2, "");
    c.set(cfg::About::Comment3, "Third");
    c.set(cfg::About::Comment4, "");
    const auto lines = CommentLines(RenderAboutBox(c, {}));
    ASSERT_EQ(lines.size(), 2u);
    const int height = lines[0].second - lines[0].first + 1;
    EXPECT_GT(lines[1].first - lines[0].second, height);  // a whole line between them
}

// The introduction's text box shows its scroll bar, as the window's does.
TEST(HeadlessTutorial, TheIntroductionShowsTheScrollBarOfItsTextBox) {
    TTutorialConfig c = test::DefaultConfig();
    c.set(cfg::Intro::Screen.WindowColor, 0x00FFFFFF);  // white
    const QImage intro = RenderIntroduction(c, {}, {});
    // No text window of its own: the text box fills the screen, the bar runs down its right edge.
    EXPECT_EQ(intro.pixel(320, 240) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(intro.pixel(632, 240) & 0xFFFFFF, 0xE0E0E0u);
    EXPECT_EQ(intro.pixel(624, 2) & 0xFFFFFF, 0xC0C0C0u);  // the arrow button at its top
}
