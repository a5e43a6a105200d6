#pragma once
// A SCORM 1.2 package of a folder that plays a tutorial in the browser: the folder's files and
// an imsmanifest.xml that makes them one organisation with one item, launched as one SCO.
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quill {

struct ScormManifestInfo {
    std::string identifier;          // base of the manifest's identifiers (any text; made safe)
    std::string title;               // the tutorial's title (UTF-8)
    std::string launch = "index.html";
    std::vector<std::string> files;  // every file of the SCO, relative, '/' between folders (UTF-8)
};

// imsmanifest.xml (UTF-8, SCORM 1.2: IMS content packaging 1.1.2 with the ADL extensions,
// schema "ADL SCORM" version 1.2).
std::string BuildScormManifest(const ScormManifestInfo& info);

// An xs:ID made of the text: letters, digits, '-', '_' and '.' kept, everything else '_',
// starting with a letter or '_'; never empty.
std::string XmlId(std::string_view text);
// A relative file name as a URI reference: every byte outside the unreserved characters and
// '/' percent-encoded.
std::string UriPath(std::string_view name);

// Writes the package of `folder` (every regular file below it, and the manifest) to `zip`,
// atomically: a failure throws (IoError for a file, std::invalid_argument for a name that cannot
// go into a zip, both naming it) and leaves an existing `zip` as it was. The folder must not
// hold an imsmanifest.xml of its own.
void WriteScormPackage(const std::filesystem::path& folder, const std::filesystem::path& zip,
                       const std::string& identifier, const std::string& title);

// Writes the folder that plays the tutorial of `project` (a .QKJ) into `folder` (empty, existing);
// false with a message in *error when it cannot.
using WebFolderExport = std::function<bool(const std::filesystem::path& project, const std::filesystem::path& folder,
                                           std::string* error)>;

// The SCORM package of a tutorial: its web folder, made by exportFolder in a fresh temporary
// folder (removed afterwards, whatever happens), packaged into `zip` by WriteScormPackage. False
// with a message (UTF-8, naming the file) in *error when it fails; `zip` is then as it was.
bool ExportScormPackage(const std::filesystem::path& project, const std::filesystem::path& zip,
                        const std::string& identifier, const std::string& title,
                        const WebFolderExport& exportFolder, std::string* error);

}  // namespace quill
