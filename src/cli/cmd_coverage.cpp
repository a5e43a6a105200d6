#include <QGuiApplication>
#include <iostream>

#include "cli.h"
#include "headless_host.h"
#include "project/project.h"
#include "project/tutorial_folder.h"
#include "text/cp1252.h"
#include "text/errors.h"
#include "text/file_lookup.h"
#include "text/line_buffer.h"
#include "text/text_file.h"
#include "text_codec.h"
#include "tutorial/headless_run.h"
#include "tutorial/play_coverage.h"
#include "tutorial/tutorial_tests.h"

namespace quillc {

namespace fs = std::filesystem;

const char* const kCoverageHelp =
    "usage: quillc coverage FILE.QKJ ANSWERS... [--html FILE]\n\n"
    "Plays the project FILE.QKJ once for each answers file (as quillc test does: a first line\n"
    "\"# chapter NAME\" plays that chapter, any other the whole tutorial; each run with no\n"
    "learner's files of its own) and reports what none of the runs reached in the project's\n"
    "chapters (every file NAME*.QKS of its folder), one line each:\n"
    "  CHAPTER.QKS:LINE: not reached (WHAT)\n"
    "WHAT is \"command\" or \"text\" for a line never executed (comments, blank lines, labels\n"
    "and markers do not count), \"branch section &1 never entered\", \"quiz answer N never\n"
    "chosen\", \"match entry N never picked\", \"final action never taken\", \"list entry N\n"
    "never picked\", \"menu entry N never picked\", \"hypertext word \\\"WORD\\\" never followed\"\n"
    "or \"chapter never started\". A closing line counts the lines reached.\n\n"
    "  --html FILE   also writes the report as one HTML page, each chapter's lines shaded:\n"
    "                reached, not reached, partly reached (a choice or word left out)\n\n"
    "Exit status: 0 when everything was reached, 1 when something was not or a run failed (a\n"
    "script error, a refused answer: printed as ERROR lines), 2 on wrong usage or a file that\n"
    "cannot be read.\n";

int CmdCoverage(const Args& args, Io io) {
    std::string projectArg, htmlArg;
    std::vector<std::string> answersArgs;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--html") {
            if (i + 1 >= args.size()) return io.err << "quillc coverage: --html needs a file\n", ExitUsage;
            htmlArg = args[++i];
        } else if (!a.empty() && a[0] == '-') {
            io.err << "quillc coverage: unknown option '" << a << "'\n" << kCoverageHelp;
            return ExitUsage;
        } else if (projectArg.empty()) {
            projectArg = a;
        } else {
            answersArgs.push_back(a);
        }
    }
    if (projectArg.empty() || answersArgs.empty()) {
        io.err << kCoverageHelp;
        return ExitUsage;
    }
    quill::Project project;
    if (!OpenProjectFile(io, project, projectArg)) return ExitUsage;

    // Every answers file is read before anything runs: a wrong one is a usage error.
    std::vector<quill::TestRun> runs;
    for (const std::string& file : answersArgs) {
        quill::TestRun run = quill::ReadTestRun(fs::path(file));
        if (!run.problem.empty()) {
            PrintSystemError(io, run.problem);
            return ExitUsage;
        }
        runs.push_back(std::move(run));
    }

    // The chapters as they are before the runs (a run may write files, never chapters).
    std::vector<quill::CoverageChapter> chapters;
    try {
        chapters = quill::ReadProjectChapters(project);
    } catch (const quill::IoError& e) {
        PrintSystemError(io, e.what());
        return ExitUsage;
    }

    const auto app = EnsureGuiApplication();
    quill::PlayCoverage coverage;
    int status = ExitOk;
    for (const quill::TestRun& run : runs) {
        quill::HeadlessRunOptions options;
        options.observers.push_back(&coverage);
        quill::HeadlessRunResult result;
        try {
            result = quill::PlayTestRun(project, run, options);
        } catch (const quill::IoError& e) {
            PrintSystemError(io, e.what());
            return ExitUsage;
        }
        for (const auto& m : result.messages)
            if (m.kind == quill::HostMessage::Kind::Error)
                io.out << "ERROR: " << run.name << ": " << EscapeLineBreaks(m.text.toStdString()) << '\n';
        if (result.failed) status = ExitFailed;
    }

    const auto gaps = coverage.gaps(chapters);
    for (const auto& gap : gaps) io.out << EscapeLineBreaks(gap.text().toStdString()) << '\n';
    io.out << gaps.size() << (gaps.size() == 1 ? " place" : " places") << " not reached in " << chapters.size()
           << (chapters.size() == 1 ? " chapter" : " chapters") << " by " << runs.size()
           << (runs.size() == 1 ? " run" : " runs") << '\n';
    if (!htmlArg.empty()) {
        try {
            quill::WriteFileAtomic(fs::path(htmlArg),
                                   coverage.html(chapters, QStringLiteral("Coverage of ") +
                                                               quill::FromCp1252(project.ProjectFile)));
        } catch (const quill::IoError& e) {
            PrintSystemError(io, e.what());
            return ExitUsage;
        }
    }
    if (!gaps.empty() && status == ExitOk) status = ExitFailed;
    return status;
}

}  // namespace quillc
