#pragma once
// Helpers for driving windows in tests: acting on a dialog that a button runs modally, and a
// chapter runner that records what it was asked to run.
#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/chapter_runner.h"
#include "../qstring_printer.h"
#include "window_watch.h"

namespace quill::test {

// How long a test waits for something that is due to happen (a timer's start, a folder listed in
// the background) before it fails. The wait ends as soon as it happens; the limit only stops a
// test that would otherwise wait for ever, so it is generous enough for a busy machine.
inline constexpr int kEventWaitMs = 30000;

// Runs `action` once on the first visible window named `name` (a dialog that is about to be
// run modally, so the test cannot reach it from its own code). The test fails when the window
// has not appeared after kEventWaitMs of event processing, or by the end of the test (see
// window_watch.h). The flag returned becomes true when the window was found.
inline std::shared_ptr<bool> WhenShown(const QString& name, std::function<void(QWidget*)> action) {
    auto* timer = new QTimer(qApp);
    auto ticks = std::make_shared<int>(0);
    auto found = std::make_shared<bool>(false);
    constexpr int kTickMs = 10;
    QObject::connect(timer, &QTimer::timeout, qApp, [timer, name, action, ticks, found] {
        if (++*ticks > kEventWaitMs / kTickMs) {
            timer->stop();
            timer->deleteLater();
            ForgetWindowWatch(timer);
            ADD_FAILURE() << "The window \"" << name.toStdString() << "\" never appeared.";
            return;
        }
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->isVisible() && w->objectName() == name) {
                timer->stop();
                timer->deleteLater();
                ForgetWindowWatch(timer);
                *found = true;
                action(w);
                return;
            }
        }
    });
    PendingWindowWatches().push_back({name, timer, found});
    timer->start(kTickMs);
    return found;
}

// Runs `action` in a later event of whatever loop is running then, as a person's next click
// comes after the window has gone back to waiting; nothing runs when `context` is gone by then
// (a dialog whose loop ended too early). The flag returned becomes true when it ran.
inline std::shared_ptr<bool> Later(QObject* context, std::function<void()> action) {
    auto ran = std::make_shared<bool>(false);
    QTimer::singleShot(50, context, [ran, action = std::move(action)] {
        *ran = true;
        action();
    });
    return ran;
}

template <typename T>
T* Child(QWidget* parent, const char* name) {
    return parent->findChild<T*>(name);
}

class RecordingChapterRunner : public ChapterRunner {
public:
    struct Run {
        std::string chapterFile;
        std::string bytesOnDisk;  // the chapter file as it was when the run started
    };
    void RunChapter(Project& project, const std::string& chapterFile) override;
    std::vector<Run> runs;
    std::function<void()> during;  // runs inside each run (a run that takes its time)
};

}  // namespace quill::test
