#include "screen/text_screen.h"
#include "project/tutorial_folder.h"

#include <QGlyphRun>
#include <QPainter>
#include <QRawFont>
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
// with a glyph table of the 256 Windows-1252 characters, and each glyph's pixels as a mask.
// The screen font draws without smoothing, so a glyph is a fixed set of pixels relative to its
// cell: text is drawn by setting those pixels, never building fonts, strings or glyph runs per
// character. The masks are made once, by drawing each glyph with QPainter exactly as a glyph
// run at its cell would draw it.
struct TextScreen::Fonts {
    // A glyph's pixels: row r of the mask is the cell row r - kMaskTop; bit b of a row is the
    // cell column b - kMaskLeft.
    static constexpr int kMaskTop = 8, kMaskLeft = 8, kMaskRows = 40;
    struct Mask {
        std::array<quint32, kMaskRows> rows{};
        int first = kMaskRows, last = -1;  // the rows that have pixels
    };

    std::array<QFont, 8> fonts;
    std::array<QRawFont, 4> raw;                       // index: style & (bold | italic)
    std::array<std::array<quint32, 256>, 4> glyphs{};  // glyph of each byte, per raw font
    std::array<bool, 256> blank{};                     // control characters draw no glyph
    std::array<std::array<Mask, 256>, 4> masks;        // pixels of each byte, per raw font
    int ascent = 11;
    int height = 15;
    int underlinePos = 2;
    int lineWidth = 1;

    static const Fonts& Shared() {
        static const Fonts fonts;
        return fonts;
    }

private:
    Fonts() {
        for (int s = 0; s < 8; ++s) {
            QFont f(QStringLiteral("Courier New"));
            // 10 points at 96 dots per inch, whatever the display says.
            f.setPixelSize(13);
            f.setStyleHint(QFont::TypeWriter);
            // Plain pixels on the cell grid: no font smoothing.
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

        // Each font's glyphs drawn once on a grid of 16 x 16 cells, then read back cell by cell.
        constexpr int kGrid = 16;
        QImage canvas(32 * kGrid, kMaskRows * kGrid, QImage::Format_RGB32);
        for (std::size_t r = 0; r < 4; ++r) {
            canvas.fill(Qt::black);
            QList<quint32> runGlyphs;
            QList<QPointF> runPositions;
            for (std::size_t b = 0; b < 256; ++b) {
                const quint32 glyph = blank[b] ? 0 : glyphs[r][b];
                if (glyph == 0) continue;
                const int gx = static_cast<int>(b % kGrid) * 32, gy = static_cast<int>(b / kGrid) * kMaskRows;
                runGlyphs.push_back(glyph);
                runPositions.push_back(QPointF(gx + kMaskLeft, gy + kMaskTop + ascent));
            }
            {
                QPainter p(&canvas);
                p.setRenderHint(QPainter::Antialiasing, false);
                p.setRenderHint(QPainter::TextAntialiasing, false);
                p.setPen(Qt::white);
                QGlyphRun run;
                run.setRawFont(raw[r]);
                run.setGlyphIndexes(runGlyphs);
                run.setPositions(runPositions);
                p.drawGlyphRun(QPointF(0, 0), run);
            }
            for (std::size_t b = 0; b < 256; ++b) {
                if (blank[b] || glyphs[r][b] == 0) continue;
                const int gx = static_cast<int>(b % kGrid) * 32, gy = static_cast<int>(b / kGrid) * kMaskRows;
                Mask& mask = masks[r][b];
                for (int y = 0; y < kMaskRows; ++y) {
                    const auto* line = reinterpret_cast<const QRgb*>(canvas.constScanLine(gy + y)) + gx;
                    quint32 bits = 0;
                    for (int x = 0; x < 32; ++x)
                        if (line[x] != qRgb(0, 0, 0)) bits |= quint32(1) << x;
                    mask.rows[static_cast<std::size_t>(y)] = bits;
                    if (bits) {
                        mask.first = std::min(mask.first, y);
                        mask.last = y;
                    }
                }
            }
        }
    }
};

// Drawing on the raster for the length of one operation. Text is collected as runs of
// characters drawn next to each other in one pen, each flushed as one fill of its cells and
// then its glyphs' pixels, straight into the image. The QPainter for other drawing is begun
// only when asked for.
class TextScreen::Painter {
public:
    explicit Painter(TextScreen& screen) : screen_(screen) {}
    ~Painter() { end(); }

    QPainter& p() {
        flush();
        begin();
        return painter_;
    }

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
        const Fonts& f = Fonts::Shared();
        QImage& image = screen_.image_;
        const QRect cells(x_, y_, 8 * count_, f.height);
        if (image.format() != QImage::Format_RGB32 || pen_.text.alpha() != 255 || pen_.brush.alpha() != 255 ||
            !pen_.text.isValid() || !pen_.brush.isValid()) {
            flushWithPainter(cells);
        } else {
            // A painter still open on the image would keep drawing on the buffer it began with
            // if writing here made the image detach from a copy.
            if (painter_.isActive()) painter_.end();
            // Opaque text: every cell gets the brush over the font's height, then the glyphs.
            const Raster raster{image.bits(), image.bytesPerLine(), image.width(), image.height()};
            Fill(raster, cells, pen_.brush.rgb());
            const QRgb ink = pen_.text.rgb();
            const auto& masks = f.masks[static_cast<std::size_t>(pen_.style & (kStyleBold | kStyleItalic))];
            for (int i = 0; i < count_; ++i) {
                const std::size_t b = bytes_[static_cast<std::size_t>(i)];
                if (f.blank[b]) continue;
                Blit(raster, masks[b], x_ + 8 * i, y_, ink);
            }
            if (pen_.style & kStyleUnderline)
                Fill(raster, QRect(x_, y_ + f.ascent + f.underlinePos, 8 * count_, f.lineWidth), ink);
        }
        count_ = 0;
    }

private:
    static constexpr int kMaxRun = 128;

    // Pens compared by what they draw; cheaper than QColor's comparison on every character.
    static bool SamePen(const PenState& a, const PenState& b) {
        return a.style == b.style && a.text.rgba() == b.text.rgba() && a.brush.rgba() == b.brush.rgba() &&
               a.text.isValid() == b.text.isValid() && a.brush.isValid() == b.brush.isValid();
    }

    // The pixels of the image (32 bits each), taken once per run: QImage::scanLine() checks
    // for sharing on every call.
    struct Raster {
        uchar* bits;
        qsizetype bytesPerLine;
        int width, height;
        QRgb* line(int y) const { return reinterpret_cast<QRgb*>(bits + y * bytesPerLine); }
    };

    static void Fill(const Raster& raster, const QRect& rect, QRgb colour) {
        const QRect r = rect.intersected(QRect(0, 0, raster.width, raster.height));
        if (r.isEmpty()) return;
        const QRgb pixel = 0xFF000000u | colour;
        for (int y = r.top(); y <= r.bottom(); ++y) {
            QRgb* line = raster.line(y) + r.left();
            std::fill(line, line + r.width(), pixel);
        }
    }

    static void Blit(const Raster& raster, const Fonts::Mask& mask, int cellX, int cellY, QRgb colour) {
        const QRgb pixel = 0xFF000000u | colour;
        const int width = raster.width, height = raster.height;
        for (int row = mask.first; row <= mask.last; ++row) {
            const int y = cellY + row - Fonts::kMaskTop;
            if (y < 0 || y >= height) continue;
            quint32 bits = mask.rows[static_cast<std::size_t>(row)];
            if (!bits) continue;
            QRgb* line = raster.line(y);
            while (bits) {
                const int bit = std::countr_zero(bits);
                bits &= bits - 1;
                const int x = cellX + bit - Fonts::kMaskLeft;
                if (x >= 0 && x < width) line[x] = pixel;
            }
        }
    }

    // Colours with transparency, or an image of another format: drawn by QPainter.
    void flushWithPainter(const QRect& cells) {
        const Fonts& f = Fonts::Shared();
        begin();
        painter_.fillRect(cells, pen_.brush);
        QList<quint32> glyphs;
        QList<QPointF> positions;
        const std::size_t r = static_cast<std::size_t>(pen_.style & (kStyleBold | kStyleItalic));
        for (int i = 0; i < count_; ++i) {
            const std::size_t b = bytes_[static_cast<std::size_t>(i)];
            const quint32 glyph = f.blank[b] ? 0 : f.glyphs[r][b];
            if (glyph == 0) continue;
            glyphs.push_back(glyph);
            positions.push_back(QPointF(x_ + 8 * i, y_ + f.ascent));
        }
        if (!glyphs.isEmpty()) {
            QGlyphRun run;
            run.setRawFont(f.raw[r]);
            run.setGlyphIndexes(glyphs);
            run.setPositions(positions);
            painter_.setPen(pen_.text);
            painter_.drawGlyphRun(QPointF(0, 0), run);
        }
        if (pen_.style & kStyleUnderline)
            painter_.fillRect(QRect(x_, y_ + f.ascent + f.underlinePos, 8 * count_, f.lineWidth), pen_.text);
    }

    TextScreen& screen_;
    QPainter painter_;
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
      fonts_(&Fonts::Shared()),
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

void TextScreen::fillCells(int x, int y, int width, int height, const QColor& colour) {
    if (width <= 0 || height <= 0) return;
    clearCells(QRect(x, y, width, height));
    Painter painter(*this);
    painter.p().fillRect(QRect(x, y, width, height), colour);
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

void TextScreen::clearCells(const QRect& pixels) {
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

void TextScreen::pasteCells(const std::vector<unsigned char>& from, const QRect& source, int targetX, int targetY) {
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

QString TextScreen::visibleText() const {
    QStringList rows;
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
    return rows.join(u'\n');
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
    std::fill(cells_.begin(), cells_.end(), 0);
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
    QImage image = ReadPicture(TutorialFolder(projectDir_), file, &why);
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
    if (auto error = HeadingError(config_, name, column, row, endColumn, line)) return error;
    const std::string wanted = UpperCaseCp1252(name);
    int found = 0;
    for (int n = 1; n <= static_cast<int>(cfg::Headings::Count); ++n)
        if (UpperCaseCp1252(config_.get(cfg::Headings::Entry(n).Name)) == wanted) found = n;

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
                       const QColor& backColour, std::string_view text,
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
    if (fill.isValid() && fill.alpha() == 255) clearCells(QRect(x1, y1, x2 - x1, y2 - y1));
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
    pasteCells(std::vector<unsigned char>(cells_), source, ColumnToX(targetColumn), RowToY(targetRow));
    Painter painter(*this);
    painter.p().drawImage(QPoint(ColumnToX(targetColumn), RowToY(targetRow)), copy, source);
}

void TextScreen::moveSection(int c1, int r1, int c2, int r2, int targetColumn, int targetRow,
                             const QColor& colour) {
    const QImage copy = copyRaster();
    const std::vector<unsigned char> cells = cells_;
    clearSection(c1, r1, c2, r2, colour);
    const QRect source(ColumnToX(c1), RowToY(r1), ColumnToX(c2) - ColumnToX(c1), RowToY(r2) - RowToY(r1));
    if (source.width() <= 0 || source.height() <= 0) return;
    pasteCells(cells, source, ColumnToX(targetColumn), RowToY(targetRow));
    Painter painter(*this);
    painter.p().drawImage(QPoint(ColumnToX(targetColumn), RowToY(targetRow)), copy, source);
}

void TextScreen::restoreRaster(const QImage& copy) {
    Painter painter(*this);
    painter.p().setCompositionMode(QPainter::CompositionMode_Source);
    painter.p().drawImage(QPoint(0, 0), copy);
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

std::optional<QImage> TextScreen::loadPicture(std::string_view file, std::filesystem::path* path) {
    const ProjectPath found = ResolveInProject(projectDir_, file);
    std::error_code ec;
    if (!found.inside) {
        reportError(QStringLiteral("The Image file ") + FromCp1252(file) +
                    QStringLiteral(" is outside the tutorial folder."));
        return std::nullopt;
    }
    if (!std::filesystem::is_regular_file(found.path, ec)) {
        reportError(QStringLiteral("The Image file ") + FromCp1252(file) + QStringLiteral(" was not found"));
        return std::nullopt;
    }
    QString why;
    QImage image = ReadPicture(TutorialFolder(projectDir_), found.path, &why);
    if (image.isNull()) {
        reportError(QStringLiteral("The picture file %1 cannot be drawn: %2").arg(FromCp1252(file), why));
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
