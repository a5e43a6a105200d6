#include "aids/notes_file_chooser.h"

#include <QPushButton>

#include "common/aids_context.h"
#include "aids/notes_editor.h"
#include "platform/help.h"
#include "platform/help_topics.h"
#include "platform/modal.h"
#include "platform/platform.h"
#include "project/project.h"
#include "text/file_lookup.h"
#include "text_codec.h"
#include "ui_notes_file_chooser.h"

namespace quill {

NotesFileChooser::NotesFileChooser(AidsContext& context, const std::string& name, QWidget* parent)
    : QDialog(parent), context_(context), ui_(std::make_unique<Ui::NotesFileChooser>()) {
    ui_->setupUi(this);
    SetHelpTopic(this, HelpTopic::NotepadFile);
    InstallF1Help(this, context_.platform.help, context_.platform.helpFile);
    ui_->FileEdit->setText(FromCp1252(name));
    QPushButton* view = ui_->ButtonBox->addButton("&View", QDialogButtonBox::ActionRole);
    view->setObjectName("ViewBtn");
    QPushButton* ok = ui_->ButtonBox->addButton("&OK", QDialogButtonBox::AcceptRole);
    ok->setObjectName("OKBtn");
    ok->setDefault(true);
    ui_->ButtonBox->addButton("&Cancel", QDialogButtonBox::RejectRole)->setObjectName("CancelBtn");
    connect(view, &QPushButton::clicked, this, &NotesFileChooser::ViewBtnClick);
    connect(ui_->ButtonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(ui_->ButtonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

NotesFileChooser::~NotesFileChooser() = default;

std::string NotesFileChooser::FileName() const { return ToCp1252(ui_->FileEdit->text().trimmed()); }

void NotesFileChooser::ViewBtnClick() {
    const std::string name = FileName();
    if (name.empty()) return;
    NotesEditor notes(context_.platform, ResolveInFolder(context_.project.ProjectDir, name), FromCp1252(name), this);
    ShowModal(notes);
}

}  // namespace quill
