// Lines built by the branching builders run: a chapter made of a quiz and a button menu, built
// through the builders and saved, passes quillc check and plays headless through every path.
#include <gtest/gtest.h>

#include "../../../cli/run_quillc.h"
#include "../../../format/test_folder.h"
#include "editor/commands/command_builders.h"
#include "editor/commands/scripted_prompter.h"
#include "project/project.h"

using namespace quill;
using quill::test::RunQuillc;
using quill::test::TempFolder;

namespace {

using A = ScriptedAnswer;

QStringList Built(const Project& project, const QString& item, const QString& caption,
                  std::vector<ScriptedAnswer> answers) {
    ScriptedPrompter prompter(std::move(answers));
    CommandData data{project.Config, [](std::string_view) { return std::vector<std::string>{}; }};
    const QStringList lines = FindOption(*FindCategory(item), caption)->build(prompter, data);
    EXPECT_TRUE(prompter.problems.isEmpty()) << prompter.problems.join("; ").toStdString();
    EXPECT_FALSE(lines.isEmpty()) << caption.toStdString();
    return lines;
}

// The chapter's lines as the editor saves them.
std::string Saved(const QStringList& lines) {
    return (lines.join("\r\n") + "\r\n").toStdString();
}

// The lines a traced run executed, without the "TRACE CHAPTER:N: " prefix.
QStringList Executed(const std::string& trace) {
    QStringList lines;
    for (const QString& line : QString::fromStdString(trace).split('\n')) {
        if (!line.startsWith("TRACE ")) {
            if (!line.isEmpty()) lines << line;
            continue;
        }
        lines << line.section(": ", 1);
    }
    return lines;
}

}  // namespace

TEST(BranchPlay, AQuizAndAButtonMenuBuiltByTheBuildersRunThroughEveryPath) {
    TempFolder folder;
    Project project;
    NewTutorial(project, folder.path() / "Tut", "TUT");
    const std::string projectFile = (project.ProjectDir / "TUT.QKJ").string();

    // A quiz of three answers, the second correct; then a button menu whose first button
    // loops back to it through a label and whose second goes on to the next chapter.
    QStringList chapter = Built(project, "Basic Commands", " *Controls", {A::Buttons("CQ")});
    chapter += Built(project, "Non-Linear ", "@J Jump Label", {A::Txt("Menu")});
    chapter += Built(project, "InterActive", "Branching Quiz", {A::QuizFields("Q1", "3", "2", "18")});
    chapter += Built(project, "Advanced", "*ButtonMenu",
                     {A::MenuButtonRows({{"10", "5", "30", "Once more", "Again", ""},
                                         {"10", "7", "", "dropped: no X2", "Again", ""},
                                         {"10", "9", "30", "Go on", "", "TUT2.QKS"}})});
    chapter += Built(project, "Non-Linear ", "@J Jump Label", {A::Txt("Again")});
    chapter << "Back to the menu";
    chapter += Built(project, "Non-Linear ", "*JumpToLabel", {A::Txt("Menu")});
    ASSERT_EQ(chapter.filter("*ButtonMenu 2").size(), 1);
    folder.write("Tut/TUT1.QKS", Saved(chapter));
    folder.write("Tut/TUT2.QKS", "The second chapter\r\n*Wait\r\n");
    quill::test::SetStartChapter(projectFile, "TUT1");

    const auto check = RunQuillc({"check", projectFile});
    EXPECT_EQ(check.status, 0) << check.out << check.err;
    EXPECT_EQ(check.out, "");

    // Answer 1 (wrong) and 3 (wrong) return to the quiz, answer 2 leaves it; the first menu
    // button comes round to the quiz again, answered right at once; the second button goes on.
    folder.write("answers.txt",
                 "answer 1\nbutton C\n"
                 "answer 3\nbutton C\n"
                 "answer 2\nbutton C\n"
                 "menu 1\n"
                 "answer 2\nbutton C\n"
                 "menu 2\n"
                 "button Q\n");
    const auto play = RunQuillc({"play", projectFile, "TUT1", "--answers", (folder.path() / "answers.txt").string(), "--trace"});
    EXPECT_EQ(play.status, 0) << play.out << play.err;
    const QStringList run = Executed(play.out);
    // The feedback of each answer shows, in the order given.
    QStringList feedback;
    for (const QString& line : run)
        if (line.startsWith("*ExitQuiz") || line.startsWith("*ReturnToQuiz")) feedback << line;
    EXPECT_EQ(feedback, (QStringList{"*ReturnToQuiz Q1", "*ReturnToQuiz Q1", "*ExitQuiz Q1", "*ExitQuiz Q1"}));
    EXPECT_EQ(run.filter("*QuizAnswers 3 18 Q1").size(), 4);
    EXPECT_EQ(run.filter("*ButtonMenu 2").size(), 2);
    EXPECT_EQ(run.filter("Back to the menu").size(), 1);
    EXPECT_EQ(run.filter("The second chapter").size(), 1);
    for (const QString& line : run) EXPECT_FALSE(line.startsWith("ERROR")) << line.toStdString();
}
