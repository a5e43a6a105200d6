#pragma once
// WindowTextEditor: the window text editor: a name and a rich-text box with its tools. OK saves
// the window text (a renamed or modified window text goes to the end of the data file); an
// empty box saves nothing.
#include <QDialog>
#include <memory>
#include <string>

namespace Ui {
class WindowTextEditor;
}

namespace quill {

struct AidsContext;
class RichTextEditor;

// Window name (its objectName): TRTFEntryForm.
class WindowTextEditor : public QDialog {
    Q_OBJECT
public:
    // `name` empty: a new window text; otherwise the window text of that name is loaded.
    WindowTextEditor(AidsContext& context, const std::string& name, QWidget* parent = nullptr);
    ~WindowTextEditor() override;

    RichTextEditor* Editor() const { return editor_; }
    const std::string& ColorText() const { return color_; }

    // Leaving the name field.
    void Edit1Exit();
    void OKBtnClick();

private:
    AidsContext& context_;
    std::unique_ptr<Ui::WindowTextEditor> ui_;
    RichTextEditor* editor_ = nullptr;
    std::string oldName_;
    std::string color_ = "clWhite";
};

// Opens the editor for a new window text (empty name) or the window text of that name; true
// when it was saved.
bool EditWindowText(AidsContext& context, const std::string& name, QWidget* parent = nullptr);

}  // namespace quill
