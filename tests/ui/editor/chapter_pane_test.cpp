#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>

#include "../../format/test_folder.h"
#include "common/chapter_runner.h"
#include "editor/chapter_edit.h"
#include "editor/chapter_highlighter.h"
#include "editor/chapter_pane.h"
#include "editor/chapter_editor.h"
#include "editor/problems_model.h"
#include "platform/platform.h"
#include "project/project.h"
#include "../window_driver.h"

using namespace quill;
using namespace quill::test;
namespace fs = std::filesystem;

namespace {

struct ChapterPaneFixture : ::testing::Test {
    TempFolder home;
    Project project = [this] {
        Project p(home.path());
        NewTutorial(p, home / "t", "demo");
        return p;
    }();
    RecordingPlatform rec{home.path()};
    RecordingChapterRunner runner;
    std::unique_ptr<ChapterEditor> editor = std::make_unique<ChapterEditor>(project, rec.platform(), runner);

    ChapterPaneFixture() { show(); }
    void show() {
        editor->show();
        QApplication::setActiveWindow(editor.get());
    }
    ChapterPane* pane() { return editor->Pane(); }
    ChapterEdit* edit() { return pane()->editor(); }
    QStringList marks() {
        pane()->waitForCheck();
        QStringList out;
        for (const auto& p : pane()->problems()->problems())
            out.push_back(QString::number(p.line) + ": " + QString::fromStdString(p.message));
        return out;
    }
    void typeAtLine(int line, const QString& text) {
        edit()->goToLine(line);
        QTextCursor c = edit()->textCursor();
        c.movePosition(QTextCursor::EndOfBlock);
        edit()->setTextCursor(c);
        QTest::keyClick(edit(), Qt::Key_Return);
        QTest::keyClicks(edit(), text);
    }
};

TEST_F(ChapterPaneFixture, ATypedFaultIsMarkedAtItsLineFixingItClearsItUndoBringsItBack) {
    edit()->setPlainText("*ClearScreen Blue\nHello\n*Wait");
    EXPECT_EQ(marks(), QStringList{});
    typeAtLine(2, "*ColRow 90 5");  // a new line 3
    EXPECT_EQ(marks(), QStringList{"3: *ColRow 90 5 - the Column must be between 1 and 79"});
    EXPECT_EQ(edit()->problemsAt(3), QStringList{"*ColRow 90 5 - the Column must be between 1 and 79"});
    ASSERT_EQ(edit()->extraSelections().size(), 1);
    EXPECT_EQ(edit()->extraSelections()[0].cursor.blockNumber(), 2);
    EXPECT_EQ(edit()->extraSelections()[0].cursor.selectedText(), "*ColRow 90 5");

    if (!qEnvironmentVariableIsEmpty("QUILLMARK_SNAPSHOT_DIR")) {  // to look at
        edit()->appendPlainText("; a comment\n@JStart\n&1\nText ^Bbold^R and |link|\n*Bogus\n:FE,27");
        pane()->showFindBar(true);
        marks();
        editor->grab().save(qEnvironmentVariable("QUILLMARK_SNAPSHOT_DIR") + "/chapter-pane.png");
        pane()->findChild<QPushButton*>("FindCloseBtn")->click();
        edit()->setPlainText("*ClearScreen Blue\nHello\n*ColRow 90 5\n*Wait");
        marks();
    }

    // The problems list jumps to the line.
    auto* list = pane()->findChild<QListView*>("ProblemsList");
    edit()->goToLine(1);
    emit list->activated(list->model()->index(0, 0));
    EXPECT_EQ(edit()->textCursor().blockNumber(), 2);

    // Fixing the column removes the mark.
    QTest::keyClick(edit(), Qt::Key_End);
    for (int i = 0; i < 2; ++i) QTest::keyClick(edit(), Qt::Key_Left);
    QTest::keyClick(edit(), Qt::Key_Backspace);
    QTest::keyClick(edit(), Qt::Key_Backspace);
    QTest::keyClicks(edit(), "9");
    EXPECT_EQ(edit()->document()->findBlockByNumber(2).text(), "*ColRow 9 5");
    EXPECT_EQ(marks(), QStringList{});
    EXPECT_TRUE(edit()->extraSelections().isEmpty());

    // Undo restores the text as it was, and the mark with it; redo takes it away again.
    auto line3 = [this] { return edit()->document()->findBlockByNumber(2).text(); };
    for (int i = 0; i < 3 && line3() != "*ColRow 90 5"; ++i) QTest::keyClick(edit(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(line3(), "*ColRow 90 5");
    EXPECT_EQ(marks().size(), 1);
    for (int i = 0; i < 3 && line3() != "*ColRow 9 5"; ++i) QTest::keyClick(edit(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(edit()->document()->findBlockByNumber(2).text(), "*ColRow 9 5");
    EXPECT_EQ(marks(), QStringList{});
}

TEST_F(ChapterPaneFixture, MarksFollowTheLinesInView) {
    QStringList lines;
    for (int i = 1; i <= 600; ++i) lines.push_back(i == 500 ? "*Row 99" : "Text");
    edit()->setPlainText(lines.join('\n'));
    EXPECT_EQ(marks(), QStringList{"500: *Row 99 - the Row must be between 1 and 27"});
    EXPECT_TRUE(edit()->extraSelections().isEmpty());
    edit()->goToLine(500);
    QApplication::processEvents();
    ASSERT_EQ(edit()->extraSelections().size(), 1);
    EXPECT_EQ(edit()->extraSelections()[0].cursor.blockNumber(), 499);
}

TEST_F(ChapterPaneFixture, ProblemsUseTheProjectsFilesAndEntries) {
    home.write("t/pic.bmp", "BM");
    edit()->setPlainText("*ShowImage 1 1 10 PIC.bmp\n*ScreenImage gone.bmp\n*WindowText 1 1 5 5 Intro\n*Execute Calc");
    EXPECT_EQ(marks(), (QStringList{"2: The Image file gone.bmp was not found",
                                    "3: The WindowText \"Intro\" was not found",
                                    "4: The \"Calc\" Executable has not been defined "}));
    EXPECT_EQ(pane()->problems()->errorCount(), 2);
    EXPECT_EQ(edit()->problemsAt(4), QStringList{"Warning: The \"Calc\" Executable has not been defined "});
}

TEST_F(ChapterPaneFixture, GoToTheLabelUnderTheCaret) {
    edit()->setPlainText("*JumpToLabel End\n*JumpOnMatch 1 5\nx;*JumpToLabel Mid\n*JumpToLabel Nowhere\n@JMid\n@JEnd");
    edit()->goToLine(1);
    QTest::keyClick(edit(), Qt::Key_F12);
    EXPECT_EQ(edit()->textCursor().blockNumber(), 5);
    edit()->goToLine(3);
    EXPECT_TRUE(edit()->goToLabelUnderCaret());
    EXPECT_EQ(edit()->textCursor().blockNumber(), 4);
    edit()->goToLine(4);
    EXPECT_FALSE(edit()->goToLabelUnderCaret());
    EXPECT_EQ(edit()->textCursor().blockNumber(), 3);
    EXPECT_EQ(JumpLabelOf("*JumpAndReturn Sub Back"), "Sub");
    EXPECT_EQ(JumpLabelOf(":JJ,Two words"), "Two words");
    EXPECT_EQ(JumpLabelOf("Display text"), std::nullopt);
}

TEST_F(ChapterPaneFixture, FindAndReplaceByKeyboardAndReplaceAllIsOneUndo) {
    edit()->setPlainText("red\nRed box\nblue");
    edit()->setFocus();
    QTest::keyClick(edit(), Qt::Key_H, Qt::ControlModifier);
    auto* find = pane()->findChild<QLineEdit*>("FindEdit");
    auto* with = pane()->findChild<QLineEdit*>("ReplaceEdit");
    ASSERT_TRUE(find->isVisible());
    EXPECT_TRUE(with->isVisible());
    QTest::keyClicks(find, "red");
    QTest::keyClick(find, Qt::Key_Return);
    EXPECT_EQ(edit()->textCursor().selectedText(), "red");
    with->setText("green");
    pane()->findChild<QPushButton*>("ReplaceAllBtn")->click();
    EXPECT_EQ(EditorText(edit()), "green\ngreen box\nblue");
    edit()->undo();
    EXPECT_EQ(EditorText(edit()), "red\nRed box\nblue");
    QTest::keyClick(find, Qt::Key_Escape);
    EXPECT_FALSE(find->isVisible());
}

TEST_F(ChapterPaneFixture, UnsavedTextIsOfferedBackAfterACrash) {
    home.write("t/demo1.QKS", "*Wait\r\n");
    rec.dialogs.files = {home / "t" / "demo1.QKS"};
    editor->OpenBtnClick();
    edit()->appendPlainText("typed but never saved");
    pane()->writeRecoveryNow();
    const fs::path kept = home / "t" / ChapterRecovery::kFolder / "DEMO1.QKS";
    ASSERT_TRUE(fs::exists(kept));
    editor.reset();  // the program ends without closing the editor

    // Opening the chapter again offers the text back; Yes restores it as unsaved changes.
    rec.messages.confirmAnswers = {true};
    editor = std::make_unique<ChapterEditor>(project, rec.platform(), runner);
    rec.dialogs.files = {home / "t" / "demo1.QKS"};
    editor->OpenBtnClick();
    ASSERT_EQ(rec.messages.Texts(RecordingMessages::Kind::Confirm).size(), 1u);
    EXPECT_TRUE(rec.messages.LastText().startsWith("The chapter demo1.QKS has unsaved changes"));
    EXPECT_EQ(EditorText(edit()), "*Wait\ntyped but never saved");
    EXPECT_TRUE(editor->Modified());
    EXPECT_EQ(TempFolder::read(home / "t" / "demo1.QKS"), "*Wait\r\n");

    // Saving writes the chapter's bytes and drops the recovery file.
    WhenShown("TChapNameForm", [](QWidget* prompt) { Child<QPushButton>(prompt, "SaveBtn")->click(); });
    editor->SaveBtnClick();
    EXPECT_EQ(TempFolder::read(home / "t" / "demo1.QKS"), "*Wait\r\ntyped but never saved\r\n");
    EXPECT_FALSE(fs::exists(kept));
}

TEST_F(ChapterPaneFixture, ARecoveredNewChapterCanBeRefused) {
    edit()->insertPlainText("new text");
    pane()->writeRecoveryNow();
    editor.reset();
    rec.messages.confirmAnswers = {false};
    editor = std::make_unique<ChapterEditor>(project, rec.platform(), runner);
    EXPECT_TRUE(rec.messages.LastText().startsWith("A new chapter has unsaved text"));
    EXPECT_EQ(EditorText(edit()), "");
    EXPECT_FALSE(fs::exists(home / "t" / ChapterRecovery::kFolder));
    // Closing on purpose leaves no recovery file behind.
    edit()->insertPlainText("more");
    pane()->writeRecoveryNow();
    ASSERT_TRUE(fs::exists(home / "t" / ChapterRecovery::kFolder));
    rec.messages.confirmAnswers = {false};
    editor->done(QDialog::Accepted);
    EXPECT_FALSE(fs::exists(home / "t" / ChapterRecovery::kFolder));
}

TEST(ChapterSpans, ColourTheLanguage) {
    const ColorTable colors;
    using T = ChapterToken;
    const struct {
        const char* line;
        std::vector<ChapterSpan> spans;
    } cases[] = {
        {"*PlainBox 1 1 10 5 Blue", {{0, 9, T::Keyword}, {10, 1, T::Number}, {12, 1, T::Number}, {14, 2, T::Number},
                                     {17, 1, T::Number}, {19, 4, T::Colour}}},
        {"*Bogus 1", {{0, 6, T::UnknownKeyword}}},
        {"*Title 12 o'clock", {{0, 6, T::Keyword}}},
        {":FE,27", {{0, 3, T::Code}}},
        {"; note |x|", {{0, 10, T::Comment}}},
        {"@JStart", {{0, 7, T::Marker}}},
        {"&2", {{0, 2, T::Marker}}},
        {"@xyz", {}},
        {"Hi ^Bthere~@A |link| end", {{3, 2, T::InlineCode}, {10, 3, T::InlineCode}, {14, 6, T::Hypertext}}},
    };
    for (const auto& c : cases) EXPECT_EQ(ChapterSpans(c.line, colors), c.spans) << c.line;
}

}  // namespace

// Show Lines Not Reached runs the tutorial's tests and marks in the margin what they leave; the
// marks go with the next change of the text.
TEST_F(ChapterPaneFixture, LinesTheTestsDoNotReachAreMarkedUntilTheTextChanges) {
    QTest::keySequence(edit(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N));
    EXPECT_EQ(rec.messages.LastText(), "Save the chapter first: the tests play the chapters as saved.");

    const char* const chapter = "*BranchOnInput 10\r\nyes\r\n&1\r\nGood\r\n&2\r\nBad\r\n&3\r\n";
    home.write("t/demo1.QKS", chapter);
    edit()->setPlainText(QString::fromLatin1(chapter));
    pane()->setChapter("demo1.QKS", false);
    QTest::keySequence(edit(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N));
    EXPECT_TRUE(rec.messages.LastText().startsWith("There are no answers files")) << rec.messages.LastText().toStdString();

    home.write("t/tests/yes.answers", "# chapter DEMO1\ntext yes\n");
    QTest::keySequence(edit(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N));
    const std::map<int, QStringList> expected{{5, {"branch section &2 never entered"}}, {6, {"text"}}};
    EXPECT_EQ(edit()->unreached(), expected);
    // The menu of the problems list offers it too.
    EXPECT_TRUE(pane()->findChild<QListView*>("ProblemsList")->actions().contains(pane()->notReachedAction()));

    typeAtLine(7, "More");
    EXPECT_TRUE(edit()->unreached().empty());

    home.write("t/tests/no.answers", "# chapter DEMO1\ntext no\n");
    pane()->notReachedAction()->trigger();
    EXPECT_TRUE(edit()->unreached().empty());
    EXPECT_EQ(rec.messages.LastText(), "The tutorial's tests reach every line of demo1.QKS.");
}
