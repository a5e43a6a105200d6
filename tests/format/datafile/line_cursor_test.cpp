#include <gtest/gtest.h>

#include <random>

#include "datafile/line_cursor.h"
#include "text/text_file.h"

using namespace quill;

// The cursor splits exactly as SplitLines does, for short and long lines and any mix of line
// ends, and finds the lines that begin with a character.
TEST(LineCursor, SplitsLikeSplitLines) {
    std::mt19937 rng(7);
    for (int round = 0; round < 300; ++round) {
        std::string text;
        const int pieces = static_cast<int>(rng() % 40);
        for (int p = 0; p < pieces; ++p) {
            const std::size_t run = rng() % 3 == 0 ? rng() % 400 : rng() % 12;
            for (std::size_t i = 0; i < run; ++i) text += static_cast<char>("ab[]x "[rng() % 6]);
            text += std::string_view("\r\n\n\r\r\r\n[")[rng() % 8];
        }
        const auto expected = SplitLines(text);
        std::vector<std::string> got;
        LineCursor cursor(text);
        std::string_view line;
        while (cursor.next(line)) got.emplace_back(line);
        ASSERT_EQ(got, expected) << round;

        std::vector<std::string> headers, expectedHeaders;
        for (const auto& l : expected)
            if (!l.empty() && l[0] == '[') expectedHeaders.push_back(l);
        LineCursor scan(text);
        while (scan.nextStartingWith('[', line)) headers.emplace_back(line);
        ASSERT_EQ(headers, expectedHeaders) << round;
    }
}

TEST(LineCursor, SkippingIntoAHeaderDoesNotFindAnotherInIt) {
    const std::string text = "x\r\n[[a]\r\nb[c\n[d]";
    LineCursor cursor(text);
    std::vector<std::string> found;
    while (cursor.seekLineStartingWith('[')) {
        found.emplace_back(cursor.rest().substr(0, 3));
        cursor.skipByte();
    }
    EXPECT_EQ(found, (std::vector<std::string>{"[[a", "[d]"}));
}
