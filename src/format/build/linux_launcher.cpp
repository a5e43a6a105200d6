#include "build/linux_launcher.h"

#include "text/cp1252.h"
#include "text/errors.h"
#include "text/file_lookup.h"
#include "text/text_file.h"

namespace quill {

namespace fs = std::filesystem;

std::string LauncherScriptName(std::string_view projectName) { return std::string(projectName) + ".sh"; }
std::string LauncherDesktopName(std::string_view projectName) { return std::string(projectName) + ".desktop"; }

std::string LauncherScript() {
    return "#!/bin/sh\n"
           "# Plays this tutorial with quilplay, the player for Quillmark tutorials.\n"
           "# Options are passed on (for example --window).\n"
           "here=$(CDPATH= cd -P -- \"$(dirname -- \"$0\")\" && pwd -P) || exit 2\n"
           "if ! command -v quilplay >/dev/null 2>&1; then\n"
           "    echo \"quilplay is not installed: install the quilplay package to play this tutorial.\" >&2\n"
           "    exit 2\n"
           "fi\n"
           "exec quilplay \"$here\" \"$@\"\n";
}

std::string DesktopExecArgument(std::string_view argument) {
    // Inside double quotes, `"`, `` ` ``, `$` and `\` take a backslash; the value's own escape
    // rule then doubles every backslash; a literal `%` is written `%%`.
    std::string quoted = "\"";
    for (char c : argument) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
        if (c == '%') quoted += '%';
        quoted += c;
    }
    quoted += '"';
    std::string value;
    for (char c : quoted) {
        if (c == '\\') value += '\\';
        value += c;
    }
    return value;
}

namespace {

// The command the desktop entry runs through sh, with the entry's own file as $1 (a local
// path, or a file:// address from some launchers).
constexpr std::string_view kDesktopLaunch =
    "f=${1#file://}; exec quilplay \"$(dirname -- \"$f\")\"";

// A string value of a desktop entry: one line, with \n, \t, \r and \\ escaped, and every other
// control character left out, so nothing in it can start a key of its own.
std::string DesktopValue(std::string_view text) {
    std::string v;
    for (char c : text) {
        switch (c) {
            case '\n': v += "\\n"; break;
            case '\r': v += "\\r"; break;
            case '\t': v += "\\t"; break;
            case '\\': v += "\\\\"; break;
            default:
                if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7f) v += c;
        }
    }
    return v;
}

}  // namespace

std::string LauncherDesktopEntry(std::string_view title) {
    // %k is the entry's own location: the tutorial is the folder the entry lies in, wherever
    // that folder has been copied to.
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Version=1.4\n"
           "Name=" + DesktopValue(title) + "\n"
           "Comment=A tutorial played with quilplay\n"
           "TryExec=quilplay\n"
           "Exec=sh -c " + DesktopExecArgument(kDesktopLaunch) + " sh %k\n"
           "Icon=org.quillmark.Quilplay\n"
           "Terminal=false\n"
           "Categories=Education;\n";
}

void WriteLinuxLauncher(const fs::path& folder, std::string_view projectName, std::string_view title) {
    std::error_code ec;
    // File names and values in UTF-8: the project name is Windows-1252 text. Both files are
    // made again by every distribution, like the copies beside them, so they are not flushed to
    // the disk one by one: a flush here waited for every copied byte of the distribution to
    // reach the disk first (the file system writes them in order), which doubled its time.
    const fs::path script = folder / Cp1252ToPath(LauncherScriptName(projectName));
    WriteFileAtomic(script, LauncherScript(), Durability::Regenerable);
    fs::permissions(script, fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec,
                    fs::perm_options::add, ec);
    if (ec) throw IoError("Cannot make " + DisplayName(script) + " executable: " + ec.message());
    const fs::path entry = folder / Cp1252ToPath(LauncherDesktopName(projectName));
    WriteFileAtomic(entry, LauncherDesktopEntry(title.empty() ? Cp1252ToUtf8(projectName) : std::string(title)),
                    Durability::Regenerable);
    fs::permissions(entry, fs::perms::owner_exec, fs::perm_options::add, ec);
}

}  // namespace quill
