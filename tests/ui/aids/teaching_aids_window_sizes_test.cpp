// Every window of the teaching aids menu, managers and editors fits a 1024 x 768 screen. With
// QUILLMARK_SNAPSHOT_DIR set, each is also saved there as a PNG, to look at.
#include <gtest/gtest.h>

#include <QTest>
#include <memory>

#include "aids/custom_colours_dialog.h"
#include "aids/entry_manager.h"
#include "aids/heading_styles_designer.h"
#include "aids/rich_text_entry_editor.h"
#include "aids/notes_file_chooser.h"
#include "aids/hypertext_entry_editor.h"
#include "aids/window_text_editor.h"
#include "aids/text_window_adjust.h"
#include "aids/teaching_aids_menu.h"
#include "aids/display_screen_designer.h"
#include "aids/window_text_viewer.h"
#include "aids_fixture.h"
#include "platform/snapshots.h"

using namespace quill;
using namespace quill::test;

struct TeachingAidsWindowSizes : AidsFixture {};

TEST_F(TeachingAidsWindowSizes, EveryWindowFitsA1024By768Screen) {
    std::unique_ptr<SnapshotWriter> snapshots;
    if (!qEnvironmentVariableIsEmpty("QUILLMARK_SNAPSHOT_DIR"))
        snapshots = std::make_unique<SnapshotWriter>(qEnvironmentVariable("QUILLMARK_SNAPSHOT_DIR").toStdString());
    SetConfigDefaults(project.Config);
    for (const char* name : {"a.bmp", "b.jpg", "c.bmp"}) Picture(home / name);
    AddCommandEntry(project.DataFilePath(), "Calc", 4, "UTILITY", "calc.exe");
    TScreenBackground settings;
    settings.TextWindowOff = false;
    settings.WindowColor = 0x00C0FFFF;
    const std::vector<std::string> text{"{\\rtf1 Hello \\b there\\b0\\par}"};

    std::vector<std::unique_ptr<QWidget>> windows;
    windows.push_back(std::make_unique<TeachingAidsMenu>(context));
    windows.push_back(std::make_unique<HypertextManager>(context));
    windows.push_back(std::make_unique<ProgramEntryManager>(context, "UTILITY"));
    windows.push_back(std::make_unique<ProgramEntryManager>(context, "EXECUTE"));
    windows.push_back(std::make_unique<WindowTextManager>(context));
    windows.push_back(std::make_unique<HypertextEntryEditor>(context, NewEntryDraft("HYPER", "safety rules")));
    windows.push_back(std::make_unique<UtilityEntryEditor>(context, NewEntryDraft("UTILITY", "")));
    windows.push_back(std::make_unique<RichTextEntryEditor>(context, settings, text, 1));
    windows.push_back(std::make_unique<RichTextEntryEditor>(context, settings, text, 2));
    windows.push_back(std::make_unique<WindowTextEditor>(context, ""));
    windows.push_back(std::make_unique<NotesFileChooser>(context, "NOTES.TXT"));
    windows.push_back(std::make_unique<HypertextWindowAdjuster>(context, settings, text));
    windows.push_back(std::make_unique<DisplayScreenDesigner>(context, settings, text));
    windows.push_back(std::make_unique<ViewportWindowAdjuster>(context, settings, text));
    windows.push_back(std::make_unique<WindowTextViewer>(context, text, "clYellow"));
    windows.push_back(std::make_unique<HeadingStylesDesigner>(context));
    windows.push_back(std::make_unique<CustomColoursDialog>(context));
    for (auto& window : windows) {
        window->show();
        QTest::qWait(60);
        EXPECT_LE(window->frameGeometry().width(), 1024) << window->objectName().toStdString();
        EXPECT_LE(window->frameGeometry().height(), 768) << window->objectName().toStdString();
        window->hide();
    }
    EXPECT_TRUE(rec.messages.shown.empty());
}
