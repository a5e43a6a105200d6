// From a new tutorial to a distribution folder through the main window: the tutorial type,
// the whole-tutorial preview, the compile dialog and the distribution.
#include <QListWidget>
#include <QProgressDialog>
#include <QTreeView>

#include "../design/design_fixture.h"
#include "app/main_window.h"
#include "app/tutorial_actions.h"
#include "build/compiler.h"
#include "build/distribute.h"
#include "design/menu_chapters_designer.h"
#include "platform/system_services.h"

using namespace quill;
using namespace quill::test;
namespace fs = std::filesystem;

namespace {

struct TutorialPathTest : DesignFixture {
    RecordingChapterRunner runner;
    RecordingSystem system;
    MainWindow form{project, rec.platform(), runner};
    TutorialActions actions{project, rec.platform(), runner, system};
    fs::path startDir = fs::current_path();

    TutorialPathTest() {
        actions.Connect(form);
        form.UpdateButtons();
    }
    ~TutorialPathTest() override {
        std::error_code ec;
        fs::current_path(startDir, ec);
    }
    QPushButton* Button(const char* name) { return form.findChild<QPushButton*>(name); }
};

}  // namespace

TEST_F(TutorialPathTest, TypeThenPreviewCompileAndDistribute) {
    InProject("SAFETY1.QKS", "First chapter\r\n*Wait\r\n");
    InProject("SAFETY2.QKS", "Second\r\n");
    Picture(project.ProjectDir / "PIC.BMP");
    InProject("SAFETY3.QKS", "*ShowImage 1 1 pic.bmp\r\n");
    home.write("QUILPLAY.EXE", "player");
    form.UpdateButtons();
    EXPECT_FALSE(Button("PreviewBtn")->isEnabled());

    // The tutorial type: a starting-chapter tutorial starting with SAFETY2, picked in the list.
    WhenShown("TTutConfigForm", [&](QWidget* dialog) {
        EXPECT_TRUE(Find<QRadioButton>(dialog, "StartRb")->isChecked());
        auto* list = Find<QListWidget>(dialog, "ChapterListBox");
        ASSERT_EQ(list->count(), 3);
        list->setCurrentRow(1);
        EXPECT_EQ(Find<QLineEdit>(dialog, "ChapterEdit")->text(), "SAFETY2");
        Click(dialog, "SaveBtn");
    });
    Button("ConfigBtn")->click();
    EXPECT_EQ(project.Config.get(cfg::StartChapter), "SAFETY2");
    EXPECT_EQ(ReadConfigRecord(project.ProjectFilePath()), project.Config);
    EXPECT_TRUE(Button("PreviewBtn")->isEnabled());
    EXPECT_TRUE(Button("CompileBtn")->isEnabled());
    EXPECT_TRUE(Button("DistribBtn")->isEnabled());

    // The preview: every switch off, so the starting chapter alone runs.
    Button("PreviewBtn")->click();
    ASSERT_EQ(runner.runs.size(), 1u);
    EXPECT_EQ(runner.runs[0].chapterFile, "SAFETY2.QKS");
    EXPECT_FALSE(form.findChild<QFrame*>("MenuPnl")->isHidden());

    // Compile Full Tutorial; the dialog stays open for the next action, Close.
    std::shared_ptr<bool> closed;
    WhenShown("TCompileForm", [&](QWidget* dialog) {
        Click(dialog, "CompileAllBtn");
        closed = Later(dialog, [dialog] { Click(dialog, "CloseBtn"); });
    });
    Button("CompileBtn")->click();
    ASSERT_TRUE(closed);
    EXPECT_TRUE(*closed);
    EXPECT_EQ(rec.messages.Texts(RecordingMessages::Kind::Info),
              std::vector<QString>{"The Tutorial has been compiled successfully.\r\n\r\nUse Quilplay to display the "
                                   "compiled Tutorial."});
    for (const char* file : {"SAFETY1.QKC", "SAFETY2.QKC", "SAFETY3.QKC", "SAFETY.QKD"})
        EXPECT_TRUE(fs::exists(project.ProjectDir / file)) << file;

    // The distribution: the project folder is refused, then a new folder is made and filled.
    rec.messages.Clear();
    const fs::path target = elsewhere / "dist";
    int shown = 0;
    std::function<void(QWidget*)> answer = [&](QWidget* dialog) {
        ++shown;
        Type(dialog, "DirEdit", QString::fromStdString(project.ProjectDir.string()));
        Click(dialog, "OKBtn");
        EXPECT_TRUE(dialog->isVisible());
        Type(dialog, "DirEdit", QString::fromStdString(target.string()));
        Click(dialog, "OKBtn");
    };
    WhenShown("TDistribForm", answer);
    Button("DistribBtn")->click();
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(rec.messages.Texts(RecordingMessages::Kind::Error),
              std::vector<QString>{"Files cannot be copied to Project directory."});
    EXPECT_EQ(rec.messages.Texts(RecordingMessages::Kind::Message),
              std::vector<QString>{"All the files have been copied to the Directory " +
                                   QString::fromStdString(target.string()) + "/"});
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(target)) files.push_back(entry.path().filename().string());
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::string>{"PIC.BMP", "QUILPLAY.EXE", "SAFETY.QKD", "SAFETY.desktop",
                                               "SAFETY.sh", "SAFETY1.QKC", "SAFETY2.QKC", "SAFETY3.QKC"}));
}

TEST_F(TutorialPathTest, CompileOneChapterAndTheDataFileWithTheirMessages) {
    InProject("SAFETY1.QKS", "AB\r\n");
    InProject("SAFETY2.QKS", "");
    project.Config.set(cfg::StartChapter, "SAFETY1");
    form.UpdateButtons();
    // The chooser shows the chapters with the first selected; an empty chapter fails.
    auto compileOne = [&](int row) {
        WhenShown("TCompileForm", [&, row](QWidget* dialog) {
            WhenShown("TChapListForm", [row](QWidget* chooser) {
                auto* list = Find<QListWidget>(chooser, "FileListBox1");
                EXPECT_EQ(list->count(), 2);
                if (row == 0) {
                    EXPECT_EQ(list->currentRow(), 0);
                }
                list->setCurrentRow(row);
                Click(chooser, "SelectBtn");
            });
            Click(dialog, "CompileChapterBtn");
            Later(dialog, [dialog] {
                Click(dialog, "CompileDataBtn");
                Later(dialog, [dialog] { Click(dialog, "CloseBtn"); });
            });
        });
        Button("CompileBtn")->click();
    };
    compileOne(0);
    EXPECT_EQ(TempFolder::read(project.ProjectDir / "SAFETY1.QKC"), std::string("\x42\x01\x43\r\n"));
    EXPECT_EQ(rec.messages.Texts(RecordingMessages::Kind::Info),
              (std::vector<QString>{"The Tutorial Chapter File SAFETY1.QKC has been compiled successfully.\r\n\r\n"
                                    "Use Quilplay to display the compiled Tutorial.",
                                    "The Tutorial Data File SAFETY.QKD has been compiled successfully.\r\n\r\n"
                                    "Use Quilplay to display the compiled Tutorial."}));
    rec.messages.Clear();
    compileOne(1);
    EXPECT_EQ(rec.messages.Texts(RecordingMessages::Kind::Error),
              std::vector<QString>{"Unable to compile the Tutorial Chapter File."});
}

// A main-menu tutorial is made in the tutorial-type dialog: it hides while each designer runs
// and is still there, with the designers' work in its copy, for the next click.
TEST_F(TutorialPathTest, MainMenuTutorialIsMadeThroughTheTypeDialog) {
    InProject("SAFETY1.QKS", "x\r\n");
    std::shared_ptr<bool> designed, saved;
    WhenShown("TTutConfigForm", [&](QWidget* dialog) {
        Click(dialog, "MenuRb");
        WhenShown("TMenuChapterForm", [](QWidget* w) {
            auto* chapters = static_cast<MenuChaptersDesigner*>(w);
            chapters->TopicEdit(1)->setText("First");
            chapters->FileEdit(1)->setText("SAFETY1");
            Click(w, "OKBtn");
        });
        Click(dialog, "DefineChaptersBtn");
        designed = Later(dialog, [&, dialog] {
            EXPECT_TRUE(dialog->isVisible());
            WhenShown("TMenuDScreenForm", [](QWidget* w) {
                Type(w, "QuitPickEdit", "Leave");
                Click(w, "OKBtn");
            });
            Click(dialog, "DesignMenuBtn");
            saved = Later(dialog, [dialog] { Click(dialog, "SaveBtn"); });
        });
    });
    Button("ConfigBtn")->click();
    ASSERT_TRUE(designed && *designed);
    ASSERT_TRUE(saved && *saved);
    namespace M = cfg::MainMenu;
    EXPECT_EQ(project.Config.get(cfg::TutorialType), 1);
    EXPECT_EQ(project.Config.get(M::ChapterCount), 1);
    EXPECT_EQ(project.Config.get(M::Chapter(1).Topic), "First");
    EXPECT_EQ(project.Config.get(M::Chapter(1).FileName), "SAFETY1");
    EXPECT_EQ(project.Config.get(M::QuitPick), "Leave");
    EXPECT_EQ(ReadConfigRecord(project.ProjectFilePath()), project.Config);
}

TEST_F(TutorialPathTest, DistributionGoesOnWithoutThePlayerAndCancelCopiesNothing) {
    InProject("SAFETY1.QKS", "x\r\n");
    project.Config.set(cfg::StartChapter, "SAFETY1");
    form.UpdateButtons();
    // The edit proposes a new folder beside the project's, never the folder that holds it.
    QString proposed;
    WhenShown("TDistribForm", [&](QWidget* dialog) {
        proposed = Find<QLineEdit>(dialog, "DirEdit")->text();
        Type(dialog, "DirEdit", QString::fromStdString((elsewhere / "out").string()));
        Click(dialog, "OKBtn");
    });
    Button("DistribBtn")->click();
    EXPECT_EQ(proposed, QString::fromStdString((home / "SAFETY distribution").string()));
    // Without QUILPLAY.EXE the distribution is for Linux learners: it goes on (and stops here
    // because nothing is compiled yet).
    EXPECT_EQ(rec.messages.Texts(RecordingMessages::Kind::Info),
              std::vector<QString>{QString::fromStdString(quill::NoWindowsPlayerInfo("SAFETY"))});
    EXPECT_EQ(rec.messages.Texts(RecordingMessages::Kind::Error),
              std::vector<QString>{"SAFETY.QKD was not found. Please create the Data program."});
    rec.messages.Clear();
    WhenShown("TDistribForm", [&](QWidget* dialog) { Click(dialog, "CancelBtn"); });
    Button("DistribBtn")->click();
    EXPECT_TRUE(rec.messages.shown.empty());
    EXPECT_FALSE(fs::exists(elsewhere / "out"));
}

// While the whole tutorial plays, the main window's panel is hidden; it comes back afterwards.
TEST_F(DesignFixture, PreviewHidesTheMainPanelMeanwhile) {
    struct PanelRunner : ChapterRunner {
        QWidget* panel = nullptr;
        std::vector<bool> hidden;
        void RunChapter(Project&, const std::string&) override { hidden.push_back(panel->isHidden()); }
    } runner;
    RecordingSystem system;
    MainWindow form(project, rec.platform(), runner);
    TutorialActions actions(project, rec.platform(), runner, system);
    actions.Connect(form);
    runner.panel = form.findChild<QFrame*>("MenuPnl");
    InProject("SAFETY1.QKS", "x\r\n");
    project.Config.set(cfg::StartChapter, "SAFETY1");
    form.UpdateButtons();
    runner.panel->show();
    form.Button(control::PreviewBtn)->click();
    EXPECT_EQ(runner.hidden, std::vector<bool>{true});
    EXPECT_FALSE(runner.panel->isHidden());
}
