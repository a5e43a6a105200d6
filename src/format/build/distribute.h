#pragma once
// Distribution: gathers everything a compiled tutorial needs at run time (the runtime player
// QUILPLAY.EXE, the compiled data file, the compiled chapters and every picture, sound, video,
// program, icon and help file the tutorial names) into one folder. Nothing is copied when any
// listed file is missing.
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "project/project.h"

namespace quill {

// What distribution asks and shows; the desktop program implements it with its folder dialog
// and message boxes, quillc with its arguments and printed lines.
class DistributionUi {
public:
    virtual ~DistributionUi() = default;
    // The folder dialog: the chosen folder, or nullopt for Cancel. After a refused choice (the
    // project folder) it is asked again, as the dialog stays open.
    virtual std::optional<std::filesystem::path> ChooseFolder() = 0;
    virtual void ShowError(const std::string& text) = 0;   // Windows-1252
    virtual void ShowMessage(const std::string& text) = 0; // plain message box
    // An information box; shown as a plain message unless the user interface has its own.
    virtual void ShowInfo(const std::string& text) { ShowMessage(text); }
    // Called before each file is copied (index from 0, count, source file).
    virtual void Copying(std::size_t, std::size_t, const std::filesystem::path&) {}
};

inline constexpr const char* kPlayerFileName = "QUILPLAY.EXE";

// The refusal of the folder dialog's OK: the project folder itself (in any letter case, or
// reached through a link) cannot be the target. nullopt when the folder may be used.
std::optional<std::string> DistributionFolderError(const std::filesystem::path& folder,
                                                   const std::filesystem::path& projectDir);

// The distribution list in its order: compiled chapters, chapter images, opening and closing
// command files, menu pictures, about box icon, introduction picture, program icon, background,
// help file, the files named by the HYPER, EXECUTE and UTILITY entries of the data file, then
// ProjectName + ".QKD" and the player's path (as given; left out when empty). Names are as found or as written,
// relative to the project folder. Throws UserError with the program's message when there is no
// compiled chapter or a data-file entry's type is not a number; IoError when a file cannot be
// read.
std::vector<std::string> DistributionList(const Project& project, const std::string& playerPath);

// The same list with where each name was found ("the chapter T1.QKS", "the HYPER entry Pump",
// "the opening command", ...), for the message when a name leads outside the tutorial folder.
struct ListedFile {
    std::string name;
    std::string origin;
    std::filesystem::path found;  // the file a listing of the folder found (else empty)
};
std::vector<ListedFile> DistributionEntries(const Project& project, const std::string& playerPath);

// The information shown when QUILPLAY.EXE is not beside the program: the distribution goes on,
// for learners on Linux.
std::string NoWindowsPlayerInfo(const std::string& projectName);

// The whole operation: folder, checks, list, copy, messages. Nothing is copied when a listed
// file is missing or leads outside the tutorial folder (each is reported); a link already in the
// target folder is replaced, never written through. Without QUILPLAY.EXE the folder is made for
// Linux learners only (NoWindowsPlayerInfo); every folder gets a Linux launcher
// (linux_launcher.h). Returns true when the files were copied. Copy failures throw IoError
// (files copied before stay in the target folder).
bool Distribute(const Project& project, DistributionUi& ui);

}  // namespace quill
