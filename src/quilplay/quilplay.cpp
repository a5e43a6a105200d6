#include "quilplay.h"

#include <cstdlib>
#include <unistd.h>

#include "build/compiled_tutorial.h"
#include "project/tutorial_folder.h"
#include "project/file_names.h"
#include "text/cp1252.h"
#include "text/errors.h"
#include "text/file_lookup.h"
#include "text/folder_listing.h"
#include "text/text_file.h"

namespace quilplay {

namespace fs = std::filesystem;

const char* const kHelp =
    "usage: quilplay [FOLDER | FILE.QKD] [--window]\n"
    "       quilplay [FOLDER | FILE.QKD] [--answers FILE] [--snapshots DIR] [--trace] [--steps N]\n"
    "                [--bless FILE | --expect FILE]\n"
    "       quilplay [FOLDER | FILE.QKD] --data-folder\n\n"
    "Plays a compiled tutorial: the folder that holds its .QKD data file and .QKC chapters (the\n"
    "current folder when none is named), or the .QKD file itself. The tutorial fills the screen;\n"
    "--window shows it in an ordinary window instead, and F11 or Alt+Enter switches between the\n"
    "two. The tutorial's screen is enlarged to fit: by whole multiples where they fit, else\n"
    "smoothly; a right click offers View 1 x, 2 x and Fit (Ctrl+1, Ctrl+2, Ctrl+0).\n\n"
    "The learner's files (USER.DAT and the files the chapters write) are kept in the tutorial's\n"
    "folder when it can be written, otherwise in $XDG_DATA_HOME/quilplay/NAME (by default\n"
    "~/.local/share/quilplay/NAME), and read back from there. --data-folder prints that folder.\n\n"
    "Without a display (--headless, or any of the options below) the tutorial is played as\n"
    "quillc play plays a project, and messages are printed: \"ERROR: \" and \"INFO: \".\n"
    "  --answers FILE   answers every wait, one answer a line (see quillc play --help)\n"
    "  --snapshots DIR  writes a PNG of the screen at every wait as DIR/NNN.png\n"
    "  --trace          prints each line as it is executed: TRACE CHAPTER.QKS:N: text\n"
    "  --steps N        stops after N executed lines\n"
    "  --bless FILE     writes a transcript of the run to FILE (see quillc play --help)\n"
    "  --expect FILE    compares the run's transcript with FILE; a difference is printed as a\n"
    "                   unified diff and the exit status is 1\n\n"
    "Exit status: 0 the tutorial ended normally, 1 it stopped on a script error or its\n"
    "transcript differs from --expect, 2 wrong usage or a tutorial that cannot be read.\n";

std::optional<Options> ParseArgs(const Args& args, Io io, bool& help) {
    Options o;
    help = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& into, const char* what) {
            if (i + 1 >= args.size()) {
                io.err << "quilplay: " << a << " needs " << what << "\n";
                return false;
            }
            into = args[++i];
            return true;
        };
        if (a == "--help" || a == "-h") {
            help = true;
            return o;
        } else if (a == "--window") {
            o.window = true;
        } else if (a == "--data-folder") {
            o.dataFolder = true;
        } else if (a == "--headless") {
            o.headless = true;
        } else if (a == "--answers") {
            if (!value(o.answers, "a file")) return std::nullopt;
            o.headless = true;
        } else if (a == "--snapshots") {
            if (!value(o.snapshots, "a folder")) return std::nullopt;
            o.headless = true;
        } else if (a == "--trace") {
            o.trace = o.headless = true;
        } else if (a == "--bless" || a == "--expect") {
            if (!value(a == "--bless" ? o.bless : o.expect, "a file")) return std::nullopt;
            o.headless = true;
        } else if (a == "--steps") {
            std::string n;
            if (!value(n, "a number")) return std::nullopt;
            try {
                std::size_t used = 0;
                o.steps = std::stoll(n, &used);
                if (used != n.size() || o.steps < 1) throw std::invalid_argument(n);
            } catch (const std::exception&) {
                io.err << "quilplay: --steps needs a number of lines above 0, not '" << n << "'\n";
                return std::nullopt;
            }
            o.headless = true;
        } else if (!a.empty() && a[0] == '-') {
            io.err << "quilplay: unknown option '" << a << "'\n" << kHelp;
            return std::nullopt;
        } else if (o.tutorial.empty()) {
            o.tutorial = a;
        } else {
            io.err << "quilplay: too many arguments\n" << kHelp;
            return std::nullopt;
        }
    }
    return o;
}

fs::path DefaultDataHome() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && *xdg && fs::path(xdg).is_absolute()) return xdg;
    const char* home = std::getenv("HOME");
    // Without a home there is no folder of the learner's own: a shared one such as /tmp would
    // let others read or prepare the learner's files.
    if (!home || !*home || !fs::path(home).is_absolute()) return {};
    return fs::path(home) / ".local" / "share";
}

std::string LearnerFolderName(const std::string& tutorialName) {
    // Every byte that could make the name a path of its own (a separator, a control character,
    // a name of dots only) is written as %XX, and '%' itself, so two names never share a folder.
    const bool dotsOnly = tutorialName.find_first_not_of('.') == std::string::npos;
    std::string safe;
    for (const char ch : tutorialName) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x20 || c == 0x7f || c == '/' || c == '\\' || c == '%' || (dotsOnly && c == '.')) {
            static const char* const hex = "0123456789ABCDEF";
            safe += '%';
            safe += hex[c >> 4];
            safe += hex[c & 15];
        } else {
            safe += ch;
        }
    }
    return safe.empty() ? "%" : safe;
}

bool FolderIsWritable(const fs::path& folder) {
    std::string probe = (folder / ".quilplay-XXXXXX").string();
    const int fd = ::mkstemp(probe.data());
    if (fd < 0) return false;
    ::close(fd);
    std::error_code ec;
    fs::remove(probe, ec);
    return true;
}

fs::path LearnerFolder(const fs::path& tutorialDir, const std::string& tutorialName, bool tutorialWritable,
                       const fs::path& dataHome) {
    if (tutorialWritable) return tutorialDir;
    if (dataHome.empty())
        throw quill::UserError("The tutorial folder " + quill::DisplayName(tutorialDir) +
                               " cannot be written, and there is no folder of your own to keep your "
                               "answers in: neither HOME nor XDG_DATA_HOME is set.");
    return dataHome / "quilplay" / quill::Cp1252ToPath(LearnerFolderName(tutorialName));
}

void MakeLearnerFolder(const fs::path& dataHome, const fs::path& folder) {
    std::error_code ec;
    fs::create_directories(dataHome, ec);
    // Below the data home, each part is made (or found) without following a link: a learner
    // folder that is a link could send the tutorial's writes anywhere.
    const quill::TutorialFolder home(dataHome);
    try {
        home.MakeFolders(folder);
    } catch (const quill::IoError& e) {
        throw quill::IoError("Cannot use the folder " + quill::DisplayName(folder) +
                             " for the learner's files: " + e.what() +
                             " (a symbolic link is not followed there; remove it and start again)");
    }
}

std::optional<Options> WithChosenTutorial(Options options,
                                          const std::function<std::optional<fs::path>()>& choose) {
    if (!options.tutorial.empty()) return options;
    std::error_code ec;
    if (!quill::ListFilesByMask(fs::current_path(ec), "*.QKD").empty()) return options;
    const auto chosen = choose();
    if (!chosen) return std::nullopt;
    options.tutorial = chosen->string();
    return options;
}

quill::Project OpenCompiledTutorial(const Options& options) {
    std::error_code ec;
    fs::path named = options.tutorial.empty() ? fs::current_path(ec) : fs::path(options.tutorial);
    fs::path dataFile;
    // A folder named is read once: for its data file here, and for what a killed run left there
    // when the learner's files are kept in it.
    std::optional<quill::FolderListing> listed;
    if (fs::is_directory(named, ec)) {
        listed = quill::ListFolder(named);
        const auto found = quill::FilesByMask(*listed, "*.QKD");
        if (found.empty())
            throw quill::UserError("No compiled tutorial (a .QKD file) was found in " + quill::DisplayName(named) + ".");
        if (found.size() > 1)
            throw quill::UserError("The folder " + quill::DisplayName(named) + " holds several tutorials (" +
                                   quill::Cp1252ToUtf8(found[0].name) + ", " + quill::Cp1252ToUtf8(found[1].name) +
                                   (found.size() > 2 ? ", ..." : "") + "): name the .QKD file to play.");
        // The path the listing found: a Windows-1252 name unpacked from a Windows archive is
        // read with its bytes as they are on disk.
        dataFile = found[0].path;
    } else if (fs::is_regular_file(named, ec)) {
        dataFile = named;
    } else {
        throw quill::UserError("The tutorial " + quill::DisplayName(named) + " was not found.");
    }
    // The settings and the index of the data now; each entry when the tutorial first asks for it.
    auto source = std::make_shared<quill::CompiledSource>(dataFile);

    quill::Project project;
    project.ProjectDir = fs::absolute(dataFile, ec).parent_path();
    project.HomeDir = project.ProjectDir;
    project.ProjectName = quill::NameOnly(quill::DiskNameToCp1252(dataFile.filename()));
    project.DataFileName = project.ProjectName + ".QKR";
    project.Config = source->Config();
    project.ProgramTitle = project.Config.get(quill::cfg::Program::ProgramTitle);
    project.Source = std::move(source);
    // The folder is tried (a file made and removed in it) only when the caller does not know.
    const bool writable = options.folderWritable ? *options.folderWritable : FolderIsWritable(project.ProjectDir);
    // The learner's data home is looked up only when the tutorial's folder is not theirs to use.
    const fs::path dataHome = writable ? fs::path() : options.dataHome.empty() ? DefaultDataHome() : options.dataHome;
    project.LearnerDir = LearnerFolder(project.ProjectDir, project.ProjectName, writable, dataHome);
    if (project.LearnerDir != project.ProjectDir) MakeLearnerFolder(dataHome, project.LearnerDir);
    // What a killed run left half-written is cleared before the tutorial reads its files.
    if (listed && project.LearnerDir == project.ProjectDir)  // the folder listed
        quill::RemoveStaleTemporaries(*listed);
    else
        quill::RemoveStaleTemporaries(project.LearnerDir);
    return project;
}

int PlayHeadless(quill::Project& project, const Options& options, Io io) {
    quillc::PlayRun run;
    run.answers = options.answers;
    run.snapshots = options.snapshots;
    run.trace = options.trace;
    run.steps = options.steps;
    run.bless = options.bless;
    run.expect = options.expect;
    return quillc::PlayProject(project, run, io);
}

}  // namespace quilplay
