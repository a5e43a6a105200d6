#pragma once
// A zip archive built in memory: each entry deflated when that makes it smaller, otherwise
// stored; CRC-32 of every entry; names in UTF-8 (and flagged so). Enough for packages that
// other programs unpack (a SCORM package for a learning management system); no zip64, so an
// archive stays below 4 GiB.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quill {

struct ZipEntry {
    std::string name;  // a relative path with '/' between folders (UTF-8)
    std::string data;
};

// The CRC-32 of the bytes (the polynomial of zip, PNG and Ethernet).
std::uint32_t Crc32(std::string_view bytes);

// Why the name cannot be an entry, or nullopt: it must be non-empty valid UTF-8 without
// control characters or '\', relative (no leading '/', no drive letter), and none of its
// parts may be empty, "." or "..", so that unpacking it never writes outside the target folder.
std::optional<std::string> ZipNameProblem(std::string_view name);

// The archive's bytes. Throws std::invalid_argument naming the entry for a name refused by
// ZipNameProblem, a name given twice (letter case ignored, as unpacking on Windows would clash)
// or an archive too large for a zip without zip64. `dosTime`/`dosDate` are the entries' time
// stamp in the MS-DOS form zip uses.
std::string BuildZip(const std::vector<ZipEntry>& entries, std::uint16_t dosTime, std::uint16_t dosDate);

// The present local time in the MS-DOS form: {time, date}.
std::pair<std::uint16_t, std::uint16_t> DosTimeNow();

}  // namespace quill
