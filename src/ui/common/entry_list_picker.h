#pragma once
// EntryListPicker: the entry list picker. A list of strings with "&Select", "&Close" and
// "&Find"; a double click or Enter in the list selects. "&Find" asks for a text and selects the
// first entry (from the top, or after the last one found) whose text contains it, ignoring case.
#include <QDialog>
#include <QStringList>
#include <memory>

namespace Ui {
class EntryListPicker;
class EntryFindPrompt;
}  // namespace Ui

namespace quill {

struct Platform;

// The index of the first item at or after `start` whose upper-cased text contains the
// upper-cased text, or -1.
int FindEntryFrom(const QStringList& items, const QString& text, int start);

// Window name (its objectName): TButtListForm.
class EntryListPicker : public QDialog {
    Q_OBJECT
public:
    // `caption` replaces the form's own caption "Select an Entry " when it is not empty.
    EntryListPicker(Platform& platform, const QString& caption, const QStringList& items, int selected,
                  int helpTopic, QWidget* parent = nullptr);
    ~EntryListPicker() override;

    // The selected index, or -1 when the picker was closed or nothing is selected.
    int Selected() const;
    // Runs the picker modally and returns Selected().
    int Run();

    void SelectBtnClick();
    void FindBtnClick();
    // What "Find First" and "Find Next" of the find prompt do.
    void FindEntry(const QString& text, bool fromFirst);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    Platform& platform_;
    QStringList items_;
    std::unique_ptr<Ui::EntryListPicker> ui_;
    QString searchText_;
    int lastFound_ = -1;
    bool selected_ = false;
};

// The find prompt of the picker: "Entry to Find :" with Cancel, "Find Next" and "Find First".
// Window name (its objectName): TFindEntryForm.
class EntryFindPrompt : public QDialog {
    Q_OBJECT
public:
    enum Choice { Cancelled, FindNext, FindFirst };
    EntryFindPrompt(const QString& text, QWidget* parent = nullptr);
    ~EntryFindPrompt() override;
    QString Text() const;
    Choice Chosen() const { return choice_; }

private:
    std::unique_ptr<Ui::EntryFindPrompt> ui_;
    Choice choice_ = Cancelled;
};

}  // namespace quill
