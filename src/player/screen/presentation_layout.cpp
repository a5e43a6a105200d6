#include "screen/presentation_layout.h"

#include <algorithm>

namespace quill {

MainMenuLayout ComputeMainMenuLayout(int count, bool singleColumn) {
    MainMenuLayout out;
    count = std::clamp(count, 0, kMenuMaxPicks);
    out.count = count;
    out.singleColumn = singleColumn && count >= 1 && count <= 10;
    if (out.singleColumn) {
        for (int n = 1; n <= kMenuMaxPicks; ++n) out.picks[n - 1] = QPoint(26, 41 + 30 * (n - 1));
        out.quit = QPoint(26, 41 + 30 * count);
        out.panel = QSize(247, 46 + 30 * (count + 1));
    } else {
        for (int n = 1; n <= kMenuMaxPicks; ++n)
            out.picks[n - 1] = QPoint(n % 2 == 1 ? 16 : 224, 41 + 30 * ((n - 1) / 2));
        out.quit = QPoint(count % 2 == 1 ? 224 : 119, 41 + 30 * (count / 2));
        out.panel = QSize(kMenuPanelWidth, out.quit.y() + 35);
    }
    out.titleBar = QRect(4, 4, std::min(425, out.panel.width() - 8), 32);
    return out;
}

QPoint CentredPanelOrigin(QSize area, QSize panel) {
    return QPoint(area.width() / 2 - panel.width() / 2, area.height() / 2 - panel.height() / 2);
}

QRect FitTextWindow(QRect window) {
    int w = std::clamp(window.width(), 20, kDesignWidth);
    int h = std::clamp(window.height(), 20, kDesignHeight);
    int x = std::clamp(window.x(), 0, kDesignWidth - w);
    int y = std::clamp(window.y(), 0, kDesignHeight - h);
    return QRect(x, y, w, h);
}

IntroScreenLayout ComputeIntroScreenLayout(bool titleBarOn, int titleFontSize, bool statusBarOn,
                                           int statusFontSize, bool textWindowOff, QRect window) {
    IntroScreenLayout out;
    // A bar never takes more than a third of the screen, whatever size its font claims.
    auto barHeight = [](int size) { return std::clamp(2 * size, 1, kDesignHeight / 3); };
    if (titleBarOn) out.titleBar = QRect(0, 0, kDesignWidth, barHeight(titleFontSize));
    if (statusBarOn) {
        const int h = barHeight(statusFontSize);
        out.statusBar = QRect(0, kDesignHeight - h, kDesignWidth, h);
    }
    if (textWindowOff) {
        const int top = out.titleBar.isEmpty() ? 0 : out.titleBar.bottom() + 1;
        const int bottom = out.statusBar.isEmpty() ? kDesignHeight : out.statusBar.top();
        out.text = QRect(0, top, kDesignWidth, bottom - top);
    } else {
        out.text = FitTextWindow(window);
    }
    return out;
}

}  // namespace quill
