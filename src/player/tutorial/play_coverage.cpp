#include "tutorial/play_coverage.h"

#include <QStringList>

#include "text/cp1252.h"
#include "text_codec.h"

namespace quill {

namespace {

enum class LineKind { NotCounted, Section, Command, Text };

std::string_view Trimmed(std::string_view line) {
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
    return line;
}

LineKind KindOf(std::string_view raw) {
    const std::string_view line = Trimmed(raw);
    if (line.empty() || line[0] == ';') return LineKind::NotCounted;
    if (line == "&1" || line == "&2") return LineKind::Section;
    if (line == "&3") return LineKind::NotCounted;
    if (line[0] == '*') return LineKind::Command;
    if (line[0] == '@' && line.size() >= 2) {
        const char c = static_cast<char>(UpperCp1252(static_cast<unsigned char>(line[1])));
        // Labels, page, quiz and answer markers are places, not lines that run.
        if (c == 'J' || c == 'P' || c == 'Q' || c == 'C' || (c >= '1' && c <= '9')) return LineKind::NotCounted;
    }
    return LineKind::Text;
}

std::string UpperName(const std::string& file) { return UpperCaseCp1252(file); }

std::string HtmlEscaped(const std::string& utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (char c : utf8) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += c;
        }
    }
    return out;
}

}  // namespace

std::vector<QString> HypertextWords(std::string_view raw) {
    const std::string_view line = Trimmed(raw);
    std::vector<QString> words;
    if (line.empty() || line[0] == ';') return words;
    if (line[0] == '*') {
        // *ImageHyperText column row colours |word|: the word between the first and last '|'.
        const std::string upper = UpperCaseCp1252(std::string(line.substr(0, line.find(' '))));
        if (upper != "*IMAGEHYPERTEXT") return words;
        const auto open = line.find('|'), close = line.rfind('|');
        if (open != std::string_view::npos && close > open + 1)
            words.push_back(FromCp1252(line.substr(open + 1, close - open - 1)));
        return words;
    }
    // Display text: the inline codes as the screen reads them ('^' and '~' take the next
    // character; a word runs from '|' to the next '|' or the end of the text).
    for (std::size_t i = 0; i < line.size();) {
        const char c = line[i];
        if (c == '^' || c == '~') {
            i += (c == '~' && i + 1 < line.size() && line[i + 1] == '@') ? 3 : 2;
            continue;
        }
        if (c == '|' && i + 1 < line.size()) {
            const auto close = line.find('|', i + 1);
            const std::string_view word = line.substr(i + 1, close == std::string_view::npos ? std::string_view::npos : close - i - 1);
            if (!word.empty()) words.push_back(FromCp1252(word.substr(0, 40)));
            i = close == std::string_view::npos ? line.size() : close + 1;
            continue;
        }
        ++i;
    }
    return words;
}

QString CoverageGap::text() const {
    return FromCp1252(chapter) + QStringLiteral(":%1: not reached (%2)").arg(line).arg(what);
}

void PlayCoverage::chapterStarted(const std::string& chapterFile) { current_ = &chapters_[UpperName(chapterFile)]; }

void PlayCoverage::lineReached(int line) {
    if (current_) current_->reached.insert(line);
}

void PlayCoverage::sectionEntered(int markerLine) {
    if (current_) current_->sections.insert(markerLine);
}

void PlayCoverage::offer(int firstLine, int count, int picked, const QString& kind) {
    if (!current_) return;
    for (int k = 0; k < count; ++k) {
        Offer& o = current_->offers[firstLine + k];
        if (o.what.isEmpty()) o.what = kind.isEmpty() && k == count - 1 ? QStringLiteral("final action")
                                                                      : QStringLiteral("%1 %2").arg(kind).arg(k + 1);
        if (k == picked) o.chosen = true;
    }
}

void PlayCoverage::answerChosen(int firstLine, int count, int answer) {
    offer(firstLine, count, answer - 1, QStringLiteral("quiz answer"));
}

void PlayCoverage::entryPicked(PickList list, int firstLine, int count, int picked) {
    switch (list) {
        case PickList::MatchList:
            // The last entry is the final action: named so by offer().
            offer(firstLine, count - 1, picked, QStringLiteral("match entry"));
            offer(firstLine + count - 1, 1, picked == count - 1 ? 0 : -1, QString());
            break;
        case PickList::ListMenu: offer(firstLine, count, picked, QStringLiteral("list entry")); break;
        case PickList::ButtonMenu: offer(firstLine, count, picked, QStringLiteral("menu entry")); break;
    }
}

void PlayCoverage::wordFollowed(const QString& word) {
    if (current_) current_->words.insert(word.toUpper());
}

const PlayCoverage::Chapter* PlayCoverage::find(const std::string& file) const {
    const auto found = chapters_.find(UpperName(file));
    return found == chapters_.end() ? nullptr : &found->second;
}

std::vector<CoverageGap> PlayCoverage::gaps(const std::vector<CoverageChapter>& chapters) const {
    std::vector<CoverageGap> out;
    for (const CoverageChapter& c : chapters) {
        const Chapter* run = find(c.file);
        if (!run) {
            out.push_back({c.file, 1, QStringLiteral("chapter never started")});
            continue;
        }
        for (std::size_t i = 0; i < c.lines.size(); ++i) {
            const int line = static_cast<int>(i) + 1;
            const std::string_view text = c.lines[i];
            const bool reached = run->reached.count(line) != 0;
            switch (KindOf(text)) {
                case LineKind::NotCounted: break;
                case LineKind::Section:
                    if (!run->sections.count(line))
                        out.push_back({c.file, line,
                                       QStringLiteral("branch section %1 never entered").arg(FromCp1252(Trimmed(text)))});
                    break;
                case LineKind::Command:
                case LineKind::Text: {
                    if (!reached) {
                        out.push_back({c.file, line, KindOf(text) == LineKind::Command ? QStringLiteral("command")
                                                                                        : QStringLiteral("text")});
                        break;
                    }
                    const auto o = run->offers.find(line);
                    if (o != run->offers.end() && !o->second.chosen)
                        out.push_back({c.file, line, o->second.what + (o->second.what.startsWith(u'q')
                                                                           ? QStringLiteral(" never chosen")
                                                                       : o->second.what == u"final action"
                                                                           ? QStringLiteral(" never taken")
                                                                           : QStringLiteral(" never picked"))});
                    for (const QString& word : HypertextWords(text))
                        if (!run->words.count(word.toUpper()))
                            out.push_back({c.file, line, QStringLiteral("hypertext word \"%1\" never followed").arg(word)});
                    break;
                }
            }
        }
    }
    return out;
}

std::string PlayCoverage::html(const std::vector<CoverageChapter>& chapters, const QString& title) const {
    const std::vector<CoverageGap> all = gaps(chapters);
    std::string out =
        "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>" + HtmlEscaped(title.toStdString()) +
        "</title>\n<style>\n"
        "body { font-family: sans-serif; }\n"
        "table { border-collapse: collapse; font-family: monospace; }\n"
        "td { padding: 0 0.5em; white-space: pre; }\n"
        "td.n { text-align: right; color: #666; }\n"
        "tr.hit td { background: #dff0d8; }\n"
        "tr.miss td { background: #f2dede; }\n"
        "tr.part td { background: #fcf8e3; }\n"
        "h2.miss { background: #f2dede; }\n"
        "td.why { font-family: sans-serif; color: #a94442; }\n"
        "</style></head><body>\n<h1>" +
        HtmlEscaped(title.toStdString()) + "</h1>\n<p>" + std::to_string(all.size()) +
        (all.size() == 1 ? " place" : " places") + " not reached.</p>\n";
    for (const CoverageChapter& c : chapters) {
        const std::string name = HtmlEscaped(Cp1252ToUtf8(c.file));
        const Chapter* run = find(c.file);
        std::map<int, std::vector<QString>> why;
        for (const CoverageGap& g : all)
            if (g.chapter == c.file) why[g.line].push_back(g.what);
        if (!run) {
            out += "<h2 class=\"miss\">" + name + ": never reached</h2>\n";
            continue;
        }
        out += "<h2>" + name + "</h2>\n<table>\n";
        for (std::size_t i = 0; i < c.lines.size(); ++i) {
            const int line = static_cast<int>(i) + 1;
            const LineKind kind = KindOf(c.lines[i]);
            const auto gap = why.find(line);
            const char* shade = "";
            if (kind == LineKind::Section)
                shade = gap == why.end() ? "hit" : "miss";
            else if (kind != LineKind::NotCounted)
                shade = !run->reached.count(line) ? "miss" : gap == why.end() ? "hit" : "part";
            out += "<tr class=\"" + std::string(shade) + "\"><td class=\"n\">" + std::to_string(line) + "</td><td>" +
                   HtmlEscaped(Cp1252ToUtf8(Trimmed(c.lines[i]))) + "</td><td class=\"why\">";
            if (gap != why.end()) {
                QStringList texts(gap->second.begin(), gap->second.end());
                out += HtmlEscaped(texts.join(QStringLiteral("; ")).toStdString());
            }
            out += "</td></tr>\n";
        }
        out += "</table>\n";
    }
    out += "</body></html>\n";
    return out;
}

}  // namespace quill
