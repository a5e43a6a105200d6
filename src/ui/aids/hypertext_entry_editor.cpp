#include "aids/hypertext_entry_editor.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

#include "common/aids_context.h"
#include "aids/rich_text_entry_editor.h"
#include "aids/notes_file_chooser.h"
#include "common/external_type_chooser.h"
#include "common/file_chooser.h"
#include "datafile/data_file.h"
#include "platform/error_handler.h"
#include "platform/help.h"
#include "platform/help_topics.h"
#include "platform/modal.h"
#include "platform/platform.h"
#include "project/file_names.h"
#include "project/project.h"
#include "text_codec.h"
#include "ui_hypertext_entry_editor.h"

namespace quill {

namespace {

// The duration part of an entry's command, blanks around it ignored; 0 when it is no number.
int OptionNumber(const std::string& text) { return std::max(0, ParseInt32(TrimBlanks(text)).value_or(0)); }

}  // namespace

HypertextEntryEditor::HypertextEntryEditor(AidsContext& context, const EntryDraft& draft, QWidget* parent)
    : HypertextEntryEditor(context, draft, false, parent) {}

HypertextEntryEditor::HypertextEntryEditor(AidsContext& context, const EntryDraft& draft, bool programEditor,
                                     QWidget* parent)
    : QDialog(parent), context_(context), ui_(std::make_unique<Ui::HypertextEntryEditor>()), draft_(draft),
      programEditor_(programEditor) {
    ui_->setupUi(this);
    InstallF1Help(this, context_.platform.help, context_.platform.helpFile);
    ui_->Edit1->setText(FromCp1252(draft_.name));
    if (programEditor_) {
        setObjectName("TUTilExecForm");
        ui_->Label1->setText("Enter Program Name");
        ui_->GroupBox1->setTitle(" Select Program type ");
        ui_->Edit1->setMaxLength(30);
        SetHelpTopic(this, ProgramEditorHelp(draft_.source, !draft_.modifying));
    } else {
        ui_->GroupBox1->setTitle(draft_.modifying ? " Select HyperLink type " : " Select HyperText type ");
        SetHelpTopic(this, HelpTopic::DefineHypertext);
    }
    ui_->Edit1->setReadOnly(!NameEditable());
    if (!NameEditable()) ui_->Edit1->setFocusPolicy(Qt::ClickFocus);
    for (int n = 1; n <= 9; ++n) {
        connect(Radio(n), &QRadioButton::clicked, this, [this, n] { RadioClick(n); });
        connect(AddButton(n), &QPushButton::clicked, this,
                [this, n] { RunGuarded(context_.platform.messages, [this, n] { AddClick(n); }); });
        AddButton(n)->setAutoDefault(false);
    }
    QPushButton* ok = ui_->ButtonBox->addButton("&Save", QDialogButtonBox::AcceptRole);
    ok->setObjectName("OKBtn");
    ui_->ButtonBox->addButton("&Cancel", QDialogButtonBox::RejectRole)->setObjectName("CancelBtn");
    connect(ui_->ButtonBox, &QDialogButtonBox::accepted, this,
            [this] { RunGuarded(context_.platform.messages, [this] { OKBtnClick(); }); });
    connect(ui_->ButtonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    ShowDraft();
    if (NameEditable()) ui_->Edit1->setFocus();
    else if (QRadioButton* r = Radio(RadioOfType(draft_.selectedType))) r->setFocus();
}

HypertextEntryEditor::~HypertextEntryEditor() = default;

bool HypertextEntryEditor::NameEditable() const { return programEditor_ && !draft_.modifying; }

QRadioButton* HypertextEntryEditor::Radio(int n) const {
    return findChild<QRadioButton*>(QString("RadioButton%1").arg(n));
}

QPushButton* HypertextEntryEditor::AddButton(int n) const {
    return findChild<QPushButton*>(QString("Button%1").arg(n));
}

void HypertextEntryEditor::ShowDraft() {
    const int selected = RadioOfType(draft_.selectedType);
    for (int n = 1; n <= 9; ++n) {
        Radio(n)->setChecked(n == selected);
        AddButton(n)->setEnabled(n == selected);
    }
}

void HypertextEntryEditor::RadioClick(int n) {
    SelectRadio(draft_, n);
    ShowDraft();
}

void HypertextEntryEditor::AddClick(int n) {
    const std::filesystem::path& folder = context_.project.ProjectDir;
    switch (n) {
        case 1:
        case 5: {
            TScreenBackground screen = draft_.screen;
            TextLines text = draft_.text;
            if (EditRichTextEntry(context_, screen, text, n == 1 ? 1 : 2, this))
                DefineText(draft_, n == 1 ? etTextOnly : etGraphicAndText, text, screen);
            break;
        }
        case 2:
            if (const auto chosen = ChooseMedia(context_, ChooserKind::Graphic,
                                                {OfferedFile(folder, draft_.graphicFile, {"*.bmp", "*.jpg"}, true), {},
                                                 OptionNumber(draft_.graphicOption), {}},
                                                this))
                DefineCommand(draft_, etGraphicOnly, chosen->spec);
            break;
        case 3:
            if (const auto chosen = ChooseMedia(context_, ChooserKind::Audio,
                                                {OfferedFile(folder, draft_.soundFile, {"*.wav"}, true), {}, 0, {}}, this))
                DefineCommand(draft_, etVoiceOnly, chosen->spec);
            break;
        case 4: {
            const int type = RadioOfType(draft_.selectedType) == 4 ? draft_.selectedType : etExecutable;
            ExternalTypeChooser form(context_, draft_.program, type, this);
            if (ShowModal(form) == QDialog::Accepted && form.Choice())
                DefineCommand(draft_, form.Choice()->type, form.Choice()->command);
            break;
        }
        case 6:
            if (const auto chosen = ChooseMedia(context_, ChooserKind::GraphicAndSound,
                                                {OfferedFile(folder, draft_.graphicFile, {"*.bmp", "*.jpg"}, true),
                                                 OfferedFile(folder, draft_.soundFile, {"*.wav", "*.mid"}, true),
                                                 OptionNumber(draft_.graphicOption), {}},
                                                this))
                DefineCommand(draft_, etGraphicAndSound, chosen->spec);
            break;
        case 7:
            if (const auto chosen = ChooseMedia(context_, ChooserKind::Video,
                                                {OfferedFile(folder, draft_.videoFile, {"*.avi"}, true), {}, 0, {}}, this))
                DefineCommand(draft_, etVideoPlayer, chosen->spec);
            break;
        case 8:
            if (const auto chosen = ChooseMedia(context_, ChooserKind::Midi,
                                                {OfferedFile(folder, draft_.midiFile, {"*.mid"}, true), {}, 0, {}}, this))
                DefineCommand(draft_, etMidiPlayer, chosen->spec);
            break;
        case 9: {
            const bool notes = draft_.definedType == etNotePad;
            NotesFileChooser form(context_, notes ? draft_.command : std::string(), this);
            if (ShowModal(form) == QDialog::Accepted) {
                DefineCommand(draft_, etNotePad, form.FileName());
            } else if (!notes) {
                // Using this Add counts as defining a notes entry even when cancelled; the
                // command of another type must not then be saved as a notes file name.
                DefineCommand(draft_, etNotePad, "");
            }
            break;
        }
        default: break;
    }
    ShowDraft();
}

void HypertextEntryEditor::OKBtnClick() {
    const SaveResult result =
        SaveEntryDraft(context_.project.DataFilePath(), draft_, NameEditable(), ToCp1252(ui_->Edit1->text()));
    if (!result.error.isEmpty()) {
        context_.platform.messages.ShowError(result.error);
        if (result.focusName && NameEditable()) ui_->Edit1->setFocus();
        return;
    }
    if (result.saved) accept();
}

UtilityEntryEditor::UtilityEntryEditor(AidsContext& context, const EntryDraft& draft, QWidget* parent)
    : HypertextEntryEditor(context, draft, true, parent) {}

bool EditHypertextEntry(AidsContext& context, const std::string& name, QWidget* parent) {
    HypertextEntryEditor form(context, OpenEntryDraft(context.project.DataFilePath(), kSourceHyper, name), parent);
    return ShowModal(form) == QDialog::Accepted;
}

bool EditProgramEntry(AidsContext& context, const std::string& name, std::string_view source, QWidget* parent) {
    UtilityEntryEditor form(context, OpenEntryDraft(context.project.DataFilePath(), source, name), parent);
    return ShowModal(form) == QDialog::Accepted;
}

}  // namespace quill
