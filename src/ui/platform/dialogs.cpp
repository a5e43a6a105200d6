#include "platform/dialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QFormLayout>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

namespace quill {

namespace fs = std::filesystem;

QStringList QtNameFilters(const QString& filter) {
    QStringList out;
    const QStringList parts = filter.split('|');
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList masks;
        for (const QString& mask : parts[i + 1].split(';', Qt::SkipEmptyParts)) masks << mask.trimmed();
        out << parts[i] + " (" + masks.join(' ') + ")";
    }
    return out;
}

namespace {

QString ToQt(const fs::path& path) { return QString::fromStdString(path.string()); }
fs::path FromQt(const QString& path) { return fs::path(path.toStdString()); }

}  // namespace

std::unique_ptr<QFileDialog> MakeFileDialog(const FileDialogOptions& options, bool save, QWidget* parent) {
    const auto mode = save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen;
    auto dialog = std::make_unique<QFileDialog>(parent, options.title, ToQt(options.directory));
    dialog->setObjectName(save ? "SaveDialog" : "OpenDialog");
    dialog->setAcceptMode(mode);
    dialog->setFileMode(save || !options.mustExist ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog->setOption(QFileDialog::DontUseNativeDialog, true);
    // Masks are shown as written ("DEMO*.QKS") and match names in any letter case, as project
    // files copied from Windows come in any case.
    dialog->setFilter(dialog->filter() & ~QDir::CaseSensitive);
    if (!options.filter.isEmpty()) dialog->setNameFilters(QtNameFilters(options.filter));
    if (!options.defaultSuffix.isEmpty()) dialog->setDefaultSuffix(options.defaultSuffix);
    if (!options.fileName.isEmpty()) dialog->selectFile(options.fileName);
    return dialog;
}

namespace {

std::optional<fs::path> RunFileDialog(const FileDialogOptions& options, QFileDialog::AcceptMode mode) {
    const auto dialog = MakeFileDialog(options, mode == QFileDialog::AcceptSave, QApplication::activeWindow());
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return std::nullopt;
    return FromQt(dialog->selectedFiles().front());
}

}  // namespace

std::optional<fs::path> DesktopDialogs::OpenFile(const FileDialogOptions& options) {
    return RunFileDialog(options, QFileDialog::AcceptOpen);
}

std::optional<fs::path> DesktopDialogs::SaveFile(const FileDialogOptions& options) {
    return RunFileDialog(options, QFileDialog::AcceptSave);
}

std::optional<fs::path> DesktopDialogs::Folder(const QString& title, const fs::path& start) {
    const QString dir = QFileDialog::getExistingDirectory(QApplication::activeWindow(), title, ToQt(start),
                                                          QFileDialog::DontUseNativeDialog);
    if (dir.isEmpty()) return std::nullopt;
    return FromQt(dir);
}

bool DesktopDialogs::Print(QPrinter& printer, const QString& title) {
    QPrintDialog dialog(&printer, QApplication::activeWindow());
    dialog.setWindowTitle(title);
    return dialog.exec() == QDialog::Accepted;
}

bool DesktopDialogs::PrinterSetup(QPrinter& printer) {
    QPageSetupDialog dialog(&printer, QApplication::activeWindow());
    return dialog.exec() == QDialog::Accepted;
}

std::optional<QColor> DesktopDialogs::Color(const QColor& initial, const QString& title) {
    const QColor c = QColorDialog::getColor(initial, QApplication::activeWindow(), title);
    if (!c.isValid()) return std::nullopt;
    return c;
}

std::optional<QFont> DesktopDialogs::Font(const QFont& initial, const QString& title) {
    bool ok = false;
    const QFont f = QFontDialog::getFont(&ok, initial, QApplication::activeWindow(), title);
    if (!ok) return std::nullopt;
    return f;
}

namespace {

// The find and replace dialog: the text to find, optionally its replacement, and the options.
class FindDialog : public QDialog {
public:
    FindDialog(bool replace, const QString& text, const QString& replacement, bool matchCase,
               bool wholeWord)
        : QDialog(QApplication::activeWindow()) {
        setObjectName(replace ? "ReplaceDialog" : "FindDialog");
        setWindowTitle(replace ? "Replace" : "Find");
        auto* form = new QFormLayout;
        findEdit = new QLineEdit(text);
        findEdit->setObjectName("FindEdit");
        form->addRow("Fi&nd what:", findEdit);
        if (replace) {
            replaceEdit = new QLineEdit(replacement);
            replaceEdit->setObjectName("ReplaceEdit");
            form->addRow("Re&place with:", replaceEdit);
        }
        caseBox = new QCheckBox("Match &case");
        caseBox->setChecked(matchCase);
        wordBox = new QCheckBox("Match &whole word only");
        wordBox->setChecked(wholeWord);
        auto* buttons = new QDialogButtonBox;
        auto* go = buttons->addButton(replace ? "&Replace" : "&Find Next", QDialogButtonBox::AcceptRole);
        go->setDefault(true);
        if (replace) {
            auto* all = buttons->addButton("Replace &All", QDialogButtonBox::AcceptRole);
            connect(all, &QPushButton::clicked, this, [this] { replaceAll = true; });
        }
        buttons->addButton(QDialogButtonBox::Cancel);
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        auto* layout = new QVBoxLayout(this);
        layout->addLayout(form);
        layout->addWidget(caseBox);
        layout->addWidget(wordBox);
        layout->addWidget(buttons);
    }
    QLineEdit* findEdit = nullptr;
    QLineEdit* replaceEdit = nullptr;
    QCheckBox* caseBox = nullptr;
    QCheckBox* wordBox = nullptr;
    bool replaceAll = false;
};

}  // namespace

std::optional<FindOptions> DesktopDialogs::Find(const FindOptions& initial) {
    FindDialog dialog(false, initial.text, {}, initial.matchCase, initial.wholeWord);
    if (dialog.exec() != QDialog::Accepted || dialog.findEdit->text().isEmpty()) return std::nullopt;
    return FindOptions{dialog.findEdit->text(), dialog.caseBox->isChecked(), dialog.wordBox->isChecked()};
}

std::optional<ReplaceOptions> DesktopDialogs::Replace(const ReplaceOptions& initial) {
    FindDialog dialog(true, initial.text, initial.replacement, initial.matchCase, initial.wholeWord);
    if (dialog.exec() != QDialog::Accepted || dialog.findEdit->text().isEmpty()) return std::nullopt;
    return ReplaceOptions{dialog.findEdit->text(), dialog.replaceEdit->text(), dialog.caseBox->isChecked(),
                          dialog.wordBox->isChecked(), dialog.replaceAll};
}

namespace {

// The next answer of a queue; an empty queue gives the "cancelled" answer (a value-initialised
// one) and counts the request as unanswered.
template <typename Queue>
typename Queue::value_type Pop(Queue& queue, int& unanswered) {
    if (queue.empty()) {
        ++unanswered;
        return typename Queue::value_type{};
    }
    const typename Queue::value_type answer = queue.front();
    queue.pop_front();
    return answer;
}

}  // namespace

std::optional<fs::path> RecordingDialogs::OpenFile(const FileDialogOptions& options) {
    requests.push_back({Kind::OpenFile, options.title, options});
    return Pop(files, unanswered);
}

std::optional<fs::path> RecordingDialogs::SaveFile(const FileDialogOptions& options) {
    requests.push_back({Kind::SaveFile, options.title, options});
    return Pop(files, unanswered);
}

std::optional<fs::path> RecordingDialogs::Folder(const QString& title, const fs::path& start) {
    FileDialogOptions options;
    options.title = title;
    options.directory = start;
    requests.push_back({Kind::Folder, title, options});
    return Pop(files, unanswered);
}

bool RecordingDialogs::Print(QPrinter& printer, const QString& title) {
    requests.push_back({Kind::Print, title, {}});
    const bool ok = Pop(printAnswers, unanswered);
    if (ok && !printToPdf.empty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(printToPdf.string()));
        printer.setPageSize(QPageSize(QPageSize::A4));
    }
    return ok;
}

bool RecordingDialogs::PrinterSetup(QPrinter&) {
    requests.push_back({Kind::PrinterSetup, {}, {}});
    return Pop(printAnswers, unanswered);
}

std::optional<QColor> RecordingDialogs::Color(const QColor&, const QString& title) {
    requests.push_back({Kind::Color, title, {}});
    return Pop(colors, unanswered);
}

std::optional<QFont> RecordingDialogs::Font(const QFont&, const QString& title) {
    requests.push_back({Kind::Font, title, {}});
    return Pop(fonts, unanswered);
}

std::optional<FindOptions> RecordingDialogs::Find(const FindOptions& initial) {
    requests.push_back({Kind::Find, initial.text, {}});
    return Pop(finds, unanswered);
}

std::optional<ReplaceOptions> RecordingDialogs::Replace(const ReplaceOptions& initial) {
    requests.push_back({Kind::Replace, initial.text, {}});
    return Pop(replaces, unanswered);
}

}  // namespace quill
