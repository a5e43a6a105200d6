#include "build/compiler.h"

#include "project/tutorial_folder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>

#include "datafile/data_file.h"
#include "project/file_names.h"
#include "project/project_path.h"
#include "text/cp1252.h"
#include "text/errors.h"
#include "text/file_lookup.h"
#include "text/text_file.h"

namespace quill {

namespace fs = std::filesystem;

namespace {

const char* const kUseQuilplay = "\r\n\r\nUse Quilplay to display the compiled Tutorial.";

// Adds k to each of the eight bytes of x, modulo 256 each: the low seven bits of every byte
// are added without a carry into the next byte, the high bit is the sum's.
inline std::uint64_t AddToBytes(std::uint64_t x, std::uint64_t kk) {
    constexpr std::uint64_t highs = 0x8080808080808080ull;
    return ((x & ~highs) + (kk & ~highs)) ^ ((x ^ kk) & highs);
}

void ShiftBytes(char* dst, const char* src, std::size_t n, unsigned char k) {
    const std::uint64_t kk = 0x0101010101010101ull * k;
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t x;
        std::memcpy(&x, src + i, 8);
        x = AddToBytes(x, kk);
        std::memcpy(dst + i, &x, 8);
    }
    for (; i < n; ++i) dst[i] = static_cast<char>(static_cast<unsigned char>(src[i]) + k);
}

// Writes the scrambled form of a non-empty line (n + 1 bytes) at dst.
void WriteScrambled(char* dst, std::string_view line, int key) {
    const std::size_t n = line.size();
    const auto k = static_cast<unsigned char>(key);
    ShiftBytes(dst, line.data(), n - 1, k);
    dst[n - 1] = static_cast<char>(k);
    dst[n] = static_cast<char>(static_cast<unsigned char>(line[n - 1]) + k);
}

}  // namespace

void ScrambleLine(std::string& line, int key) {
    if (line.empty()) return;
    std::string out(line.size() + 1, '\0');
    WriteScrambled(out.data(), line, key);
    line = std::move(out);
}

void ScrambleLine(std::string& line, KeyGenerator& keys) {
    if (line.empty()) return;
    ScrambleLine(line, keys.NextKey());
}

std::string UnscrambleLine(std::string_view line) {
    if (line.size() < 2) return std::string();  // empty, or no room for a key
    const auto k = static_cast<unsigned char>(line[line.size() - 2]);
    std::string out;
    out.reserve(line.size() - 1);
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (i == line.size() - 2) continue;
        out += static_cast<char>(static_cast<unsigned char>(line[i]) - k);
    }
    return out;
}

namespace {

// Buffers one compile run reuses from chapter to chapter, so that a tutorial of many large
// chapters does not pay for fresh memory (and its page faults) twice per chapter.
class ChapterBuffers {
public:
    // Reads the whole file into the input buffer; throws IoError naming the file.
    std::string_view read(const fs::path& file) {
        // Through the tutorial folder: never through a link out of it, and a pipe or device
        // is refused at once (the checks below stay for the size).
        const int fd = TutorialFolder(file.has_parent_path() ? file.parent_path() : fs::path(".")).OpenRead(file);
        struct stat st{};
        if (::fstat(fd, &st) != 0) {
            const int err = errno;
            ::close(fd);
            fail(file, err);
        }
        if (!S_ISREG(st.st_mode)) {
            ::close(fd);
            throw IoError("Cannot read the file " + DisplayName(file) + ": " +
                          (S_ISDIR(st.st_mode) ? "it is a folder" : "it is not a regular file"));
        }
        if (static_cast<std::uint64_t>(st.st_size) > kMaxFileBytes) {
            ::close(fd);
            throw IoError(TooLargeMessage(file, static_cast<std::uint64_t>(st.st_size), kMaxFileBytes));
        }
        std::size_t size = 0;
        ensure(in_, inCapacity_, static_cast<std::size_t>(st.st_size) + 1, 0);
        for (;;) {
            if (size == inCapacity_) ensure(in_, inCapacity_, inCapacity_ * 2, size);
            const ssize_t got = ::read(fd, in_.get() + size, inCapacity_ - size);
            if (got < 0) {
                if (errno == EINTR) continue;
                const int err = errno;
                ::close(fd);
                fail(file, err);
            }
            if (got == 0) break;
            size += static_cast<std::size_t>(got);
            if (size > kMaxFileBytes) {  // it grew while being read
                ::close(fd);
                throw IoError(TooLargeMessage(file, size, kMaxFileBytes));
            }
        }
        ::close(fd);
        return {in_.get(), size};
    }

    // An output buffer of at least `needed` bytes that keeps its first `kept` bytes.
    char* output(std::size_t needed, std::size_t kept) {
        ensure(out_, outCapacity_, needed, kept);
        return out_.get();
    }
    std::size_t outputCapacity() const { return outCapacity_; }

private:
    static void ensure(std::unique_ptr<char[]>& buffer, std::size_t& capacity, std::size_t needed,
                       std::size_t kept) {
        if (needed <= capacity) return;
        const std::size_t grown = std::max(needed, capacity + capacity / 2);
        auto bigger = std::make_unique_for_overwrite<char[]>(grown);
        if (kept) std::memcpy(bigger.get(), buffer.get(), kept);
        buffer = std::move(bigger);
        capacity = grown;
    }
    [[noreturn]] static void fail(const fs::path& file, int err) {
        throw IoError("Cannot read the file " + DisplayName(file) + ": " + std::strerror(err));
    }

    std::unique_ptr<char[]> in_, out_;
    std::size_t inCapacity_ = 0, outCapacity_ = 0;
};

// The high bit set in each byte of x that is LF or CR (exact up to the first such byte).
inline std::uint64_t LineEndMask(std::uint64_t x) {
    constexpr std::uint64_t ones = 0x0101010101010101ull, highs = 0x8080808080808080ull;
    const std::uint64_t lf = x ^ (ones * '\n'), cr = x ^ (ones * '\r');
    return (((lf - ones) & ~lf) | ((cr - ones) & ~cr)) & highs;
}

// The compiled file beside the source: the source's name on disk, bytes intact (a name that is
// not UTF-8 or holds a '\\' stays as it is), with the extension ".QKC"; an existing file of that
// name in another letter case is replaced.
fs::path CompiledChapterPath(const fs::path& source) {
    std::string name = source.filename().native();
    const auto dot = name.rfind('.');
    if (dot != std::string::npos) name.resize(dot);
    name += ".QKC";
    const fs::path folder = source.has_parent_path() ? source.parent_path() : fs::path(".");
    if (auto found = FindEntryIgnoringCase(folder, DiskNameToCp1252(name))) return *found;
    return folder / name;
}

// Compiles one chapter with the run's buffers. The text is scrambled in one pass, eight bytes
// at a time: each non-empty line's bytes are shifted as they are copied; at its end the last
// byte moves up one place and the key goes before it.
bool CompileChapterWith(const fs::path& source, KeyGenerator& keys, ChapterBuffers& buffers) {
    const std::string_view text = buffers.read(source);
    if (text.empty()) return false;  // no lines at all
    const std::size_t n = text.size();
    const char* in = text.data();
    char* out = buffers.output(n + n / 8 + 64, 0);
    std::size_t size = 0;
    std::size_t p = 0;
    while (p < n) {
        // Every line grows by its key byte and its line end becomes CR LF: the rest of the
        // output fits in what is left of the input plus three bytes (and eight of slack for
        // the word-wide stores).
        if (size + (n - p) + 11 > buffers.outputCapacity())
            out = buffers.output(std::max(buffers.outputCapacity() * 2, size + (n - p) + 11), size);
        if (in[p] != '\r' && in[p] != '\n') {
            const auto k = static_cast<unsigned char>(keys.NextKey());
            const std::uint64_t kk = 0x0101010101010101ull * k;
            for (;;) {
                if (p + 8 <= n) {
                    std::uint64_t x;
                    std::memcpy(&x, in + p, 8);
                    const std::uint64_t shifted = AddToBytes(x, kk);
                    std::memcpy(out + size, &shifted, 8);
                    if (const std::uint64_t m = LineEndMask(x)) {
                        const std::size_t e = static_cast<std::size_t>(__builtin_ctzll(m)) >> 3;
                        p += e;
                        size += e;
                        break;
                    }
                    p += 8;
                    size += 8;
                } else {
                    while (p < n && in[p] != '\r' && in[p] != '\n')
                        out[size++] = static_cast<char>(static_cast<unsigned char>(in[p++]) + k);
                    break;
                }
            }
            out[size] = out[size - 1];
            out[size - 1] = static_cast<char>(k);
            ++size;
        }
        out[size++] = '\r';
        out[size++] = '\n';
        if (p < n) p += (in[p] == '\r' && p + 1 < n && in[p + 1] == '\n') ? 2 : 1;
    }
    const fs::path compiled = CompiledChapterPath(source);
    TutorialFolder(compiled.has_parent_path() ? compiled.parent_path() : fs::path("."))
        .Replace(compiled, std::string_view(out, size), Durability::Regenerable);
    return true;
}

}  // namespace

bool CompileChapter(const fs::path& source, KeyGenerator& keys) {
    ChapterBuffers buffers;
    return CompileChapterWith(source, keys, buffers);
}

std::string CompiledDataFileBytes(const Project& project) {
    std::string bytes(reinterpret_cast<const char*>(project.Config.bytes().data()),
                      TTutorialConfig::Size);
    if (!project.DataFileName.empty()) {
        const ProjectPath data = ResolveInProject(project.ProjectDir, project.DataFileName);
        if (!data.inside)
            throw IoError("Cannot read the tutorial data file " + DisplayName(data.path) +
                          ": it leads outside the tutorial folder");
        if (auto image = CompiledDataImage(data.path)) bytes += *image;
    }
    return bytes;
}

bool CompileDataFile(const Project& project) {
    TutorialFolder(project.ProjectDir)
        .Replace(project.FilePath(project.ProjectName + ".QKD"), CompiledDataFileBytes(project), Durability::Regenerable);
    return true;
}

BuildMessages CompileOneChapterCommand(const Project& project, KeyGenerator& keys,
                                       std::string_view chapterName) {
    if (chapterName.empty()) return {};
    // The chosen name is one the listing gave: found as one name, separators and all.
    const auto found = FindEntryIgnoringCase(project.ProjectDir, chapterName);
    const fs::path source = found ? *found : project.FilePath(chapterName);
    if (RealPathInside(project.ProjectDir, source) && CompileChapter(source, keys))
        return {{BuildMessage::Kind::Info,
                 // The file as written: on a disk that tells letter cases apart, an upper-cased
                 // name would name a file that is not there.
                 "The Tutorial Chapter File " + DiskNameToCp1252(CompiledChapterPath(source).filename()) +
                     " has been compiled successfully." + kUseQuilplay}};
    return {{BuildMessage::Kind::Error, "Unable to compile the Tutorial Chapter File."}};
}

BuildMessages CompileDataCommand(const Project& project) {
    if (CompileDataFile(project))
        return {{BuildMessage::Kind::Info,
                 "The Tutorial Data File " + UpperAscii(NameOnly(project.DataFileName) + ".QKD") +
                     " has been compiled successfully." + kUseQuilplay}};
    return {{BuildMessage::Kind::Error, "Unable to compile the Tutorial Data File."}};
}

BuildMessages CompileAllCommand(const Project& project, KeyGenerator& keys,
                                const CompileProgress& progress) {
    RemoveStaleTemporaries(project.ProjectDir);
    if (!CompileDataFile(project))
        return {{BuildMessage::Kind::Error, "Unable to compile the Tutorial Data File."}};
    // Chapters are read by the path the listing found, so names that are not UTF-8 (or hold a
    // '\\') compile too. A chapter that is a link to a file outside the tutorial folder is not
    // read: it fails like a chapter without lines.
    const auto chapters = ListFilesByMask(project.ProjectDir, project.ProjectName + "*.QKS");
    std::string lastFailed;
    bool failed = false;
    ChapterBuffers buffers;
    for (std::size_t i = 0; i < chapters.size(); ++i) {
        if (progress) progress(i, chapters.size(), chapters[i].name);
        if (!RealPathInside(project.ProjectDir, chapters[i].path) ||
            !CompileChapterWith(chapters[i].path, keys, buffers)) {
            failed = true;
            lastFailed = chapters[i].name;
        }
    }
    if (failed)
        return {{BuildMessage::Kind::Error,
                 "Unable to compile the Tutorial Chapter File " + lastFailed + "."}};
    return {{BuildMessage::Kind::Info,
             std::string("The Tutorial has been compiled successfully.") + kUseQuilplay}};
}

}  // namespace quill
