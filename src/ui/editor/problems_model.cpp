#include "editor/problems_model.h"

#include <QBrush>
#include <QMetaObject>

#include "common/editor_text.h"
#include "text_codec.h"

namespace quill {

void ProblemsModel::setProblems(std::vector<ScriptProblem> problems) {
    beginResetModel();
    problems_ = std::move(problems);
    endResetModel();
}

int ProblemsModel::errorCount() const {
    return static_cast<int>(std::count_if(problems_.begin(), problems_.end(), [](const ScriptProblem& p) { return !p.warning; }));
}

int ProblemsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(problems_.size());
}

QVariant ProblemsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const ScriptProblem& p = problems_[static_cast<std::size_t>(index.row())];
    switch (role) {
        case Qt::DisplayRole:
        case Qt::ToolTipRole:
            return QStringLiteral("Line %1: %2%3")
                .arg(p.line)
                .arg(p.warning ? QStringLiteral("warning: ") : QString())
                .arg(FromCp1252(p.message).replace("\r\n", " "));
        case Qt::ForegroundRole: return QBrush(p.warning ? QColor(150, 90, 0) : QColor(180, 0, 0));
        case LineRole: return static_cast<int>(p.line);
        default: return {};
    }
}

BackgroundChecker::BackgroundChecker(QObject* parent)
    : QObject(parent), worker_(new QObject), latest_(std::make_shared<std::atomic<int>>(0)) {
    qRegisterMetaType<std::vector<ScriptProblem>>();
    worker_->moveToThread(&thread_);
    connect(&thread_, &QThread::finished, worker_, &QObject::deleteLater);
    thread_.start(QThread::LowPriority);
}

BackgroundChecker::~BackgroundChecker() {
    latest_->store(-1);  // what is still queued is dropped
    thread_.quit();
    thread_.wait();
}

void BackgroundChecker::request(const QString& text, const CheckSource& source) {
    const int generation = ++pending_;
    latest_->store(generation);
    auto latest = latest_;
    QMetaObject::invokeMethod(worker_, [this, text, source, generation, latest] {
        if (latest->load() != generation) return;  // a newer request is on its way
        CheckContext context(source.config, source.projectDir, source.dataFile);
        auto problems = CheckChapter(ChapterLines(text), context);
        if (latest->load() != generation) return;
        QMetaObject::invokeMethod(this, [this, generation, problems = std::move(problems)]() mutable {
            if (generation != pending_) return;
            done_ = generation;
            emit checked(std::move(problems));
        }, Qt::QueuedConnection);
    }, Qt::QueuedConnection);
}

}  // namespace quill
