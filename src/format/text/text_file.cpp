#include "text/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <signal.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "text/fd_io.h"
#include "text/errors.h"

namespace quill {

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.emplace_back(text.substr(start, i - start));
            i += (c == '\r' && i + 1 < n && text[i + 1] == '\n') ? 2 : 1;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < n) lines.emplace_back(text.substr(start));
    return lines;
}

std::string JoinLinesCrLf(const std::vector<std::string>& lines) {
    std::size_t total = 0;
    for (const auto& l : lines) total += l.size() + 2;
    std::string out;
    out.reserve(total);
    for (const auto& l : lines) {
        out += l;
        out += "\r\n";
    }
    return out;
}

std::string DisplayName(const std::filesystem::path& file) { return file.string(); }

namespace {
std::string SystemReason(int err) { return std::strerror(err); }
}  // namespace

std::string TooLargeMessage(const std::filesystem::path& file, std::uint64_t size,
                            std::uint64_t maxBytes) {
    return "Cannot read the file " + DisplayName(file) + ": it holds " + std::to_string(size) +
           " bytes, more than the " + std::to_string(maxBytes) + " such a file can hold";
}

std::string ReadFileBytes(const std::filesystem::path& file, std::uint64_t maxBytes) {
    // O_NONBLOCK: a pipe is refused below instead of waiting for a writer.
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        throw IoError("Cannot read the file " + DisplayName(file) + ": " + SystemReason(errno));
    return ReadOpenFile(fd, file, maxBytes);
}

int WriteAllToFd(int fd, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (put < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        done += static_cast<std::size_t>(put);
    }
    return 0;
}

std::string ReadOpenFile(int fd, const std::filesystem::path& file, std::uint64_t maxBytes) {
    struct stat st{};
    if (::fstat(fd, &st) != 0) {
        const int err = errno;
        ::close(fd);
        throw IoError("Cannot read the file " + DisplayName(file) + ": " + SystemReason(err));
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        throw IoError("Cannot read the file " + DisplayName(file) + ": " +
                      (S_ISDIR(st.st_mode) ? "it is a folder" : "it is not a regular file"));
    }
    if (static_cast<std::uint64_t>(st.st_size) > maxBytes) {
        ::close(fd);
        throw IoError(TooLargeMessage(file, static_cast<std::uint64_t>(st.st_size), maxBytes));
    }
    std::string data;
    if (st.st_size > 0) data.reserve(static_cast<std::size_t>(st.st_size));
    char buf[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buf, sizeof buf);
        if (got < 0) {
            if (errno == EINTR) continue;
            const int err = errno;
            ::close(fd);
            throw IoError("Cannot read the file " + DisplayName(file) + ": " + SystemReason(err));
        }
        if (got == 0) break;
        data.append(buf, static_cast<std::size_t>(got));
        if (data.size() > maxBytes) {  // it grew while being read
            ::close(fd);
            throw IoError(TooLargeMessage(file, data.size(), maxBytes));
        }
    }
    ::close(fd);
    return data;
}

std::vector<std::string> ReadTextLines(const std::filesystem::path& file, std::uint64_t maxBytes) {
    return SplitLines(ReadFileBytes(file, maxBytes));
}

void WriteFileAtomic(const std::filesystem::path& file, std::string_view bytes,
                     Durability durability) {
    WriteFileAtomic(file, std::span<const std::string_view>(&bytes, 1), durability);
}

namespace {

constexpr std::string_view kTempMark = ".quilltmp-";

// The name a temporary file of ours gets while it is linked in: "." + target + ".quilltmp-" +
// the process id + "-" + a number. RemoveStaleTemporaries knows them by it.
std::string TempName(const std::string& leaf, unsigned attempt) {
    static std::atomic<unsigned> counter{0};
    return "." + leaf + std::string(kTempMark) + std::to_string(::getpid()) + "-" +
           std::to_string(counter++) + "-" + std::to_string(attempt);
}

}  // namespace

namespace {

// The process's umask, read once: reading it means setting it, which would race with other
// threads creating files.
mode_t ProcessUmask() {
    static const mode_t mask = [] {
        const mode_t m = ::umask(0);
        ::umask(m);
        return m;
    }();
    return mask;
}

}  // namespace

void WriteFileAtomic(const std::filesystem::path& file, std::span<const std::string_view> pieces,
                     Durability durability) {
    const auto folder = file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
    const int dirFd = ::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (dirFd < 0)
        throw IoError("Cannot write the file " + DisplayName(file) + ": " + SystemReason(errno));
    try {
        WriteFileAtomicAt(dirFd, file.filename().native(), file, pieces, durability);
    } catch (...) {
        ::close(dirFd);
        throw;
    }
    ::close(dirFd);
}

void WriteFileAtomicAt(int dirFd, const std::string& leaf, const std::filesystem::path& shown,
                       std::span<const std::string_view> pieces, Durability durability) {
    auto failWith = [&](int err) -> void {
        throw IoError("Cannot write the file " + DisplayName(shown) + ": " + SystemReason(err));
    };
    // The bytes go to an unnamed file in the target's folder (O_TMPFILE): killed before the end,
    // the process leaves nothing behind. Only when it is complete is it given a name and renamed
    // over the target. File systems without unnamed files get a named temporary file instead.
    std::string tmp;
    bool named = false;
    // (Linking an unnamed file in goes through /proc; without it, the named way is taken.)
    int fd = ::access("/proc/self/fd", X_OK) == 0 ? ::openat(dirFd, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600)
                                                  : (errno = EOPNOTSUPP, -1);
    if (fd < 0) {
        if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) failWith(errno);
        for (unsigned attempt = 0; fd < 0; ++attempt) {
            tmp = TempName(leaf, attempt);
            fd = ::openat(dirFd, tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
            if (fd < 0 && (errno != EEXIST || attempt > 100)) failWith(errno);
        }
        named = true;
    }
    auto fail = [&](int err) {
        ::close(fd);
        if (named) ::unlinkat(dirFd, tmp.c_str(), 0);
        failWith(err);
    };
    // Keep the permissions of the file being replaced; a new file (or one that is a link, which
    // is replaced, not written through) gets the usual 0666 & umask.
    struct stat old{};
    if (::fstatat(dirFd, leaf.c_str(), &old, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(old.st_mode)) {
        ::fchmod(fd, old.st_mode & 07777);
    } else {
        ::fchmod(fd, 0666 & ~ProcessUmask());
    }
    for (const std::string_view bytes : pieces)
        if (const int err = WriteAllToFd(fd, bytes)) fail(err);
    if (durability == Durability::Durable && ::fsync(fd) != 0) fail(errno);
    if (!named) {
        // Give the finished file a name of ours; a kill between this and the rename below
        // leaves that name, which RemoveStaleTemporaries clears later.
        const std::string self = "/proc/self/fd/" + std::to_string(fd);
        for (unsigned attempt = 0;; ++attempt) {
            tmp = TempName(leaf, attempt);
            if (::linkat(AT_FDCWD, self.c_str(), dirFd, tmp.c_str(), AT_SYMLINK_FOLLOW) == 0) break;
            if (errno != EEXIST || attempt > 100) fail(errno);
        }
        named = true;
    }
    if (::close(fd) != 0) {
        const int err = errno;
        ::unlinkat(dirFd, tmp.c_str(), 0);
        failWith(err);
    }
    if (::renameat(dirFd, tmp.c_str(), dirFd, leaf.c_str()) != 0) {
        const int err = errno;
        ::unlinkat(dirFd, tmp.c_str(), 0);
        failWith(err);
    }
}

bool IsOurTemporary(std::string_view name, int* pid) {
    if (name.size() < 2 || name[0] != '.') return false;
    const auto mark = name.rfind(kTempMark);
    if (mark == std::string_view::npos) return false;
    std::string_view rest = name.substr(mark + kTempMark.size());
    int value = 0;
    std::size_t digits = 0;
    while (digits < rest.size() && rest[digits] >= '0' && rest[digits] <= '9' && digits < 9)
        value = value * 10 + (rest[digits++] - '0');
    if (digits == 0 || digits >= rest.size() || rest[digits] != '-') return false;
    if (pid) *pid = value;
    return true;
}

void RemoveStaleTemporaries(const std::filesystem::path& folder) {
    std::error_code ec;
    std::filesystem::directory_iterator it(folder, std::filesystem::directory_options::skip_permission_denied, ec);
    if (ec) return;
    for (; it != std::filesystem::directory_iterator(); it.increment(ec)) {
        if (ec) break;
        int pid = 0;
        if (!IsOurTemporary(it->path().filename().native(), &pid)) continue;
        // Only the leftovers of processes that have ended: a live one may be writing it now.
        if (pid > 0 && (::kill(pid, 0) == 0 || errno != ESRCH)) continue;
        std::error_code rec;
        if (it->is_regular_file(rec)) std::filesystem::remove(it->path(), rec);
    }
}

void WriteTextLines(const std::filesystem::path& file, const std::vector<std::string>& lines) {
    WriteFileAtomic(file, JoinLinesCrLf(lines));
}

}  // namespace quill
