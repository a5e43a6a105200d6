#include "export/scorm_package.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

#include "export/zip_writer.h"
#include "text/errors.h"
#include "text/text_file.h"

namespace quill {

namespace fs = std::filesystem;

namespace {

constexpr const char* kManifestName = "imsmanifest.xml";

// Text for an XML attribute or element: the five special characters escaped, characters XML 1.0
// does not allow (C0 controls other than tab, CR, LF) left out.
std::string XmlText(std::string_view text) {
    std::string out;
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        switch (ch) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            case '\'': out += "&apos;"; break;
            default:
                if (c >= 0x20 || ch == '\t') out += ch;
                else if (ch == '\r' || ch == '\n') out += ' ';
        }
    }
    return out;
}

}  // namespace

std::string XmlId(std::string_view text) {
    std::string id;
    for (char ch : text) {
        const bool keep = (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z') || (ch >= '0' && ch <= '9') ||
                          ch == '-' || ch == '_' || ch == '.';
        id += keep ? ch : '_';
    }
    if (id.empty() || !((id[0] >= 'A' && id[0] <= 'Z') || (id[0] >= 'a' && id[0] <= 'z') || id[0] == '_'))
        id.insert(0, "_");
    return id;
}

std::string UriPath(std::string_view name) {
    static const char* const kHex = "0123456789ABCDEF";
    std::string out;
    for (char ch : name) {
        const auto c = static_cast<unsigned char>(ch);
        const bool keep = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                          c == '-' || c == '_' || c == '.' || c == '~' || c == '/';
        if (keep) {
            out += ch;
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    return out;
}

std::string BuildScormManifest(const ScormManifestInfo& info) {
    const std::string id = XmlId(info.identifier);
    const std::string title = XmlText(info.title);
    std::string x;
    x += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    x += "<manifest identifier=\"" + id + "\" version=\"1.0\"\n";
    x += "          xmlns=\"http://www.imsproject.org/xsd/imscp_rootv1p1p2\"\n";
    x += "          xmlns:adlcp=\"http://www.adlnet.org/xsd/adlcp_rootv1p2\"\n";
    x += "          xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"\n";
    x += "          xsi:schemaLocation=\"http://www.imsproject.org/xsd/imscp_rootv1p1p2 imscp_rootv1p1p2.xsd "
         "http://www.imsglobal.org/xsd/imsmd_rootv1p2p1 imsmd_rootv1p2p1.xsd "
         "http://www.adlnet.org/xsd/adlcp_rootv1p2 adlcp_rootv1p2.xsd\">\n";
    x += "  <metadata>\n    <schema>ADL SCORM</schema>\n    <schemaversion>1.2</schemaversion>\n  </metadata>\n";
    x += "  <organizations default=\"" + id + "-ORG\">\n";
    x += "    <organization identifier=\"" + id + "-ORG\">\n";
    x += "      <title>" + title + "</title>\n";
    x += "      <item identifier=\"" + id + "-ITEM\" identifierref=\"" + id + "-SCO\" isvisible=\"true\">\n";
    x += "        <title>" + title + "</title>\n";
    x += "      </item>\n";
    x += "    </organization>\n";
    x += "  </organizations>\n";
    x += "  <resources>\n";
    x += "    <resource identifier=\"" + id + "-SCO\" type=\"webcontent\" adlcp:scormtype=\"sco\" href=\"" +
         XmlText(UriPath(info.launch)) + "\">\n";
    for (const std::string& f : info.files) x += "      <file href=\"" + XmlText(UriPath(f)) + "\"/>\n";
    x += "    </resource>\n";
    x += "  </resources>\n";
    x += "</manifest>\n";
    return x;
}

void WriteScormPackage(const fs::path& folder, const fs::path& zip, const std::string& identifier,
                       const std::string& title) {
    std::vector<std::pair<std::string, fs::path>> files;
    std::error_code ec;
    fs::recursive_directory_iterator it(folder, ec), end;
    if (ec) throw quill::IoError("Cannot read the folder " + quill::DisplayName(folder) + ": " + ec.message());
    for (; it != end; it.increment(ec)) {
        if (ec) throw quill::IoError("Cannot read the folder " + quill::DisplayName(folder) + ": " + ec.message());
        const fs::file_status st = it->symlink_status(ec);
        if (ec) throw quill::IoError("Cannot read " + quill::DisplayName(it->path()) + ": " + ec.message());
        if (fs::is_directory(st)) continue;
        if (!fs::is_regular_file(st))
            throw quill::IoError("Cannot package " + quill::DisplayName(it->path()) + ": it is not a regular file");
        files.emplace_back(fs::relative(it->path(), folder).generic_string(), it->path());
    }
    std::sort(files.begin(), files.end());

    ScormManifestInfo info{identifier, title, "index.html", {}};
    std::vector<ZipEntry> entries;
    entries.push_back({kManifestName, {}});
    for (const auto& [name, path] : files) {
        if (name == kManifestName)
            throw std::invalid_argument("The folder " + quill::DisplayName(folder) + " holds an imsmanifest.xml of its own");
        info.files.push_back(name);
        entries.push_back({name, quill::ReadFileBytes(path)});
    }
    if (std::find(info.files.begin(), info.files.end(), info.launch) == info.files.end())
        throw quill::IoError("Cannot package " + quill::DisplayName(folder) + ": it holds no " + info.launch);
    entries.front().data = BuildScormManifest(info);
    const auto [time, date] = DosTimeNow();
    quill::WriteFileAtomic(zip, BuildZip(entries, time, date));
}

bool ExportScormPackage(const fs::path& project, const fs::path& zip, const std::string& identifier,
                        const std::string& title, const WebFolderExport& exportFolder, std::string* error) {
    std::string pattern = (fs::temp_directory_path() / "quill-scorm-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) {
        *error = "Cannot make a temporary folder for the package in " + quill::DisplayName(fs::temp_directory_path());
        return false;
    }
    struct RemoveAfterwards {
        fs::path dir;
        ~RemoveAfterwards() {
            std::error_code ec;
            fs::remove_all(dir, ec);
        }
    } temporary{pattern};
    try {
        if (!exportFolder(project, temporary.dir, error)) return false;
        WriteScormPackage(temporary.dir, zip, identifier, title);
        return true;
    } catch (const std::exception& e) {  // IoError, invalid_argument: the message names the file
        *error = e.what();
        return false;
    }
}

}  // namespace quill
