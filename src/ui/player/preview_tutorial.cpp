#include "player/preview_tutorial.h"

#include "common/aids_context.h"
#include "common/media_preview.h"
#include "common/program_launcher.h"
#include "common/shell_open.h"
#include "common/chapter_runner.h"
#include "datafile/data_file.h"
#include "platform/platform.h"
#include "common/tutorial_about_box.h"
#include "player/chapter_backdrop.h"
#include "common/introduction_dialog.h"
#include "common/learner_screen.h"
#include "common/main_menu_dialog.h"
#include "project/file_names.h"
#include "project/project.h"
#include "project/tutorial_source.h"
#include "text/file_lookup.h"
#include "text_codec.h"

namespace quill {

WindowTutorialStage::WindowTutorialStage(Project& project, Platform& platform, ChapterRunner& runner,
                                         SystemServices& system, QWidget* parent)
    : project_(project), platform_(platform), runner_(runner), system_(system), parent_(parent),
      programHelp_(platform.helpFile) {}

WindowTutorialStage::~WindowTutorialStage() = default;

QWidget* WindowTutorialStage::Parent() const {
    if (back_) return back_.get();
    return parent_.data();
}

void WindowTutorialStage::ShowBackground() {
    back_ = std::make_unique<TutorialBackdrop>(project_, platform_.messages);
    back_->SetOnToggled([this](bool fullScreen) {
        windowed_ = !fullScreen;
        if (toggled_) toggled_(fullScreen);
    });
    if (windowed_)
        back_->ShowWindowed();
    else
        back_->ShowFullScreen();
}

void WindowTutorialStage::SetWindowed(bool windowed) {
    windowed_ = windowed;
    if (back_ && back_->isVisible()) back_->SetFullScreen(!windowed);
}

void WindowTutorialStage::UseTutorialHelp(const std::string& helpFile) {
    platform_.helpFile = ResolveInFolder(project_.ProjectDir, helpFile);
}

void WindowTutorialStage::PerformCommand(const TutorialCommand& command) {
    AidsContext context{project_, platform_, system_};
    switch (command.action) {
        case CommandAction::Media:
            PreviewMedia(context, command.command, Parent(), FromCp1252(command.mediaTitle));
            break;
        case CommandAction::Executable: LaunchProgram(context, LaunchExecutable, command.command); break;
        case CommandAction::WindowsProgram: LaunchProgram(context, LaunchWindowsProgram, command.command); break;
        case CommandAction::Shell: OpenWithShell(context, command.command); break;
        case CommandAction::None: break;
    }
}

void WindowTutorialStage::ShowAboutBox() {
    const LearnerScreenContext context{project_.Config, project_.ProjectDir, platform_};
    quill::ShowAboutBox(context, Parent(), LearnerWindowScale(scaleMode_, Parent()));
}

std::vector<std::string> WindowTutorialStage::LoadIntroduction() {
    std::vector<std::string> lines;
    SourceOf(project_)->LoadIntroduction(lines);
    return lines;
}

void WindowTutorialStage::ShowIntroduction(const std::vector<std::string>& text) {
    const LearnerScreenContext context{project_.Config, project_.ProjectDir, platform_};
    quill::ShowIntroduction(context, text, Parent(), scaleMode_);
}

TutorialMenuPick WindowTutorialStage::ShowMainMenu() {
    const LearnerScreenContext context{project_.Config, project_.ProjectDir, platform_};
    const MainMenuChoice choice = quill::ShowMainMenu(context, false, Parent(), scaleMode_);
    return {choice.quit, choice.chapter};
}

void WindowTutorialStage::RunChapter(const std::string& chapter) {
    runner_.RunChapter(project_, NameOnly(chapter) + ".QKS");
}

void WindowTutorialStage::Finish() {
    if (back_) back_->close();
    back_.reset();
    platform_.helpFile = programHelp_;
}

void PreviewTutorial(Project& project, Platform& platform, ChapterRunner& runner, SystemServices& system,
                     QWidget* parent) {
    WindowTutorialStage stage(project, platform, runner, system, parent);
    PlayTutorial(project.Config, stage);
}

}  // namespace quill
