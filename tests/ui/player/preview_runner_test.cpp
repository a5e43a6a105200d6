// Running chapters in the preview window through the interpreter, as "View a Chapter" does.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "../../format/test_folder.h"
#include "../window_driver.h"
#include "app/main_window.h"
#include "editor/chapter_editor.h"
#include "platform/modal.h"
#include "datafile/data_file.h"
#include "platform/platform.h"
#include "platform/system_services.h"
#include "player/preview_runner.h"
#include "app/teaching_aids_link.h"
#include "player/preview_window.h"
#include "project/config_record.h"
#include "project/project.h"
#include "screen/text_screen.h"
#include "../../qstring_printer.h"

using namespace quill;
using namespace quill::test;
namespace fs = std::filesystem;

namespace {

struct RunnerFixture {
    TempFolder home;
    Project project{home.path()};
    RecordingPlatform rec{home.path()};
    PreviewChapterRunner runner{rec.platform()};
    std::vector<std::function<void(PreviewWindow&)>> atWaits;  // one action per wait, in order
    std::size_t nextWait = 0;
    PreviewWindow* window = nullptr;

    RunnerFixture() {
        NewTutorial(project, home / "t", "demo");
        project.Config.set(cfg::Program::ProgramTitle, "Demo course");
        runner.SetOnShown([this](PreviewWindow& w, Project&) {
            window = &w;
            watchdog(w);
            scheduleNext();
        });
    }
    // A run that does not end in time is stopped (as closing its window does) and fails.
    static void watchdog(PreviewWindow& w) {
        QTimer::singleShot(15000, &w, [&w] {
            ADD_FAILURE() << "the run did not end; stopped";
            w.close();
        });
    }
    void chapter(const char* name, std::string_view text) { home.write(std::string("t/") + name, text); }
    // The action of the next wait runs from that wait's event loop, then the one after it is
    // armed for the wait that follows.
    void scheduleNext() {
        if (nextWait >= atWaits.size()) return;
        QTimer::singleShot(30, window, [this] {
            auto action = atWaits[nextWait++];
            action(*window);
            scheduleNext();
        });
    }
    void run(const char* chapter) { runner.RunChapter(project, chapter); }
};

QPushButton* Button(PreviewWindow& w, const char* name) { return w.findChild<QPushButton*>(QLatin1String(name)); }
void Click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center()); }
bool AnyPreviewShown() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && (w->objectName() == u"TTutDisplayForm" || w->objectName() == u"TChpBackForm")) return true;
    return false;
}

}  // namespace

TEST(PreviewRunner, ShowsTheChapterAndContinueEndsTheWait) {
    RunnerFixture f;
    f.chapter("demo1.QKS", "*Title Welcome\r\nHello there\r\n*Wait\r\nSecond page\r\n*Wait\r\n");
    QImage first, second;
    bool backShown = false;
    f.atWaits.push_back([&](PreviewWindow& w) {
        EXPECT_TRUE(w.isVisible());
        EXPECT_EQ(w.windowTitle(), QStringLiteral("Demo course"));
        EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("TitlePnl"))->text(), QStringLiteral("Welcome"));
        EXPECT_TRUE(Button(w, "ContinueBtn")->isVisible());
        for (QWidget* t : QApplication::topLevelWidgets())
            backShown = backShown || (t->objectName() == u"TChpBackForm" && t->isVisible());
        first = w.grab().toImage();
        Click(Button(w, "ContinueBtn"));
    });
    f.atWaits.push_back([&](PreviewWindow& w) {
        second = w.grab().toImage();
        if (!qEnvironmentVariableIsEmpty("QUILLMARK_SNAPSHOT_DIR"))
            second.save(qEnvironmentVariable("QUILLMARK_SNAPSHOT_DIR") + QStringLiteral("/preview-run.png"));
        Click(Button(w, "QuitBtn"));
    });
    f.run("demo1.QKS");
    EXPECT_EQ(f.nextWait, 2u);
    EXPECT_TRUE(backShown);
    ASSERT_FALSE(first.isNull());
    ASSERT_FALSE(second.isNull());
    // The second page was drawn below the first line after Continue.
    const QRect secondRow(0, 34 + 17, 200, 17);
    EXPECT_NE(first.copy(secondRow), second.copy(secondRow));
    EXPECT_FALSE(AnyPreviewShown());
    EXPECT_TRUE(f.rec.messages.shown.empty());
}

TEST(PreviewRunner, QuitWithAReturnFileGoesOnInThatChapter) {
    RunnerFixture f;
    f.chapter("demo1.QKS", "*ReturnToFile demo2\r\n*Wait\r\n*Title Not here\r\n*Wait\r\n");
    f.chapter("demo2.QKS", "*Title Menu\r\n*Wait\r\n");
    QString titleInSecond;
    f.atWaits.push_back([](PreviewWindow& w) { Click(Button(w, "QuitBtn")); });
    f.atWaits.push_back([&](PreviewWindow& w) {
        titleInSecond = w.findChild<QLabel*>(QStringLiteral("TitlePnl"))->text();
        Click(Button(w, "QuitBtn"));
    });
    f.run("demo1.QKS");
    EXPECT_EQ(f.nextWait, 2u);
    EXPECT_EQ(titleInSecond, QStringLiteral("Menu"));
    EXPECT_TRUE(f.rec.messages.shown.empty());
}

TEST(PreviewRunner, UtilitiesButtonWithNoneOneAndTwoUtilities) {
    const std::string entry = "source=UTILITY\r\ntype=4\r\ncommand=u.exe\r\n]\r\n\r\n";
    struct Case {
        std::string data;
        const char* chooser;  // what to do in the chooser; nullptr: it must not show
        QStringList performed;
    };
    const Case cases[] = {
        {"", nullptr, {}},
        {"[Calc]\r\n" + entry, nullptr, {QStringLiteral("Calc")}},
        {"[Calc]\r\n" + entry + "[Notes]\r\n" + entry, "second", {QStringLiteral("Notes")}},
        {"[Calc]\r\n" + entry + "[Notes]\r\n" + entry, "cancel", {}},
    };
    for (const Case& c : cases) {
        RunnerFixture f;
        f.project.Config.set(cfg::UtilitiesOn, 1);
        f.home.write("t/demo.QKR", c.data);
        f.chapter("demo1.QKS", "*Controls C Q U\r\n*Wait\r\n");
        QStringList performed;
        bool chooserShown = false;
        f.runner.SetConnectAids([&](PreviewWindow& w, Project&) {
            w.host().setEntryPerformer([&](EntrySource source, const QString& name) {
                EXPECT_EQ(source, EntrySource::Utility);
                performed.push_back(name);
                return true;
            });
        });
        f.atWaits.push_back([&](PreviewWindow& w) {
            EXPECT_TRUE(Button(w, "UtilityBtn")->isVisible());
            if (c.chooser) {
                WhenShown(QStringLiteral("TUtMenuForm"), [&](QWidget* chooser) {
                    chooserShown = true;
                    if (std::string(c.chooser) == "second") {
                        chooser->findChild<QListWidget*>(QStringLiteral("ListBox1"))->setCurrentRow(1);
                        Click(chooser->findChild<QPushButton*>(QStringLiteral("BitBtn1")));
                    } else {
                        Click(chooser->findChild<QPushButton*>(QStringLiteral("BitBtn2")));
                    }
                });
            }
            Click(Button(w, "UtilityBtn"));
        });
        // The utility ran (or did not) and the chapter still waits for its button.
        f.atWaits.push_back([](PreviewWindow& w) { Click(Button(w, "QuitBtn")); });
        f.run("demo1.QKS");
        EXPECT_EQ(f.nextWait, 2u) << c.performed.join(',');
        EXPECT_EQ(performed, c.performed);
        EXPECT_EQ(chooserShown, c.chooser != nullptr);
        EXPECT_TRUE(f.rec.messages.shown.empty());
    }
}

TEST(PreviewRunner, UndefinedHypertextLinkShowsItsInformationBox) {
    RunnerFixture f;
    f.chapter("demo1.QKS", "See the |Valve| now\r\n*Wait\r\n");
    f.atWaits.push_back([](PreviewWindow& w) {
        auto* label = w.findChild<QLabel*>(QStringLiteral("HyperLabel"));
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), QStringLiteral("Valve"));
        Click(label);
    });
    f.atWaits.push_back([](PreviewWindow& w) { Click(Button(w, "QuitBtn")); });
    f.run("demo1.QKS");
    ASSERT_EQ(f.rec.messages.shown.size(), 1u);
    EXPECT_EQ(f.rec.messages.shown[0].kind, RecordingMessages::Kind::Info);
    EXPECT_EQ(f.rec.messages.LastText(), QStringLiteral("The \"Valve\" HyperText Link has not been defined "));
}

TEST(PreviewRunner, ClosingTheWindowStopsAChapterThatLoopsForever) {
    RunnerFixture f;
    f.chapter("demo1.QKS", "@JLoop\r\nround and round\r\n*JumpToLabel Loop\r\n");
    f.atWaits.push_back([](PreviewWindow& w) { w.close(); });
    f.run("demo1.QKS");
    EXPECT_EQ(f.nextWait, 1u);
    EXPECT_FALSE(AnyPreviewShown());
    EXPECT_TRUE(f.rec.messages.shown.empty());
}

TEST(PreviewRunner, EscapeAndShiftEndAPauseAndARightClickDoesNot) {
    RunnerFixture f;
    f.chapter("demo1.QKS", "one\r\n*Pause\r\ntwo\r\n*Pause\r\nthree\r\n*Pause\r\n*Wait\r\n");
    std::vector<bool> barShown;
    const auto atPause = [&](std::function<void(PreviewWindow&)> act) {
        f.atWaits.push_back([&barShown, act](PreviewWindow& w) {
            barShown.push_back(w.findChild<QWidget*>(QStringLiteral("ControlPnl"))->isVisible());
            act(w);
        });
    };
    atPause([](PreviewWindow& w) { QTest::keyClick(&w, Qt::Key_Escape); });
    atPause([](PreviewWindow& w) { QTest::keyClick(&w, Qt::Key_Shift); });
    atPause([](PreviewWindow& w) {
        QWidget* area = w.findChild<QWidget*>(QStringLiteral("PaintBox1"));
        QTest::mouseClick(area, Qt::RightButton, {}, area->rect().center());
    });
    // Still at the third pause: the left click ends it.
    atPause([](PreviewWindow& w) { Click(w.findChild<QWidget*>(QStringLiteral("PaintBox1"))); });
    atPause([](PreviewWindow& w) { Click(Button(w, "QuitBtn")); });
    f.run("demo1.QKS");
    EXPECT_EQ(f.nextWait, 5u);
    EXPECT_EQ(barShown, (std::vector<bool>{false, false, false, false, true}));
    EXPECT_TRUE(f.rec.messages.shown.empty());
}

TEST(PreviewRunner, MissingChapterIsReportedWithoutShowingTheWindow) {
    RunnerFixture f;
    bool shown = false;
    f.runner.SetOnShown([&](PreviewWindow&, Project&) { shown = true; });
    f.run("demo9.QKS");
    EXPECT_FALSE(shown);
    EXPECT_EQ(f.rec.messages.LastText(), QStringLiteral("demo9.QKS was not found"));
}

// With QUILLMARK_SNAPSHOT_DIR set, a screen with a title, text, a box, a hypertext word, quiz
// answers and the control bar is saved there as preview-look.png, to look at.
TEST(PreviewRunner, QuizScreenShowsItsAnswerPanelsOverTheText) {
    RunnerFixture f;
    f.chapter("demo1.QKS",
              "*Title Water treatment\r\n"
              "*PlainBox 2 2 40 6 Yellow\r\n"
              "*Row 3\r\n*Column 4\r\n"
              "Press the |Valve| to open ^Bthe^R pipe.\r\n"
              "*CenterText 1 10 80 White Blue Which colour is the valve?\r\n"
              "*Column 10\r\n"
              "*QuizAnswers 3 12 Q1\r\nRed\r\nGreen\r\nBlue\r\n"
              "@1Q1\r\nRight, red it is.\r\n*JumpToLabel Done\r\n@2Q1\r\n@3Q1\r\nNo, it is red.\r\n@JDone\r\n"
              "*Controls C Q P\r\n*Wait\r\n");
    bool panels = false;
    f.atWaits.push_back([&](PreviewWindow& w) {
        panels = w.findChild<QWidget*>(QStringLiteral("QuizAns3"))->isVisible() &&
                 !w.findChild<QWidget*>(QStringLiteral("QuizAns4"))->isVisible() &&
                 w.findChild<QLabel*>(QStringLiteral("QuizAns2text"))->text() == u"Green";
        if (!qEnvironmentVariableIsEmpty("QUILLMARK_SNAPSHOT_DIR"))
            w.grab().save(qEnvironmentVariable("QUILLMARK_SNAPSHOT_DIR") + QStringLiteral("/preview-quiz.png"));
        Click(w.findChild<QLabel*>(QStringLiteral("QuizAns1text")));
    });
    f.atWaits.push_back([&](PreviewWindow& w) {
        if (!qEnvironmentVariableIsEmpty("QUILLMARK_SNAPSHOT_DIR"))
            w.grab().save(qEnvironmentVariable("QUILLMARK_SNAPSHOT_DIR") + QStringLiteral("/preview-look.png"));
        Click(Button(w, "QuitBtn"));
    });
    f.run("demo1.QKS");
    EXPECT_TRUE(panels);
    EXPECT_EQ(f.nextWait, 2u);
    for (const auto& m : f.rec.messages.shown) ADD_FAILURE() << m.text;
}

// The chapter editor, itself modal, hides while its chapter runs in the preview and comes back
// when the run ends; the main window's "View a Chapter" runs the chosen chapter the same way.
TEST(PreviewRunner, EditorsViewAndViewAChapterRunInThePreview) {
    RunnerFixture f;
    std::error_code ec;
    const fs::path startDir = fs::current_path();
    bool editorHiddenDuringRun = false;
    f.atWaits.push_back([&](PreviewWindow& w) {
        for (QWidget* t : QApplication::topLevelWidgets())
            if (t->objectName() == u"TEditForm") editorHiddenDuringRun = !t->isVisible();
        Click(Button(w, "QuitBtn"));
    });
    ChapterEditor editor(f.project, f.rec.platform(), f.runner);
    bool editorBack = false;
    QTimer::singleShot(20, &editor, [&] {
        editor.ChapterText()->setPlainText(QStringLiteral("Hello\n*Wait"));
        WhenShown(QStringLiteral("TChapNameForm"), [](QWidget* prompt) {
            prompt->findChild<QLineEdit*>()->setText(QStringLiteral("demo1"));
            prompt->findChild<QPushButton*>(QStringLiteral("SaveBtn"))->click();
        });
        editor.findChild<QPushButton*>(QStringLiteral("SaveBtn"))->click();
        editor.findChild<QPushButton*>(QStringLiteral("ViewBtn"))->click();
        editorBack = editor.isVisible();
        editor.findChild<QPushButton*>(QStringLiteral("CloseBtn"))->click();
    });
    ShowModal(editor);
    EXPECT_EQ(f.nextWait, 1u);
    EXPECT_TRUE(editorHiddenDuringRun);
    EXPECT_TRUE(editorBack);

    MainWindow form(f.project, f.rec.platform(), f.runner);
    fs::current_path(f.project.ProjectDir, ec);
    form.UpdateButtons();
    f.atWaits.push_back([&](PreviewWindow& w) { Click(Button(w, "ContinueBtn")); });
    WhenShown(QStringLiteral("TViewChapForm"), [](QWidget* dialog) {
        dialog->findChild<QPushButton*>(QStringLiteral("SelectBtn"))->click();
    });
    form.findChild<QPushButton*>(QStringLiteral("ViewBtn"))->click();
    EXPECT_EQ(f.nextWait, 2u);
    EXPECT_FALSE(AnyPreviewShown());
    EXPECT_TRUE(f.rec.messages.shown.empty());
    fs::current_path(startDir, ec);
}

// Through the teaching aids: a hypertext word of the chapter performs its entry (here a web
// page, opened with the desktop's handler), and "*Notepad" opens the notes editor on its file.
TEST(PreviewRunner, TeachingAidsPerformHypertextAndOpenNotes) {
    RunnerFixture f;
    RecordingSystem system;
    system.consent.AllowForThisRun(f.project.ProjectDir);  // the author allowed the folder's programs
    TeachingAidsLink aids(f.rec.platform(), system);
    f.runner.SetConnectAids([&](PreviewWindow& w, Project& p) { aids.Connect(w, p); });
    AddCommandEntry(f.project.DataFilePath(), "Valve", etHtmlFile, "HYPER", "www.example.com");
    f.chapter("demo1.QKS", "Open the |Valve| page\r\n*Wait\r\n*Notepad mynotes.txt\r\n");
    f.home.write("t/mynotes.txt", "kept\r\n");
    f.atWaits.push_back([](PreviewWindow& w) {
        Click(w.findChild<QLabel*>(QStringLiteral("HyperLabel")));
        Click(Button(w, "ContinueBtn"));
    });
    QString notesCaption, notesText;
    WhenShown(QStringLiteral("THNotesForm"), [&](QWidget* notes) {
        notesCaption = notes->windowTitle();
        notesText = notes->findChild<QPlainTextEdit*>()->toPlainText();
        notes->close();
    });
    f.run("demo1.QKS");
    ASSERT_EQ(system.opened.size(), 1u);
    EXPECT_EQ(system.opened[0].host(), QStringLiteral("www.example.com"));
    EXPECT_EQ(notesCaption, QStringLiteral("Current File : mynotes.txt"));
    EXPECT_EQ(notesText, QStringLiteral("kept"));
    for (const auto& m : f.rec.messages.shown) ADD_FAILURE() << m.text;
}

// Slow typing shows one letter every 100 milliseconds and a delay waits its time, on the
// window's timers; the letters appear one by one.
TEST(PreviewRunner, SlowTypingAndDelaysTakeTheirTime) {
    RunnerFixture f;
    f.chapter("demo1.QKS", "~$Hello\r\n*Delay 3\r\n*Wait\r\n");
    QElapsedTimer clock;
    std::vector<QImage> frames;
    f.runner.SetOnShown([&](PreviewWindow& w, Project&) {
        f.window = &w;
        RunnerFixture::watchdog(w);
        clock.start();
        auto* sampler = new QTimer(&w);
        QObject::connect(sampler, &QTimer::timeout, &w, [&frames, &w] { frames.push_back(w.grab().toImage()); });
        sampler->start(100);
        f.scheduleNext();
    });
    // Clicks made while the letters appear are not for the wait that follows: Quit is clicked
    // once the control bar shows.
    qint64 atWait = 0;
    std::function<void()> quitAtTheBar = [&] {
        if (!f.window->findChild<QWidget*>(QStringLiteral("ControlPnl"))->isVisible()) {
            QTimer::singleShot(20, f.window, quitAtTheBar);
            return;
        }
        atWait = clock.elapsed();
        Click(Button(*f.window, "QuitBtn"));
    };
    f.atWaits.push_back([&](PreviewWindow& w) {
        Click(Button(w, "ContinueBtn"));
        quitAtTheBar();
    });
    f.run("demo1.QKS");
    EXPECT_GE(atWait, 750);
    // Some frame caught the word half typed: its first row differs from the first and the last frames.
    ASSERT_GE(frames.size(), 3u);
    const QRect row(0, 0, 80, 17);
    bool between = false;
    for (const QImage& frame : frames)
        between = between || (frame.copy(row) != frames.front().copy(row) && frame.copy(row) != frames.back().copy(row));
    EXPECT_TRUE(between);
}

// Escape is a key press like any other in the preview; closing the window is what stops a run.
TEST(PreviewRunner, ClosingTheWindowStopsAnEndlessBlinkAtOnce) {
    const std::function<void(PreviewWindow&)> stops[] = {
        [](PreviewWindow& w) { w.close(); },
    };
    for (const auto& stop : stops) {
        RunnerFixture f;
        f.chapter("demo1.QKS", "*Blink 1 1 2147483647 Default Default x\r\n*AddToFile after.txt no\r\n");
        // The stop comes in the middle of a blink round, as its delay runs out; from then on no
        // delay may run its time: the wait in progress ends at once and no round follows.
        bool stopped = false;
        int delays = 0, delaysAfterStop = 0;
        f.atWaits.push_back([&](PreviewWindow& w) {
            QObject::connect(w.findChild<QTimer*>(QStringLiteral("Delaytimer")), &QTimer::timeout, &w, [&] {
                if (stopped) {
                    ++delaysAfterStop;
                } else if (++delays == 3) {
                    QTimer::singleShot(0, &w, [&] {
                        stopped = true;
                        stop(w);
                    });
                }
            });
        });
        f.run("demo1.QKS");
        ASSERT_TRUE(stopped);
        EXPECT_EQ(delaysAfterStop, 0);
        EXPECT_FALSE(fs::exists(f.home / "t/after.txt"));
        EXPECT_FALSE(AnyPreviewShown());
    }
}

namespace {

struct AccessibleNode {
    QAccessible::Role role;
    QString name;
    QAccessibleInterface* node;
};

// The shown part of the accessibility tree under `node`, depth first (reading order).
void WalkShown(QAccessibleInterface* node, std::vector<AccessibleNode>& out) {
    if (!node || node->state().invisible) return;
    out.push_back({node->role(), node->text(QAccessible::Name), node});
    for (int i = 0; i < node->childCount(); ++i) WalkShown(node->child(i), out);
}

const AccessibleNode* FindNode(const std::vector<AccessibleNode>& nodes, QAccessible::Role role, const QString& name) {
    for (const AccessibleNode& n : nodes)
        if (n.role == role && n.name == name) return &n;
    return nullptr;
}

}  // namespace

// A screen reader walks the played chapter: the screen's text, its hypertext word as a link it
// can press, the control bar's buttons and the input box. (A new screen is also announced, but
// only to a listening bridge, which the offscreen platform has not.)
TEST(PreviewRunner, AScreenReaderFindsTheTextLinksButtonsAndInputBox) {
    RunnerFixture f;
    f.chapter("demo1.QKS",
              "*Title Water\r\nPress the |Valve| to open the pipe.\r\n*Controls C Q\r\n*Wait\r\n"
              "*ClearScreen\r\nYour name?\r\n*GetUserInput A 10\r\n*Wait\r\n");
    std::vector<AccessibleNode> first, second;
    QString continueCaption, quitCaption;
    f.atWaits.push_back([&](PreviewWindow& w) {
        WalkShown(QAccessible::queryAccessibleInterface(&w), first);
        continueCaption = Button(w, "ContinueBtn")->text().remove(u'&');
        quitCaption = Button(w, "QuitBtn")->text().remove(u'&');
        const AccessibleNode* link = FindNode(first, QAccessible::Link, QStringLiteral("Valve"));
        ASSERT_NE(link, nullptr);
        ASSERT_NE(link->node->actionInterface(), nullptr);
        link->node->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        EXPECT_EQ(f.rec.messages.LastText(), QStringLiteral("The \"Valve\" HyperText Link has not been defined "));
        Click(Button(w, "ContinueBtn"));
    });
    f.atWaits.push_back([&](PreviewWindow& w) {
        WalkShown(QAccessible::queryAccessibleInterface(&w), second);
        QTest::keyClicks(w.findChild<QLineEdit*>(QStringLiteral("UserInputEdit")), QStringLiteral("Ann"));
        QTest::keyClick(w.findChild<QLineEdit*>(QStringLiteral("UserInputEdit")), Qt::Key_Return);
    });
    f.atWaits.push_back([&](PreviewWindow& w) { Click(Button(w, "QuitBtn")); });
    f.run("demo1.QKS");

    EXPECT_NE(FindNode(first, QAccessible::StaticText, QStringLiteral("Press the Valve to open the pipe.")), nullptr);
    EXPECT_NE(FindNode(first, QAccessible::Button, continueCaption), nullptr);
    EXPECT_NE(FindNode(first, QAccessible::Button, quitCaption), nullptr);
    EXPECT_NE(FindNode(first, QAccessible::StaticText, QStringLiteral("Water")), nullptr);  // the title
    EXPECT_EQ(FindNode(first, QAccessible::EditableText, QString()), nullptr);               // no input yet
    const auto input = std::find_if(second.begin(), second.end(), [](const AccessibleNode& n) {
        return n.role == QAccessible::EditableText;
    });
    EXPECT_NE(input, second.end());
    EXPECT_NE(FindNode(second, QAccessible::StaticText, QStringLiteral("Your name?")), nullptr);
    EXPECT_EQ(FindNode(second, QAccessible::Link, QStringLiteral("Valve")), nullptr);
}

// quilplay's fitted screen: the window is scaled to the background and centred on it, follows
// F11 to a window and back, and the learner's View choice holds for the next chapter.
TEST(PreviewRunner, TheFittedScreenFollowsTheBackgroundAndTheViewChoice) {
    RunnerFixture f;
    f.chapter("demo1.QKS", "Hello\r\n*Wait\r\n*Wait\r\n");
    f.runner.SetScaleMode(ScaleMode::Fit);
    std::vector<bool> toggled;
    f.runner.SetOnToggled([&](bool fullScreen) { toggled.push_back(fullScreen); });
    const auto background = [](PreviewWindow& w) { return w.parentWidget(); };
    const auto expectFitted = [&](PreviewWindow& w) {
        QWidget* back = background(w);
        EXPECT_EQ(w.scale(), ChooseScale(ScaleMode::Fit, back->size() - (w.frameGeometry().size() - w.size())));
        EXPECT_EQ(w.frameGeometry().center(), back->geometry().center());
    };
    f.atWaits.push_back([&](PreviewWindow& w) {
        EXPECT_TRUE(background(w)->isFullScreen());
        expectFitted(w);
        QTest::keyClick(&w, Qt::Key_F11);
        EXPECT_FALSE(background(w)->isFullScreen());
        expectFitted(w);
        QTest::keyClick(&w, Qt::Key_2, Qt::ControlModifier);
        EXPECT_EQ(w.scale().factor, 2.0);
        Click(Button(w, "ContinueBtn"));
    });
    f.atWaits.push_back([&](PreviewWindow& w) { Click(Button(w, "QuitBtn")); });
    f.run("demo1.QKS");
    EXPECT_EQ(toggled, std::vector<bool>{false});
    EXPECT_EQ(f.runner.GetScaleMode(), ScaleMode::Two);

    // The next chapter starts in a window at 2 x.
    f.nextWait = 0;
    f.atWaits = {[&](PreviewWindow& w) {
        EXPECT_FALSE(background(w)->isFullScreen());
        EXPECT_EQ(w.scale().factor, 2.0);
        Click(Button(w, "QuitBtn"));
    }};
    f.run("demo1.QKS");
    EXPECT_EQ(f.nextWait, 1u);
}
