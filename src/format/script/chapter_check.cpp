#include "script/chapter_check.h"

#include <algorithm>
#include <array>
#include <optional>
#include <unordered_map>
#include <unordered_set>

#include "datafile/data_file.h"
#include "datafile/media_spec.h"
#include "project/file_names.h"
#include "script/command_operands.h"
#include "script/line_kind.h"
#include "script/operands.h"
#include "text/cp1252.h"
#include "text/file_lookup.h"
#include "text/find_byte.h"

namespace quill {

namespace fs = std::filesystem;

// ---- the project as a check sees it -------------------------------------------------------------

namespace {
// Lets a set of strings be searched with a string_view, without a copy.
struct ViewHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>()(s); }
};

// Marker lines are found ignoring case, as the player's marker search compares them, and so are
// file and entry names.
inline unsigned char Upper(char c) { return kUpperCp1252[static_cast<unsigned char>(c)]; }
struct NoCaseHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const {
        std::size_t h = 14695981039346656037ull;
        for (const char c : s) h = (h ^ Upper(c)) * 1099511628211ull;
        return h;
    }
};
struct NoCaseEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const {
        if (a.size() != b.size()) return false;
        for (std::size_t i = 0; i < a.size(); ++i)
            if (Upper(a[i]) != Upper(b[i])) return false;
        return true;
    }
};

}  // namespace

struct CheckContext::Data {
    TTutorialConfig config;
    ColorTable colors;
    fs::path projectDir;
    bool hasFolder = false;
    fs::path dataFile;
    // Names of the folder's regular files, and of the entries, found ignoring case.
    using NameSet = std::unordered_set<std::string, NoCaseHash, NoCaseEqual>;
    NameSet files, hyper, execute;
    // Entries that play or show a file of the folder which is not there, by source: upper-cased
    // name of the entry and the file.
    std::unordered_map<std::string, std::string> missingHyper, missingExecute;
    mutable std::unordered_map<std::string, bool> windowTexts, deepFiles;
    mutable std::unordered_set<std::string, ViewHash, std::equal_to<>> inside;  // file command names resolved inside the folder
    std::function<bool(const std::string&)> chapterExists;
};

CheckContext::CheckContext() : d_(std::make_unique<Data>()) { SetConfigDefaults(d_->config); }

CheckContext::CheckContext(const TTutorialConfig& config, fs::path projectDir, fs::path dataFile)
    : d_(std::make_unique<Data>()) {
    d_->config = config;
    d_->colors = ColorTable(config);
    d_->projectDir = std::move(projectDir);
    d_->hasFolder = true;
    d_->dataFile = std::move(dataFile);
    std::error_code ec;
    for (fs::directory_iterator it(d_->projectDir, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (it->is_regular_file(typeError)) d_->files.insert(DiskNameToCp1252(it->path().filename()));
    }
    if (d_->projectDir.empty()) {
        d_->hasFolder = false;
        return;
    }
    try {
        for (const std::string_view source : {kSourceHyper, kSourceExecute}) {
            for (const TextLines& entry : LoadEntriesOfSource(d_->dataFile, source)) {
                if (entry.empty()) continue;
                const std::string name = UpperCaseCp1252(entry[0]);
                (source == kSourceHyper ? d_->hyper : d_->execute).insert(entry[0]);
                // Pictures, sounds, videos and MIDI files are read from the command as the media
                // preview reads them ("PIC.BMP,0", "PIC.BMP,SOUND.WAV,20", "FILM.AVI").
                if (entry.size() < 4 || entry[2].rfind("type=", 0) != 0 || entry[3].rfind("command=", 0) != 0) continue;
                const auto type = ParseInt32(std::string_view(entry[2]).substr(5));
                const bool media = type && (*type == etGraphicOnly || *type == etVoiceOnly || *type == etGraphicAndSound ||
                                            *type == etVideoPlayer || *type == etMidiPlayer);
                if (!media) continue;
                const std::string file = FirstMissingMediaFile(
                    ParseMediaSpec(std::string_view(entry[3]).substr(8)),
                    [this](const std::string& f) { return FileExists(f); });
                if (!file.empty()) (source == kSourceHyper ? d_->missingHyper : d_->missingExecute)[name] = file;
            }
        }
    } catch (const std::exception&) {
        // A data file that cannot be read has no entries the player could perform either.
    }
}

CheckContext::~CheckContext() = default;
CheckContext::CheckContext(CheckContext&&) noexcept = default;
CheckContext& CheckContext::operator=(CheckContext&&) noexcept = default;

const TTutorialConfig& CheckContext::Config() const { return d_->config; }
const ColorTable& CheckContext::Colors() const { return d_->colors; }
const fs::path& CheckContext::ProjectDir() const { return d_->projectDir; }
bool CheckContext::HasFolder() const { return d_->hasFolder; }
bool CheckContext::HasDataFile() const { return d_->hasFolder; }
void CheckContext::SetColors(const ColorTable& colors) { d_->colors = colors; }
void CheckContext::SetChapterExists(std::function<bool(const std::string&)> chapterExists) {
    d_->chapterExists = std::move(chapterExists);
}

bool CheckContext::FileExists(std::string_view name) const {
    if (!d_->hasFolder) return true;  // nothing known: nothing reported
    if (name.empty()) return false;
    if (FindByte(name, '\\') == std::string_view::npos && FindByte(name, '/') == std::string_view::npos)
        return d_->files.find(name) != d_->files.end();
    const std::string key(name);
    if (auto it = d_->deepFiles.find(key); it != d_->deepFiles.end()) return it->second;
    const auto found = FindIgnoringCase(d_->projectDir, name);
    std::error_code ec;
    return d_->deepFiles[key] = found && fs::is_regular_file(*found, ec);
}

bool CheckContext::ChapterExists(const std::string& name) const {
    if (d_->chapterExists) return d_->chapterExists(name);
    return FileExists(name);
}

bool CheckContext::HasEntry(std::string_view source, std::string_view name) const {
    if (!d_->hasFolder) return true;
    const auto& set = source == kSourceHyper ? d_->hyper : d_->execute;
    return set.find(name) != set.end();
}

std::optional<std::string> CheckContext::MissingMediaOf(std::string_view source, std::string_view name) const {
    if (source != kSourceHyper && source != kSourceExecute) return std::nullopt;
    const auto& missing = source == kSourceHyper ? d_->missingHyper : d_->missingExecute;
    if (missing.empty()) return std::nullopt;  // the usual case: no upper-cased copy of the name
    const auto found = missing.find(UpperCaseCp1252(name));
    if (found == missing.end()) return std::nullopt;
    return found->second;
}

bool CheckContext::KnownInside(std::string_view name) const { return d_->inside.find(name) != d_->inside.end(); }
void CheckContext::RememberInside(std::string_view name) const { d_->inside.emplace(name); }

bool CheckContext::HasWindowText(std::string_view name) const {
    if (!d_->hasFolder) return true;
    const std::string key(name);
    if (auto it = d_->windowTexts.find(key); it != d_->windowTexts.end()) return it->second;
    std::string colour;
    TextLines lines;
    bool found = false;
    try {
        found = LoadWindowText(d_->dataFile, name, colour, lines) && !lines.empty();
    } catch (const std::exception&) {
        found = false;
    }
    return d_->windowTexts[key] = found;
}

// ---- the checker --------------------------------------------------------------------------------

namespace {

// Field `index` (0-based, after the command code) of a translated line.
std::string_view FieldOf(std::string_view translated, std::size_t index) {
    std::size_t comma = translated.find(',');
    for (std::size_t i = 0; comma != std::string_view::npos; ++i) {
        const std::size_t next = translated.find(',', comma + 1);
        if (i == index)
            return translated.substr(comma + 1, next == std::string_view::npos ? std::string_view::npos
                                                                               : next - comma - 1);
        comma = next;
    }
    return {};
}

std::size_t CountOf(std::string_view field) {
    const auto value = ParseInt32(field);
    return value ? static_cast<std::size_t>(std::max(*value, 0)) : 0;
}

// How many lines after a command it reads, judged from its fields alone: used to step over
// them when the command itself is in error (the run stops there, but the lines after it are
// still data, not commands).
std::size_t FollowingGuess(std::string_view code, std::string_view translated) {
    auto count = [&](std::size_t index) { return std::min<std::size_t>(CountOf(FieldOf(translated, index)), 31); };
    if (code == ":BP" || code == ":BC") return count(4);
    if (code == ":BU" || code == ":BT") return count(6);
    if (code == ":QA") return count(0);
    if (code == ":QQ") return 3;
    if (code == ":LI" || code == ":LF" || code == ":JI" || code == ":JF") return 1;
    if (code == ":JX") return count(4);
    if (code == ":JU") return count(0);
    if (code == ":JM") return count(0) + 1;
    if (code == ":JL") return count(1) + 1;
    return 0;
}

// Keeps the first error of a command: later ones, while the stop flag is set, are dropped.
class Recorder : public ErrorReport {
public:
    void ShowScriptError(const std::string& message) override {
        if (!op->Stopped()) last = message;
    }
    const Operands* op = nullptr;
    std::string last;
};

class Checker : private LineSource {
public:
    Checker(const LineBuffer& lines, const CheckContext& context)
        : ctx_(context), op_(recorder_, context.Config(), context.ProjectDir()), lines_(lines) {
        recorder_.op = &op_;
        // Only marker lines are trimmed here; the others when the check reaches them.
        std::size_t at = 0;
        for (auto it = lines.begin(); it != lines.end(); ++it, ++at) {
            const std::string_view l = *it;
            if (l.size() < 2 || (l[0] != '@' && l[0] != '&')) continue;
            const std::string_view t = Trimmed(l);
            if (t.size() >= 2 && t[0] == '@') {
                if (t[1] == 'J') labels_.insert(t.substr(2));
                markers_[t].push_back(at);
            } else if (t.size() == 2 && t[0] == '&' && t[1] >= '1' && t[1] <= '3') {
                sections_[static_cast<std::size_t>(t[1] - '1')].push_back(at);
            }
        }
    }

    std::vector<ScriptProblem> Run() {
        for (std::size_t i = 0; i < lines_.size();) {
            next_ = i + 1;
            lastCode_.clear();
            const std::string_view line = LineAt(i);
            LabelReachedByFlow(i, line);
            Line(i, line, true);
            AfterLine(i, line, next_ > i + 1);
            i = std::max(next_, i + 1);
        }
        std::stable_sort(problems_.begin(), problems_.end(),
                         [](const ScriptProblem& a, const ScriptProblem& b) { return a.line < b.line; });
        return std::move(problems_);
    }

private:
    // LineSource: the lines after the command being checked, as the player fetches them.
    std::optional<std::string> FetchNextLine() override {
        if (next_ >= lines_.size()) return std::nullopt;
        return std::string(LineAt(next_++));
    }
    std::optional<std::string_view> FetchNextLineView() override {
        if (next_ >= lines_.size()) return std::nullopt;
        return LineAt(next_++);
    }
    // Steps over a line the command takes as data, without looking at it.
    bool SkipLine() {
        if (next_ >= lines_.size()) return false;
        ++next_;
        return true;
    }

    // The operand routine's test of a file command's name, remembering the names that lie
    // inside the folder: the folder does not change while a context is in use.
    bool Outside(std::string_view name) {
        if (ctx_.KnownInside(name)) return false;
        const bool outside = op_.FileOutsideProject(name);
        if (!outside) ctx_.RememberInside(name);
        return outside;
    }

    void Report(std::size_t index, std::string message, bool warning = false) {
        problems_.push_back({index + 1, std::move(message), warning});
    }

    static std::string_view FirstWord(std::string_view line) { return line.substr(0, line.find(' ')); }

    // A "@J" label that the chapter reaches by going on from the line before (not by a jump) is
    // drawn on the learner's screen as text.
    void LabelReachedByFlow(std::size_t index, std::string_view line) {
        if (line.size() < 2 || line[0] != '@' || (line[1] != 'J' && line[1] != 'j') || inBranch_ || !fallsThrough_)
            return;
        Report(index,
               "The label " + std::string(line) +
                   " is shown on the learner's screen as text when the chapter reaches it without a jump.",
               true);
    }

    // What the line just checked leaves for the next: whether the chapter goes on to it (not
    // known after a command that read lines of its own: a table's actions may jump), and the
    // "Change Defaults" commands that a *ClearScreen right after them resets unseen.
    void AfterLine(std::size_t index, std::string_view line, bool readLines) {
        if (line.empty() || line[0] == ';') return;
        const std::string_view code = lastCode_;
        if (code == ":DP" || code == ":DC" || code == ":DH") {  // reset by *ClearScreen
            pendingDefaults_.push_back(index);
            fallsThrough_ = true;
            return;
        }
        if (code == ":DB" || code == ":DT") {  // the title's colours stay
            fallsThrough_ = true;
            return;
        }
        if (code == ":FE")
            for (const std::size_t at : pendingDefaults_)
                Report(at,
                       std::string(FirstWord(LineAt(at))) + " has no effect: the " + std::string(FirstWord(line)) +
                           " on line " + std::to_string(index + 1) + " resets it.",
                       true);
        pendingDefaults_.clear();
        fallsThrough_ = !readLines && !(code == ":JJ" || code == ":JN" || code == ":JK" || code == ":JS" ||
                                        code == ":JR" || code == ":X" || code.starts_with("@F"));
    }
    // The error an operand routine reported, at the line being checked.
    bool Stopped() {
        if (!op_.Stopped()) return false;
        Report(at_, recorder_.last, warn_);
        return true;
    }

    // One line as the player runs it. `main` is false for the actions of tables and menus,
    // whose following lines are not stepped over.
    void Line(std::size_t index, std::string_view line, bool main) {
        if (line.empty()) return;
        switch (line[0]) {
            case ';': return;
            case '&': inBranch_ = !(line.size() > 1 && line[1] == '3'); return;
            case '*':
            case ':': Command(index, line, main); return;
            case '@': break;
            default: DisplayText(index, line); return;
        }
        char second = line.size() > 1 ? line[1] : '\0';
        if (second >= 'a' && second <= 'z') second = static_cast<char>(second - 'a' + 'A');
        auto invalid = [&](const char* rule) { Report(index, rule + std::string(line) + " is invalid."); };
        switch (second) {
            case 'J':
                if (inBranch_) invalid("Jump Commands are not allowed within branches.\r\n");
                return;
            case 'P':
                if (inBranch_) invalid("Paging Back is not allowed within branches.\r\n");
                return;
            case 'Q':
                inBranch_ = true;
                if (inQuiz_) {
                    invalid("Branching Quizzes cannot be nested within each other.\r\n");
                    return;
                }
                inQuiz_ = true;
                quizName_.assign(line.substr(2));
                return;
            case 'C':
                inQuiz_ = inBranch_ = false;
                quizName_.clear();
                return;
            case 'F': {
                const std::string file = NameOnly(line.substr(2));
                if (!file.empty() && !ctx_.ChapterExists(file + ".QKS")) Report(index, file + ".QKS was not found");
                return;
            }
            default: DisplayText(index, line); return;
        }
    }

    // Hypertext words of display text need their entry in the data file; a click on one without
    // shows an information box.
    void DisplayText(std::size_t index, std::string_view text) {
        if (!ctx_.HasDataFile() || text.find('|') == std::string_view::npos) return;
        for (std::size_t i = 0, n = text.size(); i < n;) {
            const char c = text[i];
            if (c == '^') { i += 2; continue; }
            if (c == '~') { i += (i + 1 < n && text[i + 1] == '@') ? 3 : 2; continue; }
            if (c == '|') {
                if (i + 1 >= n) break;
                std::size_t j = i + 1;
                while (j < n && text[j] != '|') ++j;
                const std::string_view word = text.substr(i + 1, j - i - 1);
                HyperWord(index, word);
                i = j + 1;
                continue;
            }
            ++i;
        }
    }

    void HyperWord(std::size_t index, std::string_view word) {
        if (word.size() > kMaxHyperWordLength) {
            Report(index, HyperWordTooLong(word));
            return;
        }
        if (!ctx_.HasEntry(kSourceHyper, word))
            Report(index, "The \"" + std::string(word) + "\" HyperText Link has not been defined ", true);
        else
            MediaOf(index, kSourceHyper, word);
    }

    void MediaOf(std::size_t index, std::string_view source, std::string_view name) {
        if (const auto file = ctx_.MissingMediaOf(source, name))
            Report(index, "The file " + *file + " of the \"" + std::string(name) + "\" entry was not found", true);
    }

    // Not inlined into Line: display text and comments, which need none of its state, then
    // pass through a small function.
    [[gnu::noinline]] void Command(std::size_t index, std::string_view line, bool main) {
        // Buffers reused from line to line; an action checked inside a command gets its own.
        if (buffers_.size() <= depth_) buffers_.push_back(std::make_unique<Buffers>());
        auto& [translated, error, actions] = *buffers_[depth_];
        ++depth_;
        struct Leave {
            std::size_t& depth;
            ~Leave() { --depth; }
        } leave{depth_};
        if (line[0] == '*') {
            if (!TranslateCommandLine(line, ctx_.Colors(), translated, error)) {
                Report(index, error);
                if (main && !translated.empty())
                    next_ = index + 1 + FollowingGuess(translated.substr(0, translated.find(',')), translated);
                return;
            }
        } else {
            translated.assign(line);
        }
        if (main && depth_ == 1) lastCode_.assign(translated, 0, translated.find(','));
        if (translated[0] == '@') {  // *RETURNTOFILE becomes a marker line
            Line(index, translated, main);
            return;
        }
        at_ = index;
        warn_ = false;
        op_.SetStop(false);
        op_.SetLineTextView(line);
        op_.SetOperandTextView(OperandTextOf(translated));  // `translated` stays as it is meanwhile
        const std::size_t start = next_;
        if (!main) next_ = lines_.size();  // an action's own reads find no lines of the table
        const bool ok = Dispatch(translated, line);
        if (!main) {
            next_ = start;
            return;
        }
        if (!ok) next_ = std::max(next_, index + 1 + FollowingGuess(translated.substr(0, translated.find(',')), translated));
        next_ = std::min(next_, lines_.size());
    }

    // Runs the reading half of the command; false when it stopped on an error.
    bool Dispatch(const std::string& translated, std::string_view line) {
        const char group = translated.size() > 1 ? translated[1] : '\0';
        const char letter = translated.size() > 2 ? translated[2] : '\0';
        auto notValid = [&] {
            Report(at_, std::string(line) + std::string(kNotValidCommand));
            return false;
        };
        switch (group) {
            case 'B': {
                if (std::string_view("NRSFPCUT").find(letter) == std::string_view::npos || letter == '\0') return notValid();
                BoxOperands box;
                if (!ReadBoxOperands(op_, letter, box)) return !Stopped();
                for (int k = 0; k < box.lineCount; ++k)
                    if (!SkipLine()) break;
                return true;
            }
            case 'D': return BarColours(letter, line) || (notValidSeen_ ? (notValidSeen_ = false, notValid()) : false);
            case 'E': {
                if (letter != 'R' && letter != 'S' && letter != 'C' && letter != 'M') return notValid();
                SectionOperands s;
                return ReadSectionOperands(op_, letter, s) || !Stopped();
            }
            case 'F': return Frame(letter) || (notValidSeen_ ? (notValidSeen_ = false, notValid()) : false);
            case 'I': return Images(letter) || (notValidSeen_ ? (notValidSeen_ = false, notValid()) : false);
            case 'J':
                if (inBranch_) {
                    Report(at_, "Jump Commands are not allowed within branches.\r\n" + std::string(line) + " is invalid.");
                    return false;
                }
                return Jumps(letter, line);
            case 'L': return Branches(letter) || (notValidSeen_ ? (notValidSeen_ = false, notValid()) : false);
            case 'Q': return Quizzes(letter, line) || (notValidSeen_ ? (notValidSeen_ = false, notValid()) : false);
            case 'R': return Files(letter, line) || (notValidSeen_ ? (notValidSeen_ = false, notValid()) : false);
            case 'S': return Screen(letter) || (notValidSeen_ ? (notValidSeen_ = false, notValid()) : false);
            case 'X': return true;
            default: return notValid();
        }
    }

    // Group handlers: true when the operands read cleanly; on a letter the group does not
    // hold they set notValidSeen_ and return false.
    bool Invalid() {
        notValidSeen_ = true;
        return false;
    }

    bool BarColours(char letter, std::string_view line) {
        switch (letter) {
            case 'B':
            case 'T':
            case 'P': op_.NextColour(true); return !Stopped();
            case 'H': {
                std::uint32_t text, back;
                return ReadTextColours(op_, text, back) || !Stopped();
            }
            case 'C': {
                const std::string_view o = op_.OperandText();
                if (o.empty() || std::string_view("CHPQU").find(o[0]) == std::string_view::npos) {
                    Report(at_, std::string(line) + std::string(kNotValidCommand));
                    return false;
                }
                return true;
            }
            case 'N': {
                const std::string_view name = op_.OperandText();
                if (op_.FileNameGiven(name) || Outside(name)) return !Stopped();
                return true;
            }
            default: return Invalid();
        }
    }

    bool Frame(char letter) {
        switch (letter) {
            case 'E':
                if (!op_.OperandTextEmpty()) op_.NextNumber();
                return !Stopped();
            case 'T':
            case 'B':
            case 'W': return true;
            case 'X': {
                const std::string_view name = op_.OperandText();
                if (name.empty()) return true;
                if (!ctx_.HasEntry(kSourceExecute, name))
                    Report(at_, "The \"" + std::string(name) + "\" Executable has not been defined ", true);
                else
                    MediaOf(at_, kSourceExecute, name);
                return true;
            }
            default: return Invalid();
        }
    }

    bool Picture(std::string_view file) {
        if (ctx_.HasFolder() && Outside(file)) return !Stopped();  // the player refuses it before it looks
        if (ctx_.FileExists(file)) return true;
        Report(at_, "The Image file " + std::string(file) + " was not found");
        return false;
    }

    bool Images(char letter) {
        int column = 0, row = 0, end = 0;
        std::uint32_t text = 0, back = 0;
        switch (letter) {
            case 'F': return Picture(op_.OperandText());
            case 'P':
                if (!ReadNumbers(op_, {&column, &row, &end})) return !Stopped();
                return Picture(op_.OperandText());
            case 'L': return (ReadNumbers(op_, {&column, &row, &end}) && ReadTextColours(op_, text, back)) || !Stopped();
            case 'H': {
                if (!(ReadNumbers(op_, {&column, &row}) && ReadTextColours(op_, text, back))) return !Stopped();
                const std::string_view link = op_.OperandText();
                if (link.size() >= 2 && ctx_.HasDataFile()) HyperWord(at_, link.substr(1, link.size() - 2));
                return true;
            }
            default: return Invalid();
        }
    }

    void JumpTarget(std::string_view label, bool warning = false) {
        if (!labels_.count(label)) Report(at_, "The Marker @J" + std::string(label) + " is missing.", warning);
    }

    bool Jumps(char letter, std::string_view line) {
        switch (letter) {
            case 'J': JumpTarget(op_.OperandText()); return true;
            case 'K': {
                const std::string_view o = op_.OperandText();
                const std::size_t comma = o.find(',');
                if (comma == std::string_view::npos) {
                    Report(at_, "A label is missing from " + std::string(line));
                    return false;
                }
                JumpTarget(o.substr(0, comma));
                return true;
            }
            case 'N': {
                const std::string chapter = NameOnly(op_.OperandText()) + ".QKS";
                if (!ctx_.ChapterExists(chapter)) Report(at_, chapter + " was not found");
                return true;
            }
            case 'R': {
                const std::string_view file = op_.NextFieldView();
                const std::string_view label = op_.OperandText();
                if (Outside(file)) return !Stopped();
                // The label is jumped to only when the rejoin file holds a page.
                JumpTarget(label, true);
                return true;
            }
            case 'E':
                if (Outside(op_.OperandText())) return !Stopped();
                return true;
            case 'F': {
                const std::string_view name = op_.OperandText().substr(0, FindByte(op_.OperandText(), ','));
                if (Outside(name)) return !Stopped();
                if (op_.FileNameGiven(name)) return !Stopped();
                op_.ClearOperandText();
                op_.MatchListTest("", false, *this);
                return !Stopped();
            }
            case 'I': {
                int length = 0;
                bool exact = false;
                if (!op_.InputLengthAndExact(length, exact)) return !Stopped();
                op_.MatchListTest("", exact, *this);
                return !Stopped();
            }
            case 'B': {
                std::string left, right;
                int length = 0;
                op_.TwoLegendsAndLength(left, right, length);
                return !Stopped();
            }
            case 'M':
            case 'L': {
                int count = 0;
                if (letter == 'L') {
                    const std::string_view name = op_.NextFieldView();
                    if (op_.FileNameGiven(name) || Outside(name)) return !Stopped();
                    count = op_.NextNumber();
                    if (Stopped()) return false;
                } else {
                    count = op_.NextNumber();
                    if (Stopped()) return false;
                    int length = 0;
                    bool exact = false;
                    if (!op_.InputLengthAndExact(length, exact)) return !Stopped();
                }
                count = std::max(count, 0);
                return Table(count, true);
            }
            case 'X': {
                int c1 = 0, r1 = 0, c2 = 0, r2 = 0;
                op_.Rectangle(c1, r1, c2, r2);
                if (Stopped()) return false;
                const int count = op_.NextNumber();
                if (Stopped()) return false;
                if (count < 1) return true;
                return Table(count, false);
            }
            case 'U': return ButtonMenu();
            default: return true;  // the other letters of the jump group read nothing
        }
    }

    // The actions of a table or menu, copied out of the operand routines' table (an action may
    // read a table again) into the command's own buffers, which keep their storage from
    // command to command.
    class Actions {
    public:
        explicit Actions(std::vector<std::pair<std::size_t, std::string>>& store) : store_(store) {}
        void Add(std::size_t where, std::string_view action) {
            if (count_ == store_.size()) store_.emplace_back();
            store_[count_].first = where;
            store_[count_].second.assign(action);
            ++count_;
        }
        auto begin() const { return store_.begin(); }
        auto end() const { return store_.begin() + static_cast<std::ptrdiff_t>(count_); }

    private:
        std::vector<std::pair<std::size_t, std::string>>& store_;
        std::size_t count_ = 0;
    };
    Actions ActionsOfThisCommand() { return Actions(buffers_[depth_ - 1]->actions); }

    // A match table or a box menu, and the actions it may run. The routine fills the slots it
    // reads, and only those are looked at.
    bool Table(int count, bool finalAction) {
        const std::size_t first = next_;
        if (!op_.ReadMatchTable(count, finalAction, *this)) return !Stopped();
        const int slots = count + (finalAction ? 1 : 0);
        const std::size_t at = at_;
        Actions actions = ActionsOfThisCommand();
        for (int k = 0; k < slots; ++k)
            if (const std::string& action = op_.Table().action[static_cast<std::size_t>(k)]; !action.empty())
                actions.Add(first + static_cast<std::size_t>(k), action);
        for (const auto& [where, action] : actions) Action(where, action);
        at_ = at;
        return true;
    }

    bool ButtonMenu() {
        const int count = std::min(op_.NextNumber(), 30);
        if (Stopped()) return false;
        Actions actions = ActionsOfThisCommand();
        for (int k = 0; k < count; ++k) {
            const std::size_t where = next_;
            auto line = FetchNextLine();
            if (!line) break;
            std::string& text = *line;
            for (int n = 0; n < 3; ++n) {
                op_.NumberFromText(TakeWord(text));
                if (Stopped()) return false;
            }
            const auto semi = text.find(';');
            if (semi != std::string::npos) actions.Add(where, std::string_view(text).substr(semi + 1, 60));
        }
        const std::size_t at = at_;
        for (const auto& [where, action] : actions)
            if (!action.empty()) Action(where, action);
        at_ = at;
        return true;
    }

    // An action runs as a line of its own, in the state of the command that chose it. The
    // command has read all its operands by then.
    void Action(std::size_t index, const std::string& action) {
        Line(index, action, false);
        op_.SetStop(false);
    }

    // The branch sections after a branch command; lines before the first section marker are
    // never run. `certain` is false when the branch is skipped whole in some runs (its
    // problems are then warnings).
    void Branch(bool certain) {
        const std::size_t from = next_;
        auto find = [&](int marker, std::size_t start) {
            return NextOf(sections_[static_cast<std::size_t>(marker - 1)], start);
        };
        const auto one = find(1, from), two = find(2, from);
        // The first section runs to the next &2 after the &1, the second to the next &3 after
        // that &2; the second is also looked for from the command on (a wrong answer).
        const char* firstMissing = nullptr;
        if (!one)
            firstMissing = "The &1 Marker is missing.";
        else if (const auto second = find(2, *one + 1); !second)
            firstMissing = "The &2 Marker is missing.";
        else if (!find(3, *second + 1))
            firstMissing = "The &3 Marker is missing.";
        const char* secondMissing = !two                ? "The &2 Marker is missing."
                                    : !find(3, *two + 1) ? "The &3 Marker is missing."
                                                         : nullptr;
        if (firstMissing) Report(at_, firstMissing, !certain);
        if (secondMissing && (!firstMissing || std::string_view(secondMissing) != firstMissing))
            Report(at_, secondMissing, !certain);
        inBranch_ = true;
        if (one || two) next_ = std::min(one.value_or(lines_.size()), two.value_or(lines_.size()));
    }

    bool Branches(char letter) {
        switch (letter) {
            case 'E':
                if (Outside(op_.OperandText())) return !Stopped();
                Branch(true);
                return true;
            case 'F': {
                const std::string_view name = op_.OperandText().substr(0, FindByte(op_.OperandText(), ','));
                if (Outside(name) || op_.FileNameGiven(name)) return !Stopped();
                // Without the file the whole branch is skipped, without a message.
                const bool certain = ctx_.FileExists(name);
                op_.ClearOperandText();
                warn_ = !certain;
                op_.MatchListTest("", false, *this);
                if (Stopped()) {
                    warn_ = false;
                    return certain ? false : (Branch(false), true);
                }
                warn_ = false;
                Branch(certain);
                return true;
            }
            case 'I': {
                int length = 0;
                bool exact = false;
                if (!op_.InputLengthAndExact(length, exact)) return !Stopped();
                op_.MatchListTest("", exact, *this);
                if (Stopped()) return false;
                Branch(true);
                return true;
            }
            case 'B': {
                std::string left, right;
                int length = 0;
                op_.TwoLegendsAndLength(left, right, length);
                if (Stopped()) return false;
                Branch(true);
                return true;
            }
            default: return Invalid();
        }
    }

    // The marker '@', `kind`, the quiz's name at or after line `from`.
    void QuizMarker(char kind, std::size_t from) {
        marker_.assign(1, '@').append(1, kind).append(quizName_);
        const auto found = markers_.find(marker_);
        if (found != markers_.end() && NextOf(found->second, from)) return;
        Report(at_, "The Marker " + marker_ + " is missing.");
    }

    bool Quizzes(char letter, std::string_view line) {
        switch (letter) {
            case 'A': {
                int count = 0, row = 0;
                if (!ReadNumbers(op_, {&count, &row})) return !Stopped();
                quizName_.assign(op_.OperandText());
                for (int k = 0; k < count; ++k)
                    if (!SkipLine()) break;
                // Keys A and B always answer; C and D only with that many answers.
                const int answers = count == 4 ? 4 : count >= 3 ? 3 : 2;
                for (int k = 1; k <= answers; ++k) QuizMarker(static_cast<char>('0' + k), next_);
                return true;
            }
            case 'L':
                if (inQuiz_) QuizMarker('Q', 0);
                return true;
            case 'C':
                if (inQuiz_) QuizMarker('C', at_ + 1);
                return true;
            case 'U': {
                const std::string o(op_.OperandText());
                const auto comma = o.find(',');
                if (Operands::LetterSlot(o.empty() ? '\0' : o[0]) < 0) {
                    Report(at_, std::string(line) + std::string(kInvalidNumber));
                    return false;
                }
                op_.SetOperandText(comma == std::string::npos ? std::string_view() : std::string_view(o).substr(comma + 1));
                op_.NextNumber();
                return !Stopped();
            }
            case 'Q': {
                int length = 0;
                bool exact = false;
                if (!op_.InputLengthAndExact(length, exact)) return !Stopped();
                op_.MatchListTest("", exact, *this);
                if (Stopped()) return false;
                const auto yes = FetchNextLineView();
                if (yes && !yes->empty()) SkipLine();
                return true;
            }
            case 'F': {
                int column = 0, row = 0, tries = 0;
                if (!ReadNumbers(op_, {&column, &row, &tries})) return !Stopped();
                op_.NextColour(true);
                return !Stopped();
            }
            default: return Invalid();
        }
    }

    // File commands: the same routines in the same order as the player.
    bool Files(char letter, std::string_view line) {
        auto given = [&](std::string_view name) { return op_.FileNameGiven(name); };
        auto valid = [&](std::string_view name) { return op_.FileNameValid(name); };
        auto outside = [&](std::string_view name) { return Outside(name); };
        switch (letter) {
            case 'D': {
                const std::string_view name = op_.OperandText();
                if (!name.empty() && outside(name)) return !Stopped();
                return true;
            }
            case 'C': {
                if (op_.OperandText().find(',') == std::string_view::npos) {
                    Report(at_, std::string(line) + " must specify two file names.");
                    return false;
                }
                const std::string_view source = op_.NextFieldView();
                const std::string_view target = op_.OperandText();
                if (outside(source) || outside(target)) return !Stopped();
                if (source.empty()) return true;
                // The target is looked at only when the source exists when the line runs.
                warn_ = !ctx_.FileExists(source);
                const bool bad = given(target) || valid(target);
                const bool certain = !warn_;
                if (bad) Stopped();
                warn_ = false;
                return !(bad && certain);
            }
            case 'P': {
                const std::string_view name = op_.NextFieldView();
                if (outside(name)) return !Stopped();
                if (!ctx_.FileExists(name))
                    Report(at_, "The filename " + std::string(name) + " in " + std::string(line) + " was not found.", true);
                return true;
            }
            case 'A': {
                const std::string_view name = op_.NextFieldView();
                if (given(name) || valid(name) || outside(name)) return !Stopped();
                return true;
            }
            case 'S': {
                const std::string_view name = op_.OperandText();
                if (given(name) || outside(name)) return !Stopped();
                return true;
            }
            case 'I': {
                op_.NextNumber();
                if (Stopped()) return false;
                const std::string_view name = op_.OperandText();
                if (given(name) || valid(name) || outside(name)) return !Stopped();
                return true;
            }
            case 'L':
            case 'M': {
                int width = 0, depth = 0;
                if (!ReadNumbers(op_, {&width, &depth})) return !Stopped();
                const std::string_view name = op_.OperandText();
                if (given(name) || valid(name) || outside(name)) return !Stopped();
                return true;
            }
            default: return Invalid();
        }
    }

    bool Screen(char letter) {
        switch (letter) {
            case 'C':
            case 'R': {
                PositionOperands p;
                return ReadPositionOperands(op_, letter, p) || !Stopped();
            }
            case 'D': op_.NextNumber(); return !Stopped();
            case 'P': return true;
            case 'H': {
                const std::string_view name = op_.NextFieldView();
                int column = 0, row = 0, end = 0;
                if (!ReadNumbers(op_, {&column, &row, &end})) return !Stopped();
                if (auto error = HeadingError(ctx_.Config(), name, column, row, end, op_.LineText())) {
                    Report(at_, *error);
                    return false;
                }
                return true;
            }
            case 'W': {
                int c1 = 0, r1 = 0, c2 = 0, r2 = 0;
                op_.Rectangle(c1, r1, c2, r2);
                if (Stopped()) return false;
                const std::string_view name = op_.OperandText();
                if (!ctx_.HasWindowText(name)) {
                    Report(at_, "The WindowText \"" + std::string(name) + "\" was not found");
                    return false;
                }
                return true;
            }
            case 'B':
            case 'T': {
                int column = 0, row = 0, n = 0;
                std::uint32_t text = 0, back = 0;
                return (ReadNumbers(op_, {&column, &row, &n}) && ReadTextColours(op_, text, back)) || !Stopped();
            }
            case 'V':
            case 'Z': {
                LineOperands l;
                return ReadLineOperands(op_, l) || !Stopped();
            }
            default: return Invalid();
        }
    }

    const CheckContext& ctx_;
    Recorder recorder_;
    Operands op_;
    const LineBuffer& lines_;
    // Line `at` without its trailing blanks and control characters, as the player reads it.
    std::string_view LineAt(std::size_t at) const { return Trimmed(lines_[at]); }
    static std::string_view Trimmed(std::string_view l) {
        // Most lines end in a printable byte: trimmed without the call.
        return !l.empty() && static_cast<unsigned char>(l.back()) > ' ' ? l : RightTrim(l);
    }
    std::unordered_set<std::string_view> labels_;  // the names of the "@J" lines
    // Where the section markers "&1" "&2" "&3" and the '@' lines (upper-cased) are, in order,
    // so that each search for the next one is a lookup, not a walk through the chapter.
    std::array<std::vector<std::size_t>, 3> sections_;
    std::unordered_map<std::string_view, std::vector<std::size_t>, NoCaseHash, NoCaseEqual> markers_;

    static std::optional<std::size_t> NextOf(const std::vector<std::size_t>& at, std::size_t from) {
        const auto it = std::lower_bound(at.begin(), at.end(), from);
        if (it == at.end()) return std::nullopt;
        return *it;
    }
    std::vector<ScriptProblem> problems_;
    struct Buffers {
        std::string translated, error;
        std::vector<std::pair<std::size_t, std::string>> actions;  // line of the action, the action
    };
    std::vector<std::unique_ptr<Buffers>> buffers_;  // by depth: a nested command's stay where they are
    std::string marker_;  // the marker a quiz command looks for
    std::size_t depth_ = 0;
    std::size_t next_ = 0;  // the next line the command being checked would fetch
    std::size_t at_ = 0;    // the line being checked
    bool warn_ = false;     // errors of the routines are warnings for now
    bool notValidSeen_ = false;
    bool inBranch_ = false, inQuiz_ = false;
    std::string quizName_;
    std::string lastCode_;                     // the command code of the main line just checked
    bool fallsThrough_ = true;                 // the chapter goes on from the line before
    std::vector<std::size_t> pendingDefaults_;  // "Change Defaults" lines not yet seen
};

}  // namespace

std::vector<ScriptProblem> CheckChapter(const LineBuffer& lines, const CheckContext& context) {
    return Checker(lines, context).Run();
}

std::vector<ScriptProblem> CheckChapter(const std::vector<std::string>& lines, const CheckContext& context) {
    return CheckChapter(LineBuffer(lines), context);
}

std::vector<ScriptProblem> CheckChapter(const std::vector<std::string>& lines, const ColorTable& colors,
                                        const std::function<bool(const std::string&)>& chapterExists) {
    CheckContext context;
    context.SetColors(colors);
    context.SetChapterExists(chapterExists);
    return CheckChapter(lines, context);
}

}  // namespace quill
