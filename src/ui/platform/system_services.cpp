#include "platform/system_services.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QEventLoop>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

namespace quill {

bool DesktopSystem::OpenUrl(const QUrl& url) { return QDesktopServices::openUrl(url); }

std::optional<QString> DesktopSystem::RunProgram(const ProgramRun& run) {
    // The process lives on the heap: when the application quits while the program still runs,
    // the wait ends and the program is left running rather than killed with the author's work.
    auto* process = new QProcess;
    process->setProgram(run.program);
    process->setArguments(run.arguments);
    if (!run.workingDir.empty()) process->setWorkingDirectory(QString::fromStdString(run.workingDir.string()));
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->setInputChannelMode(QProcess::ForwardedInputChannel);

    // Like waiting for the program to become idle: up to ten seconds for it to start.
    process->start();
    if (!process->waitForStarted(10000)) {
        const QString why = process->errorString();
        delete process;
        return why;
    }
    QEventLoop loop;
    QObject::connect(process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, &loop, &QEventLoop::quit);
    if (process->state() != QProcess::NotRunning) loop.exec();
    if (process->state() == QProcess::NotRunning) {
        delete process;
    } else {
        // Still running while the application quits: leave it running.
        process->disconnect();
    }
    return std::nullopt;
}

std::optional<QString> DesktopSystem::FindProgram(const QString& name) {
    const QString found = QStandardPaths::findExecutable(name);
    if (found.isEmpty()) return std::nullopt;
    return found;
}

bool DesktopSystem::HasAudioOutput() { return !QMediaDevices::audioOutputs().isEmpty(); }

void DesktopSystem::PlayWave(const std::filesystem::path& file) {
    if (!HasAudioOutput()) return;
    QMediaPlayer player;
    QAudioOutput output;
    player.setAudioOutput(&output);
    QEventLoop loop;
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(&player, &QMediaPlayer::mediaStatusChanged, &loop, [&](QMediaPlayer::MediaStatus status) {
        if (status == QMediaPlayer::EndOfMedia || status == QMediaPlayer::InvalidMedia) loop.quit();
    });
    QObject::connect(&player, &QMediaPlayer::errorOccurred, &loop, &QEventLoop::quit);
    bool started = false;
    QObject::connect(&player, &QMediaPlayer::playbackStateChanged, &loop, [&](QMediaPlayer::PlaybackState state) {
        if (state == QMediaPlayer::PlayingState) started = true;
        if (state == QMediaPlayer::StoppedState && started) loop.quit();
    });
    // A sound that never reports its end still ends the wait: its length and a margin, or a
    // minute while the length is unknown.
    QObject::connect(&player, &QMediaPlayer::durationChanged, &limit, [&](qint64 ms) {
        if (ms > 0) limit.start(static_cast<int>(std::min<qint64>(ms + 2000, 3600 * 1000)));
    });
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, &loop, &QEventLoop::quit);
    limit.start(60 * 1000);
    player.setSource(QUrl::fromLocalFile(QString::fromStdString(file.string())));
    player.play();
    if (player.mediaStatus() != QMediaPlayer::InvalidMedia && player.error() == QMediaPlayer::NoError) loop.exec();
    player.stop();
}

bool RecordingSystem::OpenUrl(const QUrl& url) {
    opened.push_back(url);
    return openAnswer;
}

std::optional<QString> RecordingSystem::RunProgram(const ProgramRun& run) {
    runs.push_back(run);
    if (runErrors.empty()) return std::nullopt;
    const QString why = runErrors.front();
    runErrors.pop_front();
    if (why.isEmpty()) return std::nullopt;
    return why;
}

std::optional<QString> RecordingSystem::FindProgram(const QString& name) {
    for (const QString& p : onPath)
        if (p == name) return "/usr/bin/" + name;
    return std::nullopt;
}

void RecordingSystem::PlayWave(const std::filesystem::path& file) { waves.push_back(file); }

}  // namespace quill
