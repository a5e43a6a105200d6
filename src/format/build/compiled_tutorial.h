#pragma once
// Reading a compiled tutorial back: the compiled chapters (".QKC", every line shifted by the key
// it carries) and the compiled data file (".QKD": the 7128-byte configuration record, then the
// compiled image of the tutorial data file). The learner's player plays from these through
// CompiledSource, which gives the same lines and entries as the project's own files.
//
// A file that does not have the layout the compiler writes throws IoError with a message that
// names the file and says what is wrong with it.
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <functional>
#include <string_view>
#include <vector>

#include "project/config_record.h"
#include "project/tutorial_source.h"

namespace quill {

// The lines of a compiled chapter's bytes. Lines end with CR LF; since shifted bytes are not
// escaped, a CR LF pair is taken as a line end only where the line before it carries its key
// (one of the bytes 1..5 before its last byte), so a CR or LF made by the shift stays inside
// its line. `file` names the file in the message when the bytes are damaged.
std::vector<std::string> UnscrambleChapter(std::string_view bytes, const std::string& file);
// The same lines as one text, each followed by CR LF (what the player keeps of a chapter).
std::string UnscrambleChapterText(std::string_view bytes, const std::string& file);
std::vector<std::string> ReadCompiledChapter(const std::filesystem::path& file);

// One entry of the compiled data image: the header line with its brackets, the source value and
// the lines that followed the source line up to the closing "]".
struct ImageEntry {
    std::string header;
    std::string source;
    std::vector<std::string> lines;
    std::string name() const;  // the header without its brackets
};

// The entries of a compiled data image, in file order.
std::vector<ImageEntry> ReadCompiledImage(std::string_view image, const std::string& file);

struct CompiledDataFile {
    TTutorialConfig config;
    std::vector<ImageEntry> entries;
    bool hasDataImage = false;  // false when the project had no data file
};
CompiledDataFile ReadCompiledDataFile(const std::filesystem::path& file);

// A compiled tutorial in a folder: chapters NAME.QKC beside the data file.
class CompiledSource : public TutorialSource {
public:
    // The entries already read (ReadCompiledDataFile).
    CompiledSource(std::filesystem::path folder, std::vector<ImageEntry> entries);
    // The compiled data file `dataFile` and the chapters beside it, as the learner's player
    // opens them: the settings record and the header of the data image are read and checked
    // now (IoError as ReadCompiledDataFile throws it), the image's index (where each entry
    // lies) when the first entry is looked for, the lines of an entry when it is first asked
    // for. The file is opened once, through the folder layer, and read later from that open
    // file, so what is read is the file checked now. An index or an entry found damaged when
    // it is read throws IoError then.
    explicit CompiledSource(const std::filesystem::path& dataFile);
    ~CompiledSource() override;
    CompiledSource(const CompiledSource&) = delete;
    CompiledSource& operator=(const CompiledSource&) = delete;

    // The settings record (of the data file the source was opened from).
    const TTutorialConfig& Config() const { return config_; }
    bool HasDataImage() const { return hasDataImage_; }

    // The chapter NAME.QKS is read from NAME.QKC and named NAME.QKS, as the author knows it.
    std::optional<ChapterText> LoadChapter(std::string_view chapterFile) const override;
    std::string ChapterFileName(std::string_view chapterFile) const override;
    bool LoadEntry(std::string_view name, std::string_view source,
                   std::vector<std::string>& list) const override;
    void ListEntryNames(std::vector<std::string>& list, std::string_view source) const override;
    bool LoadIntroduction(std::vector<std::string>& text) const override;
    bool LoadWindowText(std::string_view name, std::string& color,
                        std::vector<std::string>& text) const override;

    // Where an entry lies in the data image, from the image's index.
    struct IndexRecord {
        std::string header;  // as the index holds it: at most 60 bytes, cut beyond
        std::string source;
        std::uint32_t offset = 0, length = 0;
    };

private:
    struct Slot {
        IndexRecord index;
        mutable std::optional<ImageEntry> entry;  // once read
    };
    // The entries' places, the index read from the file the first time.
    const std::vector<Slot>& Slots() const;
    // The entry of slot i, read from the file the first time.
    const ImageEntry& Entry(std::size_t i) const;
    // The entry's name (without brackets); from the index when the index holds it whole.
    std::string Name(std::size_t i) const;

    std::filesystem::path folder_;
    mutable std::vector<Slot> slots_;
    mutable bool indexRead_ = true;  // false until the index of an opened file is read
    TTutorialConfig config_;
    bool hasDataImage_ = false;
    int fd_ = -1;                // the open data file the entries are read from
    std::string shown_;          // its name in messages
    std::uint64_t imageStart_ = 0, imageSize_ = 0;
    std::string imageHead_;  // the first bytes of the data image (its header)
    mutable std::mutex mutex_;  // reads of entries from several threads
};

// The index of a compiled data image: `head` holds the image's first bytes (at least its 13-byte
// header), `size` is the image's size, `read(offset, count)` gives `count` bytes of the image at
// `offset`. Throws IoError naming `file` when the index does not fit the image.
std::vector<CompiledSource::IndexRecord> ReadImageIndex(
    std::string_view head, std::uint64_t size, const std::function<std::string(std::uint64_t, std::size_t)>& read,
    const std::string& file);

}  // namespace quill
