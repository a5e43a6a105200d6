#include "headless_host.h"

#include <QImageWriter>
#include <system_error>

#include "screen/screen_render.h"
#include "screen/text_screen.h"
#include "text/errors.h"
#include "text/text_file.h"

namespace quill {

namespace {

std::optional<int> PositiveNumber(const QString& text) {
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    if (!ok || n < 1) return std::nullopt;
    return n;
}

QString EntrySourceName(EntrySource s) {
    switch (s) {
        case EntrySource::Hyper: return QStringLiteral("HYPER");
        case EntrySource::Execute: return QStringLiteral("EXECUTE");
        case EntrySource::Utility: return QStringLiteral("UTILITY");
    }
    return {};
}

}  // namespace

std::vector<HeadlessAnswer> ParseAnswers(const QString& script, QStringList* errors) {
    std::vector<HeadlessAnswer> out;
    QString text = script;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    const QStringList lines = text.split(u'\n');
    for (int i = 0; i < lines.size(); ++i) {
        const QString& raw = lines[i];
        const QString trimmed = raw.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(u'#')) continue;
        // The word, then the rest after one blank, as written (text keeps its blanks).
        const QString lead = raw.mid(raw.indexOf(trimmed.front()));
        const qsizetype blank = lead.indexOf(u' ');
        const QString word = (blank < 0 ? lead : lead.left(blank)).toLower();
        const QString rest = blank < 0 ? QString() : lead.mid(blank + 1);
        const QString arg = rest.trimmed();

        HeadlessAnswer a;
        a.line = i + 1;
        a.source = trimmed;
        bool ok = true;
        if (word == u"button") {
            a.kind = HeadlessAnswer::Kind::Button;
            const QString b = arg.toUpper();
            if (b == u"C") a.button = ControlButton::Continue;
            else if (b == u"Q") a.button = ControlButton::Quit;
            else if (b == u"P") a.button = ControlButton::PageBack;
            else if (b == u"H") a.button = ControlButton::Help;
            else if (b == u"U") a.button = ControlButton::Utilities;
            else ok = false;
        } else if (word == u"key") {
            a.kind = HeadlessAnswer::Kind::Key;
            // "key X": exactly one character, which may be a blank.
            ok = rest.size() == 1;
            if (ok) a.key = rest[0];
        } else if (word == u"click") {
            a.kind = HeadlessAnswer::Kind::Click;
            ok = arg.isEmpty();
        } else if (word == u"text") {
            a.kind = HeadlessAnswer::Kind::Text;
            a.text = rest;
        } else if (word == u"memo") {
            a.kind = HeadlessAnswer::Kind::Memo;
            a.text = rest;
        } else if (word == u"choice") {
            a.kind = HeadlessAnswer::Kind::Choice;
            const QString c = arg.toLower();
            ok = c == u"left" || c == u"right";
            a.left = c == u"left";
        } else if (word == u"list" || word == u"menu" || word == u"answer") {
            a.kind = word == u"list"   ? HeadlessAnswer::Kind::List
                     : word == u"menu" ? HeadlessAnswer::Kind::Menu
                                       : HeadlessAnswer::Kind::Answer;
            const auto n = PositiveNumber(arg);
            ok = n.has_value() && (a.kind != HeadlessAnswer::Kind::Answer || *n <= 4);
            a.number = n.value_or(0);
        } else if (word == u"mainmenu") {
            a.kind = HeadlessAnswer::Kind::MainMenu;
            if (arg.toLower() == u"quit") {
                a.number = 0;
            } else {
                const auto n = PositiveNumber(arg);
                ok = n.has_value();
                a.number = n.value_or(0);
            }
        } else if (word == u"hyper") {
            a.kind = HeadlessAnswer::Kind::Hyper;
            a.text = arg;
            ok = !arg.isEmpty();
        } else if (word == u"ok" || word == u"cancel") {
            a.kind = word == u"ok" ? HeadlessAnswer::Kind::Ok : HeadlessAnswer::Kind::Cancel;
            ok = arg.isEmpty();
        } else {
            ok = false;
        }
        if (ok) {
            out.push_back(a);
        } else if (errors) {
            errors->push_back(QStringLiteral("line %1: \"%2\" is not an answer").arg(i + 1).arg(trimmed));
        }
    }
    return out;
}

HeadlessHost::HeadlessHost(std::vector<HeadlessAnswer> answers, TextScreen* screen)
    : answers_(std::move(answers)), screen_(screen) {}

void HeadlessHost::record(HostMessage::Kind kind, const QString& text) {
    messages_.push_back({kind, text});
    if (sink_) sink_(messages_.back());
    if (listener_) listener_->messageShown(messages_.back());
}

std::filesystem::path HeadlessHost::saveSnapshot() {
    if (snapshotFolder_.empty() || (!screen_ && !shown_)) return {};
    ++snapshots_;
    const std::filesystem::path file =
        snapshotFolder_ / QStringLiteral("%1.png").arg(snapshots_, 3, 10, QLatin1Char('0')).toStdString();
    std::error_code ec;
    std::filesystem::create_directories(snapshotFolder_, ec);
    QImageWriter writer(QString::fromStdString(file.string()), "png");
    if (!writer.write(shown_ ? *shown_ : RenderScreen(*screen_)))
        throw IoError("Cannot write the snapshot " + DisplayName(file) + ": " +
                      writer.errorString().toStdString());
    return file;
}

std::optional<HeadlessAnswer> HeadlessHost::take(
    const char* waitName, const std::function<bool(const HeadlessAnswer&)>& fits) {
    if (ranOut_ || refused_) return std::nullopt;
    saveSnapshot();
    if (listener_) listener_->waitReached(waitName, shown_);
    while (next_ < answers_.size()) {
        const HeadlessAnswer& a = answers_[next_++];
        if (fits(a)) {
            if (listener_) listener_->answerTaken(a);
            return a;
        }
        if (a.kind == Kind::Hyper) {
            followWord(a);
            if (refused_) return std::nullopt;
            continue;
        }
        record(HostMessage::Kind::Info, QStringLiteral("answer line %1 \"%2\" does not answer %3; skipped")
                                            .arg(a.line)
                                            .arg(a.source, QLatin1String(waitName)));
    }
    ranOut_ = true;
    record(HostMessage::Kind::Info, QStringLiteral("answers ran out"));
    return std::nullopt;
}

ControlButton HeadlessHost::waitForButton() {
    const auto a = take("the control bar", [](const HeadlessAnswer& x) { return x.kind == Kind::Button; });
    if (!a) return ControlButton::Quit;
    if (screen_) {
        const ControlBar& bar = screen_->controlBar();
        if (!bar.shown[static_cast<std::size_t>(a->button)]) {
            // The learner cannot press a button that is not there: a path through the chapter
            // that a learner could not take must not pass.
            static const char* const kNames[kControlButtonCount] = {"C (Continue)", "H (Help)", "Q (Quit)",
                                                                    "P (Page back)", "U (Utilities)"};
            QStringList shown;
            for (int i = 0; i < kControlButtonCount; ++i)
                if (bar.shown[static_cast<std::size_t>(i)]) shown << QLatin1String(kNames[i]);
            refuse(*a, shown.isEmpty() ? QStringLiteral("the control bar shows no button")
                                       : QStringLiteral("the control bar shows only ") + shown.join(QStringLiteral(", ")));
            return ControlButton::Quit;
        }
    }
    return a->button;
}

void HeadlessHost::refuse(const HeadlessAnswer& a, const QString& why) {
    refused_ = true;
    record(HostMessage::Kind::Error,
           QStringLiteral("answers line %1 \"%2\" cannot be given here: %3").arg(a.line).arg(a.source, why));
}

void HeadlessHost::followWord(const HeadlessAnswer& a) {
    const QString word = a.text.trimmed();
    bool shown = false;
    if (screen_ && !shown_)
        for (const HyperLabel& label : screen_->hyperLabels())
            if (label.text.compare(word, Qt::CaseInsensitive) == 0) shown = true;
    if (!shown || !follower_) {
        refuse(a, QStringLiteral("the screen shows no hypertext word \"%1\"").arg(word));
        return;
    }
    if (listener_) listener_->answerTaken(a);
    follower_(word);
}

void HeadlessHost::act(const QString& action) {
    actions_.push_back(action);
    if (listener_) listener_->actionDone(action);
}

bool HeadlessHost::waitForOk(const char* waitName, const QImage& picture) {
    shown_ = &picture;
    const auto a = take(waitName, [](const HeadlessAnswer& x) { return x.kind == Kind::Ok; });
    shown_ = nullptr;
    return a.has_value();
}

int HeadlessHost::waitForMainMenu(int picks, const QImage& picture) {
    shown_ = &picture;
    const auto a = take("the main menu", [](const HeadlessAnswer& x) { return x.kind == Kind::MainMenu; });
    shown_ = nullptr;
    if (!a) return 0;
    if (a->number > picks) {
        refuse(*a, QStringLiteral("the main menu shows %1 chapter picks").arg(picks));
        return 0;
    }
    return a->number;
}

KeyPress HeadlessHost::waitForKey() {
    const auto a = take("a wait for a key", [](const HeadlessAnswer& x) {
        return x.kind == Kind::Key || x.kind == Kind::Click;
    });
    if (!a || a->kind == Kind::Click) return {true, {}};
    return {false, a->key};
}

bool HeadlessHost::waitDelay(int milliseconds) {
    if (ranOut_ || refused_) return false;
    saveSnapshot();
    if (listener_) listener_->waitReached("a delay", nullptr);
    if (milliseconds > 0) elapsedMs_ += milliseconds;
    return false;
}

void HeadlessHost::waitSlowTick() { elapsedMs_ += TextScreen::kSlowTickMs; }

QString HeadlessHost::askInput() {
    const auto a = take("the input box", [](const HeadlessAnswer& x) { return x.kind == Kind::Text; });
    if (!a) return {};
    const int max = screen_ ? screen_->answers().input.maxLength : 60;
    return a->text.left(max);
}

bool HeadlessHost::askChoice() {
    const auto a = take("the two-button choice", [](const HeadlessAnswer& x) { return x.kind == Kind::Choice; });
    return a && a->left;
}

int HeadlessHost::askList() {
    const int items = screen_ ? static_cast<int>(screen_->answers().list.items.size()) : -1;
    const auto a = take("the list menu", [](const HeadlessAnswer& x) { return x.kind == Kind::List; });
    if (!a) return 0;
    if (items >= 0 && a->number > items) {
        refuse(*a, QStringLiteral("the list menu has %1 items").arg(items));
        return 0;
    }
    return a->number - 1;
}

int HeadlessHost::askMenuButton() {
    const int buttons = screen_ ? static_cast<int>(screen_->menuButtons().size()) : -1;
    const auto a = take("the menu buttons", [](const HeadlessAnswer& x) { return x.kind == Kind::Menu; });
    if (!a) return 0;
    if (buttons >= 0 && a->number > buttons) {
        refuse(*a, QStringLiteral("the screen shows %1 menu buttons").arg(buttons));
        return 0;
    }
    return a->number;
}

QuizReply HeadlessHost::askQuizAnswer() {
    const auto a = take("the quiz answers", [](const HeadlessAnswer& x) {
        return x.kind == Kind::Answer || x.kind == Kind::Key;
    });
    if (!a) return {};
    if (a->kind == Kind::Answer) return {a->number, {}};
    return {0, a->key};
}

QStringList HeadlessHost::askMemo() {
    const auto first = take("the memo box", [](const HeadlessAnswer& x) {
        return x.kind == Kind::Memo || x.kind == Kind::Ok;
    });
    QStringList lines;
    if (!first || first->kind == Kind::Ok) return lines;
    lines.push_back(first->text);
    while (next_ < answers_.size() && answers_[next_].kind == Kind::Memo) lines.push_back(answers_[next_++].text);
    return lines;
}

std::optional<int> HeadlessHost::chooseUtility(const QStringList& names) {
    const int count = static_cast<int>(names.size());
    const auto a = take("the utility chooser", [](const HeadlessAnswer& x) {
        return x.kind == Kind::Ok || x.kind == Kind::Cancel || x.kind == Kind::List;
    });
    if (!a || a->kind == Kind::Cancel || names.isEmpty()) return std::nullopt;
    if (a->kind == Kind::List && a->number > count) {
        refuse(*a, QStringLiteral("the utility chooser lists %1 names").arg(count));
        return std::nullopt;
    }
    if (a->kind == Kind::List) return a->number - 1;
    return 0;  // OK takes the selected name, the first
}

void HeadlessHost::showError(const QString& text) { record(HostMessage::Kind::Error, text); }

void HeadlessHost::showInfo(const QString& text) { record(HostMessage::Kind::Info, text); }

bool HeadlessHost::performEntry(EntrySource source, const QString& name) {
    act(QStringLiteral("PERFORM %1 %2").arg(EntrySourceName(source), name));
    return performer_ ? performer_(source, name) : false;
}

void HeadlessHost::openNotes(const std::filesystem::path& file, const QString& caption) {
    // The listener gets the file's name alone: a transcript reads the same in any folder.
    actions_.push_back(QStringLiteral("NOTES %1 %2").arg(QString::fromStdString(file.string()), caption));
    if (listener_)
        listener_->actionDone(QStringLiteral("NOTES %1 %2").arg(QString::fromStdString(file.filename().string()), caption));
}

void HeadlessHost::printLines(const QStringList& lines, const QString& question) {
    (void)question;
    const auto a = take("the print question", [](const HeadlessAnswer& x) {
        return x.kind == Kind::Ok || x.kind == Kind::Cancel;
    });
    if (!a || a->kind == Kind::Cancel || lines.isEmpty()) return;
    act(QStringLiteral("PRINT %1 lines").arg(lines.size()));
    for (const QString& l : lines) act(QStringLiteral("PRINT LINE ") + l);
}

void HeadlessHost::showHelp(const QString& helpFile, int topic) {
    act(QStringLiteral("HELP %1 %2").arg(helpFile).arg(topic));
}

}  // namespace quill
