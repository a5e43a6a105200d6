#include <gtest/gtest.h>

#include <sys/stat.h>

#include "project/file_names.h"
#include "project/font_spec.h"
#include "project/rec_list.h"
#include "test_folder.h"
#include "text/errors.h"

using namespace quill;
using quill::test::TempFolder;

TEST(FileNames, NameOnlyAndChangeExtension) {
    EXPECT_EQ(NameOnly("C:\\T\\SAFETY1.QKS"), "SAFETY1");
    EXPECT_EQ(NameOnly("/tmp/tut/safety.qkj"), "safety");
    EXPECT_EQ(NameOnly("plain"), "plain");
    EXPECT_EQ(NameOnly("a.b.c"), "a.b");
    EXPECT_EQ(NameOnly("dir.x\\name"), "name");
    EXPECT_EQ(ChangeExtension("safety", ".QKJ"), "safety.QKJ");
    EXPECT_EQ(ChangeExtension("safety.txt", ".QKJ"), "safety.QKJ");
    EXPECT_EQ(ChangeExtension("dir.x\\safety", ".QKJ"), "dir.x\\safety.QKJ");
}

TEST(FileNames, IsValidFileName) {
    EXPECT_TRUE(IsValidFileName(""));
    EXPECT_TRUE(IsValidFileName("pics\\logo.bmp"));
    EXPECT_TRUE(IsValidFileName("my file-1_(x).txt"));
    EXPECT_TRUE(IsValidFileName("caf\xE9 \xFF.txt"));
    for (char c : std::string("\"*+,/:;<=>?[]|")) {
        EXPECT_FALSE(IsValidFileName(std::string("ab") + c + "d")) << c;
    }
    EXPECT_FALSE(IsValidFileName("*.ICO"));
}

TEST(FileNames, IsNumberReadsLikeTheIntegerConversion) {
    struct Case {
        const char* text;
        std::optional<std::int32_t> value;
    } cases[] = {
        {"0", 0},
        {"42", 42},
        {"   42", 42},
        {"+7", 7},
        {"-7", -7},
        {"$1F", 31},
        {"$ff", 255},
        {"-$10", -16},
        {"$FFFFFFFF", -1},
        {"$80000000", INT32_MIN},
        {"2147483647", INT32_MAX},
        {"-2147483648", INT32_MIN},
        {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt},
        {"$100000000", std::nullopt},
        {"99999999999999999999", std::nullopt},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"-", std::nullopt},
        {"$", std::nullopt},
        {"12 ", std::nullopt},
        {"1 2", std::nullopt},
        {"12a", std::nullopt},
        {"0x10", std::nullopt},
        {"- 5", std::nullopt},
        {"$G", std::nullopt},
        // Short forms, read by ReadInt32 without the general routine.
        {"0042", 42},
        {"9999", 9999},
        {"10000", 10000},
        {"7/", std::nullopt},
        {":", std::nullopt},
        {"1-", std::nullopt},
        {" 7", 7},
        {"1\xB2", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseInt32(c.text), c.value) << '"' << c.text << '"';
        EXPECT_EQ(IsNumber(c.text), c.value.has_value()) << '"' << c.text << '"';
        std::int32_t read = 12345;
        EXPECT_EQ(ReadInt32(c.text, read), c.value.has_value()) << '"' << c.text << '"';
        EXPECT_EQ(read, c.value.value_or(12345)) << '"' << c.text << '"';
    }
}

TEST(FileNames, TakeWordRemovesTheWordAndOneBlank) {
    struct Case {
        const char* text;
        const char* word;
        const char* rest;
    } cases[] = {
        {"Blue White rest", "Blue", "White rest"},
        {"one", "one", ""},
        {"", "", ""},
        {" lead", "", "lead"},
        {"a  b", "a", " b"},
        {"end ", "end", ""},
    };
    for (const auto& c : cases) {
        std::string text = c.text, word = "old";
        TakeWord(text, word);
        EXPECT_EQ(word, c.word) << c.text;
        EXPECT_EQ(text, c.rest) << c.text;
    }
}

TEST(FileNames, FileAttributesMapOntoLinux) {
    TempFolder dir;
    const auto file = dir.write("a.txt", "x");
    const auto hidden = dir.write(".notes", "x");
    EXPECT_TRUE(FileHasAttributes(file, faArchive));
    EXPECT_FALSE(FileHasAttributes(file, faDirectory));
    EXPECT_TRUE(FileHasAttributes(dir.path(), faDirectory));
    EXPECT_TRUE(FileHasAttributes(hidden, faHidden | faArchive));
    EXPECT_FALSE(FileHasAttributes(file, faHidden));
    EXPECT_FALSE(FileHasAttributes(file, faVolumeID));
    EXPECT_FALSE(FileHasAttributes(dir / "missing", 0));
    EXPECT_TRUE(FileHasAttributes(file, 0));
    EXPECT_TRUE(FileHasAttributes("/dev/null", faSysFile));
}

TEST(FileNames, FindInProjectAndFindEither) {
    TempFolder dir;
    dir.write("Logo.BMP", "b");
    dir.write("intro.jpg", "j");
    dir.write("Art.bmp", "a");
    EXPECT_EQ(FindInProject(dir.path(), "*.bmp"), "Art.bmp");
    EXPECT_FALSE(FindInProject(dir.path(), "*.wav"));

    std::string name;
    EXPECT_TRUE(FindEitherInProject(dir.path(), "*.wav", "*.JPG", name));
    EXPECT_EQ(name, "intro.jpg");
    name = "kept";
    EXPECT_TRUE(FindEitherInProject(dir.path(), "*.bmp", "*.jpg", name));
    EXPECT_EQ(name, "kept");  // only an empty name is filled
    name.clear();
    EXPECT_TRUE(FindEitherInProject(dir.path(), "*.bmp", "*.jpg", name));
    EXPECT_EQ(name, "Art.bmp");  // the second pattern is not searched after a hit
    name.clear();
    EXPECT_FALSE(FindEitherInProject(dir.path(), "*.wav", "*.avi", name));
    EXPECT_EQ(name, "");
}

TEST(FileNames, CopyFileToCopiesIntoAFolderAndNamesFailures) {
    TempFolder dir;
    std::string big(3 * 1024 * 1024 + 17, '\0');
    for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 7);
    const auto src = dir.write("src/pic.bmp", big);
    std::filesystem::create_directories(dir / "proj");
    CopyFileTo(src, dir / "proj");
    EXPECT_EQ(TempFolder::read(dir / "proj/pic.bmp"), big);
    CopyFileTo(src, dir / "proj/other.bmp");
    EXPECT_EQ(TempFolder::read(dir / "proj/other.bmp"), big);
    CopyFileTo(src, src);  // onto itself: nothing lost
    EXPECT_EQ(TempFolder::read(src), big);
    try {
        CopyFileTo(dir / "nope.bmp", dir / "proj");
        FAIL();
    } catch (const IoError& e) {
        EXPECT_NE(std::string(e.what()).find("nope.bmp"), std::string::npos);
    }
    EXPECT_THROW(CopyFileTo(src, dir / "no/such/folder/x.bmp"), IoError);
}

TEST(FileNames, CopyFileBlocksResultCodes) {
    TempFolder dir;
    const auto src = dir.write("a.QKR", std::string(5000, 'x'));
    EXPECT_EQ(CopyFileBlocks(src, src), CopySameFile);
    EXPECT_EQ(TempFolder::read(src).size(), 5000u);
    EXPECT_EQ(CopyFileBlocks(dir / "missing", dir / "b"), CopyNoSource);
    EXPECT_EQ(CopyFileBlocks(src, dir / "no/folder/b"), CopyNoTarget);
    EXPECT_EQ(CopyFileBlocks(src, dir / "b.QKR"), CopyOk);
    EXPECT_EQ(TempFolder::read(dir / "b.QKR"), std::string(5000, 'x'));
    if (std::filesystem::exists("/dev/full")) {
        EXPECT_EQ(CopyFileBlocks(src, "/dev/full"), CopyShortWrite);
    }
}

TEST(FileNames, CopyChosenFileIntoProject) {
    TempFolder dir;
    const auto project = dir / "proj";
    std::filesystem::create_directories(project);
    const auto picked = dir.write("outside/Logo.ico", "new icon");
    dir.write("proj/aaa.ico", "first");
    std::vector<std::string> asked;
    auto yes = [&](const std::string& q) { asked.push_back(q); return true; };
    auto no = [&](const std::string& q) { asked.push_back(q); return false; };

    // Declined: the field keeps its text unless it is not a valid name (the mask).
    EXPECT_EQ(CopyChosenFileIntoProject(project, picked, "old.ico", "*.ICO", no), "old.ico");
    EXPECT_EQ(CopyChosenFileIntoProject(project, picked, "*.ICO", "*.ICO", no), "aaa.ico");
    EXPECT_EQ(asked.front(), "Copy the file Logo.ico to the Project directory?");
    EXPECT_FALSE(std::filesystem::exists(project / "Logo.ico"));

    // Accepted: copied, the field gets the bare name.
    EXPECT_EQ(CopyChosenFileIntoProject(project, picked, "*.ICO", "*.ICO", yes), "Logo.ico");
    EXPECT_EQ(TempFolder::read(project / "Logo.ico"), "new icon");

    // An existing file, even in another letter case, is never overwritten.
    dir.write("proj/Logo.ico", "already here");
    const auto upper = dir.write("outside2/LOGO.ICO", "other");
    EXPECT_EQ(CopyChosenFileIntoProject(project, upper, "", "*.ICO", yes), "LOGO.ICO");
    EXPECT_EQ(TempFolder::read(project / "Logo.ico"), "already here");
    EXPECT_FALSE(std::filesystem::exists(project / "LOGO.ICO"));
}

// A link of the chosen name in the project folder, pointing out of it (to a file or to a place
// not yet made), is neither written through nor followed: nothing outside changes or appears.
TEST(FileNames, CopyChosenFileIntoProjectNeverWritesThroughALink) {
    TempFolder dir;
    const auto project = dir / "proj";
    std::filesystem::create_directories(project);
    const auto picked = dir.write("picked/Logo.ico", "new icon");
    const auto victim = dir.write("elsewhere/kept.ico", "kept");
    std::filesystem::create_symlink(victim, project / "logo.ico");
    std::filesystem::create_symlink(dir / "elsewhere/made.ico", project / "Pump.ico");
    const auto pump = dir.write("picked/PUMP.ICO", "pump");
    auto yes = [](const std::string&) { return true; };

    for (const auto& chosen : {picked, pump}) CopyChosenFileIntoProject(project, chosen, "", "*.ICO", yes);
    EXPECT_EQ(TempFolder::read(victim), "kept");
    EXPECT_FALSE(std::filesystem::exists(dir / "elsewhere/made.ico"));
    EXPECT_TRUE(std::filesystem::is_symlink(project / "logo.ico"));
    EXPECT_TRUE(std::filesystem::is_symlink(project / "Pump.ico"));

    // Without such an entry the copy is made in the folder, as a file of its own.
    const auto fresh = dir.write("picked/Valve.ico", "valve");
    EXPECT_EQ(CopyChosenFileIntoProject(project, fresh, "", "*.ICO", yes), "Valve.ico");
    EXPECT_EQ(TempFolder::read(project / "Valve.ico"), "valve");
    EXPECT_FALSE(std::filesystem::is_symlink(project / "Valve.ico"));
}

TEST(FontSpec, ParseAndFormatWithBlanksInTheFaceName) {
    const auto f = FontFromSpec("18 255 4 Times New Roman");
    ASSERT_TRUE(f);
    EXPECT_EQ(f->size, 18);
    EXPECT_EQ(f->color, 255u);
    EXPECT_EQ(f->style, fsUnderline);
    EXPECT_EQ(f->name, "Times New Roman");
    EXPECT_EQ(FontToSpec(*f), "18 255 4 Times New Roman");
    EXPECT_EQ(FontToSpec({10, 0x80000005u, 3, "Arial"}), "10 -2147483643 3 Arial");
    EXPECT_EQ(FontFromSpec("10 -2147483643 3 Arial")->color, 0x80000005u);
    EXPECT_EQ(FontFromSpec("8 0 0 ")->name, "");
    EXPECT_FALSE(FontFromSpec(""));
    EXPECT_FALSE(FontFromSpec("big 0 0 Arial"));
    EXPECT_FALSE(FontFromSpec("10 0"));
}

TEST(RecList, KeepsOwnCopiesInOrder) {
    TRecList list;
    char block[4] = {'a', 'b', 'c', 'd'};
    list.Add(block, 4);
    block[0] = 'z';
    list.Add(std::string_view("xy"));
    ASSERT_EQ(list.Count(), 2u);
    char out[8] = {};
    EXPECT_EQ(list.Get(0, out, 3), 3u);
    EXPECT_EQ(std::string(out, 3), "abc");
    EXPECT_EQ(list.Get(1, out, 8), 2u);
    EXPECT_EQ(list.Get(5, out, 8), 0u);
    EXPECT_EQ(list[0], "abcd");
}
