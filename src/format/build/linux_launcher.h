#pragma once
// The launcher a distribution folder gets for Linux learners: a small shell script that starts
// the installed quilplay on the folder it lies in (wherever the folder is moved to), and a
// desktop entry that starts it on the folder where the distribution was made.
#include <filesystem>
#include <string>
#include <string_view>

namespace quill {

// The names of the two files for a tutorial: NAME.sh and NAME.desktop.
std::string LauncherScriptName(std::string_view projectName);
std::string LauncherDesktopName(std::string_view projectName);

// The texts of the two files. `title` is the tutorial's title (UTF-8; the project name when
// empty), `folder` the distribution folder.
std::string LauncherScript();
std::string LauncherDesktopEntry(std::string_view title, const std::filesystem::path& folder);

// An argument of a desktop entry's Exec key, quoted as the desktop entry format asks.
std::string DesktopExecArgument(std::string_view argument);

// Writes both files into the folder (the script executable). Throws IoError.
void WriteLinuxLauncher(const std::filesystem::path& folder, std::string_view projectName,
                        std::string_view title);

}  // namespace quill
