#include <gtest/gtest.h>

#include "text_codec.h"

using namespace quill;

TEST(TextCodec, WindowsCharactersSurviveTheTripThroughQString) {
    const std::string bytes = "caf\xE9 \xF6 \xA3 \x80 \x81";  // é ö £ € and an undefined byte
    const QString text = FromCp1252(bytes);
    EXPECT_EQ(text, QString::fromUtf8("café ö £ € \u0081"));
    EXPECT_EQ(ToCp1252(text), bytes);
}

TEST(TextCodec, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    EXPECT_EQ(ToCp1252(QString::fromUtf8("a\u4E2Db\U0001F600c")), "a?b?c");
}
