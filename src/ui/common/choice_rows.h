#pragma once
// What the type choosers share: a group of rows, each a radio button and the button that
// defines its choice (enabled only while that radio button is selected), above a button box
// with "&OK" and "&Cancel".
#include <QString>
#include <vector>

class QDialog;
class QDialogButtonBox;
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

// Adds "&OK" (the default button) and "&Cancel" to the dialog's button box; Cancel rejects.
// Returns "&OK" for the caller to connect.
QPushButton* AddChoiceButtons(QDialog* dialog, QDialogButtonBox* box);

}  // namespace quill
