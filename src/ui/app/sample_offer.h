#pragma once
// The sample tutorial shipped beside the program (the folder "sample" in HomeDir). When the
// program starts with no tutorial open, the main window offers it: a copy goes into the user's
// documents folder (the installed files are never changed) and that copy is opened, so that its
// chapters can be viewed at once.
#include <filesystem>
#include <optional>

#include <QString>

namespace quill {

class Project;
struct Platform;

// The project file of the sample beside the program, when it is there.
std::optional<std::filesystem::path> InstalledSample(const std::filesystem::path& homeDir);

// The folder the sample is copied to: "Quillmark Sample" in `documents`, or "Quillmark Sample 2",
// "Quillmark Sample 3"... when that name is taken.
std::filesystem::path SampleCopyFolder(const std::filesystem::path& documents);

// The question asked at the first start.
QString SampleOfferQuestion(const std::filesystem::path& copyFolder);

// Asks, copies and opens. True when the copy was opened (the project then points at it).
// Failures to copy are raised as IoError (naming the folder); the project is unchanged then.
bool OfferSampleTutorial(Project& project, Platform& platform, const std::filesystem::path& documents);

}  // namespace quill
