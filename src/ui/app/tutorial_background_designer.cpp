#include "app/tutorial_background_designer.h"

#include <QEventLoop>
#include <QKeyEvent>
#include <QPushButton>

#include "design/background_choice.h"
#include "design/design_common.h"
#include "platform/help_topics.h"
#include "platform/platform.h"
#include "project/project.h"
#include "ui_tutorial_background_designer.h"

namespace quill {

namespace P = cfg::Program;

namespace {
constexpr int kTopic = TopicNumber(HelpTopic::BackgroundScreen);
}

BackgroundPreview::BackgroundPreview(const Project& shown, Messages& messages, QWidget* parent)
    : ChapterBackdrop(shown, messages, parent) {
    setObjectName("TTBackForm");
    setWindowModality(Qt::ApplicationModal);
    setAttribute(Qt::WA_DeleteOnClose, false);
}

void BackgroundPreview::mousePressEvent(QMouseEvent*) { close(); }

void BackgroundPreview::keyPressEvent(QKeyEvent*) { close(); }

void BackgroundPreview::closeEvent(QCloseEvent* event) {
    ChapterBackdrop::closeEvent(event);
    emit Closed();
}

TutorialBackgroundDesigner::TutorialBackgroundDesigner(const Project& project, Platform& platform, const TTutorialConfig& record,
                                       QWidget* parent)
    : QDialog(parent), project_(project), platform_(platform), copy_(record),
      ui_(std::make_unique<Ui::TutorialBackgroundDesigner>()) {
    ui_->setupUi(this);
    WireDesignerButtons(this, ui_->ButtonBox, platform_, kTopic, [this] {
        StoreFields();
        return true;
    });
    background_ = std::make_unique<BackgroundChoice>(
        project_, platform_, copy_,
        BackgroundFields{P::BackgroundType, P::BackgroundColor, P::BackgroundGraphic, P::BackgroundWallpaper},
        BackgroundControlsOf(*ui_), "Wallpaper Files|*.BMP");
    connect(ui_->ViewBtn, &QPushButton::clicked, this, &TutorialBackgroundDesigner::ViewBtnClick);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

TutorialBackgroundDesigner::~TutorialBackgroundDesigner() = default;

void TutorialBackgroundDesigner::StoreFields() {
    background_->Store(copy_, BackgroundChoice::Names::ChosenOnly);
}

void TutorialBackgroundDesigner::ViewBtnClick() {
    Project shown = project_;
    shown.Config = copy_;
    background_->Store(shown.Config, BackgroundChoice::Names::Both);
    BackgroundPreview view(shown, platform_.messages);
    QEventLoop loop;
    connect(&view, &BackgroundPreview::Closed, &loop, &QEventLoop::quit);
    view.ShowFullScreen();
    view.activateWindow();
    view.setFocus();
    if (view.isVisible()) loop.exec();
}

bool DesignBackground(const Project& project, Platform& platform, TTutorialConfig& record, QWidget* parent) {
    TutorialBackgroundDesigner form(project, platform, record, parent);
    if (form.exec() != QDialog::Accepted) return false;
    record.set(P::BackgroundType, form.Record().get(P::BackgroundType));
    record.set(P::BackgroundColor, form.Record().get(P::BackgroundColor));
    record.set(P::BackgroundGraphic, form.Record().get(P::BackgroundGraphic));
    record.set(P::BackgroundWallpaper, form.Record().get(P::BackgroundWallpaper));
    return true;
}

}  // namespace quill
