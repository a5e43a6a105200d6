#include "aids/entry_manager.h"

#include <QPushButton>

#include "common/aids_context.h"
#include "aids/entry_performer.h"
#include "aids/hypertext_entry_editor.h"
#include "aids/window_text_editor.h"
#include "aids/window_text_viewer.h"
#include "datafile/color_notation.h"
#include "common/entry_list_picker.h"
#include "platform/error_handler.h"
#include "platform/help.h"
#include "platform/modal.h"
#include "platform/platform.h"
#include "project/project.h"
#include "text/cp1252.h"
#include "text_codec.h"
#include "ui_entry_manager.h"

namespace quill {

std::string SelectEntry(AidsContext& context, std::string_view source, const QString& prompt, QWidget* parent) {
    TextLines names;
    ListEntryNames(names, context.project.DataFilePath(), source);
    if (names.empty()) return {};
    QStringList items;
    for (const std::string& name : names) items << FromCp1252(name);
    EntryListPicker picker(context.platform, prompt, items, 0, ManagerSpecFor(source).helpContext, parent);
    const int chosen = picker.Run();
    return chosen < 0 ? std::string() : names[static_cast<std::size_t>(chosen)];
}

EntryManager::EntryManager(AidsContext& context, std::string_view source, QWidget* parent)
    : QDialog(parent), context_(context), spec_(ManagerSpecFor(source)), ui_(std::make_unique<Ui::EntryManager>()) {
    ui_->setupUi(this);
    setObjectName(spec_.windowName);
    SetHelpTopic(this, spec_.helpContext);
    InstallF1Help(this, context_.platform.help, context_.platform.helpFile);
    ui_->GroupBox1->setTitle(spec_.groupCaption);
    ui_->ViewBtn->setText(spec_.viewCaption);
    ui_->DeleteBtn->setText(spec_.deleteCaption);
    ui_->ModifyBtn->setText(spec_.modifyCaption);
    ui_->DefineBtn->setText(spec_.defineCaption);
    ui_->DefineBtn->setVisible(!spec_.defineCaption.isEmpty());
    ui_->ButtonBox->button(QDialogButtonBox::Close)->setObjectName("CloseBtn");
    connect(ui_->ButtonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(ui_->ViewBtn, &QPushButton::clicked, this, [this] { Framed(&EntryManager::ViewBtnClick); });
    connect(ui_->DeleteBtn, &QPushButton::clicked, this, [this] { Framed(&EntryManager::DeleteBtnClick); });
    connect(ui_->ModifyBtn, &QPushButton::clicked, this, [this] { Framed(&EntryManager::ModifyBtnClick); });
    connect(ui_->DefineBtn, &QPushButton::clicked, this, [this] { Framed(&EntryManager::DefineBtnClick); });
    RefreshManagerButtons();
}

EntryManager::~EntryManager() = default;

QPushButton* EntryManager::ViewBtn() const { return ui_->ViewBtn; }
QPushButton* EntryManager::DeleteBtn() const { return ui_->DeleteBtn; }
QPushButton* EntryManager::ModifyBtn() const { return ui_->ModifyBtn; }
QPushButton* EntryManager::DefineBtn() const { return ui_->DefineBtn; }

void EntryManager::RefreshManagerButtons() {
    ManagerButtons b;
    RunGuarded(context_.platform.messages,
               [&] { b = ManagerButtonsFor(context_.project.DataFilePath(), spec_.source); });
    ui_->ViewBtn->setEnabled(b.view);
    ui_->DeleteBtn->setEnabled(b.remove);
    ui_->ModifyBtn->setEnabled(b.modify);
    ui_->DefineBtn->setEnabled(b.define);
    // The focus goes to the first button that can act.
    for (QPushButton* button : {ui_->ViewBtn, ui_->DefineBtn})
        if (button->isEnabled() && button->isVisible()) {
            button->setFocus();
            return;
        }
    ui_->ButtonBox->button(QDialogButtonBox::Close)->setFocus();
}

void EntryManager::Framed(void (EntryManager::*action)()) {
    const bool shown = isVisible();
    if (shown) hide();
    RunGuarded(context_.platform.messages, [this, action] { (this->*action)(); });
    RefreshManagerButtons();
    if (shown) show();
}

void EntryManager::ViewBtnClick() {
    const std::string name = SelectEntry(context_, spec_.source, spec_.viewPrompt, this);
    if (!name.empty()) View(name);
}

void EntryManager::View(const std::string& name) {
    EntryPerformer performer(context_, this);
    performer.Perform(spec_.source, name);
}

void EntryManager::DeleteBtnClick() {
    const std::string name = SelectEntry(context_, spec_.source, kDeletePrompt, this);
    if (name.empty() || !context_.platform.messages.Confirm(DeleteQuestion(FromCp1252(name)))) return;
    if (DeleteEntry(context_.project.DataFilePath(), name, spec_.source))
        context_.platform.messages.ShowInfo(DamagedEntryDeletedText(FromCp1252(name)));
}

void EntryManager::ModifyBtnClick() {
    const std::string name = SelectEntry(context_, spec_.source, spec_.modifyPrompt, this);
    if (!name.empty()) Edit(name);
}

void EntryManager::DefineBtnClick() { Edit(std::string()); }

HypertextManager::HypertextManager(AidsContext& context, QWidget* parent)
    : EntryManager(context, kSourceHyper, parent) {}

void HypertextManager::Edit(const std::string& name) {
    if (!name.empty()) EditHypertextEntry(context_, name, this);
}

ProgramEntryManager::ProgramEntryManager(AidsContext& context, std::string_view source, QWidget* parent)
    : EntryManager(context, EqualsIgnoringCase(source, kSourceUtility) ? kSourceUtility : kSourceExecute,
                        parent) {}

void ProgramEntryManager::Edit(const std::string& name) { EditProgramEntry(context_, name, Spec().source, this); }

void ProgramEntryManager::done(int result) {
    if (Spec().source == kSourceUtility)
        RunGuarded(context_.platform.messages, [this] {
            SyncUtilitiesOn(context_.project.Config, context_.project.DataFilePath());
            context_.project.SaveProject();
        });
    QDialog::done(result);
}

WindowTextManager::WindowTextManager(AidsContext& context, QWidget* parent) : EntryManager(context, kSourceWinText, parent) {}

void WindowTextManager::View(const std::string& name) {
    std::string color;
    TextLines lines;
    if (!LoadWindowText(context_.project.DataFilePath(), name, color, lines)) return;
    ViewWindowText(context_, lines, color, this);
}

void WindowTextManager::Edit(const std::string& name) { EditWindowText(context_, name, this); }

void OpenEntryManager(AidsContext& context, std::string_view source, QWidget* parent) {
    if (EqualsIgnoringCase(source, kSourceHyper)) {
        HypertextManager form(context, parent);
        ShowModal(form);
    } else if (EqualsIgnoringCase(source, kSourceWinText)) {
        WindowTextManager form(context, parent);
        ShowModal(form);
    } else {
        ProgramEntryManager form(context, source, parent);
        ShowModal(form);
    }
}

}  // namespace quill
