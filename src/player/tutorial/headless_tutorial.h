#pragma once
// HeadlessTutorialStage: the whole-tutorial sequence without windows (quillc play without a
// chapter, the runtime player's headless mode). The about box and the introduction wait for
// "ok", the main menu for "mainmenu N" or "mainmenu quit", each from the host's answers and
// each with a snapshot of what it shows; a picture the window could not show (a background, a
// menu or introduction graphic, the about box's icon) is reported with the window's error text
// before the wait. The opening and closing commands are not performed:
// an information message names what would be shown or run. Chapters and the introduction's
// text come from the caller, so project sources and compiled files run alike.
#include <QString>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "tutorial/tutorial_sequence.h"

namespace quill {

class HeadlessHost;

// The information line for a command that is not performed (empty for CommandAction::None).
QString NotPerformedText(const TutorialCommand& command);

class HeadlessTutorialStage : public TutorialStage {
public:
    using ChapterRun = std::function<void(const std::string& chapter)>;
    using IntroductionLoader = std::function<std::vector<std::string>()>;

    // `config` and `host` must outlive the stage; pictures are found in `folder`.
    HeadlessTutorialStage(const TTutorialConfig& config, std::filesystem::path folder, HeadlessHost& host,
                          ChapterRun runChapter, IntroductionLoader loadIntroduction);

    void ShowBackground() override;
    void UseTutorialHelp(const std::string& helpFile) override { helpFile_ = helpFile; }
    void PerformCommand(const TutorialCommand& command) override;
    void ShowAboutBox() override;
    std::vector<std::string> LoadIntroduction() override;
    void ShowIntroduction(const std::vector<std::string>& text) override;
    TutorialMenuPick ShowMainMenu() override;
    void RunChapter(const std::string& chapter) override;
    void Finish() override { helpFile_.clear(); }

    // The tutorial's help file while the sequence runs (empty: the program's).
    const std::string& HelpFile() const { return helpFile_; }

private:
    void report(const QString& error);  // an error box, when there is one

    const TTutorialConfig& config_;
    std::filesystem::path folder_;
    HeadlessHost& host_;
    ChapterRun runChapter_;
    IntroductionLoader loadIntroduction_;
    std::string helpFile_;
};

}  // namespace quill
