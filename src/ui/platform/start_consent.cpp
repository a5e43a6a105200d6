#include "platform/start_consent.h"

#include "platform/messages.h"
#include "text/errors.h"
#include "text/text_file.h"

namespace quill {

namespace fs = std::filesystem;

namespace {

// The real path of the folder (links resolved), so two ways to name it share one answer.
std::string FolderKey(const fs::path& folder) {
    std::error_code ec;
    const fs::path real = fs::weakly_canonical(fs::absolute(folder, ec), ec);
    return (ec ? folder : real).string();
}

}  // namespace

QString StartQuestionText(const QString& what) {
    return QStringLiteral("This tutorial wants to start:\n\n%1\n\nStart it only if you trust the tutorial.").arg(what);
}

void StartConsent::Configure(fs::path alwaysFile, Memory memory) {
    alwaysFile_ = std::move(alwaysFile);
    memory_ = memory;
}

bool StartConsent::AlwaysAllowed(const std::string& key) const {
    if (alwaysFile_.empty()) return false;
    try {
        for (const std::string& line : ReadTextLines(alwaysFile_, 1 << 20))
            if (line == key) return true;
    } catch (const IoError&) {
        // No answers kept yet (or none readable): ask.
    }
    return false;
}

void StartConsent::KeepAlways(const std::string& key) {
    if (alwaysFile_.empty()) return;
    std::vector<std::string> lines;
    try {
        lines = ReadTextLines(alwaysFile_, 1 << 20);
    } catch (const IoError&) {
    }
    lines.push_back(key);
    std::error_code ec;
    fs::create_directories(alwaysFile_.parent_path(), ec);
    try {
        WriteTextLines(alwaysFile_, lines);
    } catch (const IoError&) {
        // Not kept: the learner is asked again next time, which is safe.
    }
}

void StartConsent::AllowForThisRun(const fs::path& tutorialDir) { allowed_.insert(FolderKey(tutorialDir)); }

bool StartConsent::MayStart(Messages& messages, const fs::path& tutorialDir, const QString& what) {
    const std::string key = FolderKey(tutorialDir);
    if (allowed_.count(key) || AlwaysAllowed(key)) return true;
    switch (messages.AskToStart(StartQuestionText(what))) {
        case StartAnswer::AlwaysAllow:
            allowed_.insert(key);
            KeepAlways(key);
            return true;
        case StartAnswer::Allow:
            if (memory_ == Memory::OncePerFolder) allowed_.insert(key);
            return true;
        case StartAnswer::DontAllow: break;
    }
    return false;
}

}  // namespace quill
