#include "player/chp_back_form.h"
#include "project/tutorial_folder.h"

#include <QApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QResizeEvent>
#include <QScreen>

#include "platform/messages.h"
#include "platform/window_caption.h"
#include "project/config_record.h"
#include "project/project.h"
#include "screen/picture_reader.h"
#include "screen/text_screen.h"
#include "text/cp1252.h"
#include "project/project_path.h"
#include "text/file_lookup.h"
#include "text_codec.h"

namespace quill {

namespace {

// Repeats its picture over the whole of its area.
class TileWidget : public QWidget {
public:
    explicit TileWidget(QWidget* parent) : QWidget(parent) {}
    QPixmap tile;

protected:
    void paintEvent(QPaintEvent*) override {
        if (tile.isNull()) return;
        QPainter p(this);
        p.drawTiledPixmap(rect(), tile);
    }
};

std::string UpperExtension(const std::string& name) {
    const std::size_t dot = name.find_last_of('.');
    const std::size_t slash = name.find_last_of("\\/");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    return UpperCaseCp1252(name.substr(dot));
}

}  // namespace

bool IsFullScreenToggleKey(int key, Qt::KeyboardModifiers modifiers) {
    const Qt::KeyboardModifiers mods = modifiers & ~Qt::KeypadModifier;
    if (key == Qt::Key_F11) return mods == Qt::NoModifier;
    return (key == Qt::Key_Return || key == Qt::Key_Enter) && mods == Qt::AltModifier;
}

QRect WindowedGeometry(const QRect& available) {
    const int w = TextScreen::kWidth, h = TextScreen::kHeight, frame = 40;
    const auto fits = [&](int n) {
        return (n * w + frame) * 20 <= available.width() * 19 && (n * h + frame) * 20 <= available.height() * 19;
    };
    int n = 1;
    while (fits(n + 1)) ++n;
    QRect r(0, 0, std::min(n * w + frame, available.width()), std::min(n * h + frame, available.height()));
    r.moveCenter(available.center());
    return r;
}

TChpBackForm::TChpBackForm(const Project& project, Messages& messages, QWidget* parent)
    : QWidget(parent, Qt::Window), project_(project), messages_(messages) {
    setObjectName(QStringLiteral("TChpBackForm"));
    // F11 and Alt+Enter reach every window of the program, the chapter's and the dialogs' too.
    qApp->installEventFilter(this);
    ScreenPnl_ = new QFrame(this);
    ScreenPnl_->setObjectName(QStringLiteral("ScreenPnl"));
    ScreenPnl_->setAutoFillBackground(true);
    auto* tile = new TileWidget(ScreenPnl_);
    tile->setObjectName(QStringLiteral("wiaTile1"));
    tile->hide();
    wiaTile1_ = tile;
    Image1_ = new QLabel(ScreenPnl_);
    Image1_->setObjectName(QStringLiteral("Image1"));
    Image1_->hide();
}

void TChpBackForm::ShowFullScreen() {
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (screen) setGeometry(screen->geometry());
    // The window system's full-screen state, so panels and docks do not stay on top.
    showFullScreen();
    FormActivate();
}

void TChpBackForm::ShowWindowed() {
    PlaceWindowed();
    FormActivate();
}

void TChpBackForm::PlaceWindowed() {
    if (isFullScreen() || isMaximized()) showNormal();
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (screen) setGeometry(WindowedGeometry(screen->availableGeometry()));
    show();
}

void TChpBackForm::SetFullScreen(bool on) {
    if (on == isFullScreen()) return;
    if (on)
        showFullScreen();
    else
        PlaceWindowed();
    if (toggled_) toggled_(on);
}

bool TChpBackForm::eventFilter(QObject* watched, QEvent* event) {
    // Only the newest shown background switches (the chapter's over the tutorial's); the key
    // does nothing else.
    if (event->type() == QEvent::KeyPress && isVisible() && watched->isWidgetType()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (IsFullScreenToggleKey(key->key(), key->modifiers())) {
            ToggleFullScreen();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TChpBackForm::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    emit Placed();
}

void TChpBackForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // The window system may size the window after it is shown (full screen, maximised).
    ScreenPnl_->setGeometry(rect());
    wiaTile1_->setGeometry(ScreenPnl_->rect());
    emit Placed();
}

void TChpBackForm::SetPanelColour() {
    QPalette pal = ScreenPnl_->palette();
    pal.setColor(QPalette::Window, ColourFromRecord(project_.Config.get(cfg::Program::BackgroundColor)));
    ScreenPnl_->setPalette(pal);
}

void TChpBackForm::FormActivate() {
    const TTutorialConfig& c = project_.Config;
    // The caption of the background's own window (with --window) is the tutorial's title.
    SetWindowCaption(*this, FromCp1252(c.get(cfg::Program::ProgramTitle)));
    ScreenPnl_->setGeometry(rect());
    wiaTile1_->setGeometry(ScreenPnl_->rect());
    wiaTile1_->hide();
    Image1_->hide();
    SetPanelColour();
    switch (c.get(cfg::Program::BackgroundType)) {
        case 2: {
            const std::string file = c.get(cfg::Program::BackgroundGraphic);
            const TutorialFolder folder(project_.ProjectDir);
            const auto found = folder.FindFile(file);
            if (!found) {
                messages_.ShowError(FromCp1252("The graphic file " + file + " was not found"));
                return;
            }
            QString why;
            const QImage picture = ReadPicture(folder, *found, &why);
            if (picture.isNull()) {
                messages_.ShowError(FromCp1252("The graphic file " + file + " cannot be shown: ") + why);
                return;
            }
            Image1_->setPixmap(QPixmap::fromImage(picture));
            Image1_->setGeometry(0, 0, picture.width(), picture.height());
            Image1_->show();
            return;
        }
        case 3: {
            const std::string file = c.get(cfg::Program::BackgroundWallpaper);
            if (UpperExtension(file) == ".JPG") {
                messages_.ShowError(FromCp1252("Wallpaper must be a .BMP file.\n\r\n\rReplace " + file +
                                               " with a .BMP Graphic."));
                return;
            }
            const TutorialFolder folder(project_.ProjectDir);
            const auto found = folder.FindFile(file);
            if (!found) {
                messages_.ShowError(FromCp1252("The Wallpaper file " + file + " was not found"));
                return;
            }
            QString why;
            const QImage picture = ReadPicture(folder, *found, &why);
            if (picture.isNull()) {
                messages_.ShowError(FromCp1252("The Wallpaper file " + file + " cannot be shown: ") + why);
                return;
            }
            static_cast<TileWidget*>(wiaTile1_)->tile = QPixmap::fromImage(picture);
            wiaTile1_->show();
            wiaTile1_->update();
            return;
        }
        default:
            return;  // 1 and anything else: the background colour
    }
}

TTutBackForm::TTutBackForm(const Project& project, Messages& messages, QWidget* parent)
    : TChpBackForm(project, messages, parent) {
    setObjectName(QStringLiteral("TTutBackForm"));
}

}  // namespace quill
