#include "design/presentation_designer.h"

#include <QPixmap>
#include <QPushButton>

#include "common/learner_screen.h"
#include "design/design_common.h"
#include "design/sample_screen_window.h"
#include "platform/error_handler.h"
#include "platform/help_topics.h"
#include "platform/platform.h"
#include "project/project.h"
#include "screen/sample_chapter.h"
#include "screen/text_screen.h"
#include "text/errors.h"
#include "text_codec.h"
#include "ui_presentation_designer.h"

namespace quill {

namespace S = cfg::Screen;

PresentationDesigner::PresentationDesigner(Project& project, Platform& platform, QWidget* parent)
    : QDialog(parent), project_(project), platform_(platform), copy_(project.Config),
      ui_(std::make_unique<Ui::PresentationDesigner>()) {
    ui_->setupUi(this);
    WireDesignerButtons(this, ui_->ButtonBox, platform_, TopicNumber(HelpTopic::ChapterColours),
                        [this] { return SaveBtnClick(); });
    QPushButton* save = ui_->ButtonBox->button(QDialogButtonBox::Save);
    save->setText("&Save");
    save->setObjectName("SaveBtn");
    save->setDefault(true);
    connect(ui_->TitleTextBtn, &QPushButton::clicked, this, [this] { PickColour(S::TitleTextColor, "Title Text Color"); });
    connect(ui_->TitleBackBtn, &QPushButton::clicked, this, [this] { PickColour(S::TitleBackColor, "Background Color"); });
    connect(ui_->ControlBarBtn, &QPushButton::clicked, this, [this] { PickColour(S::ControlBarColor, "Control Bar Color"); });
    connect(ui_->ScreenBackBtn, &QPushButton::clicked, this, [this] { PickColour(S::ScreenBackColor, "Background"); });
    connect(ui_->ScreenTextBtn, &QPushButton::clicked, this, [this] { PickColour(S::ScreenTextColor, "Text Color"); });
    connect(ui_->HyperTextBtn, &QPushButton::clicked, this, [this] { PickColour(S::HyperTextColor, "HyperText"); });
    for (QLineEdit* edit : {ui_->ContinueEdit, ui_->PageBackEdit, ui_->UtilitiesEdit, ui_->HelpEdit, ui_->QuitEdit})
        connect(edit, &QLineEdit::editingFinished, this, [this] {
            StoreCaptions();
            RefreshSample();
        });
    connect(ui_->DefaultsBtn, &QPushButton::clicked, this, &PresentationDesigner::DefaultsBtnClick);
    connect(ui_->ViewBtn, &QPushButton::clicked, this, &PresentationDesigner::ViewBtnClick);
    LoadEdits();
    RefreshSample();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

PresentationDesigner::~PresentationDesigner() = default;

void PresentationDesigner::LoadEdits() {
    ui_->ContinueEdit->setText(FromCp1252(copy_.get(S::ContinueCaption)));
    ui_->PageBackEdit->setText(FromCp1252(copy_.get(S::PagebackCaption)));
    ui_->UtilitiesEdit->setText(FromCp1252(copy_.get(S::UtilitiesCaption)));
    ui_->HelpEdit->setText(FromCp1252(copy_.get(S::HelpButtonCaption)));
    ui_->QuitEdit->setText(FromCp1252(copy_.get(S::QuitButtonCaption)));
}

void PresentationDesigner::StoreCaptions() {
    copy_.set(S::ContinueCaption, EditText(ui_->ContinueEdit, 11));
    copy_.set(S::PagebackCaption, EditText(ui_->PageBackEdit, 11));
    copy_.set(S::UtilitiesCaption, EditText(ui_->UtilitiesEdit, 11));
    copy_.set(S::HelpButtonCaption, EditText(ui_->HelpEdit, 11));
    copy_.set(S::QuitButtonCaption, EditText(ui_->QuitEdit, 11));
}

void PresentationDesigner::RefreshSample() {
    // The learner's screen draws the sample; the panel shows it at its own size.
    SampleChapter sample;
    sample.title = "This is an Example Screen Title";
    sample.column = 20;
    sample.row = 8;
    sample.lines = {"This is an example of Text", "", "", "This is a |HyperText Link|"};
    const QImage picture = RenderSampleChapter(copy_, project_.ProjectDir, sample);
    ui_->SampleScreenLbl->setPixmap(QPixmap::fromImage(
        picture.scaled(ui_->SampleScreenLbl->minimumSize(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    FillColour(ui_->ControlBarPnl, ColourFromRecord(copy_.get(S::ControlBarColor)));
}

void PresentationDesigner::PickColour(ColorField field, const QString& title) {
    if (const auto c = ChooseRecordColour(platform_, copy_.get(field), title)) {
        copy_.set(field, *c);
        RefreshSample();
    }
}

void PresentationDesigner::DefaultsBtnClick() {
    TTutorialConfig defaults;
    SetConfigDefaults(defaults);
    for (const ColorField& f : {S::TitleTextColor, S::TitleBackColor, S::ControlBarColor, S::ScreenBackColor,
                                S::ScreenTextColor, S::HyperTextColor})
        copy_.set(f, defaults.get(f));
    for (const StrField& f : {S::ContinueCaption, S::PagebackCaption, S::UtilitiesCaption, S::HelpButtonCaption,
                              S::QuitButtonCaption})
        copy_.set(f, defaults.get(f));
    LoadEdits();
    RefreshSample();
}

void PresentationDesigner::ViewBtnClick() {
    StoreCaptions();
    SampleScreenWindow sample(copy_, project_.ProjectDir, this);
    sample.exec();
}

bool PresentationDesigner::SaveBtnClick() {
    StoreCaptions();
    const TTutorialConfig before = project_.Config;
    for (const ColorField& f : {S::TitleTextColor, S::TitleBackColor, S::ControlBarColor, S::ScreenBackColor,
                                S::ScreenTextColor, S::HyperTextColor})
        project_.Config.set(f, copy_.get(f));
    for (const StrField& f : {S::ContinueCaption, S::PagebackCaption, S::UtilitiesCaption, S::HelpButtonCaption,
                              S::QuitButtonCaption})
        project_.Config.set(f, copy_.get(f));
    try {
        project_.SaveProject();
    } catch (const std::exception& e) {
        project_.Config = before;
        platform_.messages.ShowError(ErrorText(e));
        return false;
    }
    return true;
}

bool DefineTutorialPresentation(Project& project, Platform& platform, QWidget* parent) {
    PresentationDesigner form(project, platform, parent);
    return form.exec() == QDialog::Accepted;
}

}  // namespace quill
