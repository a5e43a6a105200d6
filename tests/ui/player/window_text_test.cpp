// A window text in the preview window is the picture the headless snapshots show: the same
// lines wrapped at the same width and cut at the same bottom, never a scroll bar of its own.
#include <gtest/gtest.h>

#include <QPixmap>

#include "../../format/test_folder.h"
#include "platform/platform.h"
#include "player/preview_window.h"
#include "project/project.h"
#include "screen/screen_render.h"
#include "screen/text_screen.h"

using namespace quill;
using namespace quill::test;

TEST(PreviewWindowText, TheWindowDrawsAWindowTextAsTheSnapshotDoes) {
    TempFolder home;
    Project project{home.path()};
    RecordingPlatform rec{home.path()};
    NewTutorial(project, home / "t", "demo");
    PreviewWindow window(project, rec.platform());
    TextScreen screen(project.Config, project.ProjectDir, &window.host());
    window.setScreen(&screen);
    window.show();
    window.FormActivate();
    screen.clearScreen(0);
    // More lines than the box holds: the last ones are cut, as in the snapshot.
    screen.showRichText(24, 9, 50, 14, QColor(0xF0, 0xE0, 0xC0),
                        {"{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 Remember: north is at the top of the map,",
                         "\\par the scale tells how far, and the key what each sign means.",
                         "\\par Contour lines join points of equal height.\\par One more line.\\par And another.}"});
    window.syncFromScreen();
    QWidget* text = window.findChild<QWidget*>("RichEdit1");
    ASSERT_NE(text, nullptr);
    const QRect inner = screen.richText().rect.adjusted(5, 5, -5, -5);
    EXPECT_EQ(text->mapTo(&window, QPoint(0, 0)), inner.topLeft());
    const QImage shown = text->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage snapshot = RenderScreen(screen).copy(inner);
    EXPECT_EQ(shown, snapshot);
}
