#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "../cli/run_quillc.h"
#include "../format/test_folder.h"
#include "datafile/data_file.h"
#include "project/project.h"
#include "quilplay.h"
#include "text/errors.h"

using quill::test::RunQuillc;
using quill::test::TempFolder;
namespace fs = std::filesystem;

namespace {

struct Played {
    int status;
    std::string out, err;
};

Played RunQuilplay(const quillc::Args& args, const fs::path& dataHome, std::optional<bool> writable) {
    std::istringstream in;
    std::ostringstream out, err;
    const quillc::Io io{in, out, err};
    bool help = false;
    auto options = quilplay::ParseArgs(args, io, help);
    if (!options) return {quillc::ExitUsage, out.str(), err.str()};
    options->dataHome = dataHome;
    options->folderWritable = writable;
    quill::Project project;
    try {
        project = quilplay::OpenCompiledTutorial(*options);
    } catch (const std::exception& e) {
        quillc::PrintSystemError(io, e.what());
        return {quillc::ExitUsage, out.str(), err.str()};
    }
    const int status = quilplay::PlayHeadless(project, *options, io);
    return {status, out.str(), err.str()};
}

std::vector<std::string> Snapshots(const fs::path& folder) {
    std::vector<std::string> files;
    for (const auto& e : fs::directory_iterator(folder)) files.push_back(e.path().filename().string());
    std::sort(files.begin(), files.end());
    return files;
}

// A main-menu tutorial TUT with an about box and an introduction; its chapter TUT1 has hypertext,
// a window text, a quiz and a learner answer kept in USER.DAT, shown again by TUT2. Compiled
// and distributed into dist/ (no Windows player).
struct Tutorial {
    TempFolder tmp;
    fs::path proj, qkj, dist;
    Tutorial() {
        quill::Project p;
        quill::NewTutorial(p, tmp / "proj", "TUT");
        quill::TTutorialConfig& c = p.Config;
        c.set(quill::cfg::TutorialType, 1);
        c.set(quill::cfg::MainMenu::ChapterCount, 2);
        c.set(quill::cfg::MainMenu::Chapter(1).Topic, "Fire");
        c.set(quill::cfg::MainMenu::Chapter(1).FileName, "TUT1");
        c.set(quill::cfg::MainMenu::Chapter(2).Topic, "Your name");
        c.set(quill::cfg::MainMenu::Chapter(2).FileName, "TUT2");
        c.set(quill::cfg::AboutOn, 1);
        c.set(quill::cfg::About::ShowWhen, 0);
        c.set(quill::cfg::About::ProgramName, "Safety");
        c.set(quill::cfg::IntroOn, 1);
        p.SaveProject();
        quill::AddIntroduction(p.DataFilePath(), {"Welcome to the tutorial"});
        proj = p.ProjectDir;
        qkj = proj / "TUT.QKJ";
        dist = tmp / "dist";
        tmp.write("proj/TUT1.QKS",
                  "*ClearScreen Blue\r\n"
                  "Read about |Fire| before you start.\r\n"
                  "\tA tabbed line\r\n"
                  "*WindowText 2 8 40 14 Rules\r\n"
                  "*Wait\r\n"
                  "@QQ1\r\n"
                  "Which colour is a fire engine?\r\n"
                  "*QuizAnswers 2 10 Q1\r\n"
                  "Red\r\n"
                  "Green\r\n"
                  "@1Q1\r\n"
                  "Right.\r\n"
                  "*ExitQuiz\r\n"
                  "@2Q1\r\n"
                  "Wrong.\r\n"
                  "*ExitQuiz\r\n"
                  "@CQ1\r\n"
                  "Your name?\r\n"
                  "*GetUserInput A 10\r\n"
                  "*JumpToFile TUT2\r\n");
        tmp.write("proj/TUT2.QKS", "*ClearScreen Green\r\nHello, @A.\r\n*Wait\r\n");
        tmp.write("proj/siren.wav", "RIFF");
        quill::AddCommandEntry(proj / "TUT.QKR", "Fire", 3, "HYPER", "siren.wav");
        quill::AddWindowText(proj / "TUT.QKR", "Rules", "clYellow", {"{\\rtf1 Keep calm.\\par}"});
        tmp.write("answers.txt", "ok\nok\nmainmenu 1\nbutton C\nanswer 1\ntext Ann\nbutton C\nmainmenu quit\n");
        EXPECT_EQ(RunQuillc({"compile", qkj.string()}).status, 0);
        const auto d = RunQuillc({"distribute", qkj.string(), dist.string(), "--home", (tmp / "nohome").string()});
        EXPECT_EQ(d.status, 0) << d.out << d.err;
    }
};

}  // namespace

TEST(Quilplay, PlaysADistributionAsThePreviewPlaysTheProject) {
    Tutorial t;
    const auto answers = (t.tmp / "answers.txt").string();
    const auto project = RunQuillc({"play", t.qkj.string(), "--answers", answers, "--snapshots",
                                    (t.tmp / "snaps-project").string(), "--trace"});
    ASSERT_EQ(project.status, 0) << project.out;
    // A distribution folder that cannot be written: the learner's files go to the data folder.
    const auto played = RunQuilplay({t.dist.string(), "--answers", answers, "--snapshots",
                                     (t.tmp / "snaps-player").string(), "--trace"},
                                    t.tmp / "data", false);
    ASSERT_EQ(played.status, 0) << played.out << played.err;
    EXPECT_EQ(played.out, project.out);
    EXPECT_NE(played.out.find("TRACE TUT2.QKS:2: Hello, @A."), std::string::npos) << played.out;

    const auto shots = Snapshots(t.tmp / "snaps-project");
    ASSERT_GE(shots.size(), 4u);
    EXPECT_EQ(Snapshots(t.tmp / "snaps-player"), shots);
    for (const auto& s : shots)
        EXPECT_EQ(TempFolder::read(t.tmp / "snaps-player" / s), TempFolder::read(t.tmp / "snaps-project" / s)) << s;

    // USER.DAT was written to the learner's folder and read back by TUT2 (the last screens
    // show the answer as the project's run does).
    EXPECT_TRUE(fs::exists(t.tmp / "data" / "quilplay" / "TUT" / "USER.DAT"));
    EXPECT_FALSE(fs::exists(t.dist / "USER.DAT"));
    EXPECT_EQ(TempFolder::read(t.tmp / "data" / "quilplay" / "TUT" / "USER.DAT"),
              TempFolder::read(t.proj / "USER.DAT"));

    // A writable folder keeps the learner's files itself.
    const auto again = RunQuilplay({t.dist.string(), "--answers", answers}, t.tmp / "data2", std::nullopt);
    EXPECT_EQ(again.status, 0) << again.out;
    EXPECT_TRUE(fs::exists(t.dist / "USER.DAT"));
    EXPECT_FALSE(fs::exists(t.tmp / "data2"));
}

// The learner's player keeps and compares transcripts as quillc play does: a distribution
// plays to the same transcript as its project.
TEST(Quilplay, ComparesItsTranscriptWithTheProjectsRun) {
    Tutorial t;
    const auto answers = (t.tmp / "answers.txt").string();
    const auto kept = (t.tmp / "project.transcript").string();
    const auto project = RunQuillc({"play", t.qkj.string(), "--answers", answers, "--bless", kept});
    ASSERT_EQ(project.status, 0) << project.out;
    auto played = RunQuilplay({t.dist.string(), "--answers", answers, "--expect", kept}, t.tmp / "data", false);
    EXPECT_EQ(played.status, 0) << played.out << played.err;
    EXPECT_EQ(played.out.find("+++ this run"), std::string::npos) << played.out;

    t.tmp.write("project.transcript", TempFolder::read(kept) + "> button C\n");
    played = RunQuilplay({t.dist.string(), "--answers", answers, "--expect", kept}, t.tmp / "data", false);
    EXPECT_EQ(played.status, 1);
    EXPECT_NE(played.out.find("+++ this run\n"), std::string::npos) << played.out;
    EXPECT_NE(played.out.find("\n-> button C\n"), std::string::npos) << played.out;
}

TEST(Quilplay, MissingAndDamagedFilesAreNamed) {
    Tutorial t;
    struct Case {
        std::function<void()> change;
        quillc::Args args;
        std::string message;
    };
    const std::string dist = t.dist.string();
    const Case cases[] = {
        {[] {}, {(t.tmp / "nowhere").string(), "--headless"}, "was not found"},
        {[&] { fs::create_directories(t.tmp / "empty"); }, {(t.tmp / "empty").string(), "--headless"}, "No compiled tutorial"},
        {[&] { t.tmp.write("dist/OTHER.QKD", std::string(7128, '\0')); }, {dist, "--headless"}, "holds several tutorials"},
        {[&] { fs::remove(t.dist / "OTHER.QKD"); t.tmp.write("dist/TUT.QKD", "short"); },
         {dist, "--headless"}, "TUT.QKD is damaged: it holds 5 bytes"},
    };
    for (const auto& c : cases) {
        c.change();
        const auto r = RunQuilplay(c.args, t.tmp / "data", true);
        EXPECT_EQ(r.status, quillc::ExitUsage) << r.out;
        EXPECT_NE(r.out.find(c.message), std::string::npos) << r.out;
    }
    // A missing chapter is named by its compiled file.
    Tutorial u;
    fs::remove(u.dist / "TUT2.QKC");
    const auto r = RunQuilplay({u.dist.string(), "--answers", (u.tmp / "answers.txt").string()}, u.tmp / "data", true);
    EXPECT_EQ(r.status, quillc::ExitFailed);
    EXPECT_NE(r.out.find("ERROR: TUT2.QKC was not found"), std::string::npos) << r.out;
    // Wrong usage.
    std::ostringstream out, err;
    std::istringstream in;
    bool help = false;
    EXPECT_FALSE(quilplay::ParseArgs({"--bogus"}, {in, out, err}, help));
    EXPECT_TRUE(quilplay::ParseArgs({"--help"}, {in, out, err}, help));
    EXPECT_TRUE(help);
}

// Started without a tutorial in a folder that holds none (from the desktop's menu), the learner
// is offered a file chooser; a tutorial named, or one in the folder, is played without asking.
TEST(Quilplay, WithoutATutorialTheLearnerChoosesOne) {
    TempFolder tmp;
    const fs::path before = fs::current_path();
    fs::current_path(tmp.path());
    int asked = 0;
    const auto choose = [&](std::optional<fs::path> answer) {
        return [&asked, answer]() -> std::optional<fs::path> {
            ++asked;
            return answer;
        };
    };
    quilplay::Options none;
    const auto chosen = quilplay::WithChosenTutorial(none, choose(tmp / "course/TUT.QKD"));
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->tutorial, (tmp / "course/TUT.QKD").string());
    EXPECT_FALSE(quilplay::WithChosenTutorial(none, choose(std::nullopt)));  // the learner cancelled
    EXPECT_EQ(asked, 2);

    quilplay::Options named;
    named.tutorial = "elsewhere";
    EXPECT_EQ(quilplay::WithChosenTutorial(named, choose(std::nullopt))->tutorial, "elsewhere");
    tmp.write("TUT.QKD", std::string(7128, '\0'));
    EXPECT_EQ(quilplay::WithChosenTutorial(none, choose(std::nullopt))->tutorial, "");
    EXPECT_EQ(asked, 2);
    fs::current_path(before);
}

TEST(Quilplay, LearnerFolder) {
    EXPECT_EQ(quilplay::LearnerFolder("/opt/t", "TUT", true, "/home/a/.local/share"), fs::path("/opt/t"));
    EXPECT_EQ(quilplay::LearnerFolder("/opt/t", "TUT", false, "/home/a/.local/share"),
              fs::path("/home/a/.local/share/quilplay/TUT"));
    TempFolder tmp;
    EXPECT_TRUE(quilplay::FolderIsWritable(tmp.path()));
    EXPECT_TRUE(fs::is_empty(tmp.path()));  // the probe is removed
    EXPECT_FALSE(quilplay::FolderIsWritable(tmp / "missing"));
}
