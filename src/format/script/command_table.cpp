#include "script/command_table.h"

#include <algorithm>
#include <array>

#include "script/script_messages.h"
#include "script/translate.h"
#include "text/find_byte.h"

namespace quill {

namespace {

using namespace cmd;
using R = CommandReader;

// ---- parses: each reads every operand and following line of its command -------------------------

// The following lines a command takes as data, up to `count` (fewer at the end of the chapter).
LineList TakeLines(R& r, int count) {
    LineList lines;
    for (int k = 0; k < count; ++k) {
        const auto line = r.NextLine();
        if (!line) break;
        lines.push_back(*line);
    }
    return lines;
}

// A file name up to the next comma, and whether a comma followed (the "exact" flag of the file
// input commands); the operand text is then used up.
Text NameAndExact(R& r, bool& exact) {
    exact = r.op.OperandTextHasComma();
    const Text name = r.op.NextFieldView();
    r.op.ClearOperandText();
    return name;
}

// Match table rows, `count` of them and, with `finalAction`, the final action after them.
RowList TakeMatchRows(R& r, int count, bool finalAction) {
    RowList rows;
    r.op.ForEachMatchRow(count, finalAction, r.lines, [&](int slot, Text match, Text action) {
        // The rows come in order of their slots.
        rows.grow(static_cast<std::size_t>(slot));
        rows.push_back({match, action});
    });
    return rows;
}

CommandValue ClearScreenP(R& r) { return ClearScreen{r.op.OperandTextEmpty() ? 0 : r.op.NextNumber()}; }
CommandValue WaitP(R&) { return Wait{}; }
CommandValue ExitP(R&) { return Exit{}; }
CommandValue TitleP(R& r) { return Title{r.op.OperandTextEmpty() ? Line() : Line(r.op.OperandText())}; }
CommandValue ControlsP(R& r) { return Controls{r.op.OperandText()}; }
CommandValue ExecuteP(R& r) { return Execute{r.op.OperandText()}; }

CommandValue PositionP(R& r) {
    Position v;
    ReadPositionOperands(r.op, r.letter, v.at);
    return v;
}
CommandValue HeadingP(R& r) {
    Heading v;
    v.name = r.op.NextFieldView();
    if (ReadNumbers(r.op, {&v.column, &v.row, &v.end}))
        if (auto error = HeadingError(r.op.Config(), v.name, v.column, v.row, v.end, r.op.LineView())) r.op.Fail(*error);
    v.text = r.op.OperandText();
    return v;
}
CommandValue WindowTextP(R& r) {
    WindowText v;
    ReadRectangle(r.op, v.c1, v.r1, v.c2, v.r2);
    v.name = r.op.OperandText();
    return v;
}
CommandValue DrawLineP(R& r) {
    DrawLine v;
    v.vertical = r.letter == 'V';
    ReadLineOperands(r.op, v.line);
    return v;
}
CommandValue BlinkP(R& r) {
    Blink v;
    ReadNumbers(r.op, {&v.column, &v.row, &v.count});
    ReadTextColours(r.op, v.text, v.back);
    v.words = r.op.OperandText();
    return v;
}
CommandValue DelayP(R& r) { return Delay{r.op.NextNumber()}; }
CommandValue PauseP(R&) { return Pause{}; }
CommandValue CenterTextP(R& r) {
    CenterText v;
    ReadNumbers(r.op, {&v.column, &v.row, &v.end});
    ReadTextColours(r.op, v.text, v.back);
    v.words = r.op.OperandText();
    return v;
}

CommandValue BoxP(R& r) {
    Box v;
    v.letter = r.letter;
    ReadBoxOperands(r.op, r.letter, v.box);
    if (v.box.popup) v.lines = TakeLines(r, v.box.lineCount);
    return v;
}
CommandValue SectionP(R& r) {
    Section v;
    v.letter = r.letter;
    ReadSectionOperands(r.op, r.letter, v.at);
    return v;
}

CommandValue ShowImageP(R& r) {
    ShowImage v;
    ReadNumbers(r.op, {&v.column, &v.row, &v.end});
    v.name = r.op.OperandText();
    r.Outside(v.name);
    return v;
}
CommandValue ScreenImageP(R& r) {
    ScreenImage v{r.op.OperandText()};
    r.Outside(v.name);
    return v;
}
CommandValue ImageHypertextP(R& r) {
    ImageHypertext v;
    ReadNumbers(r.op, {&v.column, &v.row});
    ReadTextColours(r.op, v.text, v.back);
    v.words = r.op.OperandText();
    return v;
}
CommandValue ImageLabelP(R& r) {
    ImageLabel v;
    ReadNumbers(r.op, {&v.column, &v.row, &v.end});
    ReadTextColours(r.op, v.text, v.back);
    v.words = r.op.OperandText();
    return v;
}

// A file name that must be given and valid, inside the folder.
void FileToWrite(R& r, Text name) {
    r.op.FileNameGiven(name);
    r.op.FileNameValid(name);
    r.Outside(name);
}

CommandValue DeleteFileP(R& r) {
    DeleteFile v{r.op.OperandText()};
    if (!v.name.empty()) r.Outside(v.name);
    return v;
}
CommandValue CopyFileP(R& r) {
    CopyFile v;
    if (!r.op.OperandTextHasComma()) r.op.Fail(msg::TwoFileNamesNeeded(r.op.LineText()));
    v.source = r.op.NextFieldView();
    v.target = r.op.OperandText();
    r.Outside(v.source);
    r.Outside(v.target);
    return v;
}
CommandValue PrintFileP(R& r) {
    PrintFile v;
    v.name = r.op.NextFieldView();
    v.heading = r.op.OperandText();
    r.Outside(v.name);
    return v;
}
CommandValue AddToFileP(R& r) {
    AddToFile v;
    v.name = r.op.NextFieldView();
    v.text = r.op.OperandText();
    FileToWrite(r, v.name);
    return v;
}
CommandValue DisplayFileP(R& r) {
    DisplayFile v{r.op.OperandText()};
    r.op.FileNameGiven(v.name);
    r.Outside(v.name);
    return v;
}
CommandValue InputToFileP(R& r) {
    InputToFile v;
    v.width = r.op.NextNumber();
    v.name = r.op.OperandText();
    FileToWrite(r, v.name);
    return v;
}
CommandValue MemoP(R& r) {
    Memo v;
    v.display = r.letter == 'M';
    ReadNumbers(r.op, {&v.width, &v.depth});
    v.name = r.op.OperandText();
    FileToWrite(r, v.name);
    return v;
}

CommandValue GetUserInputP(R& r) {
    GetUserInput v;
    const Text o = r.op.OperandText();
    v.slot = Operands::LetterSlot(o.empty() ? '\0' : o[0]);
    if (v.slot < 0) r.op.InvalidNumber();
    r.op.NextFieldView();  // the letter
    v.width = std::max(r.op.NextNumber(), 2);
    return v;
}
CommandValue QuickQuestionP(R& r) {
    QuickQuestion v;
    r.op.InputLengthAndExact(v.length, v.exact);
    v.list = r.NextLine();
    v.yes = r.NextLine();
    if (v.yes && !v.yes->empty()) v.no = r.NextLine();
    return v;
}
CommandValue FillInAnswerP(R& r) {
    FillInAnswer v;
    ReadNumbers(r.op, {&v.column, &v.row, &v.tries});
    v.colour = r.op.NextColour(true);
    v.answer = r.op.OperandText();
    return v;
}
CommandValue ReturnToQuizP(R&) { return ReturnToQuiz{}; }
CommandValue ExitQuizP(R&) { return ExitQuiz{}; }
CommandValue QuizAnswersP(R& r) {
    QuizAnswers v;
    ReadNumbers(r.op, {&v.count, &v.row});
    v.name = r.op.OperandText();
    v.texts = TakeLines(r, v.count);
    return v;
}

// The branches and the jumps of the same kind read the same operands into values of their own
// (what they do differs), so one parse serves each pair.
template <class V>
CommandValue FileExistsP(R& r) {
    V v{r.op.OperandText()};
    r.Outside(v.name);
    return v;
}
template <class V>
CommandValue FileInputP(R& r) {
    V v;
    v.name = NameAndExact(r, v.exact);
    r.Outside(v.name);
    r.op.FileNameGiven(v.name);
    v.list = r.NextLine();
    return v;
}
template <class V>
CommandValue InputP(R& r) {
    V v;
    r.op.InputLengthAndExact(v.length, v.exact);
    v.list = r.NextLine();
    return v;
}
template <class V>
CommandValue ButtonP(R& r) {
    V v;
    v.left = r.op.NextFieldView();
    v.right = r.op.NextFieldView();
    v.length = r.op.NextNumber();
    return v;
}

CommandValue JumpToLabelP(R& r) { return JumpToLabel{r.op.OperandText()}; }
CommandValue JumpToFileP(R& r) { return JumpToFile{r.op.OperandText()}; }
CommandValue PageBackToP(R& r) { return PageBackTo{r.op.OperandText()}; }
CommandValue JumpOnMatchP(R& r) {
    JumpOnMatch v;
    v.count = r.op.NextNumber();
    r.op.InputLengthAndExact(v.length, v.exact);
    v.count = std::max(v.count, 0);
    v.rows = TakeMatchRows(r, v.count, true);
    return v;
}
CommandValue JumpOnFileMatchP(R& r) {
    JumpOnFileMatch v;
    v.name = r.op.NextFieldView();
    r.op.FileNameGiven(v.name);
    r.Outside(v.name);
    v.count = std::max(r.op.NextNumber(), 0);
    v.exact = !r.op.OperandTextEmpty();
    v.rows = TakeMatchRows(r, v.count, true);
    return v;
}
CommandValue RejoinChapterP(R& r) {
    RejoinChapter v;
    v.file = r.op.NextFieldView();
    v.label = r.op.OperandText();
    r.Outside(v.file);
    return v;
}
CommandValue RejoinPageP(R&) { return RejoinPage{}; }
CommandValue ClearPageLabelP(R&) { return ClearPageLabel{}; }
CommandValue ChangePageLabelP(R& r) { return ChangePageLabel{r.op.OperandText()}; }
CommandValue JumpAndReturnP(R& r) {
    JumpAndReturn v;
    const Text o = r.op.OperandText();
    const std::size_t comma = FindByte(o, ',');
    if (comma == std::string_view::npos) {
        r.op.Fail(msg::LabelMissingFrom(r.op.LineText()));
        v.label = o;
        return v;
    }
    v.label = o.substr(0, comma);
    v.back = o.substr(comma + 1);
    return v;
}
CommandValue ReturnP(R&) { return Return{}; }
CommandValue BoxMenuP(R& r) {
    BoxMenu v;
    ReadRectangle(r.op, v.c1, v.r1, v.c2, v.r2);
    v.count = r.op.NextNumber();
    if (v.count >= 1) v.rows = TakeMatchRows(r, v.count, false);
    return v;
}
CommandValue ButtonMenuP(R& r) {
    ButtonMenu v;
    const int count = std::min(r.op.NextNumber(), kMatchTableSlots);
    for (int k = 0; k < count; ++k) {
        const auto line = r.NextLine();
        if (!line) break;
        // Three numbers, each ended by one blank, then the caption and ";" with the action.
        Text text = *line;
        MenuButton b;
        for (int* n : {&b.column, &b.row, &b.end}) {
            const std::size_t blank = text.find(' ');
            *n = r.op.NumberFromText(text.substr(0, blank));
            text = blank == std::string_view::npos ? Text() : text.substr(blank + 1);
        }
        const std::size_t semi = FindByte(text, ';');
        b.caption = text.substr(0, semi);
        if (semi != std::string_view::npos) b.action = text.substr(semi + 1, kMaxMatchLength);
        v.buttons.push_back(b);
    }
    return v;
}

CommandValue ControlButtonTagP(R& r) {
    ControlButtonTag v;
    const Text o = r.op.OperandText();
    v.button = o.empty() ? '\0' : o[0];
    if (v.button == '\0' || std::string_view("CHPQU").find(v.button) == std::string_view::npos)
        r.op.Fail(r.op.LineText() + std::string(kNotValidCommand));
    const std::size_t comma = FindByte(o, ',');
    v.legend = comma == std::string_view::npos ? Text() : o.substr(comma + 1);
    return v;
}
CommandValue HypertextColorP(R& r) {
    HypertextColor v;
    ReadTextColours(r.op, v.text, v.back);
    return v;
}
CommandValue BarColourP(R& r) { return BarColour{r.letter, r.op.NextColour(true)}; }
CommandValue NotePadP(R& r) {
    NotePad v{r.op.OperandText()};
    r.op.FileNameGiven(v.name);
    r.Outside(v.name);
    return v;
}


// One row per command. A new command is a row here (its parse above), a value type in
// commands.h and an action in the player; commands.h walks through the steps.
constexpr CommandSpec kTable[] = {
    {"*CLEARSCREEN", ":FE", "c", ClearScreenP},
    {"*WAIT", ":FW", "", WaitP},
    {"*EXIT", ":X", "", ExitP},
    {"*TITLE", ":FT", "R", TitleP},
    {"*CONTROLS", ":FB", "L", ControlsP},
    {"*EXECUTE", ":FX", "r", ExecuteP},
    {"*COLUMN", ":SC", "r", PositionP},
    {"*ROW", ":SR", "r", PositionP},
    {"*COLROW", ":SC", "wr", PositionP},
    {"*HEADING", ":SH", "wwwwr", HeadingP},
    {"*WINDOWTEXT", ":SW", "wwwwr", WindowTextP},
    {"*VLINE", ":SV", "wwwwo", DrawLineP},
    {"*HLINE", ":SZ", "wwwwo", DrawLineP},
    {"*BLINK", ":SB", "wwwccr", BlinkP},
    {"*DELAY", ":SD", "r", DelayP},
    {"*PAUSE", ":SP", "", PauseP},
    {"*CENTERTEXT", ":ST", "wwwccr", CenterTextP},
    {"*PLAINBOX", ":BN", "wwwwo", BoxP},
    {"*ROUNDBOX", ":BR", "wwwwo", BoxP},
    {"*BORDERBOX", ":BS", "wcwwwwo", BoxP},
    {"*ROUNDBORDERBOX", ":BF", "wcwwwwo", BoxP},
    {"*POPUPBOX", ":BP", "wwwwwcR", BoxP},
    {"*ROUNDPOPUP", ":BC", "wwwwwcR", BoxP},
    {"*BORDERPOPUP", ":BU", "wcwwwwwcR", BoxP},
    {"*ROUNDBORDERPOPUP", ":BT", "wcwwwwwcR", BoxP},
    {"*CLEARROW", ":ER", "wwwo", SectionP},
    {"*CLEARSECTION", ":ES", "wwwwo", SectionP},
    {"*COPYSECTION", ":EC", "wwwwwwo", SectionP},
    {"*MOVESECTION", ":EM", "wwwwwwo", SectionP},
    {"*SHOWIMAGE", ":IP", "wwwr", ShowImageP},
    {"*SCREENIMAGE", ":IF", "w", ScreenImageP},
    {"*IMAGEHYPERTEXT", ":IH", "wwccr", ImageHypertextP},
    {"*IMAGELABEL", ":IL", "wwwccr", ImageLabelP},
    {"*DELETEFILE", ":RD", "w", DeleteFileP},
    {"*COPYFILE", ":RC", "ww", CopyFileP},
    {"*PRINTFILE", ":RP", "wr", PrintFileP},
    {"*ADDTOFILE", ":RA", "wR", AddToFileP},
    {"*DISPLAYFILE", ":RS", "w", DisplayFileP},
    {"*INPUTTOFILE", ":RI", "wr", InputToFileP},
    {"*MEMOTOFILE", ":RL", "wwr", MemoP},
    {"*DISPLAYMEMO", ":RM", "wwr", MemoP},
    {"*GETUSERINPUT", ":QU", "wr", GetUserInputP},
    {"*QUICKQUESTION", ":QQ", "wR", QuickQuestionP},
    {"*FILLINANSWER", ":QF", "wwwcr", FillInAnswerP},
    {"*BRANCHONFILEEXISTS", ":LE", "r", FileExistsP<BranchOnFileExists>},
    {"*BRANCHONFILEINPUT", ":LF", "wR", FileInputP<BranchOnFileInput>},
    {"*BRANCHONINPUT", ":LI", "wR", InputP<BranchOnInput>},
    {"*BRANCHONBUTTON", ":LB", "wwR", ButtonP<BranchOnButton>},
    {"*RETURNTOQUIZ", ":QL", "", ReturnToQuizP},
    {"*EXITQUIZ", ":QC", "", ExitQuizP},
    {"*QUIZANSWERS", ":QA", "wwr", QuizAnswersP},
    {"*JUMPTOLABEL", ":JJ", "r", JumpToLabelP},
    {"*JUMPTOFILE", ":JN", "r", JumpToFileP},
    {"*PAGEBACKTO", ":JP", "r", PageBackToP},
    {"*JUMPONFILEEXISTS", ":JE", "r", FileExistsP<JumpOnFileExists>},
    {"*JUMPONFILEINPUT", ":JF", "wR", FileInputP<JumpOnFileInput>},
    {"*JUMPONINPUT", ":JI", "wR", InputP<JumpOnInput>},
    {"*JUMPONBUTTON", ":JB", "wwR", ButtonP<JumpOnButton>},
    {"*JUMPONMATCH", ":JM", "wwR", JumpOnMatchP},
    {"*JUMPONFILEMATCH", ":JL", "wwwR", JumpOnFileMatchP},
    {"*REJOINCHAPTER", ":JR", "wr", RejoinChapterP},
    {"*REJOINPAGE", ":JG", "", RejoinPageP},
    {"*CLEARPAGELABEL", ":JZ", "", ClearPageLabelP},
    {"*CHANGEPAGELABEL", ":JO", "r", ChangePageLabelP},
    {"*RETURNTOFILE", "@F", "F", nullptr},
    {"*JUMPANDRETURN", ":JK", "wr", JumpAndReturnP},
    {"*RETURN", ":JS", "", ReturnP},
    {"*BOXMENU", ":JX", "wwwwr", BoxMenuP},
    {"*BUTTONMENU", ":JU", "r", ButtonMenuP},
    {"*CONTROLBUTTONTAG", ":DC", "Br", ControlButtonTagP},
    {"*HYPERTEXTCOLOR", ":DH", "cc", HypertextColorP},
    {"*TITLETEXTCOLOR", ":DT", "c", BarColourP},
    {"*TITLEBARCOLOR", ":DB", "c", BarColourP},
    {"*CONTROLBARCOLOR", ":DP", "c", BarColourP},
    {"*NOTEPAD", ":DN", "r", NotePadP},
};

constexpr std::size_t kCount = std::size(kTable);

// Keywords are found through a hash table of row numbers (1-based, 0 for an empty slot), with
// the next slot taken on a collision. A keyword is looked at as three 64-bit words (its bytes,
// then zeros): the hash is three multiplications of them, not a step per byte, and a lookup
// compares those words with the row's.
constexpr std::size_t kHashSlots = 256;
constexpr PackedKeyword Pack(std::string_view keyword) {
    PackedKeyword packed{};
    for (std::size_t i = 0; i < keyword.size(); ++i)
        packed.words[i / 8] |= static_cast<std::uint64_t>(static_cast<unsigned char>(keyword[i])) << (8 * (i % 8));
    return packed;
}
constexpr std::size_t KeywordHash(const PackedKeyword& k) {
    return static_cast<std::size_t>(
        (k.words[0] * 0x9E3779B97F4A7C15ull ^ k.words[1] * 0xC2B2AE3D27D4EB4Full ^ k.words[2] * 0x165667B19E3779F9ull) >> 56);
}
static_assert(kHashSlots == 256, "the hash gives the top eight bits");
constexpr std::array<PackedKeyword, std::size(kTable)> kPacked = [] {
    std::array<PackedKeyword, std::size(kTable)> packed{};
    for (std::size_t i = 0; i < std::size(kTable); ++i) packed[i] = Pack(kTable[i].keyword);
    return packed;
}();
constexpr std::array<unsigned char, kHashSlots> kByKeyword = [] {
    std::array<unsigned char, kHashSlots> at{};
    for (std::size_t i = 0; i < kCount; ++i) {
        std::size_t slot = KeywordHash(kPacked[i]);
        while (at[slot] != 0) slot = (slot + 1) & (kHashSlots - 1);
        at[slot] = static_cast<unsigned char>(i + 1);
    }
    return at;
}();

constexpr bool KeywordsAreValid() {
    for (std::size_t i = 0; i < kCount; ++i) {
        if (kTable[i].keyword.size() > kMaxKeywordLength || kTable[i].keyword.size() < 2) return false;
        if (kTable[i].layout.size() > kMaxLayoutLength) return false;
        for (std::size_t j = 0; j < i; ++j)
            if (kTable[j].keyword == kTable[i].keyword) return false;
        for (char c : kTable[i].layout)
            if (std::string_view("wcorRLBF").find(c) == std::string_view::npos) return false;
    }
    return true;
}
static_assert(KeywordsAreValid(), "keywords unique and short, layouts short and of known letters");
static_assert(kMaxKeywordLength <= sizeof(PackedKeyword), "a keyword fits its three words");

// The row of each code ":GL" (group and letter upper-case ASCII), 1-based; 0 for none. Keywords
// that share a code (*COLUMN and *COLROW) share its parse; the first row wins.
constexpr std::array<unsigned char, 26 * 26> kByCode = [] {
    std::array<unsigned char, 26 * 26> at{};
    for (std::size_t i = 0; i < kCount; ++i) {
        const std::string_view code = kTable[i].code;
        if (code.size() != 3 || code[0] != ':') continue;
        auto& slot = at[static_cast<std::size_t>((code[1] - 'A') * 26 + (code[2] - 'A'))];
        if (slot == 0) slot = static_cast<unsigned char>(i + 1);
    }
    return at;
}();

constexpr std::size_t kExitRow = [] {
    for (std::size_t i = 0; i < kCount; ++i)
        if (kTable[i].code == ":X") return i;
    return kCount;
}();
static_assert(kExitRow < kCount);

}  // namespace

std::span<const CommandSpec> CommandTable() { return kTable; }

const CommandSpec* FindCommand(const PackedKeyword& upperKeyword, std::size_t size) {
    for (std::size_t slot = KeywordHash(upperKeyword);; slot = (slot + 1) & (kHashSlots - 1)) {
        const unsigned char row = kByKeyword[slot];
        if (row == 0) return nullptr;
        const PackedKeyword& k = kPacked[row - 1];
        if (k.words[0] == upperKeyword.words[0] && k.words[1] == upperKeyword.words[1] &&
            k.words[2] == upperKeyword.words[2] && kTable[row - 1].keyword.size() == size)
            return &kTable[row - 1];
    }
}

const CommandSpec* FindCommand(std::string_view upperKeyword) {
    if (upperKeyword.size() > kMaxKeywordLength) return nullptr;
    return FindCommand(Pack(upperKeyword), upperKeyword.size());
}

const CommandSpec* FindCode(std::string_view translated) {
    if (translated.size() < 2 || translated[0] != ':') return nullptr;
    if (translated[1] == 'X') return &kTable[kExitRow];
    if (translated.size() < 3) return nullptr;
    const char group = translated[1], letter = translated[2];
    if (group < 'A' || group > 'Z' || letter < 'A' || letter > 'Z') return nullptr;
    const unsigned char row = kByCode[static_cast<std::size_t>((group - 'A') * 26 + (letter - 'A'))];
    return row == 0 ? nullptr : &kTable[row - 1];
}

}  // namespace quill
