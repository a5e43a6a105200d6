// The sample tutorial's learner windows: its main menu offers the three chapters, its
// introduction shows the text of the data file, its about box names the program. (Its chapters
// are played headless by the command-line tests.)
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>

#include "datafile/data_file.h"
#include "platform/platform.h"
#include "platform/snapshots.h"
#include "common/tutorial_about_box.h"
#include "common/introduction_dialog.h"
#include "common/main_menu_dialog.h"
#include "project/project.h"

using namespace quill;
namespace fs = std::filesystem;

namespace {

struct SampleScreens : ::testing::Test {
    fs::path dir = QUILL_SAMPLE_DIR;
    TTutorialConfig config = ReadConfigRecord(dir / "MAPS.QKJ");
    RecordingPlatform rec;
    LearnerScreenContext context{config, dir, rec.platform()};
    // With QUILLMARK_SNAPSHOT_DIR set, the windows are saved there to be looked at.
    std::unique_ptr<SnapshotWriter> snapshots =
        qEnvironmentVariableIsEmpty("QUILLMARK_SNAPSHOT_DIR")
            ? nullptr
            : std::make_unique<SnapshotWriter>(qEnvironmentVariable("QUILLMARK_SNAPSHOT_DIR").toStdString());
};

}  // namespace

TEST_F(SampleScreens, TheMainMenuOffersTheThreeChaptersAndQuit) {
    MainMenuDialog menu(context, false);
    menu.show();
    QApplication::processEvents();
    const char* topics[] = {"Finding north", "Grid references", "Hills"};
    for (int n = 1; n <= 3; ++n) {
        EXPECT_TRUE(menu.Pick(n)->isVisible());
        EXPECT_EQ(menu.Pick(n)->text(), topics[n - 1]);
    }
    EXPECT_FALSE(menu.Pick(4)->isVisible());
    EXPECT_EQ(menu.QuitPick()->text(), "Quit");
    menu.Pick(2)->click();
    EXPECT_FALSE(menu.Choice().quit);
    EXPECT_EQ(menu.Choice().chapter, "MAPS2");
    EXPECT_TRUE(rec.messages.shown.empty());
}

TEST_F(SampleScreens, TheIntroductionAndTheAboutBoxShowTheirTexts) {
    TextLines text;
    ASSERT_TRUE(LoadIntroduction(dir / "MAPS.QKR", text));
    IntroductionDialog intro(context, text);
    intro.show();
    QApplication::processEvents();
    bool found = false;
    for (const QTextEdit* edit : intro.findChildren<QTextEdit*>())
        found = found || edit->toPlainText().contains("three short chapters");
    EXPECT_TRUE(found);

    TutorialAboutBox about(context);
    about.show();
    QApplication::processEvents();
    EXPECT_EQ(about.windowTitle(), "About Reading a Map");
    QStringList labels;
    for (const QLabel* label : about.findChildren<QLabel*>()) labels << label->text();
    EXPECT_TRUE(labels.join('\n').contains("Reading a Map")) << labels.join('\n').toStdString();
    EXPECT_TRUE(rec.messages.shown.empty());
}
