#include "app/cfg_design_back_form.h"

#include <QEventLoop>
#include <QKeyEvent>
#include <QPushButton>

#include "design/background_choice.h"
#include "design/design_common.h"
#include "platform/platform.h"
#include "project/project.h"
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
    background_ = std::make_unique<BackgroundChoice>(
        project_, platform_, copy_,
        BackgroundFields{P::BackgroundType, P::BackgroundColor, P::BackgroundGraphic, P::BackgroundWallpaper},
        BackgroundControlsOf(*ui_), "Wallpaper Files|*.BMP");
    connect(ui_->ViewBtn, &QPushButton::clicked, this, &TCFGDesignBackForm::ViewBtnClick);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

TCFGDesignBackForm::~TCFGDesignBackForm() = default;

void TCFGDesignBackForm::StoreFields() {
    background_->Store(copy_, BackgroundChoice::Names::ChosenOnly);
}

void TCFGDesignBackForm::ViewBtnClick() {
    Project shown = project_;
    shown.Config = copy_;
    background_->Store(shown.Config, BackgroundChoice::Names::Both);
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
