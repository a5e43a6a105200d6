#include <QGuiApplication>
#include <algorithm>
#include <iostream>
#include <sstream>

#include "cli.h"
#include "headless_host.h"
#include "project/project.h"
#include "project/starting_chapter.h"
#include "text/cp1252.h"
#include "text/errors.h"
#include "text/file_lookup.h"
#include "text/text_file.h"
#include "text_codec.h"
#include "tutorial/headless_run.h"
#include "tutorial/tutorial_tests.h"

namespace quillc {

namespace fs = std::filesystem;

const char* const kTestHelp =
    "usage: quillc test FILE.QKJ [--bless]\n\n"
    "Runs every answers file NAME.answers in the folder \"tests\" of the project FILE.QKJ, in\n"
    "the order of their names, and compares the transcript of each run with the kept\n"
    "NAME.transcript beside it (see quillc play --bless). An answers file whose first line is\n"
    "\"# chapter NAME\" plays that chapter; any other plays the whole tutorial. Each run starts\n"
    "with no learner's files (USER.DAT, notes): they are kept in a folder of the run's own, and\n"
    "the tutorial's folder is not written.\n\n"
    "One line is printed per run: \"ok NAME\", or \"FAIL NAME\" with the reason (followed by\n"
    "the difference as a unified diff, or the error), then \"N passed, M failed\".\n\n"
    "  --bless   writes the transcripts NAME.transcript anew instead of comparing\n\n"
    "Exit status: 0 when every run passed, 1 when a run failed (its transcript differs or is\n"
    "missing, it stopped on a script error or a refused answer, its answers file is wrong) or\n"
    "there are no answers files, 2 on wrong usage or a project that cannot be read.\n";

int CmdTest(const Args& args, Io io) {
    std::string projectArg;
    bool bless = false;
    for (const auto& a : args) {
        if (a == "--bless") {
            bless = true;
        } else if (!a.empty() && a[0] == '-') {
            io.err << "quillc test: unknown option '" << a << "'\n" << kTestHelp;
            return ExitUsage;
        } else if (projectArg.empty()) {
            projectArg = a;
        } else {
            io.err << "quillc test: too many arguments\n" << kTestHelp;
            return ExitUsage;
        }
    }
    if (projectArg.empty()) {
        io.err << kTestHelp;
        return ExitUsage;
    }
    quill::Project project;
    if (!OpenProjectFile(io, project, projectArg)) return ExitUsage;

    const std::vector<fs::path> files = quill::TestAnswersFiles(project.ProjectDir);
    std::error_code ec;
    if (files.empty()) {
        PrintSystemError(io, "There are no answers files (NAME.answers) in the folder " +
                                 (project.ProjectDir / "tests").string());
        return ExitFailed;
    }

    const auto app = EnsureGuiApplication();
    int passed = 0, failed = 0;
    for (const fs::path& file : files) {
        const quill::TestRun run = quill::ReadTestRun(file);
        const std::string& name = run.name;
        auto fail = [&](const std::string& why) {
            io.out << "FAIL " << name << " (" << why << ")\n";
            ++failed;
        };
        if (!run.problem.empty()) {
            fail(EscapeLineBreaks(run.problem));
            continue;
        }
        quill::HeadlessRunOptions options;
        options.transcript = true;
        options.transcriptHeading = QString::fromStdString(TranscriptHeading(run.chapter));
        quill::HeadlessRunResult result;
        try {
            result = quill::PlayTestRun(project, run, options);
        } catch (const quill::IoError& e) {
            fail(EscapeLineBreaks(e.what()));
            continue;
        }
        fs::path transcript = file;
        transcript.replace_extension(".transcript");
        std::vector<std::string> errors;
        for (const auto& m : result.messages)
            if (m.kind == quill::HostMessage::Kind::Error) errors.push_back(EscapeLineBreaks(m.text.toStdString()));
        if (bless) {
            std::ostringstream quiet;
            if (KeepOrCompareTranscript(Io{io.in, quiet, io.err}, result.transcript, transcript.string(), "", true) != ExitOk) {
                fail(EscapeLineBreaks(quiet.str()));
                continue;
            }
        } else if (!fs::exists(transcript, ec)) {
            fail("there is no transcript " + transcript.filename().string() + "; quillc test --bless keeps one");
            continue;
        }
        if (result.failed) {
            fail(errors.empty() ? std::string("the run failed") : "stopped: " + errors.front());
            continue;
        }
        if (!bless) {
            std::ostringstream diff;
            const int compared = KeepOrCompareTranscript(Io{io.in, diff, io.err}, result.transcript, "", transcript.string(), true);
            if (compared != ExitOk) {
                fail(compared == ExitFailed ? "the transcript differs" : EscapeLineBreaks(diff.str()));
                if (compared == ExitFailed) io.out << diff.str();
                continue;
            }
        }
        io.out << (bless ? "blessed " : "ok ") << name << '\n';
        ++passed;
    }
    io.out << passed << " passed, " << failed << " failed\n";
    return failed == 0 ? ExitOk : ExitFailed;
}

}  // namespace quillc
