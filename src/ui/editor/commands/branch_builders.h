#pragma once
// The command categories that make a chapter interactive or non-linear: questions and input,
// jumps and branches, menus and page labels, and the default bar and button settings.
#include "editor/commands/command_builders.h"

namespace quill {

CommandCategory InterActiveCommands();
CommandCategory NonLinearCommands();
CommandCategory AdvancedCommands();
CommandCategory ChangeDefaultsCommands();

}  // namespace quill
