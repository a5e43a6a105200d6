#pragma once
// TextScreen: the player's text screen. An 80-column grid of 8 x 17 pixel cells drawn in
// "Courier New" 10 pt on a 640 x 480 raster, the screen objects laid over it (as data), the
// answer controls, the title panel and the control bar. The interpreter decides what to draw
// and where; everything that waits or reaches outside goes through the PlayerHost.
//
// Text given to the screen is Windows-1252 bytes as read from the chapter.
// Columns and rows count from 1: column c starts at x = (c - 1) * 8, row r at y = (r - 1) * 17,
// inside the drawing area (the raster). Objects are placed on the window, their tops lowered by
// the title offset (34 while the title panel shows).
#include "engine_types.h"
#include <array>
#include <cstdint>
#include <climits>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "screen/design_surface.h"
#include "screen/glyph_masks.h"
#include "screen/screen_objects.h"

namespace quill {

class PlayerHost;
class TTutorialConfig;

// The colours of the screen, from the configuration record (LoadScreenColours).
struct ScreenColours {
    Colour back;        // ScreenBackColor
    Colour text;        // ScreenTextColor
    Colour hyper;       // HyperTextColor: hypertext words and labels
    Colour hyperBack;   // background of hypertext labels (ScreenBackColor)
    Colour titleBack;   // TitleBackColor
    Colour titleText;   // TitleTextColor
    Colour controlBar;  // ControlBarColor
    std::array<Colour, 26> table;  // colour codes 1..26
};

// Font style bits of the screen font.
enum ScreenStyle : int { kStyleBold = 1, kStyleItalic = 2, kStyleUnderline = 4 };

// The font style and colours drawing goes on with; changed by inline codes, kept after
// drawText returns. Saved and put back around waits and commands (RestoreFontAndBrush).
struct PenState {
    int style = 0;
    Colour text;
    Colour brush;
    bool operator==(const PenState&) const = default;
};

// Colour 0x00BBGGRR of the configuration record, the data file or a command, or a system colour
// 0x80000000 + index. The one conversion of a stored colour: the player, the designers and the
// teaching aids all paint with it.
Colour ColourFromRecord(std::uint32_t value);

// Length of display text without its two-character inline codes: each '~' with the character
// after it, then each '^' with the character after it, then each '@' with the character after
// it are removed, and what remains is counted. Used to centre text and size pop-up boxes.
int VisibleLength(std::string_view text);

// A time in tenths of a second as milliseconds, held within what one wait can take.
inline int TenthsToMs(int tenths) {
    const long long ms = tenths * 100LL;
    return ms > INT_MAX ? INT_MAX : ms < INT_MIN ? INT_MIN : static_cast<int>(ms);
}

enum class BoxKind { Plain, Rounded, Border, RoundedBorder };

class TextScreen {
public:
    static constexpr int kWidth = kDesignWidth, kHeight = kDesignHeight;
    static constexpr int kCellWidth = 8, kCellHeight = 17;
    static constexpr int kTitleHeight = 34, kControlBarHeight = 32;
    static constexpr int kSlowTickMs = 100;

    // The screen keeps a reference to the configuration record (colours, captions, headings)
    // and looks files up in the project folder (USER.DAT, pictures). The host may be null
    // (nothing waits, nothing is shown, nothing printed).
    TextScreen(const TTutorialConfig& config, std::filesystem::path projectDir,
               PlayerHost* host = nullptr);
    ~TextScreen();
    TextScreen(const TextScreen&) = delete;
    TextScreen& operator=(const TextScreen&) = delete;

    void setHost(PlayerHost* host) { host_ = host; }
    PlayerHost* host() const { return host_; }
    const std::filesystem::path& projectDir() const { return projectDir_; }
    // Where the learner's USER.DAT is looked for first (a tutorial installed read-only).
    void setLearnerDir(std::filesystem::path dir) { learnerDir_ = std::move(dir); }

    static constexpr int ColumnToX(int column) { return (column - 1) * kCellWidth; }
    static constexpr int RowToY(int row) { return (row - 1) * kCellHeight; }

    // ---- state ---------------------------------------------------------------------------
    // The raster of the drawing area (640 x 480, RGB32).
    const Image& image() const { return image_; }
    int column() const { return column_; }
    int row() const { return row_; }
    void setColumn(int column) { column_ = column; }
    void setRow(int row) { row_ = row; }
    int titleOffset() const { return titleOffset_; }
    bool slowTyping() const { return slowTyping_; }
    void setSlowTyping(bool on) { slowTyping_ = on; }
    int hypertextCount() const { return hypertextCount_; }
    const ScreenColours& colours() const { return colours_; }
    // Link colours (the link colour command): hypertext words and the labels' background.
    void setLinkColours(const Colour& text, const Colour& back);

    PenState penState() const { return pen_; }
    // Gives the screen the saved font style and colours (also to set them for a command).
    void restoreFontAndBrush(const PenState& saved) { pen_ = saved; }
    // The screen font without styles (the colours stay).
    void resetScreenFont() { pen_.style = 0; }
    // The colour of a colour code: 1..26 the colour table; otherwise (0, 27) the screen
    // background, except that a text colour of code 27 (Default) is the screen text colour.
    Colour backColour(int code) const;
    Colour textColour(int code) const;
#ifndef QUILL_NO_QT
    // The font used for a style (Courier New 10 pt with those style bits).
    const Font& screenFont(int style = 0) const;
#endif

    // ---- text ----------------------------------------------------------------------------
    // Draws text with its inline codes from the cell (column, row). Throws IoError when a
    // learner variable is drawn and USER.DAT exists but cannot be read.
    void drawText(int column, int row, std::string_view text);
    // Draws the characters as they stand (no inline codes, no slow typing) in the current
    // font and colours: fill-in letters, learner answers, blinking text.
    void drawPlain(int column, int row, std::string_view text);
    // Draws the line at the current column and row, then moves one row down.
    void drawPendingLine(std::string_view text);
    // Clears the screen with colour code n and resets the screen state, the control bar and
    // every screen object.
    void clearScreen(int colourCode);
    void loadScreenColours();
    void removeScreenObjects();
    void resetControlBar();
    // Asks through the host and prints the lines.
    void printLines(const TextList& lines, const Text& question);

    // ---- frame ---------------------------------------------------------------------------
    const TitlePanel& title() const { return title_; }
    // Shows the title panel (title offset 34) and fills the drawing area with the current
    // background colour.
    void showTitle(std::string_view text, const Colour& textColour, const Colour& backColour);
    ControlBar& controlBar() { return controlBar_; }
    const ControlBar& controlBar() const { return controlBar_; }

    // ---- screen objects ------------------------------------------------------------------
    // Positions in drawing-area pixels; the title offset is added here.
    void addHyperLabel(int x, int y, const Text& text, const Colour& textColour,
                       const Colour& backColour);
    void addTextLabel(int x, int y, int width, const Text& text, const Colour& textColour,
                      const Colour& backColour);
    // Loads the picture; returns false (and adds nothing) when it cannot be read.
    bool addPicture(int x, int y, int width, int height, const std::filesystem::path& file,
                    const Text& name);
    // A panel box from start column and row already lowered by one, and the end column:
    // left = column * 8, top = row * 17, width = (end column - column) * 8, 34 high.
    void addPanelBox(int column, int row, int endColumn, const Text& caption, const Font& font,
                     const Colour& textColour, const Colour& backColour, int alignment);
    struct MenuButtonPlace {
        int left = 0, top = 0, width = 0;  // drawing-area pixels
        Text caption;
    };
    // Up to 30 menu buttons, numbered from 1 in the order given.
    void addMenuButtons(const std::vector<MenuButtonPlace>& buttons);

    const std::vector<HyperLabel>& hyperLabels() const { return hyperLabels_; }
    const std::vector<TextLabel>& textLabels() const { return textLabels_; }
    const std::vector<Picture>& pictures() const { return pictures_; }
    const std::vector<PanelBox>& panelBoxes() const { return panelBoxes_; }
    const std::vector<MenuButton>& menuButtons() const { return menuButtons_; }
    const RichTextPanel& richText() const { return richText_; }
    const ScreenImage& screenImage() const { return screenImage_; }
    const AnswerControls& answers() const { return answers_; }

    // ---- answer controls (shown by the player before it asks the host) -------------------
    // The input box at the current column and row (32 pixels lower with the title panel),
    // width cells wide (30 when negative).
    void showInputBox(int widthCells);
    void hideInputBox();
    // The two-button panel at the current column and row, width cells wide but at least 176
    // pixels, enabled. disableChoice() leaves it shown but disabled, as after an answer.
    void showChoice(const Text& left, const Text& right, int widthCells);
    void disableChoice();
    // The list menu over the cells from (c1, r1) to (c2, r2) inclusive, first item selected.
    void showListMenu(int c1, int r1, int c2, int r2, const TextList& items);
    void hideListMenu();
    // The memo box at the current column and row, width + 1 columns and depth + 1 lines.
    // read-only: the display panel showing a file's lines; otherwise the lines panel.
    void showMemo(int width, int depth, const TextList& lines, bool readOnly);
    void hideMemo(bool readOnly);
    // The quiz answer panels (2 to 4) from the row down, 24 pixels apart, at the current
    // column, in the current background colour.
    void showQuizAnswers(int row, const TextList& texts);
    void hideQuizAnswers();

    // ---- display commands ----------------------------------------------------------------
    // The heading command: checks the place, finds the heading style of that name (the last of
    // the ten that matches, upper-cased) and draws the heading as a panel box between the
    // column and the end column; the current row becomes row + 3. Returns the error message
    // (Windows-1252; `line` is the command line for messages) or nothing.
    std::optional<std::string> heading(std::string_view name, int column, int row, int endColumn,
                                       std::string_view text, std::string_view line);
    // The rich-text panel over the rectangle of cells.
    void showRichText(int c1, int r1, int c2, int r2, const Colour& backColour,
                      std::vector<std::string> lines);
    // Blinks the literal text count times (250 ms each way) and leaves it drawn. `round` is
    // asked before each round; when it returns false the blinking ends there (the player counts
    // rounds as steps and checks for a stop request through it).
    void blink(int column, int row, int count, const Colour& textColour,
               const Colour& backColour, std::string_view text,
               const std::function<bool()>& round = {});
    // Fills the cells from column to end column with the background and centres the text
    // (inline codes honoured) in them.
    void centreText(int column, int row, int endColumn, const Colour& textColour,
                    const Colour& backColour, std::string_view text);
    // A line from (x(column), y(row)) to (x(column), y(end)) or (x(end), y(row)).
    void drawLine(bool vertical, int column, int row, int end, int width, const Colour& colour);
    // A box from (x(c1), y(r1)) to (x(c2), y(r2)); the border kinds use the border pen, the
    // others the screen's pen (black, 1 pixel).
    void drawBox(BoxKind kind, int c1, int r1, int c2, int r2, const Colour& fill,
                 int borderWidth = 1, const Colour& borderColour = Colour(0, 0, 0));
    // The timed pop-up box: grows to fit the lines, draws them, waits the display time (in
    // tenths of a second; a key or click ends it early) and puts the screen back.
    void popup(BoxKind kind, int c1, int r1, int c2, int r2, const std::vector<std::string>& lines,
               const Colour& fill, int tenths, int borderWidth = 1,
               const Colour& borderColour = Colour(0, 0, 0));
    void clearRow(int column, int row, int endColumn, const Colour& colour);
    void clearSection(int c1, int r1, int c2, int r2, const Colour& colour);
    void copySection(int c1, int r1, int c2, int r2, int targetColumn, int targetRow);
    void moveSection(int c1, int r1, int c2, int r2, int targetColumn, int targetRow,
                     const Colour& colour);
    // The full-screen picture. A missing file shows "The Image file " + file + " was not
    // found" through the host and returns false; a picture that cannot be read shows why.
    bool showScreenImage(std::string_view file);
    // A picture at the cell (column, row): with an end column above 0, scaled to the cells
    // from column to end column - 1 keeping its proportions, else its natural size.
    bool showImage(int column, int row, int endColumn, std::string_view file);
    void imageLabel(int column, int row, int endColumn, const Colour& textColour,
                    const Colour& backColour, std::string_view text);
    // A hypertext label at the cell; `text` still has its '|' marks, which are dropped.
    void imageHypertext(int column, int row, const Colour& textColour, const Colour& backColour,
                        std::string_view text);

    // Copies of the whole raster, taken and put back (pop-ups, copy and move section).
    Image copyRaster() const { return image_.copy(); }
    void restoreRaster(const Image& copy);

    // The characters standing on the raster, row by row from the top, as a screen reader reads
    // them: each row's text with its trailing blanks dropped, blank rows left out. A fill or a
    // box drawn over characters removes them; pictures and boxes themselves are not text.
    Text visibleText() const;

private:
    class Painter;

    void fillCells(int x, int y, int width, int height, const Colour& colour);
    // The text layer behind visibleText(): one byte a cell (0: no character), kept in step
    // with the raster by the drawing operations.
    static constexpr int kTextColumns = kWidth / kCellWidth, kTextRows = kHeight / kCellHeight + 1;
    void putCell(int x, int y, unsigned char byte);
    void clearCells(const Rect& pixels);
    // Puts the cells of `source` (pixels) in `from` at the target, as the raster's copy does.
    void pasteCells(const std::vector<unsigned char>& from, const Rect& source, int targetX, int targetY);
    void drawLiteral(int x, int y, std::string_view text, const PenState& pen);
    Rect placed(int x, int y, int width, int height) const;
    void reportError(const Text& text) const;
    // USER.DAT: the learner folder's when it has one, else the project folder's; nullopt when
    // the name leads outside the folder.
    std::optional<std::filesystem::path> userFile() const;
    std::optional<Image> loadPicture(std::string_view file, std::filesystem::path* path);

    const TTutorialConfig& config_;
    std::filesystem::path projectDir_;
    std::filesystem::path learnerDir_;
    PlayerHost* host_;
    const GlyphMasks* masks_;  // shared by every screen, made once
    Image image_;
    std::vector<unsigned char> cells_ = std::vector<unsigned char>(kTextColumns * kTextRows, 0);

    int column_ = 1, row_ = 1;
    int titleOffset_ = 0;
    bool slowTyping_ = false;
    int hypertextCount_ = 0;
    ScreenColours colours_;
    PenState pen_;

    std::vector<HyperLabel> hyperLabels_;
    std::vector<TextLabel> textLabels_;
    std::vector<Picture> pictures_;
    std::vector<PanelBox> panelBoxes_;
    std::vector<MenuButton> menuButtons_;
    RichTextPanel richText_;
    ScreenImage screenImage_;
    AnswerControls answers_;
    TitlePanel title_;
    ControlBar controlBar_;
};

}  // namespace quill
