// Pictures the learner's screen draws for the presentation windows and the designers.
#include <gtest/gtest.h>

#include "../../format/test_folder.h"
#include "project/config_record.h"
#include "screen/presentation_render.h"
#include "screen/sample_chapter.h"

using namespace quill;
using quill::test::TempFolder;

namespace A = cfg::About;

// An about box whose icon cannot be shown keeps no room for it: it is the box without an icon.
TEST(PresentationPictures, AnAboutBoxWithoutItsIconKeepsNoRoomForIt) {
    TempFolder home;
    TTutorialConfig c;
    SetConfigDefaults(c);
    c.set(A::ProgramName, "Safety First");
    c.set(A::UseIcon, 0);
    const QImage without = RenderAboutBox(c, home.path());
    c.set(A::UseIcon, 1);
    c.set(A::IconFile, "gone.ico");
    EXPECT_EQ(RenderAboutBox(c, home.path()), without);
}

// The sample chapter of the designers shows the control bar with every button, whatever the
// tutorial's Help and Utilities switches, and its title panel when it has a title.
TEST(PresentationPictures, TheSampleChapterShowsEveryButtonAndItsTitle) {
    TempFolder home;
    TTutorialConfig c;
    SetConfigDefaults(c);
    SampleChapter plain;
    plain.controlBar = false;
    const QImage bare = RenderSampleChapter(c, home.path(), plain);
    const QImage sample = RenderSampleChapter(c, home.path(), SampleChapterScreen());
    // The five buttons (Quit 20, Utilities 146, Help 272, Page back 398, Continue 524), 89 wide.
    for (const int left : {20, 146, 272, 398, 524})
        EXPECT_NE(sample.copy(left, 454, 89, 20), bare.copy(left, 454, 89, 20)) << left;
    EXPECT_NE(sample.copy(0, 0, 640, 34), bare.copy(0, 0, 640, 34));
}
