// The help pages speak of the windows that open them: F1 in a designer opens the page about that
// designer, and the pages name the buttons and groups the windows really have.
#include <vector>

#include "design/caption_dialogs.h"
#include "design/introduction_background_designer.h"
#include "design/introduction_designer.h"
#include "design_fixture.h"
#include "platform/help.h"

using namespace quill;
using namespace quill::test;

namespace {

const std::string& Book() {
    static const std::string book = TempFolder::read(std::filesystem::path(QUILL_SHIPPED_DIR) / "QUILLDESK.html");
    return book;
}

// The page of a topic: from its anchor to the next heading, lines joined by blanks.
std::string Page(int topic) {
    const std::string& book = Book();
    const auto at = book.find("name=\"topic-" + std::to_string(topic) + "\"");
    if (at == std::string::npos) return {};
    std::string page = book.substr(at, book.find("<h2>", at) - at);
    for (char& c : page)
        if (c == '\n' || c == '\r') c = ' ';
    return page;
}

}  // namespace

using HelpPagesTest = DesignFixture;

TEST_F(HelpPagesTest, IntroductionDesignersOpenTheirOwnPages) {
    TTutorialConfig c = project.Config;
    const std::vector<std::string> text{"{\\rtf1 Hello}"};
    IntroductionDesigner screen(project, rec.platform(), c, text);
    IntroductionBackgroundDesigner background(project, rec.platform(), c, text);
    CaptionTextDialog captions(rec.platform(), c);
    const struct {
        QWidget* window;
        const char* pageSays;
    } cases[] = {
        {&screen, "Use TitleBar"},
        {&background, "Screen Background"},
        {&captions, "captions of the introduction screen's menu bar"},
    };
    for (const auto& k : cases) {
        const int topic = HelpTopicOf(k.window);
        EXPECT_NE(topic, 450) << k.window->objectName().toStdString();
        EXPECT_NE(Page(topic).find(k.pageSays), std::string::npos) << k.window->objectName().toStdString();
    }
}

TEST(HelpPages, PagesNameTheControlsTheirWindowsHave) {
    const struct {
        int topic;
        const char* says;
        const char* never;
    } cases[] = {
        {245, "then <b>Select</b>", "then <b>OK</b>"},
        {600, "Beside each caption stands the name", "rename"},
        {620, "<b>Create WindowText</b> makes a new one", "<b>Define</b> makes"},
        {625, "<b>Show Coordinates</b>", "status line"},
        {631, "<b>Select Program type</b>", "Select HyperText type"},
        {631, "<b>Save</b> saves it", "<b>OK</b> saves"},
        {500, "longer than 40 characters", "58"},
    };
    for (const auto& c : cases) {
        const std::string page = Page(c.topic);
        EXPECT_NE(page.find(c.says), std::string::npos) << c.topic << ": " << c.says;
        EXPECT_EQ(page.find(c.never), std::string::npos) << c.topic << ": " << c.never;
    }
}
