#include "aids/entry_performer.h"

#include <QGuiApplication>
#include <QScreen>

#include "common/aids_context.h"
#include "common/media_preview.h"
#include "aids/notes_editor.h"
#include "common/program_launcher.h"
#include "common/shell_open.h"
#include "aids/text_entry_display.h"
#include "aids/viewport_display.h"
#include "platform/error_handler.h"
#include "platform/modal.h"
#include "platform/platform.h"
#include "project/project.h"
#include "project/project_path.h"
#include "project/tutorial_source.h"
#include "text/file_lookup.h"
#include "text_codec.h"

namespace quill {

EntryPerformer::EntryPerformer(AidsContext& context, QWidget* parent, std::optional<QPoint> screenOrigin)
    : context_(context), parent_(parent), screenOrigin_(screenOrigin) {}

QPoint EntryPerformer::ScreenOrigin() const {
    if (screenOrigin_) return *screenOrigin_;
    if (QScreen* screen = QGuiApplication::primaryScreen())
        return screen->availableGeometry().center() - QPoint(320, 240);
    return {};
}

bool EntryPerformer::Perform(std::string_view source, const std::string& name) {
    bool found = false;
    RunGuarded(context_.platform.messages, [&] {
        TextLines entry;
        found = SourceOf(context_.project)->LoadEntry(name, source, entry);
        if (found) currentName_ = PerformEntry(entry, *this);
    });
    return found;
}

bool EntryPerformer::Perform(EntrySource source, const QString& name) {
    switch (source) {
        case EntrySource::Hyper: return Perform(kSourceHyper, ToCp1252(name));
        case EntrySource::Execute: return Perform(kSourceExecute, ToCp1252(name));
        case EntrySource::Utility: return Perform(kSourceUtility, ToCp1252(name));
    }
    return false;
}

void EntryPerformer::ShowTextEntry(TextDisplay display, const std::string& name, const TScreenBackground& settings,
                                   const TextLines& text) {
    if (display == TextDisplay::Plain) {
        const QString caption =
            name.empty() ? FromCp1252(context_.project.Config.get(cfg::Program::ProgramTitle)) : FromCp1252(name);
        TextEntryDisplay form(settings, text, ScreenOrigin(), parent_, caption);
        ShowModal(form);
    } else {
        ViewportDisplay form(context_, FromCp1252(name), settings, text, parent_);
        ShowModal(form);
    }
}

void EntryPerformer::PreviewMedia(const std::string&, const std::string& command) {
    quill::PreviewMedia(context_, command, parent_);
}

void EntryPerformer::LaunchProgram(int kind, const std::string& command) {
    quill::LaunchProgram(context_, kind, command);
}

void EntryPerformer::OpenWithShell(const std::string& command) { quill::OpenWithShell(context_, command); }

void EntryPerformer::OpenNotes(const std::string& notesFile) {
    // The notes window writes its file: it must be the tutorial's own.
    const ProjectPath notes = ResolveInProject(context_.project.ProjectDir, notesFile);
    if (!notes.inside) {
        context_.platform.messages.ShowError(FromCp1252("The file " + notesFile + " is outside the tutorial folder."));
        return;
    }
    NotesEditor form(context_.platform, notes.path,
                     FromCp1252(notesFile), parent_);
    ShowModal(form);
}

}  // namespace quill
