#include "design/menu_screen_designer.h"

#include <QPushButton>

#include "common/main_menu_dialog.h"
#include "design/background_choice.h"
#include "design/caption_dialogs.h"
#include "design/design_common.h"
#include "design/title_designer.h"
#include "platform/help_topics.h"
#include "platform/platform.h"
#include "project/project.h"
#include "text_codec.h"
#include "ui_menu_screen_designer.h"

namespace quill {

namespace M = cfg::MainMenu;

namespace {

enum Bar { kTitleBar, kStatusBar, kMenuTitle };

}  // namespace

MenuScreenDesigner::MenuScreenDesigner(const Project& project, Platform& platform, const TTutorialConfig& record,
                                   QWidget* parent)
    : QDialog(parent), project_(project), platform_(platform), copy_(record),
      ui_(std::make_unique<Ui::MenuScreenDesigner>()) {
    ui_->setupUi(this);
    WireDesignerButtons(this, ui_->ButtonBox, platform_, TopicNumber(HelpTopic::MenuScreen),
                        [this] {
                            StoreFields();
                            return true;
                        });
    ui_->TopMenuChk->setChecked(copy_.get(M::TopMenuBar) != 0);
    ui_->TitleChk->setChecked(copy_.get(M::TitleBarOn) != 0);
    ui_->StatusChk->setChecked(copy_.get(M::StatusBarOn) != 0);
    background_ = std::make_unique<BackgroundChoice>(
        project_, platform_, copy_, BackgroundFields{M::ScreenType, M::ScreenColor, M::GraphicFile, M::WallpaperFile},
        BackgroundControlsOf(*ui_), "Graphic Files|*.BMP");
    ui_->QuitPickEdit->setText(FromCp1252(copy_.get(M::QuitPick)));
    // More than ten chapters never stand in one column.
    const bool single = SingleColumnAvailable(copy_);
    ui_->SingleColumnChk->setChecked(single && copy_.get(M::SingleColumn) != 0);
    ui_->SingleColumnChk->setEnabled(single);

    for (QCheckBox* box : {ui_->TopMenuChk, ui_->TitleChk, ui_->StatusChk})
        connect(box, &QCheckBox::toggled, this, &MenuScreenDesigner::UpdateControls);
    connect(ui_->DefineTextBtn, &QPushButton::clicked, this, [this] {
        MenuCaptionsDialog form(platform_, copy_, this);
        form.exec();
    });
    connect(ui_->TitleBtn, &QPushButton::clicked, this, [this] { DesignBar(kTitleBar); });
    connect(ui_->StatusBtn, &QPushButton::clicked, this, [this] { DesignBar(kStatusBar); });
    connect(ui_->MenuTitleBtn, &QPushButton::clicked, this, [this] { DesignBar(kMenuTitle); });
    connect(ui_->MenuColorBtn, &QPushButton::clicked, this, [this] {
        if (auto c = ChooseRecordColour(platform_, copy_.get(M::MenuColor), "Menu Color")) copy_.set(M::MenuColor, *c);
    });
    connect(ui_->MenuPickBtn, &QPushButton::clicked, this, [this] {
        if (auto c = ChooseRecordColour(platform_, copy_.get(M::MenuPickColor), "Menu Pick"))
            copy_.set(M::MenuPickColor, *c);
    });
    connect(ui_->ViewBtn, &QPushButton::clicked, this, &MenuScreenDesigner::ViewBtnClick);
    UpdateControls();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

MenuScreenDesigner::~MenuScreenDesigner() = default;

void MenuScreenDesigner::UpdateControls() {
    ui_->DefineTextBtn->setEnabled(ui_->TopMenuChk->isChecked());
    ui_->TitleBtn->setEnabled(ui_->TitleChk->isChecked());
    ui_->StatusBtn->setEnabled(ui_->StatusChk->isChecked());
}

void MenuScreenDesigner::DesignBar(int which) {
    struct Fields {
        StrField text;
        ColorField color;
        StrField font;
        std::size_t capacity;
        QString label;
        int topic;
    };
    const Fields f =
        which == kTitleBar ? Fields{M::TitleBarText,   M::TitleBarColor,
                                    M::TitleBarFont,   70,
                                    "TitleBar Text :", TopicNumber(HelpTopic::MenuTitleBar)}
        : which == kStatusBar
            ? Fields{M::StatusBarText,   M::StatusBarColor,
                     M::StatusBarFont,   70,
                     "StatusBar Text :", TopicNumber(HelpTopic::MenuStatusBar)}
            : Fields{M::MenuTitle, M::MenuTitleColor, M::MenuTitleFont,
                     60,           "Menu Title :",    TopicNumber(HelpTopic::MenuTitle)};
    MenuTitleDesigner form(platform_, f.label, {copy_.get(f.text), copy_.get(f.font), copy_.get(f.color)},
                             f.capacity, f.topic, this);
    if (form.exec() != QDialog::Accepted) return;
    const BarDesign design = form.Design();
    copy_.set(f.text, design.text);
    copy_.set(f.font, design.font);
    copy_.set(f.color, design.color);
}

void MenuScreenDesigner::StoreFields() {
    copy_.set(M::TopMenuBar, ui_->TopMenuChk->isChecked() ? 1 : 0);
    copy_.set(M::TitleBarOn, ui_->TitleChk->isChecked() ? 1 : 0);
    copy_.set(M::StatusBarOn, ui_->StatusChk->isChecked() ? 1 : 0);
    background_->Store(copy_, BackgroundChoice::Names::Both);
    copy_.set(M::QuitPick, EditText(ui_->QuitPickEdit, 25));
    copy_.set(M::SingleColumn, ui_->SingleColumnChk->isEnabled() && ui_->SingleColumnChk->isChecked() ? 1 : 0);
}

void MenuScreenDesigner::ViewBtnClick() {
    StoreFields();
    const LearnerScreenContext context{copy_, project_.ProjectDir, platform_};
    ShowMainMenu(context, true, this);
}

bool DesignMenuScreen(const Project& project, Platform& platform, TTutorialConfig& record, QWidget* parent) {
    MenuScreenDesigner form(project, platform, record, parent);
    if (form.exec() != QDialog::Accepted) return false;
    // The chapter list belongs to its own designer; everything before it is this one's.
    CopyGroup(record, form.Record(), M::Base, M::ChapterCount.offset - M::Base);
    return true;
}

}  // namespace quill
