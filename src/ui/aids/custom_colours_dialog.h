#pragma once
// CustomColoursDialog: the ten author colours of the colour table ("ColorQ" .. "ColorZ", entries 17
// to 26), each with a panel showing it; the define button sets the selected one from a colour
// dialog. It works on a copy of the record; OK copies it back and saves the project.
#include <QDialog>
#include <memory>

#include "project/config_record.h"

class QLabel;
class QRadioButton;

namespace Ui {
class CustomColoursDialog;
}

namespace quill {

struct AidsContext;

// Window name (its objectName): Tcustcolorform.
class CustomColoursDialog : public QDialog {
    Q_OBJECT
public:
    CustomColoursDialog(AidsContext& context, QWidget* parent = nullptr);
    ~CustomColoursDialog() override;

    const TTutorialConfig& Record() const { return record_; }
    QRadioButton* ColorRadio(int tag) const;
    QLabel* ColorPnl(int tag) const;
    // The name of the colour table entry (what chapters write), beside the caption.
    QLabel* ColorName(int tag) const;

    void SelectColor(int tag);
    void DefineBtnClick();
    void OKBtnClick();

private:
    void ShowPanel(int tag);

    AidsContext& context_;
    std::unique_ptr<Ui::CustomColoursDialog> ui_;
    TTutorialConfig record_;
    int current_ = 1;
};

bool EditCustomColours(AidsContext& context, QWidget* parent = nullptr);

}  // namespace quill
