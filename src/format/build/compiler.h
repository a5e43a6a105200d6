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
    int NextKey() {
        seed_ = seed_ * 134775813u + 1u;
        return static_cast<int>((5ull * seed_) >> 32) + 1;
    }
    std::uint32_t seed() const { return seed_; }

private:
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

// Compiles the chapter source into NameOnly(source) + ".QKC" beside it (an existing file of that
// name in any letter case is replaced). A source without any line gives false and writes
// nothing. Read and write failures throw IoError.
bool CompileChapter(const std::filesystem::path& source, KeyGenerator& keys);
// The compiler reads a chapter in blocks of this size (a line longer than a block is read whole).
// Each block is handed to a writer thread while the next is scrambled: large enough that the
// hand-over (a wake-up on each side) is rare, small enough that the blocks in flight stay in the processor's cache.
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
// Called before each chapter is compiled: (index from 0, count, bare name).
using CompileProgress = std::function<void(std::size_t, std::size_t, const std::string&)>;
BuildMessages CompileAllCommand(const Project& project, KeyGenerator& keys,
                                const CompileProgress& progress = {});

}  // namespace quill
