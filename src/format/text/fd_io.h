#pragma once
// Reads and replacements on descriptors the caller opened, for the tutorial folder layer (which
// opens files and folders beneath its root): the same rules as ReadFileBytes and WriteFileAtomic.
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

#include "text/text_file.h"

namespace quill {

// Replaces the entry `leaf` of the open folder dirFd (an O_PATH or O_DIRECTORY descriptor) with
// the pieces; a link of that name is replaced, never written through. `shown` names the file in
// messages. Throws IoError on failure and leaves the previous file as it was.
void WriteFileAtomicAt(int dirFd, const std::string& leaf, const std::filesystem::path& shown,
                       std::span<const std::string_view> pieces, Durability durability);

// Reads the whole file open on fd (opened O_NONBLOCK; fd is closed here in every case), refusing
// what is not a regular file and more than maxBytes. `shown` names the file in messages.
std::string ReadOpenFile(int fd, const std::filesystem::path& shown, std::uint64_t maxBytes);

// Writes all the bytes to fd, going on after interruptions; 0 when done, otherwise the errno.
int WriteAllToFd(int fd, std::string_view bytes);

}  // namespace quill
