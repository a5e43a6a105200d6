// The help topics and the help book agree: every HelpTopic has its page in the book, every page
// its HelpTopic. Windows give their F1 and "Help" topics as HelpTopic enumerators, so a topic
// without a page cannot be written; this walk of the enum keeps the enum and the book together.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <regex>
#include <set>
#include <string>

#include "../format/test_folder.h"
#include "platform/help_topics.h"
#include "script/command_table.h"

namespace fs = std::filesystem;

namespace {

const fs::path kBook = fs::path(QUILL_SHIPPED_DIR) / "QUILLDESK.html";

std::set<int> BookTopics() {
    const std::string html = quill::test::TempFolder::read(kBook);
    std::set<int> out;
    static const std::regex anchor(R"re((?:name|id)="topic-(\d+)")re");
    for (auto it = std::sregex_iterator(html.begin(), html.end(), anchor); it != std::sregex_iterator(); ++it)
        out.insert(std::stoi((*it)[1].str()));
    return out;
}

}  // namespace

// Every enumerator has its page and every page its enumerator, each number once.
TEST(HelpTopics, TheTopicEnumAndTheBookAgree) {
    std::set<int> enumerated;
    for (const quill::HelpTopic topic : quill::kHelpTopics)
        EXPECT_TRUE(enumerated.insert(quill::TopicNumber(topic)).second) << quill::TopicNumber(topic) << " twice";
    EXPECT_EQ(enumerated, BookTopics());
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
