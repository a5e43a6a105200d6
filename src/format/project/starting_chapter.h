#pragma once
// The rule that a tutorial can be previewed, compiled and distributed: its first chapter exists.
#include <filesystem>
#include <optional>
#include <string>

#include "project/config_record.h"

namespace quill {

// Why the tutorial has no first chapter to start with (nullopt when it has one): for a
// starting-chapter tutorial StartChapter, for a main-menu tutorial the first menu entry's file,
// each + ".QKS" in the project folder. The message names the chapter file and what to do.
std::optional<std::string> StartingChapterProblem(const TTutorialConfig& config, const std::filesystem::path& projectDir);

}  // namespace quill
