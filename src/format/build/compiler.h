#pragma once
// The compiler: a compiled chapter (.QKC) for each chapter source (.QKS), whose lines are
// shifted by a per-line key carried inside the line, and the compiled data file (.QKD): the
// configuration record followed by the compiled image of the tutorial data file.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "build/messages.h"
#include "project/project.h"

namespace quill {

// The key generator: a 32-bit linear congruential generator. The application session owns one,
// seeded 0 when the program starts and never reseeded; the compiler draws one key per
// non-empty line, in line order, across every chapter compiled in the run. Keys are 1..5; the
// first ten are 1, 1, 5, 2, 2, 4, 2, 1, 2, 3.
class KeyGenerator {
public:
    KeyGenerator() = default;
    explicit KeyGenerator(std::uint32_t seed) : seed_(seed) {}
    int NextKey() {
        seed_ = seed_ * kMultiplier + kIncrement;
        return static_cast<int>((5ull * seed_) >> 32) + 1;
    }
    // Moves on as n calls of NextKey would, in a few steps: n steps of s -> a s + c make one
    // step s -> A s + C, built by squaring.
    void Skip(std::uint64_t n) {
        std::uint32_t a = kMultiplier, c = kIncrement, totalA = 1, totalC = 0;
        for (; n; n >>= 1) {
            if (n & 1) {
                totalA *= a;
                totalC = totalC * a + c;
            }
            c = c * a + c;
            a *= a;
        }
        seed_ = seed_ * totalA + totalC;
    }
    std::uint32_t seed() const { return seed_; }

private:
    static constexpr std::uint32_t kMultiplier = 134775813u, kIncrement = 1u;
    std::uint32_t seed_ = 0;
};

// A non-empty line c1..cn with key K becomes (c1+K)..(c(n-1)+K), K, (cn+K), every addition
// modulo 256; an empty line stays empty. Shifted bytes are not escaped: a CR or LF byte can
// appear inside the result.
void ScrambleLine(std::string& line, int key);
// Draws the key from the generator (none for an empty line).
void ScrambleLine(std::string& line, KeyGenerator& keys);
// The reverse, as the runtime player reads a line: the byte before the last is the key.
std::string UnscrambleLine(std::string_view line);
// Appends the unscrambled form of a line to `out` (nothing for a line without room for a key).
void AppendUnscrambled(std::string& out, std::string_view line);

// Compiles the chapter source into NameOnly(source) + ".QKC" beside it (an existing file of that
// name in any letter case is replaced). A source without any line gives false and writes
// nothing. Read and write failures throw IoError.
bool CompileChapter(const std::filesystem::path& source, KeyGenerator& keys);
// The compiler reads a chapter in blocks of this size (a line longer than a block is read whole)
// and writes each block's scrambled lines at once: large enough that the calls to the system
// are few, small enough that a block stays in the processor's cache from the read to the write.
inline constexpr std::size_t kCompileBlockBytes = 1u << 20;

// The bytes of the compiled data file: the 7128-byte record in memory, then the compiled image
// of the data file when the project has one.
std::string CompiledDataFileBytes(const Project& project);
// Writes ProjectName + ".QKD" in the project folder (replacing it atomically) and returns true.
bool CompileDataFile(const Project& project);

// The three actions of the compile dialog, with their messages.
// chapterName is the bare name chosen in the chapter chooser; an empty name does nothing.
BuildMessages CompileOneChapterCommand(const Project& project, KeyGenerator& keys,
                                       std::string_view chapterName);
BuildMessages CompileDataCommand(const Project& project);
// Called on the caller's thread as each chapter is begun, in order: (index from 0, count, bare
// name).
using CompileProgress = std::function<void(std::size_t, std::size_t, const std::string&)>;
// Compiles the data file and every chapter of the project. Chapters are compiled two at a time
// where threads can be started; the compiled files and the keys drawn are those of compiling
// them one after the other.
BuildMessages CompileAllCommand(const Project& project, KeyGenerator& keys,
                                const CompileProgress& progress = {});

}  // namespace quill
