#pragma once
// EntryPerformer: performs the entries of the tutorial data file with this program's windows:
// text entries in the entry viewers, media in the media preview, programs through the program
// launcher, HTML pages through the desktop's handler and notes files in the notes editor. The
// preview window (hypertext words, Utilities), "*Execute" and the entry managers use it.
#include <QPoint>
#include <optional>
#include <string>
#include <string_view>

#include "datafile/perform_entry.h"
#include "host.h"

class QWidget;

namespace quill {

struct AidsContext;

class EntryPerformer : public EntryActions {
public:
    // Windows open over `parent`. `screenOrigin` is where the preview screen's top left corner
    // is on the desktop (the plain display is placed from it); without one, a 640 x 480 screen
    // centred on the desktop is assumed.
    explicit EntryPerformer(AidsContext& context, QWidget* parent = nullptr,
                            std::optional<QPoint> screenOrigin = std::nullopt);
    void SetScreenOrigin(QPoint origin) { screenOrigin_ = origin; }

    // Loads the entry (name, source) from the project's data file and performs it. False when
    // no such entry is defined; a file that cannot be read is reported in an error box.
    bool Perform(std::string_view source, const std::string& name);
    // The same for the player's entry kinds (PlayerHost::performEntry).
    bool Perform(EntrySource source, const QString& name);
    // The name of the entry performed last (the player keeps it as its current entry name).
    const std::string& CurrentEntryName() const { return currentName_; }

    void ShowTextEntry(TextDisplay display, const std::string& name, const TScreenBackground& settings,
                       const TextLines& text) override;
    void PreviewMedia(const std::string& name, const std::string& command) override;
    void LaunchProgram(int kind, const std::string& command) override;
    void OpenWithShell(const std::string& command) override;
    void OpenNotes(const std::string& notesFile) override;

private:
    QPoint ScreenOrigin() const;

    AidsContext& context_;
    QWidget* parent_;
    std::optional<QPoint> screenOrigin_;
    std::string currentName_;
};

}  // namespace quill
