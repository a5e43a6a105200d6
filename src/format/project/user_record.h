#pragma once
// USER.DAT: the learner's answers kept between runs. One record of 3172 bytes: 52 slots of
// 61 bytes, each a length byte (0..60) and 60 character bytes (Windows-1252). Slots 1..26
// belong to the letters A..Z, slots 27..52 to a..z.
#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace quill {

inline constexpr const char* kUserFileName = "USER.DAT";

class UserRecord {
public:
    static constexpr std::size_t Size = 3172;
    static constexpr std::size_t SlotSize = 61;
    static constexpr std::size_t SlotCapacity = 60;
    static constexpr int SlotCount = 52;
    using Bytes = std::array<std::uint8_t, Size>;

    UserRecord() { bytes_.fill(0); }

    // Slot n, 1..52; an n outside that range reads empty and writes nothing.
    std::string slot(int n) const;
    // Stores the text cut to 60 characters; the bytes after it keep what was there.
    void setSlot(int n, std::string_view text);

    const Bytes& bytes() const { return bytes_; }
    Bytes& bytes() { return bytes_; }

    bool operator==(const UserRecord&) const = default;

private:
    Bytes bytes_;
};

// The slot of a letter identifier: A..Z give 1..26, a..z give 27..52, anything else -1.
int LetterSlot(char letter);

// Reads the first record of the file. nullopt when the file does not exist. A file shorter
// than a record (cut off) reads as far as it goes; the rest of the record is empty slots.
// Any other failure to read throws IoError naming the file.
std::optional<UserRecord> ReadUserRecord(const std::filesystem::path& file);

// Writes the record as the first 3172 bytes of the file, atomically. Bytes of an existing
// file beyond the first record are kept. Throws IoError; the old file stays as it was.
void WriteUserRecord(const std::filesystem::path& file, const UserRecord& record);

}  // namespace quill
