#pragma once
// The screen objects: controls laid over the text screen, kept as data. The preview window
// turns them into widgets, the headless host draws them into its snapshots (RenderScreen).
// Every rectangle is in window pixels: the title offset in force when the object was made is
// already added to its top.
#include <QColor>
#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>
#include <QStringList>
#include <array>
#include <string>
#include <vector>

namespace quill {

// A clickable hypertext word: Courier New 10 pt, bold and underlined, sized to its text.
// A click performs the tutorial data file entry of source HYPER named by the text.
struct HyperLabel {
    QRect rect;
    QString text;
    QColor textColour, backColour;
    bool operator==(const HyperLabel&) const = default;
};

// A caption label 15 pixels high, text centred, Courier New 10 pt bold.
struct TextLabel {
    QRect rect;
    QString text;
    QColor textColour, backColour;
    bool operator==(const TextLabel&) const = default;
};

// A picture stretched to its rectangle. A click counts as a key.
struct Picture {
    QRect rect;
    QString file;  // the name as the chapter wrote it
    QImage image;
};

// Panel alignment codes of a panel box caption.
enum PanelAlignment : int { kAlignLeft = 0, kAlignRight = 1, kAlignCentre = 2 };

// A flat panel 34 pixels high with a caption (headings).
struct PanelBox {
    QRect rect;
    QString caption;
    QFont font;
    QColor textColour, backColour;
    int alignment = kAlignLeft;
    bool operator==(const PanelBox&) const = default;
};

// A menu button (tag 500 + number); a click answers askMenuButton() with its number.
struct MenuButton {
    int number = 0;  // 1-based
    QRect rect;
    QString caption;
    bool operator==(const MenuButton&) const = default;
};

// The rich-text panel (TextPnl): window texts. `lines` are the entry's lines as stored (rich
// text, Windows-1252); the preview window loads them into its rich-text box.
struct RichTextPanel {
    bool visible = false;
    QRect rect;
    QColor backColour;
    std::vector<std::string> lines;
};

// The full-screen picture (Image1), drawn at its natural size at the top left of the drawing
// area. A click counts as a key.
struct ScreenImage {
    bool visible = false;
    QString file;
    QImage image;
};

// ---- answer controls ----------------------------------------------------------------------

struct InputBox {  // UserInputEdit
    bool visible = false;
    QRect rect;
    int maxLength = 60;
};

struct ChoicePanel {  // TwoButtonPnl with LeftBitBtn and RightBitBtn
    bool visible = false;
    bool enabled = false;
    QRect rect;
    QString left, right;
    QRect leftButton, rightButton;  // 74 x 24, centred as a pair
};

struct ListMenu {  // ListMenuPanel with ListBox1
    bool visible = false;
    QRect rect;
    QStringList items;
    int selected = 0;
};

struct MemoBox {  // LinesPanel (typed lines, with an OK button) or DisplayPanel (read-only)
    bool visible = false;
    bool readOnly = false;
    QRect rect;
    QStringList lines;
};

struct QuizAnswer {  // QuizAns1..4: a number panel "A".."D" and a text panel
    int number = 0;  // 1..4
    QRect rect;      // the whole answer panel
    QString letter;  // "A".."D"
    QString text;
    QColor backColour;
};

struct AnswerControls {
    InputBox input;
    ChoicePanel choice;
    ListMenu list;
    MemoBox memo;     // LinesPanel
    MemoBox display;  // DisplayPanel
    std::vector<QuizAnswer> quiz;
};

// ---- frame --------------------------------------------------------------------------------

struct TitlePanel {  // TitlePnl, 34 pixels high above the drawing area
    bool visible = false;
    QString text;
    QFont font;
    QColor textColour, backColour;
};

// The control bar below the drawing area (32 pixels high) with its five buttons, indexed by
// ControlButton (host.h): Continue, Help, Quit, Page back, Utilities.
struct ControlBar {
    bool visible = false;
    QColor colour;
    std::array<QString, 5> legends;
    std::array<bool, 5> shown{};
};

}  // namespace quill
