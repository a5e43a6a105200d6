// The program launcher's command lines and plans, running a real program, the media spec and
// the media preview.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QKeyEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "../window_driver.h"
#include "common/media_preview.h"
#include "common/program_launcher.h"
#include "aids_fixture.h"

using namespace quill;
using namespace quill::test;
namespace fs = std::filesystem;

namespace {

using Kind = RecordingMessages::Kind;

struct LauncherTest : AidsFixture {
    std::vector<QString> onPath;
    LaunchPlan Plan(int kind, const std::string& command) {
        return PlanLaunch(kind, LaunchCommandLine(kind, command, home.path()), home.path(),
                          [this](const QString& name) -> std::optional<QString> {
                              for (const QString& p : onPath)
                                  if (p == name) return "/usr/bin/" + name;
                              return std::nullopt;
                          });
    }
    QString P(const char* name) { return QString::fromStdString((home / name).string()); }
};

TEST_F(LauncherTest, CommandLinesQuoteTheProgram) {
    const std::string dir = home.path().string();
    EXPECT_EQ(LaunchCommandLine(4, "TOOL.EXE,-q notes.txt", home.path()).Text(), "\"TOOL.EXE\" -q notes.txt");
    EXPECT_EQ(LaunchCommandLine(4, "TOOL.EXE", home.path()).Text(), "\"TOOL.EXE\" ");
    EXPECT_EQ(LaunchCommandLine(4, "a.exe,x,y", home.path()).arguments, "x,y");
    EXPECT_EQ(LaunchCommandLine(9, "notepad readme.txt", home.path()).Text(),
              "\"notepad\" " + dir + "/readme.txt");
    EXPECT_EQ(LaunchCommandLine(9, "write.exe my notes.doc", home.path()).file, "my notes.doc");
    // A Windows program named alone gets no argument.
    EXPECT_EQ(LaunchCommandLine(9, "calc.exe", home.path()).Text(), "\"calc.exe\" ");
    EXPECT_EQ(SplitParameters("-a \"two words\"  b"), (QStringList{"-a", "two words", "b"}));
}

TEST_F(LauncherTest, ProgramsOfTheProjectRunThereWindowsOnesThroughWine) {
    InProject("Run.SH");
    InProject("TOOL.EXE");
    InProject("setup.bat");

    LaunchPlan plan = Plan(4, "run.sh,-v \"a b\"");
    EXPECT_TRUE(plan.error.isEmpty());
    EXPECT_EQ(plan.run, (ProgramRun{P("Run.SH"), {"-v", "a b"}, home.path()}));

    plan = Plan(4, "tool.exe,x");
    EXPECT_EQ(plan.error,
              "The program tool.exe is a Windows program. Windows programs are run through Wine, which is not "
              "installed on this computer.");

    onPath = {"wine"};
    plan = Plan(4, "tool.exe,x");
    EXPECT_EQ(plan.run, (ProgramRun{"/usr/bin/wine", {P("TOOL.EXE"), "x"}, home.path()}));
    plan = Plan(4, "TOOL,x");  // ".exe" is added to a name without extension
    EXPECT_EQ(plan.run.arguments.front(), P("TOOL.EXE"));
    plan = Plan(4, "setup.bat");
    EXPECT_EQ(plan.run.arguments, (QStringList{"cmd", "/c", P("setup.bat")}));

    // A Windows program of the system, with a file of the project as Wine sees it.
    InProject("Notes.TXT");
    plan = Plan(9, "notepad notes.txt");
    QString wineFile = P("Notes.TXT");
    wineFile.replace('/', '\\');
    EXPECT_EQ(plan.run, (ProgramRun{"/usr/bin/wine", {"notepad", "Z:" + wineFile}, home.path()}));
}

TEST_F(LauncherTest, NativeProgramsAreFoundOnThePath) {
    InProject("Notes.TXT");
    onPath = {"xdg-open"};
    LaunchPlan plan = Plan(9, "xdg-open notes.txt");
    EXPECT_EQ(plan.run, (ProgramRun{"/usr/bin/xdg-open", {P("Notes.TXT")}, home.path()}));
    plan = Plan(4, "missing.sh");
    EXPECT_EQ(plan.error, "The program missing.sh was not found.");
    EXPECT_EQ(Plan(4, "").error, "No program has been named.");
    EXPECT_EQ(Plan(9, "notepad x.txt").error, "The program notepad was not found.");
}

TEST_F(LauncherTest, LaunchWaitsUntilTheProgramHasEnded) {
    DesktopSystem desktop;
    AidsContext real{project, rec.platform(), desktop};
    const fs::path script = InProject("mark.sh", "#!/bin/sh\nsleep 0.2\necho done > \"$1\"\n");
    fs::permissions(script, fs::perms::owner_exec, fs::perm_options::add);
    rec.messages.startAnswers = {StartAnswer::Allow, StartAnswer::Allow};
    LaunchProgram(real, 4, "mark.sh,out.txt");
    EXPECT_EQ(TempFolder::read(home / "out.txt"), "done\n");
    EXPECT_EQ(rec.messages.Texts(Kind::AskToStart).size(), 1u);  // asked first
    rec.messages.Clear();

    // A file that cannot be run is reported by name.
    InProject("plain.sh", "echo\n");
    LaunchProgram(real, 4, "plain.sh");
    ASSERT_EQ(rec.messages.Texts(Kind::Error).size(), 1u);
    EXPECT_TRUE(rec.messages.LastText().startsWith("The program plain.sh could not be started: "));
}

// ---- media --------------------------------------------------------------------------------------

TEST(MediaSpecTest, PartsAreTakenByTheirExtensions) {
    struct Case {
        const char* spec;
        MediaSpec parsed;
    };
    const std::vector<Case> cases{
        {"picture.bmp,50", {"PICTURE.BMP", "", "", 5000}},
        {"pic.jpg,voice.wav,0", {"PIC.JPG", "VOICE.WAV", "", 0}},
        {"Film.avi", {"", "", "FILM.AVI", 0}},
        {"tune.mid", {"", "TUNE.MID", "", 0}},
        {"draw.wmf,12", {"DRAW.WMF", "", "", 1200}},
        {"a.bmp,b.wav,c,d,e,f,7", {"A.BMP", "B.WAV", "", 0}},  // six parts at most
        {"", {}},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseMediaSpec(c.spec), c.parsed) << c.spec;
}

struct MediaPreviewTest : AidsFixture {};

TEST_F(MediaPreviewTest, MissingFilesAreReportedBeforeAnythingPlays) {
    Picture(home / "here.bmp");
    for (const char* spec : {"picture.bmp,50", "here.bmp,gone.wav,0", "film.avi", "tune.mid"}) {
        rec.messages.Clear();
        PreviewMedia(context, spec);
        ASSERT_EQ(rec.messages.shown.size(), 1u) << spec;
        EXPECT_TRUE(rec.messages.LastText().startsWith("The file ")) << spec;
        EXPECT_TRUE(rec.messages.LastText().endsWith(" is missing")) << spec;
    }
    EXPECT_EQ(rec.messages.LastText(), "The file TUNE.MID is missing");
    EXPECT_TRUE(system.waves.empty());
}

TEST_F(MediaPreviewTest, GraphicWindowClosesItselfAfterTheDuration) {
    Picture(home / "Picture.bmp");
    bool closedByTest = false;
    const auto shown = WhenShown("TShowGraphicForm", [&](QWidget* window) {
        EXPECT_EQ(window->size(), QSize(640, 480));
        QTimer::singleShot(3000, window, [&, window] {
            closedByTest = true;
            static_cast<QDialog*>(window)->reject();
        });
    });
    QElapsedTimer timer;
    timer.start();
    PreviewMedia(context, "picture.bmp,2");  // two tenths of a second
    EXPECT_TRUE(*shown);
    EXPECT_FALSE(closedByTest);
    EXPECT_GE(timer.elapsed(), 150);
    EXPECT_TRUE(rec.messages.shown.empty());
}

TEST_F(MediaPreviewTest, GraphicWindowWithoutDurationClosesOnEscape) {
    Picture(home / "p.jpg");
    bool closedByEscape = false;
    const auto shown = WhenShown("TShowGraphicForm", [&](QWidget* window) {
        // Still open after a while: it waits for the key, not for a time.
        QTest::qWait(300);
        EXPECT_TRUE(window->isVisible());
        QTest::keyClick(window, Qt::Key_Escape);
        closedByEscape = !window->isVisible();
    });
    PreviewMedia(context, "P.JPG,0");
    EXPECT_TRUE(*shown);
    EXPECT_TRUE(closedByEscape);
    EXPECT_TRUE(rec.messages.shown.empty());
}

// A wave output whose sound lasts `lengthMs`, processing events as it plays, and what it saw.
struct TimedWaveSystem : RecordingSystem {
    int lengthMs = 300;
    bool windowOpenAtEnd = true;
    QElapsedTimer played;
    void PlayWave(const std::filesystem::path& file) override {
        RecordingSystem::PlayWave(file);
        played.start();
        QEventLoop loop;
        QTimer::singleShot(lengthMs, &loop, &QEventLoop::quit);
        loop.exec();
        windowOpenAtEnd = false;
        for (QWidget* w : QApplication::topLevelWidgets())
            windowOpenAtEnd = windowOpenAtEnd || (w->isVisible() && w->objectName() == u"TShowGraphicForm");
    }
};

TEST_F(MediaPreviewTest, AWaveWithAPicturePlaysToItsEndAfterThePictureCloses) {
    Picture(home / "p.bmp");
    InProject("voice.wav", "RIFF");
    TimedWaveSystem waves;
    AidsContext timed{project, rec.platform(), waves};
    for (const char* spec : {"p.bmp,voice.wav,1", "p.bmp,voice.wav,0"}) {
        waves.waves.clear();
        // The picture closes by its timer (a tenth of a second) or by a click.
        if (std::string_view(spec).ends_with(",0"))
            WhenShown("TShowGraphicForm", [](QWidget* w) {
                QTimer::singleShot(50, w, [w] { QTest::mouseClick(w, Qt::LeftButton); });
            });
        QElapsedTimer clock;
        clock.start();
        PreviewMedia(timed, spec);
        ASSERT_EQ(waves.waves.size(), 1u) << spec;
        EXPECT_EQ(waves.waves[0], home / "voice.wav");
        EXPECT_FALSE(waves.windowOpenAtEnd) << spec;  // closed while the sound went on
        EXPECT_GE(clock.elapsed(), 290) << spec;      // and the preview waited for its end
    }
    // Closed before the sound was due to start: it still plays.
    waves.waves.clear();
    waves.lengthMs = 0;
    WhenShown("TShowGraphicForm", [](QWidget* w) { static_cast<QDialog*>(w)->accept(); });
    PreviewMedia(timed, "p.bmp,voice.wav,0");
    EXPECT_EQ(waves.waves.size(), 1u);
    EXPECT_TRUE(rec.messages.shown.empty());
}

TEST_F(MediaPreviewTest, WaveSoundsPlayOnlyWithAnAudioOutput) {
    InProject("voice.WAV", "RIFF");
    PreviewMedia(context, "voice.wav");
    ASSERT_EQ(system.waves.size(), 1u);
    EXPECT_EQ(system.waves[0], home / "voice.WAV");
    system.audioOutput = false;
    PreviewMedia(context, "voice.wav");
    EXPECT_EQ(system.waves.size(), 1u);
    EXPECT_TRUE(rec.messages.shown.empty());
}

TEST_F(MediaPreviewTest, MidiPlaysInTheMediaWindowCaptionedWithTheStartPrompt) {
    // A MIDI file of one track with a single note.
    const std::string midi = std::string("MThd\0\0\0\6\0\0\0\1\0\x60", 14) +
                             std::string("MTrk\0\0\0\x0c\0\x90\x3c\x40\x60\x80\x3c\x40\0\xff\x2f\0", 20);
    InProject("tune.mid", midi);
    QString caption;
    const auto shown = WhenShown("TMediaPlayForm", [&](QWidget* window) {
        caption = window->windowTitle();
        QTest::keyClick(window, Qt::Key_Escape);
    });
    PreviewMedia(context, "tune.mid");
    EXPECT_TRUE(*shown);
    EXPECT_EQ(caption, "Press a button");
}

}  // namespace
