#include "export/web_export.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QTextDocument>
#include <cstdlib>
#include <map>
#include <set>
#include <system_error>
#include <vector>

#include "build/compiler.h"
#include "build/distribute.h"
#include "datafile/data_file.h"
#include "datafile/perform_entry.h"
#include "project/file_names.h"
#include "project/project.h"
#include "project/starting_chapter.h"
#include "project/tutorial_folder.h"
#include "project/tutorial_source.h"
#include "richtext/rich_text_key.h"
#include "richtext/rtf_reader.h"
#include "screen/glyph_masks.h"
#include "screen/picture_reader.h"
#include "screen/raw_picture.h"
#include "text/cp1252.h"
#include "text/errors.h"
#include "text/file_lookup.h"
#include "text/text_file.h"

namespace quill {

namespace fs = std::filesystem;

namespace {

// The page's own files, copied from the runtime folder; quill_lms.js and the style sheet may be
// missing (the page works without them).
struct RuntimeFile {
    const char* name;
    bool required;
};
constexpr RuntimeFile kRuntimeFiles[] = {{"index.html", true},
                                         {"quill_engine.js", true},
                                         {"quill_player.js", true},
                                         {"quill_lms.js", false},
                                         {"quill_player.css", false}};

std::string Base64(std::string_view bytes) {
    static constexpr char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    std::size_t i = 0;
    for (; i + 2 < bytes.size(); i += 3) {
        const unsigned v = (unsigned(static_cast<unsigned char>(bytes[i])) << 16) |
                           (unsigned(static_cast<unsigned char>(bytes[i + 1])) << 8) |
                           unsigned(static_cast<unsigned char>(bytes[i + 2]));
        out += kDigits[(v >> 18) & 63];
        out += kDigits[(v >> 12) & 63];
        out += kDigits[(v >> 6) & 63];
        out += kDigits[v & 63];
    }
    if (i < bytes.size()) {
        unsigned v = unsigned(static_cast<unsigned char>(bytes[i])) << 16;
        if (i + 1 < bytes.size()) v |= unsigned(static_cast<unsigned char>(bytes[i + 1])) << 8;
        out += kDigits[(v >> 18) & 63];
        out += kDigits[(v >> 12) & 63];
        out += i + 1 < bytes.size() ? kDigits[(v >> 6) & 63] : '=';
        out += '=';
    }
    return out;
}

// A JavaScript string literal of UTF-8 text (also safe inside a <script> element).
std::string JsString(std::string_view text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '<': out += "\\u003c"; break;
            default:
                if (c < 0x20) {
                    static constexpr char kHex[] = "0123456789abcdef";
                    out += "\\u00";
                    out += kHex[c >> 4];
                    out += kHex[c & 15];
                } else {
                    out += static_cast<char>(c);
                }
        }
    }
    return out + "\"";
}

// Picture files by their extension: converted to raw pixels for the engine and the page.
bool IsPictureName(const std::string& name) {
    const std::string upper = UpperAscii(name);
    for (const char* ext : {".BMP", ".JPG", ".JPEG", ".WMF", ".PCX", ".GIF", ".PNG", ".ICO", ".DIB"})
        if (upper.size() > std::string_view(ext).size() && upper.ends_with(ext)) return true;
    return false;
}

RawPicture ToRaw(const QImage& image) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    RawPicture raw;
    raw.width = argb.width();
    raw.height = argb.height();
    raw.pixels.reserve(static_cast<std::size_t>(raw.width) * static_cast<std::size_t>(raw.height));
    for (int y = 0; y < argb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        raw.pixels.insert(raw.pixels.end(), line, line + argb.width());
    }
    return raw;
}

// Collects the text lines of the entries that show rich text (types 1 and 5).
class TextCollector : public EntryActions {
public:
    std::vector<TextLines> texts;
    void ShowTextEntry(TextDisplay, const std::string&, const TScreenBackground&, const TextLines& text) override {
        texts.push_back(text);
    }
    void PreviewMedia(const std::string&, const std::string&) override {}
    void LaunchProgram(int, const std::string&) override {}
    void OpenWithShell(const std::string&) override {}
    void OpenNotes(const std::string&) override {}
};

// The HTML of every rich text the engine may hand the page, by RichTextKey.
std::map<std::string, std::string> RichTexts(const Project& project) {
    std::map<std::string, std::string> out;
    const auto source = SourceOf(project);
    auto add = [&](const TextLines& lines) {
        if (lines.empty()) return;
        const std::string key = RichTextKey(lines);
        if (out.count(key)) return;
        const auto doc = RichTextDocument(lines);
        out[key] = doc->toHtml().toStdString();
    };
    for (std::string_view kind : {kSourceHyper, kSourceExecute, kSourceUtility}) {
        TextLines names;
        source->ListEntryNames(names, kind);
        for (const auto& name : names) {
            TextLines entry;
            if (!source->LoadEntry(name, kind, entry)) continue;
            TextCollector collector;
            PerformEntry(entry, collector);
            for (const auto& t : collector.texts) add(t);
        }
    }
    TextLines names;
    source->ListEntryNames(names, kSourceWinText);
    for (const auto& name : names) {
        std::string colour;
        TextLines lines;
        if (source->LoadWindowText(name, colour, lines)) add(lines);
    }
    TextLines intro;
    if (source->LoadIntroduction(intro)) add(intro);
    return out;
}

bool Fail(std::string* error, const std::string& text) {
    if (error) *error = text;
    return false;
}

}  // namespace

fs::path WebRuntimeFolder() {
    std::error_code ec;
    std::vector<fs::path> places;
    if (const char* dir = std::getenv("QUILL_WEB_DIR"); dir && *dir) places.emplace_back(dir);
    const fs::path exe = ExecutableFolder();
    places.push_back(exe / "web");
    places.push_back(exe.parent_path() / "share" / "quillmark" / "web");
    for (const auto& p : places)
        if (fs::is_regular_file(p / "quill_engine.js", ec)) return p;
    return {};
}

bool ExportWebFolder(const fs::path& project, const fs::path& folder, std::string* error) {
    return ExportWebFolder(project, folder, error, {});
}

bool ExportWebFolder(const fs::path& projectFile, const fs::path& folder, std::string* error,
                     const WebExportProgress& progress, const fs::path& runtimeFolder) {
    const int steps = 5;
    auto step = [&](int n, const std::string& what) {
        if (progress) progress(n, steps, what);
    };
    try {
        const fs::path runtime = runtimeFolder.empty() ? WebRuntimeFolder() : runtimeFolder;
        std::error_code ec;
        if (runtime.empty() || !fs::is_regular_file(runtime / "quill_engine.js", ec))
            return Fail(error, "The web player (quill_engine.js) was not found" +
                                   (runtime.empty() ? std::string(": it is installed in the folder web beside the program")
                                                    : " in " + DisplayName(runtime)) + ".");

        step(0, "Opening the tutorial");
        Project project(ProgramFolder());
        SelectTutorial(project, projectFile);
        if (const auto problem = StartingChapterProblem(project.Config, project.ProjectDir))
            return Fail(error, Cp1252ToUtf8(*problem));
        const fs::path target = fs::absolute(folder, ec);
        if (const auto refused = DistributionFolderError(target, project.ProjectDir))
            return Fail(error, Cp1252ToUtf8(*refused));

        step(1, "Compiling the tutorial");
        KeyGenerator keys;
        BuildMessages messages = CompileAllCommand(project, keys);
        const BuildMessages data = CompileDataCommand(project);
        messages.insert(messages.end(), data.begin(), data.end());
        if (HasError(messages)) {
            std::string text = "The tutorial " + DisplayName(projectFile) + " does not compile:";
            for (const auto& m : messages)
                if (m.kind == BuildMessage::Kind::Error) text += "\n" + Cp1252ToUtf8(m.text);
            return Fail(error, text);
        }

        step(2, "Gathering the tutorial's files");
        const std::vector<ListedFile> listed = DistributionEntries(project, "");
        const TutorialFolder tutorialFolder(project.ProjectDir);
        std::map<std::string, std::string> files;  // name in the folder (UTF-8) -> bytes
        std::vector<std::string> missing;
        for (const ListedFile& f : listed) {
            const ProjectPath where = ResolveInProject(project.ProjectDir, f.name);
            if (!where.inside)
                return Fail(error, "The file " + Cp1252ToUtf8(f.name) + " of " + Cp1252ToUtf8(f.origin) +
                                       " lies outside the tutorial folder.");
            const fs::path path = f.found.empty() ? where.path : f.found;
            if (!fs::is_regular_file(path, ec)) {
                missing.push_back(Cp1252ToUtf8(f.name) + " (" + Cp1252ToUtf8(f.origin) + ")");
                continue;
            }
            std::string name = path.lexically_relative(project.ProjectDir).generic_string();
            std::string bytes = tutorialFolder.Read(path);
            if (IsPictureName(name)) {
                Text why;
                const QImage image = DecodePicture(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())), &why);
                if (image.isNull())
                    return Fail(error, "The picture " + DisplayName(path) + " cannot be read: " + why.toStdString());
                bytes = RawPictureBytes(ToRaw(image));
            }
            files[name] = std::move(bytes);
        }
        if (!missing.empty()) {
            std::string text = "The web folder was not written: these files of the tutorial are missing:";
            for (const auto& m : missing) text += "\n" + m;
            return Fail(error, text);
        }

        step(3, "Converting the rich texts");
        const auto rich = RichTexts(project);

        step(4, "Writing the web folder");
        fs::create_directories(target, ec);
        if (!fs::is_directory(target, ec)) return Fail(error, "The folder " + DisplayName(target) + " cannot be made.");
        std::string script = "// The tutorial for the web player (made by quillc export-web).\nglobalThis.QUILL_TUTORIAL = {\n";
        script += "  title: " + JsString(Cp1252ToUtf8(project.ProgramTitle)) + ",\n";
        script += "  project: " + JsString(Cp1252ToUtf8(project.ProjectName) + ".QKJ") + ",\n";
        script += "  dataFile: " + JsString(Cp1252ToUtf8(project.ProjectName) + ".QKD") + ",\n";
        script += "  glyphs: \"" + Base64(GlyphMasksToBytes(ScreenGlyphMasks())) + "\",\n";
        script += "  files: {\n";
        for (const auto& [name, bytes] : files) script += "    " + JsString(name) + ": \"" + Base64(bytes) + "\",\n";
        script += "  },\n  richText: {\n";
        for (const auto& [key, html] : rich) script += "    " + JsString(key) + ": " + JsString(html) + ",\n";
        script += "  },\n};\n";
        WriteFileAtomic(target / "quill_tutorial.js", script);
        for (const RuntimeFile& f : kRuntimeFiles) {
            const fs::path from = runtime / f.name;
            if (!fs::is_regular_file(from, ec)) {
                if (f.required) return Fail(error, "The web player's file " + DisplayName(from) + " was not found.");
                continue;
            }
            WriteFileAtomic(target / f.name, ReadFileBytes(from));
        }
        return true;
    } catch (const std::exception& e) {
        return Fail(error, e.what());
    }
}

}  // namespace quill
