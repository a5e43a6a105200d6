// libFuzzer target for compiled tutorials: the compiler's fast path (eight bytes at a time) must
// give exactly the line-by-line scrambling, and every compiled line must read back as its
// source line; any bytes read as a compiled chapter or as a compiled data file (.QKD), through
// the tutorial folder as the learner's player reads them, must not crash the readers.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "build/compiled_tutorial.h"
#include "build/compiler.h"
#include "fuzz_support.h"
#include "text/errors.h"
#include "text/text_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // Any bytes as compiled lines.
    for (const std::string& line : quill::SplitLines(bytes)) quill::UnscrambleLine(line);
    try {
        quill::UnscrambleChapter(bytes, "T1.QKC");
    } catch (const quill::IoError&) {
    }
    // The bytes as the compiled data file of a distribution, and played from as a source.
    try {
        const auto data = quill::ReadCompiledDataFile(quill::fuzz::WriteScratch("T.QKD", bytes));
        quill::CompiledSource source(quill::fuzz::Scratch(), data.entries);
        std::vector<std::string> list;
        source.LoadEntry("x", "HYPER", list);
        source.ListEntryNames(list, "HYPER");
        source.LoadIntroduction(list);
        std::string colour;
        source.LoadWindowText("x", colour, list);
    } catch (const quill::IoError&) {
    }

    // The bytes as a chapter source.
    const auto source = quill::fuzz::WriteScratch("T1.QKS", bytes);
    quill::KeyGenerator fast, slow;
    const std::uint32_t seed = size ? data[0] : 0;
    for (std::uint32_t i = 0; i < seed; ++i) {
        fast.NextKey();
        slow.NextKey();
    }
    try {
        const bool compiled = quill::CompileChapter(source, fast);
        if (compiled != !bytes.empty()) quill::fuzz::Fail("compiled chapter", "compile result does not fit the source");
        if (!compiled) return 0;
        std::vector<std::string> lines = quill::SplitLines(bytes);
        std::vector<std::string> expected = lines;
        for (std::string& l : expected) quill::ScrambleLine(l, slow);
        const std::string written = quill::ReadFileBytes(quill::fuzz::Scratch() / "T1.QKC");
        if (written != quill::JoinLinesCrLf(expected))
            quill::fuzz::Fail("compiled chapter", "the compiled file differs from the line-by-line form");
        if (fast.seed() != slow.seed()) quill::fuzz::Fail("compiled chapter", "keys drawn differ");
        for (std::size_t i = 0; i < lines.size(); ++i)
            if (quill::UnscrambleLine(expected[i]) != lines[i])
                quill::fuzz::Fail("compiled chapter", "a line does not read back");
    } catch (const quill::IoError&) {
    }
    return 0;
}
