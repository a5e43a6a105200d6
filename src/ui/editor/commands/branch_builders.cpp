#include "editor/commands/branch_builders.h"

#include "editor/commands/build_steps.h"
#include "platform/help_topics.h"

namespace quill {

namespace {

QString ExactWord(bool exact) {
    return exact ? QStringLiteral("Exact") : QString();
}

// The match list editor; an empty list ends the builder.
bool AskMatchList(BuildSteps& a, MatchListAnswer& out) {
    const auto answer = a.prompter().MatchList(a.topic());
    if (!answer || answer->texts.isEmpty()) return false;
    out = *answer;
    return true;
}

// Two labels, each written as a jump line of its own; both must be given.
bool AskTwoLabels(BuildSteps& a, const QString& first, const QString& second, QStringList& out) {
    QString one, two;
    if (!a.Text(first, one) || !a.Text(second, two)) return false;
    out = {"*JumpToLabel " + one, "*JumpToLabel " + two};
    return true;
}

bool AskMatchLabels(BuildSteps& a, QStringList& out) {
    return AskTwoLabels(a, "Enter the Label to jump to if match",
                        "Enter the Label to jump to if no match", out);
}

// The match table with at least one counted row and a no-match target.
bool AskMatchTable(BuildSteps& a, MatchTableAnswer& out) {
    const auto answer = a.prompter().MatchTable(a.topic());
    if (!answer || answer->rows.empty() ||
        (!Filled(answer->noMatchLabel) && !Filled(answer->noMatchFile)))
        return false;
    out = *answer;
    return true;
}

QStringList MatchRowLines(const MatchTableAnswer& table) {
    QStringList lines;
    for (const JumpRow& row : table.rows)
        lines << row.text + ";" + JumpTargetLine(row.label, row.file);
    lines << JumpTargetLine(table.noMatchLabel, table.noMatchFile);
    return lines;
}

// A one-letter user input identifier.
QString IdentifierProblem(const QString& text) {
    const QString t = text.trimmed();
    if (t.size() == 1 && t[0].unicode() < 128 && t[0].isLetter()) return {};
    return "The identifier must be one letter, A to Z or a to z.";
}

// A button legend or a label that the player reads as one field of its line.
TextRule OneField(const QString& what) {
    return [what](const QString& text) -> QString {
        if (text.contains(' ') || text.contains(','))
            return what + " \"" + text + "\" is read as one word: it cannot hold a blank or a comma.";
        return {};
    };
}

// The page label as the player compares it: the whole "@P" line.
QString PageLabelLine(const QString& label) {
    return label.startsWith("@P", Qt::CaseInsensitive) ? label : "@P" + label;
}

}  // namespace

// --- InterActive ---------------------------------------------------------------------------

CommandCategory InterActiveCommands() {
    CommandCategory c{"InterActive", "TQuestCommsForm", HelpTopic::InterActiveCommands, {{" InterActive Commands ", {}}}};
    auto& o = c.groups[0].options;
    o.push_back(Option("GetUserInputRBtn", "*GetUserInput", HelpTopic::CmdGetUserInput, [](BuildSteps& a) -> QStringList {
        QString letter;
        int width;
        if (!a.Text("Enter the Letter identifier(A..Z,a..z)", letter, true, IdentifierProblem) ||
            !a.Number("Width of input box to display", 2, 60, 30, width))
            return {};
        return {"*GetUserInput " + letter.trimmed() + " " + Num(width)};
    }));
    o.push_back(
        Option("QuickQuestionRBtn", "*QuickQuestion", HelpTopic::CmdQuickQuestion, [](BuildSteps& a) -> QStringList {
            int length;
            MatchListAnswer matches;
            QString yes, no;
            if (!a.Number("Length of Input Window", 2, 60, 30, length) ||
                !AskMatchList(a, matches) || !a.Text("Enter answer to display if match", yes) ||
                !a.Text("Enter answer to display if no match", no))
                return {};
            return {"*QuickQuestion " + Num(length) + " " + ExactWord(matches.exact),
                    MatchListLine(matches.texts), yes, no};
        }));
    o.push_back(Option("FillinAnswerRBtn", "*FillinAnswer", HelpTopic::CmdFillinAnswer, [](BuildSteps& a) -> QStringList {
        ColRow s;
        int tries;
        QString color, answer;
        if (!a.Start("Enter starting Column and Row", 78, 28, s) ||
            !a.Number("Number of tries", 1, 15, 1, tries) || !a.Color("Select Text color", color) ||
            !a.Text("Enter the Answer", answer))
            return {};
        return {"*FillInAnswer " + Num(s.column) + " " + Num(s.row) + " " + Num(tries) + " " +
                color + " " + answer};
    }));
    o.push_back(Option("QuizRBtn", "Branching Quiz", HelpTopic::BranchingQuiz, [](BuildSteps& a) -> QStringList {
        const auto quiz = a.prompter().QuizWizard(a.topic());
        if (!quiz) return {};
        return QuizSkeleton(*quiz);
    }));
    o.push_back(
        Option("BranchOnInputRBtn", "*BranchOnInput", HelpTopic::CmdBranchOnInput, [](BuildSteps& a) -> QStringList {
            int length;
            MatchListAnswer matches;
            if (!a.Number("Length of Input Window", 2, 60, 30, length) || !AskMatchList(a, matches))
                return {};
            return QStringList{"*BranchOnInput " + Num(length) + " " + ExactWord(matches.exact),
                               MatchListLine(matches.texts)} +
                   AnswerSkeleton();
        }));
    o.push_back(
        Option("BranchOnButtonRBtn", "*BranchOnButton", HelpTopic::CmdBranchOnButton, [](BuildSteps& a) -> QStringList {
            QString left, right;
            int length;
            if (!a.Text("Enter the Left Button legend", left, true, OneField("The legend")) ||
                !a.Text("Enter the Right Button legend", right, true, OneField("The legend")) ||
                !a.Number("Length of Button bar", 22, 79, 22, length))
                return {};
            return QStringList{"*BranchOnButton " + left + " " + right + " " + Num(length)} +
                   ButtonSkeleton();
        }));
    o.push_back(Option("ExecuteRBtn", " *Execute", HelpTopic::CmdExecute, [](BuildSteps& a) -> QStringList {
        QString name;
        if (!a.Entry("EXECUTE",
                     "No Executable Programs have been created.\r\nUse Teaching Aids at the Main "
                     "Menu to create them.",
                     "Select Executable program", name))
            return {};
        return {"*Execute " + name};
    }));
    o.push_back(Fixed("ExitRBtn", " *Exit", HelpTopic::CmdExit, "*Exit"));
    return c;
}

// --- Non-Linear ----------------------------------------------------------------------------

CommandCategory NonLinearCommands() {
    CommandCategory c{"Non-Linear ", "TLinearCommsForm", HelpTopic::NonLinearCommands, {{" Non-Linear Commands ", {}}}};
    auto& o = c.groups[0].options;
    o.push_back(Option("JumpLabelRBtn", "@J Jump Label", HelpTopic::JumpLabel, [](BuildSteps& a) -> QStringList {
        QString label;
        if (!a.Text("Enter the Label", label)) return {};
        return {"@J" + label};
    }));
    o.push_back(Option("JumpToLabelRBtn", "*JumpToLabel", HelpTopic::CmdJumpToLabel, [](BuildSteps& a) -> QStringList {
        QString label;
        if (!a.Text("Enter the Label to jump to", label)) return {};
        return {"*JumpToLabel " + label};
    }));
    o.push_back(
        Option("JumpAndReturnRBtn", "*JumpAndReturn", HelpTopic::CmdJumpAndReturn, [](BuildSteps& a) -> QStringList {
            QString jump, back;
            if (!a.Text("Enter the label to jump to", jump, true, OneField("The label")) ||
                !a.Text("Enter the label to return to", back))
                return {};
            return {"*JumpAndReturn " + jump + " " + back};
        }));
    o.push_back(Option("PageBackToRBtn", "*PageBackTo", HelpTopic::CmdPageBackTo, [](BuildSteps& a) -> QStringList {
        QString label;
        if (!a.Text("Enter the Label to page back to", label)) return {};
        return {"*PageBackTo " + PageLabelLine(label)};
    }));
    o.push_back(
        Option("JumpOnFileExistsRBtn", "*JumpOnFileExists", HelpTopic::CmdJumpOnFileExists, [](BuildSteps& a) -> QStringList {
            QString file;
            QStringList jumps;
            if (!a.File("Enter the file name to check", file, false) || !AskMatchLabels(a, jumps))
                return {};
            return QStringList{"*JumpOnFileExists " + file} + jumps;
        }));
    o.push_back(Option("JumpOnInputRBtn", "*JumpOnInput", HelpTopic::CmdJumpOnInput, [](BuildSteps& a) -> QStringList {
        int length;
        MatchListAnswer matches;
        QStringList jumps;
        if (!a.Number("Length of Input Window", 1, 60, 30, length) || !AskMatchList(a, matches) ||
            !AskMatchLabels(a, jumps))
            return {};
        return QStringList{"*JumpOnInput " + Num(length) + " " + ExactWord(matches.exact),
                           MatchListLine(matches.texts)} +
               jumps;
    }));
    o.push_back(Option("JumpOnButtonRBtn", "*JumpOnButton", HelpTopic::CmdJumpOnButton, [](BuildSteps& a) -> QStringList {
        QString left, right;
        int length;
        QStringList jumps;
        if (!a.Text("Enter the Left Button legend", left, true, OneField("The legend")) ||
            !a.Text("Enter the Right Button legend", right, true, OneField("The legend")) ||
            !a.Number("Length of Button bar", 24, 79, 24, length) ||
            !AskTwoLabels(a, "Label to jump to if Left button pressed",
                          "Label to jump to if Right button pressed", jumps))
            return {};
        return QStringList{"*JumpOnButton " + left + " " + right + " " + Num(length)} + jumps;
    }));
    o.push_back(
        Option("JumpOnFileInputRBtn", "*JumpOnFileInput", HelpTopic::CmdJumpOnFileInput, [](BuildSteps& a) -> QStringList {
            QString file;
            MatchListAnswer matches;
            QStringList jumps;
            if (!a.File("Enter the filename to read", file, true) || !AskMatchList(a, matches) ||
                !AskMatchLabels(a, jumps))
                return {};
            return QStringList{"*JumpOnFileInput " + file + " " + ExactWord(matches.exact),
                               MatchListLine(matches.texts)} +
                   jumps;
        }));
    o.push_back(Option("JumpOnMatchRBtn", "*JumpOnMatch", HelpTopic::CmdJumpOnMatch, [](BuildSteps& a) -> QStringList {
        int length;
        MatchTableAnswer table;
        if (!a.Number("Length of Input Window", 1, 60, 30, length) || !AskMatchTable(a, table))
            return {};
        QString line = "*JumpOnMatch " + Num(int(table.rows.size())) + " " + Num(length);
        if (table.exact) line += " Exact";
        return QStringList{line} + MatchRowLines(table);
    }));
    o.push_back(
        Option("JumpOnFileMatchRBtn", "*JumpOnFileMatch", HelpTopic::CmdJumpOnFileMatch, [](BuildSteps& a) -> QStringList {
            QString file;
            MatchTableAnswer table;
            if (!a.File("Enter the filename to read", file, true) || !AskMatchTable(a, table))
                return {};
            QString line = "*JumpOnFileMatch " + file + " " + Num(int(table.rows.size()));
            if (table.exact) line += " Exact";
            return QStringList{line} + MatchRowLines(table);
        }));
    o.push_back(Fixed("ReturnRBtn", "*Return", HelpTopic::CmdReturn, "*Return"));
    return c;
}

// --- Advanced ------------------------------------------------------------------------------

CommandCategory AdvancedCommands() {
    CommandCategory c{"Advanced",
                      "TRejoinForm",
                      HelpTopic::AdvancedCommands,
                      {{" Rejoin Commands ", {}}, {" Sub-Chapter Commands ", {}}}};
    auto& r = c.groups[0].options;
    r.push_back(
        Option("RejoinChapterRBtn", "*RejoinChapter", HelpTopic::CmdRejoinChapter, [](BuildSteps& a) -> QStringList {
            QString file, label;
            if (!a.File("Enter the filename to store pagelabel", file, true) ||
                !a.Text("Enter label where Rejoin is processed", label))
                return {};
            return {"*RejoinChapter " + file + " " + label};
        }));
    r.push_back(Fixed("RejoinPageRBtn", "*RejoinPage", HelpTopic::CmdRejoinPage, "*RejoinPage"));
    r.push_back(Fixed("ClearPageLabelRBtn", "*ClearPageLabel", HelpTopic::CmdClearPageLabel, "*ClearPageLabel"));
    r.push_back(
        Option("ChangePageLabelRBtn", "*ChangePageLabel", HelpTopic::CmdChangePageLabel, [](BuildSteps& a) -> QStringList {
            QString label;
            if (!a.Text("Enter the new page label", label)) return {};
            return {"*ChangePageLabel " + label};
        }));
    auto& s = c.groups[1].options;
    s.push_back(Option("BoxMenuRBtn", "*BoxMenu", HelpTopic::CmdBoxMenu, [](BuildSteps& a) -> QStringList {
        ColRow s1, e;
        if (!a.Start("Enter the top left Column and Row", 78, 24, s1) ||
            !a.End("Enter the bottom right Column and Row", s1, e))
            return {};
        const auto rows = a.prompter().MenuEntries(a.topic());
        if (!rows || rows->empty()) return {};
        QStringList lines{"*BoxMenu " + Num(s1.column) + " " + Num(s1.row) + " " + Num(e.column) +
                          " " + Num(e.row) + " " + Num(int(rows->size()))};
        for (const JumpRow& row : *rows)
            lines << row.text + ";" + JumpTargetLine(row.label, row.file);
        return lines;
    }));
    s.push_back(Option("ButtonMenuRBtn", "*ButtonMenu", HelpTopic::CmdButtonMenu, [](BuildSteps& a) -> QStringList {
        const auto rows = a.prompter().MenuButtons(a.topic());
        if (!rows || rows->empty()) return {};
        QStringList lines{"*ButtonMenu " + Num(int(rows->size()))};
        for (const ButtonRow& row : *rows)
            lines << row.x1.trimmed() + " " + row.y1.trimmed() + " " + row.x2.trimmed() + " " +
                         row.caption + ";" + JumpTargetLine(row.label, row.file);
        return lines;
    }));
    s.push_back(Option("JumpToFileRBtn", "*JumpToFile", HelpTopic::CmdJumpToFile, [](BuildSteps& a) -> QStringList {
        QString file;
        if (!a.File("Enter Chapter file to jump to", file, true)) return {};
        return {"*JumpToFile " + file};
    }));
    s.push_back(Option("ReturnToFileRBtn", "*ReturnToFile", HelpTopic::CmdReturnToFile, [](BuildSteps& a) -> QStringList {
        QString file;
        if (!a.File("Return to Chapter file :", file, true)) return {};
        return {"*ReturnToFile " + file};
    }));
    return c;
}

// --- Change Defaults -----------------------------------------------------------------------

CommandCategory ChangeDefaultsCommands() {
    CommandCategory c{
        "Change Defaults", "TDefaultChangeForm", HelpTopic::DefaultValuesCommands, {{" Change Default Values ", {}}}};
    auto& o = c.groups[0].options;
    o.push_back(
        Option("ControlButtonTagRBtn", "*ControlButtonTag", HelpTopic::CmdControlButtonTag, [](BuildSteps& a) -> QStringList {
            const auto letter = a.prompter().ControlButton(a.topic());
            QString legend;
            if (!letter || !a.Text("Enter the new Button legend", legend)) return {};
            return {"*ControlButtonTag " + QString(*letter) + " " + legend};
        }));
    o.push_back(
        Option("HyperTextColorRBtn", "HyperTextColor", HelpTopic::HyperTextColor, [](BuildSteps& a) -> QStringList {
            QString link, back;
            if (!a.Color("HyperText link color", link, ColorUse::CancelIsDefault) ||
                !a.Color("HyperText background color", back, ColorUse::CancelIsDefault))
                return {};
            return {"*HyperTextColor " + link + " " + back};
        }));
    const auto colorOption = [](const char* name, const char* caption, HelpTopic topic, const char* title,
                                const char* keyword) {
        const QString question = title, word = keyword;
        return Option(name, caption, topic, [question, word](BuildSteps& a) -> QStringList {
            QString color;
            if (!a.Color(question, color, ColorUse::CancelIsDefault)) return {};
            return {word + " " + color};
        });
    };
    o.push_back(colorOption("TitleBarColorRBtn", "*TitleBarColor", HelpTopic::CmdTitleBarColor, "Select Title Bar color",
                            "*TitleBarColor"));
    o.push_back(colorOption("TitleTextColorRBtn", "*TitleTextColor", HelpTopic::CmdTitleTextColor,
                            "Select Title text color", "*TitleTextColor"));
    o.push_back(colorOption("ControlBarColorRBtn", "*ControlBarColor", HelpTopic::CmdControlBarColor,
                            "Select Control Bar color", "*ControlBarColor"));
    return c;
}

}  // namespace quill
