// Performing data-file entries with the windows of this program: viewers, media, programs,
// the desktop's handler and the notes editor.
#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>

#include "../window_driver.h"
#include "aids/entry_performer.h"
#include "common/media_player_window.h"
#include "aids/viewport_display.h"
#include "aids_fixture.h"
#include "datafile/data_file.h"

using namespace quill;
using namespace quill::test;
namespace fs = std::filesystem;

namespace {

using Kind = RecordingMessages::Kind;

struct EntryPerformerTest : AidsFixture {
    EntryPerformer performer{context, nullptr, QPoint(100, 50)};
    // The learner has allowed this tutorial's programs (the question itself: program_consent_test).
    EntryPerformerTest() { system.consent.AllowForThisRun(home.path()); }
    fs::path data() const { return home / "SAFETY.QKR"; }
    void Command(const char* name, int type, const char* command) {
        AddCommandEntry(data(), name, type, "HYPER", command);
    }
};

TEST_F(EntryPerformerTest, UndefinedEntriesAreNotPerformed) {
    EXPECT_FALSE(performer.Perform("HYPER", "nothing"));
    Command("link", 4, "tool.sh");
    EXPECT_FALSE(performer.Perform("UTILITY", "link"));
    EXPECT_FALSE(performer.Perform(EntrySource::Execute, "link"));
    EXPECT_TRUE(system.runs.empty());
}

TEST_F(EntryPerformerTest, ProgramsRunThroughTheLauncher) {
    InProject("tool.sh");
    InProject("Readme.txt");
    system.onPath = {"xdg-open"};
    Command("run it", 4, "TOOL.SH,-x 1");
    Command("read", 9, "xdg-open readme.txt");
    EXPECT_TRUE(performer.Perform(EntrySource::Hyper, "RUN IT"));
    EXPECT_EQ(performer.CurrentEntryName(), "run it");
    EXPECT_TRUE(performer.Perform("HYPER", "read"));
    ASSERT_EQ(system.runs.size(), 2u);
    EXPECT_EQ(system.runs[0],
              (ProgramRun{QString::fromStdString((home / "tool.sh").string()), {"-x", "1"}, home.path()}));
    EXPECT_EQ(system.runs[1].arguments, QStringList{QString::fromStdString((home / "Readme.txt").string())});

    // A Windows program without Wine is explained, not run.
    Command("win", 4, "setup.exe");
    InProject("setup.exe");
    EXPECT_TRUE(performer.Perform("HYPER", "win"));
    EXPECT_EQ(system.runs.size(), 2u);
    EXPECT_TRUE(rec.messages.LastText().contains("Wine"));
}

TEST_F(EntryPerformerTest, HtmlOpensWithTheDesktopsHandler) {
    InProject("Page.HTM");
    Command("page", 10, "page.htm");
    Command("web", 10, "www.example.com");
    Command("gone", 10, "gone.htm");
    performer.Perform("HYPER", "page");
    ASSERT_EQ(system.opened.size(), 1u);
    EXPECT_EQ(system.opened[0], QUrl::fromLocalFile(QString::fromStdString((home / "Page.HTM").string())));
    performer.Perform("HYPER", "web");
    EXPECT_EQ(system.opened.back().host(), "www.example.com");
    performer.Perform("HYPER", "gone");
    EXPECT_EQ(rec.messages.LastText(), "The file gone.htm is missing");
    system.openAnswer = false;
    performer.Perform("HYPER", "page");
    EXPECT_EQ(rec.messages.LastText(), "The file page.htm could not be opened: no program to open it was found.");
}

TEST_F(EntryPerformerTest, MediaGoesToThePreview) {
    InProject("hello.wav", "RIFF");
    Command("voice", 3, "hello.wav");
    Command("pic", 2, "missing.bmp,20");
    performer.Perform("HYPER", "voice");
    EXPECT_EQ(system.waves, std::vector<fs::path>{home / "hello.wav"});
    performer.Perform("HYPER", "pic");
    EXPECT_EQ(rec.messages.LastText(), "The file MISSING.BMP is missing");
}

TEST_F(EntryPerformerTest, NotesEntriesOpenTheNotesEditor) {
    InProject("notes.txt", "remember\r\n");
    Command("notes", 13, "notes.txt");
    QString caption, text;
    WhenShown("THNotesForm", [&](QWidget* window) {
        caption = window->windowTitle();
        text = window->findChild<QPlainTextEdit*>("Memo1")->toPlainText();
        window->close();
    });
    performer.Perform("HYPER", "notes");
    EXPECT_EQ(caption, "Current File : notes.txt");
    EXPECT_EQ(text, "remember");
}

TEST_F(EntryPerformerTest, TextOnlyEntriesShowInThePlainDisplayAtTheirWindow) {
    TScreenBackground settings;
    settings.WindowLeft = 30;
    settings.WindowTop = 40;
    settings.WindowWidth = 300;
    settings.WindowHeight = 150;
    settings.WindowColor = 0x0000FFFF;  // yellow
    AddTextEntry(data(), "plain", 1, "HYPER", {"{\\rtf1 Hello \\b there\\b0\\par}"}, settings);
    QString shown;
    QPoint where;
    QSize size;
    QColor color;
    QString caption;
    Qt::WindowFlags flags;
    WhenShown("TShowHTextForm", [&](QWidget* window) {
        caption = window->windowTitle();
        flags = window->windowFlags();
        shown = window->findChild<QTextBrowser*>("RichEdit1")->toPlainText();
        where = window->pos();
        size = window->size();
        color = window->palette().color(QPalette::Window);
        QTest::keyClick(window, Qt::Key_Escape);
    });
    EXPECT_TRUE(performer.Perform("HYPER", "plain"));
    EXPECT_EQ(shown.trimmed(), "Hello there");
    EXPECT_EQ(where, QPoint(130, 90));
    EXPECT_EQ(size, QSize(303, 150));
    EXPECT_EQ(color, QColor(255, 255, 0));
    // Captioned with the link's name, with a close box only.
    EXPECT_EQ(caption, "plain");
    EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
}

TEST_F(EntryPerformerTest, GraphicAndTextEntriesShowTheirBackgroundOrSayWhyNot) {
    TScreenBackground settings;
    settings.TextWindowOff = false;
    settings.ScreenType = 2;
    settings.GraphicFile = "back.bmp";
    settings.ScreenColor = 0x00FF0000;  // blue
    AddTextEntry(data(), "viewport", 5, "HYPER", {"Plain words"}, settings);
    QString shown;
    WhenShown("TTxtVPDispForm", [&](QWidget* window) {
        shown = window->findChild<QTextBrowser*>("RichEdit1")->toPlainText();
        EXPECT_EQ(window->findChild<QWidget*>("ScreenArea")->size(), QSize(640, 480));
        QTest::mouseClick(window->findChild<QWidget*>("ScreenArea"), Qt::LeftButton, {}, QPoint(5, 5));
    });
    EXPECT_TRUE(performer.Perform("HYPER", "viewport"));
    EXPECT_EQ(shown.trimmed(), "Plain words");
    EXPECT_EQ(rec.messages.Texts(Kind::Error), std::vector<QString>{"The graphic file back.bmp was not found"});

    struct Case {
        int type;
        const char* graphic;
        const char* wallpaper;
        QString message;
        bool picture;
    };
    Picture(home / "Back.bmp");
    for (const Case& c : {Case{2, "back.bmp", "", "", true},
                          Case{3, "", "tile.jpg",
                               "*Wallpaper must be a .BMP file.\r\n\r\nReplace tile.jpg with a .BMP Graphic.", false},
                          Case{3, "", "tile.bmp", "The Wallpaper file tile.bmp was not found", false},
                          Case{3, "", "BACK.BMP", "", true}, Case{1, "back.bmp", "", "", false}}) {
        settings.ScreenType = c.type;
        settings.GraphicFile = c.graphic;
        settings.WallpaperFile = c.wallpaper;
        const ViewportBackground background = MakeViewportBackground(context, settings);
        EXPECT_EQ(background.message, c.message) << c.type << c.graphic << c.wallpaper;
        EXPECT_EQ(!background.graphic.isNull() || !background.wallpaper.isNull(), c.picture);
        EXPECT_EQ(background.color, QColor(0, 0, 255));
    }
}

// The media window is captioned with the start prompt ("Press the Start button"): the button
// that plays is the Start button it speaks of.
TEST_F(EntryPerformerTest, TheMediaWindowHasTheStartButtonItsCaptionNames) {
    MediaPlayerWindow form("Press the Start button", home / "tune.mid");
    EXPECT_EQ(form.windowTitle(), "Press the Start button");
    EXPECT_EQ(form.findChild<QPushButton*>("PlayBtn")->text(), "&Start");
}

}  // namespace
