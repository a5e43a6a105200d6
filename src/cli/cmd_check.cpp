#include <iostream>

#include "cli.h"
#include "project/file_names.h"
#include "project/project_path.h"
#include "project/tutorial_folder.h"
#include "project/project.h"
#include "project/starting_chapter.h"
#include "script/chapter_check.h"
#include "text/cp1252.h"
#include "text/errors.h"
#include "text/file_lookup.h"
#include "text/text_file.h"

namespace quillc {

namespace fs = std::filesystem;

const char* const kCheckHelp =
    "usage: quillc check FILE.QKJ [--warnings] [CHAPTER ...]\n\n"
    "Checks the chapters of the project FILE.QKJ (every file NAME*.QKS of its folder, or only\n"
    "the CHAPTERs named; \".QKS\" is added to a name without an extension; letter case does not\n"
    "matter) without running them, and reports what the player is certain to stop on, or to\n"
    "show an error box for, when it reaches the line, with the player's own message: lines that\n"
    "do not translate; operands in error (numbers, ranges, colours, file names, letters,\n"
    "legends, headings); jumps and page labels inside branches and quizzes, nested quizzes;\n"
    "branches, quizzes, match tables and menus without their markers or lines; jumps to labels\n"
    "and chapters that do not exist; pictures not in the tutorial folder; window texts not in\n"
    "the data file. Lines that commands read as data (match lists, answer and pop-up texts)\n"
    "are not read as commands; the actions of match tables and menus are.\n"
    "Each problem is printed as CHAPTER.QKS:LINE: message. Without CHAPTERs, a tutorial whose\n"
    "first chapter (the starting chapter, or the first chapter of the main menu) does not exist\n"
    "is reported too.\n\n"
    "  --warnings   also print what depends on the run or only shows an information box (a\n"
    "               file the chapter may write first, an executable or hypertext word without\n"
    "               its entry), as CHAPTER.QKS:LINE: warning: message\n\n"
    "Exit status: 0 when there is no error (warnings do not count), 1 when there is any, 2 on\n"
    "wrong usage or a file that cannot be read.\n";

int CmdCheck(const Args& args, Io io) {
    if (args.empty()) {
        io.err << kCheckHelp;
        return ExitUsage;
    }
    bool warnings = false;
    Args rest;
    for (const auto& a : args) {
        if (a == "--warnings")
            warnings = true;
        else
            rest.push_back(a);
    }
    if (rest.empty()) {
        io.err << kCheckHelp;
        return ExitUsage;
    }
    const fs::path projectFile = rest[0];
    if (auto error = ProjectFileError(projectFile)) {
        PrintSystemError(io, *error);
        return ExitUsage;
    }
    quill::TTutorialConfig config;
    try {
        config = quill::ReadConfigRecord(projectFile);
    } catch (const quill::IoError& e) {
        PrintSystemError(io, e.what());
        return ExitUsage;
    }
    fs::path projectDir = projectFile.parent_path();
    if (projectDir.empty()) projectDir = ".";
    const std::string projectName = quill::NameOnly(quill::DiskNameToCp1252(projectFile.filename()));
    const quill::CheckContext context(config, projectDir,
                                      quill::ResolveInFolder(projectDir, projectName + ".QKR"));
    auto isFile = [&](const std::string& name) {
        const auto found = quill::FindIgnoringCase(projectDir, name);
        std::error_code ec;
        return found && fs::is_regular_file(*found, ec);
    };

    int status = ExitOk;
    std::vector<fs::path> chapters;
    if (rest.size() == 1) {
        // By the paths the listing found: names that are not UTF-8 (or hold a '\\') are read too.
        for (auto& listed : quill::ListFilesByMask(projectDir, projectName + "*.QKS"))
            chapters.push_back(std::move(listed.path));
        if (chapters.empty()) PrintInfo(io, "There are no chapter files " + projectName + "*.QKS to check.");
        // The whole tutorial is checked: it cannot be previewed, compiled or distributed
        // without its first chapter.
        if (const auto problem = quill::StartingChapterProblem(config, projectDir)) {
            PrintError(io, *problem);
            status = ExitFailed;
        }
    } else {
        for (std::size_t i = 1; i < rest.size(); ++i) {
            std::string name = quill::Utf8ToCp1252(rest[i]);
            const auto slash = name.find_last_of("\\/");
            if (name.find('.', slash == std::string::npos ? 0 : slash + 1) == std::string::npos) name += ".QKS";
            if (!isFile(name)) {
                PrintError(io, name + " was not found");
                status = ExitUsage;
                continue;
            }
            chapters.push_back(*quill::FindIgnoringCase(projectDir, name));
        }
    }

    for (const fs::path& file : chapters) {
        if (!quill::RealPathInside(projectDir, file)) {
            PrintSystemError(io, "Cannot read the chapter " + file.string() +
                                     ": it leads outside the tutorial folder");
            status = ExitUsage;
            continue;
        }
        // One buffer: memory follows the chapter's size, not its number of lines.
        quill::LineBuffer lines;
        try {
            lines = quill::LineBuffer(quill::TutorialFolder(projectDir).Read(file));
        } catch (const quill::IoError& e) {
            PrintSystemError(io, e.what());
            status = ExitUsage;
            continue;
        }
        const std::string shown = quill::Cp1252ToUtf8(EscapeLineBreaks(quill::DiskNameToCp1252(file.filename())));
        for (const auto& problem : quill::CheckChapter(lines, context)) {
            if (problem.warning && !warnings) continue;
            io.out << shown << ':' << problem.line << ": " << (problem.warning ? "warning: " : "")
                   << quill::Cp1252ToUtf8(EscapeLineBreaks(problem.message)) << '\n';
            if (!problem.warning && status == ExitOk) status = ExitFailed;
        }
    }
    return status;
}

}  // namespace quillc
