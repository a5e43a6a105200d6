#include "common/choice_rows.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

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

QPushButton* AddChoiceButtons(QDialog* dialog, QDialogButtonBox* box) {
    QPushButton* ok = box->addButton("&OK", QDialogButtonBox::AcceptRole);
    ok->setObjectName("OKBtn");
    ok->setDefault(true);
    QPushButton* cancel = box->addButton("&Cancel", QDialogButtonBox::RejectRole);
    cancel->setObjectName("CancelBtn");
    cancel->setAutoDefault(false);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    return ok;
}

}  // namespace quill
