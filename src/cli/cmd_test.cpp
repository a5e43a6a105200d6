#include <QGuiApplication>
#include <QTemporaryDir>
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

namespace {

constexpr std::string_view kChapterLine = "# chapter ";

std::optional<std::string> ChapterOfAnswers(const std::string& bytes) {
    // The first line, as written: "# chapter NAME" (the word in any letter case).
    const std::size_t end = bytes.find_first_of("\r\n");
    std::string first = bytes.substr(0, end);
    if (first.size() >= 3 && static_cast<unsigned char>(first[0]) == 0xEF && static_cast<unsigned char>(first[1]) == 0xBB &&
        static_cast<unsigned char>(first[2]) == 0xBF)
        first.erase(0, 3);
    if (first.size() <= kChapterLine.size() ||
        !quill::EqualsIgnoringCase(std::string_view(first).substr(0, kChapterLine.size()), kChapterLine))
        return std::nullopt;
    std::string name = first.substr(kChapterLine.size());
    while (!name.empty() && (name.back() == ' ' || name.back() == '\t')) name.pop_back();
    while (!name.empty() && (name.front() == ' ' || name.front() == '\t')) name.erase(0, 1);
    if (name.empty()) return std::nullopt;
    return name;
}

}  // namespace

TestRun ReadTestRun(const fs::path& file) {
    TestRun run;
    run.name = file.stem().string();
    std::string bytes;
    try {
        constexpr std::uint64_t kMaxAnswersBytes = 16 << 20;
        bytes = quill::ReadFileBytes(file, kMaxAnswersBytes);
    } catch (const quill::IoError& e) {
        run.problem = e.what();
        return run;
    }
    QStringList errors;
    run.answers = quill::ParseAnswers(QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size())), &errors);
    if (!errors.isEmpty()) {
        run.problem = file.filename().string() + " " + errors.front().toStdString();
        return run;
    }
    run.chapter = ChapterOfAnswers(bytes).value_or(std::string());
    return run;
}

quill::HeadlessRunResult PlayTestRun(quill::Project& project, const TestRun& run, quill::HeadlessRunOptions options) {
    options.chapter = quill::Utf8ToCp1252(run.chapter);
    options.answers = run.answers;
    // The learner's files of this run only: runs do not see each other's answers, and the
    // tutorial's folder stays as the author left it.
    QTemporaryDir learner;
    quill::Project copy = project;
    if (learner.isValid()) copy.LearnerDir = fs::path(learner.path().toStdString());
    if (run.chapter.empty())
        if (const auto problem = quill::StartingChapterProblem(copy.Config, copy.ProjectDir)) {
            quill::HeadlessRunResult refused;
            refused.failed = true;
            refused.messages.push_back({quill::HostMessage::Kind::Error, quill::FromCp1252(*problem)});
            return refused;
        }
    return quill::RunHeadless(copy, options);
}

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

    const auto folder = quill::FindEntryIgnoringCase(project.ProjectDir, "tests");
    std::vector<fs::path> files;
    std::error_code ec;
    if (folder && fs::is_directory(*folder, ec))
        for (const auto& listed : quill::ListFilesByMask(*folder, "*.answers")) files.push_back(listed.path);
    if (files.empty()) {
        PrintSystemError(io, "There are no answers files (NAME.answers) in the folder " +
                                 (project.ProjectDir / "tests").string());
        return ExitFailed;
    }

    const auto app = EnsureGuiApplication();
    int passed = 0, failed = 0;
    for (const fs::path& file : files) {
        const TestRun run = ReadTestRun(file);
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
            result = PlayTestRun(project, run, options);
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
