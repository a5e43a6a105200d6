#pragma once
// RichTextEditor: the rich-text box of the entry editors with its tools: font name, size and
// colour, bold, italic, underline, alignment, "&Import File", "&Select All Text", "Clear All
// &Text" and the background "Color". The text is read from and saved as the rich-text lines of
// a data-file entry; the background is a colour of the data file (0x00BBGGRR).
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QTextCharFormat;
class QTextEdit;

namespace Ui {
class RichTextEditor;
}

namespace quill {

struct Platform;

// The colours the colour box offers, by their names in the colour notation.
const QStringList& RichTextColorNames();
// The sizes the size box offers.
const QList<int>& RichTextSizes();

// What the whole selection has in common: empty names and sizes (and false flags) where the
// selection mixes them.
struct SelectionAttributes {
    bool bold = false, italic = false, underline = false;
    QString family;
    double pointSize = 0;  // 0: mixed
    QString colorName;     // empty: mixed or a colour without a name
    Qt::Alignment alignment = Qt::AlignLeft;
};
SelectionAttributes AttributesOfSelection(const QTextEdit& edit);

// Enter (or the keypad's Enter) in the field runs `action` and goes no further, so it never
// reaches the dialog's default button: in the middle of the work, Enter applies or moves on,
// and OK is the button that ends it.
void OnEnter(QWidget* field, std::function<void()> action);

class RichTextEditor : public QWidget {
    Q_OBJECT
public:
    RichTextEditor(Platform& platform, QWidget* parent = nullptr);
    ~RichTextEditor() override;

    QTextEdit* Edit() const;
    // Replaces the text with the rich-text lines.
    void SetLines(const std::vector<std::string>& lines);
    // The box saved as rich-text lines.
    std::vector<std::string> Lines() const;
    bool HasText() const;
    void SetBackground(std::uint32_t color);
    std::uint32_t Background() const { return background_; }

    // The tools (each acts on the selection, or on what is typed next).
    void SetBold(bool on);
    void SetItalic(bool on);
    void SetUnderline(bool on);
    void SetFamily(const QString& family);
    void SetPointSize(double points);
    void SetColorName(const QString& name);
    void SetAlignment(Qt::Alignment alignment);
    void ImportBtnClick();
    void BackColorBtnClick();

signals:
    void BackgroundChanged(std::uint32_t color);

private:
    void Merge(const QTextCharFormat& format);
    // The size typed or chosen in the size box, applied when it is one; otherwise the box
    // shows the selection's size again.
    void ApplySizeText(const QString& text);
    void ShowAttributes();

    Platform& platform_;
    std::unique_ptr<Ui::RichTextEditor> ui_;
    std::uint32_t background_ = 0x00FFFFFF;
    bool showing_ = false;
};

}  // namespace quill
