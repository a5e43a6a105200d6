#pragma once
// What the learner's presentation windows (the tutorial's about box, its introduction and its
// main menu) are given: the configuration record they show, the folder its file names are
// found in, and the services for messages and help. They never read authoring state, so the
// whole-tutorial preview and the runtime player show them alike.
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPalette>
#include <QRect>
#include <QString>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "project/config_record.h"
#include "screen/background_picture.h"
#include "screen/record_font.h"

namespace quill {

struct Platform;

}  // namespace quill

class QLabel;
class QWidget;

namespace quill {

struct LearnerScreenContext {
    const TTutorialConfig& config;
    std::filesystem::path projectDir;
    Platform& platform;
};

// Opens the tutorial's own help file (HelpOn with a file name) at its HelpTopic. A tutorial
// without one says so: the program's own manual is not the learner's help.
void ShowTutorialHelp(const LearnerScreenContext& context);
// Opens the help file `file` of the tutorial in `projectDir` at `topic`; an empty name says
// that the tutorial has no help, a name that leads outside the folder is refused.
void ShowTutorialHelpFile(Platform& platform, const std::filesystem::path& projectDir, const std::string& file,
                          int topic);

// Colours of the record (0x00BBGGRR) and back.
std::uint32_t RecordColour(const QColor& colour);

// A font as a font specification text (the record's font is read by FontOfRecordText,
// screen/record_font.h).
std::string SpecTextFromFont(const QFont& font, const QColor& colour);

// A widget ("ScreenArea") that paints a BackgroundPicture over its whole area.
QWidget* NewBackgroundWidget(const BackgroundPicture& background, QWidget* parent);

// Gives a widget a background colour of its own (the window, or a button's face).
void FillColour(QWidget* widget, const QColor& colour, QPalette::ColorRole role = QPalette::Window);

// A title, status or menu title bar: a raised panel with its text centred in the font of the
// font specification (which also gives the text colour) on the background colour.
QLabel* NewScreenBar(QWidget* parent, const char* name, const std::string& text, const std::string& fontSpec,
                     std::uint32_t background, QRect geometry);

}  // namespace quill
