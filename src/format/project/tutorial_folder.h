#pragma once
// TutorialFolder: the one way to touch the files a tutorial names.
//
// Tutorials come from people the learner or the author does not know. Every read and write of a
// file that a tutorial names (chapters, compiled chapters, the data file, the pictures of the
// configuration record, backgrounds, media, USER.DAT, the targets of file commands, notes, help
// books, the editor's recovery files) goes through this class, so the rules hold in one place:
//
// - Names are found ignoring letter case (see file_lookup.h), then opened relative to the folder
//   with openat2(RESOLVE_BENEATH | RESOLVE_NO_MAGICLINKS): the kernel itself refuses "..",
//   absolute names and symbolic links that lead out of the folder, at the moment of the open, so
//   a link swapped in after a check cannot lead out either. Where the kernel lacks openat2
//   (ENOSYS) the resolver of project_path.h checks the real place first (the fallback).
// - Reads open without waiting (O_NONBLOCK) and take regular files only: a pipe, a device or a
//   folder named as a picture or a chapter is refused at once instead of hanging the player.
// - Writes never follow a link in their last part: replacements rename over the name (a link of
//   that name is replaced), appends and new files open with O_NOFOLLOW.
//
// Paths given to the methods are those that Locate, Find or a listing of the folder gave: the
// folder's own path followed by the parts below it. A path that is not below the folder is
// outside it, whatever it names.
//
// The object opens the folder once, at its first use, and keeps it open until it is destroyed:
// one object for one operation (a compile, a distribution) pays for that open once, not per file.
// (The folder is the one found at that first use, even if its name is given to another later.)
// An object is used by one thread at a time.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "project/project_path.h"
#include "text/errors.h"
#include "text/fd_io.h"
#include "text/text_file.h"

namespace quill {

// A name or path that leads out of the tutorial folder. The message ends with kOutsideFolder.
class OutsideFolderError : public IoError {
public:
    using IoError::IoError;
};

class TutorialFolder {
public:
    // How the folder is enforced: by the kernel (openat2) where it has it, otherwise by the
    // resolver. Tests choose Resolver to try the fallback on a kernel that has openat2.
    enum class Confinement { Automatic, Resolver };

    explicit TutorialFolder(std::filesystem::path root, Confinement how = Confinement::Automatic);
    ~TutorialFolder();
    // A copy opens the folder again when it needs it.
    TutorialFolder(const TutorialFolder& other);
    TutorialFolder& operator=(const TutorialFolder& other);
    TutorialFolder(TutorialFolder&& other) noexcept;
    TutorialFolder& operator=(TutorialFolder&& other) noexcept;

    const std::filesystem::path& Root() const { return root_; }

    // Where a bare name (Windows-1252, '\' or '/' between folders) leads: the existing entry
    // found ignoring case, or the name as given for a file still to be made, and whether it
    // stays inside the folder.
    ProjectPath Locate(std::string_view name) const;
    // The existing regular file of that name inside the folder, or nullopt (missing, not a
    // regular file, or outside).
    std::optional<std::filesystem::path> FindFile(std::string_view name) const;
    // The existing entry of any kind inside the folder, or nullopt.
    std::optional<std::filesystem::path> Find(std::string_view name) const;

    // Whole-file reads of a regular file inside the folder. Throw OutsideFolderError for a path
    // out of the folder and IoError naming the file for every other failure.
    std::string Read(const std::filesystem::path& file, std::uint64_t maxBytes = kMaxFileBytes) const;
    std::vector<std::string> ReadLines(const std::filesystem::path& file,
                                       std::uint64_t maxBytes = kMaxFileBytes) const;
    // The whole file in one buffer (for large files read once and scanned), or nullopt when
    // there is no entry of that name; throws as Read does for every other failure.
    std::optional<FileBytes> ReadIfPresent(const std::filesystem::path& file,
                                           std::uint64_t maxBytes = kMaxFileBytes) const;
    // Opens a regular file inside the folder for reading (close-on-exec); the caller closes it.
    int OpenRead(const std::filesystem::path& file) const;

    // Atomic replacement (see WriteFileAtomic), in a folder reached beneath this one.
    void Replace(const std::filesystem::path& file, std::span<const std::string_view> pieces,
                 Durability durability = Durability::Durable) const;
    void Replace(const std::filesystem::path& file, std::string_view bytes,
                 Durability durability = Durability::Durable) const;
    void ReplaceLines(const std::filesystem::path& file, const std::vector<std::string>& lines) const;
    // An atomic replacement whose bytes come piece by piece (a file too large to assemble in
    // memory first): Write them, then Commit. Without Commit the previous file stays.
    class Replacement {
    public:
        void Write(std::string_view bytes) { writer_.Write(bytes); }
        // Appends the rest of the open file `in` (`source` names it in messages).
        void CopyFrom(int in, const std::filesystem::path& source) { writer_.CopyFrom(in, source); }
        void Commit(Durability durability = Durability::Durable) { writer_.Commit(durability); }

    private:
        friend class TutorialFolder;
        Replacement(int dirFd, bool ownsDir, std::string leaf, const std::filesystem::path& shown);
        struct Dir {  // closed after the writer is gone
            int fd;
            bool owned;
            ~Dir();
        } dir_;
        AtomicFileWriter writer_;
    };
    Replacement StartReplacement(const std::filesystem::path& file) const;
    // Appends to the file, creating it; a link in its last part is refused, not followed.
    void Append(const std::filesystem::path& file, std::string_view bytes) const;
    // Creates the file only when there is no entry of that name; false when there is one.
    bool CreateNew(const std::filesystem::path& file, std::string_view bytes) const;
    // Removes the file (a link is removed itself); false when there was none.
    bool Remove(const std::filesystem::path& file) const;
    // Makes the folders on the way to `folder` (below this one); links are not followed.
    void MakeFolders(const std::filesystem::path& folder) const;
    // Copies a regular file of this folder (or of `from`) to a file of this folder.
    void Copy(const TutorialFolder& from, const std::filesystem::path& source,
              const std::filesystem::path& target) const;

    // Whether `file` lies below the folder by its parts alone (no "..", no other root).
    bool Below(const std::filesystem::path& file) const;

private:
    // The parts of `file` below the folder, or throws OutsideFolderError.
    std::filesystem::path RelativePart(const std::filesystem::path& file) const;
    // The folder, opened at the first use and kept open; throws IoError when it cannot be.
    int RootFd() const;
    int OpenBeneath(int rootFd, const std::filesystem::path& relative, int flags, unsigned mode,
                    bool lastMayBeLink) const;
    // The folder that holds `file`: the root itself (ownsFd false) or one opened beneath it.
    int OpenParent(const std::filesystem::path& file, std::string& leaf, bool& ownsFd) const;
    [[noreturn]] void Fail(const char* verb, const std::filesystem::path& file, int err) const;

    std::filesystem::path root_;
    Confinement how_;
    mutable int rootFd_ = -1;
};

// Whether this kernel confines opens itself (openat2 is there).
bool KernelConfinesOpens();

}  // namespace quill
