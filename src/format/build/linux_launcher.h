#pragma once
// The launcher a distribution folder gets for Linux learners: a small shell script that starts
// the installed quilplay on the folder it lies in, and a desktop entry that does the same
// through its own location (%k), so both work wherever the folder is copied to.
#include <filesystem>
#include <string>
#include <string_view>

namespace quill {

// The names of the two files for a tutorial: NAME.sh and NAME.desktop.
std::string LauncherScriptName(std::string_view projectName);
std::string LauncherDesktopName(std::string_view projectName);

// The texts of the two files. `title` is the tutorial's title (UTF-8).
std::string LauncherScript();
std::string LauncherDesktopEntry(std::string_view title);

// An argument of a desktop entry's Exec key, quoted as the desktop entry format asks.
std::string DesktopExecArgument(std::string_view argument);

// Writes both files into the folder (the script executable); `projectName` is Windows-1252,
// `title` UTF-8 (the project name when empty). Throws IoError.
void WriteLinuxLauncher(const std::filesystem::path& folder, std::string_view projectName,
                        std::string_view title);

}  // namespace quill
