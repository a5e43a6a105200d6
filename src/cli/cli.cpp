#include "cli.h"

#include <algorithm>
#include <iostream>

#include "text/cp1252.h"

namespace quillc {

namespace {

struct Command {
    const char* name;
    const char* summary;
    int (*run)(const Args&, Io);
    const char* const* help;
};

const Command kCommands[] = {
    {"new", "create a tutorial project", CmdNew, &kNewHelp},
    {"translate", "translate chapter lines read on standard input", CmdTranslate, &kTranslateHelp},
    {"check", "check the chapters of a project without running them", CmdCheck, &kCheckHelp},
};

void PrintUsage(std::ostream& os) {
    os << "usage: quillc COMMAND [ARGS...]\n"
          "       quillc COMMAND --help\n\n"
          "Commands:\n";
    for (const auto& c : kCommands) {
        std::string name = c.name;
        name.resize(12, ' ');
        os << "  " << name << c.summary << '\n';
    }
}

}  // namespace

std::string EscapeLineBreaks(std::string_view message) {
    std::string out;
    out.reserve(message.size());
    for (char c : message) {
        if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else
            out += c;
    }
    return out;
}

void PrintError(Io io, std::string_view message) {
    io.out << "ERROR: " << quill::Cp1252ToUtf8(EscapeLineBreaks(message)) << '\n';
}

void PrintInfo(Io io, std::string_view message) {
    io.out << "INFO: " << quill::Cp1252ToUtf8(EscapeLineBreaks(message)) << '\n';
}

void PrintSystemError(Io io, std::string_view utf8Message) {
    io.out << "ERROR: " << EscapeLineBreaks(utf8Message) << '\n';
}

bool WantsHelp(const Args& args) {
    return std::any_of(args.begin(), args.end(),
                       [](const std::string& a) { return a == "--help" || a == "-h"; });
}

int Run(const Args& args, Io io) {
    if (args.empty()) {
        PrintUsage(io.err);
        return ExitUsage;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        PrintUsage(io.out);
        return ExitOk;
    }
    for (const auto& c : kCommands) {
        if (args[0] != c.name) continue;
        const Args rest(args.begin() + 1, args.end());
        if (WantsHelp(rest)) {
            io.out << *c.help;
            return ExitOk;
        }
        return c.run(rest, io);
    }
    io.err << "quillc: unknown command '" << args[0] << "'\n";
    PrintUsage(io.err);
    return ExitUsage;
}

}  // namespace quillc
