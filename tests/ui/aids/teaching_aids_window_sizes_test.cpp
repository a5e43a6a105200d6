// Every window of the teaching aids menu, managers and editors fits a 1024 x 768 screen. With
// QUILLMARK_SNAPSHOT_DIR set, each is also saved there as a PNG, to look at.
#include <gtest/gtest.h>

#include <QTest>
#include <memory>

#include "aids/custcolor_form.h"
#include "aids/entry_manager_form.h"
#include "aids/head_form.h"
#include "aids/hyp_entry_form.h"
#include "aids/note_file_form.h"
#include "aids/quest_hyp_menu_form.h"
#include "aids/rtf_entry_form.h"
#include "aids/text_window_adjust.h"
#include "aids/tools_menu_form.h"
#include "aids/vp_design_back_form.h"
#include "aids/wtext_test_form.h"
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
    windows.push_back(std::make_unique<TToolsMenuForm>(context));
    windows.push_back(std::make_unique<Thypermenuform>(context));
    windows.push_back(std::make_unique<TExUtMenuform>(context, "UTILITY"));
    windows.push_back(std::make_unique<TExUtMenuform>(context, "EXECUTE"));
    windows.push_back(std::make_unique<TWinTextform>(context));
    windows.push_back(std::make_unique<TQuestHypMenuForm>(context, NewEntryDraft("HYPER", "safety rules")));
    windows.push_back(std::make_unique<TUTilExecForm>(context, NewEntryDraft("UTILITY", "")));
    windows.push_back(std::make_unique<THypEntryForm>(context, settings, text, 1));
    windows.push_back(std::make_unique<THypEntryForm>(context, settings, text, 2));
    windows.push_back(std::make_unique<TRTFEntryForm>(context, ""));
    windows.push_back(std::make_unique<TNoteFileForm>(context, "NOTES.TXT"));
    windows.push_back(std::make_unique<THypTextAdjForm>(context, settings, text));
    windows.push_back(std::make_unique<TVPDesignBackForm>(context, settings, text));
    windows.push_back(std::make_unique<TVPAdjustForm>(context, settings, text));
    windows.push_back(std::make_unique<TWTextTestForm>(context, text, "clYellow"));
    windows.push_back(std::make_unique<THeadForm>(context));
    windows.push_back(std::make_unique<Tcustcolorform>(context));
    for (auto& window : windows) {
        window->show();
        QTest::qWait(60);
        EXPECT_LE(window->frameGeometry().width(), 1024) << window->objectName().toStdString();
        EXPECT_LE(window->frameGeometry().height(), 768) << window->objectName().toStdString();
        window->hide();
    }
    EXPECT_TRUE(rec.messages.shown.empty());
}
