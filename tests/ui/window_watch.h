#pragma once
// Windows a test waits for. A test that says it will act on a window that a button runs
// modally fails when that window never appears: when the wait runs out while the test is still
// running, or when the test ends first. The check at the end is a test event listener that
// the GUI test main installs.
#include <gtest/gtest.h>

#include <QPointer>
#include <QString>
#include <QTimer>
#include <memory>
#include <vector>

namespace quill::test {

struct WindowWatch {
    QString name;
    QPointer<QTimer> timer;
    std::shared_ptr<bool> found;
};

// The watches of the running test that have not found their window yet.
inline std::vector<WindowWatch>& PendingWindowWatches() {
    static std::vector<WindowWatch> watches;
    return watches;
}

inline void ForgetWindowWatch(const QTimer* timer) {
    auto& watches = PendingWindowWatches();
    std::erase_if(watches, [timer](const WindowWatch& w) { return w.timer == timer || w.timer.isNull(); });
}

// Fails the test that is ending for every window it waited for in vain, and stops those waits,
// so that they can neither act on a window of a later test nor fail it. (End events reach the
// listeners appended last first, so the failure is counted before the result is printed.)
class WindowWatchListener : public ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo&) override {
        auto watches = std::move(PendingWindowWatches());
        PendingWindowWatches().clear();
        for (WindowWatch& w : watches) {
            if (w.timer) {
                w.timer->stop();
                w.timer->deleteLater();
            }
            if (!*w.found) ADD_FAILURE() << "The window \"" << w.name.toStdString() << "\" never appeared.";
        }
    }
};

}  // namespace quill::test
