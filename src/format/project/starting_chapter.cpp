#include "project/starting_chapter.h"

#include <filesystem>
#include <system_error>

#include "text/file_lookup.h"

namespace quill {

namespace fs = std::filesystem;

std::optional<std::string> StartingChapterProblem(const TTutorialConfig& config, const fs::path& projectDir) {
    std::string first;
    switch (config.get(cfg::TutorialType)) {
        case 0:
            first = config.get(cfg::StartChapter);
            if (first.empty())
                return std::string("The tutorial has no starting chapter. Choose it with Define Tutorial Type.");
            break;
        case 1:
            first = config.get(cfg::MainMenu::Chapter(1).FileName);
            if (first.empty())
                return std::string("The main menu of the tutorial has no chapters. Define them with Define "
                                   "Tutorial Type.");
            break;
        default:
            return "The tutorial type " + std::to_string(config.get(cfg::TutorialType)) +
                   " is not known. Choose the type with Define Tutorial Type.";
    }
    const auto found = FindIgnoringCase(projectDir, first + ".QKS");
    std::error_code ec;
    if (found && fs::is_regular_file(*found, ec)) return std::nullopt;
    return "The tutorial starts with the chapter " + first + ".QKS, which was not found in the project folder.";
}

}  // namespace quill
