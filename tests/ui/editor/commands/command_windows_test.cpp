// Every command dialog and prompt fits a 1024 x 768 screen and starts with the keyboard in a
// control that takes input. With QUILLMARK_SNAPSHOT_DIR set, each is also saved there as a PNG.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <memory>

#include "../../../format/test_folder.h"
#include "editor/commands/branch_forms.h"
#include "editor/commands/command_list_dialog.h"
#include "editor/commands/picker_forms.h"
#include "editor/commands/prompt_forms.h"
#include "editor/commands/scripted_prompter.h"
#include "platform/platform.h"
#include "platform/snapshots.h"
#include "project/config_record.h"
#include "text/text_file.h"

using namespace quill;

TEST(CommandWindows, EveryCommandDialogAndPromptFitsTheScreen) {
    std::unique_ptr<SnapshotWriter> snapshots;
    if (!qEnvironmentVariableIsEmpty("QUILLMARK_SNAPSHOT_DIR"))
        snapshots = std::make_unique<SnapshotWriter>(qEnvironmentVariable("QUILLMARK_SNAPSHOT_DIR").toStdString());
    RecordingPlatform rec;
    TTutorialConfig config;
    SetConfigDefaults(config);
    ScriptedPrompter prompter;
    CommandData data{config, [](std::string_view) { return std::vector<std::string>{}; }};

    std::vector<std::unique_ptr<QWidget>> windows;
    for (const CommandCategory& category : CommandCategories())
        windows.push_back(MakeCommsForm(category.item, rec.platform(), prompter, data, nullptr));
    windows.push_back(std::make_unique<TextPromptDialog>(rec.platform(), TextPrompt{"Enter the message to add to file", 1715, {}}));
    windows.push_back(std::make_unique<NumberPromptDialog>(rec.platform(), NumberPrompt{"Delay time (10 = 1 sec)", 1, 999, 100, 1350, {}}));
    windows.push_back(std::make_unique<ColumnRowPromptDialog>(
        rec.platform(), ColRowPrompt{"Enter the Column and Row to copy to", 1, 78, 1, 24, 1, 1, 1520}));
    windows.push_back(std::make_unique<ColourPicker>(rec.platform(), config, "Select Text Color", 0));
    windows.push_back(std::make_unique<HeadingPicker>(rec.platform(), config, 1330, nullptr));
    windows.push_back(std::make_unique<PopUpTextDialog>(rec.platform(), 1430));
    windows.push_back(std::make_unique<ControlButtonsPicker>(rec.platform(), 1220));
    windows.push_back(std::make_unique<MatchListDialog>(rec.platform(), 1815));
    windows.push_back(std::make_unique<MatchTableDialog>(rec.platform(), 1950));
    windows.push_back(std::make_unique<BoxMenuDialog>(rec.platform(), 2110));
    windows.push_back(std::make_unique<ButtonMenuDialog>(rec.platform(), 2115));
    windows.push_back(std::make_unique<QuizWizardDialog>(rec.platform(), 1825));
    windows.push_back(std::make_unique<ControlButtonTagPicker>(rec.platform(), 2210));
    for (auto& window : windows) {
        ASSERT_NE(window, nullptr);
        window->show();
        QApplication::setActiveWindow(window.get());
        QTest::qWait(120);
        const std::string name = window->objectName().toStdString();
        EXPECT_EQ(window->windowTitle(), "Press F1 for Help") << name;
        // Wide enough for the title beside the title bar's icon and buttons (about 120 pixels),
        // so a window manager does not cut it to "Press ... r Help".
        EXPECT_GE(window->width(), window->fontMetrics().horizontalAdvance(window->windowTitle()) + 120) << name;
        EXPECT_LE(window->frameGeometry().width(), 1024) << name;
        EXPECT_LE(window->frameGeometry().height(), 768) << name;
        ASSERT_NE(QApplication::focusWidget(), nullptr) << name;
        EXPECT_EQ(QApplication::focusWidget()->window(), window.get()) << name;
        window->hide();
    }
}

// "Explanation" and F1 open these topics: the help book has each of them.
TEST(CommandWindows, TheHelpBookExplainsEveryCategoryAndOption) {
    const std::string html = ReadFileBytes(std::filesystem::path(QUILL_SHIPPED_DIR) / "QUILLDESK.html");
    std::vector<int> topics;
    for (const CommandCategory& category : CommandCategories()) {
        topics.push_back(TopicNumber(category.baseTopic));
        for (const CommandGroup& group : category.groups)
            for (const CommandOption& option : group.options) topics.push_back(option.topic);
    }
    EXPECT_EQ(topics.size(), 84u);
    for (int topic : topics)
        EXPECT_NE(html.find("name=\"topic-" + std::to_string(topic) + "\""), std::string::npos) << topic;
}
