#pragma once
// MenuChaptersDesigner: the chapter list of the main menu: twenty rows, each with its number, a
// topic edit and a file-name edit, and beside them the project's chapter files with a button
// that puts the selected file's name into the current row. A file name must start with the
// project name; OK packs the complete rows to the front of the list and sets ChapterCount.
#include <QDialog>
#include <array>

#include "design/menu_chapters.h"
#include "project/config_record.h"

class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace quill {

class Project;
struct Platform;

// Window name (its objectName): TMenuChapterForm.
class MenuChaptersDesigner : public QDialog {
    Q_OBJECT
public:
    MenuChaptersDesigner(const Project& project, Platform& platform, const TTutorialConfig& record,
                     QWidget* parent = nullptr);
    const TTutorialConfig& Record() const { return copy_; }
    int CurrentRow() const { return current_; }  // 1..20

    QLineEdit* TopicEdit(int row) const { return topics_[row - 1]; }
    QLineEdit* FileEdit(int row) const { return files_[row - 1]; }
    QRadioButton* RowButton(int row) const { return rows_[row - 1]; }

    void SelectRow(int row, bool focusTopic);
    void AddBtnClick();
    // Checks a file edit by the chapter name rule; a bad name is reported, emptied and keeps
    // the focus. True when the edit is empty or good.
    bool CheckFileEdit(int row);
    // OK: true when the list was stored (the dialog may close).
    bool StoreRows();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    MenuRows Rows() const;

    const Project& project_;
    Platform& platform_;
    TTutorialConfig copy_;
    int current_ = 1;
    std::array<QRadioButton*, cfg::MainMenu::MaxChapters> rows_{};
    std::array<QLineEdit*, cfg::MainMenu::MaxChapters> topics_{};
    std::array<QLineEdit*, cfg::MainMenu::MaxChapters> files_{};
    QListWidget* ChapterListBox_ = nullptr;
    QPushButton* AddBtn_ = nullptr;
};

// Shows the list designer on `record`; on OK the record's chapter list and ChapterCount are
// replaced. True on OK.
bool DefineMenuChapters(const Project& project, Platform& platform, TTutorialConfig& record,
                        QWidget* parent = nullptr);

}  // namespace quill
