#include "aids/show_htext_form.h"

#include <QPushButton>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>

#include "aids/entry_color.h"
#include "screen/text_screen.h"
#include "richtext/rtf_reader.h"

namespace quill {

TShowHTextForm::TShowHTextForm(const TScreenBackground& settings, const std::vector<std::string>& text,
                               QPoint origin, QWidget* parent, const QString& caption)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setObjectName("TShowHTextForm");
    setWindowTitle(caption.isEmpty() ? QStringLiteral(" ") : caption);
    const QColor color = ColourFromRecord(settings.WindowColor);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, color);
    pal.setColor(QPalette::Base, color);
    setPalette(pal);
    setAutoFillBackground(true);

    RichEdit1_ = new QTextBrowser(this);
    RichEdit1_->setObjectName("RichEdit1");
    RichEdit1_->setFrameShape(QFrame::NoFrame);
    RichEdit1_->setOpenLinks(false);
    auto doc = RichTextDocument(WithoutClosingLine(text));
    doc->setParent(RichEdit1_);
    RichEdit1_->setDocument(doc.release());

    auto* ok = new QPushButton("&OK", this);
    ok->setObjectName("OKBtn");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 4);
    layout->addWidget(RichEdit1_);
    layout->addWidget(ok, 0, Qt::AlignHCenter);

    const int width = std::clamp(settings.WindowWidth, 40, 4000) + 3;
    const int height = std::clamp(settings.WindowHeight, 40, 4000);
    resize(width, height);
    move(origin + QPoint(settings.WindowLeft, settings.WindowTop));
    ok->setFocus();
}

}  // namespace quill
