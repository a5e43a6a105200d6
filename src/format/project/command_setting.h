#pragma once
// TCommandSetting as a value: what the tutorial's opening or closing command does. The
// configuration record holds it as 1010 packed bytes (TCommandSettingLayout); the command-type
// chooser edits this value.
#include <cstdint>
#include <string>

#include "project/config_record.h"

namespace quill {

struct TCommandSetting {
    int CommandType = 4;       // 2 graphic, 3 voice, 4 executable, 6 graphic and sound, 9, 10
    std::string Arg1;          // graphic file of type 2
    std::string Arg2;          // graphic file of type 6
    std::string Arg3;          // voice file of type 3
    std::string Arg4;          // sound file of type 6
    std::string Arg5;          // program command of types 4, 9 and 10
    std::uint16_t Duration = 0;  // tenths of a second (types 2 and 6)
    std::string Description;   // the spec the last chooser returned; empty: not defined yet

    bool operator==(const TCommandSetting&) const = default;
};

// The record's fields at the layout (cfg::Opening or cfg::Closing). A stored type 0 reads as 4.
TCommandSetting ReadCommandSetting(const TTutorialConfig& config, const TCommandSettingLayout& layout);
// Writes every field; strings are cut to their capacities.
void WriteCommandSetting(TTutorialConfig& config, const TCommandSettingLayout& layout,
                         const TCommandSetting& setting);

}  // namespace quill
