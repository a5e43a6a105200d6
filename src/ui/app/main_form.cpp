#include "app/main_form.h"

#include <QLabel>
#include <QStatusBar>

#include "text_codec.h"

namespace quill {

TQMKmainform::TQMKmainform(Project& project, QWidget* parent)
    : QMainWindow(parent), project_(project) {
    setObjectName("TQMKmainform");
    setWindowTitle("Quillmark for Windows - Ver 1.9");
    auto* caption = new QLabel("  Current Tutorial  :", this);
    ProjectLbl_ = new QLabel(this);
    ProjectLbl_->setObjectName("ProjectLbl");
    statusBar()->addPermanentWidget(caption);
    statusBar()->addPermanentWidget(ProjectLbl_);
    UpdateProjectLabel();
    resize(800, 600);
}

void TQMKmainform::UpdateProjectLabel() {
    ProjectLbl_->setText(project_.IsOpen() ? FromCp1252(project_.ProjectName) : "None Selected");
}

}  // namespace quill
