#pragma once
// MediaPlayerWindow: the media window that plays a video or a MIDI file of the project: a display
// area sized to the picture, the buttons play, pause, stop, next and previous, and a progress
// gauge. It starts playing as it opens; Escape closes it.
#include <QDialog>
#include <filesystem>

class QAudioOutput;
class QLabel;
class QMediaPlayer;
class QProgressBar;
class QVideoWidget;
class QTimer;

namespace quill {

// Window name (its objectName): TMediaPlayForm.
class MediaPlayerWindow : public QDialog {
    Q_OBJECT
public:
    // `caption` is the tutorial's start prompt; `file` the media file to play.
    MediaPlayerWindow(const QString& caption, const std::filesystem::path& file, QWidget* parent = nullptr);
    ~MediaPlayerWindow() override;
    QMediaPlayer* Player() const { return player_; }

    void PlayBtnClick();
    void PauseBtnClick();
    void StopBtnClick();
    void NextBtnClick();
    void PrevBtnClick();

private:
    void TimerTick();
    void FitDisplay(const QSize& pictureSize);

    QMediaPlayer* player_ = nullptr;
    QAudioOutput* output_ = nullptr;
    QVideoWidget* display_ = nullptr;
    QProgressBar* Gauge_ = nullptr;
    QLabel* StatusLbl_ = nullptr;
    QTimer* timer_ = nullptr;
};

}  // namespace quill
