#pragma once
// ChapterPlayer: the interpreter that runs a chapter. It loads the chapter file into a list of
// lines, fetches them one by one, translates command lines and dispatches them, and keeps the
// player state: the current position, page labels, the jump-and-return stack, branches and
// quizzes, chapter switches and rejoining. It draws on a TextScreen and reaches everything that
// waits for the learner or lies outside (buttons, keys, delays, answers, message boxes, data
// file entries, notes, printing, help) through a PlayerHost.
//
// Use:
//     TextScreen screen(project.Config, project.ProjectDir, &host);
//     ChapterPlayer player(project, screen, host);
//     PlayResult r = player.run("SAFETY1");   // returns when the run ends
//
// A run ends at the last line, at *EXIT, at Quit, at the first script error (shown with
// host.showError), when host.stopRequested() becomes true (checked after every wait and every
// few hundred lines, after host.processEvents()), when requestStop() is called from an event
// handler, or after the step limit.
//
// The preview window drives it like this: it implements PlayerHost (each wait a local event
// loop that ends when its handler sets a flag), builds a TextScreen on the project and itself,
// and calls run() from the button handler that starts the preview. While the run lasts, it
// repaints from screen.image() and the screen's objects; a click on a hypertext label calls
// hypertextClicked(); closing the window makes stopRequested() true (or calls requestStop()),
// which ends the run at the next wait or within kEventInterval lines. The return stack and the
// page labels belong to the player object: keep it for the session to keep them between runs,
// or make a new one per run to start afresh.
//
// Text is Windows-1252 throughout; the host gets Text (engine_types.h) through FromCp1252.
#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>

#include "text/line_buffer.h"
#include <vector>

#include "engine_types.h"

#include "script/commands.h"
#include "script/operands.h"
#include "script/translate.h"

namespace quill {

class PlayObserver;
class PlayerHost;
class Project;
class TextScreen;
class TutorialSource;
struct PenState;

// Why a run ended.
enum class PlayEnd {
    Finished,     // the lines ran out
    Exited,       // *EXIT
    Quit,         // the Quit button (without a chapter to return to)
    ScriptError,  // a script error was shown
    Stopped,      // the host asked to stop, or requestStop()
    StepLimit,    // the step limit was reached
};

struct PlayResult {
    PlayEnd end = PlayEnd::Finished;
    long long steps = 0;   // lines executed
    std::string chapter;   // the chapter that ran last (NAME.QKS)
};

class ChapterPlayer : private ErrorReport, private LineSource {
public:
    // Called for every line before it runs: the chapter file (NAME.QKS), the line number
    // (from 1) of the chapter line it came from, and the line's text.
    using Tracer = std::function<void(const std::string& chapter, int line, const std::string& text)>;

    static constexpr int kReturnStackSize = 10;
    static constexpr std::size_t kReturnLabelLength = 60;
    static constexpr std::size_t kLegendLength = 11;
    // The host processes its events every this many lines.
    static constexpr int kEventInterval = 256;

    // The project gives the folder, the configuration record, where chapters and data entries
    // come from (SourceOf) and where learner files go (LearnerDir); the screen and the host must
    // outlive the player.
    ChapterPlayer(const Project& project, TextScreen& screen, PlayerHost& host);
    ~ChapterPlayer() override;
    ChapterPlayer(const ChapterPlayer&) = delete;
    ChapterPlayer& operator=(const ChapterPlayer&) = delete;

    void setTracer(Tracer tracer) { tracer_ = std::move(tracer); }
    // Stop after this many executed lines (0: no limit).
    void setStepLimit(long long steps) { stepLimit_ = steps; }
    // Told what the run performs (lines, sections, answers, picks); may be null. It must
    // outlive the runs.
    void setObserver(PlayObserver* observer) { observer_ = observer; }

    // Runs the chapter (a name with or without folder and extension; ".QKS" is used).
    PlayResult run(std::string_view chapter);

    // Ends the run at the next line or wait (for an event handler of the window, e.g. close).
    void requestStop() { stopRequested_ = true; }

    // A click on a hypertext word or label (the preview window's handler calls it with the
    // label's text while the player waits): performs the HYPER entry of that name, or shows
    // the "has not been defined" information box.
    void hypertextClicked(const Text& word);

    // ---- state, for the window and for tests ----------------------------------------------
    const std::string& chapterFile() const { return chapterFile_; }
    const std::string& currentPageLabel() const { return currentPage_; }
    const std::string& previousPageLabel() const { return previousPage_; }
    const std::string& savedPageLabel() const { return savedPage_; }
    int returnDepth() const { return returnDepth_; }
    bool inBranch() const { return inBranch_; }
    bool inQuiz() const { return inQuiz_; }
    const std::string& titleText() const { return titleText_; }
    // 1-based number of the chapter line fetched last.
    int lineNumber() const { return lastFetched_; }

private:
    // ErrorReport
    void ShowScriptError(const std::string& message) override;
    // LineSource
    std::optional<std::string> FetchNextLine() override;
    // A view into the chapter, valid until another chapter is loaded: commands keep these.
    std::optional<std::string_view> FetchNextLineView() override;
    // The next line without telling the observer: a line passed over, not run.
    std::optional<std::string_view> passLine();

    bool stopped() const { return operands_.Stopped(); }
    void fail(const std::string& message) { operands_.Fail(message); }
    // After a wait: takes the host's stop request.
    void checkHost();
    void endBy(PlayEnd end);

    bool loadChapter(const std::string& file);
    void resetRunState();
    void switchChapter();

    // Counts one executed line against the step limit; false (and the run ends) at the limit.
    bool takeStep();
    // One round of a repeated drawing (a blink, a line of a displayed file): it counts as a line
    // for the step limit and gives the host its chance to stop the run. False when the run must
    // end.
    bool repeatStep();
    // Executes a fetched line (trace, step count, events) with its error handling.
    void runFetchedLine(const std::string& line);
    void translateAndExecute(const std::string& line);
    void executeLine(const std::string& line);
    void dispatchCommand(const std::string& translated);
    void runAction(const std::string& action);
    // The action of a table or menu row, run as the row's line `line` (its trace and the line of
    // an error in it); the line number goes back to the table's last line when the action
    // neither jumped nor stopped the run.
    void runRowAction(std::string_view action, int line);
    void notValid();

    // One action per command value (script/commands.h): dispatchCommand parses a translated
    // line through the command table and performs its value with one of these.
    void act(const cmd::ClearScreen&);
    void act(const cmd::Wait&);
    void act(const cmd::Exit&);
    void act(const cmd::Title&);
    void act(const cmd::Controls&);
    void act(const cmd::Execute&);
    void act(const cmd::Position&);
    void act(const cmd::Heading&);
    void act(const cmd::WindowText&);
    void act(const cmd::DrawLine&);
    void act(const cmd::Blink&);
    void act(const cmd::Delay&);
    void act(const cmd::Pause&);
    void act(const cmd::CenterText&);
    void act(const cmd::Box&);
    void act(const cmd::Section&);
    void act(const cmd::ShowImage&);
    void act(const cmd::ScreenImage&);
    void act(const cmd::ImageHypertext&);
    void act(const cmd::ImageLabel&);
    void act(const cmd::DeleteFile&);
    void act(const cmd::CopyFile&);
    void act(const cmd::PrintFile&);
    void act(const cmd::AddToFile&);
    void act(const cmd::DisplayFile&);
    void act(const cmd::InputToFile&);
    void act(const cmd::Memo&);
    void act(const cmd::GetUserInput&);
    void act(const cmd::QuickQuestion&);
    void act(const cmd::FillInAnswer&);
    void act(const cmd::ReturnToQuiz&);
    void act(const cmd::ExitQuiz&);
    void act(const cmd::QuizAnswers&);
    void act(const cmd::BranchOnFileExists&);
    void act(const cmd::BranchOnFileInput&);
    void act(const cmd::BranchOnInput&);
    void act(const cmd::BranchOnButton&);
    void act(const cmd::JumpToLabel&);
    void act(const cmd::JumpToFile&);
    void act(const cmd::PageBackTo&);
    void act(const cmd::JumpOnFileExists&);
    void act(const cmd::JumpOnFileInput&);
    void act(const cmd::JumpOnInput&);
    void act(const cmd::JumpOnButton&);
    void act(const cmd::JumpOnMatch&);
    void act(const cmd::JumpOnFileMatch&);
    void act(const cmd::RejoinChapter&);
    void act(const cmd::RejoinPage&);
    void act(const cmd::ClearPageLabel&);
    void act(const cmd::ChangePageLabel&);
    void act(const cmd::JumpAndReturn&);
    void act(const cmd::Return&);
    void act(const cmd::BoxMenu&);
    void act(const cmd::ButtonMenu&);
    void act(const cmd::ControlButtonTag&);
    void act(const cmd::HypertextColor&);
    void act(const cmd::BarColour&);
    void act(const cmd::NotePad&);

    // flow
    void waitForButton();
    void pageBack();
    void jumpToLabel(const std::string& label);
    bool markerSearch(const std::string& marker);
    void runBranch(bool condition);
    void twoWayJump(bool condition);
    void runMatch(std::span<const cmd::MatchRow> rows, int count, std::string_view answer, bool exact);
    bool fileExists(std::string_view name) const;
    std::optional<bool> inputCondition(int length, bool exact, cmd::Line list);
    std::optional<bool> choiceCondition(std::string_view left, std::string_view right, int length);
    void quitPressed();
    void runUtilities();

    // answers
    std::string askInput(int width);
    bool askChoice(const std::string& left, const std::string& right, int width);

    // files
    void appendLines(const std::string& name, const std::vector<std::string>& lines);
    std::vector<std::string> readLines(const std::string& name);


    const Project& project_;
    TextScreen& screen_;
    PlayerHost& host_;
    std::shared_ptr<const TutorialSource> source_;
    Operands operands_;
    ColorTable colors_;
    Tracer tracer_;
    PlayObserver* observer_ = nullptr;

    LineBuffer lines_;
    // The first line of each "@J" label text: jumps look their target up here.
    std::unordered_map<std::string, std::size_t> jumpLabels_;
    std::size_t index_ = 0;
    int lastFetched_ = 0;
    std::string lineText_;
    int dataLine_ = 0;  // the line after the command being performed: where the lines it read begin
    std::string chapterFile_;
    std::string translated_, translateError_;  // reused buffers

    std::string titleText_;
    std::string currentPage_, previousPage_, savedPage_, pageBackTarget_;
    bool inBranch_ = false, inQuiz_ = false;
    std::string quizName_;
    std::array<std::string, kReturnStackSize + 1> returnStack_{};  // entries 1..10
    int returnDepth_ = 0;
    bool jumpToFilePending_ = false;
    std::string returnFile_;
    bool rejoinArmed_ = false;
    std::string rejoinFile_, rejoinLabel_, rejoinPage_;
    std::uint32_t titleTextColour_, titleBarColour_;

    PlayEnd end_ = PlayEnd::Finished;
    bool stopRequested_ = false;
    long long steps_ = 0, stepLimit_ = 0;
    int sinceEvents_ = 0;
};

}  // namespace quill
