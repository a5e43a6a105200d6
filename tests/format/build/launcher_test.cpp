// The launchers of a distribution folder start quilplay on the folder they lie in, wherever it
// has been copied to, and nothing in a name or title can add a command of its own.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>

#include "build/distribute.h"
#include "build/linux_launcher.h"
#include "../test_folder.h"

using namespace quill;
using quill::test::TempFolder;
namespace fs = std::filesystem;

namespace {

std::string Quote(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

std::string RunShell(const std::string& command) {
    std::string out;
    FILE* p = ::popen((command + " 2>&1").c_str(), "r");
    if (!p) return out;
    std::array<char, 4096> buffer{};
    while (std::size_t n = std::fread(buffer.data(), 1, buffer.size(), p)) out.append(buffer.data(), n);
    ::pclose(p);
    return out;
}

// The arguments of a desktop entry's Exec value, unescaped as the desktop entry format says:
// first the string escapes of the value, then the double quotes of each argument.
std::vector<std::string> ExecArguments(const std::string& value) {
    std::string text;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\\' && i + 1 < value.size()) {
            const char n = value[++i];
            text += n == 's' ? ' ' : n == 'n' ? '\n' : n == 't' ? '\t' : n == 'r' ? '\r' : n;
        } else {
            text += value[i];
        }
    }
    std::vector<std::string> args;
    std::string current;
    bool quoted = false, any = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted && c == '\\' && i + 1 < text.size()) {
            current += text[++i];
        } else if (c == '"') {
            quoted = !quoted;
            any = true;
        } else if (c == ' ' && !quoted) {
            if (any) args.push_back(current);
            current.clear();
            any = false;
        } else {
            current += c;
            any = true;
        }
    }
    if (any) args.push_back(current);
    return args;
}

}  // namespace

TEST(Launcher, BothLaunchersPlayTheFolderTheyLieInWhereverItIsCopied) {
    TempFolder tmp;
    // A stand-in quilplay that prints the folder it was given.
    tmp.write("bin/quilplay", "#!/bin/sh\necho \"played $1\"\n");
    fs::permissions(tmp / "bin/quilplay", fs::perms::owner_all);
    fs::create_directories(tmp / "made");
    WriteLinuxLauncher(tmp / "made", "S\xC9" "CU", "");  // a Windows-1252 project name
    // The files are named in UTF-8 and the entry's name is UTF-8.
    ASSERT_TRUE(fs::exists(tmp / "made" / "S\xC3\x89" "CU.sh"));
    const std::string entry = TempFolder::read(tmp / "made" / "S\xC3\x89" "CU.desktop");
    EXPECT_NE(entry.find("Name=S\xC3\x89" "CU\n"), std::string::npos) << entry;

    const fs::path moved = tmp / "moved $here";
    fs::rename(tmp / "made", moved);
    // A CDPATH that would send a plain "cd" elsewhere.
    fs::create_directories(tmp / "decoy" / "moved $here");
    const std::string env = "PATH=" + Quote((tmp / "bin").string()) + ":/usr/bin:/bin CDPATH=" + Quote((tmp / "decoy").string()) + " ";
    EXPECT_EQ(RunShell(env + "sh " + Quote((moved / "S\xC3\x89" "CU.sh").string())), "played " + moved.string() + "\n");

    // The desktop entry: its Exec line with %k as the entry's own path.
    const auto exec = entry.find("\nExec=");
    ASSERT_NE(exec, std::string::npos);
    const std::string value = entry.substr(exec + 6, entry.find('\n', exec + 1) - exec - 6);
    auto args = ExecArguments(value);
    ASSERT_FALSE(args.empty());
    EXPECT_EQ(args.back(), "%k");
    args.back() = (moved / "S\xC3\x89" "CU.desktop").string();
    std::string command = env;
    for (const auto& a : args) command += Quote(a) + " ";
    EXPECT_EQ(RunShell(command), "played " + moved.string() + "\n");
}

TEST(Launcher, NothingInATitleOrFolderNameStartsAKeyOfItsOwn) {
    const std::string entry = LauncherDesktopEntry("Fire\nExec=/bin/evil\r\x01x");
    EXPECT_EQ(entry.find("\nExec=/bin/evil"), std::string::npos) << entry;
    EXPECT_NE(entry.find("Name=Fire\\nExec=/bin/evil\\rx\n"), std::string::npos) << entry;
    TempFolder tmp;
    const auto refusal = DistributionFolderError(tmp / "dist\nExec=evil", tmp / "project");
    ASSERT_TRUE(refusal);
    EXPECT_NE(refusal->find("control character"), std::string::npos) << *refusal;
    EXPECT_FALSE(DistributionFolderError(tmp / "my dist \xC3\xA9", tmp / "project"));
}
