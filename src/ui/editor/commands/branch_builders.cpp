#include "editor/commands/branch_builders.h"

#include "editor/commands/build_steps.h"

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
    CommandCategory c{"InterActive", "TQuestCommsForm", 1800, {{" InterActive Commands ", {}}}};
    auto& o = c.groups[0].options;
    o.push_back(Option("GetUserInputRBtn", "*GetUserInput", 1810, [](BuildSteps& a) -> QStringList {
        QString letter;
        int width;
        if (!a.Text("Enter the Letter identifier(A..Z,a..z)", letter, true, IdentifierProblem) ||
            !a.Number("Width of input box to display", 2, 60, 30, width))
            return {};
        return {"*GetUserInput " + letter.trimmed() + " " + Num(width)};
    }));
    o.push_back(
        Option("QuickQuestionRBtn", "*QuickQuestion", 1815, [](BuildSteps& a) -> QStringList {
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
    o.push_back(Option("FillinAnswerRBtn", "*FillinAnswer", 1820, [](BuildSteps& a) -> QStringList {
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
    o.push_back(Option("QuizRBtn", "Branching Quiz", 1825, [](BuildSteps& a) -> QStringList {
        const auto quiz = a.prompter().QuizWizard(a.topic());
        if (!quiz) return {};
        return QuizSkeleton(*quiz);
    }));
    o.push_back(
        Option("BranchOnInputRBtn", "*BranchOnInput", 1830, [](BuildSteps& a) -> QStringList {
            int length;
            MatchListAnswer matches;
            if (!a.Number("Length of Input Window", 2, 60, 30, length) || !AskMatchList(a, matches))
                return {};
            return QStringList{"*BranchOnInput " + Num(length) + " " + ExactWord(matches.exact),
                               MatchListLine(matches.texts)} +
                   AnswerSkeleton();
        }));
    o.push_back(
        Option("BranchOnButtonRBtn", "*BranchOnButton", 1835, [](BuildSteps& a) -> QStringList {
            QString left, right;
            int length;
            if (!a.Text("Enter the Left Button legend", left, true, OneField("The legend")) ||
                !a.Text("Enter the Right Button legend", right, true, OneField("The legend")) ||
                !a.Number("Length of Button bar", 22, 79, 22, length))
                return {};
            return QStringList{"*BranchOnButton " + left + " " + right + " " + Num(length)} +
                   ButtonSkeleton();
        }));
    o.push_back(Option("ExecuteRBtn", " *Execute", 1850, [](BuildSteps& a) -> QStringList {
        QString name;
        if (!a.Entry("EXECUTE",
                     "No Executable Programs have been created.\r\nUse Teaching Aids at the Main "
                     "Menu to create them.",
                     "Select Executable program", name))
            return {};
        return {"*Execute " + name};
    }));
    o.push_back(Fixed("ExitRBtn", " *Exit", 1855, "*Exit"));
    return c;
}

// --- Non-Linear ----------------------------------------------------------------------------

CommandCategory NonLinearCommands() {
    CommandCategory c{"Non-Linear ", "TLinearCommsForm", 1900, {{" Non-Linear Commands ", {}}}};
    auto& o = c.groups[0].options;
    o.push_back(Option("JumpLabelRBtn", "@J Jump Label", 1910, [](BuildSteps& a) -> QStringList {
        QString label;
        if (!a.Text("Enter the Label", label)) return {};
        return {"@J" + label};
    }));
    o.push_back(Option("JumpToLabelRBtn", "*JumpToLabel", 1915, [](BuildSteps& a) -> QStringList {
        QString label;
        if (!a.Text("Enter the Label to jump to", label)) return {};
        return {"*JumpToLabel " + label};
    }));
    o.push_back(
        Option("JumpAndReturnRBtn", "*JumpAndReturn", 2125, [](BuildSteps& a) -> QStringList {
            QString jump, back;
            if (!a.Text("Enter the label to jump to", jump, true, OneField("The label")) ||
                !a.Text("Enter the label to return to", back))
                return {};
            return {"*JumpAndReturn " + jump + " " + back};
        }));
    o.push_back(Option("PageBackToRBtn", "*PageBackTo", 1925, [](BuildSteps& a) -> QStringList {
        QString label;
        if (!a.Text("Enter the Label to page back to", label)) return {};
        return {"*PageBackTo " + PageLabelLine(label)};
    }));
    o.push_back(
        Option("JumpOnFileExistsRBtn", "*JumpOnFileExists", 1930, [](BuildSteps& a) -> QStringList {
            QString file;
            QStringList jumps;
            if (!a.File("Enter the file name to check", file, false) || !AskMatchLabels(a, jumps))
                return {};
            return QStringList{"*JumpOnFileExists " + file} + jumps;
        }));
    o.push_back(Option("JumpOnInputRBtn", "*JumpOnInput", 1935, [](BuildSteps& a) -> QStringList {
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
    o.push_back(Option("JumpOnButtonRBtn", "*JumpOnButton", 1940, [](BuildSteps& a) -> QStringList {
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
        Option("JumpOnFileInputRBtn", "*JumpOnFileInput", 1945, [](BuildSteps& a) -> QStringList {
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
    o.push_back(Option("JumpOnMatchRBtn", "*JumpOnMatch", 1950, [](BuildSteps& a) -> QStringList {
        int length;
        MatchTableAnswer table;
        if (!a.Number("Length of Input Window", 1, 60, 30, length) || !AskMatchTable(a, table))
            return {};
        QString line = "*JumpOnMatch " + Num(int(table.rows.size())) + " " + Num(length);
        if (table.exact) line += " Exact";
        return QStringList{line} + MatchRowLines(table);
    }));
    o.push_back(
        Option("JumpOnFileMatchRBtn", "*JumpOnFileMatch", 1955, [](BuildSteps& a) -> QStringList {
            QString file;
            MatchTableAnswer table;
            if (!a.File("Enter the filename to read", file, true) || !AskMatchTable(a, table))
                return {};
            QString line = "*JumpOnFileMatch " + file + " " + Num(int(table.rows.size()));
            if (table.exact) line += " Exact";
            return QStringList{line} + MatchRowLines(table);
        }));
    o.push_back(Fixed("ReturnRBtn", "*Return", 1960, "*Return"));
    return c;
}

// --- Advanced ------------------------------------------------------------------------------

CommandCategory AdvancedCommands() {
    CommandCategory c{"Advanced",
                      "TRejoinForm",
                      2000,
                      {{" Rejoin Commands ", {}}, {" Sub-Chapter Commands ", {}}}};
    auto& r = c.groups[0].options;
    r.push_back(
        Option("RejoinChapterRBtn", "*RejoinChapter", 2010, [](BuildSteps& a) -> QStringList {
            QString file, label;
            if (!a.File("Enter the filename to store pagelabel", file, true) ||
                !a.Text("Enter label where Rejoin is processed", label))
                return {};
            return {"*RejoinChapter " + file + " " + label};
        }));
    r.push_back(Fixed("RejoinPageRBtn", "*RejoinPage", 2015, "*RejoinPage"));
    r.push_back(Fixed("ClearPageLabelRBtn", "*ClearPageLabel", 2020, "*ClearPageLabel"));
    r.push_back(
        Option("ChangePageLabelRBtn", "*ChangePageLabel", 2025, [](BuildSteps& a) -> QStringList {
            QString label;
            if (!a.Text("Enter the new page label", label)) return {};
            return {"*ChangePageLabel " + label};
        }));
    auto& s = c.groups[1].options;
    s.push_back(Option("BoxMenuRBtn", "*BoxMenu", 2110, [](BuildSteps& a) -> QStringList {
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
    s.push_back(Option("ButtonMenuRBtn", "*ButtonMenu", 2115, [](BuildSteps& a) -> QStringList {
        const auto rows = a.prompter().MenuButtons(a.topic());
        if (!rows || rows->empty()) return {};
        QStringList lines{"*ButtonMenu " + Num(int(rows->size()))};
        for (const ButtonRow& row : *rows)
            lines << row.x1.trimmed() + " " + row.y1.trimmed() + " " + row.x2.trimmed() + " " +
                         row.caption + ";" + JumpTargetLine(row.label, row.file);
        return lines;
    }));
    s.push_back(Option("JumpToFileRBtn", "*JumpToFile", 1920, [](BuildSteps& a) -> QStringList {
        QString file;
        if (!a.File("Enter Chapter file to jump to", file, true)) return {};
        return {"*JumpToFile " + file};
    }));
    s.push_back(Option("ReturnToFileRBtn", "*ReturnToFile", 2120, [](BuildSteps& a) -> QStringList {
        QString file;
        if (!a.File("Return to Chapter file :", file, true)) return {};
        return {"*ReturnToFile " + file};
    }));
    return c;
}

// --- Change Defaults -----------------------------------------------------------------------

CommandCategory ChangeDefaultsCommands() {
    CommandCategory c{
        "Change Defaults", "TDefaultChangeForm", 2200, {{" Change Default Values ", {}}}};
    auto& o = c.groups[0].options;
    o.push_back(
        Option("ControlButtonTagRBtn", "*ControlButtonTag", 2210, [](BuildSteps& a) -> QStringList {
            const auto letter = a.prompter().ControlButton(a.topic());
            QString legend;
            if (!letter || !a.Text("Enter the new Button legend", legend)) return {};
            return {"*ControlButtonTag " + QString(*letter) + " " + legend};
        }));
    o.push_back(
        Option("HyperTextColorRBtn", "HyperTextColor", 2230, [](BuildSteps& a) -> QStringList {
            QString link, back;
            if (!a.Color("HyperText link color", link, ColorUse::CancelIsDefault) ||
                !a.Color("HyperText background color", back, ColorUse::CancelIsDefault))
                return {};
            return {"*HyperTextColor " + link + " " + back};
        }));
    const auto colorOption = [](const char* name, const char* caption, int topic, const char* title,
                                const char* keyword) {
        const QString question = title, word = keyword;
        return Option(name, caption, topic, [question, word](BuildSteps& a) -> QStringList {
            QString color;
            if (!a.Color(question, color, ColorUse::CancelIsDefault)) return {};
            return {word + " " + color};
        });
    };
    o.push_back(colorOption("TitleBarColorRBtn", "*TitleBarColor", 2220, "Select Title Bar color",
                            "*TitleBarColor"));
    o.push_back(colorOption("TitleTextColorRBtn", "*TitleTextColor", 2225,
                            "Select Title text color", "*TitleTextColor"));
    o.push_back(colorOption("ControlBarColorRBtn", "*ControlBarColor", 2215,
                            "Select Control Bar color", "*ControlBarColor"));
    return c;
}

}  // namespace quill
