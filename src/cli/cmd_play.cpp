#include <QCoreApplication>
#include <QGuiApplication>
#include <iostream>
#include <memory>

#include "cli.h"
#include "datafile/data_file.h"
#include "engine/chapter_player.h"
#include "headless_host.h"
#include "tutorial/headless_tutorial.h"
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
    "  --steps N        stops the run after N executed lines (for chapters that never wait).\n\n"
    "Delays and slow typing take no real time. Exit status: 0 when the run ended normally\n"
    "(the last line, *Exit, Quit, the answers ran out), 1 on a script error, a refused answer\n"
    "or at the step limit (in any chapter of a whole tutorial) or a refused tutorial, 2 on wrong\n"
    "usage or a file that cannot be read.\n";

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
    std::string projectArg, chapterArg, answersArg, snapshotsArg;
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
    return PlayProject(project, PlayRun{chapterArg, answersArg, snapshotsArg, trace, steps}, io);
}

int PlayProject(quill::Project& project, const PlayRun& run, Io io) {
    const std::string& chapterArg = run.chapter;
    const std::string& answersArg = run.answers;
    const std::string& snapshotsArg = run.snapshots;
    const bool trace = run.trace;
    const long long steps = run.steps;
    std::vector<quill::HeadlessAnswer> answers;
    if (!answersArg.empty()) {
        std::string bytes;
        try {
            // An answers file is a few lines a wait; far more than any run can use is refused.
            constexpr std::uint64_t kMaxAnswersBytes = 16 << 20;
            bytes = quill::ReadFileBytes(answersArg, kMaxAnswersBytes);
        } catch (const quill::IoError& e) {
            PrintSystemError(io, e.what());
            return ExitUsage;
        }
        QStringList errors;
        answers = quill::ParseAnswers(QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size())), &errors);
        if (!errors.isEmpty()) {
            for (const QString& e : errors) PrintUtf8(io, "ERROR: ", e);
            return ExitUsage;
        }
    }

    // Drawing needs a GUI application; quillc never needs a display, so it uses the offscreen
    // platform. An application made by the caller (the tests) is used as it is.
    std::unique_ptr<QGuiApplication> app;
    if (!QCoreApplication::instance()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QuietRuntimeDirWarning();
        static int argc = 1;
        static char name[] = "quillc";
        static char* argv[] = {name, nullptr};
        app = std::make_unique<QGuiApplication>(argc, argv);
    }

    quill::HeadlessHost host(std::move(answers));
    quill::TextScreen screen(project.Config, project.ProjectDir, &host);
    host.setScreen(&screen);
    if (!snapshotsArg.empty()) host.setSnapshotFolder(fs::path(snapshotsArg));
    host.setMessageSink([io](const quill::HostMessage& m) {
        PrintUtf8(io, m.kind == quill::HostMessage::Kind::Error ? "ERROR: " : "INFO: ", m.text);
    });
    const auto entries = quill::SourceOf(project);
    host.setEntryPerformer([entries](quill::EntrySource source, const QString& name) {
        const std::string_view sourceName = source == quill::EntrySource::Hyper     ? quill::kSourceHyper
                                            : source == quill::EntrySource::Execute ? quill::kSourceExecute
                                                                                    : quill::kSourceUtility;
        quill::TextLines entry;
        return entries->LoadEntry(quill::ToCp1252(name), sourceName, entry);
    });

    // Runs one chapter; the exit status of the run (a script error or the step limit fails it).
    auto runChapter = [&](const std::string& chapter) {
        quill::ChapterPlayer player(project, screen, host);
        if (trace)
            player.setTracer([io](const std::string& file, int line, const std::string& text) {
                // Each line is flushed, so a trace shows how far a run came even when it is killed.
                io.out << "TRACE " << quill::Cp1252ToUtf8(EscapeLineBreaks(file)) << ':' << line << ": "
                       << quill::Cp1252ToUtf8(EscapeLineBreaks(text)) << '\n' << std::flush;
            });
        player.setStepLimit(steps);
        const quill::PlayResult result = player.run(chapter);
        switch (result.end) {
            case quill::PlayEnd::ScriptError:
                return int(ExitFailed);
            case quill::PlayEnd::StepLimit:
                PrintError(io, "The run was stopped after " + std::to_string(result.steps) +
                                   " lines (the limit of --steps) in " + result.chapter + " at line " +
                                   std::to_string(player.lineNumber()) + ".");
                return int(ExitFailed);
            default:
                return int(ExitOk);
        }
    };

    int exit = ExitOk;
    try {
        if (!chapterArg.empty()) {
            exit = runChapter(quill::Utf8ToCp1252(chapterArg));
        } else {
            quill::HeadlessTutorialStage stage(
                project.Config, project.ProjectDir, host,
                [&](const std::string& chapter) { exit = std::max(exit, runChapter(chapter)); },
                [entries] {
                    quill::TextLines lines;
                    entries->LoadIntroduction(lines);
                    return std::vector<std::string>(lines.begin(), lines.end());
                });
            quill::PlayTutorial(project.Config, stage);
        }
        host.saveSnapshot();
    } catch (const quill::IoError& e) {
        PrintSystemError(io, e.what());
        return ExitUsage;
    }
    io.out.flush();
    if (host.answerRefused()) return ExitFailed;
    return exit;
}

}  // namespace quillc
