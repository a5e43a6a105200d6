#pragma once
// Pieces the libFuzzer targets share: a private scratch folder for the readers that take a file,
// and a failure that stops the fuzzer with a message.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace quill::fuzz {

[[noreturn]] inline void Fail(const char* target, const char* what) {
    std::fprintf(stderr, "%s fuzz: %s\n", target, what);
    __builtin_trap();
}

// One scratch folder per fuzzer process, removed at exit.
inline const std::filesystem::path& Scratch() {
    static const std::filesystem::path folder = [] {
        std::string tmpl = (std::filesystem::temp_directory_path() / "quillfuzz-XXXXXX").string();
        if (!::mkdtemp(tmpl.data())) std::abort();
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(Scratch(), ec);
        });
        return std::filesystem::path(tmpl);
    }();
    return folder;
}

inline std::filesystem::path WriteScratch(std::string_view name, std::string_view bytes) {
    const auto file = Scratch() / name;
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return file;
}

}  // namespace quill::fuzz
