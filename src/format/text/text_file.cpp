#include "text/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

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

void WriteFileAtomic(const std::filesystem::path& file, std::span<const std::string_view> pieces,
                     Durability durability) {
    const auto folder = file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
    std::string tmpl = (folder / ("." + file.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(tmpl.data());
    if (fd < 0)
        throw IoError("Cannot write the file " + DisplayName(file) + ": " + SystemReason(errno));
    auto fail = [&](int err) {
        ::close(fd);
        ::unlink(tmpl.c_str());
        throw IoError("Cannot write the file " + DisplayName(file) + ": " + SystemReason(err));
    };
    // Keep the permissions of the file being replaced; a new file gets the usual 0666 & umask.
    struct stat old{};
    if (::stat(file.c_str(), &old) == 0) {
        ::fchmod(fd, old.st_mode & 07777);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }
    for (const std::string_view bytes : pieces) {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
            if (put < 0) {
                if (errno == EINTR) continue;
                fail(errno);
            }
            done += static_cast<std::size_t>(put);
        }
    }
    if (durability == Durability::Durable && ::fsync(fd) != 0) fail(errno);
    if (::close(fd) != 0) {
        const int err = errno;
        ::unlink(tmpl.c_str());
        throw IoError("Cannot write the file " + DisplayName(file) + ": " + SystemReason(err));
    }
    if (::rename(tmpl.c_str(), file.c_str()) != 0) {
        const int err = errno;
        ::unlink(tmpl.c_str());
        throw IoError("Cannot write the file " + DisplayName(file) + ": " + SystemReason(err));
    }
}

void WriteTextLines(const std::filesystem::path& file, const std::vector<std::string>& lines) {
    WriteFileAtomic(file, JoinLinesCrLf(lines));
}

}  // namespace quill
