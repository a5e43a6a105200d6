#include <iostream>
#include <iterator>

#include "cli.h"
#include "project/project.h"
#include "script/line_kind.h"
#include "script/translate.h"
#include "text/cp1252.h"
#include "text/errors.h"
#include "text/text_file.h"

namespace quillc {

const char* const kTranslateHelp =
    "usage: quillc translate [--project FILE.QKJ]\n\n"
    "Reads chapter lines on standard input and writes one line for each on standard output:\n"
    "the translated line of a command line (a line starting with '*'), \"ERROR: \" and the\n"
    "message for a command line that does not translate, and any other line unchanged.\n"
    "Colour words are looked up in the colour table of the project FILE.QKJ, or in the table of\n"
    "a new tutorial without --project.\n\n"
    "Input lines may end in CR LF, LF or CR. A line that is valid UTF-8 is read as UTF-8; any\n"
    "other line is taken as Windows-1252 bytes, as chapter files are stored. Output is UTF-8.\n"
    "Exit status: 0 when every command line translated, 1 when any did not, 2 on wrong usage\n"
    "or a project file that cannot be read.\n";

namespace {

bool IsValidUtf8(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size();) {
        if (static_cast<unsigned char>(text[pos]) < 0x80) {
            ++pos;
            continue;
        }
        if (quill::DecodeUtf8(text, pos) < 0) return false;
    }
    return true;
}

}  // namespace

int CmdTranslate(const Args& args, Io io) {
    std::optional<std::string> projectFile;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--project" && i + 1 < args.size() && !projectFile) {
            projectFile = args[++i];
        } else {
            io.err << kTranslateHelp;
            return ExitUsage;
        }
    }
    quill::TTutorialConfig config;
    if (projectFile) {
        try {
            config = quill::ReadConfigRecord(*projectFile);
        } catch (const quill::IoError& e) {
            PrintSystemError(io, e.what());
            return ExitUsage;
        }
    } else {
        quill::SetConfigDefaults(config);
    }
    const quill::ColorTable colors(config);

    const std::string input{std::istreambuf_iterator<char>(io.in), std::istreambuf_iterator<char>()};
    int status = ExitOk;
    std::string translated, error;
    for (const std::string& raw : quill::SplitLines(input)) {
        const bool utf8 = IsValidUtf8(raw);
        if (quill::ClassifyLine(raw) != quill::LineKind::Command) {
            io.out << (utf8 ? raw : quill::Cp1252ToUtf8(raw)) << '\n';
            continue;
        }
        const std::string line = utf8 ? quill::Utf8ToCp1252(raw) : raw;
        if (quill::TranslateCommandLine(line, colors, translated, error)) {
            io.out << quill::Cp1252ToUtf8(translated) << '\n';
        } else {
            PrintError(io, error);
            status = ExitFailed;
        }
    }
    return status;
}

}  // namespace quillc
