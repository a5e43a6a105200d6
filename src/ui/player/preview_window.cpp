#include "player/preview_window.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QTimer>
#include <algorithm>

#include "platform/platform.h"
#include "platform/window_caption.h"
#include "player/screen_accessibility.h"
#include "player/screen_object_view.h"
#include "player/screen_widgets.h"
#include "project/config_record.h"
#include "project/project.h"
#include "richtext/rich_text_render.h"
#include "richtext/rtf_reader.h"
#include "screen/text_screen.h"
#include "common/learner_screen.h"
#include "project/project_path.h"
#include "text/file_lookup.h"
#include "text_codec.h"
#include "ui_preview_window.h"

namespace quill {

PreviewWindow::PreviewWindow(const Project& project, Platform& platform, QWidget* parent)
    : QWidget(parent, Qt::Window), project_(project), platform_(platform), frame_(std::make_unique<Ui::PreviewWindow>()),
      host_(std::make_unique<PreviewHost>(*this, project, platform)) {
    setFixedSize(kClientWidth, kClientHeight);
    // The view's scale, also from the context menu and Ctrl+1, Ctrl+2, Ctrl+0.
    setContextMenuPolicy(Qt::DefaultContextMenu);
    // The window takes the keyboard only when a wait gives it the focus: a click on the screen,
    // a label or a picture must not take it from the input box, the memo or the list.
    setFocusPolicy(Qt::NoFocus);
    InstallScreenAccessibility();
    buildControls();
    const std::pair<ScaleMode, Qt::Key> keys[] = {
        {ScaleMode::One, Qt::Key_1}, {ScaleMode::Two, Qt::Key_2}, {ScaleMode::Fit, Qt::Key_0}};
    for (const auto& [mode, key] : keys) {
        auto* action = new QAction(this);
        action->setShortcut(QKeySequence(Qt::CTRL | key));
        connect(action, &QAction::triggered, this, [this, m = mode] { chooseScaleMode(m); });
        addAction(action);
    }
}

void PreviewWindow::setScale(const ScreenScale& scale) {
    placement_.setScale(scale);
    view_->SetScale(scale);
    setFixedSize(scale.map(QSize(kClientWidth, kClientHeight)));
    update();
}

void PreviewWindow::chooseScaleMode(ScaleMode mode) {
    scaleMode_ = mode;
    if (scaleChooser_) {
        scaleChooser_(mode);
        return;
    }
    QScreen* s = QWidget::screen() ? QWidget::screen() : QGuiApplication::primaryScreen();
    const QSize frame = frameGeometry().size() - size();
    setScale(ChooseScale(mode, s ? s->availableGeometry().size() - frame : QSize(kClientWidth, kClientHeight)));
}

void PreviewWindow::contextMenuEvent(QContextMenuEvent* event) {
    // The View menu: the screen at 1 x, 2 x or fitted. A right click is neither a key nor a
    // click for the chapter.
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("ViewMenu"));
    QMenu* view = menu.addMenu(QStringLiteral("&View"));
    auto* group = new QActionGroup(&menu);
    for (const ScaleMode mode : {ScaleMode::One, ScaleMode::Two, ScaleMode::Fit}) {
        QAction* action = view->addAction(ScaleModeName(mode));
        action->setCheckable(true);
        action->setChecked(mode == scaleMode_);
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, mode] { chooseScaleMode(mode); });
    }
    menu.exec(event->globalPos());
    event->accept();
}

PreviewWindow::~PreviewWindow() = default;

void PreviewWindow::buildControls() {
    // The frame (the title, the control bar and the answer controls) comes from the .ui file;
    // the screen's own widgets stand below it, the raster at the bottom.
    frame_->setupUi(this);
    TitlePnl = frame_->TitlePnl;
    ControlPnl = frame_->ControlPnl;
    ContinueBtn = frame_->ContinueBtn;
    PageBackBtn = frame_->PageBackBtn;
    HelpBtn = frame_->HelpBtn;
    UtilityBtn = frame_->UtilityBtn;
    QuitBtn = frame_->QuitBtn;
    UserInputEdit = frame_->UserInputEdit;
    LinesPanel = frame_->LinesPanel;
    Memo1 = frame_->Memo1;
    Panel1 = frame_->Panel1;
    BitBtn1 = frame_->BitBtn1;
    TwoButtonPnl = frame_->TwoButtonPnl;
    CtrlBtnPnl = frame_->CtrlBtnPnl;
    LeftBitBtn = frame_->LeftBitBtn;
    RightBitBtn = frame_->RightBitBtn;
    ListMenuPanel = frame_->ListMenuPanel;
    ListBox1 = frame_->ListBox1;
    DisplayPanel = frame_->DisplayPanel;
    Memo2 = frame_->Memo2;
    QuizAns = {frame_->QuizAns1, frame_->QuizAns2, frame_->QuizAns3, frame_->QuizAns4};

    ScreenObjectView::Handlers handlers;
    handlers.screenClick = [this] { host_->ScreenClicked(); };
    handlers.imageClick = [this] { host_->ImageClicked(); };
    handlers.hyperClick = [this](const QString& word) { HyperLabelClick(word); };
    handlers.menuClick = [this](int number) { host_->MenuPicked(number); };
    view_ = std::make_unique<ScreenObjectView>(this, placement_, std::move(handlers));

    // What the .ui file cannot say: the design geometry the scale maps, the screen's fonts in
    // pixels, the panels' face colour, and what is hidden until the screen shows it.
    for (QWidget* w : std::initializer_list<QWidget*>{BitBtn1, TwoButtonPnl, CtrlBtnPnl, LeftBitBtn, RightBitBtn,
                                                      TitlePnl, ControlPnl, ContinueBtn, PageBackBtn, HelpBtn,
                                                      UtilityBtn, QuitBtn})
        placement_.place(w, w->geometry());
    for (QWidget* w : std::initializer_list<QWidget*>{UserInputEdit, Memo1, ListBox1, Memo2})
        placement_.setFont(w, Courier(13));
    for (QWidget* w : std::initializer_list<QWidget*>{BitBtn1, LeftBitBtn, RightBitBtn, ContinueBtn, PageBackBtn,
                                                      HelpBtn, UtilityBtn, QuitBtn})
        placement_.setFont(w, w->font());
    for (QWidget* w : std::initializer_list<QWidget*>{LinesPanel, TwoButtonPnl, ListMenuPanel, DisplayPanel})
        SetColours(w, kPanelFace);
    for (QWidget* w : std::initializer_list<QWidget*>{UserInputEdit, LinesPanel, TwoButtonPnl, ListMenuPanel,
                                                      DisplayPanel, TitlePnl, PageBackBtn, HelpBtn, UtilityBtn,
                                                      ControlPnl})
        w->hide();

    UserInputEdit->installEventFilter(this);
    connect(BitBtn1, &QPushButton::clicked, this, [this] { host_->MemoDone(); });
    connect(LeftBitBtn, &QPushButton::clicked, this, [this] { host_->ChoiceMade(true); });
    connect(RightBitBtn, &QPushButton::clicked, this, [this] { host_->ChoiceMade(false); });
    ListBox1->installEventFilter(this);
    connect(ListBox1, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { host_->ListPicked(ListBox1->row(item)); });

    for (int k = 1; k <= 4; ++k) {
        auto* panel = static_cast<KeyLabel*>(QuizAns[static_cast<std::size_t>(k - 1)]);
        auto* num = panel->findChild<ClickLabel*>(QStringLiteral("QuizAns%1num").arg(k));
        placement_.setFont(num, Courier(13, true));
        SetColours(num, kPanelFace, Qt::black);
        auto* text = panel->findChild<ClickLabel*>(QStringLiteral("QuizAns%1text").arg(k));
        placement_.setFont(text, Courier(13, true));
        panel->SetFocusShownOn(text);
        for (ClickLabel* target : {static_cast<ClickLabel*>(panel), num, text}) {
            target->onClick = [this, k] { host_->AnswerPicked(k); };
        }
        panel->hide();
    }

    const std::pair<QPushButton*, ControlButton> bar[] = {{ContinueBtn, ControlButton::Continue},
                                                          {PageBackBtn, ControlButton::PageBack},
                                                          {HelpBtn, ControlButton::Help},
                                                          {UtilityBtn, ControlButton::Utilities},
                                                          {QuitBtn, ControlButton::Quit}};
    for (const auto& [b, which] : bar)
        connect(b, &QPushButton::clicked, this, [this, which = which] { host_->ButtonPressed(which); });
}

void PreviewWindow::setScreen(TextScreen* screen) {
    screen_ = screen;
    view_->SetScreen(screen);
    syncFromScreen();
}

void PreviewWindow::FormActivate() {
    const TTutorialConfig& c = project_.Config;
    host_->Begin();
    lastPressed_ = nullptr;
    const QColor back = ColourFromRecord(c.get(cfg::Screen::ScreenBackColor));
    view_->SetBackground(back);
    SetColours(this, back);
    SetWindowCaption(*this, FromCp1252(c.get(cfg::Program::ProgramTitle)));
    SetColours(TitlePnl, ColourFromRecord(c.get(cfg::Screen::TitleBackColor)),
               ColourFromRecord(c.get(cfg::Screen::TitleTextColor)));
    SetColours(ControlPnl, ColourFromRecord(c.get(cfg::Screen::ControlBarColor)));
    ContinueBtn->setText(FromCp1252(c.get(cfg::Screen::ContinueCaption)));
    HelpBtn->setText(FromCp1252(c.get(cfg::Screen::HelpButtonCaption)));
    QuitBtn->setText(FromCp1252(c.get(cfg::Screen::QuitButtonCaption)));
    PageBackBtn->setText(FromCp1252(c.get(cfg::Screen::PagebackCaption)));
    UtilityBtn->setText(FromCp1252(c.get(cfg::Screen::UtilitiesCaption)));
    syncFromScreen();
}

void PreviewWindow::keyPressEvent(QKeyEvent* event) {
    // The arrow keys move through the quiz answers, the button menu and the two-button choice
    // as Tab and Shift+Tab do.
    const int key = event->key();
    if ((quizKeys_ || choiceKeys_ || view_->IsMenuButton(focusWidget())) &&
        (key == Qt::Key_Down || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Left) &&
        event->modifiers() == Qt::NoModifier) {
        if (focusNextPrevChild(key == Qt::Key_Down || key == Qt::Key_Right)) {
            event->accept();
            return;
        }
    }
    // While the two-button choice waits, the first letter of a legend presses its button
    // (Y and N for "Yes" and "No").
    const QString text = event->text().toUpper();
    if (choiceKeys_ && text.size() == 1 && text[0].isLetterOrNumber()) {
        for (QPushButton* b : {LeftBitBtn, RightBitBtn}) {
            const QString legend = b->text().remove('&').trimmed().toUpper();
            if (b->isEnabled() && !legend.isEmpty() && legend[0] == text[0]) {
                event->accept();
                b->click();
                return;
            }
        }
    }
    // Every key going down counts, modifiers and Escape included; the last key is its
    // character when it has one.
    const QString typed = event->text();
    host_->KeyWentDown(typed.size() == 1 && typed[0].isPrint() ? typed[0] : QChar());
    event->accept();
}

void PreviewWindow::closeEvent(QCloseEvent* event) {
    host_->requestStop();
    event->accept();
}

bool PreviewWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (watched == UserInputEdit && enter) {
            // Enter ends the input; it is not typed into the box.
            host_->InputEntered();
            return true;
        }
        if (watched == ListBox1 && enter) {
            host_->ListPicked(ListBox1->currentRow());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void PreviewWindow::HyperLabelClick(const QString& name) {
    // The entry or the message takes the keyboard; afterwards it goes back to where it was
    // (the input box of a waiting *GetUserInput, a control bar button, the window).
    const QPointer<QWidget> focus = focusWidget();
    if (!host_->performEntry(EntrySource::Hyper, name))
        host_->showInfo(QStringLiteral("The \"") + name + QStringLiteral("\" HyperText Link has not been defined "));
    RestoreFocus(focus);
}

void PreviewWindow::RestoreFocus(QWidget* focus) {
    if (!isVisible()) return;
    activateWindow();
    if (focus && focus->isVisible() && focus->window() == this)
        focus->setFocus(Qt::OtherFocusReason);
    else
        setFocus(Qt::OtherFocusReason);
}

std::vector<QPushButton*> PreviewWindow::ShownButtons() const {
    // In the order they stand on the bar, left to right.
    std::vector<QPushButton*> shown;
    for (QPushButton* b : {QuitBtn, UtilityBtn, HelpBtn, PageBackBtn, ContinueBtn})
        if (b->isVisible() && b->isEnabled()) shown.push_back(b);
    return shown;
}

void PreviewWindow::SetButtonKeys(bool on) {
    buttonKeys_ = on;
    for (QPushButton* b : {QuitBtn, UtilityBtn, HelpBtn, PageBackBtn, ContinueBtn}) {
        b->setFocusPolicy(on ? Qt::TabFocus : Qt::NoFocus);
        b->setAutoDefault(on);  // Enter presses the focused button
    }
}

std::vector<QWidget*> PreviewWindow::FocusRing() const {
    // While the control bar waits: the screen's hypertext words and the bar's shown buttons;
    // while the two-button choice, a button menu or the quiz answers wait: their buttons.
    std::vector<QWidget*> ring;
    if (quizKeys_) {
        ring = QuizAnswers();
    } else if (choiceKeys_) {
        ring = {LeftBitBtn, RightBitBtn};
    } else if (QWidget* focus = focusWidget(); focus && (focus == Memo1 || focus == BitBtn1)) {
        ring = {Memo1, BitBtn1};
    } else if (view_->IsMenuButton(focusWidget())) {
        ring = view_->MenuButtons();
    } else if (buttonKeys_) {
        ring = view_->HyperWords();
        for (QPushButton* b : ShownButtons()) ring.push_back(b);
    }
    return ring;
}

bool PreviewWindow::focusNextPrevChild(bool next) {
    // Tab walks the ring of the wait; at other waits Tab is a key like any other (it reaches
    // keyPressEvent).
    const std::vector<QWidget*> ring = FocusRing();
    if (ring.empty()) return false;
    const auto at = std::find(ring.begin(), ring.end(), focusWidget());
    const std::ptrdiff_t count = static_cast<std::ptrdiff_t>(ring.size());
    std::ptrdiff_t index = at == ring.end() ? (next ? -1 : count) : at - ring.begin();
    index = ((next ? index + 1 : index - 1) + count) % count;
    ring[static_cast<std::size_t>(index)]->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

// ---- showing the screen -------------------------------------------------------------------------

void PreviewWindow::syncFromScreen() {
    view_->Sync();
    SyncAnswers();
    SyncFrame();
    // A screen with new text is announced to assistive technology (when one listens).
    if (QAccessible::isActive() && isVisible()) {
        QString text = screen_ ? screen_->visibleText() : QString();
        if (text != announcedText_) {
            announcedText_ = std::move(text);
            AnnounceNewScreen(view_->Area());
        }
    }
}

void PreviewWindow::SyncFrame() {
    if (!screen_) {
        TitlePnl->hide();
        ControlPnl->hide();
        return;
    }
    const TitlePanel& title = screen_->title();
    if (title.visible) {
        TitlePnl->setText(title.text);
        placement_.setFont(TitlePnl, title.font);
        SetColours(TitlePnl, title.backColour, title.textColour);
    }
    TitlePnl->setVisible(title.visible);
    TitlePnl->raise();

    const ControlBar& bar = screen_->controlBar();
    SetColours(ControlPnl, bar.colour);
    const std::array<QPushButton*, kControlButtonCount> buttons{ContinueBtn, HelpBtn, QuitBtn, PageBackBtn,
                                                                UtilityBtn};
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        buttons[i]->setText(bar.legends[i]);
        buttons[i]->setVisible(bar.shown[i]);
    }
    ControlPnl->setVisible(bar.visible);
    ControlPnl->raise();
}

void PreviewWindow::SyncAnswers() {
    static const AnswerControls none;
    const AnswerControls& a = screen_ ? screen_->answers() : none;

    if (a.input.visible) {
        placement_.place(UserInputEdit, a.input.rect);
        UserInputEdit->setMaxLength(a.input.maxLength);
        if (!inputWasVisible_) UserInputEdit->clear();
        UserInputEdit->show();
    } else {
        UserInputEdit->hide();
    }
    inputWasVisible_ = a.input.visible;

    if (a.choice.visible) {
        placement_.place(TwoButtonPnl, a.choice.rect);
        LeftBitBtn->setText(a.choice.left);
        RightBitBtn->setText(a.choice.right);
        TwoButtonPnl->setEnabled(a.choice.enabled);
        LeftBitBtn->setEnabled(a.choice.enabled);
        RightBitBtn->setEnabled(a.choice.enabled);
        CentreChoiceButtons();
        TwoButtonPnl->show();
    } else {
        TwoButtonPnl->hide();
    }

    if (a.list.visible) {
        placement_.place(ListMenuPanel, a.list.rect);
        placement_.place(ListBox1, QRect(QPoint(0, 0), a.list.rect.size()).adjusted(5, 5, -5, -5));
        if (!listWasVisible_ || a.list.items != shownListItems_) {
            ListBox1->clear();
            ListBox1->addItems(a.list.items);
            // The second item and then the first, so the list shows a fresh selection.
            if (ListBox1->count() > 1) ListBox1->setCurrentRow(1);
            if (ListBox1->count() > 0) ListBox1->setCurrentRow(0);
            shownListItems_ = a.list.items;
        }
        ListMenuPanel->show();
    } else {
        ListMenuPanel->hide();
    }
    listWasVisible_ = a.list.visible;

    if (a.memo.visible) {
        placement_.place(LinesPanel, a.memo.rect);
        placement_.place(Memo1, QRect(0, 0, a.memo.rect.width(), a.memo.rect.height() - 32));
        placement_.place(Panel1, QRect(0, a.memo.rect.height() - 32, a.memo.rect.width(), 32));
        CentreLinesOK();
        if (!memoWasVisible_ || a.memo.lines != shownMemoLines_) {
            Memo1->setPlainText(a.memo.lines.join(u'\n'));
            shownMemoLines_ = a.memo.lines;
        }
        LinesPanel->show();
    } else {
        LinesPanel->hide();
    }
    memoWasVisible_ = a.memo.visible;

    if (a.display.visible) {
        placement_.place(DisplayPanel, a.display.rect);
        placement_.place(Memo2, QRect(QPoint(0, 0), a.display.rect.size()));
        if (a.display.lines != shownDisplayLines_ || !DisplayPanel->isVisible()) {
            Memo2->setPlainText(a.display.lines.join(u'\n'));
            shownDisplayLines_ = a.display.lines;
        }
        DisplayPanel->show();
    } else {
        DisplayPanel->hide();
    }

    for (std::size_t i = 0; i < QuizAns.size(); ++i) {
        QFrame* panel = QuizAns[i];
        if (i >= a.quiz.size()) {
            panel->hide();
            continue;
        }
        const QuizAnswer& q = a.quiz[i];
        placement_.place(panel, q.rect);
        SetColours(panel, q.backColour);
        auto* num = panel->findChild<QLabel*>(QStringLiteral("QuizAns%1num").arg(i + 1));
        auto* text = panel->findChild<QLabel*>(QStringLiteral("QuizAns%1text").arg(i + 1));
        placement_.place(num, QRect(2, 2, 24, q.rect.height() - 4));
        num->setText(q.letter);
        placement_.place(text, QRect(32, 0, q.rect.width() - 34, q.rect.height()));
        text->setText(q.text);
        panel->setAccessibleName(q.letter + QStringLiteral(": ") + q.text);
        SetColours(text, q.backColour, screen_ ? screen_->colours().text : QColor(Qt::black));
        static_cast<KeyLabel*>(panel)->RefreshFocus();
        panel->show();
        panel->raise();
    }
    for (QWidget* w : {static_cast<QWidget*>(UserInputEdit), static_cast<QWidget*>(TwoButtonPnl),
                       static_cast<QWidget*>(ListMenuPanel), static_cast<QWidget*>(LinesPanel),
                       static_cast<QWidget*>(DisplayPanel)})
        if (w->isVisibleTo(this)) w->raise();
}

void PreviewWindow::CentreChoiceButtons() {
    placement_.move(CtrlBtnPnl, QPoint(placement_.designRect(TwoButtonPnl).width() / 2 -
                                           placement_.designRect(CtrlBtnPnl).width() / 2,
                                       0));
}

void PreviewWindow::CentreLinesOK() {
    const QRect ok = placement_.designRect(BitBtn1);
    placement_.move(BitBtn1, QPoint(placement_.designRect(LinesPanel).width() / 2 - ok.width() / 2,
                                    (placement_.designRect(Panel1).height() - ok.height()) / 2));
}

// ---- what the host's waits do with the widgets ------------------------------------------------

void PreviewWindow::FocusWindow() { setFocus(); }

void PreviewWindow::BeginButtonWait() {
    SetButtonKeys(true);
    const std::vector<QPushButton*> shown = ShownButtons();
    if (!shown.empty()) {
        QPushButton* first = ContinueBtn->isVisible() ? ContinueBtn : shown.back();
        if (lastPressed_ && std::find(shown.begin(), shown.end(), lastPressed_) != shown.end()) first = lastPressed_;
        first->setFocus(Qt::OtherFocusReason);
    }
}

void PreviewWindow::EndButtonWait() {
    SetButtonKeys(false);
    if (QWidget* f = focusWidget(); f && f->parentWidget() == ControlPnl) setFocus(Qt::OtherFocusReason);
}

void PreviewWindow::RememberPressed(ControlButton pressed) {
    lastPressed_ = pressed == ControlButton::Help        ? HelpBtn
                   : pressed == ControlButton::Utilities ? UtilityBtn
                                                         : nullptr;
}

void PreviewWindow::BeginInput() {
    UserInputEdit->clear();
    UserInputEdit->show();
    UserInputEdit->setFocus();
}

QString PreviewWindow::EndInput(bool take) {
    const QString text = take ? UserInputEdit->text() : QString();
    UserInputEdit->clear();
    UserInputEdit->hide();
    setFocus();
    return text;
}

void PreviewWindow::BeginChoice() {
    for (QPushButton* b : {LeftBitBtn, RightBitBtn}) {
        b->setFocusPolicy(Qt::StrongFocus);
        b->setAutoDefault(true);
    }
    choiceKeys_ = true;
    if (LeftBitBtn->isEnabled()) LeftBitBtn->setFocus(Qt::OtherFocusReason);
}

void PreviewWindow::EndChoice() {
    choiceKeys_ = false;
    LeftBitBtn->setEnabled(false);
    RightBitBtn->setEnabled(false);
    TwoButtonPnl->setEnabled(false);
    setFocus();
}

void PreviewWindow::BeginList() { ListBox1->setFocus(); }

void PreviewWindow::EndList() {
    ListMenuPanel->hide();
    setFocus();
}

void PreviewWindow::BeginMenu() {
    const std::vector<QWidget*> buttons = view_->MenuButtons();
    if (!buttons.empty()) buttons.front()->setFocus(Qt::OtherFocusReason);
}

std::vector<QWidget*> PreviewWindow::QuizAnswers() const {
    std::vector<QWidget*> answers;
    for (QFrame* panel : QuizAns)
        if (panel->isVisible()) answers.push_back(panel);
    return answers;
}

void PreviewWindow::BeginQuiz() {
    const std::vector<QWidget*> answers = QuizAnswers();
    quizKeys_ = !answers.empty();
    if (quizKeys_)
        answers.front()->setFocus(Qt::OtherFocusReason);
    else
        setFocus();
}

void PreviewWindow::EndQuiz() {
    quizKeys_ = false;
    setFocus();
}

void PreviewWindow::BeginMemo() { Memo1->setFocus(); }

QString PreviewWindow::MemoText() const { return Memo1->toPlainText(); }

}  // namespace quill
