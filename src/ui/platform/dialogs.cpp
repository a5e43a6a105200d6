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
#include <QScreen>
#include <QShortcut>
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

namespace {

// F1 in a colour or font dialog opens the help of the window that asked for it (its F1 shortcut,
// when it has one).
void ForwardF1(QDialog& dialog, QWidget* owner) {
    if (!owner) return;
    auto* help = owner->findChild<QShortcut*>("F1Help", Qt::FindDirectChildrenOnly);
    if (!help) return;
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), &dialog);
    f1->setContext(Qt::WindowShortcut);
    QObject::connect(f1, &QShortcut::activated, help, &QShortcut::activated);
}

}  // namespace

std::optional<QColor> DesktopDialogs::Color(const QColor& initial, const QString& title) {
    QWidget* owner = QApplication::activeWindow();
    QColorDialog dialog(initial, owner);
    dialog.setObjectName("ColorDialog");
    dialog.setWindowTitle(title);
    ForwardF1(dialog, owner);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QColor c = dialog.selectedColor();
    if (!c.isValid()) return std::nullopt;
    return c;
}

std::optional<QFont> DesktopDialogs::Font(const QFont& initial, const QString& title) {
    QWidget* owner = QApplication::activeWindow();
    QFontDialog dialog(initial, owner);
    dialog.setObjectName("FontDialog");
    dialog.setWindowTitle(title);
    ForwardF1(dialog, owner);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.selectedFont();
}

namespace {

// The find and replace dialog. It stays open until Cancel: each of its action buttons reports
// what the fields hold, so the author can find, replace and find again without reopening it.
class FindDialog : public QDialog {
public:
    FindDialog(const FindSetup& setup, const Dialogs::FindAction& act)
        : QDialog(QApplication::activeWindow()), act_(act) {
        setObjectName(setup.replace ? "ReplaceDialog" : "FindDialog");
        setWindowTitle(setup.replace ? "Replace" : "Find");
        auto* form = new QFormLayout;
        findEdit = new QLineEdit(setup.initial.text);
        findEdit->setObjectName("FindEdit");
        form->addRow("Fi&nd what:", findEdit);
        if (setup.replace) {
            replaceEdit = new QLineEdit(setup.initial.replacement);
            replaceEdit->setObjectName("ReplaceEdit");
            form->addRow("Re&place with:", replaceEdit);
        }
        auto* layout = new QVBoxLayout(this);
        layout->addLayout(form);
        if (setup.options) {
            caseBox = new QCheckBox("Match &case");
            caseBox->setObjectName("MatchCaseBox");
            caseBox->setChecked(setup.initial.matchCase);
            wordBox = new QCheckBox("Match &whole word only");
            wordBox->setObjectName("WholeWordBox");
            wordBox->setChecked(setup.initial.wholeWord);
            layout->addWidget(caseBox);
            layout->addWidget(wordBox);
        }
        auto* buttons = new QDialogButtonBox;
        auto* next = AddAction(buttons, "&Find Next", "FindNextBtn", FindRequest::Action::FindNext);
        next->setDefault(true);
        if (setup.replace) {
            AddAction(buttons, "&Replace", "ReplaceBtn", FindRequest::Action::Replace);
            AddAction(buttons, "Replace &All", "ReplaceAllBtn", FindRequest::Action::ReplaceAll);
        }
        buttons->addButton(QDialogButtonBox::Cancel)->setObjectName("CancelBtn");
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        layout->addWidget(buttons);
        // Beside the text it searches (where the hits are shown) when the screen has room:
        // to its right, else below it, else over its top right corner.
        if (QWidget* over = parentWidget()) {
            adjustSize();
            const QRect frame = over->frameGeometry();
            const QScreen* screen = over->screen();
            const QRect area = screen ? screen->availableGeometry() : QRect();
            const QSize size = frameSize().expandedTo(sizeHint());
            if (frame.right() + size.width() + 8 <= area.right())
                move(frame.right() + 8, frame.top());
            else if (frame.bottom() + size.height() + 8 <= area.bottom())
                move(frame.left(), frame.bottom() + 8);
            else
                move(frame.right() - size.width() - 16, frame.top() + 48);
        }
    }

    FindRequest Fields(FindRequest::Action action = FindRequest::Action::FindNext) const {
        FindRequest r;
        r.text = findEdit->text();
        if (replaceEdit) r.replacement = replaceEdit->text();
        r.matchCase = caseBox && caseBox->isChecked();
        r.wholeWord = wordBox && wordBox->isChecked();
        r.action = action;
        return r;
    }

private:
    QPushButton* AddAction(QDialogButtonBox* box, const QString& caption, const char* name,
                           FindRequest::Action action) {
        auto* button = box->addButton(caption, QDialogButtonBox::ActionRole);
        button->setObjectName(name);
        connect(button, &QPushButton::clicked, this, [this, action] {
            if (!findEdit->text().isEmpty()) act_(Fields(action));
        });
        return button;
    }

    Dialogs::FindAction act_;
    QLineEdit* findEdit = nullptr;
    QLineEdit* replaceEdit = nullptr;
    QCheckBox* caseBox = nullptr;
    QCheckBox* wordBox = nullptr;
};

}  // namespace

FindRequest DesktopDialogs::FindReplace(const FindSetup& setup, const FindAction& act) {
    FindDialog dialog(setup, act);
    dialog.exec();
    return dialog.Fields();
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

FindRequest RecordingDialogs::FindReplace(const FindSetup& setup, const FindAction& act) {
    requests.push_back({setup.replace ? Kind::Replace : Kind::Find, setup.initial.text, {}});
    findSetups.push_back(setup);
    if (findSessions.empty()) {
        ++unanswered;
        return setup.initial;
    }
    const std::vector<FindRequest> presses = std::move(findSessions.front());
    findSessions.pop_front();
    for (const FindRequest& press : presses)
        if (!press.text.isEmpty()) act(press);
    return presses.empty() ? setup.initial : presses.back();
}

}  // namespace quill
