#include "common/media_player_window.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QHBoxLayout>
#include <QLabel>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QVideoSink>
#include <QVideoWidget>

#include "platform/window_caption.h"

namespace quill {

MediaPlayerWindow::MediaPlayerWindow(const QString& caption, const std::filesystem::path& file, QWidget* parent)
    : QDialog(parent) {
    setObjectName("TMediaPlayForm");
    SetWindowCaption(*this, caption);

    display_ = new QVideoWidget(this);
    display_->setObjectName("MediaDisplay");
    display_->setFixedSize(8, 8);

    auto* buttons = new QHBoxLayout;
    const struct {
        const char* name;
        const char* caption;
        void (MediaPlayerWindow::*slot)();
    } kButtons[] = {// The window's caption is the tutorial's start prompt ("Press the Start button"):
                    // the button that plays is that Start button.
                    {"PlayBtn", "&Start", &MediaPlayerWindow::PlayBtnClick},
                    {"PauseBtn", "Pause", &MediaPlayerWindow::PauseBtnClick},
                    {"StopBtn", "Stop", &MediaPlayerWindow::StopBtnClick},
                    {"NextBtn", "Next", &MediaPlayerWindow::NextBtnClick},
                    {"PrevBtn", "Previous", &MediaPlayerWindow::PrevBtnClick}};
    for (const auto& b : kButtons) {
        auto* button = new QPushButton(b.caption, this);
        button->setObjectName(b.name);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, b.slot);
        buttons->addWidget(button);
    }
    Gauge_ = new QProgressBar(this);
    Gauge_->setObjectName("Gauge");
    Gauge_->setTextVisible(false);
    Gauge_->setRange(0, 0);
    StatusLbl_ = new QLabel(this);
    StatusLbl_->setObjectName("StatusLbl");

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(display_, 0, Qt::AlignHCenter);
    layout->addLayout(buttons);
    layout->addWidget(Gauge_);
    layout->addWidget(StatusLbl_);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    player_ = new QMediaPlayer(this);
    if (!QMediaDevices::audioOutputs().isEmpty()) {
        output_ = new QAudioOutput(this);
        player_->setAudioOutput(output_);
    }
    player_->setVideoOutput(display_);
    connect(display_->videoSink(), &QVideoSink::videoSizeChanged, this,
            [this] { FitDisplay(display_->videoSink()->videoSize()); });
    connect(player_, &QMediaPlayer::durationChanged, this, [this](qint64 ms) {
        Gauge_->setRange(0, static_cast<int>(std::min<qint64>(ms, INT32_MAX)));
    });
    connect(player_, &QMediaPlayer::errorOccurred, this,
            [this](QMediaPlayer::Error, const QString& text) { StatusLbl_->setText(text); });
    timer_ = new QTimer(this);
    timer_->setInterval(200);
    connect(timer_, &QTimer::timeout, this, &MediaPlayerWindow::TimerTick);
    timer_->start();

    player_->setSource(QUrl::fromLocalFile(QString::fromStdString(file.string())));
    player_->play();
}

MediaPlayerWindow::~MediaPlayerWindow() {
    if (player_) player_->stop();
}

void MediaPlayerWindow::FitDisplay(const QSize& pictureSize) {
    if (pictureSize.isValid() && !pictureSize.isEmpty())
        display_->setFixedSize(pictureSize + QSize(8, 8));
}

void MediaPlayerWindow::TimerTick() {
    if (Gauge_->maximum() > 0)
        Gauge_->setValue(static_cast<int>(std::min<qint64>(player_->position(), Gauge_->maximum())));
}

void MediaPlayerWindow::PlayBtnClick() { player_->play(); }
void MediaPlayerWindow::PauseBtnClick() { player_->pause(); }
void MediaPlayerWindow::StopBtnClick() {
    player_->stop();
    player_->setPosition(0);
}
void MediaPlayerWindow::NextBtnClick() { player_->setPosition(player_->duration()); }
void MediaPlayerWindow::PrevBtnClick() { player_->setPosition(0); }

}  // namespace quill
