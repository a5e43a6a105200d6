#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "../format/test_folder.h"
#include "editor/chapter_editor.h"
#include "platform/modal.h"
#include "text/file_lookup.h"
#include "platform/platform.h"
#include "window_driver.h"
#include "../qstring_printer.h"

using namespace quill;
using namespace quill::test;
namespace fs = std::filesystem;

namespace {

const QString kRule = "The Chapter filename must start with the Project Name demo";
const QString kModified = "The Chapter has been modified. Do you want to save it?";

struct ChapterEditorFixture : ::testing::Test {
    TempFolder home;
    Project project = [this] {
        Project p(home.path());
        NewTutorial(p, home / "t", "demo");
        return p;
    }();
    RecordingPlatform rec{home.path()};
    RecordingChapterRunner runner;
    ChapterEditor editor{project, rec.platform(), runner};

    ChapterEditorFixture() {
        editor.show();
        QApplication::setActiveWindow(&editor);
    }

    QPushButton* button(const char* name) { return editor.findChild<QPushButton*>(name); }
    QPlainTextEdit* memo() { return editor.ChapterText(); }
    std::string onDisk(const char* name) { return TempFolder::read(home / "t" / name); }
    QString tabText() { return editor.findChild<QTabWidget*>("PageControl1")->tabText(0); }

    // Answers the name prompt with each name in turn, pressing "Save" after each (or Cancel
    // for an empty list).
    void answerPrompt(std::vector<QString> names) {
        WhenShown("TChapNameForm", [names](QWidget* prompt) {
            if (names.empty()) return Child<QPushButton>(prompt, "CancelBtn")->click();
            for (const QString& name : names) {
                Child<QLineEdit>(prompt, "NameEdit")->setText(name);
                Child<QPushButton>(prompt, "SaveBtn")->click();
            }
        });
    }
    void saveAs(std::vector<QString> names) {
        answerPrompt(std::move(names));
        button("SaveBtn")->click();
    }
};

}  // namespace

TEST_F(ChapterEditorFixture, SavesUnderARightNameOnlyAsWindowsBytesWithCrLf) {
    QTest::keyClicks(memo(), "*ClearScreen Blue");
    memo()->insertPlainText(QString::fromUtf8("\nCafé ö £ €\n"));
    ASSERT_TRUE(editor.Modified());
    saveAs({"intro", "mydemo1", "Demo1.txt"});
    EXPECT_EQ(rec.messages.Texts(RecordingMessages::Kind::Error), (std::vector<QString>{kRule, kRule}));
    EXPECT_EQ(onDisk("Demo1.QKS"), "*ClearScreen Blue\r\nCaf\xE9 \xF6 \xA3 \x80\r\n");
    EXPECT_EQ(editor.ChapterFile(), "Demo1.QKS");
    EXPECT_EQ(tabText(), "Demo1.QKS");
    EXPECT_FALSE(editor.Modified());

    // The prompt starts with the current name; cancelling it writes nothing.
    memo()->appendPlainText("more");
    WhenShown("TChapNameForm", [](QWidget* prompt) {
        EXPECT_EQ(Child<QLineEdit>(prompt, "NameEdit")->text(), "Demo1.QKS");
        Child<QPushButton>(prompt, "CancelBtn")->click();
    });
    button("SaveBtn")->click();
    EXPECT_EQ(onDisk("Demo1.QKS"), "*ClearScreen Blue\r\nCaf\xE9 \xF6 \xA3 \x80\r\n");
    EXPECT_TRUE(editor.Modified());
}

TEST_F(ChapterEditorFixture, NamesThatLeaveTheProjectFolderOrHoldBadCharactersAreRefused) {
    memo()->setPlainText("x");
    saveAs({"demo/../../evil", "demo\\", "demo1?", "DEMO2"});
    EXPECT_EQ(rec.messages.Texts(RecordingMessages::Kind::Error),
              (std::vector<QString>{kRule, kRule, "A correct filename must be entered."}));
    EXPECT_EQ(onDisk("DEMO2.QKS"), "x\r\n");
    EXPECT_FALSE(fs::exists(home / "evil.QKS"));
}

TEST_F(ChapterEditorFixture, ViewSavesWithoutAskingThenRunsTheChapter) {
    memo()->setPlainText("text");
    button("ViewBtn")->click();
    EXPECT_EQ(rec.messages.Texts(RecordingMessages::Kind::Error),
              std::vector<QString>{"The Chapter filename has not been specified.\r\n\r\nUse Save Chapter to name the file"});
    EXPECT_TRUE(runner.runs.empty());

    saveAs({"demo1"});
    memo()->setPlainText(QString::fromUtf8("*Wait\n£5"));
    rec.messages.Clear();
    button("ViewBtn")->click();
    EXPECT_TRUE(rec.messages.shown.empty());
    ASSERT_EQ(runner.runs.size(), 1u);
    EXPECT_EQ(runner.runs[0].chapterFile, "demo1.QKS");
    EXPECT_EQ(runner.runs[0].bytesOnDisk, "*Wait\r\n\xA3" "5\r\n");
    EXPECT_FALSE(editor.Modified());
    EXPECT_TRUE(editor.isVisible());

    // The editor comes back where it was, View after View (each run long enough for a window
    // manager to take the hidden window down and put it up again).
    runner.during = [] { QTest::qWait(150); };
    QTest::qWait(150);
    const QRect before = editor.frameGeometry();
    for (int i = 0; i < 3; ++i) {
        button("ViewBtn")->click();
        QTest::qWait(150);
    }
    EXPECT_EQ(editor.frameGeometry(), before);
}

TEST_F(ChapterEditorFixture, ViewKeepsTheEditorRunningWhenItIsShownModally) {
    ChapterEditor modal(project, rec.platform(), runner);
    bool visibleAfterView = false;
    QTimer::singleShot(20, &modal, [&] {
        modal.ChapterText()->setPlainText("*Wait");
        answerPrompt({"demo5"});
        modal.findChild<QPushButton*>("SaveBtn")->click();
        modal.findChild<QPushButton*>("ViewBtn")->click();
        QTimer::singleShot(20, &modal, [&] {
            visibleAfterView = modal.isVisible();
            modal.findChild<QPushButton*>("CloseBtn")->click();
        });
    });
    ShowModal(modal);
    EXPECT_EQ(runner.runs.size(), 1u);
    EXPECT_TRUE(visibleAfterView);
    EXPECT_TRUE(rec.messages.shown.empty());
}

TEST_F(ChapterEditorFixture, OpenFileLoadsTheChapterAndKeepsItsBytes) {
    home.write("t/DEMO2.qks", "*Heading 1 \xC4rger\n\x81odd\rlast");
    rec.dialogs.files = {home / "t" / "DEMO2.qks"};
    button("OpenBtn")->click();
    ASSERT_EQ(rec.dialogs.requests.size(), 1u);
    EXPECT_EQ(rec.dialogs.requests[0].file.filter, "Chapter Files|demo*.QKS");
    EXPECT_EQ(rec.dialogs.requests[0].file.defaultSuffix, "QKS");
    EXPECT_FALSE(rec.dialogs.requests[0].file.mustExist);  // a name of no file starts a new chapter
    EXPECT_EQ(memo()->toPlainText(), QString::fromUtf8("*Heading 1 Ärger\n\u0081odd\nlast"));
    EXPECT_EQ(editor.ChapterFile(), "DEMO2.QKS");
    EXPECT_EQ(tabText(), "DEMO2.QKS");
    EXPECT_FALSE(editor.Modified());
    saveAs({"DEMO2"});
    EXPECT_EQ(onDisk("DEMO2.qks"), "*Heading 1 \xC4rger\r\n\x81odd\r\nlast\r\n");

    // A name outside the project's chapters changes nothing; a new name starts empty.
    home.write("t/other.QKS", "o");
    rec.dialogs.files = {home / "t" / "other.QKS", home / "t" / "demo9.QKS"};
    button("OpenBtn")->click();
    EXPECT_EQ(rec.messages.Texts(RecordingMessages::Kind::Error), std::vector<QString>{kRule});
    EXPECT_EQ(editor.ChapterFile(), "DEMO2.QKS");
    button("OpenBtn")->click();
    EXPECT_EQ(memo()->toPlainText(), "");
    EXPECT_EQ(editor.ChapterFile(), "demo9.QKS");

    // Open refuses what Save would refuse: a name that is no valid file name is not opened.
    home.write("t/demo;1.QKS", "x");
    rec.dialogs.files = {home / "t" / "demo;1.QKS"};
    button("OpenBtn")->click();
    EXPECT_EQ(rec.messages.Texts(RecordingMessages::Kind::Error),
              (std::vector<QString>{kRule, "A correct filename must be entered."}));
    EXPECT_EQ(editor.ChapterFile(), "demo9.QKS");
}

TEST_F(ChapterEditorFixture, OpenFileOffersToSaveAModifiedChapter) {
    memo()->setPlainText("draft");
    memo()->document()->setModified(true);
    rec.messages.confirmAnswers = {true};
    answerPrompt({"demo3"});
    button("OpenBtn")->click();  // the open dialog then is cancelled
    EXPECT_EQ(rec.messages.Texts(RecordingMessages::Kind::Confirm), std::vector<QString>{kModified});
    EXPECT_EQ(onDisk("demo3.QKS"), "draft\r\n");
    EXPECT_EQ(rec.dialogs.requests.size(), 1u);
}

TEST_F(ChapterEditorFixture, ClosingAsksOnlyForAModifiedChapterAndClosesEitherWay) {
    button("CloseBtn")->click();
    EXPECT_TRUE(rec.messages.shown.empty());
    EXPECT_FALSE(editor.isVisible());

    editor.show();
    memo()->setPlainText("lost");
    memo()->document()->setModified(true);
    rec.messages.confirmAnswers = {false};
    button("CloseBtn")->click();
    EXPECT_EQ(rec.messages.Texts(RecordingMessages::Kind::Confirm), std::vector<QString>{kModified});
    EXPECT_FALSE(editor.isVisible());
    EXPECT_TRUE(ListByMask(home / "t", "*.QKS").empty());

    editor.show();
    memo()->document()->setModified(true);
    rec.messages.confirmAnswers = {true};
    answerPrompt({"demo4"});
    editor.close();  // the window's close box follows the same rule
    EXPECT_EQ(onDisk("demo4.QKS"), "lost\r\n");
    EXPECT_FALSE(editor.isVisible());
}

TEST_F(ChapterEditorFixture, MarkerButtonsInsertTheirTextAtTheCaret) {
    memo()->setPlainText("<>");
    QTextCursor c = memo()->textCursor();
    c.setPosition(1);
    memo()->setTextCursor(c);
    for (const char* name : {"RBtn", "BBtn", "IBtn", "UBtn", "SlowBtn", "HyperTextBtn"}) button(name)->click();
    EXPECT_EQ(memo()->toPlainText(), "<^R^B^I^U~$|>");
    memo()->selectAll();
    button("BBtn")->click();
    EXPECT_EQ(memo()->toPlainText(), "^B");
    EXPECT_EQ(QApplication::focusWidget(), memo());

    QStringList items;
    for (QAction* a : editor.ContextMenu()->actions()) items << (a->isSeparator() ? "-" : a->text());
    EXPECT_EQ(items, (QStringList{"Undo", "-", "Copy", "Paste", "Cut", "Delete", "-", "Select All"}));
    memo()->selectAll();
    editor.ContextMenu()->findChild<QAction*>("DeleteItem")->trigger();
    EXPECT_EQ(memo()->toPlainText(), "");
}

TEST_F(ChapterEditorFixture, DialogButtonsSayTheyAreNotAvailableUntilGivenAnAction) {
    button("DefineHyperBtn")->click();
    auto* commands = editor.findChild<QComboBox*>("CommandsCombo");
    ASSERT_EQ(commands->count(), 10);
    EXPECT_EQ(commands->itemText(7), "Non-Linear ");
    // " Commands" is drawn as an enabled caption, not greyed out.
    EXPECT_EQ(commands->placeholderText(), " Commands");
    EXPECT_EQ(commands->palette().color(QPalette::PlaceholderText), commands->palette().color(QPalette::ButtonText));
    EXPECT_NE(commands->palette().color(QPalette::PlaceholderText),
              commands->palette().color(QPalette::Disabled, QPalette::ButtonText));
    // Every category has its dialog; closing it inserts nothing.
    WhenShown("TLinearCommsForm", [](QWidget* w) { w->findChild<QPushButton*>("CloseBtn")->click(); });
    emit commands->activated(7);
    EXPECT_EQ(memo()->toPlainText(), "");
    EXPECT_EQ(rec.messages.Texts(RecordingMessages::Kind::Info),
              (std::vector<QString>{NotAvailableText("Define HyperText")}));
    editor.SetAction(control::CommandsCombo, [this] { editor.InsertAtCaret("*" + editor.CommandItem() + "\r\n"); });
    emit commands->activated(4);
    EXPECT_EQ(memo()->toPlainText(), "*Using Images\n");
}

TEST_F(ChapterEditorFixture, TheTextFileTabOpensAndSavesAnyTextFile) {
    home.write("notes/words.txt", "caf\xE9\r\nline");
    rec.dialogs.files = {home / "notes" / "words.txt", home / "notes" / "copy.txt"};
    button("OpenTextBtn")->click();
    EXPECT_EQ(editor.SideText()->toPlainText(), QString::fromUtf8("café\nline"));
    EXPECT_EQ(editor.findChild<QTabWidget*>("PageControl1")->tabText(1),
              QString::fromStdString((home / "notes" / "words.txt").string()));
    editor.SideText()->selectAll();
    button("CopyMarkedBtn")->click();
    EXPECT_EQ(QApplication::clipboard()->text(), QString::fromUtf8("café\nline"));
    button("PasteTextBtn")->click();
    EXPECT_TRUE(editor.Modified());
    button("SaveTextBtn")->click();
    EXPECT_EQ(rec.dialogs.requests.back().file.fileName,
              QString::fromStdString((home / "notes" / "words.txt").string()));
    EXPECT_EQ(onDisk("../notes/copy.txt"), "caf\xE9\r\nline\r\n");
    EXPECT_TRUE(editor.Modified());
}

TEST_F(ChapterEditorFixture, EveryByteAndLongLinesSurviveOpenAndSave) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        if (b != '\r' && b != '\n') all += static_cast<char>(b);
    const std::string longLine(1'000'000, 'x');
    home.write("t/demo7.QKS", all + "\r\n" + longLine + "\r\n\xA0\xA0 nbsp\r\n");
    rec.dialogs.files = {home / "t" / "demo7.QKS"};
    button("OpenBtn")->click();
    EXPECT_FALSE(editor.Modified());
    saveAs({"demo7"});
    const std::string saved = onDisk("demo7.QKS");
    ASSERT_EQ(saved.size(), all.size() + longLine.size() + 13);
    EXPECT_EQ(saved.substr(0, all.size() + 2), all + "\r\n");
    EXPECT_EQ(saved.substr(saved.size() - 9), "\xA0\xA0 nbsp\r\n");
    EXPECT_TRUE(saved == all + "\r\n" + longLine + "\r\n\xA0\xA0 nbsp\r\n");
}

TEST_F(ChapterEditorFixture, AFailedSaveKeepsTheEditorOpenWithItsText) {
    fs::create_directories(home / "t" / "demo6.QKS");  // a folder where the file should go
    memo()->setPlainText("precious");
    memo()->document()->setModified(true);
    rec.messages.confirmAnswers = {true};
    answerPrompt({"demo6"});
    button("CloseBtn")->click();
    ASSERT_EQ(rec.messages.Texts(RecordingMessages::Kind::Error).size(), 1u);
    EXPECT_TRUE(rec.messages.LastText().contains("demo6.QKS")) << rec.messages.LastText();
    EXPECT_TRUE(editor.isVisible());
    EXPECT_TRUE(editor.Modified());
    EXPECT_EQ(editor.ChapterFile(), "");
    EXPECT_EQ(memo()->toPlainText(), "precious");
}

TEST_F(ChapterEditorFixture, EscapeKeepsTheEditorOpenWithItsText) {
    QTest::keyClicks(memo(), "unsaved work");
    QTest::keyClick(memo(), Qt::Key_Escape);
    QTest::keyClick(&editor, Qt::Key_Escape);
    EXPECT_TRUE(editor.isVisible());
    EXPECT_EQ(memo()->toPlainText(), QStringLiteral("unsaved work"));
    EXPECT_TRUE(editor.Modified());
    EXPECT_TRUE(rec.messages.shown.empty());  // no save question either
    // "&Close" still closes, after the question.
    rec.messages.confirmAnswers = {false};
    button("CloseBtn")->click();
    EXPECT_FALSE(editor.isVisible());
    EXPECT_EQ(rec.messages.Texts(RecordingMessages::Kind::Confirm), std::vector<QString>{kModified});
}
