#pragma once
// Where a name written in a chapter, a data-file entry or the configuration record leads, and
// whether it stays inside the tutorial's folder.
//
// Tutorials come from others, unpacked from archives; a name in them must not reach files
// outside the tutorial's folder. A name leaves the folder when it is absolute ("/etc/x",
// "\x"), has a drive letter or any ':' ("C:x"), has a ".." part, or when the real place it leads
// to, following symbolic links (dangling ones too: a file written through one would be created
// at its target), lies outside the real project folder. For a name that does not exist yet the
// real folder it would be created in counts.
#include <filesystem>
#include <optional>
#include <string_view>

namespace quill {

struct ProjectPath {
    // The existing entry found ignoring case, or the name as given in the project folder.
    std::filesystem::path path;
    bool inside = false;
};

// Resolves a bare name (Windows-1252, '\' or '/' between folders) in the project folder.
ProjectPath ResolveInProject(const std::filesystem::path& projectDir, std::string_view name);

// The existing entry of that name (found ignoring case) when it lies inside the project folder;
// nullopt when there is none or it leads outside. For readers that treat both alike.
std::optional<std::filesystem::path> FindInsideProject(const std::filesystem::path& projectDir,
                                                       std::string_view name);

// The lexical test alone: absolute, drive letter (any ':'), or a ".." part.
bool NameLeavesFolder(std::string_view name);

// The real place of `path` (absolute; every symbolic link followed, a missing tail kept as
// written) lies in the real `folder` or below it. A loop of links counts as outside.
bool RealPathInside(const std::filesystem::path& folder, const std::filesystem::path& path);

// The message of a chapter's file command whose name leaves the folder.
inline constexpr std::string_view kOutsideFolder = " is outside the tutorial folder.";

}  // namespace quill
