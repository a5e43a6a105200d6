// The notes editor: loading and saving, the save question, find and replace, printing.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>
#include <QRegularExpression>
#include <QTextCursor>

#include "aids/notes_editor.h"
#include "aids_fixture.h"
#include "../window_driver.h"

using namespace quill;
using namespace quill::test;
namespace fs = std::filesystem;

namespace {

using Kind = RecordingMessages::Kind;

struct NotesTest : AidsFixture {
    std::unique_ptr<NotesEditor> Open(const char* name) {
        return std::make_unique<NotesEditor>(rec.platform(), home / name, QString(name));
    }
    static void Type(NotesEditor& form, const QString& text) {
        form.Memo()->moveCursor(QTextCursor::End);
        form.Memo()->insertPlainText(text);
    }
    static void Caret(NotesEditor& form, int position) {
        QTextCursor c = form.Memo()->textCursor();
        c.setPosition(position);
        form.Memo()->setTextCursor(c);
    }
};

TEST_F(NotesTest, AMissingFileStartsEmptyAndSaveCreatesItWithoutAskingForAName) {
    auto form = Open("NOTES.TXT");
    EXPECT_EQ(form->windowTitle(), "Current File : NOTES.TXT");
    EXPECT_TRUE(form->Memo()->toPlainText().isEmpty());
    Type(*form, QString::fromUtf8("first line\nsecond \xC3\xA9"));
    EXPECT_TRUE(form->Modified());
    EXPECT_TRUE(form->SaveItemClick());
    EXPECT_TRUE(rec.dialogs.requests.empty());
    EXPECT_EQ(TempFolder::read(home / "NOTES.TXT"), "first line\r\nsecond \xE9\r\n");
    EXPECT_FALSE(form->Modified());
}

TEST_F(NotesTest, AnExistingFileIsLoadedWithAnyLineEnds) {
    InProject("old.txt", "one\ntwo\r\nthr\xE9" "e\r");
    auto form = Open("old.txt");
    EXPECT_EQ(form->Memo()->toPlainText(), QString::fromUtf8("one\ntwo\nthr\xC3\xA9" "e"));
    EXPECT_FALSE(form->Modified());
}

TEST_F(NotesTest, NewAsksTheSaveQuestionOnAModifiedText) {
    struct Case {
        SaveAnswer answer;
        QString textAfter;
        std::string fileAfter;
    };
    for (const Case& c : {Case{SaveAnswer::Cancel, "draft", "old\r\n"}, Case{SaveAnswer::No, "", "old\r\n"},
                          Case{SaveAnswer::Yes, "", "old\r\ndraft\r\n"}}) {
        InProject("n.txt", "old\r\n");
        rec.messages.Clear();
        auto form = Open("n.txt");
        Type(*form, "\ndraft");
        rec.messages.saveAnswers.push_back(c.answer);
        form->NewItemClick();
        EXPECT_EQ(rec.messages.Texts(Kind::AskSave), std::vector<QString>{"File n.txt has changed. Save Now?"});
        EXPECT_EQ(form->Memo()->toPlainText().endsWith("draft"), !c.textAfter.isEmpty());
        EXPECT_EQ(TempFolder::read(home / "n.txt"), c.fileAfter);
        if (c.answer != SaveAnswer::Cancel) {
            EXPECT_EQ(form->windowTitle(), "Current File : Untitled");
        }
    }
    // An unmodified text is not asked about.
    rec.messages.Clear();
    auto form = Open("n.txt");
    form->NewItemClick();
    EXPECT_TRUE(rec.messages.shown.empty());
}

TEST_F(NotesTest, ClosingAModifiedTextAsksAndCancelKeepsItOpen) {
    InProject("c.txt", "kept\r\n");
    auto form = Open("c.txt");
    form->show();
    Type(*form, " more");
    rec.messages.saveAnswers = {SaveAnswer::Cancel, SaveAnswer::No};
    form->close();
    EXPECT_TRUE(form->isVisible());
    form->close();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(TempFolder::read(home / "c.txt"), "kept\r\n");
}

TEST_F(NotesTest, YesOnAnUntitledTextWhoseSaveIsCancelledKeepsTheText) {
    auto form = Open("u.txt");
    form->NewItemClick();
    Type(*form, "precious");
    rec.messages.saveAnswers.push_back(SaveAnswer::Yes);
    rec.dialogs.files.push_back(std::nullopt);  // the save dialog is cancelled
    form->NewItemClick();
    EXPECT_EQ(form->Memo()->toPlainText(), "precious");
    ASSERT_EQ(rec.dialogs.requests.size(), 1u);
    EXPECT_EQ(rec.dialogs.requests[0].kind, RecordingDialogs::Kind::SaveFile);
    EXPECT_EQ(rec.dialogs.requests[0].file.filter, "Text Files|*.TXT|All Files|*.*");
    EXPECT_EQ(rec.dialogs.requests[0].file.defaultSuffix, "TXT");
}

TEST_F(NotesTest, AnyBytesAndLongLinesComeBackAsTheyWere) {
    std::string bytes;
    for (int i = 0; i < 256; ++i)
        if (i != '\r' && i != '\n') bytes += static_cast<char>(i);
    bytes += std::string(1 << 20, 'x');
    InProject("bin.txt", bytes + "\r\n");
    auto form = Open("bin.txt");
    Type(*form, "");
    form->Memo()->document()->setModified(true);
    EXPECT_TRUE(form->SaveItemClick());
    const std::string saved = TempFolder::read(home / "bin.txt");
    EXPECT_EQ(saved.size(), bytes.size() + 2);
    EXPECT_TRUE(saved == bytes + "\r\n") << "first 300 bytes: " << saved.substr(0, 300);
}

TEST_F(NotesTest, AFailedSaveKeepsTheTextAndAbandonsTheAction) {
    auto form = std::make_unique<NotesEditor>(rec.platform(), home / "no such folder" / "n.txt", "n.txt");
    Type(*form, "unsaved");
    rec.messages.saveAnswers.push_back(SaveAnswer::Yes);
    form->NewItemClick();
    EXPECT_EQ(form->Memo()->toPlainText(), "unsaved");
    EXPECT_TRUE(form->Modified());
    ASSERT_EQ(rec.messages.Texts(Kind::Error).size(), 1u);
    EXPECT_TRUE(rec.messages.Texts(Kind::Error)[0].contains("n.txt"));
}

TEST_F(NotesTest, SaveAsAndOpenMakeTheFileCurrent) {
    auto form = Open("a.txt");
    Type(*form, "body");
    rec.dialogs.files.push_back(elsewhere / "copy.txt");
    EXPECT_TRUE(form->SaveAsItemClick());
    EXPECT_EQ(form->windowTitle(), "Current File : copy.txt");
    EXPECT_EQ(TempFolder::read(elsewhere / "copy.txt"), "body\r\n");
    elsewhere.write("other.txt", "other\r\n");
    rec.dialogs.files.push_back(elsewhere / "other.txt");
    form->OpenItemClick();
    EXPECT_EQ(form->Memo()->toPlainText(), "other");
    EXPECT_EQ(form->CurrentFile(), elsewhere / "other.txt");
    EXPECT_EQ(form->windowTitle(), "Current File : other.txt");
}

TEST_F(NotesTest, FindIsCaseSensitiveAndGoesDownward) {
    auto form = Open("f.txt");
    Type(*form, "Note one, note two, note");
    Caret(*form, 0);
    EXPECT_TRUE(form->FindNext("note"));
    EXPECT_EQ(form->Memo()->textCursor().selectionStart(), 10);
    EXPECT_TRUE(form->FindNext("note"));
    EXPECT_EQ(form->Memo()->textCursor().selectionStart(), 20);
    // Nothing further down: the selection stays.
    EXPECT_FALSE(form->FindNext("note"));
    EXPECT_EQ(form->Memo()->textCursor().selectionStart(), 20);
    Caret(*form, 0);
    EXPECT_FALSE(form->FindNext("NOTE"));
    EXPECT_FALSE(form->Memo()->textCursor().hasSelection());

    // Through the find dialog, which stays open for the next find and remembers the text.
    Caret(*form, 0);
    rec.dialogs.findSessions.push_back({FindRequest{"note", {}}, FindRequest{"note", {}}});
    form->FindItemClick();
    EXPECT_EQ(form->Memo()->textCursor().selectionStart(), 20);
    form->FindItemClick();
    EXPECT_EQ(rec.dialogs.requests.back().title, "note");
    // It offers no case or whole-word options: the search has none.
    ASSERT_EQ(rec.dialogs.findSetups.size(), 2u);
    EXPECT_FALSE(rec.dialogs.findSetups[0].options);
}

TEST_F(NotesTest, ReplaceAllEndsWhenTheReplacementContainsTheSearchText) {
    auto form = Open("r.txt");
    Type(*form, "a note, a Note, a note");
    Caret(*form, 0);
    EXPECT_EQ(form->ReplaceAll("note", "notes note"), 2);
    EXPECT_EQ(form->Memo()->toPlainText(), "a notes note, a Note, a notes note");

    // The replace button finds the next occurrence first, then replaces it.
    Caret(*form, 0);
    EXPECT_TRUE(form->ReplaceOnce("Note", "N"));
    EXPECT_EQ(form->Memo()->toPlainText(), "a notes note, a N, a notes note");
    EXPECT_FALSE(form->ReplaceOnce("Note", "N"));

    rec.dialogs.findSessions.push_back({FindRequest{"a", "aa", false, false, FindRequest::Action::ReplaceAll}});
    Caret(*form, 0);
    form->ReplaceItemClick();
    EXPECT_EQ(form->Memo()->toPlainText(), "aa notes note, aa N, aa notes note");
}

TEST_F(NotesTest, ReplaceDialogFindsReplacesAndFindsAgainWithoutClosing) {
    DesktopDialogs desktop;
    Platform platform{rec.messages, desktop, rec.help, {}};
    NotesEditor form(platform, home / "r.txt", "r.txt");
    form.show();
    QApplication::setActiveWindow(&form);
    Type(form, "one note, two note, three note");
    Caret(form, 0);
    QStringList seen;
    bool optionsShown = true, stayedOpen = true;
    WhenShown("ReplaceDialog", [&](QWidget* dialog) {
        optionsShown = dialog->findChild<QWidget*>("MatchCaseBox") || dialog->findChild<QWidget*>("WholeWordBox");
        dialog->findChild<QLineEdit*>("FindEdit")->setText("note");
        dialog->findChild<QLineEdit*>("ReplaceEdit")->setText("N");
        const auto press = [&](const char* name) {
            dialog->findChild<QPushButton*>(name)->click();
            stayedOpen = stayedOpen && dialog->isVisible();
            const QTextCursor c = form.Memo()->textCursor();
            seen << QString("%1:%2").arg(c.selectionStart()).arg(c.selectedText());
        };
        press("FindNextBtn");    // the first note
        press("ReplaceBtn");     // replaced
        press("FindNextBtn");    // the second note
        press("FindNextBtn");    // the third
        press("ReplaceBtn");
        dialog->findChild<QPushButton*>("CancelBtn")->click();
    });
    form.ReplaceItemClick();
    EXPECT_FALSE(optionsShown);
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(seen, (QStringList{"4:note", "5:", "11:note", "23:note", "24:"}));
    EXPECT_EQ(form.Memo()->toPlainText(), "one N, two note, three N");
    // The texts are kept for the next time.
    bool prefilled = false;
    WhenShown("FindDialog", [&](QWidget* dialog) {
        prefilled = dialog->findChild<QLineEdit*>("FindEdit")->text() == "note";
        dialog->findChild<QPushButton*>("CancelBtn")->click();
    });
    form.FindItemClick();
    EXPECT_TRUE(prefilled);
}

TEST_F(NotesTest, LongLinesWrapAtTheWindowsEdge) {
    auto form = Open("w.txt");
    form->show();
    Type(*form, QString(400, u'x'));
    EXPECT_EQ(form->Memo()->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    EXPECT_FALSE(form->Memo()->horizontalScrollBar()->isVisible());
    EXPECT_GT(form->Memo()->document()->firstBlock().layout()->lineCount(), 1);
}

TEST_F(NotesTest, EditItemsFollowTheSelectionAndTheClipboard) {
    auto form = Open("e.txt");
    Type(*form, "word");
    QApplication::clipboard()->clear();
    form->UpdateEditItems();
    EXPECT_FALSE(form->findChild<QAction*>("CutItem")->isEnabled());
    EXPECT_FALSE(form->findChild<QAction*>("CopyItem")->isEnabled());
    form->Memo()->selectAll();
    QApplication::clipboard()->setText("clip");
    form->UpdateEditItems();
    EXPECT_TRUE(form->findChild<QAction*>("CutItem")->isEnabled());
    EXPECT_TRUE(form->findChild<QAction*>("PasteItem")->isEnabled());
    EXPECT_EQ(form->findChild<QAction*>("SaveItem")->shortcut(), QKeySequence("Ctrl+S"));
}

TEST_F(NotesTest, PrintsEveryLineToThePrinter) {
    auto form = Open("p.txt");
    QStringList lines;
    for (int i = 1; i <= 150; ++i) lines << QString("line %1").arg(i);
    Type(*form, lines.join('\n'));
    rec.dialogs.printToPdf = elsewhere / "notes.pdf";
    rec.dialogs.printAnswers = {false, true};
    form->PrintItemClick();  // cancelled
    EXPECT_FALSE(fs::exists(elsewhere / "notes.pdf"));
    form->PrintItemClick();
    const std::string pdf = TempFolder::read(elsewhere / "notes.pdf");
    ASSERT_EQ(pdf.rfind("%PDF", 0), 0u);
    // 150 lines of 10-point text do not fit on one A4 page.
    const auto pages = QString::fromLatin1(pdf.data(), static_cast<qsizetype>(pdf.size()))
                           .count(QRegularExpression("/Type\\s*/Page[^s]"));
    EXPECT_GE(pages, 2);
}

}  // namespace
