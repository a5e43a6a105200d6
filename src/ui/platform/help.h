#pragma once
// The help service. Help files are named with ".HLP" in projects and settings ("QUILLDESK.HLP",
// or a tutorial's own ".HLP"); the book actually shown is the HTML file of the same name with
// the extension ".html" beside it, and topic N is its anchor "topic-N".
#include <QPointer>
#include <QString>
#include <filesystem>
#include <optional>
#include <vector>

class QWidget;
class QTextBrowser;

namespace quill {

class Messages;

class Help {
public:
    virtual ~Help() = default;
    // Opens the help book of `helpFile` at topic `topic` (0: at its start).
    virtual void ShowTopic(const std::filesystem::path& helpFile, int topic) = 0;
};

// The HTML book of a help file: X.HLP -> X.html in the same folder, found ignoring case.
// nullopt when there is no such file.
std::optional<std::filesystem::path> HelpBookPath(const std::filesystem::path& helpFile);
// The anchor of a topic in a help book.
QString HelpTopicAnchor(int topic);

// Shows help books in one browser window, reused for every request. A missing book is
// reported through `messages` naming the file looked for. Escape closes the window, and
// closing it gives the keyboard back to the window that asked for help.
class HelpBrowser : public Help {
public:
    HelpBrowser() = default;
    ~HelpBrowser() override;
    void SetMessages(Messages* messages) { messages_ = messages; }
    void ShowTopic(const std::filesystem::path& helpFile, int topic) override;
    // The browser window, once it has been shown (for tests).
    QTextBrowser* Browser() const;

private:
    Messages* messages_ = nullptr;
    QPointer<QWidget> window_;
    QPointer<QWidget> caller_;  // the window that was active when help was asked for
    bool reshowing_ = false;    // hidden only to change its modality
};

// The search of the help window: selects the next place after the selection (or the cursor)
// where `text` occurs, ignoring case, going round to the start of the book once. False when
// the book does not hold it (the selection then stays as it was).
bool FindInHelp(QTextBrowser* browser, const QString& text);

// Records every request; shows nothing.
class RecordingHelp : public Help {
public:
    struct Request {
        std::filesystem::path helpFile;
        int topic;
    };
    void ShowTopic(const std::filesystem::path& helpFile, int topic) override {
        requests.push_back({helpFile, topic});
    }
    std::vector<Request> requests;
};

// F1 help. A control's topic is kept on the control; a control without one takes the topic of
// the nearest parent that has one (a dialog's own topic).
void SetHelpTopic(QWidget* widget, int topic);
int HelpTopicOf(const QWidget* widget);
// Makes F1 in `window` open the topic of the focused control (or of the window).
void InstallF1Help(QWidget* window, Help& help, const std::filesystem::path& helpFile);

}  // namespace quill
