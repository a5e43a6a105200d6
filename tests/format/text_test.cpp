#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <vector>

#include "project/tutorial_folder.h"
#include "test_folder.h"
#include "text/byte_io.h"
#include "text/cp1252.h"
#include "text/errors.h"
#include "text/file_lookup.h"
#include "text/text_file.h"

using namespace quill;
using quill::test::TempFolder;

TEST(Cp1252, EveryByteSurvivesARoundTripThroughUtf8) {
    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
}

TEST(Cp1252, ConvertsTheCharactersThatDifferFromLatin1) {
    EXPECT_EQ(Cp1252ToUtf8("\x80\x93\x99\xE9"), "\u20AC\u201C\u2122\u00E9");
    EXPECT_EQ(Utf8ToCp1252("\u20AC \u0152 \u017E"), "\x80 \x8C \x9E");
    // Code points outside the page become '?'; stray bytes that are not UTF-8 pass through.
    EXPECT_EQ(Utf8ToCp1252("x\u4E2D\U0001F600y"), "x??y");
    EXPECT_EQ(Utf8ToCp1252("caf\xE9"), "caf\xE9");
}

TEST(Cp1252, UpperCaseCoversTheAccentedLetters) {
    EXPECT_EQ(UpperCaseCp1252("safety\xE9\xFF\x9A\xF7"), "SAFETY\xC9\x9F\x8A\xF7");
    EXPECT_TRUE(EqualsIgnoringCase("Caf\xE9", "CAF\xC9"));
    EXPECT_FALSE(EqualsIgnoringCase("abc", "abd"));
    EXPECT_EQ(UpperAscii("caf\xE9"), "CAF\xE9");
}

TEST(Lines, SplitAcceptsEveryLineEnd) {
    struct Case {
        std::string text;
        std::vector<std::string> lines;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb\rc", {"a", "b", "c"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"a\n\r", {"a", ""}},  // LF then a lone CR: two breaks
        {"\r\n", {""}},
        {"x\r\r\n", {"x", ""}},
    };
    for (const auto& c : cases) EXPECT_EQ(SplitLines(c.text), c.lines) << c.text;
}

TEST(Lines, WrittenWithCrLfAndReadBack) {
    TempFolder dir;
    const auto file = dir / "chapter.QKS";
    WriteTextLines(file, {"*ClearScreen Blue", "", "caf\xE9"});
    EXPECT_EQ(TempFolder::read(file), "*ClearScreen Blue\r\n\r\ncaf\xE9\r\n");
    EXPECT_EQ(ReadTextLines(file), (std::vector<std::string>{"*ClearScreen Blue", "", "caf\xE9"}));
}

TEST(AtomicWrite, FailedReplaceKeepsTheOldFileAndLeavesNoScratch) {
    TempFolder dir;
    // The target is a non-empty folder: the final rename must fail.
    dir.write("target/keep.txt", "old");
    EXPECT_THROW(WriteFileAtomic(dir / "target", "new"), IoError);
    EXPECT_EQ(TempFolder::read(dir / "target" / "keep.txt"), "old");
    int entries = 0;
    for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(dir.path())) ++entries;
    EXPECT_EQ(entries, 1);
    // A missing folder is reported with the file's name.
    try {
        WriteFileAtomic(dir / "missing" / "x.QKJ", "data");
        FAIL();
    } catch (const IoError& e) {
        EXPECT_NE(std::string(e.what()).find("missing/x.QKJ"), std::string::npos);
    }
}

TEST(AtomicWrite, ReplacesContentAndKeepsPermissions) {
    for (const auto durability : {Durability::Durable, Durability::Regenerable}) {
        TempFolder dir;
        const auto file = dir.write("a.QKR", "old contents that are longer");
        std::filesystem::permissions(file, std::filesystem::perms(0640));
        WriteFileAtomic(file, "new", durability);
        EXPECT_EQ(TempFolder::read(file), "new");
        EXPECT_EQ(std::filesystem::status(file).permissions(), std::filesystem::perms(0640));
    }
}

// A Regenerable replacement takes the old file's name by swapping names with it: right after the
// commit the folder holds the new file alone (the old one, held until the writer goes, has no
// name), a reader that opened the old file still reads it whole, and a link of that name is
// replaced, not written through.
TEST(AtomicWrite, RegenerableReplacementLeavesOnlyTheNewFile) {
    TempFolder dir, outside;
    const auto file = dir.write("a.QKC", "old");
    const auto target = outside.write("t.QKC", "outside");
    std::filesystem::create_symlink(target, dir / "b.QKC");
    std::ifstream reader(file, std::ios::binary);
    const TutorialFolder folder(dir.path());
    for (const char* name : {"a.QKC", "b.QKC"}) {
        auto replacement = folder.StartReplacement(dir / name);
        replacement.Write("new");
        replacement.Commit(Durability::Regenerable);
        std::set<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(dir.path())) names.insert(e.path().filename().string());
        EXPECT_EQ(names, (std::set<std::string>{"a.QKC", "b.QKC"})) << name;
        EXPECT_FALSE(std::filesystem::is_symlink(dir / name));
        EXPECT_EQ(TempFolder::read(dir / name), "new");
    }
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(reader), {}), "old");
    EXPECT_EQ(TempFolder::read(target), "outside");
}

TEST(ReadFile, MissingFileAndFolderNameTheFile) {
    TempFolder dir;
    for (const auto& p : {dir / "none.txt", dir.path()}) {
        try {
            ReadFileBytes(p);
            FAIL() << p;
        } catch (const IoError& e) {
            EXPECT_NE(std::string(e.what()).find(p.string()), std::string::npos);
        }
    }
}

TEST(ByteIo, LittleEndianFieldsAndShortStrings) {
    std::vector<std::uint8_t> buf(16, 0xEE);
    ByteWriter w(buf);
    w.u16(0, 0x1234);
    w.u32(2, 0x80000001u);
    w.shortString(6, 4, "abcdef");  // cut to 4, tail byte after it untouched
    EXPECT_EQ(buf[0], 0x34);
    EXPECT_EQ(buf[1], 0x12);
    EXPECT_EQ(buf[2], 0x01);
    EXPECT_EQ(buf[5], 0x80);
    EXPECT_EQ(buf[6], 4);
    EXPECT_EQ(buf[11], 0xEE);
    ByteReader r(buf);
    EXPECT_EQ(r.u16(0), 0x1234);
    EXPECT_EQ(r.i32(2), static_cast<std::int32_t>(0x80000001u));
    EXPECT_EQ(r.shortString(6, 4), "abcd");
    w.shortString(6, 4, "x");
    EXPECT_EQ(r.shortString(6, 4), "x");
    EXPECT_EQ(buf[8], 'b');  // bytes after the length stay as they were
}

TEST(ByteIo, AccessPastTheEndIsAnErrorNotUndefinedBehaviour) {
    std::vector<std::uint8_t> buf(8, 0);
    ByteReader r(buf);
    ByteWriter w(buf);
    EXPECT_THROW(r.u32(5), FormatError);
    EXPECT_THROW(r.u8(8), FormatError);
    EXPECT_THROW(r.u16(SIZE_MAX), FormatError);
    EXPECT_THROW(r.shortString(4, 4), FormatError);
    EXPECT_THROW(w.u32(6, 1), FormatError);
    EXPECT_NO_THROW(r.u32(4));
    // A length byte above the capacity of a corrupt record is taken as the capacity.
    buf[0] = 200;
    EXPECT_EQ(r.shortString(0, 3).size(), 3u);
}

TEST(FileLookup, FindsNamesIgnoringCaseInAMixedCaseFolder) {
    TempFolder dir;
    dir.write("Safety1.qks", "1");
    dir.write("SAFETY2.QKS", "2");
    dir.write("safety10.Qks", "10");
    dir.write("Pictures/Logo.BMP", "bmp");
    dir.write("other.qks", "o");
    dir.write("caf\xC3\xA9.bmp", "utf8 name");

    EXPECT_EQ(FindIgnoringCase(dir.path(), "SAFETY1.QKS"), dir / "Safety1.qks");
    EXPECT_EQ(FindIgnoringCase(dir.path(), "pictures\\logo.bmp"), dir / "Pictures/Logo.BMP");
    EXPECT_EQ(FindIgnoringCase(dir.path(), "CAF\xC9.BMP"), dir / "caf\xC3\xA9.bmp");
    EXPECT_FALSE(FindIgnoringCase(dir.path(), "safety3.qks"));
    EXPECT_EQ(ResolveInFolder(dir.path(), "New.QKS"), dir / "New.QKS");

    EXPECT_EQ(ListByMask(dir.path(), "safety*.qks"),
              (std::vector<std::string>{"Safety1.qks", "safety10.Qks", "SAFETY2.QKS"}));
    // Files only: a link to a file counts, a folder or a link to nothing does not.
    std::filesystem::create_directory(dir / "safety9.qks");
    std::filesystem::create_symlink("Safety1.qks", dir / "safety5.qks");
    std::filesystem::create_symlink("missing.qks", dir / "safety6.qks");
    EXPECT_EQ(ListByMask(dir.path(), "safety*.qks"),
              (std::vector<std::string>{"Safety1.qks", "safety10.Qks", "SAFETY2.QKS", "safety5.qks"}));
    EXPECT_EQ(ListByMask(dir.path(), "*.BMP"), (std::vector<std::string>{"caf\xE9.bmp"}));
    EXPECT_TRUE(ListByMask(dir / "Safety1.qks", "*").empty());  // not a folder: nothing
}

TEST(FileLookup, ExactNameWinsOverOtherCases) {
    TempFolder dir;
    dir.write("a.txt", "lower");
    dir.write("A.TXT", "upper");
    EXPECT_EQ(FindIgnoringCase(dir.path(), "A.TXT"), dir / "A.TXT");
    EXPECT_EQ(FindIgnoringCase(dir.path(), "a.txt"), dir / "a.txt");
    EXPECT_EQ(FindIgnoringCase(dir.path(), "A.txt"), dir / "A.TXT");
}

TEST(FileLookup, MaskMatching) {
    struct Case {
        const char* name;
        const char* mask;
        bool match;
    } cases[] = {
        {"SAFETY1.QKS", "SAFETY*.QKS", true}, {"safety.qks", "SAFETY*.QKS", true},
        {"SAFE.QKS", "SAFETY*.QKS", false},   {"a.bmp", "*.BMP", true},
        {"a.bmp.old", "*.BMP", false},        {"ab", "a?", true},
        {"a", "a?", false},                   {"", "*", true},
        {"x.y.z", "*.*", true},               {"abcabd", "*abd", true},
    };
    for (const auto& c : cases) EXPECT_EQ(MatchesMask(c.name, c.mask), c.match) << c.name << " " << c.mask;
}
