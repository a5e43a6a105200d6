#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QTest>
#include <QTextBrowser>
#include <memory>

#include "../format/test_folder.h"
#include "app/program_about_box.h"
#include "app/instructions_menu.h"
#include "app/main_window.h"
#include "app/new_tutorial_folder_dialog.h"
#include "app/chapter_view_chooser.h"
#include "editor/chapter_name_dialog.h"
#include "editor/chapter_editor.h"
#include "platform/platform.h"
#include "platform/snapshots.h"
#include "window_driver.h"
#include "../qstring_printer.h"

using namespace quill;
using namespace quill::test;

// Every window fits a 1024 x 768 screen. With QUILLMARK_SNAPSHOT_DIR set, each is also saved
// there as a PNG, to look at.
TEST(WindowSizes, EveryWindowFitsA1024By768Screen) {
    TempFolder home;
    Project project(home.path());
    NewTutorial(project, home / "t", "demo");
    home.write("t/demo1.QKS", "*ClearScreen Blue\r\n");
    RecordingPlatform rec(home.path());
    RecordingChapterRunner runner;
    std::unique_ptr<SnapshotWriter> snapshots;
    if (!qEnvironmentVariableIsEmpty("QUILLMARK_SNAPSHOT_DIR"))
        snapshots = std::make_unique<SnapshotWriter>(qEnvironmentVariable("QUILLMARK_SNAPSHOT_DIR").toStdString());

    std::vector<std::unique_ptr<QWidget>> windows;
    windows.push_back(std::make_unique<NewTutorialFolderDialog>(rec.platform(), "*.QKJ", "Enter Tutorial Name", 105, home / "t"));
    windows.push_back(std::make_unique<ChapterViewChooser>(project, rec.platform()));
    windows.push_back(std::make_unique<ProgramAboutBox>(rec.platform()));
    windows.push_back(std::make_unique<InstructionsMenu>(QUILL_SHIPPED_DIR, rec.platform()));
    windows.push_back(std::make_unique<InstructionReader>(std::filesystem::path(QUILL_SHIPPED_DIR) / "instruct.RTF", rec.platform()));
    windows.push_back(std::make_unique<ChapterNameDialog>(rec.platform(), "demo", "demo1.QKS"));
    auto editor = std::make_unique<ChapterEditor>(project, rec.platform(), runner);
    editor->ChapterText()->setPlainText(QString::fromUtf8("*ClearScreen Blue\n^BWelcome^R to the caf\u00e9 \u20ac course\n*Wait"));
    windows.push_back(std::move(editor));
    HelpBrowser help;
    help.SetMessages(&rec.messages);
    help.ShowTopic(std::filesystem::path(QUILL_SHIPPED_DIR) / "QUILLDESK.HLP", 160);
    ASSERT_NE(help.Browser(), nullptr);
    QTest::qWait(120);
    EXPECT_LE(help.Browser()->window()->frameGeometry().height(), 768);
    EXPECT_TRUE(rec.messages.shown.empty());
    for (auto& window : windows) {
        window->show();
        QTest::qWait(120);
        EXPECT_LE(window->frameGeometry().width(), 1024) << window->objectName();
        EXPECT_LE(window->frameGeometry().height(), 768) << window->objectName();
        window->hide();
    }
}
