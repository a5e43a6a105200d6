#include "aids/entry_rules.h"

#include <algorithm>

#include "datafile/perform_entry.h"
#include "platform/help_topics.h"
#include "project/config_record.h"
#include "text/cp1252.h"
#include "text_codec.h"

namespace quill {

namespace fs = std::filesystem;

// --- Teaching aids menu -------------------------------------------------------------------

const std::vector<ToolChoice>& ToolChoices() {
    static const std::vector<ToolChoice> choices{
        {1, "ColorsRadio", "Design Custom Colors", TopicNumber(HelpTopic::CustomColours)},
        {2, "HeadingsRadio", "Design Custom Headings", TopicNumber(HelpTopic::CustomHeadings)},
        {3, "WinTextRadio", "Create RTF WindowText", TopicNumber(HelpTopic::WindowTexts)},
        {4, "UtilityRadio", "Create Utility Programs", TopicNumber(HelpTopic::Utilities)},
        {5, "ExecuteRadio", "Create Executable Programs", TopicNumber(HelpTopic::Executables)},
        {6, "HyperRadio", "Manage HyperText Links", TopicNumber(HelpTopic::HypertextLinks)},
    };
    return choices;
}

int ToolHelpContext(int tag) {
    for (const ToolChoice& c : ToolChoices())
        if (c.tag == tag) return c.helpContext;
    return TopicNumber(HelpTopic::TeachingAidsMenu);
}

// --- Entry managers -----------------------------------------------------------------------

const ManagerSpec& ManagerSpecFor(std::string_view source) {
    static const ManagerSpec hyper{kSourceHyper,
                                   "Thypermenuform",
                                   " HyperLink Data ",
                                   "View a HyperText Link",
                                   "Delete a HyperText Link",
                                   "Modify a HyperText Link",
                                   "",
                                   "Select an Entry to view",
                                   "Select a Link to Modify",
                                   TopicNumber(HelpTopic::HypertextLinks)};
    static const ManagerSpec execute{kSourceExecute,
                                     "TExUtMenuform",
                                     " Executable Programs ",
                                     "View an Executable Program",
                                     "Delete an Executable Program",
                                     "Modify an Executable Program",
                                     "Define an Executable Program",
                                     "Select an Entry to view",
                                     "Select an Entry to Modify",
                                     TopicNumber(HelpTopic::Executables)};
    static const ManagerSpec utility{kSourceUtility,
                                     "TExUtMenuform",
                                     " Utility Programs ",
                                     "View a Utility Program",
                                     "Delete a Utility Program",
                                     "Modify a Utility Program",
                                     "Define a Utility Program",
                                     "Select an Entry to view",
                                     "Select an Entry to Modify",
                                     TopicNumber(HelpTopic::Utilities)};
    static const ManagerSpec winText{kSourceWinText,
                                     "TWinTextform",
                                     " RTF WindowText ",
                                     "View WindowText",
                                     "Delete WindowText",
                                     "Modify WindowText",
                                     "Create WindowText",
                                     "Select an Entry to View",
                                     "Select an Entry to Modify",
                                     TopicNumber(HelpTopic::WindowTexts)};
    if (EqualsIgnoringCase(source, kSourceHyper)) return hyper;
    if (EqualsIgnoringCase(source, kSourceUtility)) return utility;
    if (EqualsIgnoringCase(source, kSourceWinText)) return winText;
    return execute;
}

ManagerButtons ManagerButtonsFor(const fs::path& dataFile, std::string_view source) {
    const bool any = HasEntryOfSource(dataFile, source);
    ManagerButtons b;
    b.view = b.remove = b.modify = any;
    b.define = !ManagerSpecFor(source).defineCaption.isEmpty();
    return b;
}

QString DeleteQuestion(const QString& name) {
    return "The \"" + name + "\" entry will be deleted.\n\rContinue?";
}

QString DamagedEntryDeletedText(const QString& name) {
    return "The \"" + name + "\" entry was damaged: it had no closing \"]\" line. It was deleted up to "
           "the next entry, which was kept.";
}

bool SyncUtilitiesOn(TTutorialConfig& config, const fs::path& dataFile) {
    const std::uint8_t on = HasEntryOfSource(dataFile, kSourceUtility) ? 1 : 0;
    if (config.get(cfg::UtilitiesOn) == on) return false;
    config.set(cfg::UtilitiesOn, on);
    return true;
}

// --- Define HyperText ---------------------------------------------------------------------

HyperLinkScan FindHyperLinks(const QStringList& lines) {
    HyperLinkScan scan;
    for (QString rest : lines) {
        qsizetype open;
        while ((open = rest.indexOf('|')) >= 0) {
            rest.remove(0, open + 1);
            const qsizetype close = rest.indexOf('|');
            if (close < 0) {
                scan.errors << "\"" + rest + "\" has no closing HyperText marker.";
                break;
            }
            scan.links << rest.left(close);
            rest.remove(0, close + 1);
        }
    }
    return scan;
}

std::optional<QString> EntryNameLengthError(const std::string& name, std::string_view source) {
    if (EqualsIgnoringCase(source, kSourceHyper) && name.size() > kMaxHyperWordLength)
        return FromCp1252(HyperWordTooLong(name));
    if (static_cast<int>(name.size()) <= kMaxEntryNameLength) return std::nullopt;
    return "The name \"" + FromCp1252(name) + "\" is " + QString::number(name.size()) +
           " characters long. A compiled tutorial keeps names of at most " + QString::number(kMaxEntryNameLength) +
           " characters: shorten the phrase.";
}

// --- Entry editors ------------------------------------------------------------------------

int RadioOfType(int type) {
    if (type == etWindowsProgram || type == etHtmlFile) return 4;
    for (int i = 0; i < 9; ++i)
        if (kRadioTypes[i] == type) return i + 1;
    return 0;
}

EntryDraft NewEntryDraft(std::string_view source, const std::string& name) {
    EntryDraft d;
    d.source = std::string(source);
    d.name = name;
    return d;
}

namespace {

std::string AfterEquals(const TextLines& entry, std::size_t index) {
    if (index >= entry.size()) return {};
    const std::string& line = entry[index];
    const auto eq = line.find('=');
    return eq == std::string::npos ? std::string() : line.substr(eq + 1);
}

std::vector<std::string> SplitAtCommas(const std::string& text) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const auto comma = text.find(',', start);
        parts.push_back(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return parts;
}

void ClearParts(EntryDraft& d) {
    d.graphicFile.clear();
    d.graphicOption.clear();
    d.soundFile.clear();
    d.program.clear();
    d.videoFile.clear();
    d.midiFile.clear();
}

}  // namespace

void DefineCommand(EntryDraft& d, int type, const std::string& command) {
    ClearParts(d);
    d.definedType = type;
    d.command = command;
    switch (type) {
        case etGraphicOnly: {
            const auto parts = SplitAtCommas(command);
            d.graphicFile = parts[0];
            if (parts.size() > 1) d.graphicOption = parts[1];
            break;
        }
        case etGraphicAndSound: {
            const auto parts = SplitAtCommas(command);
            d.graphicFile = parts[0];
            if (parts.size() > 1) d.soundFile = parts[1];
            if (parts.size() > 2) d.graphicOption = parts[2];
            break;
        }
        case etVoiceOnly: d.soundFile = command; break;
        case etExecutable:
        case etWindowsProgram:
        case etHtmlFile:
            d.program = command;
            d.selectedType = type;
            break;
        case etVideoPlayer: d.videoFile = command; break;
        case etMidiPlayer: d.midiFile = command; break;
        default: break;
    }
}

void DefineText(EntryDraft& d, int type, const TextLines& text, const TScreenBackground& screen) {
    d.definedType = type;
    d.text = text;
    d.screen = screen;
}

void SelectRadio(EntryDraft& d, int radio) {
    if (radio < 1 || radio > 9) return;
    const int type = kRadioTypes[radio - 1];
    // The program radio button stands for the type last chosen in the program type choice.
    if (type == etExecutable && RadioOfType(d.definedType) == 4) d.selectedType = d.definedType;
    else d.selectedType = type;
}

EntryDraft DraftOfEntry(std::string_view source, const TextLines& entry) {
    EntryDraft d = NewEntryDraft(source, entry.empty() ? std::string() : entry[0]);
    d.modifying = true;
    d.oldName = d.name;
    // The type as the player reads it, so the editor offers what the learner will get.
    const int type = EntryType(entry).value_or(0);
    d.selectedType = d.definedType = type;
    if (IsTextEntryType(type)) {
        ParseTextEntry(entry, d.screen, d.text);
        // The parser keeps the entry's closing "]" as the last line; it is not part of the text.
        if (!d.text.empty() && d.text.back() == "]") d.text.pop_back();
    } else if (RadioOfType(type) != 0) {
        // Every command type keeps its command, so an entry saved without a new Add keeps it.
        DefineCommand(d, type, AfterEquals(entry, 3));
    }
    return d;
}

EntryDraft OpenEntryDraft(const fs::path& dataFile, std::string_view source, const std::string& name) {
    TextLines entry;
    if (!name.empty() && NameInUse(dataFile, name, "", source) && LoadEntry(dataFile, name, source, entry))
        return DraftOfEntry(source, entry);
    return NewEntryDraft(source, name);
}

SaveResult SaveEntryDraft(const fs::path& dataFile, EntryDraft& d, bool nameEditable, const std::string& typedName) {
    SaveResult r;
    if (d.definedType != d.selectedType) {
        r.error = "No data has been entered.";
        return r;
    }
    if (nameEditable && !d.modifying) {
        // Blanks around a typed name are not part of it; blanks alone are no name.
        const std::string name = TrimBlanks(typedName);
        d.name = name;
        r.focusName = true;
        if (name.empty()) {
            r.error = "No Program name has been entered.";
            return r;
        }
        if (NameInUse(dataFile, name, "", d.source)) {
            r.error = "That Program Name is already in use.";
            return r;
        }
        r.focusName = false;
    }
    if (auto error = EntryNameLengthError(d.name, d.source)) {
        r.error = *error;
        r.focusName = nameEditable;
        return r;
    }
    if (IsTextEntryType(d.selectedType)) {
        if (d.text.empty()) {
            r.error = "No Text information was entered.";
            return r;
        }
        if (d.modifying)
            ModifyTextEntry(dataFile, d.name, d.oldName, d.source, d.text, d.screen, d.selectedType);
        else
            AddTextEntry(dataFile, d.name, d.selectedType, d.source, d.text, d.screen);
    } else {
        if (d.command.empty()) return r;
        if (d.modifying)
            ModifyCommandEntry(dataFile, d.name, d.oldName, d.source, d.command, d.selectedType);
        else
            AddCommandEntry(dataFile, d.name, d.selectedType, d.source, d.command);
    }
    r.saved = true;
    return r;
}

int ProgramEditorHelp(std::string_view source, bool defining) {
    const bool utility = EqualsIgnoringCase(source, kSourceUtility);
    if (defining)
        return utility ? TopicNumber(HelpTopic::UtilityDefinition)
                       : TopicNumber(HelpTopic::ExecutableDefinition);
    return utility ? TopicNumber(HelpTopic::Utilities) : TopicNumber(HelpTopic::Executables);
}

// --- Window texts -------------------------------------------------------------------------

std::optional<QString> WindowTextNameError(const fs::path& dataFile, const std::string& name,
                                           const std::string& oldName) {
    const std::string trimmed = TrimBlanks(name);
    if (trimmed.empty() || !NameInUse(dataFile, trimmed, oldName, kSourceWinText)) return std::nullopt;
    return QString("That name is already in use");
}

SaveResult SaveWindowText(const fs::path& dataFile, const WindowTextDraft& draft) {
    WindowTextDraft d = draft;
    d.name = TrimBlanks(d.name);  // blanks around a typed name are not part of it
    SaveResult r;
    r.focusName = true;
    if (d.name.empty()) {
        r.error = "The Window Text Name must be defined";
        return r;
    }
    if (auto error = WindowTextNameError(dataFile, d.name, d.oldName)) {
        r.error = *error;
        return r;
    }
    r.focusName = false;
    if (d.lines.empty()) return r;
    if (d.oldName.empty())
        AddWindowText(dataFile, d.name, d.color, d.lines);
    else
        ReplaceWindowText(dataFile, d.oldName, d.name, d.color, d.lines);
    r.saved = true;
    return r;
}

QString CellCoordinatesText(const QRect& panel) {
    const int x1 = std::max(1, panel.left() / 8 + 1);
    const int y1 = panel.top() / 17 + 1;
    const int x2 = x1 + panel.width() / 8;
    const int y2 = y1 + panel.height() / 17;
    return QString("X1 = %1\r\nY1 = %2\r\nX2 = %3\r\nY2 = %4").arg(x1).arg(y1).arg(x2).arg(y2);
}

// --- Text window placement ----------------------------------------------------------------

namespace {
constexpr int kStripHeight = 16;
}

QRect AdjustPanelRect(const TScreenBackground& s) {
    return QRect(s.WindowLeft, s.WindowTop, s.WindowWidth, s.WindowHeight + kStripHeight);
}

void StoreAdjustPanelRect(TScreenBackground& s, const QRect& panel) {
    s.WindowLeft = panel.left();
    s.WindowTop = panel.top();
    s.WindowWidth = panel.width();
    s.WindowHeight = std::max(0, panel.height() - kStripHeight);
}

QRect ViewportPanelRect(const TScreenBackground& s) {
    return QRect(s.WindowLeft, s.WindowTop, s.WindowWidth, s.WindowHeight);
}

void StoreViewportPanelRect(TScreenBackground& s, const QRect& panel) {
    s.WindowLeft = panel.left();
    s.WindowTop = panel.top();
    s.WindowWidth = panel.width();
    s.WindowHeight = panel.height();
}

// --- Headings -------------------------------------------------------------------------------

std::optional<QString> HeadingNameError(const QString& name) {
    if (name.isEmpty()) return QString("An Heading name must be specified");
    if (name.contains(' ')) return QString("Spaces are not allowed in the Heading name");
    return std::nullopt;
}

}  // namespace quill
