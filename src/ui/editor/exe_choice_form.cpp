#include "editor/exe_choice_form.h"

#include <QGroupBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "aids/aids_context.h"
#include "editor/get_file_form.h"
#include "platform/modal.h"
#include "platform/platform.h"

namespace quill {

TExeChoiceForm::TExeChoiceForm(AidsContext& context, const std::string& command, int type, QWidget* parent)
    : TExeChoiceForm(context, command, type, " Select External Type ",
                     {{4, " Executable Program", "Exe"},
                      {9, " Windows related Program", "WinExe"},
                      {10, " HTML Web Browser File", "Html"}},
                     parent) {
    setObjectName("TExeChoiceForm");
}

TExe2ChoiceForm::TExe2ChoiceForm(AidsContext& context, const std::string& command, int type, QWidget* parent)
    : TExeChoiceForm(context, command, type, " Select Executable Type ",
                     {{4, " Executable Program", "Exe"}, {9, " Internal Windows Program", "WinExe"}}, parent) {
    setObjectName("TExe2ChoiceForm");
}

TExeChoiceForm::TExeChoiceForm(AidsContext& context, const std::string& command, int type, const QString& title,
                               const std::vector<Option>& options, QWidget* parent)
    : QDialog(parent), context_(context), command_(command), type_(type) {
    setWindowTitle("Press F1 for Help");
    InstallF1Help(this, context_.platform.help, context_.platform.helpFile);
    Build(title, options);
}

void TExeChoiceForm::Build(const QString& title, const std::vector<Option>& options) {
    auto* group = new QGroupBox(title, this);
    group->setObjectName("TypeGroup");
    auto* grid = new QGridLayout(group);
    bool any = false;
    for (const Option& option : options) {
        auto* radio = new QRadioButton(option.caption, group);
        radio->setObjectName(QString(option.name) + "Radio");
        auto* add = new QPushButton("Add", group);
        add->setObjectName(QString(option.name) + "AddBtn");
        add->setAutoDefault(false);
        const int row = static_cast<int>(buttons_.size());
        grid->addWidget(radio, row, 0);
        grid->addWidget(add, row, 1);
        buttons_.emplace_back(radio, add);
        types_.push_back(option.type);
        if (option.type == type_) {
            radio->setChecked(true);
            any = true;
        }
        connect(radio, &QRadioButton::toggled, this, &TExeChoiceForm::RadioClick);
        connect(add, &QPushButton::clicked, this, [this, t = option.type] { AddClick(t); });
    }
    if (!any && !buttons_.empty()) buttons_.front().first->setChecked(true);

    auto* ok = new QPushButton("&OK", this);
    ok->setObjectName("OKBtn");
    ok->setDefault(true);
    auto* cancel = new QPushButton("&Cancel", this);
    cancel->setObjectName("CancelBtn");
    cancel->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(row);
    RadioClick();
}

int TExeChoiceForm::SelectedType() const {
    for (std::size_t i = 0; i < buttons_.size(); ++i)
        if (buttons_[i].first->isChecked()) return types_[i];
    return types_.empty() ? 4 : types_.front();
}

void TExeChoiceForm::RadioClick() {
    for (auto& [radio, add] : buttons_) add->setEnabled(radio->isChecked());
}

void TExeChoiceForm::AddClick(int type) {
    // The incoming command belongs to its own type's chooser only.
    const std::string incoming = type == type_ ? command_ : std::string();
    std::optional<std::string> result;
    if (type == 4) {
        TGetExeForm form(context_, incoming, this);
        if (ShowModal(form) == QDialog::Accepted) result = form.Spec();
    } else if (type == 9) {
        TGetWinExeForm form(context_, incoming, this);
        if (ShowModal(form) == QDialog::Accepted) result = form.Text();
    } else if (type == 10) {
        TGetHTMForm form(context_, incoming, this);
        if (ShowModal(form) == QDialog::Accepted) result = form.FileName();
    }
    if (!result) return;
    choice_ = ExternalCommand{type, *result};
    // A later Add of the same type starts from what was just chosen.
    command_ = *result;
    type_ = type;
}

}  // namespace quill
