#include "platform/message_box.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

namespace quill {

namespace {

QStyle::StandardPixmap IconPixmap(QMessageBox::Icon icon) {
    switch (icon) {
        case QMessageBox::Critical: return QStyle::SP_MessageBoxCritical;
        case QMessageBox::Warning: return QStyle::SP_MessageBoxWarning;
        case QMessageBox::Question: return QStyle::SP_MessageBoxQuestion;
        default: return QStyle::SP_MessageBoxInformation;
    }
}

// The widest a box's text grows before it wraps, as a share of the screen's width.
constexpr double kTextWidthShare = 0.6;

}  // namespace

MessageBoxDialog::MessageBoxDialog(QMessageBox::Icon icon, const QString& title, const QString& text,
                                   QDialogButtonBox::StandardButtons buttons,
                                   QDialogButtonBox::StandardButton defaultButton,
                                   QDialogButtonBox::StandardButton escapeButton, QWidget* parent)
    : QDialog(parent), answer_(escapeButton) {
    setObjectName(QStringLiteral("MessageBox"));
    setWindowTitle(title);

    auto* top = new QHBoxLayout;
    if (icon != QMessageBox::NoIcon) {
        auto* iconLabel = new QLabel(this);
        iconLabel->setObjectName(QStringLiteral("MessageIcon"));
        const int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
        iconLabel->setPixmap(style()->standardIcon(IconPixmap(icon), nullptr, this).pixmap(size, size));
        iconLabel->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
        top->addWidget(iconLabel, 0, Qt::AlignTop);
    }
    text_ = new QLabel(text);
    text_->setObjectName(QStringLiteral("MessageText"));
    text_->setTextFormat(Qt::PlainText);
    text_->setWordWrap(true);
    text_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    text_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    area_ = new QScrollArea(this);
    area_->setObjectName(QStringLiteral("MessageArea"));
    area_->setFrameShape(QFrame::NoFrame);
    area_->setWidgetResizable(true);
    area_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area_->setFocusPolicy(Qt::NoFocus);
    area_->setWidget(text_);
    area_->setBackgroundRole(QPalette::Window);
    top->addWidget(area_, 1);

    buttons_ = new QDialogButtonBox(buttons, this);
    buttons_->setCenterButtons(true);
    if (QPushButton* b = buttons_->button(defaultButton)) {
        b->setDefault(true);
        b->setFocus();
    }
    connect(buttons_, &QDialogButtonBox::clicked, this, [this](QAbstractButton* b) {
        answer_ = buttons_->standardButton(b);
        accept();
    });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(buttons_);

    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    fitTo(screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768));
}

void MessageBoxDialog::fitTo(const QRect& available) {
    // The text's own width up to a share of the screen, then wrapped; the height it needs at
    // that width up to what the screen leaves beside the buttons and the frame, then scrolled.
    const QMargins margins = layout()->contentsMargins();
    const int spacing = std::max(layout()->spacing(), 6);
    const int frame = 40;  // title bar and window frame
    const QFontMetrics fm(text_->font());
    int natural = 0;
    for (const QString& line : text_->text().split(u'\n')) {
        natural = std::max(natural, fm.horizontalAdvance(line) + 2);
        if (natural > available.width()) break;
    }
    const int maxTextWidth = static_cast<int>(available.width() * kTextWidthShare);
    int textWidth = std::clamp(natural, 120, std::max(120, maxTextWidth));
    const int needed = text_->heightForWidth(textWidth);
    const int chrome = margins.top() + margins.bottom() + spacing + buttons_->sizeHint().height() + frame;
    const int maxTextHeight = std::max(fm.height() * 3, available.height() - chrome);
    int textHeight = needed < 0 ? text_->sizeHint().height() : needed;
    if (textHeight > maxTextHeight) {
        // Scrolled: make room for the scroll bar and wrap again at the narrower width.
        textHeight = maxTextHeight;
        area_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        const int bar = area_->verticalScrollBar()->sizeHint().width();
        area_->setMinimumSize(textWidth + bar, textHeight);
    } else {
        area_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        area_->setMinimumSize(textWidth, textHeight);
    }
    area_->setMaximumHeight(textHeight);
    adjustSize();
    setMaximumSize(available.size());
}

}  // namespace quill
