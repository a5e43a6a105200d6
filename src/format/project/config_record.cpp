#include "project/config_record.h"

#include "project/file_names.h"
#include "text/byte_io.h"

namespace quill {

std::uint8_t TTutorialConfig::get(ByteField f) const { return ByteReader(bytes_).u8(f.offset); }
std::uint16_t TTutorialConfig::get(WordField f) const { return ByteReader(bytes_).u16(f.offset); }
std::int32_t TTutorialConfig::get(IntField f) const { return ByteReader(bytes_).i32(f.offset); }
std::uint32_t TTutorialConfig::get(ColorField f) const { return ByteReader(bytes_).u32(f.offset); }
std::string TTutorialConfig::get(StrField f) const {
    return ByteReader(bytes_).shortString(f.offset, f.capacity);
}

void TTutorialConfig::set(ByteField f, std::uint8_t v) { ByteWriter(bytes_).u8(f.offset, v); }
void TTutorialConfig::set(WordField f, std::uint16_t v) { ByteWriter(bytes_).u16(f.offset, v); }
void TTutorialConfig::set(IntField f, std::int32_t v) { ByteWriter(bytes_).i32(f.offset, v); }
void TTutorialConfig::set(ColorField f, std::uint32_t v) { ByteWriter(bytes_).u32(f.offset, v); }
void TTutorialConfig::set(StrField f, std::string_view text) {
    ByteWriter(bytes_).shortString(f.offset, f.capacity, text);
}

namespace {
constexpr std::uint32_t kSilver = 0x00C0C0C0;
constexpr std::uint32_t kWhite = 0x00FFFFFF;
}  // namespace

void SetConfigDefaults(TTutorialConfig& c) {
    using namespace cfg;
    c.bytes().fill(0);

    // Header.
    c.set(Version, kVersionConstant);
    c.set(Reserved, 1);
    c.set(TutorialType, 0);
    c.set(StartChapter, "");

    // Main menu design.
    c.set(MainMenu::TopMenuBar, 1);
    c.set(MainMenu::TopMenuHelp, "&Help");
    c.set(MainMenu::TopMenuAbout, "&About");
    c.set(MainMenu::TitleBarColor, kSilver);
    c.set(MainMenu::TitleBarFont, "18 0 1 Times New Roman");
    c.set(MainMenu::StatusBarColor, kSilver);
    c.set(MainMenu::StatusBarFont, "10 0 1 Times New Roman");
    c.set(MainMenu::ScreenType, 1);
    c.set(MainMenu::ScreenColor, kSilver);
    c.set(MainMenu::MenuColor, kSilver);
    c.set(MainMenu::MenuTitleColor, kSilver);
    c.set(MainMenu::MenuTitleFont, "14 0 1 Times New Roman");
    c.set(MainMenu::MenuPickColor, kSilver);
    c.set(MainMenu::MenuPickFont, "10 0 1 Univers");
    c.set(MainMenu::QuitPick, "Quit");

    // Program presentation group: switches off, command and about records zero (already),
    // introduction design, captions.
    c.set(Intro::TitleBarFont, "16 0 1 Times New Roman");
    c.set(Intro::TitleBarColor, kSilver);
    c.set(Intro::StatusBarFont, "8 0 0 Times New Roman");
    c.set(Intro::StatusBarColor, kSilver);
    c.set(Intro::Screen.WindowColor, kWhite);
    c.set(Intro::Screen.TextWindowOff, 1);
    c.set(Intro::Screen.ScreenType, 1);
    c.set(Intro::Screen.ScreenColor, kSilver);
    c.set(Intro::Screen.WindowLeft, 120);
    c.set(Intro::Screen.WindowTop, 80);
    c.set(Intro::Screen.WindowWidth, 400);
    c.set(Intro::Screen.WindowHeight, 200);
    c.set(Intro::Screen.RLTop, 1);
    c.set(Intro::Screen.RLLeft, 1);
    c.set(Intro::UseMenuBar, 1);
    c.set(Captions::AboutCaption, "&About");
    c.set(Captions::HelpCaption, "&Help");
    c.set(Captions::QuitCaption, "&Quit");
    c.set(Captions::CloseCaption, "&Close");
    c.set(Captions::PrintCaption, "&Print");
    c.set(Captions::FindCaption, "&Find");
    c.set(Captions::StartPrompt, "Press the Start button");

    // Program settings.
    c.set(Program::BackgroundType, 1);
    c.set(Program::BackgroundColor, kSilver);

    // Screen colours and control bar.
    c.set(Screen::ScreenBackColor, kWhite);
    c.set(Screen::ScreenTextColor, 0x00000000);
    c.set(Screen::HyperTextColor, 0x00FF0000);
    c.set(Screen::TitleBackColor, kSilver);
    c.set(Screen::TitleFont, "18 0 1 Times New Roman");
    c.set(Screen::TitleTextColor, 0x00800000);
    c.set(Screen::ControlBarColor, kSilver);
    c.set(Screen::ContinueCaption, "&Continue");
    c.set(Screen::QuitButtonCaption, "&Quit");
    c.set(Screen::PagebackCaption, "&Pageback");
    c.set(Screen::HelpButtonCaption, "&Help");
    c.set(Screen::UtilitiesCaption, "&Utilities");

    // Colour table.
    static constexpr struct {
        const char* name;
        std::uint32_t value;
    } kStandard[16] = {
        {"Black", 0x000000},   {"Maroon", 0x000080}, {"Green", 0x008000},  {"Olive", 0x008080},
        {"Navy", 0x800000},    {"Purple", 0x800080}, {"Teal", 0x808000},   {"Gray", 0x808080},
        {"Silver", 0xC0C0C0},  {"Red", 0x0000FF},    {"Lime", 0x00FF00},   {"Yellow", 0x00FFFF},
        {"Blue", 0xFF0000},    {"Fuchsia", 0xFF00FF}, {"Aqua", 0xFFFF00},  {"White", 0xFFFFFF},
    };
    for (int n = 1; n <= 26; ++n) {
        const auto e = Colors::Entry(n);
        if (n <= 16) {
            c.set(e.Name, kStandard[n - 1].name);
            c.set(e.Value, kStandard[n - 1].value);
        } else {
            c.set(e.Name, std::string("Color") + static_cast<char>(n + 64));
            c.set(e.Value, kSilver);
        }
    }

    // Heading styles.
    for (int n = 1; n <= 10; ++n) {
        const auto e = Headings::Entry(n);
        c.set(e.Name, "Heading" + std::to_string(n));
        c.set(e.Font, "18 255 4 Times New Roman");
        c.set(e.Mode, 1);
        c.set(e.BackColor, kWhite);
    }
}

bool KeepIconInvariant(TTutorialConfig& c) {
    using namespace cfg::Program;
    if (c.get(IconFile).empty() && c.get(IconOn) != 0) {
        c.set(IconOn, 0);
        return true;
    }
    if (c.get(IconOn) == 0 && !c.get(IconFile).empty()) {
        c.set(IconFile, "");
        return true;
    }
    return false;
}

bool KeepHelpInvariant(TTutorialConfig& c) {
    using namespace cfg::Program;
    const bool valid = c.get(HelpOn) == 1 && !c.get(HelpFile).empty() && c.get(HelpTopic) >= 1;
    if (valid) return false;
    const bool changed = c.get(HelpOn) != 0 || !c.get(HelpFile).empty() || c.get(HelpTopic) != 0;
    c.set(HelpOn, 0);
    c.set(HelpFile, "");
    c.set(HelpTopic, 0);
    return changed;
}

bool KeepStartChapterInvariant(TTutorialConfig& c) {
    if (IsValidFileName(c.get(cfg::StartChapter))) return false;
    c.set(cfg::StartChapter, "");
    return true;
}

void KeepConfigInvariants(TTutorialConfig& c) {
    KeepIconInvariant(c);
    KeepHelpInvariant(c);
    KeepStartChapterInvariant(c);
}

void ClearMissingIcon(TTutorialConfig& c, bool iconFileExists) {
    if (!iconFileExists && !c.get(cfg::Program::IconFile).empty()) {
        c.set(cfg::Program::IconFile, "");
        c.set(cfg::Program::IconOn, 0);
    }
}

int CountMenuChapters(const TTutorialConfig& c) {
    int count = 0;
    for (int i = 1; i <= static_cast<int>(cfg::MainMenu::MaxChapters); ++i) {
        const auto e = cfg::MainMenu::Chapter(i);
        if (!c.get(e.Topic).empty() || !c.get(e.FileName).empty()) ++count;
    }
    return count;
}

bool SingleColumnAvailable(const TTutorialConfig& c) {
    return c.get(cfg::MainMenu::ChapterCount) <= 10;
}

}  // namespace quill
