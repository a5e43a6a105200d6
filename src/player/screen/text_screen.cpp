#include "screen/text_screen.h"
#include "project/tutorial_folder.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <system_error>

#include "host.h"
#include "project/config_record.h"
#include "project/font_spec.h"
#include "project/user_record.h"
#include "project/project_path.h"
#include "script/command_operands.h"
#include "screen/picture_reader.h"
#include "screen/raster_ops.h"
#include "text/cp1252.h"
#include "text/file_lookup.h"
#include "text_codec.h"

namespace quill {

Colour ColourFromRecord(std::uint32_t value) {
    // A system colour (clScrollBar .. clInfoBk, 0x80000000 + index) takes the classic Windows
    // default, so a record looks the same on every desktop.
    static constexpr std::uint32_t kSystem[25] = {
        0xC0C0C0, 0x008080, 0x000080, 0x808080, 0xC0C0C0, 0xFFFFFF, 0x000000, 0x000000, 0x000000,
        0xFFFFFF, 0xC0C0C0, 0xC0C0C0, 0x808080, 0x000080, 0xFFFFFF, 0xC0C0C0, 0x808080, 0x808080,
        0x000000, 0xC0C0C0, 0xFFFFFF, 0x000000, 0xC0C0C0, 0x000000, 0xFFFFE1};
    const std::uint32_t index = value & 0x00FFFFFFu;
    if ((value & 0xFF000000u) == 0x80000000u && index < std::size(kSystem)) return Colour::fromRgb(kSystem[index]);
    return Colour(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

int VisibleLength(std::string_view text) {
    std::string s(text);
    for (char mark : {'~', '^', '@'}) {
        std::string out;
        out.reserve(s.size());
        for (std::size_t i = 0; i < s.size(); ++i) {
            if (s[i] == mark) {
                ++i;  // the mark and the character after it
                continue;
            }
            out += s[i];
        }
        s.swap(out);
    }
    return static_cast<int>(s.size());
}

// ---- drawing ------------------------------------------------------------------------------

namespace {

RasterView ViewOf(Image& image) {
    return {reinterpret_cast<std::uint32_t*>(image.bits()), image.bytesPerLine() / 4, image.width(), image.height()};
}

RasterView ViewOf(const Image& image) {
    return {const_cast<std::uint32_t*>(reinterpret_cast<const std::uint32_t*>(image.constBits())),
            image.bytesPerLine() / 4, image.width(), image.height()};
}

// A colour as the raster's pixel; a colour that is not valid draws nothing.
std::uint32_t PixelOf(const Colour& colour) {
    return colour.isValid() ? (std::uint32_t(colour.alpha()) << 24) | (colour.rgb() & 0x00FFFFFFu) : 0u;
}

}  // namespace

// Drawing on the raster for the length of one operation. Text is collected as runs of
// characters drawn next to each other in one pen, each flushed as one fill of its cells and
// then its glyphs' pixels, straight into the image. Other drawing takes the raster from raster().
class TextScreen::Painter {
public:
    explicit Painter(TextScreen& screen) : screen_(screen) {}
    ~Painter() { end(); }

    RasterView raster() {
        flush();
        return ViewOf(screen_.image_);
    }

    void begin() {}
    void end() { flush(); }

    // One character cell at (x, y) in the pen.
    void put(int x, int y, unsigned char byte, const PenState& pen) {
        // Text beyond the edges draws nothing visible (drawing never wraps).
        if (x <= -8 || x >= kWidth || y <= -17 || y >= kHeight) return;
        screen_.putCell(x, y, byte);
        if (count_ > 0 && (y != y_ || x != x_ + 8 * count_ || !SamePen(pen, pen_))) flush();
        if (count_ == 0) {
            x_ = x;
            y_ = y;
            pen_ = pen;
        }
        bytes_[static_cast<std::size_t>(count_++)] = byte;
        if (count_ == kMaxRun) flush();
    }

    void flush() {
        if (count_ == 0) return;
        const GlyphMasks& f = *screen_.masks_;
        const RasterView raster = ViewOf(screen_.image_);
        // Every cell gets the brush over the font's height, then the glyphs.
        FillRect(raster, x_, y_, 8 * count_, f.height, PixelOf(pen_.brush));
        const std::uint32_t ink = PixelOf(pen_.text);
        const auto& masks = f.masks[static_cast<std::size_t>(pen_.style & (kStyleBold | kStyleItalic))];
        for (int i = 0; i < count_; ++i) {
            const std::size_t b = bytes_[static_cast<std::size_t>(i)];
            if (f.blank[b]) continue;
            Blit(raster, masks[b], x_ + 8 * i, y_, ink);
        }
        if (pen_.style & kStyleUnderline) FillRect(raster, x_, y_ + f.ascent + f.underlinePos, 8 * count_, f.lineWidth, ink);
        count_ = 0;
    }

private:
    static constexpr int kMaxRun = 128;

    // Pens compared by what they draw; cheaper than comparing colours on every character.
    static bool SamePen(const PenState& a, const PenState& b) {
        return a.style == b.style && a.text.rgba() == b.text.rgba() && a.brush.rgba() == b.brush.rgba() &&
               a.text.isValid() == b.text.isValid() && a.brush.isValid() == b.brush.isValid();
    }

    static void Blit(const RasterView& raster, const GlyphMasks::Mask& mask, int cellX, int cellY, std::uint32_t colour) {
        if ((colour >> 24) == 0) return;
        const bool opaque = (colour >> 24) == 0xFF;
        const int width = raster.width, height = raster.height;
        for (int row = mask.first; row <= mask.last; ++row) {
            const int y = cellY + row - GlyphMasks::kMaskTop;
            if (y < 0 || y >= height) continue;
            std::uint32_t bits = mask.rows[static_cast<std::size_t>(row)];
            if (!bits) continue;
            std::uint32_t* line = raster.line(y);
            while (bits) {
                const int bit = std::countr_zero(bits);
                bits &= bits - 1;
                const int x = cellX + bit - GlyphMasks::kMaskLeft;
                if (x >= 0 && x < width) line[x] = opaque ? colour : Over(line[x], colour);
            }
        }
    }

    TextScreen& screen_;
    std::array<unsigned char, kMaxRun> bytes_{};
    int count_ = 0;
    int x_ = 0, y_ = 0;
    PenState pen_;
};

// ---- screen ----------------------------------------------------------------------------------

TextScreen::TextScreen(const TTutorialConfig& config, std::filesystem::path projectDir,
                       PlayerHost* host)
    : config_(config),
      projectDir_(std::move(projectDir)),
      host_(host),
      masks_(&ScreenGlyphMasks()),
      image_(NewRaster(kWidth, kHeight)) {
    loadScreenColours();
    pen_ = {0, colours_.text, colours_.back};
    image_.fill(colours_.back);
    resetControlBar();
}

TextScreen::~TextScreen() = default;

#ifndef QUILL_NO_QT
const QFont& TextScreen::screenFont(int style) const { return ScreenFont(style); }
#endif

void TextScreen::loadScreenColours() {
    colours_.back = ColourFromRecord(config_.get(cfg::Screen::ScreenBackColor));
    colours_.text = ColourFromRecord(config_.get(cfg::Screen::ScreenTextColor));
    colours_.hyper = ColourFromRecord(config_.get(cfg::Screen::HyperTextColor));
    colours_.hyperBack = colours_.back;
    colours_.titleBack = ColourFromRecord(config_.get(cfg::Screen::TitleBackColor));
    colours_.titleText = ColourFromRecord(config_.get(cfg::Screen::TitleTextColor));
    colours_.controlBar = ColourFromRecord(config_.get(cfg::Screen::ControlBarColor));
    for (int n = 1; n <= 26; ++n)
        colours_.table[static_cast<std::size_t>(n - 1)] =
            ColourFromRecord(config_.get(cfg::Colors::Entry(n).Value));
}

void TextScreen::setLinkColours(const Colour& text, const Colour& back) {
    colours_.hyper = text;
    colours_.hyperBack = back;
}

Colour TextScreen::backColour(int code) const {
    if (code >= 1 && code <= 26) return colours_.table[static_cast<std::size_t>(code - 1)];
    return colours_.back;
}

Colour TextScreen::textColour(int code) const {
    if (code >= 1 && code <= 26) return colours_.table[static_cast<std::size_t>(code - 1)];
    return code == 27 ? colours_.text : colours_.back;
}

void TextScreen::reportError(const Text& text) const {
    if (host_) host_->showError(text);
}

Rect TextScreen::placed(int x, int y, int width, int height) const {
    return Rect(x, y + titleOffset_, width, height);
}

// ---- text ------------------------------------------------------------------------------------

void TextScreen::drawText(int column, int row, std::string_view text) {
    int x = ColumnToX(column);
    const int y = RowToY(row);
    Painter painter(*this);
    std::optional<UserRecord> user;
    bool userRead = false;

    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '^') {
            if (i + 1 >= n) break;
            switch (text[i + 1]) {
                case 'B': case 'b': pen_.style |= kStyleBold; break;
                case 'I': case 'i': pen_.style |= kStyleItalic; break;
                case 'U': case 'u': pen_.style |= kStyleUnderline; break;
                case 'R': case 'r': pen_.style = 0; break;
                default: break;
            }
            i += 2;
            continue;
        }
        if (c == '~') {
            if (i + 1 >= n) break;
            const char code = text[i + 1];
            i += 2;
            if (code == '$') {
                slowTyping_ = !slowTyping_;
            } else if (code == '~') {
                painter.put(x, y, '~', pen_);
                x += kCellWidth;
            } else if (code == '@') {
                const int slot = i < n ? LetterSlot(text[i]) : -1;
                if (slot < 0) return;  // an invalid slot letter ends the whole text
                ++i;
                if (!userRead) {
                    // Learner answers come only from the tutorial's (or the learner's) own USER.DAT.
                    if (auto file = userFile()) user = ReadUserRecord(*file);
                    userRead = true;
                }
                if (!user) continue;  // no learner answers yet: nothing to draw
                for (char ch : user->slot(slot)) {
                    painter.put(x, y, static_cast<unsigned char>(ch), pen_);
                    x += kCellWidth;
                }
            } else if (code == '+') {
                pen_.text = colours_.text;
            } else if (code == '-') {
                pen_.brush = colours_.back;
            } else if (code >= 'A' && code <= 'Z') {
                pen_.text = colours_.table[static_cast<std::size_t>(code - 'A')];
            } else if (code >= 'a' && code <= 'z') {
                pen_.brush = colours_.table[static_cast<std::size_t>(code - 'a')];
            }
            continue;
        }
        if (c == '|') {
            if (i + 1 >= n) break;
            ++hypertextCount_;
            const PenState saved = pen_;
            pen_.style |= kStyleBold | kStyleUnderline;
            pen_.text = colours_.hyper;
            const int wordX = x;
            std::string word;
            // The word runs to the closing '|'; without one, to the end of the text.
            std::size_t j = i + 1;
            while (j < n) {
                const char ch = text[j++];
                if (ch == '|') break;
                painter.put(x, y, static_cast<unsigned char>(ch), pen_);
                x += kCellWidth;
                if (word.size() < 40) word += ch;
            }
            i = j;
            addHyperLabel(wordX, y, FromCp1252(word), colours_.hyper, colours_.hyperBack);
            pen_ = saved;
            continue;
        }
        if (slowTyping_ && host_ && !host_->stopRequested()) {
            // Show what is drawn so far, then wait for the next tick of the slow clock.
            const PenState kept = pen_;
            painter.end();
            host_->waitSlowTick();
            pen_ = kept;
            painter.begin();
        }
        painter.put(x, y, c, pen_);
        x += kCellWidth;
        ++i;
    }
}

void TextScreen::drawPlain(int column, int row, std::string_view text) {
    drawLiteral(ColumnToX(column), RowToY(row), text, pen_);
}

void TextScreen::drawPendingLine(std::string_view text) {
    drawText(column_, row_, text);
    ++row_;
}

void TextScreen::fillCells(int x, int y, int width, int height, const Colour& colour) {
    if (width <= 0 || height <= 0) return;
    clearCells(Rect(x, y, width, height));
    Painter painter(*this);
    FillRect(painter.raster(), x, y, width, height, PixelOf(colour));
}

// ---- text layer --------------------------------------------------------------------------------

namespace {

// The cell whose area holds most of a character drawn at (x, y); cells count from 0.
int CellColumn(int x) { return (x + 4) >= 0 ? (x + 4) / TextScreen::kCellWidth : -1; }
int CellRow(int y) { return (y + 8) >= 0 ? (y + 8) / TextScreen::kCellHeight : -1; }

}  // namespace

void TextScreen::putCell(int x, int y, unsigned char byte) {
    const int c = CellColumn(x), r = CellRow(y);
    if (c < 0 || c >= kTextColumns || r < 0 || r >= kTextRows) return;
    cells_[static_cast<std::size_t>(r * kTextColumns + c)] = byte;
}

void TextScreen::clearCells(const Rect& pixels) {
    // A cell goes when the rectangle covers its centre.
    for (int r = 0; r < kTextRows; ++r) {
        const int cy = r * kCellHeight + kCellHeight / 2;
        if (cy < pixels.top() || cy > pixels.bottom()) continue;
        for (int c = 0; c < kTextColumns; ++c) {
            const int cx = c * kCellWidth + kCellWidth / 2;
            if (cx >= pixels.left() && cx <= pixels.right()) cells_[static_cast<std::size_t>(r * kTextColumns + c)] = 0;
        }
    }
}

void TextScreen::pasteCells(const std::vector<unsigned char>& from, const Rect& source, int targetX, int targetY) {
    const int c0 = CellColumn(source.left()), r0 = CellRow(source.top());
    const int columns = source.width() / kCellWidth, rows = source.height() / kCellHeight;
    const int tc = CellColumn(targetX), tr = CellRow(targetY);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            const int sr = r0 + r, sc = c0 + c, dr = tr + r, dc = tc + c;
            if (sr < 0 || sr >= kTextRows || sc < 0 || sc >= kTextColumns) continue;
            if (dr < 0 || dr >= kTextRows || dc < 0 || dc >= kTextColumns) continue;
            cells_[static_cast<std::size_t>(dr * kTextColumns + dc)] = from[static_cast<std::size_t>(sr * kTextColumns + sc)];
        }
}

Text TextScreen::visibleText() const {
    TextList rows;
    for (int r = 0; r < kTextRows; ++r) {
        std::string line;
        for (int c = 0; c < kTextColumns; ++c) {
            const unsigned char b = cells_[static_cast<std::size_t>(r * kTextColumns + c)];
            line += b >= 0x20 ? static_cast<char>(b) : ' ';
        }
        const std::size_t end = line.find_last_not_of(' ');
        if (end == std::string::npos) continue;
        line.resize(end + 1);
        rows.push_back(FromCp1252(line));
    }
    return JoinLines(rows);
}

void TextScreen::drawLiteral(int x, int y, std::string_view text, const PenState& pen) {
    Painter painter(*this);
    for (char ch : text) {
        painter.put(x, y, static_cast<unsigned char>(ch), pen);
        x += kCellWidth;
    }
}

void TextScreen::clearScreen(int colourCode) {
    title_.visible = false;
    controlBar_.visible = false;
    titleOffset_ = 0;
    loadScreenColours();
    pen_ = {0, colours_.text, backColour(colourCode)};
    image_.fill(pen_.brush);
    std::fill(cells_.begin(), cells_.end(), 0);
    row_ = 1;
    column_ = 1;
    resetControlBar();
    slowTyping_ = false;
    removeScreenObjects();
}

void TextScreen::removeScreenObjects() {
    hyperLabels_.clear();
    hypertextCount_ = 0;
    textLabels_.clear();
    panelBoxes_.clear();
    pictures_.clear();
    menuButtons_.clear();
    screenImage_ = {};
    richText_ = {};
    answers_ = {};
}

void TextScreen::resetControlBar() {
    controlBar_.visible = false;
    controlBar_.colour = colours_.controlBar;
    controlBar_.shown = {true, false, true, false, false};
    controlBar_.legends = {FromCp1252(config_.get(cfg::Screen::ContinueCaption)),
                           FromCp1252(config_.get(cfg::Screen::HelpButtonCaption)),
                           FromCp1252(config_.get(cfg::Screen::QuitButtonCaption)),
                           FromCp1252(config_.get(cfg::Screen::PagebackCaption)),
                           FromCp1252(config_.get(cfg::Screen::UtilitiesCaption))};
    slowTyping_ = false;
}

void TextScreen::printLines(const TextList& lines, const Text& question) {
    if (host_) host_->printLines(lines, question);
}

void TextScreen::showTitle(std::string_view text, const Colour& textColour, const Colour& backColour) {
    title_.visible = true;
    title_.text = FromCp1252(text);
    title_.textColour = textColour;
    title_.backColour = backColour;
    Font font(Lit("Arial"));
    font.setPixelSize(16);
    if (auto spec = FontFromSpec(config_.get(cfg::Screen::TitleFont))) {
        if (!spec->name.empty()) font.setFamily(FromCp1252(spec->name));
        if (spec->size > 0) font.setPixelSize((spec->size * 96 + 36) / 72);
        font.setBold(spec->style & fsBold);
        font.setItalic(spec->style & fsItalic);
        font.setUnderline(spec->style & fsUnderline);
        font.setStrikeOut(spec->style & fsStrikeOut);
    }
    title_.font = font;
    titleOffset_ = kTitleHeight;
    image_.fill(pen_.brush);
    std::fill(cells_.begin(), cells_.end(), 0);
}

// ---- screen objects ----------------------------------------------------------------------------

void TextScreen::addHyperLabel(int x, int y, const Text& text, const Colour& textColour,
                               const Colour& backColour) {
    hyperLabels_.push_back({placed(x, y, kCellWidth * TextLength(text), masks_->height),
                            text, textColour, backColour});
}

void TextScreen::addTextLabel(int x, int y, int width, const Text& text, const Colour& textColour,
                              const Colour& backColour) {
    textLabels_.push_back({placed(x, y, width, 15), text, textColour, backColour});
}

bool TextScreen::addPicture(int x, int y, int width, int height, const std::filesystem::path& file,
                            const Text& name) {
    Text why;
    Image image = ReadPicture(TutorialFolder(projectDir_), file, &why);
    if (image.isNull()) {
        reportError(Lit("The picture file ") + name + Lit(" cannot be drawn: ") + why);
        return false;
    }
    pictures_.push_back({placed(x, y, width, height), name, std::move(image)});
    return true;
}

void TextScreen::addPanelBox(int column, int row, int endColumn, const Text& caption,
                             const Font& font, const Colour& textColour, const Colour& backColour,
                             int alignment) {
    panelBoxes_.push_back({placed(column * kCellWidth, row * kCellHeight,
                                  (endColumn - column) * kCellWidth, 34),
                           caption, font, textColour, backColour, alignment});
}

void TextScreen::addMenuButtons(const std::vector<MenuButtonPlace>& buttons) {
    int n = 0;
    for (const auto& b : buttons) {
        if (n == 30) break;
        ++n;
        menuButtons_.push_back({n, placed(b.left, b.top, b.width, 34), b.caption});
    }
}

// ---- answer controls -----------------------------------------------------------------------------

void TextScreen::showInputBox(int widthCells) {
    const int cells = widthCells < 0 ? 30 : widthCells;
    answers_.input.visible = true;
    answers_.input.maxLength = 60;
    answers_.input.rect = Rect(ColumnToX(column_), RowToY(row_) + (title_.visible ? 32 : 0),
                                cells * kCellWidth, 21);
}

void TextScreen::hideInputBox() { answers_.input.visible = false; }

void TextScreen::showChoice(const Text& left, const Text& right, int widthCells) {
    ChoicePanel& c = answers_.choice;
    c.visible = true;
    c.enabled = true;
    c.left = left;
    c.right = right;
    const int width = std::max(widthCells * kCellWidth, 176);
    c.rect = Rect(ColumnToX(column_), RowToY(row_) + (title_.visible ? 32 : 0), width, 34);
    // The pair of 74 x 24 buttons sits in a 168-pixel holder centred in the panel.
    const int pair = 168;
    const int left0 = c.rect.left() + width / 2 - pair / 2;
    c.leftButton = Rect(left0 + 4, c.rect.top() + 5, 74, 24);
    c.rightButton = Rect(left0 + 90, c.rect.top() + 5, 74, 24);
}

void TextScreen::disableChoice() { answers_.choice.enabled = false; }

void TextScreen::showListMenu(int c1, int r1, int c2, int r2, const TextList& items) {
    ListMenu& l = answers_.list;
    l.visible = true;
    l.items = items;
    l.selected = 0;
    l.rect = placed(ColumnToX(c1), RowToY(r1), (c2 - c1 + 1) * kCellWidth, (r2 - r1 + 1) * kCellHeight);
}

void TextScreen::hideListMenu() { answers_.list.visible = false; }

void TextScreen::showMemo(int width, int depth, const TextList& lines, bool readOnly) {
    MemoBox& m = readOnly ? answers_.display : answers_.memo;
    m.visible = true;
    m.readOnly = readOnly;
    m.lines = lines;
    // Lines of the memo font (16 pixels) inside a frame, and for typed lines an OK button below.
    const int height = (depth + 1) * 16 + 8 + (readOnly ? 0 : 32);
    m.rect = placed(ColumnToX(column_), RowToY(row_), (width + 1) * kCellWidth + 8, height);
}

void TextScreen::hideMemo(bool readOnly) { (readOnly ? answers_.display : answers_.memo).visible = false; }

void TextScreen::showQuizAnswers(int row, const TextList& texts) {
    answers_.quiz.clear();
    const int count = static_cast<int>(texts.size());
    if (count < 2 || count > 4) return;
    for (int k = 1; k <= count; ++k) {
        const Text& t = texts[static_cast<std::size_t>(k - 1)];
        QuizAnswer a;
        a.number = k;
        a.letter = Lit(std::string(1, static_cast<char>('A' + k - 1)));
        a.text = t;
        a.backColour = pen_.brush;
        a.rect = placed(ColumnToX(column_), RowToY(row) + 24 * (k - 1),
                        (TextLength(t) + 5) * kCellWidth, 20);
        answers_.quiz.push_back(a);
    }
}

void TextScreen::hideQuizAnswers() { answers_.quiz.clear(); }

// ---- display commands ----------------------------------------------------------------------------

std::optional<std::string> TextScreen::heading(std::string_view name, int column, int row,
                                               int endColumn, std::string_view text,
                                               std::string_view line) {
    if (auto error = HeadingError(config_, name, column, row, endColumn, line)) return error;
    const std::string wanted = UpperCaseCp1252(name);
    int found = 0;
    for (int n = 1; n <= static_cast<int>(cfg::Headings::Count); ++n)
        if (UpperCaseCp1252(config_.get(cfg::Headings::Entry(n).Name)) == wanted) found = n;

    const auto entry = cfg::Headings::Entry(found);
    Font font(Lit("Arial"));
    font.setPixelSize(13);
    Colour textColour(0, 0, 0);
    if (auto spec = FontFromSpec(config_.get(entry.Font))) {
        if (!spec->name.empty()) font.setFamily(FromCp1252(spec->name));
        if (spec->size > 0) font.setPixelSize((spec->size * 96 + 36) / 72);
        font.setBold(spec->style & fsBold);
        font.setItalic(spec->style & fsItalic);
        font.setUnderline(spec->style & fsUnderline);
        font.setStrikeOut(spec->style & fsStrikeOut);
        textColour = ColourFromRecord(spec->color);
    }
    int alignment = kAlignLeft;
    switch (config_.get(entry.Mode)) {
        case 1: alignment = kAlignCentre; break;
        case 2: alignment = kAlignLeft; break;
        case 3: alignment = kAlignRight; break;
        default: break;
    }
    addPanelBox(column - 1, row - 1, endColumn, FromCp1252(text.substr(0, 78)), font, textColour,
                ColourFromRecord(config_.get(entry.BackColor)), alignment);
    row_ = row + 3;
    return std::nullopt;
}

void TextScreen::showRichText(int c1, int r1, int c2, int r2, const Colour& backColour,
                              std::vector<std::string> lines) {
    richText_.visible = true;
    richText_.rect = placed(ColumnToX(c1), RowToY(r1), ColumnToX(c2) - ColumnToX(c1),
                            RowToY(r2) - RowToY(r1));
    richText_.backColour = backColour;
    richText_.lines = std::move(lines);
}

void TextScreen::blink(int column, int row, int count, const Colour& textColour,
                       const Colour& backColour, std::string_view text,
                       const std::function<bool()>& round) {
    const int x = ColumnToX(column), y = RowToY(row);
    const PenState hidden{pen_.style, backColour, backColour};
    const PenState shown{pen_.style, textColour, backColour};
    for (int k = 0; k < count; ++k) {
        if (host_ && host_->stopRequested()) break;
        if (round && !round()) break;
        drawLiteral(x, y, text, hidden);
        if (host_) host_->waitDelay(250);
        drawLiteral(x, y, text, shown);
        if (host_) host_->waitDelay(250);
    }
    drawLiteral(x, y, text, shown);
}

void TextScreen::centreText(int column, int row, int endColumn, const Colour& textColour,
                            const Colour& backColour, std::string_view text) {
    const int width = endColumn - column + 1;
    fillCells(ColumnToX(column), RowToY(row), width * kCellWidth, masks_->height, backColour);
    const int offset = (width - VisibleLength(text)) / 2;
    const PenState saved = pen_;
    pen_.text = textColour;
    pen_.brush = backColour;
    drawText(column + offset, row, text);
    pen_ = saved;
}

void TextScreen::drawLine(bool vertical, int column, int row, int end, int width, const Colour& colour) {
    const int x = ColumnToX(column), y = RowToY(row);
    const int toX = vertical ? x : ColumnToX(end), toY = vertical ? RowToY(end) : y;
    Painter painter(*this);
    // A one-pixel line stops short of its end point; a wider one has round ends.
    DrawAxisLine(painter.raster(), x, y, toX, toY, width, PixelOf(colour));
}

void TextScreen::drawBox(BoxKind kind, int c1, int r1, int c2, int r2, const Colour& fill,
                         int borderWidth, const Colour& borderColour) {
    const int x1 = ColumnToX(c1), y1 = RowToY(r1), x2 = ColumnToX(c2), y2 = RowToY(r2);
    if (x2 <= x1 || y2 <= y1) return;
    const bool border = kind == BoxKind::Border || kind == BoxKind::RoundedBorder;
    const bool rounded = kind == BoxKind::Rounded || kind == BoxKind::RoundedBorder;
    const int penWidth = border ? std::max(1, borderWidth) : 1;
    const Colour penColour = border ? borderColour : Colour(0, 0, 0);
    if (fill.isValid() && fill.alpha() == 255) clearCells(Rect(x1, y1, x2 - x1, y2 - y1));
    Painter painter(*this);
    // The box covers x1..x2-1 and y1..y2-1; the outline runs on those edge pixels.
    const std::uint32_t inside = PixelOf(fill);
    DrawBox(painter.raster(), x1, y1, x2, y2, rounded, penWidth, PixelOf(penColour), fill.isValid() ? &inside : nullptr);
}

void TextScreen::popup(BoxKind kind, int c1, int r1, int c2, int r2,
                       const std::vector<std::string>& lines, const Colour& fill, int tenths,
                       int borderWidth, const Colour& borderColour) {
    const Image saved = copyRaster();
    const std::vector<unsigned char> savedCells = cells_;
    const std::size_t labels = hyperLabels_.size();
    const int hyperCount = hypertextCount_;
    const PenState pen = pen_;
    int longest = 0;
    for (const auto& l : lines) longest = std::max(longest, VisibleLength(l));
    const int n = static_cast<int>(lines.size());
    if (c1 + longest + 2 > c2) c2 = c1 + longest + 2;
    if (r1 + n + 2 > r2) r2 = r1 + n + 2;
    drawBox(kind, c1, r1, c2, r2, fill, borderWidth, borderColour);
    pen_.brush = fill;
    for (int k = 1; k <= n; ++k) drawText(c1 + 1, r1 + k, lines[static_cast<std::size_t>(k - 1)]);
    pen_ = pen;
    if (host_) host_->waitDelay(TenthsToMs(tenths));
    restoreRaster(saved);
    cells_ = savedCells;
    // Hypertext words of the pop-up go with it.
    hyperLabels_.resize(labels);
    hypertextCount_ = hyperCount;
}

void TextScreen::clearRow(int column, int row, int endColumn, const Colour& colour) {
    const int x = ColumnToX(column);
    fillCells(x, RowToY(row), ColumnToX(endColumn + 1) - x, kCellHeight, colour);
}

void TextScreen::clearSection(int c1, int r1, int c2, int r2, const Colour& colour) {
    fillCells(ColumnToX(c1), RowToY(r1), ColumnToX(c2) - ColumnToX(c1), RowToY(r2) - RowToY(r1), colour);
}

void TextScreen::copySection(int c1, int r1, int c2, int r2, int targetColumn, int targetRow) {
    const Image copy = copyRaster();
    const Rect source(ColumnToX(c1), RowToY(r1), ColumnToX(c2) - ColumnToX(c1), RowToY(r2) - RowToY(r1));
    if (source.width() <= 0 || source.height() <= 0) return;
    pasteCells(std::vector<unsigned char>(cells_), source, ColumnToX(targetColumn), RowToY(targetRow));
    Painter painter(*this);
    CopyPixels(painter.raster(), ViewOf(copy), source.left(), source.top(), source.width(), source.height(),
               ColumnToX(targetColumn), RowToY(targetRow));
}

void TextScreen::moveSection(int c1, int r1, int c2, int r2, int targetColumn, int targetRow,
                             const Colour& colour) {
    const Image copy = copyRaster();
    const std::vector<unsigned char> cells = cells_;
    clearSection(c1, r1, c2, r2, colour);
    const Rect source(ColumnToX(c1), RowToY(r1), ColumnToX(c2) - ColumnToX(c1), RowToY(r2) - RowToY(r1));
    if (source.width() <= 0 || source.height() <= 0) return;
    pasteCells(cells, source, ColumnToX(targetColumn), RowToY(targetRow));
    Painter painter(*this);
    CopyPixels(painter.raster(), ViewOf(copy), source.left(), source.top(), source.width(), source.height(),
               ColumnToX(targetColumn), RowToY(targetRow));
}

void TextScreen::restoreRaster(const Image& copy) {
    Painter painter(*this);
    CopyPixels(painter.raster(), ViewOf(copy), 0, 0, copy.width(), copy.height(), 0, 0);
}

std::optional<std::filesystem::path> TextScreen::userFile() const {
    if (!learnerDir_.empty()) {
        const ProjectPath mine = ResolveInProject(learnerDir_, kUserFileName);
        std::error_code ec;
        if (mine.inside && std::filesystem::exists(mine.path, ec)) return mine.path;
    }
    const ProjectPath file = ResolveInProject(projectDir_, kUserFileName);
    if (!file.inside) return std::nullopt;
    return file.path;
}

std::optional<Image> TextScreen::loadPicture(std::string_view file, std::filesystem::path* path) {
    const ProjectPath found = ResolveInProject(projectDir_, file);
    std::error_code ec;
    if (!found.inside) {
        reportError(Lit("The Image file ") + FromCp1252(file) + Lit(" is outside the tutorial folder."));
        return std::nullopt;
    }
    if (!std::filesystem::is_regular_file(found.path, ec)) {
        reportError(Lit("The Image file ") + FromCp1252(file) + Lit(" was not found"));
        return std::nullopt;
    }
    Text why;
    Image image = ReadPicture(TutorialFolder(projectDir_), found.path, &why);
    if (image.isNull()) {
        reportError(Lit("The picture file ") + FromCp1252(file) + Lit(" cannot be drawn: ") + why);
        return std::nullopt;
    }
    if (path) *path = found.path;
    return image;
}

bool TextScreen::showScreenImage(std::string_view file) {
    auto image = loadPicture(file, nullptr);
    if (!image) return false;
    screenImage_ = {true, FromCp1252(file), std::move(*image)};
    return true;
}

bool TextScreen::showImage(int column, int row, int endColumn, std::string_view file) {
    if (endColumn > 0) --endColumn;
    auto image = loadPicture(file, nullptr);
    if (!image) return false;
    int width = image->width(), height = image->height();
    if (endColumn != 0 && endColumn >= column && width > 0) {
        const int w = (endColumn - column + 1) * kCellWidth;
        // Rounded half to even, so stored layouts keep their heights to the pixel.
        height = static_cast<int>(std::nearbyint(static_cast<double>(w) * height / width));
        width = w;
    }
    pictures_.push_back({placed(ColumnToX(column), RowToY(row), width, height), FromCp1252(file),
                         std::move(*image)});
    return true;
}

void TextScreen::imageLabel(int column, int row, int endColumn, const Colour& textColour,
                            const Colour& backColour, std::string_view text) {
    addTextLabel(ColumnToX(column), RowToY(row), ColumnToX(endColumn) - ColumnToX(column),
                 FromCp1252(text), textColour, backColour);
}

void TextScreen::imageHypertext(int column, int row, const Colour& textColour,
                                const Colour& backColour, std::string_view text) {
    const std::string_view word = text.size() >= 2 ? text.substr(1, text.size() - 2) : std::string_view();
    addHyperLabel(ColumnToX(column), RowToY(row), FromCp1252(word), textColour, backColour);
}

}  // namespace quill
