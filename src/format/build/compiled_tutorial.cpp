#include "build/compiled_tutorial.h"

#include "project/tutorial_folder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "build/compiler.h"
#include "datafile/data_file.h"
#include "project/file_names.h"
#include "project/project_path.h"
#include "text/byte_io.h"
#include "text/cp1252.h"
#include "text/errors.h"
#include "text/file_lookup.h"
#include "text/text_file.h"

namespace quill {

namespace fs = std::filesystem;

namespace {

bool IsKey(char c) { return c >= 1 && c <= 5; }

// A line as the compiler writes it: empty, or its key before its last byte.
bool CarriesKey(std::string_view line) { return line.empty() || (line.size() >= 2 && IsKey(line[line.size() - 2])); }

[[noreturn]] void Damaged(const std::string& file, const std::string& what) {
    throw IoError("The file " + file + " is damaged: " + what + ".");
}

std::string_view Cut(std::string_view s, std::size_t from) {
    return from < s.size() ? s.substr(from) : std::string_view();
}

std::vector<std::string> SplitImageBody(std::string_view body) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < body.size()) {
        std::size_t end = body.find("\r\n", start);
        if (end == std::string_view::npos) end = body.size();
        lines.emplace_back(body.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

// The entry whose body (header line, source line, lines) is `body`; `number` counts from 1.
ImageEntry EntryFromBody(std::string_view body, std::size_t number, const std::string& file) {
    auto lines = SplitImageBody(body);
    if (lines.size() < 2 || lines[0].empty() || lines[0][0] != '[')
        Damaged(file, "entry " + std::to_string(number) + " of its tutorial data has no header");
    ImageEntry e;
    e.header = std::move(lines[0]);
    e.source = std::move(lines[1]);
    e.lines.assign(std::make_move_iterator(lines.begin() + 2), std::make_move_iterator(lines.end()));
    return e;
}

// The longest header an index record holds; a longer one is cut there.
constexpr std::size_t kIndexHeaderCapacity = 60;

}  // namespace

std::string UnscrambleChapterText(std::string_view bytes, const std::string& file) {
    // The compiler refuses an empty chapter, so a compiled one always holds a line.
    if (bytes.empty()) Damaged(file, "it is empty, and a compiled chapter holds at least one line");
    std::string text;
    text.reserve(bytes.size());
    std::size_t lines = 0;
    std::size_t start = 0, from = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find("\r\n", from);
        if (end == std::string_view::npos) {
            // The last line without its CR LF: kept when it is whole.
            const std::string_view last = bytes.substr(start);
            if (!CarriesKey(last)) Damaged(file, "line " + std::to_string(lines + 1) + " has no key");
            AppendUnscrambled(text, last);
            text.append("\r\n");
            break;
        }
        const std::string_view line = bytes.substr(start, end - start);
        if (!CarriesKey(line)) {
            from = end + 1;  // this CR LF came from the shift: look for the next one
            continue;
        }
        AppendUnscrambled(text, line);
        text.append("\r\n");
        ++lines;
        start = from = end + 2;
    }
    return text;
}

std::vector<std::string> UnscrambleChapter(std::string_view bytes, const std::string& file) {
    return SplitLines(UnscrambleChapterText(bytes, file));
}

std::vector<std::string> ReadCompiledChapter(const fs::path& file) {
    return UnscrambleChapter(TutorialFolder(file.parent_path()).Read(file), DisplayName(file));
}

std::string ImageEntry::name() const {
    if (header.size() < 2) return {};
    return header.substr(1, header.size() - 2);
}

namespace {

struct ImageIndexPlace {
    std::int32_t count = 0, indexOffset = 0;
};

// The number of entries and the place of the index, from the image's header; checked against
// the image's size.
ImageIndexPlace CheckImageHeader(std::string_view head, std::uint64_t size, const std::string& file) {
    const auto* data = reinterpret_cast<const std::uint8_t*>(head.data());
    ByteReader r(std::span<const std::uint8_t>(data, head.size()));
    if (size < kImageHeaderSize || head.size() < kImageHeaderSize || r.shortString(0, 4) != "QR1")
        Damaged(file, "its tutorial data does not start as compiled data does");
    const std::int32_t count = r.i32(5);
    const std::int32_t indexOffset = r.i32(9);
    if (count < 0) Damaged(file, "its tutorial data has a negative number of entries");
    if (count > 0 && (indexOffset < static_cast<std::int32_t>(kImageHeaderSize) ||
                      static_cast<std::uint64_t>(indexOffset) +
                              static_cast<std::uint64_t>(count) * kImageIndexRecordSize >
                          size))
        Damaged(file, "its tutorial data is cut short (" + std::to_string(count) + " entries do not fit)");
    return {count, indexOffset};
}

}  // namespace

std::vector<CompiledSource::IndexRecord> ReadImageIndex(
    std::string_view head, std::uint64_t size, const std::function<std::string(std::uint64_t, std::size_t)>& read,
    const std::string& file) {
    const auto [count, indexOffset] = CheckImageHeader(head, size, file);
    if (count == 0) return {};
    const std::uint64_t indexSize = static_cast<std::uint64_t>(count) * kImageIndexRecordSize;
    const std::string index = read(static_cast<std::uint64_t>(indexOffset), static_cast<std::size_t>(indexSize));
    ByteReader ri(std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(index.data()), index.size()));
    std::vector<CompiledSource::IndexRecord> records;
    records.reserve(static_cast<std::size_t>(count));
    for (std::int32_t i = 0; i < count; ++i) {
        const std::size_t at = static_cast<std::size_t>(i) * kImageIndexRecordSize;
        const std::int32_t offset = ri.i32(at + 61), length = ri.i32(at + 65);
        if (offset < static_cast<std::int32_t>(kImageHeaderSize) || length < 0 ||
            static_cast<std::uint64_t>(offset) + static_cast<std::uint64_t>(length) > static_cast<std::uint64_t>(indexOffset))
            Damaged(file, "entry " + std::to_string(i + 1) + " of its tutorial data lies outside the data");
        CompiledSource::IndexRecord record;
        record.header = ri.shortString(at, kIndexHeaderCapacity);
        record.source = ri.shortString(at + 69, 10);
        record.offset = static_cast<std::uint32_t>(offset);
        record.length = static_cast<std::uint32_t>(length);
        records.push_back(std::move(record));
    }
    return records;
}

std::vector<ImageEntry> ReadCompiledImage(std::string_view image, const std::string& file) {
    const auto records = ReadImageIndex(
        image, image.size(), [image](std::uint64_t offset, std::size_t count) {
            return std::string(image.substr(static_cast<std::size_t>(offset), count));
        },
        file);
    std::vector<ImageEntry> entries;
    entries.reserve(records.size());
    for (std::size_t i = 0; i < records.size(); ++i)
        entries.push_back(EntryFromBody(image.substr(records[i].offset, records[i].length), i + 1, file));
    return entries;
}

namespace {

[[noreturn]] void NotACompiledTutorial(const std::string& shown) {
    throw IoError("The file " + shown + " is a compiled chapter, not a compiled tutorial: play the "
                  "tutorial's .QKD file or the folder that holds it.");
}

[[noreturn]] void TooShortForSettings(const std::string& shown, std::uint64_t size) {
    Damaged(shown, "it holds " + std::to_string(size) + " bytes, fewer than the " +
                       std::to_string(TTutorialConfig::Size) + " of the tutorial settings");
}

// `count` bytes of the open file at `offset`; a file that ends before them was cut short since
// it was checked.
std::string ReadAt(int fd, std::uint64_t offset, std::size_t count, const std::string& shown) {
    std::string bytes(count, '\0');
    std::size_t done = 0;
    while (done < count) {
        const ssize_t n = ::pread(fd, bytes.data() + done, count - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) throw IoError("Cannot read the file " + shown + ": " + std::strerror(errno));
        if (n == 0) Damaged(shown, "it is cut short");
        done += static_cast<std::size_t>(n);
    }
    return bytes;
}

}  // namespace

CompiledDataFile ReadCompiledDataFile(const fs::path& file) {
    // Through the folder layer: a .QKD that is a link out of its folder, a pipe or a device is
    // refused like a chapter that is one.
    const std::string bytes = TutorialFolder(file.parent_path()).Read(file);
    const std::string shown = DisplayName(file);
    if (EqualsIgnoringCase(file.extension().string(), ".QKC")) NotACompiledTutorial(shown);
    if (bytes.size() < TTutorialConfig::Size) TooShortForSettings(shown, bytes.size());
    CompiledDataFile result;
    std::copy_n(bytes.begin(), TTutorialConfig::Size, result.config.bytes().begin());
    if (bytes.size() > TTutorialConfig::Size) {
        result.hasDataImage = true;
        result.entries = ReadCompiledImage(std::string_view(bytes).substr(TTutorialConfig::Size), shown);
    }
    return result;
}

// ---- the compiled tutorial as a source --------------------------------------------------------


CompiledSource::CompiledSource(fs::path folder, std::vector<ImageEntry> entries) : folder_(std::move(folder)) {
    slots_.reserve(entries.size());
    for (ImageEntry& e : entries) {
        Slot slot;
        slot.index.header = e.header;
        slot.index.source = e.source;
        slot.entry = std::move(e);
        slots_.push_back(std::move(slot));
    }
}

CompiledSource::CompiledSource(const fs::path& dataFile) : shown_(DisplayName(dataFile)) {
    std::error_code ec;
    const fs::path file = fs::absolute(dataFile, ec);
    folder_ = file.parent_path();
    // Through the folder layer, as ReadCompiledDataFile reads it.
    fd_ = TutorialFolder(folder_).OpenRead(file);
    try {
        if (EqualsIgnoringCase(dataFile.extension().string(), ".QKC")) NotACompiledTutorial(shown_);
        struct stat st{};
        if (::fstat(fd_, &st) != 0) throw IoError("Cannot read the file " + shown_ + ": " + std::strerror(errno));
        const auto size = static_cast<std::uint64_t>(st.st_size);
        if (size < TTutorialConfig::Size) TooShortForSettings(shown_, size);
        const std::string head =
            ReadAt(fd_, 0, static_cast<std::size_t>(std::min<std::uint64_t>(size, TTutorialConfig::Size + kImageHeaderSize)),
                   shown_);
        std::copy_n(head.begin(), TTutorialConfig::Size, config_.bytes().begin());
        if (size > TTutorialConfig::Size) {
            hasDataImage_ = true;
            imageStart_ = TTutorialConfig::Size;
            imageSize_ = size - imageStart_;
            imageHead_ = head.substr(TTutorialConfig::Size);
            // The index itself is read when the first entry is looked for.
            CheckImageHeader(imageHead_, imageSize_, shown_);
            indexRead_ = false;
        }
    } catch (...) {
        ::close(fd_);
        throw;
    }
}

CompiledSource::~CompiledSource() {
    if (fd_ >= 0) ::close(fd_);
}

const std::vector<CompiledSource::Slot>& CompiledSource::Slots() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (!indexRead_) {
        auto records = ReadImageIndex(
            imageHead_, imageSize_,
            [this](std::uint64_t offset, std::size_t count) { return ReadAt(fd_, imageStart_ + offset, count, shown_); },
            shown_);
        slots_.reserve(records.size());
        for (IndexRecord& r : records) slots_.push_back(Slot{std::move(r), std::nullopt});
        indexRead_ = true;
    }
    return slots_;
}

const ImageEntry& CompiledSource::Entry(std::size_t i) const {
    const std::lock_guard<std::mutex> lock(mutex_);
    const Slot& slot = slots_[i];
    if (!slot.entry)
        slot.entry = EntryFromBody(ReadAt(fd_, imageStart_ + slot.index.offset, slot.index.length, shown_), i + 1,
                                   shown_);
    return *slot.entry;
}

std::string CompiledSource::Name(std::size_t i) const {
    const std::string& header = slots_[i].index.header;
    // A header of the index's whole capacity may have been cut: the entry's own line tells.
    if (header.size() >= kIndexHeaderCapacity) return Entry(i).name();
    return header.size() < 2 ? std::string() : header.substr(1, header.size() - 2);
}

std::string CompiledSource::ChapterFileName(std::string_view chapterFile) const {
    return NameOnly(chapterFile) + ".QKC";
}

std::optional<ChapterText> CompiledSource::LoadChapter(std::string_view chapterFile) const {
    const TutorialFolder folder(folder_);
    const auto found = folder.FindFile(ChapterFileName(chapterFile));
    if (!found) return std::nullopt;
    const std::string onDisk = DiskNameToCp1252(found->filename());
    return ChapterText{NameOnly(onDisk) + ".QKS",
                       LineBuffer(UnscrambleChapterText(folder.Read(*found), DisplayName(*found)))};
}

bool CompiledSource::LoadEntry(std::string_view name, std::string_view source,
                               std::vector<std::string>& list) const {
    // Of two equal entries the later one counts, as in the data file.
    const std::vector<Slot>& slots = Slots();
    for (std::size_t i = slots.size(); i-- > 0;) {
        if (!EqualsIgnoringCase(slots[i].index.source, source) || !EqualsIgnoringCase(Name(i), name)) continue;
        const ImageEntry& e = Entry(i);
        list.clear();
        list.push_back(e.name());
        list.push_back("source=" + e.source);
        list.insert(list.end(), e.lines.begin(), e.lines.end());
        list.emplace_back("]");
        return true;
    }
    return false;
}

void CompiledSource::ListEntryNames(std::vector<std::string>& list, std::string_view source) const {
    const std::vector<Slot>& slots = Slots();
    for (std::size_t i = 0; i < slots.size(); ++i)
        if (EqualsIgnoringCase(slots[i].index.source, source)) list.push_back(Name(i));
}

bool CompiledSource::LoadIntroduction(std::vector<std::string>& text) const {
    const std::vector<Slot>& slots = Slots();
    for (std::size_t i = 0; i < slots.size(); ++i) {
        if (slots[i].index.header.compare(0, 7, "[^INTRO") != 0) continue;
        const ImageEntry& e = Entry(i);
        // The line after the source is "text=".
        if (e.lines.size() > 1) text.insert(text.end(), e.lines.begin() + 1, e.lines.end());
        return true;
    }
    return false;
}

bool CompiledSource::LoadWindowText(std::string_view name, std::string& color,
                                    std::vector<std::string>& text) const {
    const std::vector<Slot>& slots = Slots();
    for (std::size_t i = 0; i < slots.size(); ++i) {
        if (!EqualsIgnoringCase(slots[i].index.source, kSourceWinText) || !EqualsIgnoringCase(Name(i), name)) continue;
        const ImageEntry& e = Entry(i);
        color = e.lines.empty() ? std::string() : std::string(Cut(e.lines[0], 6));
        if (e.lines.size() > 2) text.insert(text.end(), e.lines.begin() + 2, e.lines.end());
        return true;
    }
    return false;
}

}  // namespace quill
