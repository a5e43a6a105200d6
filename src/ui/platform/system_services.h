#pragma once
// The outside services the teaching aids reach: opening a document or web page with the
// desktop's handler, running another program and waiting for it, finding a program on the
// PATH, and playing a wave sound to its end. Windows use a SystemServices object they are
// given, so a test can put a RecordingSystem in its place.
#include <QString>
#include <QStringList>
#include <QUrl>
#include <deque>
#include <filesystem>
#include <optional>
#include <vector>

#include "platform/start_consent.h"

namespace quill {

// One program to run: the program (a path or a name found on the PATH), its arguments and the
// folder it runs in.
struct ProgramRun {
    QString program;
    QStringList arguments;
    std::filesystem::path workingDir;
    bool operator==(const ProgramRun&) const = default;
};

class SystemServices {
public:
    virtual ~SystemServices() = default;
    // Opens the URL (a local file or a web page) with the desktop's handler; false when there
    // is none or it refused.
    virtual bool OpenUrl(const QUrl& url) = 0;
    // Starts the program and returns when it has ended (or the application is quitting),
    // processing events meanwhile so the windows repaint. Returns an error text when the
    // program could not be started, nullopt otherwise.
    virtual std::optional<QString> RunProgram(const ProgramRun& run) = 0;
    // The full path of an executable found on the PATH.
    virtual std::optional<QString> FindProgram(const QString& name) = 0;
    // True when the machine has an audio output to play sounds on.
    virtual bool HasAudioOutput() = 0;
    // Plays the wave file and returns when it has finished, processing events meanwhile.
    virtual void PlayWave(const std::filesystem::path& file) = 0;

    // Whether the learner allows what a tutorial wants to start; every program and document a
    // tutorial names passes this before RunProgram or OpenUrl.
    StartConsent consent;
};

// The real services: QDesktopServices, QProcess, QStandardPaths and Qt Multimedia.
class DesktopSystem : public SystemServices {
public:
    bool OpenUrl(const QUrl& url) override;
    std::optional<QString> RunProgram(const ProgramRun& run) override;
    std::optional<QString> FindProgram(const QString& name) override;
    bool HasAudioOutput() override;
    void PlayWave(const std::filesystem::path& file) override;
};

// Records every request. Opening a URL answers `openAnswer`; programs "run" at once and answer
// from `runErrors` (an empty queue or text: started fine); FindProgram finds the names in `onPath`;
// `audioOutput` says whether there is a sound device.
class RecordingSystem : public SystemServices {
public:
    bool OpenUrl(const QUrl& url) override;
    std::optional<QString> RunProgram(const ProgramRun& run) override;
    std::optional<QString> FindProgram(const QString& name) override;
    bool HasAudioOutput() override { return audioOutput; }
    void PlayWave(const std::filesystem::path& file) override;

    std::vector<QUrl> opened;
    bool openAnswer = true;
    std::vector<ProgramRun> runs;
    std::deque<QString> runErrors;  // an empty text: started fine
    std::vector<QString> onPath;  // "wine" makes Windows programs runnable
    bool audioOutput = true;
    std::vector<std::filesystem::path> waves;
};

}  // namespace quill
