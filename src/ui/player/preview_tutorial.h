#pragma once
// PreviewTutorial: "Pre-View Tutorial" plays the whole tutorial as the finished program shows
// it to the learner, over the tutorial's full-screen background (TutorialBackdrop). The order and
// the conditions are those of PlayTutorial; WindowTutorialStage shows each piece with the
// learner's windows: the media preview, the program launcher or the desktop's handler for the
// opening and closing commands, the about box, the introduction, the main menu, and the
// chapter runner for each chapter.
#include <QPointer>
#include <filesystem>
#include <functional>
#include <memory>

#include "common/screen_scale.h"
#include "tutorial/tutorial_sequence.h"

class QWidget;

namespace quill {

class ChapterRunner;
class Project;
class SystemServices;
class TutorialBackdrop;
struct Platform;

class WindowTutorialStage : public TutorialStage {
public:
    WindowTutorialStage(Project& project, Platform& platform, ChapterRunner& runner, SystemServices& system,
                        QWidget* parent = nullptr);
    ~WindowTutorialStage() override;

    void ShowBackground() override;
    // The platform's help file becomes the tutorial's until Finish puts the program's back.
    void UseTutorialHelp(const std::string& helpFile) override;
    void PerformCommand(const TutorialCommand& command) override;
    void ShowAboutBox() override;
    std::vector<std::string> LoadIntroduction() override;
    void ShowIntroduction(const std::vector<std::string>& text) override;
    TutorialMenuPick ShowMainMenu() override;
    void RunChapter(const std::string& chapter) override;
    void Finish() override;

    TutorialBackdrop* Background() const { return back_.get(); }
    // The background as an ordinary framed window instead of covering the screen: the
    // learner's player with --window. Switches a shown background too; `toggled` hears when
    // the learner switches it (F11, Alt+Enter).
    void SetWindowed(bool windowed);
    void SetOnToggled(std::function<void(bool fullScreen)> toggled) { toggled_ = std::move(toggled); }
    // The scale of the about box, the introduction and the main menu (fitted to the background
    // by the learner's player).
    void SetScaleMode(ScaleMode mode) { scaleMode_ = mode; }

private:
    QWidget* Parent() const;

    Project& project_;
    Platform& platform_;
    ChapterRunner& runner_;
    SystemServices& system_;
    QPointer<QWidget> parent_;
    std::unique_ptr<TutorialBackdrop> back_;
    std::filesystem::path programHelp_;
    bool windowed_ = false;
    std::function<void(bool)> toggled_;
    ScaleMode scaleMode_ = ScaleMode::One;
};

// Plays the whole tutorial of the open project; returns when it has ended.
void PreviewTutorial(Project& project, Platform& platform, ChapterRunner& runner, SystemServices& system,
                     QWidget* parent = nullptr);

}  // namespace quill
