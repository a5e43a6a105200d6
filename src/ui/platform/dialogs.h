#pragma once
// The standard dialogs: open and save file, choose a folder, print, printer set-up, colour,
// font, find and replace. Windows ask a Dialogs object they are given, so a test can put a
// RecordingDialogs in its place.
#include <QColor>
#include <QFont>
#include <QString>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QFileDialog;
class QPrinter;
class QWidget;

namespace quill {

struct FileDialogOptions {
    QString title;
    // Filter as written in settings and projects: "Description|mask;mask|Description|mask", for example
    // "Tutorial Files|*.QKJ". Masks match ignoring case.
    QString filter;
    QString defaultSuffix;            // without the period, e.g. "QKJ"
    std::filesystem::path directory;  // where the dialog starts
    QString fileName;                 // pre-filled name
    // Open only: false lets the author type the name of a file that does not exist yet (a new
    // chapter); the caller decides what such a name means.
    bool mustExist = true;
};

// What the find or replace dialog holds when one of its buttons is pressed.
struct FindRequest {
    enum class Action { FindNext, Replace, ReplaceAll };
    QString text;
    QString replacement;
    bool matchCase = false;
    bool wholeWord = false;
    Action action = Action::FindNext;
    bool operator==(const FindRequest&) const = default;
};

// Which dialog: find alone or find and replace, with or without the match-case and whole-word
// options, and what its fields hold at first.
struct FindSetup {
    bool replace = false;
    bool options = false;
    FindRequest initial;
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // The chosen file, or nullopt when cancelled. The current directory is left as it was.
    virtual std::optional<std::filesystem::path> OpenFile(const FileDialogOptions& options) = 0;
    virtual std::optional<std::filesystem::path> SaveFile(const FileDialogOptions& options) = 0;
    virtual std::optional<std::filesystem::path> Folder(const QString& title,
                                                        const std::filesystem::path& start) = 0;
    // The print dialog for `printer`; true to print.
    virtual bool Print(QPrinter& printer, const QString& title) = 0;
    // The printer set-up (page) dialog; true when accepted.
    virtual bool PrinterSetup(QPrinter& printer) = 0;
    virtual std::optional<QColor> Color(const QColor& initial, const QString& title) = 0;
    virtual std::optional<QFont> Font(const QFont& initial, const QString& title) = 0;
    // Runs the find (or replace) dialog until the author closes it. It stays open: every press
    // of "&Find Next", "&Replace" or "Replace &All" with a text to find calls `act` with what
    // the dialog holds. Returns the fields as they were when it closed.
    using FindAction = std::function<void(const FindRequest&)>;
    virtual FindRequest FindReplace(const FindSetup& setup, const FindAction& act) = 0;
};

// The Qt dialogs, modal over the active window.
class DesktopDialogs : public Dialogs {
public:
    std::optional<std::filesystem::path> OpenFile(const FileDialogOptions& options) override;
    std::optional<std::filesystem::path> SaveFile(const FileDialogOptions& options) override;
    std::optional<std::filesystem::path> Folder(const QString& title,
                                                const std::filesystem::path& start) override;
    bool Print(QPrinter& printer, const QString& title) override;
    bool PrinterSetup(QPrinter& printer) override;
    std::optional<QColor> Color(const QColor& initial, const QString& title) override;
    std::optional<QFont> Font(const QFont& initial, const QString& title) override;
    FindRequest FindReplace(const FindSetup& setup, const FindAction& act) override;
};

// Records every request and answers from queues; an empty queue answers "cancelled" and
// counts the request as unanswered.
class RecordingDialogs : public Dialogs {
public:
    enum class Kind { OpenFile, SaveFile, Folder, Print, PrinterSetup, Color, Font, Find, Replace };
    struct Request {
        Kind kind;
        QString title;
        FileDialogOptions file;  // for OpenFile and SaveFile
    };

    std::optional<std::filesystem::path> OpenFile(const FileDialogOptions& options) override;
    std::optional<std::filesystem::path> SaveFile(const FileDialogOptions& options) override;
    std::optional<std::filesystem::path> Folder(const QString& title,
                                                const std::filesystem::path& start) override;
    bool Print(QPrinter& printer, const QString& title) override;
    bool PrinterSetup(QPrinter& printer) override;
    std::optional<QColor> Color(const QColor& initial, const QString& title) override;
    std::optional<QFont> Font(const QFont& initial, const QString& title) override;
    // Presses the buttons of the next session in `findSessions`, in order (none when the queue
    // is empty), then closes the dialog.
    FindRequest FindReplace(const FindSetup& setup, const FindAction& act) override;

    std::vector<Request> requests;
    // Answers for the file dialogs (OpenFile, SaveFile and Folder share this queue; nullopt
    // answers "cancelled").
    std::deque<std::optional<std::filesystem::path>> files;
    // Answers for Print and PrinterSetup. A printed job goes to `printToPdf` when it is set
    // (the printer becomes a PDF printer writing that file).
    std::deque<bool> printAnswers;
    std::filesystem::path printToPdf;
    std::deque<std::optional<QColor>> colors;
    std::deque<std::optional<QFont>> fonts;
    std::deque<std::vector<FindRequest>> findSessions;
    std::vector<FindSetup> findSetups;  // how each find or replace dialog was opened
    int unanswered = 0;
};

// The Qt name filters of such a filter: "Tutorial Files|*.QKJ" gives "Tutorial Files (*.QKJ)".
QStringList QtNameFilters(const QString& filter);

// The file dialog DesktopDialogs shows (open, or save with `save`): its masks match names in
// any letter case.
std::unique_ptr<QFileDialog> MakeFileDialog(const FileDialogOptions& options, bool save, QWidget* parent = nullptr);

}  // namespace quill
