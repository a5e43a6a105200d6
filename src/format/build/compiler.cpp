#include "build/compiler.h"

#include "datafile/data_file.h"
#include "datafile/line_cursor.h"
#include "project/file_names.h"
#include "text/cp1252.h"
#include "text/file_lookup.h"
#include "text/text_file.h"

namespace quill {

namespace fs = std::filesystem;

namespace {

const char* const kUseQuilplay = "\r\n\r\nUse Quilplay to display the compiled Tutorial.";

// Appends the scrambled form of a non-empty line.
void AppendScrambled(std::string& out, std::string_view line, int key) {
    const std::size_t n = line.size();
    const std::size_t start = out.size();
    out.resize(start + n + 1);
    char* dst = out.data() + start;
    const auto k = static_cast<unsigned char>(key);
    for (std::size_t i = 0; i + 1 < n; ++i)
        dst[i] = static_cast<char>(static_cast<unsigned char>(line[i]) + k);
    dst[n - 1] = static_cast<char>(k);
    dst[n] = static_cast<char>(static_cast<unsigned char>(line[n - 1]) + k);
}

}  // namespace

void ScrambleLine(std::string& line, int key) {
    if (line.empty()) return;
    std::string out;
    out.reserve(line.size() + 1);
    AppendScrambled(out, line, key);
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

bool CompileChapter(const fs::path& source, KeyGenerator& keys) {
    const std::string text = ReadFileBytes(source);
    if (text.empty()) return false;  // no lines at all
    std::string out;
    out.reserve(text.size() + text.size() / 16 + 64);
    LineCursor cursor(text);
    std::string_view line;
    while (cursor.next(line)) {
        if (!line.empty()) AppendScrambled(out, line, keys.NextKey());
        out += "\r\n";
    }
    const std::string name = NameOnly(DiskNameToCp1252(source.filename())) + ".QKC";
    const fs::path folder = source.has_parent_path() ? source.parent_path() : fs::path(".");
    WriteFileAtomic(ResolveInFolder(folder, name), out);
    return true;
}

std::string CompiledDataFileBytes(const Project& project) {
    std::string bytes(reinterpret_cast<const char*>(project.Config.bytes().data()),
                      TTutorialConfig::Size);
    if (!project.DataFileName.empty()) {
        if (auto image = CompiledDataImage(project.DataFilePath())) bytes += *image;
    }
    return bytes;
}

bool CompileDataFile(const Project& project) {
    WriteFileAtomic(project.FilePath(project.ProjectName + ".QKD"), CompiledDataFileBytes(project));
    return true;
}

BuildMessages CompileOneChapterCommand(const Project& project, KeyGenerator& keys,
                                       std::string_view chapterName) {
    if (chapterName.empty()) return {};
    if (CompileChapter(project.FilePath(chapterName), keys))
        return {{BuildMessage::Kind::Info,
                 "The Tutorial Chapter File " + UpperAscii(NameOnly(chapterName) + ".QKC") +
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
    if (!CompileDataFile(project))
        return {{BuildMessage::Kind::Error, "Unable to compile the Tutorial Data File."}};
    const auto chapters = ListByMask(project.ProjectDir, project.ProjectName + "*.QKS");
    std::string lastFailed;
    bool failed = false;
    for (std::size_t i = 0; i < chapters.size(); ++i) {
        if (progress) progress(i, chapters.size(), chapters[i]);
        if (!CompileChapter(project.ProjectDir / Cp1252ToPath(chapters[i]), keys)) {
            failed = true;
            lastFailed = chapters[i];
        }
    }
    if (failed)
        return {{BuildMessage::Kind::Error,
                 "Unable to compile the Tutorial Chapter File " + lastFailed + "."}};
    return {{BuildMessage::Kind::Info,
             std::string("The Tutorial has been compiled successfully.") + kUseQuilplay}};
}

}  // namespace quill
