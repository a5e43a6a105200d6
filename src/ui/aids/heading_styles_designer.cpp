#include "aids/heading_styles_designer.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "common/aids_context.h"
#include "screen/text_screen.h"
#include "aids/entry_rules.h"
#include "aids/record_commit.h"
#include "platform/error_handler.h"
#include "platform/help.h"
#include "platform/help_topics.h"
#include "platform/modal.h"
#include "platform/platform.h"
#include "common/learner_screen.h"
#include "project/project.h"
#include "text_codec.h"
#include "ui_heading_styles_designer.h"

namespace quill {

namespace {

const QStringList kFaces{"Arial", "CG Times", "Courier New", "Letter Gothic", "Quick Type", "Times New Roman", "Univers"};
const QStringList kSizes{"8", "10", "11", "12", "14", "16", "18", "20", "22", "24", "26", "28"};

void ShowInCombo(QComboBox* box, const QString& text) {
    if (box->findText(text) < 0) box->addItem(text);
    box->setCurrentIndex(box->findText(text));
}

}  // namespace

FontSpec HeadingFont(const TTutorialConfig& config, int n) {
    if (auto spec = FontFromSpec(config.get(cfg::Headings::Entry(n).Font))) return *spec;
    FontSpec fallback;
    fallback.size = 18;
    fallback.name = "Arial";
    return fallback;
}

HeadingStylesDesigner::HeadingStylesDesigner(AidsContext& context, QWidget* parent)
    : QDialog(parent), context_(context), ui_(std::make_unique<Ui::HeadingStylesDesigner>()), record_(context.project.Config) {
    ui_->setupUi(this);
    SetHelpTopic(this, HelpTopic::CustomHeadings);
    InstallF1Help(this, context_.platform.help, context_.platform.helpFile);
    ui_->FontCombo->addItems(kFaces);
    ui_->SizeCombo->addItems(kSizes);
    ui_->SamplePnl->setAlignment(Qt::AlignCenter);
    for (int n = 1; n <= 10; ++n) {
        NameEdit(n)->setText(FromCp1252(record_.get(cfg::Headings::Entry(n).Name)));
        NameEdit(n)->installEventFilter(this);
        connect(HeadRadio(n), &QRadioButton::clicked, this, [this, n] { SelectHeading(n); });
        // Checked each time the field is left (see eventFilter) or Enter is pressed in it,
        // changed or not.
        connect(NameEdit(n), &QLineEdit::returnPressed, this, [this, n] { NameEditExit(n); });
    }
    auto changed = [this] {
        if (!loading_) StoreFont();
    };
    connect(ui_->FontCombo, &QComboBox::currentTextChanged, this, changed);
    connect(ui_->SizeCombo, &QComboBox::currentTextChanged, this, changed);
    connect(ui_->BoldRadio, &QRadioButton::toggled, this, changed);
    connect(ui_->ItalicCheck, &QCheckBox::toggled, this, changed);
    connect(ui_->UnderlineCheck, &QCheckBox::toggled, this, changed);
    connect(ui_->ColorBtn, &QPushButton::clicked, this, [this] {
        if (auto c = context_.platform.dialogs.Color(ColourFromRecord(font_.color), "Heading Color")) {
            font_.color = RecordColour(*c);
            StoreFont();
        }
    });
    const std::pair<QRadioButton*, int> modes[] = {{ui_->CenterRadio, 1}, {ui_->LeftRadio, 2}, {ui_->RightRadio, 3}};
    for (const auto& [radio, mode] : modes)
        connect(radio, &QRadioButton::clicked, this, [this, mode = mode] {
            record_.set(cfg::Headings::Entry(current_).Mode, mode);
            ShowSample();
        });
    connect(ui_->BackColorBtn, &QPushButton::clicked, this, [this] {
        const auto field = cfg::Headings::Entry(current_).BackColor;
        if (auto c = context_.platform.dialogs.Color(ColourFromRecord(record_.get(field)), "Background Color")) {
            record_.set(field, RecordColour(*c));
            ShowSample();
        }
    });
    connect(ui_->DefaultBackBtn, &QPushButton::clicked, this, [this] {
        record_.set(cfg::Headings::Entry(current_).BackColor, record_.get(cfg::Screen::ScreenBackColor));
        ShowSample();
    });
    connect(ui_->ButtonBox, &QDialogButtonBox::accepted, this,
            [this] { RunGuarded(context_.platform.messages, [this] { OKBtnClick(); }); });
    connect(ui_->ButtonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    ui_->ButtonBox->button(QDialogButtonBox::Ok)->setObjectName("OKBtn");
    ui_->ButtonBox->button(QDialogButtonBox::Cancel)->setObjectName("CancelBtn");
    SelectHeading(1);
    HeadRadio(1)->setFocus();
}

HeadingStylesDesigner::~HeadingStylesDesigner() {
    for (int n = 1; n <= 10; ++n) NameEdit(n)->removeEventFilter(this);
}

QRadioButton* HeadingStylesDesigner::HeadRadio(int n) const { return findChild<QRadioButton*>(QString("HeadRadio%1").arg(n)); }
QLineEdit* HeadingStylesDesigner::NameEdit(int n) const { return findChild<QLineEdit*>(QString("NameEdit%1").arg(n)); }

void HeadingStylesDesigner::SelectHeading(int n) {
    if (n < 1 || n > 10) return;
    current_ = n;
    HeadRadio(n)->setChecked(true);
    LoadDesign();
}

void HeadingStylesDesigner::LoadDesign() {
    loading_ = true;
    font_ = HeadingFont(record_, current_);
    ShowInCombo(ui_->FontCombo, FromCp1252(font_.name));
    ShowInCombo(ui_->SizeCombo, QString::number(font_.size));
    ui_->BoldRadio->setChecked(font_.style & fsBold);
    ui_->RegularRadio->setChecked(!(font_.style & fsBold));
    ui_->ItalicCheck->setChecked(font_.style & fsItalic);
    ui_->UnderlineCheck->setChecked(font_.style & fsUnderline);
    const int mode = record_.get(cfg::Headings::Entry(current_).Mode);
    ui_->CenterRadio->setChecked(mode != 2 && mode != 3);
    ui_->LeftRadio->setChecked(mode == 2);
    ui_->RightRadio->setChecked(mode == 3);
    loading_ = false;
    ShowSample();
}

void HeadingStylesDesigner::StoreFont() {
    font_.name = ToCp1252(ui_->FontCombo->currentText());
    font_.size = ui_->SizeCombo->currentText().toInt();
    int style = font_.style & fsStrikeOut;
    if (ui_->BoldRadio->isChecked()) style |= fsBold;
    if (ui_->ItalicCheck->isChecked()) style |= fsItalic;
    if (ui_->UnderlineCheck->isChecked()) style |= fsUnderline;
    font_.style = style;
    record_.set(cfg::Headings::Entry(current_).Font, FontToSpec(font_));
    ShowSample();
}

void HeadingStylesDesigner::ShowSample() {
    const auto entry = cfg::Headings::Entry(current_);
    ui_->SamplePnl->setFont(FontOfRecord(font_));
    QPalette pal = ui_->SamplePnl->palette();
    pal.setColor(QPalette::Window, ColourFromRecord(record_.get(entry.BackColor)));
    pal.setColor(QPalette::WindowText, ColourFromRecord(font_.color));
    ui_->SamplePnl->setPalette(pal);
    const int mode = record_.get(entry.Mode);
    ui_->SamplePnl->setAlignment(Qt::AlignVCenter |
                                 (mode == 2 ? Qt::AlignLeft : mode == 3 ? Qt::AlignRight : Qt::AlignHCenter));
}

void HeadingStylesDesigner::NameEditExit(int n) {
    if (checking_) return;
    checking_ = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{checking_};
    QLineEdit* edit = NameEdit(n);
    if (auto error = HeadingNameError(edit->text())) {
        context_.platform.messages.ShowError(*error);
        if (edit->text().contains(' ')) edit->clear();
        edit->setFocus();
        return;
    }
    record_.set(cfg::Headings::Entry(n).Name, ToCp1252(edit->text()));
}

bool HeadingStylesDesigner::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn)
        for (int n = 1; n <= 10; ++n)
            if (watched == NameEdit(n) && n != current_) SelectHeading(n);
    if (event->type() == QEvent::FocusOut) {
        // Leaving the field for another control of this window; the focus going to a message
        // box or a menu, or the window going inactive, is not leaving it.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        QWidget* next = QApplication::focusWidget();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && isVisible() && next &&
            next != watched && isAncestorOf(next))
            for (int n = 1; n <= 10; ++n)
                if (watched == NameEdit(n)) NameEditExit(n);
    }
    return QDialog::eventFilter(watched, event);
}

void HeadingStylesDesigner::OKBtnClick() {
    StoreFont();
    for (int n = 1; n <= 10; ++n) {
        const QString name = NameEdit(n)->text();
        // An emptied field keeps the stored name; a name with blanks is never stored.
        if (!HeadingNameError(name)) record_.set(cfg::Headings::Entry(n).Name, ToCp1252(name));
    }
    CommitRecord(context_.project, record_);
    accept();
}

bool EditHeadings(AidsContext& context, QWidget* parent) {
    HeadingStylesDesigner form(context, parent);
    return ShowModal(form) == QDialog::Accepted;
}

}  // namespace quill
