#pragma once
// Runs quillc in-process with the given standard input and captures what it prints.
#include <filesystem>
#include <sstream>
#include <string>

#include "cli.h"
#include "project/project.h"
#include "../qstring_printer.h"

namespace quill::test {

struct QuillcResult {
    int status;
    std::string out, err;
};

inline QuillcResult RunQuillc(const quillc::Args& args, const std::string& input = "") {
    std::istringstream in(input);
    std::ostringstream out, err;
    const int status = quillc::Run(args, quillc::Io{in, out, err});
    return {status, out.str(), err.str()};
}

// Makes the tutorial of the project file start with the chapter `name` (without ".QKS"), as
// Define Tutorial Type does; compile and distribute refuse a tutorial without it.
inline void SetStartChapter(const std::filesystem::path& projectFile, const std::string& name) {
    quill::Project project;
    quill::SelectTutorial(project, projectFile);
    project.Config.set(quill::cfg::TutorialType, 0);
    project.Config.set(quill::cfg::StartChapter, name);
    project.SaveProject();
}

}  // namespace quill::test
