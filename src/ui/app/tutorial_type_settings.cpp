#include "app/tutorial_type_settings.h"

#include <QListWidget>
#include <QPushButton>

#include "design/design_common.h"
#include "design/menu_chapters_designer.h"
#include "design/menu_screen_designer.h"
#include "platform/error_handler.h"
#include "platform/help_topics.h"
#include "platform/modal.h"
#include "platform/platform.h"
#include "project/file_names.h"
#include "project/project.h"
#include "text/file_lookup.h"
#include "text_codec.h"
#include "ui_tutorial_type_settings.h"

namespace quill {

namespace {
constexpr int kTopic = TopicNumber(HelpTopic::TutorialType);
constexpr int kNameRuleTopic = TopicNumber(HelpTopic::ChapterNames);
}  // namespace

std::optional<std::string> StartChapterRefusal(const std::string& editText, const std::string& projectName) {
    if (editText.empty() || ChapterNameStartsWithProject(NameOnly(editText), projectName)) return std::nullopt;
    return ChapterNameRuleMessage(projectName);
}

std::string StartChapterToStore(const std::string& editText) {
    if (editText.empty() || !IsValidFileName(editText)) return {};
    std::string name = NameOnly(editText);
    if (name.size() > 25) name.resize(25);
    return name;
}

TutorialTypeSettings::TutorialTypeSettings(const Project& project, Platform& platform, QWidget* parent)
    : QDialog(parent), project_(project), platform_(platform), copy_(project.Config),
      ui_(std::make_unique<Ui::TutorialTypeSettings>()) {
    ui_->setupUi(this);
    WireDesignerButtons(this, ui_->ButtonBox, platform_, kTopic, [this] { return SaveBtnClick(); });
    if (QPushButton* save = ui_->ButtonBox->button(QDialogButtonBox::Save)) {
        save->setText("Save");
        save->setObjectName("SaveBtn");
    }
    (copy_.get(cfg::TutorialType) == 1 ? ui_->MenuRb : ui_->StartRb)->setChecked(true);
    ui_->ChapterEdit->setText(FromCp1252(copy_.get(cfg::StartChapter)));
    for (const std::string& file : ListByMask(project_.ProjectDir, project_.ProjectName + "*.QKS"))
        ui_->ChapterListBox->addItem(FromCp1252(file));
    // A file chosen by click or by the arrow keys names the chapter; tabbing into the list
    // alone changes nothing.
    connect(ui_->ChapterListBox, &QListWidget::itemSelectionChanged, this, [this] {
        const QList<QListWidgetItem*> items = ui_->ChapterListBox->selectedItems();
        if (!items.isEmpty()) ui_->ChapterEdit->setText(FromCp1252(NameOnly(ToCp1252(items.front()->text()))));
    });
    connect(ui_->StartRb, &QRadioButton::toggled, this, &TutorialTypeSettings::ShowGroups);
    connect(ui_->DefineChaptersBtn, &QPushButton::clicked, this, &TutorialTypeSettings::DefineChaptersBtnClick);
    connect(ui_->DesignMenuBtn, &QPushButton::clicked, this, &TutorialTypeSettings::DesignMenuBtnClick);
    ShowGroups();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

TutorialTypeSettings::~TutorialTypeSettings() = default;

void TutorialTypeSettings::ShowGroups() {
    const bool start = ui_->StartRb->isChecked();
    ui_->StartGrp->setVisible(start);
    ui_->MenuGrp->setVisible(!start);
}

void TutorialTypeSettings::DefineChaptersBtnClick() {
    hide();
    DefineMenuChapters(project_, platform_, copy_, parentWidget());
    show();
}

void TutorialTypeSettings::DesignMenuBtnClick() {
    hide();
    DesignMenuScreen(project_, platform_, copy_, parentWidget());
    show();
}

bool TutorialTypeSettings::SaveBtnClick() {
    const bool start = ui_->StartRb->isChecked();
    const std::string text = ToCp1252(ui_->ChapterEdit->text().trimmed());
    if (start) {
        if (const auto refusal = StartChapterRefusal(text, project_.ProjectName)) {
            platform_.messages.ShowErrorHelp(FromCp1252(*refusal), kNameRuleTopic);
            ui_->ChapterEdit->clear();
            ui_->ChapterEdit->setFocus();
            return false;
        }
    }
    copy_.set(cfg::TutorialType, start ? 0 : 1);
    if (start) copy_.set(cfg::StartChapter, StartChapterToStore(text));
    return true;
}

bool DefineTutorialType(Project& project, Platform& platform, QWidget* parent) {
    TutorialTypeSettings form(project, platform, parent);
    // The dialog hides while a designer runs; exec() would end at that hide.
    if (ShowModal(form) != QDialog::Accepted) return false;
    const TTutorialConfig before = project.Config;
    project.Config = form.Record();
    try {
        project.SaveProject();
    } catch (...) {
        project.Config = before;  // the record on disk and in memory stay alike
        throw;
    }
    return true;
}

}  // namespace quill
