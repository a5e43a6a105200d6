// The entry list picker, the command-type chooser and the external-type choosers.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "../window_driver.h"
#include "aids_fixture.h"
#include "common/entry_list_picker.h"
#include "editor/command_type_chooser.h"
#include "common/external_type_chooser.h"
#include "common/file_chooser.h"

using namespace quill;
using namespace quill::test;
namespace fs = std::filesystem;

namespace {

using Kind = RecordingMessages::Kind;

// ---- EntryListPicker ----------------------------------------------------------------------------

struct ButtListTest : AidsFixture {
    QStringList items{"Alpha", "beta", "ALPHABET", "Gamma"};
    int Current(EntryListPicker& form) { return form.findChild<QListWidget*>("ListBox1")->currentRow(); }
};

TEST_F(ButtListTest, ReturnsTheSelectedIndexOrMinusOne) {
    EntryListPicker form(rec.platform(), "", items, 2, 0);
    EXPECT_EQ(form.windowTitle(), "Select an Entry ");
    EXPECT_EQ(Current(form), 2);
    form.findChild<QPushButton*>("SelectBtn")->click();
    EXPECT_EQ(form.Selected(), 2);

    EntryListPicker closed(rec.platform(), "Select a HyperText Link to define", items, 1, 0);
    EXPECT_EQ(closed.windowTitle(), "Select a HyperText Link to define");
    closed.findChild<QPushButton*>("CloseBtn")->click();
    EXPECT_EQ(closed.Selected(), -1);

    EntryListPicker none(rec.platform(), "", items, -1, 0);
    none.findChild<QPushButton*>("SelectBtn")->click();
    EXPECT_EQ(none.Selected(), -1);

    EntryListPicker doubleClicked(rec.platform(), "", items, 0, 0);
    auto* list = doubleClicked.findChild<QListWidget*>("ListBox1");
    list->setCurrentRow(3);
    emit list->itemDoubleClicked(list->item(3));
    EXPECT_EQ(doubleClicked.Selected(), 3);
}

TEST_F(ButtListTest, FindNextWithoutFurtherMatchSelectsTheFirstAndKeepsItsStartingPoint) {
    EntryListPicker form(rec.platform(), "", items, 3, 0);
    form.FindEntry("alpha", true);
    EXPECT_EQ(Current(form), 0);
    form.FindEntry("alpha", false);
    EXPECT_EQ(Current(form), 2);
    form.FindEntry("alpha", false);  // nothing after ALPHABET
    EXPECT_EQ(Current(form), 0);
    form.FindEntry("alpha", false);  // still starting after ALPHABET
    EXPECT_EQ(Current(form), 0);
    form.FindEntry("alpha", true);
    EXPECT_EQ(Current(form), 0);
    form.FindEntry("mm", true);
    EXPECT_EQ(Current(form), 3);
}

TEST_F(ButtListTest, FindPromptIsPrefilledWithThePreviousSearch) {
    EntryListPicker form(rec.platform(), "", items, 0, 0);
    form.show();
    WhenShown("TFindEntryForm", [](QWidget* prompt) {
        EXPECT_EQ(prompt->windowTitle(), "Find");
        prompt->findChild<QLineEdit*>("FindEdit")->setText("BET");
        prompt->findChild<QPushButton*>("FindFirstBtn")->click();
    });
    form.FindBtnClick();
    EXPECT_EQ(Current(form), 1);
    QString prefilled;
    WhenShown("TFindEntryForm", [&](QWidget* prompt) {
        prefilled = prompt->findChild<QLineEdit*>("FindEdit")->text();
        prompt->findChild<QPushButton*>("FindNextBtn")->click();
    });
    form.FindBtnClick();
    EXPECT_EQ(prefilled, "BET");
    EXPECT_EQ(Current(form), 2);
    form.close();
}

// ---- CommandTypeChooser ---------------------------------------------------------------------------

struct CommandTypeTest : AidsFixture {
    static QRadioButton* Radio(QWidget& form, const char* name) {
        return form.findChild<QRadioButton*>(QString(name) + "Radio");
    }
    static QPushButton* Define(QWidget& form, const char* name) {
        return form.findChild<QPushButton*>(QString(name) + "DefineBtn");
    }
};

TEST_F(CommandTypeTest, TypeZeroStartsOnExecutableWithOnlyItsDefineButton) {
    TCommandSetting setting;
    setting.CommandType = 0;
    CommandTypeChooser form(context, " Opening Command Type ", 0, false, setting);
    EXPECT_TRUE(Radio(form, "Executable")->isChecked());
    for (const char* name : {"Graphic", "Voice", "Executable", "GrSound"})
        EXPECT_EQ(Define(form, name)->isEnabled(), std::string(name) == "Executable") << name;
    Radio(form, "Voice")->setChecked(true);
    EXPECT_TRUE(Define(form, "Voice")->isEnabled());
    EXPECT_FALSE(Define(form, "Executable")->isEnabled());
    EXPECT_EQ(form.SelectedType(), 3);
}

TEST_F(CommandTypeTest, OKChecksTheDataOfTheSelectedType) {
    struct Case {
        const char* radio;
        TCommandSetting setting;
        QString refusal;
    };
    auto with = [](auto change) {
        TCommandSetting s;
        change(s);
        return s;
    };
    const std::vector<Case> cases{
        {"Graphic", {}, "No Graphic File has been selected."},
        {"Graphic", with([](auto& s) { s.Arg1 = "a.bmp"; }), ""},
        {"Voice", {}, "No Voice File has been selected."},
        {"Voice", with([](auto& s) { s.Arg3 = "v.wav"; }), ""},
        {"Executable", {}, "No Executable File has been defined."},
        {"Executable", with([](auto& s) { s.Arg5 = "tool.exe"; }), ""},
        {"GrSound", with([](auto& s) { s.Arg4 = "s.wav"; }), "No Graphic File has been selected."},
        {"GrSound", with([](auto& s) { s.Arg2 = "g.bmp"; }), "No Sound File has been selected."},
        {"GrSound", with([](auto& s) { s.Arg2 = "g.bmp"; s.Arg4 = "s.mid"; }), ""},
        // Data of another type does not count.
        {"Voice", with([](auto& s) { s.Arg1 = "a.bmp"; }), "No Voice File has been selected."},
    };
    for (const Case& c : cases) {
        rec.messages.Clear();
        CommandTypeChooser form(context, "", 0, false, c.setting);
        Radio(form, c.radio)->setChecked(true);
        form.findChild<QPushButton*>("OKBtn")->click();
        SCOPED_TRACE(c.radio);
        if (c.refusal.isEmpty()) {
            EXPECT_EQ(form.result(), QDialog::Accepted);
            EXPECT_TRUE(rec.messages.shown.empty());
        } else {
            EXPECT_NE(form.result(), QDialog::Accepted);
            EXPECT_EQ(rec.messages.LastText(), c.refusal);
        }
    }
}

TEST_F(CommandTypeTest, ADefinitionHoldsTheDataOfOneTypeOnly) {
    TCommandSetting old;
    old.CommandType = 6;
    old.Arg2 = "g.bmp";
    old.Arg4 = "s.wav";
    old.Arg5 = "tool.exe";
    old.Duration = 20;
    const TCommandSetting voice = DefinedSetting(old, 3, {"", "", "hello.wav", "", 0, "hello.wav"});
    TCommandSetting expected;
    expected.CommandType = 3;
    expected.Arg3 = "hello.wav";
    expected.Description = "hello.wav";
    EXPECT_EQ(voice, expected);
}

TEST_F(CommandTypeTest, DefineRunsTheGraphicChooserOfferingTheFirstGraphic) {
    InProject("intro.bmp");
    InProject("title.jpg");
    TCommandSetting setting;
    setting.CommandType = 4;
    setting.Arg5 = "old.exe";
    CommandTypeChooser form(context, " Closing Command Type ", 0, false, setting);
    form.show();
    Radio(form, "Graphic")->setChecked(true);
    QString offered;
    WhenShown("TGetGraphicForm", [&](QWidget* chooser) {
        offered = chooser->findChild<QLineEdit*>("FileEdit")->text();
        chooser->findChild<QLineEdit*>("FileEdit")->setText("intro.bmp");
        chooser->findChild<QLineEdit*>("DurationEdit")->setText("50");
        chooser->findChild<QPushButton*>("OKBtn")->click();
    });
    Define(form, "Graphic")->click();
    EXPECT_EQ(offered, "title.jpg");
    form.findChild<QPushButton*>("OKBtn")->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    const TCommandSetting& s = form.Setting();
    EXPECT_EQ(s.CommandType, 2);
    EXPECT_EQ(s.Arg1, "intro.bmp");
    EXPECT_EQ(s.Duration, 50);
    EXPECT_EQ(s.Description, "intro.bmp,50");
    EXPECT_TRUE(s.Arg5.empty());
}

TEST_F(CommandTypeTest, DefineExecutableGoesThroughTheExternalTypeChooser) {
    TCommandSetting setting;
    setting.CommandType = 9;
    setting.Arg5 = "notepad read.txt";
    for (bool limited : {false, true}) {
        CommandTypeChooser form(context, "", 0, limited, setting);
        form.show();
        QString incoming;
        const char* chooserName = limited ? "TExe2ChoiceForm" : "TExeChoiceForm";
        WhenShown(chooserName, [&](QWidget* chooser) {
            EXPECT_TRUE(chooser->findChild<QRadioButton*>("WinExeRadio")->isChecked());
            EXPECT_EQ(chooser->findChild<QRadioButton*>("HtmlRadio") == nullptr, limited);
            chooser->findChild<QRadioButton*>("ExeRadio")->setChecked(true);
            WhenShown("TGetExeForm", [&](QWidget* exe) {
                incoming = exe->findChild<QLineEdit*>("FileEdit")->text();
                exe->findChild<QLineEdit*>("FileEdit")->setText("calc.exe");
                exe->findChild<QLineEdit*>("ParamEdit")->setText("/x");
                exe->findChild<QPushButton*>("OKBtn")->click();
            });
            chooser->findChild<QPushButton*>("ExeAddBtn")->click();
            chooser->findChild<QPushButton*>("OKBtn")->click();
        });
        Define(form, "Executable")->click();
        EXPECT_EQ(incoming, "");  // the incoming command belongs to the Windows program chooser
        form.findChild<QPushButton*>("OKBtn")->click();
        EXPECT_EQ(form.result(), QDialog::Accepted);
        EXPECT_EQ(form.Setting().CommandType, 4);
        EXPECT_EQ(form.Setting().Arg5, "calc.exe,/x");
        EXPECT_EQ(form.Setting().Description, "calc.exe,/x");
    }
}

TEST_F(CommandTypeTest, ExternalChooserReturnsOnlyASuccessfulAdd) {
    ExternalTypeChooser form(context, "page.htm", 10);
    EXPECT_TRUE(form.findChild<QRadioButton*>("HtmlRadio")->isChecked());
    EXPECT_TRUE(form.findChild<QPushButton*>("HtmlAddBtn")->isEnabled());
    EXPECT_FALSE(form.findChild<QPushButton*>("ExeAddBtn")->isEnabled());
    form.show();
    WhenShown("TGetHTMForm", [](QWidget* html) {
        EXPECT_EQ(html->findChild<QLineEdit*>("FileEdit")->text(), "page.htm");
        html->findChild<QPushButton*>("CancelBtn")->click();
    });
    form.AddClick(10);
    EXPECT_FALSE(form.Choice().has_value());
    WhenShown("TGetHTMForm", [](QWidget* html) { html->findChild<QPushButton*>("OKBtn")->click(); });
    form.AddClick(10);
    ASSERT_TRUE(form.Choice().has_value());
    EXPECT_EQ(*form.Choice(), (ExternalCommand{10, "page.htm"}));
    form.close();
}

}  // namespace
