#include <gtest/gtest.h>

#include <QAction>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTextEdit>

#include "../format/test_folder.h"
#include "app/program_about_box.h"
#include "app/instruction_document.h"
#include "app/instructions_menu.h"
#include "app/main_window.h"
#include "platform/platform.h"
#include "platform/snapshots.h"
#include "text/errors.h"
#include "text/text_file.h"
#include "window_driver.h"
#include "../qstring_printer.h"

using namespace quill;
using namespace quill::test;
namespace fs = std::filesystem;

TEST(Instructions, RtfIsShownWithItsFormatting) {
    TempFolder dir;
    const fs::path file = dir.write("tuthow.RTF",
        "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 caf\\'e9 {\\b bold}\\par World}");
    QTextDocument doc;
    LoadInstructionDocument(file, &doc);
    EXPECT_EQ(doc.toPlainText(), QString::fromUtf8("café bold\nWorld"));
    const QTextCursor bold = doc.find("bold");
    ASSERT_FALSE(bold.isNull());
    EXPECT_EQ(bold.charFormat().fontWeight(), QFont::Bold);
    EXPECT_THROW(LoadInstructionDocument(dir / "missing.RTF", &doc), IoError);
}

TEST(Instructions, ShippedFilesOpenInTheReaderAndAMissingOneIsNamed) {
    RecordingPlatform rec;
    InstructionsMenu menu(QUILL_SHIPPED_DIR, rec.platform());
    menu.show();
    for (const char* button : {"HowBtn", "StepBtn"}) {
        QString caption, text;
        WhenShown("TReadForm", [&](QWidget* reader) {
            caption = reader->windowTitle();
            text = Child<QTextEdit>(reader, "RichEdit1")->toPlainText();
            EXPECT_FALSE(menu.isVisible());
            static_cast<QDialog*>(reader)->accept();
        });
        Child<QPushButton>(&menu, button)->click();
        EXPECT_TRUE(caption.endsWith(button == std::string("HowBtn") ? "/tuthow.RTF" : "/instruct.RTF")) << caption;
        EXPECT_TRUE(text.contains("Tutorial")) << text;
        EXPECT_FALSE(text.contains('\\') || text.contains("fonttbl") || text.contains('{'));
        EXPECT_TRUE(menu.isVisible());
    }
    EXPECT_TRUE(rec.messages.shown.empty());

    TempFolder empty;
    InstructionsMenu missing(empty.path(), rec.platform());
    Child<QPushButton>(&missing, "HowBtn")->click();
    EXPECT_EQ(rec.messages.Texts(RecordingMessages::Kind::Error),
              std::vector<QString>{"The Tutorial file " + QString::fromStdString((empty / "tuthow.RTF").string()) +
                                   " was not found"});
}

TEST(Instructions, ReaderOpensAtTheTopSoTheFirstSearchFindsTheFirstHit) {
    TempFolder dir;
    const fs::path file = dir.write("instruct.RTF", "{\\rtf1 one two one two\\par}");
    RecordingPlatform rec;
    InstructionReader reader(file, rec.platform());
    QTextEdit* text = reader.Text();
    EXPECT_EQ(text->textCursor().position(), 0);
    rec.dialogs.findSessions = {{FindRequest{"one", {}}}};
    reader.FindClick();
    EXPECT_EQ(text->textCursor().selectionStart(), 0);
}

TEST(Instructions, ReaderFindsFromTheSelectionAndPrints) {
    TempFolder dir;
    const fs::path file = dir.write("instruct.RTF", "{\\rtf1 one two one two\\par}");
    RecordingPlatform rec;
    InstructionReader reader(file, rec.platform());
    QTextEdit* text = reader.Text();
    QTextCursor c = text->textCursor();
    c.setPosition(4);
    c.setPosition(7, QTextCursor::KeepAnchor);  // "two"
    text->setTextCursor(c);
    // The selection becomes the search text; the dialog stays open for the next find.
    rec.dialogs.findSessions = {{FindRequest{"two", {}}, FindRequest{"absent", {}}}, {}};
    reader.FindClick();
    EXPECT_EQ(rec.dialogs.requests[0].title, "two");
    EXPECT_TRUE(rec.dialogs.findSetups[0].options);
    EXPECT_EQ(text->textCursor().selectionStart(), 12);  // "absent" missed: the selection stays
    // F3 finds again without the dialog; the dialog starts with the last search.
    rec.dialogs.findSessions = {};
    c.setPosition(0);
    text->setTextCursor(c);
    reader.findChild<QAction*>("FindAgainItem")->trigger();
    EXPECT_TRUE(text->textCursor().selectedText().isEmpty());  // the last search was "absent"
    rec.dialogs.findSessions = {{FindRequest{"ONE", {}}, FindRequest{"one", {}}}};
    reader.FindClick();
    EXPECT_EQ(rec.dialogs.requests.back().title, "absent");
    EXPECT_EQ(text->textCursor().selectionStart(), 8);
    reader.findChild<QAction*>("FindAgainItem")->trigger();
    EXPECT_EQ(text->textCursor().selectionStart(), 8);  // no third "one"
    c.setPosition(0);
    text->setTextCursor(c);
    reader.findChild<QAction*>("FindAgainItem")->trigger();
    EXPECT_EQ(text->textCursor().selectionStart(), 0);

    rec.dialogs.printAnswers = {true};
    rec.dialogs.printToPdf = dir / "out.pdf";
    reader.PrintClick();
    ASSERT_TRUE(fs::exists(dir / "out.pdf"));
    EXPECT_EQ(ReadFileBytes(dir / "out.pdf").substr(0, 5), "%PDF-");
    EXPECT_EQ(rec.dialogs.requests.back().title, QString::fromStdString(file.string()));
}

TEST(HelpBook, HasEveryTopicTheProgramOpens) {
    const std::string html = ReadFileBytes(fs::path(QUILL_SHIPPED_DIR) / "QUILLDESK.html");
    RecordingPlatform rec;
    Project project("/nowhere");
    RecordingChapterRunner runner;
    MainWindow form(project, rec.platform(), runner);
    std::set<int> topics = {105, 161, 1010};
    for (QWidget* w : form.findChildren<QWidget*>())
        if (HelpTopicOf(w)) topics.insert(HelpTopicOf(w));
    EXPECT_GE(topics.size(), 15u);
    for (int topic : topics)
        EXPECT_NE(html.find("name=\"topic-" + std::to_string(topic) + "\""), std::string::npos) << topic;
}

TEST(Snapshots, MainWindowAndAModalDialogAreSaved) {
    TempFolder dir;
    SnapshotWriter writer(dir / "shots");
    RecordingPlatform rec;
    Project project(dir.path());
    RecordingChapterRunner runner;
    MainWindow form(project, rec.platform(), runner);
    form.show();
    QTRY_VERIFY_WITH_TIMEOUT(form.findChild<QWidget*>("MenuPnl")->isVisible(), kEventWaitMs);
    WhenShown("TAboutForm", [](QWidget* about) {
        QTimer::singleShot(200, about, [about] { static_cast<QDialog*>(about)->accept(); });
    });
    form.findChild<QPushButton*>("AboutBtn")->click();
    QTRY_COMPARE_WITH_TIMEOUT(writer.Written(), 2, kEventWaitMs);
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir / "shots")) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"001-TQMKmainform.png", "002-TAboutForm.png"}));
}
