#pragma once
// ProblemsModel: the checker's problems of the chapter being edited, one row each
// ("Line 12: message"; warnings say so), for the problems list under the editor. The line of a
// row is its LineRole.
//
// BackgroundChecker: checks a chapter on a thread of its own, so that typing never waits for
// it. Each request() replaces the one before; a result arrives through checked() only for the
// latest request, and only after the whole check.
#include <QAbstractListModel>
#include <QObject>
#include <QThread>
#include <atomic>
#include <memory>
#include <vector>

#include "project/config_record.h"
#include "script/chapter_check.h"

namespace quill {

class ProblemsModel : public QAbstractListModel {
    Q_OBJECT
public:
    static constexpr int LineRole = Qt::UserRole + 1;
    using QAbstractListModel::QAbstractListModel;

    void setProblems(std::vector<ScriptProblem> problems);
    const std::vector<ScriptProblem>& problems() const { return problems_; }
    int errorCount() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    std::vector<ScriptProblem> problems_;
};

// What a check needs of the project, copied when the check is asked for.
struct CheckSource {
    TTutorialConfig config;
    std::filesystem::path projectDir, dataFile;
};

class BackgroundChecker : public QObject {
    Q_OBJECT
public:
    explicit BackgroundChecker(QObject* parent = nullptr);
    ~BackgroundChecker() override;

    // Checks the text (lines separated by '\n', as typed).
    void request(const QString& text, const CheckSource& source);
    // True while a request has not been answered.
    bool busy() const { return pending_ != done_; }

signals:
    void checked(std::vector<ScriptProblem> problems);

private:
    QThread thread_;
    QObject* worker_;
    std::shared_ptr<std::atomic<int>> latest_;
    int pending_ = 0, done_ = 0;
};

}  // namespace quill
