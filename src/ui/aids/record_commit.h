#pragma once
// Writing a dialog's copy of the configuration record back into the open project.
#include "project/config_record.h"

namespace quill {

class Project;

// Makes `record` the project's configuration record and saves the project. When the save fails
// the project keeps its previous record and the error goes on to the caller.
void CommitRecord(Project& project, const TTutorialConfig& record);

}  // namespace quill
