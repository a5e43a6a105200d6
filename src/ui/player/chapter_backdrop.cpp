#include "player/chapter_backdrop.h"
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
#include "screen/background_picture.h"
#include "screen/text_screen.h"
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

ChapterBackdrop::ChapterBackdrop(const Project& project, Messages& messages, QWidget* parent)
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

void ChapterBackdrop::ShowFullScreen() {
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (screen) setGeometry(screen->geometry());
    // The window system's full-screen state, so panels and docks do not stay on top.
    showFullScreen();
    FormActivate();
}

void ChapterBackdrop::ShowWindowed() {
    PlaceWindowed();
    FormActivate();
}

void ChapterBackdrop::PlaceWindowed() {
    if (isFullScreen() || isMaximized()) showNormal();
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (screen) setGeometry(WindowedGeometry(screen->availableGeometry()));
    show();
}

void ChapterBackdrop::SetFullScreen(bool on) {
    if (on == isFullScreen()) return;
    if (on)
        showFullScreen();
    else
        PlaceWindowed();
    if (toggled_) toggled_(on);
}

bool ChapterBackdrop::eventFilter(QObject* watched, QEvent* event) {
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

void ChapterBackdrop::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    emit Placed();
}

void ChapterBackdrop::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // The window system may size the window after it is shown (full screen, maximised).
    ScreenPnl_->setGeometry(rect());
    wiaTile1_->setGeometry(ScreenPnl_->rect());
    emit Placed();
}

void ChapterBackdrop::SetPanelColour() {
    QPalette pal = ScreenPnl_->palette();
    pal.setColor(QPalette::Window, ColourFromRecord(project_.Config.get(cfg::Program::BackgroundColor)));
    ScreenPnl_->setPalette(pal);
}

void ChapterBackdrop::FormActivate() {
    const TTutorialConfig& c = project_.Config;
    // The caption of the background's own window (with --window) is the tutorial's title.
    SetWindowCaption(*this, FromCp1252(c.get(cfg::Program::ProgramTitle)));
    ScreenPnl_->setGeometry(rect());
    wiaTile1_->setGeometry(ScreenPnl_->rect());
    wiaTile1_->hide();
    Image1_->hide();
    SetPanelColour();
    // A graphic stands at its own size in the top left corner; a wallpaper is tiled.
    const BackgroundPicture picture =
        LoadBackgroundPicture(TutorialFolder(project_.ProjectDir), c.get(cfg::Program::BackgroundType),
                              c.get(cfg::Program::BackgroundColor), c.get(cfg::Program::BackgroundGraphic),
                              c.get(cfg::Program::BackgroundWallpaper));
    if (!picture.message.isEmpty()) messages_.ShowError(picture.message);
    if (!picture.graphic.isNull()) {
        Image1_->setPixmap(QPixmap::fromImage(picture.graphic));
        Image1_->setGeometry(0, 0, picture.graphic.width(), picture.graphic.height());
        Image1_->show();
    } else if (!picture.wallpaper.isNull()) {
        static_cast<TileWidget*>(wiaTile1_)->tile = QPixmap::fromImage(picture.wallpaper);
        wiaTile1_->show();
        wiaTile1_->update();
    }
}

TutorialBackdrop::TutorialBackdrop(const Project& project, Messages& messages, QWidget* parent)
    : ChapterBackdrop(project, messages, parent) {
    setObjectName(QStringLiteral("TTutBackForm"));
}

}  // namespace quill
