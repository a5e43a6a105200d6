#include "tutorial/headless_tutorial.h"

#include <algorithm>

#include "headless_host.h"
#include "screen/presentation_render.h"
#include "text_codec.h"

namespace quill {

QString NotPerformedText(const TutorialCommand& c) {
    const QString which = c.opening ? QStringLiteral("opening") : QStringLiteral("closing");
    const QString command = FromCp1252(c.command);
    switch (c.action) {
        case CommandAction::Media:
            return "The " + which + " command would show the media " + command;
        case CommandAction::Executable:
            return "The " + which + " command would run the program " + command;
        case CommandAction::WindowsProgram:
            return "The " + which + " command would run the Windows program " + command;
        case CommandAction::Shell:
            return "The " + which + " command would open " + command;
        case CommandAction::None:
            break;
    }
    return {};
}

HeadlessTutorialStage::HeadlessTutorialStage(const TTutorialConfig& config, std::filesystem::path folder,
                                             HeadlessHost& host, ChapterRun runChapter,
                                             IntroductionLoader loadIntroduction)
    : config_(config), folder_(std::move(folder)), host_(host), runChapter_(std::move(runChapter)),
      loadIntroduction_(std::move(loadIntroduction)) {}

void HeadlessTutorialStage::PerformCommand(const TutorialCommand& command) {
    const QString text = NotPerformedText(command);
    if (!text.isEmpty()) host_.showInfo(text);
}

void HeadlessTutorialStage::ShowAboutBox() {
    const QImage picture = RenderAboutBox(config_, folder_);
    host_.waitForOk("the about box", picture);
}

std::vector<std::string> HeadlessTutorialStage::LoadIntroduction() {
    return loadIntroduction_ ? loadIntroduction_() : std::vector<std::string>{};
}

void HeadlessTutorialStage::ShowIntroduction(const std::vector<std::string>& text) {
    const QImage picture = RenderIntroduction(config_, folder_, text);
    host_.waitForOk("the introduction", picture);
}

TutorialMenuPick HeadlessTutorialStage::ShowMainMenu() {
    const QImage picture = RenderMainMenu(config_, folder_);
    const int count = std::clamp(config_.get(cfg::MainMenu::ChapterCount), 0,
                                 static_cast<int>(cfg::MainMenu::MaxChapters));
    const int pick = host_.waitForMainMenu(count, picture);
    TutorialMenuPick out;
    if (pick >= 1) {
        out.quit = false;
        out.chapter = config_.get(cfg::MainMenu::Chapter(pick).FileName);
    }
    return out;
}

void HeadlessTutorialStage::RunChapter(const std::string& chapter) {
    if (runChapter_) runChapter_(chapter);
}

}  // namespace quill
