// The desktop integration: the metadata passes the freedesktop validators, `cmake --install`
// puts every file in its place and the installed programs find their own files, and the Debian
// packages (when built, by ./run package) hold what they should.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "../format/test_folder.h"
#include "build/linux_launcher.h"
#include "project/project.h"

using quill::test::TempFolder;
namespace fs = std::filesystem;

namespace {

const fs::path kSource = QUILL_SOURCE_DIR;
const fs::path kBinary = QUILL_BINARY_DIR;

struct Ran {
    int status;
    std::string out;
};

std::string Quote(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

Ran Shell(const std::string& command) {
    Ran r{-1, {}};
    FILE* p = ::popen((command + " 2>&1").c_str(), "r");
    if (!p) return r;
    std::array<char, 4096> buffer{};
    while (std::size_t n = std::fread(buffer.data(), 1, buffer.size(), p)) r.out.append(buffer.data(), n);
    const int status = ::pclose(p);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

bool Have(const char* tool) { return Shell(std::string("command -v ") + tool).status == 0; }

}  // namespace

TEST(Packaging, MetadataPassesTheValidators) {
    if (!Have("desktop-file-validate") || !Have("appstreamcli"))
        GTEST_SKIP() << "desktop-file-validate or appstreamcli is missing (scripts/install-deps installs them)";
    TempFolder tmp;
    // The launcher a distribution folder gets, with a folder name that needs quoting.
    const auto launcher = tmp.write("SAFETY.desktop", quill::LauncherDesktopEntry("Fire \"safety\" 100%\nExec=evil"));
    for (const fs::path& entry : {kSource / "packaging/linux/org.quillmark.Quillmark.desktop",
                                  kSource / "packaging/linux/org.quillmark.Quilplay.desktop", launcher}) {
        const auto r = Shell("desktop-file-validate " + Quote(entry.string()));
        EXPECT_EQ(r.status, 0) << entry << "\n" << r.out;
        EXPECT_EQ(r.out, "") << entry;  // no warnings either
    }
    for (const char* app : {"Quillmark", "Quilplay"}) {
        const auto r = Shell("appstreamcli validate --no-net --explain " +
                           Quote((kSource / "packaging/linux" / (std::string("org.quillmark.") + app + ".metainfo.xml")).string()));
        EXPECT_EQ(r.status, 0) << app << "\n" << r.out;
    }
}

TEST(Packaging, InstallPutsFilesInTheirPlacesAndTheProgramsFindThem) {
    for (const char* program : {"quillmark", "quillc", "quilplay"})
        if (!fs::exists(kBinary / program)) GTEST_SKIP() << program << " is not built in " << kBinary;
    TempFolder tmp;
    const fs::path prefix = tmp / "usr";
    const auto r = Shell("cmake --install " + Quote(kBinary.string()) + " --prefix " + Quote(prefix.string()));
    ASSERT_EQ(r.status, 0) << r.out;
    for (const char* file : {"bin/quillmark", "bin/quillc", "bin/quilplay", "share/quillmark/QUILLDESK.html",
                             "share/quillmark/instruct.RTF", "share/quillmark/tuthow.RTF",
                             "share/applications/org.quillmark.Quillmark.desktop",
                             "share/applications/org.quillmark.Quilplay.desktop",
                             "share/metainfo/org.quillmark.Quillmark.metainfo.xml",
                             "share/metainfo/org.quillmark.Quilplay.metainfo.xml",
                             "share/mime/packages/org.quillmark.Quillmark.xml",
                             "share/mime/packages/org.quillmark.Quilplay.xml",
                             "share/icons/hicolor/scalable/apps/org.quillmark.Quillmark.svg",
                             "share/icons/hicolor/scalable/apps/org.quillmark.Quilplay.svg"})
        EXPECT_TRUE(fs::is_regular_file(prefix / file)) << file;
    EXPECT_EQ(quill::ProgramFolder(prefix / "bin"), prefix / "share/quillmark");
    EXPECT_EQ(quill::ProgramFolder(kBinary), kBinary);  // a build keeps its files beside the programs
    // The installed quillc runs and finds its files: a new project is made with the defaults.
    const auto made = Shell(Quote((prefix / "bin/quillc").string()) + " new " + Quote((tmp / "t").string()) + " TUT");
    EXPECT_EQ(made.status, 0) << made.out;
}

TEST(Packaging, DebianPackagesHoldTheirPrograms) {
    if (!Have("dpkg-deb")) GTEST_SKIP() << "dpkg-deb is missing: the .deb contents cannot be listed";
    const char* env = std::getenv("QUILL_DEB_DIR");
    const fs::path folder = env && *env ? fs::path(env) : kSource / "build-package/packages";
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) GTEST_SKIP() << "no packages in " << folder << ": ./run package builds them";
    const auto r = Shell(Quote((kSource / "packaging/check-debs").string()) + " " + Quote(folder.string()));
    EXPECT_EQ(r.status, 0) << r.out;
}
