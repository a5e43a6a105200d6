#pragma once
// The layout the type choosers share: a group of rows, each a radio button and the button that
// defines its choice (enabled only while that radio button is selected), above an "&OK" /
// "&Cancel" row.
#include <QString>
#include <vector>

class QDialog;
class QGroupBox;
class QPushButton;
class QRadioButton;

namespace quill {

struct ChoiceRow {
    QRadioButton* radio;
    QPushButton* button;
};

// One row: the radio button's caption and the stem of the object names ("<stem>Radio" and
// "<stem>" + the button suffix).
struct ChoiceRowSpec {
    QString caption;
    QString stem;
};

// Adds the rows to `group` in order; every button reads `buttonText`.
std::vector<ChoiceRow> AddChoiceRows(QGroupBox* group, const std::vector<ChoiceRowSpec>& rows,
                                     const QString& buttonText, const QString& buttonSuffix);

// Lays the dialog out: `group` above the "&OK" (the default button) and "&Cancel" row; Cancel
// rejects. Returns "&OK" for the caller to connect.
QPushButton* LayOutChoiceDialog(QDialog* dialog, QGroupBox* group);

}  // namespace quill
