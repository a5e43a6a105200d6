#include "common/media_preview.h"
#include "screen/design_surface.h"
#include "project/tutorial_folder.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include "common/aids_context.h"
#include "common/media_player_window.h"
#include "platform/modal.h"
#include "platform/platform.h"
#include "platform/system_services.h"
#include "project/file_names.h"
#include "project/project.h"
#include "screen/picture_reader.h"
#include "text/cp1252.h"
#include "project/project_path.h"
#include "text/file_lookup.h"
#include "text_codec.h"

namespace quill {

namespace fs = std::filesystem;

namespace {

bool Holds(const std::string& part, std::string_view what) { return part.find(what) != std::string::npos; }

std::optional<fs::path> ProjectFile(const AidsContext& context, const std::string& name) {
    return TutorialFolder(context.project.ProjectDir).FindFile(name);
}

void CenterOnScreen(QWidget& window) {
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        window.move(area.center() - QPoint(window.width() / 2, window.height() / 2));
    }
}

}  // namespace

QString MissingFileText(const std::string& name) { return "The file " + FromCp1252(name) + " is missing"; }

void PreviewMedia(AidsContext& context, std::string_view specText, QWidget* parent, const QString& title) {
    Messages& messages = context.platform.messages;
    const MediaSpec spec = ParseMediaSpec(specText);
    const QString caption = title.isEmpty() ? FromCp1252(context.project.StartPrompt) : title;

    if (!spec.video.empty()) {
        const auto video = ProjectFile(context, spec.video);
        if (!video) return messages.ShowError(MissingFileText(spec.video));
        MediaPlayerWindow form(caption, *video, parent);
        ShowModal(form);
        return;
    }

    std::optional<fs::path> graphic, sound;
    if (!spec.graphic.empty()) {
        graphic = ProjectFile(context, spec.graphic);
        if (!graphic) return messages.ShowError(MissingFileText(spec.graphic));
    }
    if (!spec.sound.empty()) {
        sound = ProjectFile(context, spec.sound);
        if (!sound) return messages.ShowError(MissingFileText(spec.sound));
    }
    const bool midi = sound && Holds(spec.sound, ".MID");

    if (!graphic) {
        if (!sound) return;
        if (midi) {
            MediaPlayerWindow form(caption, *sound, parent);
            ShowModal(form);
        } else if (context.system.HasAudioOutput()) {
            // Without an audio output there is nothing to play the sound on: it is skipped.
            context.system.PlayWave(*sound);
        }
        return;
    }

    QString why;
    const QImage picture = ReadPicture(*graphic, &why);
    if (picture.isNull())
        return messages.ShowError("The graphic file " + FromCp1252(spec.graphic) + " cannot be shown: " + why);
    const fs::path withSound = sound && context.system.HasAudioOutput() ? *sound : fs::path();
    GraphicViewer::WavePlayer playWave;
    if (!withSound.empty() && !midi) playWave = [&context](const fs::path& wave) { context.system.PlayWave(wave); };
    GraphicViewer form(picture, spec.durationMs, withSound, playWave, parent);
    ShowModal(form);
    form.FinishWave();
}

GraphicViewer::GraphicViewer(const QImage& picture, long long durationMs, const fs::path& sound,
                                   WavePlayer playWave, QWidget* parent)
    : QDialog(parent), picture_(picture), sound_(sound), playWave_(std::move(playWave)) {
    setObjectName("TShowGraphicForm");
    setWindowTitle(QStringLiteral(" "));
    setFixedSize(kDesignSize);
    CenterOnScreen(*this);
    if (durationMs > 0)
        QTimer::singleShot(static_cast<int>(std::min<long long>(durationMs, INT32_MAX)), this, &QDialog::accept);
    if (sound_.empty()) {
        playWave_ = nullptr;
    } else if (playWave_) {
        // The wave output plays the sound to its end, the window open or not: the timer or a
        // click may close the picture meanwhile.
        QTimer::singleShot(10, this, &GraphicViewer::StartWave);
    } else {
        player_ = new QMediaPlayer(this);
        output_ = new QAudioOutput(this);
        player_->setAudioOutput(output_);
        player_->setSource(QUrl::fromLocalFile(QString::fromStdString(sound_.string())));
        QTimer::singleShot(10, player_, &QMediaPlayer::play);
    }
}

GraphicViewer::~GraphicViewer() {
    if (player_) player_->stop();
}

void GraphicViewer::StartWave() {
    if (waveStarted_ || !playWave_) return;
    waveStarted_ = true;
    playWave_(sound_);
}

void GraphicViewer::FinishWave() { StartWave(); }

void GraphicViewer::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    QSize size = picture_.size();
    if (size.width() > width() || size.height() > height()) size.scale(this->size(), Qt::KeepAspectRatio);
    const QRect target(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, picture_);
}

void GraphicViewer::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void GraphicViewer::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) accept();
}

}  // namespace quill
