// The command builders: for every option of the six categories, the questions asked (with
// their limits and initial values), the lines written for a set of answers, and what a
// cancelled or refused answer leaves. Every command line written must translate.
#include <gtest/gtest.h>

#include <set>

#include "builder_cases.h"
#include "script/translate.h"
#include "text_codec.h"

using namespace quill;
using namespace quill::test::builders;

namespace {

using A = ScriptedAnswer;

const QString kStart = "colrow \"Enter the starting Column and Row\" ";
const QString kEnd = "colrow \"Enter the ending Column and Row\" ";

std::unique_ptr<Run> Build(const QString& item, const QString& caption, std::vector<ScriptedAnswer> answers,
                           const TTutorialConfig& config,
                           std::vector<std::string> windowTexts = {"Intro box", "Tips"}) {
    return RunOption(item, caption, std::move(answers), config, {{"WINTEXT", std::move(windowTexts)}});
}

const std::vector<Case>& Cases() {
    static const std::vector<Case> cases = {
        // Basic Commands
        {"Basic Commands", " *ClearScreen", {A::Colour(12)}, {"*ClearScreen Blue"}, {"color \"Screen Background color\""}},
        {"Basic Commands", " *ClearScreen", {A::Colour(kDefaultColor)}, {"*ClearScreen Default"}, {}},
        {"Basic Commands", " *ClearScreen", {A::Cancel(A::Color)}, {}, {}},
        {"Basic Commands", " *Title", {A::Txt("Welcome, all")}, {"*Title Welcome, all"}, {"text \"Enter the Title Text\""}},
        {"Basic Commands", " *Title", {A::Txt("")}, {"*Title "}, {}},
        {"Basic Commands", " *Title", {A::Cancel(A::Text)}, {}, {}},
        {"Basic Commands", " *Controls", {A::Buttons("CH")}, {"*Controls C H"}, {"controls"}},
        {"Basic Commands", " *Controls", {A::Buttons("UHPQC")}, {"*Controls C Q P H U"}, {}},
        {"Basic Commands", " *Controls", {A::Buttons("")}, {}, {}},
        {"Basic Commands", " *Controls", {A::Cancel(A::Controls)}, {}, {}},
        {"Basic Commands", " *Wait", {}, {"*Wait"}, {}},
        {"Basic Commands", " @P (pageback)", {A::Txt("Start")}, {"@PStart"}, {"text \"Enter Page Label\""}},
        {"Basic Commands", " @P (pageback)", {A::Txt("")}, {}, {}},
        {"Basic Commands", " ;  (Comment)", {A::Txt(" note")}, {"; note"}, {"text \"Enter A Comment\""}},
        {"Basic Commands", " ;  (Comment)", {A::Cancel(A::Text)}, {}, {}},

        // Screen Display
        {"Screen Display", "*Column", {A::Num(12)}, {"*Column 12"}, {"number \"Enter the Column\" 1..79 =1"}},
        {"Screen Display", "*Column", {A::Cancel(A::Number)}, {}, {}},
        {"Screen Display", "*Row", {A::Num(27)}, {"*Row 27"}, {"number \"Enter the Row\" 1..27 =1"}},
        {"Screen Display", "*ColRow", {A::At(12, 5)}, {"*ColRow 12 5"}, {"colrow \"Enter the Column and Row\" 1..79 1..27 =1,1"}},
        {"Screen Display", "*ColRow", {A::Cancel(A::ColumnRow)}, {}, {}},
        {"Screen Display", "*Blink",
         {A::At(3, 4), A::Num(2), A::Colour(9), A::Colour(kDefaultColor), A::Txt("Look here")},
         {"*Blink 3 4 2 Red Default Look here"},
         {kStart + "1..78 1..25 =1,1", "number \"Number of times to blink ?\" 1..99 =1", "color \"Select text color\"",
          "color \"Select background color\"", "text \"Enter the text to blink\""}},
        {"Screen Display", "*Blink", {A::At(3, 4), A::Num(2), A::Colour(9), A::Colour(1), A::Txt("")}, {}, {}},
        {"Screen Display", "*Blink", {A::At(3, 4), A::Num(2), A::Colour(9), A::Cancel(A::Color)}, {}, {}},
        {"Screen Display", "*Heading", {A::Head(2), A::At(5, 2), A::Num(40), A::Txt("Chapter  One, part 2")},
         {"*Heading Heading2 5 2 40 Chapter  One, part 2"},
         {"heading", "colrow \"Start at which Column and Row\" 1..78 1..24 =1,1", "number \"Enter ending column\" 6..79 =6",
          "text \"Enter the Heading Text\""}},
        {"Screen Display", "*Heading", {A::Cancel(A::Heading)}, {}, {}},
        {"Screen Display", "*Heading", {A::Head(1), A::At(5, 2), A::Cancel(A::Number)}, {}, {}},
        {"Screen Display", "*WindowText", {A::Pick(1), A::At(2, 3), A::At(40, 10)}, {"*WindowText 2 3 40 10 Tips"},
         {"entry \"Select Windows Text\" [Intro box|Tips]", kStart + "1..78 1..24 =1,1", kEnd + "3..79 4..25 =3,4"}},
        {"Screen Display", "*WindowText", {A::Pick(0), A::At(2, 3), A::At(40, 10)}, {"*WindowText 2 3 40 10 Intro box"}, {}},
        {"Screen Display", "*WindowText", {A::Cancel(A::Entry)}, {}, {}},
        {"Screen Display", "*WindowText", {A::Pick(0), A::At(2, 3), A::Cancel(A::ColumnRow)}, {}, {}},
        {"Screen Display", "*Hline", {A::At(10, 5), A::Num(30), A::Num(2), A::Colour(kDefaultColor)}, {"*HLine 10 5 30 2 "},
         {kStart + "1..79 1..25 =1,1", "number \"Ending at Column\" 10..79 =10", "number \"Width of Line\" 1..15 =5",
          "color \"Select Line color\""}},
        {"Screen Display", "*Hline", {A::At(10, 5), A::Num(10), A::Num(15), A::Colour(9)}, {"*HLine 10 5 10 15 Red"}, {}},
        {"Screen Display", "*Hline", {A::At(10, 5), A::Num(10), A::Num(15), A::Cancel(A::Color)}, {}, {}},
        {"Screen Display", "*VLine", {A::At(10, 5), A::Num(20), A::Num(1), A::Colour(0)}, {"*VLine 10 5 20 1 Black"},
         {kStart + "1..79 1..25 =1,1", "number \"Ending at Row\" 5..25 =5", "number \"Width of Line\" 1..15 =5",
          "color \"Select Line color\""}},
        {"Screen Display", "*VLine", {A::At(10, 5), A::Num(20), A::Num(1), A::Colour(kDefaultColor)}, {"*VLine 10 5 20 1 "}, {}},
        {"Screen Display", "*Delay", {A::Num(100)}, {"*Delay 100"}, {"number \"Delay time (10 = 1 sec)\" 1..999 =100"}},
        {"Screen Display", "*Pause", {}, {"*Pause"}, {}},
        {"Screen Display", "*CenterText", {A::At(1, 12), A::Num(79), A::Colour(15), A::Colour(4), A::Txt("^BWelcome")},
         {"*CenterText 1 12 79 White Navy ^BWelcome"},
         {"colrow \"Enter Starting Column and Row\" 1..78 1..25 =1,1", "number \"Ending at Column\" 2..79 =2",
          "color \"Select Text color\"", "color \"Select Background color\"", "text \"Enter the text to center\""}},
        {"Screen Display", "*CenterText", {A::At(1, 12), A::Num(79), A::Colour(15), A::Colour(4), A::Txt("")}, {}, {}},
        {"Screen Display", "*NotePad", {A::Txt("notes.txt")}, {"*NotePad notes.txt"}, {"text \"Enter filename to open\""}},
        {"Screen Display", "*NotePad", {A::Txt("")}, {}, {}},

        // Drawing Boxes
        {"Drawing Boxes", "*PlainBox", {A::At(2, 3), A::At(20, 10), A::Colour(13)}, {"*PlainBox 2 3 20 10 Fuchsia"},
         {kStart + "1..78 1..24 =1,1", kEnd + "3..79 4..25 =3,4", "color \"Select Box color\""}},
        {"Drawing Boxes", "*PlainBox", {A::At(2, 3), A::At(20, 10), A::Cancel(A::Color)}, {}, {}},
        {"Drawing Boxes", "*RoundBox", {A::At(1, 1), A::At(2, 2), A::Colour(kDefaultColor)}, {"*RoundBox 1 1 2 2 Default"}, {}},
        {"Drawing Boxes", "*BorderBox", {A::Num(3), A::Colour(9), A::At(2, 3), A::At(20, 10), A::Colour(16)},
         {"*BorderBox 3 Red 2 3 20 10 ColorQ"},
         {"number \"Width of box border\" 1..15 =5", "color \"Select Border color\"", kStart + "1..78 1..24 =1,1",
          kEnd + "3..79 4..25 =3,4", "color \"Select Box color\""}},
        {"Drawing Boxes", "*BorderBox", {A::Num(3), A::Cancel(A::Color)}, {}, {}},
        {"Drawing Boxes", "*RoundBorderBox", {A::Num(15), A::Colour(25), A::At(78, 24), A::At(79, 25), A::Colour(0)},
         {"*RoundBorderBox 15 ColorZ 78 24 79 25 Black"}, {}},
        {"Drawing Boxes", "*PopUpBox", {A::At(10, 5), A::At(40, 12), A::PopUp({"First", "", "Third"}), A::Colour(11), A::Num(600)},
         {"*PopupBox 10 5 40 12 3 Yellow 600", "First", "", "Third"},
         {kStart + "1..78 1..24 =1,1", kEnd + "11..79 6..25 =11,6", "popup", "color \"Select Box color\"",
          "number \"Display time (10 = 1 sec)\" 1..999 =600"}},
        {"Drawing Boxes", "*PopUpBox", {A::At(10, 5), A::At(40, 12), A::PopUp({})}, {}, {}},
        {"Drawing Boxes", "*PopUpBox", {A::At(10, 5), A::At(40, 12), A::Cancel(A::PopUpText)}, {}, {}},
        {"Drawing Boxes", "*RoundPopUp", {A::At(1, 1), A::At(30, 5), A::PopUp({"Hi"}), A::Colour(kDefaultColor), A::Num(50)},
         {"*RoundPopup 1 1 30 5 1 Default 50", "Hi"}, {}},
        {"Drawing Boxes", "*BorderPopUp",
         {A::Num(2), A::Colour(12), A::At(5, 5), A::At(30, 9), A::PopUp({"A", "B"}), A::Colour(15), A::Num(999)},
         {"*BorderPopup 2 Blue 5 5 30 9 2 White 999", "A", "B"},
         {"number \"Width of box border\" 1..15 =5", "color \"Select Border color\"", kStart + "1..78 1..24 =1,1",
          kEnd + "6..79 6..25 =6,6", "popup", "color \"Select Box color\"", "number \"Display time (10 = 1 sec)\" 1..999 =600"}},
        {"Drawing Boxes", "*BorderPopUp",
         {A::Num(2), A::Colour(12), A::At(5, 5), A::At(30, 9), A::PopUp({"A"}), A::Colour(15), A::Cancel(A::Number)}, {}, {}},
        {"Drawing Boxes", "*RoundBorderPopUp",
         {A::Num(1), A::Colour(0), A::At(5, 5), A::At(30, 9), A::PopUp({"x"}), A::Colour(15), A::Num(1)},
         {"*RoundBorderPopup 1 Black 5 5 30 9 1 White 1", "x"}, {}},

        // Screen Effects
        {"Screen Effects", "*ClearRow", {A::At(1, 3), A::Num(79), A::Colour(8)}, {"*ClearRow 1 3 79 Silver"},
         {"colrow \"Start at which Column and Row\" 1..78 1..24 =1,1", "number \"Enter ending column\" 2..79 =2",
          "color \"Select background color\""}},
        {"Screen Effects", "*ClearRow", {A::At(1, 3), A::Num(79), A::Cancel(A::Color)}, {"*ClearRow 1 3 79 Default"}, {}},
        {"Screen Effects", "*ClearRow", {A::At(1, 3), A::Cancel(A::Number)}, {}, {}},
        {"Screen Effects", "*ClearSection", {A::At(5, 5), A::At(5, 5), A::Colour(kDefaultColor)}, {"*ClearSection 5 5 5 5 Default"},
         {kStart + "1..79 1..25 =1,1", kEnd + "5..79 5..25 =5,5", "color \"Select background color\""}},
        {"Screen Effects", "*ClearSection", {A::At(1, 1), A::At(79, 25), A::Cancel(A::Color)}, {"*ClearSection 1 1 79 25 Default"}, {}},
        {"Screen Effects", "*CopySection", {A::At(1, 1), A::At(11, 6), A::At(30, 10)}, {"*CopySection 1 1 11 6 30 10"},
         {kStart + "1..78 1..24 =1,1", kEnd + "2..79 2..25 =2,2",
          "colrow \"Enter the Column and Row to copy to\" 1..78 1..24 =1,1"}},
        {"Screen Effects", "*CopySection", {A::At(1, 1), A::At(11, 6), A::Cancel(A::ColumnRow)}, {}, {}},
        {"Screen Effects", "*MoveSection", {A::At(1, 1), A::At(11, 6), A::At(30, 10), A::Colour(12)},
         {"*MoveSection 1 1 11 6 30 10 Blue"},
         {kStart + "1..78 1..24 =1,1", kEnd + "2..79 2..25 =2,2", "colrow \"Enter the Column and Row to copy to\" 1..78 1..24 =1,1",
          "color \"Select background color\""}},
        {"Screen Effects", "*MoveSection", {A::At(1, 1), A::At(11, 6), A::At(30, 10), A::Colour(kDefaultColor)},
         {"*MoveSection 1 1 11 6 30 10 "}, {}},
        {"Screen Effects", "*MoveSection", {A::At(1, 1), A::At(11, 6), A::At(30, 10), A::Cancel(A::Color)},
         {"*MoveSection 1 1 11 6 30 10 "}, {}},

        // Using Images
        {"Using Images", "*ScreenImage", {A::FileName("intro.jpg")}, {"*ScreenImage intro.jpg"}, {"file image"}},
        {"Using Images", "*ScreenImage", {A::Cancel(A::File)}, {}, {}},
        {"Using Images", "*ShowImage", {A::At(5, 2), A::Num(25), A::FileName("pic1.bmp")}, {"*ShowImage 5 2 25 pic1.bmp"},
         {"colrow \"Start at which Column and Row\" 1..78 1..24 =1,1", "number \"Enter ending column\" 0..79 =0", "file image"}},
        {"Using Images", "*ShowImage", {A::At(5, 2), A::Num(0), A::FileName("p.bmp")}, {"*ShowImage 5 2 0 p.bmp"}, {}},
        {"Using Images", "*ShowImage", {A::At(5, 2), A::Num(0), A::Cancel(A::File)}, {}, {}},
        {"Using Images", "*ImageLabel", {A::At(3, 25), A::Num(20), A::Colour(0), A::Colour(15), A::Txt("")},
         {"*ImageLabel 3 25 20 Black White "},
         {kStart + "1..78 1..25 =1,1", "number \"Ending at Column\" 4..79 =4", "color \"Select Text color\"",
          "color \"Select Background color\"", "text \"Enter the Label Text\""}},
        {"Using Images", "*ImageLabel", {A::At(3, 25), A::Num(20), A::Colour(0), A::Colour(15), A::Cancel(A::Text)}, {}, {}},
        {"Using Images", "*ImageHyperText", {A::At(3, 4), A::Colour(12), A::Colour(kDefaultColor), A::Txt("Fire exits")},
         {"*ImageHyperText 3 4 Blue Default |Fire exits|"},
         {kStart + "1..78 1..25 =1,1", "color \"Select Text color\"", "color \"Select Background color\"",
          "text \"Enter HyperText Link\""}},
        {"Using Images", "*ImageHyperText", {A::At(3, 4), A::Colour(12), A::Colour(kDefaultColor), A::Txt("")}, {}, {}},

        // Recording to Disk
        {"Recording to Disk", " *DisplayMemo", {A::Num(30), A::Num(2), A::Txt("my notes.txt")}, {"*DisplayMemo 30 2 my notes.txt"},
         {"number \"Width of Memo box to display\" 1..70 =30", "number \"Depth of Memo box to display\" 1..25 =2",
          "text \"Enter the filename to display\""}},
        {"Recording to Disk", " *DisplayMemo", {A::Num(30), A::Num(2), A::Txt("")}, {}, {}},
        {"Recording to Disk", " *AddToFile", {A::Txt("log.txt"), A::Txt("Chapter 1 done")}, {"*AddToFile log.txt Chapter 1 done"},
         {"text \"Enter the filename to add to\"", "text \"Enter the message to add to file\""}},
        {"Recording to Disk", " *AddToFile", {A::Txt("log.txt"), A::Cancel(A::Text)}, {}, {}},
        {"Recording to Disk", " *InputToFile", {A::Num(70), A::Txt("answers.txt")}, {"*InputToFile 70 answers.txt"},
         {"number \"Width of input box to display\" 1..70 =30", "text \"Enter the filename to add to\""}},
        {"Recording to Disk", " *MemoToFile", {A::Num(1), A::Num(25), A::Txt("memo.txt")}, {"*MemoToFile 1 25 memo.txt"},
         {"number \"Width of input box to display\" 1..70 =30", "number \"Depth of input box to display\" 1..25 =2",
          "text \"Enter the filename to add to\""}},
        {"Recording to Disk", " *DisplayFile", {A::Txt("a.txt")}, {"*DisplayFile a.txt"}, {"text \"Enter the filename to display\""}},
        {"Recording to Disk", " *CopyFile", {A::Txt("a.txt"), A::Txt("b.txt")}, {"*CopyFile a.txt b.txt"},
         {"text \"Enter the filename to copy\"", "text \"Enter the filename to copy to\""}},
        {"Recording to Disk", " *CopyFile", {A::Txt("a.txt"), A::Txt("")}, {}, {}},
        {"Recording to Disk", " *PrintFile", {A::Txt("a.txt"), A::Txt("LPT1 landscape")}, {"*PrintFile a.txt LPT1 landscape"},
         {"text \"Enter the filename to print\"", "text \"Enter the printer instructions\""}},
        {"Recording to Disk", " *DeleteFile", {A::Txt("old.txt")}, {"*DeleteFile old.txt"}, {"text \"Enter the filename to delete\""}},
        {"Recording to Disk", " *DeleteFile", {A::Txt("")}, {}, {}},
    };
    return cases;
}

}  // namespace

TEST(CommandBuilders, EveryOptionWritesItsLinesFromItsAnswers) {
    const TTutorialConfig config = DefaultConfig();
    for (const Case& c : Cases()) {
        SCOPED_TRACE(std::string(c.item) + " /" + c.option);
        auto run = Build(c.item, c.option, c.answers, config);
        EXPECT_EQ(run->lines, c.lines);
        if (!c.asked.isEmpty()) {
            EXPECT_EQ(run->prompter.asked, c.asked);
        }
        EXPECT_TRUE(run->prompter.problems.isEmpty()) << run->prompter.problems.join("; ").toStdString();
        EXPECT_TRUE(run->prompter.refused.isEmpty());
        EXPECT_EQ(run->prompter.Unused(), 0u);
        // Every question carries the option's help topic.
        const int topic = FindOption(*FindCategory(c.item), c.option)->topic;
        for (int t : run->prompter.topics) EXPECT_EQ(t, topic);
        ExpectChecks(run->lines, config);
    }
}

TEST(CommandBuilders, TheTableCoversEveryOptionOfTheSixCategories) {
    std::set<std::pair<QString, QString>> tested;
    for (const Case& c : Cases()) tested.insert({c.item, c.option});
    QStringList items;
    const QStringList six = {"Basic Commands", "Screen Display", "Drawing Boxes", "Screen Effects", "Using Images",
                             "Recording to Disk"};
    for (const CommandCategory& category : CommandCategories()) {
        items << category.item;
        if (!six.contains(category.item)) continue;  // the branching categories have their own table
        for (const CommandGroup& group : category.groups)
            for (const CommandOption& option : group.options)
                EXPECT_TRUE(tested.count({category.item, option.caption})) << option.caption.toStdString();
    }
    EXPECT_EQ(items, (QStringList{"Basic Commands", "Screen Display", "Drawing Boxes", "Screen Effects", "Using Images",
                                  "InterActive", "Recording to Disk", "Non-Linear ", "Advanced", "Change Defaults"}));
}

TEST(CommandBuilders, NumberAndColumnRowPromptsRefuseWhatIsOutsideTheirLimits) {
    const TTutorialConfig config = DefaultConfig();
    auto delay = Build("Screen Display", "*Delay",
                       {A::NumTyped("0"), A::NumTyped("1000"), A::NumTyped("abc"), A::NumTyped(""), A::NumTyped(" 100 ")},
                       config);
    EXPECT_EQ(delay->lines, QStringList{"*Delay 100"});
    EXPECT_EQ(delay->prompter.refused, (QStringList{"The minimum value is 1", "The maximum value is 999",
                                                    "That is not a valid number", "A number must be entered"}));

    auto colRow = Build("Screen Display", "*ColRow",
                        {A::AtTyped("80", "5"), A::AtTyped("0", "5"), A::AtTyped("12", "28"), A::AtTyped("12", "0"),
                         A::AtTyped("", "5"), A::AtTyped("12", ""), A::AtTyped("x", "5"), A::AtTyped("12", "y"), A::At(12, 5)},
                        config);
    EXPECT_EQ(colRow->lines, QStringList{"*ColRow 12 5"});
    EXPECT_EQ(colRow->prompter.refused,
              (QStringList{"The maximum column value is 79", "The minimum column value is 1", "The maximum row value is 27",
                           "The minimum row value is 1", "A column number must be entered", "A row number must be entered",
                           "That is not a valid number", "That is not a valid number"}));

    // An end prompt starts after the start: a box ending on its starting column is refused.
    auto box = Build("Drawing Boxes", "*PlainBox", {A::At(10, 5), A::At(10, 9), A::At(11, 6), A::Colour(0)}, config);
    EXPECT_EQ(box->lines, QStringList{"*PlainBox 10 5 11 6 Black"});
    EXPECT_EQ(box->prompter.refused, QStringList{"The minimum column value is 11"});
}

TEST(CommandBuilders, FileNamesThePlayerWouldRefuseOrMisreadAreRefusedAtTheirPrompt) {
    const TTutorialConfig config = DefaultConfig();
    // *DeleteFile reads its file as one word; *DisplayMemo reads the rest of the line.
    auto del = Build("Recording to Disk", " *DeleteFile",
                     {A::Txt("my file.txt"), A::Txt("../x.txt"), A::Txt("/etc/x"), A::Txt("c:\\x.txt"), A::Txt("a?.txt"),
                      A::Txt("a;b.txt"), A::Txt("sub\\old.txt")},
                     config);
    EXPECT_EQ(del->lines, QStringList{"*DeleteFile sub\\old.txt"});
    EXPECT_EQ(del->prompter.refused,
              (QStringList{"The filename my file.txt contains a blank. This command takes a filename without blanks.",
                           "The filename ../x.txt is outside the tutorial folder.",
                           "The filename /etc/x is outside the tutorial folder.",
                           "The filename c:\\x.txt is outside the tutorial folder.", "The filename a?.txt is invalid.",
                           "The filename a;b.txt is invalid."}));
    auto memo = Build("Recording to Disk", " *DisplayMemo", {A::Num(30), A::Num(2), A::Txt("dir\\..\\x"), A::Txt("my notes.txt")},
                      config);
    EXPECT_EQ(memo->lines, QStringList{"*DisplayMemo 30 2 my notes.txt"});
    EXPECT_EQ(memo->prompter.refused, QStringList{"The filename dir\\..\\x is outside the tutorial folder."});
    // Both names of *CopyFile are single words.
    auto copy = Build("Recording to Disk", " *CopyFile", {A::Txt("a.txt"), A::Txt("b c.txt"), A::Txt("b.txt")}, config);
    EXPECT_EQ(copy->lines, QStringList{"*CopyFile a.txt b.txt"});
    EXPECT_EQ(copy->prompter.refused.size(), 1);

    // *ScreenImage and *ShowImage take one word (distribution reads the picture name of *ShowImage
    // as the last word of its line): a picture whose name holds a blank cannot be shown by them.
    for (const auto& [option, answers] :
         std::vector<std::pair<const char*, std::vector<ScriptedAnswer>>>{
             {"*ScreenImage", {A::FileName("my pic.jpg")}},
             {"*ShowImage", {A::At(5, 2), A::Num(0), A::FileName("my pic.jpg")}}}) {
        auto image = Build("Using Images", option, answers, config);
        EXPECT_TRUE(image->lines.isEmpty()) << option;
        EXPECT_EQ(image->prompter.asked.last(),
                  "error \"The filename my pic.jpg contains a blank. This command takes a filename without blanks.\"");
    }
}

TEST(CommandBuilders, AShowImageEndColumnIsZeroOrAfterTheStartColumn) {
    // An end column from 1 to the start column would give the picture no width at all.
    auto run = Build("Using Images", "*ShowImage", {A::At(10, 2), A::Num(5), A::Num(10), A::Num(11), A::FileName("p.bmp")},
                     DefaultConfig());
    EXPECT_EQ(run->lines, QStringList{"*ShowImage 10 2 11 p.bmp"});
    const QString message = "The ending column must be 0 (the picture keeps its own size) or more than 10";
    EXPECT_EQ(run->prompter.refused, (QStringList{message, message}));
}

TEST(CommandBuilders, ColoursAndHeadingsWhoseNamesNoCommandCanCarryAreRefused) {
    TTutorialConfig config = DefaultConfig();
    config.set(cfg::Colors::Entry(1).Name, "Light Blue");
    config.set(cfg::Colors::Entry(2).Name, "");
    config.set(cfg::Colors::Entry(3).Name, "default");
    config.set(cfg::Colors::Entry(4).Name, "red");  // entry 10 is "Red" as well
    config.set(cfg::Headings::Entry(3).Name, "");
    config.set(cfg::Headings::Entry(4).Name, "My Head");
    config.set(cfg::Headings::Entry(5).Name, "Head,Two");
    const std::vector<std::pair<ScriptedAnswer, QString>> refused = {
        {A::Colour(0), "The color name \"Light Blue\" contains a blank, so no command can use it."},
        {A::Colour(1), "Color B has no name, so no command can use it."},
        {A::Colour(2), "The color name \"default\" stands for the screen default color in a command."},
        {A::Colour(3), "The color name \"red\" is also the name of color J, which a command naming it would get instead."},
    };
    for (const auto& [answer, message] : refused) {
        auto run = Build("Basic Commands", " *ClearScreen", {answer}, config);
        EXPECT_TRUE(run->lines.isEmpty());
        EXPECT_EQ(run->prompter.asked.last(), "error \"" + message + "\"");
    }
    EXPECT_EQ(Build("Basic Commands", " *ClearScreen", {A::Colour(9)}, config)->lines, QStringList{"*ClearScreen Red"});

    auto empty = Build("Screen Display", "*Heading", {A::Head(3)}, config);
    EXPECT_TRUE(empty->lines.isEmpty());
    EXPECT_EQ(empty->prompter.asked.last(), "error \"Heading format 3 has no name. Use Modify to name it.\"");
    auto blank = Build("Screen Display", "*Heading", {A::Head(4)}, config);
    EXPECT_EQ(blank->prompter.asked.last(),
              "error \"The heading name \"My Head\" contains a blank, so no command can use it. Use Modify to rename it.\"");
    // The player reads a heading's name up to a comma as well.
    auto comma = Build("Screen Display", "*Heading", {A::Head(5)}, config);
    EXPECT_TRUE(comma->lines.isEmpty());
    EXPECT_EQ(comma->prompter.asked.last(),
              "error \"The heading name \"Head,Two\" contains a comma, so no command can use it. Use Modify to rename it.\"");
}

TEST(CommandBuilders, WindowTextWithoutEntriesSaysHowToMakeThem) {
    auto run = Build("Screen Display", "*WindowText", {}, DefaultConfig(), {});
    EXPECT_TRUE(run->lines.isEmpty());
    EXPECT_EQ(run->prompter.asked,
              QStringList{"error \"No WindowText entries have been created.\r\nUse Teaching Aids at the Main Menu to create them.\""});
}

TEST(CommandBuilders, ColourMarkersNameTheEntryByLetter) {
    const std::vector<std::tuple<int, QString, QString>> cases = {
        {0, "~A", "~a"}, {12, "~M", "~m"}, {25, "~Z", "~z"}, {kDefaultColor, "~+", "~-"}, {kColorCancelled, "", ""}};
    for (const auto& [answer, text, background] : cases) {
        EXPECT_EQ(TextColorMarker(answer), text);
        EXPECT_EQ(TextBackgroundMarker(answer), background);
    }
}
