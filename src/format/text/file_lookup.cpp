#include "text/file_lookup.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <system_error>

#include "text/cp1252.h"
#include "text/folder_listing.h"

namespace quill {

namespace fs = std::filesystem;

std::string DiskNameToCp1252(const fs::path& name) { return Utf8ToCp1252(name.native()); }

fs::path Cp1252ToPath(std::string_view name) {
    std::string utf8 = Cp1252ToUtf8(name);
    std::replace(utf8.begin(), utf8.end(), '\\', '/');
    return fs::path(utf8);
}

namespace {

std::vector<std::string_view> SplitParts(std::string_view name) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= name.size(); ++i) {
        if (i == name.size() || name[i] == '\\' || name[i] == '/') {
            if (i > start) parts.push_back(name.substr(start, i - start));
            start = i + 1;
        }
    }
    return parts;
}

std::optional<fs::path> FindOne(const fs::path& folder, std::string_view part) {
    const std::string wanted = UpperCaseCp1252(part);
    // Fast path: the name exists exactly as given (a name holding a separator can only be
    // found by the listing below).
    std::error_code ec;
    if (part.find_first_of("\\/") == std::string_view::npos) {
        const fs::path exact = folder / Cp1252ToPath(part);
        if (fs::exists(fs::symlink_status(exact, ec))) return exact;
    }
    std::optional<fs::path> best;
    std::string bestUpper;
    fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec);
    if (ec) return std::nullopt;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec) break;
        const std::string name = DiskNameToCp1252(it->path().filename());
        const std::string upper = UpperCaseCp1252(name);
        if (upper != wanted) continue;
        const std::string raw = it->path().filename().native();
        if (!best || raw < bestUpper) {
            best = it->path();
            bestUpper = raw;
        }
    }
    return best;
}

}  // namespace

std::optional<fs::path> FindIgnoringCase(const fs::path& folder, std::string_view name) {
    if (name.empty()) return std::nullopt;
    fs::path at = (name.front() == '/' || name.front() == '\\') ? fs::path("/") : folder;
    for (std::string_view part : SplitParts(name)) {
        if (part == "." || part == "..") {
            at /= std::string(part);
            continue;
        }
        auto found = FindOne(at, part);
        if (!found) return std::nullopt;
        at = *found;
    }
    return at;
}

fs::path ResolveInFolder(const fs::path& folder, std::string_view name) {
    if (auto found = FindIgnoringCase(folder, name)) return *found;
    // A file still to be made: the folders on its way that exist are found ignoring case, the
    // rest is as given.
    if (name.empty() || name.front() == '/' || name.front() == '\\') return folder / Cp1252ToPath(name);
    fs::path at = folder;
    const auto parts = SplitParts(name);
    std::size_t i = 0;
    for (; i < parts.size(); ++i) {
        if (parts[i] == "." || parts[i] == "..") {
            at /= std::string(parts[i]);
            continue;
        }
        auto next = FindOne(at, parts[i]);
        if (!next) break;
        at = *next;
    }
    for (; i < parts.size(); ++i) at /= Cp1252ToPath(parts[i]);
    return at;
}

bool MatchesMask(std::string_view name, std::string_view mask) {
    // Iterative wildcard match with one backtrack point.
    std::size_t n = 0, m = 0, starM = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (m < mask.size() &&
            (mask[m] == '?' || UpperCp1252(static_cast<unsigned char>(mask[m])) ==
                                   UpperCp1252(static_cast<unsigned char>(name[n])))) {
            ++n, ++m;
        } else if (m < mask.size() && mask[m] == '*') {
            starM = m++;
            starN = n;
        } else if (starM != std::string_view::npos) {
            m = starM + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*') ++m;
    return m == mask.size();
}

FolderListing ListFolder(const fs::path& folder) {
    // The folder is read entry by entry as the kernel gives them, with no path made for each (a
    // player lists its folder on every start, where a path for every entry cost more than the
    // listing itself).
    FolderListing listing{folder, {}};
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return listing;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name == "." || name == "..") continue;
        listing.entries.push_back({std::string(name), entry->d_type});
    }
    ::closedir(dir);
    return listing;
}

std::vector<ListedName> FilesByMask(const FolderListing& listing, std::string_view mask) {
    std::vector<std::pair<std::string, ListedName>> found;  // upper-cased, name
    for (const auto& entry : listing.entries) {
        std::string name = Utf8ToCp1252(entry.name);
        if (!MatchesMask(name, mask)) continue;
        fs::path path = listing.folder / entry.name;
        // A regular file, or a link to one (where the kernel does not say, it is looked up).
        if (entry.type != DT_REG) {
            if (entry.type != DT_LNK && entry.type != DT_UNKNOWN) continue;
            struct stat st{};
            if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
        }
        std::string upper = UpperCaseCp1252(name);
        found.emplace_back(std::move(upper), ListedName{std::move(name), std::move(path)});
    }
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first < b.first : a.second.path < b.second.path;
    });
    std::vector<ListedName> names;
    names.reserve(found.size());
    for (auto& f : found) names.push_back(std::move(f.second));
    return names;
}

std::vector<ListedName> ListFilesByMask(const fs::path& folder, std::string_view mask) {
    return FilesByMask(ListFolder(folder), mask);
}

std::vector<std::string> ListByMask(const fs::path& folder, std::string_view mask) {
    std::vector<std::string> names;
    for (auto& f : ListFilesByMask(folder, mask)) names.push_back(std::move(f.name));
    return names;
}

std::optional<fs::path> FindEntryIgnoringCase(const fs::path& folder, std::string_view name) {
    if (name.empty()) return std::nullopt;
    return FindOne(folder, name);
}

}  // namespace quill
