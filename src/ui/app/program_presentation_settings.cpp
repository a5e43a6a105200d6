#include "app/program_presentation_settings.h"

#include <QListWidget>
#include <QPushButton>
#include <QTextDocument>
#include <filesystem>

#include "common/aids_context.h"
#include "app/tutorial_background_designer.h"
#include "app/help_file_chooser.h"
#include "datafile/data_file.h"
#include "design/about_box_designer.h"
#include "design/design_common.h"
#include "design/introduction_text_editor.h"
#include "editor/command_type_chooser.h"
#include "platform/error_handler.h"
#include "platform/help_topics.h"
#include "platform/platform.h"
#include "project/command_setting.h"
#include "project/project.h"
#include "richtext/rtf_reader.h"
#include "screen/screen_render.h"
#include "text/file_lookup.h"
#include "text_codec.h"
#include "ui_program_presentation_settings.h"

namespace quill {

namespace fs = std::filesystem;
namespace P = cfg::Program;

namespace {

constexpr int kTopic = TopicNumber(HelpTopic::ProgramPresentation);
// The presentation group (IntroOn .. Captions) and the program settings.
constexpr std::size_t kPresentationBase = 1777;
constexpr std::size_t kPresentationSize = cfg::Program::Base - kPresentationBase;

bool FileExists(const fs::path& dir, const std::string& name) {
    if (name.empty()) return false;
    const auto found = FindIgnoringCase(dir, name);
    std::error_code ec;
    return found && fs::is_regular_file(*found, ec);
}

}  // namespace

std::optional<QString> PresentationRefusal(const TTutorialConfig& copy, bool openingTicked, bool closingTicked) {
    if (openingTicked && copy.get(cfg::Opening.Description).empty()) return "The Opening Command has not been defined";
    if (closingTicked && copy.get(cfg::Closing.Description).empty()) return "The Closing Command has not been defined";
    return std::nullopt;
}

void StoreIconSettings(TTutorialConfig& c, bool iconOn, const std::string& iconFile) {
    c.set(P::IconOn, iconOn ? 1 : 0);
    c.set(P::IconFile, iconFile);
    if (c.get(P::IconFile).empty()) c.set(P::IconOn, 0);
    if (c.get(P::IconOn) == 0) c.set(P::IconFile, "");
}

void StoreHelpSettings(TTutorialConfig& c, bool helpOn) {
    c.set(P::HelpOn, helpOn ? 1 : 0);
    if (c.get(P::HelpFile).empty()) {
        c.set(P::HelpOn, 0);
        c.set(P::HelpTopic, 0);
    }
    if (c.get(P::HelpTopic) < 1) {
        c.set(P::HelpOn, 0);
        c.set(P::HelpFile, "");
    }
    if (c.get(P::HelpOn) == 0) {
        c.set(P::HelpFile, "");
        c.set(P::HelpTopic, 0);
    }
}

ProgramPresentationSettings::ProgramPresentationSettings(Project& project, Platform& platform, SystemServices& system, QWidget* parent)
    : QDialog(parent), project_(project), platform_(platform), system_(system), copy_(project.Config),
      ui_(std::make_unique<Ui::ProgramPresentationSettings>()) {
    ui_->setupUi(this);
    WireDesignerButtons(this, ui_->ButtonBox, platform_, kTopic, [this] { return SaveBtnClick(); });
    if (QPushButton* save = ui_->ButtonBox->button(QDialogButtonBox::Save)) {
        save->setText("&Save");
        save->setObjectName("SaveBtn");
    }
    // An icon whose file is gone is forgotten.
    if (!FileExists(project_.ProjectDir, copy_.get(P::IconFile))) copy_.set(P::IconFile, "");
    if (HasEntryOfSource(project_.DataFilePath(), kSourceIntro))
        LoadIntroduction(project_.DataFilePath(), introText_);

    ui_->TitleEdit->setText(FromCp1252(copy_.get(P::ProgramTitle)));
    ui_->UseIconChk->setChecked(copy_.get(P::IconOn) != 0);
    ui_->IconEdit->setText(FromCp1252(copy_.get(P::IconFile)));
    FillFileList(ui_->IconListBox, project_, "*.ICO");
    ui_->OpeningChk->setChecked(copy_.get(cfg::OpeningOn) != 0);
    ui_->ClosingChk->setChecked(copy_.get(cfg::ClosingOn) != 0);
    ui_->IntroChk->setChecked(copy_.get(cfg::IntroOn) != 0);
    ui_->AboutChk->setChecked(copy_.get(cfg::AboutOn) != 0);
    ui_->HelpChk->setChecked(copy_.get(P::HelpOn) != 0);
    ui_->AdvisoryChk->setChecked(copy_.get(P::VideoAdvisory) != 0);

    for (QCheckBox* box : {ui_->UseIconChk, ui_->OpeningChk, ui_->ClosingChk, ui_->IntroChk, ui_->AboutChk,
                           ui_->HelpChk})
        connect(box, &QCheckBox::toggled, this, &ProgramPresentationSettings::UpdateControls);
    connect(ui_->IconListBox, &QListWidget::currentTextChanged, ui_->IconEdit, &QLineEdit::setText);
    connect(ui_->IconFindBtn, &QPushButton::clicked, this, [this] {
        const std::string chosen = FindFileIntoProject(project_, platform_, "Icon Files|*.ICO",
                                                       ToCp1252(ui_->IconEdit->text().trimmed()), "*.ICO");
        FillFileList(ui_->IconListBox, project_, "*.ICO");
        ui_->IconEdit->setText(FromCp1252(chosen));
    });
    connect(ui_->OpeningBtn, &QPushButton::clicked, this, &ProgramPresentationSettings::OpeningBtnClick);
    connect(ui_->ClosingBtn, &QPushButton::clicked, this, &ProgramPresentationSettings::ClosingBtnClick);
    connect(ui_->IntroBtn, &QPushButton::clicked, this, &ProgramPresentationSettings::IntroBtnClick);
    connect(ui_->AboutBtn, &QPushButton::clicked, this, &ProgramPresentationSettings::AboutBtnClick);
    connect(ui_->HelpFileBtn, &QPushButton::clicked, this, &ProgramPresentationSettings::HelpFileBtnClick);
    connect(ui_->BackgroundBtn, &QPushButton::clicked, this, &ProgramPresentationSettings::BackgroundBtnClick);
    UpdateControls();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    ui_->TitleEdit->setFocus();
}

ProgramPresentationSettings::~ProgramPresentationSettings() = default;

void ProgramPresentationSettings::UpdateControls() {
    ui_->IconGrp->setVisible(ui_->UseIconChk->isChecked());
    ui_->OpeningBtn->setEnabled(ui_->OpeningChk->isChecked());
    ui_->ClosingBtn->setEnabled(ui_->ClosingChk->isChecked());
    ui_->IntroBtn->setEnabled(ui_->IntroChk->isChecked());
    ui_->AboutBtn->setEnabled(ui_->AboutChk->isChecked());
    ui_->HelpFileBtn->setEnabled(ui_->HelpChk->isChecked());
}

void ProgramPresentationSettings::EditCommand(bool opening) {
    const TCommandSettingLayout& layout = opening ? cfg::Opening : cfg::Closing;
    AidsContext context{project_, platform_, system_};
    // The opening command offers the two executable types only.
    CommandTypeChooser form(
        context, opening ? " Opening Command Type " : " Closing Command Type ",
        opening ? TopicNumber(HelpTopic::OpeningCommand) : TopicNumber(HelpTopic::ClosingCommand),
        opening, ReadCommandSetting(copy_, layout), this);
    if (form.exec() == QDialog::Accepted) WriteCommandSetting(copy_, layout, form.Setting());
}

void ProgramPresentationSettings::OpeningBtnClick() { EditCommand(true); }

void ProgramPresentationSettings::ClosingBtnClick() { EditCommand(false); }

void ProgramPresentationSettings::IntroBtnClick() {
    if (EditIntroduction(project_, platform_, copy_, introText_, this)) introEdited_ = true;
}

void ProgramPresentationSettings::AboutBtnClick() { DesignAboutBox(project_, platform_, copy_, this); }

void ProgramPresentationSettings::HelpFileBtnClick() {
    std::string file = copy_.get(P::HelpFile);
    int topic = copy_.get(P::HelpTopic);
    if (ChooseHelpFile(project_, platform_, file, topic, this)) {
        copy_.set(P::HelpFile, file);
        copy_.set(P::HelpTopic, topic);
    }
}

void ProgramPresentationSettings::BackgroundBtnClick() { DesignBackground(project_, platform_, copy_, this); }

bool ProgramPresentationSettings::SaveBtnClick() {
    if (const auto refusal = PresentationRefusal(copy_, ui_->OpeningChk->isChecked(), ui_->ClosingChk->isChecked())) {
        platform_.messages.ShowError(*refusal);
        const bool opening = ui_->OpeningChk->isChecked() && copy_.get(cfg::Opening.Description).empty();
        (opening ? ui_->OpeningBtn : ui_->ClosingBtn)->setFocus();
        return false;
    }
    TTutorialConfig next = copy_;
    StoreIconSettings(next, ui_->UseIconChk->isChecked(), EditText(ui_->IconEdit, 150));
    StoreHelpSettings(next, ui_->HelpChk->isChecked());
    next.set(P::VideoAdvisory, ui_->AdvisoryChk->isChecked() ? 1 : 0);
    next.set(P::ProgramTitle, EditText(ui_->TitleEdit, 80));
    next.set(cfg::AboutOn, ui_->AboutChk->isChecked() ? 1 : 0);
    next.set(cfg::OpeningOn, ui_->OpeningChk->isChecked() ? 1 : 0);
    next.set(cfg::ClosingOn, ui_->ClosingChk->isChecked() ? 1 : 0);
    next.set(cfg::IntroOn, ui_->IntroChk->isChecked() ? 1 : 0);

    const fs::path dataFile = project_.DataFilePath();
    const bool written = RunGuarded(platform_.messages, [&] {
        if (next.get(cfg::IntroOn) && introEdited_) {
            if (RichTextDocument(introText_)->toPlainText().trimmed().isEmpty()) {
                platform_.messages.ShowError("The Introduction has not been entered.");
                next.set(cfg::IntroOn, 0);
            } else {
                ReplaceIntroduction(dataFile, introText_);
            }
        }
        std::error_code ec;
        if (!next.get(cfg::IntroOn) && fs::exists(dataFile, ec))
            DeleteEntry(dataFile, kIntroductionName, kSourceIntro);
    });
    if (!written) return false;  // the data file is as it was; the dialog keeps every choice
    copy_ = next;
    return true;
}

bool ProgramPresentation(Project& project, Platform& platform, SystemServices& system, QWidget* parent) {
    ProgramPresentationSettings form(project, platform, system, parent);
    if (form.exec() != QDialog::Accepted) return false;
    const TTutorialConfig before = project.Config;
    CopyGroup(project.Config, form.Record(), kPresentationBase, kPresentationSize);
    CopyGroup(project.Config, form.Record(), P::Base, P::Size);
    try {
        project.SaveProject();
    } catch (...) {
        project.Config = before;
        throw;
    }
    return true;
}

}  // namespace quill
