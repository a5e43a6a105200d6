// The one way to touch a tutorial's files: reads and writes stay in the folder, by the kernel
// (openat2) and by the resolver that stands in where the kernel lacks it.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "project/tutorial_folder.h"
#include "test_folder.h"

using namespace quill;
using quill::test::TempFolder;
namespace fs = std::filesystem;

namespace {

// A tutorial folder "p" beside a folder "out" that a hostile tutorial tries to reach.
struct HostileFolder {
    TempFolder tmp;
    fs::path p = tmp / "p";
    fs::path out = tmp / "out";
    HostileFolder() {
        tmp.write("p/a.txt", "a");
        tmp.write("p/Sub/b.txt", "b");
        tmp.write("out/v.txt", "secret");
        fs::create_symlink("../out/v.txt", p / "lnk.txt");
        fs::create_symlink("/dev/zero", p / "zero.txt");
        fs::create_symlink("a.txt", p / "in.txt");
        fs::create_symlink("../out/new.txt", p / "dang.txt");
        fs::create_directory_symlink("../out", p / "dir");
        fs::create_directory_symlink("Sub", p / "sublink");
        ::mkfifo((p / "fifo.bmp").c_str(), 0600);
    }
};

class TutorialFolderTest : public ::testing::TestWithParam<TutorialFolder::Confinement> {};

INSTANTIATE_TEST_SUITE_P(BothWays, TutorialFolderTest,
                         ::testing::Values(TutorialFolder::Confinement::Automatic,
                                           TutorialFolder::Confinement::Resolver),
                         [](const auto& info) {
                             return info.param == TutorialFolder::Confinement::Automatic ? "Kernel" : "Resolver";
                         });

}  // namespace

TEST(TutorialFolderKernel, ThisKernelConfinesOpens) { EXPECT_TRUE(KernelConfinesOpens()); }

TEST_P(TutorialFolderTest, ReadsStayInsideAndTakeRegularFilesOnly) {
    HostileFolder h;
    const TutorialFolder folder(h.p, GetParam());
    enum Result { Reads, Outside, Refused };
    const struct {
        fs::path path;
        Result result;
    } cases[] = {
        {h.p / "a.txt", Reads},          {h.p / "in.txt", Reads},
        {h.p / "sublink" / "b.txt", Reads}, {h.p / "Sub" / "b.txt", Reads},
        {h.p / "lnk.txt", Outside},      {h.p / "zero.txt", Outside},
        {h.p / "dir" / "v.txt", Outside}, {h.p / ".." / "out" / "v.txt", Outside},
        {h.out / "v.txt", Outside},      {"/etc/hostname", Outside},
        {h.p / "fifo.bmp", Refused},     {h.p / "Sub", Refused},
        {h.p / "missing.txt", Refused},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.string());
        try {
            const std::string bytes = folder.Read(c.path);
            EXPECT_EQ(c.result, Reads);
        } catch (const OutsideFolderError& e) {
            EXPECT_EQ(c.result, Outside) << e.what();
            EXPECT_NE(std::string(e.what()).find(" is outside the tutorial folder."), std::string::npos);
        } catch (const IoError& e) {
            EXPECT_EQ(c.result, Refused) << e.what();
            EXPECT_NE(std::string(e.what()).find(c.path.filename().string()), std::string::npos) << e.what();
        }
    }
    // Lookups by name find only what can be read.
    EXPECT_TRUE(folder.FindFile("A.TXT"));
    EXPECT_TRUE(folder.FindFile("sub\\B.txt"));
    EXPECT_FALSE(folder.FindFile("lnk.txt"));
    EXPECT_FALSE(folder.FindFile("fifo.bmp"));
    EXPECT_FALSE(folder.FindFile("dir\\v.txt"));
    EXPECT_FALSE(folder.FindFile("..\\out\\v.txt"));
    EXPECT_FALSE(folder.FindFile("/etc/hostname"));
}

TEST_P(TutorialFolderTest, WritesNeverFollowALinkNorLeaveTheFolder) {
    HostileFolder h;
    const TutorialFolder folder(h.p, GetParam());

    // A replacement replaces the link itself; the file it led to is untouched.
    folder.Replace(h.p / "lnk.txt", "new");
    EXPECT_FALSE(fs::is_symlink(h.p / "lnk.txt"));
    EXPECT_EQ(TempFolder::read(h.p / "lnk.txt"), "new");
    EXPECT_EQ(TempFolder::read(h.out / "v.txt"), "secret");
    folder.Replace(h.p / "zero.txt", "text");  // not the device
    EXPECT_EQ(TempFolder::read(h.p / "zero.txt"), "text");

    // Appends, new files and folders refuse a link in their last part, and a folder link out.
    EXPECT_THROW(folder.Append(h.p / "in.txt", "x"), IoError);
    EXPECT_THROW(folder.Append(h.p / "dang.txt", "x"), IoError);
    EXPECT_FALSE(fs::exists(h.out / "new.txt"));
    EXPECT_THROW(folder.Append(h.p / "dir" / "made.txt", "x"), OutsideFolderError);
    EXPECT_THROW(folder.Replace(h.p / "dir" / "made.txt", "x"), OutsideFolderError);
    EXPECT_THROW(folder.Replace(h.out / "v.txt", "x"), OutsideFolderError);
    EXPECT_FALSE(folder.CreateNew(h.p / "dang.txt", "x"));  // a link is an entry: not written through
    EXPECT_THROW(folder.MakeFolders(h.p / "dir" / "deeper"), IoError);
    EXPECT_THROW(folder.Append(h.p / "fifo.bmp", "x"), IoError);  // at once, no writer waited for
    EXPECT_FALSE(fs::exists(h.out / "made.txt"));
    EXPECT_FALSE(fs::exists(h.out / "deeper"));
    EXPECT_EQ(TempFolder::read(h.out / "v.txt"), "secret");

    // Removing a link removes the link, never what it leads to.
    fs::create_symlink("../out/v.txt", h.p / "lnk2.txt");
    EXPECT_TRUE(folder.Remove(h.p / "lnk2.txt"));
    EXPECT_TRUE(fs::exists(h.out / "v.txt"));
    EXPECT_FALSE(folder.Remove(h.p / "lnk2.txt"));
    EXPECT_THROW(folder.Remove(h.p / "dir" / "v.txt"), OutsideFolderError);
    EXPECT_TRUE(fs::exists(h.out / "v.txt"));

    // What stays inside works.
    folder.MakeFolders(h.p / "New" / "Deeper");
    folder.Append(h.p / "New" / "Deeper" / "f.txt", "ab");
    folder.Append(h.p / "New" / "Deeper" / "f.txt", "cd");
    EXPECT_EQ(folder.Read(h.p / "New" / "Deeper" / "f.txt"), "abcd");
    EXPECT_TRUE(folder.CreateNew(h.p / "c.txt", "c"));
    EXPECT_FALSE(folder.CreateNew(h.p / "c.txt", "d"));
    folder.Copy(folder, h.p / "a.txt", h.p / "Sub" / "copy.txt");
    EXPECT_EQ(TempFolder::read(h.p / "Sub" / "copy.txt"), "a");
}
