#pragma once
// Asking before a tutorial starts a program or opens a document.
//
// Tutorials come from people the learner does not know, and an opening command, a data-file
// entry or a utility can name any program. Nothing named by a tutorial is started before the
// learner (or, in the preview, the author) has seen exactly what will run and allowed it.
// "Always allow for this tutorial" is kept in a file of the learner's own data folder, keyed by
// the tutorial folder's real path; never in the tutorial folder, whose files the tutorial's
// maker controls.
#include <QString>
#include <filesystem>
#include <set>
#include <string>

namespace quill {

class Messages;

// The text of the question for the command line `what`.
QString StartQuestionText(const QString& what);

class StartConsent {
public:
    // EveryTime: the question comes before every start unless always allowed (the learner's
    // player). OncePerFolder: an Allow also holds for the rest of this run (the preview).
    enum class Memory { EveryTime, OncePerFolder };

    // Where "Always allow" answers are kept (empty: for this run only).
    void Configure(std::filesystem::path alwaysFile, Memory memory);

    // Asks "This tutorial wants to start: WHAT" unless the folder is allowed already; true when
    // the program may start.
    bool MayStart(Messages& messages, const std::filesystem::path& tutorialDir, const QString& what);
    // Allows the folder's programs for this run without asking (as an earlier Allow would).
    void AllowForThisRun(const std::filesystem::path& tutorialDir);

private:
    bool AlwaysAllowed(const std::string& key) const;
    void KeepAlways(const std::string& key);

    std::filesystem::path alwaysFile_;
    Memory memory_ = Memory::EveryTime;
    std::set<std::string> allowed_;  // real folder paths allowed in this run
};

}  // namespace quill
