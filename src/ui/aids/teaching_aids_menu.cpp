#include "aids/teaching_aids_menu.h"

#include <QPushButton>
#include <QRadioButton>

#include "common/aids_context.h"
#include "aids/custom_colours_dialog.h"
#include "aids/entry_manager.h"
#include "aids/entry_rules.h"
#include "aids/heading_styles_designer.h"
#include "platform/error_handler.h"
#include "platform/help.h"
#include "platform/help_topics.h"
#include "platform/modal.h"
#include "platform/platform.h"
#include "ui_teaching_aids_menu.h"

namespace quill {

TeachingAidsMenu::TeachingAidsMenu(AidsContext& context, QWidget* parent)
    : QDialog(parent), context_(context), ui_(std::make_unique<Ui::TeachingAidsMenu>()) {
    ui_->setupUi(this);
    SetHelpTopic(this, HelpTopic::TeachingAidsMenu);
    InstallF1Help(this, context_.platform.help, context_.platform.helpFile);
    for (const ToolChoice& choice : ToolChoices()) {
        auto* radio = findChild<QRadioButton*>(choice.name);
        SetHelpTopic(radio, choice.helpContext);
        connect(radio, &QRadioButton::clicked, this, [this, tag = choice.tag] { SetSelection(tag); });
    }
    QPushButton* select = ui_->ButtonBox->addButton("Select", QDialogButtonBox::ActionRole);
    select->setObjectName("SelectBtn");
    select->setDefault(true);
    QPushButton* info = ui_->ButtonBox->addButton("Information", QDialogButtonBox::HelpRole);
    info->setObjectName("InfoBtn");
    ui_->ButtonBox->button(QDialogButtonBox::Close)->setObjectName("CloseBtn");
    connect(select, &QPushButton::clicked, this, &TeachingAidsMenu::SelectBtnClick);
    connect(info, &QPushButton::clicked, this, &TeachingAidsMenu::InfoBtnClick);
    connect(ui_->ButtonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

TeachingAidsMenu::~TeachingAidsMenu() = default;

void TeachingAidsMenu::SetSelection(int tag) {
    selection_ = tag;
    for (const ToolChoice& choice : ToolChoices())
        if (choice.tag == tag) findChild<QRadioButton*>(choice.name)->setChecked(true);
}

void TeachingAidsMenu::SelectBtnClick() {
    if (selection_ < 1 || selection_ > 6) return;
    const bool shown = isVisible();
    if (shown) hide();
    RunGuarded(context_.platform.messages, [this] {
        switch (selection_) {
            case 1: EditCustomColours(context_, this); break;
            case 2: EditHeadings(context_, this); break;
            case 3: OpenEntryManager(context_, kSourceWinText, this); break;
            case 4: OpenEntryManager(context_, kSourceUtility, this); break;
            case 5: OpenEntryManager(context_, kSourceExecute, this); break;
            case 6: OpenEntryManager(context_, kSourceHyper, this); break;
            default: break;
        }
    });
    if (shown) show();
}

void TeachingAidsMenu::InfoBtnClick() { context_.platform.ShowHelp(ToolHelpContext(selection_)); }

void OpenTeachingAids(AidsContext& context, QWidget* parent) {
    TeachingAidsMenu menu(context, parent);
    ShowModal(menu);
}

}  // namespace quill
