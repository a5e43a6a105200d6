#include "app/tutorial_actions.h"

#include "app/compile_window.h"
#include "app/distribution_window.h"
#include "app/main_window.h"
#include "app/program_presentation_settings.h"
#include "app/tutorial_type_settings.h"
#include "platform/modal.h"
#include "platform/platform.h"
#include "player/preview_tutorial.h"
#include "project/project.h"

namespace quill {

void TutorialActions::Connect(MainWindow& w) {
    w.SetAction(control::ConfigBtn, [this, &w] { DefineTutorialType(w); });
    w.SetAction(control::CustProgBtn, [this, &w] { ProgramPresentation(w); });
    w.SetAction(control::PreviewBtn, [this, &w] { PreviewTutorial(w); });
    w.SetAction(control::CompileBtn, [this, &w] { CompileTutorial(w); });
    w.SetAction(control::DistribBtn, [this, &w] { PrepareDistribution(w); });
}

void TutorialActions::DefineTutorialType(MainWindow& w) { quill::DefineTutorialType(project_, platform_, &w); }

void TutorialActions::ProgramPresentation(MainWindow& w) {
    quill::ProgramPresentation(project_, platform_, system_, &w);
}

void TutorialActions::PreviewTutorial(MainWindow& w) {
    quill::PreviewTutorial(project_, platform_, runner_, system_, &w);
}

void TutorialActions::CompileTutorial(MainWindow& w) {
    CompileWindow form(project_, platform_, keys_, &w);
    ShowModal(form);  // it hides while each action runs
}

void TutorialActions::PrepareDistribution(MainWindow& w) { quill::PrepareDistribution(project_, platform_, &w); }

}  // namespace quill
