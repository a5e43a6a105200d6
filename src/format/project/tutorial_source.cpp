#include "project/tutorial_source.h"

#include "project/tutorial_folder.h"

#include "datafile/data_file.h"
#include "project/file_names.h"
#include "project/project.h"
#include "project/project_path.h"
#include "text/cp1252.h"
#include "text/errors.h"
#include "text/file_lookup.h"
#include "text/text_file.h"

namespace quill {

namespace fs = std::filesystem;

ProjectSource::ProjectSource(fs::path projectDir, std::string dataFileName)
    : projectDir_(std::move(projectDir)), dataFileName_(std::move(dataFileName)) {}

fs::path ProjectSource::dataFile() const { return ResolveInFolder(projectDir_, dataFileName_); }

std::string ProjectSource::ChapterFileName(std::string_view chapterFile) const {
    return std::string(chapterFile);
}

std::optional<ChapterText> ProjectSource::LoadChapter(std::string_view chapterFile) const {
    const ProjectPath found = ResolveInProject(projectDir_, chapterFile);
    std::error_code ec;
    if (!found.inside && fs::exists(found.path, ec))
        throw IoError(Cp1252ToUtf8("The chapter " + std::string(chapterFile) + std::string(kOutsideFolder)));
    if (!fs::is_regular_file(found.path, ec)) return std::nullopt;
    return ChapterText{DiskNameToCp1252(found.path.filename()), LineBuffer(TutorialFolder(projectDir_).Read(found.path))};
}

bool ProjectSource::LoadEntry(std::string_view name, std::string_view source,
                              std::vector<std::string>& list) const {
    return quill::LoadEntry(dataFile(), name, source, list);
}

void ProjectSource::ListEntryNames(std::vector<std::string>& list, std::string_view source) const {
    quill::ListEntryNames(list, dataFile(), source);
}

bool ProjectSource::LoadIntroduction(std::vector<std::string>& text) const {
    return quill::LoadIntroduction(dataFile(), text);
}

bool ProjectSource::LoadWindowText(std::string_view name, std::string& color,
                                   std::vector<std::string>& text) const {
    return quill::LoadWindowText(dataFile(), name, color, text);
}

std::shared_ptr<const TutorialSource> SourceOf(const Project& project) {
    if (project.Source) return project.Source;
    return std::make_shared<ProjectSource>(project.ProjectDir, project.DataFileName);
}

}  // namespace quill
