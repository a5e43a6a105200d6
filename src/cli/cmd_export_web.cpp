#include <QGuiApplication>
#include <filesystem>
#include <iostream>

#include "cli.h"
#include "export/web_export.h"

namespace quillc {

namespace fs = std::filesystem;

const char* const kExportWebHelp =
    "usage: quillc export-web FILE.QKJ FOLDER\n\n"
    "Compiles the tutorial (as \"compile\" does) and writes FOLDER (made when needed), which\n"
    "plays the whole tutorial in a web browser: open FOLDER/index.html with a double click, or\n"
    "put the folder on any web server. It holds the page, the player engine (built for\n"
    "WebAssembly, in one script), and the tutorial's compiled chapters, data file and media with\n"
    "its pictures and rich texts converted for the browser. A tutorial that does not compile, or\n"
    "whose files are missing, is refused with the reason and nothing is written. The page's\n"
    "files are taken from $QUILL_WEB_DIR, else the folder web beside quillc.\n"
    "Exit status: 0 written, 1 refused, 2 wrong usage.\n";

int CmdExportWeb(const Args& args, Io io) {
    const auto operands = TwoOperands(args);
    if (!operands) {
        io.err << kExportWebHelp;
        return ExitUsage;
    }
    const auto& [projectFile, folder] = *operands;
    std::error_code ec;
    if (!fs::is_regular_file(projectFile, ec)) {
        PrintSystemError(io, "Cannot open the project file " + projectFile + ": it does not exist");
        return ExitUsage;
    }
    // The glyph masks, pictures and rich texts are made with Qt's drawing.
    const auto app = EnsureGuiApplication();
    Progress progress(io);
    std::string error;
    const bool ok = quill::ExportWebFolder(projectFile, folder, &error,
                                           [&](int step, int steps, const std::string& what) {
                                               progress.Show(what + " (" + std::to_string(step + 1) + " of " +
                                                             std::to_string(steps) + ")");
                                               if (step + 1 == steps) progress.Done();
                                           });
    if (!ok) {
        progress.Done();
        // One line each: the reason, then the files or compiler messages it lists.
        PrintSystemErrorLines(io, error);
        return ExitFailed;
    }
    io.out << "The web folder " << folder << " is written: open " << (fs::path(folder) / "index.html").string()
           << " in a web browser.\n";
    return ExitOk;
}

}  // namespace quillc
