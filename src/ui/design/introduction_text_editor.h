#pragma once
// IntroductionTextEditor: the introduction's text: a rich-text editor with a font group (name, size,
// colour, bold, italic) applied to the selection, "&Select All Text", "Clear All &Text", the
// text window's background colour, "&Import File" (rich or plain text), "&Design Introduction
// Screen" and "&View". OK writes the text into the data file as the introduction (as RTF) and
// EditIntroduction writes the design into the record.
#include <QDialog>
#include <memory>
#include <string>
#include <vector>

#include "project/config_record.h"

class QTextEdit;

namespace Ui {
class IntroductionTextEditor;
}

namespace quill {

class Project;
struct Platform;

// The font sizes offered, and the sixteen standard colours with the window-text colour last.
const std::vector<int>& IntroFontSizes();
struct NamedColour {
    const char* name;
    std::uint32_t value;  // 0x00BBGGRR
};
const std::vector<NamedColour>& IntroTextColours();

// Window name (its objectName): TIntroEntryForm.
class IntroductionTextEditor : public QDialog {
    Q_OBJECT
public:
    // Reads the introduction from the project's data file (an absent file or introduction
    // gives an empty text). With `text`, the dialog edits that text instead and OK writes
    // nothing to the data file: its caller keeps the text (TextLines) and stores it later.
    IntroductionTextEditor(const Project& project, Platform& platform, const TTutorialConfig& record,
                    QWidget* parent = nullptr, const std::vector<std::string>* text = nullptr);
    ~IntroductionTextEditor() override;
    const TTutorialConfig& Record() const { return copy_; }
    QTextEdit* Editor() const;
    // The text as the data file stores it.
    std::vector<std::string> TextLines() const;

    void ImportBtnClick();
    void BackColorBtnClick();
    void DesignBtnClick();
    void ViewBtnClick();
    // OK: writes the introduction into the data file; a failed write is reported and the
    // dialog stays open with the text.
    bool OkBtnClick();

private:
    void ShowBackground();
    void ShowSelectionFormat();

    const Project& project_;
    Platform& platform_;
    TTutorialConfig copy_;
    bool holdsText_ = false;
    std::unique_ptr<Ui::IntroductionTextEditor> ui_;
};

// Shows the introduction editor; true when the author pressed "&OK" (the text is then in the
// data file and the introduction design in `record`).
bool EditIntroduction(const Project& project, Platform& platform, TTutorialConfig& record, QWidget* parent = nullptr);
// The same on a text the caller holds: on "&OK" the edited text is in `text` (nothing is
// written to the data file) and the design in `record`.
bool EditIntroduction(const Project& project, Platform& platform, TTutorialConfig& record,
                      std::vector<std::string>& text, QWidget* parent = nullptr);

}  // namespace quill
