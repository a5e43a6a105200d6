#include "aids/record_commit.h"

#include "project/project.h"

namespace quill {

void CommitRecord(Project& project, const TTutorialConfig& record) {
    const TTutorialConfig previous = project.Config;
    project.Config = record;
    try {
        project.SaveProject();
    } catch (...) {
        project.Config = previous;
        throw;
    }
}

}  // namespace quill
