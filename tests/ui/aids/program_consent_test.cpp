// A tutorial starts nothing unasked: the learner sees exactly what would run and decides.
#include <gtest/gtest.h>

#include <filesystem>

#include "common/program_launcher.h"
#include "common/shell_open.h"
#include "aids_fixture.h"
#include "platform/start_consent.h"

using namespace quill;
using namespace quill::test;
namespace fs = std::filesystem;

namespace {

using Kind = RecordingMessages::Kind;

struct ConsentTest : AidsFixture {
    ConsentTest() { system.onPath = {"sh", "wine"}; }
    std::vector<QString> Questions() const { return rec.messages.Texts(Kind::AskToStart); }
};

}  // namespace

TEST_F(ConsentTest, NothingStartsBeforeTheLearnerAllowsIt) {
    // "Don't allow": skipped, and the tutorial goes on without a further box.
    LaunchProgram(context, LaunchExecutable, "sh,-c \"id > ran.txt\"");
    ASSERT_EQ(Questions().size(), 1u);
    EXPECT_EQ(Questions()[0], StartQuestionText("/usr/bin/sh -c \"id > ran.txt\""));
    EXPECT_TRUE(system.runs.empty());
    EXPECT_TRUE(rec.messages.Texts(Kind::Error).empty());

    // "Allow" starts it once; the next start asks again (the learner's player).
    rec.messages.startAnswers = {StartAnswer::Allow};
    LaunchProgram(context, LaunchExecutable, "sh,-c true");
    EXPECT_EQ(system.runs.size(), 1u);
    LaunchProgram(context, LaunchExecutable, "sh,-c true");
    EXPECT_EQ(system.runs.size(), 1u);
    EXPECT_EQ(Questions().size(), 3u);

    // Documents and web pages are asked for too.
    InProject("notes.txt");
    OpenWithShell(context, "notes.txt");
    OpenWithShell(context, "http://example.org/");
    EXPECT_TRUE(system.opened.empty());
    EXPECT_EQ(Questions().size(), 5u);
}

TEST_F(ConsentTest, AlwaysAllowIsKeptForTheFolderOutsideIt) {
    const fs::path kept = elsewhere / "allowed-tutorials";
    system.consent.Configure(kept, StartConsent::Memory::EveryTime);
    rec.messages.startAnswers = {StartAnswer::AlwaysAllow};
    LaunchProgram(context, LaunchExecutable, "sh,-c true");
    LaunchProgram(context, LaunchExecutable, "sh,-c true");
    EXPECT_EQ(system.runs.size(), 2u);
    EXPECT_EQ(Questions().size(), 1u);
    // A later run of the player (a new consent object) remembers it from the learner's file.
    RecordingSystem later;
    later.onPath = {"sh"};
    later.consent.Configure(kept, StartConsent::Memory::EveryTime);
    AidsContext again{project, rec.platform(), later};
    LaunchProgram(again, LaunchExecutable, "sh,-c true");
    EXPECT_EQ(later.runs.size(), 1u);
    EXPECT_EQ(Questions().size(), 1u);
    // Another tutorial folder is asked about.
    TempFolder other;
    Project otherProject{other.path()};
    AidsContext third{otherProject, rec.platform(), later};
    LaunchProgram(third, LaunchExecutable, "sh,-c true");
    EXPECT_EQ(Questions().size(), 2u);
}

TEST_F(ConsentTest, ThePreviewAsksOncePerFolder) {
    system.consent.Configure({}, StartConsent::Memory::OncePerFolder);
    rec.messages.startAnswers = {StartAnswer::Allow};
    LaunchProgram(context, LaunchExecutable, "sh,-c true");
    LaunchProgram(context, LaunchExecutable, "sh,-c true");
    EXPECT_EQ(system.runs.size(), 2u);
    EXPECT_EQ(Questions().size(), 1u);
}

TEST_F(ConsentTest, NamesThatLeaveTheFolderAreRefusedBeforeAnyQuestion) {
    fs::create_directories(elsewhere / "bin");
    elsewhere.write("bin/tool.sh", "#!/bin/sh\n");
    fs::create_symlink(elsewhere / "bin" / "tool.sh", home / "link.sh");
    fs::create_directory_symlink(elsewhere / "bin", home / "bin");
    const struct {
        int kind;
        const char* command;
        const char* named;
    } cases[] = {
        {LaunchExecutable, "/bin/sh,-c id", "/bin/sh"},
        {LaunchExecutable, "..\\bin\\tool.sh", "..\\bin\\tool.sh"},
        {LaunchExecutable, "C:\\WINDOWS\\NOTEPAD.EXE", "C:\\WINDOWS\\NOTEPAD.EXE"},
        {LaunchExecutable, "link.sh", "link.sh"},
        {LaunchExecutable, "bin\\tool.sh", "bin\\tool.sh"},
        {LaunchWindowsProgram, "sh ../../etc/passwd", "../../etc/passwd"},
    };
    for (const auto& c : cases) {
        rec.messages.Clear();
        LaunchProgram(context, c.kind, c.command);
        EXPECT_EQ(rec.messages.Texts(Kind::Error),
                  std::vector<QString>{QStringLiteral("The file %1 is outside the tutorial folder.").arg(c.named)})
            << c.command;
        EXPECT_TRUE(Questions().empty()) << c.command;
    }
    EXPECT_TRUE(system.runs.empty());
}
