// Where a name written in a tutorial leads, and whether it stays in the tutorial folder.
#include <gtest/gtest.h>

#include <filesystem>

#include "project/project_path.h"
#include "test_folder.h"

using namespace quill;
using quill::test::TempFolder;
namespace fs = std::filesystem;

TEST(ProjectPath, NamesAndLinksInsideOrOutsideTheFolder) {
    TempFolder tmp;
    const fs::path p = tmp / "p";
    tmp.write("p/a.txt", "a");
    tmp.write("p/Sub/b.txt", "b");
    tmp.write("out/v.txt", "v");
    fs::create_symlink("../out/v.txt", p / "lnk.txt");
    fs::create_symlink("../out/new.txt", p / "dang.txt");
    fs::create_symlink("new.txt", p / "dangin.txt");
    fs::create_symlink("a.txt", p / "in.txt");
    fs::create_symlink(tmp.path() / "p" / "a.txt", p / "absin.txt");
    fs::create_directory_symlink("../out", p / "dir");
    fs::create_directory_symlink("Sub", p / "sublink");
    fs::create_directory_symlink("..", p / "up");
    fs::create_symlink("loop", p / "loop");
    fs::create_directory_symlink(p, tmp / "plink");  // the project reached through a link

    const struct {
        const char* name;
        bool inside;
    } cases[] = {
        {"a.txt", true}, {"A.TXT", true}, {"new.txt", true}, {"sub\\b.txt", true},
        {"SUB/new.txt", true}, {"in.txt", true}, {"absin.txt", true}, {"dangin.txt", true},
        {"sublink\\b.txt", true}, {"", true},
        {"lnk.txt", false}, {"LNK.TXT", false}, {"dang.txt", false}, {"dir\\v.txt", false},
        {"dir\\made.txt", false}, {"Dir/made/deeper.txt", false}, {"up\\out\\v.txt", false},
        {"loop", false}, {"..\\out\\v.txt", false}, {"sub/../a.txt", false}, {"..", false},
        {"/etc/hostname", false}, {"\\etc\\hostname", false}, {"c:\\x.txt", false}, {"C:x.txt", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ResolveInProject(p, c.name).inside, c.inside) << c.name;
        EXPECT_EQ(ResolveInProject(tmp / "plink", c.name).inside, c.inside) << "through a link: " << c.name;
    }
    EXPECT_EQ(ResolveInProject(p, "SUB/new.txt").path, p / "Sub" / "new.txt");
    EXPECT_EQ(ResolveInProject(p, "A.TXT").path, p / "a.txt");
}
