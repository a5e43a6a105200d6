#include "common/entry_list_picker.h"

#include <QKeyEvent>
#include <QPushButton>

#include "platform/modal.h"
#include "platform/platform.h"
#include "ui_entry_list_picker.h"
#include "ui_entry_find_prompt.h"

namespace quill {

int FindEntryFrom(const QStringList& items, const QString& text, int start) {
    const QString wanted = text.toUpper();
    for (int i = std::max(start, 0); i < items.size(); ++i)
        if (items[i].toUpper().contains(wanted)) return i;
    return -1;
}

EntryListPicker::EntryListPicker(Platform& platform, const QString& caption, const QStringList& items, int selected,
                             int helpTopic, QWidget* parent)
    : QDialog(parent), platform_(platform), items_(items), ui_(std::make_unique<Ui::EntryListPicker>()) {
    ui_->setupUi(this);
    if (!caption.isEmpty()) setWindowTitle(caption);
    SetHelpTopic(this, helpTopic);
    InstallF1Help(this, platform_.help, platform_.helpFile);

    ui_->ListBox1->addItems(items_);
    if (selected >= 0 && selected < items_.size()) ui_->ListBox1->setCurrentRow(selected);
    connect(ui_->ListBox1, &QListWidget::itemDoubleClicked, this, [this] { SelectBtnClick(); });

    // The picker has no default button (Enter selects from the list only): an accept-role button
    // would become the default when the box is shown, so "&Select" takes the action role.
    QPushButton* select = ui_->ButtonBox->addButton("&Select", QDialogButtonBox::ActionRole);
    select->setObjectName("SelectBtn");
    QPushButton* close = ui_->ButtonBox->addButton("&Close", QDialogButtonBox::RejectRole);
    close->setObjectName("CloseBtn");
    QPushButton* find = ui_->ButtonBox->addButton("&Find", QDialogButtonBox::ActionRole);
    find->setObjectName("FindBtn");
    for (QPushButton* b : {select, close, find}) b->setAutoDefault(false);
    connect(select, &QPushButton::clicked, this, &EntryListPicker::SelectBtnClick);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(find, &QPushButton::clicked, this, &EntryListPicker::FindBtnClick);
}

EntryListPicker::~EntryListPicker() = default;

int EntryListPicker::Selected() const { return selected_ ? ui_->ListBox1->currentRow() : -1; }

int EntryListPicker::Run() {
    ShowModal(*this);
    return Selected();
}

void EntryListPicker::SelectBtnClick() {
    if (ui_->ListBox1->currentRow() < 0 || ui_->ListBox1->selectedItems().isEmpty()) {
        selected_ = false;
        reject();
        return;
    }
    selected_ = true;
    accept();
}

void EntryListPicker::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && ui_->ListBox1->hasFocus()) {
        SelectBtnClick();
        return;
    }
    QDialog::keyPressEvent(event);
}

void EntryListPicker::FindEntry(const QString& text, bool fromFirst) {
    searchText_ = text;
    if (items_.isEmpty()) return;
    const int found = FindEntryFrom(items_, text, fromFirst ? 0 : lastFound_ + 1);
    if (found >= 0) {
        lastFound_ = found;
        ui_->ListBox1->setCurrentRow(found);
    } else {
        ui_->ListBox1->setCurrentRow(0);
    }
}

void EntryListPicker::FindBtnClick() {
    EntryFindPrompt prompt(searchText_, this);
    ShowModal(prompt);
    if (prompt.Chosen() == EntryFindPrompt::Cancelled) return;
    FindEntry(prompt.Text(), prompt.Chosen() == EntryFindPrompt::FindFirst);
}

EntryFindPrompt::EntryFindPrompt(const QString& text, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::EntryFindPrompt>()) {
    ui_->setupUi(this);
    ui_->FindEdit->setText(text);
    QPushButton* cancel = ui_->ButtonBox->addButton("Cancel", QDialogButtonBox::RejectRole);
    cancel->setObjectName("CancelBtn");
    QPushButton* next = ui_->ButtonBox->addButton("Find Next", QDialogButtonBox::AcceptRole);
    next->setObjectName("FindNextBtn");
    next->setDefault(true);
    QPushButton* first = ui_->ButtonBox->addButton("Find First", QDialogButtonBox::AcceptRole);
    first->setObjectName("FindFirstBtn");
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(next, &QPushButton::clicked, this, [this] {
        choice_ = FindNext;
        accept();
    });
    connect(first, &QPushButton::clicked, this, [this] {
        choice_ = FindFirst;
        accept();
    });
    ui_->FindEdit->selectAll();
    ui_->FindEdit->setFocus();
}

EntryFindPrompt::~EntryFindPrompt() = default;

QString EntryFindPrompt::Text() const { return ui_->FindEdit->text(); }

}  // namespace quill
