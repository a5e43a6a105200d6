#include "script/command_table.h"

#include <algorithm>
#include <array>

namespace quill {

namespace {

constexpr CommandSpec kTable[] = {
    {"*CLEARSCREEN", ":FE", "c"},
    {"*WAIT", ":FW", ""},
    {"*EXIT", ":X", ""},
    {"*TITLE", ":FT", "R"},
    {"*CONTROLS", ":FB", "L"},
    {"*EXECUTE", ":FX", "r"},
    {"*COLUMN", ":SC", "r"},
    {"*ROW", ":SR", "r"},
    {"*COLROW", ":SC", "wr"},
    {"*HEADING", ":SH", "wwwwr"},
    {"*WINDOWTEXT", ":SW", "wwwwr"},
    {"*VLINE", ":SV", "wwwwo"},
    {"*HLINE", ":SZ", "wwwwo"},
    {"*BLINK", ":SB", "wwwccr"},
    {"*DELAY", ":SD", "r"},
    {"*PAUSE", ":SP", ""},
    {"*CENTERTEXT", ":ST", "wwwccr"},
    {"*PLAINBOX", ":BN", "wwwwo"},
    {"*ROUNDBOX", ":BR", "wwwwo"},
    {"*BORDERBOX", ":BS", "wcwwwwo"},
    {"*ROUNDBORDERBOX", ":BF", "wcwwwwo"},
    {"*POPUPBOX", ":BP", "wwwwwcR"},
    {"*ROUNDPOPUP", ":BC", "wwwwwcR"},
    {"*BORDERPOPUP", ":BU", "wcwwwwwcR"},
    {"*ROUNDBORDERPOPUP", ":BT", "wcwwwwwcR"},
    {"*CLEARROW", ":ER", "wwwo"},
    {"*CLEARSECTION", ":ES", "wwwwo"},
    {"*COPYSECTION", ":EC", "wwwwwwo"},
    {"*MOVESECTION", ":EM", "wwwwwwo"},
    {"*SHOWIMAGE", ":IP", "wwwr"},
    {"*SCREENIMAGE", ":IF", "w"},
    {"*IMAGEHYPERTEXT", ":IH", "wwccr"},
    {"*IMAGELABEL", ":IL", "wwwccr"},
    {"*DELETEFILE", ":RD", "w"},
    {"*COPYFILE", ":RC", "ww"},
    {"*PRINTFILE", ":RP", "wr"},
    {"*ADDTOFILE", ":RA", "wR"},
    {"*DISPLAYFILE", ":RS", "w"},
    {"*INPUTTOFILE", ":RI", "wr"},
    {"*MEMOTOFILE", ":RL", "wwr"},
    {"*DISPLAYMEMO", ":RM", "wwr"},
    {"*GETUSERINPUT", ":QU", "wr"},
    {"*QUICKQUESTION", ":QQ", "wR"},
    {"*FILLINANSWER", ":QF", "wwwcr"},
    {"*BRANCHONFILEEXISTS", ":LE", "r"},
    {"*BRANCHONFILEINPUT", ":LF", "wR"},
    {"*BRANCHONINPUT", ":LI", "wR"},
    {"*BRANCHONBUTTON", ":LB", "wwR"},
    {"*RETURNTOQUIZ", ":QL", ""},
    {"*EXITQUIZ", ":QC", ""},
    {"*QUIZANSWERS", ":QA", "wwr"},
    {"*JUMPTOLABEL", ":JJ", "r"},
    {"*JUMPTOFILE", ":JN", "r"},
    {"*PAGEBACKTO", ":JP", "r"},
    {"*JUMPONFILEEXISTS", ":JE", "r"},
    {"*JUMPONFILEINPUT", ":JF", "wR"},
    {"*JUMPONINPUT", ":JI", "wR"},
    {"*JUMPONBUTTON", ":JB", "wwR"},
    {"*JUMPONMATCH", ":JM", "wwR"},
    {"*JUMPONFILEMATCH", ":JL", "wwwR"},
    {"*REJOINCHAPTER", ":JR", "wr"},
    {"*REJOINPAGE", ":JG", ""},
    {"*CLEARPAGELABEL", ":JZ", ""},
    {"*CHANGEPAGELABEL", ":JO", "r"},
    {"*RETURNTOFILE", "@F", "F"},
    {"*JUMPANDRETURN", ":JK", "wr"},
    {"*RETURN", ":JS", ""},
    {"*BOXMENU", ":JX", "wwwwr"},
    {"*BUTTONMENU", ":JU", "r"},
    {"*CONTROLBUTTONTAG", ":DC", "Br"},
    {"*HYPERTEXTCOLOR", ":DH", "cc"},
    {"*TITLETEXTCOLOR", ":DT", "c"},
    {"*TITLEBARCOLOR", ":DB", "c"},
    {"*CONTROLBARCOLOR", ":DP", "c"},
    {"*NOTEPAD", ":DN", "r"},
};

constexpr std::size_t kCount = std::size(kTable);

// Indexes of kTable sorted by keyword, for a binary search.
constexpr std::array<unsigned char, kCount> kSorted = [] {
    std::array<unsigned char, kCount> idx{};
    for (std::size_t i = 0; i < kCount; ++i) idx[i] = static_cast<unsigned char>(i);
    std::sort(idx.begin(), idx.end(),
              [](unsigned char a, unsigned char b) { return kTable[a].keyword < kTable[b].keyword; });
    return idx;
}();

constexpr bool KeywordsAreValid() {
    for (std::size_t i = 0; i < kCount; ++i) {
        if (kTable[i].keyword.size() > kMaxKeywordLength) return false;
        if (i > 0 && kTable[kSorted[i - 1]].keyword == kTable[kSorted[i]].keyword) return false;
        for (char c : kTable[i].layout)
            if (std::string_view("wcorRLBF").find(c) == std::string_view::npos) return false;
    }
    return true;
}
static_assert(KeywordsAreValid(), "keywords unique and short, layouts of known letters");

}  // namespace

std::span<const CommandSpec> CommandTable() { return kTable; }

const CommandSpec* FindCommand(std::string_view upperKeyword) {
    std::size_t lo = 0, hi = kCount;
    while (lo < hi) {
        const std::size_t mid = (lo + hi) / 2;
        const auto& spec = kTable[kSorted[mid]];
        const int cmp = spec.keyword.compare(upperKeyword);
        if (cmp == 0) return &spec;
        if (cmp < 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    return nullptr;
}

}  // namespace quill
