#include "script/operands.h"

#include <algorithm>
#include <unistd.h>
#include <cerrno>
#include <system_error>

#include "project/file_names.h"
#include "project/project_path.h"
#include "text/cp1252.h"
#include "text/errors.h"
#include "text/file_lookup.h"
#include "text/find_byte.h"
#include "text/text_file.h"

namespace quill {

namespace fs = std::filesystem;

namespace {

// Removes each `marker` together with the character after it, left to right.
std::string RemoveCodes(std::string_view text, char marker) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == marker)
            ++i;  // skips the code's character too
        else
            out += text[i];
    }
    return out;
}

}  // namespace

Operands::Operands(ErrorReport& report, const TTutorialConfig& config, fs::path projectDir)
    : report_(report), config_(config), projectDir_(std::move(projectDir)) {}

void Operands::Fail(const std::string& message) {
    report_.ShowScriptError(message);
    stop_ = true;
}

void Operands::JoinFields() {
    joined_.assign(cur_);
    for (; next_ != end_; ++next_) joined_.append(1, ',').append(*next_);
    cur_ = joined_;
}

std::string Operands::NextField(bool& more) {
    more = OperandTextHasComma();
    return std::string(NextFieldView());
}

std::string Operands::NextField() {
    bool more;
    return NextField(more);
}

bool Operands::IsInteger(std::string_view field) { return ParseInt32(field).has_value(); }

int Operands::InvalidNumber() {
    Fail(LineText() + std::string(kInvalidNumber));
    return -1;
}

Operands::ColourValues::ColourValues(const TTutorialConfig& config) {
    value[0] = config.get(cfg::Screen::ScreenTextColor);
    for (int code = 1; code <= static_cast<int>(cfg::Colors::Count); ++code)
        value[static_cast<std::size_t>(code)] = config.get(cfg::Colors::Entry(code).Value);
    value[cfg::Colors::Count + 1] = config.get(cfg::Screen::ScreenBackColor);
}

std::uint32_t Operands::ReadColour(bool textColour) {
    int code;
    if (!TakeShortNumber(code)) code = OperandTextEmpty() ? 0 : NumberFromText(NextFieldView());
    if (stop_ || code < 1 || code > static_cast<int>(cfg::Colors::Count))
        code = textColour ? 0 : static_cast<int>(cfg::Colors::Count) + 1;
    if (colours_) return colours_->value[static_cast<std::size_t>(code)];
    if (code == 0) return config_.get(cfg::Screen::ScreenTextColor);
    if (code > static_cast<int>(cfg::Colors::Count)) return config_.get(cfg::Screen::ScreenBackColor);
    return config_.get(cfg::Colors::Entry(code).Value);
}

void Operands::Rectangle(int& startColumn, int& startRow, int& endColumn, int& endRow) {
    if (OperandTextEmpty()) return;
    for (int* value : {&startColumn, &startRow, &endColumn, &endRow}) {
        *value = NextNumber();
        if (stop_) return;
    }
}

namespace {

std::optional<fs::path> FindRegular(const fs::path& folder, std::string_view name) {
    return TutorialFolder(folder).FindFile(name);
}

}  // namespace

fs::path Operands::FilePath(std::string_view name) const {
    if (learnerDir_.empty()) return ResolveInFolder(projectDir_, name);
    if (auto mine = FindRegular(learnerDir_, name)) return *mine;
    if (auto shipped = FindRegular(projectDir_, name)) return *shipped;
    return ResolveInFolder(learnerDir_, name);
}

bool Operands::FileExists(std::string_view name) const {
    if (!learnerDir_.empty() && FindRegular(learnerDir_, name)) return true;
    return FindRegular(projectDir_, name).has_value();
}

fs::path Operands::WritePath(std::string_view name) const {
    if (learnerDir_.empty()) return ResolveInFolder(projectDir_, name);
    if (auto mine = FindRegular(learnerDir_, name)) return *mine;
    const ProjectPath place = ResolveInProject(learnerDir_, name);
    if (!place.inside) throw IoError("The file " + std::string(name) + std::string(kOutsideFolder));
    const fs::path& target = place.path;
    const TutorialFolder learner(learnerDir_);
    learner.MakeFolders(target.parent_path());
    if (auto shipped = FindRegular(projectDir_, name)) learner.Copy(TutorialFolder(projectDir_), *shipped, target);
    return target;
}

TutorialFolder Operands::FolderOf(const fs::path& file) const {
    if (!learnerDir_.empty()) {
        TutorialFolder learner(learnerDir_);
        if (learner.Below(file)) return learner;
    }
    return TutorialFolder(projectDir_);
}

bool Operands::FileMustExist(std::string_view name) {
    if (FileExists(name)) return false;
    Fail("The filename " + std::string(name) + " in " + LineText() + " was not found.");
    return true;
}

bool Operands::FileNameGiven(std::string_view name) {
    if (!name.empty()) return false;
    Fail(LineText() + std::string(kMustSpecifyFileName));
    return true;
}

bool Operands::FileNameValid(std::string_view name) {
    std::size_t start = name.size();  // after the last '\\' or ':'
    while (start > 0 && name[start - 1] != '\\' && name[start - 1] != ':') --start;
    const std::string_view namePart = name.substr(start);
    if (IsValidFileName(namePart)) return false;
    Fail("The filename " + std::string(name) + " in " + LineText() + " is invalid.");
    return true;
}

bool Operands::FileOutsideProject(std::string_view name) {
    if (name.empty()) return false;
    // Without a folder (a check of lines alone) only the name itself can be judged.
    if (projectDir_.empty() ? !NameLeavesFolder(name) : ResolveInProject(projectDir_, name).inside) return false;
    Fail("The filename " + std::string(name) + " in " + LineText() + std::string(kOutsideFolder));
    return true;
}

bool Operands::FileFirstLine(std::string& firstLine, bool& more) {
    firstLine.clear();
    const std::string name = NextField(more);
    ClearOperandText();
    if (FileNameGiven(name)) return false;
    return FirstLineOf(name, firstLine);
}

bool Operands::FirstLineOf(std::string_view name, std::string& firstLine) {
    firstLine.clear();
    if (name.empty() || !FileExists(name)) return false;
    const fs::path file = FilePath(name);
    int fd = -1;
    try {
        fd = FolderOf(file).OpenRead(file);
    } catch (const IoError&) {
        return false;
    }
    // Only the first line is read, however long the file is.
    char buffer[4096];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            ::close(fd);
            firstLine.clear();
            return false;
        }
        const std::string_view chunk(buffer, static_cast<std::size_t>(got));
        const auto end = chunk.find_first_of("\r\n");
        firstLine.append(chunk.substr(0, end));
        if (got == 0 || end != std::string_view::npos) break;
    }
    ::close(fd);
    return true;
}

int Operands::LetterSlot(char letter) {
    if (letter >= 'A' && letter <= 'Z') return letter - 'A' + 1;
    if (letter >= 'a' && letter <= 'z') return letter - 'a' + 27;
    return -1;
}

int Operands::VisibleLength(std::string_view text) {
    const std::string s = RemoveCodes(RemoveCodes(RemoveCodes(text, '~'), '^'), '@');
    return static_cast<int>(s.size());
}

bool Operands::InputLengthAndExact(int& length, bool& exact) {
    int value = 0;
    const bool shortNumber = TakeShortNumber(value);  // the usual length: read in one pass
    const std::string_view field = shortNumber ? std::string_view() : NextFieldView();
    exact = !OperandTextEmpty();
    length = shortNumber ? value : field.empty() ? -1 : NumberFromText(field);
    if (stop_) return false;
    if (length < 2) length = 2;
    ClearOperandText();
    return true;
}

void Operands::TwoLegendsAndLength(std::string& left, std::string& right, int& length) {
    left = NextField();
    right = NextField();
    length = NextNumber();
}

bool Operands::Matches(std::string_view candidate, std::string_view answer, bool exact) {
    if (exact) return candidate == answer;
    if (candidate.empty() || candidate.size() > answer.size()) return false;
    return UpperAscii(answer).find(UpperAscii(candidate)) != std::string::npos;
}

bool Operands::MatchListTest(std::string_view answer, bool exact, LineSource& lines) {
    return MatchListTest(answer, exact, lines.FetchNextLineView());
}

bool Operands::MatchListTest(std::string_view answer, bool exact, std::optional<std::string_view> list) {
    if (!list) return false;  // the chapter ended where the list should be: nothing matches
    std::string_view rest = *list;
    std::array<std::string_view, kMaxMatchAnswers> answers;
    int count = 0;
    while (true) {
        const std::size_t semi = FindByte(rest, ';');
        if (count == kMaxMatchAnswers) {
            Fail("The match list " + std::string(*list) + " has more than 10 answers.");
            return false;
        }
        answers[static_cast<std::size_t>(count++)] = rest.substr(0, std::min(semi, kMaxAnswerLength));
        if (semi == std::string_view::npos) break;
        rest = rest.substr(semi + 1);
    }
    for (int i = 0; i < count; ++i)
        if (Matches(answers[static_cast<std::size_t>(i)], answer, exact)) return true;
    return false;
}

bool Operands::ReadMatchTable(int count, bool finalAction, LineSource& lines) {
    return ForEachMatchRow(count, finalAction, lines, [this, count](int slot, std::string_view match, std::string_view action) {
        if (slot < count) table_.match[static_cast<std::size_t>(slot)].assign(match);
        table_.action[static_cast<std::size_t>(slot)].assign(action);
    });
}

std::string Operands::ChooseAction(int count, std::string_view answer, bool exact) const {
    const int slot = ChosenSlot(count, answer, exact, [this](int i) -> std::string_view {
        return table_.match[static_cast<std::size_t>(i)];
    });
    return slot < 0 ? std::string() : table_.action[static_cast<std::size_t>(slot)];
}

}  // namespace quill
