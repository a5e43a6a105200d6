#pragma once
// Reading and writing whole files: text lines (read with CR LF, LF or CR, written with CR LF)
// and bytes, with atomic replacement of the target.
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quill {

// Splits text into lines at CR LF, LF or a lone CR. A final line break does not start another
// (empty) line; "a\r\n\r\n" gives "a" and "".
std::vector<std::string> SplitLines(std::string_view text);
// Joins lines, each followed by CR LF.
std::string JoinLinesCrLf(const std::vector<std::string>& lines);

// The largest file the whole-file reads take unless told otherwise: far more than any chapter,
// data file or learner file holds, and little enough to keep memory bounded.
inline constexpr std::uint64_t kMaxFileBytes = 256ull << 20;

// Whole-file reads; throw IoError naming the file when it cannot be read, when it is not a
// regular file (a folder, a device such as /dev/zero, a pipe: opened without waiting for a
// writer) or when it holds more than maxBytes.
std::string ReadFileBytes(const std::filesystem::path& file, std::uint64_t maxBytes = kMaxFileBytes);
std::vector<std::string> ReadTextLines(const std::filesystem::path& file,
                                       std::uint64_t maxBytes = kMaxFileBytes);
// The refusal of a file larger than maxBytes, as ReadFileBytes words it.
std::string TooLargeMessage(const std::filesystem::path& file, std::uint64_t size,
                            std::uint64_t maxBytes);

// How hard a replacement insists on reaching the disk. Files the author made (project file,
// data file, chapters, learner records) are Durable: flushed to disk before the rename, so even
// a power cut leaves the old or the new file whole. Files made from others that the next
// compile makes again (.QKC, .QKD) are Regenerable: renamed without waiting for the disk,
// which is still atomic for every reader and far faster for a compile of many chapters.
enum class Durability { Durable, Regenerable };

// Replaces (or creates) the file atomically: the bytes go to a temporary file in the same
// folder, are flushed to disk (when Durable) and renamed over the target (a symbolic link of
// that name is replaced, never written through). A failure throws IoError naming the file and
// leaves the previous file as it was; no temporary file is left, even when the process is
// killed (see RemoveStaleTemporaries for the one moment where it could be).
void WriteFileAtomic(const std::filesystem::path& file, std::string_view bytes,
                     Durability durability = Durability::Durable);
// The same with the bytes given in pieces, written one after the other (no joined copy).
void WriteFileAtomic(const std::filesystem::path& file, std::span<const std::string_view> pieces,
                     Durability durability = Durability::Durable);
void WriteTextLines(const std::filesystem::path& file, const std::vector<std::string>& lines);

// A replacement is written to an unnamed file and only named (".NAME.quilltmp-PID-N") for the
// moment before its rename; a process killed in that moment leaves the name behind. This removes
// such leftovers of processes that no longer run from the folder (opening a project and
// compiling call it). IsOurTemporary tells such a name and gives its process id.
void RemoveStaleTemporaries(const std::filesystem::path& folder);
bool IsOurTemporary(std::string_view name, int* pid = nullptr);

// The file name as text for messages (UTF-8, as the system shows it).
std::string DisplayName(const std::filesystem::path& file);

}  // namespace quill
