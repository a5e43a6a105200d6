#include <iostream>

#include "cli.h"
#include "project/project.h"
#include "text/cp1252.h"
#include "text/errors.h"
#include "text/text_file.h"

namespace quillc {

const char* const kNewHelp =
    "usage: quillc new FOLDER NAME\n\n"
    "Creates a tutorial project as \"Create New Tutorial\" does: the folder is created when it\n"
    "does not exist, the project file is NAME with the extension .QKJ and holds the default\n"
    "configuration. A tutorial of that name that exists in the folder (in any letter case) is\n"
    "opened, not created again. Prints the project file's path.\n";

int CmdNew(const Args& args, Io io) {
    if (args.size() != 2) {
        io.err << kNewHelp;
        return ExitUsage;
    }
    quill::Project project(quill::ProgramFolder());
    try {
        quill::NewTutorial(project, args[0], quill::Utf8ToCp1252(args[1]));
    } catch (const quill::UserError& e) {
        PrintError(io, e.what());
        return ExitFailed;
    } catch (const quill::IoError& e) {
        PrintSystemError(io, e.what());
        return ExitUsage;
    }
    io.out << EscapeLineBreaks(project.ProjectFilePath().string()) << '\n';
    return ExitOk;
}

}  // namespace quillc
