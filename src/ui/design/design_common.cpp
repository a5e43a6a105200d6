#include "design/design_common.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QPushButton>
#include <QLineEdit>
#include <QListWidget>
#include <cstring>

#include "common/file_chooser.h"
#include "platform/error_handler.h"
#include "platform/platform.h"
#include "common/learner_screen.h"
#include "project/file_names.h"
#include "project/font_spec.h"
#include "project/project.h"
#include "screen/text_screen.h"
#include "text/file_lookup.h"
#include "text_codec.h"

namespace quill {

namespace fs = std::filesystem;

void CopyGroup(TTutorialConfig& to, const TTutorialConfig& from, std::size_t base, std::size_t size) {
    std::memcpy(to.bytes().data() + base, from.bytes().data() + base, size);
}

std::optional<std::uint32_t> ChooseRecordColour(Platform& platform, std::uint32_t initial, const QString& title) {
    const auto chosen = platform.dialogs.Color(ColourFromRecord(initial), title);
    if (!chosen || !chosen->isValid()) return std::nullopt;
    return RecordColour(*chosen);
}

QFont FontDialogStart(const QFont& stored) {
    if (QFontDatabase::hasFamily(stored.family())) return stored;
    QFont start = stored;
    start.setFamily(QFontInfo(stored).family());
    return start;
}

std::string MergeFontChoice(const std::string& storedSpec, const QFont& offered, const QFont& chosen) {
    auto spec = FontFromSpec(storedSpec);
    if (!spec) return SpecTextFromFont(chosen, Qt::black);
    const bool sameFace = chosen.family().compare(offered.family(), Qt::CaseInsensitive) == 0 ||
                          chosen.family().compare(FromCp1252(spec->name), Qt::CaseInsensitive) == 0;
    if (!sameFace) spec->name = ToCp1252(chosen.family());
    auto styleBit = [&](int bit, bool offeredOn, bool chosenOn) {
        if (offeredOn == chosenOn) return;  // kept as offered: the stored bit stays
        spec->style = chosenOn ? (spec->style | bit) : (spec->style & ~bit);
    };
    styleBit(fsBold, offered.bold(), chosen.bold());
    styleBit(fsItalic, offered.italic(), chosen.italic());
    styleBit(fsUnderline, offered.underline(), chosen.underline());
    styleBit(fsStrikeOut, offered.strikeOut(), chosen.strikeOut());
    if (chosen.pointSize() > 0) spec->size = chosen.pointSize();
    return FontToSpec(*spec);
}

void ShowColourSample(QWidget* sample, std::uint32_t colour) { FillColour(sample, ColourFromRecord(colour)); }

void FillFileList(QListWidget* list, const Project& project, const std::string& masks) {
    const QSignalBlocker block(list);
    list->clear();
    for (const std::string& name : ListByMasks(project.ProjectDir, masks)) list->addItem(FromCp1252(name));
}

std::string FindFileIntoProject(const Project& project, Platform& platform, const QString& filter,
                                const std::string& current, const std::string& mask, const QString& title) {
    const fs::path& dir = project.ProjectDir;
    FileDialogOptions options;
    options.title = title;
    options.filter = filter;
    options.directory = dir;
    const auto picked = platform.dialogs.OpenFile(options);
    if (!picked) return current;
    std::string choice = current;
    RunGuarded(platform.messages, [&] {
        std::error_code ec;
        if (fs::equivalent(picked->parent_path(), dir, ec)) {
            choice = DiskNameToCp1252(picked->filename());
        } else {
            choice = CopyChosenFileIntoProject(dir, *picked, choice, mask, [&platform](const std::string& question) {
                return platform.messages.Confirm(FromCp1252(question));
            });
        }
    });
    if (choice.empty() || !IsValidFileName(choice)) choice = FirstMatchingFile(dir, {mask});
    return choice;
}

void WireDesignerButtons(QDialog* dialog, QDialogButtonBox* buttons, Platform& platform, int topic,
                         std::function<bool()> ok) {
    SetHelpTopic(dialog, topic);
    InstallF1Help(dialog, platform.help, platform.helpFile);
    if (QPushButton* b = buttons->button(QDialogButtonBox::Ok)) {
        b->setText("&OK");
        b->setObjectName("OKBtn");
    }
    if (QPushButton* b = buttons->button(QDialogButtonBox::Cancel)) {
        b->setText("&Cancel");
        b->setObjectName("CancelBtn");
    }
    if (QPushButton* b = buttons->button(QDialogButtonBox::Help)) {
        b->setText("&Help");
        b->setObjectName("HelpBtn");
        b->setAutoDefault(false);
    }
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, [dialog, ok = std::move(ok)] {
        if (ok()) dialog->accept();
    });
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    QObject::connect(buttons, &QDialogButtonBox::helpRequested, dialog, [&platform, topic] { platform.ShowHelp(topic); });
}

std::string EditText(const QLineEdit* edit, std::size_t capacity) {
    std::string text = ToCp1252(edit->text());
    if (text.size() > capacity) text.resize(capacity);
    return text;
}

}  // namespace quill
