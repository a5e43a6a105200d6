#include "build/compiler.h"

#include "project/tutorial_folder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#if defined(__x86_64__)
#include <immintrin.h>
#endif

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>
#include <unordered_map>
#include <utility>
#include <vector>

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

void AppendUnscrambled(std::string& out, std::string_view line) {
    if (line.size() < 2) return;  // empty, or no room for a key
    const auto k = static_cast<unsigned char>(line[line.size() - 2]);
    const std::size_t start = out.size();
    out.resize(start + line.size() - 1);
    char* dst = out.data() + start;
    // Every byte but the key, shifted back by it.
    for (std::size_t i = 0; i + 2 < line.size(); ++i)
        dst[i] = static_cast<char>(static_cast<unsigned char>(line[i]) - k);
    dst[line.size() - 2] = static_cast<char>(static_cast<unsigned char>(line.back()) - k);
}

std::string UnscrambleLine(std::string_view line) {
    std::string out;
    AppendUnscrambled(out, line);
    return out;
}

namespace {

// Buffers a compile reuses from chapter to chapter, so that a tutorial of many chapters does not
// pay for fresh memory (and its page faults) for each.
class ChapterBuffers {
public:
    // A buffer of at least `needed` bytes that keeps its first `kept` bytes.
    char* input(std::size_t needed, std::size_t kept) { return ensure(in_, inCapacity_, needed, kept); }
    char* output(std::size_t needed) { return ensure(out_, outCapacity_, needed, 0); }
    std::size_t inputCapacity() const { return inCapacity_; }

private:
    static char* ensure(std::unique_ptr<char[]>& buffer, std::size_t& capacity, std::size_t needed,
                        std::size_t kept) {
        if (needed > capacity) {
            const std::size_t grown = std::max(needed, capacity + capacity / 2);
            auto bigger = std::make_unique_for_overwrite<char[]>(grown);
            if (kept) std::memcpy(bigger.get(), buffer.get(), kept);
            buffer = std::move(bigger);
            capacity = grown;
        }
        return buffer.get();
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

// (The vector types are passed only between functions inlined into one another, so the
// warning about their calling convention does not apply.)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wpsabi"

// The line loop for a vector of V bytes: Load, Store, Add (byte-wise, modulo 256) and EndMask
// (a bit for each byte that is CR or LF) come from the caller's instruction set.
template <std::size_t V, typename Ops>
[[gnu::always_inline]] inline std::size_t ScrambleLinesWith(const char* in, std::size_t n, char* out, KeyGenerator& keys) {
    std::size_t size = 0;
    std::size_t p = 0;
    while (p < n) {
        if (in[p] != '\r' && in[p] != '\n') {
            const auto k = static_cast<unsigned char>(keys.NextKey());
            const auto kk = Ops::Key(k);
            for (;;) {
                if (p + V <= n) {
                    const auto x = Ops::Load(in + p);
                    Ops::Store(out + size, Ops::Add(x, kk));
                    if (const std::uint64_t m = Ops::EndMask(x)) {
                        const std::size_t e = Ops::FirstEnd(m);
                        p += e;
                        size += e;
                        break;
                    }
                    p += V;
                    size += V;
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
    return size;
}

// Eight bytes in a 64-bit word: any processor.
struct WordOps {
    static std::uint64_t Key(unsigned char k) { return 0x0101010101010101ull * k; }
    static std::uint64_t Load(const char* p) {
        std::uint64_t x;
        std::memcpy(&x, p, 8);
        return x;
    }
    static void Store(char* p, std::uint64_t x) { std::memcpy(p, &x, 8); }
    static std::uint64_t Add(std::uint64_t x, std::uint64_t kk) { return AddToBytes(x, kk); }
    static std::uint64_t EndMask(std::uint64_t x) { return LineEndMask(x); }
    static std::size_t FirstEnd(std::uint64_t m) { return static_cast<std::size_t>(__builtin_ctzll(m)) >> 3; }
};

#if defined(__x86_64__)
// Sixteen bytes (SSE2, in every x86-64) and thirty-two (AVX2, where the processor has it).
struct Sse2Ops {
    static __m128i Key(unsigned char k) { return _mm_set1_epi8(static_cast<char>(k)); }
    static __m128i Load(const char* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
    static void Store(char* p, __m128i x) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), x); }
    static __m128i Add(__m128i x, __m128i kk) { return _mm_add_epi8(x, kk); }
    static std::uint64_t EndMask(__m128i x) {
        const __m128i ends = _mm_or_si128(_mm_cmpeq_epi8(x, _mm_set1_epi8('\n')), _mm_cmpeq_epi8(x, _mm_set1_epi8('\r')));
        return static_cast<unsigned>(_mm_movemask_epi8(ends));
    }
    static std::size_t FirstEnd(std::uint64_t m) { return static_cast<std::size_t>(__builtin_ctzll(m)); }
};

#pragma GCC push_options
#pragma GCC target("avx2,popcnt")
struct Avx2Ops {
    static __m256i Key(unsigned char k) { return _mm256_set1_epi8(static_cast<char>(k)); }
    static __m256i Load(const char* p) { return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)); }
    static void Store(char* p, __m256i x) { _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), x); }
    static __m256i Add(__m256i x, __m256i kk) { return _mm256_add_epi8(x, kk); }
    static std::uint64_t EndMask(__m256i x) {
        const __m256i ends = _mm256_or_si256(_mm256_cmpeq_epi8(x, _mm256_set1_epi8('\n')),
                                             _mm256_cmpeq_epi8(x, _mm256_set1_epi8('\r')));
        return static_cast<unsigned>(_mm256_movemask_epi8(ends));
    }
    static std::size_t FirstEnd(std::uint64_t m) { return static_cast<std::size_t>(__builtin_ctzll(m)); }
};

// The line ends (CR or LF) of 64 bytes, one bit each.
std::uint64_t LineEnds64(const char* p) {
    const __m256i a = Avx2Ops::Load(p), b = Avx2Ops::Load(p + 32);
    return Avx2Ops::EndMask(a) | Avx2Ops::EndMask(b) << 32;
}

// Where the lines end does not depend on the lines before: the ends of each 64 bytes are found
// at once and taken bit by bit, so the walk from line to line is a few cycles, not a load and a
// search that wait for the line before (which is what a line-by-line scan costs). Each line is
// copied 64 bytes at a time (past its end too: the next line's bytes overwrite those), then its
// key, its last byte and CR LF go in one four-byte store. The last 128 bytes, where a copy could
// read past the end, go through the line-by-line loop.
std::size_t ScrambleLinesAvx2(const char* in, std::size_t n, char* out, KeyGenerator& keys) {
    std::size_t size = 0, start = 0;  // start: where the current line begins
    bool skipFirst = false;           // the LF of a CR LF that ended the last 64 bytes
    for (std::size_t block = 0; block + 128 <= n; block += 64) {
        std::uint64_t ends = LineEnds64(in + block) & ~static_cast<std::uint64_t>(skipFirst);
        skipFirst = false;
        while (ends) {
            const std::size_t e = block + static_cast<std::size_t>(__builtin_ctzll(ends));
            ends &= ends - 1;
            const std::size_t length = e - start;
            if (length) {
                const auto k = static_cast<unsigned char>(keys.NextKey());
                const __m256i kk = Avx2Ops::Key(k);
                for (std::size_t i = 0;; i += 64) {
                    Avx2Ops::Store(out + size + i, Avx2Ops::Add(Avx2Ops::Load(in + start + i), kk));
                    Avx2Ops::Store(out + size + i + 32, Avx2Ops::Add(Avx2Ops::Load(in + start + i + 32), kk));
                    if (i + 64 >= length) break;
                }
                // key, last byte + key, CR, LF (little-endian)
                const auto last = static_cast<unsigned char>(static_cast<unsigned char>(in[e - 1]) + k);
                const std::uint32_t tail = k | static_cast<std::uint32_t>(last) << 8 | 0x0a0d0000u;
                std::memcpy(out + size + length - 1, &tail, 4);
                size += length + 3;
            } else {
                out[size] = '\r';
                out[size + 1] = '\n';
                size += 2;
            }
            if (in[e] == '\r' && in[e + 1] == '\n') {  // e + 1 < n: at most block + 64
                start = e + 2;
                const std::size_t lf = e + 1 - block;
                if (lf < 64)
                    ends &= ~(1ull << lf);
                else
                    skipFirst = true;
            } else {
                start = e + 1;
            }
        }
    }
    if (start < n) size += ScrambleLinesWith<32, Avx2Ops>(in + start, n - start, out + size, keys);
    return size;
}

// The line starts (see CountLineStarts) of the whole 64-byte blocks of in[0, n), 64 bytes at a
// time; `done` is left at the end of the last whole block.
std::uint64_t CountLineStartsAvx2(const char* in, std::size_t n, bool& afterEnd, std::size_t& done) {
    std::uint64_t count = 0, carry = afterEnd;
    std::size_t i = 0;
    for (; i + 64 <= n; i += 64) {
        const std::uint64_t ends = LineEnds64(in + i);
        count += static_cast<std::uint64_t>(__builtin_popcountll(~ends & (ends << 1 | carry)));
        carry = ends >> 63;
    }
    afterEnd = carry != 0;
    done = i;
    return count;
}
#pragma GCC pop_options
#endif
#pragma GCC diagnostic pop

// Scrambles the lines of in[0, n) into out (room for 2 n + 32 bytes), each line followed
// by CR LF; the last line may lack its line end (the end of the file). Returns the output's size.
// One pass, a vector at a time: each non-empty line's bytes are shifted as they are copied; at
// its end the last byte moves up one place and the key goes before it. (The vector stores may
// write up to a vector past the end of the line; the next line overwrites those bytes.)
std::size_t ScrambleLines(const char* in, std::size_t n, char* out, KeyGenerator& keys) {
#if defined(__x86_64__)
    static const bool avx2 = __builtin_cpu_supports("avx2");
    if (avx2) return ScrambleLinesAvx2(in, n, out, keys);
    return ScrambleLinesWith<16, Sse2Ops>(in, n, out, keys);
#else
    return ScrambleLinesWith<8, WordOps>(in, n, out, keys);
#endif
}

// The end of the last whole line of buf[0, n) when more bytes follow: just after its line end.
// A CR as the last byte is not known to end a line alone until the next byte (an LF?) is seen.
std::size_t WholeLinesEnd(const char* buf, std::size_t n) {
    std::size_t i = n > 0 && buf[n - 1] == '\r' ? n - 1 : n;
    while (i > 0 && buf[i - 1] != '\n' && buf[i - 1] != '\r') --i;
    return i;
}

// The compiled file's name for a source name on disk: bytes intact (a name that is not UTF-8 or
// holds a '\\' stays as it is), with the extension ".QKC".
std::string CompiledName(const fs::path& source) {
    std::string name = source.filename().native();
    const auto dot = name.rfind('.');
    if (dot != std::string::npos) name.resize(dot);
    return name + ".QKC";
}

// The compiled file beside the source; an existing file of that name in another letter case
// is replaced.
fs::path CompiledChapterPath(const fs::path& source) {
    const std::string name = CompiledName(source);
    const fs::path folder = source.has_parent_path() ? source.parent_path() : fs::path(".");
    if (auto found = FindEntryIgnoringCase(folder, DiskNameToCp1252(name))) return *found;
    return folder / name;
}

// A compiled chapter written and not yet committed: dropped, it leaves nothing behind.
struct WrittenChapter {
    TutorialFolder::Replacement file;
    WrittenChapter(const TutorialFolder& folder, const fs::path& compiled) : file(folder.StartReplacement(compiled)) {}
};

// Compiles the chapter `source` of `folder` into a replacement of `compiled`, still to be
// committed; nullptr for a chapter without lines. The source is read in blocks whose whole lines
// are scrambled and written to the replacement; a line longer than a block grows the block.
// A chapter that leads out of the folder throws OutsideFolderError.
std::unique_ptr<WrittenChapter> WriteChapter(const TutorialFolder& folder, const fs::path& source,
                                             const fs::path& compiled, KeyGenerator& keys, ChapterBuffers& buffers) {
    const Fd input{folder.OpenRead(source)};
    auto fail = [&](int err) -> void {
        throw IoError("Cannot read the file " + DisplayName(source) + ": " + std::strerror(err));
    };
    struct stat st{};
    if (::fstat(input.fd, &st) != 0) fail(errno);
    if (static_cast<std::uint64_t>(st.st_size) > kMaxFileBytes)
        throw IoError(TooLargeMessage(source, static_cast<std::uint64_t>(st.st_size), kMaxFileBytes));
    std::size_t held = 0;    // bytes of a line not yet whole, at the start of the input buffer
    std::uint64_t total = 0;  // bytes read in all, against the size limit
    char* in = nullptr;
    auto readMore = [&]() -> std::size_t {
        in = buffers.input(std::max<std::size_t>(kCompileBlockBytes, held + held / 2 + 1), held);
        ssize_t got;
        do got = ::read(input.fd, in + held, buffers.inputCapacity() - held);
        while (got < 0 && errno == EINTR);
        if (got < 0) fail(errno);
        total += static_cast<std::uint64_t>(got);
        if (total > kMaxFileBytes) throw IoError(TooLargeMessage(source, total, kMaxFileBytes));
        return static_cast<std::size_t>(got);
    };
    std::size_t got = readMore();
    if (got == 0) return nullptr;  // no lines at all
    auto written = std::make_unique<WrittenChapter>(folder, compiled);
    TutorialFolder::Replacement& output = written->file;
    for (;;) {
        const std::size_t n = held + got;
        const bool end = got == 0;
        const std::size_t whole = end ? n : WholeLinesEnd(in, n);
        if (whole > 0) {
            // A line grows by its key byte and its line end becomes CR LF: at most twice the
            // bytes (a run of LF alone), plus three for a last line without a line end; the
            // word-wide stores write at most a word beyond, which that doubling leaves room for.
            char* out = buffers.output(2 * whole + 32);
            output.Write(std::string_view(out, ScrambleLines(in, whole, out, keys)));
            held = n - whole;
            if (held) std::memmove(in, in + whole, held);
        } else {
            held = n;
        }
        if (end) break;
        got = readMore();
    }
    return written;
}

// Compiles and commits the chapter: its compiled file takes the old one's place only once the
// whole chapter is written (a chapter without lines, false, leaves it as it was).
bool CompileChapterWith(const TutorialFolder& folder, const fs::path& source, const fs::path& compiled,
                        KeyGenerator& keys, ChapterBuffers& buffers) {
    const auto written = WriteChapter(folder, source, compiled, keys, buffers);
    if (!written) return false;
    written->file.Commit(Durability::Regenerable);
    return true;
}

// The bytes of in[0, n) that begin a run of bytes other than CR and LF: the non-empty lines that
// begin there. afterEnd tells whether the byte before in[0] ended a line (or there was none),
// and is left telling it of in[n - 1].
std::uint64_t CountLineStarts(const char* in, std::size_t n, bool& afterEnd) {
    std::uint64_t count = 0;
    std::size_t i = 0;
#if defined(__x86_64__)
    static const bool avx2 = __builtin_cpu_supports("avx2");
    if (avx2) count = CountLineStartsAvx2(in, n, afterEnd, i);
#endif
    for (; i < n; ++i) {
        const bool end = in[i] == '\r' || in[i] == '\n';
        count += afterEnd && !end;
        afterEnd = end;
    }
    return count;
}

// The keys a compile of `source` draws: one for each non-empty line, that is for each run of
// bytes that are neither CR nor LF. A chapter that cannot be read counts none: its compile fails
// the same way, before it draws any.
std::uint64_t CountKeys(const TutorialFolder& folder, const fs::path& source, ChapterBuffers& buffers) {
    try {
        const Fd input{folder.OpenRead(source)};
        char* buf = buffers.input(kCompileBlockBytes, 0);
        std::uint64_t count = 0;
        bool afterEnd = true;
        for (;;) {
            const ssize_t got = ::read(input.fd, buf, buffers.inputCapacity());
            if (got < 0 && errno == EINTR) continue;
            if (got <= 0) return count;
            count += CountLineStarts(buf, static_cast<std::size_t>(got), afterEnd);
        }
    } catch (const std::exception&) {
        return 0;
    }
}

// How each chapter of a compile run went.
struct ChapterOutcome {
    bool compiled = false;
    std::exception_ptr error;  // a failure other than leading out of the folder
};

// A compile run's chapters, compiled two at a time: each chapter whole on one thread, so that its
// bytes stay in that processor's cache from the read to the write.
// - A chapter's keys go on from where the chapter before it left the generator, so a chapter starts
//   only once the keys of those before it are counted: the calling thread reads ahead through the
//   chapters counting their non-empty lines (several times faster than compiling them) and skips
//   the generator ahead by each count. Meanwhile it reports the chapters begun, in order.
// - Chapters are settled in order: a compiled chapter takes its old file's place only after every
//   chapter before it is settled, and a failure (other than a chapter leading out of the folder)
//   is taken only in its turn and stops the run. What ends on the disk is what compiling the
//   chapters one after the other leaves: those before a failure compiled, those after it not.
class ChapterRun {
public:
    ChapterRun(const TutorialFolder& folder, const std::vector<ListedName>& chapters,
               const std::vector<fs::path>& compiled, KeyGenerator& keys, const CompileProgress& progress)
        : folder_(folder), chapters_(chapters), compiled_(compiled), keys_(keys), progress_(progress),
          outcomes_(chapters.size()), seeds_(chapters.size() + 1) {
        seeds_[0] = keys.seed();
    }
    ChapterRun(const ChapterRun&) = delete;
    ChapterRun& operator=(const ChapterRun&) = delete;
    // Stops the threads (when a progress report threw) and waits for them.
    ~ChapterRun() {
        {
            std::lock_guard lock(mutex_);
            stop_ = true;
        }
        changed_.notify_all();
        for (auto& t : threads_) t.join();
    }

    const std::vector<ChapterOutcome>& Run() {
        if (chapters_.empty()) return outcomes_;
        // Each thread opens the folder for itself; the copies are made before any thread runs.
        folders_.assign(std::min<std::size_t>(2, chapters_.size()), folder_);
        try {
            for (auto& f : folders_) threads_.emplace_back([this, &f] { Work(f); });
        } catch (const std::system_error&) {
            // No (further) thread can be started here: those that run do the work.
        }
        if (threads_.empty()) {
            RunOnCaller();
            return outcomes_;
        }
        ChapterBuffers buffers;
        KeyGenerator ahead = keys_;
        std::unique_lock lock(mutex_);
        for (std::size_t i = 0; i < chapters_.size() && !stop_; ++i) {
            lock.unlock();
            ahead.Skip(CountKeys(folder_, chapters_[i].path, buffers));
            lock.lock();
            seeds_[i + 1] = ahead.seed();
            known_ = i + 2;
            changed_.notify_all();
            Report(lock);
        }
        while (ended_ < threads_.size()) {
            changed_.wait(lock, [&] { return ended_ == threads_.size() || reported_ < next_; });
            Report(lock);
        }
        if (known_ == seeds_.size()) keys_ = KeyGenerator(seeds_.back());
        return outcomes_;
    }

private:
    void Work(const TutorialFolder& folder) {
        ChapterBuffers buffers;
        std::unique_lock lock(mutex_);
        while (!stop_ && next_ < chapters_.size()) {
            const std::size_t i = next_++;
            changed_.notify_all();
            changed_.wait(lock, [&] { return stop_ || known_ > i; });
            if (stop_) break;
            KeyGenerator keys(seeds_[i]);
            lock.unlock();
            std::unique_ptr<WrittenChapter> written;
            std::exception_ptr error;
            try {
                written = WriteChapter(folder, chapters_[i].path, compiled_[i], keys, buffers);
            } catch (const OutsideFolderError&) {
            } catch (...) {
                error = std::current_exception();
            }
            lock.lock();
            // The chapter's turn: every chapter before it settled.
            changed_.wait(lock, [&] { return stop_ || settled_ == i; });
            if (!stop_) {
                if (written && !error) {
                    lock.unlock();  // settled_ == i: no other commit goes on meanwhile
                    try {
                        written->file.Commit(Durability::Regenerable);
                        outcomes_[i].compiled = true;
                    } catch (...) {
                        error = std::current_exception();
                    }
                    lock.lock();
                }
                outcomes_[i].error = error;
                if (error) stop_ = true;
                settled_ = i + 1;
                changed_.notify_all();
            }
            // Let go of the chapter (and free the old compiled file it replaced) outside the turn.
            lock.unlock();
            written.reset();
            lock.lock();
        }
        ++ended_;
        changed_.notify_all();
    }

    // Reports the chapters begun since the last report (the lock is let go for the call).
    void Report(std::unique_lock<std::mutex>& lock) {
        while (reported_ < next_) {
            const std::size_t i = reported_++;
            if (!progress_) continue;
            lock.unlock();
            progress_(i, chapters_.size(), chapters_[i].name);
            lock.lock();
        }
    }

    // One chapter after the other on the caller's thread, drawing from the caller's generator.
    void RunOnCaller() {
        ChapterBuffers buffers;
        for (std::size_t i = 0; i < chapters_.size(); ++i) {
            if (progress_) progress_(i, chapters_.size(), chapters_[i].name);
            try {
                outcomes_[i].compiled = CompileChapterWith(folder_, chapters_[i].path, compiled_[i], keys_, buffers);
            } catch (const OutsideFolderError&) {
            } catch (...) {
                outcomes_[i].error = std::current_exception();
                return;
            }
        }
    }

    const TutorialFolder& folder_;
    const std::vector<ListedName>& chapters_;
    const std::vector<fs::path>& compiled_;
    KeyGenerator& keys_;
    const CompileProgress& progress_;
    std::vector<ChapterOutcome> outcomes_;
    std::vector<TutorialFolder> folders_;
    std::vector<std::thread> threads_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::uint32_t> seeds_;  // the generator before chapter i, known for i < known_
    std::size_t known_ = 1;
    std::size_t next_ = 0;      // the next chapter to begin
    std::size_t reported_ = 0;  // chapters reported as begun
    std::size_t settled_ = 0;   // chapters settled, in order
    std::size_t ended_ = 0;     // threads that ended
    bool stop_ = false;
};

}  // namespace

bool CompileChapter(const fs::path& source, KeyGenerator& keys) {
    const TutorialFolder folder(source.has_parent_path() ? source.parent_path() : fs::path("."));
    ChapterBuffers buffers;
    return CompileChapterWith(folder, source, CompiledChapterPath(source), keys, buffers);
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
    // read: it fails like a chapter without lines. The folder is opened once and listed once for
    // the compiled files already there (found ignoring case, to be replaced).
    const auto chapters = ListFilesByMask(project.ProjectDir, project.ProjectName + "*.QKS");
    std::unordered_map<std::string, std::vector<fs::path>> compiledFiles;  // by upper-cased name
    for (auto& c : ListFilesByMask(project.ProjectDir, project.ProjectName + "*.QKC"))
        compiledFiles[UpperCaseCp1252(c.name)].push_back(std::move(c.path));
    std::vector<fs::path> compiled;
    compiled.reserve(chapters.size());
    for (const auto& chapter : chapters) {
        const std::string name = CompiledName(chapter.path);
        // The file of exactly that name, else the first of another letter case, else a new one.
        fs::path path = chapter.path.parent_path() / name;
        const auto known = compiledFiles.find(UpperCaseCp1252(DiskNameToCp1252(name)));
        if (known != compiledFiles.end() &&
            std::find(known->second.begin(), known->second.end(), path) == known->second.end())
            path = known->second.front();
        compiled.push_back(std::move(path));
    }
    const TutorialFolder folder(project.ProjectDir);
    ChapterRun run(folder, chapters, compiled, keys, progress);
    const auto& outcomes = run.Run();
    std::string lastFailed;
    bool failed = false;
    for (std::size_t i = 0; i < outcomes.size(); ++i) {
        if (outcomes[i].error) std::rethrow_exception(outcomes[i].error);
        if (!outcomes[i].compiled) {
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
