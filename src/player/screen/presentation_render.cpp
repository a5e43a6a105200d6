#include "screen/presentation_render.h"
#include "project/tutorial_folder.h"

#include <QPainter>
#include <QPolygon>
#include <QTextDocument>

#include "project/font_spec.h"
#include "richtext/rtf_reader.h"
#include "screen/background_picture.h"
#include "screen/presentation_layout.h"
#include "screen/record_font.h"
#include "screen/text_screen.h"
#include "text/file_lookup.h"
#include "text_codec.h"

namespace quill {

namespace fs = std::filesystem;

namespace {

QImage NewSurface(QColor fill) {
    QImage image(kDesignWidth, kDesignHeight, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

// A screen background through the loader the windows use: a picture they refuse or cannot read
// leaves the colour alone here too.
void PaintBackground(QPainter& p, QRect area, const fs::path& dir, int type, std::uint32_t colour,
                     const std::string& graphic, const std::string& wallpaper) {
    PaintBackgroundPicture(p, area, LoadBackgroundPicture(TutorialFolder(dir), type, colour, graphic, wallpaper));
}

// A raised bar with its text centred in the font that the font text names.
void PaintBar(QPainter& p, QRect r, const std::string& text, const std::string& fontSpec, std::uint32_t back) {
    p.fillRect(r, ColourFromRecord(back));
    p.setPen(Qt::white);
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(Qt::darkGray);
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
    QColor colour;
    p.setFont(FontOfRecordText(fontSpec, &colour));
    p.setPen(colour);
    p.drawText(r, Qt::AlignCenter, FromCp1252(text));
}

int PointSize(const std::string& spec) {
    const auto font = FontFromSpec(spec);
    return font ? font->size : 10;
}

}  // namespace

QImage RenderAboutBox(const TTutorialConfig& c, const fs::path& dir) {
    namespace A = cfg::About;
    QImage image = NewSurface(QColor(0x80, 0x80, 0x80));
    QPainter p(&image);
    const QRect box(120, 90, 400, 300);
    p.fillRect(box, QColor(0xC0, 0xC0, 0xC0));
    p.setPen(Qt::black);
    p.drawRect(box.adjusted(0, 0, -1, -1));
    const QRect caption(box.left() + 1, box.top() + 1, box.width() - 2, 22);
    p.fillRect(caption, QColor(0x00, 0x00, 0x80));
    p.setPen(Qt::white);
    QFont font(QStringLiteral("Arial"), 9);
    font.setBold(true);
    p.setFont(font);
    p.drawText(caption.adjusted(6, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, FromCp1252(c.get(A::BoxTitle)));

    int left = box.left() + 16;
    if (c.get(A::UseIcon)) {
        const QImage icon = ReadFolderPicture(TutorialFolder(dir), c.get(A::IconFile)).image;
        // A missing or unreadable icon leaves no room, as in the window.
        if (!icon.isNull()) {
            p.drawImage(QRect(left, box.top() + 36, 48, 48), icon);
            left += 64;
        }
    }
    p.setPen(Qt::black);
    font.setBold(false);
    font.setPointSize(10);
    p.setFont(font);
    int y = box.top() + 36;
    for (const StrField& f : {A::ProgramName, A::VersionText, A::AuthorLine}) {
        p.drawText(QRect(left, y, box.right() - left - 12, 20), Qt::AlignLeft | Qt::AlignVCenter,
                   FromCp1252(c.get(f)));
        y += 22;
    }
    // As the window's label: an empty comment is a line break and a blank line.
    QString comments;
    for (const StrField& f : {A::Comment1, A::Comment2, A::Comment3, A::Comment4}) {
        const std::string text = c.get(f);
        comments += text.empty() ? QStringLiteral("\n\n") : FromCp1252(text) + ' ';
    }
    p.drawText(QRect(box.left() + 16, y + 8, box.width() - 32, box.bottom() - y - 56), Qt::TextWordWrap, comments);
    const QRect ok(box.center().x() - 38, box.bottom() - 38, 76, 25);
    p.fillRect(ok, QColor(0xC0, 0xC0, 0xC0));
    p.drawRect(ok);
    p.drawText(ok, Qt::AlignCenter, QStringLiteral("OK"));
    return image;
}

QImage RenderIntroduction(const TTutorialConfig& c, const fs::path& dir, const std::vector<std::string>& text) {
    namespace I = cfg::Intro;
    const TScreenBackgroundLayout& s = I::Screen;
    const IntroScreenLayout layout = ComputeIntroScreenLayout(
        c.get(I::TitleBarOn), PointSize(c.get(I::TitleBarFont)), c.get(I::StatusBarOn),
        PointSize(c.get(I::StatusBarFont)), c.get(s.TextWindowOff) != 0,
        QRect(c.get(s.WindowLeft), c.get(s.WindowTop), c.get(s.WindowWidth), c.get(s.WindowHeight)));
    QImage image = NewSurface(Qt::white);
    QPainter p(&image);
    PaintBackground(p, image.rect(), dir, c.get(s.ScreenType), c.get(s.ScreenColor), c.get(s.GraphicFile),
                    c.get(s.WallpaperFile));
    if (!layout.titleBar.isEmpty())
        PaintBar(p, layout.titleBar, c.get(I::TitleBarText), c.get(I::TitleBarFont), c.get(I::TitleBarColor));
    if (!layout.statusBar.isEmpty())
        PaintBar(p, layout.statusBar, c.get(I::StatusBarText), c.get(I::StatusBarFont), c.get(I::StatusBarColor));
    p.fillRect(layout.text, ColourFromRecord(c.get(s.WindowColor)));
    // The window's text box always shows its vertical scroll bar, at its right edge.
    constexpr int kScrollBarWidth = 16;
    const QRect bar(layout.text.right() - kScrollBarWidth + 1, layout.text.top(), kScrollBarWidth,
                    layout.text.height());
    p.fillRect(bar, QColor(0xE0, 0xE0, 0xE0));
    for (const bool up : {true, false}) {
        const QRect arrow(bar.left(), up ? bar.top() : bar.bottom() - kScrollBarWidth + 1, kScrollBarWidth,
                          kScrollBarWidth);
        p.fillRect(arrow, QColor(0xC0, 0xC0, 0xC0));
        const int cx = arrow.center().x(), cy = arrow.center().y();
        const QPolygon triangle = up ? QPolygon({QPoint(cx - 4, cy + 2), QPoint(cx + 4, cy + 2), QPoint(cx, cy - 2)})
                                     : QPolygon({QPoint(cx - 4, cy - 2), QPoint(cx + 4, cy - 2), QPoint(cx, cy + 2)});
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        p.drawPolygon(triangle);
    }
    const int textWidth = layout.text.width() - kScrollBarWidth - 4;
    auto doc = RichTextDocument(text);
    doc->setTextWidth(textWidth);
    p.save();
    p.translate(layout.text.topLeft() + QPoint(2, 2));
    doc->drawContents(&p, QRectF(0, 0, textWidth, layout.text.height() - 4));
    p.restore();
    return image;
}

QImage RenderMainMenu(const TTutorialConfig& c, const fs::path& dir) {
    namespace M = cfg::MainMenu;
    QImage image = NewSurface(Qt::white);
    QPainter p(&image);
    int top = 0, bottom = kDesignHeight;
    if (c.get(M::TitleBarOn)) top = kMenuTitleBarHeight;
    if (c.get(M::StatusBarOn)) bottom = kDesignHeight - kMenuStatusBarHeight;
    const QRect area(0, top, kDesignWidth, bottom - top);
    PaintBackground(p, area, dir, c.get(M::ScreenType), c.get(M::ScreenColor), c.get(M::GraphicFile),
                    c.get(M::WallpaperFile));
    if (c.get(M::TitleBarOn))
        PaintBar(p, QRect(0, 0, kDesignWidth, kMenuTitleBarHeight), c.get(M::TitleBarText), c.get(M::TitleBarFont),
                 c.get(M::TitleBarColor));
    if (c.get(M::StatusBarOn))
        PaintBar(p, QRect(0, bottom, kDesignWidth, kMenuStatusBarHeight), c.get(M::StatusBarText),
                 c.get(M::StatusBarFont), c.get(M::StatusBarColor));

    const MainMenuLayout layout = ComputeMainMenuLayout(c.get(M::ChapterCount), c.get(M::SingleColumn) == 1);
    const QPoint origin = area.topLeft() + CentredPanelOrigin(area.size(), layout.panel);
    p.translate(origin);
    PaintBar(p, QRect(QPoint(0, 0), layout.panel), std::string(), std::string(), c.get(M::MenuColor));
    PaintBar(p, layout.titleBar, c.get(M::MenuTitle), c.get(M::MenuTitleFont), c.get(M::MenuTitleColor));
    const std::string pickFont = "10 0 0 Arial";
    for (int n = 1; n <= layout.count; ++n)
        PaintBar(p, QRect(layout.picks[n - 1], QSize(kMenuPickWidth, kMenuPickHeight)), c.get(M::Chapter(n).Topic),
                 pickFont, c.get(M::MenuPickColor));
    PaintBar(p, QRect(layout.quit, QSize(kMenuPickWidth, kMenuPickHeight)), c.get(M::QuitPick), pickFont,
             c.get(M::MenuPickColor));
    return image;
}

}  // namespace quill
