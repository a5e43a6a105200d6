#include "screen/screen_render.h"

#include <QPainter>
#include <QTextDocument>
#include <string>
#include <vector>

#include "host.h"
#include "richtext/rich_text_render.h"
#include "richtext/rtf_reader.h"
#include "screen/text_screen.h"

namespace quill {

namespace {

const QColor kFace(0xC0, 0xC0, 0xC0);       // button and panel face
const QColor kLight(0xFF, 0xFF, 0xFF);      // bevel highlight
const QColor kShadow(0x80, 0x80, 0x80);     // bevel shadow
const QColor kGrayText(0x80, 0x80, 0x80);   // disabled captions
const QColor kSelection(0x00, 0x00, 0x80);  // list selection

// A caption without its '&' hot-key marks ("&&" is one '&').
QString Caption(const QString& text) {
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size()) {
            ++i;
        }
        out += text[i];
    }
    return out;
}

void Bevel(QPainter& p, const QRect& r, bool raised) {
    if (r.width() < 2 || r.height() < 2) return;
    p.setPen(raised ? kLight : kShadow);
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(raised ? kShadow : kLight);
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
}

void Button(QPainter& p, const QRect& r, const QString& caption, bool enabled = true) {
    p.fillRect(r, kFace);
    Bevel(p, r, true);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(11);
    p.setFont(f);
    p.setPen(enabled ? QColor(Qt::black) : kGrayText);
    p.drawText(r, Qt::AlignCenter, Caption(caption));
}

QFont Courier(int pixels, bool bold = false, bool underline = false) {
    QFont f(QStringLiteral("Courier New"));
    f.setPixelSize(pixels);
    f.setStyleHint(QFont::TypeWriter);
    f.setStyleStrategy(QFont::NoAntialias);
    f.setBold(bold);
    f.setUnderline(underline);
    return f;
}

void Lines(QPainter& p, const QRect& r, const QStringList& lines, int lineHeight) {
    p.setFont(Courier(13));
    p.setPen(Qt::black);
    p.save();
    p.setClipRect(r.adjusted(2, 2, -2, -2));
    int y = r.top() + 3;
    for (const QString& l : lines) {
        p.drawText(QRect(r.left() + 4, y, r.width() - 8, lineHeight), Qt::AlignLeft | Qt::AlignVCenter, l);
        y += lineHeight;
        if (y > r.bottom()) break;
    }
    p.restore();
}

void DrawAnswers(QPainter& p, const AnswerControls& a) {
    if (a.input.visible) {
        p.fillRect(a.input.rect, Qt::white);
        Bevel(p, a.input.rect, false);
    }
    if (a.choice.visible) {
        p.fillRect(a.choice.rect, kFace);
        Bevel(p, a.choice.rect, true);
        Button(p, a.choice.leftButton, a.choice.left, a.choice.enabled);
        Button(p, a.choice.rightButton, a.choice.right, a.choice.enabled);
    }
    if (a.list.visible) {
        const QRect& r = a.list.rect;
        p.fillRect(r, Qt::white);
        Bevel(p, r, false);
        p.save();
        p.setClipRect(r.adjusted(2, 2, -2, -2));
        p.setFont(Courier(13));
        int y = r.top() + 2;
        for (int i = 0; i < a.list.items.size(); ++i) {
            const QRect row(r.left() + 2, y, r.width() - 4, 16);
            if (i == a.list.selected) p.fillRect(row, kSelection);
            p.setPen(i == a.list.selected ? QColor(Qt::white) : QColor(Qt::black));
            p.drawText(row.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, a.list.items[i]);
            y += 16;
        }
        p.restore();
    }
    for (const MemoBox* m : {&a.memo, &a.display}) {
        if (!m->visible) continue;
        p.fillRect(m->rect, kFace);
        const QRect text = m->readOnly ? m->rect : m->rect.adjusted(0, 0, 0, -32);
        p.fillRect(text.adjusted(2, 2, -2, -2), Qt::white);
        Bevel(p, text, false);
        Lines(p, text, m->lines, 16);
        if (!m->readOnly) {
            const QRect ok(m->rect.center().x() - 37, m->rect.bottom() - 28, 75, 25);
            Button(p, ok, QStringLiteral("OK"));
        }
    }
    for (const QuizAnswer& q : a.quiz) {
        p.fillRect(q.rect, q.backColour);
        Bevel(p, q.rect, true);
        const QRect number(q.rect.left() + 2, q.rect.top() + 2, 24, q.rect.height() - 4);
        p.fillRect(number, kFace);
        Bevel(p, number, true);
        p.setFont(Courier(13, true));
        p.setPen(Qt::black);
        p.drawText(number, Qt::AlignCenter, q.letter);
        p.drawText(q.rect.adjusted(32, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter, q.text);
    }
}

}  // namespace

QImage RenderScreen(const TextScreen& screen) {
    QImage out(TextScreen::kWidth, TextScreen::kHeight, QImage::Format_RGB32);
    out.fill(screen.colours().back);
    QPainter p(&out);
    const int top = screen.titleOffset();
    p.drawImage(QPoint(0, top), screen.image());

    const ScreenImage& full = screen.screenImage();
    if (full.visible) p.drawImage(QPoint(0, top), full.image);
    for (const Picture& pic : screen.pictures()) p.drawImage(pic.rect, pic.image);

    for (const TextLabel& l : screen.textLabels()) {
        p.fillRect(l.rect, l.backColour);
        p.setFont(Courier(13, true));
        p.setPen(l.textColour);
        p.drawText(l.rect, Qt::AlignHCenter | Qt::AlignTop, l.text);
    }
    for (const HyperLabel& l : screen.hyperLabels()) {
        p.fillRect(l.rect, l.backColour);
        p.setFont(Courier(13, true, true));
        p.setPen(l.textColour);
        for (qsizetype i = 0; i < l.text.size(); ++i)
            p.drawText(QRect(l.rect.left() + 8 * static_cast<int>(i), l.rect.top(), 8, l.rect.height()),
                       Qt::AlignLeft | Qt::AlignTop, QString(l.text[i]));
    }

    const RichTextPanel& rich = screen.richText();
    if (rich.visible) {
        // The window's rich-text panel: a raised border of 5 pixels around the text, which is
        // read and drawn by the same reader and renderer as the preview's text box.
        p.fillRect(rich.rect, rich.backColour);
        Bevel(p, rich.rect, true);
        auto doc = RichTextDocument(rich.lines);
        DrawRichText(p, *doc, rich.rect.adjusted(5, 5, -5, -5), rich.backColour);
    }
    for (const PanelBox& b : screen.panelBoxes()) {
        p.fillRect(b.rect, b.backColour);
        p.setFont(b.font);
        p.setPen(b.textColour);
        const Qt::Alignment h = b.alignment == kAlignCentre  ? Qt::AlignHCenter
                                : b.alignment == kAlignRight ? Qt::AlignRight
                                                             : Qt::AlignLeft;
        p.drawText(b.rect, h | Qt::AlignVCenter, b.caption);
    }
    for (const MenuButton& m : screen.menuButtons()) Button(p, m.rect, m.caption);
    DrawAnswers(p, screen.answers());

    const TitlePanel& title = screen.title();
    if (title.visible) {
        const QRect r(0, 0, TextScreen::kWidth, TextScreen::kTitleHeight);
        p.fillRect(r, title.backColour);
        Bevel(p, r, true);
        p.setFont(title.font);
        p.setPen(title.textColour);
        p.drawText(r, Qt::AlignCenter, title.text);
    }
    const ControlBar& bar = screen.controlBar();
    if (bar.visible) {
        const int y = TextScreen::kHeight - TextScreen::kControlBarHeight;
        const QRect r(0, y, TextScreen::kWidth, TextScreen::kControlBarHeight);
        p.fillRect(r, bar.colour);
        Bevel(p, r, true);
        // Continue, Help, Quit, Page back, Utilities.
        static constexpr int kLeft[kControlButtonCount] = {524, 272, 20, 398, 146};
        for (int i = 0; i < kControlButtonCount; ++i) {
            if (!bar.shown[static_cast<std::size_t>(i)]) continue;
            Button(p, QRect(kLeft[i], y + 6, 89, 20), bar.legends[static_cast<std::size_t>(i)]);
        }
    }
    return out;
}

}  // namespace quill
