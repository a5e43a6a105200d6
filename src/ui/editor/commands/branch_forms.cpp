#include "editor/commands/branch_forms.h"

#include <QApplication>
#include <QFocusEvent>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

#include "platform/help.h"
#include "platform/platform.h"
#include "ui_control_button_tag_picker.h"
#include "ui_button_menu_dialog.h"
#include "ui_match_list_dialog.h"
#include "ui_match_table_dialog.h"
#include "ui_box_menu_dialog.h"
#include "ui_quiz_wizard_dialog.h"

namespace quill {

namespace {

// F1 help, Cancel and OK.
QPushButton* SetUp(QDialog* dialog, QDialogButtonBox* box, Platform& platform, int topic) {
    if (topic > 0) SetHelpTopic(dialog, topic);
    InstallF1Help(dialog, platform.help, platform.helpFile);
    QPushButton* ok = box->addButton("OK", QDialogButtonBox::AcceptRole);
    ok->setObjectName("OKBtn");
    QPushButton* cancel = box->addButton("Cancel", QDialogButtonBox::RejectRole);
    cancel->setObjectName("CancelBtn");
    ok->setDefault(true);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    return ok;
}

// A grid of 30 empty rows under `headings`; `narrow` columns are kept small.
void SetUpGrid(QTableWidget* grid, const QStringList& headings, int narrow = 0) {
    grid->setColumnCount(int(headings.size()));
    grid->setRowCount(kTableRows);
    grid->setHorizontalHeaderLabels(headings);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    for (int c = 0; c < narrow; ++c) {
        grid->horizontalHeader()->setSectionResizeMode(c, QHeaderView::Fixed);
        grid->setColumnWidth(c, 40);
    }
    // The arrow keys move between the cells and typing fills one; Tab leaves the grid.
    grid->setTabKeyNavigation(false);
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 8);
    grid->setMinimumWidth(560);
    grid->setMinimumHeight(300);
    grid->setCurrentCell(0, 0);
}

QString Cell(const QTableWidget* grid, int row, int column) {
    const QTableWidgetItem* item = grid->item(row, column);
    return item ? item->text() : QString();
}

// OK of a table editor: accepts unless `problem` names one, which is shown instead.
void AcceptUnless(QDialog* dialog, Platform& platform, const QString& problem) {
    if (!problem.isEmpty()) {
        platform.messages.ShowError(problem);
        return;
    }
    dialog->accept();
}

std::vector<JumpRow> JumpRows(const QTableWidget* grid) {
    std::vector<JumpRow> rows;
    for (int r = 0; r < grid->rowCount(); ++r)
        rows.push_back({Cell(grid, r, 0), Cell(grid, r, 1), Cell(grid, r, 2)});
    return CountedRows(rows);
}

}  // namespace

// --- Match list --------------------------------------------------------------------------------

MatchListDialog::MatchListDialog(Platform& platform, int topic, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::MatchListDialog>()) {
    ui_->setupUi(this);
    connect(SetUp(this, ui_->ButtonBox, platform, topic), &QPushButton::clicked, this,
            [this, &platform] { AcceptUnless(this, platform, MatchListProblem(Answer().texts)); });
    ui_->MatchEdit1->setFocus();
}
MatchListDialog::~MatchListDialog() = default;

MatchListAnswer MatchListDialog::Answer() const {
    MatchListAnswer answer;
    for (int i = 1; i <= kMatchFields; ++i) {
        const auto* edit = findChild<QLineEdit*>(QString("MatchEdit%1").arg(i));
        if (edit && Filled(edit->text())) answer.texts << edit->text();
    }
    answer.exact = ui_->ExactChk->isChecked();
    return answer;
}

// --- Match table -------------------------------------------------------------------------------

MatchTableDialog::MatchTableDialog(Platform& platform, int topic, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::MatchTableDialog>()) {
    ui_->setupUi(this);
    SetUpGrid(ui_->MatchGrid, {"Match", "Label", "Chapter File"});
    connect(SetUp(this, ui_->ButtonBox, platform, topic), &QPushButton::clicked, this,
            [this, &platform] {
                AcceptUnless(this, platform, MatchTableProblem(Answer()));
            });
    ui_->MatchGrid->setFocus();
}
MatchTableDialog::~MatchTableDialog() = default;

MatchTableAnswer MatchTableDialog::Answer() const {
    return {JumpRows(ui_->MatchGrid), ui_->ExactChk->isChecked(), ui_->NoMatchLabelEdit->text(),
            ui_->NoMatchFileEdit->text()};
}

// --- Box menu entries --------------------------------------------------------------------------

BoxMenuDialog::BoxMenuDialog(Platform& platform, int topic, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::BoxMenuDialog>()) {
    ui_->setupUi(this);
    SetUpGrid(ui_->MenuGrid, {"Menu Entry", "Label", "Chapter File"});
    connect(
        SetUp(this, ui_->ButtonBox, platform, topic), &QPushButton::clicked, this,
        [this, &platform] { AcceptUnless(this, platform, JumpRowsProblem(Rows(), "menu entry")); });
    ui_->MenuGrid->setFocus();
}
BoxMenuDialog::~BoxMenuDialog() = default;

std::vector<JumpRow> BoxMenuDialog::Rows() const {
    return JumpRows(ui_->MenuGrid);
}

// --- Menu buttons ------------------------------------------------------------------------------

ButtonMenuDialog::ButtonMenuDialog(Platform& platform, int topic, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::ButtonMenuDialog>()) {
    ui_->setupUi(this);
    SetUpGrid(ui_->ButtonGrid, {"X1", "Y1", "X2", "Menu Button Caption", "Label", "Chapter File"},
              3);
    connect(SetUp(this, ui_->ButtonBox, platform, topic), &QPushButton::clicked, this,
            [this, &platform] { AcceptUnless(this, platform, ButtonRowsProblem(Rows())); });
    ui_->ButtonGrid->setFocus();
}
ButtonMenuDialog::~ButtonMenuDialog() = default;

std::vector<ButtonRow> ButtonMenuDialog::Rows() const {
    std::vector<ButtonRow> rows;
    const QTableWidget* g = ui_->ButtonGrid;
    for (int r = 0; r < g->rowCount(); ++r)
        rows.push_back({Cell(g, r, 0), Cell(g, r, 1), Cell(g, r, 2), Cell(g, r, 3), Cell(g, r, 4),
                        Cell(g, r, 5)});
    return CountedRows(rows);
}

// --- Quiz wizard -------------------------------------------------------------------------------

QuizWizardDialog::QuizWizardDialog(Platform& platform, int topic, QWidget* parent)
    : QDialog(parent), platform_(platform), ui_(std::make_unique<Ui::QuizWizardDialog>()) {
    ui_->setupUi(this);
    ui_->AnswersEdit->setText("2");
    ui_->CorrectEdit->setText("1");
    ui_->RowEdit->setText("18");
    connect(SetUp(this, ui_->ButtonBox, platform, topic), &QPushButton::clicked, this,
            &QuizWizardDialog::OkBtnClick);
    for (QLineEdit* edit : {ui_->AnswersEdit, ui_->CorrectEdit, ui_->RowEdit})
        edit->installEventFilter(this);
    ui_->QuizNameEdit->setFocus();
}
QuizWizardDialog::~QuizWizardDialog() = default;

QLineEdit* QuizWizardDialog::Field(QuizField field) const {
    switch (field) {
        case QuizField::Name:
            return ui_->QuizNameEdit;
        case QuizField::Answers:
            return ui_->AnswersEdit;
        case QuizField::Correct:
            return ui_->CorrectEdit;
        case QuizField::Row:
            return ui_->RowEdit;
        default:
            return nullptr;
    }
}

void QuizWizardDialog::Refuse(const QuizCheck& check) {
    busy_ = true;
    platform_.messages.ShowError(check.message);
    busy_ = false;
    QLineEdit* edit = Field(check.field);
    if (!edit) return;
    if (!check.reset.isEmpty()) edit->setText(check.reset);
    edit->selectAll();
    QTimer::singleShot(0, edit, [edit] { edit->setFocus(); });
}

bool QuizWizardDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut && !busy_ && isVisible()) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        const bool leaving = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
                             reason == Qt::MouseFocusReason || reason == Qt::ShortcutFocusReason ||
                             reason == Qt::OtherFocusReason;
        const auto* cancel = findChild<QPushButton*>("CancelBtn");
        if (leaving && QApplication::focusWidget() != cancel) {
            for (QuizField field : {QuizField::Answers, QuizField::Correct, QuizField::Row}) {
                if (watched != Field(field)) continue;
                const QuizCheck check = CheckQuizField(field, Field(field)->text());
                if (check.field != QuizField::None) Refuse(check);
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void QuizWizardDialog::OkBtnClick() {
    const QuizCheck check = CheckQuizWizard(ui_->QuizNameEdit->text(), ui_->AnswersEdit->text(),
                                            ui_->CorrectEdit->text(), ui_->RowEdit->text(), &quiz_);
    if (check.field != QuizField::None) {
        Refuse(check);
        return;
    }
    busy_ = true;
    accept();
}

// --- Control-button picker ---------------------------------------------------------------------

ControlButtonTagPicker::ControlButtonTagPicker(Platform& platform, int topic, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::ControlButtonTagPicker>()) {
    ui_->setupUi(this);
    connect(SetUp(this, ui_->ButtonBox, platform, topic), &QPushButton::clicked, this,
            &QDialog::accept);
    ui_->ContinueRBtn->setFocus();
}
ControlButtonTagPicker::~ControlButtonTagPicker() = default;

std::optional<QChar> ControlButtonTagPicker::Letter() const {
    if (ui_->ContinueRBtn->isChecked()) return QChar('C');
    if (ui_->QuitRBtn->isChecked()) return QChar('Q');
    if (ui_->PageBackRBtn->isChecked()) return QChar('P');
    if (ui_->HelpRBtn->isChecked()) return QChar('H');
    if (ui_->UtilitiesRBtn->isChecked()) return QChar('U');
    return std::nullopt;
}

}  // namespace quill
