#pragma once
// The rules of the teaching aids windows, kept apart from the widgets so that they can be
// tested without a window: what each entry manager shows and enables, the links a chapter
// names, the state of the entry editors and what each of their saves writes, the window text
// save, the heading names, the text window's place on the design surface and the cell
// coordinates of the window text viewer.
#include <QRect>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "datafile/data_file.h"

namespace quill {

class TTutorialConfig;

// --- Teaching aids menu -------------------------------------------------------------------

struct ToolChoice {
    int tag;           // 1..6
    const char* name;  // object name of the radio button
    QString caption;
    int helpContext;   // what "Information" shows
};
// The six tools of the menu in tag order.
const std::vector<ToolChoice>& ToolChoices();
// The help context "Information" shows for a tag (0: none chosen).
int ToolHelpContext(int tag);

// --- Entry managers -----------------------------------------------------------------------

struct ManagerSpec {
    std::string_view source;
    QString windowName;
    QString groupCaption;
    QString viewCaption, deleteCaption, modifyCaption, defineCaption;  // define empty: none
    QString viewPrompt, modifyPrompt;
    int helpContext;
};
// The manager of a source value ("HYPER", "EXECUTE", "UTILITY", "WINTEXT").
const ManagerSpec& ManagerSpecFor(std::string_view source);

struct ManagerButtons {
    bool view = false, remove = false, modify = false, define = true;
    bool operator==(const ManagerButtons&) const = default;
};
// View, Delete and Modify are enabled exactly when the data file holds an entry of the source.
ManagerButtons ManagerButtonsFor(const std::filesystem::path& dataFile, std::string_view source);

inline constexpr const char* kDeletePrompt = "Select an Entry to delete";
// The question before an entry is deleted.
QString DeleteQuestion(const QString& name);
// What the author is told when the deleted entry had no closing "]" line.
QString DamagedEntryDeletedText(const QString& name);

// Sets UtilitiesOn from the utilities in the data file; true when the record changed.
bool SyncUtilitiesOn(TTutorialConfig& config, const std::filesystem::path& dataFile);

// --- Define HyperText ---------------------------------------------------------------------

struct HyperLinkScan {
    QStringList links;   // in order of appearance, duplicates kept
    QStringList errors;  // one message per line with an unclosed marker
};
// The links between "|" markers of the chapter's lines.
HyperLinkScan FindHyperLinks(const QStringList& lines);

// The compiled data image keeps a header line of at most 60 characters, brackets included.
inline constexpr int kMaxEntryNameLength = 58;
// The refusal of a name the compiled data image cannot hold, or (source "HYPER") a phrase
// longer than the player reads of a hypertext link; nullopt when the name fits.
std::optional<QString> EntryNameLengthError(const std::string& name, std::string_view source);

// --- Hypertext, executable and utility entry editors --------------------------------------

// The type code each radio button stands for: RadioButton1 .. RadioButton9.
inline constexpr int kRadioTypes[9] = {1, 2, 3, 4, 5, 6, 7, 8, 13};
// The radio button (1..9) of a type code; the external types 4, 9 and 10 share RadioButton4.
int RadioOfType(int type);

struct EntryDraft {
    std::string source;   // "HYPER", "EXECUTE" or "UTILITY"
    std::string name;     // the entry's name
    std::string oldName;  // the name of the entry being modified
    bool modifying = false;
    int selectedType = etTextOnly;
    int definedType = 0;  // the type whose Add dialog was last completed
    std::string command;
    // The parts of the command, kept to preload the Add dialogs.
    std::string graphicFile, graphicOption, soundFile, program, videoFile, midiFile;
    TextLines text;
    TScreenBackground screen;
    bool operator==(const EntryDraft&) const = default;
};

// A draft for a new entry of that name.
EntryDraft NewEntryDraft(std::string_view source, const std::string& name);
// The draft of the loaded entry lines (LoadEntry) of an existing entry.
EntryDraft DraftOfEntry(std::string_view source, const TextLines& entry);
// A new draft when no entry (name, source) exists, otherwise the existing entry's.
EntryDraft OpenEntryDraft(const std::filesystem::path& dataFile, std::string_view source, const std::string& name);

// What an Add dialog that ended with OK gives: the type and command, stored with its parts.
void DefineCommand(EntryDraft& draft, int type, const std::string& command);
// A text type's rich-text editor ended with OK.
void DefineText(EntryDraft& draft, int type, const TextLines& text, const TScreenBackground& screen);
// A radio button was clicked.
void SelectRadio(EntryDraft& draft, int radio);

struct SaveResult {
    bool saved = false;
    QString error;           // shown in an error box; empty with a silent refusal
    bool focusName = false;  // the error concerns the name field
};
// The save of the entry editors. `typedName` is the name field's text, taken as the entry's
// name only when a new program entry is defined (`nameEditable`). Writes the data file when
// every check passes.
SaveResult SaveEntryDraft(const std::filesystem::path& dataFile, EntryDraft& draft, bool nameEditable,
                          const std::string& typedName);

// The help context of the executables and utilities editor.
int ProgramEditorHelp(std::string_view source, bool defining);

// --- Window texts --------------------------------------------------------------------------

inline constexpr int kMaxWindowTextName = 30;
// Leaving the name field: "That name is already in use" when another window text has the
// name (the entry being modified may keep its own).
std::optional<QString> WindowTextNameError(const std::filesystem::path& dataFile, const std::string& name,
                                           const std::string& oldName);
struct WindowTextDraft {
    std::string name;
    std::string oldName;  // empty for a new window text
    std::string color;    // colour notation
    TextLines lines;      // the box as rich-text lines; empty: nothing typed
};
// OK of the window text editor: refuses an empty name or one in use; an empty box saves
// nothing; otherwise the old entry is removed and the new one appended.
SaveResult SaveWindowText(const std::filesystem::path& dataFile, const WindowTextDraft& draft);

// "Show Coordinates": the panel's rectangle in screen cells (8 x 17 pixels).
QString CellCoordinatesText(const QRect& panel);

// --- Text window placement ----------------------------------------------------------------

// The adjust window's panel on the 640 x 480 design surface: the text window's rectangle with
// the 16 pixels of the panel's caption strip added to its height; and back.
QRect AdjustPanelRect(const TScreenBackground& screen);
void StoreAdjustPanelRect(TScreenBackground& screen, const QRect& panel);
// The viewport adjuster's panel on the designed screen is the text window's rectangle itself.
QRect ViewportPanelRect(const TScreenBackground& screen);
void StoreViewportPanelRect(TScreenBackground& screen, const QRect& panel);

// --- Headings -------------------------------------------------------------------------------

inline constexpr int kMaxHeadingName = 10;
// Leaving a heading name field: the refusal, or nullopt when the name may be stored.
std::optional<QString> HeadingNameError(const QString& name);

}  // namespace quill
