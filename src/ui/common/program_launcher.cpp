#include "common/program_launcher.h"

#include "common/aids_context.h"
#include "platform/platform.h"
#include "project/project.h"
#include "project/tutorial_folder.h"
#include "text/cp1252.h"
#include "text/file_lookup.h"
#include "text_codec.h"

namespace quill {

namespace fs = std::filesystem;

namespace {

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

std::string FolderWithSeparator(const fs::path& folder) {
    std::string s = folder.string();
    if (s.empty() || s.back() != '/') s += '/';
    return s;
}

// The extension of a name (upper-cased, with its period), or empty.
std::string UpperExtension(const std::string& name) {
    const auto sep = name.find_last_of("\\/");
    const auto dot = name.rfind('.');
    if (dot == std::string::npos || (sep != std::string::npos && dot < sep)) return {};
    return UpperCaseCp1252(name.substr(dot));
}

QString ToQt(const fs::path& path) { return QString::fromStdString(path.string()); }

// A project path as a Windows program under Wine sees it: the Z: drive maps the root.
QString WinePath(const fs::path& path) {
    QString s = ToQt(path);
    s.replace('/', '\\');
    return "Z:" + s;
}

}  // namespace

bool IsWindowsProgramName(const std::string& name) {
    const std::string ext = UpperExtension(name);
    return ext == ".EXE" || ext == ".COM" || ext == ".BAT";
}

LaunchCommand LaunchCommandLine(int kind, const std::string& command, const fs::path& projectDir) {
    LaunchCommand out;
    if (kind == LaunchWindowsProgram) {
        const auto blank = command.find(' ');
        out.program = command.substr(0, blank);
        if (blank != std::string::npos) {
            out.file = command.substr(blank + 1);
            out.arguments = FolderWithSeparator(projectDir) + out.file;
        }
        return out;
    }
    const auto comma = command.find(',');
    out.program = command.substr(0, comma);
    if (comma != std::string::npos) out.arguments = command.substr(comma + 1);
    return out;
}

QStringList SplitParameters(const std::string& parameters) {
    QStringList out;
    const QString text = FromCp1252(parameters);
    QString current;
    bool inWord = false, quoted = false;
    for (const QChar c : text) {
        if (c == '"') {
            quoted = !quoted;
            inWord = true;
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (inWord) out << current;
            current.clear();
            inWord = false;
        } else {
            current += c;
            inWord = true;
        }
    }
    if (inWord) out << current;
    return out;
}

LaunchPlan PlanLaunch(int kind, const LaunchCommand& command, const fs::path& projectDir,
                      const std::function<std::optional<QString>(const QString&)>& findOnPath) {
    LaunchPlan plan;
    plan.run.workingDir = projectDir;
    const std::string name = Trimmed(command.program);
    const QString shownName = FromCp1252(name);
    if (name.empty()) {
        plan.error = "No program has been named.";
        return plan;
    }

    // The program: in the project folder (ignoring case; a name without extension may also
    // stand for NAME.exe), or a program of the system found on the PATH. A name that leads out
    // of the folder (a full path, a drive letter, "..", a link out) is refused.
    const TutorialFolder folder(projectDir);
    const auto outside = [&](const std::string& what) {
        plan.error = "The file " + FromCp1252(what) + QString::fromUtf8(kOutsideFolder.data(), kOutsideFolder.size());
        return plan;
    };
    std::optional<fs::path> found;
    std::vector<std::string> candidates{name};
    if (UpperExtension(name).empty()) candidates.push_back(name + ".exe");
    for (const std::string& candidate : candidates) {
        if (NameLeavesFolder(candidate)) return outside(name);
        found = folder.FindFile(candidate);
        if (found) break;
        if (FindIgnoringCase(projectDir, candidate) && !folder.Locate(candidate).inside) return outside(name);
    }

    const bool windows = found ? IsWindowsProgramName(DiskNameToCp1252(found->filename()))
                               : IsWindowsProgramName(name);
    std::optional<QString> native;
    if (!found && !windows) native = findOnPath(FromCp1252(name));
    const bool useWine = windows || (!found && !native && UpperExtension(name).empty());

    QStringList arguments;
    if (kind == LaunchWindowsProgram) {
        if (!Trimmed(command.file).empty()) {
            const ProjectPath file = folder.Locate(command.file);
            if (!file.inside) return outside(command.file);
            arguments << (useWine ? WinePath(file.path) : ToQt(file.path));
        }
    } else {
        arguments = SplitParameters(command.arguments);
    }

    if (!useWine) {
        if (!found && !native) {
            plan.error = "The program " + shownName + " was not found.";
            return plan;
        }
        plan.run.program = found ? ToQt(*found) : *native;
        plan.run.arguments = arguments;
        return plan;
    }

    const auto wine = findOnPath("wine");
    if (!wine) {
        plan.error = found || windows
                         ? "The program " + shownName +
                               " is a Windows program. Windows programs are run through Wine, which is "
                               "not installed on this computer."
                         : "The program " + shownName + " was not found.";
        return plan;
    }
    plan.run.program = *wine;
    const QString target = found ? ToQt(*found) : shownName;
    if (UpperExtension(found ? DiskNameToCp1252(found->filename()) : name) == ".BAT")
        plan.run.arguments << "cmd" << "/c";
    plan.run.arguments << target << arguments;
    return plan;
}

QString ShownCommandLine(const ProgramRun& run) {
    QStringList words{run.program};
    words << run.arguments;
    for (QString& word : words)
        if (word.isEmpty() || word.contains(' ') || word.contains('"')) word = '"' + word + '"';
    return words.join(' ');
}

void LaunchProgram(AidsContext& context, int kind, const std::string& command) {
    const fs::path& dir = context.project.ProjectDir;
    const LaunchCommand line = LaunchCommandLine(kind, command, dir);
    const LaunchPlan plan = PlanLaunch(kind, line, dir, [&](const QString& name) {
        return context.system.FindProgram(name);
    });
    if (!plan.error.isEmpty()) {
        context.platform.messages.ShowError(plan.error);
        return;
    }
    // Skipped when the learner does not allow it; the tutorial goes on.
    if (!context.system.consent.MayStart(context.platform.messages, dir, ShownCommandLine(plan.run))) return;
    if (auto why = context.system.RunProgram(plan.run))
        context.platform.messages.ShowError("The program " + FromCp1252(Trimmed(line.program)) +
                                            " could not be started: " + *why);
}

}  // namespace quill
