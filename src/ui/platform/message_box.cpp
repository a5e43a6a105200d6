#include "platform/message_box.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QTextDocument>
#include <QTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

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
    text_ = new QTextEdit(this);
    text_->setObjectName(QStringLiteral("MessageText"));
    text_->setReadOnly(true);
    text_->setPlainText(text);
    text_->setFrameShape(QFrame::NoFrame);
    text_->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    text_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // Tab reaches the text to scroll it by keyboard; the box opens on its default button.
    text_->setFocusPolicy(Qt::TabFocus);
    QPalette palette = text_->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    text_->setPalette(palette);
    top->addWidget(text_, 1);

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
    QTextDocument* doc = text_->document();
    const int docMargin = static_cast<int>(doc->documentMargin() * 2);
    const QFontMetrics fm(text_->font());
    int natural = 0;
    for (const QString& line : doc->toPlainText().split(u'\n')) {
        natural = std::max(natural, fm.horizontalAdvance(line) + docMargin + 2);
        if (natural > available.width()) break;
    }
    const int maxTextWidth = std::max(160, static_cast<int>(available.width() * kTextWidthShare));
    int textWidth = std::clamp(natural, 160, maxTextWidth);
    // Measured on a copy: the box's own document follows the width of the widget, which is
    // not laid out yet.
    QTextDocument measure;
    measure.setDefaultFont(doc->defaultFont());
    measure.setDocumentMargin(doc->documentMargin());
    measure.setDefaultTextOption(doc->defaultTextOption());
    measure.setPlainText(doc->toPlainText());
    measure.setTextWidth(textWidth);
    int textHeight = static_cast<int>(std::ceil(measure.size().height())) + 1;
    const int chrome = margins.top() + margins.bottom() + spacing + buttons_->sizeHint().height() + frame;
    const int maxTextHeight = std::max(fm.height() * 3, available.height() - chrome);
    if (textHeight > maxTextHeight) {
        // Scrolled: the scroll bar comes beside the text, which keeps its width.
        textHeight = maxTextHeight;
        text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        textWidth += text_->verticalScrollBar()->sizeHint().width();
    } else {
        text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
    text_->setFixedSize(textWidth, textHeight);
    adjustSize();
    setMaximumSize(available.size());
}

}  // namespace quill
