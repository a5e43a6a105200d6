#include "editor/commands/command_builders.h"

#include <QRegularExpression>

#include "editor/commands/branch_builders.h"
#include "editor/commands/build_steps.h"
#include "platform/help_topics.h"
#include "project/config_record.h"
#include "project/file_names.h"
#include "script/translate.h"
#include "text_codec.h"

namespace quill {

namespace {

const QString kStart = "Enter the starting Column and Row";
const QString kEnd = "Enter the ending Column and Row";

// --- Basic Commands ------------------------------------------------------------------------

CommandCategory BasicCommands() {
    CommandCategory c{"Basic Commands", "TBasicCommsForm", HelpTopic::BasicCommands, {{" Basic Commands ", {}}}};
    auto& o = c.groups[0].options;
    o.push_back(Option("ClearScreenRBtn", " *ClearScreen", HelpTopic::CmdClearScreen, [](BuildSteps& a) -> QStringList {
        QString color;
        if (!a.Color("Screen Background color", color)) return {};
        return {"*ClearScreen " + color};
    }));
    o.push_back(Option("TitleRBtn", " *Title", HelpTopic::CmdTitle, [](BuildSteps& a) -> QStringList {
        QString text;
        if (!a.Text("Enter the Title Text", text, false)) return {};
        return {"*Title " + text};
    }));
    o.push_back(Option("ControlsRBtn", " *Controls", HelpTopic::CmdControls, [](BuildSteps& a) -> QStringList {
        const auto b = a.prompter().Controls(a.topic());
        if (!b) return {};
        QString line = "*Controls";
        for (const auto& [on, letter] : {std::pair{b->continueOn, " C"},
                                         {b->quit, " Q"},
                                         {b->pageBack, " P"},
                                         {b->help, " H"},
                                         {b->utilities, " U"}})
            if (on) line += letter;
        if (line == "*Controls") return {};
        return {line};
    }));
    o.push_back(Fixed("WaitRBtn", " *Wait", HelpTopic::CmdWait, "*Wait"));
    o.push_back(Option("PageLabelRBtn", " @P (pageback)", HelpTopic::PageLabel, [](BuildSteps& a) -> QStringList {
        QString label;
        if (!a.Text("Enter Page Label", label)) return {};
        return {"@P" + label};
    }));
    o.push_back(Option("CommentRBtn", " ;  (Comment)", HelpTopic::Comment, [](BuildSteps& a) -> QStringList {
        QString comment;
        if (!a.Text("Enter A Comment", comment)) return {};
        return {";" + comment};
    }));
    return c;
}

// --- Screen Display ------------------------------------------------------------------------

CommandCategory ScreenCommands() {
    CommandCategory c{
        "Screen Display", "TScreenCommsForm", HelpTopic::ScreenDisplayCommands, {{" Screen Display Commands ", {}}}};
    auto& o = c.groups[0].options;
    o.push_back(Option("ColumnRBtn", "*Column", HelpTopic::CmdColumn, [](BuildSteps& a) -> QStringList {
        int n;
        if (!a.Number("Enter the Column", 1, 79, 1, n)) return {};
        return {"*Column " + Num(n)};
    }));
    o.push_back(Option("RowRBtn", "*Row", HelpTopic::CmdRow, [](BuildSteps& a) -> QStringList {
        int n;
        if (!a.Number("Enter the Row", 1, 27, 1, n)) return {};
        return {"*Row " + Num(n)};
    }));
    o.push_back(Option("ColRowRBtn", "*ColRow", HelpTopic::CmdColRow, [](BuildSteps& a) -> QStringList {
        ColRow at;
        if (!a.ColumnRow({"Enter the Column and Row", 1, 79, 1, 27, 1, 1, a.topic()}, at))
            return {};
        return {"*ColRow " + Num(at.column) + " " + Num(at.row)};
    }));
    o.push_back(Option("BlinkRBtn", "*Blink", HelpTopic::CmdBlink, [](BuildSteps& a) -> QStringList {
        ColRow s;
        int times;
        QString text, fore, back;
        if (!a.Start(kStart, 78, 25, s) ||
            !a.Number("Number of times to blink ?", 1, 99, 1, times) ||
            !a.Color("Select text color", fore) || !a.Color("Select background color", back) ||
            !a.Text("Enter the text to blink", text))
            return {};
        return {"*Blink " + Num(s.column) + " " + Num(s.row) + " " + Num(times) + " " + fore + " " +
                back + " " + text};
    }));
    o.push_back(Option("HeadingRBtn", "*Heading", HelpTopic::CmdHeading, [](BuildSteps& a) -> QStringList {
        QString name, text;
        ColRow s;
        int end;
        if (!a.Heading(name) || !a.Start("Start at which Column and Row", 78, 24, s) ||
            !a.Number("Enter ending column", s.column + 1, 79, s.column + 1, end) ||
            !a.Text("Enter the Heading Text", text))
            return {};
        return {"*Heading " + name + " " + Num(s.column) + " " + Num(s.row) + " " + Num(end) + " " +
                text};
    }));
    o.push_back(Option("WindowTextRBtn", "*WindowText", HelpTopic::CmdWindowText, [](BuildSteps& a) -> QStringList {
        QString name;
        if (!a.Entry("WINTEXT",
                     "No WindowText entries have been created.\r\nUse Teaching Aids at the Main "
                     "Menu to create them.",
                     "Select Windows Text", name))
            return {};
        ColRow s, e;
        if (!a.Start(kStart, 78, 24, s) || !a.End(kEnd, s, e)) return {};
        return {"*WindowText " + Num(s.column) + " " + Num(s.row) + " " + Num(e.column) + " " +
                Num(e.row) + " " + name};
    }));
    o.push_back(Option("HLineRBtn", "*Hline", HelpTopic::CmdHline, [](BuildSteps& a) -> QStringList {
        ColRow s;
        int end, width;
        QString color;
        if (!a.Start(kStart, 79, 25, s) ||
            !a.Number("Ending at Column", s.column, 79, s.column, end) ||
            !a.Number("Width of Line", 1, 15, 5, width) ||
            !a.Color("Select Line color", color, ColorUse::DefaultOmitted))
            return {};
        return {"*HLine " + Num(s.column) + " " + Num(s.row) + " " + Num(end) + " " + Num(width) +
                " " + color};
    }));
    o.push_back(Option("VLineRBtn", "*VLine", HelpTopic::CmdVLine, [](BuildSteps& a) -> QStringList {
        ColRow s;
        int end, width;
        QString color;
        if (!a.Start(kStart, 79, 25, s) || !a.Number("Ending at Row", s.row, 25, s.row, end) ||
            !a.Number("Width of Line", 1, 15, 5, width) ||
            !a.Color("Select Line color", color, ColorUse::DefaultOmitted))
            return {};
        return {"*VLine " + Num(s.column) + " " + Num(s.row) + " " + Num(end) + " " + Num(width) +
                " " + color};
    }));
    o.push_back(Option("DelayRBtn", "*Delay", HelpTopic::CmdDelay, [](BuildSteps& a) -> QStringList {
        int n;
        if (!a.Number("Delay time (10 = 1 sec)", 1, 999, 100, n)) return {};
        return {"*Delay " + Num(n)};
    }));
    o.push_back(Fixed("PauseRBtn", "*Pause", HelpTopic::CmdPause, "*Pause"));
    o.push_back(Option("CenterTextRBtn", "*CenterText", HelpTopic::CmdCenterText, [](BuildSteps& a) -> QStringList {
        ColRow s;
        int end;
        QString fore, back, text;
        // The start column stops at 78: the end column must lie after it.
        if (!a.Start("Enter Starting Column and Row", 78, 25, s) ||
            !a.Number("Ending at Column", s.column + 1, 79, s.column + 1, end) ||
            !a.Color("Select Text color", fore) || !a.Color("Select Background color", back) ||
            !a.Text("Enter the text to center", text))
            return {};
        return {"*CenterText " + Num(s.column) + " " + Num(s.row) + " " + Num(end) + " " + fore +
                " " + back + " " + text};
    }));
    o.push_back(Option("NotePadRBtn", "*NotePad", HelpTopic::CmdNotePad, [](BuildSteps& a) -> QStringList {
        QString file;
        if (!a.File("Enter filename to open", file, false)) return {};
        return {"*NotePad " + file};
    }));
    return c;
}

// --- Drawing Boxes -------------------------------------------------------------------------

// A box kind: bordered kinds ask a border first, pop-up kinds ask the text and a display time.
CommandOption BoxOption(const char* name, const char* caption, HelpTopic topic, const char* keyword,
                        bool bordered, bool popup) {
    const QString word = keyword;
    return Option(name, caption, topic, [word, bordered, popup](BuildSteps& a) -> QStringList {
        int width = 0, time = 0;
        QString border, fill;
        ColRow s, e;
        QStringList text;
        if (bordered && (!a.Number("Width of box border", 1, 15, 5, width) ||
                         !a.Color("Select Border color", border)))
            return {};
        if (!a.Start(kStart, 78, 24, s) || !a.End(kEnd, s, e)) return {};
        if (popup && !a.PopUpText(text)) return {};
        if (!a.Color("Select Box color", fill)) return {};
        if (popup && !a.Number("Display time (10 = 1 sec)", 1, 999, 600, time)) return {};
        QString line = word;
        if (bordered) line += " " + Num(width) + " " + border;
        line += " " + Num(s.column) + " " + Num(s.row) + " " + Num(e.column) + " " + Num(e.row);
        if (popup) line += " " + Num(int(text.size()));
        line += " " + fill;
        if (popup) line += " " + Num(time);
        return QStringList{line} + text;
    });
}

CommandCategory BoxCommands() {
    CommandCategory c{"Drawing Boxes", "TBoxCommsForm", HelpTopic::BoxCommands, {{" Box Commands ", {}}}};
    auto& o = c.groups[0].options;
    o.push_back(BoxOption("PlainBoxRBtn", "*PlainBox", HelpTopic::CmdPlainBox, "*PlainBox", false, false));
    o.push_back(BoxOption("RoundBoxRBtn", "*RoundBox", HelpTopic::CmdRoundBox, "*RoundBox", false, false));
    o.push_back(BoxOption("BorderBoxRBtn", "*BorderBox", HelpTopic::CmdBorderBox, "*BorderBox", true, false));
    o.push_back(
        BoxOption("RoundBorderBoxRBtn", "*RoundBorderBox", HelpTopic::CmdRoundBorderBox, "*RoundBorderBox", true, false));
    o.push_back(BoxOption("PopUpBoxRBtn", "*PopUpBox", HelpTopic::CmdPopUpBox, "*PopupBox", false, true));
    o.push_back(BoxOption("RoundPopUpRBtn", "*RoundPopUp", HelpTopic::CmdRoundPopUp, "*RoundPopup", false, true));
    o.push_back(BoxOption("BorderPopUpRBtn", "*BorderPopUp", HelpTopic::CmdBorderPopUp, "*BorderPopup", true, true));
    o.push_back(BoxOption("RoundBorderPopUpRBtn", "*RoundBorderPopUp", HelpTopic::CmdRoundBorderPopUp, "*RoundBorderPopup",
                          true, true));
    return c;
}

// --- Screen Effects ------------------------------------------------------------------------

CommandOption SectionOption(const char* name, const char* caption, HelpTopic topic, const char* keyword,
                            bool move) {
    const QString word = keyword;
    return Option(name, caption, topic, [word, move](BuildSteps& a) -> QStringList {
        ColRow s, e, t;
        QString color;
        if (!a.Start(kStart, 78, 24, s) || !a.End(kEnd, s, e) ||
            !a.ColumnRow({"Enter the Column and Row to copy to", 1, 78, 1, 24, 1, 1, a.topic()}, t))
            return {};
        if (move && !a.Color("Select background color", color, ColorUse::DefaultOrCancelOmitted))
            return {};
        QString line = word + " " + Num(s.column) + " " + Num(s.row) + " " + Num(e.column) + " " +
                       Num(e.row) + " " + Num(t.column) + " " + Num(t.row);
        if (move) line += " " + color;
        return {line};
    });
}

CommandCategory EffectsCommands() {
    CommandCategory c{
        "Screen Effects", "TEffectsCommsForm", HelpTopic::ScreenEffectsCommands, {{" Screen Effects Commands ", {}}}};
    auto& o = c.groups[0].options;
    o.push_back(Option("ClearRowRBtn", "*ClearRow", HelpTopic::CmdClearRow, [](BuildSteps& a) -> QStringList {
        ColRow s;
        int end;
        QString color;
        if (!a.Start("Start at which Column and Row", 78, 24, s) ||
            !a.Number("Enter ending column", s.column + 1, 79, s.column + 1, end) ||
            !a.Color("Select background color", color, ColorUse::CancelIsDefault))
            return {};
        return {"*ClearRow " + Num(s.column) + " " + Num(s.row) + " " + Num(end) + " " + color};
    }));
    o.push_back(Option("ClearSectionRBtn", "*ClearSection", HelpTopic::CmdClearSection, [](BuildSteps& a) -> QStringList {
        ColRow s, e;
        QString color;
        if (!a.Start(kStart, 79, 25, s) || !a.End(kEnd, s, e, false) ||
            !a.Color("Select background color", color, ColorUse::CancelIsDefault))
            return {};
        return {"*ClearSection " + Num(s.column) + " " + Num(s.row) + " " + Num(e.column) + " " +
                Num(e.row) + " " + color};
    }));
    o.push_back(SectionOption("CopySectionRBtn", "*CopySection", HelpTopic::CmdCopySection, "*CopySection", false));
    o.push_back(SectionOption("MoveSectionRBtn", "*MoveSection", HelpTopic::CmdMoveSection, "*MoveSection", true));
    return c;
}

// --- Using Images --------------------------------------------------------------------------

CommandCategory ImageCommands() {
    CommandCategory c{"Using Images", "TImageCommsForm", HelpTopic::ImageCommands, {{" Image Commands ", {}}}};
    auto& o = c.groups[0].options;
    o.push_back(Option("ScreenImageRBtn", "*ScreenImage", HelpTopic::CmdScreenImage, [](BuildSteps& a) -> QStringList {
        QString file;
        if (!a.Image(file, true)) return {};
        return {"*ScreenImage " + file};
    }));
    o.push_back(Option("ShowImageRBtn", "*ShowImage", HelpTopic::CmdShowImage, [](BuildSteps& a) -> QStringList {
        ColRow s;
        int end;
        QString file;
        if (!a.Start("Start at which Column and Row", 78, 24, s)) return {};
        // An end column from 1 to the start column would give the picture no width at all.
        const int column = s.column;
        const NumberRule rule = [column](int n) {
            return n != 0 && n <= column ? "The ending column must be 0 (the picture keeps its own "
                                           "size) or more than " +
                                               Num(column)
                                         : QString();
        };
        if (!a.Number("Enter ending column", 0, 79, 0, end, rule) || !a.Image(file, true))
            return {};
        return {"*ShowImage " + Num(s.column) + " " + Num(s.row) + " " + Num(end) + " " + file};
    }));
    o.push_back(Option("ImageLabelRBtn", "*ImageLabel", HelpTopic::CmdImageLabel, [](BuildSteps& a) -> QStringList {
        ColRow s;
        int end;
        QString fore, back, text;
        if (!a.Start(kStart, 78, 25, s) ||
            !a.Number("Ending at Column", s.column + 1, 79, s.column + 1, end) ||
            !a.Color("Select Text color", fore) || !a.Color("Select Background color", back) ||
            !a.Text("Enter the Label Text", text, false))
            return {};
        return {"*ImageLabel " + Num(s.column) + " " + Num(s.row) + " " + Num(end) + " " + fore +
                " " + back + " " + text};
    }));
    o.push_back(
        Option("ImageHyperTextRBtn", "*ImageHyperText", HelpTopic::CmdImageHyperText, [](BuildSteps& a) -> QStringList {
            ColRow s;
            QString fore, back, link;
            if (!a.Start(kStart, 78, 25, s) || !a.Color("Select Text color", fore) ||
                !a.Color("Select Background color", back) || !a.Text("Enter HyperText Link", link))
                return {};
            return {"*ImageHyperText " + Num(s.column) + " " + Num(s.row) + " " + fore + " " +
                    back + " |" + link + "|"};
        }));
    return c;
}

// --- Recording to Disk ---------------------------------------------------------------------

CommandCategory RecordCommands() {
    CommandCategory c{
        "Recording to Disk", "TRecordCommsForm", HelpTopic::RecordingCommands, {{" Recording Commands ", {}}}};
    auto& o = c.groups[0].options;
    o.push_back(Option("DisplayMemoRBtn", " *DisplayMemo", HelpTopic::CmdDisplayMemo, [](BuildSteps& a) -> QStringList {
        int width, depth;
        QString file;
        if (!a.Number("Width of Memo box to display", 1, 70, 30, width) ||
            !a.Number("Depth of Memo box to display", 1, 25, 2, depth) ||
            !a.File("Enter the filename to display", file, false))
            return {};
        return {"*DisplayMemo " + Num(width) + " " + Num(depth) + " " + file};
    }));
    o.push_back(Option("AddToFileRBtn", " *AddToFile", HelpTopic::CmdAddToFile, [](BuildSteps& a) -> QStringList {
        QString file, message;
        if (!a.File("Enter the filename to add to", file, true) ||
            !a.Text("Enter the message to add to file", message))
            return {};
        return {"*AddToFile " + file + " " + message};
    }));
    o.push_back(Option("InputToFileRBtn", " *InputToFile", HelpTopic::CmdInputToFile, [](BuildSteps& a) -> QStringList {
        int width;
        QString file;
        if (!a.Number("Width of input box to display", 1, 70, 30, width) ||
            !a.File("Enter the filename to add to", file, false))
            return {};
        return {"*InputToFile " + Num(width) + " " + file};
    }));
    o.push_back(Option("MemoToFileRBtn", " *MemoToFile", HelpTopic::CmdMemoToFile, [](BuildSteps& a) -> QStringList {
        int width, depth;
        QString file;
        if (!a.Number("Width of input box to display", 1, 70, 30, width) ||
            !a.Number("Depth of input box to display", 1, 25, 2, depth) ||
            !a.File("Enter the filename to add to", file, false))
            return {};
        return {"*MemoToFile " + Num(width) + " " + Num(depth) + " " + file};
    }));
    o.push_back(Option("DisplayFileRBtn", " *DisplayFile", HelpTopic::CmdDisplayFile, [](BuildSteps& a) -> QStringList {
        QString file;
        if (!a.File("Enter the filename to display", file, true)) return {};
        return {"*DisplayFile " + file};
    }));
    o.push_back(Option("CopyFileRBtn", " *CopyFile", HelpTopic::CmdCopyFile, [](BuildSteps& a) -> QStringList {
        QString source, target;
        if (!a.File("Enter the filename to copy", source, true) ||
            !a.File("Enter the filename to copy to", target, true))
            return {};
        return {"*CopyFile " + source + " " + target};
    }));
    o.push_back(Option("PrintFileRBtn", " *PrintFile", HelpTopic::CmdPrintFile, [](BuildSteps& a) -> QStringList {
        QString file, instructions;
        if (!a.File("Enter the filename to print", file, true) ||
            !a.Text("Enter the printer instructions", instructions))
            return {};
        return {"*PrintFile " + file + " " + instructions};
    }));
    o.push_back(Option("DeleteFileRBtn", " *DeleteFile", HelpTopic::CmdDeleteFile, [](BuildSteps& a) -> QStringList {
        QString file;
        if (!a.File("Enter the filename to delete", file, true)) return {};
        return {"*DeleteFile " + file};
    }));
    return c;
}

}  // namespace

const std::vector<CommandCategory>& CommandCategories() {
    static const std::vector<CommandCategory> categories{
        BasicCommands(),    ScreenCommands(),        BoxCommands(),    EffectsCommands(),
        ImageCommands(),    InterActiveCommands(),   RecordCommands(), NonLinearCommands(),
        AdvancedCommands(), ChangeDefaultsCommands()};
    return categories;
}

const CommandCategory* FindCategory(const QString& item) {
    for (const CommandCategory& c : CommandCategories())
        if (c.item == item) return &c;
    return nullptr;
}

const CommandOption* FindOption(const CommandCategory& category, const QString& caption) {
    for (const CommandGroup& g : category.groups)
        for (const CommandOption& o : g.options)
            if (o.caption == caption) return &o;
    return nullptr;
}

QString TextColorMarker(int answer) {
    if (answer >= 0 && answer <= 25) return QString('~') + QChar('A' + answer);
    return answer == kDefaultColor ? QStringLiteral("~+") : QString();
}

QString TextBackgroundMarker(int answer) {
    if (answer >= 0 && answer <= 25) return QString('~') + QChar('a' + answer);
    return answer == kDefaultColor ? QStringLiteral("~-") : QString();
}

QString FileNameProblem(const QString& name, bool oneWord) {
    if (name.isEmpty()) return {};
    if (oneWord && name.contains(' '))
        return "The filename " + name +
               " contains a blank. This command takes a filename without blanks.";
    bool outside = name.startsWith('\\') || name.startsWith('/') || name.contains(':');
    for (const QString& part : name.split(QRegularExpression(R"([\\/])")))
        if (part == "..") outside = true;
    if (outside) return "The filename " + name + " is outside the tutorial folder.";
    const qsizetype sep = name.lastIndexOf('\\');
    if (!IsValidFileName(ToCp1252(name.mid(sep + 1))))
        return "The filename " + name + " is invalid.";
    return {};
}

QString ColorWordProblem(const TTutorialConfig& config, int index) {
    const std::string name = config.get(cfg::Colors::Entry(index + 1).Name);
    const QString shown = FromCp1252(name);
    if (name.empty())
        return "Color " + QString(QChar('A' + index)) + " has no name, so no command can use it.";
    if (name.find(' ') != std::string::npos)
        return "The color name \"" + shown + "\" contains a blank, so no command can use it.";
    const int code = ColorTable(config).CodeOf(name);
    if (code == kDefaultColor)
        return "The color name \"" + shown + "\" stands for the screen default color in a command.";
    if (code != index + 1)
        return "The color name \"" + shown + "\" is also the name of color " +
               QChar('A' + code - 1) + ", which a command naming it would get instead.";
    return {};
}

QString HeadingNameProblem(const TTutorialConfig& config, int heading) {
    const QString name = FromCp1252(config.get(cfg::Headings::Entry(heading).Name));
    if (name.isEmpty())
        return "Heading format " + Num(heading) + " has no name. Use Modify to name it.";
    if (name.contains(' '))
        return "The heading name \"" + name +
               "\" contains a blank, so no command can use it. Use Modify to rename it.";
    if (name.contains(','))
        return "The heading name \"" + name +
               "\" contains a comma, so no command can use it. Use Modify to rename it.";
    return {};
}

}  // namespace quill
