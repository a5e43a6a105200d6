#include <filesystem>
#include <iostream>

#include "build/compiler.h"
#include "cli.h"
#include "project/project.h"
#include "project/starting_chapter.h"
#include "text/cp1252.h"
#include "text/errors.h"
#include "text/file_lookup.h"

namespace quillc {

namespace fs = std::filesystem;

const char* const kCompileHelp =
    "usage: quillc compile FILE.QKJ [--chapter NAME]\n\n"
    "Compiles the tutorial as \"Compile Full Tutorial\" does: the compiled data file\n"
    "(project name + .QKD: the configuration record and the compiled tutorial data file) and a\n"
    "compiled chapter (.QKC) for every chapter (project name + *.QKS) of the project folder.\n"
    "With --chapter, compiles only the chapter NAME (with or without .QKS, any letter case), as\n"
    "\"Compile One Chapter\" does. Prints the program's messages; on a terminal, progress goes\n"
    "to standard error. A tutorial whose first chapter (the starting chapter, or the first\n"
    "chapter of the main menu) does not exist is not compiled. Exit status: 0 compiled, 1 a\n"
    "chapter or the data file could not be compiled or the first chapter is missing, 2 wrong\n"
    "usage or a file that cannot be read or written.\n";

int CmdCompile(const Args& args, Io io) {
    std::string projectFile;
    std::optional<std::string> chapter;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--chapter" && i + 1 < args.size()) {
            chapter = args[++i];
        } else if (!args[i].empty() && args[i][0] != '-' && projectFile.empty()) {
            projectFile = args[i];
        } else {
            io.err << kCompileHelp;
            return ExitUsage;
        }
    }
    if (projectFile.empty()) {
        io.err << kCompileHelp;
        return ExitUsage;
    }
    try {
        quill::Project project(quill::ProgramFolder());
        if (!OpenProjectFile(io, project, projectFile)) return ExitUsage;
        // The main window offers no compile for a tutorial without its first chapter.
        if (const auto problem = quill::StartingChapterProblem(project.Config, project.ProjectDir)) {
            PrintError(io, *problem);
            return ExitFailed;
        }
        quill::KeyGenerator keys;  // one run of quillc is one run of the compiler
        quill::BuildMessages messages;
        if (chapter) {
            const std::string name = quill::Utf8ToCp1252(*chapter);
            auto found = quill::FindIgnoringCase(project.ProjectDir, name);
            if (!found || !fs::is_regular_file(*found))
                found = quill::FindIgnoringCase(project.ProjectDir, name + ".QKS");
            if (!found || !fs::is_regular_file(*found)) {
                PrintSystemError(io, "Cannot read the chapter " + *chapter + ": there is no file " +
                                         "of that name in " + project.ProjectDir.string());
                return ExitUsage;
            }
            messages = quill::CompileOneChapterCommand(project, keys,
                                                       quill::DiskNameToCp1252(found->filename()));
        } else {
            Progress progress(io);
            messages = quill::CompileAllCommand(
                project, keys, [&](std::size_t i, std::size_t n, const std::string& name) {
                    progress.Show("Compiling chapter " + std::to_string(i + 1) + " of " +
                                  std::to_string(n) + ": " + quill::Cp1252ToUtf8(name));
                });
        }
        PrintMessages(io, messages);
        return quill::HasError(messages) ? ExitFailed : ExitOk;
    } catch (const std::exception& e) {  // IoError, FormatError: the message names the file
        PrintSystemError(io, e.what());
        return ExitUsage;
    }
}

}  // namespace quillc
