#pragma once
// RichTextEntryEditor: the rich-text entry editor of the text types of a hypertext, executable or
// utility entry. Mode 1 ("Text Only") places the text window with the adjust window, mode 2
// ("Graphic and Text") designs the display screen. "&View" shows the text as the player
// would. OK takes the box's text (an empty box keeps the text as it was) and the settings.
#include <QDialog>
#include <memory>
#include <string>
#include <vector>

#include "datafile/screen_background.h"

namespace Ui {
class RichTextEntryEditor;
}

namespace quill {

struct AidsContext;
class RichTextEditor;

// Window name (its objectName): THypEntryForm.
class RichTextEntryEditor : public QDialog {
    Q_OBJECT
public:
    RichTextEntryEditor(AidsContext& context, const TScreenBackground& settings, const std::vector<std::string>& text,
                  int mode, QWidget* parent = nullptr);
    ~RichTextEntryEditor() override;

    RichTextEditor* Editor() const { return editor_; }
    const TScreenBackground& Settings() const { return settings_; }
    const std::vector<std::string>& Text() const { return text_; }

    void ViewBtnClick();
    void AdjustBtnClick();
    void OKBtnClick();

private:
    AidsContext& context_;
    std::unique_ptr<Ui::RichTextEntryEditor> ui_;
    RichTextEditor* editor_ = nullptr;
    TScreenBackground settings_;
    std::vector<std::string> text_;
    int mode_;
};

// Runs the editor; true when it was closed with OK (settings and text are then updated).
bool EditRichTextEntry(AidsContext& context, TScreenBackground& settings, std::vector<std::string>& text, int mode,
                       QWidget* parent);

}  // namespace quill
