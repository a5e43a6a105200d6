#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QFileSystemModel>
#include <QTest>
#include <QScreen>
#include <QTreeView>

#include "../format/test_folder.h"
#include "app/main_window.h"
#include "app/new_tutorial_folder_dialog.h"
#include "platform/platform.h"
#include "window_driver.h"
#include "../qstring_printer.h"

using namespace quill;
using namespace quill::test;
namespace fs = std::filesystem;

namespace quill::test {
void RecordingChapterRunner::RunChapter(Project& project, const std::string& chapterFile) {
    runs.push_back({chapterFile, TempFolder::read(project.FilePath(chapterFile))});
    if (during) during();
}
}  // namespace quill::test

namespace {

// The main window over a project that starts in a temporary home folder.
struct MainWindowFixture : ::testing::Test {
    TempFolder home;
    Project project{home.path()};
    RecordingPlatform rec{home.path()};
    RecordingChapterRunner runner;
    MainWindow form{project, rec.platform(), runner};
    fs::path startDir = fs::current_path();

    ~MainWindowFixture() override {
        std::error_code ec;
        fs::current_path(startDir, ec);
    }

    QPushButton* button(const char* name) { return form.findChild<QPushButton*>(name); }
    QString projectLabel() { return form.findChild<QLabel*>("ProjectLbl")->text(); }
    std::vector<std::string> enabledButtons() {
        std::vector<std::string> out;
        for (const char* name : {"SelectBtn", "StartBtn", "ConfigBtn", "EditBtn", "ViewBtn", "PreviewBtn",
                                 "CompileBtn", "DistribBtn", "ScreensBtn", "ToolsBtn", "CustProgBtn", "AboutBtn",
                                 "HelpBtn", "TutBtn", "QuitBtn"})
            if (button(name)->isEnabled()) out.push_back(name);
        return out;
    }
    // Creates a tutorial through the new-tutorial dialog.
    void createThroughDialog(const fs::path& folder, const QString& name) {
        WhenShown("TMakeDirForm", [&](QWidget* dialog) {
            Child<QLineEdit>(dialog, "DirEdit")->setText(QString::fromStdString(folder.string()));
            Child<QLineEdit>(dialog, "NameEdit")->setText(name);
            Child<QPushButton>(dialog, "OKBtn")->click();
        });
        button("StartBtn")->click();
    }
};

const std::vector<std::string> kAlways = {"SelectBtn", "StartBtn", "AboutBtn", "HelpBtn", "TutBtn", "QuitBtn"};
const std::vector<std::string> kProjectOpen = {"SelectBtn", "StartBtn", "ConfigBtn", "EditBtn", "ScreensBtn",
                                               "ToolsBtn", "CustProgBtn", "AboutBtn", "HelpBtn", "TutBtn", "QuitBtn"};

}  // namespace

TEST_F(MainWindowFixture, EveryButtonHasItsCaptionHintAndHelpTopic) {
    struct Expected {
        const char* name;
        const char* caption;
        int topic;
    };
    for (const Expected& e : std::vector<Expected>{
             {"SelectBtn", "&Select a Tutorial", 120}, {"StartBtn", "Create &New Tutorial", 100},
             {"ConfigBtn", "&Define Tutorial Type", 140}, {"EditBtn", "Create/&Edit Chapter", 160},
             {"ViewBtn", "&View a Chapter", 180}, {"PreviewBtn", "&Pre-View Tutorial", 260},
             {"CompileBtn", "&Compile Tutorial", 270}, {"DistribBtn", "Prepare Distri&bution", 290},
             {"ScreensBtn", "&Tutorial Presentation", 200}, {"ToolsBtn", "Teaching &Aids", 240},
             {"CustProgBtn", "P&rogram Presentation", 230}, {"AboutBtn", "Abo&ut This Program", 80},
             {"HelpBtn", "&Help", 1}, {"TutBtn", "&Instructions", 1}, {"QuitBtn", "&Quit", 1}}) {
        QPushButton* b = button(e.name);
        ASSERT_NE(b, nullptr) << e.name;
        EXPECT_EQ(b->text(), e.caption);
        EXPECT_EQ(b->statusTip(), " Press F1 for Help");
        EXPECT_EQ(HelpTopicOf(b), e.topic) << e.name;
    }
    EXPECT_EQ(form.windowTitle(), "Quillmark for Windows - Ver 1.9");
    EXPECT_EQ(projectLabel(), "None Selected");
    EXPECT_EQ(enabledButtons(), kAlways);
}

TEST_F(MainWindowFixture, StartTimerShowsThePanelFocusesHelpAndGivesTheColourAdvisoryOnce) {
    form.SetLowColor(true);
    auto* panel = form.findChild<QWidget*>("MenuPnl");
    EXPECT_FALSE(panel->isVisible());
    form.show();
    QApplication::setActiveWindow(&form);
    QTRY_VERIFY_WITH_TIMEOUT(panel->isVisible(), kEventWaitMs);
    EXPECT_EQ(QApplication::focusWidget(), button("HelpBtn"));
    form.hide();
    form.show();
    QTest::qWait(20);
    ASSERT_EQ(rec.messages.Texts(RecordingMessages::Kind::Info).size(), 1u);
    EXPECT_EQ(rec.messages.shown[0].text,
              "Your video Display mode is set at 256 colors.\n\r\n\rThe graphics in this program need High Color\n\r"
              "or True Color. At the Start Menu select Settings\n\rthen Control Panel then Display - Settings to\n\r"
              "change the video Display mode");
    // Centred on the background.
    const QWidget* back = panel->parentWidget();
    EXPECT_EQ(panel->x(), back->width() / 2 - panel->width() / 2);
    EXPECT_EQ(panel->y(), back->height() / 2 - panel->height() / 2);
    EXPECT_EQ(panel->size(), QSize(385, 353));
}

TEST_F(MainWindowFixture, CreatingATutorialThroughTheDialogMakesItsProjectFileAndEnablesItsButtons) {
    form.show();
    QApplication::setActiveWindow(&form);
    QTRY_VERIFY_WITH_TIMEOUT(form.findChild<QWidget*>("MenuPnl")->isVisible(), kEventWaitMs);
    WhenShown("TMakeDirForm", [](QWidget* dialog) { Child<QPushButton>(dialog, "CancelBtn")->click(); });
    button("StartBtn")->click();
    EXPECT_EQ(form.focusWidget(), button("SelectBtn"));

    createThroughDialog(home / "tuts", "safety");
    EXPECT_EQ(form.focusWidget(), button("ConfigBtn"));
    const fs::path file = home / "tuts" / "safety.QKJ";
    ASSERT_TRUE(fs::exists(file)) << rec.messages.LastText();
    EXPECT_EQ(fs::file_size(file), 7128u);
    EXPECT_EQ(projectLabel(), "safety");
    EXPECT_EQ(fs::current_path(), home / "tuts");
    EXPECT_EQ(enabledButtons(), kProjectOpen);
    EXPECT_TRUE(rec.messages.shown.empty());

    // The first chapter, then the tutorial type naming it as the starting chapter.
    home.write("tuts/safety1.QKS", "*ClearScreen Blue\r\n");
    form.UpdateButtons();
    std::vector<std::string> withChapter = kProjectOpen;
    withChapter.insert(withChapter.begin() + 4, "ViewBtn");
    EXPECT_EQ(enabledButtons(), withChapter);
    project.Config.set(cfg::TutorialType, 0);
    project.Config.set(cfg::StartChapter, "SAFETY1");  // found ignoring case
    form.UpdateButtons();
    EXPECT_EQ(enabledButtons().size(), 15u);

    // A main-menu tutorial whose first entry names a missing chapter cannot be previewed.
    project.Config.set(cfg::TutorialType, 1);
    project.Config.set(cfg::MainMenu::Chapter(1).FileName, "safety9");
    form.UpdateButtons();
    EXPECT_EQ(enabledButtons(), withChapter);
}

TEST_F(MainWindowFixture, NewTutorialNamesAreCheckedBeforeTheDialogCloses) {
    struct Case {
        const char* name;
        const char* message;
    };
    for (const Case& c : std::vector<Case>{{"", "A filename must be entered."},
                                           {"safe;ty", "A correct filename must be entered."},
                                           {"a*b", "A correct filename must be entered."},
                                           {"x|y", "A correct filename must be entered."}}) {
        rec.messages.Clear();
        NewTutorialFolderDialog dialog(rec.platform(), "*.QKJ", "Enter Tutorial Name", 105, home.path());
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        Child<QLineEdit>(&dialog, "NameEdit")->setText(c.name);
        Child<QPushButton>(&dialog, "OKBtn")->click();
        EXPECT_TRUE(dialog.isVisible()) << c.name;
        EXPECT_EQ(rec.messages.Texts(RecordingMessages::Kind::Error), std::vector<QString>{c.message}) << c.name;
        EXPECT_EQ(QApplication::focusWidget(), Child<QLineEdit>(&dialog, "NameEdit"));
    }
    // A name with a period and a folder that does not exist yet are accepted.
    NewTutorialFolderDialog dialog(rec.platform(), "*.QKJ", "Enter Tutorial Name", 105, home.path());
    EXPECT_EQ(Child<QLabel>(&dialog, "NameLbl")->text(), "Enter Tutorial Name");
    Child<QLineEdit>(&dialog, "DirEdit")->setText("new/deeper");
    Child<QLineEdit>(&dialog, "NameEdit")->setText("safety.v2");
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Folder(), home / "new/deeper");
    EXPECT_EQ(dialog.Name(), "safety.v2");
}

TEST_F(MainWindowFixture, TheDialogListsTheFolderTutorialsAndTakesAClickedName) {
    home.write("a/ALPHA.QKJ", "");
    home.write("a/beta.qkj", "");
    home.write("a/notes.txt", "");
    NewTutorialFolderDialog dialog(rec.platform(), "*.QKJ", "Enter Tutorial Name", 105, home / "a");
    auto* list = Child<QListWidget>(&dialog, "FileListBox1");
    ASSERT_EQ(list->count(), 2);
    // The folder list opens at the start folder once it has read the folders leading there,
    // and a click on another folder puts it into the folder edit and lists its tutorials.
    dialog.show();
    auto* folders = Child<QTreeView>(&dialog, "DirectoryListBox1");
    auto* model = static_cast<QFileSystemModel*>(folders->model());
    QTRY_COMPARE_WITH_TIMEOUT(model->filePath(folders->currentIndex()), QString::fromStdString((home / "a").string()), kEventWaitMs);
    home.write("b/GAMMA.QKJ", "");
    const QModelIndex b = model->index(QString::fromStdString((home / "b").string()));
    folders->scrollTo(b);
    QTest::mouseClick(folders->viewport(), Qt::LeftButton, {}, folders->visualRect(b).center());
    EXPECT_EQ(Child<QLineEdit>(&dialog, "DirEdit")->text(), QString::fromStdString((home / "b").string()));
    ASSERT_EQ(list->count(), 1);
    Child<QLineEdit>(&dialog, "DirEdit")->setText(QString::fromStdString((home / "a").string()));
    emit Child<QLineEdit>(&dialog, "DirEdit")->textEdited("");
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(1)->text(), "beta.qkj");
    emit list->itemClicked(list->item(1));
    EXPECT_EQ(Child<QLineEdit>(&dialog, "NameEdit")->text(), "beta.qkj");
}

TEST_F(MainWindowFixture, TheFolderListOpensAtTheStartFolderAndFollowsTheKeyboard) {
    home.write("a/x", "");
    home.write("b/x", "");
    home.write("c/SAFETY.QKJ", "");
    NewTutorialFolderDialog dialog(rec.platform(), "*.QKJ", "Enter Tutorial Name", 105, home / "a");
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    auto* folders = Child<QTreeView>(&dialog, "DirectoryListBox1");
    auto* model = static_cast<QFileSystemModel*>(folders->model());
    const auto path = [&](const char* name) { return QString::fromStdString((home / name).string()); };
    QTRY_COMPARE_WITH_TIMEOUT(model->filePath(folders->currentIndex()), path("a"), kEventWaitMs);
    // Once the folders have been read, the start folder is in view, not the top of the tree.
    QTRY_VERIFY_WITH_TIMEOUT(folders->viewport()->rect().contains(folders->visualRect(folders->currentIndex())), kEventWaitMs);

    // Down twice moves to c (once the model has read the siblings): the edit, the file list and
    // OK follow.
    QTRY_COMPARE_WITH_TIMEOUT(model->rowCount(folders->currentIndex().parent()), 3, kEventWaitMs);
    folders->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(Child<QLineEdit>(&dialog, "DirEdit")->text(), path("a"));  // focus alone changes nothing
    QTest::keyClick(folders, Qt::Key_Down);
    EXPECT_EQ(Child<QLineEdit>(&dialog, "DirEdit")->text(), path("b"));
    QTest::keyClick(folders, Qt::Key_Down);
    EXPECT_EQ(Child<QLineEdit>(&dialog, "DirEdit")->text(), path("c"));
    auto* list = Child<QListWidget>(&dialog, "FileListBox1");
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), "SAFETY.QKJ");
    Child<QLineEdit>(&dialog, "NameEdit")->setText("safety");
    Child<QPushButton>(&dialog, "OKBtn")->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Folder(), home / "c");
}

TEST_F(MainWindowFixture, OpensMaximisedWithAFixedBorder) {
    EXPECT_FALSE(form.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(form.windowFlags() & Qt::WindowMinimizeButtonHint);
    form.showMaximized();
    QTRY_VERIFY_WITH_TIMEOUT(form.minimumSize() == form.maximumSize(), kEventWaitMs);
    // It keeps the size the window system gave the maximised window, and cannot be resized.
    const QRect area = form.screen()->availableGeometry();
    QTRY_COMPARE_WITH_TIMEOUT(form.size(), form.maximumSize(), kEventWaitMs);
    EXPECT_EQ(form.frameGeometry().width(), area.width());
    EXPECT_EQ(form.frameGeometry().height(), area.height());
    form.resize(600, 400);
    EXPECT_EQ(form.size(), form.maximumSize());
}

TEST_F(MainWindowFixture, CancellingANewTutorialKeepsTheOpenProjectAndFolder) {
    createThroughDialog(home / "first", "first");
    ASSERT_EQ(project.ProjectName, "first");
    fs::current_path(home.path());
    WhenShown("TMakeDirForm", [](QWidget* dialog) {
        Child<QLineEdit>(dialog, "NameEdit")->setText("second");
        Child<QPushButton>(dialog, "CancelBtn")->click();
    });
    button("StartBtn")->click();
    EXPECT_EQ(project.ProjectName, "first");
    EXPECT_EQ(projectLabel(), "first");
    EXPECT_EQ(fs::current_path(), home / "first");
    EXPECT_FALSE(fs::exists(home / "first" / "second.QKJ"));
}

TEST_F(MainWindowFixture, AFolderThatCannotBeCreatedIsReportedAndChangesNothing) {
    home.write("blocked", "a file where the folder should go");
    createThroughDialog(home / "blocked" / "sub", "safety");
    EXPECT_EQ(rec.messages.Texts(RecordingMessages::Kind::Error),
              std::vector<QString>{"Unable to create the directory " +
                                   QString::fromStdString((home / "blocked" / "sub").string()) + ": Not a directory"});
    EXPECT_FALSE(project.IsOpen());
    EXPECT_EQ(enabledButtons(), kAlways);
}

TEST_F(MainWindowFixture, SelectingATutorialOpensItInItsFolder) {
    Project other(home.path());
    NewTutorial(other, home / "tut", "safety");
    rec.dialogs.files = {home / "tut" / "safety.qkj"};
    button("SelectBtn")->click();
    ASSERT_EQ(rec.dialogs.requests.size(), 1u);
    const auto& request = rec.dialogs.requests[0].file;
    EXPECT_EQ(request.title, "Select a Tutorial File");
    EXPECT_EQ(request.filter, "Tutorial Files|*.QKJ");
    EXPECT_EQ(request.defaultSuffix, "QKJ");
    EXPECT_EQ(request.directory, home.path());
    EXPECT_EQ(project.ProjectFile, "SAFETY.QKJ");
    EXPECT_EQ(project.ProjectName, "SAFETY");
    EXPECT_EQ(project.DataFileName, "SAFETY.QKR");
    EXPECT_EQ(projectLabel(), "SAFETY");
    EXPECT_EQ(fs::current_path(), home / "tut");
    EXPECT_EQ(enabledButtons(), kProjectOpen);

    // A project file cut short is reported by the default error handler; the project stays.
    home.write("bad/SHORT.QKJ", "tiny");
    rec.dialogs.files = {home / "bad" / "SHORT.QKJ"};
    button("SelectBtn")->click();
    ASSERT_EQ(rec.messages.Texts(RecordingMessages::Kind::Error).size(), 1u);
    EXPECT_TRUE(rec.messages.LastText().contains("SHORT.QKJ")) << rec.messages.LastText();
    EXPECT_EQ(project.ProjectName, "SAFETY");
}

TEST_F(MainWindowFixture, F1OnAFocusedButtonOpensItsTopic) {
    form.show();
    QApplication::setActiveWindow(&form);
    QTRY_VERIFY_WITH_TIMEOUT(form.findChild<QWidget*>("MenuPnl")->isVisible(), kEventWaitMs);
    button("SelectBtn")->setFocus();
    QTest::keyClick(button("SelectBtn"), Qt::Key_F1);
    button("AboutBtn")->setFocus();
    QTest::keyClick(button("AboutBtn"), Qt::Key_F1);
    button("HelpBtn")->click();
    ASSERT_EQ(rec.help.requests.size(), 3u);
    EXPECT_EQ(rec.help.requests[0].helpFile, home / "QUILLDESK.HLP");
    EXPECT_EQ(rec.help.requests[0].topic, 120);
    EXPECT_EQ(rec.help.requests[1].topic, 80);
    EXPECT_EQ(rec.help.requests[2].topic, 1);
}

TEST_F(MainWindowFixture, ViewAChapterRunsTheChosenChapterThroughTheRunner) {
    createThroughDialog(home / "t", "demo");
    home.write("t/demo2.QKS", "b\r\n");
    home.write("t/DEMO1.qks", "a\r\n");
    home.write("t/other.QKS", "c\r\n");
    form.UpdateButtons();
    WhenShown("TViewChapForm", [](QWidget* dialog) {
        auto* list = Child<QListWidget>(dialog, "FileListBox1");
        EXPECT_EQ(list->count(), 2);
        EXPECT_EQ(list->currentRow(), 0);
        EXPECT_EQ(list->currentItem()->text(), "DEMO1.qks");
        Child<QPushButton>(dialog, "SelectBtn")->click();
    });
    button("ViewBtn")->click();
    ASSERT_EQ(runner.runs.size(), 1u);
    EXPECT_EQ(runner.runs[0].chapterFile, "DEMO1.QKS");
    EXPECT_EQ(runner.runs[0].bytesOnDisk, "a\r\n");
}

TEST_F(MainWindowFixture, ButtonsWithoutTheirWindowSaySoUntilGivenOne) {
    createThroughDialog(home / "t", "demo");
    button("CompileBtn")->setEnabled(true);
    button("ConfigBtn")->click();
    EXPECT_EQ(rec.messages.Texts(RecordingMessages::Kind::Info),
              std::vector<QString>{NotAvailableText("&Define Tutorial Type")});
    EXPECT_TRUE(rec.messages.LastText().contains("\"Define Tutorial Type\""));
    bool ran = false;
    form.SetAction(control::ConfigBtn, [&] { ran = true; });
    button("ConfigBtn")->click();
    EXPECT_TRUE(ran);
    EXPECT_EQ(rec.messages.shown.size(), 1u);
}
