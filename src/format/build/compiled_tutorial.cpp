#include "build/compiled_tutorial.h"

#include "project/tutorial_folder.h"

#include <algorithm>
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
            text.append(UnscrambleLine(last)).append("\r\n");
            break;
        }
        const std::string_view line = bytes.substr(start, end - start);
        if (!CarriesKey(line)) {
            from = end + 1;  // this CR LF came from the shift: look for the next one
            continue;
        }
        text.append(UnscrambleLine(line)).append("\r\n");
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

std::vector<ImageEntry> ReadCompiledImage(std::string_view image, const std::string& file) {
    const auto* data = reinterpret_cast<const std::uint8_t*>(image.data());
    ByteReader r(std::span<const std::uint8_t>(data, image.size()));
    if (image.size() < kImageHeaderSize || r.shortString(0, 4) != "QR1")
        Damaged(file, "its tutorial data does not start as compiled data does");
    const std::int32_t count = r.i32(5);
    const std::int32_t indexOffset = r.i32(9);
    if (count < 0) Damaged(file, "its tutorial data has a negative number of entries");
    if (count == 0) return {};
    if (indexOffset < static_cast<std::int32_t>(kImageHeaderSize) ||
        static_cast<std::uint64_t>(indexOffset) + static_cast<std::uint64_t>(count) * kImageIndexRecordSize > image.size())
        Damaged(file, "its tutorial data is cut short (" + std::to_string(count) + " entries do not fit)");
    std::vector<ImageEntry> entries;
    entries.reserve(static_cast<std::size_t>(count));
    for (std::int32_t i = 0; i < count; ++i) {
        const std::size_t at = static_cast<std::size_t>(indexOffset) + static_cast<std::size_t>(i) * kImageIndexRecordSize;
        const std::int32_t offset = r.i32(at + 61), length = r.i32(at + 65);
        if (offset < static_cast<std::int32_t>(kImageHeaderSize) || length < 0 ||
            static_cast<std::uint64_t>(offset) + static_cast<std::uint64_t>(length) > static_cast<std::uint64_t>(indexOffset))
            Damaged(file, "entry " + std::to_string(i + 1) + " of its tutorial data lies outside the data");
        auto lines = SplitImageBody(image.substr(static_cast<std::size_t>(offset), static_cast<std::size_t>(length)));
        if (lines.size() < 2 || lines[0].empty() || lines[0][0] != '[')
            Damaged(file, "entry " + std::to_string(i + 1) + " of its tutorial data has no header");
        ImageEntry e;
        e.header = std::move(lines[0]);
        e.source = std::move(lines[1]);
        e.lines.assign(std::make_move_iterator(lines.begin() + 2), std::make_move_iterator(lines.end()));
        entries.push_back(std::move(e));
    }
    return entries;
}

CompiledDataFile ReadCompiledDataFile(const fs::path& file) {
    // Through the folder layer: a .QKD that is a link out of its folder, a pipe or a device is
    // refused like a chapter that is one.
    const std::string bytes = TutorialFolder(file.parent_path()).Read(file);
    const std::string shown = DisplayName(file);
    if (EqualsIgnoringCase(file.extension().string(), ".QKC"))
        throw IoError("The file " + shown + " is a compiled chapter, not a compiled tutorial: play the "
                      "tutorial's .QKD file or the folder that holds it.");
    if (bytes.size() < TTutorialConfig::Size)
        Damaged(shown, "it holds " + std::to_string(bytes.size()) + " bytes, fewer than the " +
                           std::to_string(TTutorialConfig::Size) + " of the tutorial settings");
    CompiledDataFile result;
    std::copy_n(bytes.begin(), TTutorialConfig::Size, result.config.bytes().begin());
    if (bytes.size() > TTutorialConfig::Size) {
        result.hasDataImage = true;
        result.entries = ReadCompiledImage(std::string_view(bytes).substr(TTutorialConfig::Size), shown);
    }
    return result;
}

// ---- the compiled tutorial as a source --------------------------------------------------------

CompiledSource::CompiledSource(fs::path folder, std::vector<ImageEntry> entries)
    : folder_(std::move(folder)), entries_(std::move(entries)) {}

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
    for (auto e = entries_.rbegin(); e != entries_.rend(); ++e) {
        if (!EqualsIgnoringCase(e->name(), name) || !EqualsIgnoringCase(e->source, source)) continue;
        list.clear();
        list.push_back(e->name());
        list.push_back("source=" + e->source);
        list.insert(list.end(), e->lines.begin(), e->lines.end());
        list.emplace_back("]");
        return true;
    }
    return false;
}

void CompiledSource::ListEntryNames(std::vector<std::string>& list, std::string_view source) const {
    for (const auto& e : entries_)
        if (EqualsIgnoringCase(e.source, source)) list.push_back(e.name());
}

bool CompiledSource::LoadIntroduction(std::vector<std::string>& text) const {
    for (const auto& e : entries_) {
        if (e.header.compare(0, 7, "[^INTRO") != 0) continue;
        // The line after the source is "text=".
        if (e.lines.size() > 1) text.insert(text.end(), e.lines.begin() + 1, e.lines.end());
        return true;
    }
    return false;
}

bool CompiledSource::LoadWindowText(std::string_view name, std::string& color,
                                    std::vector<std::string>& text) const {
    for (const auto& e : entries_) {
        if (!EqualsIgnoringCase(e.name(), name) || !EqualsIgnoringCase(e.source, kSourceWinText)) continue;
        color = e.lines.empty() ? std::string() : std::string(Cut(e.lines[0], 6));
        if (e.lines.size() > 2) text.insert(text.end(), e.lines.begin() + 2, e.lines.end());
        return true;
    }
    return false;
}

}  // namespace quill
