#include "tutorial/tutorial_sequence.h"

namespace quill {

CommandAction CommandActionOf(int commandType) {
    switch (commandType) {
        case 2:
        case 3:
        case 6: return CommandAction::Media;
        case 4: return CommandAction::Executable;
        case 9: return CommandAction::WindowsProgram;
        case 10: return CommandAction::Shell;
        default: return CommandAction::None;
    }
}

TutorialCommand ReadTutorialCommand(const TTutorialConfig& config, bool opening) {
    const TCommandSettingLayout& layout = opening ? cfg::Opening : cfg::Closing;
    TutorialCommand c;
    c.opening = opening;
    c.action = CommandActionOf(config.get(layout.CommandType));
    c.command = config.get(layout.Description);
    c.mediaTitle = config.get(cfg::Program::ProgramTitle);
    return c;
}

namespace {

void Steps(const TTutorialConfig& config, TutorialStage& stage) {
    stage.ShowBackground();
    if (config.get(cfg::Program::HelpOn)) stage.UseTutorialHelp(config.get(cfg::Program::HelpFile));
    if (config.get(cfg::OpeningOn)) stage.PerformCommand(ReadTutorialCommand(config, true));

    const bool about = config.get(cfg::AboutOn) != 0;
    const int showWhen = config.get(cfg::About::ShowWhen);
    if (about && (showWhen == 0 || showWhen == 2)) stage.ShowAboutBox();
    if (config.get(cfg::IntroOn)) stage.ShowIntroduction(stage.LoadIntroduction());

    const int type = config.get(cfg::TutorialType);
    if (type == 1) {
        // Only the menu's quit entry ends the loop; the end of a chapter brings the menu back.
        for (;;) {
            const TutorialMenuPick pick = stage.ShowMainMenu();
            if (pick.quit) break;
            stage.RunChapter(pick.chapter);
        }
    } else if (type == 0) {
        stage.RunChapter(config.get(cfg::StartChapter));
    }

    if (about && (showWhen == 1 || showWhen == 2)) stage.ShowAboutBox();
    if (config.get(cfg::ClosingOn)) stage.PerformCommand(ReadTutorialCommand(config, false));
}

}  // namespace

void PlayTutorial(const TTutorialConfig& config, TutorialStage& stage) {
    try {
        Steps(config, stage);
    } catch (...) {
        stage.Finish();
        throw;
    }
    stage.Finish();
}

}  // namespace quill
