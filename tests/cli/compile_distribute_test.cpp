#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "../format/test_folder.h"
#include "cli.h"
#include "run_quillc.h"
#include "build/distribute.h"
#include "datafile/data_file.h"
#include "project/project.h"

using quill::test::TempFolder;
namespace fs = std::filesystem;

namespace {

quill::test::QuillcResult Quillc(const quillc::Args& args) { return quill::test::RunQuillc(args); }

// A project "tut" made by quillc new, with chapters named in both letter cases on disk.
// Opening it by its .QKJ names it in upper case (TUT), as selecting a tutorial does.
struct CliProject {
    TempFolder tmp;
    fs::path proj, qkj;
    CliProject() {
        proj = tmp / "proj";
        const auto r = Quillc({"new", proj.string(), "tut"});
        EXPECT_EQ(r.status, 0) << r.out << r.err;
        qkj = proj / "tut.QKJ";
        tmp.write("proj/tut1.qks", "*ClearScreen Blue\r\n*ScreenImage pic.bmp\r\n");
        tmp.write("proj/TUT2.QKS", "Hello\r\n");
        tmp.write("proj/PIC.BMP", "bmp");
        quill::test::SetStartChapter(qkj, "TUT1");
    }
};

}  // namespace

TEST(QuillcCompile, CompilesTheWholeTutorial) {
    CliProject p;
    auto r = Quillc({"compile", p.qkj.string()});
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out,
              "INFO: The Tutorial has been compiled successfully.\\r\\n\\r\\nUse Quilplay to "
              "display the compiled Tutorial.\n");
    EXPECT_EQ(r.err, "");  // no progress when standard error is not a terminal
    EXPECT_EQ(fs::file_size(p.proj / "TUT.QKD"), 7128u);
    // Keys 1, 1 for the first chapter's lines, 5 for the second chapter's.
    EXPECT_EQ(TempFolder::read(p.proj / "TUT2.QKC"), std::string("Mjqq\x05t\r\n"));
    EXPECT_TRUE(fs::exists(p.proj / "tut1.QKC"));

    r = Quillc({"compile", p.qkj.string(), "--chapter", "TUT2"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out,
              "INFO: The Tutorial Chapter File TUT2.QKC has been compiled successfully.\\r\\n\\r\\n"
              "Use Quilplay to display the compiled Tutorial.\n");
}

TEST(QuillcCompile, FailuresAndUsage) {
    CliProject p;
    p.tmp.write("proj/tut3.qks", "");
    auto r = Quillc({"compile", p.qkj.string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "ERROR: Unable to compile the Tutorial Chapter File tut3.qks.\n");
    r = Quillc({"compile", p.qkj.string(), "--chapter", "tut3.qks"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "ERROR: Unable to compile the Tutorial Chapter File.\n");
    r = Quillc({"compile", p.qkj.string(), "--chapter", "nothere"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.out.find("nothere"), std::string::npos);
    EXPECT_EQ(Quillc({"compile", (p.proj / "missing.QKJ").string()}).status, 2);
    EXPECT_EQ(Quillc({"compile"}).status, 2);
    EXPECT_EQ(Quillc({"compile", p.qkj.string(), "--bogus"}).status, 2);
    r = Quillc({"compile", "--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("usage: quillc compile FILE.QKJ [--chapter NAME]"), std::string::npos);
}

TEST(QuillcDistribute, CopiesEverythingOrRefuses) {
    CliProject p;
    const auto home = p.tmp / "home";
    const auto target = p.tmp / "dist";
    // Nothing compiled yet, and no player: the player is checked first; without it the
    // distribution goes on for Linux learners.
    auto r = Quillc({"distribute", p.qkj.string(), target.string(), "--home", home.string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "INFO: " + quill::NoWindowsPlayerInfo("TUT") + "\nERROR: TUT.QKD was not found. Please create the Data program.\n");
    p.tmp.write("home/QuilPlay.exe", "player");
    r = Quillc({"distribute", p.qkj.string(), target.string(), "--home", home.string()});
    EXPECT_EQ(r.out, "ERROR: TUT.QKD was not found. Please create the Data program.\n");

    ASSERT_EQ(Quillc({"compile", p.qkj.string()}).status, 0);
    quill::AddCommandEntry(p.proj / "tut.qkr", "Say", 3, "HYPER", "say.wav");
    r = Quillc({"distribute", p.qkj.string(), target.string(), "--home", home.string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "ERROR: The file say.wav is missing.\n");
    EXPECT_FALSE(fs::exists(target));

    p.tmp.write("proj/Say.WAV", "wav");
    r = Quillc({"distribute", p.qkj.string(), target.string(), "--home", home.string()});
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out, "INFO: All the files have been copied to the Directory " + target.string() + "/\n");
    for (auto name : {"tut1.QKC", "TUT2.QKC", "PIC.BMP", "Say.WAV", "TUT.QKD", "QuilPlay.exe"})
        EXPECT_TRUE(fs::exists(target / name)) << name;

    r = Quillc({"distribute", p.qkj.string(), p.proj.string(), "--home", home.string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "ERROR: Files cannot be copied to Project directory.\n");
    EXPECT_EQ(Quillc({"distribute", p.qkj.string()}).status, 2);
}

// Compile, distribute and the whole-tutorial check refuse a tutorial without its first chapter,
// as the main window offers none of them for it, with a message that says what is missing.
TEST(QuillcCompile, ATutorialWithoutItsFirstChapterIsRefused) {
    namespace M = quill::cfg::MainMenu;
    struct Case {
        int type;
        std::string first;
        std::string message;
    };
    const Case cases[] = {
        {0, "", "The tutorial has no starting chapter. Choose it with Define Tutorial Type."},
        {0, "TUT9", "The tutorial starts with the chapter TUT9.QKS, which was not found in the project folder."},
        {1, "", "The main menu of the tutorial has no chapters. Define them with Define Tutorial Type."},
        {1, "tut7", "The tutorial starts with the chapter tut7.QKS, which was not found in the project folder."},
    };
    for (const Case& c : cases) {
        CliProject p;
        quill::Project project;
        quill::SelectTutorial(project, p.qkj);
        project.Config.set(quill::cfg::TutorialType, c.type);
        project.Config.set(c.type == 0 ? quill::cfg::StartChapter : M::Chapter(1).FileName, c.first);
        if (c.type == 1) project.Config.set(M::ChapterCount, c.first.empty() ? 0 : 1);
        project.SaveProject();
        p.tmp.write("home/QUILPLAY.EXE", "player");

        auto r = Quillc({"compile", p.qkj.string()});
        EXPECT_EQ(r.status, 1) << c.first;
        EXPECT_EQ(r.out, "ERROR: " + c.message + "\n");
        EXPECT_FALSE(fs::exists(p.proj / "TUT.QKD"));
        EXPECT_EQ(Quillc({"compile", p.qkj.string(), "--chapter", "TUT2"}).out, "ERROR: " + c.message + "\n");
        r = Quillc({"distribute", p.qkj.string(), (p.tmp / "dist").string(), "--home", (p.tmp / "home").string()});
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.out, "ERROR: " + c.message + "\n");
        EXPECT_FALSE(fs::exists(p.tmp / "dist"));
        r = Quillc({"check", p.qkj.string()});
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.out, "ERROR: " + c.message + "\n");
        // A chapter named on its own is still checked as the editor checks it.
        EXPECT_EQ(Quillc({"check", p.qkj.string(), "TUT2"}).status, 0);
    }
}
