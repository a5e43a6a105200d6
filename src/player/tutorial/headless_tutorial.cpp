#include "tutorial/headless_tutorial.h"

#include <QTextDocument>

#include <algorithm>
#include <system_error>

#include "headless_host.h"
#include "richtext/rtf_reader.h"
#include "project/tutorial_folder.h"
#include "screen/background_picture.h"
#include "screen/presentation_render.h"
#include "text/cp1252.h"
#include "text/file_lookup.h"
#include "text_codec.h"

namespace quill {

namespace fs = std::filesystem;

namespace {

// The error a learner's window shows for a screen background (empty: none): the same loader
// and texts as the windows, so a run without windows reports what the learner would see.
QString BackgroundProblem(const fs::path& folder, int type, const std::string& graphic, const std::string& wallpaper) {
    return LoadBackgroundPicture(TutorialFolder(folder), type, 0, graphic, wallpaper).message;
}

}  // namespace

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

void HeadlessTutorialStage::ShowBackground() {
    namespace P = cfg::Program;
    report(BackgroundProblem(folder_, config_.get(P::BackgroundType), config_.get(P::BackgroundGraphic),
                             config_.get(P::BackgroundWallpaper)));
}

void HeadlessTutorialStage::report(const QString& error) {
    if (!error.isEmpty()) host_.showError(error);
}

void HeadlessTutorialStage::ShowAboutBox() {
    const std::string icon = config_.get(cfg::About::IconFile);
    if (config_.get(cfg::About::UseIcon) && !icon.empty()) {
        // The window shows no icon for a file it cannot read, and says so only when it is missing.
        if (ReadFolderPicture(TutorialFolder(folder_), icon).problem == PictureProblem::Missing)
            report("The Icon file " + FromCp1252(icon) + " is missing");
    }
    const QImage picture = RenderAboutBox(config_, folder_);
    namespace A = cfg::About;
    QStringList texts;
    for (const StrField& field : {A::BoxTitle, A::ProgramName, A::VersionText, A::AuthorLine, A::Comment1, A::Comment2,
                                  A::Comment3, A::Comment4})
        if (const std::string text = config_.get(field); !text.empty()) texts << FromCp1252(text);
    host_.waitForOk("the about box", picture, texts);
}

std::vector<std::string> HeadlessTutorialStage::LoadIntroduction() {
    return loadIntroduction_ ? loadIntroduction_() : std::vector<std::string>{};
}

void HeadlessTutorialStage::ShowIntroduction(const std::vector<std::string>& text) {
    const TScreenBackgroundLayout& s = cfg::Intro::Screen;
    report(BackgroundProblem(folder_, config_.get(s.ScreenType), config_.get(s.GraphicFile), config_.get(s.WallpaperFile)));
    const QImage picture = RenderIntroduction(config_, folder_, text);
    QStringList texts;
    if (!text.empty()) texts = RichTextDocument(text)->toPlainText().trimmed().split(u'\n');
    host_.waitForOk("the introduction", picture, texts);
}

TutorialMenuPick HeadlessTutorialStage::ShowMainMenu() {
    namespace M = cfg::MainMenu;
    report(BackgroundProblem(folder_, config_.get(M::ScreenType), config_.get(M::GraphicFile),
                             config_.get(M::WallpaperFile)));
    const QImage picture = RenderMainMenu(config_, folder_);
    const int count = std::clamp(config_.get(cfg::MainMenu::ChapterCount), 0,
                                 static_cast<int>(cfg::MainMenu::MaxChapters));
    QStringList picks;
    for (int n = 1; n <= count; ++n)
        picks << QStringLiteral("%1: %2").arg(n).arg(FromCp1252(config_.get(cfg::MainMenu::Chapter(n).Topic)));
    const int pick = host_.waitForMainMenu(count, picture, picks);
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
