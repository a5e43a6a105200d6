// Tutorials come from others: every file a chapter reads or writes stays inside its folder, by
// name and through symbolic links (to files, to folders, dangling, looping). Each case runs one
// line in a tutorial whose folder holds such links and checks that it stops with the message
// and that nothing outside changed.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QImage>
#include <map>

#include "engine_test_support.h"

namespace quill::test {
namespace {

namespace fs = std::filesystem;

// What lies outside the tutorial folder, name -> bytes (files only, folders by their files).
std::map<std::string, std::string> Outside(const fs::path& out) {
    std::map<std::string, std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(out))
        if (e.is_regular_file()) files[e.path().lexically_relative(out).string()] = TempFolder::read(e.path());
    return files;
}

class Confined : public ::testing::Test {
protected:
    void SetUp() override {
        out = t.folder.path() / "out";
        fs::create_directories(out);
        t.folder.write("out/v.txt", "outside\r\n");
        t.folder.write("out/secret.txt", "secret\r\n");
        QImage red(4, 4, QImage::Format_RGB32);
        red.fill(Qt::red);
        ASSERT_TRUE(red.save(QString::fromStdString((out / "red.bmp").string()), "BMP"));
        t.write("a.txt", "inside\r\n");
        const fs::path d = t.dir();
        fs::create_symlink("../out/v.txt", d / "lnk.txt");
        fs::create_symlink("../out/secret.txt", d / "sec.txt");
        fs::create_symlink("../out/new.txt", d / "dang.txt");
        fs::create_symlink("../out/red.bmp", d / "pic.bmp");
        fs::create_directory_symlink("../out", d / "dir");
        fs::create_symlink("loop", d / "loop");
        fs::create_symlink("a.txt", d / "inlnk.txt");  // inside: allowed
    }

    Tutorial t;
    fs::path out;
};

struct Case {
    const char* line;
    const char* answers;
};

class ConfinedCommand : public Confined, public ::testing::WithParamInterface<Case> {};

TEST_P(ConfinedCommand, StopsWithTheMessageAndTouchesNothingOutside) {
    std::string line = GetParam().line;
    if (const auto at = line.find("ABS"); at != std::string::npos) line.replace(at, 3, t.folder.path().string());
    t.chapter("T1", {"*JumpToLabel Go", "@JMatch", "@JGo", line, "yes;*JumpToLabel Match", "*JumpToLabel Match", "&3"});
    const auto before = Outside(out);
    Session s(t, GetParam().answers);
    s.play("T1");
    EXPECT_EQ(s.result.end, PlayEnd::ScriptError) << line;
    ASSERT_EQ(s.host.errors().size(), 1) << line;
    EXPECT_TRUE(s.host.errors()[0].endsWith("is outside the tutorial folder.")) << s.host.errors()[0].toStdString();
    EXPECT_EQ(Outside(out), before) << line;
    EXPECT_FALSE(fs::exists(out / "new.txt"));
    EXPECT_TRUE(fs::is_symlink(t.dir() / "lnk.txt"));
}

INSTANTIATE_TEST_SUITE_P(Engine, ConfinedCommand, ::testing::Values(
    // writes through links to files, to folders and dangling ones
    Case{"*AddToFile dang.txt hi", ""}, Case{"*AddToFile lnk.txt appended", ""},
    Case{"*AddToFile dir\\made.txt hi", ""}, Case{"*AddToFile Dir\\made.txt hi", ""},
    Case{"*AddToFile loop hi", ""}, Case{"*CopyFile a.txt lnk.txt", ""},
    Case{"*InputToFile 10 lnk.txt", "text typed"}, Case{"*MemoToFile 10 3 dang.txt", "memo typed"},
    Case{"*DeleteFile lnk.txt", ""}, Case{"*DeleteFile dir\\v.txt", ""},
    // reads through links
    Case{"*CopyFile sec.txt got.txt", ""}, Case{"*DisplayFile sec.txt", ""},
    Case{"*DisplayMemo 10 3 sec.txt", ""}, Case{"*PrintFile sec.txt", "ok"},
    Case{"*RejoinChapter lnk.txt RJ", ""}, Case{"*JumpOnFileExists SEC.TXT", ""},
    Case{"*JumpOnFileInput sec.txt", ""}, Case{"*BranchOnFileInput dir\\secret.txt", ""},
    Case{"*JumpOnFileMatch sec.txt 1", ""}, Case{"*Notepad sec.txt", ""},
    // pictures by path and through links
    Case{"*ScreenImage ../out/red.bmp", ""}, Case{"*ScreenImage ..\\out\\red.bmp", ""},
    Case{"*ShowImage 1 1 0 ABS/out/red.bmp", ""}, Case{"*ShowImage 1 1 0 c:\\out\\red.bmp", ""},
    Case{"*ScreenImage pic.bmp", ""}, Case{"*ShowImage 1 1 0 dir\\red.bmp", ""}));

TEST_F(Confined, LinksThatStayInsideAreReadAsTheirTargetButNeverWrittenThrough) {
    t.chapter("T1", {"*DisplayFile inlnk.txt", "*CopyFile inlnk.txt copy.txt"});
    Session s(t);
    s.play("T1");
    EXPECT_EQ(s.result.end, PlayEnd::Finished);
    EXPECT_TRUE(s.host.errors().isEmpty()) << s.host.errors().join('\n').toStdString();
    EXPECT_EQ(t.read("copy.txt"), "inside\r\n");
    // A write never follows a link in its last part, even one that stays inside.
    t.chapter("T2", {"*AddToFile inlnk.txt more"});
    Session s2(t);
    s2.play("T2");
    EXPECT_EQ(s2.result.end, PlayEnd::ScriptError);
    ASSERT_EQ(s2.host.errors().size(), 1);
    EXPECT_TRUE(s2.host.errors()[0].contains("symbolic link")) << s2.host.errors()[0].toStdString();
    EXPECT_EQ(t.read("a.txt"), "inside\r\n");
}

TEST_F(Confined, LearnerAnswersAndChaptersDoNotComeFromOutside) {
    // USER.DAT linked out of the folder is neither written nor read.
    fs::create_symlink("../out/USER.DAT", t.dir() / "USER.DAT");
    t.chapter("T1", {"*GetUserInput A 10"});
    Session s(t, "text Ann");
    s.play("T1");
    EXPECT_EQ(s.result.end, PlayEnd::ScriptError);
    EXPECT_FALSE(fs::exists(out / "USER.DAT"));

    // A chapter file that is a link to a file outside is not run.
    t.folder.write("out/X.QKS", "*AddToFile mine.txt ran\r\n");
    fs::create_symlink("../out/X.QKS", t.dir() / "T2.QKS");
    Session s2(t);
    s2.play("T2");
    EXPECT_EQ(s2.result.end, PlayEnd::ScriptError);
    EXPECT_FALSE(fs::exists(t.dir() / "mine.txt"));
}

TEST_F(Confined, FilesThatAreNotRegularAreRefusedWithoutWaiting) {
    // A pipe without a writer or reader would block a read or a write for ever.
    ASSERT_EQ(::mkfifo((t.dir() / "pipe.txt").c_str(), 0600), 0);
    for (const char* line : {"*AddToFile pipe.txt hi", "*CopyFile a.txt pipe.txt"}) {
        t.chapter("T1", {line});
        Session s(t);
        s.play("T1");
        EXPECT_EQ(s.result.end, PlayEnd::ScriptError) << line;
        ASSERT_EQ(s.host.errors().size(), 1);
        EXPECT_TRUE(s.host.errors()[0].startsWith("Cannot write the file ")) << s.host.errors()[0].toStdString();
    }
}

TEST(Engine, RepeatedDrawingCountsAsStepsAndEndsAtTheLimitOrAStop) {
    Tutorial t;
    std::string many;
    for (int i = 0; i < 10000; ++i) many += "line\r\n";
    t.write("many.txt", many);
    t.chapter("T2", {"*DisplayFile many.txt", "*AddToFile after.txt no"});
    Session lines(t);
    lines.player.setStepLimit(500);
    lines.play("T2");
    EXPECT_EQ(lines.result.end, PlayEnd::StepLimit);
    EXPECT_EQ(lines.result.steps, 500);

    t.chapter("T1", {"*Blink 1 1 2147483647 Default Default x", "*AddToFile after.txt no"});
    Session s(t);
    s.player.setStepLimit(500);
    s.play("T1");
    EXPECT_EQ(s.result.end, PlayEnd::StepLimit);
    EXPECT_EQ(s.result.steps, 500);
    EXPECT_FALSE(fs::exists(t.path("after.txt")));

    Session stopped(t);
    stopped.player.setStepLimit(0);
    stopped.host.stopAfterEvents = 2;  // the host asks to stop after it processed events twice
    stopped.play("T1");
    EXPECT_EQ(stopped.result.end, PlayEnd::Stopped);
    EXPECT_LT(stopped.result.steps, 3 * ChapterPlayer::kEventInterval);
}

}  // namespace
}  // namespace quill::test
