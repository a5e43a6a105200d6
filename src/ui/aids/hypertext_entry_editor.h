#pragma once
// HypertextEntryEditor: the editor of a hypertext entry: a radio button per entry type, each
// with an "Add" button that runs the type's dialog (the rich-text entry editor, a file
// chooser, the program type choice, the notes file name); "&Save" writes the entry.
// UtilityEntryEditor: the same editor for executables and utilities, with a name of its own that
// must be unique among the entries of its source.
#include <QDialog>
#include <memory>
#include <string>

#include "aids/entry_rules.h"

class QPushButton;
class QRadioButton;

namespace Ui {
class HypertextEntryEditor;
}

namespace quill {

struct AidsContext;

// Window name (its objectName): TQuestHypMenuForm.
class HypertextEntryEditor : public QDialog {
    Q_OBJECT
public:
    // The editor for a new entry (draft.modifying false) or an existing one.
    HypertextEntryEditor(AidsContext& context, const EntryDraft& draft, QWidget* parent = nullptr);
    ~HypertextEntryEditor() override;

    const EntryDraft& Draft() const { return draft_; }
    QRadioButton* Radio(int n) const;
    QPushButton* AddButton(int n) const;

    // The radio buttons and the Add buttons, 1..9.
    void RadioClick(int n);
    void AddClick(int n);
    void OKBtnClick();

protected:
    HypertextEntryEditor(AidsContext& context, const EntryDraft& draft, bool programEditor, QWidget* parent);
    // Whether the name field is typed into (a new executable or utility).
    bool NameEditable() const;

private:
    void ShowDraft();

    AidsContext& context_;
    std::unique_ptr<Ui::HypertextEntryEditor> ui_;
    EntryDraft draft_;
    bool programEditor_;
};

// Window name (its objectName): TUTilExecForm.
class UtilityEntryEditor : public HypertextEntryEditor {
    Q_OBJECT
public:
    UtilityEntryEditor(AidsContext& context, const EntryDraft& draft, QWidget* parent = nullptr);
};

// Opens the hypertext editor on the link `name` (a new entry when none of that name exists).
// True when the entry was saved.
bool EditHypertextEntry(AidsContext& context, const std::string& name, QWidget* parent = nullptr);
// Opens the executables and utilities editor for `source` ("EXECUTE" or "UTILITY"): an empty
// name defines a new entry, a name of an existing entry modifies it.
bool EditProgramEntry(AidsContext& context, const std::string& name, std::string_view source,
                      QWidget* parent = nullptr);

}  // namespace quill
