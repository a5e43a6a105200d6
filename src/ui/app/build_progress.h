#pragma once
// Progress of a long build step (compiling every chapter, copying the distribution): a small
// window with a bar and the item being worked on, which keeps the program's windows painted
// while the work runs. It appears only when the work takes a moment.
#include <QString>
#include <memory>

class QProgressDialog;
class QWidget;

namespace quill {

class BuildProgress {
public:
    BuildProgress(const QString& title, QWidget* parent);
    ~BuildProgress();
    // Item `index` (from 0) of `count` starts; the label names it.
    void Step(std::size_t index, std::size_t count, const QString& label);
    QProgressDialog* Dialog() const { return dialog_.get(); }

private:
    std::unique_ptr<QProgressDialog> dialog_;
};

}  // namespace quill
