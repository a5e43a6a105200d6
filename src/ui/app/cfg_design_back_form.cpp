#include "app/cfg_design_back_form.h"

#include <QEventLoop>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>

#include "design/design_common.h"
#include "platform/platform.h"
#include "project/project.h"
#include "text_codec.h"
#include "ui_cfg_design_back_form.h"

namespace quill {

namespace P = cfg::Program;

namespace {
constexpr int kTopic = 410;
}

TTBackForm::TTBackForm(const Project& shown, Messages& messages, QWidget* parent)
    : TChpBackForm(shown, messages, parent) {
    setObjectName("TTBackForm");
    setWindowModality(Qt::ApplicationModal);
    setAttribute(Qt::WA_DeleteOnClose, false);
}

void TTBackForm::mousePressEvent(QMouseEvent*) { close(); }

void TTBackForm::keyPressEvent(QKeyEvent*) { close(); }

void TTBackForm::closeEvent(QCloseEvent* event) {
    TChpBackForm::closeEvent(event);
    emit Closed();
}

TCFGDesignBackForm::TCFGDesignBackForm(const Project& project, Platform& platform, const TTutorialConfig& record,
                                       QWidget* parent)
    : QDialog(parent), project_(project), platform_(platform), copy_(record),
      ui_(std::make_unique<Ui::TCFGDesignBackForm>()) {
    ui_->setupUi(this);
    WireDesignerButtons(this, ui_->ButtonBox, platform_, kTopic, [this] {
        StoreFields();
        return true;
    });
    switch (copy_.get(P::BackgroundType)) {
        case 2: ui_->GraphicRb->setChecked(true); break;
        case 3: ui_->WallpaperRb->setChecked(true); break;
        default: ui_->ColorRb->setChecked(true); break;
    }
    ShowColourSample(ui_->ColorPnl, copy_.get(P::BackgroundColor));
    ui_->GraphicEdit->setText(FromCp1252(copy_.get(P::BackgroundGraphic)));
    ui_->WallpaperEdit->setText(FromCp1252(copy_.get(P::BackgroundWallpaper)));
    FillFileList(ui_->GraphicListBox, project_, "*.BMP;*.JPG");
    FillFileList(ui_->WallpaperListBox, project_, "*.BMP");
    for (QRadioButton* radio : {ui_->ColorRb, ui_->GraphicRb, ui_->WallpaperRb})
        connect(radio, &QRadioButton::toggled, this, &TCFGDesignBackForm::UpdateGroups);
    connect(ui_->GraphicListBox, &QListWidget::currentTextChanged, ui_->GraphicEdit, &QLineEdit::setText);
    connect(ui_->WallpaperListBox, &QListWidget::currentTextChanged, ui_->WallpaperEdit, &QLineEdit::setText);
    connect(ui_->ColorBtn, &QPushButton::clicked, this, [this] {
        if (auto c = ChooseRecordColour(platform_, copy_.get(P::BackgroundColor), "Background Color")) {
            copy_.set(P::BackgroundColor, *c);
            ShowColourSample(ui_->ColorPnl, *c);
        }
    });
    connect(ui_->GraphicFindBtn, &QPushButton::clicked, this, [this] {
        const std::string chosen = FindFileIntoProject(project_, platform_, "Graphic Files|*.BMP;*.JPG",
                                                       ToCp1252(ui_->GraphicEdit->text().trimmed()), "*.BMP");
        FillFileList(ui_->GraphicListBox, project_, "*.BMP;*.JPG");
        ui_->GraphicEdit->setText(FromCp1252(chosen));
    });
    connect(ui_->WallpaperFindBtn, &QPushButton::clicked, this, [this] {
        const std::string chosen = FindFileIntoProject(project_, platform_, "Wallpaper Files|*.BMP",
                                                       ToCp1252(ui_->WallpaperEdit->text().trimmed()), "*.BMP");
        FillFileList(ui_->WallpaperListBox, project_, "*.BMP");
        ui_->WallpaperEdit->setText(FromCp1252(chosen));
    });
    connect(ui_->ViewBtn, &QPushButton::clicked, this, &TCFGDesignBackForm::ViewBtnClick);
    UpdateGroups();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

TCFGDesignBackForm::~TCFGDesignBackForm() = default;

int TCFGDesignBackForm::ChosenType() const {
    return ui_->GraphicRb->isChecked() ? 2 : ui_->WallpaperRb->isChecked() ? 3 : 1;
}

void TCFGDesignBackForm::UpdateGroups() {
    ui_->ColorGrp->setVisible(ui_->ColorRb->isChecked());
    ui_->GraphicGrp->setVisible(ui_->GraphicRb->isChecked());
    ui_->WallpaperGrp->setVisible(ui_->WallpaperRb->isChecked());
}

void TCFGDesignBackForm::StoreFields() {
    const int type = ChosenType();
    copy_.set(P::BackgroundType, type);
    copy_.set(P::BackgroundGraphic, type == 2 ? EditText(ui_->GraphicEdit, 150) : std::string());
    copy_.set(P::BackgroundWallpaper, type == 3 ? EditText(ui_->WallpaperEdit, 150) : std::string());
}

void TCFGDesignBackForm::ViewBtnClick() {
    Project shown = project_;
    shown.Config = copy_;
    shown.Config.set(P::BackgroundType, ChosenType());
    shown.Config.set(P::BackgroundGraphic, EditText(ui_->GraphicEdit, 150));
    shown.Config.set(P::BackgroundWallpaper, EditText(ui_->WallpaperEdit, 150));
    TTBackForm view(shown, platform_.messages);
    QEventLoop loop;
    connect(&view, &TTBackForm::Closed, &loop, &QEventLoop::quit);
    view.ShowFullScreen();
    view.activateWindow();
    view.setFocus();
    if (view.isVisible()) loop.exec();
}

bool DesignBackground(const Project& project, Platform& platform, TTutorialConfig& record, QWidget* parent) {
    TCFGDesignBackForm form(project, platform, record, parent);
    if (form.exec() != QDialog::Accepted) return false;
    record.set(P::BackgroundType, form.Record().get(P::BackgroundType));
    record.set(P::BackgroundColor, form.Record().get(P::BackgroundColor));
    record.set(P::BackgroundGraphic, form.Record().get(P::BackgroundGraphic));
    record.set(P::BackgroundWallpaper, form.Record().get(P::BackgroundWallpaper));
    return true;
}

}  // namespace quill
