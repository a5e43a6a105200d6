#include "project/command_setting.h"

namespace quill {

TCommandSetting ReadCommandSetting(const TTutorialConfig& config, const TCommandSettingLayout& layout) {
    TCommandSetting s;
    s.CommandType = config.get(layout.CommandType);
    if (s.CommandType == 0) s.CommandType = 4;
    s.Arg1 = config.get(layout.Arg1);
    s.Arg2 = config.get(layout.Arg2);
    s.Arg3 = config.get(layout.Arg3);
    s.Arg4 = config.get(layout.Arg4);
    s.Arg5 = config.get(layout.Arg5);
    s.Duration = config.get(layout.Duration);
    s.Description = config.get(layout.Description);
    return s;
}

void WriteCommandSetting(TTutorialConfig& config, const TCommandSettingLayout& layout,
                         const TCommandSetting& setting) {
    config.set(layout.CommandType, static_cast<std::uint16_t>(setting.CommandType));
    config.set(layout.Arg1, setting.Arg1);
    config.set(layout.Arg2, setting.Arg2);
    config.set(layout.Arg3, setting.Arg3);
    config.set(layout.Arg4, setting.Arg4);
    config.set(layout.Arg5, setting.Arg5);
    config.set(layout.Duration, setting.Duration);
    config.set(layout.Description, setting.Description);
}

}  // namespace quill
