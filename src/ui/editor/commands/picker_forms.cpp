#include "editor/commands/picker_forms.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <algorithm>

#include "platform/help.h"
#include "platform/platform.h"
#include "project/config_record.h"
#include "project/font_spec.h"
#include "screen/record_font.h"
#include "screen/text_screen.h"
#include "text_codec.h"
#include "ui_colour_picker.h"
#include "ui_control_buttons_picker.h"
#include "ui_heading_picker.h"
#include "ui_pop_up_text_dialog.h"

namespace quill {

namespace {

QIcon Swatch(const QColor& color) {
    QPixmap pixmap(28, 14);
    pixmap.fill(color);
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, pixmap.width() - 1, pixmap.height() - 1);
    return QIcon(pixmap);
}

QPushButton* AddButton(QDialogButtonBox* box, const QString& text,
                       QDialogButtonBox::ButtonRole role, const char* name) {
    QPushButton* button = box->addButton(text, role);
    button->setObjectName(name);
    return button;
}

void SetUpPrompt(QDialog* dialog, Platform& platform, int topic) {
    if (topic > 0) SetHelpTopic(dialog, topic);
    InstallF1Help(dialog, platform.help, platform.helpFile);
}

}  // namespace

// --- Colour picker -----------------------------------------------------------------------------

ColourPicker::ColourPicker(Platform& platform, const TTutorialConfig& config,
                                   const QString& title, int topic, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::ColourPicker>()) {
    ui_->setupUi(this);
    SetUpPrompt(this, platform, topic);
    ui_->TitleLbl->setText(title);
    ui_->TitleLbl->setVisible(!title.isEmpty());
    for (int n = 0; n < 26; ++n) {
        const auto entry = cfg::Colors::Entry(n + 1);
        const QString text = QString(QChar('A' + n)) + "  " + FromCp1252(config.get(entry.Name));
        ui_->ColorList->addItem(
            new QListWidgetItem(Swatch(ColourFromRecord(config.get(entry.Value))), text));
    }
    ui_->ColorList->setIconSize(QSize(28, 14));
    // All 26 entries show at once.
    ui_->ColorList->setMinimumHeight(ui_->ColorList->sizeHintForRow(0) * 26 +
                                     2 * ui_->ColorList->frameWidth() + 4);
    QPushButton* select =
        AddButton(ui_->ButtonBox, "Select", QDialogButtonBox::AcceptRole, "SelectBtn");
    QPushButton* cancel =
        AddButton(ui_->ButtonBox, "Cancel", QDialogButtonBox::RejectRole, "CancelBtn");
    select->setDefault(true);
    connect(select, &QPushButton::clicked, this, &ColourPicker::SelectBtnClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui_->DefaultBtn, &QPushButton::clicked, this, &ColourPicker::DefaultBtnClick);
    connect(ui_->ColorList, &QListWidget::itemDoubleClicked, this,
            &ColourPicker::SelectBtnClick);
    ui_->ColorList->setFocus();
}

ColourPicker::~ColourPicker() = default;

void ColourPicker::SelectBtnClick() {
    const int row = ui_->ColorList->currentRow();
    result_ = row >= 0 && ui_->ColorList->currentItem()->isSelected() ? row : kDefaultColor;
    accept();
}

void ColourPicker::DefaultBtnClick() {
    result_ = kDefaultColor;
    accept();
}

// --- Heading-format picker ---------------------------------------------------------------------

HeadingPicker::HeadingPicker(Platform& platform, const TTutorialConfig& config, int topic,
                                 std::function<void()> modify, QWidget* parent)
    : QDialog(parent),
      config_(config),
      modify_(std::move(modify)),
      ui_(std::make_unique<Ui::HeadingPicker>()) {
    ui_->setupUi(this);
    SetUpPrompt(this, platform, topic);
    // The marks only show the chosen heading's style; they are changed in the heading editor.
    for (QWidget* mark : std::initializer_list<QWidget*>{
             ui_->RegularChk, ui_->BoldChk, ui_->ItalicChk, ui_->UnderlineChk, ui_->CenterRBtn,
             ui_->LeftRBtn, ui_->RightRBtn}) {
        mark->setAttribute(Qt::WA_TransparentForMouseEvents);
        mark->setFocusPolicy(Qt::NoFocus);
    }
    QPushButton* modifyBtn =
        AddButton(ui_->ButtonBox, "Modify", QDialogButtonBox::ActionRole, "ModifyBtn");
    QPushButton* cancel =
        AddButton(ui_->ButtonBox, "Cancel", QDialogButtonBox::RejectRole, "CancelBtn");
    QPushButton* select =
        AddButton(ui_->ButtonBox, "Select", QDialogButtonBox::AcceptRole, "SelectBtn");
    modifyBtn->setAutoDefault(false);
    select->setDefault(true);
    connect(modifyBtn, &QPushButton::clicked, this, &HeadingPicker::ModifyBtnClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(select, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui_->HeadingList, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row < 0) return;
        chosen_ = row + 1;
        ShowSample(chosen_);
    });
    LoadNames();
    ShowSample(1);
    ui_->HeadingList->setFocus();
}

HeadingPicker::~HeadingPicker() = default;

void HeadingPicker::LoadNames() {
    const QSignalBlocker block(ui_->HeadingList);
    const int row = ui_->HeadingList->currentRow();
    ui_->HeadingList->clear();
    for (int n = 1; n <= 10; ++n)
        ui_->HeadingList->addItem(FromCp1252(config_.get(cfg::Headings::Entry(n).Name)));
    if (row >= 0) ui_->HeadingList->setCurrentRow(row);
}

void HeadingPicker::ShowSample(int heading) {
    const auto entry = cfg::Headings::Entry(heading);
    const FontSpec spec = FontFromSpec(config_.get(entry.Font)).value_or(FontSpec{});
    QFont font = FontOfRecord(spec);
    font.setPointSize(std::clamp(font.pointSize(), 6, 28));  // the sample keeps the window's size
    ui_->SampleLbl->setFont(font);
    QPalette palette = ui_->SampleLbl->palette();
    palette.setColor(QPalette::Window, ColourFromRecord(config_.get(entry.BackColor)));
    palette.setColor(QPalette::WindowText, ColourFromRecord(spec.color));
    ui_->SampleLbl->setPalette(palette);
    const int mode = config_.get(entry.Mode);
    ui_->SampleLbl->setAlignment(Qt::AlignVCenter | (mode == 2   ? Qt::AlignLeft
                                                     : mode == 3 ? Qt::AlignRight
                                                                 : Qt::AlignHCenter));
    ui_->RegularChk->setChecked(!(spec.style & fsBold));
    ui_->BoldChk->setChecked(spec.style & fsBold);
    ui_->ItalicChk->setChecked(spec.style & fsItalic);
    ui_->UnderlineChk->setChecked(spec.style & fsUnderline);
    ui_->CenterRBtn->setChecked(mode != 2 && mode != 3);
    ui_->LeftRBtn->setChecked(mode == 2);
    ui_->RightRBtn->setChecked(mode == 3);
}

void HeadingPicker::ModifyBtnClick() {
    if (modify_) modify_();
    LoadNames();
    ShowSample(chosen_);
}

// --- Pop-up text -------------------------------------------------------------------------------

PopUpTextDialog::PopUpTextDialog(Platform& platform, int topic, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::PopUpTextDialog>()) {
    ui_->setupUi(this);
    SetUpPrompt(this, platform, topic);
    QPushButton* ok = AddButton(ui_->ButtonBox, "OK", QDialogButtonBox::AcceptRole, "OKBtn");
    QPushButton* cancel =
        AddButton(ui_->ButtonBox, "Cancel", QDialogButtonBox::RejectRole, "CancelBtn");
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    const int width = ui_->Line1Edit->fontMetrics().horizontalAdvance(QString(72, 'n'));
    for (QLineEdit* edit : findChildren<QLineEdit*>()) edit->setMinimumWidth(std::min(width, 760));
    ui_->Line1Edit->setFocus();
}

PopUpTextDialog::~PopUpTextDialog() = default;

QStringList PopUpTextDialog::Lines() const {
    QStringList lines;
    for (QLineEdit* edit :
         {ui_->Line1Edit, ui_->Line2Edit, ui_->Line3Edit, ui_->Line4Edit, ui_->Line5Edit,
          ui_->Line6Edit, ui_->Line7Edit, ui_->Line8Edit, ui_->Line9Edit, ui_->Line10Edit})
        lines << edit->text();
    while (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines;
}

void PopUpTextDialog::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && qobject_cast<QLineEdit*>(focusWidget())) {
        if (focusWidget() == ui_->Line10Edit)
            findChild<QPushButton*>("OKBtn")->setFocus();
        else
            focusNextChild();
        return;
    }
    QDialog::keyPressEvent(event);
}

// --- Control buttons ---------------------------------------------------------------------------

ControlButtonsPicker::ControlButtonsPicker(Platform& platform, int topic, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::ControlButtonsPicker>()) {
    ui_->setupUi(this);
    SetUpPrompt(this, platform, topic);
    QPushButton* cancel =
        AddButton(ui_->ButtonBox, "Cancel", QDialogButtonBox::RejectRole, "CancelBtn");
    QPushButton* ok = AddButton(ui_->ButtonBox, "OK", QDialogButtonBox::AcceptRole, "OKBtn");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    ui_->ContinueChk->setFocus();
}

ControlButtonsPicker::~ControlButtonsPicker() = default;

ControlButtons ControlButtonsPicker::Buttons() const {
    return {ui_->ContinueChk->isChecked(), ui_->QuitChk->isChecked(), ui_->PageBackChk->isChecked(),
            ui_->HelpChk->isChecked(), ui_->UtilitiesChk->isChecked()};
}

}  // namespace quill
