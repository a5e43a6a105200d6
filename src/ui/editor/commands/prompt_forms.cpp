#include "editor/commands/prompt_forms.h"

#include <QApplication>
#include <QFocusEvent>
#include <QPushButton>
#include <QTimer>

#include "platform/help.h"
#include "platform/platform.h"
#include "ui_column_row_prompt_dialog.h"
#include "ui_number_prompt_dialog.h"
#include "ui_text_prompt_dialog.h"

namespace quill {

namespace {

// Buttons take the focus by the keyboard only: a click on Cancel must not first check the
// field that the focus leaves.
QPushButton* AddButton(QDialogButtonBox* box, const QString& text,
                       QDialogButtonBox::ButtonRole role, const char* name) {
    QPushButton* button = box->addButton(text, role);
    button->setObjectName(name);
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

void SetUpPrompt(QDialog* dialog, Platform& platform, int topic) {
    if (topic > 0) SetHelpTopic(dialog, topic);
    InstallF1Help(dialog, platform.help, platform.helpFile);
}

}  // namespace

// --- Text -----------------------------------------------------------------------------------

TextPromptDialog::TextPromptDialog(Platform& platform, const TextPrompt& prompt, QWidget* parent)
    : QDialog(parent),
      platform_(platform),
      prompt_(prompt),
      ui_(std::make_unique<Ui::TextPromptDialog>()) {
    ui_->setupUi(this);
    SetUpPrompt(this, platform_, prompt.topic);
    ui_->QuestionLbl->setText(prompt.question);
    ui_->QuestionLbl->setBuddy(ui_->TextEdit);
    QPushButton* cancel =
        AddButton(ui_->ButtonBox, "Cancel", QDialogButtonBox::RejectRole, "CancelBtn");
    QPushButton* save = AddButton(ui_->ButtonBox, "Save", QDialogButtonBox::AcceptRole, "SaveBtn");
    save->setDefault(true);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(save, &QPushButton::clicked, this, &TextPromptDialog::SaveBtnClick);
    ui_->TextEdit->setFocus();
}

TextPromptDialog::~TextPromptDialog() = default;

QString TextPromptDialog::Text() const {
    return ui_->TextEdit->text();
}

void TextPromptDialog::SaveBtnClick() {
    const QString problem = prompt_.rule && !Text().isEmpty() ? prompt_.rule(Text()) : QString();
    if (!problem.isEmpty()) {
        platform_.messages.ShowError(problem);
        ui_->TextEdit->setFocus();
        return;
    }
    accept();
}

// --- One number field ------------------------------------------------------------------------

NumberField::NumberField(Messages& messages, QLineEdit* edit, int minimum, int maximum,
                         NumberFieldTexts texts, QPushButton* cancel)
    : QObject(edit),
      messages_(messages),
      edit_(edit),
      minimum_(minimum),
      maximum_(maximum),
      texts_(std::move(texts)),
      cancel_(cancel) {
    edit_->installEventFilter(this);
}

void NumberField::Refuse(const FieldCheck& check) {
    busy_ = true;
    messages_.ShowError(check.message);
    busy_ = false;
    if (check.reset) edit_->setText(QString::number(minimum_));
    edit_->selectAll();
    // The focus is moving elsewhere right now; it comes back once that is done.
    QTimer::singleShot(0, edit_, [edit = edit_] { edit->setFocus(); });
}

bool NumberField::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edit_ && event->type() == QEvent::FocusOut && !busy_) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        const bool leaving = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
                             reason == Qt::MouseFocusReason || reason == Qt::ShortcutFocusReason ||
                             reason == Qt::OtherFocusReason;
        if (leaving && QApplication::focusWidget() != cancel_ && edit_->window()->isVisible()) {
            const FieldCheck check =
                CheckNumberField(edit_->text(), minimum_, maximum_, false, texts_);
            if (!check.ok) Refuse(check);
        }
    }
    return QObject::eventFilter(watched, event);
}

bool NumberField::CheckOnOk() {
    const FieldCheck check = CheckNumberField(edit_->text(), minimum_, maximum_, true, texts_);
    if (!check.ok) {
        Refuse(check);
        return false;
    }
    value_ = check.value;
    return true;
}

// --- Number ----------------------------------------------------------------------------------

NumberPromptDialog::NumberPromptDialog(Platform& platform, const NumberPrompt& prompt, QWidget* parent)
    : QDialog(parent),
      platform_(platform),
      prompt_(prompt),
      ui_(std::make_unique<Ui::NumberPromptDialog>()) {
    ui_->setupUi(this);
    SetUpPrompt(this, platform_, prompt.topic);
    ui_->QuestionLbl->setText(prompt.question);
    ui_->QuestionLbl->setBuddy(ui_->NumberEdit);
    ui_->NumberEdit->setText(QString::number(prompt.initial));
    ui_->NumberEdit->selectAll();
    QPushButton* ok = AddButton(ui_->ButtonBox, "OK", QDialogButtonBox::AcceptRole, "OKBtn");
    QPushButton* cancel =
        AddButton(ui_->ButtonBox, "Cancel", QDialogButtonBox::RejectRole, "CancelBtn");
    ok->setDefault(true);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ok, &QPushButton::clicked, this, &NumberPromptDialog::OKBtnClick);
    field_ = new NumberField(platform_.messages, ui_->NumberEdit, prompt.minimum, prompt.maximum,
                             NumberTexts(), cancel);
    ui_->NumberEdit->setFocus();
}

NumberPromptDialog::~NumberPromptDialog() = default;

int NumberPromptDialog::Value() const {
    return field_->Value();
}

void NumberPromptDialog::done(int result) {
    field_->Stop();
    QDialog::done(result);
}

void NumberPromptDialog::OKBtnClick() {
    if (!field_->CheckOnOk()) return;
    if (prompt_.rule) {
        const QString problem = prompt_.rule(field_->Value());
        if (!problem.isEmpty()) {
            platform_.messages.ShowError(problem);
            ui_->NumberEdit->selectAll();
            ui_->NumberEdit->setFocus();
            return;
        }
    }
    accept();
}

// --- Column and row ----------------------------------------------------------------------------

ColumnRowPromptDialog::ColumnRowPromptDialog(Platform& platform, const ColRowPrompt& prompt, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::ColumnRowPromptDialog>()) {
    ui_->setupUi(this);
    SetUpPrompt(this, platform, prompt.topic);
    ui_->QuestionLbl->setText(prompt.question);
    ui_->ColumnEdit->setText(QString::number(prompt.column));
    ui_->RowEdit->setText(QString::number(prompt.row));
    ui_->ColumnEdit->selectAll();
    QPushButton* cancel =
        AddButton(ui_->ButtonBox, "Cancel", QDialogButtonBox::RejectRole, "CancelBtn");
    QPushButton* ok = AddButton(ui_->ButtonBox, "OK", QDialogButtonBox::AcceptRole, "OKBtn");
    ok->setDefault(true);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ok, &QPushButton::clicked, this, &ColumnRowPromptDialog::OKBtnClick);
    column_ = new NumberField(platform.messages, ui_->ColumnEdit, prompt.columnMin,
                              prompt.columnMax, ColumnTexts(), cancel);
    row_ = new NumberField(platform.messages, ui_->RowEdit, prompt.rowMin, prompt.rowMax,
                           RowTexts(), cancel);
    ui_->ColumnEdit->setFocus();
}

ColumnRowPromptDialog::~ColumnRowPromptDialog() = default;

ColRow ColumnRowPromptDialog::Value() const {
    return {column_->Value(), row_->Value()};
}

void ColumnRowPromptDialog::done(int result) {
    column_->Stop();
    row_->Stop();
    QDialog::done(result);
}

void ColumnRowPromptDialog::OKBtnClick() {
    if (column_->CheckOnOk() && row_->CheckOnOk()) accept();
}

}  // namespace quill
