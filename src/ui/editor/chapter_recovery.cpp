#include "editor/chapter_recovery.h"

#include "common/editor_text.h"
#include "project/file_names.h"
#include "project/tutorial_folder.h"
#include "text/errors.h"
#include "text/cp1252.h"
#include "text/file_lookup.h"
#include "text/text_file.h"

namespace quill {

namespace fs = std::filesystem;

ChapterRecovery::ChapterRecovery(fs::path projectDir) : projectDir_(std::move(projectDir)) {}

void ChapterRecovery::setChapter(const std::string& chapterFile) { chapter_ = chapterFile; }

fs::path ChapterRecovery::file() const {
    const std::string name = chapter_.empty() ? std::string("untitled.QKS") : NameOnly(chapter_) + ".QKS";
    return projectDir_ / kFolder / Cp1252ToPath(UpperCaseCp1252(name));
}

bool ChapterRecovery::write(const QString& text) const {
    // Through the tutorial folder: a received folder may hold a ".quillmark-recovery" that is a
    // link, or files in it that are; nothing is written, read or removed through one.
    const TutorialFolder folder(projectDir_);
    refused_ = false;
    std::error_code ec;
    if (fs::is_symlink(fs::symlink_status(projectDir_ / kFolder, ec))) {
        refused_ = true;
        return false;
    }
    std::string bytes;
    for (const std::string& line : ChapterLines(text)) bytes += line + "\r\n";
    try {
        folder.MakeFolders(projectDir_ / kFolder);
        folder.Replace(file(), bytes);
    } catch (const IoError&) {
        return false;  // a read-only folder: the editor goes on without recovery
    }
    return true;
}

std::optional<QString> ChapterRecovery::read() const {
    const TutorialFolder folder(projectDir_);
    std::error_code ec;
    if (fs::is_symlink(fs::symlink_status(projectDir_ / kFolder, ec))) return std::nullopt;
    const fs::path kept = file();
    const auto status = fs::symlink_status(kept, ec);
    if (!fs::is_regular_file(status)) return std::nullopt;  // missing, a link, a device
    try {
        return ChapterTextFromBytes(folder.Read(kept));
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

void ChapterRecovery::remove() const {
    const TutorialFolder folder(projectDir_);
    std::error_code ec;
    if (!fs::is_directory(fs::symlink_status(projectDir_ / kFolder, ec))) return;  // none, or a link: left alone
    try {
        folder.Remove(file());
    } catch (const IoError&) {
    }
    fs::remove(projectDir_ / kFolder, ec);  // only when empty
}

}  // namespace quill
