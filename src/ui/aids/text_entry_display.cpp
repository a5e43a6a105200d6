#include "aids/text_entry_display.h"

#include <QPushButton>
#include <QTextBrowser>
#include <QTextDocument>

#include "aids/entry_color.h"
#include "screen/text_screen.h"
#include "richtext/rtf_reader.h"
#include "ui_text_entry_display.h"

namespace quill {

TextEntryDisplay::TextEntryDisplay(const TScreenBackground& settings, const std::vector<std::string>& text,
                               QPoint origin, QWidget* parent, const QString& caption)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      ui_(std::make_unique<Ui::TextEntryDisplay>()) {
    ui_->setupUi(this);
    setWindowTitle(caption.isEmpty() ? QStringLiteral(" ") : caption);
    const QColor color = ColourFromRecord(settings.WindowColor);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, color);
    pal.setColor(QPalette::Base, color);
    setPalette(pal);

    auto doc = RichTextDocument(WithoutClosingLine(text));
    doc->setParent(ui_->RichEdit1);
    ui_->RichEdit1->setDocument(doc.release());

    QPushButton* ok = ui_->ButtonBox->addButton("&OK", QDialogButtonBox::AcceptRole);
    ok->setObjectName("OKBtn");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    const int width = std::clamp(settings.WindowWidth, 40, 4000) + 3;
    const int height = std::clamp(settings.WindowHeight, 40, 4000);
    resize(width, height);
    move(origin + QPoint(settings.WindowLeft, settings.WindowTop));
    ok->setFocus();
}

TextEntryDisplay::~TextEntryDisplay() = default;

QTextBrowser* TextEntryDisplay::RichEdit() const { return ui_->RichEdit1; }

}  // namespace quill
