#include "cli.h"

#include <algorithm>
#include <iostream>
#include <string_view>

#include <unistd.h>

#include "build/messages.h"
#include "project/project.h"
#include "text/cp1252.h"
#include "text/errors.h"

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
    {"compile", "compile the tutorial (or one chapter)", CmdCompile, &kCompileHelp},
    {"distribute", "prepare a distribution folder", CmdDistribute, &kDistributeHelp},
    {"export-web", "write a folder that plays the tutorial in a web browser", CmdExportWeb, &kExportWebHelp},
    {"export-scorm", "write a SCORM 1.2 package for a learning management system", CmdExportScorm, &kExportScormHelp},
    {"play", "run a chapter or the whole tutorial without a window", CmdPlay, &kPlayHelp},
    {"test", "run the tutorial's tests and compare their transcripts", CmdTest, &kTestHelp},
    {"coverage", "report what runs of answers files leave unreached", CmdCoverage, &kCoverageHelp},
};

void PrintUsage(std::ostream& os) {
    os << "usage: quillc COMMAND [ARGS...]\n"
          "       quillc COMMAND --help\n\n"
          "Commands:\n";
    // The summaries start in one column, two blanks after the longest command name.
    std::size_t width = 0;
    for (const auto& c : kCommands) width = std::max(width, std::string_view(c.name).size());
    for (const auto& c : kCommands) {
        std::string name = c.name;
        name.resize(width + 2, ' ');
        os << "  " << name << c.summary << '\n';
    }
    os << "\nExamples, with the sample tutorial \"Reading a Map\" that lies in the folder \"sample\"\n"
          "beside quillc (work on a copy: playing and compiling write into the tutorial's folder):\n"
          "  cp -r sample ~/maps\n"
          "  quillc check ~/maps/MAPS.QKJ\n"
          "  quillc play ~/maps/MAPS.QKJ MAPS2 --answers ~/maps/answers/MAPS2.txt --trace\n"
          "  quillc play ~/maps/MAPS.QKJ MAPS1 --answers ~/maps/answers/MAPS1.txt --snapshots shots\n"
          "  quillc test ~/maps/MAPS.QKJ\n"
          "  quillc coverage ~/maps/MAPS.QKJ ~/maps/tests/chapter1.answers --html coverage.html\n"
          "  quillc compile ~/maps/MAPS.QKJ\n"
          "  quillc distribute ~/maps/MAPS.QKJ ~/maps-dist\n"
          "  quillc export-web ~/maps/MAPS.QKJ ~/maps-web\n"
          "  quillc export-scorm ~/maps/MAPS.QKJ ~/maps-scorm.zip\n"
          "  quillc new ~/tutorials/safety SAFETY\n";
}

}  // namespace

std::string EscapeLineBreaks(std::string_view message) {
    // A message names files and lines from tutorials made elsewhere; what it holds must not
    // steer the terminal or split the line. A name of megabytes is cut in the middle.
    constexpr std::size_t kKeep = 1000;
    std::string cut;
    if (message.size() > 2 * kKeep) {
        cut.append(message.substr(0, kKeep))
            .append("[... " + std::to_string(message.size() - 2 * kKeep) + " of " +
                    std::to_string(message.size()) + " bytes cut ...]")
            .append(message.substr(message.size() - kKeep));
        message = cut;
    }
    static const char* const kHex = "0123456789ABCDEF";
    std::string out;
    out.reserve(message.size());
    for (char ch : message) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\t')
            out += "\\t";
        else if (c < 0x20 || c == 0x7F) {
            out += "\\x";
            out += kHex[c >> 4];
            out += kHex[c & 15];
        } else
            out += ch;
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

void PrintSystemErrorLines(Io io, std::string_view utf8Text) {
    for (std::size_t start = 0;;) {
        const std::size_t end = utf8Text.find('\n', start);
        PrintSystemError(io, utf8Text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
}

void PrintMessages(Io io, const quill::BuildMessages& messages) {
    for (const auto& m : messages) {
        if (m.kind == quill::BuildMessage::Kind::Error)
            PrintError(io, m.text);
        else
            PrintInfo(io, m.text);
    }
}

Progress::Progress(Io io) {
    if (&io.err == &std::cerr && ::isatty(STDERR_FILENO)) err_ = &io.err;
}

void Progress::Show(const std::string& utf8Text) {
    if (!err_) return;
    *err_ << "\r\033[K" << EscapeLineBreaks(utf8Text) << std::flush;
    open_ = true;
}

void Progress::Done() {
    if (!err_ || !open_) return;
    *err_ << "\r\033[K" << std::flush;
    open_ = false;
}

bool OpenProjectFile(Io io, quill::Project& project, const std::string& utf8Path) {
    const std::filesystem::path file(utf8Path);
    std::error_code ec;
    if (!std::filesystem::exists(file, ec)) {
        PrintSystemError(io, "Cannot open the project file " + utf8Path + ": it does not exist");
        return false;
    }
    // Only `quillc new` makes a project file: any other file is refused here as `check`
    // refuses it, before anything is written beside it.
    if (auto error = ProjectFileError(file)) {
        PrintSystemError(io, *error);
        return false;
    }
    try {
        quill::SelectTutorial(project, file);
    } catch (const quill::IoError& e) {
        PrintSystemError(io, e.what());
        return false;
    }
    return true;
}

std::optional<std::string> ProjectFileError(const std::filesystem::path& file) {
    try {
        quill::ReadConfigRecord(file);
    } catch (const quill::IoError& e) {
        return std::string(e.what());
    }
    const std::string name = file.filename().string();
    if (name.size() < 4 || !quill::EqualsIgnoringCase(std::string_view(name).substr(name.size() - 4), ".QKJ"))
        return "Cannot open the project file " + file.string() +
               ": the name of a project file ends in .QKJ";
    return std::nullopt;
}

std::optional<std::pair<std::string, std::string>> TwoOperands(const Args& args) {
    if (args.size() != 2) return std::nullopt;
    for (const auto& a : args)
        if (a.empty() || a[0] == '-') return std::nullopt;
    return std::pair{args[0], args[1]};
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
