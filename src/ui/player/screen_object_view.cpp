#include "player/screen_object_view.h"

#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <algorithm>

#include "player/screen_widgets.h"
#include "screen/text_screen.h"

namespace quill {

ScreenObjectView::ScreenObjectView(QWidget* window, DesignPlacement& placement, Handlers handlers)
    : window_(window), placement_(placement), handlers_(std::move(handlers)) {
    auto* area = new ScreenArea(window);
    area->setObjectName(QStringLiteral("PaintBox1"));
    placement_.place(area, QRect(QPoint(0, 0), kDesignSize));
    area->onClick = [this] {
        if (handlers_.screenClick) handlers_.screenClick();
    };
    area_ = area;

    auto* image = new ClickLabel(window);
    image->setObjectName(QStringLiteral("Image1"));
    image->onClick = [this] {
        if (handlers_.imageClick) handlers_.imageClick();
    };
    image->setScaledContents(true);
    image->hide();
    image_ = image;

    textPanel_ = new QFrame(window);
    textPanel_->setObjectName(QStringLiteral("TextPnl"));
    textPanel_->setFrameStyle(QFrame::Panel | QFrame::Raised);
    textPanel_->setLineWidth(5);
    SetColours(textPanel_, kPanelFace);
    textPanel_->hide();
    richText_ = new RichTextView(textPanel_);
    richText_->setObjectName(QStringLiteral("RichEdit1"));
    // Below the window's frame, the raster at the bottom.
    for (QWidget* w : {static_cast<QWidget*>(textPanel_), static_cast<QWidget*>(image_), area_}) w->lower();
}

void ScreenObjectView::SetScreen(const TextScreen* screen) {
    screen_ = screen;
    static_cast<ScreenArea*>(area_)->screen = screen;
    area_->update();
}

void ScreenObjectView::SetBackground(const QColor& back) {
    static_cast<ScreenArea*>(area_)->back = back;
    area_->update();
}

void ScreenObjectView::SetScale(const ScreenScale& scale) {
    static_cast<ScreenArea*>(area_)->scale = scale;
    static_cast<RichTextView*>(richText_)->SetScale(scale.factor);
}

void ScreenObjectView::Sync() {
    const int top = screen_ ? screen_->titleOffset() : 0;
    placement_.place(area_, QRect(0, top, kDesignWidth, kDesignHeight - top));
    SyncPictureAndText();

    static const std::vector<HyperLabel> noHyper;
    static const std::vector<TextLabel> noText;
    static const std::vector<Picture> noPictures;
    static const std::vector<PanelBox> noPanels;
    static const std::vector<MenuButton> noMenu;
    const auto& pictures = screen_ ? screen_->pictures() : noPictures;
    std::vector<PictureKey> pictureKeys;
    for (const Picture& p : pictures) pictureKeys.push_back({p.rect, p.file});
    // Each kind in the order the widgets stack, pictures at the bottom.
    bool changed = SyncKind<PictureKey, Picture>(pictures_, pictureKeys, pictures,
                                                 [this](const Picture& p) { return MakePicture(p); });
    const auto& texts = screen_ ? screen_->textLabels() : noText;
    changed |= SyncKind<TextLabel, TextLabel>(texts_, texts, texts,
                                              [this](const TextLabel& t) { return MakeTextLabel(t); });
    const auto& hyper = screen_ ? screen_->hyperLabels() : noHyper;
    changed |= SyncKind<HyperLabel, HyperLabel>(hyper_, hyper, hyper,
                                                [this](const HyperLabel& h) { return MakeHyperLabel(h); });
    const auto& panels = screen_ ? screen_->panelBoxes() : noPanels;
    changed |= SyncKind<PanelBox, PanelBox>(panels_, panels, panels,
                                            [this](const PanelBox& b) { return MakePanelBox(b); });
    const auto& menu = screen_ ? screen_->menuButtons() : noMenu;
    changed |= SyncKind<MenuButton, MenuButton>(menu_, menu, menu,
                                                [this](const MenuButton& m) { return MakeMenuButton(m); });
    if (changed) Restack();

    // Only the rows of the raster that changed since it was last shown are scaled and painted.
    auto* area = static_cast<ScreenArea*>(area_);
    if (screen_) {
        const QRect rows = area->raster.Take(screen_->image(), placement_.scale());
        if (!rows.isEmpty()) area->update(rows);
    } else {
        area->update();
    }
}

void ScreenObjectView::SyncPictureAndText() {
    // The full-screen picture and the window text panel are fixed widgets of the view.
    const int top = screen_ ? screen_->titleOffset() : 0;
    const ScreenImage* full = screen_ ? &screen_->screenImage() : nullptr;
    if (full && full->visible) {
        if (full->file != shownImageFile_ || !image_->isVisible()) {
            image_->setPixmap(QPixmap::fromImage(full->image));
            shownImageFile_ = full->file;
        }
        placement_.place(image_, QRect(0, top, full->image.width(), full->image.height()));
        image_->show();
    } else {
        image_->hide();
        shownImageFile_.clear();
    }
    const RichTextPanel* rich = screen_ ? &screen_->richText() : nullptr;
    auto* view = static_cast<RichTextView*>(richText_);
    if (rich && rich->visible) {
        if (rich->lines != shownRichLines_ || rich->rect != shownRichRect_ || !textPanel_->isVisible()) {
            view->SetLines(rich->lines);
            shownRichLines_ = rich->lines;
            shownRichRect_ = rich->rect;
        }
        placement_.place(textPanel_, rich->rect);
        placement_.place(richText_, QRect(QPoint(0, 0), rich->rect.size()).adjusted(5, 5, -5, -5));
        SetColours(textPanel_, rich->backColour);
        view->SetBackground(rich->backColour);
        textPanel_->show();
    } else {
        textPanel_->hide();
        shownRichLines_.clear();
    }
}

template <class Object, class Source>
bool ScreenObjectView::SyncKind(Shown<Object>& shown, const std::vector<Object>& now,
                                const std::vector<Source>& sources, const std::function<QWidget*(const Source&)>& make) {
    const std::vector<ObjectChange> changes = ObjectChanges(shown.objects, now);
    if (std::all_of(changes.begin(), changes.end(), [](ObjectChange c) { return c == ObjectChange::Keep; }))
        return false;
    // The player only changes the screen between waits, never inside a handler of these
    // widgets, so they can go at once (deferred deletes would pile up until the run ends).
    for (std::size_t i = 0; i < changes.size(); ++i) {
        if (changes[i] == ObjectChange::Keep) continue;
        if (i < shown.widgets.size()) delete shown.widgets[i].data();
        if (changes[i] == ObjectChange::Remove) continue;
        QWidget* w = make(sources[i]);
        w->show();
        if (i < shown.widgets.size())
            shown.widgets[i] = w;
        else
            shown.widgets.emplace_back(w);
    }
    shown.widgets.resize(now.size());
    shown.objects = now;
    return true;
}

void ScreenObjectView::Restack() {
    // The objects stand over the raster, the picture and the window text, kind over kind in
    // the order of Sync and in the screen's order within a kind.
    for (const auto* widgets : {&pictures_.widgets, &texts_.widgets, &hyper_.widgets, &panels_.widgets, &menu_.widgets})
        for (const QPointer<QWidget>& w : *widgets)
            if (w) w->raise();
}

QWidget* ScreenObjectView::MakePicture(const Picture& p) {
    auto* l = new ClickLabel(window_);
    l->setObjectName(QStringLiteral("Picture"));
    l->setScaledContents(true);
    l->setPixmap(QPixmap::fromImage(p.image));
    placement_.place(l, p.rect);
    // A placed picture has no click action; it keeps its clicks from the screen below.
    return l;
}

QWidget* ScreenObjectView::MakeTextLabel(const TextLabel& t) {
    auto* l = new QLabel(t.text, window_);
    l->setObjectName(QStringLiteral("TextLabel"));
    placement_.setFont(l, Courier(13, true));
    l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    placement_.place(l, t.rect);
    SetColours(l, t.backColour, t.textColour);
    return l;
}

QWidget* ScreenObjectView::MakeHyperLabel(const HyperLabel& h) {
    auto* l = new KeyLabel(window_, KeyLabel::Look::Word);
    l->setObjectName(QStringLiteral("HyperLabel"));
    l->setText(h.text);
    l->setTextFormat(Qt::PlainText);
    placement_.setFont(l, Courier(13, true, true));
    l->SetWordCells(h.rect.size(), Courier(13, true, true));
    placement_.place(l, h.rect);
    l->setCursor(Qt::PointingHandCursor);
    SetColours(l, h.backColour, h.textColour);
    l->onClick = [this, name = h.text] {
        if (handlers_.hyperClick) handlers_.hyperClick(name);
    };
    return l;
}

QWidget* ScreenObjectView::MakePanelBox(const PanelBox& b) {
    auto* l = new QLabel(b.caption, window_);
    l->setObjectName(QStringLiteral("PanelBox"));
    placement_.setFont(l, b.font);
    const Qt::Alignment h = b.alignment == kAlignCentre  ? Qt::AlignHCenter
                            : b.alignment == kAlignRight ? Qt::AlignRight
                                                         : Qt::AlignLeft;
    l->setAlignment(h | Qt::AlignVCenter);
    placement_.place(l, b.rect);
    SetColours(l, b.backColour, b.textColour);
    return l;
}

QWidget* ScreenObjectView::MakeMenuButton(const MenuButton& m) {
    auto* l = new KeyLabel(window_, KeyLabel::Look::Button);
    l->setObjectName(QStringLiteral("MenuButton%1").arg(m.number));
    l->setText(m.caption);
    l->setAlignment(Qt::AlignCenter);
    l->setCursor(Qt::PointingHandCursor);
    placement_.place(l, m.rect);
    placement_.setFont(l, l->font());
    SetColours(l, kPanelFace, Qt::black);
    l->onClick = [this, number = m.number] {
        if (handlers_.menuClick) handlers_.menuClick(number);
    };
    return l;
}

std::vector<QWidget*> ScreenObjectView::HyperWords() const {
    std::vector<QWidget*> words;
    for (const QPointer<QWidget>& w : hyper_.widgets)
        if (w && w->isVisible()) words.push_back(w.data());
    return words;
}

std::vector<QWidget*> ScreenObjectView::MenuButtons() const {
    std::vector<QWidget*> buttons;
    for (const QPointer<QWidget>& w : menu_.widgets)
        if (w && w->isVisible()) buttons.push_back(w.data());
    return buttons;
}

bool ScreenObjectView::IsMenuButton(const QWidget* widget) const {
    return widget && std::any_of(menu_.widgets.begin(), menu_.widgets.end(),
                                 [widget](const QPointer<QWidget>& w) { return w.data() == widget; });
}

}  // namespace quill
