#pragma once
// ChapterEditor: where chapters are written. The first tab holds the chapter being written with
// buttons that insert text markers, the commands drop-down, and the buttons that save, open and view
// the chapter; the second tab is a free text-file editor to copy text from. Chapters are read
// and written as Windows-1252 lines with CR LF ends, under bare names in the project folder.
#include <QDialog>
#include <QMap>
#include <functional>
#include <string>

#include "common/aids_windows.h"
#include "common/editor_text.h"
#include "platform/control_names.h"

class QComboBox;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace quill {

class ChapterPane;
class ChapterRunner;
class Project;
class SystemServices;
struct Platform;

// Window name (its objectName): TEditForm.
class ChapterEditor : public QDialog {
    Q_OBJECT
public:
    ChapterEditor(Project& project, Platform& platform, ChapterRunner& runner, QWidget* parent = nullptr);

    // The chapter's bare file name with ".QKS" (Windows-1252); empty until saved or opened.
    const std::string& ChapterFile() const { return chapterFile_; }
    const std::string& SideFile() const { return sideFile_; }
    QPlainTextEdit* ChapterText() const { return Memo1_; }
    QPlainTextEdit* SideText() const { return Memo2_; }
    bool Modified() const;
    QMenu* ContextMenu() const { return PopupMenu1_; }
    // The chapter text's working area: highlighting, problems, find and replace, recovery.
    ChapterPane* Pane() const { return pane_; }

    // Inserts text at the caret of the chapter, replacing the selection.
    void InsertAtCaret(const QString& text);

    // Replaces what a control does: TextColorBtn, TextBackBtn, DefineHyperBtn, or
    // CommandsCombo (called with the chosen category in `commandItem`). Until they are given
    // one, these say that their window is not available yet.
    void SetAction(ControlName control, std::function<void()> action);
    QString CommandItem() const { return commandItem_; }
    // The outside services and the teaching-aid windows; with both "Define HyperText" defines
    // the chapter's links and the heading picker's "Modify" edits the heading formats.
    void SetSystemServices(SystemServices* system) { system_ = system; }
    void SetAidsWindows(AidsWindows windows) { aidsWindows_ = std::move(windows); }
    void DefineHyperBtnClick();
    void EditHeadings();

    // The actions of the buttons.
    void SaveBtnClick();
    void OpenBtnClick();
    void ViewBtnClick();
    void OpenTextBtnClick();
    void SaveTextBtnClick();
    void CopyMarkedBtnClick();
    void PasteTextBtnClick();

    void done(int result) override;

protected:
    // Escape does not close the editor: "&Close" (or the window's close box) does.
    void keyPressEvent(QKeyEvent* event) override;

private:
    QPushButton* AddButton(QWidget* bar, const QString& name, const QString& caption);
    // Saving: the name prompt, then the chapter is written. False when nothing
    // was written (prompt cancelled).
    bool SaveWithPrompt();
    void WriteChapter();
    void LoadChapter(const std::string& name);
    void SetChapterFile(const std::string& name);
    void AfterAction();
    void Guarded(const std::function<void()>& action);

    Project& project_;
    Platform& platform_;
    ChapterRunner& runner_;
    SystemServices* system_ = nullptr;
    AidsWindows aidsWindows_;
    std::string chapterFile_;
    std::string sideFile_;
    QString commandItem_;
    QTabWidget* PageControl1_ = nullptr;
    ChapterPane* pane_ = nullptr;
    QPlainTextEdit* Memo1_ = nullptr;
    QPlainTextEdit* Memo2_ = nullptr;
    QComboBox* CommandsCombo_ = nullptr;
    QMenu* PopupMenu1_ = nullptr;
    QMap<QString, std::function<void()>> actions_;
    bool closing_ = false;
};

}  // namespace quill
