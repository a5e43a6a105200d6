#pragma once
// TeachingAidsMenu: the teaching aids menu: the author picks a tool (custom colours, headings,
// window texts, utilities, executables, hypertext links) and "Select" opens it while the menu
// is hidden; "Information" shows the chosen tool's help.
#include <QDialog>
#include <memory>

namespace Ui {
class TeachingAidsMenu;
}

namespace quill {

struct AidsContext;

// Window name (its objectName): TToolsMenuForm.
class TeachingAidsMenu : public QDialog {
    Q_OBJECT
public:
    TeachingAidsMenu(AidsContext& context, QWidget* parent = nullptr);
    ~TeachingAidsMenu() override;

    int Selection() const { return selection_; }
    void SetSelection(int tag);
    void SelectBtnClick();
    void InfoBtnClick();

private:
    AidsContext& context_;
    std::unique_ptr<Ui::TeachingAidsMenu> ui_;
    int selection_ = 0;
};

void OpenTeachingAids(AidsContext& context, QWidget* parent = nullptr);

}  // namespace quill
