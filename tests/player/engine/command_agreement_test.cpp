// Agreement by construction, row by row: for every command of the table, lines with a bad
// operand, with a name outside the tutorial folder in each place, and without the lines the
// command reads after it, are checked by the chapter checker and run by the player. The player
// shows the checker's first error while it runs the line the checker names; where the checker
// finds no error, the player shows none, or one the checker warned of (what depends on the run).
#include <gtest/gtest.h>

#include <map>

#include "../../format/script/check_cases.h"
#include "engine_test_support.h"
#include "script/chapter_check.h"
#include "script/command_table.h"
#include "text_codec.h"

using namespace quill;
using namespace quill::test;

namespace {

// Answers that take the commands that wait past their wait.
const std::map<std::string_view, const char*>& AnswersOf() {
    static const std::map<std::string_view, const char*> answers = {
        {"*WAIT", "button C"},           {"*PAUSE", "key x"},
        {"*QUIZANSWERS", "key A"},       {"*GETUSERINPUT", "text a"},
        {"*QUICKQUESTION", "text a"},    {"*INPUTTOFILE", "text a"},
        {"*BRANCHONINPUT", "text a"},    {"*JUMPONINPUT", "text a"},
        {"*JUMPONMATCH", "text a"},      {"*BRANCHONBUTTON", "choice left"},
        {"*JUMPONBUTTON", "choice left"}, {"*MEMOTOFILE", "memo a\nok"},
        {"*FILLINANSWER", "key x\nkey x\nkey x"}, {"*BOXMENU", "list 1"},
        {"*BUTTONMENU", "menu 1"},
    };
    return answers;
}

struct Outcome {
    std::size_t line = 0;  // 0: none
    std::string message;
};

class CommandAgreement : public ::testing::Test {
protected:
    CommandAgreement() { WriteCheckFolder(t.dir()); }

    // The chapter through the checker and the player: what each stops on.
    void Agree(const std::vector<std::string>& lines, const char* answers) {
        std::string chapter;
        for (const auto& l : lines) chapter += l + "\r\n";
        t.write("T1.QKS", chapter);
        const CheckContext context(t.project.Config, t.dir(), t.project.DataFilePath());
        const auto problems = CheckChapter(lines, context);

        Session s(t, QString::fromUtf8(answers));
        Outcome played;
        s.host.setMessageSink([&](const HostMessage& m) {
            if (m.kind == HostMessage::Kind::Error && played.line == 0)
                played = {s.lines.empty() ? 0u : static_cast<std::size_t>(s.lines.back()), ToCp1252(m.text)};
        });
        s.play("T1");
        ASSERT_FALSE(s.host.answerRefused()) << played.message;

        // The checker reports both ways of a branch or a quiz; the player takes one of them.
        auto reported = [&](bool warningsToo) {
            return std::any_of(problems.begin(), problems.end(), [&](const ScriptProblem& p) {
                return (warningsToo || !p.warning) && p.line == played.line && p.message == played.message;
            });
        };
        const auto error = std::find_if(problems.begin(), problems.end(), [](const ScriptProblem& p) { return !p.warning; });
        if (error != problems.end()) {
            EXPECT_EQ(played.line, error->line) << error->message;
            EXPECT_TRUE(reported(false)) << "the player stopped on line " << played.line << ": " << played.message
                                         << "\nthe checker: " << error->message;
            return;
        }
        if (played.line == 0) return;
        EXPECT_TRUE(reported(true)) << "the player stopped on line " << played.line << ": " << played.message;
    }

    Tutorial t;
};

TEST_F(CommandAgreement, EveryRowReportsAsThePlayerStops) {
    int rows = 0;
    for (const CommandSpec& row : CommandTable()) {
        // *RETURNTOFILE is a marker line (the fault cases cover it); whether *RETURN finds a
        // label depends on the jumps the run took to get there.
        if (!row.parse || row.keyword == "*RETURN") continue;
        ++rows;
        const std::string keyword(row.keyword);
        const auto known = AnswersOf().find(row.keyword);
        const char* answers = known == AnswersOf().end() ? "" : known->second;
        // One word for each field of the layout, and one more for the rest of the line.
        const std::size_t fields = row.layout.size() + 1;
        auto line = [&](std::size_t at, const std::string& word) {
            std::string l = keyword;
            for (std::size_t i = 0; i < fields; ++i) {
                const char kind = i < row.layout.size() ? row.layout[i] : 'r';
                const char* good = kind == 'c' || kind == 'o' ? "Default" : kind == 'L' || kind == 'B' ? "C" : "1";
                l += " " + (i == at ? word : std::string(good));
            }
            return l;
        };
        // Without the lines it reads after it: the chapter ends there.
        {
            SCOPED_TRACE(line(fields, ""));
            Agree({line(fields, "")}, answers);
        }
        for (std::size_t at = 0; at < fields; ++at) {
            for (const char* word : {"x", "../out.txt", "/etc/hostname"}) {
                // A bad line, then lines it may read as data.
                const std::vector<std::string> chapter = {line(at, word), "1 1 1 a;*Exit", "1 1 1 b;*Exit", "*Exit"};
                SCOPED_TRACE(chapter[0]);
                Agree(chapter, answers);
            }
        }
    }
    EXPECT_EQ(rows + 2, static_cast<int>(CommandTable().size()));
}

}  // namespace
