#include <gtest/gtest.h>

#include "project/command_setting.h"

using namespace quill;

TEST(CommandSettingTest, RoundTripsThroughTheRecordAndReadsTypeZeroAsExecutable) {
    TTutorialConfig config;
    SetConfigDefaults(config);
    TCommandSetting s;
    s.CommandType = 6;
    s.Arg2 = "title.bmp";
    s.Arg4 = "tune.mid";
    s.Duration = 50;
    s.Description = "title.bmp,tune.mid,50";
    WriteCommandSetting(config, cfg::Closing, s);
    EXPECT_EQ(ReadCommandSetting(config, cfg::Closing), s);
    EXPECT_EQ(config.get(StrField{3405 + 809, 200}), "title.bmp,tune.mid,50");
    EXPECT_EQ(config.get(WordField{3405 + 807}), 50);

    config.set(cfg::Opening.CommandType, std::uint16_t{0});
    EXPECT_EQ(ReadCommandSetting(config, cfg::Opening).CommandType, 4);
}
