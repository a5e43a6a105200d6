#include "player/teaching_aids_link.h"

#include "platform/platform.h"
#include "player/tut_display_form.h"
#include "project/project.h"

#if __has_include("aids/entry_performer.h") && __has_include("aids/notes_form.h") && \
    __has_include("platform/system_services.h")
#define QUILL_PREVIEW_HAS_AIDS 1
#include "aids/aids_context.h"
#include "aids/entry_performer.h"
#include "aids/notes_form.h"
#include "datafile/data_file.h"
#include "platform/modal.h"
#include "platform/system_services.h"
#include "text_codec.h"
#endif

namespace quill {

#ifdef QUILL_PREVIEW_HAS_AIDS

namespace {

std::string_view SourceName(EntrySource source) {
    switch (source) {
        case EntrySource::Hyper: return kSourceHyper;
        case EntrySource::Execute: return kSourceExecute;
        case EntrySource::Utility: return kSourceUtility;
    }
    return kSourceHyper;
}

}  // namespace

struct TeachingAidsLink::Impl {
    explicit Impl(Platform& p) : platform(p) {}
    Platform& platform;
    DesktopSystem system;
};

bool TeachingAidsLink::Available() { return true; }

void TeachingAidsLink::Connect(TTutDisplayForm& window, Project& project) {
    Impl& impl = *impl_;
    window.setEntryPerformer([&impl, &window, &project](EntrySource source, const QString& name) {
        AidsContext context{project, impl.platform, impl.system};
        EntryPerformer performer(context, &window, window.mapToGlobal(QPoint(0, 0)));
        return performer.Perform(SourceName(source), ToCp1252(name));
    });
    window.setNotesOpener([&impl, &window](const std::filesystem::path& file, const QString& caption) {
        THNotesForm notes(impl.platform, file, caption, &window);
        ShowModal(notes);
    });
}

#else

struct TeachingAidsLink::Impl {
    explicit Impl(Platform&) {}
};

bool TeachingAidsLink::Available() { return false; }

void TeachingAidsLink::Connect(TTutDisplayForm&, Project&) {}

#endif

TeachingAidsLink::TeachingAidsLink(Platform& platform) : impl_(std::make_unique<Impl>(platform)) {}

TeachingAidsLink::~TeachingAidsLink() = default;

}  // namespace quill
