#pragma once
// SampleScreenWindow: a sample chapter screen with the tutorial presentation's choices applied:
// the title "This is a Sample Title" in the screen title font and colours, lines of regular,
// bold, italic and bold italic text and a hypertext link in the screen colours, and the control
// bar with its five buttons. It is drawn by the learner's screen itself (RenderSampleChapter),
// so it shows exactly what a chapter shows. A click or Escape closes it.
#include <QDialog>
#include <filesystem>

#include "project/config_record.h"

class QLabel;

namespace quill {

// Window name (its objectName): TSampleScreenForm.
class SampleScreenWindow : public QDialog {
    Q_OBJECT
public:
    explicit SampleScreenWindow(const TTutorialConfig& record, const std::filesystem::path& projectDir = {},
                               QWidget* parent = nullptr);
    // The picture shown ("ScreenArea").
    QImage Picture() const;

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    QLabel* screen_ = nullptr;
};

}  // namespace quill
