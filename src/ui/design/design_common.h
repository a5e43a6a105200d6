#pragma once
// Small pieces the presentation designers share: copying one group of the configuration record
// back from a dialog's copy, the colour dialog on a record colour, a colour sample, the file
// lists of the project folder and the "Find File" buttons that copy a chosen file in.
#include <QString>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "project/config_record.h"

class QDialog;
class QFont;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QWidget;

namespace quill {

class Project;
struct Platform;

// Copies bytes [base, base + size) of `from` into `to`.
void CopyGroup(TTutorialConfig& to, const TTutorialConfig& from, std::size_t base, std::size_t size);

// The colour dialog started on a record colour (0x00BBGGRR); the chosen colour, or nothing.
std::optional<std::uint32_t> ChooseRecordColour(Platform& platform, std::uint32_t initial, const QString& title);

// The font the font dialog starts on for a stored face: the face itself when it is installed,
// otherwise the installed face that stands in for it, in the stored size and styles (so the
// dialog shows the styles and does not fall back to its first face).
QFont FontDialogStart(const QFont& stored);
// The font specification after the font dialog: what the author changed from `offered` (the
// dialog's start) is taken from `chosen`; the stored face name, bold and italic stay when the
// author kept the face and style the dialog offered for them, and the colour always stays. A
// stored text that does not parse takes the chosen font in black.
std::string MergeFontChoice(const std::string& storedSpec, const QFont& offered, const QFont& chosen);

// Paints a label as a sample of a record colour.
void ShowColourSample(QWidget* sample, std::uint32_t colour);

// Fills the list with the project folder's files matching the masks ("*.BMP;*.JPG").
void FillFileList(QListWidget* list, const Project& project, const std::string& masks);

// "Find File": the open-file dialog with the filter; a file from outside the project folder is
// copied in when the author agrees ("Copy the file ... to the Project directory?"). Returns the
// field's new text: the chosen bare name, or `current` when nothing was chosen; a result that
// is not a valid file name becomes the first project file matching `mask`.
std::string FindFileIntoProject(const Project& project, Platform& platform, const QString& filter,
                                const std::string& current, const std::string& mask,
                                const QString& title = QStringLiteral("Find File"));

// The OK / Cancel / Help row of a designer: OK ("&OK") runs `ok`, which accepts the dialog when
// it returns true; Cancel ("&Cancel") rejects; Help opens the topic. F1 opens it too.
void WireDesignerButtons(QDialog* dialog, QDialogButtonBox* buttons, Platform& platform, int topic,
                         std::function<bool()> ok);

// Text of a line edit as Windows-1252, cut to the capacity.
std::string EditText(const QLineEdit* edit, std::size_t capacity);

}  // namespace quill
