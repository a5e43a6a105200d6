// The one main of the GUI test programs: makes the application object on the offscreen
// platform, then runs the tests; a test fails when a window it waited for never appeared.
#include <gtest/gtest.h>

#include <QApplication>

#include "window_watch.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND")) qputenv("QT_MEDIA_BACKEND", "gstreamer");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new quill::test::WindowWatchListener);
    return RUN_ALL_TESTS();
}
