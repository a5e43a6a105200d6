#include "build/distribute.h"

#include "build/linux_launcher.h"

#include <system_error>
#include <unordered_set>

#include "datafile/data_file.h"
#include "project/file_names.h"
#include "project/project_path.h"
#include "project/tutorial_folder.h"
#include "text/cp1252.h"
#include "text/errors.h"
#include "text/file_lookup.h"
#include "text/text_file.h"

namespace quill {

namespace fs = std::filesystem;

namespace {

// The ordered list with its duplicate test (exact, case-sensitive). Each name keeps where it
// was found, for the message when it leads outside the tutorial folder.
class FileList {
public:
    void add(const std::string& name, const std::string& origin, const fs::path& found = {}) {
        if (name.empty()) return;
        if (seen_.insert(name).second) entries_.push_back({name, origin, found});
    }
    void addAlways(const std::string& name, const std::string& origin) { entries_.push_back({name, origin, {}}); }
    std::vector<ListedFile> take() { return std::move(entries_); }

private:
    std::vector<ListedFile> entries_;
    std::unordered_set<std::string> seen_;
};

bool IsRegularFile(const fs::path& p) {
    std::error_code ec;
    return fs::is_regular_file(p, ec);
}

bool ProjectFileExists(const Project& project, std::string_view name) {
    if (name.empty()) return false;
    const auto found = FindIgnoringCase(project.ProjectDir, name);
    return found && IsRegularFile(*found);
}

// Blanks and control characters removed from both ends.
std::string_view Trim(std::string_view s) {
    std::size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
    return s.substr(b, e - b);
}

std::string Before(std::string_view s, char c) {
    const auto at = s.find(c);
    return std::string(at == std::string_view::npos ? std::string_view() : s.substr(0, at));
}

void AddChapterImages(const Project& project, FileList& list) {
    for (const auto& chapter : ListFilesByMask(project.ProjectDir, project.ProjectName + "*.QKS")) {
        const std::string origin = "the chapter " + chapter.name;
        for (const auto& raw : ReadTextLines(chapter.path)) {
            const std::string line = UpperAscii(Trim(raw));
            if (line.find("*SHOWIMAGE") != std::string::npos) {
                const auto blank = line.rfind(' ');
                if (blank != std::string::npos) list.add(line.substr(blank + 1), origin);
            }
            if (line.find("*SCREENIMAGE") != std::string::npos) {
                // The file is the word after the command; words after it are not part of it
                // (the player drops them too).
                const auto blank = line.find(' ');
                if (blank != std::string::npos) {
                    std::string rest = line.substr(blank + 1);
                    list.add(TakeWord(rest), origin);
                }
            }
        }
    }
}

void AddCommandSetting(const Project& project, const TCommandSettingLayout& c, const std::string& origin,
                       FileList& list) {
    const TTutorialConfig& config = project.Config;
    const std::string args[5] = {config.get(c.Arg1), config.get(c.Arg2), config.get(c.Arg3),
                                 config.get(c.Arg4), config.get(c.Arg5)};
    std::string candidate;
    for (const auto& a : args)
        if (!a.empty()) candidate = a;
    const std::string& arg5 = args[4];
    const int type = config.get(c.CommandType);
    if (!arg5.empty() && type == etExecutable && arg5.find(',') != std::string::npos)
        candidate = Before(arg5, ',');
    if (!arg5.empty() && type == etWindowsProgram) {
        const auto blank = arg5.find(' ');
        candidate = blank == std::string::npos ? std::string() : arg5.substr(blank + 1);
        if (!ProjectFileExists(project, candidate)) candidate.clear();
    }
    list.add(candidate, origin);
}

void AddEntryFiles(const Project& project, const fs::path& dataFile, std::string_view source,
                   FileList& list) {
    for (const auto& entry : LoadEntriesOfSource(dataFile, source)) {
        const std::string origin = "the " + std::string(source) + " entry " + entry[0];
        auto add = [&](const std::string& name) { list.add(name, origin); };
        auto line = [&](std::size_t i) -> std::string_view {
            return i < entry.size() ? std::string_view(entry[i]) : std::string_view();
        };
        auto from = [](std::string_view s, std::size_t pos) {
            return s.size() > pos ? s.substr(pos) : std::string_view();
        };
        const std::string typeText(from(line(2), 5).substr(0, 2));
        const auto type = ParseInt32(typeText);
        if (!type)
            throw UserError("The type \"" + typeText + "\" of the " + std::string(source) +
                            " entry " + entry[0] + " in the tutorial data file " +
                            project.DataFileName + " is not a number.");
        const std::string v(from(line(3), 8));
        switch (*type) {
            case etGraphicOnly:
                add(Before(v, ','));
                break;
            case etVoiceOnly:
            case etVideoPlayer:
            case etMidiPlayer:
            case etHtmlFile:
                add(v);
                break;
            case etExecutable:
                add(v.find(',') != std::string::npos ? Before(v, ',') : v);
                break;
            case etGraphicAndText: {
                // One picture: the wallpaper when one is named, else the graphic.
                std::string candidate;
                const std::string graphic(from(line(6), 9));
                const std::string wallpaper(from(line(7), 11));
                if (!graphic.empty() && IsValidFileName(graphic)) candidate = graphic;
                if (!wallpaper.empty() && IsValidFileName(wallpaper)) candidate = wallpaper;
                add(candidate);
                break;
            }
            case etGraphicAndSound: {
                add(Before(v, ','));
                const auto first = v.find(',');
                if (first != std::string::npos) add(Before(std::string_view(v).substr(first + 1), ','));
                break;
            }
            case etWindowsProgram: {
                const auto blank = v.find(' ');
                if (blank != std::string::npos) {
                    const std::string file = v.substr(blank + 1);
                    if (ProjectFileExists(project, file)) add(file);
                }
                break;
            }
            case etNotePad:
                if (ProjectFileExists(project, v)) add(v);
                break;
            default:
                break;
        }
    }
}

// The copy's place in the target folder: the source's name on disk, bytes intact; an existing
// file of that name in another letter case is replaced.
fs::path TargetPath(const fs::path& target, const fs::path& source) {
    if (auto found = FindEntryIgnoringCase(target, DiskNameToCp1252(source.filename()))) return *found;
    return target / source.filename();
}

std::string WithoutTrailingSlash(std::string s) {
    while (s.size() > 1 && s.back() == '/') s.pop_back();
    return s;
}

}  // namespace

std::optional<std::string> DistributionFolderError(const fs::path& folder,
                                                   const fs::path& projectDir) {
    std::error_code ec;
    const fs::path a = fs::weakly_canonical(fs::absolute(folder, ec), ec);
    const fs::path b = fs::weakly_canonical(fs::absolute(projectDir, ec), ec);
    const bool same =
        EqualsIgnoringCase(WithoutTrailingSlash(a.lexically_normal().string()),
                           WithoutTrailingSlash(b.lexically_normal().string())) ||
        fs::equivalent(folder, projectDir, ec);
    if (same) return std::string("Files cannot be copied to Project directory.");
    // A control character (a line break above all) in the folder's name would end up in the
    // launchers written there.
    for (const unsigned char c : fs::absolute(folder, ec).string())
        if (c < 0x20 || c == 0x7f)
            return "The folder name " + Utf8ToCp1252(folder.string()) +
                   " holds a control character (such as a line break). Please choose a folder whose "
                   "name has none.";
    return std::nullopt;
}

std::vector<ListedFile> DistributionEntries(const Project& project, const std::string& playerPath) {
    const TTutorialConfig& config = project.Config;
    FileList list;

    const auto compiled = ListFilesByMask(project.ProjectDir, project.ProjectName + "*.QKC");
    if (compiled.empty()) throw UserError("No compiled Chapter files were found. Please compile them.");
    for (const auto& c : compiled) list.add(c.name, "the project folder", c.path);

    AddChapterImages(project, list);

    if (config.get(cfg::OpeningOn)) AddCommandSetting(project, cfg::Opening, "the opening command", list);
    if (config.get(cfg::ClosingOn)) AddCommandSetting(project, cfg::Closing, "the closing command", list);

    list.add(config.get(cfg::MainMenu::GraphicFile), "the main menu design");
    list.add(config.get(cfg::MainMenu::WallpaperFile), "the main menu design");

    if (config.get(cfg::AboutOn)) list.add(config.get(cfg::About::IconFile), "the about box");

    if (config.get(cfg::IntroOn)) {
        const std::string wallpaper = config.get(cfg::Intro::Screen.WallpaperFile);
        list.add(!wallpaper.empty() ? wallpaper : config.get(cfg::Intro::Screen.GraphicFile), "the introduction");
    }

    if (config.get(cfg::Program::IconOn)) list.add(config.get(cfg::Program::IconFile), "the program settings");

    switch (config.get(cfg::Program::BackgroundType)) {
        case 2: list.add(config.get(cfg::Program::BackgroundGraphic), "the program settings"); break;
        case 3: list.add(config.get(cfg::Program::BackgroundWallpaper), "the program settings"); break;
        default: break;
    }

    if (config.get(cfg::Program::HelpOn)) {
        const std::string help = config.get(cfg::Program::HelpFile);
        list.add(help, "the program settings");
        // The help viewer on Linux reads the book beside the help file, X.html for X.HLP.
        if (!help.empty() && ProjectFileExists(project, ChangeExtension(help, ".html")))
            list.add(ChangeExtension(help, ".html"), "the program settings");
    }

    if (!project.DataFileName.empty()) {
        const fs::path dataFile = project.DataFilePath();
        if (IsRegularFile(dataFile)) {
            for (auto source : {kSourceHyper, kSourceExecute, kSourceUtility})
                AddEntryFiles(project, dataFile, source, list);
        }
    }

    list.addAlways(project.ProjectName + ".QKD", "the project folder");
    if (!playerPath.empty()) list.addAlways(playerPath, "the program folder");
    return list.take();
}

std::vector<std::string> DistributionList(const Project& project, const std::string& playerPath) {
    std::vector<std::string> names;
    for (auto& entry : DistributionEntries(project, playerPath)) names.push_back(std::move(entry.name));
    return names;
}

std::string NoWindowsPlayerInfo(const std::string& projectName) {
    return "The distribution is made for learners on Linux: they play it with quilplay, started by " +
           LauncherScriptName(projectName) + " or " + LauncherDesktopName(projectName) +
           " in the folder. To play it on Windows too, put the Windows player " + std::string(kPlayerFileName) +
           " in the BFL Home Folder and prepare the distribution again.";
}

bool Distribute(const Project& project, DistributionUi& ui) {
    fs::path target;
    for (;;) {
        const auto chosen = ui.ChooseFolder();
        if (!chosen) return false;
        if (auto refusal = DistributionFolderError(*chosen, project.ProjectDir)) {
            ui.ShowError(*refusal);
            continue;
        }
        target = *chosen;
        break;
    }

    auto player = FindIgnoringCase(project.HomeDir, kPlayerFileName);
    if (player && !IsRegularFile(*player)) player.reset();
    // Without the Windows player the folder is still played on Linux, by quilplay.
    if (!player) ui.ShowInfo(NoWindowsPlayerInfo(project.ProjectName));
    if (!ProjectFileExists(project, project.ProjectName + ".QKD")) {
        ui.ShowError(project.ProjectName + ".QKD was not found." + " Please create the Data program.");
        return false;
    }

    std::vector<ListedFile> names;
    try {
        names = DistributionEntries(project, player ? DiskNameToCp1252(*player) : std::string());
    } catch (const UserError& e) {
        ui.ShowError(e.what());
        return false;
    }

    std::vector<fs::path> sources;
    sources.reserve(names.size());
    bool refused = false;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string& name = names[i].name;
        // The player is the last name, taken from its path (which need not fit Windows-1252).
        if (player && i + 1 == names.size()) {
            sources.push_back(*player);
            continue;
        }
        // Tutorials come from others: a name that leads outside the tutorial folder (by its
        // path or through a symbolic link) is refused like a missing file, naming where it was
        // found, so that nothing from elsewhere on the disk is gathered.
        ProjectPath found;
        if (!names[i].found.empty())  // as listed: a name that is not UTF-8 keeps its bytes
            found = {names[i].found, RealPathInside(project.ProjectDir, names[i].found)};
        else
            found = ResolveInProject(project.ProjectDir, name);
        if (!found.inside) {
            ui.ShowError("The file " + name + " named in " + names[i].origin + kOutsideFolder.data());
            refused = true;
            continue;
        }
        if (!IsRegularFile(found.path)) {
            ui.ShowError("The file " + name + " is missing.");
            refused = true;
            continue;
        }
        sources.push_back(found.path);
    }
    if (refused) return false;

    std::error_code ec, made;
    fs::create_directories(target, made);
    if (!fs::is_directory(target, ec)) {
        const std::string why = made ? made.message() : std::string("a file of that name is in the way");
        ui.ShowError("Unable to create the directory " + Utf8ToCp1252(target.string()) + ": " + why);
        return false;
    }

    // The tutorial's files are opened through the tutorial folder, opened once for the whole
    // distribution: a link swapped in after the checks above cannot lead out of it either.
    const TutorialFolder folder(project.ProjectDir);
    for (std::size_t i = 0; i < sources.size(); ++i) {
        ui.Copying(i, sources.size(), sources[i]);
        const fs::path to = TargetPath(target, sources[i]);
        // A link (or a pipe, a device) of that name in the target folder is replaced, never
        // written through: it could lead anywhere.
        const auto status = fs::symlink_status(to, ec);
        if (fs::is_symlink(status) || (fs::exists(status) && !fs::is_regular_file(status) &&
                                       !fs::is_directory(status)))
            fs::remove(to, ec);
        if (player && i + 1 == sources.size())
            CopyFileTo(sources[i], to);  // the player, from the program's own folder
        else
            CopyOpenFileTo(folder.OpenRead(sources[i]), sources[i], to);
    }

    WriteLinuxLauncher(target, project.ProjectName, Cp1252ToUtf8(project.Config.get(cfg::Program::ProgramTitle)));

    const std::string shown =
        WithoutTrailingSlash(fs::absolute(target, ec).lexically_normal().string()) + "/";
    ui.ShowMessage("All the files have been copied to the Directory " + Utf8ToCp1252(shown));
    return true;
}

}  // namespace quill
