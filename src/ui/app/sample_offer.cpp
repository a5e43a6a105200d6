#include "app/sample_offer.h"

#include <system_error>

#include "platform/platform.h"
#include "project/file_names.h"
#include "project/project.h"
#include "text/errors.h"
#include "text/text_file.h"
#include "text/file_lookup.h"

namespace quill {

namespace fs = std::filesystem;

std::optional<fs::path> InstalledSample(const fs::path& homeDir) {
    const fs::path folder = homeDir / "sample";
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) return std::nullopt;
    const auto projects = ListByMask(folder, "*.QKJ");
    if (projects.empty()) return std::nullopt;
    return *FindIgnoringCase(folder, projects.front());
}

fs::path SampleCopyFolder(const fs::path& documents) {
    std::error_code ec;
    fs::path folder = documents / "Quillmark Sample";
    for (int n = 2; fs::exists(folder, ec); ++n) folder = documents / ("Quillmark Sample " + std::to_string(n));
    return folder;
}

QString SampleOfferQuestion(const fs::path& copyFolder) {
    return "No tutorial is open yet. Would you like to open the sample tutorial \"Reading a Map\"?\n\n"
           "A copy of it will be made in " +
           QString::fromStdString(copyFolder.string()) +
           ", where you can view its chapters, change them and try everything out.";
}

bool OfferSampleTutorial(Project& project, Platform& platform, const fs::path& documents) {
    if (project.IsOpen()) return false;
    const auto sample = InstalledSample(project.HomeDir);
    if (!sample || documents.empty()) return false;
    const fs::path copy = SampleCopyFolder(documents);
    if (!platform.messages.Confirm(SampleOfferQuestion(copy))) return false;

    std::error_code ec;
    fs::create_directories(documents, ec);
    if (!ec) fs::copy(sample->parent_path(), copy, fs::copy_options::recursive, ec);
    if (ec) {
        fs::remove_all(copy, ec);
        throw IoError("The sample tutorial could not be copied to " + DisplayName(copy) + ": " + ec.message());
    }
    // The installed copy may be read-only; the learner's copy must not be.
    for (const auto& entry : fs::recursive_directory_iterator(copy, ec))
        fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::add, ec);
    SelectTutorial(project, copy / sample->filename());
    return true;
}

}  // namespace quill
