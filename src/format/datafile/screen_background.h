#pragma once
// TScreenBackground as a value: the text window settings of a text entry of the data file and
// the background of the introduction screen. The configuration record holds it as 340 packed
// bytes (TScreenBackgroundLayout); the data file as the keys "displaytype=" .. "print=".
#include <cstdint>
#include <string>

#include "project/config_record.h"

namespace quill {

inline constexpr std::size_t kScreenFileCapacity = 150;

struct TScreenBackground {
    std::uint32_t WindowColor = 0x00FFFFFF;  // text window colour, "VPBack="
    bool TextWindowOff = true;               // no text window: the text fills the screen
    std::int32_t ScreenType = 1;             // 1 coloured screen, 2 graphic image, 3 wallpaper
    std::uint32_t ScreenColor = 0x00C0C0C0;  // "Sbackcolor="
    std::string GraphicFile;                 // at most 150 characters, .BMP or .JPG
    std::string WallpaperFile;               // at most 150 characters, .BMP
    std::int32_t WindowLeft = 120;
    std::int32_t WindowTop = 80;
    std::int32_t WindowWidth = 400;
    std::int32_t WindowHeight = 200;
    std::int32_t RLTop = 1;
    std::int32_t RLLeft = 1;
    bool PrintOn = false;

    bool operator==(const TScreenBackground&) const = default;
};

// The record's fields at the layout (for example cfg::Intro::Screen). A byte other than 0 reads
// as true; writing stores 1 or 0 and cuts the file names to 150 characters.
TScreenBackground ReadScreenBackground(const TTutorialConfig& config,
                                       const TScreenBackgroundLayout& layout);
void WriteScreenBackground(TTutorialConfig& config, const TScreenBackgroundLayout& layout,
                           const TScreenBackground& settings);

}  // namespace quill
