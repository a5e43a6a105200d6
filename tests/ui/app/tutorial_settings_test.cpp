// The tutorial type dialog, the program presentation dialog with its help file dialog and its
// background designer: their rules by tables, their windows by their controls.
#include <QListWidget>
#include <QTextEdit>

#include "../design/design_fixture.h"
#include "app/tutorial_background_designer.h"
#include "app/compile_window.h"
#include "app/distribution_window.h"
#include "app/help_file_chooser.h"
#include "app/program_presentation_settings.h"
#include "app/tutorial_type_settings.h"
#include "build/compiler.h"
#include "datafile/data_file.h"
#include "platform/system_services.h"

using namespace quill;
using namespace quill::test;
namespace fs = std::filesystem;
namespace P = cfg::Program;

namespace {

struct SettingsTest : DesignFixture {
    RecordingSystem system;

    bool SaveProgramPresentation(const std::function<void(QWidget*)>& act) {
        WhenShown("TProgConfigForm", act);
        return ProgramPresentation(project, rec.platform(), system);
    }
    bool SaveTutorialType(const std::function<void(QWidget*)>& act) {
        WhenShown("TTutConfigForm", act);
        return DefineTutorialType(project, rec.platform());
    }
    bool HasIntroduction() { return HasEntryOfSource(project.DataFilePath(), kSourceIntro); }
};

}  // namespace

TEST(TutorialTypeRules, StartChapterRefusalAndStoredName) {
    struct Case {
        std::string edit;
        bool refused;
        std::string stored;
    };
    for (const Case& c : std::vector<Case>{
             {"", false, ""},
             {"SAFETY1", false, "SAFETY1"},
             {"safety2.qks", false, "safety2"},
             {"OTHER1", true, "OTHER1"},
             {"SAFETY*1", false, ""},  // not a valid file name: nothing is stored
             {"SAFETY_a_very_long_chapter_name", false, "SAFETY_a_very_long_chapte"},  // cut to 25
         }) {
        EXPECT_EQ(StartChapterRefusal(c.edit, "SAFETY").has_value(), c.refused) << c.edit;
        EXPECT_EQ(StartChapterToStore(c.edit), c.stored) << c.edit;
    }
}

TEST_F(SettingsTest, TutorialTypeRefusesAForeignChapterAndStoresAnEmptyOne) {
    project.Config.set(cfg::StartChapter, "SAFETY1");
    project.SaveProject();
    EXPECT_TRUE(SaveTutorialType([](QWidget* dialog) {
        Type(dialog, "ChapterEdit", "OTHER1");
        Click(dialog, "SaveBtn");
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_TRUE(Find<QLineEdit>(dialog, "ChapterEdit")->text().isEmpty());
        Click(dialog, "SaveBtn");
    }));
    ASSERT_EQ(rec.messages.shown.size(), 1u);
    EXPECT_EQ(rec.messages.shown[0].kind, RecordingMessages::Kind::ErrorHelp);
    EXPECT_EQ(rec.messages.shown[0].topic, 1010);
    EXPECT_EQ(project.Config.get(cfg::StartChapter), "");
    EXPECT_FALSE(project.StartingFileExists());
    EXPECT_EQ(ReadConfigRecord(project.ProjectFilePath()), project.Config);
}

TEST_F(SettingsTest, TutorialTypeMainMenuKeepsTheStartChapterAndCancelChangesNothing) {
    project.Config.set(cfg::StartChapter, "SAFETY1");
    project.SaveProject();
    const TTutorialConfig before = project.Config;
    EXPECT_FALSE(SaveTutorialType([](QWidget* dialog) {
        Click(dialog, "MenuRb");
        Click(dialog, "CancelBtn");
    }));
    EXPECT_EQ(project.Config, before);
    EXPECT_TRUE(SaveTutorialType([](QWidget* dialog) {
        EXPECT_FALSE(Find<QWidget>(dialog, "MenuGrp")->isVisible());
        Click(dialog, "MenuRb");
        EXPECT_TRUE(Find<QWidget>(dialog, "MenuGrp")->isVisible());
        EXPECT_FALSE(Find<QWidget>(dialog, "StartGrp")->isVisible());
        // The menu designers work on the dialog's copy and hide it meanwhile.
        WhenShown("TMenuDScreenForm", [dialog](QWidget* designer) {
            EXPECT_FALSE(dialog->isVisible());
            Type(designer, "QuitPickEdit", "Leave");
            Click(designer, "OKBtn");
        });
        Click(dialog, "DesignMenuBtn");
        EXPECT_TRUE(dialog->isVisible());
        Click(dialog, "SaveBtn");
    }));
    EXPECT_EQ(project.Config.get(cfg::TutorialType), 1);
    EXPECT_EQ(project.Config.get(cfg::StartChapter), "SAFETY1");
    EXPECT_EQ(project.Config.get(cfg::MainMenu::QuitPick), "Leave");
}

TEST(ProgramPresentationRules, IconAndHelpSettings) {
    struct IconCase {
        bool on;
        std::string file;
        int storedOn;
        std::string storedFile;
    };
    for (const IconCase& c : std::vector<IconCase>{
             {true, "APP.ICO", 1, "APP.ICO"}, {true, "", 0, ""}, {false, "APP.ICO", 0, ""}, {false, "", 0, ""}}) {
        TTutorialConfig r;
        SetConfigDefaults(r);
        StoreIconSettings(r, c.on, c.file);
        EXPECT_EQ(r.get(P::IconOn), c.storedOn) << c.on << c.file;
        EXPECT_EQ(r.get(P::IconFile), c.storedFile) << c.on << c.file;
    }
    struct HelpCase {
        bool on;
        std::string file;
        int topic;
        int storedOn;
        std::string storedFile;
        int storedTopic;
    };
    for (const HelpCase& c : std::vector<HelpCase>{
             {true, "TUT.HLP", 3, 1, "TUT.HLP", 3},
             {true, "", 3, 0, "", 0},
             {true, "TUT.HLP", 0, 0, "", 0},
             {false, "TUT.HLP", 3, 0, "", 0},
         }) {
        TTutorialConfig r;
        SetConfigDefaults(r);
        r.set(P::HelpFile, c.file);
        r.set(P::HelpTopic, c.topic);
        StoreHelpSettings(r, c.on);
        EXPECT_EQ(r.get(P::HelpOn), c.storedOn) << c.file << c.topic;
        EXPECT_EQ(r.get(P::HelpFile), c.storedFile) << c.file << c.topic;
        EXPECT_EQ(r.get(P::HelpTopic), c.storedTopic) << c.file << c.topic;
    }
}

TEST_F(SettingsTest, UndefinedOpeningAndClosingCommandsRefuseSave) {
    const TTutorialConfig before = project.Config;
    EXPECT_FALSE(SaveProgramPresentation([](QWidget* dialog) {
        EXPECT_FALSE(Find<QWidget>(dialog, "OpeningBtn")->isEnabled());
        Click(dialog, "OpeningChk");
        Click(dialog, "ClosingChk");
        EXPECT_TRUE(Find<QWidget>(dialog, "OpeningBtn")->isEnabled());
        Click(dialog, "SaveBtn");
        Click(dialog, "OpeningChk");
        Click(dialog, "SaveBtn");
        EXPECT_TRUE(dialog->isVisible());
        Click(dialog, "CancelBtn");
    }));
    EXPECT_EQ(rec.messages.Texts(RecordingMessages::Kind::Error),
              (std::vector<QString>{"The Opening Command has not been defined",
                                    "The Closing Command has not been defined"}));
    EXPECT_EQ(project.Config, before);
}

TEST_F(SettingsTest, SavedFieldsAndAMissingIconForgotten) {
    project.Config.set(P::IconOn, 1);
    project.Config.set(P::IconFile, "GONE.ICO");
    project.Config.set(cfg::Opening.Description, "PIC.BMP,10");
    project.Config.set(cfg::Opening.CommandType, 2);
    EXPECT_TRUE(SaveProgramPresentation([](QWidget* dialog) {
        EXPECT_TRUE(Find<QLineEdit>(dialog, "IconEdit")->text().isEmpty());
        Type(dialog, "TitleEdit", "Workshop Safety");
        Click(dialog, "OpeningChk");
        Click(dialog, "AboutChk");
        Click(dialog, "AdvisoryChk");
        Click(dialog, "HelpChk");  // ticked without a help file: saved as off
        Click(dialog, "SaveBtn");
    }));
    const TTutorialConfig& c = project.Config;
    EXPECT_EQ(c.get(P::ProgramTitle), "Workshop Safety");
    EXPECT_EQ(c.get(P::IconOn), 0);
    EXPECT_EQ(c.get(P::IconFile), "");
    EXPECT_EQ(c.get(cfg::OpeningOn), 1);
    EXPECT_EQ(c.get(cfg::AboutOn), 1);
    EXPECT_EQ(c.get(P::VideoAdvisory), 1);
    EXPECT_EQ(c.get(P::HelpOn), 0);
    EXPECT_EQ(ReadConfigRecord(project.ProjectFilePath()), c);
}

TEST_F(SettingsTest, IntroductionWrittenOnSaveRemovedWhenUnticked) {
    // Written through the introduction editor, kept by the dialog and stored on Save.
    EXPECT_TRUE(SaveProgramPresentation([](QWidget* dialog) {
        Click(dialog, "IntroChk");
        WhenShown("TIntroEntryForm", [](QWidget* editor) {
            editor->findChild<QTextEdit*>("RichEdit1")->setPlainText("Welcome to safety");
            Click(editor, "OKBtn");
        });
        Click(dialog, "IntroBtn");
        Click(dialog, "SaveBtn");
    }));
    EXPECT_TRUE(HasIntroduction());
    EXPECT_EQ(project.Config.get(cfg::IntroOn), 1);
    std::vector<std::string> lines;
    LoadIntroduction(project.DataFilePath(), lines);
    std::string all;
    for (const auto& l : lines) all += l;
    EXPECT_NE(all.find("Welcome to safety"), std::string::npos);

    // Cancel after editing leaves the data file alone.
    EXPECT_FALSE(SaveProgramPresentation([](QWidget* dialog) {
        WhenShown("TIntroEntryForm", [](QWidget* editor) {
            editor->findChild<QTextEdit*>("RichEdit1")->setPlainText("Changed");
            Click(editor, "OKBtn");
        });
        Click(dialog, "IntroBtn");
        Click(dialog, "CancelBtn");
    }));
    std::vector<std::string> after;
    LoadIntroduction(project.DataFilePath(), after);
    EXPECT_EQ(after, lines);

    // Unticked and saved: the introduction entry goes.
    EXPECT_TRUE(SaveProgramPresentation([](QWidget* dialog) {
        Click(dialog, "IntroChk");
        Click(dialog, "SaveBtn");
    }));
    EXPECT_FALSE(HasIntroduction());
    EXPECT_EQ(project.Config.get(cfg::IntroOn), 0);
}

TEST_F(SettingsTest, EmptyIntroductionIsNotEntered) {
    EXPECT_TRUE(SaveProgramPresentation([](QWidget* dialog) {
        Click(dialog, "IntroChk");
        WhenShown("TIntroEntryForm", [](QWidget* editor) { Click(editor, "OKBtn"); });
        Click(dialog, "IntroBtn");
        Click(dialog, "SaveBtn");
    }));
    EXPECT_EQ(rec.messages.Texts(RecordingMessages::Kind::Error),
              std::vector<QString>{"The Introduction has not been entered."});
    EXPECT_EQ(project.Config.get(cfg::IntroOn), 0);
    EXPECT_FALSE(HasIntroduction());
}

TEST_F(SettingsTest, HelpFileDialogChecksTheTopic) {
    InProject("TUT.HLP");
    std::string file = "TUT.HLP";
    int topic = 0;
    WhenShown("THelpfileForm", [](QWidget* dialog) {
        EXPECT_EQ(Find<QListWidget>(dialog, "FileListBox1")->count(), 1);
        Click(dialog, "OKBtn");  // topic 0
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(Find<QLineEdit>(dialog, "TopicEdit")->text(), "1");
        Type(dialog, "TopicEdit", "x2");
        static_cast<HelpFileChooser*>(dialog)->TopicEditExit();
        EXPECT_EQ(Find<QLineEdit>(dialog, "TopicEdit")->text(), "1");
        Type(dialog, "TopicEdit", "7");
        QTest::qWait(5);
        Click(dialog, "OKBtn");
    });
    EXPECT_TRUE(ChooseHelpFile(project, rec.platform(), file, topic));
    EXPECT_EQ(rec.messages.Texts(RecordingMessages::Kind::Error),
              (std::vector<QString>{"The Starting Topic must be greater than 0.", "That is not a valid number"}));
    EXPECT_EQ(file, "TUT.HLP");
    EXPECT_EQ(topic, 7);
}

TEST_F(SettingsTest, BackgroundDesignerKeepsOnlyTheChosenTypesFile) {
    Picture(project.ProjectDir / "BACK.BMP");
    TTutorialConfig record = project.Config;
    record.set(P::BackgroundWallpaper, "OLD.BMP");
    WhenShown("TCFGDesignBackForm", [](QWidget* dialog) {
        Click(dialog, "GraphicRb");
        EXPECT_TRUE(Find<QWidget>(dialog, "GraphicGrp")->isVisible());
        EXPECT_FALSE(Find<QWidget>(dialog, "WallpaperGrp")->isVisible());
        Find<QListWidget>(dialog, "GraphicListBox")->setCurrentRow(0);
        // View shows the background full-screen until a key.
        WhenShown("TTBackForm", [](QWidget* view) { QTest::keyClick(view, Qt::Key_Space); });
        Click(dialog, "ViewBtn");
        Click(dialog, "OKBtn");
    });
    EXPECT_TRUE(DesignBackground(project, rec.platform(), record));
    EXPECT_EQ(record.get(P::BackgroundType), 2);
    EXPECT_EQ(record.get(P::BackgroundGraphic), "BACK.BMP");
    EXPECT_EQ(record.get(P::BackgroundWallpaper), "");
    EXPECT_TRUE(rec.messages.shown.empty());
}

TEST_F(SettingsTest, WindowsFitA1024By768Screen) {
    InProject("SAFETY1.QKS", "x\r\n");
    auto snapshots = Snapshots();
    KeyGenerator keys;
    std::vector<std::unique_ptr<QWidget>> windows;
    windows.push_back(std::make_unique<TutorialTypeSettings>(project, rec.platform()));
    windows.push_back(std::make_unique<ProgramPresentationSettings>(project, rec.platform(), system));
    windows.push_back(std::make_unique<HelpFileChooser>(project, rec.platform(), "TUT.HLP", 1));
    windows.push_back(std::make_unique<TutorialBackgroundDesigner>(project, rec.platform(), project.Config));
    windows.push_back(std::make_unique<CompileWindow>(project, rec.platform(), keys));
    windows.push_back(std::make_unique<CompiledChapterList>(project, rec.platform()));
    windows.push_back(std::make_unique<DistributionWindow>(project, rec.platform()));
    for (auto& window : windows) {
        window->show();
        QTest::qWait(60);
        EXPECT_LE(window->frameGeometry().width(), 1024) << window->objectName().toStdString();
        EXPECT_LE(window->frameGeometry().height(), 768) << window->objectName().toStdString();
        window->hide();
    }
}
