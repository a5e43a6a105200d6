// The rules of the teaching aids windows, without windows: manager buttons, the links of a
// chapter, the entry editors' drafts and saves (the bytes they write), window texts, cell
// coordinates, the text window's place and heading names.
#include <gtest/gtest.h>

#include "../../format/test_folder.h"
#include "aids/entry_rules.h"
#include "project/config_record.h"

using namespace quill;
using quill::test::Crlf;
using quill::test::TempFolder;
namespace fs = std::filesystem;

namespace {

struct Rules : ::testing::Test {
    TempFolder tmp;
    fs::path file = tmp / "SAFETY.QKR";
    std::string Bytes() const { return TempFolder::read(file); }
};

}  // namespace

TEST_F(Rules, ManagerButtonsFollowTheEntriesOfTheSource) {
    struct Case {
        std::string_view source;
        ManagerButtons expected;
    };
    // No data file: only Define (the hypertext manager has none).
    for (const Case& c : {Case{kSourceHyper, {false, false, false, false}}, Case{kSourceExecute, {false, false, false, true}},
                          Case{kSourceUtility, {false, false, false, true}}, Case{kSourceWinText, {false, false, false, true}}})
        EXPECT_EQ(ManagerButtonsFor(file, c.source), c.expected) << c.source;
    AddCommandEntry(file, "Calc", 4, "UTILITY", "calc.exe");
    EXPECT_EQ(ManagerButtonsFor(file, kSourceUtility), (ManagerButtons{true, true, true, true}));
    EXPECT_EQ(ManagerButtonsFor(file, kSourceExecute), (ManagerButtons{false, false, false, true}));
    EXPECT_EQ(ManagerSpecFor("UTILITY").groupCaption, " Utility Programs ");
    EXPECT_EQ(ManagerSpecFor("HYPER").modifyPrompt, "Select a Link to Modify");
    EXPECT_EQ(ManagerSpecFor("WINTEXT").viewPrompt, "Select an Entry to View");
    EXPECT_EQ(DeleteQuestion("Calc"), "The \"Calc\" entry will be deleted.\n\rContinue?");
}

TEST_F(Rules, UtilitiesOnFollowsTheUtilities) {
    TTutorialConfig config;
    EXPECT_FALSE(SyncUtilitiesOn(config, file));
    AddCommandEntry(file, "Calc", 4, "UTILITY", "calc.exe");
    EXPECT_TRUE(SyncUtilitiesOn(config, file));
    EXPECT_EQ(config.get(cfg::UtilitiesOn), 1);
    DeleteEntry(file, "calc", "UTILITY");
    EXPECT_TRUE(SyncUtilitiesOn(config, file));
    EXPECT_EQ(config.get(cfg::UtilitiesOn), 0);
}

TEST(HyperLinks, FoundInOrderAndUnclosedMarkersReported) {
    const HyperLinkScan scan = FindHyperLinks({"a |one| b |two| c", "see |this", "|one| again ||", "none"});
    EXPECT_EQ(scan.links, (QStringList{"one", "two", "one", ""}));
    EXPECT_EQ(scan.errors, QStringList{"\"this\" has no closing HyperText marker."});
    // A link after an unclosed marker on the same line is not looked for.
    EXPECT_EQ(FindHyperLinks({"|a| |b"}).links, QStringList{"a"});
}

TEST(HyperLinks, NamesTheCompiledImageCannotHoldAreRefused) {
    EXPECT_FALSE(EntryNameLengthError(std::string(58, 'x'), kSourceExecute));
    const auto error = EntryNameLengthError(std::string(59, 'x'), kSourceUtility);
    ASSERT_TRUE(error);
    EXPECT_TRUE(error->contains("at most 58 characters")) << error->toStdString();
    // The player reads 40 characters of a hypertext word: a longer phrase could never be reached.
    EXPECT_FALSE(EntryNameLengthError(std::string(40, 'x'), kSourceHyper));
    const auto link = EntryNameLengthError(std::string(41, 'x'), kSourceHyper);
    ASSERT_TRUE(link);
    EXPECT_TRUE(link->contains("at most 40 characters")) << link->toStdString();
}

TEST_F(Rules, DraftsOfExistingEntriesGiveBackTheirParts) {
    AddCommandEntry(file, "pic", 2, "HYPER", "a.bmp,50");
    AddCommandEntry(file, "both", 6, "HYPER", "a.bmp,b.wav,20");
    AddCommandEntry(file, "voice", 3, "HYPER", "b.wav");
    AddCommandEntry(file, "web", 10, "HYPER", "page.htm");
    TScreenBackground screen;
    screen.WindowLeft = 7;
    AddTextEntry(file, "text", 1, "HYPER", {"{\\rtf1 hi}"}, screen);

    const EntryDraft pic = OpenEntryDraft(file, "HYPER", "PIC");
    EXPECT_TRUE(pic.modifying);
    EXPECT_EQ(pic.oldName, "pic");
    EXPECT_EQ(pic.selectedType, 2);
    EXPECT_EQ(pic.definedType, 2);
    EXPECT_EQ(pic.graphicFile, "a.bmp");
    EXPECT_EQ(pic.graphicOption, "50");
    const EntryDraft both = OpenEntryDraft(file, "HYPER", "both");
    EXPECT_EQ((std::tuple{both.graphicFile, both.soundFile, both.graphicOption}), (std::tuple{"a.bmp", "b.wav", "20"}));
    EXPECT_EQ(OpenEntryDraft(file, "HYPER", "voice").command, "b.wav");
    const EntryDraft web = OpenEntryDraft(file, "HYPER", "web");
    EXPECT_EQ((std::tuple{web.selectedType, web.program}), (std::tuple{10, "page.htm"}));
    EXPECT_EQ(RadioOfType(web.selectedType), 4);
    const EntryDraft text = OpenEntryDraft(file, "HYPER", "text");
    EXPECT_EQ(text.text, TextLines{"{\\rtf1 hi}"});
    EXPECT_EQ(text.screen.WindowLeft, 7);

    const EntryDraft fresh = OpenEntryDraft(file, "HYPER", "new one");
    EXPECT_FALSE(fresh.modifying);
    EXPECT_EQ((std::tuple{fresh.name, fresh.selectedType, fresh.definedType}), (std::tuple{"new one", 1, 0}));
}

// The editor reads an entry's type as the player does (EntryType): a type the player does
// not read as a number is not offered as one.
TEST(EntryDrafts, TheTypeIsReadAsThePlayerReadsIt) {
    const struct {
        const char* line;
        int type;
    } cases[] = {{"type=2", 2}, {"type=10", 10}, {"type= 3", 3}, {"type=3 ", 0}, {"type=3x", 0}, {"type=", 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const EntryDraft d = DraftOfEntry("HYPER", {"[pic]", "source=HYPER", c.line, "command=a.bmp,50", "]"});
        EXPECT_EQ(d.definedType, c.type);
        EXPECT_EQ(d.selectedType, c.type);
    }
}

TEST_F(Rules, SaveRefusals) {
    AddCommandEntry(file, "Calc", 4, "EXECUTE", "calc.exe");
    const std::string before = Bytes();
    struct Case {
        const char* what;
        std::string source;
        int selected, defined;
        std::string command;
        std::string typedName;
        QString error;
        bool focusName;
    };
    const Case cases[] = {
        {"type chosen, Add not used", "HYPER", 2, 0, "", "", "No data has been entered.", false},
        {"program without a name", "UTILITY", 3, 3, "a.wav", "", "No Program name has been entered.", true},
        {"program named with blanks only", "UTILITY", 3, 3, "a.wav", "   ", "No Program name has been entered.", true},
        {"name taken, typed with blanks", "EXECUTE", 3, 3, "a.wav", " calc  ", "That Program Name is already in use.", true},
        {"name taken in other case", "EXECUTE", 3, 3, "a.wav", "CALC", "That Program Name is already in use.", true},
        {"text type without text", "HYPER", 1, 1, "", "", "No Text information was entered.", false},
        {"command type without command", "HYPER", 3, 3, "", "", "", false},
    };
    for (const Case& c : cases) {
        EntryDraft d = NewEntryDraft(c.source, c.source == "HYPER" ? "link" : "");
        d.selectedType = c.selected;
        d.definedType = c.defined;
        d.command = c.command;
        const SaveResult r = SaveEntryDraft(file, d, c.source != "HYPER", c.typedName);
        EXPECT_FALSE(r.saved) << c.what;
        EXPECT_EQ(r.error, c.error) << c.what;
        EXPECT_EQ(r.focusName, c.focusName) << c.what;
    }
    EXPECT_EQ(Bytes(), before);
}

TEST_F(Rules, SavesWriteTheEntryAndModifyKeepsItsPlace) {
    // The same name as an executable is free for a utility.
    AddCommandEntry(file, "Calc", 4, "EXECUTE", "calc.exe");
    EntryDraft utility = NewEntryDraft("UTILITY", "");
    SelectRadio(utility, 4);
    DefineCommand(utility, 10, "help.htm");  // the program type choice picked an HTML page
    EXPECT_EQ(utility.selectedType, 10);
    EXPECT_TRUE(SaveEntryDraft(file, utility, true, "calc").saved);

    EntryDraft link = NewEntryDraft("HYPER", "safety rules");
    TScreenBackground screen;
    screen.WindowColor = 0x00FFFF;
    DefineText(link, 1, {"{\\rtf1 Wear a helmet.\\par", "}"}, screen);
    EXPECT_TRUE(SaveEntryDraft(file, link, false, "ignored").saved);
    const std::string added = Crlf({"[Calc]", "source=EXECUTE", "type=4", "command=calc.exe", "]", "",
                                    "[calc]", "source=UTILITY", "type=10", "command=help.htm", "]", "",
                                    "[safety rules]", "source=HYPER", "type=1", "displaytype=1", "fullscreen=true",
                                    "Sbackcolor=clSilver", "SGraphic=", "SWallpaper=", "VPBack=clYellow",
                                    "VPLeft=120", "VPTop=80", "VPWidth=400", "VPHeight=200", "RLTop=1", "RLLeft=1",
                                    "print=false", "text=", "{\\rtf1 Wear a helmet.\\par", "}", "]", ""});
    EXPECT_EQ(Bytes(), added);

    // Modifying the executable: the name stays, the entry stays first.
    EntryDraft exe = OpenEntryDraft(file, "EXECUTE", "calc");
    SelectRadio(exe, 3);
    DefineCommand(exe, 3, "ding.wav");
    EXPECT_TRUE(SaveEntryDraft(file, exe, true, "another name").saved);
    EXPECT_EQ(Bytes().substr(0, 55), Crlf({"[Calc]", "source=EXECUTE", "type=3", "command=ding.wav", "]", ""}));
    // A modified link saved without a new Add keeps what it had.
    EntryDraft again = OpenEntryDraft(file, "HYPER", "safety rules");
    EXPECT_TRUE(SaveEntryDraft(file, again, false, "").saved);
    EXPECT_EQ(Bytes().substr(Bytes().find("[safety")), added.substr(added.find("[safety")));
}

// A typed name is stored without the blanks around it.
TEST_F(Rules, BlanksAroundATypedNameAreNotStored) {
    EntryDraft utility = NewEntryDraft("UTILITY", "");
    SelectRadio(utility, 3);
    DefineCommand(utility, 3, "ding.wav");
    EXPECT_TRUE(SaveEntryDraft(file, utility, true, "  Chime  ").saved);
    EXPECT_TRUE(SaveWindowText(file, {" Remember ", "", "clWhite", {"{\\rtf1 a}"}}).saved);
    TextLines names;
    ListEntryNames(names, file, "UTILITY");
    ListEntryNames(names, file, "WINTEXT");
    EXPECT_EQ(names, (TextLines{"Chime", "Remember"}));
}

TEST_F(Rules, NotesAddCancelledDoesNotSaveAnotherTypesCommand) {
    EntryDraft d = NewEntryDraft("HYPER", "notes");
    DefineCommand(d, 3, "a.wav");
    SelectRadio(d, 9);
    DefineCommand(d, 13, "");  // what a cancelled notes dialog leaves
    const SaveResult r = SaveEntryDraft(file, d, false, "");
    EXPECT_FALSE(r.saved);
    EXPECT_TRUE(r.error.isEmpty());
    EXPECT_FALSE(fs::exists(file));
}

TEST_F(Rules, WindowTextSaves) {
    AddWindowText(file, "Intro", "clWhite", {"{\\rtf1 a}"});
    AddCommandEntry(file, "x", 3, "HYPER", "a.wav");
    struct Case {
        WindowTextDraft draft;
        QString error;
    };
    for (const Case& c : {Case{{"", "", "clWhite", {"t"}}, "The Window Text Name must be defined"},
                          Case{{"   ", "", "clWhite", {"t"}}, "The Window Text Name must be defined"},
                          Case{{" intro ", "", "clWhite", {"t"}}, "That name is already in use"},
                          Case{{"INTRO", "", "clWhite", {"t"}}, "That name is already in use"}}) {
        const SaveResult r = SaveWindowText(file, c.draft);
        EXPECT_EQ(r.error, c.error);
        EXPECT_TRUE(r.focusName);
    }
    EXPECT_FALSE(WindowTextNameError(file, "intro", "Intro"));  // its own name while modifying
    EXPECT_EQ(WindowTextNameError(file, "intro", ""), "That name is already in use");
    const std::string before = Bytes();
    EXPECT_FALSE(SaveWindowText(file, {"Empty", "", "clWhite", {}}).saved);  // an empty box saves nothing
    EXPECT_EQ(Bytes(), before);
    // Modifying moves the window text to the end of the file.
    EXPECT_TRUE(SaveWindowText(file, {"intro", "Intro", "$00112233", {"{\\rtf1 b}"}}).saved);
    EXPECT_EQ(Bytes(), Crlf({"[x]", "source=HYPER", "type=3", "command=a.wav", "]", "", "[intro]", "source=WINTEXT",
                             "color=$00112233", "text=", "{\\rtf1 b}", "]", ""}));
}

TEST(CellCoordinates, PanelToScreenCells) {
    EXPECT_EQ(CellCoordinatesText(QRect(200, 112, 184, 160)), "X1 = 26\r\nY1 = 7\r\nX2 = 49\r\nY2 = 16");
    EXPECT_EQ(CellCoordinatesText(QRect(-5, 0, 8, 17)), "X1 = 1\r\nY1 = 1\r\nX2 = 2\r\nY2 = 2");
}

TEST(TextWindowPlace, OpeningAndSavingWithoutAMoveKeepsTheRectangle) {
    for (const QRect r : {QRect(120, 80, 400, 200), QRect(0, 0, 640, 464), QRect(33, 17, 50, 1)}) {
        TScreenBackground s;
        s.WindowLeft = r.left();
        s.WindowTop = r.top();
        s.WindowWidth = r.width();
        s.WindowHeight = r.height();
        TScreenBackground adjusted = s;
        StoreAdjustPanelRect(adjusted, AdjustPanelRect(s));
        EXPECT_EQ(adjusted, s);
        EXPECT_EQ(AdjustPanelRect(s).height(), r.height() + 16);
        TScreenBackground viewport = s;
        StoreViewportPanelRect(viewport, ViewportPanelRect(s));
        EXPECT_EQ(viewport, s);
    }
}

TEST(HeadingNames, BlanksAndEmptyNamesAreRefused) {
    EXPECT_EQ(HeadingNameError(""), "An Heading name must be specified");
    EXPECT_EQ(HeadingNameError("Main Title"), "Spaces are not allowed in the Heading name");
    EXPECT_FALSE(HeadingNameError("MainTitle"));
}
