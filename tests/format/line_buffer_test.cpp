// A chapter as one buffer: the same lines as SplitLines gives, in order and by index.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/line_buffer.h"
#include "text/text_file.h"

using namespace quill;

TEST(LineBuffer, GivesTheLinesSplitLinesGivesInOrderAndByIndex) {
    std::string many;
    for (int i = 0; i < 300; ++i) many += "line " + std::to_string(i) + (i % 3 == 0 ? "\r\n" : i % 3 == 1 ? "\n" : "\r");
    for (const std::string& text : {std::string(), std::string("a"), std::string("a\r\n"), std::string("a\r\n\r\n"),
                                   std::string("a\rb\nc\r\n"), std::string("\n\n"), std::string("\r\r\n\n"),
                                   std::string("x  \r\n\ty"), std::string("@JA \r\n&1\nx@\r@\r\n\r\n&"), many}) {
        SCOPED_TRACE(text.substr(0, 20));
        const std::vector<std::string> expected = SplitLines(text);
        const LineBuffer lines{std::string(text)};
        ASSERT_EQ(lines.size(), expected.size());
        EXPECT_EQ(lines.ToVector(), expected);
        std::vector<std::string> each;
        lines.ForEachLine([&](std::size_t i, std::string_view line) {
            EXPECT_EQ(i, each.size());
            each.emplace_back(line);
        });
        EXPECT_EQ(each, expected);
        // The lines starting with '@' or '&', noted while the bytes were split (also after a move).
        std::vector<std::size_t> markedAt;
        for (std::size_t i = 0; i < expected.size(); ++i)
            if (!expected[i].empty() && (expected[i][0] == '@' || expected[i][0] == '&')) markedAt.push_back(i);
        LineBuffer source{std::string(text)};
        const LineBuffer moved(std::move(source));
        for (const LineBuffer* buffer : {&lines, &moved}) {
            ASSERT_EQ(buffer->MarkedLines().size(), markedAt.size());
            for (std::size_t k = 0; k < markedAt.size(); ++k) {
                EXPECT_EQ(buffer->MarkedLines()[k].index, markedAt[k]);
                EXPECT_EQ(buffer->LineOf(buffer->MarkedLines()[k]), expected[markedAt[k]]);
            }
        }
        // By index, backwards and in jumps across the checkpoints.
        for (std::size_t i = lines.size(); i-- > 0;) EXPECT_EQ(lines[i], expected[i]) << i;
        for (std::size_t i = 0; i < lines.size(); i += 7) EXPECT_EQ(lines[i], expected[i]) << i;
        EXPECT_EQ(lines[lines.size()], "");
        // A cursor: in order, the same line again, jumps back and ahead, then in order from there.
        LineBuffer::Cursor cursor(lines);
        for (std::size_t i = 0; i < lines.size(); ++i) {
            EXPECT_EQ(cursor[i], expected[i]) << i;
            EXPECT_EQ(cursor[i], expected[i]) << i;
        }
        EXPECT_EQ(cursor[lines.size()], "");
        for (std::size_t from : {std::size_t{0}, lines.size() / 2, lines.size() / 3 + 65}) {
            for (std::size_t i = from; i < lines.size(); ++i) EXPECT_EQ(cursor[i], expected[i]) << from << " " << i;
            if (from < lines.size()) {
                EXPECT_EQ(cursor[from], expected[from]) << from;
            }
        }
    }
    // Lines given one by one stay as given, even one holding a line break of its own.
    const LineBuffer given(std::vector<std::string>{"x\ry", "", "z\n"});
    EXPECT_EQ(given.size(), 3u);
    EXPECT_EQ(given.ToVector(), (std::vector<std::string>{"x\ry", "", "z\n"}));
    EXPECT_EQ(given[0], "x\ry");
    std::vector<std::string> each;
    given.ForEachLine([&](std::size_t, std::string_view line) { each.emplace_back(line); });
    EXPECT_EQ(each, (std::vector<std::string>{"x\ry", "", "z\n"}));
    LineBuffer::Cursor cursor(given);
    EXPECT_EQ(cursor[0], "x\ry");
    EXPECT_EQ(cursor[1], "");
    EXPECT_EQ(cursor[2], "z\n");
    EXPECT_EQ(cursor[0], "x\ry");
    EXPECT_EQ(cursor[1], "");
    EXPECT_EQ(cursor[3], "");
    // Their marked lines too.
    const LineBuffer marked(std::vector<std::string>{"x", "@QQ1\r", "", "&"});
    ASSERT_EQ(marked.MarkedLines().size(), 2u);
    EXPECT_EQ(marked.MarkedLines()[0].index, 1u);
    EXPECT_EQ(marked.LineOf(marked.MarkedLines()[0]), "@QQ1\r");
    EXPECT_EQ(marked.MarkedLines()[1].index, 3u);
    EXPECT_EQ(marked.LineOf(marked.MarkedLines()[1]), "&");
}
