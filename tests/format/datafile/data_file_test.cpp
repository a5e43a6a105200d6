#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>

#include <filesystem>
#include <set>

#include "../test_folder.h"
#include "datafile/color_notation.h"
#include "datafile/data_file.h"
#include "text/errors.h"

using namespace quill;
using quill::test::Crlf;
using quill::test::TempFolder;
namespace fs = std::filesystem;

namespace {

std::set<std::string> FilesIn(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(folder)) names.insert(e.path().filename().string());
    return names;
}

TScreenBackground SampleSettings() {
    TScreenBackground s;
    s.WindowColor = 0x00FF0000;
    s.TextWindowOff = false;
    s.ScreenType = 2;
    s.ScreenColor = 0x00123456;
    s.GraphicFile = "back.jpg";
    s.WallpaperFile = "tile.bmp";
    s.WindowLeft = 10;
    s.WindowTop = 20;
    s.WindowWidth = 300;
    s.WindowHeight = 150;
    s.RLTop = 7;
    s.RLLeft = 8;
    s.PrintOn = true;
    return s;
}

}  // namespace

TEST(ColorNotation, NamesHexAndDecimal) {
    const NamedColor* colors = NamedColors();
    std::set<std::uint32_t> values;
    for (int i = 0; i < kNamedColorCount; ++i) values.insert(colors[i].value);
    EXPECT_EQ(values.size(), 42u);
    // The system colours follow the Windows order.
    EXPECT_STREQ(colors[16].name, "clScrollBar");
    EXPECT_EQ(colors[16].value, 0x80000000u);
    EXPECT_STREQ(colors[40].name, "clInfoBk");
    EXPECT_EQ(colors[40].value, 0x80000018u);

    struct Case { std::uint32_t value; const char* text; };
    for (const Case c : {Case{0x000000, "clBlack"}, {0x0000FF, "clRed"}, {0xFF0000, "clBlue"},
                         {0xC0C0C0, "clSilver"}, {0x8000000F, "clBtnFace"},
                         {0x80000015, "cl3DDkShadow"}, {0x1FFFFFFF, "clNone"},
                         {0x00123456, "$00123456"}, {0x00ABCDEF, "$00ABCDEF"},
                         {0x80000019, "$80000019"}}) {
        EXPECT_EQ(ColorToString(c.value), c.text);
        EXPECT_EQ(StringToColor(c.text), c.value) << c.text;
    }
    EXPECT_EQ(StringToColor("CLRED"), 0x0000FFu);
    EXPECT_EQ(StringToColor("$00abcdef"), 0x00ABCDEFu);
    EXPECT_EQ(StringToColor("255"), 255u);
    EXPECT_EQ(StringToColor("-1"), 0xFFFFFFFFu);
    EXPECT_EQ(StringToColor("clPink"), std::nullopt);
    EXPECT_EQ(StringToColor(""), std::nullopt);
}

TEST(ScreenBackground, ReadsAndWritesTheRecord) {
    TTutorialConfig config;
    SetConfigDefaults(config);
    EXPECT_EQ(ReadScreenBackground(config, cfg::Intro::Screen), TScreenBackground{});
    TScreenBackground s = SampleSettings();
    s.GraphicFile = std::string(200, 'g');
    WriteScreenBackground(config, cfg::Intro::Screen, s);
    EXPECT_EQ(config.bytes()[2052], 0x00);  // WindowColor 0x00FF0000, little-endian
    EXPECT_EQ(config.bytes()[2054], 0xFF);
    EXPECT_EQ(config.bytes()[2056], 0);     // TextWindowOff
    EXPECT_EQ(config.bytes()[2065], 150);   // GraphicFile cut to 150
    EXPECT_EQ(config.bytes()[2391], 1);     // PrintOn
    const TScreenBackground back = ReadScreenBackground(config, cfg::Intro::Screen);
    s.GraphicFile.resize(150);
    EXPECT_EQ(back, s);
}

TEST(DataFileStore, AppendsEntriesInTheirLayout) {
    TempFolder tmp;
    const auto file = tmp / "SAFETY.QKR";
    AddCommandEntry(file, "Pump", etGraphicOnly, "hyper", "pump.bmp,20");
    AddWindowText(file, "Note", "clYellow", {"{\\rtf1 x}"});
    AddIntroduction(file, {"Welcome", ""});
    AddTextEntry(file, "Valve", etTextOnly, "UTILITY", {"line 1"}, SampleSettings());
    EXPECT_EQ(TempFolder::read(file),
              Crlf({"[Pump]", "source=HYPER", "type=2", "command=pump.bmp,20", "]", "",
                    "[Note]", "source=WINTEXT", "color=clYellow", "text=", "{\\rtf1 x}", "]", "",
                    "[^INTRODUCTION^]", "source=INTRO", "text=", "Welcome", "", "]", "",
                    "[Valve]", "source=UTILITY", "type=1", "displaytype=2", "fullscreen=false",
                    "Sbackcolor=$00123456", "SGraphic=back.jpg", "SWallpaper=tile.bmp",
                    "VPBack=clBlue", "VPLeft=10", "VPTop=20", "VPWidth=300", "VPHeight=150",
                    "RLTop=7", "RLLeft=8", "print=true", "text=", "line 1", "]", ""}));
}

TEST(DataFileStore, AppendToAFileWithoutFinalLineEndStartsANewLine) {
    TempFolder tmp;
    const auto file = tmp.write("T.QKR", "[A]\r\nsource=HYPER\r\ntype=3\r\ncommand=a.wav\r\n]");
    AddCommandEntry(file, "B", 3, "HYPER", "b.wav");
    TextLines names;
    ListEntryNames(names, file, "HYPER");
    EXPECT_EQ(names, (TextLines{"A", "B"}));
}

TEST(DataFileStore, LookupRules) {
    TempFolder tmp;
    const auto file = tmp.write(
        "T.QKR", Crlf({"[Link]", "source=HYPER", "type=3", "command=old.wav", "]", "",
                       "[handmade]", "source=hyper", "type=3", "command=x.wav", "]", "",
                       "[LINK]", "source=UTILITY", "type=4", "command=u.exe", "]", "",
                       "[link]", "source=HYPER", "type=3", "command=new.wav", "]", ""}));
    // The source line is compared exactly by HasEntryOfSource, ignoring case by the others.
    EXPECT_TRUE(HasEntryOfSource(file, "hyper"));
    EXPECT_FALSE(HasEntryOfSource(file, "EXECUTE"));
    TempFolder other;
    const auto lower = other.write("L.QKR", Crlf({"[x]", "source=hyper", "type=3", "]", ""}));
    EXPECT_FALSE(HasEntryOfSource(lower, "HYPER"));
    TextLines names;
    ListEntryNames(names, lower, "HYPER");
    EXPECT_EQ(names, TextLines{"x"});

    names.clear();
    ListEntryNames(names, file, "Hyper");
    EXPECT_EQ(names, (TextLines{"Link", "handmade", "link"}));

    // Of two equal entries the later one is returned.
    TextLines entry{"left over"};
    ASSERT_TRUE(LoadEntry(file, "LINK", "hyper", entry));
    EXPECT_EQ(entry, (TextLines{"link", "source=HYPER", "type=3", "command=new.wav", "]"}));
    ASSERT_TRUE(LoadEntry(file, "link", "UTILITY", entry));
    EXPECT_EQ(entry[3], "command=u.exe");
    entry = {"kept"};
    EXPECT_FALSE(LoadEntry(file, "nothing", "HYPER", entry));
    EXPECT_EQ(entry, TextLines{"kept"});
    EXPECT_FALSE(LoadEntry(tmp / "absent.QKR", "link", "HYPER", entry));

    const auto all = LoadEntriesOfSource(file, "HYPER");
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[0][3], "command=new.wav");  // "Link" resolves to the later equal entry
    EXPECT_EQ(all[1][3], "command=x.wav");
}

TEST(DataFileStore, NameInUse) {
    TempFolder tmp;
    const auto file = tmp / "T.QKR";
    EXPECT_FALSE(NameInUse(file, "Pump", "", "EXECUTE"));  // no file
    AddCommandEntry(file, "Pump", 4, "EXECUTE", "pump.exe");
    AddCommandEntry(file, "Valve", 4, "EXECUTE", "valve.exe");
    struct Case { const char* newName; const char* oldName; const char* source; bool inUse; };
    for (const Case c : {Case{"pump", "", "EXECUTE", true},
                         {"PUMP", "Pump", "EXECUTE", false},  // its own name, other case
                         {"Pump", "", "UTILITY", false},      // names are per source
                         {"Valve", "Pump", "execute", true},
                         {"Gauge", "Pump", "EXECUTE", false}})
        EXPECT_EQ(NameInUse(file, c.newName, c.oldName, c.source), c.inUse)
            << c.newName << " " << c.oldName << " " << c.source;
}

TEST(DataFileStore, DeleteRemovesEveryMatchAndOnlyThat) {
    TempFolder tmp;
    const auto file = tmp / "T.QKR";
    AddCommandEntry(file, "Same", 3, "HYPER", "a.wav");
    AddCommandEntry(file, "Same", 4, "UTILITY", "u.exe");
    AddCommandEntry(file, "same", 3, "HYPER", "b.wav");
    DeleteEntry(file, "SAME", "hyper");
    EXPECT_EQ(TempFolder::read(file),
              Crlf({"[Same]", "source=UTILITY", "type=4", "command=u.exe", "]", ""}));
    // Deleting the only entry leaves empty lines only: the file goes.
    DeleteEntry(file, "Same", "UTILITY");
    EXPECT_FALSE(fs::exists(file));
    EXPECT_FALSE(HasEntryOfSource(file, "UTILITY"));
    DeleteEntry(file, "Same", "UTILITY");  // absent file: nothing happens
    EXPECT_FALSE(fs::exists(file));
}

TEST(DataFileStore, DeleteKeepsAHeaderThatFollowsWithoutSeparator) {
    TempFolder tmp;
    const auto file =
        tmp.write("T.QKR", Crlf({"[A]", "source=HYPER", "type=3", "command=a", "]", "[B]",
                                 "source=HYPER", "type=3", "command=b", "]", ""}));
    DeleteEntry(file, "A", "HYPER");
    EXPECT_EQ(TempFolder::read(file),
              Crlf({"[B]", "source=HYPER", "type=3", "command=b", "]", ""}));
}

// An entry cut short (no "]") ends at the next entry's header: deleting or modifying it keeps
// the entry after it, and the deletion says the entry was damaged. A sound file reads as before.
TEST(DataFileStore, AnEntryCutShortEndsAtTheNextHeader) {
    TempFolder tmp;
    const std::string damaged = Crlf({"[A]", "source=HYPER", "type=3", "command=a", "", "[B]", "source=HYPER",
                                      "type=3", "command=b", "]", ""});
    const auto file = tmp.write("T.QKR", damaged);
    EXPECT_TRUE(DeleteEntry(file, "A", "HYPER"));
    EXPECT_EQ(TempFolder::read(file), Crlf({"[B]", "source=HYPER", "type=3", "command=b", "]", ""}));
    tmp.write("T.QKR", damaged);
    ModifyCommandEntry(file, "A", "A", "HYPER", "c", 3);
    EXPECT_EQ(TempFolder::read(file), Crlf({"[A]", "source=HYPER", "type=3", "command=c", "]", "", "[B]",
                                            "source=HYPER", "type=3", "command=b", "]", ""}));
    // A "[" line inside a sound entry that is not followed by a source line stays part of it.
    tmp.write("T.QKR", Crlf({"[T]", "source=HYPER", "type=1", "text=", "[note]", "]", "", "[B]", "source=HYPER",
                             "type=3", "command=b", "]", ""}));
    EXPECT_FALSE(DeleteEntry(file, "T", "HYPER"));
    EXPECT_EQ(TempFolder::read(file), Crlf({"[B]", "source=HYPER", "type=3", "command=b", "]", ""}));
}

TEST(DataFileStore, ModifyReplacesInPlaceOrAppends) {
    TempFolder tmp;
    const auto file = tmp / "T.QKR";
    AddCommandEntry(file, "One", 4, "EXECUTE", "one.exe");
    AddCommandEntry(file, "Two", 4, "EXECUTE", "two.exe");
    ModifyCommandEntry(file, "First", "ONE", "execute", "uno.exe,/s", 9);
    EXPECT_EQ(TempFolder::read(file),
              Crlf({"[First]", "source=EXECUTE", "type=9", "command=uno.exe,/s", "]", "",
                    "[Two]", "source=EXECUTE", "type=4", "command=two.exe", "]", ""}));
    // An entry that is not there any more is appended rather than lost.
    ModifyCommandEntry(file, "Three", "Three", "EXECUTE", "three.exe", 4);
    TextLines names;
    ListEntryNames(names, file, "EXECUTE");
    EXPECT_EQ(names, (TextLines{"First", "Two", "Three"}));
    const auto absent = tmp / "NEW.QKR";
    ModifyTextEntry(absent, "T", "T", "HYPER", {"x"}, TScreenBackground{}, 1);
    EXPECT_TRUE(HasEntryOfSource(absent, "HYPER"));
}

TEST(DataFileStore, TextEntryRoundTrip) {
    TempFolder tmp;
    const auto file = tmp / "T.QKR";
    const TScreenBackground written = SampleSettings();
    AddTextEntry(file, "Valve", etGraphicAndText, "HYPER", {"{\\rtf1", "body}"}, written);
    TextLines entry;
    ASSERT_TRUE(LoadEntry(file, "valve", "HYPER", entry));
    ASSERT_EQ(entry.size(), 20u);
    EXPECT_EQ(entry[0], "Valve");

    TScreenBackground read;
    read.RLTop = 99;
    read.RLLeft = 98;
    TextLines text;
    ParseTextEntry(entry, read, text);
    TScreenBackground expected = written;
    expected.RLTop = 99;  // "RLTop=" and "RLLeft=" are not read back
    expected.RLLeft = 98;
    EXPECT_EQ(read, expected);
    EXPECT_EQ(text, (TextLines{"{\\rtf1", "body}", "]"}));

    ModifyTextEntry(file, "Valve", "Valve", "HYPER", {"new"}, TScreenBackground{}, 1);
    entry.clear();
    ASSERT_TRUE(LoadEntry(file, "Valve", "HYPER", entry));
    EXPECT_EQ(entry[2], "type=1");
    EXPECT_EQ(entry[17], "new");
}

TEST(DataFileStore, ParseTextEntryCutsNamesAndKeepsWhatItCannotRead) {
    TextLines entry = {"E", "source=HYPER", "type=1", "displaytype=x", "fullscreen=TRUE",
                       "Sbackcolor=clNoSuch", "SGraphic=" + std::string(300, 'p'),
                       "SWallpaper=w.bmp", "VPBack=$000000FF", "VPLeft=", "VPTop=5"};
    TScreenBackground s;
    TextLines text;
    ParseTextEntry(entry, s, text);
    EXPECT_EQ(s.ScreenType, 1);       // "x" is not a number
    EXPECT_FALSE(s.TextWindowOff);    // "true" is looked for as written
    EXPECT_EQ(s.ScreenColor, 0x00C0C0C0u);
    EXPECT_EQ(s.GraphicFile, std::string(150, 'p'));
    EXPECT_EQ(s.WallpaperFile, "w.bmp");
    EXPECT_EQ(s.WindowColor, 0x000000FFu);
    EXPECT_EQ(s.WindowLeft, 120);
    EXPECT_EQ(s.WindowTop, 5);
    EXPECT_TRUE(text.empty());
}

TEST(DataFileStore, Introduction) {
    TempFolder tmp;
    const auto file = tmp / "T.QKR";
    TextLines text;
    EXPECT_FALSE(LoadIntroduction(file, text));
    ReplaceIntroduction(file, {"First"});  // none yet: it is added
    AddCommandEntry(file, "A", 3, "HYPER", "a.wav");
    ReplaceIntroduction(file, {"Second", "", "lines"});
    EXPECT_EQ(TempFolder::read(file),
              Crlf({"[^INTRODUCTION^]", "source=INTRO", "text=", "Second", "", "lines", "]", "",
                    "[A]", "source=HYPER", "type=3", "command=a.wav", "]", ""}));
    text = {"before"};
    EXPECT_TRUE(LoadIntroduction(file, text));
    EXPECT_EQ(text, (TextLines{"before", "Second", "", "lines"}));
    DeleteEntry(file, kIntroductionName, kSourceIntro);
    text.clear();
    EXPECT_FALSE(LoadIntroduction(file, text));
    EXPECT_TRUE(HasEntryOfSource(file, "HYPER"));
}

TEST(DataFileStore, WindowText) {
    TempFolder tmp;
    const auto file = tmp / "T.QKR";
    AddCommandEntry(file, "Note", 3, "HYPER", "n.wav");  // same name, another source
    AddWindowText(file, "Note", "$00112233", {"{\\rtf1", "", "}"});
    std::string color;
    TextLines text;
    ASSERT_TRUE(LoadWindowText(file, "NOTE", color, text));
    EXPECT_EQ(color, "$00112233");
    EXPECT_EQ(text, (TextLines{"{\\rtf1", "", "}"}));
    EXPECT_FALSE(LoadWindowText(file, "Other", color, text));
}

TEST(DataFileStore, ReplaceWindowTextMovesItToTheEndInOneRewrite) {
    TempFolder tmp;
    const auto file = tmp / "T.QKR";
    AddWindowText(file, "Note", "clRed", {"a"});
    AddCommandEntry(file, "Note", 3, "HYPER", "n.wav");
    // A file whose last line has no line end gets one before the moved entry.
    const std::string before = TempFolder::read(file);
    tmp.write("T.QKR", before.substr(0, before.size() - 4));
    ReplaceWindowText(file, "NOTE", "Notice", "clBlue", {"b"});
    EXPECT_EQ(TempFolder::read(file), Crlf({"[Note]", "source=HYPER", "type=3", "command=n.wav", "]", "[Notice]",
                                            "source=WINTEXT", "color=clBlue", "text=", "b", "]", ""}));
    // Without the old entry the new one is appended.
    ReplaceWindowText(file, "Gone", "Other", "clBlue", {"c"});
    TextLines names;
    ListEntryNames(names, file, "WINTEXT");
    EXPECT_EQ(names, (TextLines{"Notice", "Other"}));
}

TEST(DataFileStore, FileCutInTheMiddleOfAnEntry) {
    TempFolder tmp;
    const auto file = tmp.write("T.QKR", Crlf({"[A]", "source=HYPER", "type=3", "command=a",
                                               "]", "", "[^INTRODUCTION^]", "source=INTRO",
                                               "text=", "Hello", "[B]", "source=HYPER", "ty"}));
    TextLines entry;
    ASSERT_TRUE(LoadEntry(file, "B", "HYPER", entry));
    EXPECT_EQ(entry, (TextLines{"B", "source=HYPER", "ty"}));
    TextLines text;
    EXPECT_TRUE(LoadIntroduction(file, text));
    EXPECT_EQ(text, (TextLines{"Hello", "[B]", "source=HYPER", "ty"}));  // no line is dropped
    TScreenBackground s;
    ParseTextEntry(entry, s, text);  // too short: nothing read, nothing broken
    EXPECT_EQ(s, TScreenBackground{});
    const std::string image = BuildCompiledImage(TempFolder::read(file));
    EXPECT_EQ(image[5], 3);  // three entries
    DeleteEntry(file, "B", "HYPER");
    EXPECT_EQ(TempFolder::read(file),
              Crlf({"[A]", "source=HYPER", "type=3", "command=a", "]", "", "[^INTRODUCTION^]",
                    "source=INTRO", "text=", "Hello"}));
    TempFolder binary;
    const auto garbage = binary.write("G.QKR", std::string("\0[\xff\r]\n[\0\0", 9));
    EXPECT_FALSE(HasEntryOfSource(garbage, "HYPER"));
    EXPECT_NO_THROW(BuildCompiledImage(TempFolder::read(garbage)));
}

TEST(DataFileStore, FailedRewriteLeavesTheOldFileAndNoScratchFile) {
    TempFolder tmp;
    const auto file = tmp / "T.QKR";
    for (int i = 0; i < 200; ++i)
        AddCommandEntry(file, "Entry" + std::to_string(i), 4, "EXECUTE", std::string(40, 'x'));
    const std::string before = TempFolder::read(file);
    ASSERT_GT(before.size(), 8192u);
    const auto filesBefore = FilesIn(tmp.path());

    // Let writes stop half-way: no file may grow past 4 KB for the moment.
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    auto oldHandler = signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    EXPECT_THROW(ModifyCommandEntry(file, "Entry1", "Entry1", "EXECUTE", "new.exe", 4), IoError);
    EXPECT_THROW(DeleteEntry(file, "Entry2", "EXECUTE"), IoError);
    EXPECT_THROW(AddCommandEntry(file, "More", 4, "EXECUTE", "more.exe"), IoError);
    EXPECT_THROW(ReplaceIntroduction(file, {"intro"}), IoError);
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(TempFolder::read(file), before);
    EXPECT_EQ(FilesIn(tmp.path()), filesBefore);
}

namespace {

void PutLe32(std::string& s, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
}
// string[capacity]: length byte, characters, zeros up to the capacity.
void PutShort(std::string& s, std::string_view text, std::size_t capacity) {
    s += static_cast<char>(text.size());
    s += text;
    s.append(capacity - text.size(), '\0');
}

}  // namespace

TEST(CompiledImage, MatchesTheLayout) {
    const std::string longName = "[" + std::string(70, 'N') + "]";
    const std::string file =
        Crlf({"stray line before any entry", "[Alpha]", "source=HYPER", "type=2",
              "command=a.bmp,5", "]", "", "[^INTRODUCTION^]", "source=INTRO", "text=", "Hi", "",
              "]", "", longName, "source=VERYLONGSOURCEVALUE", "x", "]"});
    const std::string body1 = Crlf({"[Alpha]", "HYPER", "type=2", "command=a.bmp,5"});
    const std::string body2 = Crlf({"[^INTRODUCTION^]", "INTRO", "text=", "Hi", ""});
    const std::string body3 = Crlf({longName, "VERYLONGSO", "x"});

    std::string expected;
    expected += '\x03';
    expected += "QR1";
    expected += '\0';
    PutLe32(expected, 3);
    const std::uint32_t indexOffset = static_cast<std::uint32_t>(13 + body1.size() + body2.size() + body3.size());
    PutLe32(expected, indexOffset);
    expected += body1 + body2 + body3;
    std::uint32_t at = 13;
    for (const auto& [header, body, source] :
         {std::tuple{std::string("[Alpha]"), body1, std::string("HYPER")},
          std::tuple{std::string("[^INTRODUCTION^]"), body2, std::string("INTRO")},
          std::tuple{longName.substr(0, 60), body3, std::string("VERYLONGSO")}}) {
        PutShort(expected, header, 60);
        PutLe32(expected, at);
        PutLe32(expected, static_cast<std::uint32_t>(body.size()));
        PutShort(expected, source, 10);
        at += static_cast<std::uint32_t>(body.size());
    }
    EXPECT_EQ(BuildCompiledImage(file), expected);
}

TEST(CompiledImage, WithoutEntriesIsTheHeaderAlone) {
    const std::string header("\x03QR1\0\0\0\0\0\0\0\0\0", 13);
    EXPECT_EQ(BuildCompiledImage(""), header);
    EXPECT_EQ(BuildCompiledImage(Crlf({"no header", "]", ""})), header);
}

TEST(CompiledImage, PackDataFileWritesBesideTheDataFile) {
    TempFolder tmp;
    EXPECT_FALSE(PackDataFile(tmp / "T.QKR", "$$$"));
    EXPECT_TRUE(FilesIn(tmp.path()).empty());
    const auto file = tmp / "T.QKR";
    AddCommandEntry(file, "A", 3, "HYPER", "a.wav");
    EXPECT_TRUE(PackDataFile(file, "$$$"));
    EXPECT_EQ(TempFolder::read(tmp / "T.$$$"), BuildCompiledImage(TempFolder::read(file)));
}

TEST(DataFile, AHeaderOfABracketAloneIsNoEntryForEitherReader) {
    quill::test::TempFolder tmp;
    const auto file = tmp.write("T.QKR", "[\r\nsource=INTRO\r\ntext=\r\n]\r\n");
    quill::TextLines entry;
    EXPECT_FALSE(quill::LoadEntry(file, "", quill::kSourceIntro, entry));
    EXPECT_TRUE(quill::LoadEntriesOfSource(file, quill::kSourceIntro).empty());
}

TEST(DataFile, ADataFileLinkedOutOfItsFolderIsNotRead) {
    quill::test::TempFolder tmp;
    tmp.write("out/secret.QKR", "[A]\r\nsource=HYPER\r\ntype=3\r\ncommand=a.wav\r\n]\r\n");
    tmp.write("p/keep.txt", "");
    std::filesystem::create_symlink("../out/secret.QKR", tmp / "p/T.QKR");
    quill::TextLines entry;
    EXPECT_THROW(quill::LoadEntry(tmp / "p/T.QKR", "A", quill::kSourceHyper, entry), quill::IoError);
    EXPECT_THROW(quill::CompiledDataImage(tmp / "p/T.QKR"), quill::IoError);
}
