#include "editor/chapter_recovery.h"

#include <QSaveFile>

#include "editor/edit_form.h"
#include "project/file_names.h"
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
    std::error_code ec;
    fs::create_directories(projectDir_ / kFolder, ec);
    if (ec) return false;
    std::string bytes;
    for (const std::string& line : ChapterLines(text)) bytes += line + "\r\n";
    QSaveFile out(QString::fromStdString(file().string()));
    if (!out.open(QIODevice::WriteOnly)) return false;
    out.write(bytes.data(), static_cast<qint64>(bytes.size()));
    return out.commit();
}

std::optional<QString> ChapterRecovery::read() const {
    std::error_code ec;
    if (!fs::is_regular_file(file(), ec)) return std::nullopt;
    try {
        return ChapterTextFromBytes(ReadFileBytes(file()));
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

void ChapterRecovery::remove() const {
    std::error_code ec;
    fs::remove(file(), ec);
    fs::remove(projectDir_ / kFolder, ec);  // only when empty
}

}  // namespace quill
