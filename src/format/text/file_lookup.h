#pragma once
// Finding project files by bare name, ignoring letter case. Projects written on Windows name
// their files without regard to case; Linux names are not, so every lookup of a project file by a name
// written in a chapter or record goes through here.
//
// Names given here are Windows-1252 text as stored in project files; a '\' or '/' in them is a
// folder separator. Names on disk are taken as UTF-8 (or, where a name is not valid UTF-8, as
// Windows-1252 bytes, as copied over from a Windows disk).
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quill {

// The path of an existing entry (file or folder) in `folder` whose name equals `name` ignoring
// case; each folder part of the name is resolved the same way. When several entries differ only
// in case, an exact match wins, then the first in upper-cased order.
std::optional<std::filesystem::path> FindIgnoringCase(const std::filesystem::path& folder,
                                                      std::string_view name);

// The existing entry when there is one, otherwise the name as given (for creating it) in its
// folder, which is found ignoring case when it exists.
std::filesystem::path ResolveInFolder(const std::filesystem::path& folder, std::string_view name);

// Wildcard match of a name against a mask ("*" any run, "?" one character), ignoring case.
bool MatchesMask(std::string_view name, std::string_view mask);

// The bare names (Windows-1252) of the regular files in `folder` that match the mask, sorted by
// upper-cased name, the order in which Windows lists a folder. A folder that
// cannot be read gives an empty list.
std::vector<std::string> ListByMask(const std::filesystem::path& folder, std::string_view mask);

// The same listing with each file's path as found on disk. A file whose name is not valid UTF-8
// (a Windows-1252 name unpacked from a Windows archive) or holds a '\\' is read through this path, bytes
// intact; its Windows-1252 name is for showing and matching only.
struct ListedName {
    std::string name;             // Windows-1252
    std::filesystem::path path;   // folder / the name on disk
};
std::vector<ListedName> ListFilesByMask(const std::filesystem::path& folder, std::string_view mask);

// The entry of `folder` whose name equals `name` ignoring case (one name: '\\' and '/' are not
// separators here), or nullopt.
std::optional<std::filesystem::path> FindEntryIgnoringCase(const std::filesystem::path& folder,
                                                           std::string_view name);

// A name on disk as Windows-1252 text, and a Windows-1252 name as a path component.
std::string DiskNameToCp1252(const std::filesystem::path& name);
std::filesystem::path Cp1252ToPath(std::string_view name);

}  // namespace quill
