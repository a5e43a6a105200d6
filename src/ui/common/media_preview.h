#pragma once
// The media preview behind every "&View" of a media chooser and behind the media entries of
// the data file: a graphic shown in a 640 x 480 window for a time, with a sound; a wave sound
// played to its end; a MIDI file or a video in the media window.
#include <QDialog>
#include <QImage>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "datafile/media_spec.h"

class QMediaPlayer;
class QAudioOutput;

namespace quill {

struct AidsContext;

// The text shown for a media file that is not in the project folder.
QString MissingFileText(const std::string& name);

// Previews the media spec: a missing file is reported by name before anything plays. Returns when
// the preview has finished (the graphic window or media window closed, the sound ended).
// The media window is captioned `caption`, or the tutorial's start prompt when it is empty.
void PreviewMedia(AidsContext& context, std::string_view spec, QWidget* parent = nullptr,
                  const QString& caption = QString());

// The graphic window of the preview: 640 x 480, centred, the picture in the middle. It closes
// itself after `durationMs` (0: never), and on Escape, Enter or a left click. A sound starts
// 10 milliseconds after it opens: a MIDI sound in the window's own player, which stops when the
// window closes; a wave sound through `playWave`, which plays it to its end (closing the window
// meanwhile does not stop it) before the window's run returns.
// Window name (its objectName): TShowGraphicForm.
class GraphicViewer : public QDialog {
    Q_OBJECT
public:
    using WavePlayer = std::function<void(const std::filesystem::path&)>;
    GraphicViewer(const QImage& picture, long long durationMs, const std::filesystem::path& sound,
                     WavePlayer playWave = {}, QWidget* parent = nullptr);
    ~GraphicViewer() override;
    bool PlaysSound() const { return player_ != nullptr || playWave_ != nullptr; }
    // Plays the wave sound now when the window closed before it started.
    void FinishWave();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void StartWave();

    QImage picture_;
    std::filesystem::path sound_;
    WavePlayer playWave_;
    bool waveStarted_ = false;
    QMediaPlayer* player_ = nullptr;
    QAudioOutput* output_ = nullptr;
};

}  // namespace quill
