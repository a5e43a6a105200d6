#include "common/number_field.h"

#include <gtest/gtest.h>

#include "app/help_file_chooser.h"
#include "editor/commands/branch_tables.h"
#include "../../qstring_printer.h"

using namespace quill;

namespace {

const NumberFieldTexts kTexts{"max ", "min ", "missing"};

}  // namespace

TEST(NumberField, ReadsTheProjectsIntegerFormsAndNamesTheLimitItBreaks) {
    const struct {
        const char* text;
        bool onOk;
        bool ok;
        int value;
        const char* message;
        bool reset;
    } cases[] = {
        {"7", true, true, 7, "", false},
        {"  7  ", true, true, 7, "", false},
        {"+7", true, true, 7, "", false},
        {"$A", true, true, 10, "", false},
        {"-3", true, false, -3, "min 1", false},
        {"11", true, false, 11, "max 10", false},
        {"1", false, true, 1, "", false},
        {"10", false, true, 10, "", false},
        {"", false, true, 0, "", false},
        {"   ", false, true, 0, "", false},
        {"", true, false, 0, "missing", false},
        {"7a", true, false, 0, "That is not a valid number", true},
        {"7 7", true, false, 0, "That is not a valid number", true},
        {"-", true, false, 0, "That is not a valid number", true},
        {"2147483648", true, false, 0, "That is not a valid number", true},
        {"1.5", false, false, 0, "That is not a valid number", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("'") + c.text + "' onOk " + (c.onOk ? "yes" : "no"));
        const FieldCheck check = CheckNumberField(c.text, 1, 10, c.onOk, kTexts);
        EXPECT_EQ(check.ok, c.ok);
        EXPECT_EQ(check.value, c.value);
        EXPECT_EQ(check.message, QString(c.message));
        EXPECT_EQ(check.reset, c.reset);
    }
}

// The fields that had checkers of their own read a number alike now: blanks after it, a sign
// and the hexadecimal form pass everywhere, trailing text nowhere.
TEST(NumberField, TheQuizWizardAndTheHelpTopicReadNumbersAsTheCommandPromptsDo) {
    for (const QString& text : {QString("3 "), QString(" +3"), QString("$3")}) {
        SCOPED_TRACE(text.toStdString());
        EXPECT_EQ(CheckQuizField(QuizField::Answers, text).field, QuizField::None);
        EXPECT_EQ(ParseTopic(text), std::optional<int>(3));
    }
    EXPECT_EQ(CheckQuizField(QuizField::Answers, "3x").message, "That is not a valid number");
    EXPECT_EQ(CheckQuizField(QuizField::Row, "3x").reset, "18");
    EXPECT_EQ(ParseTopic("3x"), std::nullopt);
    EXPECT_EQ(ParseTopic(""), std::nullopt);
}
