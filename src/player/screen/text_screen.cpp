#include "screen/text_screen.h"

#include <QGlyphRun>
#include <QPainter>
#include <QRawFont>
#include <algorithm>
#include <cmath>
#include <system_error>

#include "host.h"
#include "project/config_record.h"
#include "project/font_spec.h"
#include "project/user_record.h"
#include "screen/picture_reader.h"
#include "text/cp1252.h"
#include "text/file_lookup.h"
#include "text_codec.h"

namespace quill {

QColor ColourFromRecord(std::uint32_t value) {
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
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

// ---- fonts ---------------------------------------------------------------------------------

// The screen font in its eight styles, and for drawing: the raw font of each weight and slant
// with a glyph table of the 256 Windows-1252 characters, so that a line is drawn as one glyph
// run with every glyph at its cell, never building fonts or strings per character.
struct TextScreen::Fonts {
    std::array<QFont, 8> fonts;
    std::array<QRawFont, 4> raw;                       // index: style & (bold | italic)
    std::array<std::array<quint32, 256>, 4> glyphs{};  // glyph of each byte, per raw font
    std::array<bool, 256> blank{};                     // control characters draw no glyph
    int ascent = 11;
    int height = 15;
    int underlinePos = 2;
    int lineWidth = 1;

    Fonts() {
        for (int s = 0; s < 8; ++s) {
            QFont f(QStringLiteral("Courier New"));
            // 10 points at 96 dots per inch, whatever the display says.
            f.setPixelSize(13);
            f.setStyleHint(QFont::TypeWriter);
            // Plain pixels, as the original screen showed them: no font smoothing.
            f.setStyleStrategy(QFont::NoAntialias);
            f.setBold(s & kStyleBold);
            f.setItalic(s & kStyleItalic);
            f.setUnderline(s & kStyleUnderline);
            fonts[static_cast<std::size_t>(s)] = f;
        }
        QString all;
        for (int b = 0; b < 256; ++b) {
            all += QChar(static_cast<char16_t>(Cp1252ToUnicode(static_cast<unsigned char>(b))));
            blank[static_cast<std::size_t>(b)] = b < 32 || b == 127;
        }
        for (int r = 0; r < 4; ++r) {
            raw[static_cast<std::size_t>(r)] = QRawFont::fromFont(fonts[static_cast<std::size_t>(r)]);
            const QList<quint32> idx = raw[static_cast<std::size_t>(r)].glyphIndexesForString(all);
            for (int b = 0; b < 256 && b < idx.size(); ++b)
                glyphs[static_cast<std::size_t>(r)][static_cast<std::size_t>(b)] = idx[b];
        }
        const QFontMetrics m(fonts[0]);
        ascent = m.ascent();
        height = m.height();
        underlinePos = std::max(1, m.underlinePos());
        lineWidth = std::max(1, m.lineWidth());
    }
};

// A painter on the raster for the length of one operation, and the run of characters drawn
// next to each other in one pen, flushed as one fill and one glyph run.
class TextScreen::Painter {
public:
    explicit Painter(TextScreen& screen) : screen_(screen) { begin(); }
    ~Painter() { end(); }

    QPainter& p() { return painter_; }

    void begin() {
        if (painter_.isActive()) return;
        painter_.begin(&screen_.image_);
        painter_.setRenderHint(QPainter::Antialiasing, false);
        painter_.setRenderHint(QPainter::TextAntialiasing, false);
    }
    void end() {
        flush();
        if (painter_.isActive()) painter_.end();
    }

    // One character cell at (x, y) in the pen.
    void put(int x, int y, unsigned char byte, const PenState& pen) {
        // Text beyond the edges draws nothing visible (drawing never wraps).
        if (x <= -8 || x >= kWidth || y <= -17 || y >= kHeight) return;
        if (!glyphs_.isEmpty() && (pen != pen_ || y != y_ || x != x_ + 8 * static_cast<int>(glyphs_.size())))
            flush();
        if (glyphs_.isEmpty()) {
            x_ = x;
            y_ = y;
            pen_ = pen;
        }
        const Fonts& f = *screen_.fonts_;
        const std::size_t r = static_cast<std::size_t>(pen.style & (kStyleBold | kStyleItalic));
        const int cell = static_cast<int>(glyphs_.size());
        const quint32 glyph = f.blank[byte] ? 0 : f.glyphs[r][byte];
        if (glyph == 0) ++blanks_;  // a control character, or one the font lacks: an empty cell
        glyphs_.push_back(glyph);
        positions_.push_back(QPointF(x_ + 8 * cell, y_ + f.ascent));
    }

    void flush() {
        if (glyphs_.isEmpty()) return;
        const Fonts& f = *screen_.fonts_;
        const int count = static_cast<int>(glyphs_.size());
        // Opaque text: every cell gets the brush over the font's height.
        painter_.fillRect(QRect(x_, y_, 8 * count, f.height), pen_.brush);
        if (blanks_ < count) {
            QList<quint32> glyphs;
            QList<QPointF> positions;
            if (blanks_ == 0) {
                glyphs.swap(glyphs_);
                positions.swap(positions_);
            } else {
                for (int i = 0; i < count; ++i) {
                    if (glyphs_[i] == 0) continue;
                    glyphs.push_back(glyphs_[i]);
                    positions.push_back(positions_[i]);
                }
            }
            QGlyphRun run;
            run.setRawFont(f.raw[static_cast<std::size_t>(pen_.style & (kStyleBold | kStyleItalic))]);
            run.setGlyphIndexes(glyphs);
            run.setPositions(positions);
            painter_.setPen(pen_.text);
            painter_.drawGlyphRun(QPointF(0, 0), run);
        }
        if (pen_.style & kStyleUnderline)
            painter_.fillRect(QRect(x_, y_ + f.ascent + f.underlinePos, 8 * count, f.lineWidth),
                              pen_.text);
        glyphs_.clear();
        positions_.clear();
        blanks_ = 0;
    }

private:
    TextScreen& screen_;
    QPainter painter_;
    QList<quint32> glyphs_;
    QList<QPointF> positions_;
    int blanks_ = 0;
    int x_ = 0, y_ = 0;
    PenState pen_;
};

// ---- screen ----------------------------------------------------------------------------------

TextScreen::TextScreen(const TTutorialConfig& config, std::filesystem::path projectDir,
                       PlayerHost* host)
    : config_(config),
      projectDir_(std::move(projectDir)),
      host_(host),
      fonts_(std::make_unique<Fonts>()),
      image_(kWidth, kHeight, QImage::Format_RGB32) {
    loadScreenColours();
    pen_ = {0, colours_.text, colours_.back};
    image_.fill(colours_.back);
    resetControlBar();
}

TextScreen::~TextScreen() = default;

const QFont& TextScreen::screenFont(int style) const {
    return fonts_->fonts[static_cast<std::size_t>(style & 7)];
}

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

void TextScreen::setLinkColours(const QColor& text, const QColor& back) {
    colours_.hyper = text;
    colours_.hyperBack = back;
}

QColor TextScreen::backColour(int code) const {
    if (code >= 1 && code <= 26) return colours_.table[static_cast<std::size_t>(code - 1)];
    return colours_.back;
}

QColor TextScreen::textColour(int code) const {
    if (code >= 1 && code <= 26) return colours_.table[static_cast<std::size_t>(code - 1)];
    return code == 27 ? colours_.text : colours_.back;
}

void TextScreen::reportError(const QString& text) const {
    if (host_) host_->showError(text);
}

QRect TextScreen::placed(int x, int y, int width, int height) const {
    return QRect(x, y + titleOffset_, width, height);
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
                    user = ReadUserRecord(userFile());
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

void TextScreen::fillCells(int x, int y, int width, int height, const QColor& colour) {
    if (width <= 0 || height <= 0) return;
    Painter painter(*this);
    painter.p().fillRect(QRect(x, y, width, height), colour);
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

void TextScreen::printLines(const QStringList& lines, const QString& question) {
    if (host_) host_->printLines(lines, question);
}

void TextScreen::showTitle(std::string_view text, const QColor& textColour, const QColor& backColour) {
    title_.visible = true;
    title_.text = FromCp1252(text);
    title_.textColour = textColour;
    title_.backColour = backColour;
    QFont font(QStringLiteral("Arial"));
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
}

// ---- screen objects ----------------------------------------------------------------------------

void TextScreen::addHyperLabel(int x, int y, const QString& text, const QColor& textColour,
                               const QColor& backColour) {
    hyperLabels_.push_back({placed(x, y, kCellWidth * static_cast<int>(text.size()), fonts_->height),
                            text, textColour, backColour});
}

void TextScreen::addTextLabel(int x, int y, int width, const QString& text, const QColor& textColour,
                              const QColor& backColour) {
    textLabels_.push_back({placed(x, y, width, 15), text, textColour, backColour});
}

bool TextScreen::addPicture(int x, int y, int width, int height, const std::filesystem::path& file,
                            const QString& name) {
    QString why;
    QImage image = ReadPicture(file, &why);
    if (image.isNull()) {
        reportError(QStringLiteral("The picture file %1 cannot be drawn: %2").arg(name, why));
        return false;
    }
    pictures_.push_back({placed(x, y, width, height), name, std::move(image)});
    return true;
}

void TextScreen::addPanelBox(int column, int row, int endColumn, const QString& caption,
                             const QFont& font, const QColor& textColour, const QColor& backColour,
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
    answers_.input.rect = QRect(ColumnToX(column_), RowToY(row_) + (title_.visible ? 32 : 0),
                                cells * kCellWidth, 21);
}

void TextScreen::hideInputBox() { answers_.input.visible = false; }

void TextScreen::showChoice(const QString& left, const QString& right, int widthCells) {
    ChoicePanel& c = answers_.choice;
    c.visible = true;
    c.enabled = true;
    c.left = left;
    c.right = right;
    const int width = std::max(widthCells * kCellWidth, 176);
    c.rect = QRect(ColumnToX(column_), RowToY(row_) + (title_.visible ? 32 : 0), width, 34);
    // The pair of 74 x 24 buttons sits in a 168-pixel holder centred in the panel.
    const int pair = 168;
    const int left0 = c.rect.left() + width / 2 - pair / 2;
    c.leftButton = QRect(left0 + 4, c.rect.top() + 5, 74, 24);
    c.rightButton = QRect(left0 + 90, c.rect.top() + 5, 74, 24);
}

void TextScreen::disableChoice() { answers_.choice.enabled = false; }

void TextScreen::showListMenu(int c1, int r1, int c2, int r2, const QStringList& items) {
    ListMenu& l = answers_.list;
    l.visible = true;
    l.items = items;
    l.selected = 0;
    l.rect = placed(ColumnToX(c1), RowToY(r1), (c2 - c1 + 1) * kCellWidth, (r2 - r1 + 1) * kCellHeight);
}

void TextScreen::hideListMenu() { answers_.list.visible = false; }

void TextScreen::showMemo(int width, int depth, const QStringList& lines, bool readOnly) {
    MemoBox& m = readOnly ? answers_.display : answers_.memo;
    m.visible = true;
    m.readOnly = readOnly;
    m.lines = lines;
    // Lines of the memo font (16 pixels) inside a frame, and for typed lines an OK button below.
    const int height = (depth + 1) * 16 + 8 + (readOnly ? 0 : 32);
    m.rect = placed(ColumnToX(column_), RowToY(row_), (width + 1) * kCellWidth + 8, height);
}

void TextScreen::hideMemo(bool readOnly) { (readOnly ? answers_.display : answers_.memo).visible = false; }

void TextScreen::showQuizAnswers(int row, const QStringList& texts) {
    answers_.quiz.clear();
    if (texts.size() < 2 || texts.size() > 4) return;
    for (int k = 1; k <= texts.size(); ++k) {
        const QString& t = texts[k - 1];
        QuizAnswer a;
        a.number = k;
        a.letter = QString(QChar(u'A' + k - 1));
        a.text = t;
        a.backColour = pen_.brush;
        a.rect = placed(ColumnToX(column_), RowToY(row) + 24 * (k - 1),
                        (static_cast<int>(t.size()) + 5) * kCellWidth, 20);
        answers_.quiz.push_back(a);
    }
}

void TextScreen::hideQuizAnswers() { answers_.quiz.clear(); }

// ---- display commands ----------------------------------------------------------------------------

std::optional<std::string> TextScreen::heading(std::string_view name, int column, int row,
                                               int endColumn, std::string_view text,
                                               std::string_view line) {
    const std::string l(line);
    auto columnCheck = [&](int v) -> std::optional<std::string> {
        if (v > 79) return "The Column number in " + l + " is greater than 79";
        if (v < 1) return "The Column number in " + l + " is less than 1";
        return std::nullopt;
    };
    if (auto e = columnCheck(column)) return e;
    if (row > 25) return "The Row number in " + l + " is greater than 25";
    if (row < 1) return "The Row number in " + l + " is less than 1";
    if (auto e = columnCheck(endColumn)) return e;

    const std::string wanted = UpperCaseCp1252(name);
    int found = 0;
    for (int n = 1; n <= static_cast<int>(cfg::Headings::Count); ++n)
        if (UpperCaseCp1252(config_.get(cfg::Headings::Entry(n).Name)) == wanted) found = n;
    if (!found) return "The Heading \"" + std::string(name) + "\" was not found.";

    const auto entry = cfg::Headings::Entry(found);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(13);
    QColor textColour = Qt::black;
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

void TextScreen::showRichText(int c1, int r1, int c2, int r2, const QColor& backColour,
                              std::vector<std::string> lines) {
    richText_.visible = true;
    richText_.rect = placed(ColumnToX(c1), RowToY(r1), ColumnToX(c2) - ColumnToX(c1),
                            RowToY(r2) - RowToY(r1));
    richText_.backColour = backColour;
    richText_.lines = std::move(lines);
}

void TextScreen::blink(int column, int row, int count, const QColor& textColour,
                       const QColor& backColour, std::string_view text) {
    const int x = ColumnToX(column), y = RowToY(row);
    const PenState hidden{pen_.style, backColour, backColour};
    const PenState shown{pen_.style, textColour, backColour};
    for (int k = 0; k < count; ++k) {
        if (host_ && host_->stopRequested()) break;
        drawLiteral(x, y, text, hidden);
        if (host_) host_->waitDelay(250);
        drawLiteral(x, y, text, shown);
        if (host_) host_->waitDelay(250);
    }
    drawLiteral(x, y, text, shown);
}

void TextScreen::centreText(int column, int row, int endColumn, const QColor& textColour,
                            const QColor& backColour, std::string_view text) {
    const int width = endColumn - column + 1;
    fillCells(ColumnToX(column), RowToY(row), width * kCellWidth, fonts_->height, backColour);
    const int offset = (width - VisibleLength(text)) / 2;
    const PenState saved = pen_;
    pen_.text = textColour;
    pen_.brush = backColour;
    drawText(column + offset, row, text);
    pen_ = saved;
}

void TextScreen::drawLine(bool vertical, int column, int row, int end, int width, const QColor& colour) {
    const QPoint from(ColumnToX(column), RowToY(row));
    const QPoint to = vertical ? QPoint(from.x(), RowToY(end)) : QPoint(ColumnToX(end), from.y());
    Painter painter(*this);
    if (width <= 1) {
        // A one-pixel line stops short of its end point.
        painter.p().setPen(QPen(colour, 1, Qt::SolidLine, Qt::FlatCap));
    } else {
        painter.p().setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
    }
    painter.p().drawLine(from, to);
}

void TextScreen::drawBox(BoxKind kind, int c1, int r1, int c2, int r2, const QColor& fill,
                         int borderWidth, const QColor& borderColour) {
    const int x1 = ColumnToX(c1), y1 = RowToY(r1), x2 = ColumnToX(c2), y2 = RowToY(r2);
    if (x2 <= x1 || y2 <= y1) return;
    const bool border = kind == BoxKind::Border || kind == BoxKind::RoundedBorder;
    const bool rounded = kind == BoxKind::Rounded || kind == BoxKind::RoundedBorder;
    const int penWidth = border ? std::max(1, borderWidth) : 1;
    const QColor penColour = border ? borderColour : QColor(Qt::black);
    Painter painter(*this);
    QPainter& p = painter.p();
    p.setPen(QPen(penColour, penWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(fill);
    // The box covers x1..x2-1 and y1..y2-1; the outline runs on those edge pixels.
    if (penWidth == 1) {
        const QRect r(x1, y1, x2 - x1 - 1, y2 - y1 - 1);
        if (rounded) p.drawRoundedRect(r, 7.5, 7.5);
        else p.drawRect(r);
    } else {
        const QRectF r(x1 + 0.5, y1 + 0.5, x2 - x1 - 1, y2 - y1 - 1);
        if (rounded) p.drawRoundedRect(r, 7.5, 7.5);
        else p.drawRect(r);
    }
}

void TextScreen::popup(BoxKind kind, int c1, int r1, int c2, int r2,
                       const std::vector<std::string>& lines, const QColor& fill, int tenths,
                       int borderWidth, const QColor& borderColour) {
    const QImage saved = copyRaster();
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
    if (host_) host_->waitDelay(tenths * 100);
    restoreRaster(saved);
    // Hypertext words of the pop-up go with it.
    hyperLabels_.resize(labels);
    hypertextCount_ = hyperCount;
}

void TextScreen::clearRow(int column, int row, int endColumn, const QColor& colour) {
    const int x = ColumnToX(column);
    fillCells(x, RowToY(row), ColumnToX(endColumn + 1) - x, kCellHeight, colour);
}

void TextScreen::clearSection(int c1, int r1, int c2, int r2, const QColor& colour) {
    fillCells(ColumnToX(c1), RowToY(r1), ColumnToX(c2) - ColumnToX(c1), RowToY(r2) - RowToY(r1), colour);
}

void TextScreen::copySection(int c1, int r1, int c2, int r2, int targetColumn, int targetRow) {
    const QImage copy = copyRaster();
    const QRect source(ColumnToX(c1), RowToY(r1), ColumnToX(c2) - ColumnToX(c1), RowToY(r2) - RowToY(r1));
    if (source.width() <= 0 || source.height() <= 0) return;
    Painter painter(*this);
    painter.p().drawImage(QPoint(ColumnToX(targetColumn), RowToY(targetRow)), copy, source);
}

void TextScreen::moveSection(int c1, int r1, int c2, int r2, int targetColumn, int targetRow,
                             const QColor& colour) {
    const QImage copy = copyRaster();
    clearSection(c1, r1, c2, r2, colour);
    const QRect source(ColumnToX(c1), RowToY(r1), ColumnToX(c2) - ColumnToX(c1), RowToY(r2) - RowToY(r1));
    if (source.width() <= 0 || source.height() <= 0) return;
    Painter painter(*this);
    painter.p().drawImage(QPoint(ColumnToX(targetColumn), RowToY(targetRow)), copy, source);
}

void TextScreen::restoreRaster(const QImage& copy) {
    Painter painter(*this);
    painter.p().setCompositionMode(QPainter::CompositionMode_Source);
    painter.p().drawImage(QPoint(0, 0), copy);
}

std::filesystem::path TextScreen::userFile() const {
    if (!learnerDir_.empty()) {
        if (auto mine = FindIgnoringCase(learnerDir_, kUserFileName)) return *mine;
    }
    return ResolveInFolder(projectDir_, kUserFileName);
}

std::optional<QImage> TextScreen::loadPicture(std::string_view file, std::filesystem::path* path) {
    const auto found = FindIgnoringCase(projectDir_, file);
    std::error_code ec;
    if (!found || !std::filesystem::is_regular_file(*found, ec)) {
        reportError(QStringLiteral("The Image file ") + FromCp1252(file) + QStringLiteral(" was not found"));
        return std::nullopt;
    }
    QString why;
    QImage image = ReadPicture(*found, &why);
    if (image.isNull()) {
        reportError(QStringLiteral("The picture file %1 cannot be drawn: %2").arg(FromCp1252(file), why));
        return std::nullopt;
    }
    if (path) *path = *found;
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
        // Rounded half to even, as the original's Round did.
        height = static_cast<int>(std::nearbyint(static_cast<double>(w) * height / width));
        width = w;
    }
    pictures_.push_back({placed(ColumnToX(column), RowToY(row), width, height), FromCp1252(file),
                         std::move(*image)});
    return true;
}

void TextScreen::imageLabel(int column, int row, int endColumn, const QColor& textColour,
                            const QColor& backColour, std::string_view text) {
    addTextLabel(ColumnToX(column), RowToY(row), ColumnToX(endColumn) - ColumnToX(column),
                 FromCp1252(text), textColour, backColour);
}

void TextScreen::imageHypertext(int column, int row, const QColor& textColour,
                                const QColor& backColour, std::string_view text) {
    const std::string_view word = text.size() >= 2 ? text.substr(1, text.size() - 2) : std::string_view();
    addHyperLabel(ColumnToX(column), RowToY(row), FromCp1252(word), textColour, backColour);
}

}  // namespace quill
