#include "project/user_record.h"
#include "project/tutorial_folder.h"
#include "text/file_lookup.h"

#include <algorithm>
#include <cstring>
#include <system_error>

#include "text/byte_io.h"
#include "text/text_file.h"

namespace quill {

namespace {
std::size_t SlotOffset(int n) { return static_cast<std::size_t>(n - 1) * UserRecord::SlotSize; }
bool ValidSlot(int n) { return n >= 1 && n <= UserRecord::SlotCount; }
}  // namespace

std::string UserRecord::slot(int n) const {
    if (!ValidSlot(n)) return {};
    return ByteReader(bytes_).shortString(SlotOffset(n), SlotCapacity);
}

void UserRecord::setSlot(int n, std::string_view text) {
    if (!ValidSlot(n)) return;
    ByteWriter(bytes_).shortString(SlotOffset(n), SlotCapacity, text);
}

int LetterSlot(char letter) {
    if (letter >= 'A' && letter <= 'Z') return letter - 'A' + 1;
    if (letter >= 'a' && letter <= 'z') return letter - 'a' + 27;
    return -1;
}

namespace {
// A learner file is one record; anything far larger is not one.
constexpr std::uint64_t kMaxUserFileBytes = 1 << 20;
}  // namespace

// USER.DAT lies in the tutorial's (or the learner's) folder: read and written through it.
static TutorialFolder FolderOf(const std::filesystem::path& file) {
    return TutorialFolder(file.has_parent_path() ? file.parent_path() : std::filesystem::path("."));
}

std::optional<UserRecord> ReadUserRecord(const std::filesystem::path& file) {
    std::error_code ec;
    if (!std::filesystem::exists(std::filesystem::symlink_status(file, ec))) return std::nullopt;
    const std::string data = FolderOf(file).Read(file, kMaxUserFileBytes);
    UserRecord record;
    std::memcpy(record.bytes().data(), data.data(), std::min(data.size(), UserRecord::Size));
    return record;
}

void WriteUserRecord(const std::filesystem::path& file, const UserRecord& record) {
    std::string data(reinterpret_cast<const char*>(record.bytes().data()), UserRecord::Size);
    std::error_code ec;
    const TutorialFolder folder = FolderOf(file);
    if (folder.FindFile(DiskNameToCp1252(file.filename()))) {
        const std::string old = folder.Read(file, kMaxUserFileBytes);
        if (old.size() > UserRecord::Size) data.append(old, UserRecord::Size);
    }
    folder.Replace(file, data);
}

}  // namespace quill
