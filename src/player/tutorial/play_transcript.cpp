#include "tutorial/play_transcript.h"

#include <QTextDocument>

#include "richtext/rtf_reader.h"
#include "screen/text_screen.h"

namespace quill {

namespace {

QString Quoted(const QString& text) { return u'"' + text + u'"'; }

// A caption as the learner reads it: "&Continue" shows "Continue", "&&" one "&".
QString Caption(QString text) {
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size()) ++i;
        out += text[i];
    }
    return out;
}

// One line of the transcript: line breaks inside a text are written as "\n", so every entry
// stays on its line.
QString OneLine(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\\n"));
    text.replace(u'\r', QStringLiteral("\\n"));
    text.replace(u'\n', QStringLiteral("\\n"));
    return text;
}

}  // namespace

PlayTranscript::PlayTranscript(const TextScreen& screen, const QString& heading) : screen_(screen) {
    if (!heading.isEmpty()) lines_ << QStringLiteral("# ") + heading;
}

void PlayTranscript::chapterStarted(const std::string& chapterFile) {
    lines_ << QStringLiteral("=== chapter ") + QString::fromStdString(chapterFile);
}

QString PlayTranscript::text() const {
    QString out = lines_.join(u'\n');
    if (!out.isEmpty()) out += u'\n';
    return out;
}

void PlayTranscript::waitReached(const char* waitName, const QImage* picture) {
    lines_ << QStringLiteral("--- wait %1: %2 ---").arg(++waits_).arg(QLatin1String(waitName));
    if (!picture) screenLines();
}

void PlayTranscript::screenLines() {
    const TextScreen& s = screen_;
    if (s.title().visible) lines_ << QStringLiteral("title: ") + OneLine(s.title().text);
    for (const PanelBox& p : s.panelBoxes()) lines_ << QStringLiteral("heading: ") + OneLine(p.caption);
    if (s.screenImage().visible) lines_ << QStringLiteral("picture: ") + s.screenImage().file;
    for (const Picture& p : s.pictures()) lines_ << QStringLiteral("picture: ") + p.file;
    for (const TextLabel& l : s.textLabels()) lines_ << QStringLiteral("label: ") + OneLine(l.text);
    const QString text = s.visibleText();
    if (!text.isEmpty())
        for (const QString& row : text.split(u'\n')) lines_ << QStringLiteral("|") + row;
    if (s.richText().visible) {
        if (s.richText().lines != richLines_) {
            richLines_ = s.richText().lines;
            richText_ = RichTextDocument(richLines_)->toPlainText().trimmed();
        }
        for (const QString& l : richText_.split(u'\n')) lines_ << QStringLiteral("window text: ") + l;
    }
    if (!s.hyperLabels().empty()) {
        QStringList words;
        for (const HyperLabel& h : s.hyperLabels()) words << Quoted(h.text);
        lines_ << QStringLiteral("hypertext: ") + words.join(QStringLiteral(", "));
    }
    const AnswerControls& a = s.answers();
    if (a.input.visible) lines_ << QStringLiteral("input box: %1 characters").arg(a.input.maxLength);
    if (a.choice.visible && a.choice.enabled)
        lines_ << QStringLiteral("choice: [%1] [%2]").arg(Caption(a.choice.left), Caption(a.choice.right));
    if (a.list.visible)
        for (qsizetype i = 0; i < a.list.items.size(); ++i)
            lines_ << QStringLiteral("list %1: %2").arg(i + 1).arg(OneLine(a.list.items[i]));
    for (const QuizAnswer& q : a.quiz) lines_ << QStringLiteral("answer %1: %2").arg(q.letter, OneLine(q.text));
    if (a.memo.visible) lines_ << QStringLiteral("memo box");
    if (a.display.visible)
        for (const QString& l : a.display.lines) lines_ << QStringLiteral("memo: ") + OneLine(l);
    for (const MenuButton& m : s.menuButtons())
        lines_ << QStringLiteral("menu %1: [%2]").arg(m.number).arg(Caption(m.caption));
    const ControlBar& bar = s.controlBar();
    if (bar.visible) {
        // In the order of the bar: Continue, Page back, Help, Utilities, Quit.
        static constexpr ControlButton kOrder[] = {ControlButton::Continue, ControlButton::PageBack,
                                                   ControlButton::Help, ControlButton::Utilities,
                                                   ControlButton::Quit};
        QStringList shown;
        for (ControlButton b : kOrder) {
            const auto i = static_cast<std::size_t>(b);
            if (bar.shown[i]) shown << u'[' + Caption(bar.legends[i]) + u']';
        }
        lines_ << QStringLiteral("buttons: ") + shown.join(u' ');
    }
}

void PlayTranscript::answerTaken(const HeadlessAnswer& answer) { lines_ << QStringLiteral("> ") + answer.source; }

void PlayTranscript::messageShown(const HostMessage& message) {
    lines_ << (message.kind == HostMessage::Kind::Error ? QStringLiteral("ERROR: ") : QStringLiteral("INFO: ")) +
                  OneLine(message.text);
}

void PlayTranscript::actionDone(const QString& action) { lines_ << QStringLiteral("action: ") + OneLine(action); }

}  // namespace quill
