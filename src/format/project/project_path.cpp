#include "project/project_path.h"

#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "text/file_lookup.h"

namespace quill {

namespace fs = std::filesystem;

namespace {

// Links followed in one resolution before it is taken as a loop (the kernel's own limit).
constexpr int kMaxLinks = 40;

void PushParts(std::vector<std::string>& todo, const fs::path& p) {
    std::vector<std::string> parts;
    for (const auto& part : p.relative_path()) parts.push_back(part.native());
    for (auto it = parts.rbegin(); it != parts.rend(); ++it) todo.push_back(*it);
}

// The absolute path with every symbolic link resolved, as far as the parts exist; a part
// that does not exist ends the lookups and the rest is joined as written. nullopt on a loop.
std::optional<fs::path> RealPath(const fs::path& path) {
    std::error_code ec;
    const fs::path absolute = fs::absolute(path, ec);
    if (ec) return std::nullopt;
    std::vector<std::string> todo;  // parts still to walk, the next one last
    PushParts(todo, absolute);
    fs::path at = "/";
    bool existing = true;
    int links = 0;
    while (!todo.empty()) {
        const std::string part = std::move(todo.back());
        todo.pop_back();
        if (part.empty() || part == ".") continue;
        if (part == "..") {
            at = at.parent_path();
            continue;
        }
        fs::path next = at / part;
        struct stat st{};
        if (existing && ::lstat(next.c_str(), &st) == 0) {
            if (S_ISLNK(st.st_mode)) {
                if (++links > kMaxLinks) return std::nullopt;
                const fs::path target = fs::read_symlink(next, ec);
                if (ec) return std::nullopt;
                if (target.is_absolute()) at = "/";
                PushParts(todo, target);
                continue;
            }
        } else {
            existing = false;
        }
        at = std::move(next);
    }
    return at;
}

bool IsBelow(const fs::path& folder, const fs::path& path) {
    auto f = folder.begin(), p = path.begin();
    for (; f != folder.end(); ++f, ++p) {
        if (f->empty()) continue;  // a trailing separator
        if (p == path.end() || *f != *p) return false;
    }
    return true;
}

}  // namespace

bool NameLeavesFolder(std::string_view name) {
    if (!name.empty() && (name[0] == '\\' || name[0] == '/')) return true;
    if (name.find(':') != std::string_view::npos) return true;
    for (std::size_t start = 0; start <= name.size();) {
        std::size_t end = name.find_first_of("\\/", start);
        if (end == std::string_view::npos) end = name.size();
        if (name.substr(start, end - start) == "..") return true;
        start = end + 1;
    }
    return false;
}

bool RealPathInside(const fs::path& folder, const fs::path& path) {
    const auto realFolder = RealPath(folder);
    const auto realPath = RealPath(path);
    return realFolder && realPath && IsBelow(*realFolder, *realPath);
}

ProjectPath ResolveInProject(const fs::path& projectDir, std::string_view name) {
    ProjectPath result;
    if (NameLeavesFolder(name)) {
        result.path = projectDir / Cp1252ToPath(name);
        return result;
    }
    result.path = ResolveInFolder(projectDir, name);
    result.inside = RealPathInside(projectDir, result.path);
    return result;
}

std::optional<fs::path> FindInsideProject(const fs::path& projectDir, std::string_view name) {
    if (name.empty() || NameLeavesFolder(name)) return std::nullopt;
    auto found = FindIgnoringCase(projectDir, name);
    if (!found || !RealPathInside(projectDir, *found)) return std::nullopt;
    return found;
}

}  // namespace quill
