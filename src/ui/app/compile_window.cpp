#include "app/compile_window.h"

#include <QListWidget>
#include <QPushButton>

#include "app/build_progress.h"
#include "build/compiler.h"
#include "platform/error_handler.h"
#include "platform/help_topics.h"
#include "platform/platform.h"
#include "project/project.h"
#include "text/file_lookup.h"
#include "text_codec.h"
#include "ui_compiled_chapter_list.h"
#include "ui_compile_window.h"

namespace quill {

namespace {
constexpr int kTopic = TopicNumber(HelpTopic::CompileTutorial);
}

void ShowBuildMessages(Platform& platform, const std::vector<BuildMessage>& messages) {
    for (const BuildMessage& m : messages) {
        const QString text = FromCp1252(m.text);
        switch (m.kind) {
            case BuildMessage::Kind::Error: platform.messages.ShowError(text); break;
            case BuildMessage::Kind::Info: platform.messages.ShowInfo(text); break;
            case BuildMessage::Kind::Plain: platform.messages.Message(text); break;
        }
    }
}

CompiledChapterList::CompiledChapterList(const Project& project, Platform& platform, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::CompiledChapterList>()) {
    ui_->setupUi(this);
    SetHelpTopic(this, kTopic);
    InstallF1Help(this, platform.help, platform.helpFile);
    QPushButton* select = ui_->ButtonBox->button(QDialogButtonBox::Ok);
    select->setText("Select");
    select->setObjectName("SelectBtn");
    QPushButton* close = ui_->ButtonBox->button(QDialogButtonBox::Close);
    close->setText("&Close");
    close->setObjectName("CloseBtn");
    connect(ui_->ButtonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(ui_->ButtonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(ui_->FileListBox1, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    for (const std::string& file : ListByMask(project.ProjectDir, project.ProjectName + "*.QKS"))
        ui_->FileListBox1->addItem(FromCp1252(file));
    if (ui_->FileListBox1->count() > 0) ui_->FileListBox1->setCurrentRow(0);
    ui_->FileListBox1->setFocus();
}

CompiledChapterList::~CompiledChapterList() = default;

std::string CompiledChapterList::Chosen() const {
    const QListWidgetItem* item = ui_->FileListBox1->currentItem();
    return item ? ToCp1252(item->text()) : std::string();
}

CompileWindow::CompileWindow(const Project& project, Platform& platform, KeyGenerator& keys, QWidget* parent)
    : QDialog(parent), project_(project), platform_(platform), keys_(keys), ui_(std::make_unique<Ui::CompileWindow>()) {
    ui_->setupUi(this);
    SetHelpTopic(this, kTopic);
    InstallF1Help(this, platform_.help, platform_.helpFile);
    QPushButton* close = ui_->ButtonBox->button(QDialogButtonBox::Close);
    close->setText("&Close");
    close->setObjectName("CloseBtn");
    QPushButton* help = ui_->ButtonBox->button(QDialogButtonBox::Help);
    help->setText("&Help");
    help->setObjectName("HelpBtn");
    connect(ui_->ButtonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(ui_->ButtonBox, &QDialogButtonBox::helpRequested, this, [this] { platform_.ShowHelp(kTopic); });
    connect(ui_->CompileChapterBtn, &QPushButton::clicked, this, &CompileWindow::CompileChapterBtnClick);
    connect(ui_->CompileDataBtn, &QPushButton::clicked, this, &CompileWindow::CompileDataBtnClick);
    connect(ui_->CompileAllBtn, &QPushButton::clicked, this, &CompileWindow::CompileAllBtnClick);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    ui_->CompileAllBtn->setFocus();
}

CompileWindow::~CompileWindow() = default;

void CompileWindow::Show(const std::vector<BuildMessage>& messages) { ShowBuildMessages(platform_, messages); }

void CompileWindow::CompileChapterBtnClick() {
    hide();
    RunGuarded(platform_.messages, [&] {
        CompiledChapterList chooser(project_, platform_, parentWidget());
        if (chooser.exec() != QDialog::Accepted) return;
        const std::string name = chooser.Chosen();
        if (name.empty()) return;
        Show(CompileOneChapterCommand(project_, keys_, name));
    });
    show();
}

void CompileWindow::CompileDataBtnClick() {
    hide();
    RunGuarded(platform_.messages, [&] { Show(CompileDataCommand(project_)); });
    show();
}

void CompileWindow::CompileAllBtnClick() {
    hide();
    RunGuarded(platform_.messages, [&] {
        BuildMessages messages;
        {
            BuildProgress progress("Compile Full Tutorial", parentWidget());
            messages = CompileAllCommand(project_, keys_, [&](std::size_t i, std::size_t n, const std::string& name) {
                progress.Step(i, n, "Compiling " + FromCp1252(name));
            });
        }
        Show(messages);
    });
    show();
}

}  // namespace quill
