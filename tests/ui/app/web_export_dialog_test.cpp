// "Export for the Web..." in the distribution window: the folder of the dialog gets the web
// player's folder instead of the distribution, with the result or the problem in a box.
#include "../design/design_fixture.h"
#include "app/main_window.h"
#include "app/tutorial_actions.h"
#include "platform/system_services.h"
#include "project/project.h"

using namespace quill;
using namespace quill::test;
namespace fs = std::filesystem;

namespace {

struct WebExportDialogTest : DesignFixture {
    RecordingChapterRunner runner;
    RecordingSystem system;
    MainWindow form{project, rec.platform(), runner};
    TutorialActions actions{project, rec.platform(), runner, system};
    // The page's files beside the test programs' folder, where the build puts them.
    const fs::path webDir = ExecutableFolder().parent_path() / "web";

    WebExportDialogTest() {
        actions.Connect(form);
        qputenv("QUILL_WEB_DIR", QByteArray::fromStdString(webDir.string()));
    }
    ~WebExportDialogTest() override { qunsetenv("QUILL_WEB_DIR"); }

    void ExportTo(const fs::path& target) {
        WhenShown("TDistribForm", [&](QWidget* dialog) {
            Type(dialog, "DirEdit", QString::fromStdString(target.string()));
            Click(dialog, "WebExportBtn");
        });
        form.findChild<QPushButton*>("DistribBtn")->click();
    }
};

}  // namespace

TEST_F(WebExportDialogTest, WritesThePlayersFolderOrNamesTheMissingFile) {
    if (!fs::exists(webDir / "quill_engine.js")) GTEST_SKIP() << "the web engine was not built (no emscripten)";
    InProject("SAFETY1.QKS", "Hello\r\n*Wait\r\n");
    project.Config.set(cfg::StartChapter, "SAFETY1");
    project.SaveProject();
    form.UpdateButtons();

    const fs::path target = elsewhere / "web";
    ExportTo(target);
    EXPECT_TRUE(rec.messages.Texts(RecordingMessages::Kind::Error).empty());
    ASSERT_EQ(rec.messages.Texts(RecordingMessages::Kind::Info).size(), 1u);
    EXPECT_TRUE(rec.messages.Texts(RecordingMessages::Kind::Info)[0].startsWith(
        "The tutorial plays in a web browser from the folder " + QString::fromStdString(target.string())));
    for (const char* file : {"index.html", "quill_engine.js", "quill_player.js", "quill_tutorial.js"})
        EXPECT_TRUE(fs::exists(target / file)) << file;
    // Nothing of a distribution is made.
    EXPECT_FALSE(fs::exists(target / "SAFETY.sh"));

    // A picture the chapter shows is missing: the box names it, and no page is written.
    rec.messages.Clear();
    InProject("SAFETY1.QKS", "*ShowImage 1 1 GONE.BMP\r\n*Wait\r\n");
    const fs::path second = elsewhere / "web2";
    ExportTo(second);
    const auto errors = rec.messages.Texts(RecordingMessages::Kind::Error);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_TRUE(errors[0].contains("GONE.BMP")) << errors[0].toStdString();
    EXPECT_FALSE(fs::exists(second / "quill_tutorial.js"));
}
