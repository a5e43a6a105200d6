#include "player/preview_host.h"

#include <QCoreApplication>
#include <QDialog>
#include <QTimer>

#include "common/learner_screen.h"
#include "platform/platform.h"
#include "player/preview_window.h"
#include "player/print_question_dialog.h"
#include "player/utility_menu_dialog.h"
#include "project/project.h"
#include "screen/text_screen.h"
#include "text_codec.h"

namespace quill {

PreviewHost::PreviewHost(PreviewWindow& window, const Project& project, Platform& platform)
    : window_(window), project_(project), platform_(platform) {
    slowTimer_ = new QTimer(&window);
    slowTimer_->setObjectName(QStringLiteral("SlowTimer"));
    slowTimer_->setSingleShot(true);
    slowTimer_->setInterval(TextScreen::kSlowTickMs);
    QObject::connect(slowTimer_, &QTimer::timeout, &window, [this] { flags_.slowTick = true; });
    delayTimer_ = new QTimer(&window);
    delayTimer_->setObjectName(QStringLiteral("Delaytimer"));
    delayTimer_->setSingleShot(true);
    QObject::connect(delayTimer_, &QTimer::timeout, &window, [this] { flags_.timerDone = true; });
}

void PreviewHost::Begin() {
    stop_ = false;
    flags_ = Flags{};
}

void PreviewHost::requestStop() {
    stop_ = true;
    slowTimer_->stop();
    delayTimer_->stop();
}

// ---- what the handlers record -------------------------------------------------------------------

void PreviewHost::ButtonPressed(ControlButton button) {
    flags_.button = button;
    flags_.anyButton = true;
}

void PreviewHost::KeyWentDown(QChar key) {
    flags_.key = true;
    flags_.lastKey = KeyPress{false, key};
    flags_.timerDone = true;
    flags_.keyEndedDelay = true;
}

void PreviewHost::ScreenClicked() {
    flags_.key = true;
    flags_.lastKey = KeyPress{true, {}};
    flags_.timerDone = true;
    flags_.keyEndedDelay = true;
}

void PreviewHost::ImageClicked() {
    flags_.key = true;
    flags_.lastKey = KeyPress{true, {}};
}

void PreviewHost::InputEntered() { flags_.inputDone = true; }

void PreviewHost::ChoiceMade(bool left) {
    flags_.choice = left;
    flags_.choiceDone = true;
}

void PreviewHost::ListPicked(int index) {
    flags_.listIndex = index;
    flags_.listDone = true;
}

void PreviewHost::MenuPicked(int number) {
    flags_.menuChoice = number;
    flags_.menuDone = true;
}

void PreviewHost::AnswerPicked(int number) {
    flags_.answer = number;
    flags_.answerDone = true;
}

void PreviewHost::MemoDone() { flags_.memoDone = true; }

// ---- waits --------------------------------------------------------------------------------------

void PreviewHost::waitUntil(const std::function<bool()>& done) {
    while (!stop_ && !done()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void PreviewHost::waitForFlag(bool& flag) {
    flag = false;
    waitUntil([&flag] { return flag; });
    flag = false;
}

ControlButton PreviewHost::waitForButton() {
    window_.syncFromScreen();
    window_.BeginButtonWait();
    flags_.anyButton = false;
    waitUntil([this] { return flags_.anyButton; });
    window_.EndButtonWait();
    if (stop_) return ControlButton::Quit;
    flags_.anyButton = false;
    const ControlButton pressed = flags_.button;
    window_.RememberPressed(pressed);
    return pressed;
}

KeyPress PreviewHost::waitForKey() {
    window_.syncFromScreen();
    window_.FocusWindow();
    waitForFlag(flags_.key);
    if (stop_) return KeyPress{true, {}};
    return flags_.lastKey;
}

bool PreviewHost::waitDelay(int milliseconds) {
    window_.syncFromScreen();
    flags_.timerDone = false;
    flags_.keyEndedDelay = false;
    if (milliseconds <= 0) {
        QCoreApplication::processEvents();
        return false;
    }
    delayTimer_->start(milliseconds);
    waitUntil([this] { return flags_.timerDone; });
    delayTimer_->stop();
    flags_.timerDone = false;
    return !stop_ && flags_.keyEndedDelay;
}

void PreviewHost::waitSlowTick() {
    window_.syncFromScreen();
    flags_.slowTick = false;
    slowTimer_->start();
    waitUntil([this] { return flags_.slowTick; });
    slowTimer_->stop();
}

void PreviewHost::processEvents() {
    window_.syncFromScreen();
    QCoreApplication::processEvents();
}

QString PreviewHost::askInput() {
    window_.syncFromScreen();
    window_.BeginInput();
    waitForFlag(flags_.inputDone);
    return window_.EndInput(!stop_);
}

bool PreviewHost::askChoice() {
    window_.syncFromScreen();
    window_.BeginChoice();
    waitForFlag(flags_.choiceDone);
    window_.EndChoice();
    return !stop_ && flags_.choice;
}

int PreviewHost::askList() {
    window_.syncFromScreen();
    window_.BeginList();
    waitForFlag(flags_.listDone);
    window_.EndList();
    return stop_ ? -1 : flags_.listIndex;
}

int PreviewHost::askMenuButton() {
    window_.syncFromScreen();
    window_.BeginMenu();
    waitForFlag(flags_.menuDone);
    window_.FocusWindow();
    return stop_ ? 0 : flags_.menuChoice;
}

QuizReply PreviewHost::askQuizAnswer() {
    window_.syncFromScreen();
    window_.BeginQuiz();
    flags_.answerDone = false;
    flags_.key = false;
    waitUntil([this] { return flags_.answerDone || flags_.key; });
    window_.EndQuiz();
    const bool answered = flags_.answerDone;
    flags_.answerDone = false;
    flags_.key = false;
    if (stop_) return {};
    if (answered) return {flags_.answer, {}};
    return {0, flags_.lastKey.key};
}

QStringList PreviewHost::askMemo() {
    window_.syncFromScreen();
    window_.BeginMemo();
    waitForFlag(flags_.memoDone);
    if (stop_) return {};
    const QString text = window_.MemoText();
    window_.FocusWindow();
    if (text.isEmpty()) return {};
    return text.split(u'\n');
}

std::optional<int> PreviewHost::chooseUtility(const QStringList& names) {
    if (names.isEmpty()) return std::nullopt;
    UtilityMenuDialog chooser(names, &window_);
    chooser.exec();
    return chooser.ChosenIndex();
}

// ---- messages and outside actions ---------------------------------------------------------------

void PreviewHost::showError(const QString& text) { platform_.messages.ShowError(text); }

void PreviewHost::showInfo(const QString& text) { platform_.messages.ShowInfo(text); }

bool PreviewHost::performEntry(EntrySource source, const QString& name) {
    return performer_ ? performer_(source, name) : false;
}

void PreviewHost::openNotes(const std::filesystem::path& file, const QString& caption) {
    if (notesOpener_) {
        notesOpener_(file, caption);
        return;
    }
    ShowNotAvailable(platform_.messages, QStringLiteral("Notes Editor"));
}

void PreviewHost::printLines(const QStringList& lines, const QString& question) {
    PrintQuestionDialog ask(question, &window_);
    if (ask.exec() != QDialog::Accepted) return;
    PrintTextLines(platform_.dialogs, lines, window_.windowTitle());
}

void PreviewHost::showHelp(const QString& helpFile, int topic) {
    // The tutorial's own help file, only from inside its folder; none: the tutorial says so.
    ShowTutorialHelpFile(platform_, project_.ProjectDir, ToCp1252(helpFile), topic);
}

}  // namespace quill
