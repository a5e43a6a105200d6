#include "app/help_file_chooser.h"

#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include <climits>

#include "common/number_field.h"
#include "design/design_common.h"
#include "platform/help_topics.h"
#include "platform/platform.h"
#include "project/project.h"
#include "text/file_lookup.h"
#include "text_codec.h"
#include "ui_help_file_chooser.h"

namespace quill {

namespace {
constexpr int kTopic = TopicNumber(HelpTopic::HelpFile);
}

std::optional<int> ParseTopic(const QString& text) {
    const FieldCheck check = CheckNumberField(text, INT_MIN, INT_MAX, true, {});
    if (!check.ok) return std::nullopt;
    return check.value;
}

HelpFileChooser::HelpFileChooser(const Project& project, Platform& platform, const std::string& helpFile, int topic,
                             QWidget* parent)
    : QDialog(parent), project_(project), platform_(platform), ui_(std::make_unique<Ui::HelpFileChooser>()) {
    ui_->setupUi(this);
    // OK goes through accept(), which checks the topic.
    WireDesignerButtons(this, ui_->ButtonBox, platform_, kTopic, [] { return true; });
    ui_->HelpFileEdit->setText(FromCp1252(helpFile));
    ui_->TopicEdit->setText(QString::number(topic));
    FillList();
    connect(ui_->FileListBox1, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { ui_->HelpFileEdit->setText(item->text()); });
    connect(ui_->FindBtn, &QPushButton::clicked, this, &HelpFileChooser::FindBtnClick);
    connect(ui_->TopicEdit, &QLineEdit::editingFinished, this, &HelpFileChooser::TopicEditExit);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    ui_->HelpFileEdit->setFocus();
}

HelpFileChooser::~HelpFileChooser() = default;

void HelpFileChooser::FillList() {
    ui_->FileListBox1->clear();
    for (const std::string& name : ListByMask(project_.ProjectDir, "*.HLP")) ui_->FileListBox1->addItem(FromCp1252(name));
}

std::string HelpFileChooser::HelpFile() const { return EditText(ui_->HelpFileEdit, 150); }

int HelpFileChooser::Topic() const { return ParseTopic(ui_->TopicEdit->text()).value_or(0); }

void HelpFileChooser::FindBtnClick() {
    const std::string chosen =
        FindFileIntoProject(project_, platform_, "Help File|*.HLP", HelpFile(), "*.HLP", "Copy Help File");
    FillList();
    ui_->HelpFileEdit->setText(FromCp1252(chosen));
}

void HelpFileChooser::TopicEditExit() {
    if (ParseTopic(ui_->TopicEdit->text())) return;
    platform_.messages.ShowError(kNotANumber);
    ui_->TopicEdit->setText("1");
    // The click that took the focus away (OK) does not go on after the refusal.
    justRefused_ = true;
    QTimer::singleShot(0, this, [this] {
        justRefused_ = false;
        ui_->TopicEdit->setFocus();
    });
}

void HelpFileChooser::accept() {
    if (justRefused_) return;
    const auto topic = ParseTopic(ui_->TopicEdit->text());
    if (!topic) {
        TopicEditExit();
        return;
    }
    if (*topic < 1) {
        platform_.messages.ShowError("The Starting Topic must be greater than 0.");
        ui_->TopicEdit->setText("1");
        ui_->TopicEdit->setFocus();
        return;
    }
    QDialog::accept();
}

bool ChooseHelpFile(const Project& project, Platform& platform, std::string& helpFile, int& helpTopic,
                    QWidget* parent) {
    HelpFileChooser form(project, platform, helpFile, helpTopic, parent);
    if (form.exec() != QDialog::Accepted) return false;
    helpFile = form.HelpFile();
    helpTopic = form.Topic();
    return true;
}

}  // namespace quill
