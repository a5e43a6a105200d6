#pragma once
// TTutorialConfig: the 7128-byte configuration record of a tutorial. It is the whole project
// file (.QKJ) and the first 7128 bytes of the compiled data file (.QKD), so it is kept as the
// bytes themselves; fields are read and written at their offsets through the descriptors below.
// Bytes no field touches (the tails of short strings, reserved areas) keep what was read, so a
// record loaded and saved again is the same file byte for byte.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace quill {

struct ByteField { std::size_t offset; };
struct WordField { std::size_t offset; };
struct IntField { std::size_t offset; };
struct ColorField { std::size_t offset; };  // 32-bit 0x00BBGGRR
struct StrField { std::size_t offset; std::size_t capacity; };  // string[capacity]

inline constexpr std::size_t kFontSpecCapacity = 50;
constexpr StrField FontField(std::size_t offset) { return {offset, kFontSpecCapacity}; }

// Sub-records that occur more than once are described by a function of their start offset.
struct TCommandSettingLayout {
    std::size_t base;
    WordField CommandType;
    StrField Arg1, Arg2, Arg3, Arg4, Arg5;
    WordField Duration;
    StrField Description;
    static constexpr std::size_t Size = 1010;
};
constexpr TCommandSettingLayout CommandSettingAt(std::size_t b) {
    return {b, {b + 0}, {b + 2, 150}, {b + 153, 150}, {b + 304, 150}, {b + 455, 150},
            {b + 606, 150}, {b + 807}, {b + 809, 200}};
}

struct TScreenBackgroundLayout {
    std::size_t base;
    ColorField WindowColor;
    ByteField TextWindowOff;
    IntField ScreenType;
    ColorField ScreenColor;
    StrField GraphicFile, WallpaperFile;
    IntField WindowLeft, WindowTop, WindowWidth, WindowHeight, RLTop, RLLeft;
    ByteField PrintOn;
    static constexpr std::size_t Size = 340;
};
constexpr TScreenBackgroundLayout ScreenBackgroundAt(std::size_t b) {
    return {b, {b + 0}, {b + 4}, {b + 5}, {b + 9}, {b + 13, 150}, {b + 164, 150}, {b + 315},
            {b + 319}, {b + 323}, {b + 327}, {b + 331}, {b + 335}, {b + 339}};
}

struct TMenuChapterLayout {
    StrField Topic, FileName;
};
struct TColorEntryLayout {
    StrField Name;
    ColorField Value;
};
struct THeadingEntryLayout {
    StrField Name;
    StrField Font;
    IntField Mode;
    ColorField BackColor;
};

// Every field of the record at its absolute offset.
namespace cfg {

inline constexpr std::size_t RecordSize = 7128;

inline constexpr StrField Version{0, 4};
inline constexpr ByteField Reserved{5};
inline constexpr ByteField TutorialType{6};
inline constexpr StrField StartChapter{7, 25};
inline constexpr ByteField UtilitiesOn{33};

namespace MainMenu {  // TMainMenuDesign, 1743 bytes at 34
inline constexpr std::size_t Base = 34, Size = 1743;
inline constexpr ByteField TopMenuBar{34};
inline constexpr StrField TopMenuHelp{35, 15};
inline constexpr StrField TopMenuAbout{51, 15};
inline constexpr ByteField TitleBarOn{67};
inline constexpr StrField TitleBarText{68, 70};
inline constexpr ColorField TitleBarColor{139};
inline constexpr StrField TitleBarFont = FontField(143);
inline constexpr ByteField StatusBarOn{194};
inline constexpr StrField StatusBarText{195, 70};
inline constexpr ColorField StatusBarColor{266};
inline constexpr StrField StatusBarFont = FontField(270);
inline constexpr IntField ScreenType{321};
inline constexpr ColorField ScreenColor{325};
inline constexpr StrField GraphicFile{329, 100};
inline constexpr StrField WallpaperFile{430, 100};
inline constexpr ColorField MenuColor{531};
inline constexpr StrField MenuTitle{535, 60};
inline constexpr ColorField MenuTitleColor{596};
inline constexpr StrField MenuTitleFont = FontField(600);
inline constexpr ColorField MenuPickColor{651};
inline constexpr StrField MenuPickFont = FontField(655);
inline constexpr StrField QuitPick{706, 25};
inline constexpr ByteField SingleColumn{732};
inline constexpr IntField ChapterCount{733};
inline constexpr std::size_t ChaptersBase = 737, ChapterEntrySize = 52, MaxChapters = 20;
// Entry i, 1..20.
constexpr TMenuChapterLayout Chapter(int i) {
    const std::size_t b = ChaptersBase + ChapterEntrySize * static_cast<std::size_t>(i - 1);
    return {{b, 25}, {b + 26, 25}};
}
}  // namespace MainMenu

inline constexpr ByteField IntroOn{1777};

namespace Intro {  // TIntroScreenDesign, 615 bytes at 1778
inline constexpr std::size_t Base = 1778, Size = 615;
inline constexpr ByteField TitleBarOn{1778};
inline constexpr StrField TitleBarText{1779, 80};
inline constexpr StrField TitleBarFont = FontField(1860);
inline constexpr ColorField TitleBarColor{1911};
inline constexpr ByteField StatusBarOn{1915};
inline constexpr StrField StatusBarText{1916, 80};
inline constexpr StrField StatusBarFont = FontField(1997);
inline constexpr ColorField StatusBarColor{2048};
inline constexpr TScreenBackgroundLayout Screen = ScreenBackgroundAt(2052);
inline constexpr ByteField UseMenuBar{2392};
}  // namespace Intro

inline constexpr ByteField OpeningOn{2393};
inline constexpr TCommandSettingLayout Opening = CommandSettingAt(2394);
inline constexpr ByteField ClosingOn{3404};
inline constexpr TCommandSettingLayout Closing = CommandSettingAt(3405);
inline constexpr ByteField AboutOn{4415};

namespace About {  // TAboutBoxDesign, 578 bytes at 4416
inline constexpr std::size_t Base = 4416, Size = 578;
inline constexpr WordField ShowWhen{4416};
inline constexpr StrField BoxTitle{4418, 40};
inline constexpr ByteField UseIcon{4459};
inline constexpr StrField IconFile{4460, 150};
inline constexpr StrField ProgramName{4611, 32};
inline constexpr StrField VersionText{4644, 42};
inline constexpr StrField AuthorLine{4687, 42};
inline constexpr StrField Comment1{4730, 65};
inline constexpr StrField Comment2{4796, 65};
inline constexpr StrField Comment3{4862, 65};
inline constexpr StrField Comment4{4928, 65};
}  // namespace About

namespace Captions {  // TPlayerCaptions, 128 bytes at 4994
inline constexpr std::size_t Base = 4994, Size = 128;
inline constexpr StrField AboutCaption{4994, 16};
inline constexpr StrField HelpCaption{5011, 16};
inline constexpr StrField QuitCaption{5028, 16};
inline constexpr StrField CloseCaption{5045, 16};
inline constexpr StrField PrintCaption{5062, 16};
inline constexpr StrField FindCaption{5079, 16};
inline constexpr StrField StartPrompt{5096, 25};
}  // namespace Captions

namespace Program {  // TProgramSettings, 700 bytes at 5122
inline constexpr std::size_t Base = 5122, Size = 700;
inline constexpr StrField ProgramTitle{5122, 80};
inline constexpr ByteField IconOn{5203};
inline constexpr StrField IconFile{5204, 150};
inline constexpr ByteField HelpOn{5355};
inline constexpr StrField HelpFile{5356, 150};
inline constexpr IntField HelpTopic{5507};
inline constexpr ByteField VideoAdvisory{5511};
inline constexpr IntField BackgroundType{5512};
inline constexpr ColorField BackgroundColor{5516};
inline constexpr StrField BackgroundGraphic{5520, 150};
inline constexpr StrField BackgroundWallpaper{5671, 150};
}  // namespace Program

namespace Screen {  // TScreenColors, 216 bytes at 5822
inline constexpr std::size_t Base = 5822, Size = 216;
inline constexpr ColorField ScreenBackColor{5822};
inline constexpr ColorField ScreenTextColor{5826};
inline constexpr ColorField HyperTextColor{5830};
inline constexpr ColorField TitleBackColor{5915};
inline constexpr StrField TitleFont = FontField(5919);
inline constexpr ColorField TitleTextColor{5970};
inline constexpr ColorField ControlBarColor{5974};
inline constexpr StrField ContinueCaption{5978, 11};
inline constexpr StrField QuitButtonCaption{5990, 11};
inline constexpr StrField PagebackCaption{6002, 11};
inline constexpr StrField HelpButtonCaption{6014, 11};
inline constexpr StrField UtilitiesCaption{6026, 11};
}  // namespace Screen

namespace Colors {  // 26 x TColorEntry (15 bytes) at 6038
inline constexpr std::size_t Base = 6038, EntrySize = 15, Count = 26;
// Entry n, 1..26: the colour code n of chapter commands.
constexpr TColorEntryLayout Entry(int n) {
    const std::size_t b = Base + EntrySize * static_cast<std::size_t>(n - 1);
    return {{b, 10}, {b + 11}};
}
}  // namespace Colors

namespace Headings {  // 10 x THeadingEntry (70 bytes) at 6428
inline constexpr std::size_t Base = 6428, EntrySize = 70, Count = 10;
// Entry n, 1..10.
constexpr THeadingEntryLayout Entry(int n) {
    const std::size_t b = Base + EntrySize * static_cast<std::size_t>(n - 1);
    return {{b, 10}, FontField(b + 11), {b + 62}, {b + 66}};
}
}  // namespace Headings

}  // namespace cfg

inline constexpr const char* kVersionConstant = "1.10";

class TTutorialConfig {
public:
    static constexpr std::size_t Size = cfg::RecordSize;
    using Bytes = std::array<std::uint8_t, Size>;

    TTutorialConfig() { bytes_.fill(0); }

    std::uint8_t get(ByteField f) const;
    std::uint16_t get(WordField f) const;
    std::int32_t get(IntField f) const;
    std::uint32_t get(ColorField f) const;
    std::string get(StrField f) const;  // Windows-1252

    void set(ByteField f, std::uint8_t v);
    void set(WordField f, std::uint16_t v);
    void set(IntField f, std::int32_t v);
    void set(ColorField f, std::uint32_t v);
    void set(StrField f, std::string_view text);  // cut to the capacity

    const Bytes& bytes() const { return bytes_; }
    Bytes& bytes() { return bytes_; }
    std::span<const std::uint8_t> span() const { return bytes_; }

    bool operator==(const TTutorialConfig&) const = default;

private:
    Bytes bytes_;
};

// Zero-fills the record and writes every default.
void SetConfigDefaults(TTutorialConfig& config);

// The invariants the editing dialogs keep. Each returns true when it changed the record.
// IconOn is 0 exactly when IconFile is empty (an empty file clears the switch, a cleared
// switch empties the file).
bool KeepIconInvariant(TTutorialConfig& config);
// HelpOn is 1 only with a non-empty HelpFile and HelpTopic >= 1; otherwise all three are cleared.
bool KeepHelpInvariant(TTutorialConfig& config);
// StartChapter holds no character IsValidFileName forbids; otherwise it is emptied.
bool KeepStartChapterInvariant(TTutorialConfig& config);
void KeepConfigInvariants(TTutorialConfig& config);

// The program's icon file is cleared when it names no existing file (checked by the caller,
// which knows the project folder).
void ClearMissingIcon(TTutorialConfig& config, bool iconFileExists);

// Number of filled chapter entries of the main menu; ChapterCount is kept equal to it.
int CountMenuChapters(const TTutorialConfig& config);
// Single column is offered only for at most 10 chapters.
bool SingleColumnAvailable(const TTutorialConfig& config);

}  // namespace quill
