#include <QCoreApplication>
#include <QGuiApplication>
#include <iostream>
#include <memory>

#include "cli.h"
#include "datafile/data_file.h"
#include "engine/chapter_player.h"
#include "headless_host.h"
#include "text_diff.h"
#include "tutorial/headless_run.h"
#include "project/project.h"
#include "project/starting_chapter.h"
#include "project/tutorial_source.h"
#include "screen/text_screen.h"
#include "text/cp1252.h"
#include "text/errors.h"
#include "text/text_file.h"
#include "text_codec.h"

namespace quillc {

namespace fs = std::filesystem;

const char* const kPlayHelp =
    "usage: quillc play FILE.QKJ [CHAPTER] [--answers FILE] [--snapshots DIR] [--trace] [--steps N]\n\n"
    "Runs the chapter CHAPTER (\".QKS\" is added; letter case does not matter) of the project\n"
    "FILE.QKJ without a window, as the preview does. Without CHAPTER it plays the whole\n"
    "tutorial as \"Pre-View Tutorial\" does: the opening command, the about box at the start,\n"
    "the introduction, the starting chapter or the main menu (again after every chapter, until\n"
    "its quit entry), the about box at the end and the closing command. The opening and closing\n"
    "commands are not performed: an INFO line names what would be shown or run. A tutorial\n"
    "whose first chapter does not exist is refused, as the main window offers no Pre-View for\n"
    "it. Messages are printed as they are shown: \"ERROR: \" for error boxes, \"INFO: \" for\n"
    "information boxes.\n\n"
    "  --answers FILE   answers every wait of the chapter, one answer a line, in order (blank\n"
    "                   lines and lines starting with # are skipped):\n"
    "                     button C|Q|P|H|U   Continue, Quit, Page back, Help, Utilities\n"
    "                     key X              a key press of the character X\n"
    "                     click              a click on the screen\n"
    "                     text WORDS         typed into the input box, then Enter\n"
    "                     memo LINE          one memo line; consecutive ones form one memo\n"
    "                     choice left|right  the two-button choice\n"
    "                     list N             item N (from 1) of the list menu\n"
    "                     menu N             menu button N (from 1)\n"
    "                     answer N           quiz answer N (1..4) by click\n"
    "                     ok | cancel        closes a box that asks; ok also closes the about\n"
    "                                        box and the introduction of a whole tutorial\n"
    "                     mainmenu N|quit    the main menu of a whole tutorial: chapter pick N\n"
    "                                        (from 1) or its quit entry\n"
    "                   When the answers run out while the chapter waits, the run ends as if\n"
    "                   Quit were pressed and \"INFO: answers ran out\" is printed.\n"
    "                   An answer the learner could not give at that wait (a control bar\n"
    "                   button that is not shown, a list item, menu button or main menu pick\n"
    "                   that does not exist) ends the run with an error naming the answers\n"
    "                   line.\n"
    "  --snapshots DIR  writes a PNG of the screen (640 x 480) at every wait as DIR/NNN.png\n"
    "                   (001, 002, ...) and one more when the run ends.\n"
    "  --trace          prints each line as it is executed: TRACE CHAPTER.QKS:N: text\n"
    "                     hyper WORD         a click on the hypertext word WORD on the screen,\n"
    "                                        at any wait of a chapter\n"
    "  --steps N        stops the run after N executed lines (for chapters that never wait).\n"
    "  --bless FILE     writes a transcript of the run to FILE: at every wait the visible text\n"
    "                   of the screen, what the learner can act on there and the answer given,\n"
    "                   and every message and outside action, in order (UTF-8 text).\n"
    "  --expect FILE    compares the transcript of the run with FILE, kept from an earlier\n"
    "                   run; on a difference prints it as a unified diff and exits 1.\n\n"
    "Delays and slow typing take no real time. Exit status: 0 when the run ended normally\n"
    "(the last line, *Exit, Quit, the answers ran out), 1 on a script error, a refused answer\n"
    "or at the step limit (in any chapter of a whole tutorial), a refused tutorial or a\n"
    "transcript that differs from --expect, 2 on wrong usage or a file that cannot be read.\n";

namespace {

// Qt warns on standard error when XDG_RUNTIME_DIR is unset (as under cron, ssh or a container)
// and then uses a folder of its own; quillc never needs that folder, so the warning is dropped.
// Every other message goes on to Qt's own handler.
QtMessageHandler previousHandler = nullptr;
void DropRuntimeDirWarning(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtWarningMsg && text.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR")))
        return;
    if (previousHandler) previousHandler(type, context, text);
}
void QuietRuntimeDirWarning() {
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) return;
    QtMessageHandler before = qInstallMessageHandler(DropRuntimeDirWarning);
    if (before != DropRuntimeDirWarning) previousHandler = before;
}

void PrintUtf8(Io io, const char* prefix, const QString& text) {
    io.out << prefix << EscapeLineBreaks(text.toStdString()) << '\n';
}

}  // namespace

int CmdPlay(const Args& args, Io io) {
    std::string projectArg, chapterArg, answersArg, snapshotsArg, blessArg, expectArg;
    bool trace = false;
    long long steps = 0;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& into) {
            if (i + 1 >= args.size()) return false;
            into = args[++i];
            return true;
        };
        if (a == "--answers") {
            if (!value(answersArg)) return io.err << "quillc play: --answers needs a file\n", ExitUsage;
        } else if (a == "--snapshots") {
            if (!value(snapshotsArg)) return io.err << "quillc play: --snapshots needs a folder\n", ExitUsage;
        } else if (a == "--bless") {
            if (!value(blessArg)) return io.err << "quillc play: --bless needs a file\n", ExitUsage;
        } else if (a == "--expect") {
            if (!value(expectArg)) return io.err << "quillc play: --expect needs a file\n", ExitUsage;
        } else if (a == "--trace") {
            trace = true;
        } else if (a == "--steps") {
            std::string n;
            if (!value(n)) return io.err << "quillc play: --steps needs a number\n", ExitUsage;
            try {
                std::size_t used = 0;
                steps = std::stoll(n, &used);
                if (used != n.size() || steps < 1) throw std::invalid_argument(n);
            } catch (const std::exception&) {
                io.err << "quillc play: --steps needs a number of lines above 0, not '" << n << "'\n";
                return ExitUsage;
            }
        } else if (!a.empty() && a[0] == '-') {
            io.err << "quillc play: unknown option '" << a << "'\n" << kPlayHelp;
            return ExitUsage;
        } else if (projectArg.empty()) {
            projectArg = a;
        } else if (chapterArg.empty()) {
            chapterArg = a;
        } else {
            io.err << "quillc play: too many arguments\n" << kPlayHelp;
            return ExitUsage;
        }
    }
    if (projectArg.empty()) {
        io.err << kPlayHelp;
        return ExitUsage;
    }

    quill::Project project;
    if (!OpenProjectFile(io, project, projectArg)) return ExitUsage;
    // The whole tutorial, as the main window's Pre-View, needs its first chapter.
    if (chapterArg.empty())
        if (const auto problem = quill::StartingChapterProblem(project.Config, project.ProjectDir)) {
            PrintError(io, *problem);
            return ExitFailed;
        }
    PlayRun run;
    run.chapter = chapterArg;
    run.answers = answersArg;
    run.snapshots = snapshotsArg;
    run.trace = trace;
    run.steps = steps;
    run.bless = blessArg;
    run.expect = expectArg;
    return PlayProject(project, run, io);
}

std::unique_ptr<QGuiApplication> EnsureGuiApplication() {
    // Drawing needs a GUI application; quillc never needs a display, so it uses the offscreen
    // platform. An application made by the caller (the tests) is used as it is.
    if (QCoreApplication::instance()) return nullptr;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QuietRuntimeDirWarning();
    static int argc = 1;
    static char name[] = "quillc";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

std::optional<std::vector<quill::HeadlessAnswer>> ReadAnswers(Io io, const std::string& utf8Path) {
    QStringList errors;
    std::vector<quill::HeadlessAnswer> answers;
    try {
        answers = quill::ReadAnswersFile(fs::path(utf8Path), &errors);
    } catch (const quill::IoError& e) {
        PrintSystemError(io, e.what());
        return std::nullopt;
    }
    for (const QString& e : errors) PrintUtf8(io, "ERROR: ", e);
    if (!errors.isEmpty()) return std::nullopt;
    return answers;
}

int KeepOrCompareTranscript(Io io, const QString& transcript, const std::string& bless, const std::string& expect,
                            bool quiet) {
    const QByteArray bytes = transcript.toUtf8();
    if (!bless.empty()) {
        try {
            quill::WriteFileAtomic(fs::path(bless), std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        } catch (const quill::IoError& e) {
            PrintSystemError(io, e.what());
            return ExitUsage;
        }
        if (!quiet) PrintInfo(io, "The transcript was written to " + quill::Utf8ToCp1252(bless));
    }
    if (expect.empty()) return ExitOk;
    std::string kept;
    try {
        kept = quill::ReadFileBytes(fs::path(expect));
    } catch (const quill::IoError& e) {
        PrintSystemError(io, e.what());
        return ExitUsage;
    }
    const std::string diff = UnifiedDiff(quill::SplitLines(kept), quill::SplitLines(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))),
                                         expect, "this run");
    if (diff.empty()) return ExitOk;
    io.out << diff;
    return ExitFailed;
}

int PlayProject(quill::Project& project, const PlayRun& run, Io io) {
    quill::HeadlessRunOptions options;
    options.chapter = quill::Utf8ToCp1252(run.chapter);
    if (!run.answers.empty()) {
        auto answers = ReadAnswers(io, run.answers);
        if (!answers) return ExitUsage;
        options.answers = std::move(*answers);
    }
    const auto app = EnsureGuiApplication();
    if (!run.snapshots.empty()) options.snapshots = fs::path(run.snapshots);
    options.steps = run.steps;
    if (run.trace)
        options.tracer = [io](const std::string& file, int line, const std::string& text) {
            // Each line is flushed, so a trace shows how far a run came even when it is killed.
            io.out << "TRACE " << quill::Cp1252ToUtf8(EscapeLineBreaks(file)) << ':' << line << ": "
                   << quill::Cp1252ToUtf8(EscapeLineBreaks(text)) << '\n' << std::flush;
        };
    options.messages = [io](const quill::HostMessage& m) {
        PrintUtf8(io, m.kind == quill::HostMessage::Kind::Error ? "ERROR: " : "INFO: ", m.text);
    };
    options.transcript = !run.bless.empty() || !run.expect.empty();
    options.transcriptHeading = QString::fromStdString(TranscriptHeading(run.chapter));

    quill::HeadlessRunResult result;
    try {
        result = quill::RunHeadless(project, options);
    } catch (const quill::IoError& e) {
        PrintSystemError(io, e.what());
        return ExitUsage;
    }
    io.out.flush();
    const int compared = KeepOrCompareTranscript(io, result.transcript, run.bless, run.expect, false);
    if (compared != ExitOk) return compared;
    return result.failed ? ExitFailed : ExitOk;
}

std::string TranscriptHeading(const std::string& chapter) {
    return chapter.empty() ? "transcript of the whole tutorial" : "transcript of the chapter " + chapter;
}

}  // namespace quillc
