#include "engine/chapter_player.h"

#include <QStringList>
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
#include "script/line_kind.h"
#include "text/cp1252.h"
#include "text/errors.h"
#include "text/file_lookup.h"
#include "text/text_file.h"
#include "text_codec.h"

namespace quill {

namespace {

constexpr std::size_t kQuizAnswerLength = 70;
constexpr std::size_t kMenuActionLength = 60;
constexpr int kMaxMenuButtons = 30;
constexpr int kDefaultPopupTenths = 600;

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

QColor Colour(std::uint32_t value) { return ColourFromRecord(value); }

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
    auto line = passLine();
    if (line && observer_) observer_->lineReached(lastFetched_);
    return line;
}

std::optional<std::string> ChapterPlayer::passLine() {
    if (index_ >= lines_.size()) return std::nullopt;
    lastFetched_ = static_cast<int>(++index_);
    // Lines run without their trailing blanks.
    return std::string(RightTrim(lines_[index_ - 1]));
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
        fail(source_->ChapterFileName(file) + " was not found");
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
                        fail("Jump Commands are not allowed within branches.\r\n" + line + " is invalid.");
                        return;
                    }
                    break;  // drawn like display text
                case 'P':
                    if (inBranch_) {
                        fail("Paging Back is not allowed within branches.\r\n" + line + " is invalid.");
                        return;
                    }
                    previousPage_ = currentPage_;
                    currentPage_ = NormalizeMarkerLine(line);
                    savedPage_ = currentPage_;
                    return;
                case 'Q':
                    inBranch_ = true;
                    if (inQuiz_) {
                        fail("Branching Quizzes cannot be nested within each other.\r\n" + line + " is invalid.");
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

void ChapterPlayer::dispatchCommand(const std::string& translated) {
    const char group = translated.size() > 1 ? translated[1] : '\0';
    const char letter = translated.size() > 2 ? translated[2] : '\0';
    const auto comma = translated.find(',');
    operands_.SetOperandText(comma == std::string::npos ? std::string_view()
                                                        : std::string_view(translated).substr(comma + 1));
    operands_.SetLineText(lineText_);
    switch (group) {
        case 'B': boxes(letter); break;
        case 'D': barColours(letter); break;
        case 'E': sections(letter); break;
        case 'F': frame(letter); break;
        case 'I': images(letter); break;
        case 'J':
            if (inBranch_) {
                fail("Jump Commands are not allowed within branches.\r\n" + lineText_ + " is invalid.");
                return;
            }
            jumps(letter);
            break;
        case 'L': branches(letter); break;
        case 'Q': quizzes(letter); break;
        case 'R': files(letter); break;
        case 'S': screenCommands(letter); break;
        case 'X':
            endBy(PlayEnd::Exited);
            operands_.SetStop(true);
            break;
        default: notValid(); break;
    }
}

// ---- frame, bar colours and legends -----------------------------------------------------------

void ChapterPlayer::frame(char letter) {
    const TTutorialConfig& config = project_.Config;
    switch (letter) {
        case 'E': {
            const int code = operands_.OperandTextEmpty() ? 0 : operands_.NextNumber();
            if (stopped()) return;
            screen_.clearScreen(code);
            break;
        }
        case 'T':
            if (!operands_.OperandTextEmpty()) titleText_ = std::string(operands_.OperandText());
            screen_.showTitle(titleText_, Colour(titleTextColour_), Colour(titleBarColour_));
            break;
        case 'B': {
            const std::string_view letters = operands_.OperandText();
            auto has = [&](char c) { return letters.find(c) != std::string_view::npos; };
            ControlBar& bar = screen_.controlBar();
            bar.shown[static_cast<int>(ControlButton::Continue)] = has('C');
            bar.shown[static_cast<int>(ControlButton::Quit)] = has('Q') || !has('C');
            bar.shown[static_cast<int>(ControlButton::Help)] = has('H') && config.get(cfg::Program::HelpOn) != 0;
            bar.shown[static_cast<int>(ControlButton::PageBack)] = has('P');
            bar.shown[static_cast<int>(ControlButton::Utilities)] = has('U') && config.get(cfg::UtilitiesOn) != 0;
            break;
        }
        case 'W':
            waitForButton();
            break;
        case 'X': {
            const std::string name(operands_.OperandText());
            if (name.empty()) break;
            const PenState saved = screen_.penState();
            if (!host_.performEntry(EntrySource::Execute, FromCp1252(name)))
                host_.showInfo(FromCp1252("The \"" + name + "\" Executable has not been defined "));
            screen_.restoreFontAndBrush(saved);
            checkHost();
            break;
        }
        default: notValid(); break;
    }
}

void ChapterPlayer::barColours(char letter) {
    switch (letter) {
        case 'B': titleBarColour_ = operands_.NextColour(true); break;
        case 'T': titleTextColour_ = operands_.NextColour(true); break;
        case 'P': {
            const std::uint32_t c = operands_.NextColour(true);
            if (!stopped()) screen_.controlBar().colour = Colour(c);
            break;
        }
        case 'H': {
            const std::uint32_t text = operands_.NextColour(true);
            const std::uint32_t back = operands_.NextColour(false);
            if (!stopped()) screen_.setLinkColours(Colour(text), Colour(back));
            break;
        }
        case 'C': {
            const std::string_view op = operands_.OperandText();
            const char which = op.empty() ? '\0' : op[0];
            int index;
            switch (which) {
                case 'C': index = static_cast<int>(ControlButton::Continue); break;
                case 'H': index = static_cast<int>(ControlButton::Help); break;
                case 'P': index = static_cast<int>(ControlButton::PageBack); break;
                case 'Q': index = static_cast<int>(ControlButton::Quit); break;
                case 'U': index = static_cast<int>(ControlButton::Utilities); break;
                default: notValid(); return;
            }
            const auto comma = op.find(',');
            const std::string_view legend = comma == std::string_view::npos ? std::string_view() : op.substr(comma + 1);
            screen_.controlBar().legends[static_cast<std::size_t>(index)] =
                FromCp1252(legend.substr(0, kLegendLength));
            break;
        }
        case 'N': {
            const std::string name(operands_.OperandText());
            if (operands_.FileNameGiven(name) || outside(name)) return;
            host_.openNotes(operands_.FilePath(name), FromCp1252("Current File : " + name));
            checkHost();
            break;
        }
        default: notValid(); break;
    }
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

void ChapterPlayer::hypertextClicked(const QString& word) {
    if (observer_) observer_->wordFollowed(word);
    if (!host_.performEntry(EntrySource::Hyper, word))
        host_.showInfo(QStringLiteral("The \"") + word + QStringLiteral("\" HyperText Link has not been defined "));
}

void ChapterPlayer::runUtilities() {
    TextLines names;
    source_->ListEntryNames(names, kSourceUtility);
    if (names.empty()) return;
    std::string name;
    if (names.size() == 1) {
        name = names[0];
    } else {
        QStringList shown;
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
    fail("The Marker " + target + " is missing.");
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
    fail("The Marker " + marker + " is missing.");
    inBranch_ = false;
    return false;
}

void ChapterPlayer::jumps(char letter) {
    switch (letter) {
        case 'J':
            jumpToLabel(std::string(operands_.OperandText()));
            break;
        case 'K': {
            const std::string op(operands_.OperandText());
            const auto comma = op.find(',');
            if (comma == std::string::npos) {
                fail("A label is missing from " + lineText_);
                return;
            }
            if (returnDepth_ >= kReturnStackSize) {
                fail("Jump and Return commands cannot be nested more than 10 deep.\r\n" + lineText_ + " is invalid.");
                return;
            }
            ++returnDepth_;
            returnStack_[static_cast<std::size_t>(returnDepth_)] = op.substr(comma + 1, kReturnLabelLength);
            jumpToLabel(op.substr(0, comma));
            break;
        }
        case 'S': {
            if (returnDepth_ < 1 || returnStack_[static_cast<std::size_t>(returnDepth_)].empty()) {
                fail("One of the Return labels is missing.");
                return;
            }
            const std::string label = returnStack_[static_cast<std::size_t>(returnDepth_)];
            --returnDepth_;
            jumpToLabel(label);
            break;
        }
        case 'N':
            returnFile_ = NameOnly(operands_.OperandText());
            jumpToFilePending_ = true;
            break;
        case 'P': pageBackTarget_ = std::string(operands_.OperandText()); break;
        case 'O': savedPage_ = "@P" + std::string(operands_.OperandText()); break;
        case 'Z': savedPage_.clear(); break;
        case 'R': {
            rejoinArmed_ = true;
            rejoinFile_ = operands_.NextField();
            rejoinLabel_ = std::string(operands_.OperandText());
            if (outside(rejoinFile_)) {
                rejoinArmed_ = false;
                return;
            }
            if (rejoinFile_.empty() || !operands_.FileExists(rejoinFile_)) break;
            const auto lines = readLines(rejoinFile_);
            rejoinPage_ = lines.empty() ? std::string() : std::string(RightTrim(lines[0]));
            if (!rejoinPage_.empty()) jumpToLabel(rejoinLabel_);
            break;
        }
        case 'G':
            if (!rejoinPage_.empty()) {
                previousPage_ = rejoinPage_;
                pageBack();
            }
            break;
        case 'E':
            if (auto exists = fileExistsCondition()) twoWayJump(*exists);
            break;
        case 'F': {
            std::string text;
            bool exact = false;
            const std::string name(operands_.OperandText().substr(0, operands_.OperandText().find(',')));
            if (outside(name)) return;
            operands_.FileFirstLine(text, exact);
            if (stopped()) return;
            const bool match = operands_.MatchListTest(text, exact, *this);
            if (stopped()) return;
            twoWayJump(match);
            break;
        }
        case 'I':
            if (auto match = inputCondition()) twoWayJump(*match);
            break;
        case 'B':
            if (auto choice = choiceCondition()) twoWayJump(*choice);
            break;
        case 'M': matchJump(false); break;
        case 'L': matchJump(true); break;
        case 'X': boxMenu(); break;
        case 'U': buttonMenu(); break;
        default: break;  // unknown letters of the jump group are ignored
    }
}

// The conditions the jump and branch groups share. Each is empty when the run stopped while
// it was read or asked (a script error, the window closed), so nothing is run on it.
std::optional<bool> ChapterPlayer::fileExistsCondition() {
    const std::string name(operands_.OperandText());
    if (outside(name)) return std::nullopt;
    return !name.empty() && operands_.FileExists(name);
}

std::optional<bool> ChapterPlayer::inputCondition() {
    int length = 0;
    bool exact = false;
    if (!operands_.InputLengthAndExact(length, exact)) return std::nullopt;
    const std::string answer = askInput(length);
    if (stopped()) return std::nullopt;
    const bool match = operands_.MatchListTest(answer, exact, *this);
    if (stopped()) return std::nullopt;
    return match;
}

std::optional<bool> ChapterPlayer::choiceCondition() {
    std::string left, right;
    int length = -1;
    operands_.TwoLegendsAndLength(left, right, length);
    if (stopped()) return std::nullopt;
    const bool choice = askChoice(left, right, length);
    if (stopped()) return std::nullopt;
    return choice;
}

// Reads the next numbers of the operand text into the given places, in order, stopping at the
// first one that is in error; true when all were read.
bool ChapterPlayer::readNumbers(std::initializer_list<int*> into) { return ReadNumbers(operands_, into); }

// Reads a text colour and a background colour (each with its default when missing).
bool ChapterPlayer::readTextColours(std::uint32_t& text, std::uint32_t& back) {
    return ReadTextColours(operands_, text, back);
}

void ChapterPlayer::twoWayJump(bool condition) {
    if (!condition) passLine();
    if (auto action = FetchNextLine()) runAction(*action);
}

void ChapterPlayer::matchJump(bool fromFile) {
    int count = 0;
    bool exact = false;
    std::string answer;
    if (fromFile) {
        const std::string name = operands_.NextField();
        if (operands_.FileNameGiven(name) || outside(name)) return;
        count = operands_.NextNumber();
        if (stopped()) return;
        exact = !operands_.OperandTextEmpty();
        if (operands_.FileExists(name)) {
            const auto lines = readLines(name);
            if (!lines.empty()) answer = lines[0];
        }
    } else {
        count = operands_.NextNumber();
        int length = 0;
        if (stopped() || !operands_.InputLengthAndExact(length, exact)) return;
        answer = askInput(length);
        if (stopped()) return;
    }
    if (count < 0) count = 0;
    operands_.Table().Clear();
    const int first = lastFetched_ + 1;
    if (!operands_.ReadMatchTable(count, true, *this)) return;
    if (observer_) {
        int picked = count;  // the final action, unless an entry matches (the last one wins)
        for (int k = 0; k < count; ++k)
            if (Operands::Matches(operands_.Table().match[static_cast<std::size_t>(k)], answer, exact)) picked = k;
        observer_->entryPicked(PickList::MatchList, first, count + 1, picked);
    }
    runAction(operands_.ChooseAction(count, answer, exact));
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
                fail("The " + std::string(end) + " Marker is missing.");
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
            fail("The &1 Marker is missing.");
            return;
        }
        if (!runSection("&2")) return;
        if (!skipTo("&3")) {
            fail("The &3 Marker is missing.");
            return;
        }
    } else {
        if (!skipTo("&2")) {
            fail("The &2 Marker is missing.");
            return;
        }
        if (!runSection("&3")) return;
    }
    inBranch_ = false;
}

void ChapterPlayer::branches(char letter) {
    switch (letter) {
        case 'E':
            if (auto exists = fileExistsCondition()) runBranch(*exists);
            break;
        case 'F': {
            std::string text;
            bool exact = false;
            const std::string name(operands_.OperandText().substr(0, operands_.OperandText().find(',')));
            if (outside(name)) return;
            if (!operands_.FileFirstLine(text, exact)) {
                if (stopped()) return;
                // An unreadable file skips the whole branch without a message.
                while (auto line = passLine())
                    if (*line == "&3") break;
                inBranch_ = false;
                return;
            }
            const bool match = operands_.MatchListTest(text, exact, *this);
            if (stopped()) return;
            runBranch(match);
            break;
        }
        case 'I':
            if (auto match = inputCondition()) runBranch(*match);
            break;
        case 'B':
            if (auto choice = choiceCondition()) runBranch(*choice);
            break;
        default: notValid(); break;
    }
}

// ---- answers ----------------------------------------------------------------------------------

std::string ChapterPlayer::askInput(int width) {
    const PenState saved = screen_.penState();
    screen_.showInputBox(width);
    const QString typed = host_.askInput();
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

void ChapterPlayer::quizzes(char letter) {
    switch (letter) {
        case 'A': quizAnswers(); break;
        case 'L':
            index_ = 0;
            markerSearch("@Q" + quizName_);
            break;
        case 'C':
            markerSearch("@C" + quizName_);
            inBranch_ = false;
            inQuiz_ = false;
            quizName_.clear();
            break;
        case 'U': getUserInput(); break;
        case 'Q': quickQuestion(); break;
        case 'F': fillInAnswer(); break;
        default: notValid(); break;
    }
}

void ChapterPlayer::quizAnswers() {
    const int count = operands_.NextNumber();
    if (stopped()) return;
    const int row = operands_.NextNumber();
    if (stopped()) return;
    quizName_ = std::string(operands_.OperandText());
    const int first = lastFetched_ + 1;
    QStringList texts;
    for (int k = 0; k < count; ++k) {
        auto line = FetchNextLine();
        if (!line) break;
        texts.push_back(FromCp1252(std::string_view(*line).substr(0, kQuizAnswerLength)));
    }
    const PenState saved = screen_.penState();
    const bool panels = count >= 2 && count <= 4;
    if (panels) screen_.showQuizAnswers(row, texts);
    int answer = 0;
    while (answer == 0) {
        const QuizReply reply = host_.askQuizAnswer();
        checkHost();
        if (stopped()) break;
        if (reply.answer >= 1) {
            if (panels && reply.answer <= count) answer = reply.answer;
            continue;
        }
        switch (reply.key.toUpper().unicode()) {
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

void ChapterPlayer::getUserInput() {
    const std::string op(operands_.OperandText());
    const char letter = op.empty() ? '\0' : op[0];
    const auto comma = op.find(',');
    operands_.SetOperandText(comma == std::string::npos ? std::string_view() : std::string_view(op).substr(comma + 1));
    const int slot = Operands::LetterSlot(letter);
    if (slot < 0) {
        fail(lineText_ + std::string(kInvalidNumber));
        return;
    }
    int width = operands_.NextNumber();
    if (stopped()) return;
    if (width < 2) width = 2;
    const std::string text = askInput(width);
    if (stopped()) return;
    const ProjectPath user = ResolveInProject(project_.ProjectDir, kUserFileName);
    if (!user.inside) {
        fail("The filename " + std::string(kUserFileName) + " in " + lineText_ + std::string(kOutsideFolder));
        return;
    }
    UserRecord record = ReadUserRecord(operands_.FilePath(kUserFileName)).value_or(UserRecord{});
    record.setSlot(slot, text);
    WriteUserRecord(operands_.WritePath(kUserFileName), record);
}

void ChapterPlayer::quickQuestion() {
    const int column = screen_.column(), row = screen_.row();
    int length = 0;
    bool exact = false;
    if (!operands_.InputLengthAndExact(length, exact)) return;
    const std::string answer = askInput(length);  // drawn at the remembered place
    if (stopped()) return;
    const bool match = operands_.MatchListTest(answer, exact, *this);
    if (stopped()) return;
    const auto yes = FetchNextLine();
    if (!yes || yes->empty()) return;
    const auto no = FetchNextLine();
    if (!no || no->empty()) return;
    screen_.drawText(column, row + 1, match ? *yes : *no);
}

void ChapterPlayer::fillInAnswer() {
    const int column = operands_.NextNumber();
    const int row = stopped() ? 0 : operands_.NextNumber();
    const int tries = stopped() ? 0 : operands_.NextNumber();
    const std::uint32_t colour = stopped() ? 0 : operands_.NextColour(true);
    if (stopped()) return;
    const std::string answer(operands_.OperandText());
    const PenState saved = screen_.penState();
    screen_.restoreFontAndBrush(PenState{kStyleBold, Colour(colour), saved.brush});
    std::string mask = answer;
    for (char& c : mask) c = c == ' ' ? ' ' : '-';
    screen_.drawPlain(column, row, mask);
    for (std::size_t i = 0; i < answer.size(); ++i) {
        const char c = answer[i];
        if (c != ' ') {
            const QChar wanted = FromCp1252(std::string_view(&c, 1)).at(0).toUpper();
            for (int count = 0;;) {
                const KeyPress key = host_.waitForKey();
                checkHost();
                if (stopped()) {
                    screen_.restoreFontAndBrush(saved);
                    return;
                }
                ++count;
                if (count == tries) break;
                if (!key.click && key.key.toUpper() == wanted) break;
            }
        }
        screen_.drawPlain(column + static_cast<int>(i), row, std::string_view(&c, 1));
    }
    screen_.restoreFontAndBrush(saved);
}

void ChapterPlayer::boxMenu() {
    int c1 = 0, r1 = 0, c2 = 0, r2 = 0;
    operands_.Rectangle(c1, r1, c2, r2);
    if (stopped()) return;
    const int count = operands_.NextNumber();
    if (stopped() || count < 1) return;
    operands_.Table().Clear();
    const int first = lastFetched_ + 1;
    if (!operands_.ReadMatchTable(count, false, *this)) return;
    QStringList items;
    for (int k = 0; k < count; ++k) items.push_back(FromCp1252(operands_.Table().match[static_cast<std::size_t>(k)]));
    const PenState saved = screen_.penState();
    screen_.showListMenu(c1, r1, c2, r2, items);
    const int chosen = host_.askList();
    screen_.hideListMenu();
    screen_.restoreFontAndBrush(saved);
    checkHost();
    if (observer_) observer_->entryPicked(PickList::ListMenu, first, count, stopped() ? -1 : chosen);
    if (stopped() || chosen < 0 || chosen >= count) return;
    runAction(operands_.Table().action[static_cast<std::size_t>(chosen)]);
}

void ChapterPlayer::buttonMenu() {
    const int count = std::min(operands_.NextNumber(), kMaxMenuButtons);
    if (stopped() || count < 1) return;
    std::vector<TextScreen::MenuButtonPlace> buttons;
    std::vector<std::string> actions;
    const int first = lastFetched_ + 1;
    for (int k = 0; k < count; ++k) {
        auto line = FetchNextLine();
        if (!line) break;
        std::string text = *line;
        int numbers[3];
        for (int& n : numbers) {
            n = operands_.NumberFromText(TakeWord(text));
            if (stopped()) return;
        }
        const auto semi = text.find(';');
        TextScreen::MenuButtonPlace place;
        place.left = TextScreen::ColumnToX(numbers[0]);
        place.top = TextScreen::RowToY(numbers[1]);
        place.width = (numbers[2] - numbers[0] + 1) * TextScreen::kCellWidth;
        place.caption = FromCp1252(text.substr(0, semi));
        buttons.push_back(place);
        actions.push_back(semi == std::string::npos ? std::string() : text.substr(semi + 1, kMenuActionLength));
    }
    if (buttons.empty()) return;
    const PenState saved = screen_.penState();
    screen_.addMenuButtons(buttons);
    const int pressed = host_.askMenuButton();
    screen_.restoreFontAndBrush(saved);
    checkHost();
    if (observer_)
        observer_->entryPicked(PickList::ButtonMenu, first, static_cast<int>(buttons.size()), stopped() ? -1 : pressed - 1);
    if (stopped() || pressed < 1 || pressed > static_cast<int>(actions.size())) return;
    runAction(actions[static_cast<std::size_t>(pressed - 1)]);
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

void ChapterPlayer::files(char letter) {
    switch (letter) {
        case 'D': {
            const std::string name(operands_.OperandText());
            if (name.empty() || outside(name)) return;
            if (operands_.FileExists(name)) {
                const auto file = operands_.FilePath(name);
                try {
                    operands_.FolderOf(file).Remove(file);
                } catch (const IoError&) {
                    // As before: a file that cannot be deleted is left, and the chapter goes on.
                }
            }
            break;
        }
        case 'C': {
            if (operands_.OperandText().find(',') == std::string_view::npos) {
                fail(lineText_ + " must specify two file names.");
                return;
            }
            const std::string source = operands_.NextField();
            const std::string target(operands_.OperandText());
            if (outside(source) || outside(target)) return;
            if (source.empty() || !operands_.FileExists(source)) return;
            if (operands_.FileNameGiven(target) || operands_.FileNameValid(target)) return;
            const auto lines = readLines(source);
            if (!lines.empty()) appendLines(target, lines);
            break;
        }
        case 'P': {
            const std::string name = operands_.NextField();
            if (outside(name) || operands_.FileMustExist(name)) return;
            const auto lines = readLines(name);
            QStringList shown;
            for (const auto& l : lines) shown.push_back(FromCp1252(l));
            screen_.printLines(shown, FromCp1252(operands_.OperandText()));
            checkHost();
            break;
        }
        case 'A': {
            const std::string name = operands_.NextField();
            if (operands_.FileNameGiven(name) || operands_.FileNameValid(name) || outside(name)) return;
            appendLines(name, {std::string(operands_.OperandText())});
            break;
        }
        case 'S': {
            const std::string name(operands_.OperandText());
            if (operands_.FileNameGiven(name) || outside(name)) return;
            if (!operands_.FileExists(name)) return;
            // Each line drawn counts as a step: a file of millions of lines is a repeated
            // drawing like a blink, bounded by the step limit and stopped by the host.
            for (const auto& l : readLines(name)) {
                if (!repeatStep()) return;
                screen_.drawPendingLine(l);
            }
            break;
        }
        case 'I': {
            const int width = operands_.NextNumber();
            if (stopped()) return;
            const std::string name(operands_.OperandText());
            if (operands_.FileNameGiven(name) || operands_.FileNameValid(name) || outside(name)) return;
            const std::string text = askInput(width);
            if (stopped()) return;
            appendLines(name, {text});
            break;
        }
        case 'L':
        case 'M': {
            const int width = operands_.NextNumber();
            const int depth = stopped() ? 0 : operands_.NextNumber();
            if (stopped()) return;
            const std::string name(operands_.OperandText());
            if (operands_.FileNameGiven(name) || operands_.FileNameValid(name) || outside(name)) return;
            const PenState saved = screen_.penState();
            if (letter == 'M') {
                if (!operands_.FileExists(name)) return;
                QStringList shown;
                for (const auto& l : readLines(name)) shown.push_back(FromCp1252(l));
                screen_.showMemo(width, depth, shown, true);
                break;
            }
            screen_.showMemo(width, depth, {}, false);
            const QStringList typed = host_.askMemo();
            screen_.hideMemo(false);
            checkHost();
            if (stopped()) return;
            std::vector<std::string> lines;
            for (const QString& l : typed) lines.push_back(ToCp1252(l));
            appendLines(name, lines);
            screen_.restoreFontAndBrush(saved);
            for (const auto& l : lines) screen_.drawPendingLine(l);
            screen_.restoreFontAndBrush(saved);
            break;
        }
        default: notValid(); break;
    }
}

// ---- screen commands --------------------------------------------------------------------------

void ChapterPlayer::screenCommands(char letter) {
    switch (letter) {
        case 'C':
        case 'R': {
            PositionOperands p;
            if (!ReadPositionOperands(operands_, letter, p)) return;
            if (p.column) screen_.setColumn(*p.column);
            if (p.row) screen_.setRow(*p.row);
            break;
        }
        case 'D': {
            const int tenths = operands_.NextNumber();
            if (stopped()) return;
            const PenState saved = screen_.penState();
            host_.waitDelay(TenthsToMs(tenths));
            screen_.restoreFontAndBrush(saved);
            checkHost();
            break;
        }
        case 'P': {
            const PenState saved = screen_.penState();
            host_.waitForKey();
            screen_.restoreFontAndBrush(saved);
            checkHost();
            break;
        }
        case 'H': {
            const std::string name = operands_.NextField();
            int column = 0, row = 0, end = 0;
            if (!readNumbers({&column, &row, &end})) return;
            if (auto error = screen_.heading(name, column, row, end, operands_.OperandText(), lineText_))
                fail(*error);
            break;
        }
        case 'W': {
            int c1 = 0, r1 = 0, c2 = 0, r2 = 0;
            operands_.Rectangle(c1, r1, c2, r2);
            if (stopped()) return;
            const std::string name(operands_.OperandText());
            std::string colour;
            TextLines lines;
            source_->LoadWindowText(name, colour, lines);
            if (lines.empty()) {
                fail("The WindowText \"" + name + "\" was not found");
                return;
            }
            const QColor back = Colour(StringToColor(colour).value_or(project_.Config.get(cfg::Screen::ScreenBackColor)));
            screen_.showRichText(c1, r1, c2, r2, back, std::move(lines));
            break;
        }
        case 'B': {
            int column = 0, row = 0, count = 0;
            std::uint32_t text = 0, back = 0;
            if (!readNumbers({&column, &row, &count}) || !readTextColours(text, back)) return;
            screen_.blink(column, row, count, Colour(text), Colour(back), operands_.OperandText(),
                          [this] { return repeatStep(); });
            checkHost();
            break;
        }
        case 'T': {
            int column = 0, row = 0, end = 0;
            std::uint32_t text = 0, back = 0;
            if (!readNumbers({&column, &row, &end}) || !readTextColours(text, back)) return;
            screen_.centreText(column, row, end, Colour(text), Colour(back), operands_.OperandText());
            break;
        }
        case 'V':
        case 'Z': {
            LineOperands l;
            if (!ReadLineOperands(operands_, l)) return;
            screen_.drawLine(letter == 'V', l.column, l.row, l.end, l.width, Colour(l.colour));
            break;
        }
        default: notValid(); break;
    }
}

void ChapterPlayer::boxes(char letter) {
    BoxKind kind;
    bool popup = false;
    switch (letter) {
        case 'N': kind = BoxKind::Plain; break;
        case 'R': kind = BoxKind::Rounded; break;
        case 'S': kind = BoxKind::Border; break;
        case 'F': kind = BoxKind::RoundedBorder; break;
        case 'P': kind = BoxKind::Plain; popup = true; break;
        case 'C': kind = BoxKind::Rounded; popup = true; break;
        case 'U': kind = BoxKind::Border; popup = true; break;
        case 'T': kind = BoxKind::RoundedBorder; popup = true; break;
        default: notValid(); return;
    }
    BoxOperands box;
    if (!ReadBoxOperands(operands_, letter, box)) return;
    const int borderWidth = box.borderWidth;
    const QColor borderColour = box.borderColour ? Colour(*box.borderColour) : QColor(Qt::black);
    const int c1 = box.c1, r1 = box.r1, c2 = box.c2, r2 = box.r2;
    const QColor fill = Colour(box.fill);
    if (!popup) {
        screen_.drawBox(kind, c1, r1, c2, r2, fill, borderWidth, borderColour);
        return;
    }
    const int count = box.lineCount;
    const int tenths = box.tenths;
    std::vector<std::string> lines;
    for (int k = 0; k < count; ++k) {
        auto line = FetchNextLine();
        if (!line) break;
        lines.push_back(std::move(*line));
    }
    screen_.popup(kind, c1, r1, c2, r2, lines, fill, tenths, borderWidth, borderColour);
    checkHost();
}

void ChapterPlayer::sections(char letter) {
    if (letter != 'R' && letter != 'S' && letter != 'C' && letter != 'M') {
        notValid();
        return;
    }
    SectionOperands o;
    if (!ReadSectionOperands(operands_, letter, o)) return;
    switch (letter) {
        case 'R': screen_.clearRow(o.c1, o.r1, o.c2, Colour(o.colour)); break;
        case 'S': screen_.clearSection(o.c1, o.r1, o.c2, o.r2, Colour(o.colour)); break;
        case 'C': screen_.copySection(o.c1, o.r1, o.c2, o.r2, o.column, o.row); break;
        default: screen_.moveSection(o.c1, o.r1, o.c2, o.r2, o.column, o.row, Colour(o.colour)); break;
    }
}

void ChapterPlayer::images(char letter) {
    switch (letter) {
        case 'F':
            if (outside(std::string(operands_.OperandText()))) return;
            screen_.showScreenImage(operands_.OperandText());
            checkHost();
            break;
        case 'P': {
            int column = 0, row = 0, end = 0;
            if (!readNumbers({&column, &row, &end})) return;
            if (outside(std::string(operands_.OperandText()))) return;
            screen_.showImage(column, row, end, operands_.OperandText());
            checkHost();
            break;
        }
        case 'L': {
            int column = 0, row = 0, end = 0;
            std::uint32_t text = 0, back = 0;
            if (!readNumbers({&column, &row, &end}) || !readTextColours(text, back)) return;
            screen_.imageLabel(column, row, end, Colour(text), Colour(back), operands_.OperandText());
            break;
        }
        case 'H': {
            int column = 0, row = 0;
            std::uint32_t text = 0, back = 0;
            if (!readNumbers({&column, &row}) || !readTextColours(text, back)) return;
            screen_.imageHypertext(column, row, Colour(text), Colour(back), operands_.OperandText());
            break;
        }
        default: notValid(); break;
    }
}

}  // namespace quill
