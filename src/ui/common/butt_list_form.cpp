#include "common/butt_list_form.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/modal.h"
#include "platform/platform.h"

namespace quill {

int FindEntryFrom(const QStringList& items, const QString& text, int start) {
    const QString wanted = text.toUpper();
    for (int i = std::max(start, 0); i < items.size(); ++i)
        if (items[i].toUpper().contains(wanted)) return i;
    return -1;
}

TButtListForm::TButtListForm(Platform& platform, const QString& caption, const QStringList& items, int selected,
                             int helpTopic, QWidget* parent)
    : QDialog(parent), platform_(platform), items_(items) {
    setObjectName("TButtListForm");
    setWindowTitle(caption.isEmpty() ? QStringLiteral("Select an Entry ") : caption);
    SetHelpTopic(this, helpTopic);
    InstallF1Help(this, platform_.help, platform_.helpFile);

    ListBox1_ = new QListWidget(this);
    ListBox1_->setObjectName("ListBox1");
    ListBox1_->addItems(items_);
    if (selected >= 0 && selected < items_.size()) ListBox1_->setCurrentRow(selected);
    connect(ListBox1_, &QListWidget::itemDoubleClicked, this, [this] { SelectBtnClick(); });

    auto* select = new QPushButton("&Select", this);
    select->setObjectName("SelectBtn");
    auto* close = new QPushButton("&Close", this);
    close->setObjectName("CloseBtn");
    auto* find = new QPushButton("&Find", this);
    find->setObjectName("FindBtn");
    for (QPushButton* b : {select, close, find}) b->setAutoDefault(false);
    connect(select, &QPushButton::clicked, this, &TButtListForm::SelectBtnClick);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(find, &QPushButton::clicked, this, &TButtListForm::FindBtnClick);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(select);
    buttons->addWidget(close);
    buttons->addWidget(find);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ListBox1_);
    layout->addLayout(buttons);
    resize(360, 320);
}

int TButtListForm::Selected() const { return selected_ ? ListBox1_->currentRow() : -1; }

int TButtListForm::Run() {
    ShowModal(*this);
    return Selected();
}

void TButtListForm::SelectBtnClick() {
    if (ListBox1_->currentRow() < 0 || ListBox1_->selectedItems().isEmpty()) {
        selected_ = false;
        reject();
        return;
    }
    selected_ = true;
    accept();
}

void TButtListForm::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && ListBox1_->hasFocus()) {
        SelectBtnClick();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TButtListForm::FindEntry(const QString& text, bool fromFirst) {
    searchText_ = text;
    if (items_.isEmpty()) return;
    const int found = FindEntryFrom(items_, text, fromFirst ? 0 : lastFound_ + 1);
    if (found >= 0) {
        lastFound_ = found;
        ListBox1_->setCurrentRow(found);
    } else {
        ListBox1_->setCurrentRow(0);
    }
}

void TButtListForm::FindBtnClick() {
    TFindEntryForm prompt(searchText_, this);
    ShowModal(prompt);
    if (prompt.Chosen() == TFindEntryForm::Cancelled) return;
    FindEntry(prompt.Text(), prompt.Chosen() == TFindEntryForm::FindFirst);
}

TFindEntryForm::TFindEntryForm(const QString& text, QWidget* parent) : QDialog(parent) {
    setObjectName("TFindEntryForm");
    setWindowTitle("Find");
    auto* label = new QLabel("Entry to Find :", this);
    FindEdit_ = new QLineEdit(text, this);
    FindEdit_->setObjectName("FindEdit");
    label->setBuddy(FindEdit_);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("CancelBtn");
    auto* next = new QPushButton("Find Next", this);
    next->setObjectName("FindNextBtn");
    next->setDefault(true);
    auto* first = new QPushButton("Find First", this);
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
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cancel);
    buttons->addWidget(next);
    buttons->addWidget(first);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(FindEdit_);
    layout->addLayout(buttons);
    FindEdit_->selectAll();
    FindEdit_->setFocus();
}

QString TFindEntryForm::Text() const { return FindEdit_->text(); }

}  // namespace quill
