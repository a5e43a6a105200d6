#include "design/sample_screen_window.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QVBoxLayout>

#include "screen/presentation_layout.h"
#include "screen/sample_chapter.h"

namespace quill {

SampleScreenWindow::SampleScreenWindow(const TTutorialConfig& c, const std::filesystem::path& projectDir,
                                     QWidget* parent)
    : QDialog(parent) {
    setObjectName("TSampleScreenForm");
    setWindowTitle("This is a Sample Title");
    setFixedSize(kDesignWidth, kDesignHeight);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    screen_ = new QLabel(this);
    screen_->setObjectName("ScreenArea");
    screen_->setPixmap(QPixmap::fromImage(RenderSampleChapter(c, projectDir, SampleChapterScreen())));
    layout->addWidget(screen_);
}

QImage SampleScreenWindow::Picture() const { return screen_->pixmap().toImage(); }

void SampleScreenWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) accept();
}

}  // namespace quill
