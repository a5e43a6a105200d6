#include <gtest/gtest.h>

#include "datafile/perform_entry.h"

using namespace quill;

namespace {

struct Recorder : EntryActions {
    std::vector<std::string> calls;
    TScreenBackground settings;
    TextLines text;
    void ShowTextEntry(TextDisplay display, const std::string& name, const TScreenBackground& s,
                       const TextLines& t) override {
        calls.push_back(std::string(display == TextDisplay::Plain ? "plain " : "viewport ") + name);
        settings = s;
        text = t;
    }
    void PreviewMedia(const std::string& name, const std::string& command) override {
        calls.push_back("media " + name + " " + command);
    }
    void LaunchProgram(int kind, const std::string& command) override {
        calls.push_back("program " + std::to_string(kind) + " " + command);
    }
    void OpenWithShell(const std::string& command) override { calls.push_back("shell " + command); }
    void OpenNotes(const std::string& file) override { calls.push_back("notes " + file); }
};

}  // namespace

TEST(PerformEntry, DispatchesTheTypeCode) {
    struct Case { std::string type; std::string call; };
    const Case cases[] = {
        {"type=2", "media Pump a.bmp,b=c"}, {"type=3", "media Pump a.bmp,b=c"},
        {"type=6", "media Pump a.bmp,b=c"}, {"type=7", "media Pump a.bmp,b=c"},
        {"type=8", "media Pump a.bmp,b=c"}, {"type=4", "program 4 a.bmp,b=c"},
        {"type=9", "program 9 a.bmp,b=c"},  {"type=10", "shell a.bmp,b=c"},
        {"type=13", "notes a.bmp,b=c"},     {"type=0", ""},
        {"type=11", ""},                    {"type=12", ""},
        {"type=14", ""},                    {"type=x", ""},
        {"type=", ""},                      {"type=103", "shell a.bmp,b=c"},  // two characters
    };
    for (const auto& c : cases) {
        Recorder r;
        const std::string name =
            PerformEntry({"[Pump]", "source=HYPER", c.type, "command=a.bmp,b=c", "]"}, r);
        EXPECT_EQ(name, "Pump");
        if (c.call.empty())
            EXPECT_TRUE(r.calls.empty()) << c.type;
        else
            EXPECT_EQ(r.calls, std::vector<std::string>{c.call}) << c.type;
    }
}

TEST(PerformEntry, TextEntriesAreParsedAndShown) {
    const TextLines entry = {"Valve", "source=HYPER", "type=5", "displaytype=3",
                             "fullscreen=false", "Sbackcolor=clRed", "SGraphic=g.jpg",
                             "SWallpaper=w.bmp", "VPBack=clWhite", "VPLeft=1", "VPTop=2",
                             "VPWidth=3", "VPHeight=4", "RLTop=5", "RLLeft=6", "print=true",
                             "text=", "{\\rtf1 x}", "]"};
    Recorder r;
    EXPECT_EQ(PerformEntry(entry, r), "Valve");
    EXPECT_EQ(r.calls, std::vector<std::string>{"viewport Valve"});
    EXPECT_EQ(r.settings.ScreenType, 3);
    EXPECT_EQ(r.settings.ScreenColor, 0x0000FFu);
    EXPECT_EQ(r.settings.WindowHeight, 4);
    EXPECT_TRUE(r.settings.PrintOn);
    EXPECT_EQ(r.text, (TextLines{"{\\rtf1 x}", "]"}));

    TextLines plain = entry;
    plain[2] = "type=1";
    Recorder p;
    PerformEntry(plain, p);
    EXPECT_EQ(p.calls, std::vector<std::string>{"plain Valve"});
}

TEST(PerformEntry, ShortEntriesDoNothing) {
    Recorder r;
    EXPECT_EQ(PerformEntry({}, r), "");
    EXPECT_EQ(PerformEntry({"[A]", "source=HYPER"}, r), "A");
    PerformEntry({"A", "source=HYPER", "type=10"}, r);  // no command line: an empty command
    EXPECT_EQ(r.calls, std::vector<std::string>{"shell "});
}
