#pragma once
// The open tutorial project: where it lives, its names and its configuration record. One
// instance is owned by the application session and passed to whoever needs it; library code
// never relies on the process's current directory.
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "project/config_record.h"

namespace quill {

class TutorialSource;

class Project {
public:
    Project() = default;
    explicit Project(std::filesystem::path homeDir) : HomeDir(homeDir), ProjectDir(homeDir) {}

    std::filesystem::path HomeDir;     // folder of the program itself
    std::filesystem::path ProjectDir;  // project folder; starts equal to HomeDir
    std::string ProjectFile;           // project file name in ProjectDir; empty: no project open
    std::string ProjectName;           // ProjectFile without extension
    std::string DataFileName;          // ProjectName + ".QKR"
    TTutorialConfig Config;
    std::string ProgramTitle;          // copy of the record's ProgramTitle, refreshed on load
    std::string StartPrompt;           // copy of the record's StartPrompt, refreshed on load
    // Where the player takes chapters and data entries from; null: the project's own chapter
    // sources and data file (see SourceOf). A compiled tutorial sets its compiled files here.
    std::shared_ptr<const TutorialSource> Source;
    // Where a playing tutorial writes the learner's files (USER.DAT, the files chapters write)
    // and looks for them first; empty: ProjectDir.
    std::filesystem::path LearnerDir;

    bool IsOpen() const { return !ProjectFile.empty(); }

    // A project file by bare name (Windows-1252, '\' separates folders): the existing file of
    // that name ignoring case, or the name as given in the project folder.
    std::filesystem::path FilePath(std::string_view bareName) const;
    std::filesystem::path ProjectFilePath() const { return FilePath(ProjectFile); }
    std::filesystem::path DataFilePath() const { return FilePath(DataFileName); }

    // Sets ProjectName and DataFileName from ProjectFile; when the project file does not exist
    // it is created with the defaults; then the record is read. A file that cannot be read, or
    // is shorter than a record, throws IoError naming the file and leaves the record and the
    // names as they were.
    void LoadProject();
    // Writes the record to the project file atomically; throws IoError naming the file.
    void SaveProject() const;

    // At least one chapter file (ProjectName + "*.QKS") exists in the project folder.
    bool HasChapterFiles() const;
    // The tutorial's first chapter exists: for a main-menu tutorial the first menu entry's
    // file, for a starting-chapter tutorial StartChapter, each + ".QKS".
    bool StartingFileExists() const;
};

// Reads the configuration record from a file (at least 7128 bytes; the first 7128 are the
// record). Throws IoError naming the file.
TTutorialConfig ReadConfigRecord(const std::filesystem::path& file);

// The texts of the new-tutorial dialog's checks on the typed name, or nullopt when it is good.
std::optional<std::string> NewTutorialNameError(std::string_view name);

// Create New Tutorial after its dialog closed with OK: creates the folder (or uses it when it
// exists), sets ProjectDir and ProjectFile (the name with ".QKJ", case as typed) and loads the
// project, creating the project file with the defaults when there is none. Naming a tutorial
// that exists in the folder in any letter case opens it. Throws UserError("Unable to create the
// directory") or IoError; the project is unchanged on any failure.
void NewTutorial(Project& project, const std::filesystem::path& folder, std::string_view name);

// Select a Tutorial with the file chosen in the open dialog: ProjectDir is its folder,
// ProjectFile the upper-cased name with ".QKJ". Throws IoError; unchanged on failure.
void SelectTutorial(Project& project, const std::filesystem::path& chosenFile);

// The chapter-name rule: a chapter's name starts with the project name, ignoring case.
bool ChapterNameStartsWithProject(std::string_view chapterName, std::string_view projectName);
std::string ChapterNameRuleMessage(std::string_view projectName);

// The folder of the running executable.
std::filesystem::path ExecutableFolder();

// The folder of the program's own files (the help book, the instructions, QUILPLAY.EXE): the
// executable's folder when the help book lies beside it (a build), otherwise share/quillmark
// beside its bin folder when there is one (an installed program), otherwise the executable's.
inline constexpr const char* kHelpBookName = "QUILLDESK.html";
std::filesystem::path ProgramFolder(const std::filesystem::path& executableFolder = ExecutableFolder());

}  // namespace quill
