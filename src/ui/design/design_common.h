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
