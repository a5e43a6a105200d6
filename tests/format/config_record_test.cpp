#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "project/config_record.h"

using namespace quill;

namespace {

// Field offsets and sizes from the record's layout, written out by hand.
struct Expect {
    const char* name;
    std::size_t offset;
    std::size_t size;
};

std::size_t SizeOf(StrField f) { return f.capacity + 1; }
std::size_t SizeOf(ByteField) { return 1; }
std::size_t SizeOf(WordField) { return 2; }
std::size_t SizeOf(IntField) { return 4; }
std::size_t SizeOf(ColorField) { return 4; }

#define FIELD(f) Expect{#f, (f).offset, SizeOf(f)}

}  // namespace

TEST(ConfigRecord, EveryFieldAtItsOffset) {
    using namespace cfg;
    const std::vector<std::pair<Expect, Expect>> table = {
        {FIELD(Version), {"", 0, 5}},
        {FIELD(Reserved), {"", 5, 1}},
        {FIELD(TutorialType), {"", 6, 1}},
        {FIELD(StartChapter), {"", 7, 26}},
        {FIELD(UtilitiesOn), {"", 33, 1}},
        {FIELD(MainMenu::TopMenuBar), {"", 34, 1}},
        {FIELD(MainMenu::TopMenuHelp), {"", 35, 16}},
        {FIELD(MainMenu::TopMenuAbout), {"", 51, 16}},
        {FIELD(MainMenu::TitleBarOn), {"", 67, 1}},
        {FIELD(MainMenu::TitleBarText), {"", 68, 71}},
        {FIELD(MainMenu::TitleBarColor), {"", 139, 4}},
        {FIELD(MainMenu::TitleBarFont), {"", 143, 51}},
        {FIELD(MainMenu::StatusBarOn), {"", 194, 1}},
        {FIELD(MainMenu::StatusBarText), {"", 195, 71}},
        {FIELD(MainMenu::StatusBarColor), {"", 266, 4}},
        {FIELD(MainMenu::StatusBarFont), {"", 270, 51}},
        {FIELD(MainMenu::ScreenType), {"", 321, 4}},
        {FIELD(MainMenu::ScreenColor), {"", 325, 4}},
        {FIELD(MainMenu::GraphicFile), {"", 329, 101}},
        {FIELD(MainMenu::WallpaperFile), {"", 430, 101}},
        {FIELD(MainMenu::MenuColor), {"", 531, 4}},
        {FIELD(MainMenu::MenuTitle), {"", 535, 61}},
        {FIELD(MainMenu::MenuTitleColor), {"", 596, 4}},
        {FIELD(MainMenu::MenuTitleFont), {"", 600, 51}},
        {FIELD(MainMenu::MenuPickColor), {"", 651, 4}},
        {FIELD(MainMenu::MenuPickFont), {"", 655, 51}},
        {FIELD(MainMenu::QuitPick), {"", 706, 26}},
        {FIELD(MainMenu::SingleColumn), {"", 732, 1}},
        {FIELD(MainMenu::ChapterCount), {"", 733, 4}},
        {FIELD(MainMenu::Chapter(1).Topic), {"", 737, 26}},
        {FIELD(MainMenu::Chapter(1).FileName), {"", 763, 26}},
        {FIELD(MainMenu::Chapter(20).Topic), {"", 1725, 26}},
        {FIELD(MainMenu::Chapter(20).FileName), {"", 1751, 26}},
        {FIELD(IntroOn), {"", 1777, 1}},
        {FIELD(Intro::TitleBarOn), {"", 1778, 1}},
        {FIELD(Intro::TitleBarText), {"", 1779, 81}},
        {FIELD(Intro::TitleBarFont), {"", 1860, 51}},
        {FIELD(Intro::TitleBarColor), {"", 1911, 4}},
        {FIELD(Intro::StatusBarOn), {"", 1915, 1}},
        {FIELD(Intro::StatusBarText), {"", 1916, 81}},
        {FIELD(Intro::StatusBarFont), {"", 1997, 51}},
        {FIELD(Intro::StatusBarColor), {"", 2048, 4}},
        {FIELD(Intro::Screen.WindowColor), {"", 2052, 4}},
        {FIELD(Intro::Screen.TextWindowOff), {"", 2056, 1}},
        {FIELD(Intro::Screen.ScreenType), {"", 2057, 4}},
        {FIELD(Intro::Screen.ScreenColor), {"", 2061, 4}},
        {FIELD(Intro::Screen.GraphicFile), {"", 2065, 151}},
        {FIELD(Intro::Screen.WallpaperFile), {"", 2216, 151}},
        {FIELD(Intro::Screen.WindowLeft), {"", 2367, 4}},
        {FIELD(Intro::Screen.WindowTop), {"", 2371, 4}},
        {FIELD(Intro::Screen.WindowWidth), {"", 2375, 4}},
        {FIELD(Intro::Screen.WindowHeight), {"", 2379, 4}},
        {FIELD(Intro::Screen.RLTop), {"", 2383, 4}},
        {FIELD(Intro::Screen.RLLeft), {"", 2387, 4}},
        {FIELD(Intro::Screen.PrintOn), {"", 2391, 1}},
        {FIELD(Intro::UseMenuBar), {"", 2392, 1}},
        {FIELD(OpeningOn), {"", 2393, 1}},
        {FIELD(Opening.CommandType), {"", 2394, 2}},
        {FIELD(Opening.Arg1), {"", 2396, 151}},
        {FIELD(Opening.Arg2), {"", 2547, 151}},
        {FIELD(Opening.Arg3), {"", 2698, 151}},
        {FIELD(Opening.Arg4), {"", 2849, 151}},
        {FIELD(Opening.Arg5), {"", 3000, 151}},
        {FIELD(Opening.Duration), {"", 3201, 2}},
        {FIELD(Opening.Description), {"", 3203, 201}},
        {FIELD(ClosingOn), {"", 3404, 1}},
        {FIELD(Closing.CommandType), {"", 3405, 2}},
        {FIELD(Closing.Arg1), {"", 3407, 151}},
        {FIELD(Closing.Arg5), {"", 4011, 151}},
        {FIELD(Closing.Duration), {"", 4212, 2}},
        {FIELD(Closing.Description), {"", 4214, 201}},
        {FIELD(AboutOn), {"", 4415, 1}},
        {FIELD(About::ShowWhen), {"", 4416, 2}},
        {FIELD(About::BoxTitle), {"", 4418, 41}},
        {FIELD(About::UseIcon), {"", 4459, 1}},
        {FIELD(About::IconFile), {"", 4460, 151}},
        {FIELD(About::ProgramName), {"", 4611, 33}},
        {FIELD(About::VersionText), {"", 4644, 43}},
        {FIELD(About::AuthorLine), {"", 4687, 43}},
        {FIELD(About::Comment1), {"", 4730, 66}},
        {FIELD(About::Comment2), {"", 4796, 66}},
        {FIELD(About::Comment3), {"", 4862, 66}},
        {FIELD(About::Comment4), {"", 4928, 66}},
        {FIELD(Captions::AboutCaption), {"", 4994, 17}},
        {FIELD(Captions::HelpCaption), {"", 5011, 17}},
        {FIELD(Captions::QuitCaption), {"", 5028, 17}},
        {FIELD(Captions::CloseCaption), {"", 5045, 17}},
        {FIELD(Captions::PrintCaption), {"", 5062, 17}},
        {FIELD(Captions::FindCaption), {"", 5079, 17}},
        {FIELD(Captions::StartPrompt), {"", 5096, 26}},
        {FIELD(Program::ProgramTitle), {"", 5122, 81}},
        {FIELD(Program::IconOn), {"", 5203, 1}},
        {FIELD(Program::IconFile), {"", 5204, 151}},
        {FIELD(Program::HelpOn), {"", 5355, 1}},
        {FIELD(Program::HelpFile), {"", 5356, 151}},
        {FIELD(Program::HelpTopic), {"", 5507, 4}},
        {FIELD(Program::VideoAdvisory), {"", 5511, 1}},
        {FIELD(Program::BackgroundType), {"", 5512, 4}},
        {FIELD(Program::BackgroundColor), {"", 5516, 4}},
        {FIELD(Program::BackgroundGraphic), {"", 5520, 151}},
        {FIELD(Program::BackgroundWallpaper), {"", 5671, 151}},
        {FIELD(Screen::ScreenBackColor), {"", 5822, 4}},
        {FIELD(Screen::ScreenTextColor), {"", 5826, 4}},
        {FIELD(Screen::HyperTextColor), {"", 5830, 4}},
        {FIELD(Screen::TitleBackColor), {"", 5915, 4}},
        {FIELD(Screen::TitleFont), {"", 5919, 51}},
        {FIELD(Screen::TitleTextColor), {"", 5970, 4}},
        {FIELD(Screen::ControlBarColor), {"", 5974, 4}},
        {FIELD(Screen::ContinueCaption), {"", 5978, 12}},
        {FIELD(Screen::QuitButtonCaption), {"", 5990, 12}},
        {FIELD(Screen::PagebackCaption), {"", 6002, 12}},
        {FIELD(Screen::HelpButtonCaption), {"", 6014, 12}},
        {FIELD(Screen::UtilitiesCaption), {"", 6026, 12}},
        {FIELD(Colors::Entry(1).Name), {"", 6038, 11}},
        {FIELD(Colors::Entry(1).Value), {"", 6049, 4}},
        {FIELD(Colors::Entry(26).Name), {"", 6413, 11}},
        {FIELD(Colors::Entry(26).Value), {"", 6424, 4}},
        {FIELD(Headings::Entry(1).Name), {"", 6428, 11}},
        {FIELD(Headings::Entry(1).Font), {"", 6439, 51}},
        {FIELD(Headings::Entry(1).Mode), {"", 6490, 4}},
        {FIELD(Headings::Entry(1).BackColor), {"", 6494, 4}},
        {FIELD(Headings::Entry(10).Name), {"", 7058, 11}},
        {FIELD(Headings::Entry(10).BackColor), {"", 7124, 4}},
    };
    for (const auto& [got, want] : table) {
        EXPECT_EQ(got.offset, want.offset) << got.name;
        EXPECT_EQ(got.size, want.size) << got.name;
    }
    EXPECT_EQ(Headings::Entry(10).BackColor.offset + 4, RecordSize);
}

namespace {

// The default record built byte by byte from the layout, independently of SetConfigDefaults.
std::vector<std::uint8_t> HandWrittenDefaults() {
    std::vector<std::uint8_t> b(7128, 0);
    auto str = [&](std::size_t off, const std::string& s) {
        b[off] = static_cast<std::uint8_t>(s.size());
        std::memcpy(&b[off + 1], s.data(), s.size());
    };
    auto u32 = [&](std::size_t off, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) b[off + i] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    const std::uint32_t silver = 0xC0C0C0, white = 0xFFFFFF;
    str(0, "1.10");
    b[5] = 1;
    b[34] = 1;
    str(35, "&Help");
    str(51, "&About");
    u32(139, silver);
    str(143, "18 0 1 Times New Roman");
    u32(266, silver);
    str(270, "10 0 1 Times New Roman");
    u32(321, 1);
    u32(325, silver);
    u32(531, silver);
    u32(596, silver);
    str(600, "14 0 1 Times New Roman");
    u32(651, silver);
    str(655, "10 0 1 Univers");
    str(706, "Quit");
    str(1860, "16 0 1 Times New Roman");
    u32(1911, silver);
    str(1997, "8 0 0 Times New Roman");
    u32(2048, silver);
    u32(2052, white);
    b[2056] = 1;
    u32(2057, 1);
    u32(2061, silver);
    u32(2367, 120);
    u32(2371, 80);
    u32(2375, 400);
    u32(2379, 200);
    u32(2383, 1);
    u32(2387, 1);
    b[2392] = 1;
    str(4994, "&About");
    str(5011, "&Help");
    str(5028, "&Quit");
    str(5045, "&Close");
    str(5062, "&Print");
    str(5079, "&Find");
    str(5096, "Press the Start button");
    u32(5512, 1);
    u32(5516, silver);
    u32(5822, white);
    u32(5830, 0xFF0000);
    u32(5915, silver);
    str(5919, "18 0 1 Times New Roman");
    u32(5970, 0x800000);
    u32(5974, silver);
    str(5978, "&Continue");
    str(5990, "&Quit");
    str(6002, "&Pageback");
    str(6014, "&Help");
    str(6026, "&Utilities");
    const char* names[16] = {"Black", "Maroon", "Green", "Olive", "Navy", "Purple", "Teal", "Gray",
                             "Silver", "Red", "Lime", "Yellow", "Blue", "Fuchsia", "Aqua", "White"};
    const std::uint32_t values[16] = {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080,
                                      0x808000, 0x808080, 0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF,
                                      0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
    for (int n = 1; n <= 26; ++n) {
        const std::size_t at = 6038 + 15 * (n - 1);
        if (n <= 16) {
            str(at, names[n - 1]);
            u32(at + 11, values[n - 1]);
        } else {
            str(at, std::string("Color") + static_cast<char>('Q' + n - 17));
            u32(at + 11, silver);
        }
    }
    for (int n = 1; n <= 10; ++n) {
        const std::size_t at = 6428 + 70 * (n - 1);
        str(at, "Heading" + std::to_string(n));
        str(at + 11, "18 255 4 Times New Roman");
        u32(at + 62, 1);
        u32(at + 66, white);
    }
    return b;
}

}  // namespace

TEST(ConfigRecord, DefaultsMatchTheLayoutByteForByte) {
    TTutorialConfig c;
    c.bytes().fill(0xAB);  // defaults start from zero, whatever was there
    SetConfigDefaults(c);
    const auto want = HandWrittenDefaults();
    for (std::size_t i = 0; i < want.size(); ++i)
        ASSERT_EQ(c.bytes()[i], want[i]) << "byte " << i;
    EXPECT_EQ(c.get(cfg::Colors::Entry(17).Name), "ColorQ");
    EXPECT_EQ(c.get(cfg::Colors::Entry(26).Name), "ColorZ");
    EXPECT_EQ(c.get(cfg::Headings::Entry(10).Name), "Heading10");
}

TEST(ConfigRecord, StringsAtAndBeyondCapacityAreCut) {
    TTutorialConfig c;
    SetConfigDefaults(c);
    const std::string exact(25, 'a'), longer(40, 'b');
    c.set(cfg::StartChapter, exact);
    EXPECT_EQ(c.get(cfg::StartChapter), exact);
    c.set(cfg::StartChapter, longer);
    EXPECT_EQ(c.get(cfg::StartChapter), std::string(25, 'b'));
    EXPECT_EQ(c.bytes()[33], 0);  // the next field (UtilitiesOn) is untouched
    c.set(cfg::Screen::UtilitiesCaption, "&Utilities and more");
    EXPECT_EQ(c.get(cfg::Screen::UtilitiesCaption), "&Utilities ");
    EXPECT_EQ(c.get(cfg::Colors::Entry(1).Name), "Black");
    // A shorter text leaves the old characters behind its length, as stored records do.
    c.set(cfg::StartChapter, "ab");
    EXPECT_EQ(c.bytes()[7], 2);
    EXPECT_EQ(c.bytes()[10], 'b');
}

TEST(ConfigRecord, NumbersRoundTripAtOddOffsets) {
    TTutorialConfig c;
    c.set(cfg::MainMenu::ChapterCount, -5);
    c.set(cfg::Program::HelpTopic, 0x7FFFFFFF);
    c.set(cfg::Opening.Duration, 65535);
    c.set(cfg::Screen::HyperTextColor, 0x80000008u);
    EXPECT_EQ(c.get(cfg::MainMenu::ChapterCount), -5);
    EXPECT_EQ(c.get(cfg::Program::HelpTopic), 0x7FFFFFFF);
    EXPECT_EQ(c.get(cfg::Opening.Duration), 65535);
    EXPECT_EQ(c.get(cfg::Screen::HyperTextColor), 0x80000008u);
    EXPECT_EQ(c.bytes()[733], 0xFB);
    EXPECT_EQ(c.bytes()[736], 0xFF);
}

TEST(ConfigRecord, Invariants) {
    TTutorialConfig c;
    SetConfigDefaults(c);
    using namespace cfg::Program;
    c.set(IconOn, 1);
    EXPECT_TRUE(KeepIconInvariant(c));
    EXPECT_EQ(c.get(IconOn), 0);
    c.set(IconFile, "app.ico");
    EXPECT_TRUE(KeepIconInvariant(c));
    EXPECT_EQ(c.get(IconFile), "");
    c.set(IconOn, 1);
    c.set(IconFile, "app.ico");
    EXPECT_FALSE(KeepIconInvariant(c));
    ClearMissingIcon(c, false);
    EXPECT_EQ(c.get(IconOn), 0);
    EXPECT_EQ(c.get(IconFile), "");

    c.set(HelpOn, 1);
    c.set(HelpFile, "tut.hlp");
    c.set(HelpTopic, 0);
    EXPECT_TRUE(KeepHelpInvariant(c));
    EXPECT_EQ(c.get(HelpOn), 0);
    EXPECT_EQ(c.get(HelpFile), "");
    c.set(HelpOn, 1);
    c.set(HelpFile, "tut.hlp");
    c.set(HelpTopic, 3);
    EXPECT_FALSE(KeepHelpInvariant(c));
    EXPECT_EQ(c.get(HelpTopic), 3);

    c.set(cfg::StartChapter, "SAFETY1");
    EXPECT_FALSE(KeepStartChapterInvariant(c));
    c.set(cfg::StartChapter, "SAFE;TY1");
    EXPECT_TRUE(KeepStartChapterInvariant(c));
    EXPECT_EQ(c.get(cfg::StartChapter), "");
}

TEST(ConfigRecord, MenuChapterCountAndSingleColumn) {
    TTutorialConfig c;
    SetConfigDefaults(c);
    for (int i = 1; i <= 11; ++i) {
        c.set(cfg::MainMenu::Chapter(i).Topic, "Topic " + std::to_string(i));
        c.set(cfg::MainMenu::Chapter(i).FileName, "SAFETY" + std::to_string(i));
    }
    EXPECT_EQ(CountMenuChapters(c), 11);
    c.set(cfg::MainMenu::ChapterCount, CountMenuChapters(c));
    EXPECT_FALSE(SingleColumnAvailable(c));
    c.set(cfg::MainMenu::ChapterCount, 10);
    EXPECT_TRUE(SingleColumnAvailable(c));
}
