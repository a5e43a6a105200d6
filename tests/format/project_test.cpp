#include <gtest/gtest.h>

#include "project/project.h"
#include "test_folder.h"
#include "text/errors.h"

using namespace quill;
using quill::test::TempFolder;
namespace fs = std::filesystem;

namespace {
std::string DefaultRecordBytes() {
    TTutorialConfig c;
    SetConfigDefaults(c);
    return {reinterpret_cast<const char*>(c.bytes().data()), TTutorialConfig::Size};
}
}  // namespace

TEST(Project, NewTutorialCreatesFolderAndDefaultProjectFile) {
    TempFolder tmp;
    Project p(tmp.path());
    NewTutorial(p, tmp / "new/tut", "safety");
    EXPECT_EQ(p.ProjectDir, tmp / "new/tut");
    EXPECT_EQ(p.ProjectFile, "safety.QKJ");
    EXPECT_EQ(p.ProjectName, "safety");
    EXPECT_EQ(p.DataFileName, "safety.QKR");
    EXPECT_EQ(p.StartPrompt, "Press the Start button");
    const auto file = tmp / "new/tut/safety.QKJ";
    EXPECT_EQ(TempFolder::read(file), DefaultRecordBytes());
    const std::string bytes = TempFolder::read(file);
    EXPECT_EQ(bytes.substr(0, 6), std::string("\x04" "1.10\x01", 6));
}

TEST(Project, NewTutorialReplacesTheExtensionAndOpensAnExistingOneInAnyCase) {
    TempFolder tmp;
    Project p(tmp.path());
    NewTutorial(p, tmp.path(), "Course.txt");
    EXPECT_EQ(p.ProjectFile, "Course.QKJ");
    p.Config.set(cfg::Program::ProgramTitle, "Kept");
    p.SaveProject();

    Project q(tmp.path());
    NewTutorial(q, tmp.path(), "COURSE");  // another letter case: opens, no second file
    EXPECT_EQ(q.Config.get(cfg::Program::ProgramTitle), "Kept");
    EXPECT_EQ(q.ProgramTitle, "Kept");
    EXPECT_FALSE(std::filesystem::exists(tmp / "COURSE.QKJ"));
    q.SaveProject();
    EXPECT_FALSE(std::filesystem::exists(tmp / "COURSE.QKJ"));
}

TEST(Project, NewTutorialNameChecks) {
    EXPECT_EQ(NewTutorialNameError(""), "A filename must be entered.");
    EXPECT_EQ(NewTutorialNameError("safe;ty"), "A correct filename must be entered.");
    EXPECT_EQ(NewTutorialNameError("a*b"), "A correct filename must be entered.");
    EXPECT_EQ(NewTutorialNameError("sub\\safety"), "A correct filename must be entered.");
    EXPECT_EQ(NewTutorialNameError(".QKJ"), "A correct filename must be entered.");
    EXPECT_EQ(NewTutorialNameError("safety"), std::nullopt);
    EXPECT_EQ(NewTutorialNameError("my safety.v2"), std::nullopt);
}

TEST(Project, NewTutorialFailuresKeepThePreviousProject) {
    TempFolder tmp;
    Project p(tmp.path());
    NewTutorial(p, tmp / "first", "first");
    const Project before = p;
    tmp.write("blocker", "a file where a folder should be");
    try {
        NewTutorial(p, tmp / "blocker/sub", "second");
        FAIL();
    } catch (const UserError& e) {
        // The folder and the reason are named.
        EXPECT_EQ(std::string(e.what()), "Unable to create the directory " + (tmp / "blocker/sub").string() +
                                             ": Not a directory");
    }
    EXPECT_THROW(NewTutorial(p, tmp / "x", "bad;name"), UserError);
    // A tutorial whose project file cannot be made (a name too long for the disk) leaves none
    // of the folders it made; a folder that was there stays.
    EXPECT_ANY_THROW(NewTutorial(p, tmp / "made/deeper", std::string(260, 'n')));
    EXPECT_FALSE(fs::exists(tmp / "made"));
    EXPECT_ANY_THROW(NewTutorial(p, tmp / "first", std::string(260, 'n')));
    EXPECT_TRUE(fs::is_directory(tmp / "first"));
    EXPECT_EQ(p.ProjectFile, before.ProjectFile);
    EXPECT_EQ(p.ProjectDir, before.ProjectDir);
    EXPECT_EQ(p.Config, before.Config);
}

TEST(Project, SelectUpperCasesTheNameAndFindsTheFileIgnoringCase) {
    TempFolder tmp;
    tmp.write("tut/safety.qkj", DefaultRecordBytes());
    Project p(tmp.path());
    SelectTutorial(p, tmp / "tut/safety.qkj");
    EXPECT_EQ(p.ProjectDir, tmp / "tut");
    EXPECT_EQ(p.ProjectFile, "SAFETY.QKJ");
    EXPECT_EQ(p.ProjectName, "SAFETY");
    EXPECT_EQ(p.DataFileName, "SAFETY.QKR");
    EXPECT_EQ(p.ProjectFilePath(), tmp / "tut/safety.qkj");
    p.Config.set(cfg::TutorialType, 1);
    p.SaveProject();
    EXPECT_EQ(TempFolder::read(tmp / "tut/safety.qkj")[6], 1);
    EXPECT_FALSE(std::filesystem::exists(tmp / "tut/SAFETY.QKJ"));
}

TEST(Project, ShortOrUnreadableProjectFileNamesTheFileAndKeepsTheRecord) {
    TempFolder tmp;
    Project p(tmp.path());
    NewTutorial(p, tmp / "good", "good");
    p.Config.set(cfg::Program::ProgramTitle, "Good title");
    const Project before = p;

    tmp.write("bad/short.QKJ", std::string(7127, '\0'));
    try {
        SelectTutorial(p, tmp / "bad/short.QKJ");
        FAIL();
    } catch (const IoError& e) {
        EXPECT_NE(std::string(e.what()).find("short.QKJ"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("7127"), std::string::npos) << e.what();
    }
    std::filesystem::create_directories(tmp / "bad/folder.QKJ");  // not a file
    EXPECT_THROW(SelectTutorial(p, tmp / "bad/folder.QKJ"), IoError);
    EXPECT_THROW(SelectTutorial(p, tmp / "no/such/dir/x.QKJ"), IoError);
    EXPECT_EQ(p.ProjectFile, before.ProjectFile);
    EXPECT_EQ(p.ProjectName, before.ProjectName);
    EXPECT_EQ(p.Config.get(cfg::Program::ProgramTitle), "Good title");

    // A longer file is read as its first 7128 bytes.
    tmp.write("long/LONG.QKJ", DefaultRecordBytes() + "extra");
    EXPECT_NO_THROW(SelectTutorial(p, tmp / "long/LONG.QKJ"));
    EXPECT_EQ(p.Config.get(cfg::Version), "1.10");
}

TEST(Project, ButtonRules) {
    TempFolder tmp;
    Project p(tmp.path());
    NewTutorial(p, tmp.path(), "SAFETY");
    EXPECT_FALSE(p.HasChapterFiles());
    EXPECT_FALSE(p.StartingFileExists());
    tmp.write("other.QKS", "x");  // does not start with the project name
    EXPECT_FALSE(p.HasChapterFiles());
    tmp.write("safety2.qks", "x");
    EXPECT_TRUE(p.HasChapterFiles());

    p.Config.set(cfg::StartChapter, "SAFETY1");
    EXPECT_FALSE(p.StartingFileExists());
    tmp.write("Safety1.QKS", "x");
    EXPECT_TRUE(p.StartingFileExists());

    // Main-menu tutorial: the first menu entry decides, not StartChapter.
    p.Config.set(cfg::TutorialType, 1);
    EXPECT_FALSE(p.StartingFileExists());
    p.Config.set(cfg::MainMenu::Chapter(1).FileName, "SAFETY9");
    EXPECT_FALSE(p.StartingFileExists());
    p.Config.set(cfg::MainMenu::Chapter(1).FileName, "SAFETY2");
    EXPECT_TRUE(p.StartingFileExists());
    p.Config.set(cfg::TutorialType, 7);
    EXPECT_FALSE(p.StartingFileExists());
}

TEST(Project, ChapterNameRule) {
    EXPECT_TRUE(ChapterNameStartsWithProject("safetyintro", "SAFETY"));
    EXPECT_TRUE(ChapterNameStartsWithProject("SAFETY", "SAFETY"));
    EXPECT_FALSE(ChapterNameStartsWithProject("Intro", "SAFETY"));
    EXPECT_FALSE(ChapterNameStartsWithProject("SAFE", "SAFETY"));
    EXPECT_EQ(ChapterNameRuleMessage("SAFETY"),
              "The Chapter filename must start with the Project Name SAFETY followed by an "
              "identifier\r\n\r\nPress Help for more information.");
}
