#include "project/file_names.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <vector>

#include "project/tutorial_folder.h"
#include "text/errors.h"
#include "text/fd_io.h"
#include "text/file_lookup.h"
#include "text/text_file.h"

namespace quill {

namespace fs = std::filesystem;

std::string NameOnly(std::string_view path) {
    const auto slash = path.find_last_of("\\/");
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const auto dot = name.rfind('.');
    if (dot != std::string_view::npos) name = name.substr(0, dot);
    return std::string(name);
}

std::string ChangeExtension(std::string_view name, std::string_view ext) {
    const auto slash = name.find_last_of("\\/");
    const auto dot = name.rfind('.');
    if (dot != std::string_view::npos && (slash == std::string_view::npos || dot > slash))
        return std::string(name.substr(0, dot)) + std::string(ext);
    return std::string(name) + std::string(ext);
}

bool IsValidFileName(std::string_view text) {
    // A table of the forbidden bytes: the name is looked at once, not once per forbidden byte.
    static constexpr auto forbidden = [] {
        std::array<bool, 256> table{};
        for (const char c : std::string_view("\"*+,/:;<=>?[]|")) table[static_cast<unsigned char>(c)] = true;
        return table;
    }();
    for (const char c : text)
        if (forbidden[static_cast<unsigned char>(c)]) return false;
    return true;
}

std::optional<std::int32_t> ParseInt32(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    if (i >= s.size()) return std::nullopt;
    std::uint64_t value = 0;
    if (s[i] == '$') {
        ++i;
        if (i >= s.size()) return std::nullopt;
        for (; i < s.size(); ++i) {
            const char c = s[i];
            int d;
            if (c >= '0' && c <= '9') d = c - '0';
            else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
            else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
            else return std::nullopt;
            value = value * 16 + static_cast<unsigned>(d);
            if (value > 0xFFFFFFFFull) return std::nullopt;
        }
        auto v = static_cast<std::uint32_t>(value);
        if (negative) v = 0u - v;
        return static_cast<std::int32_t>(v);
    }
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<unsigned>(c - '0');
        if (value > 0x80000000ull) return std::nullopt;
    }
    if (!negative && value > 0x7FFFFFFFull) return std::nullopt;
    const std::int64_t signedValue = negative ? -static_cast<std::int64_t>(value)
                                              : static_cast<std::int64_t>(value);
    return static_cast<std::int32_t>(signedValue);
}

void TakeWord(std::string& text, std::string& word) {
    const auto blank = text.find(' ');
    if (blank == std::string::npos) {
        word = std::move(text);
        text.clear();
    } else {
        word = text.substr(0, blank);
        text.erase(0, blank + 1);
    }
}

std::string TakeWord(std::string& text) {
    std::string word;
    TakeWord(text, word);
    return word;
}

unsigned FileAttributesOf(const fs::path& file) {
    struct stat st{};
    if (::stat(file.c_str(), &st) != 0) return 0;
    unsigned attrs = 0;
    if (S_ISDIR(st.st_mode))
        attrs |= faDirectory;
    else if (S_ISREG(st.st_mode))
        attrs |= faArchive;
    else
        attrs |= faSysFile;
    if (::access(file.c_str(), W_OK) != 0) attrs |= faReadOnly;
    const std::string name = file.filename().string();
    if (!name.empty() && name[0] == '.' && name != "." && name != "..") attrs |= faHidden;
    return attrs;
}

bool FileHasAttributes(const fs::path& file, unsigned mask) {
    struct stat st{};
    if (::stat(file.c_str(), &st) != 0) return false;
    return (FileAttributesOf(file) & mask) == mask;
}

std::optional<std::string> FindInProject(const fs::path& projectDir, std::string_view pattern) {
    // A pattern with a folder part searches that folder (found ignoring case).
    const auto slash = pattern.find_last_of("\\/");
    fs::path folder = projectDir;
    std::string_view mask = pattern;
    if (slash != std::string_view::npos) {
        auto sub = FindIgnoringCase(projectDir, pattern.substr(0, slash));
        if (!sub) return std::nullopt;
        folder = *sub;
        mask = pattern.substr(slash + 1);
    }
    auto names = ListByMask(folder, mask);
    if (names.empty()) return std::nullopt;
    return names.front();
}

bool FindEitherInProject(const fs::path& projectDir, std::string_view pattern1,
                         std::string_view pattern2, std::string& name) {
    auto found = FindInProject(projectDir, pattern1);
    if (!found) found = FindInProject(projectDir, pattern2);
    if (!found) return false;
    if (name.empty()) name = *found;
    return true;
}

namespace {

bool SameFile(const fs::path& a, const fs::path& b) {
    if (a == b) return true;
    std::error_code ec;
    return fs::equivalent(a, b, ec);
}

// Opens a file that lies outside any tutorial (one the author picked, the player program) for
// a copy: O_NONBLOCK, so that a pipe or device is refused at once instead of waiting.
int OpenCopySource(const fs::path& source) {
    const int in = ::open(source.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (in < 0)
        throw IoError("Cannot open the file " + DisplayName(source) + ": " + std::strerror(errno));
    return in;
}

}  // namespace

void CopyFileTo(const fs::path& source, const fs::path& destination) {
    fs::path target = destination;
    std::error_code ec;
    if (fs::is_directory(destination, ec)) target = destination / source.filename();
    if (SameFile(source, target)) return;  // copying a file onto itself would empty it
    CopyOpenFileTo(OpenCopySource(source), source, target);
}

void CopyOpenFileTo(int source, const fs::path& shown, const fs::path& target) {
    Fd in{source};
    struct stat st{};
    if (::fstat(in.fd, &st) != 0 || !S_ISREG(st.st_mode))
        throw IoError("Cannot open the file " + DisplayName(shown) + ": it is not a regular file");
    struct stat existing{};
    if (::stat(target.c_str(), &existing) == 0 && existing.st_dev == st.st_dev && existing.st_ino == st.st_ino)
        return;  // copying a file onto itself would empty it
    Fd out{::open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666)};
    if (out.fd < 0)
        throw IoError("Cannot create the file " + DisplayName(target) + ": " + std::strerror(errno));
    const int rc = CopyOpenFiles(in.fd, out.fd);
    if (rc > 0)
        throw IoError("Cannot read the file " + DisplayName(shown) + ": " + std::strerror(rc));
    if (rc < 0)
        throw IoError("Cannot write the file " + DisplayName(target) + ": the disk may be full");
    if (::close(out.fd) != 0) {
        out.fd = -1;
        throw IoError("Cannot write the file " + DisplayName(target) + ": " + std::strerror(errno));
    }
    out.fd = -1;
}

int CopyFileBlocks(const fs::path& source, const fs::path& target) {
    if (SameFile(source, target)) return CopySameFile;
    Fd in{::open(source.c_str(), O_RDONLY | O_CLOEXEC)};
    if (in.fd < 0) return CopyNoSource;
    Fd out{::open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666)};
    if (out.fd < 0) return CopyNoTarget;
    const int rc = CopyOpenFiles(in.fd, out.fd);
    if (rc > 0) return CopyNoSource;  // the source could not be read to its end
    if (rc < 0) return CopyShortWrite;
    if (::close(out.fd) != 0) {
        out.fd = -1;
        return CopyShortWrite;
    }
    out.fd = -1;
    return CopyOk;
}

std::string CopyFileQuestion(std::string_view bareName) {
    return "Copy the file " + std::string(bareName) + " to the Project directory?";
}

std::string CopyChosenFileIntoProject(const fs::path& projectDir, const fs::path& picked,
                                      const std::string& fieldText, std::string_view mask,
                                      const std::function<bool(const std::string&)>& confirm) {
    const std::string bare = DiskNameToCp1252(picked.filename());
    if (confirm(CopyFileQuestion(bare)) && !FindIgnoringCase(projectDir, bare)) {
        // The copy is a file of the tutorial: written through its folder, as a replacement that
        // a link of that name (made meanwhile) cannot redirect out of the folder.
        Fd in{OpenCopySource(picked)};
        struct stat st{};
        if (::fstat(in.fd, &st) != 0 || !S_ISREG(st.st_mode))
            throw IoError("Cannot open the file " + DisplayName(picked) + ": it is not a regular file");
        const TutorialFolder folder(projectDir);  // open while the replacement is written
        auto copy = folder.StartReplacement(projectDir / picked.filename());
        copy.CopyFrom(in.fd, picked);
        copy.Commit();
    }
    std::string result = fieldText;
    if (FindIgnoringCase(projectDir, bare)) result = bare;
    if (!IsValidFileName(result)) {
        if (auto first = FindInProject(projectDir, mask)) result = *first;
    }
    return result;
}

}  // namespace quill
