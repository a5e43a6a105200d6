#pragma once
// Shared pieces of the screen tests: a configuration with the defaults, a host that records
// what the screen asks of it, and pixel helpers over cells.
#include <QImage>
#include <functional>
#include <string>
#include <vector>

#include "host.h"
#include "project/config_record.h"
#include "screen/text_screen.h"
#include "../../qstring_printer.h"

namespace quill::test {

inline TTutorialConfig DefaultConfig() {
    TTutorialConfig c;
    SetConfigDefaults(c);
    return c;
}

class RecordingHost : public PlayerHost {
public:
    std::vector<QString> errors, infos;
    int slowTicks = 0;
    std::vector<int> delays;
    std::function<void()> onDelay;  // runs inside waitDelay, while the screen waits

    ControlButton waitForButton() override { return ControlButton::Continue; }
    KeyPress waitForKey() override { return {true, {}}; }
    bool waitDelay(int ms) override {
        delays.push_back(ms);
        if (onDelay) onDelay();
        return false;
    }
    void waitSlowTick() override { ++slowTicks; }
    void processEvents() override {}
    bool stopRequested() const override { return false; }
    QString askInput() override { return {}; }
    bool askChoice() override { return true; }
    int askList() override { return 0; }
    int askMenuButton() override { return 1; }
    QuizReply askQuizAnswer() override { return {1, {}}; }
    QStringList askMemo() override { return {}; }
    std::optional<int> chooseUtility(const QStringList&) override { return std::nullopt; }
    void showError(const QString& t) override { errors.push_back(t); }
    void showInfo(const QString& t) override { infos.push_back(t); }
    bool performEntry(EntrySource, const QString&) override { return false; }
    void openNotes(const std::filesystem::path&, const QString&) override {}
    void printLines(const QStringList&, const QString&) override {}
    void showHelp(const QString&, int) override {}
};

// The pixels of the text cell (column, row): 8 wide, the font's 15 pixels high.
inline QImage Cell(const QImage& image, int column, int row) {
    return image.copy(TextScreen::ColumnToX(column), TextScreen::RowToY(row), 8, 15);
}

inline int CountColour(const QImage& image, const QColor& colour) {
    int n = 0;
    const QRgb want = colour.rgb();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == want) ++n;
    return n;
}

inline bool AllColour(const QImage& image, const QColor& colour) {
    return CountColour(image, colour) == image.width() * image.height();
}

}  // namespace quill::test
