#pragma once
// Pictures of the learner's presentation screens (the tutorial's about box, its introduction
// and its main menu) as 640 x 480 images, for runs without windows: the headless host saves
// them as the snapshots of those waits. They follow the layouts the windows use; pictures that
// cannot be read leave the background colour.
#include <QImage>
#include <filesystem>
#include <string>
#include <vector>

#include "project/config_record.h"

namespace quill {

QImage RenderAboutBox(const TTutorialConfig& config, const std::filesystem::path& projectDir);
QImage RenderIntroduction(const TTutorialConfig& config, const std::filesystem::path& projectDir,
                          const std::vector<std::string>& text);
QImage RenderMainMenu(const TTutorialConfig& config, const std::filesystem::path& projectDir);

}  // namespace quill
