#pragma once
// The title designers: one edit for a bar's text, shown in the bar's font, text colour and
// background colour, with "&New Font" (font dialog; the stored face and style stay unless the
// author picks others), "&Text Color" (the colour of the font specification) and
// "&Background" (colour dialog). MenuTitleDesigner
// designs the bars and the menu title of the main menu screen, ViewportTitleDesigner the title and
// status bars of the introduction. On OK the text (cut to its capacity), the font
// specification (cut to 50) and the colour are what the caller stores.
#include <QDialog>
#include <QString>
#include <cstdint>
#include <memory>
#include <string>

namespace Ui {
class TitleDesigner;
}

namespace quill {

struct Platform;

struct BarDesign {
    std::string text;
    std::string font;  // font specification
    std::uint32_t color = 0;
    bool operator==(const BarDesign&) const = default;
};

// Window name (its objectName): TTitleDesignForm.
class TitleDesigner : public QDialog {
    Q_OBJECT
public:
    TitleDesigner(Platform& platform, const QString& label, const BarDesign& design, std::size_t capacity,
                     int helpTopic, QWidget* parent = nullptr);
    ~TitleDesigner() override;
    // The values the dialog shows now.
    BarDesign Design() const;

    void FontBtnClick();
    void TextColorBtnClick();
    void ColorBtnClick();

private:
    void ShowSample();

    Platform& platform_;
    BarDesign design_;
    std::size_t capacity_;
    std::unique_ptr<Ui::TitleDesigner> ui_;
};

// Window name (its objectName): TMnuDesignTitleForm.
class MenuTitleDesigner : public TitleDesigner {
    Q_OBJECT
public:
    MenuTitleDesigner(Platform& platform, const QString& label, const BarDesign& design, std::size_t capacity,
                        int helpTopic, QWidget* parent = nullptr);
};

// Window name (its objectName): TVPDesignTitleForm.
class ViewportTitleDesigner : public TitleDesigner {
    Q_OBJECT
public:
    ViewportTitleDesigner(Platform& platform, const QString& label, const BarDesign& design, std::size_t capacity,
                       int helpTopic, QWidget* parent = nullptr);
};

}  // namespace quill
