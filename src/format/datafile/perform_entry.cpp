#include "datafile/perform_entry.h"

#include "project/file_names.h"

namespace quill {

namespace {

std::string ValueOf(const TextLines& entry, std::size_t i) {
    if (i >= entry.size()) return {};
    const auto eq = entry[i].find('=');
    return eq == std::string::npos ? entry[i] : entry[i].substr(eq + 1);
}

}  // namespace

std::optional<int> EntryType(const TextLines& entry) {
    if (entry.size() < 3) return std::nullopt;
    const auto n = ParseInt32(ValueOf(entry, 2).substr(0, 2));
    if (!n) return std::nullopt;
    return *n;
}

std::string PerformEntry(const TextLines& entry, EntryActions& actions) {
    std::string name = entry.empty() ? std::string() : entry[0];
    if (!name.empty() && name.front() == '[') {
        name.erase(0, 1);
        if (!name.empty() && name.back() == ']') name.pop_back();
    }
    const int code = EntryType(entry).value_or(0);
    const std::string command = ValueOf(entry, 3);
    switch (code) {
        case etTextOnly:
        case etGraphicAndText: {
            TScreenBackground settings;
            TextLines text;
            ParseTextEntry(entry, settings, text);
            actions.ShowTextEntry(code == etTextOnly ? TextDisplay::Plain : TextDisplay::Viewport,
                                  name, settings, text);
            break;
        }
        case etGraphicOnly:
        case etVoiceOnly:
        case etGraphicAndSound:
        case etVideoPlayer:
        case etMidiPlayer:
            actions.PreviewMedia(name, command);
            break;
        case etExecutable:
        case etWindowsProgram:
            actions.LaunchProgram(code, command);
            break;
        case etHtmlFile:
            actions.OpenWithShell(command);
            break;
        case etNotePad:
            actions.OpenNotes(command);
            break;
        default:
            break;
    }
    return name;
}

}  // namespace quill
