#pragma once
// The Instructions menu and the reader window it opens for the instruction files.
#include <QDialog>
#include <QPrinter>
#include <filesystem>
#include <memory>

#include "platform/dialogs.h"

class QTextEdit;

namespace Ui {
class InstructionsMenu;
class InstructionReader;
}  // namespace Ui

namespace quill {

struct Platform;

// InstructionsMenu: "How to Design a Tutorial", "Quillmark Step-by-Step Instructions", "&Close".
// The menu hides itself while a reader is open.
// Window name (its objectName): TInstructForm.
class InstructionsMenu : public QDialog {
    Q_OBJECT
public:
    InstructionsMenu(const std::filesystem::path& homeDir, Platform& platform, QWidget* parent = nullptr);
    ~InstructionsMenu() override;
    // Opens the instruction file of that name from the home folder in a reader, or says that it
    // is missing.
    void OpenInstructions(const char* fileName);

private:
    std::filesystem::path homeDir_;
    Platform& platform_;
    std::unique_ptr<Ui::InstructionsMenu> ui_;
};

// InstructionReader: shows one instruction file; its menu finds, prints and quits.
// Window name (its objectName): TReadForm.
class InstructionReader : public QDialog {
    Q_OBJECT
public:
    InstructionReader(const std::filesystem::path& file, Platform& platform, QWidget* parent = nullptr);
    ~InstructionReader() override;
    QTextEdit* Text() const;

    // The find dialog stays open; each "&Find Next" searches on from the last hit. F3 searches
    // again for the last text without the dialog.
    void FindClick();
    void FindAgainClick();
    void PrintClick();
    void PrinterSetupClick();

private:
    // Selects the next occurrence of the last search after the selection; beeps when none.
    bool FindNext();

    Platform& platform_;
    std::unique_ptr<Ui::InstructionReader> ui_;
    FindRequest lastSearch_;
    QPrinter printer_;
};

}  // namespace quill
