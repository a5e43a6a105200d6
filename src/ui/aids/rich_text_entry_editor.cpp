#include "aids/rich_text_entry_editor.h"

#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

#include "common/aids_context.h"
#include "aids/entry_performer.h"
#include "aids/rich_text_editor.h"
#include "aids/text_window_adjust.h"
#include "aids/display_screen_designer.h"
#include "platform/error_handler.h"
#include "platform/help.h"
#include "platform/help_topics.h"
#include "platform/modal.h"
#include "platform/platform.h"
#include "ui_rich_text_entry_editor.h"

namespace quill {

RichTextEntryEditor::RichTextEntryEditor(AidsContext& context, const TScreenBackground& settings,
                             const std::vector<std::string>& text, int mode, QWidget* parent)
    : QDialog(parent), context_(context), ui_(std::make_unique<Ui::RichTextEntryEditor>()), settings_(settings),
      text_(text), mode_(mode == 2 ? 2 : 1) {
    ui_->setupUi(this);
    SetHelpTopic(this, mode_ == 2 ? HelpTopic::HypertextGraphicEditor : HelpTopic::HypertextTextEditor);
    InstallF1Help(this, context_.platform.help, context_.platform.helpFile);
    editor_ = new RichTextEditor(context_.platform, ui_->EditorPlace);
    auto* place = new QVBoxLayout(ui_->EditorPlace);
    place->setContentsMargins(0, 0, 0, 0);
    place->addWidget(editor_);
    editor_->SetBackground(settings_.WindowColor);
    editor_->SetLines(text_);
    connect(editor_, &RichTextEditor::BackgroundChanged, this, [this](std::uint32_t c) { settings_.WindowColor = c; });
    if (mode_ == 2) ui_->AdjustBtn->setText("&Design Display Screen");
    connect(ui_->ViewBtn, &QPushButton::clicked, this, [this] { RunGuarded(context_.platform.messages, [this] { ViewBtnClick(); }); });
    connect(ui_->AdjustBtn, &QPushButton::clicked, this, [this] { RunGuarded(context_.platform.messages, [this] { AdjustBtnClick(); }); });
    connect(ui_->ButtonBox, &QDialogButtonBox::accepted, this, &RichTextEntryEditor::OKBtnClick);
    connect(ui_->ButtonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    ui_->ButtonBox->button(QDialogButtonBox::Ok)->setObjectName("OKBtn");
    ui_->ButtonBox->button(QDialogButtonBox::Cancel)->setObjectName("CancelBtn");
    editor_->Edit()->setFocus();
}

RichTextEntryEditor::~RichTextEntryEditor() = default;

void RichTextEntryEditor::ViewBtnClick() {
    EntryPerformer performer(context_, this);
    performer.ShowTextEntry(mode_ == 2 ? TextDisplay::Viewport : TextDisplay::Plain, "", settings_, editor_->Lines());
}

void RichTextEntryEditor::AdjustBtnClick() {
    if (mode_ == 2) {
        DisplayScreenDesigner design(context_, settings_, editor_->Lines(), this);
        if (ShowModal(design) == QDialog::Accepted) settings_ = design.Settings();
        return;
    }
    HypertextWindowAdjuster adjust(context_, settings_, editor_->Lines(), this);
    ShowModal(adjust);
    if (adjust.Saved()) settings_ = adjust.Settings();
}

void RichTextEntryEditor::OKBtnClick() {
    if (editor_->HasText()) text_ = editor_->Lines();
    accept();
}

bool EditRichTextEntry(AidsContext& context, TScreenBackground& settings, std::vector<std::string>& text, int mode,
                       QWidget* parent) {
    RichTextEntryEditor form(context, settings, text, mode, parent);
    if (ShowModal(form) != QDialog::Accepted) return false;
    settings = form.Settings();
    text = form.Text();
    return true;
}

}  // namespace quill
