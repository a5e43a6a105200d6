#include "aids/rich_text_editor.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "screen/text_screen.h"
#include "datafile/color_notation.h"
#include "platform/dialogs.h"
#include "platform/error_handler.h"
#include "platform/platform.h"
#include "richtext/rtf_reader.h"
#include "richtext/rtf_writer.h"
#include "text/text_file.h"
#include "text_codec.h"
#include "ui_rich_text_editor.h"

namespace quill {

const QStringList& RichTextColorNames() {
    static const QStringList names{"clWindowText", "clBlack", "clMaroon", "clGreen",  "clOlive", "clNavy",
                                   "clPurple",     "clTeal",  "clGray",   "clSilver", "clRed",   "clLime",
                                   "clYellow",     "clBlue",  "clFuchsia", "clAqua",  "clWhite"};
    return names;
}

namespace {

class EnterFilter : public QObject {
public:
    EnterFilter(QObject* parent, std::function<void()> action) : QObject(parent), action_(std::move(action)) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
                !(key->modifiers() & ~Qt::KeypadModifier)) {
                action_();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> action_;
};

}  // namespace

void OnEnter(QWidget* field, std::function<void()> action) {
    if (field) field->installEventFilter(new EnterFilter(field, std::move(action)));
}

const QList<int>& RichTextSizes() {
    static const QList<int> sizes{8, 9, 10, 11, 12, 14, 16, 18, 20, 24, 36, 48, 72};
    return sizes;
}

namespace {

QColor ColorOfName(const QString& name) { return ColourFromRecord(StringToColor(ToCp1252(name)).value_or(0)); }

QString FamilyOf(const QTextCharFormat& f, const QTextDocument& doc) {
    const QStringList families = f.fontFamilies().toStringList();
    if (!families.isEmpty() && !families.first().isEmpty()) return families.first();
    return doc.defaultFont().family();
}

double PointsOf(const QTextCharFormat& f, const QTextDocument& doc) {
    if (f.fontPointSize() > 0) return f.fontPointSize();
    return doc.defaultFont().pointSizeF();
}

QString ColorNameOf(const QTextCharFormat& f) {
    const QColor c = f.hasProperty(QTextFormat::ForegroundBrush) ? f.foreground().color() : QColor(Qt::black);
    for (const QString& name : RichTextColorNames())
        if (ColorOfName(name).rgb() == c.rgb()) return name;
    return {};
}

}  // namespace

SelectionAttributes AttributesOfSelection(const QTextEdit& edit) {
    const QTextCursor cursor = edit.textCursor();
    const QTextDocument& doc = *edit.document();
    std::vector<QTextCharFormat> formats;
    if (cursor.hasSelection()) {
        const int start = cursor.selectionStart(), end = cursor.selectionEnd();
        for (QTextBlock b = doc.findBlock(start); b.isValid() && b.position() <= end; b = b.next())
            for (auto it = b.begin(); !it.atEnd(); ++it) {
                const QTextFragment frag = it.fragment();
                if (frag.position() < end && frag.position() + frag.length() > start)
                    formats.push_back(frag.charFormat());
            }
    }
    if (formats.empty()) formats.push_back(edit.currentCharFormat());
    SelectionAttributes a;
    a.bold = a.italic = a.underline = true;
    a.family = FamilyOf(formats.front(), doc);
    a.pointSize = PointsOf(formats.front(), doc);
    a.colorName = ColorNameOf(formats.front());
    for (const QTextCharFormat& f : formats) {
        a.bold = a.bold && f.fontWeight() >= QFont::DemiBold;
        a.italic = a.italic && f.fontItalic();
        a.underline = a.underline && f.fontUnderline();
        if (FamilyOf(f, doc) != a.family) a.family.clear();
        if (PointsOf(f, doc) != a.pointSize) a.pointSize = 0;
        if (ColorNameOf(f) != a.colorName) a.colorName.clear();
    }
    a.alignment = cursor.blockFormat().alignment() & Qt::AlignHorizontal_Mask;
    return a;
}

RichTextEditor::RichTextEditor(Platform& platform, QWidget* parent)
    : QWidget(parent), platform_(platform), ui_(std::make_unique<Ui::RichTextEditor>()) {
    ui_->setupUi(this);
    for (int size : RichTextSizes()) ui_->FontSize->addItem(QString::number(size));
    for (const QString& name : RichTextColorNames()) {
        QPixmap swatch(14, 14);
        swatch.fill(ColorOfName(name));
        QPainter(&swatch).drawRect(0, 0, 13, 13);
        ui_->ColorBox->addItem(QIcon(swatch), name);
        ui_->ColorBox->setItemData(ui_->ColorBox->count() - 1, ColorOfName(name), Qt::ForegroundRole);
    }
    ui_->BoldBtn->setShortcut(QKeySequence::Bold);
    ui_->ItalicBtn->setShortcut(QKeySequence::Italic);
    ui_->UnderlineBtn->setShortcut(QKeySequence::Underline);
    QFont bold = ui_->BoldBtn->font();
    bold.setBold(true);
    ui_->BoldBtn->setFont(bold);
    QFont italic = ui_->ItalicBtn->font();
    italic.setItalic(true);
    ui_->ItalicBtn->setFont(italic);
    QFont underline = ui_->UnderlineBtn->font();
    underline.setUnderline(true);
    ui_->UnderlineBtn->setFont(underline);

    connect(ui_->BoldBtn, &QToolButton::clicked, this, &RichTextEditor::SetBold);
    connect(ui_->ItalicBtn, &QToolButton::clicked, this, &RichTextEditor::SetItalic);
    connect(ui_->UnderlineBtn, &QToolButton::clicked, this, &RichTextEditor::SetUnderline);
    connect(ui_->LeftBtn, &QToolButton::clicked, this, [this] { SetAlignment(Qt::AlignLeft); });
    connect(ui_->CenterBtn, &QToolButton::clicked, this, [this] { SetAlignment(Qt::AlignHCenter); });
    connect(ui_->RightBtn, &QToolButton::clicked, this, [this] { SetAlignment(Qt::AlignRight); });
    connect(ui_->FontName, &QFontComboBox::textActivated, this, &RichTextEditor::SetFamily);
    connect(ui_->FontSize, &QComboBox::textActivated, this, &RichTextEditor::ApplySizeText);
    OnEnter(ui_->FontSize->lineEdit(), [this] {
        ApplySizeText(ui_->FontSize->currentText());
        ui_->RichEdit1->setFocus();
    });
    if (QLineEdit* family = ui_->FontName->lineEdit())
        OnEnter(family, [this] {
            SetFamily(ui_->FontName->currentText());
            ui_->RichEdit1->setFocus();
        });
    connect(ui_->ColorBox, &QComboBox::textActivated, this, &RichTextEditor::SetColorName);
    connect(ui_->ImportBtn, &QPushButton::clicked, this, [this] { RunGuarded(platform_.messages, [this] { ImportBtnClick(); }); });
    connect(ui_->SelectAllBtn, &QPushButton::clicked, ui_->RichEdit1, &QTextEdit::selectAll);
    connect(ui_->ClearBtn, &QPushButton::clicked, ui_->RichEdit1, &QTextEdit::clear);
    connect(ui_->BackColorBtn, &QPushButton::clicked, this, &RichTextEditor::BackColorBtnClick);
    connect(ui_->RichEdit1, &QTextEdit::cursorPositionChanged, this, &RichTextEditor::ShowAttributes);
    connect(ui_->RichEdit1, &QTextEdit::selectionChanged, this, &RichTextEditor::ShowAttributes);
    connect(ui_->RichEdit1, &QTextEdit::currentCharFormatChanged, this, &RichTextEditor::ShowAttributes);
    // New text starts in the face and size a rich-edit box starts with.
    QFont base("Arial");
    base.setPointSize(12);
    ui_->RichEdit1->document()->setDefaultFont(base);
    SetBackground(background_);
    ShowAttributes();
}

RichTextEditor::~RichTextEditor() = default;

QTextEdit* RichTextEditor::Edit() const { return ui_->RichEdit1; }

void RichTextEditor::SetLines(const std::vector<std::string>& lines) {
    ReadRichText(lines, *ui_->RichEdit1->document());
    ui_->RichEdit1->moveCursor(QTextCursor::Start);
    ShowAttributes();
}

std::vector<std::string> RichTextEditor::Lines() const { return WriteRichText(*ui_->RichEdit1->document()); }

bool RichTextEditor::HasText() const { return !ui_->RichEdit1->document()->isEmpty(); }

void RichTextEditor::SetBackground(std::uint32_t color) {
    background_ = color;
    QPalette pal = ui_->RichEdit1->palette();
    pal.setColor(QPalette::Base, ColourFromRecord(color));
    ui_->RichEdit1->setPalette(pal);
    ui_->BackColorBtn->setToolTip("Background: " + FromCp1252(ColorToString(color)));
}

void RichTextEditor::Merge(const QTextCharFormat& format) {
    ui_->RichEdit1->mergeCurrentCharFormat(format);
    ui_->RichEdit1->setFocus();
    ShowAttributes();
}

void RichTextEditor::SetBold(bool on) {
    QTextCharFormat f;
    f.setFontWeight(on ? QFont::Bold : QFont::Normal);
    Merge(f);
}

void RichTextEditor::SetItalic(bool on) {
    QTextCharFormat f;
    f.setFontItalic(on);
    Merge(f);
}

void RichTextEditor::SetUnderline(bool on) {
    QTextCharFormat f;
    f.setFontUnderline(on);
    Merge(f);
}

void RichTextEditor::SetFamily(const QString& family) {
    QTextCharFormat f;
    f.setFontFamilies({family});
    Merge(f);
}

void RichTextEditor::ApplySizeText(const QString& text) {
    bool ok = false;
    const double points = text.toDouble(&ok);
    if (ok && points > 0 && points <= 1638)
        SetPointSize(points);
    else
        ShowAttributes();
}

void RichTextEditor::SetPointSize(double points) {
    QTextCharFormat f;
    f.setFontPointSize(points);
    Merge(f);
}

void RichTextEditor::SetColorName(const QString& name) {
    QTextCharFormat f;
    f.setForeground(ColorOfName(name));
    Merge(f);
}

void RichTextEditor::SetAlignment(Qt::Alignment alignment) {
    ui_->RichEdit1->setAlignment(alignment);
    ui_->RichEdit1->setFocus();
    ShowAttributes();
}

void RichTextEditor::ImportBtnClick() {
    FileDialogOptions options;
    options.title = "Import File";
    options.filter = "Text and RTF Files|*.TXT;*.RTF";
    const auto chosen = platform_.dialogs.OpenFile(options);
    if (!chosen) return;
    ReadRichText(ReadFileBytes(*chosen), *ui_->RichEdit1->document());
    ui_->RichEdit1->moveCursor(QTextCursor::Start);
    ShowAttributes();
}

void RichTextEditor::BackColorBtnClick() {
    const auto color = platform_.dialogs.Color(ColourFromRecord(background_), "Background Color");
    if (!color) return;
    const QRgb rgb = color->rgb();
    SetBackground(static_cast<std::uint32_t>(qRed(rgb)) | static_cast<std::uint32_t>(qGreen(rgb)) << 8 |
                  static_cast<std::uint32_t>(qBlue(rgb)) << 16);
    emit BackgroundChanged(background_);
}

void RichTextEditor::ShowAttributes() {
    if (showing_) return;
    showing_ = true;
    const SelectionAttributes a = AttributesOfSelection(*ui_->RichEdit1);
    ui_->BoldBtn->setChecked(a.bold);
    ui_->ItalicBtn->setChecked(a.italic);
    ui_->UnderlineBtn->setChecked(a.underline);
    if (a.family.isEmpty()) {
        ui_->FontName->setCurrentIndex(-1);
        ui_->FontName->setEditText({});
    } else {
        ui_->FontName->setCurrentFont(QFont(a.family));
    }
    ui_->FontSize->setEditText(a.pointSize > 0 ? QString::number(a.pointSize) : QString());
    ui_->ColorBox->setCurrentIndex(ui_->ColorBox->findText(a.colorName));
    ui_->LeftBtn->setChecked(!(a.alignment & (Qt::AlignHCenter | Qt::AlignRight)));
    ui_->CenterBtn->setChecked(a.alignment & Qt::AlignHCenter);
    ui_->RightBtn->setChecked(a.alignment & Qt::AlignRight);
    showing_ = false;
}

}  // namespace quill
