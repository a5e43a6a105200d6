#pragma once
// The standard dialogs: open and save file, choose a folder, print, printer set-up, colour,
// font, find and replace. Windows ask a Dialogs object they are given, so a test can put a
// RecordingDialogs in its place.
#include <QColor>
#include <QFont>
#include <QString>
#include <deque>
#include <filesystem>
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

struct FindOptions {
    QString text;
    bool matchCase = false;
    bool wholeWord = false;
};

struct ReplaceOptions {
    QString text;
    QString replacement;
    bool matchCase = false;
    bool wholeWord = false;
    bool replaceAll = false;
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
    // What to find (pre-filled with `initial`), or nullopt when cancelled.
    virtual std::optional<FindOptions> Find(const FindOptions& initial) = 0;
    virtual std::optional<ReplaceOptions> Replace(const ReplaceOptions& initial) = 0;
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
    std::optional<FindOptions> Find(const FindOptions& initial) override;
    std::optional<ReplaceOptions> Replace(const ReplaceOptions& initial) override;
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
    std::optional<FindOptions> Find(const FindOptions& initial) override;
    std::optional<ReplaceOptions> Replace(const ReplaceOptions& initial) override;

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
    std::deque<std::optional<FindOptions>> finds;
    std::deque<std::optional<ReplaceOptions>> replaces;
    int unanswered = 0;
};

// The Qt name filters of such a filter: "Tutorial Files|*.QKJ" gives "Tutorial Files (*.QKJ)".
QStringList QtNameFilters(const QString& filter);

// The file dialog DesktopDialogs shows (open, or save with `save`): its masks match names in
// any letter case.
std::unique_ptr<QFileDialog> MakeFileDialog(const FileDialogOptions& options, bool save, QWidget* parent = nullptr);

}  // namespace quill
