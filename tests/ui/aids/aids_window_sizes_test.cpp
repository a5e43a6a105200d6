// Every window of the choosers, viewers and the notes editor fits a 1024 x 768 screen. With
// QUILLMARK_SNAPSHOT_DIR set, each is also saved there as a PNG, to look at.
#include <gtest/gtest.h>

#include <QTest>
#include <memory>

#include "common/media_preview.h"
#include "aids/notes_editor.h"
#include "aids/text_entry_display.h"
#include "aids/viewport_display.h"
#include "aids_fixture.h"
#include "common/entry_list_picker.h"
#include "editor/command_type_chooser.h"
#include "common/external_type_chooser.h"
#include "common/file_chooser.h"
#include "platform/snapshots.h"
#include "../../qstring_printer.h"

using namespace quill;
using namespace quill::test;

struct AidsWindowSizes : AidsFixture {};

TEST_F(AidsWindowSizes, EveryWindowFitsA1024By768Screen) {
    std::unique_ptr<SnapshotWriter> snapshots;
    if (!qEnvironmentVariableIsEmpty("QUILLMARK_SNAPSHOT_DIR"))
        snapshots = std::make_unique<SnapshotWriter>(qEnvironmentVariable("QUILLMARK_SNAPSHOT_DIR").toStdString());
    for (const char* name : {"a.bmp", "b.jpg", "c.wav", "d.mid", "e.exe", "f.htm", "g.avi"}) InProject(name);
    TScreenBackground settings;
    settings.TextWindowOff = false;
    const std::vector<std::string> text{"{\\rtf1 Hello \\b there\\b0\\par}"};

    std::vector<std::unique_ptr<QWidget>> windows;
    windows.push_back(std::make_unique<GraphicChooser>(context, "a.bmp", 50));
    windows.push_back(std::make_unique<ImageChooser>(context));
    windows.push_back(std::make_unique<VoiceChooser>(context, "c.wav"));
    windows.push_back(std::make_unique<GraphicSoundChooser>(context, "a.bmp", "c.wav", 10));
    windows.push_back(std::make_unique<ProgramChooser>(context, "e.exe,-x"));
    windows.push_back(std::make_unique<WindowsProgramChooser>(context, "notepad f.htm"));
    windows.push_back(std::make_unique<HtmlPageChooser>(context, "f.htm"));
    windows.push_back(std::make_unique<VideoChooser>(context, "g.avi"));
    windows.push_back(std::make_unique<MidiChooser>(context, "d.mid"));
    windows.push_back(std::make_unique<EntryListPicker>(rec.platform(), "", QStringList{"one", "two"}, 0, 0));
    windows.push_back(std::make_unique<EntryFindPrompt>("one"));
    windows.push_back(std::make_unique<CommandTypeChooser>(context, " Opening Command Type ", 0, false, TCommandSetting{}));
    windows.push_back(std::make_unique<ExternalTypeChooser>(context, "", 4));
    windows.push_back(std::make_unique<ProgramTypeChooser>(context, "", 9));
    windows.push_back(std::make_unique<NotesEditor>(rec.platform(), home / "n.txt", "n.txt"));
    windows.push_back(std::make_unique<TextEntryDisplay>(settings, text, QPoint(0, 0)));
    windows.push_back(std::make_unique<ViewportDisplay>(context, "entry", settings, text));
    windows.push_back(std::make_unique<GraphicViewer>(QImage(10, 10, QImage::Format_RGB32), 0, std::filesystem::path()));
    for (auto& window : windows) {
        window->show();
        QTest::qWait(60);
        EXPECT_LE(window->frameGeometry().width(), 1024) << window->objectName();
        EXPECT_LE(window->frameGeometry().height(), 768) << window->objectName();
        window->hide();
    }
    EXPECT_TRUE(rec.messages.shown.empty());
}
