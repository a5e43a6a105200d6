// The preview window as the player's host: its waits, the handlers that end them, the screen
// objects it shows, the utility chooser, and the background window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "../../format/test_folder.h"
#include "../window_driver.h"
#include "platform/platform.h"
#include "player/chapter_backdrop.h"
#include "player/preview_window.h"
#include "player/screen_object_view.h"
#include "player/utility_menu_dialog.h"
#include "project/config_record.h"
#include "project/project.h"
#include "screen/text_screen.h"

using namespace quill;
using namespace quill::test;

namespace {

// A project, the recording services and a shown preview window over a screen.
struct PreviewFixture {
    TempFolder home;
    Project project{home.path()};
    RecordingPlatform rec{home.path()};
    std::unique_ptr<PreviewWindow> window;
    std::unique_ptr<TextScreen> screen;

    PreviewFixture() {
        NewTutorial(project, home / "t", "demo");
        project.Config.set(cfg::Program::ProgramTitle, "Caf\xE9 course");
        window = std::make_unique<PreviewWindow>(project, rec.platform());
        screen = std::make_unique<TextScreen>(project.Config, project.ProjectDir, &window->host());
        window->setScreen(screen.get());
        window->show();
        window->FormActivate();
        screen->clearScreen(0);
    }

    template <typename T>
    T* child(const char* name) const {
        T* w = window->findChild<T*>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    // Runs `action` from the event loop of the next wait.
    void during(std::function<void()> action, int ms = 20) const { QTimer::singleShot(ms, window.get(), action); }
};

void Click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center()); }

}  // namespace

TEST(PreviewWindow, FitsTheScreenAndShowsTheDesignSurfaceUnscaled) {
    PreviewFixture f;
    EXPECT_EQ(f.window->width(), 640);
    EXPECT_EQ(f.window->height(), 480);
    EXPECT_LE(f.window->frameGeometry().width(), 1024);
    EXPECT_LE(f.window->frameGeometry().height(), 768);
    EXPECT_EQ(f.window->windowTitle(), QString::fromUtf8("Caf\u00e9 course"));
    EXPECT_EQ(f.child<QWidget>("PaintBox1")->size(), QSize(640, 480));

    // An empty program title gives a blank caption (an empty one would show the program's name).
    f.project.Config.set(cfg::Program::ProgramTitle, "");
    f.window->FormActivate();
    EXPECT_EQ(f.window->windowTitle(), QStringLiteral(" "));
}

TEST(PreviewWindow, ControlBarButtonsEndTheButtonWaitAndShowTheScreensLegends) {
    PreviewFixture f;
    ControlBar& bar = f.screen->controlBar();
    bar.visible = true;
    bar.shown = {true, false, true, true, false};
    bar.legends[static_cast<int>(ControlButton::Continue)] = QStringLiteral("Next");
    struct Case {
        const char* name;
        ControlButton expected;
    };
    for (const Case c : {Case{"ContinueBtn", ControlButton::Continue}, Case{"QuitBtn", ControlButton::Quit},
                         Case{"PageBackBtn", ControlButton::PageBack}}) {
        bool sawBar = false;
        f.during([&] {
            sawBar = f.child<QWidget>("ControlPnl")->isVisible() && f.child<QPushButton>("ContinueBtn")->text() == "Next" &&
                     !f.child<QPushButton>("HelpBtn")->isVisible();
            Click(f.child<QPushButton>(c.name));
        });
        EXPECT_EQ(f.window->host().waitForButton(), c.expected) << c.name;
        EXPECT_TRUE(sawBar) << c.name;
    }
    // A click before the wait does not count for the next wait.
    Click(f.child<QPushButton>("ContinueBtn"));
    f.during([&] { Click(f.child<QPushButton>("QuitBtn")); });
    EXPECT_EQ(f.window->host().waitForButton(), ControlButton::Quit);
    EXPECT_TRUE(f.rec.messages.shown.empty());
}

TEST(PreviewWindow, KeysClicksAndTimersEndTheirWaits) {
    PreviewFixture f;
    f.during([&] { QTest::keyClick(f.window.get(), Qt::Key_B); });
    KeyPress key = f.window->host().waitForKey();
    EXPECT_FALSE(key.click);
    EXPECT_EQ(key.key, QChar(u'b'));

    // Any key going down is a key press, a modifier or Escape alone too; only a left click on
    // the drawing area is a click.
    for (const Qt::Key k : {Qt::Key_Shift, Qt::Key_Control, Qt::Key_Alt, Qt::Key_CapsLock, Qt::Key_Escape}) {
        f.during([&] { QTest::keyClick(f.window.get(), k); });
        key = f.window->host().waitForKey();
        EXPECT_FALSE(key.click) << k;
        EXPECT_TRUE(key.key.isNull()) << k;
        EXPECT_FALSE(f.window->host().stopRequested()) << k;
    }
    f.during([&] {
        QWidget* area = f.child<QWidget>("PaintBox1");
        QTest::mouseClick(area, Qt::RightButton, {}, area->rect().center());
        QTest::mouseClick(area, Qt::MiddleButton, {}, area->rect().center());
        QTimer::singleShot(50, f.window.get(), [&] { Click(f.child<QWidget>("PaintBox1")); });
    });
    QElapsedTimer waited;
    waited.start();
    key = f.window->host().waitForKey();
    EXPECT_TRUE(key.click);
    EXPECT_GE(waited.elapsed(), 40);  // ended by the left click, not by the others

    // A delay runs out by itself, or ends early at a key.
    EXPECT_FALSE(f.window->host().waitDelay(30));
    f.during([&] { QTest::keyClick(f.window.get(), Qt::Key_X); });
    int delayRanOut = 0;
    const auto counting = QObject::connect(f.child<QTimer>("Delaytimer"), &QTimer::timeout, [&] { ++delayRanOut; });
    EXPECT_TRUE(f.window->host().waitDelay(10000));
    EXPECT_EQ(delayRanOut, 0);  // ended by the key, not by its time
    QObject::disconnect(counting);

    QElapsedTimer clock;
    clock.start();
    f.window->host().waitSlowTick();
    EXPECT_GE(clock.elapsed(), 90);
}

TEST(PreviewWindow, InputBoxEndsAtEnterWithoutTypingIt) {
    PreviewFixture f;
    f.screen->setColumn(5);
    f.screen->setRow(3);
    f.screen->showInputBox(10);
    auto* edit = f.child<QLineEdit>("UserInputEdit");
    QRect place;
    f.during([&] {
        place = edit->geometry();
        QTest::keyClicks(edit, QStringLiteral("Zo"));
        QKeyEvent e(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString::fromUtf8("\u00eb"));
        QApplication::sendEvent(edit, &e);
        QTest::keyClick(edit, Qt::Key_Return);
    });
    EXPECT_EQ(f.window->host().askInput(), QString::fromUtf8("Zo\u00eb"));
    EXPECT_EQ(place, QRect(32, 34, 80, 21));
    EXPECT_FALSE(edit->isVisible());
    EXPECT_TRUE(edit->text().isEmpty());
}

TEST(PreviewWindow, TheTwoButtonChoiceAndButtonMenusWorkFromTheKeyboard) {
    PreviewFixture f;
    QApplication::setActiveWindow(f.window.get());
    auto* left = f.child<QPushButton>("LeftBitBtn");
    auto* right = f.child<QPushButton>("RightBitBtn");
    // The left button has the focus; Tab moves it to the right one, Enter presses that.
    f.screen->showChoice(QStringLiteral("Yes"), QStringLiteral("No"), 10);
    bool seen = false;
    f.during([&] {
        seen = true;
        EXPECT_EQ(QApplication::focusWidget(), left);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), right);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    EXPECT_FALSE(f.window->host().askChoice());
    EXPECT_TRUE(seen);
    // Space presses the focused button; a legend's first letter presses its button.
    f.screen->showChoice(QStringLiteral("Yes"), QStringLiteral("No"), 10);
    f.during([&] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space); });
    EXPECT_TRUE(f.window->host().askChoice());
    for (const auto& [key, expected] : {std::pair{Qt::Key_N, false}, std::pair{Qt::Key_Y, true}}) {
        f.screen->showChoice(QStringLiteral("Yes"), QStringLiteral("No"), 10);
        f.during([&, key = key] { QTest::keyClick(QApplication::focusWidget(), key); });
        EXPECT_EQ(f.window->host().askChoice(), expected);
    }

    // Menu buttons: the first has the focus, Tab walks them, Enter presses the focused one.
    f.screen->addMenuButtons({{10, 10, 80, QStringLiteral("A")}, {10, 50, 80, QStringLiteral("B")},
                              {10, 90, 80, QStringLiteral("C")}});
    f.during([&] {
        EXPECT_EQ(QApplication::focusWidget(), f.child<QWidget>("MenuButton1"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), f.child<QWidget>("MenuButton3"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    EXPECT_EQ(f.window->host().askMenuButton(), 3);
}

// A keyboard-only learner answers a quiz: the first answer has the focus (its text in inverse
// colours), Tab and the arrows go round the shown answers, Enter or Space picks the focused one;
// a letter still answers as a key.
TEST(PreviewWindow, QuizAnswersArePickedFromTheKeyboard) {
    PreviewFixture f;
    QApplication::setActiveWindow(f.window.get());
    const QStringList answers{QStringLiteral("red"), QStringLiteral("green"), QStringLiteral("blue")};
    f.screen->showQuizAnswers(10, answers);
    bool seen = false;
    f.during([&] {
        seen = true;
        auto* first = f.child<QWidget>("QuizAns1");
        ASSERT_EQ(QApplication::focusWidget(), first);
        const QPalette focused = f.child<QWidget>("QuizAns1text")->palette();
        EXPECT_EQ(focused.color(QPalette::Window), f.screen->colours().text);
        const std::pair<Qt::Key, const char*> walk[] = {
            {Qt::Key_Tab, "QuizAns2"}, {Qt::Key_Down, "QuizAns3"}, {Qt::Key_Tab, "QuizAns1"},
            {Qt::Key_Up, "QuizAns3"},  {Qt::Key_Left, "QuizAns2"}, {Qt::Key_Backtab, "QuizAns1"},
            {Qt::Key_Right, "QuizAns2"}};
        for (const auto& [key, name] : walk) {
            QTest::keyClick(QApplication::focusWidget(), key);
            EXPECT_EQ(QApplication::focusWidget(), f.child<QWidget>(name)) << name;
        }
        // The answer left shows its normal colours again.
        EXPECT_EQ(f.child<QWidget>("QuizAns1text")->palette().color(QPalette::Window),
                  f.screen->answers().quiz[0].backColour);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    EXPECT_EQ(f.window->host().askQuizAnswer().answer, 2);
    EXPECT_TRUE(seen);
    f.during([&] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space); });
    EXPECT_EQ(f.window->host().askQuizAnswer().answer, 1);
    f.during([&] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_B); });
    const QuizReply key = f.window->host().askQuizAnswer();
    EXPECT_EQ(key.answer, 0);
    EXPECT_EQ(key.key, QChar(u'b'));
    // After the wait the answers leave the keyboard to the window.
    EXPECT_EQ(QApplication::focusWidget(), f.window.get());
}

TEST(PreviewWindow, HypertextWordsAreReachedWithTabAndPerformedWithEnter) {
    PreviewFixture f;
    QApplication::setActiveWindow(f.window.get());
    f.screen->addHyperLabel(16, 17, QStringLiteral("Fire"), Qt::blue, Qt::white);
    f.screen->addHyperLabel(80, 17, QStringLiteral("Water"), Qt::blue, Qt::white);
    ControlBar& bar = f.screen->controlBar();
    bar.visible = true;
    bar.shown = {};
    bar.shown[static_cast<int>(ControlButton::Continue)] = true;
    bool seen = false;
    f.during([&] {
        seen = true;
        // From Continue, Tab goes round to the first word, then the second.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* word = QApplication::focusWidget();
        ASSERT_NE(word, nullptr);
        EXPECT_EQ(static_cast<QLabel*>(word)->text(), QStringLiteral("Water"));
        // The focused word is drawn in inverse colours.
        EXPECT_EQ(word->palette().color(QPalette::Window), QColor(Qt::blue));
        QTest::keyClick(word, Qt::Key_Return);
        EXPECT_EQ(f.rec.messages.LastText(), QStringLiteral("The \"Water\" HyperText Link has not been defined "));
        Click(f.child<QPushButton>("ContinueBtn"));
    });
    EXPECT_EQ(f.window->host().waitForButton(), ControlButton::Continue);
    EXPECT_TRUE(seen);
}

TEST(PreviewWindow, AnswerControlsGiveTheirChoices) {
    PreviewFixture f;
    // Two buttons.
    f.screen->showChoice(QStringLiteral("Yes"), QStringLiteral("No"), 10);
    f.during([&] { Click(f.child<QPushButton>("RightBitBtn")); });
    EXPECT_FALSE(f.window->host().askChoice());
    EXPECT_FALSE(f.child<QPushButton>("LeftBitBtn")->isEnabled());
    f.screen->showChoice(QStringLiteral("Yes"), QStringLiteral("No"), 30);
    f.during([&] { Click(f.child<QPushButton>("LeftBitBtn")); });
    EXPECT_TRUE(f.window->host().askChoice());
    auto* pair = f.child<QWidget>("CtrlBtnPnl");
    EXPECT_EQ(pair->x(), 240 / 2 - pair->width() / 2);

    // The list: Enter takes the selection, which starts on the first item.
    f.screen->showListMenu(2, 2, 20, 6, {QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three")});
    auto* list = f.child<QListWidget>("ListBox1");
    f.during([&] {
        EXPECT_EQ(list->currentRow(), 0);
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Return);
    });
    EXPECT_EQ(f.window->host().askList(), 1);
    f.screen->hideListMenu();

    // Menu buttons: the third gives choice 3.
    f.screen->addMenuButtons({{10, 10, 80, QStringLiteral("A")}, {10, 50, 80, QStringLiteral("B")},
                              {10, 90, 80, QStringLiteral("C")}});
    f.during([&] { Click(f.child<QLabel>("MenuButton3")); });
    EXPECT_EQ(f.window->host().askMenuButton(), 3);

    // Quiz answers: the fourth panel, its letter or its text gives 4; a key comes back as a key.
    f.screen->showQuizAnswers(10, {QStringLiteral("red"), QStringLiteral("green"), QStringLiteral("blue"),
                                   QStringLiteral("grey")});
    for (const char* part : {"QuizAns4", "QuizAns4num", "QuizAns4text"}) {
        f.during([&] { Click(f.child<QLabel>(part)); });
        EXPECT_EQ(f.window->host().askQuizAnswer().answer, 4) << part;
    }
    f.during([&] { QTest::keyClick(f.window.get(), Qt::Key_C); });
    const QuizReply reply = f.window->host().askQuizAnswer();
    EXPECT_EQ(reply.answer, 0);
    EXPECT_EQ(reply.key, QChar(u'c'));

    // The memo: its lines when OK is pressed.
    f.screen->showMemo(20, 3, {}, false);
    f.screen->setColumn(40);
    f.screen->setRow(2);
    f.screen->showInputBox(12);
    f.screen->setRow(5);
    f.screen->showChoice(QStringLiteral("Yes"), QStringLiteral("No"), 10);
    f.screen->showListMenu(40, 9, 60, 13, {QStringLiteral("one"), QStringLiteral("two")});
    f.during([&] {
        // With QUILLMARK_SNAPSHOT_DIR set, the answer controls are saved there, to look at.
        if (!qEnvironmentVariableIsEmpty("QUILLMARK_SNAPSHOT_DIR"))
            f.window->grab().save(qEnvironmentVariable("QUILLMARK_SNAPSHOT_DIR") + QStringLiteral("/preview-answers.png"));
        auto* memo = f.child<QPlainTextEdit>("Memo1");
        memo->setPlainText(QStringLiteral("first\nsecond"));
        Click(f.child<QPushButton>("BitBtn1"));
    });
    EXPECT_EQ(f.window->host().askMemo(), (QStringList{QStringLiteral("first"), QStringLiteral("second")}));
    EXPECT_TRUE(f.rec.messages.shown.empty());
}

TEST(PreviewWindow, HypertextClickPerformsTheEntryOrSaysItIsNotDefined) {
    PreviewFixture f;
    f.screen->addHyperLabel(16, 17, QStringLiteral("Valve"), Qt::blue, Qt::white);
    f.screen->addHyperLabel(16, 51, QStringLiteral("Pump"), Qt::blue, Qt::white);
    QStringList performed;
    f.window->host().setEntryPerformer([&](EntrySource source, const QString& name) {
        performed.push_back(name);
        return source == EntrySource::Hyper && name == u"Pump";
    });
    // Clicks on the labels during a key wait are handled by the window and do not end the wait.
    f.during([&] {
        const auto labels = f.window->findChildren<QLabel*>(QStringLiteral("HyperLabel"));
        ASSERT_EQ(labels.size(), 2);
        for (QLabel* l : labels) Click(l);
        Click(f.child<QWidget>("PaintBox1"));
    });
    EXPECT_TRUE(f.window->host().waitForKey().click);
    EXPECT_EQ(performed, (QStringList{QStringLiteral("Valve"), QStringLiteral("Pump")}));
    ASSERT_EQ(f.rec.messages.shown.size(), 1u);
    EXPECT_EQ(f.rec.messages.shown[0].kind, RecordingMessages::Kind::Info);
    EXPECT_EQ(f.rec.messages.shown[0].text, QStringLiteral("The \"Valve\" HyperText Link has not been defined "));
}

TEST(PreviewWindow, OnlyClosingTheWindowEndsEveryWait) {
    {
        PreviewFixture f;
        f.during([&] { f.window->close(); });
        EXPECT_EQ(f.window->host().waitForButton(), ControlButton::Quit);
        EXPECT_TRUE(f.window->host().stopRequested());
        // Every later wait returns at once.
        EXPECT_TRUE(f.window->host().askInput().isEmpty());
        EXPECT_EQ(f.window->host().askMenuButton(), 0);
        // The next run starts afresh.
        f.window->FormActivate();
        EXPECT_FALSE(f.window->host().stopRequested());
    }
    {
        // Escape in the input box is no stop: the box waits on for Enter.
        PreviewFixture f;
        f.screen->showInputBox(20);
        auto* edit = f.child<QLineEdit>("UserInputEdit");
        f.during([&] {
            QTest::keyClick(edit, Qt::Key_Escape);
            QTest::keyClicks(edit, QStringLiteral("ok"));
            QTest::keyClick(edit, Qt::Key_Return);
        });
        EXPECT_EQ(f.window->host().askInput(), QStringLiteral("ok"));
        EXPECT_FALSE(f.window->host().stopRequested());
    }
}

TEST(UtilityChooser, GivesTheChosenNameOrNothing) {
    PreviewFixture f;
    const QStringList names{QStringLiteral("Calculator"), QStringLiteral("Notes")};
    WhenShown(QStringLiteral("TUtMenuForm"), [](QWidget* w) {
        auto* list = w->findChild<QListWidget*>(QStringLiteral("ListBox1"));
        EXPECT_EQ(list->currentRow(), 0);
        // Blank, not empty: the window system shows the program's name for an empty caption.
        EXPECT_EQ(w->windowTitle(), QStringLiteral(" "));
        list->setCurrentRow(1);
        Click(w->findChild<QPushButton*>(QStringLiteral("BitBtn1")));
    });
    EXPECT_EQ(f.window->host().chooseUtility(names), std::optional<int>(1));

    WhenShown(QStringLiteral("TUtMenuForm"), [](QWidget* w) { Click(w->findChild<QPushButton*>(QStringLiteral("BitBtn2"))); });
    EXPECT_EQ(f.window->host().chooseUtility(names), std::nullopt);

    WhenShown(QStringLiteral("TUtMenuForm"), [](QWidget* w) { QTest::keyClick(w, Qt::Key_Return); });
    EXPECT_EQ(f.window->host().chooseUtility(names), std::optional<int>(0));
}

TEST(BackgroundWindow, ShowsItsBackgroundOrSaysWhatIsMissing) {
    TempFolder home;
    Project project(home.path());
    NewTutorial(project, home / "t", "demo");
    RecordingPlatform rec(home.path());
    QImage tile(8, 8, QImage::Format_RGB32);
    tile.fill(Qt::red);
    ASSERT_TRUE(tile.save(QString::fromStdString((home / "t/Paper.bmp").string()), "BMP"));

    struct Case {
        int type;
        const char* file;
        const char* message;  // nullptr: none
        bool tileShown, imageShown;
    };
    const Case cases[] = {
        {1, "", nullptr, false, false},
        {2, "sky.bmp", "The graphic file sky.bmp was not found", false, false},
        {2, "PAPER.BMP", nullptr, false, true},
        {3, "paper.jpg", "Wallpaper must be a .BMP file.\n\r\n\rReplace paper.jpg with a .BMP Graphic.", false, false},
        {3, "none.bmp", "The Wallpaper file none.bmp was not found", false, false},
        {3, "paper.bmp", nullptr, true, false},
    };
    for (const Case& c : cases) {
        rec.messages.Clear();
        project.Config.set(cfg::Program::BackgroundType, c.type);
        project.Config.set(cfg::Program::BackgroundGraphic, c.file);
        project.Config.set(cfg::Program::BackgroundWallpaper, c.file);
        ChapterBackdrop back(project, rec.platform().messages);
        back.ShowFullScreen();
        const std::string what = std::to_string(c.type) + " " + c.file;
        EXPECT_TRUE(back.windowState() & Qt::WindowFullScreen) << what;  // a real full-screen state
        EXPECT_EQ(back.ScreenPnl()->geometry(), back.rect()) << what;
        if (c.message) {
            ASSERT_EQ(rec.messages.shown.size(), 1u) << what;
            EXPECT_EQ(rec.messages.shown[0].kind, RecordingMessages::Kind::Error);
            EXPECT_EQ(rec.messages.shown[0].text, QString::fromLatin1(c.message)) << what;
        } else {
            EXPECT_TRUE(rec.messages.shown.empty()) << what;
        }
        EXPECT_EQ(back.Tile()->isVisible(), c.tileShown) << what;
        EXPECT_EQ(back.Image()->isVisible(), c.imageShown) << what;
    }
}

TEST(PreviewWindow, HelpOpensTheTutorialsHelpFileAndPrintAsksFirst) {
    PreviewFixture f;
    f.home.write("t/Tutor.hlp", "");
    f.window->host().showHelp(QStringLiteral("TUTOR.HLP"), 7);
    ASSERT_EQ(f.rec.help.requests.size(), 1u);
    EXPECT_EQ(f.rec.help.requests[0].helpFile, f.home / "t/Tutor.hlp");
    EXPECT_EQ(f.rec.help.requests[0].topic, 7);

    // Cancel prints nothing; OK shows the print dialog and prints the lines.
    const QStringList lines{QStringLiteral("first line"), QStringLiteral("second line")};
    WhenShown(QStringLiteral("Tprintform"), [](QWidget* w) {
        EXPECT_EQ(w->findChild<QLabel*>(QStringLiteral("Panel1"))->text(), QStringLiteral("Would you like to print the file ?"));
        Click(w->findChild<QPushButton*>(QStringLiteral("CancelBtn")));
    });
    f.window->host().printLines(lines, {});
    EXPECT_TRUE(f.rec.dialogs.requests.empty());

    f.rec.dialogs.printAnswers.push_back(true);
    f.rec.dialogs.printToPdf = f.home / "out.pdf";
    WhenShown(QStringLiteral("Tprintform"), [](QWidget* w) {
        EXPECT_EQ(w->findChild<QLabel*>(QStringLiteral("Panel1"))->text(), QStringLiteral("Print your notes?"));
        Click(w->findChild<QPushButton*>(QStringLiteral("OKBtn")));
    });
    f.window->host().printLines(lines, QStringLiteral("Print your notes?"));
    ASSERT_EQ(f.rec.dialogs.requests.size(), 1u);
    EXPECT_EQ(f.rec.dialogs.requests[0].kind, RecordingDialogs::Kind::Print);
    EXPECT_GT(std::filesystem::file_size(f.home / "out.pdf"), 0u);
}

// What a new list of a kind's objects means for the widgets shown, place by place.
TEST(ScreenObjectView, ObjectChangesKeepWhatStaysAndRenewWhatChanged) {
    using C = ObjectChange;
    const HyperLabel fire{QRect(16, 17, 32, 17), QStringLiteral("Fire"), Qt::blue, Qt::white};
    const HyperLabel water{QRect(80, 17, 40, 17), QStringLiteral("Water"), Qt::blue, Qt::white};
    HyperLabel fireMoved = fire;
    fireMoved.rect.moveTop(34);
    HyperLabel fireRed = fire;
    fireRed.textColour = Qt::red;
    struct Case {
        const char* what;
        std::vector<HyperLabel> shown, now;
        std::vector<ObjectChange> changes;
    };
    const Case cases[] = {
        {"nothing new", {fire, water}, {fire, water}, {C::Keep, C::Keep}},
        {"an object added", {fire}, {fire, water}, {C::Keep, C::Make}},
        {"a pop-up's words gone", {fire, water}, {fire}, {C::Keep, C::Remove}},
        {"a cleared screen", {fire, water}, {}, {C::Remove, C::Remove}},
        {"cleared and drawn anew", {fire, water}, {water}, {C::Replace, C::Remove}},
        {"moved", {fire, water}, {fireMoved, water}, {C::Replace, C::Keep}},
        {"recoloured", {fire}, {fireRed}, {C::Replace}},
        {"the first screen", {}, {fire, water}, {C::Make, C::Make}},
    };
    for (const Case& c : cases) EXPECT_EQ(ObjectChanges(c.shown, c.now), c.changes) << c.what;
}

// An object that stays keeps its widget (and with it the keyboard focus it may have); only new
// and changed objects get new widgets, and gone ones lose theirs.
TEST(PreviewWindow, OnlyChangedScreenObjectsGetNewWidgets) {
    PreviewFixture f;
    f.screen->addHyperLabel(16, 17, QStringLiteral("Fire"), Qt::blue, Qt::white);
    f.screen->addMenuButtons({{10, 100, 80, QStringLiteral("A")}});
    f.window->syncFromScreen();
    const QPointer<QWidget> fire = f.child<QWidget>("HyperLabel");
    const QPointer<QWidget> button = f.child<QWidget>("MenuButton1");
    f.screen->addHyperLabel(80, 17, QStringLiteral("Water"), Qt::blue, Qt::white);
    f.screen->addTextLabel(80, 200, 120, QStringLiteral("Pump room"), Qt::black, Qt::yellow);
    f.window->syncFromScreen();
    const auto words = f.window->findChildren<QLabel*>(QStringLiteral("HyperLabel"));
    ASSERT_EQ(words.size(), 2);
    EXPECT_TRUE(words.contains(fire.data()));
    EXPECT_EQ(f.child<QWidget>("MenuButton1"), button.data());
    // The objects stack as they always have: a text label under the words, the words under
    // the menu buttons.
    const QObjectList order = f.window->children();
    const auto at = [&](const QObject* o) { return order.indexOf(const_cast<QObject*>(o)); };
    EXPECT_LT(at(f.child<QWidget>("TextLabel")), at(fire.data()));
    EXPECT_LT(at(fire.data()), at(button.data()));
    // A cleared screen drawn anew: every widget is new.
    f.screen->clearScreen(0);
    f.screen->addHyperLabel(16, 17, QStringLiteral("Air"), Qt::blue, Qt::white);
    f.window->syncFromScreen();
    EXPECT_TRUE(fire.isNull());
    EXPECT_TRUE(button.isNull());
    EXPECT_EQ(f.child<QLabel>("HyperLabel")->text(), QStringLiteral("Air"));
}

TEST(PreviewWindow, ScreenObjectsFollowTheScreen) {
    PreviewFixture f;
    f.screen->addTextLabel(80, 100, 120, QStringLiteral("Pump room"), Qt::black, Qt::yellow);
    f.screen->addHyperLabel(16, 17, QStringLiteral("Valve"), Qt::blue, Qt::white);
    f.window->syncFromScreen();
    EXPECT_EQ(f.window->findChildren<QLabel*>(QStringLiteral("TextLabel")).size(), 1);
    EXPECT_EQ(f.window->findChildren<QLabel*>(QStringLiteral("HyperLabel")).size(), 1);
    // A title lowers the drawing area; clearing the screen removes the objects.
    f.screen->showTitle("Lesson", Qt::white, Qt::darkBlue);
    f.window->syncFromScreen();
    EXPECT_EQ(f.child<QWidget>("PaintBox1")->geometry(), QRect(0, 34, 640, 446));
    EXPECT_TRUE(f.child<QLabel>("TitlePnl")->isVisible());
    f.screen->clearScreen(0);
    f.window->syncFromScreen();
    EXPECT_TRUE(f.window->findChildren<QLabel*>(QStringLiteral("TextLabel")).isEmpty());
    EXPECT_TRUE(f.window->findChildren<QLabel*>(QStringLiteral("HyperLabel")).isEmpty());
}

TEST(PreviewWindow, PicturesAnswerKeysButNeverEndADelay) {
    PreviewFixture f;
    QImage picture(64, 48, QImage::Format_RGB32);
    picture.fill(Qt::green);
    ASSERT_TRUE(picture.save(QString::fromStdString((f.project.ProjectDir / "PIC.BMP").string()), "BMP"));
    ASSERT_TRUE(f.screen->showImage(5, 2, 25, "PIC.BMP"));
    f.window->syncFromScreen();
    QWidget* placed = f.child<QWidget>("Picture");
    ASSERT_NE(placed, nullptr);

    // A placed picture has no click action: it neither ends a delay nor answers a key wait.
    QElapsedTimer clock;
    clock.start();
    f.during([&] { Click(placed); });
    EXPECT_FALSE(f.window->host().waitDelay(300));
    EXPECT_GE(clock.elapsed(), 250);
    f.during([&] {
        Click(placed);
        QTimer::singleShot(50, f.window.get(), [&] { QTest::keyClick(f.window.get(), Qt::Key_K); });
    });
    EXPECT_EQ(f.window->host().waitForKey().key, QChar(u'k'));

    // The full-screen picture answers a key wait as a click, and a delay goes on.
    ASSERT_TRUE(f.screen->showScreenImage("PIC.BMP"));
    f.window->syncFromScreen();
    QWidget* full = f.child<QWidget>("Image1");
    ASSERT_TRUE(full->isVisible());
    f.during([&] { Click(full); });
    EXPECT_TRUE(f.window->host().waitForKey().click);
    clock.restart();
    f.during([&] { Click(full); });
    EXPECT_FALSE(f.window->host().waitDelay(300));
    EXPECT_GE(clock.elapsed(), 250);
}

TEST(PreviewWindow, ControlBarWorksFromTheKeyboardDuringItsWaitOnly) {
    PreviewFixture f;
    ControlBar& bar = f.screen->controlBar();
    bar.visible = true;
    bar.shown = {true, false, true, true, false};  // Continue, Quit, Page back
    const auto focused = [&] { return f.window->focusWidget() ? f.window->focusWidget()->objectName() : QString(); };
    const auto press = [&](Qt::Key k, Qt::KeyboardModifiers m = {}) { QTest::keyClick(f.window->focusWidget(), k, m); };

    // Continue takes the focus; Tab goes round the shown buttons left to right (Quit, Page
    // back, Continue); Space presses the focused one.
    QStringList seen;
    f.during([&] {
        seen << focused();
        press(Qt::Key_Tab);
        seen << focused();
        press(Qt::Key_Tab);
        seen << focused();
        press(Qt::Key_Space);
    });
    EXPECT_EQ(f.window->host().waitForButton(), ControlButton::PageBack);
    EXPECT_EQ(seen, (QStringList{"ContinueBtn", "QuitBtn", "PageBackBtn"}));

    // Shift+Tab goes back; Enter presses.
    seen.clear();
    f.during([&] {
        press(Qt::Key_Backtab, Qt::ShiftModifier);
        seen << focused();
        press(Qt::Key_Backtab, Qt::ShiftModifier);
        seen << focused();
        press(Qt::Key_Return);
    });
    EXPECT_EQ(f.window->host().waitForButton(), ControlButton::Quit);
    EXPECT_EQ(seen, (QStringList{"PageBackBtn", "QuitBtn"}));

    // Outside the button wait the buttons take no focus: Tab and Space are key presses.
    EXPECT_NE(focused(), QStringLiteral("ContinueBtn"));
    f.during([&] { QTest::keyClick(f.window.get(), Qt::Key_Tab); });
    KeyPress key = f.window->host().waitForKey();
    EXPECT_FALSE(key.click);
    EXPECT_NE(focused(), QStringLiteral("ContinueBtn"));
    f.during([&] { press(Qt::Key_Space); });
    EXPECT_EQ(f.window->host().waitForKey().key, QChar(u' '));
    EXPECT_EQ(f.child<QPushButton>("ContinueBtn")->focusPolicy(), Qt::NoFocus);
}

TEST(PreviewWindow, InputBoxKeepsTheKeyboardThroughAHypertextMessage) {
    PreviewFixture f;
    QApplication::setActiveWindow(f.window.get());
    f.screen->addHyperLabel(16, 17, QStringLiteral("glossary"), Qt::blue, Qt::white);
    f.screen->showInputBox(20);
    QString focusAfter;
    f.during([&] {
        Click(f.child<QLabel>("HyperLabel"));
        QWidget* focus = QApplication::focusWidget();
        focusAfter = focus ? focus->objectName() : QString();
        if (focus) {
            QTest::keyClicks(focus, QStringLiteral("abc"));
            QTest::keyClick(focus, Qt::Key_Return);
        }
    });
    QTimer::singleShot(3000, f.window.get(), [&] { f.window->close(); });  // a lost keyboard ends here
    EXPECT_EQ(f.window->host().askInput(), QStringLiteral("abc"));
    EXPECT_EQ(focusAfter, QStringLiteral("UserInputEdit"));
    EXPECT_EQ(f.rec.messages.LastText(), QStringLiteral("The \"glossary\" HyperText Link has not been defined "));
}

// The learner's screen at 1 x, 2 x and a fractional fit: every control stands where the screen
// puts it, scaled, the text cells are pixel copies at whole multiples, and words, answers, the
// two buttons and the input box work.
TEST(PreviewWindow, WorksAtEveryScale) {
    const ScreenScale fit = ChooseScale(ScaleMode::Fit, QSize(1024, 768));
    ASSERT_EQ(fit, (ScreenScale{1.6, true}));
    for (const ScreenScale& scale : {ScreenScale{1.0, false}, ScreenScale{2.0, false}, fit}) {
        SCOPED_TRACE(scale.factor);
        PreviewFixture f;
        QApplication::setActiveWindow(f.window.get());
        f.window->setScale(scale);
        EXPECT_EQ(f.window->size(), QSize(scale.map(640), scale.map(480)));
        QStringList performed;
        f.window->host().setEntryPerformer([&](EntrySource, const QString& name) {
            performed << name;
            return true;
        });
        f.screen->drawText(1, 1, "Press the |Valve| now.");
        f.screen->drawText(1, 3, "Plain text on the third row");
        ControlBar& bar = f.screen->controlBar();
        bar.visible = true;
        f.during([&] {
            auto* word = f.child<QLabel>("HyperLabel");
            EXPECT_EQ(word->geometry(), scale.map(f.screen->hyperLabels()[0].rect));
            EXPECT_EQ(word->font().pixelSize(), scale.map(13));
            EXPECT_EQ(f.child<QWidget>("ControlPnl")->geometry(), scale.map(QRect(0, 448, 640, 32)));
            const QImage shown = f.window->grab().toImage().convertToFormat(QImage::Format_RGB32);
            if (!scale.smooth) {
                const QImage row = f.screen->image().copy(0, 34, 240, 17);
                EXPECT_EQ(shown.copy(scale.map(QRect(0, 34, 240, 17))),
                          row.scaled(scale.map(row.size()), Qt::IgnoreAspectRatio, Qt::FastTransformation));
            }
            Click(word);
            Click(f.child<QPushButton>("ContinueBtn"));
        });
        EXPECT_EQ(f.window->host().waitForButton(), ControlButton::Continue);
        EXPECT_EQ(performed, QStringList{QStringLiteral("Valve")});

        f.screen->showQuizAnswers(10, {QStringLiteral("red"), QStringLiteral("green")});
        f.during([&] {
            EXPECT_EQ(f.child<QWidget>("QuizAns2")->geometry(), scale.map(f.screen->answers().quiz[1].rect));
            Click(f.child<QLabel>("QuizAns2text"));
        });
        EXPECT_EQ(f.window->host().askQuizAnswer().answer, 2);
        f.screen->hideQuizAnswers();

        f.screen->setRow(12);
        f.screen->showChoice(QStringLiteral("Yes"), QStringLiteral("No"), 10);
        f.during([&] { Click(f.child<QPushButton>("RightBitBtn")); });
        EXPECT_FALSE(f.window->host().askChoice());

        f.screen->setRow(15);
        f.screen->showInputBox(12);
        f.during([&] {
            auto* input = f.child<QLineEdit>("UserInputEdit");
            EXPECT_EQ(input->geometry(), scale.map(f.screen->answers().input.rect));
            QTest::keyClicks(input, QStringLiteral("pump"));
            QTest::keyClick(input, Qt::Key_Return);
        });
        EXPECT_EQ(f.window->host().askInput(), QStringLiteral("pump"));
        EXPECT_TRUE(f.rec.messages.shown.empty());
    }
}

// At a fractional fit a hypertext word's label covers the scaled word: its rectangle is the
// word's rectangle scaled, each character stands in its own scaled 8 x 17 cell as on the
// screen's raster (drawn as one string the characters would drift off their cells), and a
// click anywhere on the scaled word performs it.
TEST(PreviewWindow, HypertextWordsLineUpWithTheirWordsAtAFractionalFit) {
    const ScreenScale fit = ChooseScale(ScaleMode::Fit, QSize(1024, 768));
    ASSERT_TRUE(fit.smooth);
    PreviewFixture f;
    f.window->setScale(fit);
    QStringList performed;
    f.window->host().setEntryPerformer([&](EntrySource, const QString& name) {
        performed << name;
        return true;
    });
    const QString word(40, u'I');
    f.screen->drawText(3, 5, ("See |" + word + "| here.").toStdString());
    ControlBar& bar = f.screen->controlBar();
    bar.visible = true;
    f.during([&] {
        const QRect design = f.screen->hyperLabels().at(0).rect;
        const QRect scaled = fit.map(design);
        auto* label = f.child<QLabel>("HyperLabel");
        EXPECT_EQ(label->geometry(), scaled);

        // The ink of the upper part of the word (above the underline), column by column.
        const QImage shown = label->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QColor text = f.screen->hyperLabels()[0].textColour, back = f.screen->hyperLabels()[0].backColour;
        auto distance = [](QColor a, QColor b) {
            return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue());
        };
        std::vector<bool> ink(static_cast<std::size_t>(shown.width()), false);
        for (int x = 0; x < shown.width(); ++x)
            for (int y = 0; y < shown.height() * 6 / 10; ++y)
                if (distance(shown.pixelColor(x, y), text) < distance(shown.pixelColor(x, y), back))
                    ink[static_cast<std::size_t>(x)] = true;
        // Each run of ink is one character; its middle lies in that character's scaled cell.
        std::vector<double> middles;
        for (int x = 0; x < shown.width();) {
            if (!ink[static_cast<std::size_t>(x)]) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < shown.width() && ink[static_cast<std::size_t>(x)]) ++x;
            middles.push_back((start + x - 1) / 2.0);
        }
        ASSERT_EQ(middles.size(), static_cast<std::size_t>(word.size()));
        for (int i = 0; i < word.size(); ++i) {
            const double left = fit.map(design.left() + 8 * i) - scaled.left();
            const double right = fit.map(design.left() + 8 * (i + 1)) - scaled.left();
            EXPECT_GE(middles[static_cast<std::size_t>(i)], left) << i;
            EXPECT_LT(middles[static_cast<std::size_t>(i)], right) << i;
        }

        // Clicks at the scaled word's first and last pixels reach it.
        for (const QPoint at : {scaled.topLeft(), scaled.bottomRight()}) {
            QWidget* hit = f.window->childAt(at);
            ASSERT_EQ(hit, label);
            QTest::mouseClick(hit, Qt::LeftButton, {}, hit->mapFrom(f.window.get(), at));
        }
        Click(f.child<QPushButton>("ContinueBtn"));
    });
    EXPECT_EQ(f.window->host().waitForButton(), ControlButton::Continue);
    EXPECT_EQ(performed, (QStringList{word, word}));
}

// The View choice of the window: Ctrl+2 and Ctrl+1 (and the context menu's items) give the
// scale to the chooser when there is one.
TEST(PreviewWindow, TheViewChoiceGoesToItsChooser) {
    PreviewFixture f;
    QApplication::setActiveWindow(f.window.get());
    std::vector<ScaleMode> chosen;
    f.window->setScaleChooser([&](ScaleMode mode) { chosen.push_back(mode); });
    QTest::keyClick(f.window.get(), Qt::Key_2, Qt::ControlModifier);
    QTest::keyClick(f.window.get(), Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(chosen, (std::vector<ScaleMode>{ScaleMode::Two, ScaleMode::Fit}));
    EXPECT_EQ(f.window->scaleMode(), ScaleMode::Fit);
    // Without a chooser the window scales itself.
    f.window->setScaleChooser({});
    QTest::keyClick(f.window.get(), Qt::Key_1, Qt::ControlModifier);
    EXPECT_EQ(f.window->scale(), (ScreenScale{1.0, false}));
}

TEST(PreviewWindow, TheMemoIsLeftForItsOKButtonWithTab) {
    PreviewFixture f;
    QApplication::setActiveWindow(f.window.get());
    f.screen->showMemo(20, 3, {}, false);
    f.during([&] {
        QWidget* memo = QApplication::focusWidget();
        ASSERT_EQ(memo, f.child<QWidget>("Memo1"));
        QTest::keyClicks(memo, QStringLiteral("first"));
        QTest::keyClick(memo, Qt::Key_Tab);
        QWidget* ok = QApplication::focusWidget();
        ASSERT_EQ(ok, f.child<QWidget>("BitBtn1"));
        QTest::keyClick(ok, Qt::Key_Return);
    });
    QTimer::singleShot(3000, f.window.get(), [&] { f.window->close(); });  // a lost keyboard ends here
    EXPECT_EQ(f.window->host().askMemo(), QStringList{QStringLiteral("first")});
}

TEST(BackgroundWindow, F11AndAltEnterSwitchBetweenFullScreenAndAWindow) {
    struct Key {
        int key;
        Qt::KeyboardModifiers modifiers;
        bool toggles;
    };
    for (const Key& k : {Key{Qt::Key_F11, {}, true}, Key{Qt::Key_Return, Qt::AltModifier, true},
                         Key{Qt::Key_Enter, Qt::AltModifier | Qt::KeypadModifier, true},
                         Key{Qt::Key_Return, {}, false}, Key{Qt::Key_F11, Qt::ControlModifier, false},
                         Key{Qt::Key_Return, Qt::AltModifier | Qt::ShiftModifier, false}, Key{Qt::Key_A, {}, false}})
        EXPECT_EQ(IsFullScreenToggleKey(k.key, k.modifiers), k.toggles) << k.key << " " << k.modifiers;
    // The window: room for the largest whole multiple (and a frame) in 95 % of the free area,
    // centred.
    EXPECT_EQ(WindowedGeometry(QRect(0, 0, 1920, 1080)), QRect(300, 40, 1320, 1000));
    EXPECT_EQ(WindowedGeometry(QRect(0, 24, 1280, 1000)), QRect(300, 264, 680, 520));
    EXPECT_EQ(WindowedGeometry(QRect(0, 0, 600, 400)), QRect(0, 0, 600, 400));
    for (const auto& [available, scale] : std::vector<std::pair<QSize, ScreenScale>>{
             {{1280, 1024}, {2.0, false}}, {{3840, 2160}, {4.0, false}}, {{1024, 768}, {1.6, true}},
             {{800, 600}, {1.25, true}}, {{700, 520}, {1.0, false}}, {{640, 480}, {1.0, false}},
             {{480, 360}, {0.75, true}}})
        EXPECT_EQ(ChooseScale(ScaleMode::Fit, available), scale) << available.width() << "x" << available.height();
    EXPECT_EQ(ChooseScale(ScaleMode::Two, QSize(800, 600)), (ScreenScale{2.0, false}));
    // A window's frame: its side borders may leave the screen, its title bar may not.
    EXPECT_EQ(ChooseScaleOn(ScaleMode::Fit, QSize(1280, 1024), QSize(2, 22)), (ScreenScale{2.0, false}));
    EXPECT_EQ(ChooseScaleOn(ScaleMode::Fit, QSize(1280, 960), QSize(2, 22)), (ScreenScale{938.0 / 480, true}));
    EXPECT_EQ(ChooseScaleOn(ScaleMode::One, QSize(1280, 1024), QSize(2, 22)), (ScreenScale{1.0, false}));
    EXPECT_EQ(ChooseScale(ScaleMode::One, QSize(3840, 2160)), (ScreenScale{1.0, false}));

    TempFolder home;
    Project project(home.path());
    NewTutorial(project, home / "t", "demo");
    RecordingPlatform rec(home.path());
    ChapterBackdrop back(project, rec.platform().messages);
    std::vector<bool> heard;
    back.SetOnToggled([&](bool fullScreen) { heard.push_back(fullScreen); });
    back.ShowFullScreen();
    EXPECT_FALSE(back.windowFlags() & Qt::FramelessWindowHint);
    // The key works in any of the program's windows (the chapter's window has the keyboard).
    QWidget other;
    other.show();
    QTest::keyClick(&other, Qt::Key_F11);
    EXPECT_FALSE(back.isFullScreen());
    EXPECT_EQ(back.geometry(), WindowedGeometry(back.screen()->availableGeometry()));
    QTest::keyClick(&other, Qt::Key_Return, Qt::AltModifier);
    EXPECT_TRUE(back.isFullScreen());
    EXPECT_EQ(heard, (std::vector<bool>{false, true}));
    EXPECT_TRUE(rec.messages.shown.empty());
}
