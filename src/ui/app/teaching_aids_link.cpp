#include "app/teaching_aids_link.h"

#include "common/aids_context.h"
#include "aids/define_hypertext.h"
#include "aids/entry_performer.h"
#include "aids/heading_styles_designer.h"
#include "aids/notes_editor.h"
#include "platform/modal.h"
#include "platform/platform.h"
#include "platform/system_services.h"
#include "player/preview_window.h"
#include "project/project.h"

namespace quill {

struct TeachingAidsLink::Impl {
    Impl(Platform& p, SystemServices& s) : platform(p), system(s) {}
    Platform& platform;
    SystemServices& system;
};

TeachingAidsLink::TeachingAidsLink(Platform& platform, SystemServices& system)
    : impl_(std::make_unique<Impl>(platform, system)) {}

TeachingAidsLink::~TeachingAidsLink() = default;

AidsWindows TeachingAidsWindows() {
    AidsWindows windows;
    windows.defineHypertext = [](AidsContext& context, const QStringList& lines, QWidget* parent) {
        DefineHyperText(context, lines, parent);
    };
    windows.editHeadings = [](AidsContext& context, QWidget* parent) {
        HeadingStylesDesigner form(context, parent);
        ShowModal(form);
    };
    return windows;
}

QString NotesFileName(const QString& caption) {
    // The player names the notes window "Current File : " + name; the notes editor puts that
    // prefix on by itself.
    static const QString prefix = QStringLiteral("Current File : ");
    return caption.startsWith(prefix) ? caption.mid(prefix.size()) : caption;
}

void TeachingAidsLink::Connect(PreviewWindow& window, Project& project) {
    Impl& impl = *impl_;
    window.host().setEntryPerformer([&impl, &window, &project](EntrySource source, const QString& name) {
        AidsContext context{project, impl.platform, impl.system};
        EntryPerformer performer(context, &window, window.mapToGlobal(QPoint(0, 0)));
        return performer.Perform(source, name);
    });
    window.host().setNotesOpener([&impl, &window](const std::filesystem::path& file, const QString& caption) {
        NotesEditor notes(impl.platform, file, NotesFileName(caption), &window);
        ShowModal(notes);
    });
}

}  // namespace quill
