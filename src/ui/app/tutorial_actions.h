#pragma once
// The main window's buttons for the tutorial as a whole: "&Define Tutorial Type",
// "P&rogram Presentation", "&Pre-View Tutorial", "&Compile Tutorial" and
// "Prepare Distri&bution". The object lives as long as the main window and owns the
// compiler's key generator for the session (seeded once, never reseeded).
#include "build/compiler.h"

namespace quill {

class ChapterRunner;
class Project;
class SystemServices;
class MainWindow;
struct Platform;

class TutorialActions {
public:
    TutorialActions(Project& project, Platform& platform, ChapterRunner& runner, SystemServices& system)
        : project_(project), platform_(platform), runner_(runner), system_(system) {}

    // Gives the window's buttons their actions.
    void Connect(MainWindow& window);

    void DefineTutorialType(MainWindow& window);
    void ProgramPresentation(MainWindow& window);
    void PreviewTutorial(MainWindow& window);
    void CompileTutorial(MainWindow& window);
    void PrepareDistribution(MainWindow& window);

private:
    Project& project_;
    Platform& platform_;
    ChapterRunner& runner_;
    SystemServices& system_;
    KeyGenerator keys_;
};

}  // namespace quill
