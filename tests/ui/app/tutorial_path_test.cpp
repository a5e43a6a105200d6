// From a new tutorial to a distribution folder through the main window: the tutorial type,
// the whole-tutorial preview, the compile dialog and the distribution.
#include <QListWidget>
#include <QProgressDialog>
#include <QTreeView>

#include "../design/design_fixture.h"
#include "app/main_form.h"
#include "app/tutorial_actions.h"
#include "build/compiler.h"
#include "build/distribute.h"
#include "platform/system_services.h"

using namespace quill;
using namespace quill::test;
namespace fs = std::filesystem;

namespace {

struct TutorialPathTest : DesignFixture {
    RecordingChapterRunner runner;
    RecordingSystem system;
    TQMKmainform form{project, rec.platform(), runner};
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

    // Compile Full Tutorial, then close the dialog.
    WhenShown("TCompileForm", [&](QWidget* dialog) {
        Click(dialog, "CompileAllBtn");
        Click(dialog, "CloseBtn");
    });
    Button("CompileBtn")->click();
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
            EXPECT_TRUE(dialog->isVisible());
            Click(dialog, "CompileDataBtn");
            Click(dialog, "CloseBtn");
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

TEST_F(TutorialPathTest, DistributionGoesOnWithoutThePlayerAndCancelCopiesNothing) {
    InProject("SAFETY1.QKS", "x\r\n");
    project.Config.set(cfg::StartChapter, "SAFETY1");
    form.UpdateButtons();
    WhenShown("TDistribForm", [&](QWidget* dialog) {
        Type(dialog, "DirEdit", QString::fromStdString((elsewhere / "out").string()));
        Click(dialog, "OKBtn");
    });
    Button("DistribBtn")->click();
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
    TQMKmainform form(project, rec.platform(), runner);
    TutorialActions actions(project, rec.platform(), runner, system);
    actions.Connect(form);
    runner.panel = form.findChild<QFrame*>("MenuPnl");
    InProject("SAFETY1.QKS", "x\r\n");
    project.Config.set(cfg::StartChapter, "SAFETY1");
    form.UpdateButtons();
    runner.panel->show();
    form.Button("PreviewBtn")->click();
    EXPECT_EQ(runner.hidden, std::vector<bool>{true});
    EXPECT_FALSE(runner.panel->isHidden());
}
