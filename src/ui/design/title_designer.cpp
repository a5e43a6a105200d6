#include "design/title_designer.h"

#include <QApplication>
#include <QPushButton>

#include "design/design_common.h"
#include "platform/platform.h"
#include "common/learner_screen.h"
#include "project/config_record.h"
#include "project/font_spec.h"
#include "screen/text_screen.h"
#include "text_codec.h"
#include "ui_title_designer.h"

namespace quill {

TitleDesigner::TitleDesigner(Platform& platform, const QString& label, const BarDesign& design,
                                   std::size_t capacity, int helpTopic, QWidget* parent)
    : QDialog(parent), platform_(platform), design_(design), capacity_(capacity),
      ui_(std::make_unique<Ui::TitleDesigner>()) {
    ui_->setupUi(this);
    ui_->TextLbl->setText(label);
    ui_->TitleEdit->setMaxLength(static_cast<int>(capacity));
    ui_->TitleEdit->setText(FromCp1252(design_.text));
    WireDesignerButtons(this, ui_->ButtonBox, platform_, helpTopic, [] { return true; });
    connect(ui_->FontBtn, &QPushButton::clicked, this, &TitleDesigner::FontBtnClick);
    connect(ui_->ColorBtn, &QPushButton::clicked, this, &TitleDesigner::ColorBtnClick);
    connect(ui_->TextColorBtn, &QPushButton::clicked, this, &TitleDesigner::TextColorBtnClick);
    ShowSample();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

TitleDesigner::~TitleDesigner() = default;

void TitleDesigner::ShowSample() {
    QColor text;
    ui_->TitleEdit->setFont(FontOfRecordText(design_.font, &text));
    QPalette pal = ui_->TitleEdit->palette();
    pal.setColor(QPalette::Base, ColourFromRecord(design_.color));
    pal.setColor(QPalette::Text, text);
    ui_->TitleEdit->setPalette(pal);
    ui_->TitleEdit->setMinimumHeight(ui_->TitleEdit->sizeHint().height());
}

void TitleDesigner::FontBtnClick() {
    const QFont offered = FontDialogStart(FontOfRecordText(design_.font));
    const auto chosen = platform_.dialogs.Font(offered, "Font");
    if (!chosen) return;
    design_.font = MergeFontChoice(design_.font, offered, *chosen);
    ShowSample();
}

void TitleDesigner::TextColorBtnClick() {
    auto spec = FontFromSpec(design_.font);
    if (!spec) {
        spec = FontSpec{};
        spec->name = ToCp1252(QApplication::font().family());
    }
    if (const auto colour = ChooseRecordColour(platform_, spec->color, "Text Color")) {
        spec->color = *colour;
        design_.font = FontToSpec(*spec);
        ShowSample();
    }
}

void TitleDesigner::ColorBtnClick() {
    if (const auto colour = ChooseRecordColour(platform_, design_.color, "Background")) {
        design_.color = *colour;
        ShowSample();
    }
}

BarDesign TitleDesigner::Design() const {
    BarDesign out = design_;
    out.text = EditText(ui_->TitleEdit, capacity_);
    if (out.font.size() > kFontSpecCapacity) out.font.resize(kFontSpecCapacity);
    return out;
}

MenuTitleDesigner::MenuTitleDesigner(Platform& platform, const QString& label, const BarDesign& design,
                                         std::size_t capacity, int helpTopic, QWidget* parent)
    : TitleDesigner(platform, label, design, capacity, helpTopic, parent) {
    setObjectName("TMnuDesignTitleForm");
}

ViewportTitleDesigner::ViewportTitleDesigner(Platform& platform, const QString& label, const BarDesign& design,
                                       std::size_t capacity, int helpTopic, QWidget* parent)
    : TitleDesigner(platform, label, design, capacity, helpTopic, parent) {
    setObjectName("TVPDesignTitleForm");
}

}  // namespace quill
