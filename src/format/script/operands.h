#pragma once
// The operand routines of the chapter player: the small routines that take the operands of a
// translated line field by field, check them, and report script errors.
//
// The player sets the operand text (the translated line after its command code and comma) and
// the current line text (the line as fetched, for messages) before it runs a command; each
// routine consumes what it reads from the front of the operand text. Any error goes through
// the ErrorReport and sets the stop flag. The player and the checker keep the first error of a
// command and drop the reports that come while the flag is set, so a command's parse reads all
// of its fields and its caller looks at the flag once (commands.h).
#include <algorithm>
#include <array>
#include "project/tutorial_folder.h"
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "project/config_record.h"
#include "project/file_names.h"
#include "text/find_byte.h"

namespace quill {

// Shows a script error to the author: an error box with a single OK button; returns when it
// was closed. The player implements it (the preview window, a headless host, quillc).
class ErrorReport {
public:
    virtual ~ErrorReport() = default;
    virtual void ShowScriptError(const std::string& message) = 0;  // Windows-1252
};

// The chapter's lines as the player fetches them: the next line (trailing blanks removed), or
// nothing at the end of the chapter. Match lists and match tables read their lines through it.
class LineSource {
public:
    virtual ~LineSource() = default;
    virtual std::optional<std::string> FetchNextLine() = 0;
    // The same line as a view, valid until the next fetch: the operand routines read lines
    // through it, so that a source holding its lines gives them without a copy. By default a
    // copy kept here.
    virtual std::optional<std::string_view> FetchNextLineView() {
        auto line = FetchNextLine();
        if (!line) return std::nullopt;
        fetched_ = std::move(*line);
        return std::string_view(fetched_);
    }

private:
    std::string fetched_;
};

// Message texts of the operand routines.
inline constexpr std::string_view kInvalidNumber = " has an invalid number";
inline constexpr std::string_view kMustSpecifyFileName = " must specify a file name.";
inline constexpr std::string_view kNotEnoughMatches = "There are not enough matches";
inline constexpr std::string_view kFinalActionMissing = "The final Action is missing";

// Limits of the match list and the match table.
inline constexpr int kMaxMatchAnswers = 10;      // answers on one match list line
inline constexpr std::size_t kMaxAnswerLength = 20;
inline constexpr int kMatchTableSlots = 30;      // matches + final action, or box menu items
inline constexpr std::size_t kMaxMatchLength = 60;

// The match table of *JUMPONMATCH, *JUMPONFILEMATCH and *BOXMENU: 30 slots, each a match text
// (or menu item) and its action, 60 characters at most. Slots are numbered 1..30.
struct MatchTable {
    std::array<std::string, kMatchTableSlots> match, action;
    void Clear() {
        for (auto& s : match) s.clear();
        for (auto& s : action) s.clear();
    }
};

class Operands {
public:
    // `config` gives the colour table and the default colours; `projectDir` is where file names
    // are looked up (ignoring case). Both must outlive the object.
    Operands(ErrorReport& report, const TTutorialConfig& config, std::filesystem::path projectDir);
    Operands(ErrorReport&, const TTutorialConfig&&, std::filesystem::path) = delete;  // would dangle
    Operands(const Operands&) = delete;  // the operand text may point into the object itself
    Operands& operator=(const Operands&) = delete;

    // --- state -----------------------------------------------------------------------------
    // The operand text, read where it is: the caller keeps it unchanged while the command runs
    // (the command's value keeps views into it).
    void SetOperandText(std::string_view text) {
        cur_ = text;
        next_ = end_ = nullptr;
    }
    // The same given as the fields of a command line that translation took apart
    // (TranslateCommandFields): the operand text is the fields joined with ','. Each field is
    // read where it is, as above.
    void SetOperandFields(const std::string_view* first, const std::string_view* last) {
        if (first == last) {
            SetOperandText({});
            return;
        }
        cur_ = *first;
        next_ = first + 1;
        end_ = last;
    }
    // What is left of the operand text. When it spans several fields they are joined, once, into
    // a buffer of this object (valid until the operand text is set again and joined again).
    std::string_view OperandText() {
        if (next_ != end_) JoinFields();
        return cur_;
    }
    bool OperandTextEmpty() const { return cur_.empty() && next_ == end_; }
    // Whether what is left of the operand text holds a comma (more than one field).
    bool OperandTextHasComma() const { return next_ != end_ || FindByte(cur_, ',') != std::string_view::npos; }
    void ClearOperandText() {
        cur_ = {};
        next_ = end_;
    }

    void SetLineText(std::string_view line) {
        lineText_.assign(line);
        lineOwned_ = true;
    }
    // The same without a copy, for a caller that keeps the line unchanged while it reads (the
    // copy is made only when a message needs it).
    void SetLineTextView(std::string_view line) {
        lineView_ = line;
        lineOwned_ = false;
    }
    // The same as a view (no copy), valid while the line or the next SetLineText* call.
    std::string_view LineView() const { return lineOwned_ ? std::string_view(lineText_) : lineView_; }
    const std::string& LineText() const {
        if (!lineOwned_) {
            lineText_.assign(lineView_);
            lineOwned_ = true;
        }
        return lineText_;
    }

    bool Stopped() const { return stop_; }
    void SetStop(bool stop) { stop_ = stop; }

    // The error report: shows the message and sets the stop flag.
    void Fail(const std::string& message);
    // Reports the line's invalid number; -1.
    int InvalidNumber();

    const std::filesystem::path& ProjectDir() const { return projectDir_; }
    const TTutorialConfig& Config() const { return config_; }
    // Where the learner's files are written when the project folder is not (a tutorial
    // installed read-only): files are looked for there first, then in the project folder.
    void SetLearnerDir(std::filesystem::path dir) { learnerDir_ = std::move(dir); }

    // --- fields and numbers ----------------------------------------------------------------
    // The text up to the first comma, removed with that comma; with no comma, all of the
    // operand text, which becomes empty. `more` tells whether a comma followed.
    std::string NextField();
    std::string NextField(bool& more);
    // The same without a copy: valid while the operand text is.
    std::string_view NextFieldView() {
        const std::string_view field = cur_;
        const std::size_t comma = FindByte(field, ',');
        if (comma != std::string_view::npos) {
            cur_.remove_prefix(comma + 1);
            return field.substr(0, comma);
        }
        cur_ = next_ != end_ ? *next_++ : std::string_view();
        return field;
    }

    // The field as an integer; on anything else the line + " has an invalid number" and -1.
    // Integers are read as everywhere in the project (ParseInt32): an optional sign and decimal
    // digits within 32 bits, also leading blanks and "$" with hexadecimal digits, which
    // stored chapters use.
    int NumberFromText(std::string_view field) {
        if (std::int32_t value; ReadInt32(field, value)) return value;
        return InvalidNumber();
    }
    // True when the whole field is an integer as NumberFromText reads it.
    static bool IsInteger(std::string_view field);
    // The next field as a number; -1 without an error when the operand text is empty.
    int NextNumber() {
        if (int value; TakeShortNumber(value)) return value;
        if (OperandTextEmpty()) return -1;
        return NumberFromText(NextFieldView());
    }

    // The next field as a colour code, turned into a colour value: codes 1..26 are the values of
    // the colour table, anything else (27, 0, 99, nothing) the default: ScreenTextColor for a
    // text colour, ScreenBackColor otherwise.
    std::uint32_t NextColour(bool textColour) {
        // Inline for the usual case, a short code read from values read once (the checker).
        if (int code; colours_ && !stop_ && TakeShortNumber(code)) {
            if (code < 1 || code > static_cast<int>(cfg::Colors::Count))
                code = textColour ? 0 : static_cast<int>(cfg::Colors::Count) + 1;
            return colours_->value[static_cast<std::size_t>(code)];
        }
        return ReadColour(textColour);
    }

    // The colour values of a record, read once: index 1..26 the colour table, 0 the default text
    // colour and 27 the default background.
    struct ColourValues {
        std::array<std::uint32_t, 28> value{};
        explicit ColourValues(const TTutorialConfig& config);
    };
    // NextColour reads from these values instead of the record, for a caller whose record does
    // not change while it reads (the chapter checker: its context's record is fixed). They must
    // be the record's own values and outlive their use; nullptr reads the record again (the
    // player's record may change while it runs).
    void SetColourValues(const ColourValues* values) { colours_ = values; }

    // Four numbers: start column, start row, end column, end row. With an empty operand text
    // nothing is read and the values stay as the caller set them.
    void Rectangle(int& startColumn, int& startRow, int& endColumn, int& endRow);

    // --- files -------------------------------------------------------------------------------
    // Each returns true when it reported an error.
    bool FileMustExist(std::string_view name);
    bool FileNameGiven(std::string_view name);
    bool FileNameValid(std::string_view name);
    // File commands work inside the project folder: an absolute name, a drive letter, a ".."
    // part, or a name whose real place (symbolic links followed, dangling ones too) lies
    // outside is reported ("The filename NAME in LINE is outside the tutorial folder.").
    bool FileOutsideProject(std::string_view name);
    // The file of a bare name in the project folder, ignoring case (the name as given when no
    // such file exists), and whether a regular file of that name exists inside the folder. With
    // a learner folder its file comes first.
    std::filesystem::path FilePath(std::string_view name) const;
    bool FileExists(std::string_view name) const;
    // The file to write for a bare name: FilePath without a learner folder; with one, the file
    // there, which starts as a copy of the project folder's file of that name when there is
    // one, so that appending keeps its lines. Throws IoError when that copy fails.
    std::filesystem::path WritePath(std::string_view name) const;
    // The folder that a path of FilePath or WritePath lies in (the learner folder or the
    // project folder): every read and write of it goes through that folder.
    TutorialFolder FolderOf(const std::filesystem::path& file) const;

    // Next field as a file name (the operand text is then cleared), and its first line. False
    // when the name is empty (reported), or when the file does not exist or cannot be read (not
    // reported; firstLine is then empty). `more` tells whether anything followed the name.
    bool FileFirstLine(std::string& firstLine, bool& more);
    // The first line of the named file (not reported when it is missing or unreadable).
    bool FirstLineOf(std::string_view name, std::string& firstLine);

    // --- text ----------------------------------------------------------------------------------
    // Letter identifiers: 'A'..'Z' give 1..26, 'a'..'z' 27..52, anything else -1.
    static int LetterSlot(char letter);
    // The length of display text without its two-character inline codes (~x, ^x, @x).
    static int VisibleLength(std::string_view text);

    // --- answers ------------------------------------------------------------------------------
    // Input length (at least 2) from the next field and the exact flag (anything after it); the
    // operand text is then cleared. Returns false after an invalid number.
    bool InputLengthAndExact(int& length, bool& exact);

    // The left legend, the right legend, and the button bar length (-1 when absent).
    void TwoLegendsAndLength(std::string& left, std::string& right, int& length);

    // Fetches the match list line and tests the answer against it: exact, one answer equals
    // it, case included; otherwise some non-empty answer occurs inside it, ignoring case. A
    // list of more than 10 answers is reported (the answers after the tenth would never be
    // tested) and does not match; so does a chapter that ends where the list should be.
    bool MatchListTest(std::string_view answer, bool exact, LineSource& lines);
    // The same with the list line already fetched (nothing: the chapter ended there).
    bool MatchListTest(std::string_view answer, bool exact, std::optional<std::string_view> list);

    // Reads `count` lines "match;action" into slots 1..count and, when `finalAction` is set,
    // one more line that must be a command into slot count + 1. Counts beyond the table (more
    // than 29 matches with a final action, more than 30 items without) are reported before any
    // line is read. Returns false after an error.
    bool ReadMatchTable(int count, bool finalAction, LineSource& lines);
    // The same, giving each row to `row(slot, match, action)` (slot 0..count, the final action
    // with an empty match) instead of keeping it in Table(); the views are the fetched lines'.
    template <class Row>
    bool ForEachMatchRow(int count, bool finalAction, LineSource& lines, Row&& row);
    // The action of the last slot 1..count whose match text matches the answer, else the final
    // action (slot count + 1).
    std::string ChooseAction(int count, std::string_view answer, bool exact) const;

    MatchTable& Table() { return table_; }
    const MatchTable& Table() const { return table_; }

    // Matching rule shared by the match list and the match table.
    static bool Matches(std::string_view candidate, std::string_view answer, bool exact);
    // The slot an answer chooses in a match table whose slot i has the match `matchOf(i)`: the
    // last of 0..count-1 that matches, else slot count (the final action); -1 when the table
    // leaves no room for a final action.
    template <class MatchOf>
    static int ChosenSlot(int count, std::string_view answer, bool exact, MatchOf&& matchOf) {
        count = std::clamp(count, 0, kMatchTableSlots);
        int winner = -1;
        for (int i = 0; i < count; ++i)
            if (Matches(matchOf(i), answer, exact)) winner = i;
        if (winner >= 0) return winner;
        return count < kMatchTableSlots ? count : -1;
    }

private:
    // The next field when it is one to four decimal digits, as most are: read and removed in one
    // pass (NumberFromText gives the same value). False, with nothing removed, for any other.
    bool TakeShortNumber(int& value) {
        const char* p = cur_.data();
        const std::size_t n = cur_.size();
        unsigned v = 0;
        std::size_t i = 0;
        for (const std::size_t limit = n < 5 ? n : 5; i < limit; ++i) {
            const unsigned d = static_cast<unsigned char>(p[i]) - static_cast<unsigned>('0');
            if (d >= 10) break;
            v = v * 10 + d;
        }
        if (i == 0 || i > 4) return false;
        if (i == n)
            cur_ = next_ != end_ ? *next_++ : std::string_view();
        else if (p[i] == ',')
            cur_.remove_prefix(i + 1);
        else
            return false;
        value = static_cast<int>(v);
        return true;
    }

    std::uint32_t ReadColour(bool textColour);  // NextColour in every case

    ErrorReport& report_;
    const TTutorialConfig& config_;
    std::filesystem::path projectDir_;
    std::filesystem::path learnerDir_;
    void JoinFields();
    std::string_view cur_;  // what is left of the operand text's current field
    const std::string_view* next_ = nullptr;  // the fields after it
    const std::string_view* end_ = nullptr;
    std::string joined_;  // the fields left, joined, once OperandText asked for them
    mutable std::string lineText_;  // read it through LineText()
    std::string_view lineView_;
    mutable bool lineOwned_ = true;
    bool stop_ = false;
    const ColourValues* colours_ = nullptr;
    MatchTable table_;
};

template <class Row>
bool Operands::ForEachMatchRow(int count, bool finalAction, LineSource& lines, Row&& row) {
    const int limit = finalAction ? kMatchTableSlots - 1 : kMatchTableSlots;
    if (count > limit) {
        Fail(LineText() + (finalAction ? " has more than 29 matches" : " has more than 30 items"));
        return false;
    }
    for (int i = 0; i < count; ++i) {
        const auto line = lines.FetchNextLineView();
        if (!line) {
            Fail(std::string(kNotEnoughMatches));
            return false;
        }
        const std::string_view text = *line;
        const std::size_t semi = FindByte(text, ';');
        if (semi == std::string_view::npos) {
            // No action: the whole line is the match text (or menu item), and choosing it does
            // nothing.
            row(i, text.substr(0, kMaxMatchLength), std::string_view());
            continue;
        }
        std::string_view action = text.substr(semi + 1);
        if (const std::size_t star = FindByte(action, '*'); star != std::string_view::npos)
            action = action.substr(star);
        row(i, text.substr(0, std::min(semi, kMaxMatchLength)), action.substr(0, kMaxMatchLength));
    }
    if (!finalAction) return true;
    const auto last = lines.FetchNextLineView();
    if (!last) {
        Fail(std::string(kNotEnoughMatches));
        return false;
    }
    if (last->empty() || (*last)[0] != '*') {
        Fail(std::string(kFinalActionMissing));
        return false;
    }
    row(count < 0 ? 0 : count, std::string_view(), last->substr(0, kMaxMatchLength));
    return true;
}

}  // namespace quill
