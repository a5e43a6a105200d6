// "Export as SCORM Package..." in the distribution window: the folder of the dialog gets the
// tutorial's SCORM package (NAME.zip) instead of the distribution, with the result or the problem
// in a box.
#include "../design/design_fixture.h"
#include "app/main_window.h"
#include "app/tutorial_actions.h"
#include "platform/system_services.h"
#include "project/project.h"

using namespace quill;
using namespace quill::test;
namespace fs = std::filesystem;

namespace {

struct ScormExportDialogTest : DesignFixture {
    RecordingChapterRunner runner;
    RecordingSystem system;
    MainWindow form{project, rec.platform(), runner};
    TutorialActions actions{project, rec.platform(), runner, system};
    // The page's files beside the test programs' folder, where the build puts them.
    const fs::path webDir = ExecutableFolder().parent_path() / "web";

    ScormExportDialogTest() {
        actions.Connect(form);
        qputenv("QUILL_WEB_DIR", QByteArray::fromStdString(webDir.string()));
    }
    ~ScormExportDialogTest() override { qunsetenv("QUILL_WEB_DIR"); }

    void ExportTo(const fs::path& target) {
        WhenShown("TDistribForm", [&](QWidget* dialog) {
            Type(dialog, "DirEdit", QString::fromStdString(target.string()));
            Click(dialog, "ScormExportBtn");
        });
        form.findChild<QPushButton*>("DistribBtn")->click();
    }
};

}  // namespace

TEST_F(ScormExportDialogTest, WritesThePackageIntoTheFolderOrNamesTheMissingFile) {
    if (!fs::exists(webDir / "quill_engine.js")) GTEST_SKIP() << "the web engine was not built (no emscripten)";
    InProject("SAFETY1.QKS", "Hello\r\n*Wait\r\n");
    project.Config.set(cfg::StartChapter, "SAFETY1");
    project.SaveProject();
    form.UpdateButtons();

    const fs::path target = elsewhere / "lms";
    ExportTo(target);
    EXPECT_TRUE(rec.messages.Texts(RecordingMessages::Kind::Error).empty());
    ASSERT_EQ(rec.messages.Texts(RecordingMessages::Kind::Info).size(), 1u);
    EXPECT_EQ(rec.messages.Texts(RecordingMessages::Kind::Info)[0],
              "The SCORM package " + QString::fromStdString((target / "SAFETY.zip").string()) +
                  " is written: add it to the learning management system as a SCORM 1.2 package.");
    const std::string zip = TempFolder::read(target / "SAFETY.zip");
    EXPECT_EQ(zip.substr(0, 4), "PK\x03\x04");
    EXPECT_NE(zip.find("imsmanifest.xml"), std::string::npos);
    // Only the package: nothing of a distribution, no web folder beside it.
    EXPECT_EQ(std::distance(fs::directory_iterator(target), {}), 1);

    // A picture the chapter shows is missing: the box names it, and no package is written.
    rec.messages.Clear();
    InProject("SAFETY1.QKS", "*ShowImage 1 1 GONE.BMP\r\n*Wait\r\n");
    const fs::path second = elsewhere / "lms2";
    ExportTo(second);
    const auto errors = rec.messages.Texts(RecordingMessages::Kind::Error);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_TRUE(errors[0].contains("GONE.BMP")) << errors[0].toStdString();
    EXPECT_FALSE(fs::exists(second / "SAFETY.zip"));
}
