#include "aids/window_text_editor.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

#include "common/aids_context.h"
#include "aids/entry_rules.h"
#include "aids/rich_text_editor.h"
#include "datafile/color_notation.h"
#include "platform/error_handler.h"
#include "platform/help.h"
#include "platform/help_topics.h"
#include "platform/modal.h"
#include "platform/platform.h"
#include "project/project.h"
#include "text/cp1252.h"
#include "text_codec.h"
#include "ui_window_text_editor.h"

namespace quill {

WindowTextEditor::WindowTextEditor(AidsContext& context, const std::string& name, QWidget* parent)
    : QDialog(parent), context_(context), ui_(std::make_unique<Ui::WindowTextEditor>()) {
    ui_->setupUi(this);
    SetHelpTopic(this, HelpTopic::WindowTextEditor);
    InstallF1Help(this, context_.platform.help, context_.platform.helpFile);
    editor_ = new RichTextEditor(context_.platform, ui_->EditorPlace);
    auto* place = new QVBoxLayout(ui_->EditorPlace);
    place->setContentsMargins(0, 0, 0, 0);
    place->addWidget(editor_);
    TextLines lines;
    if (!name.empty()) {
        std::string color;
        if (LoadWindowText(context_.project.DataFilePath(), name, color, lines)) {
            oldName_ = name;
            if (StringToColor(color)) color_ = color;
            // The name as the data file spells it.
            std::string stored = name;
            TextLines names;
            ListEntryNames(names, context_.project.DataFilePath(), kSourceWinText);
            for (const std::string& n : names)
                if (EqualsIgnoringCase(n, name)) stored = n;
            ui_->Edit1->setText(FromCp1252(stored));
        }
    }
    editor_->SetBackground(StringToColor(color_).value_or(0x00FFFFFF));
    editor_->SetLines(lines);
    connect(editor_, &RichTextEditor::BackgroundChanged, this, [this](std::uint32_t c) { color_ = ColorToString(c); });
    connect(ui_->Edit1, &QLineEdit::editingFinished, this, &WindowTextEditor::Edit1Exit);
    // Enter after the name goes on to the text (the name is checked as the field is left).
    OnEnter(ui_->Edit1, [this] { editor_->Edit()->setFocus(); });
    ui_->ButtonBox->button(QDialogButtonBox::Ok)->setObjectName("OKBtn");
    ui_->ButtonBox->button(QDialogButtonBox::Cancel)->setObjectName("CancelBtn");
    connect(ui_->ButtonBox, &QDialogButtonBox::accepted, this,
            [this] { RunGuarded(context_.platform.messages, [this] { OKBtnClick(); }); });
    connect(ui_->ButtonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    if (oldName_.empty()) ui_->Edit1->setFocus();
    else editor_->Edit()->setFocus();
}

WindowTextEditor::~WindowTextEditor() = default;

void WindowTextEditor::Edit1Exit() {
    if (!ui_->Edit1->isModified()) return;
    ui_->Edit1->setModified(false);
    std::optional<QString> error;
    RunGuarded(context_.platform.messages, [&] {
        error = WindowTextNameError(context_.project.DataFilePath(), ToCp1252(ui_->Edit1->text()), oldName_);
    });
    if (!error) return;
    context_.platform.messages.ShowError(*error);
    ui_->Edit1->clear();
    ui_->Edit1->setFocus();
}

void WindowTextEditor::OKBtnClick() {
    WindowTextDraft draft;
    draft.name = ToCp1252(ui_->Edit1->text());
    draft.oldName = oldName_;
    draft.color = color_;
    if (editor_->HasText()) draft.lines = editor_->Lines();
    const SaveResult result = SaveWindowText(context_.project.DataFilePath(), draft);
    if (!result.error.isEmpty()) {
        context_.platform.messages.ShowError(result.error);
        ui_->Edit1->setFocus();
        return;
    }
    accept();
}

bool EditWindowText(AidsContext& context, const std::string& name, QWidget* parent) {
    WindowTextEditor form(context, name, parent);
    return ShowModal(form) == QDialog::Accepted;
}

}  // namespace quill
