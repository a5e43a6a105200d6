// libFuzzer target for compiled chapters: the compiler's fast path (eight bytes at a time) must
// give exactly the line-by-line scrambling, and every compiled line must read back as its
// source line; any bytes read as a compiled line must not crash the reader.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "build/compiler.h"
#include "fuzz_support.h"
#include "text/errors.h"
#include "text/text_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // Any bytes as compiled lines.
    for (const std::string& line : quill::SplitLines(bytes)) quill::UnscrambleLine(line);

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
