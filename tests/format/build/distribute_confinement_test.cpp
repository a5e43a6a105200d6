// Distribution gathers only from the tutorial folder and never writes through a link already
// in the target folder.
#include <gtest/gtest.h>

#include <filesystem>

#include "../test_folder.h"
#include "build/distribute.h"
#include "datafile/data_file.h"

using namespace quill;
using quill::test::TempFolder;
namespace fs = std::filesystem;

namespace {

struct Ui : DistributionUi {
    fs::path target;
    bool asked = false;
    std::vector<std::string> errors, messages;
    std::optional<fs::path> ChooseFolder() override {
        if (asked) return std::nullopt;
        asked = true;
        return target;
    }
    void ShowError(const std::string& text) override { errors.push_back(text); }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
};

struct Tutorial {
    TempFolder tmp;
    Project project;
    fs::path proj, outside;
    Ui ui;
    Tutorial() {
        proj = tmp / "proj";
        outside = tmp / "outside";
        fs::create_directories(proj);
        tmp.write("home/QUILPLAY.EXE", "player");
        tmp.write("outside/secret.txt", "secret");
        tmp.write("outside/v.txt", "victim");
        project.HomeDir = tmp / "home";
        project.ProjectDir = proj;
        project.ProjectFile = "T.QKJ";
        project.LoadProject();
        tmp.write("proj/T.QKD", "data");
        tmp.write("proj/T1.QKC", "compiled");
        tmp.write("proj/T1.QKS", "text\r\n");
        ui.target = tmp / "dist";
    }
};

}  // namespace

TEST(DistributionConfinement, NamesLeadingOutsideAreReportedWithWhereTheyWereAndNothingIsCopied) {
    Tutorial t;
    const std::string secret = (t.outside / "secret.txt").string();
    t.tmp.write("proj/T1.QKS", "*ShowImage 1 1 0 " + secret + "\r\n*ScreenImage ..\\outside\\v.txt\r\n");
    fs::create_symlink("../outside/secret.txt", t.proj / "linked.wav");
    AddCommandEntry(t.project.DataFilePath(), "Up", etVoiceOnly, kSourceHyper, "../outside/secret.txt");
    AddCommandEntry(t.project.DataFilePath(), "Linked", etVoiceOnly, kSourceHyper, "linked.wav");
    EXPECT_FALSE(Distribute(t.project, t.ui));
    std::string upper = secret;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    EXPECT_EQ(t.ui.errors, (std::vector<std::string>{
                               "The file " + upper + " named in the chapter T1.QKS is outside the tutorial folder.",
                               "The file ..\\OUTSIDE\\V.TXT named in the chapter T1.QKS is outside the tutorial folder.",
                               "The file ../outside/secret.txt named in the HYPER entry Up is outside the tutorial folder.",
                               "The file linked.wav named in the HYPER entry Linked is outside the tutorial folder.",
                           }));
    EXPECT_TRUE(t.ui.messages.empty());
    EXPECT_FALSE(fs::exists(t.ui.target));
}

TEST(DistributionConfinement, LinksInTheTargetAreReplacedNotWrittenThrough) {
    Tutorial t;
    fs::create_directories(t.ui.target);
    fs::create_symlink("../outside/v.txt", t.ui.target / "T1.QKC");
    fs::create_symlink("../outside/gone.txt", t.ui.target / "T.QKD");  // dangling
    ASSERT_TRUE(Distribute(t.project, t.ui)) << (t.ui.errors.empty() ? "" : t.ui.errors[0]);
    EXPECT_EQ(TempFolder::read(t.outside / "v.txt"), "victim");
    EXPECT_FALSE(fs::exists(t.outside / "gone.txt"));
    EXPECT_FALSE(fs::is_symlink(t.ui.target / "T1.QKC"));
    EXPECT_EQ(TempFolder::read(t.ui.target / "T1.QKC"), "compiled");
    EXPECT_EQ(TempFolder::read(t.ui.target / "T.QKD"), "data");
}
