#pragma once
// Message boxes: errors, errors with a help topic, information, yes/no questions, plain messages
// and the yes/no/cancel save question. Windows talk to a Messages object they are given, so a
// test can put a RecordingMessages in its place.
//
// Texts are QStrings; a Windows-1252 text from a project file is converted with FromCp1252
// first. A line break may be written CR LF, LF CR or LF: the boxes show each as one break, the
// recorder keeps the text exactly as given.
#include <QString>
#include <deque>
#include <filesystem>
#include <vector>

class QWidget;

namespace quill {

class Help;

enum class SaveAnswer { Yes, No, Cancel };
// The learner's answer when a tutorial wants to start a program or open a document.
enum class StartAnswer { Allow, AlwaysAllow, DontAllow };

class Messages {
public:
    virtual ~Messages() = default;
    virtual void ShowError(const QString& text) = 0;
    // An error box with OK and Help; Help opens the topic in the program's help file. Topic 0
    // means none: the box is a plain error box.
    virtual void ShowErrorHelp(const QString& text, int topic) = 0;
    virtual void ShowInfo(const QString& text) = 0;
    // Yes and No; true for Yes.
    virtual bool Confirm(const QString& text) = 0;
    // A box without an icon, OK only.
    virtual void Message(const QString& text) = 0;
    // "Do you want to save?" with Yes, No and Cancel.
    virtual SaveAnswer AskSave(const QString& text) = 0;
    // "This tutorial wants to start: ..." with Allow, Always allow for this tutorial and Don't
    // allow (the default, and the answer of Escape).
    virtual StartAnswer AskToStart(const QString& text) = 0;
};

// The real boxes, modal over the active window.
class DesktopMessages : public Messages {
public:
    // `help` and `helpFile` serve the Help button of ShowErrorHelp.
    DesktopMessages(Help& help, std::filesystem::path helpFile);
    void ShowError(const QString& text) override;
    void ShowErrorHelp(const QString& text, int topic) override;
    void ShowInfo(const QString& text) override;
    bool Confirm(const QString& text) override;
    void Message(const QString& text) override;
    SaveAnswer AskSave(const QString& text) override;
    StartAnswer AskToStart(const QString& text) override;

private:
    Help& help_;
    std::filesystem::path helpFile_;
};

// Records every box and answers questions from queues. An empty queue answers No (Cancel for
// AskSave) and counts the question as unanswered, so a test can see an unexpected question.
class RecordingMessages : public Messages {
public:
    enum class Kind { Error, ErrorHelp, Info, Confirm, Message, AskSave, AskToStart };
    struct Shown {
        Kind kind;
        QString text;
        int topic = 0;
    };

    void ShowError(const QString& text) override;
    void ShowErrorHelp(const QString& text, int topic) override;
    void ShowInfo(const QString& text) override;
    bool Confirm(const QString& text) override;
    void Message(const QString& text) override;
    SaveAnswer AskSave(const QString& text) override;
    StartAnswer AskToStart(const QString& text) override;

    std::vector<Shown> shown;
    std::deque<bool> confirmAnswers;
    std::deque<SaveAnswer> saveAnswers;
    std::deque<StartAnswer> startAnswers;  // empty: Don't allow
    int unanswered = 0;

    // The texts of every box of one kind, in order.
    std::vector<QString> Texts(Kind kind) const;
    QString LastText() const { return shown.empty() ? QString() : shown.back().text; }
    void Clear() { shown.clear(); unanswered = 0; }
};

// The text with CR LF, LF CR and lone CR turned into LF, as a box shows it.
QString NormalizeLineBreaks(const QString& text);

}  // namespace quill
