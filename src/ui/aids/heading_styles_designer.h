#pragma once
// HeadingStylesDesigner: the designer of the ten heading styles of the configuration record: name, font
// (face, size, colour, style), alignment and background of each, with a live sample. It works
// on a copy of the record; OK copies it back and saves the project.
#include <QDialog>
#include <memory>

#include "project/config_record.h"
#include "project/font_spec.h"

class QLineEdit;
class QRadioButton;

namespace Ui {
class HeadingStylesDesigner;
}

namespace quill {

struct AidsContext;

// The font specification of heading n (1..10) of the record; a text that cannot be read gives
// "Arial" at 18 points.
FontSpec HeadingFont(const TTutorialConfig& config, int n);

// Window name (its objectName): THeadForm.
class HeadingStylesDesigner : public QDialog {
    Q_OBJECT
public:
    HeadingStylesDesigner(AidsContext& context, QWidget* parent = nullptr);
    ~HeadingStylesDesigner() override;

    const TTutorialConfig& Record() const { return record_; }
    int Current() const { return current_; }
    QRadioButton* HeadRadio(int n) const;
    QLineEdit* NameEdit(int n) const;

    // Selects heading n (1..10) and shows its design.
    void SelectHeading(int n);
    // Leaving name field n.
    void NameEditExit(int n);
    void OKBtnClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void LoadDesign();
    // Writes the controls' font into the heading and shows it in the sample.
    void StoreFont();
    void ShowSample();

    AidsContext& context_;
    std::unique_ptr<Ui::HeadingStylesDesigner> ui_;
    TTutorialConfig record_;
    FontSpec font_;
    int current_ = 1;
    bool loading_ = false;
    bool checking_ = false;  // a name is being checked (its message box and refocus)
};

bool EditHeadings(AidsContext& context, QWidget* parent = nullptr);

}  // namespace quill
