#include "app/main_window.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <utility>

#include "aids/teaching_aids_menu.h"
#include "app/chapter_view_chooser.h"
#include "app/instructions_menu.h"
#include "app/new_tutorial_folder_dialog.h"
#include "app/program_about_box.h"
#include "app/program_memory.h"
#include "app/sample_offer.h"
#include "app/teaching_aids_link.h"
#include "common/aids_context.h"
#include "common/chapter_runner.h"
#include "design/presentation_designer.h"
#include "editor/chapter_editor.h"
#include "platform/error_handler.h"
#include "platform/help_topics.h"
#include "platform/modal.h"
#include "platform/platform.h"
#include "text/errors.h"
#include "text/text_file.h"
#include "text_codec.h"
#include "ui_main_window.h"

namespace quill {

namespace fs = std::filesystem;

namespace {

// The background: a tile of pale parchment with a faint quill-stroke pattern, repeated over
// the whole client area. It keeps the panel centred on itself.
class TiledBackground : public QWidget {
public:
    explicit TiledBackground(QWidget* parent) : QWidget(parent) {
        setObjectName("BackImage");
        tile_ = QPixmap(64, 64);
        tile_.fill(QColor(0xEE, 0xE6, 0xD2));
        QPainter p(&tile_);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(0xD8, 0xCC, 0xB0), 1.5));
        p.drawLine(0, 64, 64, 0);
        p.drawLine(-32, 64, 32, 0);
        p.drawLine(32, 64, 96, 0);
        p.setPen(QPen(QColor(0xC9, 0xBA, 0x98), 1));
        p.drawEllipse(QPointF(16, 16), 2, 2);
        p.drawEllipse(QPointF(48, 48), 2, 2);
    }
    std::function<void()> onResize;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.drawTiledPixmap(rect(), tile_);
    }
    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        if (onResize) onResize();
    }

private:
    QPixmap tile_;
};

}  // namespace

MainWindow::MainWindow(Project& project, Platform& platform, ChapterRunner& runner, QWidget* parent)
    : QMainWindow(parent),
      project_(project),
      platform_(platform),
      runner_(runner),
      ui_(std::make_unique<Ui::MainWindow>()) {
    setObjectName("TQMKmainform");
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    SetHelpTopic(this, HelpTopic::Contents);
    InstallF1Help(this, platform_.help, platform_.helpFile);

    auto* background = new TiledBackground(this);
    setCentralWidget(background);
    BuildPanel(background);
    // The window is captioned as the panel is titled.
    setWindowTitle(ui_->TitleLbl->text());
    background->onResize = [this, background] {
        MenuPnl_->move(background->width() / 2 - MenuPnl_->width() / 2,
                       background->height() / 2 - MenuPnl_->height() / 2);
    };

    auto* caption = new QLabel("  Current Tutorial  :", this);
    caption->setObjectName("CurrentLbl");
    ProjectLbl_ = new QLabel(this);
    ProjectLbl_->setObjectName("ProjectLbl");
    ProjectLbl_->setMinimumWidth(120);
    statusBar()->setObjectName("StatusBar1");
    statusBar()->addPermanentWidget(caption);
    statusBar()->addPermanentWidget(ProjectLbl_);
    // The tutorials opened before, when the program remembers them: one of them opens again.
    RecentBtn_ = new QToolButton(this);
    RecentBtn_->setObjectName("RecentBtn");
    RecentBtn_->setText("Recent Tutorials");
    RecentBtn_->setPopupMode(QToolButton::InstantPopup);
    RecentBtn_->setMenu(new QMenu(RecentBtn_));
    RecentBtn_->hide();
    connect(RecentBtn_->menu(), &QMenu::aboutToShow, this, &MainWindow::FillRecentMenu);
    statusBar()->addPermanentWidget(RecentBtn_);

    StartTimer_ = new QTimer(this);
    StartTimer_->setObjectName("StartTimer");
    StartTimer_->setSingleShot(true);
    StartTimer_->setInterval(1);
    connect(StartTimer_, &QTimer::timeout, this, &MainWindow::StartTimerTimer);

    MenuPnl_->hide();
    UpdateButtons();
    resize(1024, 740);
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    documents_ = (documents.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::HomeLocation) : documents)
                     .toStdString();
}

MainWindow::~MainWindow() = default;

void MainWindow::BuildPanel(QWidget* background) {
    MenuPnl_ = new QFrame(background);
    ui_->setupUi(MenuPnl_);

    // Each button but Help and Quit runs framed.
    for (QPushButton* button :
         {ui_->SelectBtn, ui_->StartBtn, ui_->ConfigBtn, ui_->EditBtn, ui_->ViewBtn, ui_->PreviewBtn, ui_->CompileBtn,
          ui_->DistribBtn, ui_->ScreensBtn, ui_->ToolsBtn, ui_->CustProgBtn, ui_->AboutBtn, ui_->HelpBtn, ui_->TutBtn,
          ui_->QuitBtn}) {
        const QString name = button->objectName();
        buttons_.insert(name, button);
        if (name != control::HelpBtn && name != control::QuitBtn)
            connect(button, &QPushButton::clicked, this, [this, name, button] {
                RunFramed(button, [this, name] { actions_.value(name)(); });
            });
    }

    // The topic F1 opens on each button (Instructions and Quit take the window's).
    const std::pair<ControlName, HelpTopic> topics[] = {
        {control::SelectBtn, HelpTopic::SelectTutorial},
        {control::StartBtn, HelpTopic::NewTutorial},
        {control::ConfigBtn, HelpTopic::TutorialTypeMenu},
        {control::EditBtn, HelpTopic::ChapterEditor},
        {control::ViewBtn, HelpTopic::ViewChapter},
        {control::PreviewBtn, HelpTopic::PreviewTutorial},
        {control::CompileBtn, HelpTopic::CompileTutorial},
        {control::DistribBtn, HelpTopic::Distribution},
        {control::ScreensBtn, HelpTopic::TutorialPresentation},
        {control::ToolsBtn, HelpTopic::TeachingAids},
        {control::CustProgBtn, HelpTopic::ProgramPresentationMenu},
        {control::AboutBtn, HelpTopic::AboutProgram},
        {control::HelpBtn, HelpTopic::Contents},
    };
    for (const auto& [name, topic] : topics) SetHelpTopic(buttons_.value(name), topic);

    // The buttons' own actions; the others wait for their windows.
    actions_[control::SelectBtn] = [this] { SelectBtnClick(); };
    actions_[control::StartBtn] = [this] { StartBtnClick(); };
    actions_[control::EditBtn] = [this] { EditBtnClick(); };
    actions_[control::ViewBtn] = [this] { ViewBtnClick(); };
    actions_[control::AboutBtn] = [this] { AboutBtnClick(); };
    actions_[control::TutBtn] = [this] { TutBtnClick(); };
    actions_[control::ScreensBtn] = [this] { DefineTutorialPresentation(project_, platform_, this); };
    for (const ControlName name : {control::ConfigBtn, control::PreviewBtn, control::CompileBtn,
                                   control::DistribBtn, control::ToolsBtn, control::CustProgBtn}) {
        const QString caption = buttons_.value(name)->text();
        actions_[name] = [this, caption] { ShowNotAvailable(platform_.messages, caption); };
    }
    actions_[control::ToolsBtn] = [this] {
        if (!system_) return ShowNotAvailable(platform_.messages, "Teaching &Aids");
        AidsContext context{project_, platform_, *system_};
        OpenTeachingAids(context, this);
    };
    // Help and Quit act without hiding the panel.
    connect(buttons_[control::HelpBtn], &QPushButton::clicked, this, &MainWindow::HelpBtnClick);
    connect(buttons_[control::QuitBtn], &QPushButton::clicked, this, &QWidget::close);
}

QPushButton* MainWindow::Button(ControlName name) const { return buttons_.value(name); }

void MainWindow::SetAction(ControlName button, std::function<void()> action) {
    actions_[button] = std::move(action);
}

void MainWindow::RunFramed(QPushButton* button, const std::function<void()>& action) {
    MenuPnl_->hide();
    RunGuarded(platform_.messages, action);
    UpdateButtons();
    MenuPnl_->show();
    // After choosing or creating a tutorial the next step is its type; otherwise the focus
    // goes back to the button that was pressed.
    QPushButton* next = button;
    if (button == buttons_[control::SelectBtn] || button == buttons_[control::StartBtn])
        next = buttons_[control::ConfigBtn]->isEnabled() ? buttons_[control::ConfigBtn] : buttons_[control::SelectBtn];
    if (next->isEnabled()) next->setFocus();
}

void MainWindow::UpdateProjectLabel() {
    ProjectLbl_->setText(project_.IsOpen() ? FromCp1252(project_.ProjectName) : "None Selected");
}

void MainWindow::UpdateButtons() {
    UpdateProjectLabel();
    const bool open = project_.IsOpen();
    if (open && memory_) memory_->TutorialOpened(project_.ProjectFilePath());
    RecentBtn_->setVisible(memory_ && memory_->RecentTutorials().size() > (open ? 1u : 0u));
    const bool chapters = open && project_.HasChapterFiles();
    const bool startingFile = open && project_.StartingFileExists();
    for (const ControlName name :
         {control::ConfigBtn, control::EditBtn, control::ScreensBtn, control::ToolsBtn, control::CustProgBtn})
        buttons_[name]->setEnabled(open);
    buttons_[control::ViewBtn]->setEnabled(chapters);
    for (const ControlName name : {control::PreviewBtn, control::CompileBtn, control::DistribBtn})
        buttons_[name]->setEnabled(startingFile);
}

QString MainWindow::ColorAdvisoryText() {
    const QString br = "\n\r";
    return "Your video Display mode is set at 256 colors." + br + br +
           "The graphics in this program need High Color" + br +
           "or True Color. At the Start Menu select Settings" + br +
           "then Control Panel then Display - Settings to" + br + "change the video Display mode";
}

bool MainWindow::DisplayIsLowColor() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen && screen->depth() < 16;
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!started_) {
        started_ = true;
        StartTimer_->start();
    }
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    // The window system may resize a maximised window more than once before it fills the work
    // area; the size is fixed once the resizing has settled.
    // A window system that restores the size from before maximising is held to the fixed size.
    if (!isMaximized() && minimumSize() == maximumSize() && size() != minimumSize()) {
        QTimer::singleShot(0, this, [this] { resize(minimumSize()); });
        return;
    }
    if (isMaximized() && minimumSize() != maximumSize()) {
        auto* settle = findChild<QTimer*>("MaximisedTimer");
        if (!settle) {
            settle = new QTimer(this);
            settle->setObjectName("MaximisedTimer");
            settle->setSingleShot(true);
            settle->setInterval(300);
            connect(settle, &QTimer::timeout, this, [this] {
                if (!isMaximized()) return;
                // The window system keeps a maximised window resizable, so the window takes
                // the place it was given as its fixed size and position instead.
                const QRect place = geometry();
                setWindowState(windowState() & ~Qt::WindowMaximized);
                setFixedSize(place.size());
                setGeometry(place);
            });
        }
        settle->start();
    }
}

void MainWindow::StartTimerTimer() {
    StartTimer_->stop();
    if (lowColor_) platform_.messages.ShowInfo(ColorAdvisoryText());
    MenuPnl_->show();
    buttons_[control::HelpBtn]->setFocus();
    // With no tutorial open, the one opened last is opened again; without one, the sample is
    // offered (copied into the documents and opened), only at the very first start when the
    // program remembers.
    if (project_.IsOpen()) return;
    RunGuarded(platform_.messages, [this] {
        if (memory_) {
            const auto recent = memory_->RecentTutorials();
            if (!recent.empty()) {
                SelectTutorial(project_, recent.front());
                ChangeToProjectDir();
                UpdateButtons();
                buttons_[control::ConfigBtn]->setFocus();
                return;
            }
            if (memory_->SampleOffered()) return;
            memory_->SetSampleOffered();
        }
        if (!OfferSampleTutorial(project_, platform_, documents_)) return;
        ChangeToProjectDir();
        UpdateButtons();
        buttons_[control::ViewBtn]->setFocus();
    });
}

void MainWindow::FillRecentMenu() {
    QMenu* menu = RecentBtn_->menu();
    menu->clear();
    if (!memory_) return;
    std::error_code ec;
    for (const fs::path& file : memory_->RecentTutorials()) {
        if (project_.IsOpen() && fs::equivalent(file, project_.ProjectFilePath(), ec)) continue;
        QAction* item = menu->addAction(QString::fromStdString(file.string()));
        connect(item, &QAction::triggered, this, [this, file] {
            RunFramed(buttons_[control::SelectBtn], [this, file] {
                SelectTutorial(project_, file);
                ChangeToProjectDir();
            });
        });
    }
}

void MainWindow::ChangeToProjectDir() {
    std::error_code ec;
    fs::current_path(project_.ProjectDir, ec);
    if (ec)
        throw IoError("Cannot change to the folder " + DisplayName(project_.ProjectDir) + ": " + ec.message());
}

void MainWindow::SelectBtnClick() {
    FileDialogOptions options;
    options.title = "Select a Tutorial File";
    options.filter = "Tutorial Files|*.QKJ";
    options.defaultSuffix = "QKJ";
    options.directory = project_.ProjectDir;
    const auto chosen = platform_.dialogs.OpenFile(options);
    if (!chosen) return;
    SelectTutorial(project_, *chosen);
    ChangeToProjectDir();
    UpdateButtons();
}

void MainWindow::StartBtnClick() {
    NewTutorialFolderDialog form(platform_, "*.QKJ", "Enter Tutorial Name",
                                 TopicNumber(HelpTopic::NewTutorialFolder), project_.ProjectDir,
                                 this);
    if (form.exec() != QDialog::Accepted) {
        std::error_code ec;
        fs::current_path(project_.ProjectDir, ec);
        return;
    }
    NewTutorial(project_, form.Folder(), form.Name());
    ChangeToProjectDir();
    UpdateButtons();
}

void MainWindow::ViewBtnClick() {
    ChapterViewChooser chooser(project_, platform_, this);
    if (chooser.exec() != QDialog::Accepted || chooser.ChapterFile().empty()) return;
    runner_.RunChapter(project_, chooser.ChapterFile());
}

void MainWindow::EditBtnClick() {
    ChapterEditor editor(project_, platform_, runner_, this);
    editor.SetSystemServices(system_);
    editor.SetAidsWindows(TeachingAidsWindows());
    if (memory_) editor.restoreGeometry(memory_->EditorGeometry());
    ShowModal(editor);
    if (memory_) memory_->SetEditorGeometry(editor.saveGeometry());
}

void MainWindow::AboutBtnClick() {
    ProgramAboutBox about(platform_, this);
    about.exec();
}

void MainWindow::HelpBtnClick() { platform_.ShowHelp(TopicNumber(HelpTopic::Contents)); }

void MainWindow::TutBtnClick() {
    InstructionsMenu menu(project_.HomeDir, platform_, this);
    ShowModal(menu);
}

}  // namespace quill
