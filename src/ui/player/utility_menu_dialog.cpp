#include "player/utility_menu_dialog.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/window_caption.h"

namespace quill {

UtilityMenuDialog::UtilityMenuDialog(const QStringList& names, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TUtMenuForm"));
    SetWindowCaption(*this, QString());
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->addItems(names);
    if (ListBox1->count() > 0) ListBox1->setCurrentRow(0);
    BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn2 = new QPushButton(QStringLiteral("Cancel"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn1->setAutoDefault(false);
    BitBtn2->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ListBox1);
    layout->addLayout(buttons);
    resize(260, 220);

    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    ListBox1->setFocus();
}

void UtilityMenuDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

std::optional<int> UtilityMenuDialog::ChosenIndex() const {
    if (result() != QDialog::Accepted) return std::nullopt;
    const int row = ListBox1->currentRow();
    if (row < 0 || row >= ListBox1->count() || !ListBox1->currentItem()->isSelected()) return std::nullopt;
    return row;
}

QString UtilityMenuDialog::ChosenName() const {
    const auto i = ChosenIndex();
    return i ? ListBox1->item(*i)->text() : QString();
}

}  // namespace quill
