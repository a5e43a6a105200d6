#include "script/chapter_check.h"

#include <algorithm>
#include <array>
#include <optional>
#include <unordered_map>
#include <unordered_set>

#include "datafile/data_file.h"
#include "datafile/media_spec.h"
#include "project/file_names.h"
#include "project/project_path.h"
#include "script/command_operands.h"
#include "script/command_table.h"
#include "script/script_messages.h"
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
// A quiz marker looked for without writing it out: '@', the kind ('1'..'9', 'Q', 'C') and the
// quiz's name.
struct MarkerKey {
    char kind;
    std::string_view name;
};
struct NoCaseHash {
    using is_transparent = void;
    static constexpr std::size_t kStart = 14695981039346656037ull;
    static std::size_t Add(std::size_t h, std::string_view s) {
        for (const char c : s) h = (h ^ Upper(c)) * 1099511628211ull;
        return h;
    }
    std::size_t operator()(std::string_view s) const { return Add(kStart, s); }
    std::size_t operator()(const MarkerKey& k) const {
        const char head[2] = {'@', k.kind};
        return Add(Add(kStart, std::string_view(head, 2)), k.name);
    }
};
struct NoCaseEqual {
    using is_transparent = void;
    static bool Same(std::string_view a, std::string_view b) {
        if (a.size() != b.size()) return false;
        for (std::size_t i = 0; i < a.size(); ++i)
            if (Upper(a[i]) != Upper(b[i])) return false;
        return true;
    }
    bool operator()(std::string_view a, std::string_view b) const { return Same(a, b); }
    bool operator()(std::string_view a, const MarkerKey& b) const {
        return a.size() == b.name.size() + 2 && a[0] == '@' && Upper(a[1]) == Upper(b.kind) && Same(a.substr(2), b.name);
    }
    bool operator()(const MarkerKey& a, std::string_view b) const { return (*this)(b, a); }
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
    mutable std::unordered_map<std::string, bool, ViewHash, std::equal_to<>> windowTexts;
    mutable std::unordered_map<std::string, bool> deepFiles;
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
    if (auto it = d_->windowTexts.find(name); it != d_->windowTexts.end()) return it->second;
    std::string colour;
    TextLines lines;
    bool found = false;
    try {
        found = LoadWindowText(d_->dataFile, name, colour, lines) && !lines.empty();
    } catch (const std::exception&) {
        found = false;
    }
    return d_->windowTexts[std::string(name)] = found;
}

// ---- the checker --------------------------------------------------------------------------------

namespace {

// A command code as a number: its two letters (":DP" gives Code('D', 'P')).
constexpr unsigned Code(char group, char letter) {
    return static_cast<unsigned>(static_cast<unsigned char>(group)) << 8 | static_cast<unsigned char>(letter);
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
        op_.SetColourValues(&colours_);  // the context's record does not change while it checks
        // Only marker lines are looked at here (the buffer noted them when it split the bytes);
        // the others when the check reaches them.
        for (const LineBuffer::MarkedLine& m : lines.MarkedLines()) {
            const std::size_t at = m.index;
            const std::string_view l = lines.LineOf(m);
            if (l.size() < 2) continue;
            const std::string_view t = Trimmed(l);
            if (t.size() >= 2 && t[0] == '@') {
                if (t[1] == 'J') labels_.insert(t.substr(2));
                if (IsQuizMarkerKind(t[1])) markers_[t].at.push_back(at);
            } else if (t.size() == 2 && t[0] == '&' && t[1] >= '1' && t[1] <= '3') {
                sections_[static_cast<std::size_t>(t[1] - '1')].at.push_back(at);
            }
        }
    }

    std::vector<ScriptProblem> Run() {
        for (std::size_t i = 0; i < lines_.size();) {
            next_ = i + 1;
            lastFlow_ = Flow::Goes;
            const std::string_view line = LineAt(i);
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

    // The operand routine's test of a file command's name, remembering the names that lie
    // inside the folder: the folder does not change while a context is in use.
    bool Outside(std::string_view name) {
        // Without a folder only a name that leaves any folder is known to be outside it.
        if (!ctx_.HasFolder() && !NameLeavesFolder(name)) return false;
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
        // Written into one buffer: a chapter may hold many of these.
        constexpr std::string_view kBefore = "The label ";
        constexpr std::string_view kAfter =
            " is shown on the learner's screen as text when the chapter reaches it without a jump.";
        std::string message;
        message.reserve(kBefore.size() + line.size() + kAfter.size());
        message.append(kBefore).append(line).append(kAfter);
        Report(index, std::move(message), true);
    }

    // What the line just checked leaves for the next: whether the chapter goes on to it (not
    // known after a command that read lines of its own: a table's actions may jump), and the
    // "Change Defaults" commands that a *ClearScreen right after them resets unseen.
    void AfterLine(std::size_t index, std::string_view line, bool readLines) {
        if (line.empty() || line[0] == ';') return;
        if (lastFlow_ == Flow::Goes && pendingDefaults_.empty()) {  // most lines
            fallsThrough_ = !readLines;
            return;
        }
        switch (lastFlow_) {
            case Flow::KeepsDefaults:  // reset by *ClearScreen
                pendingDefaults_.push_back(index);
                fallsThrough_ = true;
                return;
            case Flow::TitleColour:  // the title's colours stay
                fallsThrough_ = true;
                return;
            case Flow::Clears:
                for (const std::size_t at : pendingDefaults_)
                    Report(at,
                           std::string(FirstWord(LineAt(at))) + " has no effect: the " + std::string(FirstWord(line)) +
                               " on line " + std::to_string(index + 1) + " resets it.",
                           true);
                break;
            default: break;
        }
        pendingDefaults_.clear();
        fallsThrough_ = !readLines && lastFlow_ != Flow::Leaves;
    }
    // The error an operand routine reported, at the line being checked.
    bool Stopped() { return op_.Stopped() && ReportStop(); }
    [[gnu::noinline]] bool ReportStop() {
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
            case '@': Marker(index, line, main); return;
            default: DisplayText(index, line); return;
        }
    }

    // A line starting with '@': a label or a marker, or display text.
    [[gnu::noinline]] void Marker(std::size_t index, std::string_view line, bool main) {
        if (main) LabelReachedByFlow(index, line);
        char second = line.size() > 1 ? line[1] : '\0';
        if (second >= 'a' && second <= 'z') second = static_cast<char>(second - 'a' + 'A');
        switch (second) {
            case 'J':
                if (inBranch_) Report(index, msg::JumpInBranch(line));
                return;
            case 'P':
                if (inBranch_) Report(index, msg::PagingInBranch(line));
                return;
            case 'Q':
                inBranch_ = true;
                if (inQuiz_) {
                    Report(index, msg::NestedQuiz(line));
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
                if (!file.empty() && !ctx_.ChapterExists(file + ".QKS")) Report(index, msg::ChapterNotFound(file + ".QKS"));
                return;
            }
            default: DisplayText(index, line); return;
        }
    }

    // Hypertext words of display text need their entry in the data file; a click on one without
    // shows an information box.
    void DisplayText(std::size_t index, std::string_view text) {
        if (ctx_.HasDataFile() && text.find('|') != std::string_view::npos) HyperWords(index, text);
    }
    [[gnu::noinline]] void HyperWords(std::size_t index, std::string_view text) {
        // The bytes that start a code or a word ('^', '~', '|'): the others are passed over by
        // one lookup each.
        static constexpr std::array<bool, 256> kStarts = [] {
            std::array<bool, 256> starts{};
            starts['^'] = starts['~'] = starts['|'] = true;
            return starts;
        }();
        for (std::size_t i = 0, n = text.size(); i < n;) {
            while (i < n && !kStarts[static_cast<unsigned char>(text[i])]) ++i;
            if (i >= n) break;
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
            Report(index, msg::HyperLinkNotDefined(word), true);
        else
            MediaOf(index, kSourceHyper, word);
    }

    void MediaOf(std::size_t index, std::string_view source, std::string_view name) {
        if (const auto file = ctx_.MissingMediaOf(source, name))
            Report(index, "The file " + *file + " of the \"" + std::string(name) + "\" entry was not found", true);
    }

    // Not inlined into Line: display text and comments, which need none of its state, then
    // pass through a small function (so are marker lines and hypertext words).
    [[gnu::noinline]] void Command(std::size_t index, std::string_view line, bool main) {
        const std::size_t start = next_;
        if (!main) next_ = lines_.size();  // an action's own reads find no lines of the table
        at_ = index;
        warn_ = false;
        op_.SetStop(false);
        op_.SetLineTextView(line);
        if (line[0] == '*') {
            // The command line taken apart as translation takes it; the parse reads its fields
            // (no translated line is written). An action checked inside a command takes the
            // other set, so the command's value (views into its fields) stays as it is; an
            // action reads no lines, so it never checks actions of its own.
            CommandFields& fields = main ? fields_ : actionFields_;
            const CommandSpec* row = TranslateCommandFields(line, ctx_.Colors(), fields, error_);
            const bool translatedWell = error_.empty();
            if (!translatedWell) {
                Report(index, error_);
                // The line stops the run, but the lines it reads are still data: read them
                // without a report to step over them.
                op_.SetStop(true);
            }
            if (row && row->code[0] == '@') {  // *RETURNTOFILE becomes a marker line
                if (main && translatedWell) lastFlow_ = FlowOfRow(row);
                if (translatedWell) Line(index, std::string(row->code).append(fields.field[0]), main);
            } else if (row) {
                if (main && translatedWell) lastFlow_ = FlowOfRow(row);
                op_.SetOperandFields(fields.begin(), fields.end());
                CheckCommand(row->code, line, row);
            }
        } else {
            if (main) lastFlow_ = FlowOf(CodeOf(line));
            op_.SetOperandText(OperandTextOf(line));
            CheckCommand(line, line, nullptr);
        }
        if (!main) {
            next_ = start;
            return;
        }
        next_ = std::min(next_, lines_.size());
    }

    // The reader of a command in the checker: the chapter's lines after it, the folder rule
    // with the names already found inside remembered.
    class Reader : public CommandReader {
    public:
        explicit Reader(Checker& checker) : CommandReader(checker.op_, checker), checker_(checker) {}
        bool Outside(std::string_view name) override { return checker_.Outside(name); }

    private:
        Checker& checker_;
    };
    Reader reader_{*this};  // one for every command: it holds no state of a command's own

    // Reads the command through its row of the command table (`row` when translation found it,
    // else the row of the translated line's code) and checks its value. With the stop flag
    // already set (a line in error), it only steps over the lines the command reads.
    [[gnu::always_inline]] void CheckCommand(std::string_view translated, std::string_view line, const CommandSpec* row) {
        const bool reportable = !op_.Stopped();
        if (translated.size() > 1 && translated[1] == 'J' && inBranch_ && reportable) {
            Report(at_, msg::JumpInBranch(line));
            op_.SetStop(true);
        }
        if (!row) row = FindCode(translated);
        if (!row) {
            if (!IgnoredCode(translated) && !op_.Stopped()) Report(at_, std::string(line) + std::string(kNotValidCommand));
            return;
        }
        if (op_.Stopped()) {
            ParseCommand(*row, reader_);
            return;
        }
        const CommandValue value = ParseCommand(*row, reader_);
        if (Stopped()) return;
        std::visit([this](const auto& command) { Check(command); }, value);
    }

    // ---- the checks that need the project or the chapter: one per value type that has one ----

    template <class Command>
    void Check(const Command&) {}  // everything it reads was checked by its parse

    void Check(const cmd::Execute& c) {
        if (c.name.empty()) return;
        if (!ctx_.HasEntry(kSourceExecute, c.name))
            Report(at_, msg::ExecutableNotDefined(c.name), true);
        else
            MediaOf(at_, kSourceExecute, c.name);
    }

    void Picture(std::string_view file) {
        if (!ctx_.FileExists(file)) Report(at_, msg::ImageNotFound(file));
    }
    void Check(const cmd::ScreenImage& c) { Picture(c.name); }
    void Check(const cmd::ShowImage& c) { Picture(c.name); }
    void Check(const cmd::ImageHypertext& c) {
        if (c.words.size() >= 2 && ctx_.HasDataFile()) HyperWord(at_, c.words.substr(1, c.words.size() - 2));
    }
    void Check(const cmd::WindowText& c) {
        if (!ctx_.HasWindowText(c.name)) Report(at_, msg::WindowTextNotFound(c.name));
    }

    void JumpTarget(std::string_view label, bool warning = false) {
        if (!labels_.count(label)) {
            marker_.assign("@J").append(label);
            Report(at_, msg::MarkerMissing(marker_), warning);
        }
    }
    void Check(const cmd::JumpToLabel& c) { JumpTarget(c.label); }
    void Check(const cmd::JumpAndReturn& c) { JumpTarget(c.label); }
    // The label is jumped to only when the rejoin file holds a page.
    void Check(const cmd::RejoinChapter& c) { JumpTarget(c.label, true); }
    void Check(const cmd::JumpToFile& c) {
        const std::string chapter = NameOnly(c.name) + ".QKS";
        if (!ctx_.ChapterExists(chapter)) Report(at_, msg::ChapterNotFound(chapter));
    }

    // A match list is tested when the learner has answered; any answer finds its faults.
    // Only a list of more than kMaxMatchAnswers answers can be in error: the others (most) are
    // not taken apart.
    bool ListIsGood(cmd::Line list, bool exact) {
        if (!list || std::count(list->begin(), list->end(), ';') < kMaxMatchAnswers) return true;
        op_.MatchListTest("", exact, list);
        return !Stopped();
    }
    void Check(const cmd::JumpOnFileInput& c) { ListIsGood(c.list, false); }
    void Check(const cmd::JumpOnInput& c) { ListIsGood(c.list, c.exact); }
    void Check(const cmd::QuickQuestion& c) { ListIsGood(c.list, c.exact); }

    // The actions of a table or a menu, each on its line after the command: an action runs as a
    // line of its own, in the state of the command that chose it.
    void Actions(std::span<const cmd::MatchRow> rows) {
        const std::size_t at = at_;
        for (std::size_t k = 0; k < rows.size(); ++k)
            if (!rows[k].action.empty()) Action(at + 1 + k, rows[k].action);
        at_ = at;
    }
    void Check(const cmd::JumpOnMatch& c) { Actions(c.rows); }
    void Check(const cmd::JumpOnFileMatch& c) { Actions(c.rows); }
    void Check(const cmd::BoxMenu& c) { Actions(c.rows); }
    void Check(const cmd::ButtonMenu& c) {
        const std::size_t at = at_;
        for (std::size_t k = 0; k < c.buttons.size(); ++k)
            if (!c.buttons[k].action.empty()) Action(at + 1 + k, c.buttons[k].action);
        at_ = at;
    }
    void Action(std::size_t index, std::string_view action) {
        Line(index, action, false);
        op_.SetStop(false);
    }

    void Check(const cmd::BranchOnFileExists&) { Branch(true); }
    void Check(const cmd::BranchOnButton&) { Branch(true); }
    void Check(const cmd::BranchOnInput& c) {
        if (ListIsGood(c.list, c.exact)) Branch(true);
    }
    void Check(const cmd::BranchOnFileInput& c) {
        // Without the file the whole branch is skipped, without a message.
        const bool certain = ctx_.FileExists(c.name);
        warn_ = !certain;
        const bool good = ListIsGood(c.list, false);
        warn_ = false;
        if (good || !certain) Branch(good && certain);
    }

    void Check(const cmd::QuizAnswers& c) {
        quizName_.assign(c.name);
        // Keys A and B always answer; C and D only with that many answers.
        const int answers = c.count == 4 ? 4 : c.count >= 3 ? 3 : 2;
        for (int k = 1; k <= answers; ++k) QuizMarker(static_cast<char>('0' + k), next_);
    }
    // Outside a quiz the player looks for the markers of the quiz without a name ("@Q", "@C").
    void Check(const cmd::ReturnToQuiz&) { QuizMarker('Q', 0); }
    void Check(const cmd::ExitQuiz&) { QuizMarker('C', at_ + 1); }

    void Check(const cmd::CopyFile& c) {
        if (c.source.empty()) return;
        // The target is looked at only when the source exists when the line runs.
        warn_ = !ctx_.FileExists(c.source);
        if (op_.FileNameGiven(c.target) || op_.FileNameValid(c.target)) Stopped();
        warn_ = false;
    }
    void Check(const cmd::PrintFile& c) {
        if (!ctx_.FileExists(c.name)) Report(at_, msg::FileNotFound(c.name, op_.LineText()), true);
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
            firstMissing = "&1";
        else if (const auto second = find(2, *one + 1); !second)
            firstMissing = "&2";
        else if (!find(3, *second + 1))
            firstMissing = "&3";
        const char* secondMissing = !two ? "&2" : !find(3, *two + 1) ? "&3" : nullptr;
        if (firstMissing) Report(at_, msg::SectionMarkerMissing(firstMissing), !certain);
        if (secondMissing && (!firstMissing || std::string_view(secondMissing) != firstMissing))
            Report(at_, msg::SectionMarkerMissing(secondMissing), !certain);
        inBranch_ = true;
        if (one || two) next_ = std::min(one.value_or(lines_.size()), two.value_or(lines_.size()));
    }

    // The kinds of marker a quiz command looks for (QuizMarker): the answer markers '1'..'4',
    // the start 'Q' and the end 'C' (either case, as the player compares them).
    static bool IsQuizMarkerKind(char kind) {
        const unsigned char k = Upper(kind);
        return (k >= '1' && k <= '4') || k == 'Q' || k == 'C';
    }
    // The marker '@', `kind` (IsQuizMarkerKind), the quiz's name at or after line `from`.
    void QuizMarker(char kind, std::size_t from) {
        const auto found = markers_.find(MarkerKey{kind, quizName_});
        if (found != markers_.end() && NextOf(found->second, from)) return;
        Report(at_, msg::MarkerMissing(std::string(1, '@').append(1, kind).append(quizName_)));
    }

    const CheckContext& ctx_;
    Recorder recorder_;
    Operands op_;
    const Operands::ColourValues colours_{ctx_.Config()};
    const LineBuffer& lines_;
    // The check reads the lines mostly in order: the line after the last one read costs a scan.
    LineBuffer::Cursor cursor_{lines_};
    // Line `at` without its trailing blanks and control characters, as the player reads it.
    [[gnu::always_inline]] std::string_view LineAt(std::size_t at) { return Trimmed(cursor_[at]); }
    static std::string_view Trimmed(std::string_view l) {
        // Most lines end in a printable byte: trimmed without the call.
        return !l.empty() && static_cast<unsigned char>(l.back()) > ' ' ? l : RightTrim(l);
    }
    std::unordered_set<std::string_view> labels_;  // the names of the "@J" lines
    // Where the section markers "&1" "&2" "&3" and the quiz markers (found ignoring case) are, in
    // order, so that each search for the next one is a lookup, not a walk through the chapter.
    // The check mostly asks for the next marker after a line a little further on than the last
    // time: it is found from where the last search ended, in a step or two.
    struct Places {
        std::vector<std::size_t> at;
        std::size_t hint = 0;  // where the last search ended: at[hint - 1] < its `from` <= at[hint]
    };
    std::array<Places, 3> sections_;
    std::unordered_map<std::string_view, Places, NoCaseHash, NoCaseEqual> markers_;

    // The first place at or after line `from`.
    static std::optional<std::size_t> NextOf(Places& places, std::size_t from) {
        const std::vector<std::size_t>& at = places.at;
        const auto search = [&](std::size_t first, std::size_t last) {
            return static_cast<std::size_t>(std::lower_bound(at.data() + first, at.data() + last, from) - at.data());
        };
        std::size_t h = places.hint;
        if (h > 0 && at[h - 1] >= from) {  // before the last search
            h = search(0, h);
        } else {  // further on: a step, else a search of the rest
            if (h < at.size() && at[h] < from) ++h;
            if (h < at.size() && at[h] < from) h = search(h, at.size());
        }
        places.hint = h;
        if (h == at.size()) return std::nullopt;
        return at[h];
    }
    std::vector<ScriptProblem> problems_;
    std::string marker_;  // the marker a jump looks for
    std::size_t next_ = 0;  // the next line the command being checked would fetch
    std::size_t at_ = 0;    // the line being checked
    bool warn_ = false;     // errors of the routines are warnings for now
    bool inBranch_ = false, inQuiz_ = false;
    std::string quizName_;
    // The command code of a translated line: its two letters (":DP" gives Code('D', 'P')),
    // Code('X', 0) for ":X", Code('@', 'F') for a return to a chapter, 0 for other codes.
    static unsigned CodeOf(std::string_view translated) {
        const std::string_view code = translated.substr(0, FindByte(translated, ','));
        if (code.size() == 3 && code[0] == ':') return Code(code[1], code[2]);
        if (code == ":X") return Code('X', 0);
        return code.starts_with("@F") ? Code('@', 'F') : 0;
    }
    // The same for a row's code (":DP", ":X", "@F").
    static unsigned CodeOfRow(std::string_view code) {
        if (code.size() == 3) return Code(code[1], code[2]);
        return code[0] == ':' ? Code('X', 0) : Code('@', 'F');
    }
    // What a main line's command means for the line after it (AfterLine).
    enum class Flow : unsigned char {
        Goes,           // the chapter goes on to the next line (also lines that are no command)
        KeepsDefaults,  // *ControlBarColor, *ControlButtonTag, *HypertextColor: reset by *ClearScreen
        TitleColour,    // *TitleBarColor, *TitleTextColor
        Clears,         // *ClearScreen
        Leaves,         // a jump, a return, *Exit, a return to a chapter
    };
    static Flow FlowOf(unsigned code) {
        switch (code) {
            case Code('D', 'P'):
            case Code('D', 'C'):
            case Code('D', 'H'): return Flow::KeepsDefaults;
            case Code('D', 'B'):
            case Code('D', 'T'): return Flow::TitleColour;
            case Code('F', 'E'): return Flow::Clears;
            case Code('J', 'J'):
            case Code('J', 'N'):
            case Code('J', 'K'):
            case Code('J', 'S'):
            case Code('J', 'R'):
            case Code('X', 0):
            case Code('@', 'F'): return Flow::Leaves;
            default: return Flow::Goes;
        }
    }
    // The same by row of the command table, looked up once per row.
    static const std::vector<Flow>& FlowsOfRows() {
        static const std::vector<Flow> flows = [] {
            std::vector<Flow> out;
            for (const CommandSpec& r : CommandTable()) out.push_back(FlowOf(CodeOfRow(r.code)));
            return out;
        }();
        return flows;
    }
    const CommandSpec* const firstRow_ = CommandTable().data();
    const Flow* const flowOfRow_ = FlowsOfRows().data();
    Flow FlowOfRow(const CommandSpec* row) const { return flowOfRow_[row - firstRow_]; }
    Flow lastFlow_ = Flow::Goes;
    CommandFields fields_, actionFields_;  // of a line of the chapter, and of an action checked inside it
    std::string error_;                    // translation's message
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
