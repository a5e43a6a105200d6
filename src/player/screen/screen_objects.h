#pragma once
// The screen objects: controls laid over the text screen, kept as data. The preview window
// turns them into widgets, the headless host draws them into its snapshots (RenderScreen).
// Every rectangle is in window pixels: the title offset in force when the object was made is
// already added to its top.
#include "engine_types.h"
#include <array>
#include <string>
#include <vector>

namespace quill {

// A clickable hypertext word: Courier New 10 pt, bold and underlined, sized to its text.
// A click performs the tutorial data file entry of source HYPER named by the text.
struct HyperLabel {
    Rect rect;
    Text text;
    Colour textColour, backColour;
    bool operator==(const HyperLabel&) const = default;
};

// A caption label 15 pixels high, text centred, Courier New 10 pt bold.
struct TextLabel {
    Rect rect;
    Text text;
    Colour textColour, backColour;
    bool operator==(const TextLabel&) const = default;
};

// A picture stretched to its rectangle. A click counts as a key.
struct Picture {
    Rect rect;
    Text file;  // the name as the chapter wrote it
    Image image;
};

// Panel alignment codes of a panel box caption.
enum PanelAlignment : int { kAlignLeft = 0, kAlignRight = 1, kAlignCentre = 2 };

// A flat panel 34 pixels high with a caption (headings).
struct PanelBox {
    Rect rect;
    Text caption;
    Font font;
    Colour textColour, backColour;
    int alignment = kAlignLeft;
    bool operator==(const PanelBox&) const = default;
};

// A menu button (tag 500 + number); a click answers askMenuButton() with its number.
struct MenuButton {
    int number = 0;  // 1-based
    Rect rect;
    Text caption;
    bool operator==(const MenuButton&) const = default;
};

// The rich-text panel (TextPnl): window texts. `lines` are the entry's lines as stored (rich
// text, Windows-1252); the preview window loads them into its rich-text box.
struct RichTextPanel {
    bool visible = false;
    Rect rect;
    Colour backColour;
    std::vector<std::string> lines;
};

// The full-screen picture (Image1), drawn at its natural size at the top left of the drawing
// area. A click counts as a key.
struct ScreenImage {
    bool visible = false;
    Text file;
    Image image;
};

// ---- answer controls ----------------------------------------------------------------------

struct InputBox {  // UserInputEdit
    bool visible = false;
    Rect rect;
    int maxLength = 60;
};

struct ChoicePanel {  // TwoButtonPnl with LeftBitBtn and RightBitBtn
    bool visible = false;
    bool enabled = false;
    Rect rect;
    Text left, right;
    Rect leftButton, rightButton;  // 74 x 24, centred as a pair
};

struct ListMenu {  // ListMenuPanel with ListBox1
    bool visible = false;
    Rect rect;
    TextList items;
    int selected = 0;
};

struct MemoBox {  // LinesPanel (typed lines, with an OK button) or DisplayPanel (read-only)
    bool visible = false;
    bool readOnly = false;
    Rect rect;
    TextList lines;
};

struct QuizAnswer {  // QuizAns1..4: a number panel "A".."D" and a text panel
    int number = 0;  // 1..4
    Rect rect;      // the whole answer panel
    Text letter;  // "A".."D"
    Text text;
    Colour backColour;
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
    Text text;
    Font font;
    Colour textColour, backColour;
};

// The control bar below the drawing area (32 pixels high) with its five buttons, indexed by
// ControlButton (host.h): Continue, Help, Quit, Page back, Utilities.
struct ControlBar {
    bool visible = false;
    Colour colour;
    std::array<Text, 5> legends;
    std::array<bool, 5> shown{};
};

}  // namespace quill
