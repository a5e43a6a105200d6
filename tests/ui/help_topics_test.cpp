// Every help topic the program passes to the help viewer has a page in the help book.
//
// The topics are collected from the sources of the windows by the names that carry them:
// a parameter, a field or a function whose name holds "help" or "topic" (an int parameter
// `int helpTopic`, a table field `int helpContext`, a function `ToolHelpContext`). Every whole
// number given to such a parameter or field, or returned by such a function, is a topic; so
// are the numbers of a "helpTopic" property in a Designer file. A new window that follows
// these names is covered without touching this test.
#include <gtest/gtest.h>

#include <QTextBrowser>
#include <QTextDocument>
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "../format/test_folder.h"
#include "platform/help.h"
#include "platform/help_topics.h"
#include "platform/messages.h"
#include "script/command_table.h"

namespace fs = std::filesystem;

namespace {

const fs::path kUiSources = fs::path(QUILL_SOURCE_DIR) / "src" / "ui";
const fs::path kBook = fs::path(QUILL_SHIPPED_DIR) / "QUILLDESK.html";

bool CarriesTopic(const std::string& name) {
    std::string lower = name;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    return lower.find("help") != std::string::npos || lower.find("topic") != std::string::npos;
}

bool IsIdentChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// The source without comments; string and character literals keep only their quotes, so no
// number or bracket inside them is seen.
std::string StripSource(const std::string& s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        if (s.compare(i, 2, "//") == 0) {
            while (i < s.size() && s[i] != '\n') ++i;
        } else if (s.compare(i, 2, "/*") == 0) {
            const auto end = s.find("*/", i + 2);
            i = end == std::string::npos ? s.size() : end + 2;
            out += ' ';
        } else if (s[i] == '"' || (s[i] == '\'' && !(i > 0 && std::isxdigit(static_cast<unsigned char>(s[i - 1]))))) {
            const char q = s[i++];
            while (i < s.size() && s[i] != q) i += s[i] == '\\' ? 2 : 1;
            ++i;
            out += q;
            out += q;
        } else {
            out += s[i++];
        }
    }
    return out;
}

// The text between the bracket at `open` and its partner; npos-safe.
std::string Balanced(const std::string& s, std::size_t open, std::size_t* end = nullptr) {
    const char o = s[open], c = o == '(' ? ')' : o == '{' ? '}' : ']';
    int depth = 0;
    for (std::size_t i = open; i < s.size(); ++i) {
        if (s[i] == o) ++depth;
        if (s[i] == c && --depth == 0) {
            if (end) *end = i;
            return s.substr(open + 1, i - open - 1);
        }
    }
    if (end) *end = s.size();
    return s.substr(open + 1);
}

// Splits at the commas outside brackets.
std::vector<std::string> SplitTop(const std::string& s, char sep = ',') {
    std::vector<std::string> parts;
    std::string cur;
    int depth = 0;
    for (char ch : s) {
        if (ch == '(' || ch == '{' || ch == '[') ++depth;
        if (ch == ')' || ch == '}' || ch == ']') --depth;
        if (ch == sep && depth == 0) {
            parts.push_back(cur);
            cur.clear();
        } else {
            cur += ch;
        }
    }
    if (!cur.empty() || !parts.empty()) parts.push_back(cur);
    return parts;
}

// The whole numbers above 0 in an expression, leaving out those compared with something
// (`mode == 2 ? 550 : 510` gives 550 and 510).
std::vector<int> Numbers(const std::string& expr) {
    std::vector<int> out;
    static const std::regex number(R"((^|[^\w.])(\d+)(?![\w.]))");
    for (auto it = std::sregex_iterator(expr.begin(), expr.end(), number); it != std::sregex_iterator(); ++it) {
        const auto at = static_cast<std::size_t>(it->position(2));
        const auto len = static_cast<std::size_t>(it->length(2));
        auto before = expr.find_last_not_of(" \t\n", at == 0 ? std::string::npos : at - 1);
        auto after = expr.find_first_not_of(" \t\n", at + len);
        auto compares = [](char c) { return c == '=' || c == '<' || c == '>' || c == '!'; };
        if (before != std::string::npos && at > 0 && compares(expr[before]) &&
            !(expr[before] == '=' && before > 0 && !compares(expr[before - 1])))
            continue;  // "== 2", "< 2" (a single "=" is an assignment and counts)
        if (after != std::string::npos && compares(expr[after])) continue;
        const int n = std::stoi((*it)[2].str());
        if (n > 0) out.push_back(n);
    }
    return out;
}

struct Source {
    std::string file;
    std::string text;  // stripped
    int LineOf(std::size_t at) const { return 1 + static_cast<int>(std::count(text.begin(), text.begin() + at, '\n')); }
};

class TopicCollector {
public:
    explicit TopicCollector(const fs::path& root) {
        for (const auto& e : fs::recursive_directory_iterator(root)) {
            const auto ext = e.path().extension();
            if (ext == ".ui") ScanDesignerFile(e.path());
            if (ext == ".h" || ext == ".cpp")
                sources_.push_back({fs::relative(e.path(), root).string(), StripSource(TempFolder::read(e.path()))});
        }
        for (const Source& s : sources_) FindCarriers(s);
        for (const Source& s : sources_) FindGivenNumbers(s);
    }

    // Topic -> where it was found ("file:line").
    std::map<int, std::string> topics;

private:
    using TempFolder = quill::test::TempFolder;

    void Add(const std::vector<int>& numbers, const std::string& where) {
        for (int n : numbers) topics.emplace(n, where);
    }

    void ScanDesignerFile(const fs::path& file) {
        const std::string xml = TempFolder::read(file);
        static const std::regex property(R"re(<property\s+name="helpTopic"[^>]*>\s*<number>(\d+)</number>)re");
        for (auto it = std::sregex_iterator(xml.begin(), xml.end(), property); it != std::sregex_iterator(); ++it)
            Add(Numbers((*it)[1].str()), file.filename().string());
    }

    // Functions and constructors with a topic parameter, structs with a topic field.
    void FindCarriers(const Source& s) {
        const std::string& t = s.text;
        static const std::regex topicParam(R"(^\s*(const\s+)?int\s+(\w+)\s*(=.*)?$)");
        for (std::size_t i = 0; i < t.size(); ++i) {
            if (t[i] != '(' || i == 0) continue;
            std::size_t j = i;
            while (j > 0 && t[j - 1] == ' ') --j;
            std::size_t k = j;
            while (k > 0 && IsIdentChar(t[k - 1])) --k;
            if (k == j) continue;
            const std::string name = t.substr(k, j - k);
            const auto params = SplitTop(Balanced(t, i));
            for (std::size_t p = 0; p < params.size(); ++p) {
                std::smatch m;
                if (std::regex_match(params[p], m, topicParam) && CarriesTopic(m[2].str()))
                    parameters_[name].insert(p);
            }
        }
        static const std::regex structHead(R"(\b(?:struct|class)\s+(\w+)[^;{(]*\{)");
        for (auto it = std::sregex_iterator(t.begin(), t.end(), structHead); it != std::sregex_iterator(); ++it) {
            const std::size_t open = static_cast<std::size_t>(it->position(0) + it->length(0) - 1);
            std::size_t index = 0;
            for (const std::string& member : SplitTop(Balanced(t, open), ';')) {
                if (member.find('(') != std::string::npos || member.find("using ") != std::string::npos ||
                    member.find("static ") != std::string::npos)
                    continue;
                std::string decl = member;
                const auto colon = decl.rfind(':');  // drop "public:" and friends
                if (colon != std::string::npos && decl.find("::") == std::string::npos) decl = decl.substr(colon + 1);
                if (decl.find_first_not_of(" \t\n}") == std::string::npos) continue;
                const auto names = SplitTop(decl);
                static const std::regex intField(R"(^\s*int\s+(\w+)\s*(=.*)?$)");
                for (const std::string& n : names) {
                    std::smatch m;
                    if (std::regex_match(n, m, intField) && CarriesTopic(m[1].str())) fields_[(*it)[1].str()].insert(index);
                    ++index;
                }
            }
        }
    }

    void FindGivenNumbers(const Source& s) {
        const std::string& t = s.text;
        auto where = [&](std::size_t at) { return s.file + ":" + std::to_string(s.LineOf(at)); };
        auto skipBlanks = [&](std::size_t i) {
            while (i < t.size() && std::isspace(static_cast<unsigned char>(t[i]))) ++i;
            return i;
        };
        for (std::size_t i = 0; i < t.size();) {
            if (!IsIdentChar(t[i]) || (i > 0 && IsIdentChar(t[i - 1]))) {
                ++i;
                continue;
            }
            std::size_t e = i;
            while (e < t.size() && IsIdentChar(t[e])) ++e;
            const std::string name = t.substr(i, e - i);
            const std::size_t start = i;
            i = e;
            if (std::isdigit(static_cast<unsigned char>(name[0]))) continue;

            // After the name: an optional ">" (make_unique<Name>), an optional variable name,
            // then the bracket of the arguments or of the aggregate.
            auto openAfter = [&](bool allowArray) -> std::size_t {
                std::size_t k = skipBlanks(e);
                if (k < t.size() && t[k] == '>') k = skipBlanks(k + 1);
                if (k < t.size() && (t[k] == '(' || t[k] == '{')) return k;
                std::size_t v = k;
                while (v < t.size() && IsIdentChar(t[v])) ++v;
                if (v == k) return std::string::npos;
                k = skipBlanks(v);
                if (allowArray && k < t.size() && t[k] == '[') {
                    while (k < t.size() && t[k] != ']') ++k;
                    k = skipBlanks(k + 1);
                }
                if (allowArray && k < t.size() && t[k] == '=') k = skipBlanks(k + 1);
                if (k < t.size() && (t[k] == '(' || t[k] == '{')) return k;
                return std::string::npos;
            };

            // A call of a function with a topic parameter, or an object made with arguments.
            if (const auto p = parameters_.find(name); p != parameters_.end()) {
                if (const std::size_t open = openAfter(false); open != std::string::npos) {
                    const auto args = SplitTop(Balanced(t, open));
                    for (std::size_t index : p->second)
                        if (index < args.size()) Add(Numbers(args[index]), where(open));
                }
            }
            // An aggregate of a struct with a topic field: one object, or a list of them.
            if (const auto f = fields_.find(name); f != fields_.end()) {
                const std::size_t open = openAfter(true);
                if (open != std::string::npos && t[open] == '{') {
                    const std::string body = Balanced(t, open);
                    const auto first = body.find_first_not_of(" \t\n");
                    std::vector<std::string> objects;
                    if (first != std::string::npos && body[first] == '{') {
                        for (const std::string& element : SplitTop(body)) {
                            const auto b = element.find('{');
                            if (b != std::string::npos) objects.push_back(Balanced(element, b));
                        }
                    } else {
                        objects.push_back(body);
                    }
                    for (const std::string& o : objects) {
                        const auto values = SplitTop(o);
                        for (std::size_t index : f->second)
                            if (index < values.size()) Add(Numbers(values[index]), where(open));
                    }
                }
            }
            if (!CarriesTopic(name)) continue;
            std::size_t k = skipBlanks(e);
            // An assignment of a number to a topic name (".helpContext = 600").
            if (k < t.size() && t[k] == '=' && k + 1 < t.size() && t[k + 1] != '=') {
                std::size_t v = skipBlanks(k + 1), d = v;
                while (d < t.size() && std::isdigit(static_cast<unsigned char>(t[d]))) ++d;
                if (d > v && (d >= t.size() || !IsIdentChar(t[d]))) Add(Numbers(t.substr(v, d - v)), where(start));
                continue;
            }
            // A function whose name carries a topic: the numbers it returns.
            if (k < t.size() && t[k] == '(') {
                std::size_t close = 0;
                Balanced(t, k, &close);
                std::size_t b = skipBlanks(close + 1);
                if (t.compare(b, 5, "const") == 0) b = skipBlanks(b + 5);
                if (t.compare(b, 8, "override") == 0) b = skipBlanks(b + 8);
                if (b < t.size() && t[b] == '{') {
                    const std::string body = Balanced(t, b);
                    for (std::size_t r = body.find("return"); r != std::string::npos; r = body.find("return", r + 6)) {
                        if ((r > 0 && IsIdentChar(body[r - 1])) || (r + 6 < body.size() && IsIdentChar(body[r + 6])))
                            continue;
                        Add(Numbers(body.substr(r + 6, body.find(';', r) - r - 6)), where(b));
                    }
                }
            }
        }
    }

    std::vector<Source> sources_;
    std::map<std::string, std::set<std::size_t>> parameters_;
    std::map<std::string, std::set<std::size_t>> fields_;
};

std::set<int> BookTopics() {
    const std::string html = quill::test::TempFolder::read(kBook);
    std::set<int> out;
    static const std::regex anchor(R"re((?:name|id)="topic-(\d+)")re");
    for (auto it = std::sregex_iterator(html.begin(), html.end(), anchor); it != std::sregex_iterator(); ++it)
        out.insert(std::stoi((*it)[1].str()));
    return out;
}

}  // namespace

TEST(HelpTopics, TheCollectorFindsTopicsInEveryForm) {
    // One of each way a topic is given: a call, a constructor argument, a table row, a struct
    // object, a function's return, a conditional, an error box with help.
    const std::string source = StripSource(R"(
        struct Row { int tag; const char* name; QString a, b; int helpContext; };
        struct Win { Win(Ctx& c, int helpTopic, QWidget* parent); };
        void SetHelpTopic(QWidget* w, int topic);
        int PickHelp(bool x) { if (x) return 701; return 702; }
        void f() {
            SetHelpTopic(this, mode_ == 2 ? 703 : 704);  // not 2
            Win w(ctx, 705, this);
            auto p = std::make_unique<Win>(ctx, 706, nullptr);
            static const std::vector<Row> rows{{1, "x", "", "", 707}, {2, "y", "", "", 708}};
            static const Row one{3, "z", "", "", 709};
            messages.ShowErrorHelp("a, b", 710);
        }
        void ShowErrorHelp(const QString& text, int topic);
    )");
    quill::test::TempFolder folder;
    folder.write("x.cpp", source);
    folder.write("y.ui", R"(<property name="helpTopic" stdset="0"><number>711</number></property>)");
    TopicCollector collector(folder.path());
    std::set<int> found;
    for (const auto& [topic, where] : collector.topics) found.insert(topic);
    EXPECT_EQ(found, (std::set<int>{701, 702, 703, 704, 705, 706, 707, 708, 709, 710, 711}));
}

TEST(HelpTopics, EveryTopicTheProgramUsesHasAPageInTheBook) {
    const TopicCollector collector(kUiSources);
    // A few that are known to be there, so a collector that finds nothing cannot pass.
    // (Windows that give a HelpTopic are checked by the walk of the enum below.)
    for (int known : {105, 120, 631})
        EXPECT_TRUE(collector.topics.count(known)) << "topic " << known << " was not found in the sources";
    const std::set<int> book = BookTopics();
    std::string missing;
    for (const auto& [topic, where] : collector.topics)
        if (!book.count(topic)) missing += "  topic-" + std::to_string(topic) + " (" + where + ")\n";
    EXPECT_EQ(missing, "") << "The help book " << kBook << " has no page for:\n" << missing;
}

// The enum of topics and the book agree: every enumerator has its page and every page its
// enumerator, each number once; every topic the windows give as a number or in a Designer file
// is one of them.
TEST(HelpTopics, TheTopicEnumAndTheBookAgree) {
    std::set<int> enumerated;
    for (const quill::HelpTopic topic : quill::kHelpTopics)
        EXPECT_TRUE(enumerated.insert(quill::TopicNumber(topic)).second) << quill::TopicNumber(topic) << " twice";
    EXPECT_EQ(enumerated, BookTopics());
    const TopicCollector collector(kUiSources);
    for (const auto& [topic, where] : collector.topics)
        EXPECT_TRUE(enumerated.count(topic)) << "topic " << topic << " (" << where << ") is not a HelpTopic";
    EXPECT_EQ(quill::TopicNumber(quill::HelpTopic::ChapterName), 161);
}

// The chapter-language reference names every command of the language.
TEST(HelpTopics, TheBookDescribesEveryCommand) {
    std::string html = quill::test::TempFolder::read(kBook);
    std::transform(html.begin(), html.end(), html.begin(), [](unsigned char c) { return std::toupper(c); });
    std::string missing;
    for (const quill::CommandSpec& command : quill::CommandTable()) {
        const std::string cell = "<CODE>" + std::string(command.keyword);
        if (html.find(cell + " ") == std::string::npos && html.find(cell + "<") == std::string::npos)
            missing += " " + std::string(command.keyword);
    }
    EXPECT_EQ(missing, "") << "no entry in the chapter-language reference";
    for (const char* section : {"NAME=\"LANGUAGE\"", "NAME=\"INLINE\"", "NAME=\"SAMPLE\"", "NAME=\"INDEX\""})
        EXPECT_NE(html.find(section), std::string::npos) << section;
}
