// The tutorial presentation: screen colours, control bar colour and captions.
#include <QLabel>

#include "app/main_window.h"
#include "design/presentation_designer.h"
#include "design/sample_screen_window.h"
#include "../played_screen.h"
#include "design_fixture.h"
#include "text/byte_io.h"

using namespace quill;
using namespace quill::test;

namespace S = cfg::Screen;

using ControlBarTest = DesignFixture;

TEST_F(ControlBarTest, DefaultsThenSaveWritesTheDefaultColoursAndCaptions) {
    // A project whose presentation was changed earlier.
    for (const ColorField& f : {S::TitleTextColor, S::TitleBackColor, S::ControlBarColor, S::ScreenBackColor,
                                S::ScreenTextColor, S::HyperTextColor})
        project.Config.set(f, 0x123456);
    for (const StrField& f : {S::ContinueCaption, S::PagebackCaption, S::UtilitiesCaption, S::HelpButtonCaption,
                              S::QuitButtonCaption})
        project.Config.set(f, "x");
    project.Config.set(S::TitleFont, "30 0 0 Arial");
    project.SaveProject();

    PresentationDesigner form(project, rec.platform());
    form.show();
    Click(&form, "DefaultsBtn");
    EXPECT_EQ(Find<QLineEdit>(&form, "ContinueEdit")->text(), "&Continue");
    Click(&form, "SaveBtn");
    EXPECT_EQ(form.result(), QDialog::Accepted);

    const std::string file = TempFolder::read(project.ProjectFilePath());
    ASSERT_EQ(file.size(), 7128u);
    const ByteReader r({reinterpret_cast<const std::uint8_t*>(file.data()), file.size()});
    EXPECT_EQ(r.u32(5822), 0xFFFFFFu);  // ScreenBackColor white
    EXPECT_EQ(r.u32(5826), 0x000000u);  // ScreenTextColor black
    EXPECT_EQ(r.u32(5830), 0xFF0000u);  // HyperTextColor blue
    EXPECT_EQ(r.u32(5915), 0xC0C0C0u);  // TitleBackColor silver
    EXPECT_EQ(r.u32(5970), 0x800000u);  // TitleTextColor navy
    EXPECT_EQ(r.u32(5974), 0xC0C0C0u);  // ControlBarColor silver
    EXPECT_EQ(r.shortString(5978, 11), "&Continue");
    EXPECT_EQ(r.shortString(5990, 11), "&Quit");
    EXPECT_EQ(r.shortString(6002, 11), "&Pageback");
    EXPECT_EQ(r.shortString(6014, 11), "&Help");
    EXPECT_EQ(r.shortString(6026, 11), "&Utilities");
    // The title font is not this dialog's.
    EXPECT_EQ(r.shortString(5919, 50), "30 0 0 Arial");
}

TEST_F(ControlBarTest, ColoursAndCaptionsAreStoredCutAndCancelChangesNothing) {
    const std::string before = TempFolder::read(project.ProjectFilePath());
    const TTutorialConfig config = project.Config;
    {
        rec.dialogs.colors = {QColor(0x11, 0x22, 0x33)};
        PresentationDesigner form(project, rec.platform());
        form.show();
        Click(&form, "ControlBarBtn");
        Type(&form, "QuitEdit", "&Leave the tutorial");
        Click(&form, "CancelBtn");
    }
    EXPECT_EQ(project.Config, config);
    EXPECT_EQ(TempFolder::read(project.ProjectFilePath()), before);

    rec.dialogs.colors = {QColor(0x11, 0x22, 0x33)};
    PresentationDesigner form(project, rec.platform());
    form.show();
    Click(&form, "ControlBarBtn");
    Type(&form, "QuitEdit", "&Leave the tutorial");
    Click(&form, "SaveBtn");
    EXPECT_EQ(project.Config.get(S::ControlBarColor), 0x332211u);
    EXPECT_EQ(project.Config.get(S::QuitButtonCaption), "&Leave the ");
    EXPECT_EQ(ReadConfigRecord(project.ProjectFilePath()), project.Config);
}

// "View" is drawn by the learner's screen: the same picture as a chapter with that title, those
// lines and the five buttons (Quit 20, Utilities 146, Help 272, Page back 398, Continue 524; the
// link bold and underlined).
TEST_F(ControlBarTest, TheViewIsTheScreenAChapterShows) {
    project.Config.set(cfg::Program::HelpOn, 1);
    project.Config.set(cfg::UtilitiesOn, 1);
    project.Config.set(S::ScreenBackColor, 0x00E0FFFF);
    project.Config.set(S::HyperTextColor, 0x00008000);
    project.Config.set(S::QuitButtonCaption, "&Leave");
    const QImage played = PlayedScreen(
        project, {"*Title This is a Sample Title", "*Controls C P Q H U", "*ColRow 5 3",
                  "This is an example of regular Text", "", "^BThis is an example of Bold Text^R", "",
                  "^IThis is an example of Italic Text^R", "", "^B^IThis is an example of Bold Italic Text^R", "",
                  "This is a |HyperText Link|", "*Wait"});
    ASSERT_FALSE(played.isNull());
    PresentationDesigner form(project, rec.platform());
    form.show();
    const auto shown = WhenShown("TSampleScreenForm", [&](QWidget* window) {
        EXPECT_EQ(static_cast<SampleScreenWindow*>(window)->Picture().convertToFormat(played.format()), played);
        static_cast<QDialog*>(window)->accept();
    });
    Click(&form, "ViewBtn");
    EXPECT_TRUE(*shown);
}

TEST_F(ControlBarTest, MainWindowOpensTheTutorialPresentation) {
    test::RecordingChapterRunner runner;
    MainWindow main(project, rec.platform(), runner);
    main.show();
    bool shown = false;
    WhenShown("TDefineControlBarForm", [&](QWidget* w) {
        shown = true;
        Click(w, "CancelBtn");
    });
    main.Button(control::ScreensBtn)->click();
    EXPECT_TRUE(shown);
    EXPECT_TRUE(rec.messages.shown.empty());
}
