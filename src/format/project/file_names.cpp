#include "project/file_names.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <vector>

#include "text/errors.h"
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

struct Fd {
    int fd = -1;
    ~Fd() {
        if (fd >= 0) ::close(fd);
    }
};

// Copies the open source into the open target. Returns 0, or the errno of a failed read, or
// -1 when a block was written short.
int CopyOpenFiles(int in, int out) {
    // The kernel copies between the files itself where it can (no trip through our memory);
    // where it cannot (another file system, a kind of file it does not support) nothing has
    // been copied yet and the plain loop below does the work.
    bool started = false;
    for (;;) {
        const ssize_t put = ::copy_file_range(in, nullptr, out, nullptr, 1 << 30, 0);
        if (put > 0) {
            started = true;
            continue;
        }
        if (put == 0) {
            if (started) return 0;
            break;  // an empty file, or one the kernel reports as empty (/proc): read it
        }
        if (errno == EINTR) continue;
        if (started) return errno == ENOSPC || errno == EFBIG || errno == EDQUOT ? -1 : errno;
        if (errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP ||
            errno == EBADF || errno == EPERM)
            break;
        return errno == ENOSPC || errno == EFBIG || errno == EDQUOT ? -1 : errno;
    }
    std::vector<char> buf(1 << 20);
    for (;;) {
        ssize_t got = ::read(in, buf.data(), buf.size());
        if (got < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (got == 0) return 0;
        std::size_t done = 0;
        while (done < static_cast<std::size_t>(got)) {
            const ssize_t put = ::write(out, buf.data() + done, static_cast<std::size_t>(got) - done);
            if (put < 0 && errno == EINTR) continue;
            if (put <= 0) return -1;
            done += static_cast<std::size_t>(put);
        }
    }
}

bool SameFile(const fs::path& a, const fs::path& b) {
    if (a == b) return true;
    std::error_code ec;
    return fs::equivalent(a, b, ec);
}

}  // namespace

void CopyFileTo(const fs::path& source, const fs::path& destination) {
    fs::path target = destination;
    std::error_code ec;
    if (fs::is_directory(destination, ec)) target = destination / source.filename();
    if (SameFile(source, target)) return;  // copying a file onto itself would empty it
    // O_NONBLOCK and a regular file only: a pipe or device is refused at once.
    Fd in{::open(source.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY)};
    if (in.fd < 0)
        throw IoError("Cannot open the file " + DisplayName(source) + ": " + std::strerror(errno));
    struct stat st{};
    if (::fstat(in.fd, &st) != 0 || !S_ISREG(st.st_mode))
        throw IoError("Cannot open the file " + DisplayName(source) + ": it is not a regular file");
    Fd out{::open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666)};
    if (out.fd < 0)
        throw IoError("Cannot create the file " + DisplayName(target) + ": " + std::strerror(errno));
    const int rc = CopyOpenFiles(in.fd, out.fd);
    if (rc > 0)
        throw IoError("Cannot read the file " + DisplayName(source) + ": " + std::strerror(rc));
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
    if (confirm(CopyFileQuestion(bare)) && !FindIgnoringCase(projectDir, bare))
        CopyFileTo(picked, projectDir);
    std::string result = fieldText;
    if (FindIgnoringCase(projectDir, bare)) result = bare;
    if (!IsValidFileName(result)) {
        if (auto first = FindInProject(projectDir, mask)) result = *first;
    }
    return result;
}

}  // namespace quill
