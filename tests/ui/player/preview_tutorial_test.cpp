// The whole-tutorial preview with the learner's windows: the pieces come up in their order,
// chapters run through the chapter runner, and the program's help file is back afterwards.
#include <QAction>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTimer>
#include <deque>

#include "../design/design_fixture.h"
#include "common/tutorial_about_box.h"
#include "common/chapter_runner.h"
#include "common/introduction_dialog.h"
#include "common/introduction_screen.h"
#include "common/main_menu_dialog.h"
#include "player/preview_tutorial.h"
#include "platform/system_services.h"

using namespace quill;
using namespace quill::test;
namespace fs = std::filesystem;

namespace {

// Answers each modal window as it comes up, in the order given: (object name, action).
class ModalScript : public QObject {
public:
    using Action = std::function<void(QWidget*)>;
    void Add(const QString& name, Action action) { steps_.push_back({name, std::move(action)}); }
    std::vector<QString> seen;

    ModalScript() {
        connect(&timer_, &QTimer::timeout, this, [this] {
            QWidget* w = QApplication::activeModalWidget();
            if (!w || w->property("answered").toBool() || steps_.empty()) return;
            if (w->objectName() != steps_.front().first) return;
            w->setProperty("answered", true);
            Action action = std::move(steps_.front().second);
            steps_.pop_front();
            seen.push_back(w->objectName());
            action(w);
        });
        timer_.start(5);
    }
    bool Done() const { return steps_.empty(); }

private:
    QTimer timer_;
    std::deque<std::pair<QString, Action>> steps_;
};

// Records each chapter with the help file in force while it runs.
struct HelpRecordingRunner : ChapterRunner {
    explicit HelpRecordingRunner(Platform& p) : platform(p) {}
    void RunChapter(Project&, const std::string& chapterFile) override {
        runs.push_back(chapterFile + " " + platform.helpFile.filename().string());
    }
    Platform& platform;
    std::vector<std::string> runs;
};

struct PreviewTutorialTest : DesignFixture {
    RecordingSystem system;
    HelpRecordingRunner runner{rec.platform()};
    ModalScript script;

    void MenuTutorial() {
        TTutorialConfig& c = project.Config;
        c.set(cfg::TutorialType, 1);
        c.set(cfg::MainMenu::ChapterCount, 2);
        c.set(cfg::MainMenu::Chapter(1).Topic, "One");
        c.set(cfg::MainMenu::Chapter(1).FileName, "SAFETY1");
        c.set(cfg::MainMenu::Chapter(2).Topic, "Two");
        c.set(cfg::MainMenu::Chapter(2).FileName, "SAFETY2");
    }
    static void Pick(QWidget* menu, int n) { static_cast<MainMenuDialog*>(menu)->PickClick(n); }
    static void Quit(QWidget* menu) { static_cast<MainMenuDialog*>(menu)->QuitClick(); }
};

}  // namespace

TEST_F(PreviewTutorialTest, MenuTutorialWithEveryPieceAndTheHelpFileRestored) {
    MenuTutorial();
    TTutorialConfig& c = project.Config;
    c.set(cfg::AboutOn, 1);
    c.set(cfg::About::ShowWhen, 2);
    c.set(cfg::IntroOn, 1);
    c.set(cfg::Program::HelpOn, 1);
    c.set(cfg::Program::HelpFile, "TUT.HLP");
    c.set(cfg::Program::HelpTopic, 1);
    c.set(cfg::OpeningOn, 1);
    c.set(cfg::Opening.CommandType, 9);
    c.set(cfg::Opening.Description, "notepad readme.txt");
    c.set(cfg::ClosingOn, 1);
    c.set(cfg::Closing.CommandType, 10);
    c.set(cfg::Closing.Description, "http://example.org/bye");
    system.onPath = {"notepad"};
    auto ok = [](QWidget* w) { Click(w, "OKButton"); };
    script.Add("TAboutBox", ok);
    script.Add("TIntDispForm", [](QWidget* w) { static_cast<QDialog*>(w)->accept(); });
    script.Add("TMenuForm", [](QWidget* w) { Pick(w, 2); });
    script.Add("TMenuForm", [](QWidget* w) { Pick(w, 1); });
    script.Add("TMenuForm", [](QWidget* w) { Quit(w); });
    script.Add("TAboutBox", ok);

    // The author is asked once for the folder before its programs start in the preview.
    system.consent.Configure({}, StartConsent::Memory::OncePerFolder);
    rec.messages.startAnswers = {StartAnswer::Allow};
    PreviewTutorial(project, rec.platform(), runner, system);

    EXPECT_TRUE(script.Done());
    EXPECT_EQ(rec.messages.Texts(RecordingMessages::Kind::AskToStart).size(), 1u);
    EXPECT_EQ(script.seen, (std::vector<QString>{"TAboutBox", "TIntDispForm", "TMenuForm", "TMenuForm", "TMenuForm",
                                                 "TAboutBox"}));
    // Both chapters ran with the tutorial's help file; afterwards the program's is back.
    EXPECT_EQ(runner.runs, (std::vector<std::string>{"SAFETY2.QKS TUT.HLP", "SAFETY1.QKS TUT.HLP"}));
    EXPECT_EQ(rec.platform().helpFile, ProgramHelpFile(home.path()));
    // The opening command ran its program, the closing command opened its page.
    ASSERT_EQ(system.runs.size(), 1u);
    EXPECT_TRUE(system.runs[0].program.endsWith("notepad")) << system.runs[0].program.toStdString();
    ASSERT_EQ(system.opened.size(), 1u);
    EXPECT_EQ(system.opened[0], QUrl("http://example.org/bye"));
    // The background window is gone.
    for (QWidget* w : QApplication::topLevelWidgets()) EXPECT_FALSE(w->objectName() == "TTutBackForm" && w->isVisible());
}

TEST_F(PreviewTutorialTest, StartingChapterTutorialWithEverythingOff) {
    project.Config.set(cfg::StartChapter, "SAFETY3");
    // The about box's ShowWhen alone does not show it.
    project.Config.set(cfg::About::ShowWhen, 2);
    PreviewTutorial(project, rec.platform(), runner, system);
    EXPECT_TRUE(script.seen.empty());
    EXPECT_EQ(runner.runs, (std::vector<std::string>{"SAFETY3.QKS QUILLDESK.HLP"}));
    EXPECT_TRUE(system.runs.empty());
    EXPECT_TRUE(rec.messages.shown.empty());
}

TEST_F(PreviewTutorialTest, ClosingTheMenuEndsTheLoop) {
    MenuTutorial();
    script.Add("TMenuForm", [](QWidget* w) { static_cast<QDialog*>(w)->reject(); });
    PreviewTutorial(project, rec.platform(), runner, system);
    EXPECT_TRUE(script.Done());
    EXPECT_TRUE(runner.runs.empty());
}

// Keys alone take a learner through the whole tutorial: Enter closes the about box, Escape the
// introduction, Tab and Enter pick in the main menu and reach its quit pick.
TEST_F(PreviewTutorialTest, TheWholeTutorialWorksFromTheKeyboard) {
    MenuTutorial();
    TTutorialConfig& c = project.Config;
    c.set(cfg::AboutOn, 1);
    c.set(cfg::About::ShowWhen, 2);
    c.set(cfg::IntroOn, 1);
    const auto keys = [](std::vector<Qt::Key> pressed) {
        return [pressed](QWidget* w) {
            // The window's own focus widget: the window may not be active yet.
            for (const Qt::Key k : pressed) QTest::keyClick(w->focusWidget() ? w->focusWidget() : w, k);
        };
    };
    script.Add("TAboutBox", keys({Qt::Key_Return}));
    script.Add("TIntDispForm", keys({Qt::Key_Escape}));
    script.Add("TMenuForm", keys({Qt::Key_Tab, Qt::Key_Return}));
    script.Add("TMenuForm", keys({Qt::Key_Return}));
    script.Add("TMenuForm", keys({Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Return}));
    script.Add("TAboutBox", keys({Qt::Key_Enter}));
    QObject watch;  // the watchdog goes with the test
    QTimer::singleShot(15000, &watch, [] {
        if (QWidget* w = QApplication::activeModalWidget()) {
            ADD_FAILURE() << "stuck in " << w->objectName().toStdString();
            w->close();
        }
    });
    PreviewTutorial(project, rec.platform(), runner, system);
    EXPECT_TRUE(script.Done());
    EXPECT_EQ(runner.runs, (std::vector<std::string>{"SAFETY2.QKS QUILLDESK.HLP", "SAFETY1.QKS QUILLDESK.HLP"}));
}

// The main menu's screen at 2 x: every part twice as big, the picks still picked with Enter;
// fitted to its parent (the learner's player's background) it takes the whole multiple.
TEST_F(PreviewTutorialTest, TheMainMenuScalesWithItsScreen) {
    MenuTutorial();
    const LearnerScreenContext context{project.Config, project.ProjectDir, rec.platform()};
    MainMenuDialog one(context, false);
    MainMenuDialog two(context, false);
    const ScreenScale twice{2.0, false};
    two.SetScale(twice);
    EXPECT_EQ(two.Area()->parentWidget()->size(), QSize(1280, 960));
    EXPECT_EQ(two.MenuPanel()->size(), twice.map(one.MenuPanel()->size()));
    for (int n = 1; n <= 2; ++n) EXPECT_EQ(two.Pick(n)->geometry(), twice.map(one.Pick(n)->geometry()));
    EXPECT_EQ(two.QuitPick()->geometry(), twice.map(one.QuitPick()->geometry()));
    EXPECT_DOUBLE_EQ(two.Pick(1)->font().pointSizeF(), 2 * one.Pick(1)->font().pointSizeF());

    QWidget background;
    background.resize(1400, 1100);
    QSize shown;
    script.Add("TMenuForm", [&](QWidget* w) {
        shown = w->findChild<QWidget*>(QStringLiteral("ScreenPnl"))->size();
        QTest::keyClick(w->focusWidget() ? w->focusWidget() : w, Qt::Key_Return);
    });
    const MainMenuChoice choice = ShowMainMenu(context, false, &background, ScaleMode::Fit);
    EXPECT_EQ(shown, QSize(1280, 960));
    EXPECT_FALSE(choice.quit);
    EXPECT_EQ(choice.chapter, "SAFETY1");
}

// The about box and the introduction take the scale of the learner's screen: fitted over a
// background with room for 2 x they are twice as big, their texts too, and the about box of the
// introduction's About item takes the introduction's scale.
TEST_F(PreviewTutorialTest, TheAboutBoxAndTheIntroductionScaleWithTheScreen) {
    TTutorialConfig& c = project.Config;
    c.set(cfg::AboutOn, 1);
    c.set(cfg::Intro::UseMenuBar, 1);
    c.set(cfg::About::ProgramName, "Pump school");
    const LearnerScreenContext context{project.Config, project.ProjectDir, rec.platform()};
    const ScreenScale twice{2.0, false};

    TutorialAboutBox one(context);
    TutorialAboutBox two(context);
    two.SetScale(twice);
    auto* name1 = one.findChild<QLabel*>(QStringLiteral("Comments"));
    auto* name2 = two.findChild<QLabel*>(QStringLiteral("Comments"));
    ASSERT_TRUE(name1 && name2);
    EXPECT_DOUBLE_EQ(name2->font().pointSizeF(), 2 * name1->font().pointSizeF());
    EXPECT_EQ(name2->minimumSize(), twice.map(name1->minimumSize()));
    EXPECT_GE(two.sizeHint().width(), 19 * one.sizeHint().width() / 10);
    EXPECT_GE(two.sizeHint().height(), 19 * one.sizeHint().height() / 10);

    const std::vector<std::string> text{"{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 Open the valve.\\par}"};
    const auto firstPoints = [](QWidget* w) {
        const QTextBlock block = w->findChild<QTextBrowser*>(QStringLiteral("RichEdit1"))->document()->begin();
        return block.begin().fragment().charFormat().fontPointSize();
    };
    IntroductionDialog plain(context, text);
    const double points = firstPoints(&plain);
    ASSERT_GT(points, 0);

    QWidget background;
    background.resize(1400, 1100);
    QSize screenShown, textShown;
    double pointsShown = 0;
    int aboutWidth = 0;
    script.Add("TIntDispForm", [&](QWidget* w) {
        screenShown = w->findChild<QWidget*>(QStringLiteral("ScreenPnl"))->size();
        textShown = w->findChild<QWidget*>(QStringLiteral("RichEdit1"))->size();
        pointsShown = firstPoints(w);
        auto* about = w->findChild<QAction*>(QStringLiteral("AboutItem"));
        ASSERT_NE(about, nullptr);
        // From a later event, as a person would: the about box, then Escape for the introduction.
        QTimer::singleShot(0, w, [w, about] {
            about->trigger();
            QTest::keyClick(w, Qt::Key_Escape);
        });
    });
    script.Add("TAboutBox", [&](QWidget* w) {
        aboutWidth = w->width();
        QTest::keyClick(w->focusWidget() ? w->focusWidget() : w, Qt::Key_Return);
    });
    ShowIntroduction(context, text, &background, ScaleMode::Fit);
    EXPECT_TRUE(script.Done());
    EXPECT_EQ(screenShown, QSize(1280, 960));
    EXPECT_EQ(textShown, twice.map(plain.Screen()->TextWindow()->size()));
    EXPECT_DOUBLE_EQ(pointsShown, 2 * points);
    EXPECT_EQ(aboutWidth, two.sizeHint().width());
}
