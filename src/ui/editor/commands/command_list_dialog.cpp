#include "editor/commands/command_list_dialog.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/error_handler.h"
#include "platform/help.h"
#include "platform/platform.h"
#include "ui_command_list_dialog.h"

namespace quill {

CommandListDialog::CommandListDialog(Platform& platform, Prompter& prompter,
                                     const CommandData& data, const CommandCategory& category,
                                     QWidget* parent)
    : QDialog(parent),
      platform_(platform),
      prompter_(prompter),
      data_(data),
      category_(category),
      ui_(std::make_unique<Ui::CommandListDialog>()),
      topic_(TopicNumber(category.baseTopic)) {
    ui_->setupUi(this);
    setObjectName(category.formName);
    SetHelpTopic(this, category.baseTopic);
    InstallF1Help(this, platform_.help, platform_.helpFile);

    // One button group for all options, so that exactly one is chosen across the groups.
    auto* options = new QButtonGroup(this);
    QRadioButton* first = nullptr;
    for (const CommandGroup& group : category.groups) {
        auto* box = new QGroupBox(group.title, ui_->GroupsPnl);
        auto* layout = new QVBoxLayout(box);
        for (const CommandOption& option : group.options) {
            auto* radio = new QRadioButton(option.caption, box);
            radio->setObjectName(option.objectName);
            SetHelpTopic(radio, option.topic);
            options->addButton(radio);
            radio->installEventFilter(this);
            layout->addWidget(radio);
            connect(radio, &QRadioButton::toggled, this, [this, &option](bool on) {
                if (!on) return;
                chosen_ = &option;
                topic_ = option.topic;
            });
            if (!first) first = radio;
        }
        layout->addStretch();
        ui_->GroupsLayout->addWidget(box);
    }

    QPushButton* close = ui_->ButtonBox->addButton("&Close", QDialogButtonBox::RejectRole);
    close->setObjectName("CloseBtn");
    QPushButton* insert = ui_->ButtonBox->addButton("Insert", QDialogButtonBox::AcceptRole);
    insert->setObjectName("InsertBtn");
    QPushButton* explain = ui_->ButtonBox->addButton("Explanation", QDialogButtonBox::HelpRole);
    explain->setObjectName("ExplainBtn");
    insert->setDefault(true);
    close->setAutoDefault(false);
    explain->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(insert, &QPushButton::clicked, this, &CommandListDialog::InsertBtnClick);
    connect(explain, &QPushButton::clicked, this, &CommandListDialog::ExplainBtnClick);
    // The keyboard starts on the options (no option is chosen yet); the arrows choose, Enter
    // inserts the option that has the focus.
    if (first) first->setFocus(Qt::OtherFocusReason);
}

CommandListDialog::~CommandListDialog() = default;

bool CommandListDialog::eventFilter(QObject* watched, QEvent* event) {
    // An arrow key chooses: the option that has the focus is chosen first, so the button
    // group's own move chooses the next one too (it moves the choice only from a chosen one).
    // Enter chooses the option that has the focus and goes on to the default button, Insert.
    if (event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
            case Qt::Key_Up:
            case Qt::Key_Down:
            case Qt::Key_Left:
            case Qt::Key_Right:
            case Qt::Key_Return:
            case Qt::Key_Enter:
                if (auto* radio = qobject_cast<QRadioButton*>(watched); radio && !radio->isChecked())
                    radio->setChecked(true);
                break;
            default: break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CommandListDialog::InsertBtnClick() {
    lines_.clear();
    if (chosen_ && chosen_->build) {
        hide();
        RunGuarded(platform_.messages, [this] { lines_ = chosen_->build(prompter_, data_); });
        show();
    }
    accept();
}

void CommandListDialog::ExplainBtnClick() {
    platform_.ShowHelp(topic_);
}

std::unique_ptr<CommandListDialog> MakeCommsForm(const QString& item, Platform& platform,
                                          Prompter& prompter, const CommandData& data,
                                          QWidget* parent) {
    if (item == "Basic Commands")
        return std::make_unique<TBasicCommsForm>(platform, prompter, data, parent);
    if (item == "Screen Display")
        return std::make_unique<TScreenCommsForm>(platform, prompter, data, parent);
    if (item == "Drawing Boxes")
        return std::make_unique<TBoxCommsForm>(platform, prompter, data, parent);
    if (item == "Screen Effects")
        return std::make_unique<TEffectsCommsForm>(platform, prompter, data, parent);
    if (item == "Using Images")
        return std::make_unique<TImageCommsForm>(platform, prompter, data, parent);
    if (item == "Recording to Disk")
        return std::make_unique<TRecordCommsForm>(platform, prompter, data, parent);
    if (item == "InterActive")
        return std::make_unique<TQuestCommsForm>(platform, prompter, data, parent);
    if (item == "Non-Linear ")
        return std::make_unique<TLinearCommsForm>(platform, prompter, data, parent);
    if (item == "Advanced") return std::make_unique<TRejoinForm>(platform, prompter, data, parent);
    if (item == "Change Defaults")
        return std::make_unique<TDefaultChangeForm>(platform, prompter, data, parent);
    return nullptr;
}

}  // namespace quill
