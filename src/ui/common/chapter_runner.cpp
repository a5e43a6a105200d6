#include "common/chapter_runner.h"

#include "platform/platform.h"

namespace quill {

void UnavailableChapterRunner::RunChapter(Project&, const std::string&) {
    ShowNotAvailable(messages_, "Chapter Preview");
}

}  // namespace quill
