#include "common/external_type_chooser.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

#include "common/aids_context.h"
#include "common/choice_rows.h"
#include "common/file_chooser.h"
#include "platform/modal.h"
#include "platform/platform.h"
#include "ui_external_type_chooser.h"

namespace quill {

ExternalTypeChooser::ExternalTypeChooser(AidsContext& context, const std::string& command, int type, QWidget* parent)
    : ExternalTypeChooser(context, command, type, " Select External Type ",
                     {{4, " Executable Program", "Exe"},
                      {9, " Windows related Program", "WinExe"},
                      {10, " HTML Web Browser File", "Html"}},
                     parent) {
    setObjectName("TExeChoiceForm");
}

ProgramTypeChooser::ProgramTypeChooser(AidsContext& context, const std::string& command, int type, QWidget* parent)
    : ExternalTypeChooser(context, command, type, " Select Executable Type ",
                     {{4, " Executable Program", "Exe"}, {9, " Internal Windows Program", "WinExe"}}, parent) {
    setObjectName("TExe2ChoiceForm");
}

ExternalTypeChooser::ExternalTypeChooser(AidsContext& context, const std::string& command, int type, const QString& title,
                               const std::vector<Option>& options, QWidget* parent)
    : QDialog(parent),
      context_(context),
      ui_(std::make_unique<Ui::ExternalTypeChooser>()),
      command_(command),
      type_(type) {
    ui_->setupUi(this);
    InstallF1Help(this, context_.platform.help, context_.platform.helpFile);
    Build(title, options);
}

ExternalTypeChooser::~ExternalTypeChooser() = default;

void ExternalTypeChooser::Build(const QString& title, const std::vector<Option>& options) {
    // The rows differ between the two forms; the group and the buttons are the .ui's.
    ui_->TypeGroup->setTitle(title);
    std::vector<ChoiceRowSpec> specs;
    for (const Option& option : options) specs.push_back({option.caption, option.name});
    rows_ = AddChoiceRows(ui_->TypeGroup, specs, "Add", "AddBtn");
    bool any = false;
    for (std::size_t i = 0; i < options.size(); ++i) {
        types_.push_back(options[i].type);
        if (options[i].type == type_) {
            rows_[i].radio->setChecked(true);
            any = true;
        }
        connect(rows_[i].button, &QPushButton::clicked, this, [this, t = options[i].type] { AddClick(t); });
    }
    if (!any && !rows_.empty()) rows_.front().radio->setChecked(true);
    connect(AddChoiceButtons(this, ui_->ButtonBox), &QPushButton::clicked, this, &QDialog::accept);
}

int ExternalTypeChooser::SelectedType() const {
    for (std::size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i].radio->isChecked()) return types_[i];
    return types_.empty() ? 4 : types_.front();
}

void ExternalTypeChooser::AddClick(int type) {
    // The incoming command belongs to its own type's chooser only.
    const std::string incoming = type == type_ ? command_ : std::string();
    std::optional<std::string> result;
    if (type == 4) {
        ProgramChooser form(context_, incoming, this);
        if (ShowModal(form) == QDialog::Accepted) result = form.Spec();
    } else if (type == 9) {
        WindowsProgramChooser form(context_, incoming, this);
        if (ShowModal(form) == QDialog::Accepted) result = form.Text();
    } else if (type == 10) {
        HtmlPageChooser form(context_, incoming, this);
        if (ShowModal(form) == QDialog::Accepted) result = form.FileName();
    }
    if (!result) return;
    choice_ = ExternalCommand{type, *result};
    // A later Add of the same type starts from what was just chosen.
    command_ = *result;
    type_ = type;
}

}  // namespace quill
