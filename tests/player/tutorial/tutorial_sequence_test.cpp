#include <gtest/gtest.h>

#include <deque>
#include <stdexcept>

#include "project/config_record.h"
#include "tutorial/tutorial_sequence.h"

using namespace quill;

namespace {

// Writes every step as a word; the menu answers from a queue of chapter names ("" = quit).
struct RecordingStage : TutorialStage {
    std::vector<std::string> steps;
    std::deque<std::string> menuAnswers;
    std::string throwOnChapter;

    void ShowBackground() override { steps.push_back("background"); }
    void UseTutorialHelp(const std::string& file) override { steps.push_back("help " + file); }
    void PerformCommand(const TutorialCommand& c) override {
        steps.push_back(std::string(c.opening ? "opening " : "closing ") + std::to_string(int(c.action)) + " " +
                        c.command + " [" + c.mediaTitle + "]");
    }
    void ShowAboutBox() override { steps.push_back("about"); }
    std::vector<std::string> LoadIntroduction() override { return {"line1", "line2"}; }
    void ShowIntroduction(const std::vector<std::string>& text) override {
        steps.push_back("intro " + std::to_string(text.size()));
    }
    TutorialMenuPick ShowMainMenu() override {
        steps.push_back("menu");
        TutorialMenuPick pick;
        if (!menuAnswers.empty() && !menuAnswers.front().empty()) pick = {false, menuAnswers.front()};
        if (!menuAnswers.empty()) menuAnswers.pop_front();
        return pick;
    }
    void RunChapter(const std::string& chapter) override {
        steps.push_back("chapter " + chapter);
        if (chapter == throwOnChapter) throw std::runtime_error("chapter failed");
    }
    void Finish() override { steps.push_back("finish"); }
};

TTutorialConfig Config() {
    TTutorialConfig c;
    SetConfigDefaults(c);
    c.set(cfg::StartChapter, "TUT1");
    return c;
}

using Steps = std::vector<std::string>;

Steps Play(const TTutorialConfig& c, std::deque<std::string> menu = {}) {
    RecordingStage stage;
    stage.menuAnswers = std::move(menu);
    PlayTutorial(c, stage);
    return stage.steps;
}

}  // namespace

TEST(PlayTutorial, EverySwitchOffShowsOnlyTheBackgroundAndTheStartingChapter) {
    EXPECT_EQ(Play(Config()), (Steps{"background", "chapter TUT1", "finish"}));
}

TEST(PlayTutorial, AboutBoxByShowWhen) {
    struct Case {
        int showWhen;
        Steps steps;
    };
    for (const Case& c : std::vector<Case>{
             {0, {"background", "about", "chapter TUT1", "finish"}},
             {1, {"background", "chapter TUT1", "about", "finish"}},
             {2, {"background", "about", "chapter TUT1", "about", "finish"}},
             {3, {"background", "chapter TUT1", "finish"}},
         }) {
        TTutorialConfig config = Config();
        config.set(cfg::AboutOn, 1);
        config.set(cfg::About::ShowWhen, c.showWhen);
        EXPECT_EQ(Play(config), c.steps) << "ShowWhen " << c.showWhen;
    }
    // Without AboutOn the box never shows, whatever ShowWhen says.
    TTutorialConfig off = Config();
    off.set(cfg::About::ShowWhen, 2);
    EXPECT_EQ(Play(off), (Steps{"background", "chapter TUT1", "finish"}));
}

TEST(PlayTutorial, EverySwitchOnInItsOrder) {
    TTutorialConfig c = Config();
    c.set(cfg::Program::ProgramTitle, "My Tutorial");
    c.set(cfg::Program::HelpOn, 1);
    c.set(cfg::Program::HelpFile, "TUT.HLP");
    c.set(cfg::Program::HelpTopic, 3);
    c.set(cfg::OpeningOn, 1);
    c.set(cfg::Opening.CommandType, 6);
    c.set(cfg::Opening.Description, "PIC.BMP,SND.WAV,20");
    c.set(cfg::ClosingOn, 1);
    c.set(cfg::Closing.CommandType, 10);
    c.set(cfg::Closing.Description, "BYE.HTM");
    c.set(cfg::AboutOn, 1);
    c.set(cfg::About::ShowWhen, 2);
    c.set(cfg::IntroOn, 1);
    EXPECT_EQ(Play(c), (Steps{"background", "help TUT.HLP", "opening 1 PIC.BMP,SND.WAV,20 [My Tutorial]", "about",
                              "intro 2", "chapter TUT1", "about", "closing 4 BYE.HTM [My Tutorial]", "finish"}));
}

TEST(PlayTutorial, CommandTypesMapToTheirActions) {
    for (int type = 0; type <= 12; ++type) {
        const CommandAction expected = (type == 2 || type == 3 || type == 6) ? CommandAction::Media
                                       : type == 4                           ? CommandAction::Executable
                                       : type == 9                           ? CommandAction::WindowsProgram
                                       : type == 10                          ? CommandAction::Shell
                                                                             : CommandAction::None;
        EXPECT_EQ(CommandActionOf(type), expected) << type;
    }
    TTutorialConfig c = Config();
    c.set(cfg::Closing.CommandType, 4);
    c.set(cfg::Closing.Arg5, "CALC.EXE,/x");
    c.set(cfg::Closing.Description, "CALC.EXE,/x");
    const TutorialCommand closing = ReadTutorialCommand(c, false);
    EXPECT_FALSE(closing.opening);
    EXPECT_EQ(closing.action, CommandAction::Executable);
    EXPECT_EQ(closing.command, "CALC.EXE,/x");
}

TEST(PlayTutorial, MenuTutorialLoopsUntilTheQuitEntry) {
    TTutorialConfig c = Config();
    c.set(cfg::TutorialType, 1);
    c.set(cfg::ClosingOn, 1);
    c.set(cfg::Closing.CommandType, 2);
    c.set(cfg::Closing.Description, "END.BMP,10");
    // A chapter's end (Quit included) brings the menu back; the quit entry runs the closing.
    EXPECT_EQ(Play(c, {"TUT2", "TUT1", "TUT2", ""}),
              (Steps{"background", "menu", "chapter TUT2", "menu", "chapter TUT1", "menu", "chapter TUT2", "menu",
                     "closing 1 END.BMP,10 []", "finish"}));
}

TEST(PlayTutorial, UnknownTutorialTypeRunsNoChapter) {
    TTutorialConfig c = Config();
    c.set(cfg::TutorialType, 7);
    EXPECT_EQ(Play(c), (Steps{"background", "finish"}));
}

TEST(PlayTutorial, FinishRunsWhenAStepThrows) {
    RecordingStage stage;
    stage.throwOnChapter = "TUT1";
    TTutorialConfig c = Config();
    c.set(cfg::AboutOn, 1);
    c.set(cfg::About::ShowWhen, 1);
    EXPECT_THROW(PlayTutorial(c, stage), std::runtime_error);
    EXPECT_EQ(stage.steps, (Steps{"background", "chapter TUT1", "finish"}));
}
