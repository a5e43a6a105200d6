#pragma once
// One reading of a folder's names, for several questions about the same folder: the player's
// start asks it for its compiled data file and for the leftovers of a killed run, and reads the
// folder once for both (ListFilesByMask and RemoveStaleTemporaries each read it themselves).
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "text/file_lookup.h"

namespace quill {

struct FolderListing {
    struct Entry {
        std::string name;   // as on disk
        unsigned char type;  // the kernel's DT_ type, DT_UNKNOWN where it does not say
    };
    std::filesystem::path folder;
    std::vector<Entry> entries;  // in the kernel's order, without "." and ".."
};

// The folder's entries; a folder that cannot be read gives none.
FolderListing ListFolder(const std::filesystem::path& folder);
// ListFilesByMask over the listing.
std::vector<ListedName> FilesByMask(const FolderListing& listing, std::string_view mask);
// RemoveStaleTemporaries over the listing.
void RemoveStaleTemporaries(const FolderListing& listing);

}  // namespace quill
