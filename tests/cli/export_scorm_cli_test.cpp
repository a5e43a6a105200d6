// quillc export-scorm: its usage and refusals, and a package of the sample tutorial when the
// engine for the browser is built (QUILL_BINARY_DIR/web, as the build fills it).
#include <gtest/gtest.h>

#include <QProcess>
#include <QStandardPaths>

#include <cstdlib>
#include <filesystem>

#include "../format/test_folder.h"
#include "run_quillc.h"

using quill::test::TempFolder;
namespace fs = std::filesystem;

namespace {

quill::test::QuillcResult Quillc(const quillc::Args& args) { return quill::test::RunQuillc(args); }

TEST(QuillcExportScorm, UsageAndTargetsItCannotWrite) {
    TempFolder tmp;
    for (const quillc::Args& args : {quillc::Args{"export-scorm"}, quillc::Args{"export-scorm", "A.QKJ"},
                                     quillc::Args{"export-scorm", "A.QKJ", "a.zip", "b.zip"},
                                     quillc::Args{"export-scorm", "--quiet", "A.QKJ", "a.zip"}}) {
        const auto r = Quillc(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err.find("usage: quillc export-scorm FILE.QKJ FILE.zip"), std::string::npos);
    }
    auto r = Quillc({"export-scorm", (tmp / "NONE.QKJ").string(), (tmp / "a.zip").string()});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.out.find("ERROR: Cannot open the project file"), std::string::npos) << r.out;
    r = Quillc({"export-scorm", (tmp / "NONE.QKJ").string(), tmp.path().string()});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "ERROR: Cannot write the package " + tmp.path().string() + ": it is a folder\n");
    EXPECT_FALSE(fs::exists(tmp / "a.zip"));
}

TEST(QuillcExportScorm, PackagesTheSampleTutorialAndKeepsAnEarlierPackageWhenRefused) {
    const fs::path web = fs::path(QUILL_BINARY_DIR) / "web";
    if (!fs::exists(web / "quill_engine.js")) GTEST_SKIP() << "the engine for the browser is not built (" << web << ")";
    ::setenv("QUILL_WEB_DIR", web.c_str(), 1);
    TempFolder tmp;
    fs::copy(QUILL_SAMPLE_DIR, tmp / "maps", fs::copy_options::recursive);
    const std::string zip = (tmp / "out" / "maps.zip").string();
    fs::create_directory(tmp / "out");
    auto r = Quillc({"export-scorm", (tmp / "maps/MAPS.QKJ").string(), zip});
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_EQ(r.out, "INFO: The SCORM package " + zip + " is written.\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(tmp / "out"), {}), 1);
    const QString unzip = QStandardPaths::findExecutable("unzip");
    if (!unzip.isEmpty()) {
        QProcess p;
        p.start(unzip, {"-l", QString::fromStdString(zip)});
        ASSERT_TRUE(p.waitForFinished(30000));
        const std::string listing = p.readAllStandardOutput().toStdString();
        for (const char* name : {"imsmanifest.xml", "index.html", "quill_engine.js", "quill_lms.js", "quill_tutorial.js"})
            EXPECT_NE(listing.find(name), std::string::npos) << name << " in\n" << listing;
    }

    // A picture the tutorial names is missing: nothing is exported, the package stays as it was,
    // and each line of the reason is an error line.
    const std::string before = TempFolder::read(zip);
    fs::remove(tmp / "maps/MAP.BMP");
    r = Quillc({"export-scorm", (tmp / "maps/MAPS.QKJ").string(), zip});
    EXPECT_EQ(r.status, 1) << r.out;
    EXPECT_NE(r.out.find("ERROR: MAP.BMP"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.rfind("ERROR: ", 0), 0u) << r.out;
    EXPECT_TRUE(TempFolder::read(zip) == before) << "the earlier package was changed";
    EXPECT_EQ(std::distance(fs::directory_iterator(tmp / "out"), {}), 1);
}

}  // namespace
