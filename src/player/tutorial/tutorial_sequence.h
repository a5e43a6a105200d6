#pragma once
// The whole tutorial as the learner meets it: the background, the opening command, the about
// box at the start, the introduction, the starting chapter or the main menu loop, the about box
// at the end and the closing command. PlayTutorial holds the order and the conditions, read
// from the configuration record; a TutorialStage shows each piece. The preview window, the
// headless run of quillc and the runtime player each implement the stage; the sequence is the
// same for all of them.
#include <string>
#include <vector>

#include "project/config_record.h"

namespace quill {

// What an opening or closing command does, by its CommandType: 2, 3 and 6 the media preview,
// 4 the program launcher for an executable, 9 for a Windows program, 10 the desktop's handler
// for a file; anything else nothing.
enum class CommandAction { None, Media, Executable, WindowsProgram, Shell };
CommandAction CommandActionOf(int commandType);

struct TutorialCommand {
    bool opening = true;     // the opening command (false: the closing one)
    CommandAction action = CommandAction::None;
    std::string command;     // the command text the chooser built (Description), Windows-1252
    std::string mediaTitle;  // the caption of media windows: ProgramTitle
};
TutorialCommand ReadTutorialCommand(const TTutorialConfig& config, bool opening);

// What the main menu gave: a chapter pick or its quit entry (also: the menu was closed).
struct TutorialMenuPick {
    bool quit = true;
    std::string chapter;  // the pick's chapter base name
};

class TutorialStage {
public:
    virtual ~TutorialStage() = default;
    // The tutorial's background behind everything that follows.
    virtual void ShowBackground() = 0;
    // The tutorial's own help file becomes the one F1 and Help open (only with HelpOn).
    virtual void UseTutorialHelp(const std::string& helpFile) = 0;
    virtual void PerformCommand(const TutorialCommand& command) = 0;
    // The about box, until its OK.
    virtual void ShowAboutBox() = 0;
    // The introduction's text lines from the tutorial data (empty when there are none).
    virtual std::vector<std::string> LoadIntroduction() = 0;
    virtual void ShowIntroduction(const std::vector<std::string>& text) = 0;
    virtual TutorialMenuPick ShowMainMenu() = 0;
    // A complete chapter run; its end (last line, *Exit, Quit, an error) ends only the chapter.
    virtual void RunChapter(const std::string& chapter) = 0;
    // The background goes and the program's own help file is back. Always called, also when a
    // step throws.
    virtual void Finish() = 0;
};

// Runs the sequence on the stage; returns when it has ended.
void PlayTutorial(const TTutorialConfig& config, TutorialStage& stage);

}  // namespace quill
