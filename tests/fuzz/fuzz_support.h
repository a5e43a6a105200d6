#pragma once
// Pieces the libFuzzer targets share: a private scratch folder for the readers that take a file,
// and a failure that stops the fuzzer with a message.
#include <signal.h>
#include <unistd.h>

#include <cerrno>
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

// One scratch folder per fuzzer process: /tmp/quillfuzz-PID. libFuzzer often ends a process
// without running exit handlers, so each new process first removes the folders of processes
// that have ended.
inline const std::filesystem::path& Scratch() {
    static const std::filesystem::path folder = [] {
        namespace fs = std::filesystem;
        const fs::path tmp = fs::temp_directory_path();
        std::error_code ec;
        for (const auto& e : fs::directory_iterator(tmp, ec)) {
            const std::string name = e.path().filename().string();
            if (!name.starts_with("quillfuzz-")) continue;
            const int pid = std::atoi(name.c_str() + 10);
            if (pid > 0 && ::kill(pid, 0) != 0 && errno == ESRCH) fs::remove_all(e.path(), ec);
        }
        const fs::path mine = tmp / ("quillfuzz-" + std::to_string(::getpid()));
        fs::remove_all(mine, ec);
        fs::create_directories(mine);
        return mine;
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
