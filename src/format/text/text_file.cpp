#include "text/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <signal.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "text/fd_io.h"
#include "text/errors.h"
#include "text/folder_listing.h"

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

namespace {

// The size of the open file when it is a regular file of at most `maxBytes`; otherwise closes
// it and throws the reader's message.
std::uint64_t ReadableSize(int fd, const std::filesystem::path& file, std::uint64_t maxBytes) {
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
    const auto size = static_cast<std::uint64_t>(st.st_size);
    if (size > maxBytes) {
        ::close(fd);
        throw IoError(TooLargeMessage(file, size, maxBytes));
    }
    return size;
}

}  // namespace

std::string ReadOpenFile(int fd, const std::filesystem::path& file, std::uint64_t maxBytes) {
    const std::uint64_t size = ReadableSize(fd, file, maxBytes);
    std::string data;
    if (size > 0) data.reserve(static_cast<std::size_t>(size));
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

FileBytes ReadOpenFileBytes(int fd, const std::filesystem::path& file, std::uint64_t maxBytes) {
    auto fail = [&](int err) {
        ::close(fd);
        throw IoError("Cannot read the file " + DisplayName(file) + ": " + SystemReason(err));
    };
    const std::uint64_t fileSize = ReadableSize(fd, file, maxBytes);
    // One byte more than the size the file has now, so that one read reaches its end (a file
    // that grows meanwhile gets a larger buffer).
    std::size_t capacity = static_cast<std::size_t>(fileSize) + 1;
    if (capacity < 4096) capacity = 4096;
    auto data = std::make_unique_for_overwrite<char[]>(capacity);
    std::size_t size = 0;
    for (;;) {
        if (size == capacity) {
            const std::size_t grown = capacity * 2;
            auto bigger = std::make_unique_for_overwrite<char[]>(grown);
            std::memcpy(bigger.get(), data.get(), size);
            data = std::move(bigger);
            capacity = grown;
        }
        const ssize_t got = ::read(fd, data.get() + size, capacity - size);
        if (got < 0) {
            if (errno == EINTR) continue;
            fail(errno);
        }
        if (got == 0) break;
        size += static_cast<std::size_t>(got);
        if (size > maxBytes) {  // it grew while being read
            ::close(fd);
            throw IoError(TooLargeMessage(file, size, maxBytes));
        }
    }
    ::close(fd);
    return FileBytes(std::move(data), size);
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

// The process's umask, read once while the program starts, before any thread runs: reading it
// means setting it, which would race with other threads creating files (a chapter check runs
// beside the windows).
mode_t ReadUmask() {
    const mode_t m = ::umask(0);
    ::umask(m);
    return m;
}
const mode_t kProcessUmask = ReadUmask();

mode_t ProcessUmask() { return kProcessUmask; }

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

Fd::~Fd() {
    if (fd >= 0) ::close(fd);
}

AtomicFileWriter::AtomicFileWriter(int dirFd, std::string leaf, std::filesystem::path shown)
    : dirFd_(dirFd), leaf_(std::move(leaf)), shown_(std::move(shown)) {
    // The bytes go to an unnamed file in the target's folder (O_TMPFILE): killed before the end,
    // the process leaves nothing behind. Only when it is complete is it given a name and renamed
    // over the target. File systems without unnamed files get a named temporary file instead.
    // (Linking an unnamed file in goes through /proc; without it, the named way is taken.)
    static const bool procFds = ::access("/proc/self/fd", X_OK) == 0;
    fd_ = procFds ? ::openat(dirFd_, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600) : (errno = EOPNOTSUPP, -1);
    if (fd_ < 0) {
        if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) Fail(errno);
        for (unsigned attempt = 0; fd_ < 0; ++attempt) {
            tmp_ = TempName(leaf_, attempt);
            fd_ = ::openat(dirFd_, tmp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
            if (fd_ < 0 && (errno != EEXIST || attempt > 100)) Fail(errno);
        }
        named_ = true;
    }
}

AtomicFileWriter::~AtomicFileWriter() {
    if (fd_ >= 0) ::close(fd_);
    if (replaced_ >= 0) ::close(replaced_);
    if (named_) ::unlinkat(dirFd_, tmp_.c_str(), 0);
}

void AtomicFileWriter::Fail(int err) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (named_) ::unlinkat(dirFd_, tmp_.c_str(), 0);
    named_ = false;
    throw IoError("Cannot write the file " + DisplayName(shown_) + ": " + SystemReason(err));
}

void AtomicFileWriter::Write(std::string_view bytes) {
    if (const int err = WriteAllToFd(fd_, bytes)) Fail(err);
}

void AtomicFileWriter::CopyFrom(int in, const std::filesystem::path& source) {
    const int rc = CopyOpenFiles(in, fd_);
    if (rc > 0) {
        const std::string why = SystemReason(rc);
        ::close(fd_);
        fd_ = -1;
        if (named_) ::unlinkat(dirFd_, tmp_.c_str(), 0);
        named_ = false;
        throw IoError("Cannot read the file " + DisplayName(source) + ": " + why);
    }
    if (rc < 0) Fail(ENOSPC);
}

namespace {

// A rename over an existing file makes some file systems (ext4) start writing the new file out
// at once and wait for the old file's pending writes before freeing it: for a compile of many
// chapters that waiting cost more than the compile's own work. A Regenerable file instead swaps
// names with the file it replaces and then removes the old one under the temporary name. Every
// reader sees the old or the new file whole at every moment, as with a rename; killed between
// the two steps, the process leaves the old file under our temporary name, which
// RemoveStaleTemporaries clears. After a power cut the new file may be empty, which a
// Regenerable file allows: the next compile makes it again.
enum class Exchange { Done, Refused, NotHere };
// The old file is opened before its name is removed and handed back in `held` (or -1): freeing it
// waits until that is closed.
Exchange ExchangeWithOld(int dirFd, const std::string& tmp, const std::string& leaf, int& held) {
    held = -1;
#if defined(RENAME_EXCHANGE) && !defined(__EMSCRIPTEN__)
    // NotHere: no such call, or a file system without it; the caller renames instead.
    if (::renameat2(dirFd, tmp.c_str(), dirFd, leaf.c_str(), RENAME_EXCHANGE) != 0) return Exchange::NotHere;
    held = ::openat(dirFd, tmp.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC);
    if (::unlinkat(dirFd, tmp.c_str(), 0) != 0 && errno == EISDIR) {
        if (held >= 0) ::close(held);
        held = -1;
        // A folder took the file's place after it was looked at: put it back and refuse, as a
        // rename over a folder does.
        ::renameat2(dirFd, tmp.c_str(), dirFd, leaf.c_str(), RENAME_EXCHANGE);
        return Exchange::Refused;
    }
    return Exchange::Done;
#else
    (void)dirFd, (void)tmp, (void)leaf;
    return Exchange::NotHere;
#endif
}

}  // namespace

void AtomicFileWriter::Commit(Durability durability) {
    // Keep the permissions of the file being replaced; a new file (or one that is a link, which
    // is replaced, not written through) gets the usual 0666 & umask.
    struct stat old{};
    const bool replacesFile = ::fstatat(dirFd_, leaf_.c_str(), &old, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(old.st_mode);
    if (replacesFile) {
        ::fchmod(fd_, old.st_mode & 07777);
    } else {
        ::fchmod(fd_, 0666 & ~ProcessUmask());
    }
    if (durability == Durability::Durable && ::fsync(fd_) != 0) Fail(errno);
    if (!named_) {
        // Give the finished file a name of ours; a kill between this and the rename below
        // leaves that name, which RemoveStaleTemporaries clears later.
        const std::string self = "/proc/self/fd/" + std::to_string(fd_);
        for (unsigned attempt = 0;; ++attempt) {
            tmp_ = TempName(leaf_, attempt);
            if (::linkat(AT_FDCWD, self.c_str(), dirFd_, tmp_.c_str(), AT_SYMLINK_FOLLOW) == 0) break;
            if (errno != EEXIST || attempt > 100) Fail(errno);
        }
        named_ = true;
    }
    const int closed = ::close(fd_);
    fd_ = -1;
    if (closed != 0) Fail(errno);
    if (durability == Durability::Regenerable && replacesFile) {
        switch (ExchangeWithOld(dirFd_, tmp_, leaf_, replaced_)) {
            case Exchange::Done: named_ = false; return;
            case Exchange::Refused: Fail(EISDIR);
            case Exchange::NotHere: break;
        }
    }
    if (::renameat(dirFd_, tmp_.c_str(), dirFd_, leaf_.c_str()) != 0) Fail(errno);
    named_ = false;
}


void WriteFileAtomicAt(int dirFd, const std::string& leaf, const std::filesystem::path& shown,
                       std::span<const std::string_view> pieces, Durability durability) {
    AtomicFileWriter writer(dirFd, leaf, shown);
    for (const std::string_view bytes : pieces) writer.Write(bytes);
    writer.Commit(durability);
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

void RemoveStaleTemporaries(const std::filesystem::path& folder) { RemoveStaleTemporaries(ListFolder(folder)); }

void RemoveStaleTemporaries(const FolderListing& listing) {
    for (const auto& entry : listing.entries) {
        int pid = 0;
        if (!IsOurTemporary(entry.name, &pid)) continue;
        // Only the leftovers of processes that have ended: a live one may be writing it now.
        if (pid > 0 && (::kill(pid, 0) == 0 || errno != ESRCH)) continue;
        const std::filesystem::path file = listing.folder / entry.name;
        struct stat st{};
        if (::stat(file.c_str(), &st) == 0 && S_ISREG(st.st_mode)) ::unlink(file.c_str());
    }
}

void WriteTextLines(const std::filesystem::path& file, const std::vector<std::string>& lines) {
    WriteFileAtomic(file, JoinLinesCrLf(lines));
}

}  // namespace quill
