#include "datafile/screen_background.h"

namespace quill {

TScreenBackground ReadScreenBackground(const TTutorialConfig& config,
                                       const TScreenBackgroundLayout& l) {
    TScreenBackground s;
    s.WindowColor = config.get(l.WindowColor);
    s.TextWindowOff = config.get(l.TextWindowOff) != 0;
    s.ScreenType = config.get(l.ScreenType);
    s.ScreenColor = config.get(l.ScreenColor);
    s.GraphicFile = config.get(l.GraphicFile);
    s.WallpaperFile = config.get(l.WallpaperFile);
    s.WindowLeft = config.get(l.WindowLeft);
    s.WindowTop = config.get(l.WindowTop);
    s.WindowWidth = config.get(l.WindowWidth);
    s.WindowHeight = config.get(l.WindowHeight);
    s.RLTop = config.get(l.RLTop);
    s.RLLeft = config.get(l.RLLeft);
    s.PrintOn = config.get(l.PrintOn) != 0;
    return s;
}

void WriteScreenBackground(TTutorialConfig& config, const TScreenBackgroundLayout& l,
                           const TScreenBackground& s) {
    config.set(l.WindowColor, s.WindowColor);
    config.set(l.TextWindowOff, static_cast<std::uint8_t>(s.TextWindowOff ? 1 : 0));
    config.set(l.ScreenType, s.ScreenType);
    config.set(l.ScreenColor, s.ScreenColor);
    config.set(l.GraphicFile, s.GraphicFile);
    config.set(l.WallpaperFile, s.WallpaperFile);
    config.set(l.WindowLeft, s.WindowLeft);
    config.set(l.WindowTop, s.WindowTop);
    config.set(l.WindowWidth, s.WindowWidth);
    config.set(l.WindowHeight, s.WindowHeight);
    config.set(l.RLTop, s.RLTop);
    config.set(l.RLLeft, s.RLLeft);
    config.set(l.PrintOn, static_cast<std::uint8_t>(s.PrintOn ? 1 : 0));
}

}  // namespace quill
