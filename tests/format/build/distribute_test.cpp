#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <filesystem>
#include <set>

#include "../test_folder.h"
#include "build/distribute.h"
#include "build/linux_launcher.h"
#include "datafile/data_file.h"

using namespace quill;
using quill::test::TempFolder;
namespace fs = std::filesystem;

namespace {

struct RecordingUi : DistributionUi {
    std::deque<std::optional<fs::path>> folders;
    std::vector<std::string> errors, messages;
    std::size_t copies = 0;
    std::optional<fs::path> ChooseFolder() override {
        if (folders.empty()) return std::nullopt;
        auto f = folders.front();
        folders.pop_front();
        return f;
    }
    void ShowError(const std::string& text) override { errors.push_back(text); }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    void Copying(std::size_t, std::size_t, const fs::path&) override { ++copies; }
};

std::set<std::string> FilesIn(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(folder)) names.insert(e.path().filename().string());
    return names;
}

// A compiled project SAFETY in tmp/proj, the player in tmp/home (named in lower case on disk).
struct Distribution {
    TempFolder tmp;
    Project project;
    fs::path proj, home, target;
    Distribution() {
        proj = tmp / "proj";
        home = tmp / "home";
        target = tmp / "out";
        fs::create_directories(proj);
        tmp.write("home/quilplay.exe", "player");
        project.HomeDir = home;
        project.ProjectDir = proj;
        project.ProjectFile = "SAFETY.QKJ";
        project.LoadProject();
        tmp.write("proj/SAFETY.QKD", "data");
        tmp.write("proj/SAFETY1.QKS", "text\r\n");
        tmp.write("proj/SAFETY1.QKC", "compiled");
    }
    void file(const std::string& name, const std::string& bytes = "x") {
        tmp.write("proj/" + name, bytes);
    }
    bool run(RecordingUi& ui) {
        if (ui.folders.empty()) ui.folders.push_back(target);
        return Distribute(project, ui);
    }
};

}  // namespace

TEST(Distribution, ListOrderAndFilesNamedInAnotherCase) {
    Distribution d;
    // Chapters: image commands in any case; names found there are upper case.
    d.file("SAFETY1.QKS",
           "  *showimage 5 2 25 pic.bmp  \r\n*ScreenImage back.jpg extra words\r\n"
           "*SHOWIMAGE\r\ntext\r\n");
    d.file("safety2.qks", "*ShowImage 1 1 0 Second.BMP\r\n");
    d.file("Safety2.qkc", "c2");
    d.file("Pic.bmp");
    d.file("BACK.JPG");
    d.file("second.bmp");
    auto& c = d.project.Config;
    c.set(cfg::OpeningOn, 1);
    c.set(cfg::Opening.CommandType, 4);
    c.set(cfg::Opening.Arg1, "ignored.bmp");
    c.set(cfg::Opening.Arg5, "setup.exe,/quiet");
    c.set(cfg::ClosingOn, 1);
    c.set(cfg::Closing.CommandType, 9);
    c.set(cfg::Closing.Arg5, "notepad readme.txt");
    d.file("README.TXT");
    d.file("setup.exe");
    c.set(cfg::MainMenu::GraphicFile, "pic.bmp");  // listed again: the test is case-sensitive
    c.set(cfg::MainMenu::WallpaperFile, "menu.bmp");
    d.file("menu.bmp");
    c.set(cfg::AboutOn, 1);
    c.set(cfg::About::IconFile, "about.ico");
    d.file("About.ICO");
    c.set(cfg::IntroOn, 1);
    c.set(cfg::Intro::Screen.GraphicFile, "introg.bmp");
    c.set(cfg::Intro::Screen.WallpaperFile, "introw.bmp");
    d.file("introw.bmp");
    c.set(cfg::Program::IconOn, 1);
    c.set(cfg::Program::IconFile, "prog.ico");
    d.file("prog.ico");
    c.set(cfg::Program::BackgroundType, 3);
    c.set(cfg::Program::BackgroundGraphic, "notused.bmp");
    c.set(cfg::Program::BackgroundWallpaper, "wall.bmp");
    d.file("wall.bmp");
    c.set(cfg::Program::HelpOn, 1);
    c.set(cfg::Program::HelpFile, "safety.hlp");
    d.file("SAFETY.HLP");
    const auto recordBefore = c;

    const auto data = d.proj / "SAFETY.QKR";
    AddCommandEntry(data, "Both", 6, "HYPER", "h.bmp,h.wav,");
    AddCommandEntry(data, "Graphic", 2, "HYPER", "g.bmp");        // no comma: nothing
    AddCommandEntry(data, "Video", 7, "HYPER", "v.avi");
    TScreenBackground s;
    s.GraphicFile = "tg.bmp";
    AddTextEntry(data, "Text", 5, "HYPER", {"x"}, s);                // graphic only
    AddCommandEntry(data, "Prog", 4, "EXECUTE", "run.exe,/s");
    AddCommandEntry(data, "Win", 9, "EXECUTE", "write doc.txt");     // doc.txt missing: skipped
    AddCommandEntry(data, "Notes", 13, "UTILITY", "notes.txt");
    AddCommandEntry(data, "Shown", 1, "UTILITY", "nothing.txt");
    for (auto n : {"h.bmp", "h.wav", "v.avi", "tg.bmp", "run.exe", "notes.txt"}) d.file(n);

    const auto list = DistributionList(d.project, "/home/QUILPLAY.EXE");
    EXPECT_EQ(list, (std::vector<std::string>{
                        "SAFETY1.QKC", "Safety2.qkc", "PIC.BMP", "BACK.JPG", "SECOND.BMP",
                        "setup.exe", "readme.txt", "pic.bmp", "menu.bmp", "about.ico",
                        "introw.bmp", "prog.ico", "wall.bmp", "safety.hlp", "h.bmp", "h.wav",
                        "v.avi", "tg.bmp", "run.exe", "notes.txt", "SAFETY.QKD",
                        "/home/QUILPLAY.EXE"}));

    RecordingUi ui;
    ASSERT_TRUE(d.run(ui)) << (ui.errors.empty() ? "" : ui.errors[0]);
    EXPECT_TRUE(ui.errors.empty());
    EXPECT_EQ(ui.messages, std::vector<std::string>{"All the files have been copied to the Directory " +
                                                    d.target.string() + "/"});
    EXPECT_EQ(ui.copies, 22u);
    // Copied under the names on disk: PIC.BMP and pic.bmp are one file.
    EXPECT_EQ(FilesIn(d.target),
              (std::set<std::string>{"SAFETY1.QKC", "Safety2.qkc", "Pic.bmp", "BACK.JPG",
                                     "second.bmp", "setup.exe", "README.TXT", "menu.bmp",
                                     "About.ICO", "introw.bmp", "prog.ico", "wall.bmp",
                                     "SAFETY.HLP", "h.bmp", "h.wav", "v.avi", "tg.bmp",
                                     "run.exe", "notes.txt", "SAFETY.QKD", "quilplay.exe", "SAFETY.sh", "SAFETY.desktop"}));
    EXPECT_EQ(TempFolder::read(d.target / "quilplay.exe"), "player");
    EXPECT_EQ(d.project.Config, recordBefore);
}

TEST(Distribution, RefusalsStopBeforeCopying) {
    {  // the project folder itself, in another letter case, is refused and the dialog asked again
        Distribution d;
        RecordingUi ui;
        std::string upper = d.proj.string();
        std::transform(upper.begin(), upper.end(), upper.begin(), ::toupper);
        ui.folders = {fs::path(upper), std::nullopt};
        EXPECT_FALSE(d.run(ui));
        EXPECT_EQ(ui.errors, std::vector<std::string>{"Files cannot be copied to Project directory."});
        EXPECT_EQ(DistributionFolderError(d.proj / "sub" / "..", d.proj),
                  "Files cannot be copied to Project directory.");
        EXPECT_EQ(DistributionFolderError(d.target, d.proj), std::nullopt);
    }
    struct Case { std::function<void(Distribution&)> setUp; std::string error; };
    const Case cases[] = {
        {[](Distribution& d) { fs::remove(d.proj / "SAFETY.QKD"); },
         "SAFETY.QKD was not found. Please create the Data program."},
        {[](Distribution& d) { fs::remove(d.proj / "SAFETY1.QKC"); },
         "No compiled Chapter files were found. Please compile them."},
        {[](Distribution& d) {
             AddCommandEntry(d.proj / "SAFETY.QKR", "Odd", 4, "EXECUTE", "a.exe");
             d.file("SAFETY.QKR", TempFolder::read(d.proj / "SAFETY.QKR").replace(
                                      TempFolder::read(d.proj / "SAFETY.QKR").find("type=4"), 6,
                                      "type=x4"));
         },
         "The type \"x4\" of the EXECUTE entry Odd in the tutorial data file SAFETY.QKR is not a number."},
        // The folder and the reason are named.
        {[](Distribution& d) { d.target = d.proj / "SAFETY.QKD" / "sub"; },
         "Unable to create the directory {target}: Not a directory"},
    };
    for (const auto& c : cases) {
        Distribution d;
        c.setUp(d);
        RecordingUi ui;
        EXPECT_FALSE(d.run(ui));
        std::string error = c.error;
        if (const auto at = error.find("{target}"); at != std::string::npos) error.replace(at, 8, d.target.string());
        EXPECT_EQ(ui.errors, std::vector<std::string>{error});
        EXPECT_EQ(ui.copies, 0u);
        EXPECT_TRUE(ui.messages.empty());
    }
}

TEST(Distribution, EveryMissingFileIsReportedAndNothingCopied) {
    Distribution d;
    d.file("SAFETY1.QKS", "*ScreenImage gone.bmp\r\n");
    d.project.Config.set(cfg::MainMenu::GraphicFile, "menu.bmp");
    AddCommandEntry(d.proj / "SAFETY.QKR", "Sound", 3, "HYPER", "voice.wav");
    RecordingUi ui;
    EXPECT_FALSE(d.run(ui));
    EXPECT_EQ(ui.errors, (std::vector<std::string>{"The file GONE.BMP is missing.",
                                                   "The file menu.bmp is missing.",
                                                   "The file voice.wav is missing."}));
    EXPECT_FALSE(fs::exists(d.target));
    EXPECT_EQ(ui.copies, 0u);
}

TEST(Distribution, CommandSettingCandidates) {
    struct Case { int type; std::vector<std::string> args; std::string expected; };
    const Case cases[] = {
        {2, {"pic.bmp", "", "", "", ""}, "pic.bmp"},
        {6, {"pic.bmp", "snd.wav", "", "", ""}, "snd.wav"},  // the last non-empty argument
        {4, {"", "", "", "", "prog.exe,/s"}, "prog.exe"},
        {4, {"", "", "", "", "prog.exe"}, "prog.exe"},
        {9, {"", "", "", "", "write doc.txt"}, "doc.txt"},
        {9, {"", "", "", "", "write gone.txt"}, ""},
        {9, {"", "", "", "", "write"}, ""},
    };
    for (const auto& c : cases) {
        Distribution d;
        d.file("DOC.TXT");
        auto& config = d.project.Config;
        config.set(cfg::OpeningOn, 1);
        config.set(cfg::Opening.CommandType, static_cast<std::uint16_t>(c.type));
        const StrField fields[] = {cfg::Opening.Arg1, cfg::Opening.Arg2, cfg::Opening.Arg3,
                                   cfg::Opening.Arg4, cfg::Opening.Arg5};
        for (int i = 0; i < 5; ++i) config.set(fields[i], c.args[static_cast<std::size_t>(i)]);
        const auto list = DistributionList(d.project, "P");
        std::vector<std::string> expected = {"SAFETY1.QKC"};
        if (!c.expected.empty()) expected.push_back(c.expected);
        expected.push_back("SAFETY.QKD");
        expected.push_back("P");
        EXPECT_EQ(list, expected) << c.type << " " << c.args[4];
    }
}

TEST(Distribution, WithoutTheWindowsPlayerTheFolderIsMadeForLinuxWithALauncher) {
    Distribution d;
    fs::remove(d.home / "quilplay.exe");
    d.project.Config.set(cfg::Program::ProgramTitle, "Fire \"safety\" 100%");
    d.target = d.tmp / "my dist";
    RecordingUi ui;
    EXPECT_TRUE(d.run(ui));
    EXPECT_TRUE(ui.errors.empty());
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0], NoWindowsPlayerInfo("SAFETY"));
    // It says first what the folder is for, then how to add the Windows player.
    EXPECT_EQ(NoWindowsPlayerInfo("SAFETY"),
              "The distribution is made for learners on Linux: they play it with quilplay, started by SAFETY.sh or "
              "SAFETY.desktop in the folder. To play it on Windows too, put the Windows player QUILPLAY.EXE in the "
              "BFL Home Folder and prepare the distribution again.");
    EXPECT_EQ(FilesIn(d.target), (std::set<std::string>{"SAFETY.QKD", "SAFETY1.QKC", "SAFETY.sh", "SAFETY.desktop"}));
    EXPECT_NE(fs::status(d.target / "SAFETY.sh").permissions() & fs::perms::owner_exec, fs::perms::none);
    const std::string entry = TempFolder::read(d.target / "SAFETY.desktop");
    EXPECT_NE(entry.find("Name=Fire \"safety\" 100%\n"), std::string::npos) << entry;
    // The entry finds the folder through its own location, not through where it was made.
    EXPECT_NE(entry.find(" %k\n"), std::string::npos) << entry;
    EXPECT_EQ(entry.find(d.target.string()), std::string::npos) << entry;
    // Characters the Exec key must escape.
    EXPECT_EQ(DesktopExecArgument("/a b/$x\\\"y%"), "\"/a b/\\\\$x\\\\\\\\\\\\\"y%%\"");

    // With the Windows player beside the program it is copied, and the launcher is there too.
    Distribution w;
    RecordingUi ui2;
    EXPECT_TRUE(w.run(ui2));
    EXPECT_EQ(ui2.messages.size(), 1u);
    EXPECT_EQ(FilesIn(w.target), (std::set<std::string>{"SAFETY.QKD", "SAFETY1.QKC", "quilplay.exe", "SAFETY.sh", "SAFETY.desktop"}));
}

// The learner's help on Linux reads the book beside the help file (GUIDE.html for GUIDE.HLP): it
// travels with the help file when it is there.
TEST(Distribution, TheHelpBookTravelsWithTheHelpFile) {
    Distribution d;
    d.project.Config.set(cfg::Program::HelpOn, 1);
    d.project.Config.set(cfg::Program::HelpFile, "GUIDE.HLP");
    d.file("GUIDE.HLP");
    EXPECT_EQ(DistributionList(d.project, "P"), (std::vector<std::string>{"SAFETY1.QKC", "GUIDE.HLP", "SAFETY.QKD", "P"}));
    d.file("Guide.html");
    EXPECT_EQ(DistributionList(d.project, "P"),
              (std::vector<std::string>{"SAFETY1.QKC", "GUIDE.HLP", "GUIDE.html", "SAFETY.QKD", "P"}));
    RecordingUi ui;
    EXPECT_TRUE(d.run(ui));
    EXPECT_TRUE(fs::exists(d.target / "Guide.html"));
}
