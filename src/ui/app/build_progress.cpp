#include "app/build_progress.h"

#include <QApplication>
#include <QProgressDialog>

namespace quill {

BuildProgress::BuildProgress(const QString& title, QWidget* parent)
    : dialog_(std::make_unique<QProgressDialog>(parent)) {
    dialog_->setObjectName("ProgressForm");
    dialog_->setWindowTitle(title);
    dialog_->setCancelButton(nullptr);  // the work runs to its end (a half copy helps no one)
    dialog_->setWindowModality(Qt::ApplicationModal);
    dialog_->setMinimumDuration(300);
    dialog_->setAutoClose(false);
    dialog_->setAutoReset(false);
    dialog_->setMinimumWidth(360);
}

BuildProgress::~BuildProgress() { dialog_->close(); }

void BuildProgress::Step(std::size_t index, std::size_t count, const QString& label) {
    dialog_->setMaximum(static_cast<int>(count));
    dialog_->setValue(static_cast<int>(index));
    dialog_->setLabelText(label);
    QApplication::processEvents();
}

}  // namespace quill
