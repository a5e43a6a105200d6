// The get-file family: preloading, the file list, "Find File" with its copy rule, the defaults
// when nothing is chosen, the refusal of an empty choice and the specs returned.
#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <memory>

#include "aids_fixture.h"
#include "../window_driver.h"
#include "common/file_chooser.h"

using namespace quill;
using namespace quill::test;
namespace fs = std::filesystem;

namespace {

using Kind = RecordingMessages::Kind;

struct GetFileFormTest : AidsFixture {
    // The author has allowed this tutorial's programs (the question itself: program_consent_test).
    GetFileFormTest() { system.consent.AllowForThisRun(home.path()); }
    static QStringList Listed(FileChooser& form, int group = 0) {
        QStringList out;
        auto* list = form.Group(group)->List();
        for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
        return out;
    }
    static QPushButton* Button(QWidget& form, const char* name) { return form.findChild<QPushButton*>(name); }
    // "Find File" picking `picked`, answering the copy question with `yes` (no answer at all when
    // nothing is expected to be asked).
    void Fetch(FileChooser& form, const fs::path& picked, std::optional<bool> yes, int group = 0) {
        rec.dialogs.files.push_back(picked);
        if (yes) rec.messages.confirmAnswers.push_back(*yes);
        form.Group(group)->FindBtnClick();
    }
};

TEST_F(GetFileFormTest, GraphicChooserIsPreloadedAndListsBmpAndJpgInAnyCase) {
    InProject("b.JPG");
    InProject("a.bmp");
    InProject("c.wav");
    InProject("d.Bmp.txt");
    GraphicChooser form(context, "a.bmp", 25);
    EXPECT_EQ(form.windowTitle(), "Press F1 for Help");
    EXPECT_EQ(form.Group(0)->title(), " Select .BMP or .JPG Graphic  ");
    EXPECT_EQ(Listed(form), (QStringList{"a.bmp", "b.JPG"}));
    EXPECT_EQ(form.findChild<QLineEdit*>("FileEdit")->text(), "a.bmp");
    EXPECT_EQ(form.findChild<QLineEdit*>("DurationEdit")->text(), "25");
    EXPECT_EQ(form.findChild<QLineEdit*>("DurationEdit")->maxLength(), 4);
    EXPECT_TRUE(Button(form, "ViewBtn")->isEnabled());

    // Clicking a listed file chooses it.
    auto* list = form.Group(0)->List();
    list->setCurrentRow(1);
    emit list->itemClicked(list->item(1));
    EXPECT_EQ(form.FileName(), "b.JPG");
    EXPECT_EQ(form.Spec(), "b.JPG,25");
}

TEST_F(GetFileFormTest, GraphicSpecOfPictureWithDuration50) {
    Picture(home / "picture.bmp");
    GraphicChooser form(context, "picture.bmp", 50);
    Button(form, "OKBtn")->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(form.FileName(), "picture.bmp");
    EXPECT_EQ(form.DurationValue(), 50);
    EXPECT_EQ(form.Spec(), "picture.bmp,50");
}

TEST_F(GetFileFormTest, DurationFieldEmptyBecomesZeroAndNonNumberIsRefused) {
    GraphicChooser form(context, "p.bmp", 5);
    auto* duration = form.findChild<QLineEdit*>("DurationEdit");
    duration->setText("");
    emit duration->editingFinished();
    EXPECT_EQ(duration->text(), "0");
    EXPECT_TRUE(rec.messages.shown.empty());
    duration->setText("1x");
    emit duration->editingFinished();
    EXPECT_EQ(duration->text(), "0");
    EXPECT_EQ(rec.messages.Texts(Kind::Error), std::vector<QString>{"That is not a valid number"});
}

TEST_F(GetFileFormTest, ImageChooserStartsEmptyAndRefusesAnEmptyChoice) {
    InProject("a.bmp");
    ImageChooser form(context);
    EXPECT_TRUE(form.FileName().empty());
    EXPECT_FALSE(Button(form, "ViewBtn")->isEnabled());
    EXPECT_EQ(form.findChild<QLineEdit*>("DurationEdit"), nullptr);
    Button(form, "OKBtn")->click();
    EXPECT_NE(form.result(), QDialog::Accepted);
    EXPECT_EQ(rec.messages.LastText(), "No Graphic file has been selected");
    form.findChild<QLineEdit*>("FileEdit")->setText("a.bmp");
    EXPECT_TRUE(Button(form, "ViewBtn")->isEnabled());
    Button(form, "OKBtn")->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
}

TEST_F(GetFileFormTest, FindFileCopiesIntoTheProjectAndChoosesIt) {
    const fs::path picked = Picture(elsewhere / "Sunset.jpg");
    GraphicChooser form(context, "", 0);
    Fetch(form, picked, true);
    EXPECT_EQ(rec.messages.Texts(Kind::Confirm),
              std::vector<QString>{"Copy the file Sunset.jpg to the Project directory?"});
    EXPECT_TRUE(fs::exists(home / "Sunset.jpg"));
    EXPECT_EQ(form.FileName(), "Sunset.jpg");
    EXPECT_EQ(Listed(form), QStringList{"Sunset.jpg"});
    EXPECT_TRUE(Button(form, "ViewBtn")->isEnabled());
    ASSERT_EQ(rec.dialogs.requests.size(), 1u);
    EXPECT_EQ(rec.dialogs.requests[0].file.filter, "Graphic Files|*.JPG;*.BMP");
}

TEST_F(GetFileFormTest, FindFileAnsweredNoKeepsTheChoiceOrTakesTheFirstMatchingFile) {
    InProject("z.jpg");
    InProject("a.bmp");
    const fs::path picked = Picture(elsewhere / "other.bmp");
    {
        GraphicChooser form(context, "a.bmp", 0);
        Fetch(form, picked, false);
        EXPECT_EQ(form.FileName(), "a.bmp");
    }
    {
        // Nothing chosen yet: the first "*.jpg" comes before any "*.bmp".
        GraphicChooser form(context, "", 0);
        Fetch(form, picked, false);
        EXPECT_EQ(form.FileName(), "z.jpg");
    }
    EXPECT_FALSE(fs::exists(home / "other.bmp"));
}

TEST_F(GetFileFormTest, FindFileNeverOverwritesAProjectFileOfTheSameName) {
    InProject("LOGO.BMP", "project's own");
    const fs::path picked = elsewhere.write("logo.bmp", "fetched");
    GraphicChooser form(context, "", 0);
    Fetch(form, picked, true);
    EXPECT_EQ(TempFolder::read(home / "LOGO.BMP"), "project's own");
    EXPECT_FALSE(fs::exists(home / "logo.bmp"));
    // The existing file of that name (ignoring case) is the choice.
    EXPECT_EQ(form.FileName(), "logo.bmp");
}

TEST_F(GetFileFormTest, FindFileInTheProjectFolderAsksNothing) {
    const fs::path inside = InProject("here.bmp");
    GraphicChooser form(context, "", 0);
    Fetch(form, inside, std::nullopt);
    EXPECT_TRUE(rec.messages.shown.empty());
    EXPECT_EQ(form.FileName(), "here.bmp");
}

TEST_F(GetFileFormTest, GraphicAndSoundChooserChecksBothAndReturnsItsSpec) {
    InProject("b.MID");
    InProject("a.jpg");
    GraphicSoundChooser form(context, "a.jpg", "", 30);
    EXPECT_EQ(form.Group(1)->title(), " Select .WAV or .MID Audio  ");
    EXPECT_EQ(form.findChild<QPushButton*>("SoundFindBtn")->text(), "Fi&nd File");
    EXPECT_EQ(Listed(form, 1), QStringList{"b.MID"});
    Button(form, "OKBtn")->click();
    EXPECT_NE(form.result(), QDialog::Accepted);
    EXPECT_EQ(rec.messages.LastText(), "No Sound file has been selected");

    // Fetching a sound and declining the copy takes the first "*.WAV", else the first "*.MID".
    Fetch(form, elsewhere.write("x.wav", "w"), false, 1);
    EXPECT_EQ(form.SoundName(), "b.MID");
    Button(form, "OKBtn")->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(form.Spec(), "a.jpg,b.MID,30");

    GraphicSoundChooser noGraphic(context, "", "b.MID", 0);
    Button(noGraphic, "OKBtn")->click();
    EXPECT_EQ(rec.messages.LastText(), "No Graphic file has been selected");
}

TEST_F(GetFileFormTest, TabbingThroughTheListsKeepsTheChoicesAndArrowKeysChoose) {
    InProject("a.jpg");
    InProject("b.jpg");
    InProject("c.bmp");
    InProject("s1.wav");
    InProject("s2.mid");
    GraphicSoundChooser form(context, "b.jpg", "", 30);
    form.show();
    QApplication::setActiveWindow(&form);
    // Round the whole window twice with Tab: entering a list chooses nothing.
    QStringList visited;
    for (int i = 0; i < 24; ++i) {
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        visited << focus->objectName();
        QTest::keyClick(focus, Qt::Key_Tab);
        EXPECT_EQ(form.GraphicName(), "b.jpg") << i;
        EXPECT_EQ(form.SoundName(), "") << i;
    }
    EXPECT_TRUE(visited.contains("FileListBox"));
    EXPECT_TRUE(visited.contains("SoundFileListBox"));
    // The graphic list shows the choice; arrow keys choose.
    auto* graphics = form.Group(0)->List();
    EXPECT_EQ(graphics->currentItem()->text(), "b.jpg");
    graphics->setFocus(Qt::TabFocusReason);
    QTest::keyClick(graphics, Qt::Key_Down);
    EXPECT_EQ(form.GraphicName(), "c.bmp");
    auto* sounds = form.Group(1)->List();
    sounds->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(form.SoundName(), "");
    QTest::keyClick(sounds, Qt::Key_Down);
    EXPECT_EQ(form.SoundName(), "s2.mid");
    EXPECT_EQ(form.Spec(), "c.bmp,s2.mid,30");
}

TEST_F(GetFileFormTest, ExecutableChooserSplitsAndJoinsItsSpec) {
    ProgramChooser form(context, "TOOL.EXE,-q notes.txt,more");
    EXPECT_EQ(form.FileName(), "TOOL.EXE");
    EXPECT_EQ(form.Parameters(), "-q notes.txt,more");
    EXPECT_EQ(form.Spec(), "TOOL.EXE,-q notes.txt,more");
    form.findChild<QLineEdit*>("ParamEdit")->clear();
    EXPECT_EQ(form.Spec(), "TOOL.EXE");
}

// Every member: its group, list mask, empty-choice message and what it returns.
TEST_F(GetFileFormTest, EveryMemberHasItsGroupMaskAndEmptyChoiceMessage) {
    for (const char* name : {"a.bmp", "b.jpg", "c.wav", "d.mid", "e.exe", "f.COM", "g.bat", "h.htm", "i.avi"})
        InProject(name);
    struct Case {
        std::function<std::unique_ptr<FileChooser>()> make;
        QString title;
        QStringList listed;
        QString empty;
        QString filter;
    };
    const std::vector<Case> cases{
        {[&] { return std::make_unique<ImageChooser>(context); }, " Select .BMP or .JPG Graphic  ",
         {"a.bmp", "b.jpg"}, "No Graphic file has been selected", "Graphic Files|*.JPG;*.BMP"},
        {[&] { return std::make_unique<VoiceChooser>(context, ""); }, " Select a .WAV  Audio  file ", {"c.wav"},
         "No Voice file has been selected", "WAV Files|*.WAV"},
        {[&] { return std::make_unique<ProgramChooser>(context, ""); }, " Enter Executable filename ",
         {"e.exe", "f.COM", "g.bat"}, "No executable file has been selected", "Executable Files|*.exe;*.com;*.bat"},
        {[&] { return std::make_unique<WindowsProgramChooser>(context, ""); }, " Windows related Program ", {},
         "No executable file has been selected", ""},
        {[&] { return std::make_unique<HtmlPageChooser>(context, ""); }, " Enter HTML filename ", {"h.htm"},
         "No HTML file has been selected", "HTML Files|*.HTM"},
        {[&] { return std::make_unique<VideoChooser>(context, ""); }, " Select .AVI Video file ", {"i.avi"},
         "No Video file has been selected", "Video Files|*.AVI"},
        {[&] { return std::make_unique<MidiChooser>(context, ""); }, " Select a MIDI file ", {"d.mid"},
         "No MIDI file has been selected", "MIDI Files|*.MID"},
    };
    for (const Case& c : cases) {
        auto form = c.make();
        SCOPED_TRACE(form->objectName().toStdString());
        EXPECT_EQ(form->Group(0)->title(), c.title);
        if (c.listed.isEmpty()) {
            EXPECT_EQ(form->Group(0)->List(), nullptr);
        } else {
            EXPECT_EQ(Listed(*form), c.listed);
        }
        EXPECT_EQ(form->findChild<QPushButton*>("FindBtn") != nullptr, !c.filter.isEmpty());
        EXPECT_EQ(form->Group(0)->Spec().findFilter, c.filter);
        Button(*form, "OKBtn")->click();
        EXPECT_NE(form->result(), QDialog::Accepted);
        EXPECT_EQ(rec.messages.LastText(), c.empty);
    }
}

// The video and MIDI choosers refuse a typed name that is not a file of the folder, as View does.
TEST_F(GetFileFormTest, VideoAndMidiChoosersRefuseATypedFileThatIsNotThere) {
    InProject("film.AVI");
    InProject("tune.mid");
    VideoChooser video(context, "gone.avi");
    MidiChooser midi(context, "gone.mid");
    for (FileChooser* form : std::initializer_list<FileChooser*>{&video, &midi}) {
        Button(*form, "OKBtn")->click();
        EXPECT_NE(form->result(), QDialog::Accepted);
        EXPECT_EQ(rec.messages.LastText(), form == &video ? "The file gone.avi is missing" : "The file gone.mid is missing");
    }
    video.findChild<QLineEdit*>("FileEdit")->setText("film.avi");
    midi.findChild<QLineEdit*>("FileEdit")->setText("TUNE.MID");
    for (FileChooser* form : std::initializer_list<FileChooser*>{&video, &midi}) {
        Button(*form, "OKBtn")->click();
        EXPECT_EQ(form->result(), QDialog::Accepted);
    }
}

TEST_F(GetFileFormTest, ViewPreviewsRunsOrOpensTheChoice) {
    InProject("tool.sh");
    InProject("page.htm");
    InProject("voice.wav");
    system.onPath = {"xdg-open"};
    GraphicChooser graphic(context, "gone.bmp", 10);
    Button(graphic, "ViewBtn")->click();
    EXPECT_EQ(rec.messages.LastText(), "The file GONE.BMP is missing");
    VoiceChooser voice(context, "voice.wav");
    Button(voice, "ViewBtn")->click();
    EXPECT_EQ(system.waves, std::vector<fs::path>{home / "voice.wav"});
    ProgramChooser exe(context, "tool.sh,-x");
    Button(exe, "ViewBtn")->click();
    WindowsProgramChooser win(context, "xdg-open page.htm");
    Button(win, "ViewBtn")->click();
    ASSERT_EQ(system.runs.size(), 2u);
    EXPECT_EQ(system.runs[0].arguments, QStringList{"-x"});
    EXPECT_EQ(system.runs[1].program, "/usr/bin/xdg-open");
    HtmlPageChooser html(context, "PAGE.HTM");
    Button(html, "ViewBtn")->click();
    ASSERT_EQ(system.opened.size(), 1u);
    EXPECT_TRUE(system.opened[0].isLocalFile());
}

TEST_F(GetFileFormTest, WindowsProgramChooserTakesTheTextAsTyped) {
    WindowsProgramChooser form(context, "");
    auto* edit = form.findChild<QLineEdit*>("FileEdit");
    EXPECT_EQ(edit->maxLength(), 50);
    edit->setText("write.exe  report.doc");
    EXPECT_EQ(form.Text(), "write.exe  report.doc");
}

TEST_F(GetFileFormTest, ExecutableDefaultsToExeThenComThenBat) {
    InProject("z.bat");
    InProject("y.com");
    ProgramChooser form(context, "");
    Fetch(form, elsewhere.write("q.exe", "x"), false);
    EXPECT_EQ(form.FileName(), "y.com");
}

TEST_F(GetFileFormTest, OfferedFileKeepsAGivenNameOrOffersTheFirstMatch) {
    InProject("B.BMP");
    InProject("c.jpg");
    const std::vector<std::string> masks{"*.jpg", "*.bmp"};
    EXPECT_EQ(OfferedFile(home.path(), "", masks, false), "c.jpg");
    EXPECT_EQ(OfferedFile(home.path(), "gone.bmp", masks, false), "gone.bmp");
    EXPECT_EQ(OfferedFile(home.path(), "gone.bmp", masks, true), "c.jpg");
    EXPECT_EQ(OfferedFile(home.path(), "b.bmp", masks, true), "b.bmp");
    EXPECT_EQ(OfferedFile(home.path(), "", {"*.wav"}, true), "");
    EXPECT_EQ(ListByMasks(home.path(), "*.BMP;*.JPG;*.bmp"), (std::vector<std::string>{"B.BMP", "c.jpg"}));
}

TEST_F(GetFileFormTest, AMediaTextIsTakenApartAsItsChooserNeedsIt) {
    const struct {
        ChooserKind kind;
        const char* spec;
        const char* file;
        const char* sound;
        int duration;
    } cases[] = {
        {ChooserKind::Graphic, "A.BMP,50", "A.BMP", "", 50},
        {ChooserKind::Graphic, "A.BMP, 50 ", "A.BMP", "", 50},
        {ChooserKind::Graphic, "A.BMP", "A.BMP", "", 0},
        {ChooserKind::Graphic, "A.BMP,5x", "A.BMP", "", 0},
        {ChooserKind::Graphic, "A.BMP,$10", "A.BMP", "", 16},
        {ChooserKind::GraphicAndSound, "A.JPG,B.WAV,7", "A.JPG", "B.WAV", 7},
        {ChooserKind::GraphicAndSound, "A.JPG,B.WAV", "A.JPG", "B.WAV", 0},
        {ChooserKind::GraphicAndSound, "A.JPG", "A.JPG", "", 0},
        {ChooserKind::Executable, "RUN.EXE,-x,y", "RUN.EXE,-x,y", "", 0},
        {ChooserKind::WindowsProgram, "write.exe a,b", "write.exe a,b", "", 0},
        {ChooserKind::Audio, "V.WAV", "V.WAV", "", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.spec);
        const MediaChoice choice = MediaChoiceOfSpec(c.kind, c.spec);
        EXPECT_EQ(choice.file, c.file);
        EXPECT_EQ(choice.sound, c.sound);
        EXPECT_EQ(choice.duration, c.duration);
    }
}

// The one switch from a kind of media to its chooser: the chooser's window appears with what it
// was offered and OK returns its parts and spec; Cancel returns nothing.
TEST_F(GetFileFormTest, ChooseMediaRunsTheChooserOfTheKind) {
    Picture(home / "pic.bmp");
    InProject("tune.mid");
    WhenShown("TGetGrAudioForm", [](QWidget* w) { w->findChild<QPushButton*>("OKBtn")->click(); });
    const auto chosen = ChooseMedia(context, ChooserKind::GraphicAndSound, {"pic.bmp", "tune.mid", 30, {}}, nullptr);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->file, "pic.bmp");
    EXPECT_EQ(chosen->sound, "tune.mid");
    EXPECT_EQ(chosen->duration, 30);
    EXPECT_EQ(chosen->spec, "pic.bmp,tune.mid,30");

    WhenShown("TGetVideoForm", [](QWidget* w) { static_cast<QDialog*>(w)->reject(); });
    EXPECT_FALSE(ChooseMedia(context, ChooserKind::Video, {"film.avi", {}, 0, {}}, nullptr));
}

}  // namespace
