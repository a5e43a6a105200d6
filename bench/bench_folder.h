#pragma once
// A temporary folder for a benchmark's generated data, removed when the program ends.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace quill::bench {

class BenchFolder {
public:
    BenchFolder() {
        std::string tmpl = (std::filesystem::temp_directory_path() / "quillbench-XXXXXX").string();
        if (!::mkdtemp(tmpl.data())) std::abort();
        path_ = tmpl;
    }
    ~BenchFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    BenchFolder(const BenchFolder&) = delete;
    BenchFolder& operator=(const BenchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

    void write(std::string_view name, std::string_view bytes) const {
        const auto file = path_ / name;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }

private:
    std::filesystem::path path_;
};

// Plain copy with a read/write loop (1 MB blocks), the baseline of the file-writing benchmarks.
inline void PlainCopy(const std::filesystem::path& from, const std::filesystem::path& to) {
    std::ifstream in(from, std::ios::binary);
    std::ofstream out(to, std::ios::binary | std::ios::trunc);
    static thread_local std::string buf(1 << 20, '\0');
    while (in) {
        in.read(buf.data(), static_cast<std::streamsize>(buf.size()));
        out.write(buf.data(), in.gcount());
    }
}

}  // namespace quill::bench
