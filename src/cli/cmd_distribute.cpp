#include <filesystem>
#include <iostream>

#include "build/distribute.h"
#include "cli.h"
#include "project/project.h"
#include "project/starting_chapter.h"
#include "text/cp1252.h"
#include "text/errors.h"

namespace quillc {

namespace fs = std::filesystem;

const char* const kDistributeHelp =
    "usage: quillc distribute FILE.QKJ TARGET [--home DIR]\n\n"
    "Prepares the distribution folder TARGET as \"Prepare Distribution\" does: checks that the\n"
    "runtime player QUILPLAY.EXE, the compiled data file and the compiled chapters exist, lists\n"
    "every file the tutorial names (chapter images, opening and closing commands, menu, about\n"
    "box, introduction, icon, background, help file and the entries of the data file), reports\n"
    "every missing one, and copies them all into TARGET (created when needed) only when none is\n"
    "missing. TARGET must not be the project folder. QUILPLAY.EXE is taken from DIR, by\n"
    "default the folder of quillc. Prints the program's messages; on a terminal, progress goes\n"
    "to standard error. A tutorial whose first chapter (the starting chapter, or the first\n"
    "chapter of the main menu) does not exist is refused. Exit status: 0 copied, 1 refused, 2\n"
    "wrong usage or a file that cannot be read or written.\n";

namespace {

class CliDistributionUi : public quill::DistributionUi {
public:
    CliDistributionUi(Io io, fs::path target) : io_(io), progress_(io), target_(std::move(target)) {}
    // The folder is the one given; a refused folder ends the run (there is no dialog to retry).
    std::optional<fs::path> ChooseFolder() override {
        if (asked_) return std::nullopt;
        asked_ = true;
        return target_;
    }
    void ShowError(const std::string& text) override { PrintError(io_, text); }
    void ShowMessage(const std::string& text) override { PrintInfo(io_, text); }
    void Copying(std::size_t i, std::size_t n, const fs::path& file) override {
        progress_.Show("Copying file " + std::to_string(i + 1) + " of " + std::to_string(n) +
                       ": " + file.filename().string());
        if (i + 1 == n) progress_.Done();
    }

private:
    Io io_;
    Progress progress_;
    fs::path target_;
    bool asked_ = false;
};

}  // namespace

int CmdDistribute(const Args& args, Io io) {
    std::vector<std::string> words;
    std::optional<fs::path> home;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--home" && i + 1 < args.size())
            home = args[++i];
        else if (!args[i].empty() && args[i][0] != '-')
            words.push_back(args[i]);
        else
            words.push_back({});  // an unknown option: wrong usage below
    }
    if (words.size() != 2 || words[0].empty() || words[1].empty()) {
        io.err << kDistributeHelp;
        return ExitUsage;
    }
    try {
        quill::Project project(home ? *home : quill::ProgramFolder());
        if (!OpenProjectFile(io, project, words[0])) return ExitUsage;
        // The main window offers no distribution for a tutorial without its first chapter.
        if (const auto problem = quill::StartingChapterProblem(project.Config, project.ProjectDir)) {
            PrintError(io, *problem);
            return ExitFailed;
        }
        CliDistributionUi ui(io, words[1]);
        return quill::Distribute(project, ui) ? ExitOk : ExitFailed;
    } catch (const std::exception& e) {  // IoError of a copy or a read: the message names the file
        PrintSystemError(io, e.what());
        return ExitUsage;
    }
}

}  // namespace quillc
