// What the chapter checker reports is what the player stops on: each fault chapter of the
// checker's table is run headless, and the player shows the checker's message while it runs
// the line the checker named.
#include <gtest/gtest.h>

#include "../../format/script/check_cases.h"
#include "engine_test_support.h"
#include "script/chapter_check.h"
#include "text_codec.h"

using namespace quill;
using namespace quill::test;

namespace {

TEST(CheckAgreement, ThePlayerStopsWhereTheCheckerReports) {
    for (const auto& c : FaultCases()) {
        SCOPED_TRACE(c.name);
        Tutorial t;
        WriteCheckFolder(t.dir());
        std::string chapter;
        for (const auto& l : c.lines) chapter += l + "\r\n";
        t.write("T1.QKS", chapter);

        const CheckContext context(t.project.Config, t.dir(), t.project.DataFilePath());
        // The error the player stops on; warnings (a label reached without a jump) stop nothing.
        auto problems = CheckChapter(c.lines, context);
        std::erase_if(problems, [](const ScriptProblem& p) { return p.warning; });
        ASSERT_EQ(problems.size(), 1u);

        Session s(t, QString::fromUtf8(c.answers));
        std::vector<std::pair<int, std::string>> errors;  // line running, message
        s.host.setMessageSink([&](const HostMessage& m) {
            if (m.kind == HostMessage::Kind::Error)
                errors.emplace_back(s.lines.empty() ? 0 : s.lines.back(), ToCp1252(m.text));
        });
        s.play("T1");
        ASSERT_FALSE(errors.empty());
        const std::size_t stopLine = c.stopLine ? c.stopLine : c.line;
        EXPECT_EQ(errors.front().first, static_cast<int>(stopLine));
        EXPECT_EQ(errors.front().second, problems[0].message);
        EXPECT_EQ(problems[0].line, c.line);
    }
}

}  // namespace
