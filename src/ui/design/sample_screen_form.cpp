#include "design/sample_screen_form.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "player/learner_screen.h"
#include "screen/presentation_layout.h"
#include "screen/text_screen.h"
#include "text_codec.h"

namespace quill {

namespace S = cfg::Screen;

TSampleScreenForm::TSampleScreenForm(const TTutorialConfig& c, QWidget* parent) : QDialog(parent) {
    setObjectName("TSampleScreenForm");
    setWindowTitle("This is a Sample Title");
    setFixedSize(kDesignWidth, kDesignHeight);
    FillColour(this, ColourFromRecord(c.get(S::ScreenBackColor)));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);

    auto* title = new QLabel("This is a Sample Title", this);
    title->setObjectName("TitleLbl");
    title->setAlignment(Qt::AlignCenter);
    title->setFont(FontFromSpecText(c.get(S::TitleFont)));
    title->setFixedHeight(TextScreen::kTitleHeight);
    FillColour(title, ColourFromRecord(c.get(S::TitleBackColor)));
    FillColour(title, ColourFromRecord(c.get(S::TitleTextColor)), QPalette::WindowText);
    layout->addWidget(title);

    auto* body = new QVBoxLayout;
    body->setContentsMargins(40, 20, 40, 20);
    const QColor text = ColourFromRecord(c.get(S::ScreenTextColor));
    auto addLine = [&](const QString& caption, bool bold, bool italic, const QColor& colour, bool underline = false) {
        auto* line = new QLabel(caption, this);
        QFont font("Courier New", 10);
        font.setBold(bold);
        font.setItalic(italic);
        font.setUnderline(underline);
        line->setFont(font);
        QPalette pal = line->palette();
        pal.setColor(QPalette::WindowText, colour);
        line->setPalette(pal);
        body->addWidget(line);
        return line;
    };
    addLine("This is an example of regular Text", false, false, text);
    addLine("This is an example of Bold Text", true, false, text);
    addLine("This is an example of Italic Text", false, true, text);
    addLine("This is an example of Bold Italic Text", true, true, text);
    addLine("This is a HyperText Link", false, false, ColourFromRecord(c.get(S::HyperTextColor)), true)
        ->setObjectName("HyperLbl");
    body->addStretch();
    layout->addLayout(body);

    auto* bar = new QFrame(this);
    bar->setObjectName("ControlBarPnl");
    bar->setFixedHeight(TextScreen::kControlBarHeight);
    bar->setFrameShape(QFrame::Panel);
    bar->setFrameShadow(QFrame::Raised);
    FillColour(bar, ColourFromRecord(c.get(S::ControlBarColor)));
    auto* buttons = new QHBoxLayout(bar);
    buttons->setContentsMargins(4, 2, 4, 2);
    for (const StrField& field : {S::ContinueCaption, S::PagebackCaption, S::UtilitiesCaption, S::HelpButtonCaption,
                                  S::QuitButtonCaption}) {
        auto* button = new QPushButton(FromCp1252(c.get(field)), bar);
        FillColour(button, ColourFromRecord(c.get(S::ControlBarColor)), QPalette::Button);
        connect(button, &QPushButton::clicked, this, &QDialog::accept);
        buttons->addWidget(button);
    }
    layout->addWidget(bar);
}

void TSampleScreenForm::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) accept();
}

}  // namespace quill
