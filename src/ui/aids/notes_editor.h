#pragma once
// NotesEditor: a small plain-text editor for one text file (Windows-1252,
// CR LF lines). The player opens it for "*NotePad", the teaching aids for a notes file. It
// edits, saves, prints and searches the text; before "&New", "&Open" and closing a modified
// text it asks whether to save it.
#include <QDialog>
#include <QPrinter>
#include <filesystem>
#include <memory>

class QPlainTextEdit;

namespace Ui {
class NotesEditor;
}  // namespace Ui

namespace quill {

struct Platform;

// Window name (its objectName): THNotesForm.
class NotesEditor : public QDialog {
    Q_OBJECT
public:
    // Loads `file` when it exists (an empty text otherwise); the caption shows `name` (the name
    // as the caller was given it; the file's own name when empty). "&Save" writes `file`.
    NotesEditor(Platform& platform, const std::filesystem::path& file, const QString& name = {},
                QWidget* parent = nullptr);
    ~NotesEditor() override;

    QPlainTextEdit* Memo() const;
    const std::filesystem::path& CurrentFile() const { return currentFile_; }
    bool Modified() const;

    // The menu items.
    void NewItemClick();
    void OpenItemClick();
    bool SaveItemClick();  // false when nothing was written
    bool SaveAsItemClick();
    void PrintItemClick();
    void PrintSetupItemClick();
    void FindItemClick();
    void ReplaceItemClick();

    // Selects the next occurrence of `text` after the selection (or the caret), letter case
    // included; beeps and keeps the selection when there is none.
    bool FindNext(const QString& text);
    // The replace button: finds the next occurrence unless it is selected, then replaces it.
    bool ReplaceOnce(const QString& text, const QString& replacement);
    // Replaces every further occurrence, each search going on after the text just inserted;
    // returns the number replaced.
    int ReplaceAll(const QString& text, const QString& replacement);
    // Prints every line of the text in the text's font, one printed line per text line.
    void PrintText(QPrinter& printer) const;

    // Updates the "&Edit" items as opening the menu does.
    void UpdateEditItems();

    void done(int result) override;

private:
    // The save question; false when the action is to be abandoned.
    bool AskToSave();
    void LoadFile(const std::filesystem::path& file);
    bool WriteFile(const std::filesystem::path& file);
    void SetCaption(const QString& name);
    QString BareName() const;

    Platform& platform_;
    std::unique_ptr<Ui::NotesEditor> ui_;
    std::filesystem::path currentFile_;
    QString findText_, replaceText_;
    std::unique_ptr<QPrinter> printer_;
};

}  // namespace quill
