#pragma once
// The services that stand in for the Windows ones, handed to every window together: message
// boxes, standard dialogs, help, and the program's own help file.
#include <filesystem>

#include "platform/dialogs.h"
#include "platform/help.h"
#include "platform/messages.h"

namespace quill {

struct Platform {
    Messages& messages;
    Dialogs& dialogs;
    Help& help;
    std::filesystem::path helpFile;  // the program's help file, HomeDir / "QUILLDESK.HLP"

    void ShowHelp(int topic) const { help.ShowTopic(helpFile, topic); }
};

// The program's help file in its home folder.
std::filesystem::path ProgramHelpFile(const std::filesystem::path& homeDir);

// The real services of the desktop program.
class DesktopPlatform {
public:
    explicit DesktopPlatform(const std::filesystem::path& homeDir);
    DesktopPlatform(const DesktopPlatform&) = delete;
    DesktopPlatform& operator=(const DesktopPlatform&) = delete;
    Platform& platform() { return platform_; }

private:
    HelpBrowser help_;
    DesktopMessages messages_;
    DesktopDialogs dialogs_;
    Platform platform_;
};

// The recorders together, for tests.
class RecordingPlatform {
public:
    explicit RecordingPlatform(const std::filesystem::path& homeDir = {})
        : platform_{messages, dialogs, help, ProgramHelpFile(homeDir)} {}
    RecordingPlatform(const RecordingPlatform&) = delete;
    RecordingPlatform& operator=(const RecordingPlatform&) = delete;
    Platform& platform() { return platform_; }

    RecordingMessages messages;
    RecordingDialogs dialogs;
    RecordingHelp help;

private:
    Platform platform_;
};

// The information box of a button whose window is not part of this build yet.
void ShowNotAvailable(Messages& messages, const QString& windowName);
QString NotAvailableText(const QString& windowName);

}  // namespace quill
