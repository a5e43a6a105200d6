#include "platform/messages.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "platform/help.h"
#include "platform/message_box.h"

namespace quill {

QString NormalizeLineBreaks(const QString& text) {
    QString out = text;
    out.replace("\r\n", "\n");
    out.replace("\n\r", "\n");
    out.replace('\r', '\n');
    return out;
}

namespace {

QMessageBox::StandardButton Box(QMessageBox::Icon icon, const QString& text,
                                QMessageBox::StandardButtons buttons,
                                QMessageBox::StandardButton defaultButton) {
    using B = QDialogButtonBox;
    const auto all = B::StandardButtons(buttons.toInt());
    const B::StandardButton escape = all.testFlag(B::Cancel) ? B::Cancel : all.testFlag(B::No) ? B::No : B::Ok;
    MessageBoxDialog box(icon, QApplication::applicationName(), NormalizeLineBreaks(text), all,
                         static_cast<B::StandardButton>(defaultButton), escape, QApplication::activeWindow());
    box.exec();
    return static_cast<QMessageBox::StandardButton>(box.answer());
}

}  // namespace

DesktopMessages::DesktopMessages(Help& help, std::filesystem::path helpFile)
    : help_(help), helpFile_(std::move(helpFile)) {}

void DesktopMessages::ShowError(const QString& text) {
    Box(QMessageBox::Critical, text, QMessageBox::Ok, QMessageBox::Ok);
}

void DesktopMessages::ShowErrorHelp(const QString& text, int topic) {
    if (topic == 0) return ShowError(text);
    if (Box(QMessageBox::Critical, text, QMessageBox::Ok | QMessageBox::Help, QMessageBox::Ok) ==
        QMessageBox::Help)
        help_.ShowTopic(helpFile_, topic);
}

void DesktopMessages::ShowInfo(const QString& text) {
    Box(QMessageBox::Information, text, QMessageBox::Ok, QMessageBox::Ok);
}

bool DesktopMessages::Confirm(const QString& text) {
    return Box(QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) ==
           QMessageBox::Yes;
}

void DesktopMessages::Message(const QString& text) {
    Box(QMessageBox::NoIcon, text, QMessageBox::Ok, QMessageBox::Ok);
}

SaveAnswer DesktopMessages::AskSave(const QString& text) {
    switch (Box(QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                QMessageBox::Yes)) {
        case QMessageBox::Yes: return SaveAnswer::Yes;
        case QMessageBox::No: return SaveAnswer::No;
        default: return SaveAnswer::Cancel;
    }
}

StartAnswer DesktopMessages::AskToStart(const QString& text) {
    using B = QDialogButtonBox;
    MessageBoxDialog box(QMessageBox::Warning, QApplication::applicationName(), NormalizeLineBreaks(text),
                         B::Yes | B::YesToAll | B::No, B::No, B::No, QApplication::activeWindow());
    box.setObjectName(QStringLiteral("StartQuestion"));
    box.buttons()->button(B::Yes)->setText(QStringLiteral("&Allow"));
    box.buttons()->button(B::YesToAll)->setText(QStringLiteral("Always allow for this &tutorial"));
    box.buttons()->button(B::No)->setText(QStringLiteral("&Don't allow"));
    box.exec();
    switch (box.answer()) {
        case B::Yes: return StartAnswer::Allow;
        case B::YesToAll: return StartAnswer::AlwaysAllow;
        default: return StartAnswer::DontAllow;
    }
}

void RecordingMessages::ShowError(const QString& text) { shown.push_back({Kind::Error, text}); }
void RecordingMessages::ShowErrorHelp(const QString& text, int topic) {
    shown.push_back({Kind::ErrorHelp, text, topic});
}
void RecordingMessages::ShowInfo(const QString& text) { shown.push_back({Kind::Info, text}); }
void RecordingMessages::Message(const QString& text) { shown.push_back({Kind::Message, text}); }

bool RecordingMessages::Confirm(const QString& text) {
    shown.push_back({Kind::Confirm, text});
    if (confirmAnswers.empty()) {
        ++unanswered;
        return false;
    }
    const bool answer = confirmAnswers.front();
    confirmAnswers.pop_front();
    return answer;
}

StartAnswer RecordingMessages::AskToStart(const QString& text) {
    shown.push_back({Kind::AskToStart, text});
    if (startAnswers.empty()) {
        ++unanswered;
        return StartAnswer::DontAllow;
    }
    const StartAnswer answer = startAnswers.front();
    startAnswers.pop_front();
    return answer;
}

SaveAnswer RecordingMessages::AskSave(const QString& text) {
    shown.push_back({Kind::AskSave, text});
    if (saveAnswers.empty()) {
        ++unanswered;
        return SaveAnswer::Cancel;
    }
    const SaveAnswer answer = saveAnswers.front();
    saveAnswers.pop_front();
    return answer;
}

std::vector<QString> RecordingMessages::Texts(Kind kind) const {
    std::vector<QString> out;
    for (const auto& s : shown)
        if (s.kind == kind) out.push_back(s.text);
    return out;
}

}  // namespace quill
