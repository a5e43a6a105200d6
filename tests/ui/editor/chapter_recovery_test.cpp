// Recovery files in a received tutorial folder: a link there is never followed.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "../../format/test_folder.h"
#include "editor/chapter_recovery.h"

using namespace quill;
using quill::test::TempFolder;
namespace fs = std::filesystem;

TEST(ChapterRecoveryLinks, ARecoveryFolderThatIsALinkIsRefused) {
    TempFolder tmp;
    fs::create_directories(tmp / "p");
    fs::create_directories(tmp / "outside");
    tmp.write("outside/DEMO1.QKS", "theirs\r\n");
    fs::create_directory_symlink(tmp / "outside", tmp / "p" / ChapterRecovery::kFolder);
    ChapterRecovery recovery(tmp / "p");
    recovery.setChapter("DEMO1.QKS");
    EXPECT_FALSE(recovery.read());  // an outside file is never offered as unsaved text
    EXPECT_FALSE(recovery.write("mine"));
    EXPECT_TRUE(recovery.refused());
    recovery.remove();
    EXPECT_EQ(TempFolder::read(tmp / "outside/DEMO1.QKS"), "theirs\r\n");
    EXPECT_TRUE(fs::is_symlink(tmp / "p" / ChapterRecovery::kFolder));
}

TEST(ChapterRecoveryLinks, ARecoveryFileThatIsALinkIsReplacedNeverWrittenThrough) {
    TempFolder tmp;
    const fs::path kept = tmp / "p" / ChapterRecovery::kFolder;
    fs::create_directories(kept);
    tmp.write("outside.txt", "theirs\r\n");
    struct {
        const char* chapter;
        fs::path target;
    } cases[] = {{"DEMO1.QKS", tmp / "outside.txt"}, {"DEMO2.QKS", "/dev/zero"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.chapter);
        fs::create_directories(kept);
        fs::create_symlink(c.target, kept / c.chapter);
        ChapterRecovery recovery(tmp / "p");
        recovery.setChapter(c.chapter);
        EXPECT_FALSE(recovery.read());
        EXPECT_TRUE(recovery.write("mine"));
        EXPECT_FALSE(fs::is_symlink(kept / c.chapter));
        EXPECT_EQ(TempFolder::read(kept / c.chapter), "mine\r\n");
        // Removing a link removes the link.
        EXPECT_TRUE(recovery.write("mine"));
        fs::remove(kept / c.chapter);
        fs::create_symlink(c.target, kept / c.chapter);
        recovery.remove();
        EXPECT_FALSE(fs::exists(fs::symlink_status(kept / c.chapter)));
    }
    EXPECT_EQ(TempFolder::read(tmp / "outside.txt"), "theirs\r\n");
    struct stat st{};
    ASSERT_EQ(::stat("/dev/zero", &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));
}
