// The teaching aids windows: the menu, the entry managers, the hypertext and program editors,
// the rich-text editors, the window text viewer, the text window adjusters, the headings and
// custom colour editors, and Define HyperText from the chapter editor.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextEdit>

#include "../played_screen.h"
#include "../window_driver.h"
#include "aids/custom_colours_dialog.h"
#include "aids/entry_manager.h"
#include "aids/heading_styles_designer.h"
#include "aids/rich_text_entry_editor.h"
#include "aids/hypertext_entry_editor.h"
#include "aids/rich_text_editor.h"
#include "aids/window_text_editor.h"
#include "aids/sizing_panel.h"
#include "aids/text_window_adjust.h"
#include "aids/teaching_aids_menu.h"
#include "aids/display_screen_designer.h"
#include "app/main_window.h"
#include "common/file_chooser.h"
#include "aids/window_text_viewer.h"
#include "platform/help.h"
#include "aids_fixture.h"
#include "app/teaching_aids_link.h"
#include "editor/chapter_pane.h"
#include "editor/chapter_editor.h"
#include "editor/problems_model.h"
#include "common/external_type_chooser.h"
#include "text/text_file.h"

using namespace quill;
using quill::test::Crlf;
using namespace quill::test;
namespace fs = std::filesystem;

namespace {

using Kind = RecordingMessages::Kind;

struct AidsEditors : AidsFixture {
    AidsEditors() {
        SetConfigDefaults(project.Config);
        project.SaveProject();
    }
    fs::path DataFile() const { return project.DataFilePath(); }
    std::string Bytes() const { return TempFolder::read(DataFile()); }
    TTutorialConfig SavedRecord() const { return ReadConfigRecord(project.ProjectFilePath()); }
    static void Click(QWidget* window, const char* name) { window->findChild<QPushButton*>(name)->click(); }
};

}  // namespace

// ---- Teaching aids menu and entry managers ---------------------------------------------------

TEST_F(AidsEditors, MenuOpensTheChosenManagerAndShowsItsInformation) {
    TeachingAidsMenu menu(context);
    menu.show();
    menu.InfoBtnClick();
    menu.findChild<QRadioButton*>("HyperRadio")->click();
    EXPECT_EQ(menu.Selection(), 6);
    menu.InfoBtnClick();
    ASSERT_EQ(rec.help.requests.size(), 2u);
    EXPECT_EQ(rec.help.requests[0].topic, 245);
    EXPECT_EQ(rec.help.requests[1].topic, 650);
    bool opened = false;
    WhenShown("Thypermenuform", [&](QWidget* manager) {
        opened = true;
        EXPECT_FALSE(menu.isVisible());
        auto* form = static_cast<EntryManager*>(manager);
        // Without a data file only Close acts; there is no Define for links.
        EXPECT_FALSE(form->ViewBtn()->isEnabled());
        EXPECT_FALSE(form->DeleteBtn()->isEnabled());
        EXPECT_FALSE(form->ModifyBtn()->isEnabled());
        EXPECT_FALSE(form->DefineBtn()->isVisible());
        EXPECT_EQ(form->findChild<QGroupBox*>("GroupBox1")->title(), " HyperLink Data ");
        Click(manager, "CloseBtn");
    });
    menu.SelectBtnClick();
    EXPECT_TRUE(opened);
    EXPECT_TRUE(menu.isVisible());
}

TEST_F(AidsEditors, DeleteAsksAndTheUtilityManagerKeepsUtilitiesOnInStep) {
    AddCommandEntry(DataFile(), "Calc", 4, "UTILITY", "calc.exe");
    AddCommandEntry(DataFile(), "Calc", 4, "EXECUTE", "calc.exe");
    ProgramEntryManager manager(context, "UTILITY");
    manager.show();
    EXPECT_EQ(manager.ViewBtn()->text(), "View a Utility Program");
    EXPECT_TRUE(manager.DeleteBtn()->isEnabled());
    const std::string before = Bytes();
    for (bool answer : {false, true}) {
        WhenShown("TButtListForm", [](QWidget* picker) {
            EXPECT_EQ(picker->windowTitle(), "Select an Entry to delete");
            Click(picker, "SelectBtn");
        });
        rec.messages.confirmAnswers.push_back(answer);
        manager.DeleteBtn()->click();
        if (!answer) {
            EXPECT_EQ(Bytes(), before);  // No changes nothing
        }
    }
    EXPECT_EQ(rec.messages.Texts(Kind::Confirm).back(), "The \"Calc\" entry will be deleted.\n\rContinue?");
    EXPECT_EQ(Bytes(), Crlf({"[Calc]", "source=EXECUTE", "type=4", "command=calc.exe", "]", ""}));
    EXPECT_FALSE(manager.DeleteBtn()->isEnabled());
    EXPECT_TRUE(manager.isVisible());

    project.Config.set(cfg::UtilitiesOn, 1);
    project.SaveProject();
    manager.reject();
    EXPECT_EQ(project.Config.get(cfg::UtilitiesOn), 0);
    EXPECT_EQ(SavedRecord().get(cfg::UtilitiesOn), 0);
}

TEST_F(AidsEditors, DeletingADamagedEntryKeepsTheNextAndSaysSo) {
    home.write("SAFETY.QKR", Crlf({"[Calc]", "source=EXECUTE", "type=4", "command=calc.exe", "", "[Edit]",
                                   "source=EXECUTE", "type=4", "command=edit.exe", "]", ""}));
    ProgramEntryManager manager(context, "EXECUTE");
    manager.show();
    const auto shown = WhenShown("TButtListForm", [](QWidget* picker) { Click(picker, "SelectBtn"); });
    rec.messages.confirmAnswers.push_back(true);
    manager.DeleteBtn()->click();
    EXPECT_TRUE(*shown);
    EXPECT_EQ(Bytes(), Crlf({"[Edit]", "source=EXECUTE", "type=4", "command=edit.exe", "]", ""}));
    EXPECT_EQ(rec.messages.Texts(Kind::Info), std::vector<QString>{DamagedEntryDeletedText("Calc")});
}

TEST_F(AidsEditors, DefiningAUtilityThroughItsEditor) {
    InProject("ding.wav");
    ProgramEntryManager manager(context, "UTILITY");
    WhenShown("TUTilExecForm", [this](QWidget* window) {
        auto* editor = static_cast<UtilityEntryEditor*>(window);
        EXPECT_EQ(editor->findChild<QLabel*>("Label1")->text(), "Enter Program Name");
        EXPECT_FALSE(editor->findChild<QLineEdit*>("Edit1")->isReadOnly());
        Click(editor, "OKBtn");  // " Text Only" selected, its editor never used
        EXPECT_EQ(rec.messages.LastText(), "No data has been entered.");
        editor->Radio(3)->click();
        EXPECT_TRUE(editor->AddButton(3)->isEnabled());
        EXPECT_FALSE(editor->AddButton(1)->isEnabled());
        WhenShown("TGetAudioForm", [](QWidget* chooser) { Click(chooser, "OKBtn"); });
        editor->AddButton(3)->click();
        Click(editor, "OKBtn");
        EXPECT_EQ(rec.messages.LastText(), "No Program name has been entered.");
        editor->findChild<QLineEdit*>("Edit1")->setText("Bell");
        Click(editor, "OKBtn");
    });
    manager.DefineBtn()->click();
    EXPECT_EQ(Bytes(), Crlf({"[Bell]", "source=UTILITY", "type=3", "command=ding.wav", "]", ""}));
    EXPECT_TRUE(manager.ModifyBtn()->isEnabled());
    manager.reject();
    EXPECT_EQ(SavedRecord().get(cfg::UtilitiesOn), 1);
}

TEST_F(AidsEditors, ModifyingAProgramKeepsItsNameAndCancelChangesNothing) {
    AddCommandEntry(DataFile(), "Calc", 6, "EXECUTE", "a.bmp,b.wav,20");
    AddCommandEntry(DataFile(), "Other", 3, "EXECUTE", "b.wav");
    InProject("a.bmp");
    InProject("b.wav");
    const std::string before = Bytes();
    UtilityEntryEditor cancelled(context, OpenEntryDraft(DataFile(), "EXECUTE", "Calc"));
    cancelled.findChild<QPushButton*>("CancelBtn")->click();
    EXPECT_EQ(Bytes(), before);

    UtilityEntryEditor editor(context, OpenEntryDraft(DataFile(), "EXECUTE", "calc"));
    EXPECT_TRUE(editor.findChild<QLineEdit*>("Edit1")->isReadOnly());
    EXPECT_TRUE(editor.Radio(6)->isChecked());
    // The graphic-and-sound chooser shows what the entry had.
    WhenShown("TGetGrAudioForm", [](QWidget* chooser) {
        EXPECT_EQ(chooser->findChild<QLineEdit*>("FileEdit")->text(), "a.bmp");
        EXPECT_EQ(chooser->findChild<QLineEdit*>("SoundFileEdit")->text(), "b.wav");
        EXPECT_EQ(chooser->findChild<QLineEdit*>("DurationEdit")->text(), "20");
        chooser->findChild<QLineEdit*>("DurationEdit")->setText("35");
        Click(chooser, "OKBtn");
    });
    editor.AddButton(6)->click();
    Click(&editor, "OKBtn");
    EXPECT_EQ(Bytes(), Crlf({"[Calc]", "source=EXECUTE", "type=6", "command=a.bmp,b.wav,35", "]", "", "[Other]",
                             "source=EXECUTE", "type=3", "command=b.wav", "]", ""}));
}

// ---- Hypertext ------------------------------------------------------------------------------

TEST_F(AidsEditors, DefineHyperTextFromTheChapterEditor) {
    RecordingChapterRunner runner;
    ChapterEditor chapter(project, rec.platform(), runner);
    chapter.SetSystemServices(&system);
    chapter.SetAidsWindows(TeachingAidsWindows());
    chapter.ChapterText()->setPlainText("Read the |safety rules| now.\nsee |this\n|safety rules| again");
    chapter.show();
    auto undefinedWarnings = [&] {
        int n = 0;
        for (const ScriptProblem& p : chapter.Pane()->problems()->problems())
            n += p.message.find("\"safety rules\" HyperText Link has not been defined") != std::string::npos;
        return n;
    };
    chapter.Pane()->checkNow();
    ASSERT_TRUE(chapter.Pane()->waitForCheck());
    EXPECT_EQ(undefinedWarnings(), 2);
    WhenShown("TButtListForm", [this](QWidget* picker) {
        EXPECT_EQ(picker->windowTitle(), "Select a HyperText Link to define");
        EXPECT_EQ(rec.messages.Texts(Kind::Error), std::vector<QString>{"\"this\" has no closing HyperText marker."});
        WhenShown("TQuestHypMenuForm", [](QWidget* window) {
            auto* editor = static_cast<HypertextEntryEditor*>(window);
            EXPECT_EQ(editor->findChild<QLineEdit*>("Edit1")->text(), "safety rules");
            EXPECT_TRUE(editor->findChild<QLineEdit*>("Edit1")->isReadOnly());
            EXPECT_EQ(editor->findChild<QGroupBox*>("GroupBox1")->title(), " Select HyperText type ");
            WhenShown("THypEntryForm", [](QWidget* rich) {
                auto* form = static_cast<RichTextEntryEditor*>(rich);
                form->Editor()->Edit()->setPlainText("Wear a helmet.");
                Click(form, "OKBtn");
            });
            editor->AddButton(1)->click();
            Click(editor, "OKBtn");
            // The picker comes back; closing it ends Define HyperText.
            WhenShown("TButtListForm", [](QWidget* again) { Click(again, "CloseBtn"); });
        });
        Click(picker, "SelectBtn");
    });
    chapter.findChild<QPushButton*>("DefineHyperBtn")->click();
    EXPECT_TRUE(chapter.isVisible());
    // The problem list follows the data file at once, without an edit.
    ASSERT_TRUE(chapter.Pane()->waitForCheck());
    EXPECT_EQ(undefinedWarnings(), 0);
    TextLines entry;
    ASSERT_TRUE(LoadEntry(DataFile(), "safety rules", "HYPER", entry));
    EXPECT_EQ(entry[2], "type=1");
    EXPECT_NE(JoinLinesCrLf(entry).find("Wear a helmet."), std::string::npos);
}

// The player reads 40 characters of a hypertext word: Define HyperText refuses a longer phrase.
TEST_F(AidsEditors, AHypertextPhraseLongerThanThePlayerReadsIsRefused) {
    RecordingChapterRunner runner;
    ChapterEditor chapter(project, rec.platform(), runner);
    chapter.SetSystemServices(&system);
    chapter.SetAidsWindows(TeachingAidsWindows());
    chapter.ChapterText()->setPlainText("|" + QString(41, 'x') + "|");
    WhenShown("TButtListForm", [](QWidget* picker) {
        WhenShown("TButtListForm", [](QWidget* again) { Click(again, "CloseBtn"); });
        Click(picker, "SelectBtn");
    });
    chapter.DefineHyperBtnClick();
    ASSERT_EQ(rec.messages.Texts(Kind::Error).size(), 1u);
    EXPECT_TRUE(rec.messages.LastText().contains("at most 40 characters"));
    EXPECT_FALSE(fs::exists(DataFile()));
}

TEST_F(AidsEditors, NotesLinkTakesTheFileNameOfItsDialog) {
    HypertextEntryEditor editor(context, NewEntryDraft("HYPER", "my notes"));
    editor.Radio(9)->click();
    WhenShown("TNoteFileForm", [](QWidget* dialog) {
        EXPECT_EQ(dialog->findChild<QGroupBox*>("GroupBox1")->title(), " Enter Text Filename ");
        dialog->findChild<QLineEdit*>("FileEdit")->setText("NOTES.TXT");
        Click(dialog, "OKBtn");
    });
    editor.AddButton(9)->click();
    Click(&editor, "OKBtn");
    EXPECT_EQ(Bytes(), Crlf({"[my notes]", "source=HYPER", "type=13", "command=NOTES.TXT", "]", ""}));
}

// ---- Rich text ------------------------------------------------------------------------------

TEST_F(AidsEditors, WindowTextFormattingComesBackAfterSaveAndReopen) {
    {
        WindowTextEditor form(context, "");
        RichTextEditor* editor = form.Editor();
        QTextEdit* edit = editor->Edit();
        edit->setPlainText(QString::fromUtf8("Bold italic red big € café ‰\nCentred line"));
        QTextCursor c(edit->document());
        auto select = [&](int from, int to) {
            c.setPosition(from);
            c.setPosition(to, QTextCursor::KeepAnchor);
            edit->setTextCursor(c);
        };
        select(0, 4);
        editor->SetBold(true);
        select(5, 11);
        editor->SetItalic(true);
        select(12, 15);
        editor->SetColorName("clRed");
        editor->SetUnderline(true);
        select(16, 19);
        editor->SetPointSize(20);
        editor->SetFamily("Times New Roman");
        select(30, 30);
        editor->SetAlignment(Qt::AlignHCenter);
        select(0, 4);
        const SelectionAttributes a = AttributesOfSelection(*edit);
        EXPECT_TRUE(a.bold);
        EXPECT_FALSE(a.italic);
        select(0, 11);  // bold and italic mixed
        EXPECT_FALSE(AttributesOfSelection(*edit).bold);
        rec.dialogs.colors.push_back(QColor(0x10, 0x20, 0x30));
        editor->BackColorBtnClick();
        form.findChild<QLineEdit*>("Edit1")->setText("Notice");
        Click(&form, "OKBtn");
        EXPECT_EQ(form.result(), QDialog::Accepted);
    }
    std::string color;
    TextLines saved;
    ASSERT_TRUE(LoadWindowText(DataFile(), "Notice", color, saved));
    EXPECT_EQ(color, "$00302010");

    WindowTextEditor reopened(context, "notice");
    EXPECT_EQ(reopened.findChild<QLineEdit*>("Edit1")->text(), "Notice");
    EXPECT_EQ(reopened.Editor()->Background(), 0x00302010u);
    EXPECT_EQ(reopened.Editor()->Lines(), saved);
    const QTextDocument* doc = reopened.Editor()->Edit()->document();
    EXPECT_EQ(doc->toPlainText(), QString::fromUtf8("Bold italic red big € café ‰\nCentred line"));
    auto formatAt = [&](int pos) {
        QTextCursor c(const_cast<QTextDocument*>(doc));
        c.setPosition(pos + 1);
        return c.charFormat();
    };
    EXPECT_GE(formatAt(0).fontWeight(), QFont::DemiBold);
    EXPECT_LT(formatAt(5).fontWeight(), QFont::DemiBold);
    EXPECT_TRUE(formatAt(6).fontItalic());
    EXPECT_EQ(formatAt(12).foreground().color(), QColor(Qt::red));
    EXPECT_TRUE(formatAt(12).fontUnderline());
    EXPECT_EQ(formatAt(16).fontPointSize(), 20);
    EXPECT_EQ(formatAt(16).fontFamilies().toStringList().value(0), "Times New Roman");
    EXPECT_EQ(doc->lastBlock().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_NE(doc->firstBlock().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
}

// Enter in the middle of the work applies the size or moves on to the text; only OK ends it.
TEST_F(AidsEditors, EnterInTheRichTextEditorsNeverClosesThem) {
    WindowTextEditor form(context, "");
    form.show();
    auto* name = form.findChild<QLineEdit*>("Edit1");
    QTest::keyClicks(name, "Notice");
    QTest::keyClick(name, Qt::Key_Return);
    EXPECT_TRUE(form.isVisible());
    QTextEdit* edit = form.Editor()->Edit();
    edit->setPlainText("Big");
    edit->selectAll();
    QLineEdit* size = form.findChild<QComboBox*>("FontSize")->lineEdit();
    size->setText("20");
    QTest::keyClick(size, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(edit->textCursor().charFormat().fontPointSize(), 20);
    EXPECT_FALSE(fs::exists(DataFile()));
    Click(&form, "OKBtn");
    EXPECT_EQ(form.result(), QDialog::Accepted);
    std::string color;
    TextLines saved;
    EXPECT_TRUE(LoadWindowText(DataFile(), "Notice", color, saved));
}

TEST_F(AidsEditors, WindowTextNameInUseIsRefusedWhenTheFieldIsLeft) {
    AddWindowText(DataFile(), "Intro", "clWhite", {"{\\rtf1 a}"});
    WindowTextEditor form(context, "");
    auto* name = form.findChild<QLineEdit*>("Edit1");
    QTest::keyClicks(name, "intro");
    form.Edit1Exit();
    EXPECT_EQ(rec.messages.LastText(), "That name is already in use");
    EXPECT_TRUE(name->text().isEmpty());
    // Keeping its own name while modifying is not refused.
    WindowTextEditor modify(context, "Intro");
    auto* own = modify.findChild<QLineEdit*>("Edit1");
    own->setText("INTRO");
    own->setModified(true);
    rec.messages.Clear();
    modify.Edit1Exit();
    EXPECT_TRUE(rec.messages.shown.empty());
    Click(&modify, "CancelBtn");
    EXPECT_EQ(Bytes(), Crlf({"[Intro]", "source=WINTEXT", "color=clWhite", "text=", "{\\rtf1 a}", "]", ""}));
}

TEST_F(AidsEditors, RichTextEntryEditorKeepsTextOnEmptyBoxAndCancel) {
    TScreenBackground screen;
    std::vector<std::string> text{"{\\rtf1 keep\\par}"};
    TScreenBackground s = screen;
    WhenShown("THypEntryForm", [](QWidget* form) {
        static_cast<RichTextEntryEditor*>(form)->Editor()->Edit()->clear();
        Click(form, "OKBtn");
    });
    EXPECT_TRUE(EditRichTextEntry(context, s, text, 1, nullptr));
    EXPECT_EQ(text, std::vector<std::string>{"{\\rtf1 keep\\par}"});
    RichTextEntryEditor graphic(context, screen, text, 2);
    EXPECT_EQ(graphic.findChild<QPushButton*>("AdjustBtn")->text(), "&Design Display Screen");
}

// ---- Window placing ---------------------------------------------------------------------------

TEST_F(AidsEditors, AdjustWindowSavesOnlyWhatWasMovedAndAsksOnClose) {
    TScreenBackground s;
    s.WindowLeft = 100;
    s.WindowTop = 60;
    s.WindowWidth = 300;
    s.WindowHeight = 150;
    {
        HypertextWindowAdjuster form(context, s, {"{\\rtf1 x}"});
        EXPECT_EQ(form.Panel()->geometry(), QRect(100, 60, 300, 166));
        form.SaveItemClick();
        EXPECT_EQ(form.Settings(), s);  // saved without a move: the same rectangle
    }
    {
        HypertextWindowAdjuster form(context, s, {});
        form.Panel()->Place(QRect(120, 70, 200, 116));
        rec.messages.confirmAnswers.push_back(true);
        form.QuitItemClick();  // closing with a change asks, Yes saves
        EXPECT_EQ(rec.messages.LastText(), "Save changes?");
        EXPECT_TRUE(form.Saved());
        EXPECT_EQ((std::tuple{form.Settings().WindowLeft, form.Settings().WindowTop, form.Settings().WindowWidth,
                              form.Settings().WindowHeight}),
                  (std::tuple{120, 70, 200, 100}));
    }
    {
        ViewportWindowAdjuster form(context, s, {});
        QTest::keyClick(form.Panel(), Qt::Key_Right, Qt::ShiftModifier);
        QTest::keyClick(form.Panel(), Qt::Key_Down, Qt::ControlModifier);
        rec.messages.confirmAnswers.push_back(false);
        form.reject();
        EXPECT_FALSE(form.Saved());
        EXPECT_EQ(form.Settings(), s);
    }
}

// Every adjuster follows one keyboard rule (arrows move, Shift with the arrows sizes), and its F1
// opens a page that describes it.
TEST_F(AidsEditors, AdjustersShareTheKeysAndHaveTheirOwnHelpPage) {
    TScreenBackground s;
    s.WindowLeft = 100;
    s.WindowTop = 60;
    s.WindowWidth = 300;
    s.WindowHeight = 150;
    HypertextWindowAdjuster link(context, s, {});
    ViewportWindowAdjuster graphic(context, s, {});
    const std::string book = TempFolder::read(fs::path(QUILL_SHIPPED_DIR) / "QUILLDESK.html");
    auto page = [&](int topic) {
        const auto at = book.find("name=\"topic-" + std::to_string(topic) + "\"");
        return at == std::string::npos ? std::string() : book.substr(at, book.find("<h2>", at) - at);
    };
    const std::pair<TextWindowAdjuster*, const char*> adjusters[] = {{&link, "Text Only"}, {&graphic, "drag and size the window"}};
    for (const auto& [form, described] : adjusters) {
        SCOPED_TRACE(form->objectName().toStdString());
        const QRect start = form->Panel()->geometry();
        QTest::keyClick(form->Panel(), Qt::Key_Right);
        EXPECT_EQ(form->Panel()->geometry(), start.translated(1, 0));
        QTest::keyClick(form->Panel(), Qt::Key_Down, Qt::ShiftModifier);
        EXPECT_EQ(form->Panel()->geometry(), start.translated(1, 0).adjusted(0, 0, 0, 1));
        const std::string text = page(HelpTopicOf(form));
        EXPECT_NE(text.find(described), std::string::npos) << text;
        EXPECT_NE(text.find("Shift with the arrows sizes"), std::string::npos) << text;
    }
}

TEST_F(AidsEditors, WindowTextViewerShowsTheCellCoordinates) {
    WindowTextViewer viewer(context, {"{\\rtf1 hello}"}, "clYellow");
    EXPECT_EQ(viewer.Panel()->geometry(), QRect(200, 112, 184, 160));
    viewer.ShowCoordinatesClick();
    EXPECT_EQ(rec.messages.LastText(), "X1 = 26\r\nY1 = 7\r\nX2 = 49\r\nY2 = 16");
    // The text carries the sizing handles of the introduction adjuster: eight squares around it.
    viewer.show();
    const StretchHandle* handle = viewer.Panel()->Handle();
    EXPECT_TRUE(handle->isVisible());
    EXPECT_EQ(handle->geometry(), viewer.Panel()->geometry().adjusted(-2, -2, 2, 2));
}

// The viewer's control bar is drawn by the learner's screen: the bar a chapter shows with all
// five buttons, in their places and captions.
TEST_F(AidsEditors, WindowTextViewerBarIsTheBarAChapterShows) {
    project.Config.set(cfg::Program::HelpOn, 1);
    project.Config.set(cfg::UtilitiesOn, 1);
    project.Config.set(cfg::Screen::ControlBarColor, 0x00C0FFC0);
    const QImage played = PlayedScreen(project, {"*Controls C P Q H U", "*Wait"});
    ASSERT_FALSE(played.isNull());
    WindowTextViewer viewer(context, {"{\\rtf1 hello}"}, "clYellow");
    const QImage bar = viewer.findChild<QLabel*>("ControlBar")->pixmap().toImage();
    EXPECT_EQ(bar.convertToFormat(played.format()), played.copy(0, 448, 640, 32));
}

// ---- Headings and colours ---------------------------------------------------------------------

// An empty heading name is refused every time the field is left, changed or not.
TEST_F(AidsEditors, AnEmptyHeadingNameIsRefusedEachTimeTheFieldIsLeft) {
    HeadingStylesDesigner form(context);
    form.show();
    QApplication::setActiveWindow(&form);
    QLineEdit* name = form.NameEdit(2);
    name->setFocus();
    name->clear();
    for (int leave = 1; leave <= 2; ++leave) {
        form.NameEdit(3)->setFocus();
        EXPECT_EQ(rec.messages.Texts(Kind::Error).size(), static_cast<std::size_t>(leave));
        EXPECT_EQ(QApplication::focusWidget(), name) << leave;
    }
    EXPECT_EQ(rec.messages.LastText(), "An Heading name must be specified");
    name->setText("Part");
    form.NameEdit(3)->setFocus();
    EXPECT_EQ(rec.messages.Texts(Kind::Error).size(), 2u);
    EXPECT_EQ(form.Record().get(cfg::Headings::Entry(2).Name), "Part");
}

TEST_F(AidsEditors, HeadingsEditorStoresNamesAndFontsOnlyOnOK) {
    const TTutorialConfig before = project.Config;
    {
        HeadingStylesDesigner form(context);
        QLineEdit* name = form.NameEdit(2);
        name->setText("Main Title");
        form.NameEditExit(2);
        EXPECT_EQ(rec.messages.LastText(), "Spaces are not allowed in the Heading name");
        EXPECT_TRUE(name->text().isEmpty());
        Click(&form, "CancelBtn");
    }
    EXPECT_EQ(project.Config, before);

    HeadingStylesDesigner form(context);
    form.NameEdit(2)->setText("MainTitle");
    form.NameEditExit(2);
    form.SelectHeading(3);
    form.findChild<QComboBox*>("FontCombo")->setCurrentText("Courier New");
    form.findChild<QComboBox*>("SizeCombo")->setCurrentText("24");
    form.findChild<QRadioButton*>("BoldRadio")->setChecked(true);
    form.findChild<QCheckBox*>("ItalicCheck")->setChecked(true);
    form.findChild<QRadioButton*>("RightRadio")->click();
    form.findChild<QPushButton*>("DefaultBackBtn")->click();
    EXPECT_TRUE(form.findChild<QLabel*>("SamplePnl")->alignment() & Qt::AlignRight);
    form.OKBtnClick();
    const TTutorialConfig saved = SavedRecord();
    EXPECT_EQ(saved.get(cfg::Headings::Entry(2).Name), "MainTitle");
    const auto font = FontFromSpec(saved.get(cfg::Headings::Entry(3).Font));
    ASSERT_TRUE(font);
    EXPECT_EQ(font->size, 24);
    EXPECT_EQ(font->style & (fsBold | fsItalic), fsBold | fsItalic);
    EXPECT_EQ(font->name, "Courier New");
    EXPECT_EQ(saved.get(cfg::Headings::Entry(3).Mode), 3);
    EXPECT_EQ(saved.get(cfg::Headings::Entry(3).BackColor), saved.get(cfg::Screen::ScreenBackColor));
    EXPECT_EQ(project.Config, saved);
}

TEST_F(AidsEditors, CustomColoursAreTheLastTenEntriesOfTheColourTable) {
    project.Config.set(cfg::Colors::Entry(17).Name, "Paper");
    project.Config.set(cfg::Colors::Entry(26).Name, "Sand");
    CustomColoursDialog form(context);
    EXPECT_EQ(form.ColorRadio(1)->text(), "ColorQ");
    EXPECT_EQ(form.ColorRadio(10)->text(), "ColorZ");
    // The names chapters use stand beside the captions.
    EXPECT_EQ(form.ColorName(1)->text(), "Paper");
    EXPECT_EQ(form.ColorName(10)->text(), "Sand");
    form.ColorRadio(4)->click();
    rec.dialogs.colors.push_back(QColor(0x11, 0x22, 0x33));
    form.DefineBtnClick();
    EXPECT_EQ(form.ColorPnl(4)->palette().color(QPalette::Window), QColor(0x11, 0x22, 0x33));
    EXPECT_EQ(project.Config.get(cfg::Colors::Entry(20).Value), SavedRecord().get(cfg::Colors::Entry(20).Value));
    form.OKBtnClick();
    EXPECT_EQ(SavedRecord().get(cfg::Colors::Entry(20).Value), 0x00332211u);
}

// ---- Display screen designer, window text manager, main window ------------------------------

TEST_F(AidsEditors, DisplayScreenDesignerWritesTheChosenBackgroundAndWindow) {
    Picture(home / "back.jpg");
    Picture(home / "tile.bmp");
    TScreenBackground s;
    {
        DisplayScreenDesigner cancelled(context, s, {});
        cancelled.findChild<QRadioButton*>("GraphicRadio")->click();
        EXPECT_EQ(cancelled.Settings().ScreenType, 2);  // what OK would keep; Cancel keeps nothing
    }
    DisplayScreenDesigner form(context, s, {"{\\rtf1 x}"});
    EXPECT_TRUE(form.findChild<QCheckBox*>("FullScreenCheck")->isChecked());
    form.findChild<QRadioButton*>("WallpaperRadio")->click();
    form.WallpaperGroup()->SetChoice("tile.bmp");
    form.GraphicGroup()->SetChoice("back.jpg");
    rec.dialogs.colors.push_back(QColor(0, 0, 0x80));
    form.ColorBtnClick();
    WhenShown("TVPAdjustForm", [](QWidget* window) {
        auto* adjust = static_cast<ViewportWindowAdjuster*>(window);
        adjust->Panel()->Place(QRect(10, 30, 300, 200));
        adjust->SaveItemClick();
    });
    form.AdjustBtnClick();
    const TScreenBackground out = form.Settings();
    EXPECT_EQ(out.ScreenType, 3);
    EXPECT_EQ(out.WallpaperFile, "tile.bmp");
    EXPECT_EQ(out.GraphicFile, "back.jpg");
    EXPECT_EQ(out.ScreenColor, 0x00800000u);
    EXPECT_FALSE(out.TextWindowOff);
    EXPECT_EQ((std::tuple{out.WindowLeft, out.WindowTop, out.WindowWidth, out.WindowHeight}),
              (std::tuple{10, 30, 300, 200}));
}

// A new entry's text covers the whole screen; choosing a graphic (or a wallpaper) makes room
// for it, and the window says what the choice shows.
TEST_F(AidsEditors, ChoosingAGraphicShowsItAroundTheTextWindow) {
    for (const char* radio : {"GraphicRadio", "WallpaperRadio"}) {
        DisplayScreenDesigner form(context, TScreenBackground{}, {});
        auto* full = form.findChild<QCheckBox*>("FullScreenCheck");
        auto* note = form.findChild<QLabel*>("FullScreenNoteLbl");
        ASSERT_TRUE(full->isChecked());
        EXPECT_TRUE(note->text().contains("no graphic")) << note->text();
        form.findChild<QRadioButton*>(radio)->click();
        EXPECT_FALSE(full->isChecked()) << radio;
        EXPECT_FALSE(form.Settings().TextWindowOff);
        EXPECT_TRUE(note->text().contains("Adjust Window")) << note->text();
        // The author may still tick it again: the choice is theirs.
        full->click();
        EXPECT_TRUE(form.Settings().TextWindowOff);
    }
}

TEST_F(AidsEditors, WindowTextManagerViewsAndModifies) {
    AddWindowText(DataFile(), "Intro", "clYellow", {"{\\rtf1 first}"});
    AddCommandEntry(DataFile(), "x", 3, "HYPER", "a.wav");
    WindowTextManager manager(context);
    EXPECT_EQ(manager.DefineBtn()->text(), "Create WindowText");
    bool viewed = false;
    WhenShown("TButtListForm", [&](QWidget* picker) {
        EXPECT_EQ(picker->windowTitle(), "Select an Entry to View");
        WhenShown("TWTextTestForm", [&](QWidget* viewer) {
            viewed = true;
            EXPECT_EQ(viewer->findChild<QTextBrowser*>("RichEdit1")->toPlainText().trimmed(), "first");
            static_cast<QDialog*>(viewer)->accept();
        });
        Click(picker, "SelectBtn");
    });
    manager.ViewBtn()->click();
    EXPECT_TRUE(viewed);
    WhenShown("TButtListForm", [](QWidget* picker) {
        WhenShown("TRTFEntryForm", [](QWidget* window) {
            auto* form = static_cast<WindowTextEditor*>(window);
            form->findChild<QLineEdit*>("Edit1")->setText("Opening");
            form->Editor()->Edit()->setPlainText("second");
            Click(form, "OKBtn");
        });
        Click(picker, "SelectBtn");
    });
    manager.ModifyBtn()->click();
    TextLines names;
    ListEntryNames(names, DataFile(), "WINTEXT");
    EXPECT_EQ(names, TextLines{"Opening"});
    EXPECT_EQ(Bytes().substr(0, 4), "[x]\r");  // the renamed window text went to the end
}

TEST_F(AidsEditors, TeachingAidsButtonOfTheMainWindowOpensTheMenu) {
    RecordingChapterRunner runner;
    MainWindow main(project, rec.platform(), runner);
    main.SetSystemServices(&system);
    main.UpdateButtons();
    bool opened = false;
    WhenShown("TToolsMenuForm", [&](QWidget* menu) {
        opened = true;
        Click(menu, "CloseBtn");
    });
    main.Button(control::ToolsBtn)->click();
    EXPECT_TRUE(opened);
    EXPECT_TRUE(rec.messages.shown.empty());
}

TEST_F(AidsEditors, HypertextManagerViewsWhatThePlayerWouldAndModifiesALink) {
    TScreenBackground screen;
    AddTextEntry(DataFile(), "rules", 1, "HYPER", {"{\\rtf1 Wear a helmet.\\par}"}, screen);
    AddCommandEntry(DataFile(), "web", 10, "HYPER", "page.htm");
    InProject("page.htm");
    InProject("other.htm");
    HypertextManager manager(context);
    EXPECT_TRUE(manager.ViewBtn()->isEnabled());
    bool shown = false;
    WhenShown("TButtListForm", [&](QWidget* picker) {
        EXPECT_EQ(picker->windowTitle(), "Select an Entry to view");
        WhenShown("TShowHTextForm", [&](QWidget* viewer) {
            shown = true;
            EXPECT_EQ(viewer->findChild<QTextBrowser*>("RichEdit1")->toPlainText().trimmed(), "Wear a helmet.");
            Click(viewer, "OKBtn");
        });
        Click(picker, "SelectBtn");
    });
    manager.ViewBtn()->click();
    EXPECT_TRUE(shown);

    WhenShown("TButtListForm", [](QWidget* picker) {
        EXPECT_EQ(picker->windowTitle(), "Select a Link to Modify");
        static_cast<QListWidget*>(picker->findChild<QListWidget*>("ListBox1"))->setCurrentRow(1);
        WhenShown("TQuestHypMenuForm", [](QWidget* window) {
            auto* editor = static_cast<HypertextEntryEditor*>(window);
            EXPECT_EQ(editor->findChild<QGroupBox*>("GroupBox1")->title(), " Select HyperLink type ");
            EXPECT_TRUE(editor->Radio(4)->isChecked());
            WhenShown("TExeChoiceForm", [](QWidget* choice) {
                auto* form = static_cast<ExternalTypeChooser*>(choice);
                EXPECT_EQ(form->SelectedType(), 10);
                WhenShown("TGetHTMForm", [](QWidget* html) {
                    EXPECT_EQ(html->findChild<QLineEdit*>("FileEdit")->text(), "page.htm");
                    html->findChild<QLineEdit*>("FileEdit")->setText("other.htm");
                    Click(html, "OKBtn");
                });
                form->AddClick(10);
                Click(form, "OKBtn");
            });
            editor->AddButton(4)->click();
            Click(editor, "OKBtn");
        });
        Click(picker, "SelectBtn");
    });
    manager.ModifyBtn()->click();
    TextLines entry;
    ASSERT_TRUE(LoadEntry(DataFile(), "web", "HYPER", entry));
    EXPECT_EQ(entry, (TextLines{"web", "source=HYPER", "type=10", "command=other.htm", "]"}));
}

TEST_F(AidsEditors, EntryEditorWorksFromTheKeyboard) {
    HypertextEntryEditor editor(context, NewEntryDraft("HYPER", "link"));
    editor.show();
    QApplication::setActiveWindow(&editor);
    editor.Radio(1)->setFocus();
    QTest::keyClick(editor.Radio(1), Qt::Key_Down);
    EXPECT_TRUE(editor.Radio(2)->isChecked());
    EXPECT_TRUE(editor.AddButton(2)->isEnabled());
    EXPECT_FALSE(editor.AddButton(1)->isEnabled());
    EXPECT_EQ(editor.Draft().selectedType, 2);
}

TEST_F(AidsEditors, ImportReplacesTheTextWithATextOrRtfFile) {
    WindowTextEditor form(context, "");
    RichTextEditor* editor = form.Editor();
    editor->Edit()->setPlainText("old");
    rec.dialogs.files.push_back(elsewhere.write("a.txt", "caf\xE9\r\nline two"));
    rec.dialogs.files.push_back(elsewhere.write("b.rtf", "{\\rtf1\\ansi {\\b bold} plain\\par}"));
    rec.dialogs.files.push_back(std::nullopt);
    editor->ImportBtnClick();
    EXPECT_EQ(editor->Edit()->toPlainText(), QString::fromUtf8("café\nline two"));
    EXPECT_EQ(rec.dialogs.requests.back().file.filter, "Text and RTF Files|*.TXT;*.RTF");
    editor->ImportBtnClick();
    EXPECT_EQ(editor->Edit()->toPlainText().trimmed(), "bold plain");
    editor->ImportBtnClick();  // cancelled: nothing changes
    EXPECT_EQ(editor->Edit()->toPlainText().trimmed(), "bold plain");
}
