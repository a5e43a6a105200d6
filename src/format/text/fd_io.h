#pragma once
// Reads and replacements on descriptors the caller opened, for the tutorial folder layer (which
// opens files and folders beneath its root): the same rules as ReadFileBytes and WriteFileAtomic.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "text/text_file.h"

namespace quill {

// Closes a descriptor when it goes out of scope (-1 holds none).
struct Fd {
    int fd = -1;
    Fd() = default;
    explicit Fd(int f) : fd(f) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd();
    // Hands the descriptor to the caller, who closes it.
    int release() {
        const int f = fd;
        fd = -1;
        return f;
    }
};

// A replacement written piece by piece: the bytes go to an unnamed file in the folder dirFd
// (an O_PATH or O_DIRECTORY descriptor the caller keeps open) and replace the entry `leaf` only
// on Commit; a link of that name is replaced, never written through. Destroyed without Commit,
// it leaves nothing behind and the previous file as it was. `shown` names the file in messages;
// failures throw IoError.
class AtomicFileWriter {
public:
    AtomicFileWriter(int dirFd, std::string leaf, std::filesystem::path shown);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    void Write(std::string_view bytes);
    // Appends the rest of the open file `in` (the kernel copies where it can); `source` names
    // it when it cannot be read.
    void CopyFrom(int in, const std::filesystem::path& source);
    // Puts the file in the place of `leaf`. A Regenerable file that replaces a file holds the old
    // one open until the writer is destroyed: the work of freeing it happens then, so a caller
    // that orders its commits can let the next one go first.
    void Commit(Durability durability);

private:
    [[noreturn]] void Fail(int err);

    int dirFd_;
    std::string leaf_;
    std::filesystem::path shown_;
    int fd_ = -1;
    std::string tmp_;     // the temporary name, once it has one
    bool named_ = false;  // linked in under tmp_
    int replaced_ = -1;   // the file replaced, held open until the writer is destroyed (see Commit)
};

// Replaces the entry `leaf` of the open folder dirFd (an O_PATH or O_DIRECTORY descriptor) with
// the pieces; a link of that name is replaced, never written through. `shown` names the file in
// messages. Throws IoError on failure and leaves the previous file as it was.
void WriteFileAtomicAt(int dirFd, const std::string& leaf, const std::filesystem::path& shown,
                       std::span<const std::string_view> pieces, Durability durability);

// Reads the whole file open on fd (opened O_NONBLOCK; fd is closed here in every case), refusing
// what is not a regular file and more than maxBytes. `shown` names the file in messages.
std::string ReadOpenFile(int fd, const std::filesystem::path& shown, std::uint64_t maxBytes);

// A whole file held in one buffer of its size: read straight into place, with no copy through
// a smaller buffer and no fill beforehand (the readers of large files scan it once, so both
// would cost as much as the scan).
class FileBytes {
public:
    FileBytes() = default;
    FileBytes(std::unique_ptr<char[]> data, std::size_t size) : data_(std::move(data)), size_(size) {}
    std::string_view view() const { return {data_.get(), size_}; }
    std::size_t size() const { return size_; }

private:
    std::unique_ptr<char[]> data_;
    std::size_t size_ = 0;
};

// ReadOpenFile into a FileBytes: the same checks and messages.
FileBytes ReadOpenFileBytes(int fd, const std::filesystem::path& shown, std::uint64_t maxBytes);

// Writes all the bytes to fd, going on after interruptions; 0 when done, otherwise the errno.
int WriteAllToFd(int fd, std::string_view bytes);

// Copies the open source into the open target (the kernel copies where it can). Returns 0, or
// the errno of a failed read, or -1 when a block was written short.
int CopyOpenFiles(int in, int out);

}  // namespace quill
