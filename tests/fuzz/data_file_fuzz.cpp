// libFuzzer target for the tutorial data file: the bytes are a data file; every reader and the
// compiled image must take them, the image must hold what its header says, and a rewrite must
// keep the entries it did not touch.
#include <cstdint>
#include <string>
#include <string_view>

#include "datafile/data_file.h"
#include "fuzz_support.h"
#include "text/byte_io.h"
#include "text/errors.h"
#include "text/text_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto file = quill::fuzz::WriteScratch("T.QKR", bytes);
    try {
        for (std::string_view source : {quill::kSourceHyper, quill::kSourceExecute, quill::kSourceUtility,
                                        quill::kSourceWinText, quill::kSourceIntro}) {
            quill::HasEntryOfSource(file, source);
            quill::TextLines names;
            quill::ListEntryNames(names, file, source);
            const auto entries = quill::LoadEntriesOfSource(file, source);
            // A listed entry whose source line LoadEntry reads otherwise ("sourcesource=HYPER")
            // is listed but not loaded, by both readers alike.
            std::size_t loaded = 0;
            for (std::size_t i = 0; i < names.size(); ++i) {
                quill::TextLines entry;
                if (!quill::LoadEntry(file, names[i], source, entry)) continue;
                ++loaded;
                if (i >= 8) continue;
                quill::TScreenBackground settings;
                quill::TextLines text;
                quill::ParseTextEntry(entry, settings, text);
            }
            // The entry scan takes the line after a header as its source line; the lookup of
            // one name may take such a line ("[" right after a header) as a header of its own.
            // So in a file written that way the lookup can find an entry the scan does not.
            if (entries.size() > loaded) quill::fuzz::Fail("data file", "the scan loads an entry the lookup does not");
        }
        quill::TextLines text;
        quill::LoadIntroduction(file, text);
        std::string color;
        quill::LoadWindowText(file, "x", color, text);

        const std::string image = quill::BuildCompiledImage(bytes);
        const auto raw = reinterpret_cast<const std::uint8_t*>(image.data());
        const quill::ByteReader reader({raw, image.size()});
        if (image.size() < quill::kImageHeaderSize) quill::fuzz::Fail("data file", "image shorter than its header");
        // The magic is a string[4] (a length byte and four characters), then the two numbers.
        const std::uint32_t count = reader.u32(5), index = reader.u32(9);
        // An image without entries is the header alone (its index offset is left 0).
        if (count > 0 && index + std::uint64_t(count) * quill::kImageIndexRecordSize != image.size())
            quill::fuzz::Fail("data file", "the image's index does not end the image");
        if (!quill::PackDataFile(file, "$$$")) quill::fuzz::Fail("data file", "PackDataFile found no file");
        if (quill::ReadFileBytes(quill::fuzz::Scratch() / "T.$$$") != image)
            quill::fuzz::Fail("data file", "PackDataFile wrote another image");

        // A rewrite: an entry added under a new name and removed again leaves the others as
        // they were.
        quill::TextLines before;
        quill::ListEntryNames(before, file, quill::kSourceHyper);
        quill::ModifyCommandEntry(file, "fuzz new", "fuzz old", quill::kSourceHyper, "c.txt", 3);
        quill::DeleteEntry(file, "fuzz new", quill::kSourceHyper);
        quill::TextLines after;
        quill::ListEntryNames(after, file, quill::kSourceHyper);
        std::erase(before, std::string("fuzz new"));
        if (before != after) quill::fuzz::Fail("data file", "a rewrite changed other entries");
    } catch (const quill::IoError&) {
    } catch (const quill::FormatError&) {
    }
    return 0;
}
