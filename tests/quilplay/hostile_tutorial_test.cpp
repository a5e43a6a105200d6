// A distribution from a stranger: quilplay keeps the learner's files in a folder of their own,
// never follows a link out, and a pipe named as a picture or chapter does not hang it.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "../cli/run_quillc.h"
#include "../format/test_folder.h"
#include "project/project.h"
#include "quilplay.h"
#include "text/errors.h"

using quill::test::RunQuillc;
using quill::test::TempFolder;
namespace fs = std::filesystem;

namespace {

// A one-chapter tutorial TUT, compiled and distributed into dist/.
struct Distribution {
    TempFolder tmp;
    fs::path dist = tmp / "dist";
    fs::path data = tmp / "data";  // the learner's data home
    explicit Distribution(const std::function<void(quill::TTutorialConfig&)>& configure = {}) {
        quill::Project p;
        quill::NewTutorial(p, tmp / "proj", "TUT");
        p.Config.set(quill::cfg::TutorialType, 0);
        p.Config.set(quill::cfg::StartChapter, "TUT1");
        if (configure) configure(p.Config);
        p.SaveProject();
        tmp.write("proj/TUT1.QKS", "*ClearScreen Blue\r\nHello\r\n*Wait\r\n");
        for (const char* picture : {"proj/fifo.ico", "proj/fifo.bmp"}) tmp.write(picture, "BM");
        const auto qkj = (tmp / "proj" / "TUT.QKJ").string();
        EXPECT_EQ(RunQuillc({"compile", qkj}).status, 0);
        const auto d = RunQuillc({"distribute", qkj, dist.string(), "--home", (tmp / "nohome").string()});
        EXPECT_EQ(d.status, 0) << d.out << d.err;
    }
    quilplay::Options Options(const fs::path& tutorial, bool writable) const {
        quilplay::Options o;
        o.tutorial = tutorial.string();
        o.dataHome = data;
        o.folderWritable = writable;
        return o;
    }
    std::pair<int, std::string> Play(const std::string& answers) const {
        tmp.write("answers.txt", answers);
        std::istringstream in;
        std::ostringstream out, err;
        const quillc::Io io{in, out, err};
        auto o = Options(dist, false);
        o.answers = (tmp / "answers.txt").string();
        o.headless = true;
        quill::Project project = quilplay::OpenCompiledTutorial(o);
        const int status = quilplay::PlayHeadless(project, o, io);
        return {status, out.str() + err.str()};
    }
};

}  // namespace

TEST(QuilplayHostile, LearnerFolderNamesNeverLeaveTheDataFolder) {
    const struct {
        std::string name, folder;
    } cases[] = {
        {"TUT", "TUT"},        {"..", "%2E%2E"},     {".", "%2E"},          {"", "%"},
        {"a/b", "a%2Fb"},      {"a\\b", "a%5Cb"},    {"a\nb", "a%0Ab"},     {"50%", "50%25"},
        {"a.b", "a.b"},        {"..a", "..a"},       {"S\xC9" "CU", "S\xC9" "CU"},
    };
    for (const auto& c : cases) EXPECT_EQ(quilplay::LearnerFolderName(c.name), c.folder) << c.name;
    // No home: refused, never a shared folder such as /tmp.
    EXPECT_THROW(quilplay::LearnerFolder("/opt/t", "TUT", false, {}), quill::UserError);
    EXPECT_EQ(quilplay::LearnerFolder("/opt/t", "TUT", true, {}), fs::path("/opt/t"));
    const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
    const std::string xdg = std::getenv("XDG_DATA_HOME") ? std::getenv("XDG_DATA_HOME") : "";
    ::unsetenv("HOME");
    ::unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(quilplay::DefaultDataHome(), fs::path());
    if (!home.empty()) ::setenv("HOME", home.c_str(), 1);
    if (!xdg.empty()) ::setenv("XDG_DATA_HOME", xdg.c_str(), 1);
}

TEST(QuilplayHostile, TheLearnerFolderIsTheTutorialsOwnAndNeverALink) {
    Distribution d;
    // A data file named "...QKD" (tutorial name "..") gets a folder of its own, not the data home.
    fs::rename(d.dist / "TUT.QKD", d.dist / "...QKD");
    quill::Project dots = quilplay::OpenCompiledTutorial(d.Options(d.dist, false));
    EXPECT_EQ(dots.LearnerDir, d.data / "quilplay" / "%2E%2E");
    EXPECT_TRUE(fs::is_directory(dots.LearnerDir));
    fs::rename(d.dist / "...QKD", d.dist / "TUT.QKD");

    // A learner folder that is a link is refused; nothing is made where it leads.
    fs::create_directories(d.data / "quilplay");
    fs::create_directories(d.tmp / "elsewhere");
    fs::create_directory_symlink(d.tmp / "elsewhere", d.data / "quilplay" / "TUT");
    EXPECT_THROW(quilplay::OpenCompiledTutorial(d.Options(d.dist, false)), quill::IoError);
    fs::remove(d.data / "quilplay" / "TUT");

    // What a killed run left half-written is removed when the tutorial opens.
    const fs::path stale = d.data / "quilplay" / "TUT" / ".USER.DAT.quilltmp-999999999-0-0";
    d.tmp.write(fs::relative(stale, d.tmp.path()).string(), "half");
    const fs::path live = d.data / "quilplay" / "TUT" / "USER.DAT";
    d.tmp.write(fs::relative(live, d.tmp.path()).string(), "kept");
    quilplay::OpenCompiledTutorial(d.Options(d.dist, false));
    EXPECT_FALSE(fs::exists(stale));
    EXPECT_TRUE(fs::exists(live));
    // Kept in the tutorial's own folder, the same (that folder is listed once for both).
    const fs::path staleHere = d.dist / ".USER.DAT.quilltmp-999999999-0-0";
    d.tmp.write(fs::relative(staleHere, d.tmp.path()).string(), "half");
    quilplay::OpenCompiledTutorial(d.Options(d.dist, true));
    EXPECT_FALSE(fs::exists(staleHere));
    EXPECT_TRUE(fs::exists(d.dist / "TUT.QKD"));
}

TEST(QuilplayHostile, TheDataFileIsFoundAsListedAndNotThroughALinkOut) {
    Distribution d;
    // A .QKD that is a link out of its folder is refused like a chapter that is one.
    fs::create_directories(d.tmp / "other");
    fs::create_symlink(d.dist / "TUT.QKD", d.tmp / "other" / "TUT.QKD");
    EXPECT_THROW(quilplay::OpenCompiledTutorial(d.Options(d.tmp / "other", true)), quill::IoError);
    // A Windows-1252 name as unpacked from a Windows archive plays.
    fs::rename(d.dist / "TUT.QKD", d.dist / "T\xE9.QKD");
    const quill::Project p = quilplay::OpenCompiledTutorial(d.Options(d.dist, true));
    EXPECT_EQ(p.ProjectName, "T\xE9");
}

TEST(QuilplayHostile, PipesNamedAsPicturesOrChaptersDoNotHangThePlayer) {
    Distribution d([](quill::TTutorialConfig& c) {
        c.set(quill::cfg::AboutOn, 1);
        c.set(quill::cfg::About::UseIcon, 1);
        c.set(quill::cfg::About::IconFile, "fifo.ico");
        c.set(quill::cfg::Program::BackgroundType, 2);
        c.set(quill::cfg::Program::BackgroundGraphic, "fifo.bmp");
    });
    for (const char* name : {"fifo.ico", "fifo.bmp"}) {
        fs::remove(d.dist / name);
        ASSERT_EQ(::mkfifo((d.dist / name).c_str(), 0600), 0);
    }
    const auto [status, out] = d.Play("ok\nbutton C\n");
    EXPECT_EQ(status, 0) << out;
    // The chapter itself a pipe: a clear error, at once.
    fs::remove(d.dist / "TUT1.QKC");
    ASSERT_EQ(::mkfifo((d.dist / "TUT1.QKC").c_str(), 0600), 0);
    const auto [status2, out2] = d.Play("ok\nbutton C\n");
    EXPECT_NE(out2.find("TUT1.QKC"), std::string::npos) << out2;
}

TEST(QuilplayProgram, WithoutADisplayItSaysSoInsteadOfAborting) {
    const fs::path quilplay = fs::path(QUILL_BINARY_DIR) / "quilplay";
    if (!fs::exists(quilplay)) GTEST_SKIP() << "quilplay is not built in " << QUILL_BINARY_DIR;
    TempFolder tmp;
    const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '" + quilplay.string() + "' '" +
                                tmp.path().string() + "' 2>&1";
    FILE* p = ::popen(command.c_str(), "r");
    ASSERT_NE(p, nullptr);
    std::string out;
    char buffer[512];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, p)) out.append(buffer, n);
    const int status = ::pclose(p);
    ASSERT_TRUE(WIFEXITED(status)) << out;  // no SIGABRT
    EXPECT_EQ(WEXITSTATUS(status), 2) << out;
    EXPECT_EQ(out, "quilplay needs a graphical display; use --answers to play without one\n");
}

TEST(QuilplayProgram, DataFolderPrintsWhereTheLearnersFilesAreKept) {
    const fs::path quilplay = fs::path(QUILL_BINARY_DIR) / "quilplay";
    if (!fs::exists(quilplay)) GTEST_SKIP() << "quilplay is not built in " << QUILL_BINARY_DIR;
    Distribution d;
    const std::string command = "env -u DISPLAY XDG_DATA_HOME='" + d.data.string() + "' '" + quilplay.string() +
                                "' '" + d.dist.string() + "' --data-folder 2>&1";
    FILE* p = ::popen(command.c_str(), "r");
    ASSERT_NE(p, nullptr);
    std::string out;
    char buffer[512];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, p)) out.append(buffer, n);
    EXPECT_EQ(::pclose(p), 0) << out;
    // The tutorial folder can be written here, so the learner's files stay in it.
    EXPECT_EQ(out, d.dist.string() + "\n");
}
