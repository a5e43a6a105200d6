#include "script/chapter_check.h"

#include <algorithm>
#include <optional>
#include <unordered_set>

#include "project/file_names.h"
#include "script/line_kind.h"

namespace quill {

namespace {

// Field `index` (0-based, after the command code) of a translated line.
std::string_view FieldOf(std::string_view translated, std::size_t index) {
    std::size_t comma = translated.find(',');
    for (std::size_t i = 0; comma != std::string_view::npos; ++i) {
        const std::size_t next = translated.find(',', comma + 1);
        if (i == index)
            return translated.substr(comma + 1, next == std::string_view::npos ? std::string_view::npos
                                                                               : next - comma - 1);
        comma = next;
    }
    return {};
}

// A count field as the command reads it; nothing when it is not a number (the command then
// stops with its own message, and what follows cannot be told).
std::optional<std::size_t> CountOf(std::string_view field) {
    const auto value = ParseInt32(field);
    if (!value) return std::nullopt;
    return static_cast<std::size_t>(std::max(*value, 0));
}

// How the lines after a command are used: `data` lines are read as text; after them `actions`
// lines "text;action" whose action is run when chosen.
struct Following {
    std::size_t data = 0;
    std::size_t actions = 0;
};

Following FollowingLines(std::string_view code, std::string_view translated) {
    auto count = [&](std::size_t index) { return CountOf(FieldOf(translated, index)).value_or(0); };
    if (code == ":BP" || code == ":BC") return {count(4), 0};
    if (code == ":BU" || code == ":BT") return {count(6), 0};
    if (code == ":QA") return {count(0), 0};
    if (code == ":QQ") return {3, 0};
    if (code == ":LI" || code == ":LF" || code == ":JI" || code == ":JF") return {1, 0};
    if (code == ":JX") return {0, count(4)};
    if (code == ":JU") return {0, count(0)};
    if (code == ":JM") return {0, count(0)};
    if (code == ":JL") return {0, count(1)};
    return {};
}

class Checker {
public:
    Checker(const std::vector<std::string>& lines, const ColorTable& colors,
            const std::function<bool(const std::string&)>& chapterExists)
        : colors_(colors), chapterExists_(chapterExists) {
        lines_.reserve(lines.size());
        for (const auto& l : lines) {
            lines_.push_back(RightTrim(l));
            if (lines_.back().size() >= 2 && lines_.back()[0] == '@' && lines_.back()[1] == 'J')
                labels_.insert(lines_.back());
        }
    }

    std::vector<ScriptProblem> Run() {
        for (std::size_t i = 0; i < lines_.size(); ++i) {
            const std::string_view line = lines_[i];
            if (ClassifyLine(line) != LineKind::Command) continue;
            const std::string translated = Command(i, line);
            if (translated.empty()) continue;
            const std::string_view code = std::string_view(translated).substr(0, translated.find(','));
            Following f = FollowingLines(code, translated);
            // A quick question reads no reply for a miss when the reply for a match is empty.
            if (code == ":QQ" && i + 2 < lines_.size() && lines_[i + 2].empty()) f.data = 2;
            std::size_t next = i + 1;
            next = std::min(next + f.data, lines_.size());
            if (code == ":LE" || code == ":LF" || code == ":LI" || code == ":LB") Branch(i, next);
            Limits(i, code, f);
            for (std::size_t k = 0; k < f.actions && next < lines_.size(); ++k, ++next) Action(next);
            i = next - 1;
        }
        std::stable_sort(problems_.begin(), problems_.end(),
                         [](const ScriptProblem& a, const ScriptProblem& b) { return a.line < b.line; });
        return std::move(problems_);
    }

private:
    void Report(std::size_t index, std::string message) { problems_.push_back({index + 1, std::move(message)}); }

    // Translates the command at `index`; reports its problems; returns the translated line when
    // it translated cleanly.
    std::string Command(std::size_t index, std::string_view line) {
        std::string translated, error;
        if (!TranslateCommandLine(line, colors_, translated, error)) {
            Report(index, error);
            return {};
        }
        const std::string_view code = std::string_view(translated).substr(0, translated.find(','));
        if (code == ":JJ" || code == ":JK") {
            std::string_view label = OperandTextOf(translated);
            if (code == ":JK") label = label.substr(0, label.find(','));
            const std::string target = "@J" + std::string(label);
            if (!labels_.count(target)) Report(index, std::string(line) + " jumps to the label " + target +
                                                          ", which is not in this chapter.");
        } else if (code == ":JN") {
            const std::string chapter = NameOnly(OperandTextOf(translated)) + ".QKS";
            if (!chapterExists_(chapter))
                Report(index, std::string(line) + " names the chapter " + chapter + ", which does not exist.");
        }
        return translated;
    }

    // The action of a match table or menu line, run when it is chosen.
    void Action(std::size_t index) {
        const std::string_view line = lines_[index];
        const std::size_t semi = line.find(';');
        if (semi == std::string_view::npos) return;
        const std::size_t star = line.find('*', semi + 1);
        if (star == std::string_view::npos) return;
        // The table keeps 60 characters of an action; a longer one runs cut.
        Command(index, line.substr(star, 60));
    }

    // The tables the player fills from the following lines have room for so much only.
    void Limits(std::size_t index, std::string_view code, const Following& f) {
        const std::string line(lines_[index]);
        if ((code == ":JM" || code == ":JL") && f.actions > 29)
            Report(index, line + " has more than 29 matches");
        if (code == ":JX" && f.actions > 30) Report(index, line + " has more than 30 items");
        if ((code == ":LI" || code == ":LF" || code == ":JI" || code == ":JF" || code == ":QQ") &&
            index + 1 < lines_.size()) {
            const std::string_view list = lines_[index + 1];
            if (std::count(list.begin(), list.end(), ';') >= 10)
                Report(index + 1, "The match list " + std::string(list) + " has more than 10 answers.");
        }
    }

    // A branch runs its "&1" section or its "&2" section and then skips to "&3": whichever way
    // it goes, it needs "&2" and then "&3" after it, and "&1" for the first way.
    void Branch(std::size_t index, std::size_t from) {
        auto find = [&](std::string_view marker, std::size_t start) -> std::optional<std::size_t> {
            for (std::size_t k = start; k < lines_.size(); ++k)
                if (lines_[k] == marker) return k;
            return std::nullopt;
        };
        const std::string line(lines_[index]);
        if (!find("&1", from)) Report(index, "The branch " + line + " has no &1 marker after it.");
        const auto second = find("&2", from);
        if (!second)
            Report(index, "The branch " + line + " has no &2 marker after it.");
        else if (!find("&3", *second + 1))
            Report(index, "The branch " + line + " has no &3 marker after its &2 marker.");
    }

    std::vector<std::string_view> lines_;
    std::unordered_set<std::string_view> labels_;
    const ColorTable& colors_;
    const std::function<bool(const std::string&)>& chapterExists_;
    std::vector<ScriptProblem> problems_;
};

}  // namespace

std::vector<ScriptProblem> CheckChapter(const std::vector<std::string>& lines, const ColorTable& colors,
                                        const std::function<bool(const std::string&)>& chapterExists) {
    return Checker(lines, colors, chapterExists).Run();
}

}  // namespace quill
