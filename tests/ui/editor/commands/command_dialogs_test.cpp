// The chapter editor's colour markers and command dialogs through the real windows: each
// dialog opened from the drop-down, one option answered prompt by prompt, the lines inserted
// at the caret; Close, a cancelled prompt and Insert without an option insert nothing.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include "../../../format/test_folder.h"
#include "../../window_driver.h"
#include "datafile/data_file.h"
#include "editor/commands/branch_forms.h"
#include "editor/commands/picker_forms.h"
#include "editor/commands/prompt_forms.h"
#include "app/teaching_aids_link.h"
#include "editor/chapter_editor.h"
#include "platform/system_services.h"
#include "platform/platform.h"
#include "project/config_record.h"
#include "project/project.h"

using namespace quill;
using namespace quill::test;

namespace {

using Kind = RecordingMessages::Kind;

// One dialog to answer: its object name and what to do with it.
struct Step {
    QString window;
    std::function<void(QWidget*)> act;
};

// Answers the dialogs in turn as each is shown. A step whose action leaves its dialog open
// (a refused answer) is followed by the next step on the same dialog.
void Answer(std::vector<Step> steps) {
    if (steps.empty()) return;
    const Step first = steps.front();
    steps.erase(steps.begin());
    WhenShown(first.window, [first, steps](QWidget* w) {
        Answer(steps);
        first.act(w);
    });
}

void Click(QWidget* w, const char* name) {
    auto* button = w->findChild<QAbstractButton*>(name);
    ASSERT_NE(button, nullptr) << name;
    button->click();
}
void Type(QWidget* w, const char* name, const QString& text) {
    auto* edit = w->findChild<QLineEdit*>(name);
    ASSERT_NE(edit, nullptr) << name;
    edit->setText(text);
}

Step ChooseOption(const char* form, const char* option) {
    return {form, [option](QWidget* w) {
                Click(w, option);
                Click(w, "InsertBtn");
            }};
}
Step TypeText(const QString& text) {
    return {"TGetTextForm", [text](QWidget* w) {
                Type(w, "TextEdit", text);
                Click(w, "SaveBtn");
            }};
}
Step TypeNumber(const QString& text) {
    return {"TGetNumberForm", [text](QWidget* w) {
                Type(w, "NumberEdit", text);
                Click(w, "OKBtn");
            }};
}
Step TypeColRow(int column, int row) {
    return {"TGetColRowForm", [column, row](QWidget* w) {
                Type(w, "ColumnEdit", QString::number(column));
                Type(w, "RowEdit", QString::number(row));
                Click(w, "OKBtn");
            }};
}
Step PickColor(int row) {
    return {"TColorSelectForm", [row](QWidget* w) {
                w->findChild<QListWidget*>("ColorList")->setCurrentRow(row);
                Click(w, "SelectBtn");
            }};
}
Step Cancel(const char* form) {
    return {form, [](QWidget* w) { Click(w, "CancelBtn"); }};
}

struct CommandDialogsTest : ::testing::Test {
    TempFolder home;
    Project project = [this] {
        Project p(home.path());
        NewTutorial(p, home / "t", "demo");
        return p;
    }();
    RecordingPlatform rec{home.path()};
    RecordingChapterRunner runner;
    ChapterEditor editor{project, rec.platform(), runner};
    RecordingSystem system;
    QTimer watchdog;

    CommandDialogsTest() {
        editor.SetSystemServices(&system);
        editor.SetAidsWindows(TeachingAidsWindows());
        editor.show();
        QApplication::setActiveWindow(&editor);
        // A dialog that no step answers would wait for ever: close it and fail instead.
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, [this] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* d = qobject_cast<QDialog*>(w); d && d != &editor && d->isVisible()) {
                    ADD_FAILURE() << "left open: " << d->objectName().toStdString();
                    d->reject();
                }
        });
        watchdog.start(10000);
    }

    QPlainTextEdit* memo() { return editor.ChapterText(); }
    // The chapter "ab" with the caret between a and b.
    void CaretInsideALine() {
        memo()->setPlainText("ab");
        QTextCursor cursor = memo()->textCursor();
        cursor.setPosition(1);
        memo()->setTextCursor(cursor);
    }
    void Choose(int item) { emit editor.findChild<QComboBox*>("CommandsCombo")->activated(item); }
};

}  // namespace

TEST_F(CommandDialogsTest, ColourButtonsInsertTheMarkerOfTheChosenEntry) {
    memo()->setPlainText("Hello world");
    QTextCursor cursor = memo()->textCursor();
    cursor.setPosition(6);
    cursor.setPosition(11, QTextCursor::KeepAnchor);
    memo()->setTextCursor(cursor);
    Answer({{"TColorSelectForm", [](QWidget* w) {
                 auto* list = w->findChild<QListWidget*>("ColorList");
                 EXPECT_EQ(w->findChild<QLabel*>("TitleLbl")->text(), "Select Text Color");
                 ASSERT_EQ(list->count(), 26);
                 EXPECT_EQ(list->item(0)->text(), "A  Black");
                 EXPECT_EQ(list->item(25)->text(), "Z  ColorZ");
                 list->setCurrentRow(12);
                 emit list->itemDoubleClicked(list->item(12));
             }}});
    Click(&editor, "TextColorBtn");
    EXPECT_EQ(memo()->toPlainText(), "Hello ~M");

    Answer({{"TColorSelectForm", [](QWidget* w) { Click(w, "DefaultBtn"); }}});
    Click(&editor, "TextBackBtn");
    Answer({PickColor(25)});
    Click(&editor, "TextBackBtn");
    Answer({Cancel("TColorSelectForm")});
    Click(&editor, "TextColorBtn");
    // "Select" with nothing chosen is the default.
    Answer({{"TColorSelectForm", [](QWidget* w) { Click(w, "SelectBtn"); }}});
    Click(&editor, "TextColorBtn");
    EXPECT_EQ(memo()->toPlainText(), "Hello ~M~-~z~+");
}

TEST_F(CommandDialogsTest, BasicCommandsInsertsControlsAtTheCaretAndSplitsTheLine) {
    CaretInsideALine();
    Answer({ChooseOption("TBasicCommsForm", "ControlsRBtn"), {"TControlsSelectForm", [](QWidget* w) {
                                                                  Click(w, "ContinueChk");
                                                                  Click(w, "HelpChk");
                                                                  Click(w, "OKBtn");
                                                              }}});
    Choose(0);
    EXPECT_EQ(memo()->toPlainText(), "a*Controls C H\nb");
    EXPECT_TRUE(rec.messages.shown.empty());
}

TEST_F(CommandDialogsTest, ScreenDisplayPicksAWindowTextEntryAndItsRectangle) {
    AddWindowText(project.DataFilePath(), "Intro box", "16777215", {"{\\rtf1 hi}"});
    AddWindowText(project.DataFilePath(), "Tips", "16777215", {"{\\rtf1 tips}"});
    Answer({ChooseOption("TScreenCommsForm", "WindowTextRBtn"),
            {"TButtListForm", [](QWidget* w) {
                 EXPECT_EQ(w->windowTitle(), "Select Windows Text");
                 w->findChild<QListWidget*>("ListBox1")->setCurrentRow(1);
                 Click(w, "SelectBtn");
             }},
            TypeColRow(2, 3), TypeColRow(40, 10)});
    Choose(1);
    EXPECT_EQ(memo()->toPlainText(), "*WindowText 2 3 40 10 Tips\n");
}

TEST_F(CommandDialogsTest, DrawingBoxesWritesAPopUpBoxWithItsTextLinesSplittingTheLineAtTheCaret) {
    CaretInsideALine();
    Answer({ChooseOption("TBoxCommsForm", "PopUpBoxRBtn"), TypeColRow(10, 5), TypeColRow(40, 12),
            {"TPopUpTextForm", [](QWidget* w) {
                 // Enter moves to the next line.
                 QApplication::setActiveWindow(w);
                 QTest::keyClicks(QApplication::focusWidget(), "First");
                 QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
                 QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
                 EXPECT_EQ(QApplication::focusWidget()->objectName(), "Line3Edit");
                 QTest::keyClicks(QApplication::focusWidget(), "Third");
                 EXPECT_TRUE(w->isVisible());
                 Click(w, "OKBtn");
             }},
            PickColor(11), {"TGetNumberForm", [](QWidget* w) {
                                EXPECT_EQ(w->findChild<QLineEdit*>("NumberEdit")->text(), "600");
                                Click(w, "OKBtn");
                            }}});
    Choose(2);
    EXPECT_EQ(memo()->toPlainText(), "a*PopupBox 10 5 40 12 3 Yellow 600\nFirst\n\nThird\nb");
}

TEST_F(CommandDialogsTest, ScreenEffectsClearRowWithACancelledColourWritesDefault) {
    Answer({ChooseOption("TEffectsCommsForm", "ClearRowRBtn"), TypeColRow(1, 3), TypeNumber("79"),
            Cancel("TColorSelectForm")});
    Choose(3);
    EXPECT_EQ(memo()->toPlainText(), "*ClearRow 1 3 79 Default\n");
}

TEST_F(CommandDialogsTest, UsingImagesTakesThePictureFromTheImageChooser) {
    home.write("t/pic.bmp", "BM");
    Answer({ChooseOption("TImageCommsForm", "ScreenImageRBtn"), {"TGetImageForm", [](QWidget* w) {
                                                                     auto* list = w->findChild<QListWidget*>("FileListBox");
                                                                     ASSERT_EQ(list->count(), 1);
                                                                     list->setCurrentRow(0);
                                                                     emit list->itemClicked(list->item(0));
                                                                     Click(w, "OKBtn");
                                                                 }}});
    Choose(4);
    EXPECT_EQ(memo()->toPlainText(), "*ScreenImage pic.bmp\n");
}

TEST_F(CommandDialogsTest, RecordingToDiskRefusesAFileNameWithABlankWhereOneWordIsRead) {
    Answer({ChooseOption("TRecordCommsForm", "CopyFileRBtn"), TypeText("my file.txt"), TypeText("a.txt"),
            TypeText("b.txt")});
    Choose(6);
    EXPECT_EQ(memo()->toPlainText(), "*CopyFile a.txt b.txt\n");
    EXPECT_EQ(rec.messages.Texts(Kind::Error),
              std::vector<QString>{"The filename my file.txt contains a blank. This command takes a filename without blanks."});
}

TEST_F(CommandDialogsTest, CloseACancelledPromptAndInsertWithoutAnOptionInsertNothing) {
    CaretInsideALine();
    Answer({{"TBasicCommsForm", [](QWidget* w) { Click(w, "CloseBtn"); }}});
    Choose(0);
    Answer({ChooseOption("TScreenCommsForm", "DelayRBtn"), Cancel("TGetNumberForm")});
    Choose(1);
    Answer({{"TRecordCommsForm", [](QWidget* w) { Click(w, "InsertBtn"); }}});
    Choose(6);
    EXPECT_EQ(memo()->toPlainText(), "ab");
    EXPECT_FALSE(editor.Modified());
}

TEST_F(CommandDialogsTest, ExplanationOpensTheTopicOfTheChosenOption) {
    Answer({{"TImageCommsForm", [](QWidget* w) {
        EXPECT_EQ(w->findChild<QGroupBox*>()->title(), " Image Commands ");
        Click(w, "ExplainBtn");
        Click(w, "ImageLabelRBtn");
        Click(w, "ExplainBtn");
        Click(w, "CloseBtn");
    }}});
    Choose(4);
    ASSERT_EQ(rec.help.requests.size(), 2u);
    EXPECT_EQ(rec.help.requests[0].topic, 1600);
    EXPECT_EQ(rec.help.requests[1].topic, 1620);
}

TEST_F(CommandDialogsTest, TheNumberPromptChecksOnLeavingTheFieldAndOnOk) {
    NumberPromptDialog form(rec.platform(), {"Delay time (10 = 1 sec)", 1, 999, 100, 1350, {}});
    form.show();
    QApplication::setActiveWindow(&form);
    auto* edit = form.findChild<QLineEdit*>("NumberEdit");
    EXPECT_EQ(edit->text(), "100");
    edit->setFocus();
    // Leaving the field.
    edit->setText("1000");
    QTest::keyClick(edit, Qt::Key_Tab);
    QTest::qWait(20);
    EXPECT_EQ(rec.messages.LastText(), "The maximum value is 999");
    EXPECT_TRUE(edit->hasFocus());
    edit->setText("x1");
    QTest::keyClick(edit, Qt::Key_Tab);
    QTest::qWait(20);
    EXPECT_EQ(rec.messages.LastText(), "That is not a valid number");
    EXPECT_EQ(edit->text(), "1");
    // OK, also by Enter, checks again and keeps the prompt open.
    for (const auto& [typed, message] : std::vector<std::pair<QString, QString>>{
             {"0", "The minimum value is 1"}, {"", "A number must be entered"}, {"1000", "The maximum value is 999"}}) {
        edit->setText(typed);
        QTest::keyClick(edit, Qt::Key_Return);
        EXPECT_EQ(rec.messages.LastText(), message);
        EXPECT_TRUE(form.isVisible());
    }
    EXPECT_EQ(rec.messages.Texts(Kind::Error).size(), 5u);
    edit->setText("250");
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(form.Value(), 250);
}

TEST_F(CommandDialogsTest, TheColumnAndRowPromptNamesTheFieldThatIsWrong) {
    ColumnRowPromptDialog form(rec.platform(), {"Enter the Column and Row", 3, 79, 4, 25, 3, 4, 1320});
    form.show();
    Type(&form, "ColumnEdit", "80");
    Click(&form, "OKBtn");
    Type(&form, "ColumnEdit", "2");
    Click(&form, "OKBtn");
    Type(&form, "ColumnEdit", "5");
    Type(&form, "RowEdit", "x");
    Click(&form, "OKBtn");
    EXPECT_EQ(form.findChild<QLineEdit*>("RowEdit")->text(), "4");
    Type(&form, "RowEdit", "");
    Click(&form, "OKBtn");
    EXPECT_EQ(rec.messages.Texts(Kind::Error),
              (std::vector<QString>{"The maximum column value is 79", "The minimum column value is 3",
                                    "That is not a valid number", "A row number must be entered"}));
    Type(&form, "RowEdit", "25");
    Click(&form, "OKBtn");
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(form.Value().column, 5);
    EXPECT_EQ(form.Value().row, 25);
}

TEST_F(CommandDialogsTest, TheHeadingPickerShowsTheChosenHeadingAndModifyReloadsTheNames) {
    project.Config.set(cfg::Headings::Entry(3).Font, "20 16711680 3 Arial");  // blue, bold italic
    project.Config.set(cfg::Headings::Entry(3).Mode, 3);
    int modified = 0;
    HeadingPicker form(rec.platform(), project.Config, 1330, [&] {
        ++modified;
        project.Config.set(cfg::Headings::Entry(3).Name, "Title");
    });
    form.show();
    auto* list = form.findChild<QListWidget*>("HeadingList");
    ASSERT_EQ(list->count(), 10);
    EXPECT_EQ(form.Chosen(), 1);
    list->setCurrentRow(2);
    auto* sample = form.findChild<QLabel*>("SampleLbl");
    EXPECT_EQ(sample->text(), "This is an Example Heading");
    EXPECT_TRUE(sample->font().bold());
    EXPECT_TRUE(sample->font().italic());
    EXPECT_EQ(sample->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_TRUE(form.findChild<QRadioButton*>("RightRBtn")->isChecked());
    EXPECT_FALSE(form.findChild<QCheckBox*>("RegularChk")->isChecked());
    Click(&form, "ModifyBtn");
    EXPECT_EQ(modified, 1);
    EXPECT_EQ(list->item(2)->text(), "Title");
    Click(&form, "SelectBtn");
    EXPECT_EQ(form.Chosen(), 3);
}

TEST_F(CommandDialogsTest, ACommandCanBeInsertedByKeyboardAlone) {
    auto keys = [](QWidget* w, std::initializer_list<Qt::Key> sequence) {
        QApplication::setActiveWindow(w);
        for (Qt::Key key : sequence) QTest::keyClick(QApplication::focusWidget(), key);
    };
    Answer({{"TBasicCommsForm", [keys](QWidget* w) {
                 QApplication::setActiveWindow(w);
                 EXPECT_EQ(QApplication::focusWidget()->objectName(), "ClearScreenRBtn");
                 // The arrows choose as they move.
                 keys(w, {Qt::Key_Down, Qt::Key_Down});
                 EXPECT_TRUE(w->findChild<QRadioButton*>("ControlsRBtn")->isChecked());
                 keys(w, {Qt::Key_Return});
             }},
            {"TControlsSelectForm", [keys](QWidget* w) {
                 keys(w, {Qt::Key_Space, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Space, Qt::Key_Return});
             }}});
    Choose(0);
    EXPECT_EQ(memo()->toPlainText(), "*Controls C H\n");

    // The drop-down opens on its first item, and Enter inserts the option that has the focus,
    // though nothing was chosen yet.
    memo()->clear();
    auto* combo = editor.findChild<QComboBox*>("CommandsCombo");
    QApplication::setActiveWindow(&editor);
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_F4);
    ASSERT_TRUE(combo->view()->isVisible());
    Answer({{"TBasicCommsForm", [keys](QWidget* w) {
                 EXPECT_EQ(w->findChild<QRadioButton*>("ClearScreenRBtn")->isChecked(), false);
                 keys(w, {Qt::Key_Return});
             }},
            PickColor(2)});
    QTest::keyClick(combo->view(), Qt::Key_Return);
    EXPECT_TRUE(memo()->toPlainText().startsWith("*ClearScreen ")) << memo()->toPlainText().toStdString();
}

// --- The branching categories and their table editors ----------------------------------------

namespace {

void SetCell(QWidget* w, const char* grid, int row, int column, const QString& text) {
    auto* table = w->findChild<QTableWidget*>(grid);
    ASSERT_NE(table, nullptr) << grid;
    table->setItem(row, column, new QTableWidgetItem(text));
}

}  // namespace

TEST_F(CommandDialogsTest, InterActiveBuildsAQuizOnceTheWizardIsSatisfied) {
    Answer({ChooseOption("TQuestCommsForm", "QuizRBtn"),
            {"TQuizWizForm", [](QWidget* w) {
                 EXPECT_EQ(w->findChild<QLineEdit*>("AnswersEdit")->text(), "2");
                 EXPECT_EQ(w->findChild<QLineEdit*>("CorrectEdit")->text(), "1");
                 EXPECT_EQ(w->findChild<QLineEdit*>("RowEdit")->text(), "18");
                 Click(w, "OKBtn");  // no name yet
                 EXPECT_TRUE(w->isVisible());
                 // Leaving a number field checks it.
                 QApplication::setActiveWindow(w);
                 auto* answers = w->findChild<QLineEdit*>("AnswersEdit");
                 answers->setFocus();
                 answers->setText("9");
                 w->findChild<QLineEdit*>("CorrectEdit")->setFocus(Qt::TabFocusReason);
                 EXPECT_EQ(answers->text(), "4");
                 Type(w, "QuizNameEdit", "Q1");
                 Type(w, "CorrectEdit", "3");
                 Type(w, "AnswersEdit", "2");
                 Click(w, "OKBtn");  // 3 of 2 answers
                 EXPECT_TRUE(w->isVisible());
                 Type(w, "AnswersEdit", "3");
                 Click(w, "OKBtn");
             }}});
    Choose(5);
    const QStringList lines = memo()->toPlainText().split('\n');
    EXPECT_EQ(lines.mid(0, 9), (QStringList{"@QQ1", "*Clearscreen", "; Question goes here", "", "*QuizAnswers 3 18 Q1",
                                            "Answer 1 goes here", "Answer 2 goes here", "Correct Answer 3 goes here", ""}));
    EXPECT_EQ(lines.filter("*ExitQuiz Q1").size(), 1);
    EXPECT_EQ(rec.messages.Texts(Kind::Error),
              (std::vector<QString>{"The quiz name must be given", "The maximum number of answers is 4",
                                    "The correct answer cannot exceed the number of answers"}));
}

TEST_F(CommandDialogsTest, InterActiveQuickQuestionTakesTheMatchListEditorsTexts) {
    Answer({ChooseOption("TQuestCommsForm", "QuickQuestionRBtn"), TypeNumber("10"),
            {"TMatchForm", [](QWidget* w) {
                 EXPECT_EQ(w->findChild<QLineEdit*>("MatchEdit1")->maxLength(), 20);
                 Type(w, "MatchEdit1", "yes");
                 Type(w, "MatchEdit4", "y");
                 Type(w, "MatchEdit10", "ok");
                 Click(w, "ExactChk");
                 Click(w, "OKBtn");
             }},
            TypeText("Right!"), TypeText("Not quite.")});
    Choose(5);
    EXPECT_EQ(memo()->toPlainText(), "*QuickQuestion 10 Exact\nyes;y;ok\nRight!\nNot quite.\n");
}

TEST_F(CommandDialogsTest, NonLinearJumpOnMatchWritesTheCountedRowsOfTheMatchTable) {
    Answer({ChooseOption("TLinearCommsForm", "JumpOnMatchRBtn"), TypeNumber("20"),
            {"TMatchesForm", [](QWidget* w) {
                 EXPECT_EQ(w->findChild<QTableWidget*>("MatchGrid")->rowCount(), 30);
                 SetCell(w, "MatchGrid", 0, 0, "red;");
                 SetCell(w, "MatchGrid", 0, 1, "Stop");
                 Click(w, "OKBtn");  // refused: the ; would cut the row short
                 EXPECT_TRUE(w->isVisible());
                 SetCell(w, "MatchGrid", 0, 0, "red");
                 SetCell(w, "MatchGrid", 0, 1, "Stop");
                 SetCell(w, "MatchGrid", 3, 0, "amber");  // no target: left out
                 SetCell(w, "MatchGrid", 5, 0, "green");
                 SetCell(w, "MatchGrid", 5, 1, "Go");
                 SetCell(w, "MatchGrid", 5, 2, "GO.QKS");
                 SetCell(w, "MatchGrid", 29, 0, "blue");
                 SetCell(w, "MatchGrid", 29, 2, "SKY.QKS");
                 Click(w, "ExactChk");
                 Type(w, "NoMatchFileEdit", "OTHER.QKS");
                 Click(w, "OKBtn");
             }}});
    Choose(7);
    EXPECT_EQ(rec.messages.Texts(Kind::Error),
              std::vector<QString>{"The match text \"red;\" holds a ; which would cut it short. Leave the ; out."});
    EXPECT_EQ(memo()->toPlainText(),
              "*JumpOnMatch 3 20 Exact\nred;*JumpToLabel Stop\ngreen;*JumpToLabel Go\nblue;*JumpToFile SKY.QKS\n"
              "*JumpToFile OTHER.QKS\n");
}

TEST_F(CommandDialogsTest, AdvancedButtonAndBoxMenusWriteTheirTables) {
    Answer({ChooseOption("TRejoinForm", "ButtonMenuRBtn"), {"TiButtForm", [](QWidget* w) {
                                                                for (int c = 0; c < 5; ++c)
                                                                    SetCell(w, "ButtonGrid", 0, c,
                                                                            QStringList{"10", "5", "30", "Part one", "One"}[c]);
                                                                for (int c = 0; c < 5; ++c)  // no X2: left out
                                                                    SetCell(w, "ButtonGrid", 1, c,
                                                                            QStringList{"10", "7", "", "Part two", "Two"}[c]);
                                                                Click(w, "OKBtn");
                                                            }}});
    Choose(8);
    EXPECT_EQ(memo()->toPlainText(), "*ButtonMenu 1\n10 5 30 Part one;*JumpToLabel One\n");

    memo()->clear();
    Answer({ChooseOption("TRejoinForm", "BoxMenuRBtn"), TypeColRow(10, 5), TypeColRow(40, 12),
            {"TMenActForm", [](QWidget* w) {
                 SetCell(w, "MenuGrid", 0, 0, "Safety");
                 SetCell(w, "MenuGrid", 0, 2, "SAFETY2.QKS");
                 Click(w, "OKBtn");
             }}});
    Choose(8);
    EXPECT_EQ(memo()->toPlainText(), "*BoxMenu 10 5 40 12 1\nSafety;*JumpToFile SAFETY2.QKS\n");

    // An empty table writes nothing.
    memo()->clear();
    Answer({ChooseOption("TRejoinForm", "ButtonMenuRBtn"), {"TiButtForm", [](QWidget* w) { Click(w, "OKBtn"); }}});
    Choose(8);
    EXPECT_EQ(memo()->toPlainText(), "");
}

TEST_F(CommandDialogsTest, ChangeDefaultsRenamesTheChosenControlButton) {
    Answer({ChooseOption("TDefaultChangeForm", "ControlButtonTagRBtn"), {"TButtTagForm", [](QWidget* w) {
                                                                             Click(w, "PageBackRBtn");
                                                                             Click(w, "OKBtn");
                                                                         }},
            TypeText("Back")});
    Choose(9);
    EXPECT_EQ(memo()->toPlainText(), "*ControlButtonTag P Back\n");
}

TEST_F(CommandDialogsTest, TheHeadingPickersModifyOpensTheHeadingEditorAndTheNewNameIsWritten) {
    Answer({ChooseOption("TScreenCommsForm", "HeadingRBtn"),
            {"THeadSelectForm", [](QWidget* w) {
                 Answer({{"THeadForm", [](QWidget* editor) {
                     Type(editor, "NameEdit1", "Big");
                     Click(editor, "OKBtn");
                 }}});
                 Click(w, "ModifyBtn");
                 EXPECT_EQ(w->findChild<QListWidget*>("HeadingList")->item(0)->text(), "Big");
                 Click(w, "SelectBtn");
             }},
            TypeColRow(5, 2), TypeNumber("40"), TypeText("Welcome")});
    Choose(1);
    EXPECT_EQ(memo()->toPlainText(), "*Heading Big 5 2 40 Welcome\n");
    Project saved(home.path());
    saved.ProjectDir = project.ProjectDir;
    saved.ProjectFile = project.ProjectFile;
    saved.LoadProject();
    EXPECT_EQ(saved.Config.get(cfg::Headings::Entry(1).Name), "Big");
}

// Types `text` key by key into whichever control has the focus, as a user would.
void Keys(const QString& text) {
    for (const QChar c : text) QTest::keyClicks(QApplication::focusWidget(), QString(c));
}

TEST_F(CommandDialogsTest, TheMatchTableIsFilledByKeyboardAlone) {
    MatchTableDialog form(rec.platform(), 1950);
    form.show();
    QApplication::setActiveWindow(&form);
    auto* grid = form.findChild<QTableWidget*>("MatchGrid");
    ASSERT_EQ(QApplication::focusWidget(), grid);
    // Typing fills the current cell, Tab goes on to the next one, Enter ends the editing.
    Keys("red");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    Keys("Stop");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_TRUE(form.isVisible());  // Enter in a cell ends its editing, not the dialog
    // Tab leaves the grid for the check box and the no-match fields.
    QTest::keyClick(grid, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "ExactChk");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    Keys("Other");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(form.result(), QDialog::Accepted);
    const MatchTableAnswer answer = form.Answer();
    ASSERT_EQ(answer.rows.size(), 1u);
    EXPECT_EQ(answer.rows[0].text, "red");
    EXPECT_EQ(answer.rows[0].label, "Stop");
    EXPECT_TRUE(answer.exact);
    EXPECT_EQ(answer.noMatchLabel, "Other");
}
