#include "project/project.h"

#include <system_error>
#include <vector>

#include "project/file_names.h"
#include "project/starting_chapter.h"
#include "text/cp1252.h"
#include "text/errors.h"
#include "text/file_lookup.h"
#include "text/text_file.h"

namespace quill {

namespace fs = std::filesystem;

fs::path Project::FilePath(std::string_view bareName) const {
    return ResolveInFolder(ProjectDir, bareName);
}

TTutorialConfig ReadConfigRecord(const fs::path& file) {
    // A project file is one record; anything far larger is not a project file.
    constexpr std::uint64_t kMaxProjectFileBytes = 1 << 20;
    const std::string data = ReadFileBytes(file, kMaxProjectFileBytes);
    if (data.size() < TTutorialConfig::Size)
        throw IoError("Cannot read the project file " + DisplayName(file) + ": it holds " +
                      std::to_string(data.size()) + " bytes, and a project file holds " +
                      std::to_string(TTutorialConfig::Size) + ".");
    TTutorialConfig config;
    std::copy_n(data.begin(), TTutorialConfig::Size, config.bytes().begin());
    return config;
}

void Project::LoadProject() {
    RemoveStaleTemporaries(ProjectDir);
    const std::string name = NameOnly(ProjectFile);
    const fs::path file = ProjectFilePath();
    std::error_code ec;
    if (!fs::exists(file, ec)) {
        TTutorialConfig defaults;
        SetConfigDefaults(defaults);
        WriteFileAtomic(file, std::string_view(reinterpret_cast<const char*>(defaults.bytes().data()),
                                               TTutorialConfig::Size));
    }
    Config = ReadConfigRecord(file);
    ProjectName = name;
    DataFileName = name + ".QKR";
    ProgramTitle = Config.get(cfg::Program::ProgramTitle);
    StartPrompt = Config.get(cfg::Captions::StartPrompt);
}

void Project::SaveProject() const {
    WriteFileAtomic(ProjectFilePath(),
                    std::string_view(reinterpret_cast<const char*>(Config.bytes().data()),
                                     TTutorialConfig::Size));
}

bool Project::HasChapterFiles() const {
    return !ListByMask(ProjectDir, ProjectName + "*.QKS").empty();
}

bool Project::StartingFileExists() const { return !StartingChapterProblem(Config, ProjectDir); }

std::optional<std::string> NewTutorialNameError(std::string_view name) {
    if (name.empty()) return "A filename must be entered.";
    // Besides the characters no file name may hold, a name must have a stem and must not
    // reach into another folder: the project's files all live in the project folder.
    if (!IsValidFileName(name) || name.find('\\') != std::string_view::npos ||
        NameOnly(name).empty())
        return "A correct filename must be entered.";
    return std::nullopt;
}

namespace {

void OpenAs(Project& project, const fs::path& folder, std::string projectFile) {
    Project next = project;
    next.ProjectDir = folder;
    next.ProjectFile = std::move(projectFile);
    next.LoadProject();
    project = std::move(next);
}

}  // namespace

void NewTutorial(Project& project, const fs::path& folder, std::string_view name) {
    if (auto error = NewTutorialNameError(name)) throw UserError(*error);
    // The folders this call makes, innermost first: a tutorial that cannot be made leaves none.
    std::vector<fs::path> made;
    std::error_code ec;
    for (fs::path f = folder.lexically_normal(); !f.empty() && !fs::exists(f, ec); f = f.parent_path()) {
        made.push_back(f);
        if (f == f.parent_path()) break;
    }
    std::error_code createError;
    fs::create_directories(folder, createError);
    if (!fs::is_directory(folder, ec)) {
        const std::string why = createError ? createError.message() : std::string("a file of that name is in the way");
        throw UserError("Unable to create the directory " + DisplayName(folder) + ": " + why);
    }
    try {
        OpenAs(project, folder, ChangeExtension(name, ".QKJ"));
    } catch (...) {
        for (const fs::path& f : made) fs::remove(f, ec);  // only while empty
        throw;
    }
}

void SelectTutorial(Project& project, const fs::path& chosenFile) {
    const fs::path folder = chosenFile.has_parent_path() ? chosenFile.parent_path() : fs::path(".");
    std::error_code ec;
    if (!fs::is_directory(folder, ec))
        throw IoError("Cannot open the folder " + DisplayName(folder) + ": it does not exist");
    const std::string bare = DiskNameToCp1252(chosenFile.filename());
    OpenAs(project, folder, UpperAscii(ChangeExtension(bare, ".QKJ")));
}

bool ChapterNameStartsWithProject(std::string_view chapterName, std::string_view projectName) {
    if (chapterName.size() < projectName.size()) return false;
    return EqualsIgnoringCase(chapterName.substr(0, projectName.size()), projectName);
}

std::string ChapterNameRuleMessage(std::string_view projectName) {
    return "The Chapter filename must start with the Project Name " + std::string(projectName) +
           " followed by an identifier\r\n\r\nPress Help for more information.";
}

fs::path ExecutableFolder() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec) return fs::current_path(ec);
    return exe.parent_path();
}

fs::path ProgramFolder(const fs::path& executableFolder) {
    std::error_code ec;
    if (fs::exists(executableFolder / kHelpBookName, ec)) return executableFolder;
    const fs::path installed = (executableFolder / ".." / "share" / "quillmark").lexically_normal();
    if (fs::is_directory(installed, ec)) return installed;
    return executableFolder;
}

}  // namespace quill
