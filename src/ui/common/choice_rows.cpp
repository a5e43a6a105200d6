#include "common/choice_rows.h"

#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace quill {

std::vector<ChoiceRow> AddChoiceRows(QGroupBox* group, const std::vector<ChoiceRowSpec>& rows,
                                     const QString& buttonText, const QString& buttonSuffix) {
    auto* grid = new QGridLayout(group);
    std::vector<ChoiceRow> out;
    for (const ChoiceRowSpec& spec : rows) {
        auto* radio = new QRadioButton(spec.caption, group);
        radio->setObjectName(spec.stem + "Radio");
        auto* button = new QPushButton(buttonText, group);
        button->setObjectName(spec.stem + buttonSuffix);
        button->setAutoDefault(false);
        button->setEnabled(false);
        const int row = static_cast<int>(out.size());
        grid->addWidget(radio, row, 0);
        grid->addWidget(button, row, 1);
        QObject::connect(radio, &QRadioButton::toggled, button, &QPushButton::setEnabled);
        out.push_back({radio, button});
    }
    return out;
}

QPushButton* LayOutChoiceDialog(QDialog* dialog, QGroupBox* group) {
    auto* ok = new QPushButton("&OK", dialog);
    ok->setObjectName("OKBtn");
    ok->setDefault(true);
    auto* cancel = new QPushButton("&Cancel", dialog);
    cancel->setObjectName("CancelBtn");
    cancel->setAutoDefault(false);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    auto* layout = new QVBoxLayout(dialog);
    layout->addWidget(group);
    layout->addLayout(row);
    return ok;
}

}  // namespace quill
