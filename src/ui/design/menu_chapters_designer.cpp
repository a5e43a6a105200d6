#include "design/menu_chapters_designer.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

#include "design/design_common.h"
#include "platform/help_topics.h"
#include "platform/platform.h"
#include "project/file_names.h"
#include "project/project.h"
#include "text_codec.h"

namespace quill {

namespace M = cfg::MainMenu;

MenuChaptersDesigner::MenuChaptersDesigner(const Project& project, Platform& platform, const TTutorialConfig& record,
                                   QWidget* parent)
    : QDialog(parent), project_(project), platform_(platform), copy_(record) {
    setObjectName("TMenuChapterForm");
    setWindowTitle("Press F1 for Help");
    auto* main = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    main->addLayout(top);

    auto* group = new QGroupBox(" Select a Chapter ", this);
    group->setObjectName("ChapterGrp");
    auto* grid = new QGridLayout(group);
    grid->setVerticalSpacing(2);
    grid->addWidget(new QLabel("Menu Topic", group), 0, 1);
    grid->addWidget(new QLabel("Chapter Filename", group), 0, 2);
    auto* buttons = new QButtonGroup(this);
    const MenuRows rows = ReadMenuRows(copy_);
    for (int i = 1; i <= static_cast<int>(M::MaxChapters); ++i) {
        auto* radio = new QRadioButton(QString(" %1").arg(i), group);
        radio->setObjectName(QString("RowRb%1").arg(i));
        buttons->addButton(radio, i);
        auto* topic = new QLineEdit(FromCp1252(rows[i - 1].topic), group);
        topic->setObjectName(QString("TopicEdit%1").arg(i));
        topic->setMaxLength(25);
        topic->setMinimumWidth(200);
        auto* file = new QLineEdit(FromCp1252(rows[i - 1].file), group);
        file->setObjectName(QString("FileEdit%1").arg(i));
        file->setMaxLength(25);
        file->setMinimumWidth(180);
        topic->installEventFilter(this);
        file->installEventFilter(this);
        grid->addWidget(radio, i, 0);
        grid->addWidget(topic, i, 1);
        grid->addWidget(file, i, 2);
        rows_[i - 1] = radio;
        topics_[i - 1] = topic;
        files_[i - 1] = file;
        connect(radio, &QRadioButton::clicked, this, [this, i] { SelectRow(i, true); });
    }
    top->addWidget(group);

    auto* side = new QVBoxLayout;
    auto* listLabel = new QLabel("&Chapters", this);
    side->addWidget(listLabel);
    ChapterListBox_ = new QListWidget(this);
    ChapterListBox_->setObjectName("ChapterListBox");
    ChapterListBox_->setMinimumWidth(160);
    listLabel->setBuddy(ChapterListBox_);
    FillFileList(ChapterListBox_, project_, project_.ProjectName + "*.QKS");
    if (ChapterListBox_->count() > 0) ChapterListBox_->setCurrentRow(0);
    side->addWidget(ChapterListBox_);
    AddBtn_ = new QPushButton("<< &Add to Menu", this);
    AddBtn_->setObjectName("AddBtn");
    AddBtn_->setAutoDefault(false);
    side->addWidget(AddBtn_);
    connect(AddBtn_, &QPushButton::clicked, this, &MenuChaptersDesigner::AddBtnClick);
    connect(ChapterListBox_, &QListWidget::itemDoubleClicked, this, &MenuChaptersDesigner::AddBtnClick);
    top->addLayout(side);

    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this);
    box->setObjectName("ButtonBox");
    main->addWidget(box);
    WireDesignerButtons(this, box, platform_, TopicNumber(HelpTopic::MenuChapters),
                        [this] { return StoreRows(); });
    main->setSizeConstraint(QLayout::SetFixedSize);
    SelectRow(1, true);
}

void MenuChaptersDesigner::SelectRow(int row, bool focusTopic) {
    if (row < 1 || row > static_cast<int>(M::MaxChapters)) return;
    current_ = row;
    rows_[row - 1]->setChecked(true);
    if (focusTopic) topics_[row - 1]->setFocus();
}

bool MenuChaptersDesigner::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        for (int i = 1; i <= static_cast<int>(M::MaxChapters); ++i)
            if (watched == topics_[i - 1] || watched == files_[i - 1]) SelectRow(i, false);
    } else if (event->type() == QEvent::FocusOut) {
        for (int i = 1; i <= static_cast<int>(M::MaxChapters); ++i)
            if (watched == files_[i - 1]) CheckFileEdit(i);
    }
    return QDialog::eventFilter(watched, event);
}

bool MenuChaptersDesigner::CheckFileEdit(int row) {
    QLineEdit* edit = files_[row - 1];
    const std::string name = ToCp1252(edit->text().trimmed());
    if (name.empty() || ChapterNameStartsWithProject(name, project_.ProjectName)) return true;
    edit->clear();
    platform_.messages.ShowErrorHelp(FromCp1252(ChapterNameRuleMessage(project_.ProjectName)),
                                     TopicNumber(HelpTopic::ChapterNames));
    QTimer::singleShot(0, edit, [edit] { edit->setFocus(); });
    return false;
}

void MenuChaptersDesigner::AddBtnClick() {
    const QListWidgetItem* item = ChapterListBox_->currentItem();
    if (!item) return;
    files_[current_ - 1]->setText(FromCp1252(NameOnly(ToCp1252(item->text()))));
}

MenuRows MenuChaptersDesigner::Rows() const {
    MenuRows rows;
    for (std::size_t i = 0; i < rows.size(); ++i)
        rows[i] = {EditText(topics_[i], 25), EditText(files_[i], 25)};
    for (MenuRow& row : rows) {
        // Blanks alone are no topic or file name.
        if (QString::fromStdString(row.topic).trimmed().isEmpty()) row.topic.clear();
        row.file = ToCp1252(FromCp1252(row.file).trimmed());
    }
    return rows;
}

bool MenuChaptersDesigner::StoreRows() {
    // A name typed in the current edit is checked even when the focus never left it.
    for (int i = 1; i <= static_cast<int>(M::MaxChapters); ++i)
        if (!CheckFileEdit(i)) return false;
    const MenuRows rows = Rows();
    if (HasIncompleteRows(rows) &&
        platform_.messages.Confirm("Menu Topics with no Filename and Filenameswith no Menu Topic will be deleted."
                                   "\r\n\r\nDo you want to complete these entries?"))
        return false;
    WriteMenuRows(copy_, rows);
    return true;
}

bool DefineMenuChapters(const Project& project, Platform& platform, TTutorialConfig& record, QWidget* parent) {
    MenuChaptersDesigner form(project, platform, record, parent);
    if (form.exec() != QDialog::Accepted) return false;
    for (int i = 1; i <= static_cast<int>(M::MaxChapters); ++i) {
        record.set(M::Chapter(i).Topic, form.Record().get(M::Chapter(i).Topic));
        record.set(M::Chapter(i).FileName, form.Record().get(M::Chapter(i).FileName));
    }
    record.set(M::ChapterCount, form.Record().get(M::ChapterCount));
    return true;
}

}  // namespace quill
