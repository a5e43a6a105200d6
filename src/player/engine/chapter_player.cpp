#include "engine/chapter_player.h"

#include <algorithm>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>

#include "datafile/color_notation.h"
#include "datafile/data_file.h"
#include "engine/play_observer.h"
#include "host.h"
#include "project/file_names.h"
#include "project/project.h"
#include "project/project_path.h"
#include "project/tutorial_source.h"
#include "project/user_record.h"
#include "screen/text_screen.h"
#include "script/command_operands.h"
#include "script/command_table.h"
#include "script/script_messages.h"
#include "script/line_kind.h"
#include "text/cp1252.h"
#include "text/errors.h"
#include "text/file_lookup.h"
#include "text/text_file.h"
#include "text_codec.h"

namespace quill {

namespace {

constexpr std::size_t kQuizAnswerLength = 70;

char Upper(char c) { return static_cast<char>(UpperCp1252(static_cast<unsigned char>(c))); }

bool EqualsUpper(std::string_view a, std::string_view upperB) {
    if (a.size() != upperB.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Upper(a[i]) != upperB[i]) return false;
    return true;
}

bool IsPageLine(std::string_view line) {
    return line.size() >= 2 && line[0] == '@' && (line[1] == 'P' || line[1] == 'p');
}

Colour ColourOf(std::uint32_t value) { return ColourFromRecord(value); }

}  // namespace

ChapterPlayer::ChapterPlayer(const Project& project, TextScreen& screen, PlayerHost& host)
    : project_(project),
      screen_(screen),
      host_(host),
      source_(SourceOf(project)),
      operands_(*this, project.Config, project.ProjectDir),
      colors_(project.Config),
      titleTextColour_(project.Config.get(cfg::Screen::TitleTextColor)),
      titleBarColour_(project.Config.get(cfg::Screen::TitleBackColor)) {
    if (!project.LearnerDir.empty()) {
        operands_.SetLearnerDir(project.LearnerDir);
        screen_.setLearnerDir(project.LearnerDir);
    }
}

ChapterPlayer::~ChapterPlayer() = default;

// ---- errors and stopping ----------------------------------------------------------------------

void ChapterPlayer::ShowScriptError(const std::string& message) {
    // The first error sticks: a command read whole after a bad operand shows only that one.
    if (operands_.Stopped()) return;
    endBy(PlayEnd::ScriptError);
    host_.showError(FromCp1252(message));
}

void ChapterPlayer::endBy(PlayEnd end) {
    if (end_ == PlayEnd::Finished) end_ = end;
}

void ChapterPlayer::checkHost() {
    if (!host_.stopRequested() && !stopRequested_) return;
    endBy(PlayEnd::Stopped);
    operands_.SetStop(true);
    jumpToFilePending_ = false;
}

// ---- running ----------------------------------------------------------------------------------

std::optional<std::string> ChapterPlayer::FetchNextLine() {
    const auto line = FetchNextLineView();
    if (!line) return std::nullopt;
    return std::string(*line);
}

std::optional<std::string_view> ChapterPlayer::FetchNextLineView() {
    auto line = passLine();
    if (line && observer_) observer_->lineReached(lastFetched_);
    return line;
}

std::optional<std::string_view> ChapterPlayer::passLine() {
    if (index_ >= lines_.size()) return std::nullopt;
    lastFetched_ = static_cast<int>(++index_);
    // Lines run without their trailing blanks.
    return RightTrim(lines_[index_ - 1]);
}

bool ChapterPlayer::loadChapter(const std::string& file) {
    operands_.SetStop(false);
    std::optional<ChapterText> chapter;
    try {
        chapter = source_->LoadChapter(file);
    } catch (const IoError& e) {
        fail(Utf8ToCp1252(e.what()));
        return false;
    }
    if (!chapter) {
        fail(msg::ChapterNotFound(source_->ChapterFileName(file)));
        return false;
    }
    chapterFile_ = std::move(chapter->name);
    lines_ = std::move(chapter->lines);
    // The chapter stays one buffer: lines are trimmed of their trailing blanks when they are read.
    jumpLabels_.clear();
    std::size_t i = 0;
    for (const std::string_view raw : lines_) {
        if (raw.size() >= 2 && raw[0] == '@' && raw[1] == 'J')
            jumpLabels_.emplace(std::string(RightTrim(raw)), i);  // the first one wins
        ++i;
    }
    index_ = 0;
    lastFetched_ = 0;
    if (observer_) observer_->chapterStarted(chapterFile_);
    return true;
}

void ChapterPlayer::resetRunState() {
    returnFile_.clear();
    jumpToFilePending_ = false;
    rejoinArmed_ = false;
    rejoinFile_.clear();
    rejoinLabel_.clear();
    rejoinPage_.clear();
    screen_.setSlowTyping(false);
    operands_.SetStop(false);
    inBranch_ = false;
    inQuiz_ = false;
    titleText_.clear();
}

PlayResult ChapterPlayer::run(std::string_view chapter) {
    end_ = PlayEnd::Finished;
    stopRequested_ = false;
    steps_ = 0;
    sinceEvents_ = 0;
    chapterFile_ = NameOnly(chapter) + ".QKS";
    if (loadChapter(chapterFile_)) {
        screen_.clearScreen(0);
        resetRunState();
        while (!stopped()) {
            auto line = FetchNextLine();
            if (!line) break;
            runFetchedLine(*line);
            if (jumpToFilePending_) switchChapter();
        }
    }
    PlayResult result;
    result.end = end_;
    result.steps = steps_;
    result.chapter = chapterFile_;
    return result;
}

void ChapterPlayer::switchChapter() {
    jumpToFilePending_ = false;
    chapterFile_ = NameOnly(returnFile_) + ".QKS";
    if (!loadChapter(chapterFile_)) return;
    screen_.clearScreen(0);
    resetRunState();
}

bool ChapterPlayer::takeStep() {
    if (stepLimit_ > 0 && steps_ >= stepLimit_) {
        endBy(PlayEnd::StepLimit);
        operands_.SetStop(true);
        jumpToFilePending_ = false;
        return false;
    }
    ++steps_;
    return true;
}

bool ChapterPlayer::repeatStep() {
    if (!takeStep()) return false;
    if (++sinceEvents_ >= kEventInterval) {
        sinceEvents_ = 0;
        host_.processEvents();
    }
    checkHost();
    return !stopped();
}

void ChapterPlayer::runFetchedLine(const std::string& line) {
    if (!takeStep()) return;
    if (tracer_) tracer_(chapterFile_, lastFetched_, line);
    if (++sinceEvents_ >= kEventInterval) {
        sinceEvents_ = 0;
        host_.processEvents();
        checkHost();
        if (stopped()) return;
    }
    try {
        if (!line.empty() && line[0] == '*')
            translateAndExecute(line);
        else {
            lineText_ = line;
            executeLine(line);
        }
    } catch (const IoError& e) {
        fail(Utf8ToCp1252(e.what()));
    } catch (const FormatError& e) {
        fail(Utf8ToCp1252(e.what()));
    }
}

void ChapterPlayer::translateAndExecute(const std::string& line) {
    lineText_ = line;
    operands_.SetLineText(line);
    if (!TranslateCommandLine(line, colors_, translated_, translateError_)) {
        fail(translateError_);
        return;
    }
    if (stopped()) return;
    const std::string translated = translated_;  // the buffer is reused by nested lines
    executeLine(translated);
}

void ChapterPlayer::runAction(const std::string& action) {
    if (action.empty() || stopped()) return;
    runFetchedLine(action);
}

void ChapterPlayer::runRowAction(std::string_view action, int line) {
    if (action.empty() || stopped()) return;
    const int last = lastFetched_;
    const std::size_t index = index_;
    lastFetched_ = line;
    runFetchedLine(std::string(action));
    if (!stopped() && index_ == index && lastFetched_ == line) lastFetched_ = last;
}

void ChapterPlayer::executeLine(const std::string& line) {
    if (line.empty()) {
        screen_.drawPendingLine(line);
        return;
    }
    switch (line[0]) {
        case ';':
            return;
        case '&':
            inBranch_ = !(line.size() > 1 && line[1] == '3');
            return;
        case ':':
            dispatchCommand(line);
            return;
        case '@': {
            const char second = line.size() > 1 ? static_cast<char>(UpperAscii(line.substr(1, 1))[0]) : '\0';
            switch (second) {
                case 'J':
                    if (inBranch_) {
                        fail(msg::JumpInBranch(line));
                        return;
                    }
                    break;  // drawn like display text
                case 'P':
                    if (inBranch_) {
                        fail(msg::PagingInBranch(line));
                        return;
                    }
                    previousPage_ = currentPage_;
                    currentPage_ = NormalizeMarkerLine(line);
                    savedPage_ = currentPage_;
                    return;
                case 'Q':
                    inBranch_ = true;
                    if (inQuiz_) {
                        fail(msg::NestedQuiz(line));
                        return;
                    }
                    quizName_ = line.substr(2);
                    inQuiz_ = true;
                    return;
                case 'C':
                    quizName_.clear();
                    inQuiz_ = false;
                    inBranch_ = false;
                    return;
                case 'F':
                    returnFile_ = NameOnly(std::string_view(line).substr(2));
                    return;
                default:
                    break;
            }
            break;
        }
        default:
            break;
    }
    screen_.drawPendingLine(line);
}

void ChapterPlayer::notValid() { fail(lineText_ + std::string(kNotValidCommand)); }

// Looks the command up in the table, reads it whole and performs it when it read cleanly.
void ChapterPlayer::dispatchCommand(const std::string& translated) {
    operands_.SetOperandText(OperandTextOf(translated));  // `translated` outlives the command
    operands_.SetLineText(lineText_);
    if (translated.size() > 1 && translated[1] == 'J' && inBranch_) {
        fail(msg::JumpInBranch(lineText_));
        return;
    }
    const CommandSpec* row = FindCode(translated);
    if (!row) {
        if (!IgnoredCode(translated)) notValid();
        return;
    }
    dataLine_ = lastFetched_ + 1;
    CommandReader reader(operands_, *this);  // the operand routines' folder rule, the chapter's lines
    const CommandValue value = ParseCommand(*row, reader);
    if (stopped()) return;
    std::visit([this](const auto& command) { act(command); }, value);
}

// ---- frame, bar colours and legends -----------------------------------------------------------

void ChapterPlayer::act(const cmd::ClearScreen& c) { screen_.clearScreen(c.code); }
void ChapterPlayer::act(const cmd::Wait&) { waitForButton(); }
void ChapterPlayer::act(const cmd::Exit&) {
    endBy(PlayEnd::Exited);
    operands_.SetStop(true);
}
void ChapterPlayer::act(const cmd::Title& c) {
    if (c.text) titleText_ = std::string(*c.text);
    screen_.showTitle(titleText_, ColourOf(titleTextColour_), ColourOf(titleBarColour_));
}
void ChapterPlayer::act(const cmd::Controls& c) {
    const TTutorialConfig& config = project_.Config;
    auto has = [&](char letter) { return c.letters.find(letter) != std::string_view::npos; };
    ControlBar& bar = screen_.controlBar();
    bar.shown[static_cast<int>(ControlButton::Continue)] = has('C');
    bar.shown[static_cast<int>(ControlButton::Quit)] = has('Q') || !has('C');
    bar.shown[static_cast<int>(ControlButton::Help)] = has('H') && config.get(cfg::Program::HelpOn) != 0;
    bar.shown[static_cast<int>(ControlButton::PageBack)] = has('P');
    bar.shown[static_cast<int>(ControlButton::Utilities)] = has('U') && config.get(cfg::UtilitiesOn) != 0;
}
void ChapterPlayer::act(const cmd::Execute& c) {
    if (c.name.empty()) return;
    const std::string name(c.name);
    const PenState saved = screen_.penState();
    if (!host_.performEntry(EntrySource::Execute, FromCp1252(name))) host_.showInfo(FromCp1252(msg::ExecutableNotDefined(name)));
    screen_.restoreFontAndBrush(saved);
    checkHost();
}

void ChapterPlayer::act(const cmd::BarColour& c) {
    switch (c.which) {
        case 'B': titleBarColour_ = c.colour; break;
        case 'T': titleTextColour_ = c.colour; break;
        default: screen_.controlBar().colour = ColourOf(c.colour); break;
    }
}
void ChapterPlayer::act(const cmd::HypertextColor& c) { screen_.setLinkColours(ColourOf(c.text), ColourOf(c.back)); }
void ChapterPlayer::act(const cmd::ControlButtonTag& c) {
    ControlButton button = ControlButton::Continue;
    switch (c.button) {
        case 'H': button = ControlButton::Help; break;
        case 'P': button = ControlButton::PageBack; break;
        case 'Q': button = ControlButton::Quit; break;
        case 'U': button = ControlButton::Utilities; break;
        default: break;
    }
    screen_.controlBar().legends[static_cast<std::size_t>(button)] = FromCp1252(c.legend.substr(0, kLegendLength));
}
void ChapterPlayer::act(const cmd::NotePad& c) {
    host_.openNotes(operands_.FilePath(c.name), FromCp1252("Current File : " + std::string(c.name)));
    checkHost();
}

// ---- waiting for a button, page back ----------------------------------------------------------

void ChapterPlayer::waitForButton() {
    const PenState saved = screen_.penState();
    ControlBar& bar = screen_.controlBar();
    bar.visible = true;
    ControlButton pressed = ControlButton::Quit;
    for (;;) {
        pressed = host_.waitForButton();
        if (host_.stopRequested() || stopRequested_) {
            pressed = ControlButton::Quit;
            break;
        }
        if (pressed == ControlButton::Help) {
            host_.showHelp(FromCp1252(project_.Config.get(cfg::Program::HelpFile)),
                           project_.Config.get(cfg::Program::HelpTopic));
            continue;
        }
        if (pressed == ControlButton::Utilities) {
            runUtilities();
            if (host_.stopRequested() || stopRequested_) {
                pressed = ControlButton::Quit;
                break;
            }
            continue;
        }
        break;
    }
    bar.visible = false;
    screen_.restoreFontAndBrush(saved);
    switch (pressed) {
        case ControlButton::Quit:
            quitPressed();
            break;
        case ControlButton::PageBack:
            if (!pageBackTarget_.empty()) {
                previousPage_ = pageBackTarget_;
                pageBackTarget_.clear();
            }
            pageBack();
            break;
        default:
            break;
    }
    checkHost();
}

void ChapterPlayer::quitPressed() {
    if (rejoinArmed_) {
        const auto file = operands_.WritePath(rejoinFile_);
        operands_.FolderOf(file).ReplaceLines(file, {savedPage_});
    }
    inBranch_ = false;
    inQuiz_ = false;
    operands_.SetStop(true);
    if (!returnFile_.empty()) {
        jumpToFilePending_ = true;
        operands_.SetStop(false);
    } else {
        endBy(PlayEnd::Quit);
    }
}

void ChapterPlayer::hypertextClicked(const Text& word) {
    if (observer_) observer_->wordFollowed(word);
    if (!host_.performEntry(EntrySource::Hyper, word))
        host_.showInfo(Lit("The \"") + word + Lit("\" HyperText Link has not been defined "));
}

void ChapterPlayer::runUtilities() {
    TextLines names;
    source_->ListEntryNames(names, kSourceUtility);
    if (names.empty()) return;
    std::string name;
    if (names.size() == 1) {
        name = names[0];
    } else {
        TextList shown;
        for (const auto& n : names) shown.push_back(FromCp1252(n));
        const auto chosen = host_.chooseUtility(shown);
        if (!chosen || *chosen < 0 || *chosen >= static_cast<int>(names.size())) return;
        name = names[static_cast<std::size_t>(*chosen)];
    }
    if (!host_.performEntry(EntrySource::Utility, FromCp1252(name)))
        host_.showInfo(FromCp1252("The \"" + name + "\" Utility has not been defined "));
}

void ChapterPlayer::pageBack() {
    index_ = 0;
    lastFetched_ = 0;
    if (previousPage_.empty()) return;
    const std::string wanted = UpperCaseCp1252(previousPage_);
    currentPage_.clear();
    previousPage_.clear();
    std::string before;
    // The last line is never examined: a page label there cannot be paged to.
    for (std::size_t i = 0; i + 1 < lines_.size(); ++i) {
        const std::string_view l = RightTrim(lines_[i]);
        if (!IsPageLine(l)) continue;
        if (EqualsUpper(l, wanted)) {
            currentPage_ = NormalizeMarkerLine(l);
            savedPage_ = currentPage_;
            previousPage_ = before;
            index_ = i + 1;
            lastFetched_ = static_cast<int>(index_);
            return;
        }
        before = NormalizeMarkerLine(l);
    }
}

// ---- jumps --------------------------------------------------------------------------------------

void ChapterPlayer::jumpToLabel(const std::string& label) {
    const std::string target = "@J" + label;
    const auto found = jumpLabels_.find(target);
    if (found != jumpLabels_.end()) {
        index_ = found->second + 1;
        lastFetched_ = static_cast<int>(index_);
        return;
    }
    index_ = lines_.size();
    fail(msg::MarkerMissing(target));
}

bool ChapterPlayer::markerSearch(const std::string& marker) {
    const std::string wanted = UpperCaseCp1252(marker);
    for (std::size_t i = index_; i < lines_.size(); ++i) {
        if (EqualsUpper(RightTrim(lines_[i]), wanted)) {
            index_ = i + 1;
            lastFetched_ = static_cast<int>(index_);
            return true;
        }
    }
    index_ = lines_.size();
    fail(msg::MarkerMissing(marker));
    inBranch_ = false;
    return false;
}

void ChapterPlayer::twoWayJump(bool condition) {
    if (!condition) passLine();
    if (auto action = FetchNextLine()) runAction(*action);
}

// ---- branches ---------------------------------------------------------------------------------

void ChapterPlayer::runBranch(bool condition) {
    inBranch_ = true;
    auto skipTo = [this](std::string_view marker) {
        while (auto line = passLine())
            if (*line == marker) {
                if (observer_ && marker != "&3") observer_->sectionEntered(lastFetched_);
                return true;
            }
        return false;
    };
    // Runs lines up to the end marker; false when the run stopped or the marker is missing.
    auto runSection = [this](std::string_view end) {
        for (;;) {
            auto line = FetchNextLine();
            if (!line) {
                fail(msg::SectionMarkerMissing(end));
                return false;
            }
            if (*line == end) return true;
            runFetchedLine(*line);
            if (stopped()) {
                inBranch_ = false;
                return false;
            }
        }
    };
    if (condition) {
        if (!skipTo("&1")) {
            fail(msg::SectionMarkerMissing("&1"));
            return;
        }
        if (!runSection("&2")) return;
        if (!skipTo("&3")) {
            fail(msg::SectionMarkerMissing("&3"));
            return;
        }
    } else {
        if (!skipTo("&2")) {
            fail(msg::SectionMarkerMissing("&2"));
            return;
        }
        if (!runSection("&3")) return;
    }
    inBranch_ = false;
}

// ---- answers ----------------------------------------------------------------------------------

std::string ChapterPlayer::askInput(int width) {
    const PenState saved = screen_.penState();
    screen_.showInputBox(width);
    const Text typed = host_.askInput();
    screen_.hideInputBox();
    checkHost();
    const std::string text = ToCp1252(typed).substr(0, UserRecord::SlotCapacity);
    screen_.restoreFontAndBrush(saved);
    screen_.drawText(screen_.column(), screen_.row(), text);
    screen_.restoreFontAndBrush(saved);
    return text;
}

bool ChapterPlayer::askChoice(const std::string& left, const std::string& right, int width) {
    const PenState saved = screen_.penState();
    screen_.showChoice(FromCp1252(left), FromCp1252(right), width);
    const bool choice = host_.askChoice();
    screen_.disableChoice();
    screen_.restoreFontAndBrush(saved);
    checkHost();
    return choice;
}

// ---- files ------------------------------------------------------------------------------------

std::vector<std::string> ChapterPlayer::readLines(const std::string& name) {
    const auto file = operands_.FilePath(name);
    return operands_.FolderOf(file).ReadLines(file);
}

void ChapterPlayer::appendLines(const std::string& name, const std::vector<std::string>& lines) {
    const auto file = operands_.WritePath(name);
    // Through the folder: a link in the last part is refused, a pipe is refused without waiting.
    operands_.FolderOf(file).Append(file, JoinLinesCrLf(lines));
}

// ---- jumps ------------------------------------------------------------------------------------

void ChapterPlayer::act(const cmd::JumpToLabel& c) { jumpToLabel(std::string(c.label)); }
void ChapterPlayer::act(const cmd::JumpAndReturn& c) {
    if (returnDepth_ >= kReturnStackSize) {
        fail(msg::ReturnTooDeep(lineText_));
        return;
    }
    ++returnDepth_;
    returnStack_[static_cast<std::size_t>(returnDepth_)] = std::string(c.back.substr(0, kReturnLabelLength));
    jumpToLabel(std::string(c.label));
}
void ChapterPlayer::act(const cmd::Return&) {
    if (returnDepth_ < 1 || returnStack_[static_cast<std::size_t>(returnDepth_)].empty()) {
        fail(msg::ReturnLabelMissing());
        return;
    }
    const std::string label = returnStack_[static_cast<std::size_t>(returnDepth_)];
    --returnDepth_;
    jumpToLabel(label);
}
void ChapterPlayer::act(const cmd::JumpToFile& c) {
    returnFile_ = NameOnly(c.name);
    jumpToFilePending_ = true;
}
void ChapterPlayer::act(const cmd::PageBackTo& c) { pageBackTarget_ = std::string(c.label); }
void ChapterPlayer::act(const cmd::ChangePageLabel& c) { savedPage_ = "@P" + std::string(c.label); }
void ChapterPlayer::act(const cmd::ClearPageLabel&) { savedPage_.clear(); }
void ChapterPlayer::act(const cmd::RejoinChapter& c) {
    rejoinArmed_ = true;
    rejoinFile_ = std::string(c.file);
    rejoinLabel_ = std::string(c.label);
    if (rejoinFile_.empty() || !operands_.FileExists(rejoinFile_)) return;
    const auto lines = readLines(rejoinFile_);
    rejoinPage_ = lines.empty() ? std::string() : std::string(RightTrim(lines[0]));
    if (!rejoinPage_.empty()) jumpToLabel(rejoinLabel_);
}
void ChapterPlayer::act(const cmd::RejoinPage&) {
    if (rejoinPage_.empty()) return;
    previousPage_ = rejoinPage_;
    pageBack();
}

// The conditions the jump and branch commands share. Each is empty when the run stopped while
// it was asked or tested (a script error, the window closed), so nothing is run on it.
bool ChapterPlayer::fileExists(std::string_view name) const { return !name.empty() && operands_.FileExists(name); }

std::optional<bool> ChapterPlayer::inputCondition(int length, bool exact, cmd::Line list) {
    const std::string answer = askInput(length);
    if (stopped()) return std::nullopt;
    const bool match = operands_.MatchListTest(answer, exact, list);
    if (stopped()) return std::nullopt;
    return match;
}

std::optional<bool> ChapterPlayer::choiceCondition(std::string_view left, std::string_view right, int length) {
    const bool choice = askChoice(std::string(left), std::string(right), length);
    if (stopped()) return std::nullopt;
    return choice;
}

void ChapterPlayer::act(const cmd::JumpOnFileExists& c) { twoWayJump(fileExists(c.name)); }
void ChapterPlayer::act(const cmd::JumpOnFileInput& c) {
    std::string text;
    operands_.FirstLineOf(c.name, text);
    const bool match = operands_.MatchListTest(text, c.exact, c.list);
    if (stopped()) return;
    twoWayJump(match);
}
void ChapterPlayer::act(const cmd::JumpOnInput& c) {
    if (auto match = inputCondition(c.length, c.exact, c.list)) twoWayJump(*match);
}
void ChapterPlayer::act(const cmd::JumpOnButton& c) {
    if (auto choice = choiceCondition(c.left, c.right, c.length)) twoWayJump(*choice);
}
void ChapterPlayer::act(const cmd::JumpOnMatch& c) {
    const std::string answer = askInput(c.length);
    if (stopped()) return;
    runMatch(c.rows, c.count, answer, c.exact);
}
void ChapterPlayer::act(const cmd::JumpOnFileMatch& c) {
    std::string answer;
    if (operands_.FileExists(c.name)) {
        const auto lines = readLines(std::string(c.name));
        if (!lines.empty()) answer = lines[0];
    }
    runMatch(c.rows, c.count, answer, c.exact);
}
// The action of a match table that the answer chooses.
void ChapterPlayer::runMatch(std::span<const cmd::MatchRow> rows, int count, std::string_view answer, bool exact) {
    const int first = dataLine_;
    const int picked = Operands::ChosenSlot(count, answer, exact, [&](int k) { return rows[static_cast<std::size_t>(k)].match; });
    if (observer_) observer_->entryPicked(PickList::MatchList, first, count + 1, picked);
    if (picked >= 0 && static_cast<std::size_t>(picked) < rows.size())
        runRowAction(rows[static_cast<std::size_t>(picked)].action, first + picked);
}
void ChapterPlayer::act(const cmd::BoxMenu& c) {
    if (c.count < 1) return;
    const int first = dataLine_;
    TextList items;
    for (int k = 0; k < c.count; ++k) items.push_back(FromCp1252(c.rows[static_cast<std::size_t>(k)].match));
    const PenState saved = screen_.penState();
    screen_.showListMenu(c.c1, c.r1, c.c2, c.r2, items);
    const int chosen = host_.askList();
    screen_.hideListMenu();
    screen_.restoreFontAndBrush(saved);
    checkHost();
    if (observer_) observer_->entryPicked(PickList::ListMenu, first, c.count, stopped() ? -1 : chosen);
    if (stopped() || chosen < 0 || chosen >= c.count) return;
    runRowAction(c.rows[static_cast<std::size_t>(chosen)].action, first + chosen);
}
void ChapterPlayer::act(const cmd::ButtonMenu& c) {
    if (c.buttons.empty()) return;
    const int first = dataLine_;
    std::vector<TextScreen::MenuButtonPlace> buttons;
    for (const cmd::MenuButton& b : c.buttons) {
        TextScreen::MenuButtonPlace place;
        place.left = TextScreen::ColumnToX(b.column);
        place.top = TextScreen::RowToY(b.row);
        place.width = (b.end - b.column + 1) * TextScreen::kCellWidth;
        place.caption = FromCp1252(b.caption);
        buttons.push_back(place);
    }
    const PenState saved = screen_.penState();
    screen_.addMenuButtons(buttons);
    const int pressed = host_.askMenuButton();
    screen_.restoreFontAndBrush(saved);
    checkHost();
    if (observer_)
        observer_->entryPicked(PickList::ButtonMenu, first, static_cast<int>(c.buttons.size()), stopped() ? -1 : pressed - 1);
    if (stopped() || pressed < 1 || pressed > static_cast<int>(c.buttons.size())) return;
    runRowAction(c.buttons[static_cast<std::size_t>(pressed - 1)].action, first + pressed - 1);
}

// ---- branches ---------------------------------------------------------------------------------

void ChapterPlayer::act(const cmd::BranchOnFileExists& c) { runBranch(fileExists(c.name)); }
void ChapterPlayer::act(const cmd::BranchOnFileInput& c) {
    std::string text;
    if (!operands_.FirstLineOf(c.name, text)) {
        // An unreadable file skips the whole branch without a message.
        if (!(c.list && *c.list == "&3"))
            while (auto line = passLine())
                if (*line == "&3") break;
        inBranch_ = false;
        return;
    }
    const bool match = operands_.MatchListTest(text, c.exact, c.list);
    if (stopped()) return;
    runBranch(match);
}
void ChapterPlayer::act(const cmd::BranchOnInput& c) {
    if (auto match = inputCondition(c.length, c.exact, c.list)) runBranch(*match);
}
void ChapterPlayer::act(const cmd::BranchOnButton& c) {
    if (auto choice = choiceCondition(c.left, c.right, c.length)) runBranch(*choice);
}

// ---- quizzes and answers ----------------------------------------------------------------------

void ChapterPlayer::act(const cmd::ReturnToQuiz&) {
    index_ = 0;
    markerSearch("@Q" + quizName_);
}
void ChapterPlayer::act(const cmd::ExitQuiz&) {
    markerSearch("@C" + quizName_);
    inBranch_ = false;
    inQuiz_ = false;
    quizName_.clear();
}

void ChapterPlayer::act(const cmd::QuizAnswers& c) {
    const int count = c.count;
    quizName_ = std::string(c.name);
    const int first = dataLine_;
    TextList texts;
    for (const std::string_view text : c.texts) texts.push_back(FromCp1252(text.substr(0, kQuizAnswerLength)));
    const PenState saved = screen_.penState();
    const bool panels = count >= 2 && count <= 4;
    if (panels) screen_.showQuizAnswers(c.row, texts);
    int answer = 0;
    while (answer == 0) {
        const QuizReply reply = host_.askQuizAnswer();
        checkHost();
        if (stopped()) break;
        if (reply.answer >= 1) {
            if (panels && reply.answer <= count) answer = reply.answer;
            continue;
        }
        switch (UpperCode(reply.key)) {
            case u'A': answer = 1; break;
            case u'B': answer = 2; break;
            case u'C': answer = count >= 3 ? 3 : 0; break;
            case u'D': answer = count == 4 ? 4 : 0; break;
            default: break;
        }
    }
    screen_.hideQuizAnswers();
    screen_.restoreFontAndBrush(saved);
    if (observer_) observer_->answerChosen(first, static_cast<int>(texts.size()), answer);
    if (answer > 0) markerSearch("@" + std::to_string(answer) + quizName_);
}

void ChapterPlayer::act(const cmd::GetUserInput& c) {
    const std::string text = askInput(c.width);
    if (stopped()) return;
    const ProjectPath user = ResolveInProject(project_.ProjectDir, kUserFileName);
    if (!user.inside) {
        fail("The filename " + std::string(kUserFileName) + " in " + lineText_ + std::string(kOutsideFolder));
        return;
    }
    UserRecord record = ReadUserRecord(operands_.FilePath(kUserFileName)).value_or(UserRecord{});
    record.setSlot(c.slot, text);
    WriteUserRecord(operands_.WritePath(kUserFileName), record);
}

void ChapterPlayer::act(const cmd::QuickQuestion& c) {
    const int column = screen_.column(), row = screen_.row();
    const std::string answer = askInput(c.length);  // drawn at the remembered place
    if (stopped()) return;
    const bool match = operands_.MatchListTest(answer, c.exact, c.list);
    if (stopped()) return;
    if (!c.yes || c.yes->empty() || !c.no || c.no->empty()) return;
    screen_.drawText(column, row + 1, std::string(match ? *c.yes : *c.no));
}

void ChapterPlayer::act(const cmd::FillInAnswer& c) {
    const int column = c.column, row = c.row, tries = c.tries;
    const std::string answer(c.answer);
    const PenState saved = screen_.penState();
    screen_.restoreFontAndBrush(PenState{kStyleBold, ColourOf(c.colour), saved.brush});
    std::string mask = answer;
    for (char& ch : mask) ch = ch == ' ' ? ' ' : '-';
    screen_.drawPlain(column, row, mask);
    for (std::size_t i = 0; i < answer.size(); ++i) {
        const char ch = answer[i];
        if (ch != ' ') {
            const char32_t wanted = UpperCode(FirstChar(FromCp1252(std::string_view(&ch, 1))));
            for (int count = 0;;) {
                const KeyPress key = host_.waitForKey();
                checkHost();
                if (stopped()) {
                    screen_.restoreFontAndBrush(saved);
                    return;
                }
                ++count;
                if (count == tries) break;
                if (!key.click && UpperCode(key.key) == wanted) break;
            }
        }
        screen_.drawPlain(column + static_cast<int>(i), row, std::string_view(&ch, 1));
    }
    screen_.restoreFontAndBrush(saved);
}

// ---- files ------------------------------------------------------------------------------------

void ChapterPlayer::act(const cmd::DeleteFile& c) {
    if (!fileExists(c.name)) return;
    const auto file = operands_.FilePath(c.name);
    try {
        operands_.FolderOf(file).Remove(file);
    } catch (const IoError&) {
        // As before: a file that cannot be deleted is left, and the chapter goes on.
    }
}
void ChapterPlayer::act(const cmd::CopyFile& c) {
    if (!fileExists(c.source)) return;
    // The target is looked at only when there is something to copy.
    if (operands_.FileNameGiven(c.target) || operands_.FileNameValid(c.target)) return;
    const auto lines = readLines(std::string(c.source));
    if (!lines.empty()) appendLines(std::string(c.target), lines);
}
void ChapterPlayer::act(const cmd::PrintFile& c) {
    if (operands_.FileMustExist(c.name)) return;
    TextList shown;
    for (const auto& l : readLines(std::string(c.name))) shown.push_back(FromCp1252(l));
    screen_.printLines(shown, FromCp1252(c.heading));
    checkHost();
}
void ChapterPlayer::act(const cmd::AddToFile& c) { appendLines(std::string(c.name), {std::string(c.text)}); }
void ChapterPlayer::act(const cmd::DisplayFile& c) {
    if (!operands_.FileExists(c.name)) return;
    // Each line drawn counts as a step: a file of millions of lines is a repeated drawing like a
    // blink, bounded by the step limit and stopped by the host.
    for (const auto& l : readLines(std::string(c.name))) {
        if (!repeatStep()) return;
        screen_.drawPendingLine(l);
    }
}
void ChapterPlayer::act(const cmd::InputToFile& c) {
    const std::string name(c.name);
    const std::string text = askInput(c.width);
    if (stopped()) return;
    appendLines(name, {text});
}
void ChapterPlayer::act(const cmd::Memo& c) {
    const std::string name(c.name);
    const PenState saved = screen_.penState();
    if (c.display) {
        if (!operands_.FileExists(name)) return;
        TextList shown;
        for (const auto& l : readLines(name)) shown.push_back(FromCp1252(l));
        screen_.showMemo(c.width, c.depth, shown, true);
        return;
    }
    screen_.showMemo(c.width, c.depth, {}, false);
    const TextList typed = host_.askMemo();
    screen_.hideMemo(false);
    checkHost();
    if (stopped()) return;
    std::vector<std::string> lines;
    for (const Text& l : typed) lines.push_back(ToCp1252(l));
    appendLines(name, lines);
    screen_.restoreFontAndBrush(saved);
    for (const auto& l : lines) screen_.drawPendingLine(l);
    screen_.restoreFontAndBrush(saved);
}

// ---- screen commands --------------------------------------------------------------------------

void ChapterPlayer::act(const cmd::Position& c) {
    if (c.at.column) screen_.setColumn(*c.at.column);
    if (c.at.row) screen_.setRow(*c.at.row);
}
void ChapterPlayer::act(const cmd::Delay& c) {
    const PenState saved = screen_.penState();
    host_.waitDelay(TenthsToMs(c.tenths));
    screen_.restoreFontAndBrush(saved);
    checkHost();
}
void ChapterPlayer::act(const cmd::Pause&) {
    const PenState saved = screen_.penState();
    host_.waitForKey();
    screen_.restoreFontAndBrush(saved);
    checkHost();
}
void ChapterPlayer::act(const cmd::Heading& c) {
    if (auto error = screen_.heading(c.name, c.column, c.row, c.end, c.text, lineText_)) fail(*error);
}
void ChapterPlayer::act(const cmd::WindowText& c) {
    const std::string name(c.name);
    std::string colour;
    TextLines lines;
    source_->LoadWindowText(name, colour, lines);
    if (lines.empty()) {
        fail(msg::WindowTextNotFound(name));
        return;
    }
    const Colour back = ColourOf(StringToColor(colour).value_or(project_.Config.get(cfg::Screen::ScreenBackColor)));
    screen_.showRichText(c.c1, c.r1, c.c2, c.r2, back, std::move(lines));
}
void ChapterPlayer::act(const cmd::Blink& c) {
    screen_.blink(c.column, c.row, c.count, ColourOf(c.text), ColourOf(c.back), c.words, [this] { return repeatStep(); });
    checkHost();
}
void ChapterPlayer::act(const cmd::CenterText& c) {
    screen_.centreText(c.column, c.row, c.end, ColourOf(c.text), ColourOf(c.back), c.words);
}
void ChapterPlayer::act(const cmd::DrawLine& c) {
    screen_.drawLine(c.vertical, c.line.column, c.line.row, c.line.end, c.line.width, ColourOf(c.line.colour));
}

void ChapterPlayer::act(const cmd::Box& c) {
    BoxKind kind = BoxKind::Plain;
    switch (c.letter) {
        case 'R': case 'C': kind = BoxKind::Rounded; break;
        case 'S': case 'U': kind = BoxKind::Border; break;
        case 'F': case 'T': kind = BoxKind::RoundedBorder; break;
        default: break;
    }
    const BoxOperands& box = c.box;
    const Colour borderColour = box.borderColour ? ColourOf(*box.borderColour) : Colour(0, 0, 0);
    const Colour fill = ColourOf(box.fill);
    if (!box.popup) {
        screen_.drawBox(kind, box.c1, box.r1, box.c2, box.r2, fill, box.borderWidth, borderColour);
        return;
    }
    std::vector<std::string> lines(c.lines.begin(), c.lines.end());
    screen_.popup(kind, box.c1, box.r1, box.c2, box.r2, lines, fill, box.tenths, box.borderWidth, borderColour);
    checkHost();
}

void ChapterPlayer::act(const cmd::Section& c) {
    const SectionOperands& o = c.at;
    switch (c.letter) {
        case 'R': screen_.clearRow(o.c1, o.r1, o.c2, ColourOf(o.colour)); break;
        case 'S': screen_.clearSection(o.c1, o.r1, o.c2, o.r2, ColourOf(o.colour)); break;
        case 'C': screen_.copySection(o.c1, o.r1, o.c2, o.r2, o.column, o.row); break;
        default: screen_.moveSection(o.c1, o.r1, o.c2, o.r2, o.column, o.row, ColourOf(o.colour)); break;
    }
}

void ChapterPlayer::act(const cmd::ScreenImage& c) {
    screen_.showScreenImage(c.name);
    checkHost();
}
void ChapterPlayer::act(const cmd::ShowImage& c) {
    screen_.showImage(c.column, c.row, c.end, c.name);
    checkHost();
}
void ChapterPlayer::act(const cmd::ImageLabel& c) {
    screen_.imageLabel(c.column, c.row, c.end, ColourOf(c.text), ColourOf(c.back), c.words);
}
void ChapterPlayer::act(const cmd::ImageHypertext& c) {
    screen_.imageHypertext(c.column, c.row, ColourOf(c.text), ColourOf(c.back), c.words);
}

}  // namespace quill
