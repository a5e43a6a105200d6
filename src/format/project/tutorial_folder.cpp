#include "project/tutorial_folder.h"

#include <fcntl.h>
// Kernels and C libraries without openat2 (the WebAssembly build's in-memory file system among
// them) build without it: every open then goes through the resolver below, which keeps the same
// rule that a file lies inside the folder.
#if __has_include(<linux/openat2.h>)
#include <linux/openat2.h>
#define QUILL_HAVE_OPENAT2 1
#endif
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <utility>
#include <cerrno>
#include <cstring>

#include "text/fd_io.h"
#include "text/file_lookup.h"

namespace quill {

namespace fs = std::filesystem;

namespace {

// -1 not known yet, 0 the kernel has no openat2, 1 it has.
std::atomic<int> gKernelOpenat2{-1};

long CallOpenat2(int dirFd, const char* path, int flags, unsigned mode) {
#if defined(QUILL_HAVE_OPENAT2) && defined(SYS_openat2)
    open_how how{};
    how.flags = static_cast<std::uint64_t>(flags);
    how.mode = (flags & (O_CREAT | O_TMPFILE)) ? mode : 0;
    how.resolve = RESOLVE_BENEATH | RESOLVE_NO_MAGICLINKS;
    return ::syscall(SYS_openat2, dirFd, path, &how, sizeof how);
#else
    (void)dirFd, (void)path, (void)flags, (void)mode;
    errno = ENOSYS;
    return -1;
#endif
}

bool LexicallyBelow(const fs::path& relative) {
    if (relative.is_absolute() || relative.has_root_name()) return false;
    for (const auto& part : relative)
        if (part == "..") return false;
    return true;
}

}  // namespace

bool KernelConfinesOpens() {
    int known = gKernelOpenat2.load();
    if (known < 0) {
        const long fd = CallOpenat2(AT_FDCWD, "/", O_PATH | O_DIRECTORY | O_CLOEXEC, 0);
        // RESOLVE_BENEATH refuses the absolute "/" (EXDEV): that answer shows openat2 exists.
        known = (fd >= 0 || errno != ENOSYS) ? 1 : 0;
        if (fd >= 0) ::close(static_cast<int>(fd));
        gKernelOpenat2.store(known);
    }
    return known == 1;
}

TutorialFolder::TutorialFolder(fs::path root, Confinement how) : root_(std::move(root)), how_(how) {}

TutorialFolder::~TutorialFolder() {
    if (rootFd_ >= 0) ::close(rootFd_);
}

TutorialFolder::TutorialFolder(const TutorialFolder& other) : root_(other.root_), how_(other.how_) {}

TutorialFolder& TutorialFolder::operator=(const TutorialFolder& other) {
    if (this != &other) {
        if (rootFd_ >= 0) ::close(rootFd_);
        rootFd_ = -1;
        root_ = other.root_;
        how_ = other.how_;
    }
    return *this;
}

TutorialFolder::TutorialFolder(TutorialFolder&& other) noexcept
    : root_(std::move(other.root_)), how_(other.how_), rootFd_(std::exchange(other.rootFd_, -1)) {}

TutorialFolder& TutorialFolder::operator=(TutorialFolder&& other) noexcept {
    if (this != &other) {
        if (rootFd_ >= 0) ::close(rootFd_);
        root_ = std::move(other.root_);
        how_ = other.how_;
        rootFd_ = std::exchange(other.rootFd_, -1);
    }
    return *this;
}

bool TutorialFolder::Below(const fs::path& file) const {
    auto r = root_.begin();
    auto f = file.begin();
    for (; r != root_.end(); ++r) {
        if (r->empty()) continue;  // a trailing separator
        if (f == file.end() || *r != *f) return false;
        ++f;
    }
    for (; f != file.end(); ++f)
        if (*f == "..") return false;
    return true;
}

fs::path TutorialFolder::RelativePart(const fs::path& file) const {
    if (!Below(file))
        throw OutsideFolderError("The file " + DisplayName(file) + std::string(kOutsideFolder));
    auto r = root_.begin();
    auto f = file.begin();
    for (; r != root_.end(); ++r) {
        if (r->empty()) continue;
        ++f;
    }
    fs::path rest;
    for (; f != file.end(); ++f)
        if (!f->empty() && *f != ".") rest /= *f;
    return rest.empty() ? fs::path(".") : rest;
}

void TutorialFolder::Fail(const char* verb, const fs::path& file, int err) const {
    if (err == EXDEV)
        throw OutsideFolderError("The file " + DisplayName(file) + std::string(kOutsideFolder));
    if (err == ELOOP)
        throw IoError(std::string("Cannot ") + verb + " the file " + DisplayName(file) +
                      ": it is a symbolic link, which a tutorial may not write through");
    throw IoError(std::string("Cannot ") + verb + " the file " + DisplayName(file) + ": " +
                  std::strerror(err));
}

int TutorialFolder::RootFd() const {
    if (rootFd_ >= 0) return rootFd_;
    const int fd = ::open(root_.empty() ? "." : root_.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        throw IoError("Cannot open the tutorial folder " + DisplayName(root_) + ": " + std::strerror(errno));
    rootFd_ = fd;
    return fd;
}

int TutorialFolder::OpenBeneath(int rootFd, const fs::path& relative, int flags, unsigned mode,
                                bool lastMayBeLink) const {
    if (!LexicallyBelow(relative)) {
        errno = EXDEV;
        return -1;
    }
    if (how_ == Confinement::Automatic && KernelConfinesOpens()) {
        const long fd = CallOpenat2(rootFd, relative.c_str(), flags, mode);
        if (fd >= 0 || errno != ENOSYS) return static_cast<int>(fd);
        gKernelOpenat2.store(0);
    }
    // The resolver: the real place, every link followed, must lie in the real folder. For a
    // part that may not be a link (O_NOFOLLOW) its folder counts; the open refuses the link.
    const fs::path full = root_ / relative;
    const fs::path checked = lastMayBeLink ? full : full.parent_path();
    if (!RealPathInside(root_, checked)) {
        errno = EXDEV;
        return -1;
    }
    return ::openat(rootFd, relative.c_str(), flags, mode);
}

int TutorialFolder::OpenParent(const fs::path& file, std::string& leaf, bool& ownsFd) const {
    const fs::path rel = RelativePart(file);
    if (rel == ".") Fail("write", file, EISDIR);
    leaf = rel.filename().native();
    const int root = RootFd();
    const fs::path parent = rel.parent_path();
    ownsFd = !parent.empty();
    if (!ownsFd) return root;
    const int fd = OpenBeneath(root, parent, O_PATH | O_DIRECTORY | O_CLOEXEC, 0, true);
    if (fd < 0) Fail("write", file, errno);
    return fd;
}

ProjectPath TutorialFolder::Locate(std::string_view name) const { return ResolveInProject(root_, name); }

std::optional<fs::path> TutorialFolder::Find(std::string_view name) const {
    if (name.empty() || NameLeavesFolder(name)) return std::nullopt;
    auto found = FindIgnoringCase(root_, name);
    if (!found) return std::nullopt;
    Fd fd{OpenBeneath(RootFd(), RelativePart(*found), O_PATH | O_CLOEXEC, 0, true)};
    if (fd.fd < 0) return std::nullopt;
    return found;
}

std::optional<fs::path> TutorialFolder::FindFile(std::string_view name) const {
    if (name.empty() || NameLeavesFolder(name)) return std::nullopt;
    auto found = FindIgnoringCase(root_, name);
    if (!found) return std::nullopt;
    Fd fd{OpenBeneath(RootFd(), RelativePart(*found), O_PATH | O_CLOEXEC, 0, true)};
    struct stat st{};
    if (fd.fd < 0 || ::fstat(fd.fd, &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    return found;
}

int TutorialFolder::OpenRead(const fs::path& file) const {
    const fs::path rel = RelativePart(file);
    // O_NONBLOCK: a pipe is refused below instead of waiting for a writer.
    Fd fd{OpenBeneath(RootFd(), rel, O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY, 0, true)};
    if (fd.fd < 0) Fail("read", file, errno);
    struct stat st{};
    if (::fstat(fd.fd, &st) != 0) Fail("read", file, errno);
    if (!S_ISREG(st.st_mode))
        throw IoError("Cannot read the file " + DisplayName(file) + ": " +
                      (S_ISDIR(st.st_mode) ? "it is a folder" : "it is not a regular file"));
    return fd.release();
}

std::string TutorialFolder::Read(const fs::path& file, std::uint64_t maxBytes) const {
    return ReadOpenFile(OpenRead(file), file, maxBytes);
}

std::optional<FileBytes> TutorialFolder::ReadIfPresent(const fs::path& file, std::uint64_t maxBytes) const {
    const fs::path rel = RelativePart(file);
    const int fd = OpenBeneath(RootFd(), rel, O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY, 0, true);
    if (fd < 0) {
        if (errno == ENOENT) return std::nullopt;
        Fail("read", file, errno);
    }
    // ReadOpenFileBytes refuses what is not a regular file, with the same words as OpenRead.
    return ReadOpenFileBytes(fd, file, maxBytes);
}

std::vector<std::string> TutorialFolder::ReadLines(const fs::path& file, std::uint64_t maxBytes) const {
    return SplitLines(Read(file, maxBytes));
}

void TutorialFolder::Replace(const fs::path& file, std::span<const std::string_view> pieces,
                             Durability durability) const {
    Replacement replacement = StartReplacement(file);
    for (const std::string_view bytes : pieces) replacement.Write(bytes);
    replacement.Commit(durability);
}

TutorialFolder::Replacement::Replacement(int dirFd, bool ownsDir, std::string leaf, const fs::path& shown)
    : dir_{dirFd, ownsDir}, writer_(dirFd, std::move(leaf), shown) {}

TutorialFolder::Replacement::Dir::~Dir() {
    if (owned) ::close(fd);
}

TutorialFolder::Replacement TutorialFolder::StartReplacement(const fs::path& file) const {
    std::string leaf;
    bool owns = false;
    const int dir = OpenParent(file, leaf, owns);
    return Replacement(dir, owns, std::move(leaf), file);
}

void TutorialFolder::Replace(const fs::path& file, std::string_view bytes, Durability durability) const {
    Replace(file, std::span<const std::string_view>(&bytes, 1), durability);
}

void TutorialFolder::ReplaceLines(const fs::path& file, const std::vector<std::string>& lines) const {
    Replace(file, JoinLinesCrLf(lines));
}


void TutorialFolder::Append(const fs::path& file, std::string_view bytes) const {
    const fs::path rel = RelativePart(file);
    Fd fd{OpenBeneath(RootFd(), rel,
                      O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK | O_NOCTTY,
                      0666, false)};
    if (fd.fd < 0) Fail("write", file, errno);
    struct stat st{};
    if (::fstat(fd.fd, &st) != 0) Fail("write", file, errno);
    if (!S_ISREG(st.st_mode))
        throw IoError("Cannot write the file " + DisplayName(file) + ": it is not a regular file");
    if (const int err = WriteAllToFd(fd.fd, bytes)) Fail("write", file, err);
}

bool TutorialFolder::CreateNew(const fs::path& file, std::string_view bytes) const {
    const fs::path rel = RelativePart(file);
    Fd fd{OpenBeneath(RootFd(), rel, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666, false)};
    if (fd.fd < 0) {
        if (errno == EEXIST) return false;
        Fail("write", file, errno);
    }
    if (const int err = WriteAllToFd(fd.fd, bytes)) Fail("write", file, err);
    return true;
}

bool TutorialFolder::Remove(const fs::path& file) const {
    std::string leaf;
    bool owns = false;
    const int dirFd = OpenParent(file, leaf, owns);
    Fd dir{owns ? dirFd : -1};
    if (::unlinkat(dirFd, leaf.c_str(), 0) == 0) return true;
    if (errno == ENOENT) return false;
    Fail("delete", file, errno);
}

void TutorialFolder::MakeFolders(const fs::path& folder) const {
    const fs::path rel = RelativePart(folder);
    const int root = RootFd();
    if (rel == ".") return;
    // A descriptor of our own for the walk, which closes each folder as it passes it.
    Fd at{::fcntl(root, F_DUPFD_CLOEXEC, 0)};
    if (at.fd < 0) Fail("create", folder, errno);
    for (const auto& part : rel) {
        if (::mkdirat(at.fd, part.c_str(), 0777) != 0 && errno != EEXIST) Fail("create", folder, errno);
        // O_NOFOLLOW with O_PATH opens a link itself, which then is no folder: refused.
        Fd next{OpenBeneath(at.fd, part, O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC, 0, false)};
        if (next.fd < 0) Fail("create", folder, errno == ENOTDIR ? ENOTDIR : errno);
        std::swap(at.fd, next.fd);
    }
}

void TutorialFolder::Copy(const TutorialFolder& from, const fs::path& source, const fs::path& target) const {
    Fd in{from.OpenRead(source)};
    struct stat st{};
    if (::fstat(in.fd, &st) != 0) Fail("read", source, errno);
    if (static_cast<std::uint64_t>(st.st_size) > kMaxFileBytes)
        throw IoError(TooLargeMessage(source, static_cast<std::uint64_t>(st.st_size), kMaxFileBytes));
    Replacement replacement = StartReplacement(target);
    replacement.CopyFrom(in.fd, source);
    replacement.Commit();
}

}  // namespace quill
