#include "aids/custom_colours_dialog.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "common/aids_context.h"
#include "screen/text_screen.h"
#include "aids/record_commit.h"
#include "platform/error_handler.h"
#include "platform/help.h"
#include "platform/help_topics.h"
#include "platform/modal.h"
#include "platform/platform.h"
#include "common/learner_screen.h"
#include "project/project.h"
#include "text_codec.h"
#include "ui_custom_colours_dialog.h"

namespace quill {

CustomColoursDialog::CustomColoursDialog(AidsContext& context, QWidget* parent)
    : QDialog(parent), context_(context), ui_(std::make_unique<Ui::CustomColoursDialog>()), record_(context.project.Config) {
    ui_->setupUi(this);
    SetHelpTopic(this, HelpTopic::CustomColours);
    InstallF1Help(this, context_.platform.help, context_.platform.helpFile);
    for (int tag = 1; tag <= 10; ++tag) {
        ShowPanel(tag);
        // The name chapters use for the colour, beside its caption.
        ColorName(tag)->setText(FromCp1252(record_.get(cfg::Colors::Entry(16 + tag).Name)));
        connect(ColorRadio(tag), &QRadioButton::clicked, this, [this, tag] { SelectColor(tag); });
    }
    connect(ui_->DefineBtn, &QPushButton::clicked, this, &CustomColoursDialog::DefineBtnClick);
    connect(ui_->ButtonBox, &QDialogButtonBox::accepted, this,
            [this] { RunGuarded(context_.platform.messages, [this] { OKBtnClick(); }); });
    connect(ui_->ButtonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    ui_->ButtonBox->button(QDialogButtonBox::Ok)->setObjectName("OKBtn");
    ui_->ButtonBox->button(QDialogButtonBox::Cancel)->setObjectName("CancelBtn");
    SelectColor(1);
    ColorRadio(1)->setFocus();
}

CustomColoursDialog::~CustomColoursDialog() = default;

QRadioButton* CustomColoursDialog::ColorRadio(int tag) const {
    return findChild<QRadioButton*>(QString("ColorRadio%1").arg(tag));
}

QLabel* CustomColoursDialog::ColorName(int tag) const { return findChild<QLabel*>(QString("ColorName%1").arg(tag)); }

QLabel* CustomColoursDialog::ColorPnl(int tag) const { return findChild<QLabel*>(QString("ColorPnl%1").arg(tag)); }

void CustomColoursDialog::ShowPanel(int tag) {
    QPalette pal = ColorPnl(tag)->palette();
    pal.setColor(QPalette::Window, ColourFromRecord(record_.get(cfg::Colors::Entry(16 + tag).Value)));
    ColorPnl(tag)->setPalette(pal);
}

void CustomColoursDialog::SelectColor(int tag) {
    if (tag < 1 || tag > 10) return;
    current_ = tag;
    ColorRadio(tag)->setChecked(true);
}

void CustomColoursDialog::DefineBtnClick() {
    const auto field = cfg::Colors::Entry(16 + current_).Value;
    const auto color = context_.platform.dialogs.Color(ColourFromRecord(record_.get(field)), ColorRadio(current_)->text());
    if (!color) return;
    record_.set(field, RecordColour(*color));
    ShowPanel(current_);
}

void CustomColoursDialog::OKBtnClick() {
    CommitRecord(context_.project, record_);
    accept();
}

bool EditCustomColours(AidsContext& context, QWidget* parent) {
    CustomColoursDialog form(context, parent);
    return ShowModal(form) == QDialog::Accepted;
}

}  // namespace quill
